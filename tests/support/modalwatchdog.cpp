#include "tests/support/modalwatchdog.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <utility>

namespace testsupport {

ModalWatchdog::ModalWatchdog() {
    previous_ = platform::setBoxResponder([this](const platform::BoxRequest& request) {
        unexpected_ << QStringLiteral("message box: ") + request.text;
        return platform::BoxAnswer::Ok;
    });
    // A modal window runs a loop of its own, in which this timer still fires.
    poll_.setInterval(100);
    QObject::connect(&poll_, &QTimer::timeout, [this] {
        while (QWidget* modal = QApplication::activeModalWidget()) {
            unexpected_ << QStringLiteral("modal window: ") + modal->windowTitle();
            modal->close();
            if (QApplication::activeModalWidget() == modal) {
                modal->hide(); // a window that refuses to close still must not hold the test
            }
            if (QApplication::activeModalWidget() == modal) {
                break;
            }
        }
    });
    poll_.start();
}

ModalWatchdog::~ModalWatchdog() {
    poll_.stop();
    platform::setBoxResponder(std::move(previous_));
    if (QTest::currentTestFunction() != nullptr) {
        check();
    }
}

void ModalWatchdog::check() {
    const QStringList seen = std::exchange(unexpected_, {});
    // A test that has already failed keeps its first failure.
    if (!seen.isEmpty() && !QTest::currentTestFailed()) {
        const QString message = QStringLiteral("unexpected: ") + seen.join(QStringLiteral("; "));
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
    }
}

} // namespace testsupport
