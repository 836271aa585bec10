#pragma once
// The main window's pictures: the two door drawings and the button glyphs.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace ui {

// Decodes a JPEG picture; one the JPEG decoder refuses raises its failure.
QPixmap loadPicture(const QString& path);

// A button glyph strip of `pictures` pictures; an empty icon when it cannot be read.
QIcon loadGlyphOrNothing(const QString& path, int pictures);

} // namespace ui
