#include "access/is_administrator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/native/fakes.h"

namespace tarvin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::FakePlatform;

struct Membership {
    const char* what;
    std::wstring user;
    std::vector<std::wstring> members;
    bool administrator;
};

class IsAdministratorTest : public ::testing::Test {
protected:
    FakePlatform p;
};

TEST_F(IsAdministratorTest, OnlyAnExactDirectMemberNameCounts) {
    const Membership cases[] = {
        {"direct member", L"bob", {L"PC\\Administrator", L"PC\\bob"}, true},
        {"member listed without domain", L"bob", {L"bob"}, true},
        {"domain user named as a local member", L"bob", {L"OTHERPC\\bob"}, true},
        {"case differs", L"Bob", {L"PC\\bob"}, false},
        {"name only a prefix", L"bo", {L"PC\\bob"}, false},
        {"member only through a nested group", L"bob", {L"PC\\Administrator", L"CORP\\Domain Admins"}, false},
        {"empty group", L"bob", {}, false},
    };
    for (const Membership& c : cases) {
        p.accounts.user = c.user;
        p.accounts.members = c.members;
        EXPECT_EQ(IsAdministrator(p.accounts, p.ui), c.administrator) << c.what;
    }
    EXPECT_THAT(p.ui.shown, IsEmpty());
}

TEST_F(IsAdministratorTest, AFailedQueryIsReportedAndRefuses) {
    p.accounts.userFailure = DirectoryFailure{L"(GetUserName)", kErrorAccessDenied};
    EXPECT_FALSE(IsAdministrator(p.accounts, p.ui));

    p.accounts.userFailure.reset();
    constexpr ErrorCode kNoSuchAlias = 1376;
    p.accounts.membersFailure = DirectoryFailure{L"(NetLocalGroupGetMembers)", kNoSuchAlias};
    EXPECT_FALSE(IsAdministrator(p.accounts, p.ui));

    EXPECT_THAT(p.ui.shown, ElementsAre(L"(GetUserName)text of 5\r\n",
                                             L"(NetLocalGroupGetMembers)text of 1376\r\n"));
}

}  // namespace
}  // namespace tarvin
