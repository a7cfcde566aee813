// The behaviour on failures and in orders that a Wine prefix cannot stage or
// show, against in-memory stand-ins for the platform: refused opens and
// deletions, a listing that fails partway, the order of the registry calls,
// the busy pointer, a user who is not an administrator.

#include "app/form1.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include "access/is_administrator.h"

namespace tarvin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

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

// Keys by hive and path with failures to inject. Records the calls, as
// "open HKCU <path> <access>" and "delete HKCU <name>", and counts the keys
// open, so that tests can check each is closed again.
struct FakeRegistry final : Registry {
    struct Key {
        std::vector<std::wstring> subkeys;
        ErrorCode openError = kErrorSuccess;              // OpenKey fails with this
        std::size_t failAtIndex = SIZE_MAX;               // EnumKey of this index fails ...
        ErrorCode enumError = kErrorSuccess;              // ... with this code
        std::map<std::wstring, ErrorCode> deleteErrors = {};  // DeleteKey of these fails
    };
    struct FakeKey final : RegistryKey {
        FakeKey(FakeRegistry& registry, const std::wstring& hive, Key& key) : registry(registry), hive(hive), key(key) {
            ++registry.openKeys;
        }
        ~FakeKey() override { --registry.openKeys; }
        ErrorCode EnumKey(std::uint32_t index, std::wstring& name) override {
            if (index == key.failAtIndex) return key.enumError;
            if (index >= key.subkeys.size()) return kErrorNoMoreItems;
            name = key.subkeys[index];
            return kErrorSuccess;
        }
        ErrorCode DeleteKey(const std::wstring& name) override {
            registry.calls.push_back(L"delete " + hive + L" " + name);
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

    ErrorCode OpenKey(Hive hive, const std::wstring& path, AccessMask access,
                      std::unique_ptr<RegistryKey>& key) override {
        const std::wstring name = hive == Hive::CurrentUser ? L"HKCU" : L"HKLM";
        calls.push_back(L"open " + name + L" " + path + L" " + std::to_wstring(access));
        const auto found = keys.find({hive, path});
        const ErrorCode error = found == keys.end() ? kErrorFileNotFound : found->second.openError;
        if (error == kErrorSuccess) key = std::make_unique<FakeKey>(*this, name, found->second);
        return error;
    }

    std::map<std::pair<Hive, std::wstring>, Key> keys;
    std::vector<std::wstring> calls;
    int openKeys = 0;
};

// Records messages and pointer changes; a system text is "text of <code>".
struct FakeUserInterface final : UserInterface {
    void Show(const std::wstring& prompt) override { shown.push_back(prompt); }
    void SetBusy(bool busy) override {
        if (observer) observer(busy);
        changes.push_back(busy);
    }
    std::wstring SystemText(ErrorCode code) const override { return L"text of " + std::to_wstring(code); }
    std::vector<std::wstring> shown;
    std::vector<bool> changes;
    std::function<void(bool busy)> observer;  // sees the world as it is at each change
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

    // Lists these entries under the user and moves them all to the delete list.
    void ChooseAll(const std::vector<std::wstring>& entries) {
        VendorKey(Hive::CurrentUser).subkeys = entries;
        form.Form_Load();
        form.Command2_Click(2);  // ">>"
        registry.calls.clear();
    }

