// The behaviour on failures and in orders that a Wine prefix cannot stage or
// show, against in-memory stand-ins for the platform: refused opens and
// deletions, a listing that fails partway, the order of the registry calls,
// messages and pointer changes, a user who is not an administrator. The
// stand-ins write what is done to them into one log, in order.

#include "app/cleanup_form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "access/is_administrator.h"
#include "app/command_runner.h"

namespace tarvin {
namespace {

using ::testing::ElementsAre;
using Log = std::vector<std::wstring>;
const std::wstring kVendor = L"Software\\Norvale\\QZ";
const std::wstring kRefused = L"管理者権限が無い為、削除できません";
const std::wstring kOwnSid = L"S-1-5-21-1", kOtherSid = L"S-1-5-21-2";
// The vendor key in the hive of the account TARVIN runs as, below HKEY_USERS.
const std::wstring kOwnVendor = kOwnSid + L"\\" + kVendor;

// A list in code unit order, without selection: a new line goes after the
// lines equal to it.
struct FakeList final : ListBox {
    int LineCount() const override { return static_cast<int>(lines.size()); }
    std::wstring Text(int line) const override { return lines.at(line).first; }
    bool Selected(int) const override { return false; }
    EntryId Entry(int line) const override { return lines.at(line).second; }
    void AddItem(const std::wstring& text, EntryId entry) override {
        lines.insert(std::upper_bound(lines.begin(), lines.end(), std::pair(text, SIZE_MAX)), {text, entry});
    }
    void RemoveItem(int line) override { lines.erase(lines.begin() + line); }
    void Clear() override { lines.clear(); }
    void BeginBulkChange(int) override {}
    void EndBulkChange() override {}
    std::vector<std::pair<std::wstring, EntryId>> lines;
};

// Keys by hive and path, which open, with failures to inject. Logs "open HKU <path>
// <access>" and "delete HKU <name>" (HKCU, HKLM), and counts the keys open, so that tests
// can check each is closed again.
struct FakeRegistry final : Registry {
    struct Key {
        std::vector<std::wstring> subkeys;
        std::size_t enumFailsAt = SIZE_MAX;   // EnumKey of this index fails with kErrorAccessDenied
        std::map<std::wstring, ErrorCode> deleteErrors = {};  // DeleteKey of these fails, of others succeeds
    };
    struct FakeKey final : RegistryKey {
        FakeKey(FakeRegistry& registry, const std::wstring& hive, Key& key) : registry(registry), hive(hive), key(key) {
            ++registry.openKeys;
        }
        ~FakeKey() override { --registry.openKeys; }
        ErrorCode EnumKey(std::uint32_t index, std::wstring& name) override {
            if (index == key.enumFailsAt) return kErrorAccessDenied;
            if (index >= key.subkeys.size()) return kErrorNoMoreItems;
            name = key.subkeys[index];
            return kErrorSuccess;
        }
        ErrorCode DeleteKey(const std::wstring& name) override {
            registry.log.push_back(L"delete " + hive + L" " + name);
            return key.deleteErrors.count(name) ? key.deleteErrors.at(name) : kErrorSuccess;
        }
        FakeRegistry& registry;
        std::wstring hive;
        Key& key;
    };

    explicit FakeRegistry(Log& log) : log(log) {}
    ErrorCode OpenKey(Hive hive, const std::wstring& path, AccessMask access,
                      std::unique_ptr<RegistryKey>& key) override {
        const std::wstring name = hive == Hive::CurrentUser ? L"HKCU" : hive == Hive::Users ? L"HKU" : L"HKLM";
        log.push_back(L"open " + name + L" " + path + L" " + std::to_wstring(access));
        const auto found = keys.find({hive, path});
        if (found == keys.end()) return kErrorFileNotFound;
        key = std::make_unique<FakeKey>(*this, name, found->second);
        return kErrorSuccess;
    }

