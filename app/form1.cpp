#include "app/form1.h"

#include "products/product_name_table.h"
#include "registry/enum_sub_keys.h"

namespace tarvin {

void Form1::Form_Load() {
    List1.Clear();
    List2.Clear();
    entryNames_ = EnumSubKeys(registry_, errors_, Hive::CurrentUser, kVendorKeyPath);
    for (EntryId entry = 0; entry < entryNames_.size(); ++entry) {
        List1.AddItem(GetDisplayName(entryNames_[entry]), entry);
    }
}

}  // namespace tarvin
