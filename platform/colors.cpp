#include "platform/colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>
#include <optional>

namespace platform {

namespace {

// The classic desktop values of the 25 system colours, as 0x00BBGGRR.
constexpr std::array<quint32, 25> classicColors = {
    0xC8C8C8, // 0 scroll bar
    0x000000, // 1 background
    0xD1B499, // 2 active caption
    0xDBCDBF, // 3 inactive caption
    0xF0F0F0, // 4 menu
    0xFFFFFF, // 5 window
    0x646464, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0x000000, // 9 caption text
    0xB4B4B4, // 10 active border
    0xFCF7F4, // 11 inactive border
    0xABABAB, // 12 application workspace
    0xFF9933, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xF0F0F0, // 15 button face
    0xA0A0A0, // 16 button shadow
    0x6D6D6D, // 17 grey text
    0x000000, // 18 button text
    0x000000, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x696969, // 21 3D dark shadow
    0xE3E3E3, // 22 3D light
    0x000000, // 23 info text
    0xE1FFFF, // 24 info background
};

QColor fromBgr(quint32 value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

// The palette role that stands for a system colour, where there is one.
std::optional<QPalette::ColorRole> roleOf(unsigned index) {
    switch (index) {
    case 5:
        return QPalette::Base;
    case 8:
        return QPalette::Text;
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 15:
        return QPalette::Button;
    case 18:
        return QPalette::ButtonText;
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    default:
        return std::nullopt;
    }
}

} // namespace

QColor colorFromValue(quint32 value) {
    if ((value & 0x80000000u) == 0)
        return fromBgr(value);
    unsigned index = value & 0x00FFFFFFu;
    if (index >= classicColors.size())
        return QColor(Qt::black);
    if (auto role = roleOf(index);
        role && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QGuiApplication::palette().color(QPalette::Active, *role);
    return fromBgr(classicColors[index]);
}

quint32 valueFromColor(const QColor& color) {
    QColor rgb = color.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
}

} // namespace platform
