#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "access/win32/win32_account_directory.h"
#include "access/win32/win32_desk_shell.h"
#include "app/command_runner.h"
#include "app/cleanup_form.h"
#include "common/user_interface.h"
#include "common/win32/unique_handle.h"
#include "products/win32/win32_list_box.h"
#include "registry/win32/win32_registry.h"

namespace tarvin {

// The program's only window: creates the controls, routes their events to
// CleanupForm, shows its messages as message boxes owned by the window and
// its busy pointer over the window.
class MainWindow final : private UserInterface {
public:
    explicit MainWindow(HINSTANCE instance) : instance_(instance) {}
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Registers the window class and creates the window with all its
    // controls, hidden. On failure reports the failed call to the user and
    // returns false.
    bool Create();

    // Fills the lists (OnLoad), then shows the window; its tooltips follow
    // as soon as the message loop runs.
    void LoadAndShow(int showCommand);

    // Runs the message loop until the window is gone; returns the exit code.
    int RunMessageLoop();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's outer size that gives the client area its size at dpi.
    static SIZE FrameSize(int dpi);
    std::optional<Failure> OnCreate();
    std::optional<Failure> CreateControls();
    void OnCreateTooltips();
    void LayOutControls();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnActivate(bool active);
    void OnCommand(int id);
    // Runs a command of CleanupForm's through the runner, and closes the
    // window afterwards where that was asked for meanwhile.
    template <typename Command>
    void RunCommand(const wchar_t* sessionEndReason, Command command);
    bool OnSetCursor();

    void Show(const std::wstring& prompt) override;
    void SetCaption(const std::wstring& caption) override;
    void SetBusy(bool busy) override;
    void HoldSessionEnd(const std::wstring& reason) override;
    void ReleaseSessionEnd() override;
    std::wstring SystemText(ErrorCode code) const override;
    void Close() override;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND focus_ = nullptr;  // the control that had the focus when the window was deactivated
    std::optional<Failure> controlFailure_;  // why a control could not be created
    int dpi_ = 96;  // the dots per inch the layout is converted at
    bool busy_ = false;  // the busy pointer shows over the window
    CommandRunner commands_{*this};
    UniqueGdiObject font_;
    UniqueIcon largeIcon_;
    UniqueIcon smallIcon_;
    Win32Registry registry_;
    Win32AccountDirectory accounts_;
    Win32DeskShell deskShell_;
    std::optional<Win32ListBox> registeredList_;
    std::optional<Win32ListBox> deleteList_;
    std::optional<CleanupForm> form_;
};

}  // namespace tarvin
