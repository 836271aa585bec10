#pragma once
// The decimal mark of the user's locale, kept for the windows: they read it at each key press,
// calculation and fill and hand it to the number text, which keeps no mark of its own.

#include <QObject>

class QLocale;

namespace platform {

// The decimal mark a locale gives: its separator when that is one ASCII character, else '.'.
char decimalMarkOf(const QLocale& locale);

// The mark of the installed watcher (the one built last of those alive); '.' while none is.
char decimalMark();

// Keeps the system locale's decimal mark: takes it when built, and again whenever the
// application is told that the locale changed. Built once by the program, after the
// application object; a test builds its own and sets the mark it needs with setMark.
class DecimalMarkWatcher : public QObject {
    Q_OBJECT
public:
    explicit DecimalMarkWatcher(QObject* parent = nullptr);
    ~DecimalMarkWatcher() override;
    DecimalMarkWatcher(const DecimalMarkWatcher&) = delete;
    DecimalMarkWatcher& operator=(const DecimalMarkWatcher&) = delete;

    char mark() const noexcept { return mark_; }
    // Holds until the next locale change.
    void setMark(char mark) noexcept { mark_ = mark; }
    // Takes the system locale's mark now.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend char decimalMark();
    // Process-wide as what it mirrors: Qt's system locale is the application's, and its change
    // reaches only the application object, through an event filter on it.
    static DecimalMarkWatcher* installed_;

    DecimalMarkWatcher* previous_ = nullptr; // installed before this one
    char mark_ = '.';
};

} // namespace platform
