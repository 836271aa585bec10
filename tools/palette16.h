#pragma once
// The classic 16-colour palette and small pixel-art pictures written as rows of letters.

#include <QImage>
#include <QVector>
#include <string>
#include <vector>

namespace tools {

// Black, maroon, green, olive, navy, purple, teal, silver, grey, red, lime, yellow, blue,
// fuchsia, aqua, white (the usual order of 16-colour bitmaps).
const QVector<QRgb>& palette16();

// Index into palette16() of a picture letter:
// k black, m maroon, g green, o olive, n navy, p purple, t teal, s silver, d grey (dark),
// r red, l lime, y yellow, b blue, f fuchsia, c aqua, w white; '.' is `background`.
int paletteIndex(char letter, int background);

// An indexed (Format_Indexed8, palette16) picture from equal-length rows of letters.
// Aborts on a row of the wrong length or an unknown letter: the art is ours and must be exact.
QImage fromArt(const std::vector<std::string>& rows, int background);

// The disabled form of a picture: its dark pixels as a grey shadow over a white highlight
// `offset` pixels lower right (one pixel of the designed size), everything else background.
QImage greyed(const QImage& picture, int background, int offset = 1);

// Two indexed pictures of the same height side by side.
QImage sideBySide(const QImage& left, const QImage& right);

// The nearest palette16 index to a colour.
int nearestIndex(QRgb colour);

} // namespace tools
