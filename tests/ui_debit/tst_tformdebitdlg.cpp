// The cutting-list window through the main window's button: what it lists, how it is laid out,
// where it opens and how it closes.

#include "platform/decimalmark.h"
#include "platform/messagebox.h"
#include "platform/radiogroup.h"
#include "platform/speedbutton.h"
#include "print/printer.h"
#include "tests/support/modalanswer.h"
#include "tests/support/testservices.h"
#include "ui/debit/tformdebitdlg.h"
#include "ui/main/cuttinglistsource.h"
#include "ui/main/tmainform.h"
#include "widgets/aligngrid/stringaligngrid.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <functional>
#include <memory>

using aligngrid::TMyAlign;
using platform::BoxAnswer;
using platform::BoxRequest;

namespace {

constexpr int kCols = 5;
constexpr int kRows = 6;

// The list's texts, row by row, and every cell's alignment, as the open window showed them.
struct Sight {
    QList<QStringList> rows;
    QList<TMyAlign> alignments;
    QRect frame;
    bool visible = false;
    bool modal = false;
    int result = -1;

    QString cell(int col, int row) const { return rows.value(row).value(col); }
};

const QString kStileRemark =
    QStringLiteral("Coupe avec un angle de : 50° (prévoir une surlongueur confortable)");
const QString kRailRemark = QStringLiteral("Ravancement (mm) : 15 [en prévoir 2]");
const QString kPanelRemark =
    QStringLiteral("Dimensions calculées pour un embrèvement de 15 mm et pour un seul panneau");

// The list of the main window as it opens, before any calculation.
QList<QStringList> workedExample() {
    return {
        {"", "Longueur", "Largeur", "Epaisseur", "Remarque"},
        {"Grand Montant", "795", "70", "24", kStileRemark},
        {"Petit Montant", "410", "70", "24", kStileRemark},
        {"Traverse Droite", "415", "70", "24", kRailRemark},
        {"Traverse Oblique", "534", "70", "24", kRailRemark},
        {"Panneau", "0 et 0", "415", "16", kPanelRemark},
    };
}

} // namespace

class TestFormDebitDlg : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theButtonOpensTheWorkedExample();
    void aCalculationInModeZeroReachesTheList_data();
    void aCalculationInModeZeroReachesTheList();
    void aHeightChangedWithoutCalculatingOnlyMovesTheLongStile();
    void aDecimalTenonLengthensTheRailsAndIsQuotedAsTyped_data();
    void aDecimalTenonLengthensTheRailsAndIsQuotedAsTyped();
    void anEmptyTenonStopsTheFillAndTheWindowStillOpens_data();
    void anEmptyTenonStopsTheFillAndTheWindowStillOpens();
    void theJointChoiceRenamesOnlyTheRailRemarks();
    void cellsAreAligned_data();
    void cellsAreAligned();
    void showingTwiceGivesTheSameList();
    void opensCentredOverTheMainWindowThenWhereItWasLeft();
    void closingHidesWithTheCancelResult_data();
    void closingHidesWithTheCancelResult();
    void escapeDoesNotClose();
    void printButtonConfirmsThenPrintsAndStaysOpen_data();
    void printButtonConfirmsThenPrintsAndStaysOpen();
    void controlsStandWhereDesignedAndAreNamed();
    void wideningTheWindowWidensTheGridOnly();
    void theWholeListShowsWithoutScrollBars();

private:
    // Presses the main window's cutting-list button and, once the window is open, reads it,
    // runs `whileOpen` and closes it with `close` (its close button by default). A window left
    // open is closed and fails the test rather than hang.
    Sight open(const std::function<void()>& whileOpen = {},
               const std::function<void()>& close = {});
    Sight read() const;
    void typeInto(QLineEdit* edit, const QString& text);
    void calculate();

    platform::DecimalMarkWatcher decimalMark_; // the mark the windows read
    std::unique_ptr<testsupport::TestServices> services_;
    std::unique_ptr<TMainForm> main_;
    std::unique_ptr<TFormDebitDlg> list_;
    QList<BoxRequest> boxes_;
    BoxAnswer answer_ = BoxAnswer::Ok;
    bool listVisibleAtBox_ = false;
};

