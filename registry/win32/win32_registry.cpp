#include "registry/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>

#include "common/win32/unique_handle.h"
#include "registry/win32/native_registry.h"

namespace tarvin {

static_assert(kErrorSuccess == ERROR_SUCCESS);
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(kErrorInvalidParameter == ERROR_INVALID_PARAMETER);
static_assert(kErrorInvalidName == ERROR_INVALID_NAME);
static_assert(kErrorNoMoreItems == ERROR_NO_MORE_ITEMS);
static_assert(kKeyEnumerateSubKeys == KEY_ENUMERATE_SUB_KEYS);
static_assert(kKeyAllKeySpecificRights ==
              (KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS |
               KEY_NOTIFY | KEY_CREATE_LINK));

namespace {

// A key name holds at most 255 characters; the buffer adds the NUL.
constexpr DWORD kNameBufferLength = 256;

// The value that makes a key a registry link, as REG_LINK.
constexpr wchar_t kLinkValueName[] = L"SymbolicLinkValue";

// What a path through a registry link is reported as: the system cannot
// resolve the name to a key of its own.
constexpr ErrorCode kErrorThroughLink = ERROR_CANT_RESOLVE_FILENAME;

class Win32RegistryKey final : public RegistryKey {
public:
    explicit Win32RegistryKey(UniqueRegistryKey key) : key_(std::move(key)) {}

    Result<std::wstring> EnumKey(std::uint32_t index) override {
        wchar_t buffer[kNameBufferLength] = {};
        DWORD length = kNameBufferLength;
        const LSTATUS status = RegEnumKeyExW(key_.get(), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) return Failure{kEnumKeyLabel, static_cast<ErrorCode>(status)};
        return std::wstring(buffer, length);
    }

    // The subkey is opened by its counted name and without following a link,
    // then deleted through its own handle: RegDeleteKeyW would stop the name
    // at its first NUL, take an empty one for this key itself, and delete a
    // link's target.
    std::optional<Failure> DeleteKey(const std::wstring& name) override {
        NativeKeyName subkeyName(key_.get(), name);
        UniqueNativeKey subkey;
        NTSTATUS status = NtOpenKey(reinterpret_cast<HANDLE*>(subkey.put()), DELETE, &subkeyName.attributes);
        if (NT_SUCCESS(status)) status = NtDeleteKey(subkey.get());
        if (NT_SUCCESS(status)) return std::nullopt;
        return Failure{kDeleteKeyLabel, static_cast<ErrorCode>(RtlNtStatusToDosError(status))};
    }

private:
    UniqueRegistryKey key_;
};

HKEY RootKey(Hive hive) {
    switch (hive) {
    case Hive::CurrentUser:
        return HKEY_CURRENT_USER;
    case Hive::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case Hive::Users:
        break;
    }
    return HKEY_USERS;
}

bool IsLink(HKEY key) {
    DWORD type = REG_NONE;
    return RegQueryValueExW(key, kLinkValueName, nullptr, &type, nullptr, nullptr) ==
               ERROR_SUCCESS &&
           type == REG_LINK;
}

}  // namespace

// Each component is opened below the one before it as it stands, a link as the
// link: a link anywhere on the path would lead outside it.
Result<std::unique_ptr<RegistryKey>> Win32Registry::OpenKey(const KeyLocation& key, AccessMask access) {
    const std::wstring& path = key.path;
    UniqueRegistryKey opened;
    HKEY parent = RootKey(key.hive);
    for (std::size_t begin = 0; begin <= path.size();) {
        const std::size_t end = std::min(path.find(L'\\', begin), path.size());
        const bool last = end == path.size();
        UniqueRegistryKey component;
        const LSTATUS status =
            RegOpenKeyExW(parent, path.substr(begin, end - begin).c_str(), REG_OPTION_OPEN_LINK,
                          KEY_QUERY_VALUE | (last ? access : KEY_ENUMERATE_SUB_KEYS), component.put());
        if (status != ERROR_SUCCESS) return Failure{kOpenKeyLabel, static_cast<ErrorCode>(status)};
        if (IsLink(component.get())) return Failure{kOpenKeyLabel, kErrorThroughLink};
        opened = std::move(component);
        parent = opened.get();
        begin = end + 1;
    }
    return std::unique_ptr<RegistryKey>(std::make_unique<Win32RegistryKey>(std::move(opened)));
}

}  // namespace tarvin
