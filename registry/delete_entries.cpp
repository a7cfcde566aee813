#include "registry/delete_entries.h"

namespace tarvin {

void DeleteEntries(Registry& registry, UserInterface& ui, Hive hive,
                   const std::vector<std::wstring>& entryNames) {
    std::unique_ptr<RegistryKey> vendorKey;
    const ErrorCode opened =
        registry.OpenKey(hive, kVendorKeyPath, kKeyAllKeySpecificRights, vendorKey);
    if (opened == kErrorFileNotFound) return;  // no entries under this hive
    if (opened != kErrorSuccess) {
        ui.ShowSystemError(L"(RegOpenKeyEx)", opened);
        return;
    }
    for (const std::wstring& name : entryNames) {
        const ErrorCode deleted = name.empty() ? kErrorInvalidName : vendorKey->DeleteKey(name);
        if (deleted != kErrorSuccess && deleted != kErrorInvalidParameter) {
            ui.ShowSystemError(L"(RegDeleteKey)", deleted);
        }
    }
}

}  // namespace tarvin