void TestFormDebitDlg::init() {
    decimalMark_.setMark('.');
    boxes_.clear();
    answer_ = BoxAnswer::Ok;
    platform::setBoxResponder([this](const BoxRequest& request) {
        boxes_.append(request);
        listVisibleAtBox_ = list_ != nullptr && list_->isVisible();
        return answer_;
    });
    services_ = std::make_unique<testsupport::TestServices>();
    main_ = std::make_unique<TMainForm>(services_->printer, services_->help);
    list_ = std::make_unique<TFormDebitDlg>(
        *main_, [&mainForm = *main_] { return ui::cuttingListSource(mainForm); },
        services_->printer);
    main_->setFormDebitDlg(list_.get());
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
}

void TestFormDebitDlg::cleanup() {
    list_.reset();
    main_.reset();
    services_.reset();
    platform::setBoxResponder({});
    decimalMark_.setMark('.');
}

Sight TestFormDebitDlg::read() const {
    Sight sight;
    const TStringAlignGrid& grid = *list_->StringAlignGrid;
    for (int row = 0; row < grid.RowCount(); ++row) {
        QStringList texts;
        for (int col = 0; col < grid.ColCount(); ++col) {
            texts << grid.Cells(col, row);
            sight.alignments << grid.GetCellAlignment(col, row);
        }
        sight.rows << texts;
    }
    sight.frame = list_->frameGeometry();
    sight.visible = list_->isVisible();
    sight.modal = QApplication::activeModalWidget() == list_.get();
    return sight;
}

Sight TestFormDebitDlg::open(const std::function<void()>& whileOpen,
                             const std::function<void()>& close) {
    Sight sight;
    const QMetaObject::Connection finished =
        connect(list_.get(), &QDialog::finished, list_.get(),
                [&sight](int result) { sight.result = result; });
    const QList<QWidget*> seen = testsupport::answerModal(
        [this] { QTest::mouseClick(main_->SpeedButtonDebit, Qt::LeftButton); },
        [&](QWidget* modal) {
            if (modal != list_.get()) {
                modal->close();
                return;
            }
            sight = read();
            if (whileOpen) {
                whileOpen();
            }
            if (close) {
                close();
            } else {
                QTest::mouseClick(list_->SBtnClose, Qt::LeftButton);
            }
        });
    disconnect(finished);
    if (seen.value(0) != list_.get()) {
        QTest::qFail("the cutting list did not open modally", __FILE__, __LINE__);
    }
    return sight;
}

void TestFormDebitDlg::typeInto(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
}

void TestFormDebitDlg::calculate() {
    QTest::mouseClick(main_->SpeedButtonCalcul, Qt::LeftButton);
}

void TestFormDebitDlg::theButtonOpensTheWorkedExample() {
    QVERIFY(!list_->isVisible());
    const Sight sight = open();
    QVERIFY(sight.visible);
    QVERIFY(sight.modal);
    QCOMPARE(sight.rows, workedExample());
    QCOMPARE(sight.result, int(QDialog::Rejected));
    QVERIFY(!list_->isVisible());
    QVERIFY(boxes_.isEmpty());
}

void TestFormDebitDlg::aCalculationInModeZeroReachesTheList_data() {
    QTest::addColumn<char>("mark");
    QTest::addColumn<QString>("angle");
    QTest::newRow("with a decimal point the remark quotes 49.8") << '.' << "49.8";
    QTest::newRow("with a decimal comma the remark quotes 49,8") << ',' << "49,8";
}

void TestFormDebitDlg::aCalculationInModeZeroReachesTheList() {
    QFETCH(char, mark);
    QFETCH(QString, angle);
    decimalMark_.setMark(mark);
    QCOMPARE(main_->RadioGroupChoix->ItemIndex(), 0);
    calculate();
    QCOMPARE(main_->EditAngle->text(), angle);

    QList<QStringList> expected = workedExample();
    const QString stileRemark = QStringLiteral("Coupe avec un angle de : ") + angle +
                                QStringLiteral("° (prévoir une surlongueur confortable)");
    expected[1][4] = stileRemark;
    expected[2][4] = stileRemark;
    expected[5][1] = QStringLiteral("621 et 270");
    QCOMPARE(open().rows, expected);
    QVERIFY(boxes_.isEmpty());
}

