#include "registry/delete_entries.h"

namespace tarvin {

void DeleteEntries(Registry& registry, SystemErrorReporter& errors, Hive hive,
                   const std::vector<std::wstring>& entryNames) {
    std::unique_ptr<RegistryKey> vendorKey;
    const ErrorCode opened =
        registry.OpenKey(hive, kVendorKeyPath, kKeyAllKeySpecificRights, vendorKey);
    if (opened == kErrorFileNotFound) return;  // no entries under this hive
    if (opened != kErrorSuccess) {
        errors.ShowSystemError(L"(RegOpenKeyEx)", opened);
        return;
    }
    for (const std::wstring& name : entryNames) {
        const ErrorCode deleted = name.empty() ? kErrorInvalidName : vendorKey->DeleteKey(name);
        if (deleted != kErrorSuccess && deleted != kErrorInvalidParameter) {
            errors.ShowSystemError(L"(RegDeleteKey)", deleted);
        }
    }
}

}  // namespace tarvin
