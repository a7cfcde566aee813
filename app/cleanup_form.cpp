#include "app/cleanup_form.h"

#include "access/desktop_user.h"
#include "access/is_administrator.h"
#include "app/texts.h"
#include "products/product_name_table.h"
#include "registry/enum_sub_keys.h"

namespace tarvin {

namespace {

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

void CleanupForm::OnLoad() {
    registeredList_.Clear();
    deleteList_.Clear();
    const Result<DesktopUser> user = FindDesktopUser(accounts_, deskShell_);
    if (!user) {
        ui_.ShowSystemError(user.failure());
        return;
    }
    if (!user->otherAccount.empty()) ui_.SetCaption(std::wstring(kWindowCaption) + L" - " + user->otherAccount);
    userVendorKey_ = user->sid.empty() ? KeyLocation{Hive::CurrentUser, kVendorKeyPath}
                                       : KeyLocation{Hive::Users, user->sid + L"\\" + kVendorKeyPath};
    // A failed read is reported under the label of the open, as the user
    // cannot tell the two apart anyway: either way the key could not be listed.
    if (const std::optional<Failure> failed = EnumSubKeys(registry_, *userVendorKey_, entryNames_)) {
        ui_.ShowSystemError({kOpenKeyLabel, failed->code});
    }
    const ListBoxBulkChange filling(registeredList_, static_cast<int>(entryNames_.size()));
    for (std::size_t index = 0; index < entryNames_.size(); ++index) {
        registeredList_.AddItem(ShownName(entryNames_[index]), index + 1);
    }
}

void CleanupForm::OnMove(MoveTo to, Lines lines) {
    const bool toDeleteList = to == MoveTo::DeleteList;
    MoveItems(toDeleteList ? registeredList_ : deleteList_, toDeleteList ? deleteList_ : registeredList_, lines);
}

void CleanupForm::OnRunDeletion() {
    const Result<bool> administrator = IsAdministrator(accounts_);
    if (!administrator || !*administrator) {
        if (!administrator) ui_.ShowSystemError(administrator.failure());
        ui_.Show(kNotAdministratorMessage);
        return;
    }
    // Read once: nothing that happens during the deletion changes what it deletes.
    const DeleteListContents chosen = ReadDeleteList();
    for (const std::wstring& line : chosen.otherLines) ui_.Show(kNotListedMessage + line);
    if (userVendorKey_) DeleteEntriesUnder(*userVendorKey_, chosen.entryNames);
    DeleteEntriesUnder({Hive::LocalMachine, kVendorKeyPath}, chosen.entryNames);
    deleteList_.Clear();
}

void CleanupForm::OnExit() {
    ui_.Close();
}

void CleanupForm::DeleteEntriesUnder(const KeyLocation& vendorKey, const std::vector<std::wstring>& entryNames) {
    const Result<std::unique_ptr<RegistryKey>> opened = registry_.OpenKey(vendorKey, kKeyAllKeySpecificRights);
    if (!opened) {
        // No vendor key: no entries under this hive.
        if (opened.failure().code != kErrorFileNotFound) ui_.ShowSystemError(opened.failure());
        return;
    }
    for (const std::wstring& name : entryNames) {
        const std::optional<Failure> failed =
            name.empty() ? Failure{kDeleteKeyLabel, kErrorInvalidName} : (*opened)->DeleteKey(name);
        if (failed && failed->code != kErrorInvalidParameter) ui_.ShowSystemError(*failed);
    }
}

// The entry a line with this item data and text claims: the one whose index
// its item data holds, where its text is the one TARVIN writes for it; none
// otherwise. Another program can add lines to either list box and set any
// line's item data.
std::optional<std::size_t> CleanupForm::EntryClaimedBy(EntryId entry, const std::wstring& text) const {
    const std::optional<std::size_t> index = IndexOf(entry);
    if (!index || text != ShownName(entryNames_[*index])) return std::nullopt;
    return index;
}

std::optional<std::size_t> CleanupForm::IndexOf(EntryId entry) const {
    if (entry == kNoEntry || entry > entryNames_.size()) return std::nullopt;
    return entry - 1;
}

// TARVIN writes every entry to one line of the two lists: a line of the
// delete list counts only while no other line of either list claims its
// entry too. A copy and the line it copies are both another program's then.
CleanupForm::DeleteListContents CleanupForm::ReadDeleteList() const {
    struct Line {
        std::wstring text;
        std::optional<std::size_t> entry;
    };
    std::vector<Line> lines;                      // of the delete list, from the last to the first
    std::vector<int> claims(entryNames_.size());  // the lines of either list that claim each entry
    for (int line = deleteList_.LineCount() - 1; line >= 0; --line) {
        std::wstring text = deleteList_.Text(line);
        const std::optional<std::size_t> entry = EntryClaimedBy(deleteList_.Entry(line), text);
        if (entry) ++claims[*entry];
        lines.push_back({std::move(text), entry});
    }
    // Only the texts of registered-list lines whose item data names a chosen
    // entry are read: the list may hold tens of thousands of lines.
    for (int line = 0; line < registeredList_.LineCount(); ++line) {
        const EntryId entry = registeredList_.Entry(line);
        const std::optional<std::size_t> index = IndexOf(entry);
        if (index && claims[*index] > 0 && EntryClaimedBy(entry, registeredList_.Text(line))) ++claims[*index];
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
