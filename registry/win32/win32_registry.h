#pragma once

#include "registry/registry.h"

namespace tarvin {

// The registry through the Unicode registry API. Names of any length the
// registry allows (255 characters) and in any script come back intact.
class Win32Registry final : public Registry {
public:
    ErrorCode OpenKey(Hive hive, const std::wstring& path, AccessMask access,
                      std::unique_ptr<RegistryKey>& key) override;
};

}  // namespace tarvin
