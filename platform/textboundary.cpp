#include "platform/textboundary.h"

#include <QList>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace platform {

namespace {

// The offsets where pieces of `boundary` begin and end, in order, from 0 to the text's length.
// A one-line text is a single line and a single paragraph.
QList<int> boundaries(const QString& text, QAccessible::TextBoundaryType boundary) {
    const int length = int(text.size());
    QList<int> found{0};
    QTextBoundaryFinder::BoundaryType type = QTextBoundaryFinder::Grapheme;
    switch (boundary) {
    case QAccessible::CharBoundary:
        type = QTextBoundaryFinder::Grapheme;
        break;
    case QAccessible::WordBoundary:
        type = QTextBoundaryFinder::Word;
        break;
    case QAccessible::SentenceBoundary:
        type = QTextBoundaryFinder::Sentence;
        break;
    default: // lines, paragraphs and the whole text
        if (length > 0) {
            found.append(length);
        }
        return found;
    }
    QTextBoundaryFinder finder(type, text);
    // The finder answers -1 once past the end; the count bounds the walk all the same.
    for (int step = 0; step <= length; ++step) {
        const qsizetype next = finder.toNextBoundary();
        if (next <= found.back() || next > length) {
            break;
        }
        // Between words, a run of spaces or punctuation is a piece of its own, as a word is.
        const bool itemEdge = type != QTextBoundaryFinder::Word ||
                              (finder.boundaryReasons() & (QTextBoundaryFinder::StartOfItem |
                                                           QTextBoundaryFinder::EndOfItem)) != 0;
        if (itemEdge || next == length) {
            found.append(int(next));
        }
    }
    if (found.back() != length) {
        found.append(length);
    }
    return found;
}

TextPiece piece(const QString& text, const QList<int>& edges, qsizetype first) {
    if (first < 0 || first + 1 >= edges.size()) {
        return {};
    }
    const int start = edges[first];
    const int end = edges[first + 1];
    return {text.mid(start, end - start), start, end};
}

// The index in `edges` of the piece that holds `offset`; at the end of the text, the end itself
// (an empty piece there, as for a caret after the last character).
qsizetype pieceIndex(const QList<int>& edges, int offset) {
    const auto after = std::upper_bound(edges.cbegin(), edges.cend(), offset);
    return (after - edges.cbegin()) - 1;
}

bool outside(const QString& text, int offset) {
    return text.isEmpty() || offset < 0 || offset > text.size();
}

} // namespace

TextPiece textAtOffset(const QString& text, int offset, QAccessible::TextBoundaryType boundary) {
    if (outside(text, offset)) {
        return {};
    }
    if (boundary == QAccessible::NoBoundary) {
        return {text, 0, int(text.size())};
    }
    const QList<int> edges = boundaries(text, boundary);
    const qsizetype index = pieceIndex(edges, offset);
    if (index + 1 >= edges.size()) {
        return {QString(), offset, offset};
    }
    return piece(text, edges, index);
}

TextPiece textBeforeOffset(const QString& text, int offset,
                           QAccessible::TextBoundaryType boundary) {
    if (outside(text, offset) || boundary == QAccessible::NoBoundary) {
        return {};
    }
    const QList<int> edges = boundaries(text, boundary);
    qsizetype index = pieceIndex(edges, offset);
    // At the end of the text the caret stands after the last piece, which comes "before" it.
    if (index + 1 >= edges.size()) {
        index = edges.size() - 1;
    }
    return piece(text, edges, index - 1);
}

TextPiece textAfterOffset(const QString& text, int offset, QAccessible::TextBoundaryType boundary) {
    if (outside(text, offset) || boundary == QAccessible::NoBoundary) {
        return {};
    }
    const QList<int> edges = boundaries(text, boundary);
    return piece(text, edges, pieceIndex(edges, offset) + 1);
}

} // namespace platform
