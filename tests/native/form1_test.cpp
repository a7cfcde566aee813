// The behaviour on failures and in orders that a Wine prefix cannot stage or
// show, against in-memory stand-ins for the platform: refused opens and
// deletions, a listing that fails partway, the order of the registry calls,
// messages and pointer changes, a user who is not an administrator. The
// stand-ins write what is done to them into one log, in order.

#include "app/form1.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

#include "access/is_administrator.h"

namespace tarvin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Log = std::vector<std::wstring>;

// A list in code unit order, without selection: a new line goes after the
// lines equal to it.
struct FakeList final : ProductList {
    int ListCount() const override { return static_cast<int>(lines.size()); }
    std::wstring List(int index) const override { return lines.at(index).first; }
    bool Selected(int) const override { return false; }
    EntryId Entry(int index) const override { return lines.at(index).second; }
    void AddItem(const std::wstring& text, EntryId entry) override {
        lines.insert(std::upper_bound(lines.begin(), lines.end(), std::pair(text, SIZE_MAX)), {text, entry});
    }
    void RemoveItem(int index) override { lines.erase(lines.begin() + index); }
    void Clear() override { lines.clear(); }
    void BeginBulkChange(int) override {}
    void EndBulkChange() override {}
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (const auto& line : lines) texts.push_back(line.first);
        return texts;
    }
    std::vector<std::pair<std::wstring, EntryId>> lines;
};

// Keys by hive and path with failures to inject. Logs "open HKCU <path>
// <access>" and "delete HKCU <name>", and counts the keys open, so that tests
// can check each is closed again.
struct FakeRegistry final : Registry {
    struct Key {
        std::vector<std::wstring> subkeys;
        ErrorCode openError = kErrorSuccess;                  // OpenKey fails with this
        std::pair<std::size_t, ErrorCode> enumFailure{SIZE_MAX, 0};  // EnumKey of this index fails so
        std::map<std::wstring, ErrorCode> deleteErrors = {};  // DeleteKey of these fails
    };
    struct FakeKey final : RegistryKey {
        FakeKey(FakeRegistry& registry, const std::wstring& hive, Key& key) : registry(registry), hive(hive), key(key) {
            ++registry.openKeys;
        }
        ~FakeKey() override { --registry.openKeys; }
        ErrorCode EnumKey(std::uint32_t index, std::wstring& name) override {
            if (index == key.enumFailure.first) return key.enumFailure.second;
            if (index >= key.subkeys.size()) return kErrorNoMoreItems;
            name = key.subkeys[index];
            return kErrorSuccess;
        }
        ErrorCode DeleteKey(const std::wstring& name) override {
            registry.log.push_back(L"delete " + hive + L" " + name);
            const auto subkey = std::find(key.subkeys.begin(), key.subkeys.end(), name);
            if (key.deleteErrors.count(name)) return key.deleteErrors.at(name);
            if (subkey == key.subkeys.end()) return kErrorFileNotFound;
            key.subkeys.erase(subkey);
            return kErrorSuccess;
        }
        FakeRegistry& registry;
        std::wstring hive;
        Key& key;
    };

    explicit FakeRegistry(Log& log) : log(log) {}
    ErrorCode OpenKey(Hive hive, const std::wstring& path, AccessMask access,
                      std::unique_ptr<RegistryKey>& key) override {
        const std::wstring name = hive == Hive::CurrentUser ? L"HKCU" : L"HKLM";
        log.push_back(L"open " + name + L" " + path + L" " + std::to_wstring(access));
        const auto found = keys.find({hive, path});
        const ErrorCode error = found == keys.end() ? kErrorFileNotFound : found->second.openError;
        if (error == kErrorSuccess) key = std::make_unique<FakeKey>(*this, name, found->second);
        return error;
    }

    Log& log;
    std::map<std::pair<Hive, std::wstring>, Key> keys;
    int openKeys = 0;
};

// Logs each message and pointer change; a system text is "text of <code>".
struct FakeUserInterface final : UserInterface {
    explicit FakeUserInterface(Log& log) : log(log) {}
    void Show(const std::wstring& prompt) override { log.push_back(prompt); }
    void SetBusy(bool busy) override { log.push_back(busy ? L"busy" : L"not busy"); }
    std::wstring SystemText(ErrorCode code) const override { return L"text of " + std::to_wstring(code); }
    Log& log;
};

// A user and the Administrators group's members; a query with a failure set fails so.
struct FakeAccounts final : AccountDirectory {
    bool CurrentUserName(std::wstring& name, DirectoryFailure& failure) override {
        name = user;
        return !(userFailure && (failure = *userFailure, true));
    }
    bool AdministratorsMembers(std::vector<std::wstring>& found, DirectoryFailure& failure) override {
        found = members;
        return !(membersFailure && (failure = *membersFailure, true));
    }
    std::wstring user = L"admin";
    std::vector<std::wstring> members = {L"PC\\admin"};
    std::optional<DirectoryFailure> userFailure, membersFailure;
};

class Form1Test : public ::testing::Test {
protected:
    FakeRegistry::Key& VendorKey(Hive hive) { return registry.keys[{hive, kVendorKeyPath}]; }

    // Lists these entries under the user, moves them all to the delete list, and clears the log.
    void ChooseAll(const std::vector<std::wstring>& entries) {
        VendorKey(Hive::CurrentUser).subkeys = entries;
        form.Form_Load();
        form.Command2_Click(2);  // ">>"
        log.clear();
    }

