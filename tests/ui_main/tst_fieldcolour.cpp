// The main window's colours under a light and a dark desktop theme, and when the theme changes
// while the program runs.

#include "platform/contrast.h"
#include "platform/label.h"
#include "platform/radiogroup.h"
#include "tests/support/testservices.h"
#include "ui/main/fieldcolour.h"
#include "ui/main/tmainform.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace {

const QColor kYellow(255, 255, 0);
const QColor kAqua(0, 255, 255);

double contrast(const QColor& a, const QColor& b) {
    return platform::contrastRatio({a.red(), a.green(), a.blue()}, {b.red(), b.green(), b.blue()});
}

// A dark desktop theme's colours, close to those Qt's GTK theme reads from Adwaita-dark.
QPalette darkPalette() {
    QPalette dark(QColor(238, 238, 236), QColor(53, 53, 53), QColor(70, 70, 70), QColor(30, 30, 30),
                  QColor(40, 40, 40), QColor(238, 238, 236), Qt::white, QColor(45, 45, 45),
                  QColor(53, 53, 53));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(145, 145, 144));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(145, 145, 144));
    return dark;
}

// The windows hear of a new application palette through a posted event.
void setDesktopPalette(const QPalette& palette) {
    QApplication::setPalette(palette);
    QCoreApplication::processEvents();
}

} // namespace

class TestFieldColour : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void fieldTextIsLegibleInLightAndDarkThemes_data();
    void fieldTextIsLegibleInLightAndDarkThemes();
    void aThemeSwitchedWhileRunningRecoloursTheWindow();

private:
    testsupport::TestServices services_;
    std::unique_ptr<TMainForm> form_;
};

void TestFieldColour::cleanup() {
    form_.reset();
    setDesktopPalette(QPalette());
}

void TestFieldColour::fieldTextIsLegibleInLightAndDarkThemes_data() {
    QTest::addColumn<bool>("dark");
    QTest::addColumn<int>("mode");
    for (bool dark : {false, true}) {
        for (int mode : {0, 1, 2}) {
            QTest::addRow("%s theme, mode %d", dark ? "dark" : "light", mode) << dark << mode;
        }
    }
}

void TestFieldColour::fieldTextIsLegibleInLightAndDarkThemes() {
    QFETCH(bool, dark);
    QFETCH(int, mode);
    setDesktopPalette(dark ? darkPalette() : QPalette());
    form_ = std::make_unique<TMainForm>(services_.printer, services_.help);
    form_->RadioGroupChoix->setItemIndex(mode);
    // Every field, the computed one (disabled) included: it shows a result.
    for (QLineEdit* edit : form_->findChildren<QLineEdit*>()) {
        const QPalette::ColorGroup group =
            edit->isEnabled() ? QPalette::Active : QPalette::Disabled;
        const QColor text = ui::fieldTextColour(edit, group);
        QVERIFY2(contrast(text, ui::fieldColour(edit)) >= platform::kLegibleContrast,
                 qPrintable(edit->objectName() + ' ' + text.name()));
    }
    // The designed backgrounds stay; the theme's own text stays where it reads well.
    QCOMPARE(ui::fieldColour(form_->EditLargeur), kAqua);
    QCOMPARE(ui::fieldColour(form_->EditGrandExt->isEnabled() ? form_->EditGrandExt
                                                              : form_->EditPetitExt),
             kYellow);
    const QColor themeText = QApplication::palette().color(QPalette::Text);
    QCOMPARE(ui::fieldTextColour(form_->EditTenon), themeText);
    if (!dark) {
        QCOMPARE(ui::fieldTextColour(form_->EditLargeur), themeText);
    }
}

void TestFieldColour::aThemeSwitchedWhileRunningRecoloursTheWindow() {
    form_ = std::make_unique<TMainForm>(services_.printer, services_.help);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    const QPalette dark = darkPalette();
    setDesktopPalette(dark);
    QVERIFY(contrast(ui::fieldTextColour(form_->EditGrandExt), kYellow) >=
            platform::kLegibleContrast);
    QCOMPARE(ui::fieldColour(form_->EditAngle), dark.color(QPalette::Button));
    QCOMPARE(ui::fieldColour(form_->EditTenon), dark.color(QPalette::Base));
    QCOMPARE(ui::fieldTextColour(form_->EditTenon), dark.color(QPalette::Text));
    // A mode chosen afterwards greys with the new face.
    form_->RadioGroupChoix->setItemIndex(1);
    QCOMPARE(ui::fieldColour(form_->EditPetitExt), dark.color(QPalette::Button));
    // The face and the opaque labels' patches, as drawn (in logical pixels).
    const QImage shown = form_->grab().toImage();
    const auto at = [&shown](QPoint p) { return shown.pixelColor(p * shown.devicePixelRatio()); };
    QCOMPARE(at({478, 600}), dark.color(QPalette::Button));
    QCOMPARE(at(form_->LabelDiag->geometry().topLeft()), dark.color(QPalette::Button));
}

QTEST_MAIN(TestFieldColour)
#include "tst_fieldcolour.moc"
