#include "format/componentstreamreader.h"
#include "format/componentstreamwriter.h"

#include <QTest>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

using format::ComponentReader;
using format::ComponentWriter;
using format::StreamError;
using format::ValueType;

namespace {

QByteArray bytesOf(const std::string& data) {
    return QByteArray::fromStdString(data);
}

std::string_view viewOf(const QByteArray& data) {
    return std::string_view(data.constData(), std::size_t(data.size()));
}

// Runs a read and returns the message of the StreamError it raised ("" when none).
QString failureOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const StreamError& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

const QString kBadValue = QStringLiteral("Valeur de propriété incorrecte");
const QString kTruncated = QStringLiteral("Erreur de lecture du flux : données tronquées");

} // namespace

class TestComponentStream : public QObject {
    Q_OBJECT

private slots:
    void integersTakeTheSmallestForm_data();
    void integersTakeTheSmallestForm();
    void stringsTakeTheirForm_data();
    void stringsTakeTheirForm();
    void utf16StringsAreRead();
    void otherKindsHaveTheirBytes();
    void binaryBlockIsFilledInPlace();
    void wrongKindIsRefused_data();
    void wrongKindIsRefused();
    void everyCutOfAStreamFailsCleanly();
    void lengthsBeyondTheDataFail_data();
    void lengthsBeyondTheDataFail();
    void unknownTagsFail();
    void badlyEncodedTextsFail();
    void skipReadsOverEveryKind();
    void deepNestingFails();
    void byteBlockStopsAtItsEnd();
};

void TestComponentStream::integersTakeTheSmallestForm_data() {
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("zero is one byte") << qint64(0) << QByteArray::fromHex("0200");
    QTest::newRow("-128 is one byte") << qint64(-128) << QByteArray::fromHex("0280");
    QTest::newRow("127 is one byte") << qint64(127) << QByteArray::fromHex("027f");
    QTest::newRow("128 needs two bytes") << qint64(128) << QByteArray::fromHex("038000");
    QTest::newRow("-129 needs two bytes") << qint64(-129) << QByteArray::fromHex("037fff");
    QTest::newRow("-13, a font height, is one byte") << qint64(-13) << QByteArray::fromHex("02f3");
    QTest::newRow("32767 is two bytes") << qint64(32767) << QByteArray::fromHex("03ff7f");
    QTest::newRow("32768 needs four bytes") << qint64(32768) << QByteArray::fromHex("0400800000");
    QTest::newRow("a system colour is four bytes")
        << qint64(std::int32_t(0x8000000F)) << QByteArray::fromHex("040f000080");
    QTest::newRow("the largest 32-bit value is four bytes")
        << qint64(std::numeric_limits<std::int32_t>::max()) << QByteArray::fromHex("04ffffff7f");
    QTest::newRow("beyond 32 bits takes eight bytes")
        << (qint64(1) << 31) << QByteArray::fromHex("130000008000000000");
    QTest::newRow("a large negative value takes eight bytes")
        << qint64(std::numeric_limits<std::int64_t>::min())
        << QByteArray::fromHex("130000000000000080");
}

void TestComponentStream::integersTakeTheSmallestForm() {
    QFETCH(qint64, value);
    QFETCH(QByteArray, bytes);
    ComponentWriter writer;
    writer.writeInteger(value);
    QCOMPARE(bytesOf(writer.data()).toHex(), bytes.toHex());
    ComponentReader reader(viewOf(bytes));
    QCOMPARE(reader.readInt64(), value);
    QVERIFY(reader.atEnd());
    if (bytes[0] != char(ValueType::Int64)) {
        ComponentReader narrow(viewOf(bytes));
        QCOMPARE(qint64(narrow.readInteger()), value);
    } else {
        ComponentReader narrow(viewOf(bytes));
        QCOMPARE(failureOf([&] { narrow.readInteger(); }), kBadValue);
    }
}

