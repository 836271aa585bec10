#include "ui/main/fieldcolour.h"

#include "platform/colors.h"
#include "platform/contrast.h"

#include <QApplication>
#include <QLineEdit>
#include <QVariant>

namespace ui {

namespace {

constexpr char kColourProperty[] = "fieldColourValue";
constexpr double kDimmedContrast = 6.0;

platform::Rgb toRgb(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return {rgb.red(), rgb.green(), rgb.blue()};
}

QColor toQColor(platform::Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

} // namespace

void setFieldColour(QLineEdit* edit, quint32 value) {
    edit->setProperty(kColourProperty, QVariant::fromValue(value));
    const QColor background = platform::colorFromValue(value);
    // The theme's own colours for an edit field, which may differ from the general ones.
    const QPalette theme = QApplication::palette(edit);
    const platform::Rgb ground = toRgb(background);
    const QColor enabledText = toQColor(
        platform::readableText(ground, toRgb(theme.color(QPalette::Active, QPalette::Text))));
    // The computed field shows a result while disabled: dimmed, but read as easily as any text.
    // Its thin anti-aliased strokes never reach their full colour on screen, hence the margin.
    const QColor disabledText = toQColor(platform::nearestLegible(
        ground, toRgb(theme.color(QPalette::Disabled, QPalette::Text)), kDimmedContrast));

    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, background);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Text, enabledText);
    palette.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    edit->setPalette(palette);
}

void refreshFieldColour(QLineEdit* edit) {
    const QVariant value = edit->property(kColourProperty);
    if (value.isValid())
        setFieldColour(edit, value.value<quint32>());
}

QColor fieldColour(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Active, QPalette::Base);
}

QColor fieldTextColour(const QLineEdit* edit, QPalette::ColorGroup group) {
    return edit->palette().color(group, QPalette::Text);
}

} // namespace ui
