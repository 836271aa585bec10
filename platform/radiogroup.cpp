#include "platform/radiogroup.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

namespace platform {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent) {
    setAccessibleName(caption.trimmed());
    for (qsizetype i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], this);
        radio->setAccessibleName(items[i]);
        // Exclusive among the group's buttons: checking one unchecks the others, the checked one
        // refuses to uncheck itself, and assistive tools announce radio buttons (a
        // non-exclusive one reads as a check box).
        radio->setAutoExclusive(true);
        radio->installEventFilter(this);
        const int index = static_cast<int>(i);
        // Every way of choosing ends in a button becoming checked: a click, Space, the arrows,
        // setItemIndex, and an assistive tool's toggle action (which emits no clicked()).
        connect(radio, &QRadioButton::toggled, this, [this, index](bool checked) {
            if (checked) {
                chosen(index);
            }
        });
        buttons_.append(radio);
    }
    updateTabStop();
    // The buttons are placed once the group has its size: fitting the texts to the width a
    // group is made with, which its owner always changes, would cost a font per narrowing
    // step for nothing. Qt delivers the size as a resize event at the latest when first shown.
}

QRadioButton* RadioGroup::button(int index) const {
    return index >= 0 && index < count() ? buttons_[index] : nullptr;
}

void RadioGroup::setItemIndex(int index) {
    if (index < -1 || index >= count()) {
        return;
    }
    if (index >= 0) {
        buttons_[index]->setChecked(true);
        return;
    }
    QRadioButton* checked = button(itemIndex_);
    if (checked == nullptr) {
        return;
    }
    // No choice at all: only a non-exclusive button lets itself be unchecked.
    {
        const QSignalBlocker quiet(checked);
        checked->setAutoExclusive(false);
        checked->setChecked(false);
        checked->setAutoExclusive(true);
    }
    itemIndex_ = -1;
    updateTabStop();
    emit clicked();
}

// The arrow keys: check the item, then give it the focus.
void RadioGroup::chooseAndFocus(int index) {
    buttons_[index]->setChecked(true);
    buttons_[index]->setFocus(Qt::TabFocusReason);
}

// Runs once per change, after the previous item has been unchecked.
void RadioGroup::chosen(int index) {
    itemIndex_ = index;
    updateTabStop();
    emit clicked();
}

// Only the chosen button is a tab stop (the first when none is chosen): Tab enters and leaves
// the group in one step, and the arrow keys move inside it.
void RadioGroup::updateTabStop() {
    const int stop = itemIndex_ >= 0 ? itemIndex_ : 0;
    for (int i = 0; i < count(); ++i) {
        buttons_[i]->setFocusPolicy(i == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

bool RadioGroup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int from = static_cast<int>(buttons_.indexOf(watched));
        if (from >= 0 && count() > 0) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            int step = 0;
            if (key == Qt::Key_Down || key == Qt::Key_Right) {
                step = 1;
            } else if (key == Qt::Key_Up || key == Qt::Key_Left) {
                step = -1;
            }
            if (step != 0) {
                chooseAndFocus((from + step + count()) % count());
                return true;
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

// One column: the buttons share the height below the caption equally, 8 px from the left edge.
void RadioGroup::arrangeButtons() {
    if (buttons_.isEmpty()) {
        return;
    }
    const int textHeight = QFontMetrics(font()).height();
    const int free = height() - textHeight - 5;
    const int n = count();
    const int buttonHeight = std::max(1, free / n);
    const int top = textHeight + 1 + (free % n) / 2;
    const int buttonWidth = std::max(1, width() - 10);
    for (int i = 0; i < n; ++i) {
        QRadioButton* radio = buttons_[i];
        radio->setGeometry(8, top + i * buttonHeight, buttonWidth, buttonHeight);
        fitText(radio, buttonWidth);
    }
}

// The designed texts were measured in a narrower face than the ones at hand: rather than cut
// an item's end off, narrow its letters just enough, in steps of 2 % down to 86 %.
void RadioGroup::fitText(QRadioButton* button, int available) {
    button->setFont(QFont());
    if (button->sizeHint().width() <= available) {
        return;
    }
    QFont narrow = button->font();
    for (int stretch = 98; stretch >= 86; stretch -= 2) {
        narrow.setStretch(stretch);
        button->setFont(narrow);
        if (button->sizeHint().width() <= available) {
            return;
        }
    }
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    arrangeButtons();
}

void RadioGroup::changeEvent(QEvent* event) {
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        arrangeButtons();
    }
}

} // namespace platform
