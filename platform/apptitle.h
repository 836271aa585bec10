#pragma once

#include <QString>

namespace platform {

// The title derived from an executable's path: the file name without its folder, cut at its
// first '.', every character after the first in lower case ("C:/X/QUILVAR.EXE" gives "Quilvar").
QString titleFromExecutable(const QString& path);

// The application's title: titleFromExecutable of the running program (empty before the
// application object exists).
QString applicationTitle();

} // namespace platform
