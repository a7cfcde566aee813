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
    for (EntryId entry = 0; entry < entryNames_.size(); ++entry) {
        List1.AddItem(ShownName(entryNames_[entry]), entry);
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
    const std::vector<std::wstring> chosen = ChosenEntries();
    platform_.ui.SetBusy(true);
    DeleteInfomation(Hive::CurrentUser, chosen);
    DeleteInfomation(Hive::LocalMachine, chosen);
    List2.Clear();
    platform_.ui.SetBusy(false);
}

void Form1::DeleteInfomation(Hive hive, const std::vector<std::wstring>& chosen) {
    DeleteEntries(platform_.registry, platform_.ui, hive, chosen);
}

std::vector<std::wstring> Form1::ChosenEntries() const {
    std::vector<std::wstring> chosen;
    for (int line = List2.ListCount() - 1; line >= 0; --line) {
        chosen.push_back(entryNames_.at(List2.Entry(line)));
    }
    return chosen;
}

}  // namespace tarvin
