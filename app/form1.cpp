#include "app/form1.h"

#include "access/is_administrator.h"
#include "products/move_items.h"
#include "products/product_name_table.h"
#include "registry/delete_entries.h"
#include "registry/enum_sub_keys.h"

namespace tarvin {

void Form1::Form_Load() {
    List1.Clear();
    List2.Clear();
    entryNames_ = EnumSubKeys(platform_.registry, errors_, Hive::CurrentUser, kVendorKeyPath);
    const ProductListChange filling(List1, static_cast<int>(entryNames_.size()));
    for (EntryId entry = 0; entry < entryNames_.size(); ++entry) {
        List1.AddItem(GetDisplayName(entryNames_[entry]), entry);
    }
}

void Form1::Command2_Click(int index) {
    const bool fromRegistered = index == 0 || index == 2;
    ProductList& source = fromRegistered ? List1 : List2;
    ProductList& destination = fromRegistered ? List2 : List1;
    MoveItems(source, destination, index > 1);
}

void Form1::Command3_Click() {
    if (!IsAdministrator(platform_.accounts, errors_)) {
        platform_.display.Show(kNotAdministratorMessage);
        return;
    }
    platform_.pointer.SetBusy(true);
    DeleteInfomation(Hive::CurrentUser);
    DeleteInfomation(Hive::LocalMachine);
    List2.Clear();
    platform_.pointer.SetBusy(false);
}

void Form1::DeleteInfomation(Hive hive) {
    DeleteEntries(platform_.registry, errors_, hive, List2, entryNames_);
}

}  // namespace tarvin
