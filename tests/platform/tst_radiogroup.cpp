// The choice group as every user reaches it: the mouse, the keyboard, an assistive tool.

#include "platform/radiogroup.h"

#include <QAccessible>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

enum class Route { Mouse, ArrowKey, SpaceBar, AccessibleToggle, SetItemIndex };

QAccessibleInterface* accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

// The width a radio button asks for with its text at the given stretch (100: not narrowed).
int widthAt(const QString& text, int stretch) {
    QRadioButton button(text);
    QFont font = button.font();
    if (stretch != 100) {
        font.setStretch(stretch);
    }
    button.setFont(font);
    return button.sizeHint().width();
}

} // namespace

Q_DECLARE_METATYPE(Route)

class TestRadioGroup : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { group_.reset(); }

    void itemsAreRadioButtonsToAssistiveTools();
    void everyRouteChoosesOnceAndChecksOnlyTheChoice_data();
    void everyRouteChoosesOnceAndChecksOnlyTheChoice();
    void theCheckedItemStaysCheckedWhenToggledAgain();
    void arrowsWrapAroundAndCarryTheOnlyTabStop();
    void noChoiceUnchecksEveryItem();
    void aLongItemNarrowsToTheWidestStretchThatFits();

private:
    QString checkedItems() const;

    std::unique_ptr<platform::RadioGroup> group_;
};

void TestRadioGroup::init() {
    group_ = std::make_unique<platform::RadioGroup>(
        QStringLiteral("Votre choix"), QStringList{"Premier", "Deuxième", "Troisième"});
    group_->resize(225, 185);
    group_->setItemIndex(0);
    group_->show();
    QVERIFY(QTest::qWaitForWindowExposed(group_.get()));
}

void TestRadioGroup::aLongItemNarrowsToTheWidestStretchThatFits() {
    const QString item = QStringLiteral("Saisie de l'angle et de GRANDE hauteur");
    const int full = widthAt(item, 100);
    // From a little room to spare to far too little, a pixel at a time.
    for (int available = full + 3; available >= full - 40; --available) {
        platform::RadioGroup group(QStringLiteral("Votre choix"), QStringList{item});
        group.resize(available + 10, 60); // the buttons are 10 px narrower than their group
        group.show();
        QVERIFY(QTest::qWaitForWindowExposed(&group));
        QCOMPARE(group.button(0)->width(), available);
        // The answer of a search from the widest stretch down, one step at a time.
        int expected = 100;
        while (expected > 86 && widthAt(item, expected) > available) {
            expected -= 2;
        }
        const int stretch = group.button(0)->font().stretch();
        QVERIFY2((stretch == 0 ? 100 : stretch) == expected,
                 qPrintable(QStringLiteral("%1 px: stretch %2 instead of %3")
                                .arg(available)
                                .arg(stretch)
                                .arg(expected)));
    }
}

// The checked items as the widgets and as assistive tools see them ("1" and "1" for item 1).
QString TestRadioGroup::checkedItems() const {
    QString byWidget;
    QString byTool;
    for (int i = 0; i < group_->count(); ++i) {
        if (group_->button(i)->isChecked()) {
            byWidget += QString::number(i);
        }
        if (accessible(group_->button(i))->state().checked) {
            byTool += QString::number(i);
        }
    }
    return byWidget + QLatin1Char('/') + byTool;
}

void TestRadioGroup::itemsAreRadioButtonsToAssistiveTools() {
    QCOMPARE(accessible(group_.get())->text(QAccessible::Name), QStringLiteral("Votre choix"));
    for (int i = 0; i < group_->count(); ++i) {
        QAccessibleInterface* item = accessible(group_->button(i));
        QCOMPARE(item->role(), QAccessible::RadioButton);
        QCOMPARE(item->text(QAccessible::Name), group_->button(i)->text());
        QVERIFY(item->state().checkable);
        QVERIFY(item->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::toggleAction()));
    }
}

void TestRadioGroup::everyRouteChoosesOnceAndChecksOnlyTheChoice_data() {
    QTest::addColumn<Route>("route");
    QTest::newRow("a mouse click") << Route::Mouse;
    QTest::newRow("the down arrow") << Route::ArrowKey;
    QTest::newRow("the space bar on a focused item") << Route::SpaceBar;
    QTest::newRow("an assistive tool's toggle action") << Route::AccessibleToggle;
    QTest::newRow("setItemIndex") << Route::SetItemIndex;
}

void TestRadioGroup::everyRouteChoosesOnceAndChecksOnlyTheChoice() {
    QFETCH(Route, route);
    QRadioButton* second = group_->button(1);
    QSignalSpy clicked(group_.get(), &platform::RadioGroup::clicked);
    QList<int> indexAtClick;
    connect(group_.get(), &platform::RadioGroup::clicked, this, [&] {
        indexAtClick.append(group_->ItemIndex());
        const QString index = QString::number(group_->ItemIndex());
        QCOMPARE(checkedItems(), index + '/' + index);
    });
    switch (route) {
    case Route::Mouse:
        QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(8, second->height() / 2));
        break;
    case Route::ArrowKey:
        group_->button(0)->setFocus();
        QTest::keyClick(group_->button(0), Qt::Key_Down);
        QVERIFY(second->hasFocus());
        break;
    case Route::SpaceBar:
        second->setFocus();
        QTest::keyClick(second, Qt::Key_Space);
        break;
    case Route::AccessibleToggle:
        accessible(second)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        break;
    case Route::SetItemIndex:
        group_->setItemIndex(1);
        break;
    }
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(indexAtClick, QList<int>{1});
    QCOMPARE(group_->ItemIndex(), 1);
    QCOMPARE(checkedItems(), QStringLiteral("1/1"));
    // Tab enters the group on the chosen item only.
    QCOMPARE(second->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(group_->button(0)->focusPolicy(), Qt::ClickFocus);
}

void TestRadioGroup::theCheckedItemStaysCheckedWhenToggledAgain() {
    QSignalSpy clicked(group_.get(), &platform::RadioGroup::clicked);
    QRadioButton* first = group_->button(0);
    accessible(first)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(8, first->height() / 2));
    group_->setItemIndex(0);
    group_->setItemIndex(3); // no such item: ignored
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(checkedItems(), QStringLiteral("0/0"));
}

void TestRadioGroup::arrowsWrapAroundAndCarryTheOnlyTabStop() {
    QSignalSpy clicked(group_.get(), &platform::RadioGroup::clicked);
    group_->button(0)->setFocus();
    QTest::keyClick(group_->button(0), Qt::Key_Up);
    QCOMPARE(group_->ItemIndex(), 2);
    QVERIFY(group_->button(2)->hasFocus());
    QTest::keyClick(group_->button(2), Qt::Key_Right);
    QCOMPARE(group_->ItemIndex(), 0);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(checkedItems(), QStringLiteral("0/0"));
}

void TestRadioGroup::noChoiceUnchecksEveryItem() {
    QSignalSpy clicked(group_.get(), &platform::RadioGroup::clicked);
    group_->setItemIndex(-1);
    QCOMPARE(group_->ItemIndex(), -1);
    QCOMPARE(checkedItems(), QStringLiteral("/"));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(accessible(group_->button(0))->role(), QAccessible::RadioButton);
    group_->setItemIndex(2);
    QCOMPARE(checkedItems(), QStringLiteral("2/2"));
    QCOMPARE(clicked.count(), 2);
}

QTEST_MAIN(TestRadioGroup)
#include "tst_radiogroup.moc"