    Log& log;
    std::map<std::pair<Hive, std::wstring>, Key> keys;
    int openKeys = 0;
};

// Logs each message, caption, pointer change and hold on the end of the
// session; a system text is "text of <code>".
struct FakeUserInterface final : UserInterface {
    explicit FakeUserInterface(Log& log) : log(log) {}
    void Show(const std::wstring& prompt) override { log.push_back(prompt); }
    void SetCaption(const std::wstring& caption) override { log.push_back(L"caption " + caption); }
    void SetBusy(bool busy) override { log.push_back(busy ? L"busy" : L"not busy"); }
    void HoldSessionEnd(const std::wstring& reason) override { log.push_back(L"hold " + reason); }
    void ReleaseSessionEnd() override { log.push_back(L"release"); }
    std::wstring SystemText(ErrorCode code) const override { return L"text of " + std::to_wstring(code); }
    void Close() override {}
    Log& log;
};

// The account TARVIN runs as and the session's user (by default the same),
// the Administrators group's members, by name and by SID; the user's name
// cannot be had when userFails, the session user's SID when sessionFails is
// not 0, and only the accounts in names have names. (A failure to read the
// members shows end to end.)
struct FakeAccounts final : AccountDirectory {
    std::wstring ProcessUserSid() override { return kOwnSid; }
    bool SessionUserSid(std::wstring& sid, DirectoryFailure& failure) override {
        sid = sessionSid;
        failure = {L"(LookupAccountName)", sessionFails};
        return sessionFails == kErrorSuccess;
    }
    std::optional<std::wstring> AccountName(const std::wstring& sid) override {
        return names.count(sid) ? std::optional(names.at(sid)) : std::nullopt;
    }
    bool CurrentUserName(std::wstring& name, DirectoryFailure& failure) override {
        name = user;
        failure = {L"(GetUserName)", kErrorSuccess};  // a call that failed without saying why
        return !userFails;
    }
    bool AdministratorsMembers(std::vector<std::wstring>& found, DirectoryFailure&) override { found = members; return true; }
    bool AdministratorsMemberSids(std::vector<std::wstring>& found, DirectoryFailure&) override { found = memberSids; return true; }
    std::wstring user = L"admin";
    std::vector<std::wstring> members = {L"PC\\admin"}, memberSids;
    bool userFails = false;
    std::wstring sessionSid = kOwnSid;
    ErrorCode sessionFails = kErrorSuccess;
    std::map<std::wstring, std::wstring> names = {{kOtherSid, L"PC\\other"}};
};

// The desktop's shell, when it has one: its process's user as the list of
// processes gives it, or else (unlisted) as its token does, which fails with
// code 5 when tokenFails. Logs the debug privilege's changes.
struct FakeDeskShell final : DeskShell {
    explicit FakeDeskShell(Log& log) : log(log) {}
    std::optional<std::uint32_t> ShellProcess() override { return owner ? std::optional<std::uint32_t>(4000) : std::nullopt; }
    std::optional<ProcessUser> ListedUser(std::uint32_t) override { return unlisted ? std::nullopt : owner; }
    bool TokenUser(std::uint32_t, ProcessUser& user, DirectoryFailure& failure) override {
        user = *owner;
        failure = {L"(OpenProcess)", kErrorAccessDenied};
        return !tokenFails;
    }
    void EnableDebugPrivilege() override { log.push_back(L"debug privilege on"); }
    void RestoreDebugPrivilege() override { log.push_back(L"debug privilege off"); }
    Log& log;
    std::optional<ProcessUser> owner;
    bool unlisted = false, tokenFails = false;
};

class CleanupFormTest : public ::testing::Test {
protected:
    FakeRegistry::Key& VendorKey(Hive hive) { return registry.keys[{hive, hive == Hive::Users ? kOwnVendor : kVendor}]; }