void TestComponentStream::stringsTakeTheirForm_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("the empty text is a short string")
        << QByteArray() << QByteArray::fromHex("0600");
    QTest::newRow("a short text") << QByteArray("Grand Montant")
                                  << QByteArray::fromHex("060d") + "Grand Montant";
    QTest::newRow("accents become code-page bytes") << QByteArray("calcul\xC3\xA9"
                                                                  "es")
                                                    << QByteArray::fromHex("0609") + "calcul\xE9"
                                                                                     "es";
    QTest::newRow("255 bytes still fit the short form")
        << QByteArray(255, 'x') << QByteArray::fromHex("06ff") + QByteArray(255, 'x');
    QTest::newRow("256 bytes take the long form")
        << QByteArray(256, 'y') << QByteArray::fromHex("0c00010000") + QByteArray(256, 'y');
    QTest::newRow("a character outside the code page keeps the text in UTF-8")
        << QByteArray("\xC3\xA9\xE2\x86\x92")
        << QByteArray::fromHex("1405000000") + QByteArray("\xC3\xA9\xE2\x86\x92");
}

void TestComponentStream::stringsTakeTheirForm() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, bytes);
    ComponentWriter writer;
    writer.writeString(viewOf(text));
    QCOMPARE(bytesOf(writer.data()).toHex(), bytes.toHex());
    ComponentReader reader(viewOf(bytes));
    QCOMPARE(bytesOf(reader.readString()), text);
    QVERIFY(reader.atEnd());
}

void TestComponentStream::utf16StringsAreRead() {
    // "é→" followed by "😀" as a surrogate pair.
    const QByteArray bytes = QByteArray::fromHex("1204000000e9009221"
                                                 "3dd800de");
    ComponentReader reader(viewOf(bytes));
    QCOMPARE(bytesOf(reader.readString()), QByteArray("\xC3\xA9\xE2\x86\x92\xF0\x9F\x98\x80"));
    QVERIFY(reader.atEnd());
}

void TestComponentStream::otherKindsHaveTheirBytes() {
    ComponentWriter writer;
    writer.writePropName("Align");
    writer.writeIdent("alClient");
    writer.writeBoolean(false);
    writer.writeBoolean(true);
    writer.writeSet({"goVertLine", "goRangeSelect"});
    writer.writeSet({});
    writer.writeListBegin();
    writer.writeInteger(100);
    writer.writeInteger(71);
    writer.writeListEnd();
    const std::uint8_t block[] = {4, 0, 1};
    writer.writeBinary(block);
    const QByteArray expected = QByteArray("\x05"
                                           "Align") +
                                QByteArray::fromHex("0708") + "alClient" +
                                QByteArray::fromHex("0809") + "\x0b\x0a" + "goVertLine" + "\x0d" +
                                "goRangeSelect" + QByteArray(1, 0) +
                                QByteArray::fromHex("0b00"
                                                    "01"
                                                    "0264"
                                                    "0247"
                                                    "00") +
                                QByteArray::fromHex("0a03000000"
                                                    "040001");
    QCOMPARE(bytesOf(writer.data()).toHex(), expected.toHex());

    ComponentReader reader(viewOf(expected));
    QCOMPARE(reader.readPropName(), std::string("Align"));
    QCOMPARE(reader.readIdent(), std::string("alClient"));
    QCOMPARE(reader.readBoolean(), false);
    QCOMPARE(reader.readBoolean(), true);
    QCOMPARE(reader.readSet(), (std::vector<std::string>{"goVertLine", "goRangeSelect"}));
    QVERIFY(reader.readSet().empty());
    reader.readListBegin();
    QCOMPARE(reader.readInteger(), 100);
    QVERIFY(!reader.endOfList());
    QCOMPARE(reader.readInteger(), 71);
    QVERIFY(reader.endOfList());
    reader.readListEnd();
    format::ByteBlock read = reader.readBinary();
    QCOMPARE(read.size(), std::size_t(3));
    QCOMPARE(read.readU16(), std::uint16_t(4));
    QCOMPARE(read.readU8(), std::uint8_t(1));
    QVERIFY(reader.atEnd());
}

