#pragma once

#include <string>

namespace tarvin {

// The application title: the caption of every message box.
inline constexpr wchar_t kApplicationTitle[] = L"TARVIN";

// Shows messages to the user.
class MessageDisplay {
public:
    virtual ~MessageDisplay() = default;

    // Shows prompt in a modal message box captioned kApplicationTitle, with
    // an OK button only and no icon; returns when the user has closed it.
    virtual void Show(const std::wstring& prompt) = 0;
};

}  // namespace tarvin
