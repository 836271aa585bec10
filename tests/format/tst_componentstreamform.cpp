#include "format/componentstreamreader.h"
#include "format/formdata.h"

#include <QTest>

using format::ComponentReader;
using format::FormObject;
using format::FormWriter;
using format::StreamError;

namespace {

QString failureOf(std::string_view data) {
    try {
        format::parseForm(data);
    } catch (const StreamError& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

// A dialog holding a panel and a grid, as form data.
std::string dialogForm() {
    FormWriter form;
    format::ComponentWriter& out = form.stream();
    form.beginObject("TFormDebitDlg", "FormDebitDlg");
    out.writePropName("Caption");
    out.writeString("Fiche de d\xC3\xA9"
                    "bit");
    form.endProperties();
    form.beginObject("TPanel", "Panel1");
    out.writePropName("Align");
    out.writeIdent("alTop");
    form.endProperties();
    form.endObject();
    form.beginObject("TStringAlignGrid", "StringAlignGrid");
    out.writePropName("ColWidths");
    out.writeListBegin();
    out.writeInteger(100);
    out.writeInteger(71);
    out.writeListEnd();
    form.endProperties();
    form.endObject();
    form.endObject();
    return form.take();
}

} // namespace

class TestComponentStreamForm : public QObject {
    Q_OBJECT

private slots:
    void objectsAndPropertiesAreReadBack();
    void referenceBytesOfASmallForm();
    void prefixedObjectsKeepTheirFlags();
    void everyCutFailsCleanly();
    void badSignatureFails();
    void propertyNamesOfAnyLengthAreReadBack();
};

void TestComponentStreamForm::objectsAndPropertiesAreReadBack() {
    const std::string data = dialogForm();
    const FormObject root = format::parseForm(data);
    QCOMPARE(root.className, std::string("TFormDebitDlg"));
    QCOMPARE(root.name, std::string("FormDebitDlg"));
    QCOMPARE(root.properties.size(), std::size_t(1));
    ComponentReader caption(root.properties[0].value);
    QCOMPARE(caption.readString(), std::string("Fiche de d\xC3\xA9"
                                               "bit"));
    QCOMPARE(root.children.size(), std::size_t(2));
    QCOMPARE(root.children[0].name, std::string("Panel1"));

    const FormObject* grid = format::findObjectOfClass(root, "TStringAlignGrid");
    QVERIFY(grid != nullptr);
    QCOMPARE(grid->name, std::string("StringAlignGrid"));
    QCOMPARE(grid->properties[0].name, std::string("ColWidths"));
    ComponentReader widths(grid->properties[0].value);
    widths.readListBegin();
    QCOMPARE(widths.readInteger(), 100);
    QCOMPARE(widths.readInteger(), 71);
    widths.readListEnd();
    QVERIFY(widths.atEnd());
    QVERIFY(format::findObjectOfClass(root, "TButton") == nullptr);
}

void TestComponentStreamForm::referenceBytesOfASmallForm() {
    FormWriter form;
    form.beginObject("TPanel", "P");
    form.stream().writePropName("Top");
    form.stream().writeInteger(33);
    form.endProperties();
    form.endObject();
    const QByteArray expected = QByteArray("TPF0\x06TPanel\x01P\x03Top\x02\x21") + QByteArray(2, 0);
    QCOMPARE(QByteArray::fromStdString(form.take()).toHex(), expected.toHex());
}

void TestComponentStreamForm::prefixedObjectsKeepTheirFlags() {
    // An inherited child with its position: prefix 0xF3, then the position as an integer.
    const QByteArray data = QByteArray("TPF0\x05TForm\x01"
                                       "F") +
                            QByteArray(1, 0) + QByteArray::fromHex("f30203") + "\x06TPanel\x01P" +
                            QByteArray(3, 0);
    const FormObject root =
        format::parseForm(std::string_view(data.constData(), std::size_t(data.size())));
    QCOMPARE(root.children.size(), std::size_t(1));
    QCOMPARE(int(root.children[0].filerFlags), 3);
    QCOMPARE(root.children[0].childPos.value_or(-1), 3);
    QCOMPARE(root.children[0].className, std::string("TPanel"));
}

void TestComponentStreamForm::everyCutFailsCleanly() {
    const std::string data = dialogForm();
    for (std::size_t cut = 4; cut < data.size(); ++cut) {
        QCOMPARE(failureOf(std::string_view(data).substr(0, cut)),
                 QStringLiteral("Erreur de lecture du flux : données tronquées"));
    }
}

void TestComponentStreamForm::propertyNamesOfAnyLengthAreReadBack() {
    // A name's length byte is no value tag: 21 and beyond are not read as one.
    for (const std::size_t length : {std::size_t(21), std::size_t(245), std::size_t(255)}) {
        const std::string name(length, 'N');
        format::FormWriter form;
        form.beginObject("TX", "O");
        form.stream().writePropName(name);
        form.stream().writeInteger(1);
        form.endProperties();
        form.endObject();
        const std::string data = form.take();
        const FormObject root = format::parseForm(data);
        QCOMPARE(root.properties.size(), std::size_t(1));
        QCOMPARE(root.properties[0].name, name);
    }
}

void TestComponentStreamForm::badSignatureFails() {
    const QString bad = QStringLiteral("Format de flux incorrect : signature absente");
    QCOMPARE(failureOf(""), bad);
    QCOMPARE(failureOf("TPF"), bad);
    QCOMPARE(failureOf(std::string_view("TPF1\x06TPanel\x01P\x00\x00", 14)), bad);
}

QTEST_APPLESS_MAIN(TestComponentStreamForm)
#include "tst_componentstreamform.moc"
