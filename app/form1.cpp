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

// Another program can add lines to either list box and set any line's item
// data. A line counts only when both its item data and its text are those
// TARVIN wrote for an entry; and as TARVIN writes every entry to one line of
// the two lists, a line of an entry that the registered list holds, or that a
// line after it names, is another program's too.
DeleteListContents Form1::ReadDeleteList() const {
    // The index of the entry a line names; kNoEntry wraps round to none.
    const auto indexOf = [](const ProductList& list, int line) -> std::size_t { return list.Entry(line) - 1; };
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
