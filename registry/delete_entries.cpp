#include "registry/delete_entries.h"

namespace tarvin {

void DeleteEntries(Registry& registry, SystemErrorReporter& errors, Hive hive,
                   const ProductList& deleteList, const std::vector<std::wstring>& entryNames) {
    std::unique_ptr<RegistryKey> vendorKey;
    const ErrorCode opened =
        registry.OpenKey(hive, kVendorKeyPath, kKeyAllKeySpecificRights, vendorKey);
    if (opened == kErrorFileNotFound) return;  // no entries under this hive
    if (opened != kErrorSuccess) {
        errors.ShowSystemError(L"(RegOpenKeyEx)", opened);
        return;
    }
    for (int line = deleteList.ListCount() - 1; line >= 0; --line) {
        const ErrorCode deleted = vendorKey->DeleteKey(entryNames.at(deleteList.Entry(line)));
        if (deleted != kErrorSuccess && deleted != kErrorInvalidParameter) {
            errors.ShowSystemError(L"(RegDeleteKey)", deleted);
        }
    }
}

}  // namespace tarvin