void TestComponentStream::binaryBlockIsFilledInPlace() {
    ComponentWriter writer;
    const std::size_t begun = writer.beginBinary();
    writer.appendU16(0x1234);
    writer.appendU16(65535);
    writer.appendU8(2);
    writer.endBinary(begun);
    QCOMPARE(bytesOf(writer.data()).toHex(), QByteArray("0a05000000"
                                                        "3412"
                                                        "ffff"
                                                        "02"));
}

void TestComponentStream::wrongKindIsRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("read");
    // read: 0 integer, 1 string, 2 list begin, 3 binary, 4 boolean, 5 ident, 6 set, 7 list end
    QTest::newRow("a string where an integer belongs") << QByteArray::fromHex("060141") << 0;
    QTest::newRow("an 8-byte integer where a 32-bit one belongs")
        << QByteArray::fromHex("130100000000000000") << 0;
    QTest::newRow("an identifier where an integer belongs") << QByteArray::fromHex("070141") << 0;
    QTest::newRow("an integer where a string belongs") << QByteArray::fromHex("0205") << 1;
    QTest::newRow("an identifier where a string belongs") << QByteArray::fromHex("070141") << 1;
    QTest::newRow("an integer where a list belongs") << QByteArray::fromHex("0205") << 2;
    QTest::newRow("a list where a byte block belongs") << QByteArray::fromHex("0100") << 3;
    QTest::newRow("an integer where a Boolean belongs") << QByteArray::fromHex("0201") << 4;
    QTest::newRow("a string where an identifier belongs") << QByteArray::fromHex("060141") << 5;
    QTest::newRow("a list where a set belongs") << QByteArray::fromHex("0100") << 6;
    QTest::newRow("a value where the end of a list belongs") << QByteArray::fromHex("0201") << 7;
}

void TestComponentStream::wrongKindIsRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, read);
    ComponentReader reader(viewOf(bytes));
    const std::function<void()> reads[] = {
        [&] { reader.readInteger(); },   [&] { reader.readString(); },
        [&] { reader.readListBegin(); }, [&] { reader.readBinary(); },
        [&] { reader.readBoolean(); },   [&] { reader.readIdent(); },
        [&] { reader.readSet(); },       [&] { reader.readListEnd(); }};
    QCOMPARE(failureOf(reads[read]), kBadValue);
    QCOMPARE(reader.position(), std::size_t(0));
}

void TestComponentStream::everyCutOfAStreamFailsCleanly() {
    ComponentWriter writer;
    writer.writePropName("Cells");
    writer.writeListBegin();
    writer.writeInteger(0);
    writer.writeInteger(300);
    writer.writeString("Dimensions calcul\xC3\xA9"
                       "es");
    writer.writeString(std::string(300, 'z'));
    writer.writeString("\xE2\x86\x92");
    writer.writeInteger(100000);
    writer.writeInteger(std::int64_t(1) << 40);
    writer.writeListEnd();
    writer.writeIdent("alRight");
    writer.writeSet({"goTabs"});
    const std::uint8_t block[] = {1, 2, 3, 4, 5};
    writer.writeBinary(block);
    const std::string whole = writer.data();
    const auto readAll = [](ComponentReader& reader) {
        reader.readPropName();
        for (int value = 0; value < 4; ++value) {
            reader.skipValue();
        }
    };
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        ComponentReader reader(std::string_view(whole).substr(0, cut));
        QCOMPARE(failureOf([&] { readAll(reader); }), kTruncated);
    }
    ComponentReader reader(whole);
    readAll(reader);
    QVERIFY(reader.atEnd());
}

void TestComponentStream::lengthsBeyondTheDataFail_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("a short string longer than the data") << QByteArray::fromHex("06054142");
    QTest::newRow("a long string of two gigabytes") << QByteArray::fromHex("0cffffff7f41");
    QTest::newRow("a long string whose length has the top bit set")
        << QByteArray::fromHex("0cffffffff41");
    QTest::newRow("a byte block longer than the data") << QByteArray::fromHex("0a1000000001");
    QTest::newRow("a UTF-16 text of a billion characters") << QByteArray::fromHex("1200ca9a3b4100");
    QTest::newRow("a UTF-16 text with an odd byte short") << QByteArray::fromHex("12020000004100"
                                                                                 "42");
    QTest::newRow("a UTF-8 text longer than the data") << QByteArray::fromHex("14030000004142");
    QTest::newRow("a list without its end") << QByteArray::fromHex("01020102");
    QTest::newRow("a set without its empty name") << QByteArray::fromHex("0b0141");
    QTest::newRow("a length cut inside its own four bytes") << QByteArray::fromHex("0a0100");
}

