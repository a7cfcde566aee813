#include "registry/enum_sub_keys.h"

#include <cstdint>
#include <memory>

namespace tarvin {

std::optional<Failure> EnumSubKeys(Registry& registry, const KeyLocation& key, std::vector<std::wstring>& names) {
    Result<std::unique_ptr<RegistryKey>> opened = registry.OpenKey(key, kKeyEnumerateSubKeys);
    if (!opened) return opened.failure();
    for (std::uint32_t index = 0;; ++index) {
        Result<std::wstring> name = (*opened)->EnumKey(index);
        if (!name) {
            if (name.failure().code == kErrorNoMoreItems) return std::nullopt;
            return name.failure();
        }
        names.push_back(std::move(*name));
    }
}

}  // namespace tarvin
