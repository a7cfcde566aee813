#include "registry/enum_sub_keys.h"

#include <cstdint>
#include <memory>

namespace tarvin {

SubKeyNames EnumSubKeys(Registry& registry, Hive hive, const std::wstring& path) {
    SubKeyNames read;
    std::unique_ptr<RegistryKey> key;
    read.status = registry.OpenKey(hive, path, kKeyEnumerateSubKeys, key);
    if (read.status != kErrorSuccess) return read;
    for (std::uint32_t index = 0;; ++index) {
        std::wstring name;
        const ErrorCode enumerated = key->EnumKey(index, name);
        if (enumerated != kErrorSuccess) {
            if (enumerated != kErrorNoMoreItems) read.status = enumerated;
            return read;
        }
        read.names.push_back(std::move(name));
    }
}

}  // namespace tarvin
