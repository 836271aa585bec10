#pragma once

#include <QString>

namespace platform {

// The title derived from an executable's path: the file name without its folder, cut at its
// first '.', the first character in upper case and every other in lower case, so both
// "C:/X/QUILVAR.EXE" and the Linux "/usr/bin/quilvar" give "Quilvar".
QString titleFromExecutable(const QString& path);

// The application's title: titleFromExecutable of the running program (empty before the
// application object exists).
QString applicationTitle();

} // namespace platform
