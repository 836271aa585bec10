#pragma once
// Print jobs followed off the window's thread: each painted job is handed over to its queue, in
// the order given, and then asked after until it is printed, refused or has been with the printer
// for a while. The print service may take as long as it likes to answer, or stop answering: only
// the follower's thread waits. A failure comes back to the window's thread, where `report` shows
// it when it is known.

#include "print/printer.h"

#include <QString>
#include <functional>
#include <memory>

namespace os {
class SpoolJob;
} // namespace os

namespace print {

class JobFollower {
public:
    using Report = std::function<void(const PrinterError&)>;
    // Made on the window's thread; `report` runs there, from its event loop.
    explicit JobFollower(Report report);
    // Returns at once: a job under way is left to the spooler and its failures to no one.
    ~JobFollower();
    JobFollower(const JobFollower&) = delete;
    JobFollower& operator=(const JobFollower&) = delete;

    // Hands `job`, painted for `queue`, over after those given before, and follows it.
    void follow(std::unique_ptr<os::SpoolJob> job, const QString& queue);

    // True while a job given is still to be handed over or followed.
    bool following() const;

    // True while a job given is not yet handed over.
    bool handingOver() const;

private:
    struct Shared;
    class Receiver;
    std::unique_ptr<Receiver> receiver_;
    std::shared_ptr<Shared> shared_;
};

} // namespace print
