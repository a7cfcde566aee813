#pragma once

#include "registry/registry.h"
#include "registry/system_error.h"

namespace tarvin {

// The registry through the Unicode registry API. Names of any length the
// registry allows (255 characters) and in any script come back intact.
class Win32Registry final : public Registry {
public:
    ErrorCode OpenKey(Hive hive, const std::wstring& path, AccessMask access,
                      std::unique_ptr<RegistryKey>& key) override;
};

// The system message table through FormatMessageW.
class Win32SystemMessages final : public SystemMessages {
public:
    std::wstring Text(ErrorCode code) const override;
};

}  // namespace tarvin
