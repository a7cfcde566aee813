#include "app/form1.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/native/fakes.h"

namespace tarvin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using testing::FakePlatform;
using testing::FakeRegistry;

class FormLoadTest : public ::testing::Test {
protected:
    FormLoadTest() {
        // Lines left from before must go.
        p.list1.AddItem(L"stale", 0);
        p.list2.AddItem(L"stale", 0);
    }

    FakeRegistry::Key& VendorKey() {
        return p.registry.Add(Hive::CurrentUser, L"Software\\Norvale\\QZ");
    }

    // The entry name each line of the list was listed from, in line order.
    std::vector<std::wstring> EntryNames(const ProductList& list) const {
        std::vector<std::wstring> names;
        for (int i = 0; i < list.ListCount(); ++i) names.push_back(form.EntryName(list.Entry(i)));
        return names;
    }

    FakePlatform p;
    Form1 form{p.View()};
};

TEST_F(FormLoadTest, AMissingVendorKeyIsReportedOnceAndBothListsStayEmpty) {
    form.Form_Load();

    EXPECT_THAT(p.ui.shown, ElementsAre(L"(RegOpenKeyEx)text of 2\r\n"));
    EXPECT_THAT(p.list1.Texts(), IsEmpty());
    EXPECT_THAT(p.list2.Texts(), IsEmpty());
}

TEST_F(FormLoadTest, AnEmptyVendorKeyGivesEmptyListsWithoutMessage) {
    VendorKey();
    form.Form_Load();

    EXPECT_THAT(p.ui.shown, IsEmpty());
    EXPECT_THAT(p.list1.Texts(), IsEmpty());
    EXPECT_THAT(p.list2.Texts(), IsEmpty());
    EXPECT_EQ(p.registry.openKeys, 0);
}

TEST_F(FormLoadTest, ListsTheCurrentUsersEntriesByDisplayNameSorted) {
    VendorKey().subkeys = {L"KT-SELM2", L"Other", L"KT-ARVO1", L"KT-HLD"};
    p.registry.Add(Hive::LocalMachine, L"Software\\Norvale\\QZ").subkeys = {L"KT-ARVO4"};
    form.Form_Load();

    EXPECT_THAT(p.list1.Texts(), ElementsAre(L"KT-ARVO ﾌﾟﾚﾃﾝT桁", L"KT-HALDA",
                                             L"KT-SELM ﾌﾟﾚﾃﾝﾎﾛｰ", L"Other"));
    EXPECT_THAT(EntryNames(p.list1), ElementsAre(L"KT-ARVO1", L"KT-HLD", L"KT-SELM2", L"Other"));
    EXPECT_THAT(p.list2.Texts(), IsEmpty());
    EXPECT_THAT(p.ui.shown, IsEmpty());
    ASSERT_EQ(p.registry.openCalls.size(), 1u);
    EXPECT_EQ(p.registry.openCalls[0].hive, Hive::CurrentUser);
}

TEST_F(FormLoadTest, EqualDisplayNamesStayTwoLinesEachWithItsOwnEntry) {
    // "KT-HLD" shows as "KT-HALDA"; an entry literally named so shows the same.
    VendorKey().subkeys = {L"KT-HALDA", L"KT-HLD"};
    form.Form_Load();

    EXPECT_THAT(p.list1.Texts(), ElementsAre(L"KT-HALDA", L"KT-HALDA"));
    EXPECT_THAT(EntryNames(p.list1), UnorderedElementsAre(L"KT-HALDA", L"KT-HLD"));
}

}  // namespace
}  // namespace tarvin
