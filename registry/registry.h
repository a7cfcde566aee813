#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/error_code.h"

namespace tarvin {

// The registry roots the program touches: HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE
// and HKEY_USERS, which holds the hive of every user signed in, by SID.
enum class Hive { CurrentUser, LocalMachine, Users };

// Where a key is: below which root, by which path.
struct KeyLocation {
    Hive hive;
    std::wstring path;
};

// Registry access rights, with their Win32 values.
using AccessMask = std::uint32_t;
constexpr AccessMask kKeyEnumerateSubKeys = 0x0008;
// All the key-specific rights (query, set, create subkey, enumerate, notify,
// create link), without the standard rights such as DELETE on the key itself.
constexpr AccessMask kKeyAllKeySpecificRights = 0x003F;

// An open registry key; destroying it closes the key. Key names are counted
// strings: the registry allows any character in them, NUL included, and every
// name here keeps its full length.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Reads the name of the subkey at index (0-based, in the registry's own
    // order) into name. Returns kErrorSuccess, kErrorNoMoreItems past the last
    // subkey, or another error code; name is only written on success.
    virtual ErrorCode EnumKey(std::uint32_t index, std::wstring& name) = 0;

    // Deletes the subkey of exactly this non-empty name, and its values; a
    // subkey that is a registry link is deleted as the link, never its target.
    // Returns kErrorSuccess, or an error code: a subkey that has subkeys of its
    // own is never deleted.
    virtual ErrorCode DeleteKey(const std::wstring& name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;

    // Opens path below hive with the given access, one component at a time
    // and following no registry link: a path through a link does not open.
    // On success returns kErrorSuccess and sets key; otherwise returns the
    // error code and leaves key empty.
    virtual ErrorCode OpenKey(Hive hive, const std::wstring& path, AccessMask access,
                              std::unique_ptr<RegistryKey>& key) = 0;
};

}  // namespace tarvin