void TestFormDebitDlg::aHeightChangedWithoutCalculatingOnlyMovesTheLongStile() {
    calculate();
    const Sight calculated = open();
    typeInto(main_->EditGrandExt, QStringLiteral("900"));
    const Sight changed = open();
    QCOMPARE(changed.cell(1, 1), QStringLiteral("900"));
    QList<QStringList> expected = calculated.rows;
    expected[1][1] = QStringLiteral("900");
    QCOMPARE(changed.rows, expected);
    QCOMPARE(changed.cell(1, 5), QStringLiteral("621 et 270"));
}

void TestFormDebitDlg::aDecimalTenonLengthensTheRailsAndIsQuotedAsTyped_data() {
    QTest::addColumn<char>("mark");
    QTest::addColumn<QString>("tenon");
    QTest::newRow("typed with a decimal point") << '.' << "12.5";
    QTest::newRow("typed with a decimal comma") << ',' << "12,5";
}

void TestFormDebitDlg::aDecimalTenonLengthensTheRailsAndIsQuotedAsTyped() {
    QFETCH(char, mark);
    QFETCH(QString, tenon);
    decimalMark_.setMark(mark);
    typeInto(main_->EditTenon, tenon);
    const Sight sight = open();
    QCOMPARE(sight.cell(1, 3), QStringLiteral("410"));
    QCOMPARE(sight.cell(1, 4), QStringLiteral("529"));
    const QString remark = QStringLiteral("Ravancement (mm) : ") + tenon + " [en prévoir 2]";
    QCOMPARE(sight.cell(4, 3), remark);
    QCOMPARE(sight.cell(4, 4), remark);
    QCOMPARE(sight.cell(2, 5), QStringLiteral("415"));
}

void TestFormDebitDlg::anEmptyTenonStopsTheFillAndTheWindowStillOpens_data() {
    QTest::addColumn<bool>("shownBefore");
    QTest::newRow("at the first showing the later cells stay empty") << false;
    QTest::newRow("after a full showing the later cells keep their texts") << true;
}

void TestFormDebitDlg::anEmptyTenonStopsTheFillAndTheWindowStillOpens() {
    QFETCH(bool, shownBefore);
    Sight before;
    if (shownBefore) {
        before = open();
    } else {
        before = read();
    }
    typeInto(main_->EditGrandExt, QStringLiteral("800"));
    typeInto(main_->EditLargBois, QStringLiteral("60"));
    main_->EditTenon->clear();

    const Sight sight = open();
    QVERIFY(sight.visible);
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].icon, platform::BoxIcon::Error);
    QCOMPARE(boxes_[0].text,
             QStringLiteral("'' n'est pas une valeur en virgule flottante correcte."));
    QCOMPARE(boxes_[0].buttons, QList<BoxAnswer>{BoxAnswer::Ok});
    QVERIFY2(!listVisibleAtBox_, "the failure is reported before the window appears");

    // Steps up to the short stile ran; from the bottom rail on, nothing was written.
    QList<QStringList> expected = before.rows;
    expected[1][1] = QStringLiteral("800");
    expected[2][1] = QStringLiteral("410");
    QCOMPARE(sight.rows, expected);
    // The alignments come first and are always set.
    QCOMPARE(sight.alignments[0 * kCols + 0], aligngrid::alLeft);
    QCOMPARE(sight.alignments[0 * kCols + 2], aligngrid::alCenter);
    QCOMPARE(sight.alignments[5 * kCols + 4], aligngrid::alLeft);
}

void TestFormDebitDlg::theJointChoiceRenamesOnlyTheRailRemarks() {
    QRadioButton* tenons = main_->RadioGroupAssemblage->button(1);
    QTest::mouseClick(tenons, Qt::LeftButton, {}, QPoint(8, tenons->height() / 2));
    QCOMPARE(main_->RadioGroupAssemblage->ItemIndex(), 1);
    QList<QStringList> expected = workedExample();
    expected[3][4] = QStringLiteral("Longueur du tenon (mm) : 15 [en prévoir 2]");
    expected[4][4] = expected[3][4];
    QCOMPARE(open().rows, expected);
}

