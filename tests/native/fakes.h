#pragma once

// In-memory stand-ins for the platform: list boxes, registry, message boxes
// and the system message table.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "access/account_directory.h"
#include "app/platform.h"
#include "common/user_interface.h"
#include "products/product_list.h"
#include "registry/registry.h"

namespace tarvin::testing {

// A sorted list, by code unit (a real list box sorts by locale, ignoring
// case): a new line goes after the lines that sort before or equal to it.
class FakeProductList final : public ProductList {
public:
    struct Line {
        std::wstring text;
        EntryId entry;
        bool selected;
    };

    int ListCount() const override { return static_cast<int>(lines.size()); }
    std::wstring List(int index) const override { return lines.at(index).text; }
    bool Selected(int index) const override { return lines.at(index).selected; }
    EntryId Entry(int index) const override { return lines.at(index).entry; }
    void AddItem(const std::wstring& text, EntryId entry) override;
    void RemoveItem(int index) override { lines.erase(lines.begin() + index); }
    void Clear() override { lines.clear(); }
    // Nothing to repaint, and a vector makes its own room.
    void BeginBulkChange(int) override {}
    void EndBulkChange() override {}

    std::vector<std::wstring> Texts() const;

    std::vector<Line> lines;
};

// Registry keys by hive and path, with failures to inject. Counts the keys it
// has open so that tests can check every opened key is closed again.
class FakeRegistry final : public Registry {
public:
    struct Key {
        std::vector<std::wstring> subkeys;
        ErrorCode openError = kErrorSuccess;    // returned by OpenKey instead of opening
        std::size_t failAtIndex = SIZE_MAX;     // EnumKey of this index fails ...
        ErrorCode enumError = kErrorSuccess;    // ... with this code
        std::map<std::wstring, ErrorCode> deleteErrors;  // DeleteKey of these subkeys fails
    };
    struct OpenCall {
        Hive hive;
        std::wstring path;
        AccessMask access;
    };
    struct DeleteCall {
        Hive hive;
        std::wstring name;
    };

    Key& Add(Hive hive, const std::wstring& path) { return keys[{hive, path}]; }

    ErrorCode OpenKey(Hive hive, const std::wstring& path, AccessMask access,
                      std::unique_ptr<RegistryKey>& key) override;

    std::map<std::pair<Hive, std::wstring>, Key> keys;
    std::vector<OpenCall> openCalls;
    std::vector<DeleteCall> deleteCalls;
    int openKeys = 0;
};

// Records the messages and pointer changes; a system text is "text of <code>"
// plus a line break, like the system's texts. A test may look at the world
// as it is at each pointer change.
class FakeUserInterface final : public UserInterface {
public:
    void Show(const std::wstring& prompt) override { shown.push_back(prompt); }
    void SetBusy(bool busy) override {
        changes.push_back(busy);
        if (observer) observer(busy);
    }
    std::wstring SystemText(ErrorCode code) const override {
        return L"text of " + std::to_wstring(code) + L"\r\n";
    }

    std::vector<std::wstring> shown;
    std::vector<bool> changes;
    std::function<void(bool busy)> observer;
};

// A user and the Administrators group's members, or a failure of either query.
class FakeAccountDirectory final : public AccountDirectory {
public:
    bool CurrentUserName(std::wstring& name, DirectoryFailure& failure) override;
    bool AdministratorsMembers(std::vector<std::wstring>& members, DirectoryFailure& failure) override;

    std::wstring user = L"admin";
    std::vector<std::wstring> members = {L"PC\\admin"};
    std::optional<DirectoryFailure> userFailure;
    std::optional<DirectoryFailure> membersFailure;
};

// The platform as the portable layer sees it, all in memory.
struct FakePlatform {
    Platform View() {
        return {list1, list2, registry, accounts, ui};
    }

    FakeProductList list1;
    FakeProductList list2;
    FakeRegistry registry;
    FakeAccountDirectory accounts;
    FakeUserInterface ui;
};

}  // namespace tarvin::testing
