#pragma once

// In-memory stand-ins for the platform, for the native tests: each writes
// what is done to it into one log, in order, by named operations.

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "access/account_directory.h"
#include "access/desk_shell.h"
#include "common/user_interface.h"
#include "products/list_box.h"
#include "registry/registry.h"

namespace tarvin {

using Log = std::vector<std::wstring>;
const std::wstring kOwnSid = L"S-1-5-21-1", kOtherSid = L"S-1-5-21-2";

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

// Keys by hive and path, which open, with failures to inject. Logs "open HKU
// <path> to enumerate" (or "to delete in", for all key-specific rights) and
// "delete HKU <name>" (HKCU, HKLM).
struct FakeRegistry final : Registry {
    struct Key {
        std::vector<std::wstring> subkeys;
        std::size_t enumFailsAt = SIZE_MAX;  // EnumKey of this index fails with kErrorAccessDenied
        std::map<std::wstring, ErrorCode> deleteErrors = {};  // DeleteKey of these fails, of others succeeds
    };
    struct FakeKey final : RegistryKey {
        FakeKey(Log& log, const std::wstring& hive, Key& key) : log(log), hive(hive), key(key) {}
        Result<std::wstring> EnumKey(std::uint32_t index) override {
            if (index == key.enumFailsAt) return Failure{L"(RegEnumKeyEx)", kErrorAccessDenied};
            if (index >= key.subkeys.size()) return Failure{L"(RegEnumKeyEx)", kErrorNoMoreItems};
            return key.subkeys[index];
        }
        std::optional<Failure> DeleteKey(const std::wstring& name) override {
            log.push_back(L"delete " + hive + L" " + name);
            if (!key.deleteErrors.count(name)) return std::nullopt;
            return Failure{L"(RegDeleteKey)", key.deleteErrors.at(name)};
        }
        Log& log;
        std::wstring hive;
        Key& key;
    };

    explicit FakeRegistry(Log& log) : log(log) {}
    Result<std::unique_ptr<RegistryKey>> OpenKey(const KeyLocation& at, AccessMask access) override {
        const std::wstring hive = at.hive == Hive::CurrentUser ? L"HKCU" : at.hive == Hive::Users ? L"HKU" : L"HKLM";
        log.push_back(L"open " + hive + L" " + at.path + (access == kKeyEnumerateSubKeys ? L" to enumerate" : L" to delete in"));
        const auto found = keys.find({at.hive, at.path});
        if (found == keys.end()) return Failure{L"(RegOpenKeyEx)", kErrorFileNotFound};
        return std::unique_ptr<RegistryKey>(std::make_unique<FakeKey>(log, hive, found->second));
    }

    Log& log;
    std::map<std::pair<Hive, std::wstring>, Key> keys;
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

// The account TARVIN runs as, the session's user (by default the same), the
// Administrators group's members, by name and by SID, as answered; only the
// accounts in names have names. (A failure to read the members shows end to end.)
struct FakeAccounts final : AccountDirectory {
    Result<std::wstring> ProcessUserSid() override { return kOwnSid; }
    Result<std::wstring> SessionUserSid() override { return session; }
    Result<std::wstring> AccountName(const std::wstring& sid) override {
        if (!names.count(sid)) return Failure{L"(LookupAccountSid)", 1332};
        return names.at(sid);
    }
    Result<std::wstring> CurrentUserName() override { return user; }
    Result<std::vector<std::wstring>> AdministratorsMembers() override { return members; }
    Result<std::vector<std::wstring>> AdministratorsMemberSids() override { return memberSids; }
    Result<std::wstring> user = std::wstring(L"admin"), session = kOwnSid;
    std::vector<std::wstring> members = {L"PC\\admin"}, memberSids;
    std::map<std::wstring, std::wstring> names = {{kOtherSid, L"PC\\other"}};
};

// The desktop's shell, where it has a process (and after the first answer,
// the one it has later): its user as the list of processes gives it, or else
// as its token does, as answered. Logs the debug privilege's changes.
struct FakeDeskShell final : DeskShell {
    explicit FakeDeskShell(Log& log) : log(log) {}
    std::optional<std::uint32_t> ShellProcess() override { return std::exchange(process, later); }
    Result<ProcessUser> ListedUser(std::uint32_t) override { return listed; }
    Result<ProcessUser> TokenUser(std::uint32_t) override { return token; }
    void EnableDebugPrivilege() override { log.push_back(L"debug privilege on"); }
    void RestoreDebugPrivilege() override { log.push_back(L"debug privilege off"); }
    Log& log;
    std::optional<std::uint32_t> process, later;
    Result<ProcessUser> listed = Failure{}, token = Failure{};
};

}  // namespace tarvin
