#pragma once

#include "registry/system_error.h"

namespace tarvin {

// The system message table through FormatMessageW.
class Win32SystemMessages final : public SystemMessages {
public:
    std::wstring Text(ErrorCode code) const override;
};

}  // namespace tarvin
