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
    for (const std::wstring& line : chosen.otherLines) ui_.Show(kNotListedMessage + line);
    if (userVendorKey_) DeleteInfomation(*userVendorKey_, chosen.entryNames);
    DeleteInfomation({Hive::LocalMachine, kVendorKeyPath}, chosen.entryNames);
    List2.Clear();
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

// The entry a line with this item data and text claims: the one whose index
// its item data holds, where its text is the one TARVIN writes for it; none
// otherwise. Another program can add lines to either list box and set any
// line's item data.
std::optional<std::size_t> Form1::EntryClaimedBy(EntryId entry, const std::wstring& text) const {
    const std::size_t index = entry - 1;  // kNoEntry wraps round to none
    if (index >= entryNames_.size() || text != ShownName(entryNames_[index])) return std::nullopt;
    return index;
}

// TARVIN writes every entry to one line of the two lists: a line of the
// delete list counts only while no other line of either list claims its
// entry too. A copy and the line it copies are both another program's then.
DeleteListContents Form1::ReadDeleteList() const {
    struct Line {
        std::wstring text;
        std::optional<std::size_t> entry;
    };
    std::vector<Line> lines;                      // of the delete list, from the last to the first
    std::vector<int> claims(entryNames_.size());  // the lines of either list that claim each entry
    for (int line = List2.ListCount() - 1; line >= 0; --line) {
        std::wstring text = List2.List(line);
        const std::optional<std::size_t> entry = EntryClaimedBy(List2.Entry(line), text);
        if (entry) ++claims[*entry];
        lines.push_back({std::move(text), entry});
    }
    // Only the texts of registered-list lines whose item data names a chosen
    // entry are read: the list may hold tens of thousands of lines.
    for (int line = 0; line < List1.ListCount(); ++line) {
        const EntryId entry = List1.Entry(line);
        const std::size_t index = entry - 1;
        if (index < claims.size() && claims[index] > 0 && EntryClaimedBy(entry, List1.List(line))) ++claims[index];
    }
    DeleteListContents chosen;
    for (const Line& line : lines) {
        if (line.entry && claims[*line.entry] == 1) {
            chosen.entryNames.push_back(entryNames_[*line.entry]);
        } else {
            chosen.otherLines.push_back(line.text);
        }
    }
    return chosen;
}

}  // namespace tarvin
