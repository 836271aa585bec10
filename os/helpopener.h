#pragma once
// The desktop's viewer for the help document: each system has its own way of opening a local
// document at an anchor (os/<system>/helpopener.cpp).

#include <memory>

class QUrl;

namespace os {

class HelpOpener {
public:
    virtual ~HelpOpener() = default;
    // Opens `document` (a local file, with its anchor) in the desktop's viewer; false when no
    // viewer could take it.
    virtual bool open(const QUrl& document) = 0;
};

// This system's opener.
std::unique_ptr<HelpOpener> makeHelpOpener();

} // namespace os