void TestFormDebitDlg::cellsAreAligned_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<TMyAlign>("alignment");
    QTest::newRow("a piece name is left-aligned") << 0 << 2 << aligngrid::alLeft;
    QTest::newRow("the corner cell is left-aligned") << 0 << 0 << aligngrid::alLeft;
    QTest::newRow("a heading is centred") << 2 << 0 << aligngrid::alCenter;
    QTest::newRow("the remark heading is centred") << 4 << 0 << aligngrid::alCenter;
    QTest::newRow("a width is right-aligned") << 2 << 2 << aligngrid::alRight;
    QTest::newRow("a length is right-aligned") << 1 << 5 << aligngrid::alRight;
    QTest::newRow("the panel's remark is left-aligned") << 4 << 5 << aligngrid::alLeft;
}

void TestFormDebitDlg::cellsAreAligned() {
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(TMyAlign, alignment);
    QCOMPARE(open().alignments.value(row * kCols + col), alignment);
}

void TestFormDebitDlg::showingTwiceGivesTheSameList() {
    const Sight first = open();
    const Sight second = open();
    QCOMPARE(first.rows.size(), kRows);
    QCOMPARE(second.rows, first.rows);
    QCOMPARE(second.alignments, first.alignments);
}

void TestFormDebitDlg::opensCentredOverTheMainWindowThenWhereItWasLeft() {
    const QPoint moved = main_->frameGeometry().topLeft() + QPoint(37, 61);
    // Moved as the window manager moves it for the user, not through QWidget::move.
    const Sight first = open([this, moved] {
        list_->windowHandle()->setFramePosition(moved);
        QTRY_COMPARE_WITH_TIMEOUT(list_->frameGeometry().topLeft(), moved, 1000);
    });
    const QPoint offset = first.frame.center() - main_->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));

    const Sight second = open();
    QCOMPARE(second.frame.topLeft(), moved);
    const Sight third = open();
    QCOMPARE(third.frame.topLeft(), moved);
}

void TestFormDebitDlg::closingHidesWithTheCancelResult_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("its close button") << 0;
    QTest::newRow("the frame's close box") << 1;
    // What the window manager sends for Alt+F4 or the close box (X11 and Wayland alike).
    QTest::newRow("the desktop's close request") << 2;
}

void TestFormDebitDlg::closingHidesWithTheCancelResult() {
    QFETCH(int, way);
    std::function<void()> close;
    if (way == 1) {
        close = [this] { list_->close(); };
    } else if (way == 2) {
        close = [this] {
            QCloseEvent request;
            QCoreApplication::sendEvent(list_->windowHandle(), &request);
        };
    }
    const Sight sight = open({}, close);
    QCOMPARE(sight.result, int(QDialog::Rejected));
    QVERIFY(!list_->isVisible());
    QVERIFY(main_->isEnabled());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestFormDebitDlg::escapeDoesNotClose() {
    bool stillOpen = false;
    open([this, &stillOpen] {
        QTest::keyClick(list_->StringAlignGrid, Qt::Key_Escape);
        QTest::keyClick(list_.get(), Qt::Key_Escape);
        // Nor do the main window's keys print anything from here.
        QTest::keyClick(list_->StringAlignGrid, Qt::Key_P, Qt::ControlModifier);
        QTest::keyClick(list_->StringAlignGrid, Qt::Key_F9);
        stillOpen = list_->isVisible();
    });
    QVERIFY(stillOpen);
    QVERIFY(boxes_.isEmpty());
}

void TestFormDebitDlg::printButtonConfirmsThenPrintsAndStaysOpen_data() {
    QTest::addColumn<BoxAnswer>("answer");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("Oui prints the list under its job title")
        << BoxAnswer::Yes << QStringList({"select", "begin \"Impression Débit\"", "end"});
    QTest::newRow("Non prints nothing") << BoxAnswer::No << QStringList();
}

void TestFormDebitDlg::printButtonConfirmsThenPrintsAndStaysOpen() {
    QFETCH(BoxAnswer, answer);
    QFETCH(QStringList, log);
    testsupport::RecordingPrinterDevice& recorder = services_->device;
    answer_ = answer;
    bool openAfterPrinting = false;
    open([this, &openAfterPrinting] {
        QTest::mouseClick(list_->SpeedButtonPrint, Qt::LeftButton);
        openAfterPrinting = list_->isVisible();
    });
    QVERIFY(openAfterPrinting);
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, QStringLiteral("Impression de la fiche de débit"));
    QCOMPARE(boxes_[0].caption, QStringLiteral("Information"));
    QCOMPARE(boxes_[0].owner, list_.get()); // the list, not the main window under it
    QCOMPARE(recorder.log(), log);
}

