// TARVIN.exe's window from outside: frame, places of the controls at 96 and
// 144 DPI and after a DPI change, keyboard navigation, tooltips.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "app/control_ids.h"
#include "tests/win32/tarvin_process.h"
#include "tests/win32/test_registry.h"
#include "tests/win32/window_probe.h"

namespace tarvin::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

// A control's expected place in pixels, in the client area.
struct Placement {
    int id;
    int x, y, width, height;
};

// The layout's twips at 96 DPI (15 twips to the pixel) and at 144 DPI (10 to
// the pixel, halves rounded up), worked out by hand.
const std::vector<Placement> kAt96Dpi{
    {kLabel1, 8, 8, 121, 17},
    {kLabel2, 176, 8, 105, 17},
    {kList1, 8, 32, 129, 268},
    {kList2, 176, 32, 129, 268},
    {kMoveAll, 144, 80, 25, 25},
    {kMoveSelected, 144, 112, 25, 25},
    {kMoveSelectedBack, 144, 144, 25, 25},
    {kMoveAllBack, 144, 176, 25, 25},
    {kCommand3, 8, 312, 145, 25},
    {kCommand4, 160, 312, 145, 25},
};
const std::vector<Placement> kAt144Dpi{
    {kLabel1, 12, 12, 182, 26},
    {kLabel2, 264, 12, 158, 26},
    {kList1, 12, 48, 194, 402},
    {kList2, 264, 48, 194, 402},
    {kMoveAll, 216, 120, 38, 38},
    {kMoveSelected, 216, 168, 38, 38},
    {kMoveSelectedBack, 216, 216, 38, 38},
    {kMoveAllBack, 216, 264, 38, 38},
    {kCommand3, 12, 468, 218, 38},
    {kCommand4, 240, 468, 218, 38},
};

const int kButtons[] = {kMoveSelected, kMoveSelectedBack, kMoveAll, kMoveAllBack,
                        kCommand3,     kCommand4};

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// Checks every control's place. A list box keeps its height to whole lines,
// so it may come out shorter, by less than one line.
void ExpectPlacements(HWND window, const std::vector<Placement>& expected) {
    for (const Placement& control : expected) {
        SCOPED_TRACE(::testing::Message() << "control " << control.id);
        const RECT rect = ChildRect(window, control.id);
        EXPECT_EQ(rect.left, control.x);
        EXPECT_EQ(rect.top, control.y);
        EXPECT_EQ(rect.right - rect.left, control.width);
        const int height = rect.bottom - rect.top;
        if (control.id == kList1 || control.id == kList2) {
            const auto line = SendMessageW(GetDlgItem(window, control.id), LB_GETITEMHEIGHT, 0, 0);
            EXPECT_LE(height, control.height);
            EXPECT_GT(height, control.height - line);
        } else {
            EXPECT_EQ(height, control.height);
        }
    }
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedVendorKey(HKEY_CURRENT_USER, {L"KT-ARVO1", L"KT-HLD"});
        RemoveVendorKey(HKEY_LOCAL_MACHINE);
    }

    // Starts TARVIN.exe at dpi and waits for its window, active with a
    // control focused (the focus comes with activation, after the window shows).
    HWND Start(DWORD dpi = 96) {
        SetSystemDpi(dpi);
        tarvin_.emplace();
        const HWND window = tarvin_->WaitForMainWindow();
        EXPECT_NE(window, nullptr);
        for (int waited = 0; window && !FocusedWindow(window) && waited < 5000; waited += 20) {
            Sleep(20);
        }
        return window;
    }

    // Presses Tab and waits until the focus has moved; returns where it went.
    static HWND PressTab(HWND window) {
        const HWND before = FocusedWindow(window);
        PressKey(window, VK_TAB);
        HWND focus = before;
        for (int waited = 0; focus == before && waited < 5000; waited += 20) {
            Sleep(20);
            focus = FocusedWindow(window);
        }
        return focus;
    }

    std::optional<TarvinProcess> tarvin_;
};