    Log log;
    FakeList list1, list2;
    FakeRegistry registry{log};
    FakeAccounts accounts;
    FakeUserInterface ui{log};
    Form1 form{{list1, list2, registry, accounts, ui}};
};

TEST_F(Form1Test, AListingFailureIsReportedOnceAndWhatWasReadBeforeItIsListed) {
    auto& key = VendorKey(Hive::CurrentUser);
    key.openError = kErrorAccessDenied;
    list1.AddItem(L"stale", 0);
    list2.AddItem(L"stale", 0);
    form.Form_Load();
    EXPECT_TRUE(list1.lines.empty() && list2.lines.empty());

    key = {{L"KT-ARVO1", L"b", L"c"}, kErrorSuccess, {2, kErrorAccessDenied}};
    form.Form_Load();
    EXPECT_THAT(list1.Texts(), ElementsAre(L"KT-ARVO ﾌﾟﾚﾃﾝT桁", L"b"));
    const std::wstring open = std::wstring(L"open HKCU ") + kVendorKeyPath + L" 8";  // enumerate subkeys
    EXPECT_THAT(log, ElementsAre(open, L"(RegOpenKeyEx)text of 5", open, L"(RegOpenKeyEx)text of 5"));
    EXPECT_EQ(registry.openKeys, 0);
}

// Last line first, under the user then the machine, all while busy. Every
// failure but code 87 is reported and the walk goes on; an empty name, which
// stands for the vendor key itself in the registry's calls, never reaches them.
TEST_F(Form1Test, DeletesLastLineFirstUserThenMachineWhileBusyReportingFailures) {
    ChooseAll({L"", L"KT-HLD", L"Other", L"KT-ARVO2"});  // lines "", "KT-ARVO ﾌﾟﾚﾃﾝﾎﾛｰ", "KT-HALDA", "Other"
    VendorKey(Hive::LocalMachine) = {{L"KT-HLD", L"Other"}};
    VendorKey(Hive::LocalMachine).deleteErrors = {{L"KT-HLD", kErrorAccessDenied}, {L"Other", kErrorInvalidParameter}};

    form.Command3_Click();

    const std::wstring open = std::wstring(L" ") + kVendorKeyPath + L" 63";  // all key-specific rights
    EXPECT_THAT(log, ElementsAre(L"busy", L"open HKCU" + open, L"delete HKCU Other", L"delete HKCU KT-HLD",
                                 L"delete HKCU KT-ARVO2", L"(RegDeleteKey)text of 123", L"open HKLM" + open,
                                 L"delete HKLM Other", L"delete HKLM KT-HLD", L"(RegDeleteKey)text of 5",
                                 L"delete HKLM KT-ARVO2", L"(RegDeleteKey)text of 2", L"(RegDeleteKey)text of 123",
                                 L"not busy"));
    EXPECT_THAT(list2.Texts(), IsEmpty());
    EXPECT_EQ(registry.openKeys, 0);

    // A vendor key that does not open is reported, one that does not exist is not.
    ChooseAll({L"A"});
    VendorKey(Hive::CurrentUser).openError = kErrorAccessDenied;
    registry.keys.erase({Hive::LocalMachine, kVendorKeyPath});
    form.Command3_Click();
    EXPECT_THAT(log, ElementsAre(L"busy", L"open HKCU" + open, L"(RegOpenKeyEx)text of 5", L"open HKLM" + open,
                                 L"not busy"));
}

// Only a user named exactly as a direct member of the group is one. A user
// who is not, or cannot be checked, is refused and nothing changes.
TEST_F(Form1Test, OnlyAnExactDirectMemberIsAnAdministratorAndOthersAreRefused) {
    // A direct member; a domain user named as a local member; the case
    // differs; the name only a prefix, a suffix; a member only through a group.
    for (const auto& [user, members, administrator] : std::vector<std::tuple<std::wstring, std::vector<std::wstring>, bool>>{
             {L"bob", {L"PC\\Administrator", L"PC\\bob"}, true}, {L"bob", {L"OTHERPC\\bob"}, true},
             {L"Bob", {L"PC\\bob"}, false}, {L"bo", {L"PC\\bob"}, false}, {L"ob", {L"PC\\bob"}, false},
             {L"bob", {L"CORP\\Domain Admins"}, false}}) {
        accounts.user = user;
        accounts.members = members;
        EXPECT_EQ(IsAdministrator(accounts, ui), administrator) << ::testing::PrintToString(user);
    }
    EXPECT_THAT(log, IsEmpty());

    ChooseAll({L"KT-ARVO1"});
    accounts.user = L"admin";
    accounts.members = {L"PC\\Administrator"};
    form.Command3_Click();
    accounts.membersFailure = DirectoryFailure{L"(NetLocalGroupGetMembers)", 2220};
    form.Command3_Click();
    accounts.userFailure = DirectoryFailure{L"(GetUserName)", kErrorAccessDenied};
    form.Command3_Click();
    EXPECT_THAT(log, ElementsAre(kNotAdministratorMessage, L"(NetLocalGroupGetMembers)text of 2220",
                                 kNotAdministratorMessage, L"(GetUserName)text of 5", kNotAdministratorMessage));
    EXPECT_EQ(list2.ListCount(), 1);
}

}  // namespace
}  // namespace tarvin
