#include "platform/apptitle.h"
#include "platform/messagebox.h"
#include "platform/showfailure.h"

#include <QApplication>
#include <QTest>

using platform::BoxAnswer;
using platform::BoxIcon;
using platform::BoxRequest;

class TestShowFailure : public QObject {
    Q_OBJECT

private slots:
    void fullStopRule_data();
    void fullStopRule();
    void titleRule_data();
    void titleRule();
    void errorBoxIsStopIconWithOkAndTitle();
    void guardShowsFailureAndGoesOn();
    void noticeHasNoIconAndOneOk();
    void confirmationIsYesOnlyOnOui();

private:
    QList<BoxRequest> answered(BoxAnswer answer);
    QList<BoxRequest> asked_;
};

QList<BoxRequest> TestShowFailure::answered(BoxAnswer answer) {
    asked_.clear();
    platform::setBoxResponder([this, answer](const BoxRequest& request) {
        asked_.append(request);
        return answer;
    });
    return asked_;
}

void TestShowFailure::fullStopRule_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a message ending in a letter gets a full stop")
        << "Division par zéro en virgule flottante"
        << "Division par zéro en virgule flottante.";
    QTest::newRow("a digit gets one") << "Code : 5"
                                      << "Code : 5.";
    QTest::newRow("a colon gets one") << "Erreur :"
                                      << "Erreur :.";
    QTest::newRow("a question mark gets one") << "Vraiment ?"
                                              << "Vraiment ?.";
    QTest::newRow("an accented letter gets one") << "Imprimante sélectionnée incorrecté"
                                                 << "Imprimante sélectionnée incorrecté.";
    QTest::newRow("a full stop is kept") << "Fini."
                                         << "Fini.";
    QTest::newRow("an exclamation mark is kept") << "Stop!"
                                                 << "Stop!";
    QTest::newRow("a closing bracket is kept") << "Indice (3)"
                                               << "Indice (3)";
    QTest::newRow("a quote is kept") << "'' n'est pas 'x'"
                                     << "'' n'est pas 'x'";
    QTest::newRow("the empty message stays empty") << ""
                                                   << "";
}

void TestShowFailure::fullStopRule() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(platform::failureBoxText(message), shown);
}

void TestShowFailure::titleRule_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("an upper-case program file") << "C:\\Prog\\QUILVAR.EXE"
                                                << "Quilvar";
    QTest::newRow("the lower-case Linux program gets its capital") << "/usr/bin/quilvar"
                                                                   << "Quilvar";
    QTest::newRow("cut at the first dot") << "/opt/Mon.Outil.bin"
                                          << "Mon";
    QTest::newRow("a single letter") << "/x/Q"
                                     << "Q";
}

void TestShowFailure::titleRule() {
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(platform::titleFromExecutable(path), title);
}

void TestShowFailure::errorBoxIsStopIconWithOkAndTitle() {
    answered(BoxAnswer::Ok);
    platform::ShowFailure(base::DivisionByZero());
    QCOMPARE(asked_.size(), 1);
    QCOMPARE(asked_[0].text, QString("Division par zéro en virgule flottante."));
    QCOMPARE(asked_[0].caption, platform::applicationTitle());
    QCOMPARE(asked_[0].icon, BoxIcon::Error);
    QCOMPARE(asked_[0].buttons, QList<BoxAnswer>{BoxAnswer::Ok});
}

void TestShowFailure::guardShowsFailureAndGoesOn() {
    answered(BoxAnswer::Ok);
    bool after = false;
    platform::guarded([] { throw base::Failure("Impression en cours"); });
    after = true;
    QVERIFY(after);
    QCOMPARE(asked_.size(), 1);
    QCOMPARE(asked_[0].text, QString("Impression en cours."));
}

void TestShowFailure::noticeHasNoIconAndOneOk() {
    answered(BoxAnswer::Ok);
    platform::showNotice("Valeurs saisies incorrectes");
    QCOMPARE(asked_.size(), 1);
    QCOMPARE(asked_[0].text, QString("Valeurs saisies incorrectes"));
    QCOMPARE(asked_[0].icon, BoxIcon::None);
    QCOMPARE(asked_[0].caption, platform::applicationTitle());
    QCOMPARE(asked_[0].defaultButton, BoxAnswer::Ok);
    QCOMPARE(asked_[0].escapeButton, BoxAnswer::Ok);
}

void TestShowFailure::confirmationIsYesOnlyOnOui() {
    answered(BoxAnswer::Yes);
    QVERIFY(platform::confirmInformation("Impression de la fenêtre"));
    QCOMPARE(asked_[0].caption, QString("Information"));
    QCOMPARE(asked_[0].icon, BoxIcon::Information);
    QCOMPARE(asked_[0].buttons, (QList<BoxAnswer>{BoxAnswer::Yes, BoxAnswer::No}));
    QCOMPARE(asked_[0].defaultButton, BoxAnswer::Yes);
    QCOMPARE(asked_[0].escapeButton, BoxAnswer::No);
    answered(BoxAnswer::No);
    QVERIFY(!platform::confirmInformation("x"));
    answered(BoxAnswer::Closed);
    QVERIFY(!platform::confirmInformation("x"));
}

QTEST_MAIN(TestShowFailure)
#include "tst_showfailure.moc"
