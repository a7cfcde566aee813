#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/failure.h"

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

// The labels of the registry's failures, by the calls they stand for.
inline constexpr wchar_t kOpenKeyLabel[] = L"(RegOpenKeyEx)";
inline constexpr wchar_t kEnumKeyLabel[] = L"(RegEnumKeyEx)";
inline constexpr wchar_t kDeleteKeyLabel[] = L"(RegDeleteKey)";

// An open registry key; destroying it closes the key. Key names are counted
// strings: the registry allows any character in them, NUL included, and every
// name here keeps its full length. A failure is labelled with the registry
// call it stands for.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // The name of the subkey at index (0-based, in the registry's own order);
    // past the last subkey, the failure kErrorNoMoreItems.
    virtual Result<std::wstring> EnumKey(std::uint32_t index) = 0;

    // Deletes the subkey of exactly this non-empty name, and its values; a
    // subkey that is a registry link is deleted as the link, never its target.
    // A subkey that has subkeys of its own is never deleted.
    virtual std::optional<Failure> DeleteKey(const std::wstring& name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;

    // Opens the key with the given access, one component of its path at a
    // time and following no registry link: a path through a link does not open.
    virtual Result<std::unique_ptr<RegistryKey>> OpenKey(const KeyLocation& key, AccessMask access) = 0;
};

}  // namespace tarvin
