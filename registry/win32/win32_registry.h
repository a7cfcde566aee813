#pragma once

#include "registry/registry.h"

namespace tarvin {

// The registry through the Unicode registry API, and through the native one
// where a key name must stay whole (registry/win32/native_registry.h). Names
// of any length the registry allows (255 characters) and in any script, NUL
// characters included, come back intact.
class Win32Registry final : public Registry {
public:
    Result<std::unique_ptr<RegistryKey>> OpenKey(const KeyLocation& key, AccessMask access) override;
};

}  // namespace tarvin
