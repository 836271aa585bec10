#pragma once
// A group box holding one column of radio buttons, with the index of the chosen item and one
// click notification, the way the designed windows use their choice groups. The buttons are
// exclusive among themselves, so assistive tools see radio buttons and exactly one is checked
// once an item is chosen.

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QRadioButton;

namespace platform {

class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    // The chosen item, -1 when none is chosen.
    int ItemIndex() const { return itemIndex_; }
    // Chooses an item (-1 for none); an index outside the items is ignored. Emits clicked()
    // when the choice changes.
    void setItemIndex(int index);

    int count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* button(int index) const;

signals:
    // The choice changed, once per change whatever made it: the mouse, the arrow keys or Space,
    // an assistive tool's toggle, setItemIndex.
    void clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void arrangeButtons();
    static void fitText(QRadioButton* button, int available);
    void chooseAndFocus(int index);
    void chosen(int index);
    void updateTabStop();

    QList<QRadioButton*> buttons_;
    int itemIndex_ = -1;
};

} // namespace platform
