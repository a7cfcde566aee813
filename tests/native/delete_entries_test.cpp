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

class DeleteEntriesTest : public ::testing::Test {
protected:
    FakeRegistry::Key& VendorKey(Hive hive) { return p.registry.Add(hive, kVendorKeyPath); }

    // Lists these entries under the current user and puts them all on the delete list.
    void ChooseForDeletion(std::vector<std::wstring> entries) {
        VendorKey(Hive::CurrentUser).subkeys = entries;
        form.Form_Load();
        form.Command2_Click(2);  // ">>"
        p.registry.openCalls.clear();
    }

    std::vector<std::wstring> DeletedNames() const {
        std::vector<std::wstring> names;
        for (const auto& call : p.registry.deleteCalls) names.push_back(call.name);
        return names;
    }

    FakePlatform p;
    Form1 form{p.View()};
};

TEST_F(DeleteEntriesTest, DeletesEachLinesOwnEntryFromTheLastLineToTheFirst) {
    // "KT-MOXEL" shows as itself, the same text as "KT-MOXEL1" shows as.
    ChooseForDeletion({L"KT-ARVO2", L"Other", L"KT-MOXEL", L"KT-MOXEL1"});
    const auto lines = p.list2.Texts();

    form.DeleteInfomation(Hive::CurrentUser, form.ChosenEntries());

    ASSERT_THAT(lines, ElementsAre(L"KT-ARVO ﾌﾟﾚﾃﾝﾎﾛｰ", L"KT-MOXEL", L"KT-MOXEL", L"Other"));
    EXPECT_THAT(DeletedNames(), ElementsAre(L"Other", L"KT-MOXEL1", L"KT-MOXEL", L"KT-ARVO2"));
    EXPECT_THAT(VendorKey(Hive::CurrentUser).subkeys, IsEmpty());
    EXPECT_THAT(p.ui.shown, IsEmpty());
    EXPECT_EQ(p.list2.Texts(), lines);  // the list is the caller's to empty
    ASSERT_EQ(p.registry.openCalls.size(), 1u);
    EXPECT_EQ(p.registry.openCalls[0].access, 0x3Fu);
    EXPECT_EQ(p.registry.openKeys, 0);
}

TEST_F(DeleteEntriesTest, EveryFailureButInvalidParameterIsReportedAndTheWalkGoesOn) {
    ChooseForDeletion({L"A-missing", L"B-has-subkeys", L"C-invalid", L"D-ok"});
    auto& machine = VendorKey(Hive::LocalMachine);
    machine.subkeys = {L"B-has-subkeys", L"C-invalid", L"D-ok"};
    machine.deleteErrors = {{L"B-has-subkeys", kErrorAccessDenied},
                            {L"C-invalid", kErrorInvalidParameter}};

    form.DeleteInfomation(Hive::LocalMachine, form.ChosenEntries());

    EXPECT_THAT(DeletedNames(), ElementsAre(L"D-ok", L"C-invalid", L"B-has-subkeys", L"A-missing"));
    EXPECT_THAT(p.ui.shown, ElementsAre(L"(RegDeleteKey)text of 5\r\n",
                                             L"(RegDeleteKey)text of 2\r\n"));
    EXPECT_THAT(machine.subkeys, ElementsAre(L"B-has-subkeys", L"C-invalid"));
    EXPECT_EQ(p.registry.openKeys, 0);
}

// An empty name stands for the vendor key itself in the registry's calls.
TEST_F(DeleteEntriesTest, AnEmptyNameNeverReachesTheRegistry) {
    ChooseForDeletion({L""});
    form.DeleteInfomation(Hive::CurrentUser, form.ChosenEntries());

    EXPECT_THAT(p.registry.deleteCalls, IsEmpty());
    EXPECT_THAT(p.ui.shown, ElementsAre(L"(RegDeleteKey)text of 123\r\n"));
}

TEST_F(DeleteEntriesTest, AMissingVendorKeyIsSilentButARefusedOneIsReported) {
    ChooseForDeletion({L"KT-ARVO1"});

    form.DeleteInfomation(Hive::LocalMachine, form.ChosenEntries());  // no vendor key there
    EXPECT_THAT(p.ui.shown, IsEmpty());

    VendorKey(Hive::LocalMachine).openError = kErrorAccessDenied;
    form.DeleteInfomation(Hive::LocalMachine, form.ChosenEntries());

    EXPECT_THAT(p.ui.shown, ElementsAre(L"(RegOpenKeyEx)text of 5\r\n"));
    EXPECT_THAT(p.registry.deleteCalls, IsEmpty());
    EXPECT_EQ(p.registry.openKeys, 0);
}

}  // namespace
}  // namespace tarvin