TEST_F(WindowTest, FixedFrameCaptionAndLayoutAt96Dpi) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);

    wchar_t caption[32] = {};
    GetWindowTextW(window, caption, 32);
    EXPECT_STREQ(caption, L"QIRA情報削除");
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);

    const SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, 316);
    EXPECT_EQ(client.cy, 346);
    ExpectPlacements(window, kAt96Dpi);

    const HWND list = GetDlgItem(window, kList1);
    EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & (LBS_SORT | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT),
              LBS_SORT | LBS_EXTENDEDSEL);
    for (const int button : kButtons) {
        EXPECT_EQ(GetWindowLongW(GetDlgItem(window, button), GWL_STYLE) & BS_TYPEMASK,
                  BS_PUSHBUTTON)
            << "not a plain push button: " << button;
    }
}

TEST_F(WindowTest, LayoutAt144Dpi) {
    const HWND window = Start(144);
    ASSERT_NE(window, nullptr);

    const SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, 474);
    EXPECT_EQ(client.cy, 519);
    ExpectPlacements(window, kAt144Dpi);
}

TEST_F(WindowTest, ADpiChangeTakesTheSuggestedRectangleAndLaysOutAgain) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    const auto lineAt96 = SendMessageW(GetDlgItem(window, kList1), LB_GETITEMHEIGHT, 0, 0);

    // Windows suggests the frame for the new DPI; here, the same frame
    // around the client area that 144 DPI asks for.
    RECT frame{};
    GetWindowRect(window, &frame);
    const SIZE client = ClientSize(window);
    const RECT suggested{frame.left, frame.top,
                         frame.right + 474 - client.cx, frame.bottom + 519 - client.cy};
    RemoteMemory remote(window, sizeof suggested);
    ASSERT_NE(remote.address(), nullptr);
    remote.Write(&suggested, sizeof suggested);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), remote.param());

    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    ExpectPlacements(window, kAt144Dpi);
    // The lists' lines follow the font, which is made anew for the new DPI.
    EXPECT_GT(SendMessageW(GetDlgItem(window, kList1), LB_GETITEMHEIGHT, 0, 0), lineAt96);
}

TEST_F(WindowTest, ChildOrderPutsLabelsBeforeListsAndTabFollowsIt) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);

    std::vector<int> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(GetDlgCtrlID(child));
    }
    EXPECT_THAT(children, ElementsAre(kLabel1, kList1, kLabel2, kList2, kMoveSelected, kMoveSelectedBack,
                                      kMoveAll, kMoveAllBack, kCommand3, kCommand4));

    ASSERT_EQ(GetDlgCtrlID(FocusedWindow(window)), kList1);
    // From List2 to ">" although ">>" stands above it, and round again.
    std::vector<int> visited;
    for (int tabs = 0; tabs < 8; ++tabs) visited.push_back(GetDlgCtrlID(PressTab(window)));
    EXPECT_THAT(visited, ElementsAre(kList2, kMoveSelected, kMoveSelectedBack, kMoveAll,
                                     kMoveAllBack, kCommand3, kCommand4, kList1));
}

// No button is the default or the cancel button. (A button that has the
// focus takes Enter as a click, as every Windows push button does.)
TEST_F(WindowTest, EnterInAListAndEscapeAnywherePressNoButton) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(GetDlgCtrlID(FocusedWindow(window)), kList1);
    PressKey(window, VK_RETURN);
    PressKey(window, VK_ESCAPE);

    // Posted keys are handled in order: once this Tab has moved the focus,
    // the keys before it have been handled.
    EXPECT_EQ(GetDlgCtrlID(PressTab(window)), kList2);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(tarvin_->MessageBoxes().empty());
}

TEST_F(WindowTest, TheSixButtonsHaveTooltipsAndNothingElse) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);

    // The tooltips are made once the window shows, not with it.
    std::map<int, std::wstring> texts = TooltipTexts(window);
    for (int waited = 0; texts.empty() && waited < 5000; waited += 20) {
        Sleep(20);
        texts = TooltipTexts(window);
    }
    EXPECT_THAT(texts,
                ElementsAre(Pair(kMoveSelected, L"選択を削除リストに移動"),
                            Pair(kMoveSelectedBack, L"選択を選択リストに戻す"),
                            Pair(kMoveAll, L"全てを削除リストに移動"),
                            Pair(kMoveAllBack, L"全てを選択リストに戻す"),
                            Pair(kCommand3, L"削除リストのＱＩＲＡ情報をご使用のＰＣから削除します"),
                            Pair(kCommand4, L"このプログラムを終了します")));
}

}  // namespace
}  // namespace tarvin::testing
