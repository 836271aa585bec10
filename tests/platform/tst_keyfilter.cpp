#include "base/failure.h"
#include "platform/keyfilter.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

class TestKeyFilter : public QObject {
    Q_OBJECT

private slots:
    void typedCharacter_data();
    void typedCharacter();
    void hookDropsReplacesOrPasses();
    void pasteKeysGoThroughTheHandler();
    void failingHandlerDropsTheKeyAndShowsTheFailure();
};

void TestKeyFilter::typedCharacter_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("a letter types itself") << int(Qt::Key_A) << 0 << "a" << int('a');
    QTest::newRow("a keypad digit types itself")
        << int(Qt::Key_5) << int(Qt::KeypadModifier) << "5" << int('5');
    QTest::newRow("Ctrl+V as X11 sends it") << int(Qt::Key_V) << ctrl << "\x16" << 22;
    QTest::newRow("Ctrl+V with the letter as text") << int(Qt::Key_V) << ctrl << "v" << 22;
    QTest::newRow("Ctrl+V with no text") << int(Qt::Key_V) << ctrl << "" << 22;
    QTest::newRow("Ctrl+] gives 29") << int(Qt::Key_BracketRight) << ctrl << "" << 29;
    QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << "\r" << 13;
    QTest::newRow("keypad Enter without text")
        << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "" << 13;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << "\x1b" << 27;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0 << "\b" << 8;
    QTest::newRow("Ctrl+Backspace is DEL") << int(Qt::Key_Backspace) << ctrl << "" << 127;
    QTest::newRow("Delete types nothing even with a DEL text")
        << int(Qt::Key_Delete) << 0 << "\x7f" << 0;
    QTest::newRow("Tab moves the focus, types nothing") << int(Qt::Key_Tab) << 0 << "\t" << 0;
    QTest::newRow("an arrow types nothing") << int(Qt::Key_Left) << 0 << "" << 0;
    QTest::newRow("Insert types nothing") << int(Qt::Key_Insert) << 0 << "" << 0;
    // Every other key bound to an edit command stands for that command's Ctrl+letter.
    const std::pair<QKeySequence::StandardKey, int> commands[] = {
        {QKeySequence::Paste, 22}, {QKeySequence::Cut, 24},  {QKeySequence::Copy, 3},
        {QKeySequence::Undo, 26},  {QKeySequence::Redo, 25},
    };
    for (const auto& [command, character] : commands) {
        for (const QKeySequence& binding : QKeySequence::keyBindings(command)) {
            const QKeyCombination combination = binding[0];
            if (combination.key() >= Qt::Key_Escape) {
                QTest::addRow("%s gives %d", qPrintable(binding.toString()), character)
                    << int(combination.key()) << int(combination.keyboardModifiers()) << ""
                    << character;
            }
        }
    }
}

void TestKeyFilter::typedCharacter() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, expected);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(int(platform::typedCharacter(event)), expected);
}

void TestKeyFilter::hookDropsReplacesOrPasses() {
    QLineEdit edit;
    QList<char16_t> seen;
    platform::KeyPressHook::install(&edit, [&seen](QObject*, char16_t& key) {
        seen.append(key);
        if (key == u'x') {
            key = platform::kDroppedKey;
        } else if (key == u'a') {
            key = u'b';
        }
    });
    QTest::keyClicks(&edit, QStringLiteral("1xa2"));
    QCOMPARE(edit.text(), QStringLiteral("1b2"));
    QCOMPARE(seen, (QList<char16_t>{u'1', u'x', u'a', u'2'}));
    QVERIFY(!edit.testAttribute(Qt::WA_InputMethodEnabled));
    QTest::keyClick(&edit, Qt::Key_Left); // no character: never reaches the handler
    QCOMPARE(seen.size(), 4);
}

void TestKeyFilter::pasteKeysGoThroughTheHandler() {
    QLineEdit edit;
    platform::KeyPressHook::install(&edit, [](QObject*, char16_t& key) {
        if (key == 22) {
            key = platform::kDroppedKey;
        }
    });
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    for (const QKeySequence& paste : QKeySequence::keyBindings(QKeySequence::Paste)) {
        QTest::keySequence(&edit, paste);
    }
    QCOMPARE(edit.text(), QString());
}

void TestKeyFilter::failingHandlerDropsTheKeyAndShowsTheFailure() {
    QStringList shown;
    platform::setBoxResponder([&shown](const platform::BoxRequest& request) {
        shown.append(request.text);
        return platform::BoxAnswer::Ok;
    });
    QLineEdit edit;
    platform::KeyPressHook::install(
        &edit, [](QObject*, char16_t&) { throw base::Failure("Clavier en panne"); });
    QTest::keyClicks(&edit, QStringLiteral("7"));
    platform::setBoxResponder({});
    QCOMPARE(edit.text(), QString());
    QCOMPARE(shown, QStringList{QStringLiteral("Clavier en panne.")});
}

QTEST_MAIN(TestKeyFilter)
#include "tst_keyfilter.moc"
