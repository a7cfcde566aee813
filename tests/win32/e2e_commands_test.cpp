// TARVIN.exe's move and run-deletion commands, on the Wine prefix's registry.
// Under Wine the user who runs the tests is a member of Administrators.

#include "tests/win32/tarvin_test.h"
#include "tests/win32/test_registry.h"

namespace tarvin::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class CommandsTest : public TarvinTest {};

TEST_F(CommandsTest, MovesGoTheButtonsWayAndLeaveTheRegistryAlone) {
    SeedVendorKey(HKEY_CURRENT_USER, {L"KT-ARVO1", L"KT-HLD", L"KT-SELM2", L"Other"});
    Start();

    SelectLines(kList1, {L"KT-HALDA", L"Other"});
    tarvin_->ClickAndWait(kMoveSelected);
    EXPECT_THAT(tarvin_->ListLines(kList1), ElementsAre(L"KT-ARVO ﾌﾟﾚﾃﾝT桁", L"KT-SELM ﾌﾟﾚﾃﾝﾎﾛｰ"));
    EXPECT_THAT(tarvin_->ListLines(kList2), ElementsAre(L"KT-HALDA", L"Other"));

    // A selection in the delete list does not turn ">" around.
    SelectLines(kList2, {L"Other"});
    tarvin_->ClickAndWait(kMoveSelected);
    EXPECT_THAT(tarvin_->ListLines(kList2), ElementsAre(L"KT-HALDA", L"Other"));

    tarvin_->ClickAndWait(kMoveSelectedBack);
    EXPECT_THAT(tarvin_->ListLines(kList1),
                ElementsAre(L"KT-ARVO ﾌﾟﾚﾃﾝT桁", L"KT-SELM ﾌﾟﾚﾃﾝﾎﾛｰ", L"Other"));

    tarvin_->ClickAndWait(kMoveAll);
    EXPECT_THAT(tarvin_->ListLines(kList1), IsEmpty());
    EXPECT_THAT(tarvin_->ListLines(kList2),
                ElementsAre(L"KT-ARVO ﾌﾟﾚﾃﾝT桁", L"KT-HALDA", L"KT-SELM ﾌﾟﾚﾃﾝﾎﾛｰ", L"Other"));

    tarvin_->ClickAndWait(kMoveAllBack);
    EXPECT_THAT(tarvin_->ListLines(kList1),
                ElementsAre(L"KT-ARVO ﾌﾟﾚﾃﾝT桁", L"KT-HALDA", L"KT-SELM ﾌﾟﾚﾃﾝﾎﾛｰ", L"Other"));
    EXPECT_THAT(tarvin_->ListLines(kList2), IsEmpty());

    EXPECT_THAT(tarvin_->MessageBoxes(), IsEmpty());
    EXPECT_THAT(VendorEntries(HKEY_CURRENT_USER),
                ElementsAre(L"KT-ARVO1", L"KT-HLD", L"KT-SELM2", L"Other"));
}

}  // namespace
}  // namespace tarvin::testing
