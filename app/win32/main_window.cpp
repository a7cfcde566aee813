#include "app/win32/main_window.h"

#include <algorithm>
#include <iterator>

#include "app/control_ids.h"
#include "app/texts.h"
#include "app/win32/dpi.h"
#include "app/win32/layout.h"
#include "app/win32/tooltips.h"
#include "resources/resource_ids.h"

namespace tarvin {

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // thin, fixed frame

// Sent by Windows 10 from version 1703 on, before WM_DPICHANGED; the headers
// declare it only for programs that require that version.
constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE

// Posted to itself once the window shows: the tooltips, which nobody sees
// before the pointer rests on a button, are made then, not before the window opens.
constexpr UINT kCreateTooltips = WM_APP;

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::List:
        return {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_SORT | LBS_EXTENDEDSEL, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
        return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    }
    return {};
}

// The program's icon in the size of the system metrics given (SM_CXICON,
// SM_CYICON or SM_CXSMICON, SM_CYSMICON); null if it cannot be loaded, which
// leaves the window with the system's default icon.
HICON LoadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TARVIN), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
}

}  // namespace

bool MainWindow::Create() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    largeIcon_.reset(LoadProgramIcon(instance_, SM_CXICON, SM_CYICON));
    smallIcon_.reset(LoadProgramIcon(instance_, SM_CXSMICON, SM_CYSMICON));
    windowClass.hIcon = largeIcon_.get();
    windowClass.hIconSm = smallIcon_.get();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    if (!RegisterClassExW(&windowClass)) {
        ShowSystemError({kRegisterClassLabel, GetLastError()});
        return false;
    }

    // The size follows in WM_CREATE, once the window's DPI is known.
    if (!CreateWindowExW(0, kMainWindowClass, kWindowCaption, kWindowStyle, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_,
                         this)) {
        // A control that failed to appear failed the window with it.
        ShowSystemError(controlFailure_ ? *controlFailure_ : Failure{kCreateWindowLabel, GetLastError()});
        return false;
    }
    return true;
}

void MainWindow::LoadAndShow(int showCommand) {
    RunCommand(kLoadingReason, [this] { form_->OnLoad(); });
    if (!window_) return;  // closed while loading
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    PostMessageW(window_, kCreateTooltips, 0, 0);
}

