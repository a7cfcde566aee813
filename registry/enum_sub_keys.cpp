#include "registry/enum_sub_keys.h"

#include <cstdint>
#include <memory>

namespace tarvin {

SubKeyNames EnumSubKeys(Registry& registry, Hive hive, const std::wstring& path) {
    SubKeyNames read;
    std::unique_ptr<RegistryKey> key;
    read.failure = registry.OpenKey(hive, path, kKeyEnumerateSubKeys, key);
    if (read.failure != kErrorSuccess) return read;
    for (std::uint32_t index = 0;; ++index) {
        std::wstring name;
        const ErrorCode status = key->EnumKey(index, name);
        if (status != kErrorSuccess) {
            if (status != kErrorNoMoreItems) read.failure = status;
            return read;
        }
        read.names.push_back(std::move(name));
    }
}

}  // namespace tarvin
