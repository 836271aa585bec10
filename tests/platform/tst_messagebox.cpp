// The real message boxes (no test responder), answered from the keyboard: what they show, in
// which order, which button Enter and Escape press, and which window owns them.

#include "platform/apptitle.h"
#include "platform/messagebox.h"
#include "platform/showfailure.h"
#include "support/modalanswer.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QTest>
#include <algorithm>

using platform::BoxAnswer;

namespace {

// A style that orders dialog buttons the way one desktop does (the GTK theme gives GNOME's).
class ButtonLayoutStyle : public QProxyStyle {
public:
    explicit ButtonLayoutStyle(int layout) : layout_(layout) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_DialogButtonLayout) {
            return layout_;
        }
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }

private:
    int layout_;
};

// What the box showed when it was answered.
struct Seen {
    QString caption;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons; // left to right
    QString defaultButton;
    QString escapeButton;
    QWidget* parent = nullptr;
};

Seen look(QMessageBox* box) {
    Seen seen;
    seen.caption = box->windowTitle();
    seen.text = box->text();
    seen.format = box->textFormat();
    seen.icon = box->icon();
    QList<QAbstractButton*> buttons = box->findChild<QDialogButtonBox*>()->buttons();
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    for (QAbstractButton* button : buttons) {
        seen.buttons << button->text();
    }
    seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
    seen.escapeButton = box->escapeButton() ? box->escapeButton()->text() : QString();
    seen.parent = box->parentWidget();
    return seen;
}

enum class Reply { Enter, Escape, CloseBox };

void reply(QWidget* box, Reply how) {
    switch (how) {
    case Reply::Enter:
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box,
                        Qt::Key_Return);
        break;
    case Reply::Escape:
        QTest::keyClick(box, Qt::Key_Escape);
        break;
    case Reply::CloseBox:
        box->close();
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Reply)

class TestMessageBox : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { style_ = QApplication::style()->name(); }
    void cleanup() { QApplication::setStyle(style_); }

    void confirmationReadsOuiThenNonOnEveryDesktop_data();
    void confirmationReadsOuiThenNonOnEveryDesktop();
    void errorBoxQuotesTheTextAsGiven_data();
    void errorBoxQuotesTheTextAsGiven();
    void theOwnerHoldsTheBoxAndTheActiveWindowComesBack();

private:
    // Runs `show` (which opens one box), looks at the box and answers it with `how`.
    void answer(const std::function<void()>& show, Reply how, Seen& seen);

    QString style_;
};

void TestMessageBox::answer(const std::function<void()>& show, Reply how, Seen& seen) {
    const QList<QWidget*> boxes = testsupport::answerModal(show, [&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen = look(box);
        }
        reply(modal, how);
    });
    QCOMPARE(boxes.size(), 1);
}

void TestMessageBox::confirmationReadsOuiThenNonOnEveryDesktop_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<bool>("yes");
    const std::pair<const char*, int> layouts[] = {{"Windows", QDialogButtonBox::WinLayout},
                                                   {"macOS", QDialogButtonBox::MacLayout},
                                                   {"KDE", QDialogButtonBox::KdeLayout},
                                                   {"GNOME", QDialogButtonBox::GnomeLayout},
                                                   {"Android", QDialogButtonBox::AndroidLayout}};
    for (const auto& [desktop, layout] : layouts) {
        QTest::addRow("%s: Enter answers Oui", desktop) << layout << Reply::Enter << true;
        QTest::addRow("%s: Escape answers Non", desktop) << layout << Reply::Escape << false;
    }
    QTest::newRow("GNOME: the close box answers Non")
        << int(QDialogButtonBox::GnomeLayout) << Reply::CloseBox << false;
}

void TestMessageBox::confirmationReadsOuiThenNonOnEveryDesktop() {
    QFETCH(int, layout);
    QFETCH(Reply, reply);
    QFETCH(bool, yes);
    // The application owns its style.
    QApplication::setStyle(new ButtonLayoutStyle(layout));
    bool confirmed = !yes;
    Seen seen;
    answer([&] { confirmed = platform::confirmInformation(QStringLiteral("Impression")); }, reply,
           seen);
    QCOMPARE(seen.buttons, (QStringList{"&Oui", "&Non"}));
    QCOMPARE(seen.defaultButton, QStringLiteral("&Oui"));
    QCOMPARE(seen.escapeButton, QStringLiteral("&Non"));
    QCOMPARE(seen.caption, QStringLiteral("Information"));
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(confirmed, yes);
}

void TestMessageBox::errorBoxQuotesTheTextAsGiven_data() {
    QTest::addColumn<QString>("message");
    QTest::newRow("markup pasted into a field")
        << "'<b>1</b><img src=\"x\">' n'est pas une valeur en virgule flottante correcte";
    QTest::newRow("an entity and spaces") << "'   &amp; ' n'est pas une valeur correcte";
}

void TestMessageBox::errorBoxQuotesTheTextAsGiven() {
    QFETCH(QString, message);
    Seen seen;
    answer([&] { platform::ShowFailure(message); }, Reply::Enter, seen);
    QCOMPARE(seen.text, message + '.');
    QCOMPARE(seen.format, Qt::PlainText);
    QCOMPARE(seen.caption, platform::applicationTitle());
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, QStringList{"OK"});
    QCOMPARE(seen.defaultButton, QStringLiteral("OK"));
}

void TestMessageBox::theOwnerHoldsTheBoxAndTheActiveWindowComesBack() {
    QWidget window;
    QWidget other;
    window.show();
    other.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // A failure of the active window's handler: that window owns the box.
    Seen seen;
    answer([] { platform::ShowFailure(QStringLiteral("Impression en cours")); }, Reply::Escape,
           seen);
    QCOMPARE(seen.parent, &window);
    QTRY_COMPARE(QApplication::activeWindow(), &window);
    // A notice that names its owner, opened while another window is active.
    answer([&] { platform::showNotice(QStringLiteral("Valeurs saisies incorrectes"), &other); },
           Reply::Enter, seen);
    QCOMPARE(seen.parent, &other);
    QCOMPARE(seen.format, Qt::PlainText);
    QTRY_COMPARE(QApplication::activeWindow(), &window);
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