    // Lists these entries under the user, moves them all to the delete list, and clears the log.
    void ChooseAll(const std::vector<std::wstring>& entries) {
        VendorKey(Hive::Users).subkeys = entries;
        form.OnLoad();
        form.OnMove(MoveButton::All);
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
    EXPECT_THAT(log, ElementsAre(L"open HKU " + kOwnVendor + L" 8", L"(RegOpenKeyEx)text of 5"));  // 8: enumerate
    EXPECT_EQ(registry.openKeys, 0);
}

// Last line first, under the user then the machine. Every
// failure but code 87 is reported and the walk goes on; an empty name, which
// stands for the vendor key itself in the registry's calls, never reaches them.
TEST_F(CleanupFormTest, DeletesLastLineFirstUserThenMachineReportingFailures) {
    ChooseAll({L"", L"KT-HLD", L"Other", L"KT-ARVO2"});  // lines "", "KT-ARVO ﾌﾟﾚﾃﾝﾎﾛｰ", "KT-HALDA", "Other"
    VendorKey(Hive::LocalMachine).deleteErrors = {
        {L"KT-HLD", kErrorAccessDenied}, {L"Other", kErrorInvalidParameter}, {L"KT-ARVO2", kErrorFileNotFound}};

    form.OnRunDeletion();

    // 63: all key-specific rights
    EXPECT_THAT(log, ElementsAre(L"open HKU " + kOwnVendor + L" 63", L"delete HKU Other", L"delete HKU KT-HLD",
                                 L"delete HKU KT-ARVO2", L"(RegDeleteKey)text of 123", L"open HKLM " + kVendor + L" 63",
                                 L"delete HKLM Other", L"delete HKLM KT-HLD", L"(RegDeleteKey)text of 5",
                                 L"delete HKLM KT-ARVO2", L"(RegDeleteKey)text of 2", L"(RegDeleteKey)text of 123"));
    EXPECT_TRUE(deleteList.lines.empty());
    EXPECT_EQ(registry.openKeys, 0);
}

// Only a user named exactly as a direct member of the group, or whose
// account's SID is a direct member's, is one. A user who is not, or cannot be
// checked, is refused and nothing changes.
TEST_F(CleanupFormTest, OnlyADirectMemberByExactNameOrBySidIsAnAdministratorAndOthersAreRefused) {
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
        std::optional<DirectoryFailure> failure;
        EXPECT_EQ(IsAdministrator(accounts, failure), administrator) << ::testing::PrintToString(user);
    }

