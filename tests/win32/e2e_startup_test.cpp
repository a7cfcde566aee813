// TARVIN.exe from start to exit, on the Wine prefix's registry.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "common/win32/system_message_text.h"
#include "tests/win32/tarvin_process.h"
#include "tests/win32/test_registry.h"

namespace tarvin::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveVendorKey(HKEY_LOCAL_MACHINE); }

    // Checks that the window is up with no message box in front of it.
    static void ExpectWindowWithoutMessages(const TarvinProcess& tarvin) {
        ASSERT_NE(tarvin.WaitForMainWindow(), nullptr);
        EXPECT_THAT(tarvin.MessageBoxes(), IsEmpty());
    }
};

TEST_F(StartupTest, ListsTheCurrentUsersEntriesSortedByDisplayName) {
    SeedVendorKey(HKEY_CURRENT_USER,
                  {L"KT-SELM4", L"Unknown-Product", L"KT-ARVO2", L"KT-HLD", L"KT-MOXEL1", L"KT-ARVO1"});
    SeedVendorKey(HKEY_LOCAL_MACHINE, {L"KT-SELM1"});
    TarvinProcess tarvin;

    ExpectWindowWithoutMessages(tarvin);
    EXPECT_THAT(tarvin.ListLines(kList1),
                ElementsAre(L"KT-ARVO ﾌﾟﾚﾃﾝT桁", L"KT-ARVO ﾌﾟﾚﾃﾝﾎﾛｰ", L"KT-HALDA", L"KT-MOXEL",
                            L"KT-SELM ﾎﾟｽﾃﾝﾎﾛｰ", L"Unknown-Product"));
    EXPECT_THAT(tarvin.ListLines(kList2), IsEmpty());
}

TEST_F(StartupTest, AMissingVendorKeyGivesOneMessageAndAnEmptyWindow) {
    RemoveVendorKey(HKEY_CURRENT_USER);
    TarvinProcess tarvin;

    const HWND box = tarvin.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TarvinProcess::MessageBoxText(box),
              L"(RegOpenKeyEx)" + SystemMessageText(ERROR_FILE_NOT_FOUND));
    TarvinProcess::Dismiss(box);

    ExpectWindowWithoutMessages(tarvin);
    EXPECT_THAT(tarvin.ListLines(kList1), IsEmpty());
    EXPECT_THAT(tarvin.ListLines(kList2), IsEmpty());
}

TEST_F(StartupTest, AnEmptyVendorKeyGivesAnEmptyWindowWithoutMessage) {
    SeedVendorKey(HKEY_CURRENT_USER, {});
    TarvinProcess tarvin;

    ExpectWindowWithoutMessages(tarvin);
    EXPECT_THAT(tarvin.ListLines(kList1), IsEmpty());
}

TEST_F(StartupTest, TheExitButtonEndsTheProgram) {
    SeedVendorKey(HKEY_CURRENT_USER, {L"KT-ARVO1"});
    TarvinProcess tarvin;
    ASSERT_NE(tarvin.WaitForMainWindow(), nullptr);

    tarvin.Click(kCommand4);

    ASSERT_TRUE(tarvin.WaitForExit());
    EXPECT_EQ(tarvin.ExitCode(), 0u);
}

TEST_F(StartupTest, ClosingTheWindowEndsTheProgram) {
    SeedVendorKey(HKEY_CURRENT_USER, {L"KT-ARVO1"});
    TarvinProcess tarvin;
    const HWND window = tarvin.WaitForMainWindow();
    ASSERT_NE(window, nullptr);

    PostMessageW(window, WM_CLOSE, 0, 0);

    ASSERT_TRUE(tarvin.WaitForExit());
    EXPECT_EQ(tarvin.ExitCode(), 0u);
}

}  // namespace
}  // namespace tarvin::testing
