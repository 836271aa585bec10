#include "format/componentstreamtext.h"
#include "format/cp1252.h"

#include <QTest>
#include <optional>
#include <string>

using format::cp1252ToUtf8;
using format::utf8ToCp1252;

class TestCp1252 : public QObject {
    Q_OBJECT

private slots:
    void textsOfTheCodePage_data();
    void textsOfTheCodePage();
    void everyByteSurvivesATripThroughUtf8();
    void charactersTheCodePageLacks_data();
    void charactersTheCodePageLacks();
    void utf8BecomesTheUnitsQtReads_data();
    void utf8BecomesTheUnitsQtReads();
};

void TestCp1252::textsOfTheCodePage_data() {
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain ASCII is unchanged")
        << QByteArray("Grand Montant") << QByteArray("Grand Montant");
    QTest::newRow("an accented letter is one Latin-1 byte")
        << QByteArray("embr\xC3\xA8vement") << QByteArray("embr\xE8vement");
    QTest::newRow("the euro sign is 0x80") << QByteArray("\xE2\x82\xAC") << QByteArray("\x80");
    QTest::newRow("the ligatures are 0x8C and 0x9C")
        << QByteArray("\xC5\x92\xC5\x93") << QByteArray("\x8C\x9C");
    QTest::newRow("curly quote and ellipsis are 0x92 and 0x85")
        << QByteArray("\xE2\x80\x99\xE2\x80\xA6") << QByteArray("\x92\x85");
    QTest::newRow("capital Y with diaeresis is 0x9F")
        << QByteArray("\xC5\xB8") << QByteArray("\x9F");
    QTest::newRow("the no-break space and y with diaeresis are Latin-1")
        << QByteArray("\xC2\xA0\xC3\xBF") << QByteArray("\xA0\xFF");
    QTest::newRow("an empty text is empty") << QByteArray() << QByteArray();
}

void TestCp1252::textsOfTheCodePage() {
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, bytes);
    QCOMPARE(QByteArray::fromStdString(cp1252ToUtf8(bytes.toStdString())), utf8);
    const std::optional<std::string> encoded = utf8ToCp1252(utf8.toStdString());
    QVERIFY(encoded.has_value());
    QCOMPARE(QByteArray::fromStdString(*encoded), bytes);
}

void TestCp1252::everyByteSurvivesATripThroughUtf8() {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string utf8 = cp1252ToUtf8(all);
    QVERIFY(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).size() == 256);
    const std::optional<std::string> back = utf8ToCp1252(utf8);
    QVERIFY(back.has_value());
    QVERIFY(*back == all);
}

void TestCp1252::charactersTheCodePageLacks_data() {
    QTest::addColumn<QByteArray>("utf8");
    QTest::newRow("an arrow") << QByteArray("a\xE2\x86\x92"
                                            "b");
    QTest::newRow("a letter of Latin Extended-A outside the page") << QByteArray("\xC4\x80");
    QTest::newRow("a character beyond the basic plane") << QByteArray("\xF0\x9F\x98\x80");
    QTest::newRow("the C1 control 0x80, whose byte is the euro") << QByteArray("\xC2\x80");
    QTest::newRow("a lone Latin-1 byte is not UTF-8") << QByteArray("caf\xE9");
    QTest::newRow("an overlong form is not UTF-8") << QByteArray("\xC0\x80");
    QTest::newRow("an encoded surrogate is not UTF-8") << QByteArray("\xED\xA0\x80");
    QTest::newRow("a sequence cut short is not UTF-8") << QByteArray("\xE2\x82");
}

void TestCp1252::charactersTheCodePageLacks() {
    QFETCH(QByteArray, utf8);
    QVERIFY(!utf8ToCp1252(utf8.toStdString()).has_value());
}

void TestCp1252::utf8BecomesTheUnitsQtReads_data() {
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ASCII") << QByteArray("Montant 12") << QString("Montant 12");
    QTest::newRow("two- and three-byte") << QByteArray("é € œ") << QString("é € œ");
    QTest::newRow("four-byte, a surrogate pair")
        << QByteArray("\xF0\x9F\x93\x90") << QString::fromUtf8("\xF0\x9F\x93\x90");
    QTest::newRow("a stray byte is replaced") << QByteArray("a\xFF"
                                                            "b")
                                              << QString::fromUtf8("a\xEF\xBF\xBD"
                                                                   "b");
    QTest::newRow("a cut sequence is replaced")
        << QByteArray("a\xC3") << QString::fromUtf8("a\xEF\xBF\xBD");
}

void TestCp1252::utf8BecomesTheUnitsQtReads() {
    QFETCH(QByteArray, utf8);
    QFETCH(QString, expected);
    std::u16string units = u"»";
    format::appendUtf16(units, std::string_view(utf8.constData(), std::size_t(utf8.size())));
    QCOMPARE(QString::fromStdU16String(units), QString::fromUtf8("»") + expected);
}

QTEST_APPLESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
