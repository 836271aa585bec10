#pragma once
// The pieces of a text that an assistive tool asks for by offset and boundary kind (character,
// word, sentence, line, paragraph, whole text): the piece at, before or after an offset. Every
// answer takes at most one pass over the text, whatever the offset (the end of the text, past
// it, negative) or the kind; an offset outside the text gets an empty piece at -1.

#include <QAccessible>
#include <QString>

namespace platform {

struct TextPiece {
    QString text;
    int start = -1;
    int end = -1;
};

TextPiece textAtOffset(const QString& text, int offset, QAccessible::TextBoundaryType boundary);
TextPiece textBeforeOffset(const QString& text, int offset, QAccessible::TextBoundaryType boundary);
TextPiece textAfterOffset(const QString& text, int offset, QAccessible::TextBoundaryType boundary);

} // namespace platform