    FakeList list1, list2;
    FakeRegistry registry;
    FakeAccounts accounts;
    FakeUserInterface ui;
    Form1 form{{list1, list2, registry, accounts, ui}};
};

TEST_F(Form1Test, AListingFailureIsReportedOnceAndWhatWasReadBeforeItIsListed) {
    auto& key = VendorKey(Hive::CurrentUser);
    key.openError = kErrorAccessDenied;
    list1.AddItem(L"stale", 0);
    list2.AddItem(L"stale", 0);
    form.Form_Load();
    EXPECT_THAT(list1.Texts(), IsEmpty());
    EXPECT_THAT(list2.Texts(), IsEmpty());

    key = {{L"KT-ARVO1", L"b", L"c"}, kErrorSuccess, 2, kErrorAccessDenied};
    form.Form_Load();
    EXPECT_THAT(list1.Texts(), ElementsAre(L"KT-ARVO ﾌﾟﾚﾃﾝT桁", L"b"));
    EXPECT_THAT(ui.shown, ElementsAre(L"(RegOpenKeyEx)text of 5", L"(RegOpenKeyEx)text of 5"));
    EXPECT_EQ(registry.openKeys, 0);
}

TEST_F(Form1Test, DeletesLastLineFirstUnderTheUserThenTheMachineWhileBusy) {
    VendorKey(Hive::LocalMachine).subkeys = {L"KT-HLD", L"Other"};
    ChooseAll({L"KT-HLD", L"Other", L"KT-ARVO2"});  // lines "KT-ARVO ﾌﾟﾚﾃﾝﾎﾛｰ", "KT-HALDA", "Other"
    ui.observer = [this](bool busy) { EXPECT_EQ(registry.calls.size(), busy ? 0u : 8u); };

    form.Command3_Click();

    const std::wstring open = std::wstring(L" ") + kVendorKeyPath + L" 63";  // all key-specific rights
    EXPECT_THAT(registry.calls, ElementsAre(L"open HKCU" + open, L"delete HKCU Other", L"delete HKCU KT-HLD",
                                            L"delete HKCU KT-ARVO2", L"open HKLM" + open, L"delete HKLM Other",
                                            L"delete HKLM KT-HLD", L"delete HKLM KT-ARVO2"));
    EXPECT_THAT(ui.shown, ElementsAre(L"(RegDeleteKey)text of 2"));
    EXPECT_THAT(ui.changes, ElementsAre(true, false));
    EXPECT_EQ(registry.openKeys, 0);
}

// Code 87 goes unreported; an empty name, which stands for the vendor key
// itself in the registry's calls, never reaches them.
TEST_F(Form1Test, RefusedOpensAndDeletionsAreReportedAndTheWalkGoesOn) {
    ChooseAll({L"", L"A", L"B", L"C", L"D"});
    VendorKey(Hive::CurrentUser).openError = kErrorAccessDenied;
    VendorKey(Hive::LocalMachine) = {{L"A", L"B", L"C", L"D"}};
    VendorKey(Hive::LocalMachine).deleteErrors = {{L"C", kErrorAccessDenied}, {L"B", kErrorInvalidParameter}};

    form.Command3_Click();

    EXPECT_THAT(ui.shown, ElementsAre(L"(RegOpenKeyEx)text of 5", L"(RegDeleteKey)text of 5",
                                      L"(RegDeleteKey)text of 123"));
    EXPECT_THAT(VendorKey(Hive::LocalMachine).subkeys, ElementsAre(L"B", L"C"));
    EXPECT_THAT(registry.calls, ::testing::Not(::testing::Contains(L"delete HKLM ")));
    EXPECT_THAT(list2.Texts(), IsEmpty());
    EXPECT_THAT(ui.changes, ElementsAre(true, false));
    EXPECT_EQ(registry.openKeys, 0);
}

TEST_F(Form1Test, AUserWhoIsNotAnAdministratorOrCannotBeCheckedIsRefused) {
    ChooseAll({L"KT-ARVO1"});
    accounts.members = {L"PC\\Administrator"};
    form.Command3_Click();
    accounts.membersFailure = DirectoryFailure{L"(NetLocalGroupGetMembers)", 2220};
    form.Command3_Click();

    EXPECT_THAT(ui.shown, ElementsAre(kNotAdministratorMessage, L"(NetLocalGroupGetMembers)text of 2220",
                                      kNotAdministratorMessage));
    EXPECT_THAT(registry.calls, IsEmpty());
    EXPECT_THAT(ui.changes, IsEmpty());
    EXPECT_EQ(list2.ListCount(), 1);
}

TEST_F(Form1Test, OnlyAnExactDirectMemberNameIsAnAdministrator) {
    const struct {
        const char* what;
        std::wstring user;
        std::vector<std::wstring> members;
        bool administrator;
    } cases[] = {
        {"direct member", L"bob", {L"PC\\Administrator", L"PC\\bob"}, true},
        {"member listed without domain", L"bob", {L"bob"}, true},
        {"domain user named as a local member", L"bob", {L"OTHERPC\\bob"}, true},
        {"case differs", L"Bob", {L"PC\\bob"}, false},
        {"name only a prefix", L"bo", {L"PC\\bob"}, false},
        {"name only a suffix", L"ob", {L"PC\\bob"}, false},
        {"member only through a nested group", L"bob", {L"CORP\\Domain Admins"}, false},
        {"empty group", L"bob", {}, false},
    };
    for (const auto& c : cases) {
        accounts.user = c.user;
        accounts.members = c.members;
        EXPECT_EQ(IsAdministrator(accounts, ui), c.administrator) << c.what;
    }
    accounts.userFailure = DirectoryFailure{L"(GetUserName)", kErrorAccessDenied};
    EXPECT_FALSE(IsAdministrator(accounts, ui));
    EXPECT_THAT(ui.shown, ElementsAre(L"(GetUserName)text of 5"));
}

}  // namespace
}  // namespace tarvin
