// The form tool as a build runs it: a faulty text ends it with status 1 and a message naming the
// line, and no output is written; a sound text gives its form data.

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestFormTool : public QObject {
    Q_OBJECT

private slots:
    void faultyTextEndsWithItsMessage_data();
    void faultyTextEndsWithItsMessage();
    void soundTextGivesItsFormData();

private:
    struct Run {
        int status = -1;
        QString errors;
        bool wrote = false;
    };
    Run run(const QByteArray& text);
    QTemporaryDir dir_;
};

TestFormTool::Run TestFormTool::run(const QByteArray& text) {
    const QString source = dir_.filePath(QStringLiteral("fiche.txt"));
    const QString output = dir_.filePath(QStringLiteral("fiche.frm"));
    QFile::remove(output);
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
        return {};
    }
    file.close();
    QProcess tool;
    tool.start(QStringLiteral(QUILVAR_FORMTOOL), {source, output});
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit) {
        return {};
    }
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardError()), QFile::exists(output)};
}

void TestFormTool::faultyTextEndsWithItsMessage_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("a character number without digits")
        << QByteArray("object O: TX\n  P = 'a'#x\nend\n") << "ligne 2 : nombre attendu";
    QTest::newRow("a 19-digit number")
        << QByteArray("object O: TX\n  Left = 1\n  P = 9999999999999999999\nend\n")
        << "ligne 3 : nombre hors limites : 9999999999999999999";
}

void TestFormTool::faultyTextEndsWithItsMessage() {
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    const Run result = run(text);
    QCOMPARE(result.status, 1);
    QVERIFY2(result.errors.contains(QStringLiteral("Texte de fiche incorrect, ") + message),
             qPrintable(result.errors));
    QVERIFY(!result.wrote);
}

void TestFormTool::soundTextGivesItsFormData() {
    const Run result = run("object O: TX\n  P = 'a'#233\nend\n");
    QCOMPARE(result.status, 0);
    QCOMPARE(result.errors, QString());
    QVERIFY(result.wrote);
}

QTEST_APPLESS_MAIN(TestFormTool)
#include "tst_formtool.moc"
