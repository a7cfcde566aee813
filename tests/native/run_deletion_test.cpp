#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/form1.h"
#include "tests/native/fakes.h"

namespace tarvin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::FakePlatform;
using testing::FakeRegistry;

class RunDeletionTest : public ::testing::Test {
protected:
    RunDeletionTest() {
        p.registry.Add(Hive::CurrentUser, kVendorKeyPath).subkeys = {L"KT-ARVO1", L"KT-SELM1", L"Kept"};
        p.registry.Add(Hive::LocalMachine, kVendorKeyPath).subkeys = {L"KT-ARVO1", L"KT-SELM1"};
        form.Form_Load();
        p.list1.lines[0].selected = p.list1.lines[1].selected = true;
        form.Command2_Click(0);  // ">": both KT- entries
        p.registry.openCalls.clear();
    }

    FakeRegistry::Key& VendorKey(Hive hive) { return p.registry.keys.at({hive, kVendorKeyPath}); }

    FakePlatform p;
    Form1 form{p.View()};
};

TEST_F(RunDeletionTest, DeletesUnderTheUserThenTheMachineAndEmptiesTheDeleteList) {
    p.ui.observer = [this](bool busy) {
        // Busy before anything is deleted; back to default with all done.
        EXPECT_EQ(p.registry.deleteCalls.size(), busy ? 0u : 4u);
        EXPECT_EQ(p.list2.ListCount(), busy ? 2 : 0);
    };

    form.Command3_Click();

    ASSERT_EQ(p.registry.deleteCalls.size(), 4u);
    EXPECT_EQ(p.registry.deleteCalls[1].hive, Hive::CurrentUser);
    EXPECT_EQ(p.registry.deleteCalls[2].hive, Hive::LocalMachine);
    EXPECT_THAT(VendorKey(Hive::CurrentUser).subkeys, ElementsAre(L"Kept"));
    EXPECT_THAT(VendorKey(Hive::LocalMachine).subkeys, IsEmpty());
    EXPECT_THAT(p.ui.changes, ElementsAre(true, false));
    EXPECT_THAT(p.list1.Texts(), ElementsAre(L"Kept"));  // not read again
    EXPECT_THAT(p.list2.Texts(), IsEmpty());
    EXPECT_THAT(p.ui.shown, IsEmpty());
}

TEST_F(RunDeletionTest, TheDeleteListIsEmptiedAndThePointerRestoredAfterFailures) {
    VendorKey(Hive::CurrentUser).openError = kErrorAccessDenied;
    VendorKey(Hive::LocalMachine).subkeys = {L"KT-SELM1"};

    form.Command3_Click();

    EXPECT_THAT(p.ui.shown, ElementsAre(L"(RegOpenKeyEx)text of 5\r\n",
                                             L"(RegDeleteKey)text of 2\r\n"));
    EXPECT_THAT(p.list2.Texts(), IsEmpty());
    EXPECT_THAT(p.ui.changes, ElementsAre(true, false));
    EXPECT_EQ(p.registry.openKeys, 0);
}

TEST_F(RunDeletionTest, ANonAdministratorIsRefusedAndNothingChanges) {
    p.accounts.members = {L"PC\\Administrator"};
    const auto lines = p.list2.Texts();

    form.Command3_Click();

    EXPECT_THAT(p.ui.shown, ElementsAre(L"管理者権限が無い為、削除できません"));
    EXPECT_THAT(p.registry.openCalls, IsEmpty());
    EXPECT_THAT(p.ui.changes, IsEmpty());
    EXPECT_EQ(p.list2.Texts(), lines);
}

TEST_F(RunDeletionTest, AFailedAdministratorCheckIsReportedThenRefused) {
    constexpr ErrorCode kGroupNotFound = 2220;
    p.accounts.membersFailure = DirectoryFailure{L"(NetLocalGroupGetMembers)", kGroupNotFound};

    form.Command3_Click();

    EXPECT_THAT(p.ui.shown, ElementsAre(L"(NetLocalGroupGetMembers)text of 2220\r\n",
                                             L"管理者権限が無い為、削除できません"));
    EXPECT_THAT(p.registry.openCalls, IsEmpty());
    EXPECT_EQ(p.list2.ListCount(), 2);
}

}  // namespace
}  // namespace tarvin
