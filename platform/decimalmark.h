#pragma once
// Keeps calc's decimal mark in step with the user's locale.

#include <QObject>

class QLocale;

namespace platform {

// The decimal mark a locale gives: its separator when that is one ASCII character, else '.'.
char decimalMarkOf(const QLocale& locale);

// Sets calc::DecimalMark from the system locale now, and again whenever the application is told
// that the locale changed. Install once, after the application object exists.
class DecimalMarkWatcher : public QObject {
    Q_OBJECT
public:
    explicit DecimalMarkWatcher(QObject* parent = nullptr);
    static void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace platform
