#include "format/formdatatext.h"

#include <QFile>
#include <QTest>

using format::formDataFromText;

namespace {

QByteArray formOf(const QByteArray& text) {
    return QByteArray::fromStdString(formDataFromText(text.toStdString()));
}

// Form data of one object "O: TX" with the given property bytes.
QByteArray expectedForm(const QByteArray& properties) {
    return QByteArray("TPF0\x02TX\x01O") + properties + QByteArray(2, '\0');
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestComponentStreamFormText : public QObject {
    Q_OBJECT

private slots:
    void valuesOfTheText_data();
    void valuesOfTheText();
    void childObjectsFollowTheProperties();
    void faultsNameTheirLine_data();
    void faultsNameTheirLine();
    void theCommittedGridFormMatchesItsText();
};

void TestComponentStreamFormText::valuesOfTheText_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("a small integer") << QByteArray("33") << QByteArray::fromHex("0221");
    QTest::newRow("a negative integer") << QByteArray("-13") << QByteArray::fromHex("02f3");
    QTest::newRow("a large integer") << QByteArray("721") << QByteArray::fromHex("03d102");
    QTest::newRow("a quoted text with an accent and a doubled quote")
        << QByteArray("'l''embr\xC3\xA8vement'")
        << QByteArray::fromHex("060d") + "l'embr\xE8vement";
    QTest::newRow("text pieces joined with a character by number")
        << QByteArray("'a'#233'b'")
        << QByteArray::fromHex("0603") + "a\xE9"
                                         "b";
    QTest::newRow("the smallest 64-bit integer")
        << QByteArray("-9223372036854775808") << QByteArray::fromHex("130000000000000080");
    QTest::newRow("an identifier")
        << QByteArray("alClient") << QByteArray::fromHex("0708") + "alClient";
    QTest::newRow("True and False are Booleans") << QByteArray("True") << QByteArray::fromHex("09");
    QTest::newRow("a set") << QByteArray("[goTabs, goEditing]")
                           << QByteArray::fromHex("0b06") + "goTabs" + "\x09" + "goEditing" +
                                  QByteArray(1, '\0');
    QTest::newRow("an empty set") << QByteArray("[]") << QByteArray::fromHex("0b00");
    QTest::newRow("a list over lines") << QByteArray("(\n  100\n  71)")
                                       << QByteArray::fromHex("01"
                                                              "0264"
                                                              "0247"
                                                              "00");
    QTest::newRow("a byte block") << QByteArray("{04 0001}")
                                  << QByteArray::fromHex("0a03000000"
                                                         "040001");
}

void TestComponentStreamFormText::valuesOfTheText() {
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, bytes);
    const QByteArray form = formOf("object O: TX\n  P = " + value + "\nend\n");
    QCOMPARE(form.toHex(), expectedForm(QByteArray("\x01P") + bytes).toHex());
}

void TestComponentStreamFormText::childObjectsFollowTheProperties() {
    const QByteArray form = formOf("object F: TForm\n  Top = 1\n  object P: TPanel\n  end\nend");
    QCOMPARE(form.toHex(), (QByteArray("TPF0\x05TForm\x01"
                                       "F\x03Top\x02\x01") +
                            QByteArray(1, 0) + "\x06TPanel\x01P" + QByteArray(3, 0))
                               .toHex());
}

void TestComponentStreamFormText::faultsNameTheirLine_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("a text left open") << QByteArray("object O: TX\n  P = 'abc\nend")
                                      << "Texte de fiche incorrect, ligne 2 : texte non terminé";
    QTest::newRow("an object without its end") << QByteArray("object O: TX\n  P = 1\n")
                                               << "Texte de fiche incorrect, ligne 3 : nom attendu";
    QTest::newRow("an odd count of hexadecimal digits")
        << QByteArray("object O: TX\n\n  P = {123}\nend")
        << "Texte de fiche incorrect, ligne 3 : nombre impair de chiffres hexadécimaux";
    QTest::newRow("a property without its equals sign")
        << QByteArray("object O: TX\n  P 1\nend")
        << "Texte de fiche incorrect, ligne 2 : '=' attendu";
    QTest::newRow("a character number beyond Unicode")
        << QByteArray("object O: TX\n  P = #1114112\nend")
        << "Texte de fiche incorrect, ligne 2 : caractère incorrect";
    QTest::newRow("a character number without digits")
        << QByteArray("object O: TX\n  P = 'a'#x\nend")
        << "Texte de fiche incorrect, ligne 2 : nombre attendu";
    QTest::newRow("a character number cut off by the end of the text")
        << QByteArray("object O: TX\n  P = 'a'#")
        << "Texte de fiche incorrect, ligne 2 : nombre attendu";
    QTest::newRow("a lone minus sign") << QByteArray("object O: TX\n  P = -\nend")
                                       << "Texte de fiche incorrect, ligne 2 : nombre attendu";
    QTest::newRow("a 19-digit number beyond 64 bits")
        << QByteArray("object O: TX\n  P = 9999999999999999999\nend")
        << "Texte de fiche incorrect, ligne 2 : nombre hors limites : 9999999999999999999";
    QTest::newRow("a number below 64 bits")
        << QByteArray("object O: TX\n\n  P = -9223372036854775809\nend")
        << "Texte de fiche incorrect, ligne 3 : nombre hors limites : -9223372036854775809";
    QTest::newRow("a character number beyond 64 bits")
        << QByteArray("object O: TX\n  P = #123456789012345678901\nend")
        << "Texte de fiche incorrect, ligne 2 : nombre hors limites : 123456789012345678901";
    const QByteArray longName(256, 'N');
    QTest::newRow("a name too long for the stream")
        << QByteArray("object O: TX\n  " + longName + " = 1\nend")
        << "Texte de fiche incorrect, ligne 2 : Nom trop long pour le flux : " + QString(longName);
    const QByteArray prefixLikeClass(240, 'C');
    QTest::newRow("a class name whose length reads as an object prefix")
        << QByteArray("object O: " + prefixLikeClass + "\nend")
        << "Texte de fiche incorrect, ligne 1 : Nom de classe trop long pour le flux (239 "
           "caractères au plus) : " +
               QString(prefixLikeClass);
    QTest::newRow("lists nested past what a reader takes")
        << QByteArray("object O: TX\n  P = " + QByteArray(100, '('))
        << "Texte de fiche incorrect, ligne 2 : imbrication trop profonde";
}

void TestComponentStreamFormText::faultsNameTheirLine() {
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    try {
        formOf(text);
        QFAIL("a faulty text was converted");
    } catch (const format::StreamError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
}

void TestComponentStreamFormText::theCommittedGridFormMatchesItsText() {
    const QByteArray text = readFile(QUILVAR_RESOURCES "/debitgrid.txt");
    const QByteArray committed = readFile(QUILVAR_RESOURCES "/debitgrid.frm");
    QVERIFY(!text.isEmpty());
    QVERIFY(!committed.isEmpty());
    QCOMPARE(formOf(text).toHex(), committed.toHex());
}

QTEST_APPLESS_MAIN(TestComponentStreamFormText)
#include "tst_componentstreamformtext.moc"
