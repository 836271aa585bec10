#pragma once
// A text label that sizes itself to its caption and, unless made transparent, fills its
// rectangle with the button-face colour so its text stands on a plain patch over a picture.

#include <QLabel>

namespace platform {

class Label : public QLabel {
    Q_OBJECT

public:
    explicit Label(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    // Sets the text and resizes the label to it, keeping its top-left corner. When the label
    // reads its caption aloud (the default), the accessible name follows the caption.
    void setCaption(const QString& caption);

    void setTransparent(bool transparent);
    bool Transparent() const { return !autoFillBackground(); }

    // A label whose caption names another control (a field's title) keeps its own accessible
    // name; a result label speaks the number it shows.
    void setNameFollowsCaption(bool follows) { nameFollowsCaption_ = follows; }
    // What a following name says around the caption: `form` with %1 standing for the caption
    // ("Largeur intérieure : %1 mm"), so that a number is heard with its meaning.
    void setSpokenForm(const QString& form);

protected:
    void changeEvent(QEvent* event) override;

private:
    bool nameFollowsCaption_ = true;
    QString spokenForm_;
};

} // namespace platform
