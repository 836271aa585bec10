#pragma once
// A small picture button of a button bar: 25 x 25, never takes the keyboard focus, shows its
// hint as a tooltip and its picture greyed while disabled, and may be pressed by a key of its
// window.

#include <QIcon>
#include <QToolButton>

namespace platform {

class SpeedButton : public QToolButton {
    Q_OBJECT

public:
    explicit SpeedButton(QWidget* parent = nullptr);

    // The tooltip, also the button's accessible name.
    void setHint(const QString& hint);
    QString Hint() const { return toolTip(); }

    // Normal and disabled pictures (QIcon::Normal and QIcon::Disabled modes).
    void setGlyph(const QIcon& glyph);

    // The key that presses the button from anywhere in its window, whichever control has the
    // focus (the key goes to no control). The accessible description names it; the hint stays
    // as it is. An empty key removes it.
    void setKey(const QKeySequence& key);

protected:
    bool event(QEvent* event) override;
};

// A speed button of a button bar: named `name`, at (left, 4) in `parent` (which owns it), with its
// hint and the glyph strip at `glyphPath` (`pictures` pictures: normal, then greyed).
SpeedButton* makeSpeedButton(QWidget* parent, const char* name, int left, const QString& hint,
                             const QString& glyphPath, int pictures);

} // namespace platform
