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

TEST_F(CommandsTest, ChosenEntriesGoUnderBothHivesWithoutMessage) {
    const std::wstring korean = L"KT-한국어판";
    const std::wstring longest(255, L'桁');
    const std::vector<std::wstring> entries = {L"KT-ARVO1", L"Kept", korean, longest};
    SeedVendorKey(HKEY_CURRENT_USER, entries);
    SeedVendorKey(HKEY_LOCAL_MACHINE, entries);
    Start();

    SelectLines(kList1, {L"KT-ARVO ﾌﾟﾚﾃﾝT桁", korean, longest});
    tarvin_->ClickAndWait(kMoveSelected);

    EXPECT_THAT(tarvin_->ClickAnsweringMessages(kCommand3), IsEmpty());
    EXPECT_THAT(VendorEntries(HKEY_CURRENT_USER), ElementsAre(L"Kept"));
    EXPECT_THAT(VendorEntries(HKEY_LOCAL_MACHINE), ElementsAre(L"Kept"));
    EXPECT_THAT(tarvin_->ListLines(kList1), ElementsAre(L"Kept"));
}

TEST_F(CommandsTest, AnEntryWithASubkeyStaysWithOneMessageWhileTheOthersGo) {
    SeedVendorKey(HKEY_CURRENT_USER, {L"KT-ARVO1", L"KT-HLD\\Settings", L"KT-SELM1"});
    RemoveVendorKey(HKEY_LOCAL_MACHINE);  // that pass has nothing to say
    Start();
    tarvin_->ClickAndWait(kMoveAll);

    EXPECT_THAT(tarvin_->ClickAnsweringMessages(kCommand3), ElementsAre(DeleteFailure(ERROR_ACCESS_DENIED)));
    EXPECT_THAT(VendorEntries(HKEY_CURRENT_USER), ElementsAre(L"KT-HLD"));
    EXPECT_THAT(VendorEntries(HKEY_LOCAL_MACHINE), IsEmpty());
    // The registered list is not read again: the entry that stayed is on neither list.
    EXPECT_THAT(tarvin_->ListLines(kList1), IsEmpty());
    EXPECT_THAT(tarvin_->ListLines(kList2), IsEmpty());
}

}  // namespace
}  // namespace tarvin::testing