int MainWindow::RunMessageLoop() {
    MSG message{};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        // The dialog manager gives the window Tab navigation among its controls.
        if (IsDialogMessageW(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->HandleMessage(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    switch (message) {
    case WM_CREATE:
        controlFailure_ = OnCreate();
        return controlFailure_ ? -1 : 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE;
        break;
    case kGetDpiScaledSize:
        // The frame does not scale with the DPI as the client area does: the
        // size for the new DPI is computed, not scaled from the present one.
        *reinterpret_cast<SIZE*>(lParam) = FrameSize(static_cast<int>(wParam));
        return TRUE;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case kCreateTooltips:
        OnCreateTooltips();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_QUERYENDSESSION:
        return commands_.AgreeToEndSession();
    case WM_ENDSESSION:
        // The session ends, and Windows ends the program once this returns;
        // or it goes on after all, as another program refused to end.
        commands_.SessionEnds(wParam != FALSE);
        if (wParam) Close();
        return 0;
    case WM_DESTROY:
        // A window whose creation failed ends no message loop: none runs yet,
        // and the quit message would close at once the message box that
        // reports the failure.
        if (form_) PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        window_ = nullptr;
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

SIZE MainWindow::FrameSize(int dpi) {
    return WindowSizeForClient(TwipsToPixels(kClientWidthTwips, dpi),
                               TwipsToPixels(kClientHeightTwips, dpi), kWindowStyle, 0, dpi);
}

std::optional<Failure> MainWindow::OnCreate() {
    dpi_ = WindowDpi(window_);
    const SIZE size = FrameSize(dpi_);
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return CreateControls();
}

// Creates the controls in child-window order, then places them at the window's DPI.
std::optional<Failure> MainWindow::CreateControls() {
    for (const ControlLayout& control : kControls) {
        const ControlClass cls = ClassOf(control.kind);
        if (!CreateWindowExW(cls.exStyle, cls.className, control.caption,
                             WS_CHILD | WS_VISIBLE | cls.style, 0, 0, 0, 0, window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance_,
                             nullptr)) {
            return Failure{kCreateWindowLabel, GetLastError()};
        }
    }
    LayOutControls();
    registeredList_.emplace(GetDlgItem(window_, kRegisteredList));
    deleteList_.emplace(GetDlgItem(window_, kDeleteList));
    form_.emplace(CleanupFormCollaborators{*registeredList_, *deleteList_, registry_, accounts_, deskShell_, *this});
    return std::nullopt;
}

// Without tooltips the window still does all it should: a failure is
// reported, as one of a control at start would be, and the window stays.
void MainWindow::OnCreateTooltips() {
    if (const Result<HWND> tooltips = CreateTooltips(window_, instance_); !tooltips) ShowSystemError(tooltips.failure());
}

// Gives every control the message font and its place at dpi_. The font comes
// first: a list box fits its height to whole lines of its font when it is sized.
void MainWindow::LayOutControls() {
    UniqueGdiObject font(CreateMessageFont(dpi_));
    for (const ControlLayout& control : kControls) {
        const HWND child = GetDlgItem(window_, control.id);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        const PixelPlacement place = PlacementAt(control, dpi_);
        SetWindowPos(child, nullptr, place.x, place.y, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    font_ = std::move(font);  // the previous font is no longer in use
}

// The window moved to a monitor of another DPI, or that monitor's scaling changed.
void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutControls();
}

void MainWindow::OnActivate(bool active) {
    // Keeps the focus on the same control when the user returns to the window.
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) focus_ = focus;
    } else {
        SetFocus(focus_ ? focus_ : GetDlgItem(window_, kRegisteredList));
    }
}

// Each button's click goes to the handler on CleanupForm that its row of the
// layout names.
void MainWindow::OnCommand(int id) {
    const auto control = std::find_if(std::begin(kControls), std::end(kControls),
                                      [id](const ControlLayout& row) { return row.id == id; });
    if (control == std::end(kControls) || !control->action.run) return;
    const ButtonAction action = control->action;
    if (!action.sessionEndReason) return action.run(*form_);
    RunCommand(action.sessionEndReason, [this, action] { action.run(*form_); });
}

template <typename Command>
void MainWindow::RunCommand(const wchar_t* sessionEndReason, Command command) {
    if (commands_.Run(sessionEndReason, command)) DestroyWindow(window_);
}

// While busy, the hourglass shows wherever the pointer is over the client area.
bool MainWindow::OnSetCursor() {
    if (busy_) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return busy_;
}

void MainWindow::Show(const std::wstring& prompt) {
    MessageBoxW(window_, prompt.c_str(), kProgramTitle, MB_OK);
}

void MainWindow::SetCaption(const std::wstring& caption) {
    SetWindowTextW(window_, caption.c_str());
}

// The reason only informs the user: where it cannot be given (Wine has no such
// screen), the end of the session is refused all the same.
void MainWindow::HoldSessionEnd(const std::wstring& reason) {
    ShutdownBlockReasonCreate(window_, reason.c_str());
}

void MainWindow::ReleaseSessionEnd() {
    ShutdownBlockReasonDestroy(window_);
}

void MainWindow::SetBusy(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

std::wstring MainWindow::SystemText(ErrorCode code) const {
    constexpr DWORD kBufferLength = 1024;
    wchar_t buffer[kBufferLength] = {};
    // Inserts are left as they stand: no argument list is passed to fill them.
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, buffer, kBufferLength, nullptr);
    return std::wstring(buffer, length);
}

// The close box, Alt+F4, the exit button and the end of the session: at once,
// or once the running command has ended.
void MainWindow::Close() {
    if (commands_.CloseRequested()) DestroyWindow(window_);
}

}  // namespace tarvin
