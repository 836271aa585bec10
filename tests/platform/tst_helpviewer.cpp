#include "os/helpopener.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

void writeFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html></html>");
}

// Stands for the desktop's viewer: records what it is asked to open.
class RecordingOpener : public os::HelpOpener {
public:
    bool open(const QUrl& document) override {
        opened.append(document);
        return answer;
    }
    QList<QUrl> opened;
    bool answer = true;
};

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theDocumentIsFound_data();
    void theDocumentIsFound();
    void helpOpensOnTheContents();
    void aDocumentThatCannotBeOpenedIsReportedWithItsPath_data();
    void aDocumentThatCannotBeOpenedIsReportedWithItsPath();
    void theDocumentsContentsLeadToEverySection();

private:
    QTemporaryDir root_;
    RecordingOpener opener_;
    QList<platform::BoxRequest> boxes_;
};

void TestHelpViewer::init() {
    opener_.opened.clear();
    opener_.answer = true;
    boxes_.clear();
    platform::setBoxResponder([this](const platform::BoxRequest& request) {
        boxes_.append(request);
        return platform::BoxAnswer::Ok;
    });
}

void TestHelpViewer::cleanup() {
    platform::setBoxResponder({});
    platform::setApplicationHelpFile({});
}

void TestHelpViewer::theDocumentIsFound_data() {
    QTest::addColumn<bool>("installed");   // beside the program, in its prefix's share folder
    QTest::addColumn<bool>("inDataDir");   // in a system data folder
    QTest::addColumn<QString>("expected"); // relative to the temporary root
    QTest::newRow("installed with the program") << true << true << "share/quilvar/help/aide.html";
    QTest::newRow("only in a system data folder") << false << true << "data/quilvar/help/aide.html";
    QTest::newRow("nowhere: the place beside the program, for the notice")
        << false << false << "share/quilvar/help/aide.html";
}

void TestHelpViewer::theDocumentIsFound() {
    QFETCH(bool, installed);
    QFETCH(bool, inDataDir);
    QFETCH(QString, expected);
    QTemporaryDir root;
    const QDir prefix(root.path());
    if (installed) {
        writeFile(prefix.filePath("share/quilvar/help/aide.html"));
    }
    if (inDataDir) {
        writeFile(prefix.filePath("data/quilvar/help/aide.html"));
    }
    const QStringList dataDirs{prefix.filePath("empty"), prefix.filePath("data")};
    QCOMPARE(platform::findHelpDocument(prefix.filePath("bin"), dataDirs),
             prefix.filePath(expected));
}

void TestHelpViewer::helpOpensOnTheContents() {
    const QString path = QDir(root_.path()).filePath("aide.html");
    writeFile(path);
    platform::setApplicationHelpFile(path);
    platform::showHelpContents(opener_);
    QCOMPARE(opener_.opened.size(), 1);
    QCOMPARE(opener_.opened[0].toLocalFile(), path);
    QCOMPARE(opener_.opened[0].fragment(), QStringLiteral("sommaire"));
    QVERIFY(boxes_.isEmpty());
}

void TestHelpViewer::aDocumentThatCannotBeOpenedIsReportedWithItsPath_data() {
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("viewerOpensIt");
    QTest::addColumn<QString>("notice");
    QTest::newRow("a missing document") << false << true << "Le fichier d'aide est introuvable";
    QTest::newRow("no viewer for it")
        << true << false << "Aucune application n'a pu ouvrir le fichier d'aide";
}

void TestHelpViewer::aDocumentThatCannotBeOpenedIsReportedWithItsPath() {
    QFETCH(bool, exists);
    QFETCH(bool, viewerOpensIt);
    QFETCH(QString, notice);
    const QString path = QDir(root_.path()).filePath(exists ? "present.html" : "absent.html");
    if (exists) {
        writeFile(path);
    }
    opener_.answer = viewerOpensIt;
    platform::setApplicationHelpFile(path);
    platform::showHelpContents(opener_);
    QCOMPARE(opener_.opened.size(), exists ? 1 : 0);
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, notice + QStringLiteral(" : ") + path);
    QCOMPARE(boxes_[0].buttons, QList<platform::BoxAnswer>{platform::BoxAnswer::Ok});
}

void TestHelpViewer::theDocumentsContentsLeadToEverySection() {
    // The copy the build tree keeps where an installed program finds its own.
    const QString path = platform::findHelpDocument(QCoreApplication::applicationDirPath(), {});
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QString page = QString::fromUtf8(file.readAll());
    QVERIFY(page.contains(QStringLiteral("<html lang=\"fr\">")));
    QSet<QString> ids;
    for (const auto& match : QRegularExpression(" id=\"([^\"]+)\"").globalMatch(page)) {
        ids.insert(match.captured(1));
    }
    QVERIFY(ids.remove(QStringLiteral("sommaire")));
    const QRegularExpression link(" href=\"#([^\"]+)\"");
    for (const auto& match : link.globalMatch(page)) {
        QVERIFY2(ids.contains(match.captured(1)) || match.captured(1) == "sommaire",
                 qPrintable(match.captured(1)));
    }
    // The contents at the top lead to every section.
    const qsizetype start = page.indexOf(QStringLiteral("<nav id=\"sommaire\">"));
    const qsizetype end = page.indexOf(QStringLiteral("</nav>"), start);
    QVERIFY(start >= 0 && end > start && start < page.indexOf(QStringLiteral("<h2 id=")));
    QSet<QString> listed;
    for (const auto& match : link.globalMatch(page.mid(start, end - start))) {
        listed.insert(match.captured(1));
    }
    QCOMPARE(listed, ids);
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