    // A failed check is reported whatever its code, and never again after it.
    ChooseAll({L"KT-ARVO1"});
    accounts.memberSids.clear();
    accounts.userFails = true;
    form.OnRunDeletion();
    accounts.userFails = false;
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
// that is no person's, a shell in another session, a name that does not
// resolve, a hive that is not loaded: one message, nothing listed, no user pass.
TEST_F(CleanupFormTest, TheEntriesOfWhoeverRunsTheDesktopsShellAreListedAndDeleted) {
    const std::wstring kCloudSid = L"S-1-12-1-7", kUnloadedSid = L"S-1-5-21-3";
    for (const std::wstring& sid : {kOwnSid, kOtherSid, kCloudSid}) registry.keys[{Hive::Users, sid + L"\\" + kVendor}].subkeys = {sid};
    registry.keys[{Hive::CurrentUser, kVendor}].subkeys = {L"InCurrentUser"};
    VendorKey(Hive::LocalMachine);
    // The log of a run that lists and deletes in the hive of sid, with the entry named sid.
    const auto listedAndDeleted = [&](const std::wstring& sid, Log before = {}) {
        const std::wstring hive = sid.empty() ? L"HKCU" : L"HKU", vendor = sid.empty() ? kVendor : sid + L"\\" + kVendor;
        const std::wstring entry = sid.empty() ? L"InCurrentUser" : sid;
        before.insert(before.end(), {L"open " + hive + L" " + vendor + L" 8", L"open " + hive + L" " + vendor + L" 63",
                                     L"delete " + hive + L" " + entry, L"open HKLM " + kVendor + L" 63", L"delete HKLM " + entry});
        return before;
    };
    const auto refused = [&](Log messages) { messages.push_back(L"open HKLM " + kVendor + L" 63"); return messages; };
    struct Desk {
        std::optional<ProcessUser> shellOwner;
        bool unlisted = false, tokenFails = false;
        std::wstring sessionSid = kOwnSid;
        ErrorCode sessionFails = kErrorSuccess;
    };
    for (const auto& [desk, expected] : std::vector<std::pair<Desk, Log>>{
             {{ProcessUser{kOwnSid, true}, false, false, kOtherSid, 1332}, listedAndDeleted(kOwnSid)},
             {{ProcessUser{kOtherSid, true}, false, false, L"", 1789}, listedAndDeleted(kOtherSid, {L"caption QIRA情報削除 - PC\\other"})},
             {{ProcessUser{kCloudSid, true}, true}, listedAndDeleted(kCloudSid, {L"debug privilege on", L"debug privilege off",
                                                                                  L"caption QIRA情報削除 - " + kCloudSid})},
             {{ProcessUser{kOtherSid, true}, true, true}, refused({L"debug privilege on", L"debug privilege off", L"(OpenProcess)text of 5"})},
             {{ProcessUser{L"S-1-5-18", true}}, refused({L"(GetShellWindow)text of 1317"})},
             {{ProcessUser{L"S-1-5-90-0-1", true}}, refused({L"(GetShellWindow)text of 1317"})},
             {{ProcessUser{kOtherSid, false}}, refused({L"(GetShellWindow)text of 1312"})},
             {{std::nullopt}, listedAndDeleted(kOwnSid)},
             {{std::nullopt, false, false, L""}, listedAndDeleted(L"")},
             {{std::nullopt, false, false, kOtherSid}, listedAndDeleted(kOtherSid, {L"caption QIRA情報削除 - PC\\other"})},
             {{std::nullopt, false, false, kOtherSid, 1332}, refused({L"(LookupAccountName)text of 1332"})},
             {{std::nullopt, false, false, L"S-1-5-19"}, refused({L"(LookupAccountName)text of 1317"})},
             {{std::nullopt, false, false, kUnloadedSid}, refused({L"caption QIRA情報削除 - " + kUnloadedSid, L"open HKU " + kUnloadedSid + L"\\" + kVendor + L" 8",
                                                                   L"(RegOpenKeyEx)text of 2", L"open HKU " + kUnloadedSid + L"\\" + kVendor + L" 63"})}}) {
        log.clear();
        std::tie(shell.owner, shell.unlisted, shell.tokenFails, accounts.sessionSid, accounts.sessionFails) =
            std::tie(desk.shellOwner, desk.unlisted, desk.tokenFails, desk.sessionSid, desk.sessionFails);
        CleanupForm atDesk{{registeredList, deleteList, registry, accounts, shell, ui}};
        atDesk.OnLoad();
        atDesk.OnMove(MoveButton::All);
        atDesk.OnRunDeletion();
        EXPECT_EQ(log, expected) << ::testing::PrintToString(desk.shellOwner ? desk.shellOwner->sid : L"no shell, " + desk.sessionSid);
    }
}

// A line claims an entry only when both its item data and its text are those
// TARVIN wrote for it, and only while no other line of either list copies it
// exactly: forged item data, out of range in either list too, an exact copy of
// a chosen line (both are refused), another entry's item data on a line of
// the registered list (which claims nothing).
TEST_F(CleanupFormTest, OnlyALineWhoseDataAndTextAreTARVINsAndUncopiedClaimsAnEntry) {
    ChooseAll({L"KT-ARVO1", L"KT-HLD", L"Kept"});  // entries 1 to 3
    deleteList.AddItem(L"KT-HALDA", 2);
    for (const EntryId forged : {EntryId{0}, EntryId{4}, EntryId{1000}}) deleteList.AddItem(L"Kept", forged);
    for (const auto& [text, forged] : {std::pair(L"Stranger", EntryId{1}), {L"x", 1000}, {L"y", SIZE_MAX}}) registeredList.AddItem(text, forged);
    form.OnRunDeletion();
    const std::wstring notListed = L"一覧から読み取った項目ではないため、削除しませんでした: ";
    EXPECT_THAT(log, ElementsAre(notListed + L"Kept", notListed + L"Kept", notListed + L"Kept", notListed + L"KT-HALDA",
                                 notListed + L"KT-HALDA", L"open HKU " + kOwnVendor + L" 63", L"delete HKU Kept",
                                 L"delete HKU KT-ARVO1", L"open HKLM " + kVendor + L" 63"));
}

// Each command runs under the busy pointer, with the end of the session held
// back for its reason (Wine shows no such reason): both set before the command
// and cleared after it. (That a click meanwhile is dropped, that a close and
// the end of the session wait for the command's end, shows end to end.)
TEST_F(CleanupFormTest, EachCommandRunsBusyWithTheEndOfTheSessionHeldBackForItsReason) {
    CommandRunner commands(ui);
    for (const wchar_t* reason : {L"deleting", L"moving"}) {
        EXPECT_FALSE(commands.Run(reason, [this] { log.push_back(L"command"); }));
    }
    EXPECT_THAT(log, ElementsAre(L"hold deleting", L"busy", L"command", L"not busy", L"release", L"hold moving", L"busy",
                                 L"command", L"not busy", L"release"));
}

}  // namespace
}  // namespace tarvin
