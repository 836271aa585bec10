// A column's texts kept side by side in one buffer: every change leaves each other row's text as
// it was, through replacements, removals, moves, truncation and the squeezing out of old units.

#include "base/failure.h"
#include "widgets/stringgrid/model/columntexts.h"

#include <QTest>
#include <map>
#include <string>

using stringgrid::ColumnTexts;

namespace {

using Expected = std::map<int, std::u16string>;

std::u16string textFor(int row, int version) {
    return u"r" + std::u16string(static_cast<std::size_t>(row % 7 + 1), u'é') +
           static_cast<char16_t>(u'0' + version % 10);
}

// The column holds exactly the expected texts, by increasing row.
bool holds(const ColumnTexts& column, const Expected& expected) {
    Expected seen;
    int last = -1;
    bool ordered = true;
    column.forEach([&](int row, std::u16string_view text) {
        ordered = ordered && row > last;
        last = row;
        seen.emplace(row, std::u16string(text));
    });
    bool found = true;
    for (const auto& [row, text] : expected)
        found = found && column.find(row) == text;
    return ordered && found && seen == expected && column.presentCount() == expected.size();
}

} // namespace

class TestColumnTexts : public QObject {
    Q_OBJECT

private slots:
    void replacingAndRemovingKeepEveryOtherText();
    void movesAndTruncationCarryTheTexts();
    void aNegativeRowRaisesAndChangesNothing();
};

void TestColumnTexts::replacingAndRemovingKeepEveryOtherText() {
    // Enough rewrites that the buffer is squeezed several times on the way.
    ColumnTexts column;
    Expected expected;
    for (int version = 0; version < 6; ++version) {
        for (int row = version % 2; row < 3000; row += 1 + version % 3) {
            column.store(row, textFor(row, version));
            expected[row] = textFor(row, version);
        }
        for (int row = version; row < 3000; row += 5) {
            column.remove(row);
            expected.erase(row);
        }
        QVERIFY(holds(column, expected));
    }
    column.store(10, u""); // an empty text makes the row absent
    expected.erase(10);
    QVERIFY(holds(column, expected));
    QVERIFY(column.find(999'999).empty());
}

void TestColumnTexts::movesAndTruncationCarryTheTexts() {
    ColumnTexts column;
    for (int row = 0; row < 6; ++row)
        column.store(row, textFor(row, 0));
    column.move(1, 4); // 0 2 3 4 1 5
    QVERIFY(holds(column, {{0, textFor(0, 0)},
                           {1, textFor(2, 0)},
                           {2, textFor(3, 0)},
                           {3, textFor(4, 0)},
                           {4, textFor(1, 0)},
                           {5, textFor(5, 0)}}));
    column.truncate(2);
    QVERIFY(holds(column, {{0, textFor(0, 0)}, {1, textFor(2, 0)}}));
    QCOMPARE(column.length(), 2);
    column.truncate(0);
    QVERIFY(column.empty());
}

void TestColumnTexts::aNegativeRowRaisesAndChangesNothing() {
    ColumnTexts column;
    column.store(3, u"trois");
    QVERIFY_THROWS_EXCEPTION(base::ListIndexError, column.store(-1, u"moins un"));
    QVERIFY_THROWS_EXCEPTION(base::ListIndexError, column.store(-1, u""));
    QVERIFY(holds(column, {{3, u"trois"}}));
}

QTEST_APPLESS_MAIN(TestColumnTexts)
#include "tst_columntexts.moc"
