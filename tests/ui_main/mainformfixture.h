#pragma once
// What the main window's tests share: a new window for each test, whose boxes are recorded and
// answered Ok, and the user's gestures on it.

#include "platform/decimalmark.h"
#include "platform/messagebox.h"
#include "platform/radiogroup.h"
#include "platform/speedbutton.h"
#include "tests/support/testservices.h"
#include "ui/main/tmainform.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <memory>

class MainFormFixture {
protected:
    // For the test's init() and cleanup().
    void setUp() {
        decimalMark_.setMark('.');
        boxes_.clear();
        platform::setBoxResponder([this](const platform::BoxRequest& request) {
            boxes_.append(request);
            return platform::BoxAnswer::Ok;
        });
        form_ = std::make_unique<TMainForm>(services_.printer, services_.help);
    }

    void tearDown() {
        form_.reset();
        platform::setBoxResponder({});
    }

    void showActive() {
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    void choose(platform::RadioGroup* group, int index) {
        QRadioButton* button = group->button(index);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
        QCOMPARE(group->ItemIndex(), index);
    }

    void typeInto(QLineEdit* edit, const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);
        QCOMPARE(edit->text(), text);
    }

    void calculate() { QTest::mouseClick(form_->SpeedButtonCalcul, Qt::LeftButton); }

    platform::DecimalMarkWatcher decimalMark_; // the mark the windows read
    testsupport::TestServices services_;
    std::unique_ptr<TMainForm> form_;
    QList<platform::BoxRequest> boxes_;
};
