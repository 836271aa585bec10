#include "os/linux/cupslibrary.h"

#include <dlfcn.h>

namespace os::cups {

namespace {

// The library's soname, as the package that provides it installs it.
constexpr const char* kCupsSoname = "libcups.so.2";

template <typename Function> bool resolve(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

bool load(CupsLibrary& cups) {
    void* handle = dlopen(kCupsSoname, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        return false;
    }
    // Kept open for the rest of the process: the functions are called at every print.
    return resolve(handle, "cupsAddOption", cups.cupsAddOption) &&
           resolve(handle, "cupsDoRequest", cups.cupsDoRequest) &&
           resolve(handle, "cupsEncryption", cups.cupsEncryption) &&
           resolve(handle, "cupsFreeOptions", cups.cupsFreeOptions) &&
           resolve(handle, "cupsLastError", cups.cupsLastError) &&
           resolve(handle, "cupsLastErrorString", cups.cupsLastErrorString) &&
           resolve(handle, "cupsPrintFile2", cups.cupsPrintFile2) &&
           resolve(handle, "cupsServer", cups.cupsServer) &&
           resolve(handle, "cupsUser", cups.cupsUser) &&
           resolve(handle, "httpAssembleURIf", cups.httpAssembleURIf) &&
           resolve(handle, "httpClose", cups.httpClose) &&
           resolve(handle, "httpConnect2", cups.httpConnect2) &&
           resolve(handle, "ippAddString", cups.ippAddString) &&
           resolve(handle, "ippAddStrings", cups.ippAddStrings) &&
           resolve(handle, "ippDelete", cups.ippDelete) &&
           resolve(handle, "ippFindAttribute", cups.ippFindAttribute) &&
           resolve(handle, "ippGetBoolean", cups.ippGetBoolean) &&
           resolve(handle, "ippGetCount", cups.ippGetCount) &&
           resolve(handle, "ippGetInteger", cups.ippGetInteger) &&
           resolve(handle, "ippGetString", cups.ippGetString) &&
           resolve(handle, "ippNewRequest", cups.ippNewRequest) &&
           resolve(handle, "ippPort", cups.ippPort);
}

} // namespace

const CupsLibrary* cupsLibrary() {
    static const CupsLibrary* const loaded = [] {
        static CupsLibrary cups;
        return load(cups) ? &cups : nullptr;
    }();
    return loaded;
}

} // namespace os::cups
