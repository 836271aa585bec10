#pragma once
// The platform's 32-bit colour values: 0x80000000 + n is system colour n, any other value is
// 0x00BBGGRR.

#include <QColor>
#include <QtGlobal>

namespace platform {

// A few system colour values by their usual names.
inline constexpr quint32 clActiveCaption = 0x80000002;
inline constexpr quint32 clWindow = 0x80000005;
inline constexpr quint32 clWindowText = 0x80000008;
inline constexpr quint32 clHighlight = 0x8000000D;
inline constexpr quint32 clHighlightText = 0x8000000E;
inline constexpr quint32 clBtnFace = 0x8000000F;

// The colour a value stands for. System colours follow the application's palette where it has
// a matching role, else the classic desktop value; an unknown system index gives black.
QColor colorFromValue(quint32 value);

// The plain 0x00BBGGRR value of an RGB colour (alpha dropped).
quint32 valueFromColor(const QColor& color);

} // namespace platform
