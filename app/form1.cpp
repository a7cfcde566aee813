#include "app/form1.h"

#include "access/is_administrator.h"
#include "products/move_items.h"
#include "products/product_name_table.h"
#include "registry/delete_entries.h"
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

void Form1::Form_Load() {
    List1.Clear();
    List2.Clear();
    entryNames_ = EnumSubKeys(platform_.registry, platform_.ui, Hive::CurrentUser, kVendorKeyPath);
    const ProductListChange filling(List1, static_cast<int>(entryNames_.size()));
    for (std::size_t index = 0; index < entryNames_.size(); ++index) {
        List1.AddItem(ShownName(entryNames_[index]), index + 1);
    }
}

void Form1::Command2_Click(int index) {
    const bool fromRegistered = index == 0 || index == 2;
    ProductList& source = fromRegistered ? List1 : List2;
    ProductList& destination = fromRegistered ? List2 : List1;
    MoveItems(source, destination, index > 1);
}

void Form1::Command3_Click() {
    if (!IsAdministrator(platform_.accounts, platform_.ui)) {
        platform_.ui.Show(kNotAdministratorMessage);
        return;
    }
    // Read once: nothing that happens during the deletion changes what it deletes.
    const DeleteListContents chosen = ReadDeleteList();
    platform_.ui.SetBusy(true);
    for (const std::wstring& line : chosen.otherLines) platform_.ui.Show(kNotListedMessage + line);
    DeleteInfomation(Hive::CurrentUser, chosen.entryNames);
    DeleteInfomation(Hive::LocalMachine, chosen.entryNames);
    List2.Clear();
    platform_.ui.SetBusy(false);
}

void Form1::DeleteInfomation(Hive hive, const std::vector<std::wstring>& chosen) {
    DeleteEntries(platform_.registry, platform_.ui, hive, chosen);
}

DeleteListContents Form1::ReadDeleteList() const {
    DeleteListContents chosen;
    for (int line = List2.ListCount() - 1; line >= 0; --line) {
        if (const std::wstring* name = EntryNameOf(List2, line)) {
            chosen.entryNames.push_back(*name);
        } else {
            chosen.otherLines.push_back(List2.List(line));
        }
    }
    return chosen;
}

// Another program can add lines to either list box and set any line's item
// data: a line counts only when both its item data and its text are TARVIN's.
const std::wstring* Form1::EntryNameOf(const ProductList& list, int line) const {
    const EntryId entry = list.Entry(line);
    if (entry == kNoEntry || entry > entryNames_.size()) return nullptr;
    const std::wstring& name = entryNames_[entry - 1];
    return list.List(line) == ShownName(name) ? &name : nullptr;
}

}  // namespace tarvin
