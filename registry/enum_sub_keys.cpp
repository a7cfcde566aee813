#include "registry/enum_sub_keys.h"

#include <cstdint>
#include <memory>

namespace tarvin {

namespace {
// A failed read is reported under the label of the open, as the user cannot
// tell the two apart anyway: either way the vendor key could not be listed.
constexpr wchar_t kEnumerationLabel[] = L"(RegOpenKeyEx)";
}  // namespace

std::vector<std::wstring> EnumSubKeys(Registry& registry, UserInterface& ui,
                                      Hive hive, const std::wstring& path) {
    std::vector<std::wstring> names;
    std::unique_ptr<RegistryKey> key;
    if (const ErrorCode opened = registry.OpenKey(hive, path, kKeyEnumerateSubKeys, key);
        opened != kErrorSuccess) {
        ui.ShowSystemError(kEnumerationLabel, opened);
        return names;
    }
    for (std::uint32_t index = 0;; ++index) {
        std::wstring name;
        const ErrorCode read = key->EnumKey(index, name);
        if (read != kErrorSuccess) {
            if (read != kErrorNoMoreItems) ui.ShowSystemError(kEnumerationLabel, read);
            return names;
        }
        names.push_back(std::move(name));
    }
}

}  // namespace tarvin
