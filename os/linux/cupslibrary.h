#pragma once
// The CUPS client library, loaded at the first print rather than with the program: it brings
// some twenty libraries (TLS, Kerberos, service discovery) that a user who only calculates never
// needs, and that would cost every start-up their loading and their memory. The functions keep
// the signatures of <cups/cups.h>, so a call reads as a direct call through the table.

#include <cups/cups.h>

namespace os::cups {

struct CupsLibrary {
    decltype(&::cupsAddOption) cupsAddOption = nullptr;
    decltype(&::cupsDoRequest) cupsDoRequest = nullptr;
    decltype(&::cupsEncryption) cupsEncryption = nullptr;
    decltype(&::cupsFreeOptions) cupsFreeOptions = nullptr;
    decltype(&::cupsLastError) cupsLastError = nullptr;
    decltype(&::cupsLastErrorString) cupsLastErrorString = nullptr;
    decltype(&::cupsPrintFile2) cupsPrintFile2 = nullptr;
    decltype(&::cupsServer) cupsServer = nullptr;
    decltype(&::cupsUser) cupsUser = nullptr;
    decltype(&::httpAssembleURIf) httpAssembleURIf = nullptr;
    decltype(&::httpClose) httpClose = nullptr;
    decltype(&::httpConnect2) httpConnect2 = nullptr;
    decltype(&::ippAddString) ippAddString = nullptr;
    decltype(&::ippAddStrings) ippAddStrings = nullptr;
    decltype(&::ippDelete) ippDelete = nullptr;
    decltype(&::ippFindAttribute) ippFindAttribute = nullptr;
    decltype(&::ippGetBoolean) ippGetBoolean = nullptr;
    decltype(&::ippGetCount) ippGetCount = nullptr;
    decltype(&::ippGetInteger) ippGetInteger = nullptr;
    decltype(&::ippGetString) ippGetString = nullptr;
    decltype(&::ippNewRequest) ippNewRequest = nullptr;
    decltype(&::ippPort) ippPort = nullptr;
};

// The library, loaded on the first call and kept for the rest of the process; null when it
// cannot be loaded whole (not installed, or a version without one of the functions).
const CupsLibrary* cupsLibrary();

} // namespace os::cups
