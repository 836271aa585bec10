#pragma once
// The application's help file and the platform's viewer for it.

#include <QString>

namespace platform {

// The application's help file, set once at start-up (empty until then).
void setApplicationHelpFile(const QString& path);
QString applicationHelpFile();

// Opens the application's help file on its contents in the platform's document viewer. What
// the viewer makes of a missing file is its own affair: nothing is reported here.
void showHelpContents();

} // namespace platform
