#include "registry/enum_sub_keys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/native/fakes.h"

namespace tarvin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::FakePlatform;

class EnumSubKeysTest : public ::testing::Test {
protected:
    std::vector<std::wstring> Enumerate() {
        return EnumSubKeys(p.registry, p.ui, Hive::CurrentUser, L"Software\\X");
    }

    FakePlatform p;
};

TEST_F(EnumSubKeysTest, ReturnsTheNamesInTheRegistrysOrderAndClosesTheKey) {
    p.registry.Add(Hive::CurrentUser, L"Software\\X").subkeys = {L"b", L"a", L"한국어", L"c"};

    EXPECT_THAT(Enumerate(), ElementsAre(L"b", L"a", L"한국어", L"c"));
    EXPECT_THAT(p.ui.shown, IsEmpty());
    EXPECT_EQ(p.registry.openKeys, 0);
    ASSERT_EQ(p.registry.openCalls.size(), 1u);
    EXPECT_EQ(p.registry.openCalls[0].access, kKeyEnumerateSubKeys);
}

TEST_F(EnumSubKeysTest, AKeyThatDoesNotOpenIsReportedOnce) {
    p.registry.Add(Hive::CurrentUser, L"Software\\X").openError = kErrorAccessDenied;
    EXPECT_THAT(Enumerate(), IsEmpty());
    EXPECT_THAT(p.ui.shown, ElementsAre(L"(RegOpenKeyEx)text of 5\r\n"));
    EXPECT_EQ(p.registry.openKeys, 0);
}

TEST_F(EnumSubKeysTest, AFailedReadKeepsTheNamesBeforeItAndClosesTheKey) {
    auto& key = p.registry.Add(Hive::CurrentUser, L"Software\\X");
    key.subkeys = {L"a", L"b", L"c"};
    key.failAtIndex = 2;
    key.enumError = kErrorAccessDenied;

    EXPECT_THAT(Enumerate(), ElementsAre(L"a", L"b"));
    EXPECT_THAT(p.ui.shown, ElementsAre(L"(RegOpenKeyEx)text of 5\r\n"));
    EXPECT_EQ(p.registry.openKeys, 0);
}

}  // namespace
}  // namespace tarvin
