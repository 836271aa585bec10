#include "os/linux/cupsservice.h"

#include "os/linux/cupslibrary.h"

#include <memory>
#include <string_view>

namespace os::cups {

namespace {

// Every entry point has made sure that the library is there before anything calls it.
const CupsLibrary& cups() {
    return *cupsLibrary();
}

constexpr const char* kNoLibrary = "bibliothèque CUPS introuvable";

// How long a call waits for the service to take the connection.
constexpr int kConnectMilliseconds = 5000;

struct HttpClose {
    void operator()(http_t* http) const { cups().httpClose(http); }
};
struct IppDelete {
    void operator()(ipp_t* ipp) const { cups().ippDelete(ipp); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;
using Response = std::unique_ptr<ipp_t, IppDelete>;

Connection connect() {
    return Connection(cups().httpConnect2(cups().cupsServer(), cups().ippPort(), nullptr, AF_UNSPEC,
                                          cups().cupsEncryption(), 1, kConnectMilliseconds,
                                          nullptr));
}

std::string uriOf(const char* resource, const std::string& name) {
    char uri[HTTP_MAX_URI];
    cups().httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost",
                            cups().ippPort(), "/%s/%s", resource, name.c_str());
    return uri;
}

QString textOf(ipp_t* response, const char* attribute) {
    ipp_attribute_t* found = cups().ippFindAttribute(response, attribute, IPP_TAG_ZERO);
    const char* text = found ? cups().ippGetString(found, 0, nullptr) : nullptr;
    return text ? QString::fromUtf8(text) : QString();
}

QString lastError() {
    const char* text = cups().cupsLastErrorString();
    return text ? QString::fromUtf8(text) : QString();
}

int numberOf(ipp_t* response, const char* attribute, int fallback) {
    ipp_attribute_t* found = cups().ippFindAttribute(response, attribute, IPP_TAG_ZERO);
    return found ? cups().ippGetInteger(found, 0) : fallback;
}

bool hasKeyword(ipp_t* response, const char* attribute, std::string_view keyword) {
    ipp_attribute_t* found = cups().ippFindAttribute(response, attribute, IPP_TAG_KEYWORD);
    for (int i = 0; found && i < cups().ippGetCount(found); ++i) {
        const char* value = cups().ippGetString(found, i, nullptr);
        if (value && keyword == value) {
            return true;
        }
    }
    return false;
}

} // namespace

QueueStatus queueStatus(const std::string& queue) {
    if (!cupsLibrary()) {
        return {QueueState::NoService, {}};
    }
    const Connection http = connect();
    if (!http) {
        return {QueueState::NoService, {}};
    }
    ipp_t* request = cups().ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    const std::string uri = uriOf("printers", queue);
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                        uri.c_str());
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                        cups().cupsUser());
    static const char* const wanted[] = {"printer-state", "printer-state-message",
                                         "printer-is-accepting-jobs"};
    cups().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                         static_cast<int>(std::size(wanted)), nullptr, wanted);
    const Response response(cups().cupsDoRequest(http.get(), request, "/"));
    const ipp_status_t status = cups().cupsLastError();
    if (status == IPP_STATUS_ERROR_NOT_FOUND) {
        return {QueueState::Missing, {}};
    }
    if (!response || status > IPP_STATUS_OK_EVENTS_COMPLETE) {
        return {QueueState::NoService, lastError()};
    }
    QueueStatus answer{QueueState::Ready, textOf(response.get(), "printer-state-message")};
    ipp_attribute_t* accepting =
        cups().ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (accepting && !cups().ippGetBoolean(accepting, 0)) {
        answer.state = QueueState::Rejecting;
    } else if (numberOf(response.get(), "printer-state", IPP_PSTATE_IDLE) == IPP_PSTATE_STOPPED) {
        answer.state = QueueState::Stopped;
    }
    return answer;
}

Submitted submitFile(const std::string& queue, const std::string& path, const std::string& title,
                     const JobOptions& options) {
    if (!cupsLibrary()) {
        return {0, kNoLibrary};
    }
    const Connection http = connect();
    if (!http) {
        return {0, lastError().toStdString()};
    }
    int count = 0;
    cups_option_t* list = nullptr;
    for (const auto& [name, value] : options) {
        count = cups().cupsAddOption(name.c_str(), value.c_str(), count, &list);
    }
    const int job =
        cups().cupsPrintFile2(http.get(), queue.c_str(), path.c_str(), title.c_str(), count, list);
    cups().cupsFreeOptions(count, list);
    if (job > 0) {
        return {job, {}};
    }
    return {0, lastError().toStdString()};
}

JobStatus jobStatus(int job) {
    if (!cupsLibrary()) {
        return {};
    }
    const Connection http = connect();
    if (!http) {
        return {};
    }
    ipp_t* request = cups().ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const std::string uri = uriOf("jobs", std::to_string(job));
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                        cups().cupsUser());
    static const char* const wanted[] = {"job-state", "job-state-reasons",
                                         "job-printer-state-message"};
    cups().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                         static_cast<int>(std::size(wanted)), nullptr, wanted);
    const Response response(cups().cupsDoRequest(http.get(), request, "/"));
    if (!response || cups().cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        return {};
    }
    JobStatus answer{JobState::Unknown, textOf(response.get(), "job-printer-state-message")};
    switch (numberOf(response.get(), "job-state", 0)) {
    case IPP_JSTATE_PENDING:
        answer.state = JobState::Waiting;
        break;
    case IPP_JSTATE_HELD:
        answer.state = JobState::Held;
        break;
    case IPP_JSTATE_PROCESSING:
        answer.state = JobState::Printing;
        break;
    case IPP_JSTATE_STOPPED:
        answer.state = JobState::Stopped;
        break;
    case IPP_JSTATE_CANCELED:
        answer.state = hasKeyword(response.get(), "job-state-reasons", "job-canceled-by-user")
                           ? JobState::Canceled
                           : JobState::Refused;
        break;
    case IPP_JSTATE_ABORTED:
        answer.state = JobState::Refused;
        break;
    case IPP_JSTATE_COMPLETED:
        answer.state = JobState::Done;
        break;
    default:
        break;
    }
    return answer;
}

} // namespace os::cups
