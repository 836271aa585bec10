#pragma once
// The application's help document and the desktop's viewer for it.

#include <QString>
#include <QStringList>

namespace os {
class HelpOpener;
} // namespace os

namespace platform {

// The help document, as installed below a data folder (<prefix>/share).
inline constexpr char kHelpDocument[] = "quilvar/help/aide.html";
// The anchor of its contents, where the help opens.
inline constexpr char kHelpContents[] = "sommaire";

// Where the help document is: beside the program, in the data folder of its prefix
// (<programDir>/../share/quilvar/help/aide.html, which the build tree mirrors), else in the
// first of `dataDirs` (the system's data folders) that holds it. When none does, the place
// beside the program, so that a notice can name where it was looked for.
QString findHelpDocument(const QString& programDir, const QStringList& dataDirs);

// The application's help file, set once at start-up (empty until then).
void setApplicationHelpFile(const QString& path);
QString applicationHelpFile();

// Opens the application's help file on its contents with `opener` (the desktop's viewer). A
// document that is missing, or that no viewer could open, is reported in a notice that names its
// path.
void showHelpContents(os::HelpOpener& opener);

} // namespace platform
