#pragma once

#include <cstdint>

namespace tarvin {

// A Win32 error code, as the registry, security and window functions report it.
using ErrorCode = std::uint32_t;

constexpr ErrorCode kErrorSuccess = 0;
constexpr ErrorCode kErrorFileNotFound = 2;
constexpr ErrorCode kErrorAccessDenied = 5;
constexpr ErrorCode kErrorInvalidParameter = 87;
constexpr ErrorCode kErrorInvalidName = 123;
constexpr ErrorCode kErrorNoMoreItems = 259;
constexpr ErrorCode kErrorNoSuchLogonSession = 1312;
constexpr ErrorCode kErrorNoSuchUser = 1317;

}  // namespace tarvin
