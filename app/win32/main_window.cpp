#include "app/win32/main_window.h"

#include "app/control_ids.h"
#include "app/win32/layout.h"

namespace tarvin {

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // thin, fixed frame

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

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

HFONT CreateMessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

}  // namespace

bool MainWindow::Create() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    if (!RegisterClassExW(&windowClass)) {
        errors_.ShowSystemError(L"(RegisterClassEx)", GetLastError());
        return false;
    }

    dpi_ = ScreenDpi();
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi_), TwipsToPixels(kClientHeightTwips, dpi_)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    if (!CreateWindowExW(0, kMainWindowClass, kWindowCaption, kWindowStyle, CW_USEDEFAULT,
                         CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                         nullptr, instance_, this)) {
        // A control that failed to appear failed the window with it.
        errors_.ShowSystemError(L"(CreateWindowEx)", controlError_ ? controlError_ : GetLastError());
        return false;
    }
    return true;
}

void MainWindow::LoadAndShow(int showCommand) {
    form_->Form_Load();
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
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
        return CreateControls() ? 0 : -1;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE;
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        window_ = nullptr;
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool MainWindow::CreateControls() {
    font_.reset(CreateMessageFont());
    for (const ControlLayout& control : kControls) {
        const ControlClass cls = ClassOf(control.kind);
        const HWND child = CreateWindowExW(
            cls.exStyle, cls.className, control.caption, WS_CHILD | WS_VISIBLE | cls.style,
            TwipsToPixels(control.left, dpi_), TwipsToPixels(control.top, dpi_),
            TwipsToPixels(control.width, dpi_), TwipsToPixels(control.height, dpi_), window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance_, nullptr);
        if (!child) {
            controlError_ = GetLastError();
            return false;
        }
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    list1_.emplace(GetDlgItem(window_, kList1));
    list2_.emplace(GetDlgItem(window_, kList2));
    form_.emplace(Platform{*list1_, *list2_, registry_, accounts_, *this, systemMessages_, *this});
    return true;
}

void MainWindow::OnActivate(bool active) {
    // Keeps the focus on the same control when the user returns to the window.
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) focus_ = focus;
    } else {
        SetFocus(focus_ ? focus_ : GetDlgItem(window_, kList1));
    }
}

void MainWindow::OnCommand(int id) {
    // A click that reaches the window while a command's message box is up
    // waits for nothing: commands never run inside one another.
    if (inCommand_) return;
    inCommand_ = true;
    if (id >= kCommand2 && id < kCommand2 + kMoveButtonCount) form_->Command2_Click(id - kCommand2);
    else if (id == kCommand3) form_->Command3_Click();
    else if (id == kCommand4) Command4_Click();
    inCommand_ = false;
}

// While busy, the hourglass shows wherever the pointer is over the client area.
bool MainWindow::OnSetCursor() {
    if (busy_) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return busy_;
}

// Ends the program at once: the window goes, the message loop ends.
void MainWindow::Command4_Click() {
    DestroyWindow(window_);
}

void MainWindow::Show(const std::wstring& prompt) {
    MessageBoxW(window_, prompt.c_str(), kApplicationTitle, MB_OK);
}

void MainWindow::SetBusy(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

}  // namespace tarvin
