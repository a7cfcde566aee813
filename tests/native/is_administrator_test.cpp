// The administrator check against the stand-in account directory.

#include "access/is_administrator.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/native/fakes.h"

namespace tarvin {
namespace {

// Only a user named exactly as a direct member of the group, or whose
// account's SID is a direct member's, is one. A query that fails gives its
// failure, unless the other way finds a member.
TEST(IsAdministratorTest, OnlyADirectMemberByExactNameOrBySidIsOne) {
    FakeAccounts accounts;
    // A direct member; a domain user named as a local member; the case
    // differs; the name only a prefix, a suffix; a member only through a
    // group; a member by SID whose name does not resolve (a cloud account).
    for (const auto& [user, members, sids, administrator] :
         std::vector<std::tuple<std::wstring, std::vector<std::wstring>, std::vector<std::wstring>, bool>>{
             {L"bob", {L"PC\\Administrator", L"PC\\bob"}, {}, true}, {L"bob", {L"OTHERPC\\bob"}, {}, true},
             {L"Bob", {L"PC\\bob"}, {}, false}, {L"bo", {L"PC\\bob"}, {}, false}, {L"ob", {L"PC\\bob"}, {}, false},
             {L"bob", {L"CORP\\Domain Admins"}, {L"S-1-5-21-9-512"}, false}, {L"JaneDoe", {}, {L"S-1-5-21-9-500", kOwnSid}, true}}) {
        accounts.user = user;
        accounts.members = members;
        accounts.memberSids = sids;
        const Result<bool> checked = IsAdministrator(accounts);
        ASSERT_TRUE(checked) << testing::PrintToString(user);
        EXPECT_EQ(*checked, administrator) << testing::PrintToString(user);
    }
    accounts.user = Failure{L"(GetUserName)", kErrorSuccess};
    accounts.memberSids = {};
    EXPECT_EQ(IsAdministrator(accounts).failure().label, L"(GetUserName)");
    accounts.memberSids = {kOwnSid};
    EXPECT_TRUE(*IsAdministrator(accounts));
}

}  // namespace
}  // namespace tarvin
