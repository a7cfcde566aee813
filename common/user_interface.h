#pragma once

#include <string>

#include "common/failure.h"

namespace tarvin {

// What the behaviour asks of the window the user sees: message boxes, the
// caption, the busy pointer, the system's texts for failed calls, the reason
// that holds the end of the session back, and closing.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // Shows prompt in a modal message box captioned with the program's title,
    // with an OK button only and no icon; returns when the user has closed it.
    virtual void Show(const std::wstring& prompt) = 0;

    // Sets the window's caption.
    virtual void SetCaption(const std::wstring& caption) = 0;

    // Shows the busy (hourglass) pointer over the window, or the default one.
    virtual void SetBusy(bool busy) = 0;

    // Holds the end of the session back, for reason, which Windows shows on
    // its screen of the programs that keep the session from ending; and lets
    // it go again.
    virtual void HoldSessionEnd(const std::wstring& reason) = 0;
    virtual void ReleaseSessionEnd() = 0;

    // The system's text for code in the default language, inserts left as
    // they stand, usually ending in a line break; empty when the system has
    // no text for it.
    virtual std::wstring SystemText(ErrorCode code) const = 0;

    // Closes the window, which ends the program; while a command of the
    // window runs, once that command has ended.
    virtual void Close() = 0;

    // Shows the failed call's label directly followed by the system's text
    // for its code, in one message box, as in "(RegOpenKeyEx)" and the text.
    void ShowSystemError(const Failure& failure) {
        Show(failure.label + SystemText(failure.code));
    }
};

}  // namespace tarvin
