#pragma once

#include <string>

#include "app/message_display.h"
#include "registry/registry.h"

namespace tarvin {

// The system's message table.
class SystemMessages {
public:
    virtual ~SystemMessages() = default;

    // The system's text for code in the default language, usually ending in a
    // line break; empty when the system has no text for it.
    virtual std::wstring Text(ErrorCode code) const = 0;
};

// Reports failed platform calls to the user.
class SystemErrorReporter {
public:
    SystemErrorReporter(MessageDisplay& display, const SystemMessages& messages)
        : display_(display), messages_(messages) {}

    // Shows label directly followed by the system's text for code, in one
    // message box. The label names the failed call, as in "(RegOpenKeyEx)".
    void ShowSystemError(const std::wstring& label, ErrorCode code);

private:
    MessageDisplay& display_;
    const SystemMessages& messages_;
};

}  // namespace tarvin