void TestComponentStream::lengthsBeyondTheDataFail() {
    QFETCH(QByteArray, bytes);
    ComponentReader reader(viewOf(bytes));
    QCOMPARE(failureOf([&] { reader.skipValue(); }), kTruncated);
}

void TestComponentStream::unknownTagsFail() {
    for (int tag : {21, 0x7f, 0xff}) {
        const QByteArray bytes(1, char(tag));
        ComponentReader reader(viewOf(bytes));
        QCOMPARE(failureOf([&] { reader.skipValue(); }),
                 QStringLiteral("Format de flux incorrect : type de valeur inconnu (%1)").arg(tag));
        QCOMPARE(failureOf([&] { reader.readInteger(); }),
                 QStringLiteral("Format de flux incorrect : type de valeur inconnu (%1)").arg(tag));
    }
}

void TestComponentStream::badlyEncodedTextsFail() {
    const QString bad = QStringLiteral("Format de flux incorrect : texte mal codé");
    for (const QByteArray& bytes :
         {QByteArray::fromHex("1401000000e9"), QByteArray::fromHex("1201000000"
                                                                   "00d8")}) {
        ComponentReader reader(viewOf(bytes));
        QCOMPARE(failureOf([&] { reader.readString(); }), bad);
    }
}

void TestComponentStream::skipReadsOverEveryKind() {
    // Extended, single, currency, date, nil, and a collection of two items (one ordered).
    const QByteArray bytes = QByteArray::fromHex("05"
                                                 "00000000000000803fff") +
                             QByteArray::fromHex("0f0000803f") +
                             QByteArray::fromHex("10"
                                                 "0100000000000000") +
                             QByteArray::fromHex("11"
                                                 "0000000000000000") +
                             QByteArray::fromHex("0d") +
                             QByteArray::fromHex("0e"
                                                 "01"
                                                 "03"
                                                 "414243"
                                                 "0205"
                                                 "00"
                                                 "0203"
                                                 "01"
                                                 "00"
                                                 "00");
    ComponentReader reader(viewOf(bytes));
    for (int value = 0; value < 6; ++value) {
        reader.skipValue();
    }
    QVERIFY(reader.atEnd());

    ComponentReader view(viewOf(bytes));
    QCOMPARE(view.takeValue().size(), std::size_t(11));
}

void TestComponentStream::deepNestingFails() {
    const QByteArray deep = QByteArray(100000, '\x01') + QByteArray(100000, '\x00');
    ComponentReader reader(viewOf(deep));
    QCOMPARE(failureOf([&] { reader.skipValue(); }),
             QStringLiteral("Format de flux incorrect : imbrication trop profonde"));
    const QByteArray shallow = QByteArray(20, '\x01') + QByteArray(20, '\x00');
    ComponentReader fine(viewOf(shallow));
    fine.skipValue();
    QVERIFY(fine.atEnd());
}

void TestComponentStream::byteBlockStopsAtItsEnd() {
    const QByteArray bytes = QByteArray::fromHex("0a03000000"
                                                 "010203"
                                                 "ff");
    ComponentReader reader(viewOf(bytes));
    format::ByteBlock block = reader.readBinary();
    QCOMPARE(block.readU16(), std::uint16_t(0x0201));
    QCOMPARE(block.left(), std::size_t(1));
    QCOMPARE(failureOf([&] { block.readU16(); }), kTruncated);
    QCOMPARE(block.readU8(), std::uint8_t(3));
    QCOMPARE(failureOf([&] { block.readU8(); }), kTruncated);
}

QTEST_APPLESS_MAIN(TestComponentStream)
#include "tst_componentstream.moc"
