// What a screen reader reads of a line edit: every piece of text it may ask for, at any offset
// and boundary, is answered at once (Qt 6.4's own answer loops at the end of the text).

#include "platform/accessibility.h"
#include "platform/lineeditaccessible.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <future>
#include <thread>

namespace {

const QList<QAccessible::TextBoundaryType> kBoundaries{
    QAccessible::CharBoundary,      QAccessible::WordBoundary, QAccessible::SentenceBoundary,
    QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary};

} // namespace

class TestLineEditAccessible : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { platform::installAccessibility(); }
    void everyOffsetAndBoundaryIsAnswered_data();
    void everyOffsetAndBoundaryIsAnswered();
    void wordsAroundTheCaret();
};

void TestLineEditAccessible::everyOffsetAndBoundaryIsAnswered_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("a number") << QStringLiteral("525");
    QTest::newRow("a decimal number") << QStringLiteral("12,5");
    QTest::newRow("words and sentences") << QStringLiteral("Ab cd. Ef,  gh!");
    QTest::newRow("combining accent and spaces") << QStringLiteral(" e\u0301 ");
    QTest::newRow("a long field") << QStringLiteral("1234567890 ").repeated(40);
}

// Each answer is a piece of the text where it says, and the pieces at successive offsets
// rebuild the text; all of it well within the time a reader waits.
void TestLineEditAccessible::everyOffsetAndBoundaryIsAnswered() {
    QFETCH(QString, text);
    QLineEdit edit(text);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&edit);
    QVERIFY(dynamic_cast<platform::LineEditAccessible*>(accessible) != nullptr);
    QAccessibleTextInterface* reader = accessible->textInterface();
    const int length = int(text.size());

    // Asked on a thread of its own, so that a loop stops the test instead of hanging it; the
    // window's thread waits meanwhile, so nothing reads the field at the same time.
    std::promise<QString> done;
    std::thread([&] {
        QString fault;
        for (QAccessible::TextBoundaryType boundary : kBoundaries) {
            QString rebuilt;
            for (int offset = -3; offset <= length + 2; ++offset) {
                int start = 0;
                int end = 0;
                const QString at = reader->textAtOffset(offset, boundary, &start, &end);
                reader->textBeforeOffset(offset, boundary, &start, &end);
                reader->textAfterOffset(offset, boundary, &start, &end);
                reader->textAtOffset(offset, boundary, &start, &end);
                if (start >= 0 && at != text.mid(start, end - start)) {
                    fault = QStringLiteral("at %1 boundary %2").arg(offset).arg(int(boundary));
                }
                if (offset >= 0 && start >= rebuilt.size()) {
                    rebuilt += at;
                }
            }
            if (rebuilt != text && boundary != QAccessible::NoBoundary) {
                fault = QStringLiteral("pieces of boundary %1: %2").arg(int(boundary)).arg(rebuilt);
            }
        }
        done.set_value(fault);
    }).detach();
    std::future<QString> answer = done.get_future();
    if (answer.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // The asking thread is stuck inside the field's interface, and nothing can end it.
        qFatal("a text query did not return");
    }
    const QString fault = answer.get();
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void TestLineEditAccessible::wordsAroundTheCaret() {
    QLineEdit edit(QStringLiteral("12 345"));
    QAccessibleTextInterface* reader =
        QAccessible::queryAccessibleInterface(&edit)->textInterface();
    int start = 0;
    int end = 0;
    // The caret after the last word (Ctrl+Right at the end): nothing more to its right.
    QCOMPARE(reader->textAtOffset(6, QAccessible::WordBoundary, &start, &end), QString());
    QCOMPARE(std::pair(start, end), std::pair(6, 6));
    QCOMPARE(reader->textBeforeOffset(6, QAccessible::WordBoundary, &start, &end),
             QStringLiteral("345"));
    QCOMPARE(reader->textAtOffset(4, QAccessible::WordBoundary, &start, &end),
             QStringLiteral("345"));
    QCOMPARE(std::pair(start, end), std::pair(3, 6));
    QCOMPARE(reader->textAfterOffset(0, QAccessible::WordBoundary, &start, &end),
             QStringLiteral(" "));
    // -2 is the caret (at the end after setText), -1 the end of the text.
    edit.setCursorPosition(1);
    QCOMPARE(reader->textAtOffset(-2, QAccessible::WordBoundary, &start, &end),
             QStringLiteral("12"));
    QCOMPARE(reader->textAtOffset(-1, QAccessible::LineBoundary, &start, &end), QString());
    QCOMPARE(reader->textAtOffset(2, QAccessible::LineBoundary, &start, &end),
             QStringLiteral("12 345"));
}

QTEST_MAIN(TestLineEditAccessible)
#include "tst_lineeditaccessible.moc"
