#include "app/form1.h"

#include <iterator>

#include "access/desktop_user.h"
#include "access/is_administrator.h"
#include "app/control_ids.h"
#include "app/texts.h"
#include "products/move_items.h"
#include "products/product_name_table.h"
#include "registry/enum_sub_keys.h"

namespace tarvin {

namespace {

// What each move button does, by its Index in the control array Command2.
enum class Toward { DeleteList, RegisteredList };
struct MoveButton {
    Toward toward;
    Lines lines;
};
constexpr MoveButton kMoveButtons[] = {
    {Toward::DeleteList, Lines::Selected},      // 0: ">"
    {Toward::RegisteredList, Lines::Selected},  // 1: "<"
    {Toward::DeleteList, Lines::All},           // 2: ">>"
    {Toward::RegisteredList, Lines::All},       // 3: "<<"
};
static_assert(std::size(kMoveButtons) == kMoveButtonCount);

// What a line shows for an entry: its display name, with each NUL character
// drawn as "␀", so that a name with a NUL never looks like the name before it.
std::wstring ShownName(const std::wstring& entryName) {
    std::wstring shown = GetDisplayName(entryName);
    for (wchar_t& c : shown) {
        if (c == L'\0') c = L'\u2400';
    }
    return shown;
}

}  // namespace

void Form1::Form_Load() {
    List1.Clear();
    List2.Clear();
    DesktopUser user;
    DirectoryFailure failure;
    if (!FindDesktopUser(accounts_, user, failure)) {
        ui_.ShowSystemError(failure.label, failure.code);
        return;
    }
    if (!user.otherAccount.empty()) ui_.SetCaption(std::wstring(kWindowCaption) + L" - " + user.otherAccount);
    userVendorKey_ = user.sid.empty() ? KeyLocation{Hive::CurrentUser, kVendorKeyPath}
                                      : KeyLocation{Hive::Users, user.sid + L"\\" + kVendorKeyPath};
    SubKeyNames read = EnumSubKeys(registry_, userVendorKey_->hive, userVendorKey_->path);
    // A failed read is reported under the label of the open, as the user
    // cannot tell the two apart anyway: either way the key could not be listed.
    if (read.status != kErrorSuccess) ui_.ShowSystemError(kOpenKeyLabel, read.status);
    entryNames_ = std::move(read.names);
    const ListBoxBulkChange filling(List1, static_cast<int>(entryNames_.size()));
    for (std::size_t index = 0; index < entryNames_.size(); ++index) {
        List1.AddItem(ShownName(entryNames_[index]), index + 1);
    }
}

void Form1::Command2_Click(int index) {
    if (index < 0 || index >= kMoveButtonCount) return;
    const MoveButton& button = kMoveButtons[index];
    const bool toDeleteList = button.toward == Toward::DeleteList;
    MoveItems(toDeleteList ? List1 : List2, toDeleteList ? List2 : List1, button.lines);
}

void Form1::Command3_Click() {
    std::optional<DirectoryFailure> failure;
    if (!IsAdministrator(accounts_, failure)) {
        if (failure) ui_.ShowSystemError(failure->label, failure->code);
        ui_.Show(kNotAdministratorMessage);
        return;
    }
    // Read once: nothing that happens during the deletion changes what it deletes.
    const DeleteListContents chosen = ReadDeleteList();
    ui_.SetBusy(true);
    for (const std::wstring& line : chosen.otherLines) ui_.Show(kNotListedMessage + line);
    if (userVendorKey_) DeleteInfomation(*userVendorKey_, chosen.entryNames);
    DeleteInfomation({Hive::LocalMachine, kVendorKeyPath}, chosen.entryNames);
    List2.Clear();
    ui_.SetBusy(false);
}

void Form1::Command4_Click() {
    ui_.Close();
}

void Form1::DeleteInfomation(const KeyLocation& vendorKeyLocation, const std::vector<std::wstring>& entryNames) {
    std::unique_ptr<RegistryKey> vendorKey;
    const ErrorCode opened =
        registry_.OpenKey(vendorKeyLocation.hive, vendorKeyLocation.path, kKeyAllKeySpecificRights, vendorKey);
    if (opened == kErrorFileNotFound) return;  // no entries under this hive
    if (opened != kErrorSuccess) {
        ui_.ShowSystemError(kOpenKeyLabel, opened);
        return;
    }
    for (const std::wstring& name : entryNames) {
        const ErrorCode deleted = name.empty() ? kErrorInvalidName : vendorKey->DeleteKey(name);
        if (deleted != kErrorSuccess && deleted != kErrorInvalidParameter) {
            ui_.ShowSystemError(kDeleteKeyLabel, deleted);
        }
    }
}

// Another program can add lines to either list box and set any line's item
// data. A line counts only when both its item data and its text are those
// TARVIN wrote for an entry; and as TARVIN writes every entry to one line of
// the two lists, a line of an entry that the registered list holds, or that a
// line after it names, is another program's too.
DeleteListContents Form1::ReadDeleteList() const {
    // The index of the entry a line names; kNoEntry wraps round to none.
    const auto indexOf = [](const ListBox& list, int line) -> std::size_t { return list.Entry(line) - 1; };
    std::vector<bool> taken(entryNames_.size());
    for (int line = 0; line < List1.ListCount(); ++line) {
        if (const std::size_t index = indexOf(List1, line); index < taken.size()) taken[index] = true;
    }
    DeleteListContents chosen;
    for (int line = List2.ListCount() - 1; line >= 0; --line) {
        const std::size_t index = indexOf(List2, line);
        const std::wstring text = List2.List(line);
        if (index >= taken.size() || taken[index] || text != ShownName(entryNames_[index])) {
            chosen.otherLines.push_back(text);
        } else {
            taken[index] = true;
            chosen.entryNames.push_back(entryNames_[index]);
        }
    }
    return chosen;
}

}  // namespace tarvin
