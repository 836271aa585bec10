// The sparse indexed table's moves and truncation, checked against a plain list of every index.

#include "base/indextable.h"

#include <QTest>
#include <climits>
#include <string>

namespace {

// The table as text: one character per index up to its length, '.' for an absent entry.
std::string spelled(const base::IndexTable<char>& table) {
    std::string text(static_cast<std::size_t>(table.size()), '.');
    for (const auto& [index, value] : table)
        text[static_cast<std::size_t>(index)] = value;
    return text;
}

base::IndexTable<char> tableOf(const std::string& text) {
    base::IndexTable<char> table;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != '.')
            table.store(static_cast<int>(i), text[i]);
    return table;
}

} // namespace

class TestIndexTable : public QObject {
    Q_OBJECT

private slots:
    void moveShiftsOnlyTheEntriesBetween_data();
    void moveShiftsOnlyTheEntriesBetween();
    void moveKeepsTheLargestIndex();
    void truncateDropsTheEntriesFromTheLength();
    void storeOutOfOrderKeepsTheIndexOrder();
};

void TestIndexTable::moveShiftsOnlyTheEntriesBetween_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("after");
    QTest::newRow("forward, present") << "ab.de.g" << 1 << 4 << "a.deb.g";
    QTest::newRow("forward, absent") << "a.cde.g" << 1 << 4 << "acde..g";
    QTest::newRow("backward, present") << "ab.de.g" << 4 << 1 << "aeb.d.g";
    QTest::newRow("backward, absent") << "abc..fg" << 4 << 1 << "a.bc.fg";
    QTest::newRow("to the last index") << "abc" << 0 << 2 << "bca";
    QTest::newRow("to the first index") << "abc" << 2 << 0 << "cab";
    QTest::newRow("beyond the end, absent") << "ab" << 4 << 0 << ".ab..";
}

void TestIndexTable::moveShiftsOnlyTheEntriesBetween() {
    QFETCH(QString, before);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, after);
    auto table = tableOf(before.toStdString());
    table.move(from, to);
    QCOMPARE(QString::fromStdString(spelled(table)), after);
}

void TestIndexTable::moveKeepsTheLargestIndex() {
    base::IndexTable<char> table;
    table.store(INT_MAX, 'z');
    table.store(INT_MAX - 1, 'y');
    table.move(INT_MAX, INT_MAX - 1);
    QCOMPARE(*table.find(INT_MAX - 1), 'z');
    QCOMPARE(*table.find(INT_MAX), 'y');
}

void TestIndexTable::truncateDropsTheEntriesFromTheLength() {
    auto table = tableOf("ab.de");
    table.truncate(3);
    QCOMPARE(QString::fromStdString(spelled(table)), QString("ab."));
    table.truncate(10); // never lengthens
    QCOMPARE(table.size(), 3);
    table.truncate(-1);
    QVERIFY(table.empty());
    QCOMPARE(table.size(), 0);
}

void TestIndexTable::storeOutOfOrderKeepsTheIndexOrder() {
    base::IndexTable<char> table;
    for (int index : {5, 1, 9, 3, 7})
        table.store(index, char('0' + index));
    table.store(3, 'x');
    QCOMPARE(QString::fromStdString(spelled(table)), QString(".1.x.5.7.9"));
}

QTEST_APPLESS_MAIN(TestIndexTable)
#include "tst_indextable.moc"