void TestFormDebitDlg::controlsStandWhereDesignedAndAreNamed() {
    QCOMPARE(list_->windowTitle(), QStringLiteral("Fiche de débit"));
    QCOMPARE(list_->size(), QSize(721, 196));
    QVERIFY(list_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(list_->windowFlags() & Qt::WindowMaximizeButtonHint);
    QCOMPARE(list_->Panel1->geometry(), QRect(0, 0, 721, 33));
    QCOMPARE(list_->SBtnClose->geometry(), QRect(8, 4, 25, 25));
    QCOMPARE(list_->SpeedButtonPrint->geometry(), QRect(40, 4, 25, 25));
    QCOMPARE(list_->StringAlignGrid->geometry(), QRect(0, 33, 721, 163));
    QCOMPARE(list_->SBtnClose->toolTip(), QStringLiteral("Fermer"));
    QCOMPARE(list_->SpeedButtonPrint->toolTip(), QStringLiteral("Impression de la fiche"));
    QVERIFY(!list_->SBtnClose->icon().isNull());
    QVERIFY(!list_->SpeedButtonPrint->icon().isNull());
    for (QWidget* control :
         {static_cast<QWidget*>(list_.get()), static_cast<QWidget*>(list_->Panel1),
          static_cast<QWidget*>(list_->SBtnClose), static_cast<QWidget*>(list_->SpeedButtonPrint),
          static_cast<QWidget*>(list_->StringAlignGrid)}) {
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }
    // A bar that assistive tools took for a window would hide the buttons' focus from them.
    QCOMPARE(QAccessible::queryAccessibleInterface(list_->Panel1)->role(), QAccessible::ToolBar);
    // No key of its own closes the window: the one that does is told on opening.
    QVERIFY(QAccessible::queryAccessibleInterface(list_.get())
                ->text(QAccessible::Description)
                .contains(QStringLiteral("Alt+F4")));
    const TStringAlignGrid& grid = *list_->StringAlignGrid;
    QCOMPARE(grid.ColCount(), kCols);
    QCOMPARE(grid.RowCount(), kRows);
    QCOMPARE(grid.ColWidths(4), 422);
    QCOMPARE(grid.Alignment(), aligngrid::alRight);
}

void TestFormDebitDlg::wideningTheWindowWidensTheGridOnly() {
    QRect panel;
    QRect grid;
    open([&] {
        list_->resize(900, 300);
        panel = list_->Panel1->geometry();
        grid = list_->StringAlignGrid->geometry();
    });
    QCOMPARE(panel, QRect(0, 0, 900, 33));
    QCOMPARE(grid, QRect(0, 33, 900, 267));
    QCOMPARE(list_->StringAlignGrid->ColWidths(4), 422);
}

void TestFormDebitDlg::theWholeListShowsWithoutScrollBars() {
    bool horizontal = true;
    bool vertical = true;
    open([&] {
        horizontal = list_->StringAlignGrid->horizontalScrollBar()->isVisible();
        vertical = list_->StringAlignGrid->verticalScrollBar()->isVisible();
    });
    QVERIFY(!horizontal);
    QVERIFY(!vertical);
}

QTEST_MAIN(TestFormDebitDlg)
#include "tst_tformdebitdlg.moc"
