// The window's behaviour on failures and in orders that a Wine prefix cannot
// stage or show, against the in-memory stand-ins: refused opens and
// deletions, a listing that fails partway, the order of the registry calls
// and messages, a user who is not an administrator, whoever is at the desk.

#include "app/cleanup_form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "tests/native/fakes.h"

namespace tarvin {
namespace {

using testing::ElementsAre;
const std::wstring kVendor = L"Software\\Norvale\\QZ";
const std::wstring kRefused = L"管理者権限が無い為、削除できません";
// The vendor key in the hive of the account TARVIN runs as, below HKEY_USERS.
const std::wstring kOwnVendor = kOwnSid + L"\\" + kVendor;

class CleanupFormTest : public testing::Test {
protected:
    FakeRegistry::Key& VendorKey(Hive hive) { return registry.keys[{hive, hive == Hive::Users ? kOwnVendor : kVendor}]; }

    // Lists these entries under the user, moves them all to the delete list, and clears the log.
    void ChooseAll(const std::vector<std::wstring>& entries) {
        VendorKey(Hive::Users).subkeys = entries;
        form.OnLoad();
        form.OnMove(MoveTo::DeleteList, Lines::All);
        log.clear();
    }

    Log log;
    FakeList registeredList, deleteList;
    FakeRegistry registry{log};
    FakeAccounts accounts;
    FakeDeskShell shell{log};
    FakeUserInterface ui{log};
    CleanupForm form{{registeredList, deleteList, registry, accounts, shell, ui}};
};

// A failure to read the third name: the two before it are listed, the key is closed.
TEST_F(CleanupFormTest, AListingFailureIsReportedOnceAndWhatWasReadBeforeItIsListed) {
    VendorKey(Hive::Users) = {{L"KT-ARVO1", L"b", L"c"}, 2};
    form.OnLoad();
    EXPECT_THAT(registeredList.lines, ElementsAre(std::pair(L"KT-ARVO ﾌﾟﾚﾃﾝT桁", EntryId{1}), std::pair(L"b", EntryId{2})));
    EXPECT_THAT(log, ElementsAre(L"open HKU " + kOwnVendor + L" to enumerate", L"(RegOpenKeyEx)text of 5"));
}

// Last line first, under the user then the machine. Every
// failure but code 87 is reported and the walk goes on; an empty name, which
// stands for the vendor key itself in the registry's calls, never reaches them.
TEST_F(CleanupFormTest, DeletesLastLineFirstUserThenMachineReportingFailures) {
    ChooseAll({L"", L"KT-HLD", L"Other", L"KT-ARVO2"});  // lines "", "KT-ARVO ﾌﾟﾚﾃﾝﾎﾛｰ", "KT-HALDA", "Other"
    VendorKey(Hive::LocalMachine).deleteErrors = {
        {L"KT-HLD", kErrorAccessDenied}, {L"Other", kErrorInvalidParameter}, {L"KT-ARVO2", kErrorFileNotFound}};

    form.OnRunDeletion();

    EXPECT_THAT(log, ElementsAre(L"open HKU " + kOwnVendor + L" to delete in", L"delete HKU Other", L"delete HKU KT-HLD",
                                 L"delete HKU KT-ARVO2", L"(RegDeleteKey)text of 123", L"open HKLM " + kVendor + L" to delete in",
                                 L"delete HKLM Other", L"delete HKLM KT-HLD", L"(RegDeleteKey)text of 5",
                                 L"delete HKLM KT-ARVO2", L"(RegDeleteKey)text of 2", L"(RegDeleteKey)text of 123"));
    EXPECT_TRUE(deleteList.lines.empty());
}

// A user whom the check finds no administrator, or cannot check, is refused
// with a message (after the failure's, whatever its code) and nothing changes.
TEST_F(CleanupFormTest, ANonAdministratorIsRefusedAfterTheFailedChecksMessage) {
    ChooseAll({L"KT-ARVO1"});
    accounts.user = Failure{L"(GetUserName)", kErrorSuccess};  // a call that failed without saying why
    form.OnRunDeletion();
    accounts.user = std::wstring(L"admin");
    accounts.members = {L"PC\\Administrator"};
    form.OnRunDeletion();
    EXPECT_THAT(log, ElementsAre(L"(GetUserName)text of 0", kRefused, kRefused));
    EXPECT_EQ(deleteList.LineCount(), 1);
}

// The person at the desk is whoever runs the desktop's shell, by the SID of
// its process, also where their session's name does not resolve (Microsoft
// Entra ID, 1332; a domain controller out of reach, 1789); where the desktop
// has no shell, the session's user, by name. Their hive below HKEY_USERS is
// listed and deleted in, and the caption names them, by their SID where
// they have no name, when they are not the account TARVIN runs as. A SID
// that is no person's, a shell in another session or gone, a name that does
// not resolve, a hive that is not loaded: one message, nothing listed, no
// user pass.
TEST_F(CleanupFormTest, TheEntriesOfWhoeverRunsTheDesktopsShellAreListedAndDeleted) {
    const std::wstring kCloudSid = L"S-1-12-1-7", kUnloadedSid = L"S-1-5-21-3";
    for (const std::wstring& sid : {kOwnSid, kOtherSid, kCloudSid}) registry.keys[{Hive::Users, sid + L"\\" + kVendor}].subkeys = {sid};
    registry.keys[{Hive::CurrentUser, kVendor}].subkeys = {L"InCurrentUser"};
    VendorKey(Hive::LocalMachine);
    // The log of a run that lists and deletes in the hive of sid, with the entry named sid.
    const auto listedAndDeleted = [&](const std::wstring& sid, Log before = {}) {
        const std::wstring hive = sid.empty() ? L"HKCU" : L"HKU", vendor = sid.empty() ? kVendor : sid + L"\\" + kVendor;
        const std::wstring entry = sid.empty() ? L"InCurrentUser" : sid;
        before.insert(before.end(), {L"open " + hive + L" " + vendor + L" to enumerate", L"open " + hive + L" " + vendor + L" to delete in",
                                     L"delete " + hive + L" " + entry, L"open HKLM " + kVendor + L" to delete in", L"delete HKLM " + entry});
        return before;
    };
    const auto refused = [&](Log messages) { messages.push_back(L"open HKLM " + kVendor + L" to delete in"); return messages; };
    const std::wstring on = L"debug privilege on", off = L"debug privilege off";
    const Failure kUnresolved{L"(LookupAccountName)", 1332}, kUnreachable{L"(LookupAccountName)", 1789};
    const std::optional<std::uint32_t> kShell = 4000, kNoShell;
    struct Desk {
        std::optional<std::uint32_t> shellProcess;
        Result<ProcessUser> listed = Failure{}, token = Failure{};
        Result<std::wstring> session = kOwnSid;
        bool shellLeft = false;  // the shell's window belongs to another process once its user is found
    };
    for (const auto& [desk, expected] : std::vector<std::pair<Desk, Log>>{
             {{kShell, ProcessUser{kOwnSid, true}, Failure{}, kUnresolved}, listedAndDeleted(kOwnSid)},
             {{kShell, ProcessUser{kOtherSid, true}, Failure{}, kUnreachable},
              listedAndDeleted(kOtherSid, {L"caption QIRA情報削除 - PC\\other"})},
             {{kShell, Failure{}, ProcessUser{kCloudSid, true}}, listedAndDeleted(kCloudSid, {on, off, L"caption QIRA情報削除 - " + kCloudSid})},
             {{kShell, Failure{}, Failure{L"(OpenProcess)", kErrorAccessDenied}}, refused({on, off, L"(OpenProcess)text of 5"})},
             {{kShell, ProcessUser{L"S-1-5-18", true}}, refused({L"(GetShellWindow)text of 1317"})},
             {{kShell, ProcessUser{kOtherSid, false}}, refused({L"(GetShellWindow)text of 1312"})},
             {{kShell, ProcessUser{kOtherSid, true}, Failure{}, kOwnSid, true}, refused({L"(GetShellWindow)text of 1312"})},
             {{kNoShell}, listedAndDeleted(kOwnSid)},
             {{kNoShell, Failure{}, Failure{}, std::wstring()}, listedAndDeleted(L"")},
             {{kNoShell, Failure{}, Failure{}, kUnresolved}, refused({L"(LookupAccountName)text of 1332"})},
             {{kNoShell, Failure{}, Failure{}, std::wstring(L"S-1-5-19")}, refused({L"(LookupAccountName)text of 1317"})},
             {{kNoShell, Failure{}, Failure{}, kUnloadedSid},
              refused({L"caption QIRA情報削除 - " + kUnloadedSid, L"open HKU " + kUnloadedSid + L"\\" + kVendor + L" to enumerate",
                       L"(RegOpenKeyEx)text of 2", L"open HKU " + kUnloadedSid + L"\\" + kVendor + L" to delete in"})}}) {
        log.clear();
        std::tie(shell.process, shell.listed, shell.token, accounts.session) =
            std::tie(desk.shellProcess, desk.listed, desk.token, desk.session);
        shell.later = desk.shellLeft ? 4001 : desk.shellProcess;
        CleanupForm atDesk{{registeredList, deleteList, registry, accounts, shell, ui}};
        atDesk.OnLoad();
        atDesk.OnMove(MoveTo::DeleteList, Lines::All);
        atDesk.OnRunDeletion();
        EXPECT_EQ(log, expected) << testing::PrintToString(expected);
    }
}

// A line claims an entry only when both its item data and its text are those
// TARVIN wrote for it, and only while no other line of either list copies it
// exactly: forged item data, out of range in either list too (from one past
// the last entry on), an exact copy of a chosen line in either list (both are
// refused), another entry's item data on a line of the registered list (which
// claims nothing).
TEST_F(CleanupFormTest, OnlyALineWhoseDataAndTextAreTARVINsAndUncopiedClaimsAnEntry) {
    ChooseAll({L"KT-ARVO1", L"KT-HLD", L"Kept", L"KT-SELM1"});  // entries 1 to 4
    deleteList.AddItem(L"KT-HALDA", 2);
    for (const EntryId forged : {EntryId{0}, EntryId{5}, EntryId{1000}}) deleteList.AddItem(L"Kept", forged);
    const std::pair<const wchar_t*, EntryId> registeredLines[] = {
        {L"Stranger", 1}, {L"KT-SELM ﾌﾟﾚﾃﾝT桁", 4}, {L"x", 5}, {L"y", SIZE_MAX}};
    for (const auto& [text, forged] : registeredLines) registeredList.AddItem(text, forged);
    form.OnRunDeletion();
    const std::wstring notListed = L"一覧から読み取った項目ではないため、削除しませんでした: ";
    EXPECT_THAT(log, ElementsAre(notListed + L"Kept", notListed + L"Kept", notListed + L"Kept",
                                 notListed + L"KT-SELM ﾌﾟﾚﾃﾝT桁", notListed + L"KT-HALDA", notListed + L"KT-HALDA",
                                 L"open HKU " + kOwnVendor + L" to delete in", L"delete HKU Kept", L"delete HKU KT-ARVO1",
                                 L"open HKLM " + kVendor + L" to delete in"));
}

}  // namespace
}  // namespace tarvin
