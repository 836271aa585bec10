#pragma once
// Answering a real modal window in a test. `open` enters the modal loop; a poll hands the modal
// window to `answer` as soon as it is up, and `answer` closes it. A watchdog closes any modal
// window still open after five seconds and fails the test, so no test waits for ever.

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace testsupport {

// The modal windows answered (one per opening, in order).
inline QList<QWidget*> answerModal(const std::function<void()>& open,
                                   const std::function<void(QWidget*)>& answer) {
    QList<QWidget*> seen;
    bool timedOut = false;
    QTimer responder;
    responder.setInterval(20);
    QObject::connect(&responder, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            responder.stop();
            seen.append(modal);
            answer(modal);
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        timedOut = true;
        while (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
    responder.start();
    watchdog.start(5000);
    open();
    responder.stop();
    watchdog.stop();
    if (timedOut) {
        QTest::qFail("a modal window was left open", __FILE__, __LINE__);
    }
    return seen;
}

} // namespace testsupport
