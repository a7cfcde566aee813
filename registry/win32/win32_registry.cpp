#include "registry/win32/win32_registry.h"

#include <windows.h>

#include "app/win32/unique_handle.h"

namespace tarvin {

static_assert(kErrorSuccess == ERROR_SUCCESS);
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(kErrorInvalidParameter == ERROR_INVALID_PARAMETER);
static_assert(kErrorNoMoreItems == ERROR_NO_MORE_ITEMS);
static_assert(kKeyEnumerateSubKeys == KEY_ENUMERATE_SUB_KEYS);
static_assert(kKeyAllKeySpecificRights ==
              (KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS |
               KEY_NOTIFY | KEY_CREATE_LINK));

namespace {

// A key name holds at most 255 characters; the buffer adds the NUL.
constexpr DWORD kNameBufferLength = 256;

class Win32RegistryKey final : public RegistryKey {
public:
    explicit Win32RegistryKey(UniqueRegistryKey key) : key_(std::move(key)) {}

    ErrorCode EnumKey(std::uint32_t index, std::wstring& name) override {
        wchar_t buffer[kNameBufferLength] = {};
        DWORD length = kNameBufferLength;
        const LSTATUS status = RegEnumKeyExW(key_.get(), index, buffer, &length, nullptr,
                                             nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS) name.assign(buffer, length);
        return static_cast<ErrorCode>(status);
    }

    ErrorCode DeleteKey(const std::wstring& name) override {
        return static_cast<ErrorCode>(RegDeleteKeyW(key_.get(), name.c_str()));
    }

private:
    UniqueRegistryKey key_;
};

HKEY RootKey(Hive hive) {
    return hive == Hive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

}  // namespace

ErrorCode Win32Registry::OpenKey(Hive hive, const std::wstring& path, AccessMask access,
                                 std::unique_ptr<RegistryKey>& key) {
    UniqueRegistryKey opened;
    const LSTATUS status = RegOpenKeyExW(RootKey(hive), path.c_str(), 0, access, opened.receive());
    if (status == ERROR_SUCCESS) key = std::make_unique<Win32RegistryKey>(std::move(opened));
    return static_cast<ErrorCode>(status);
}

}  // namespace tarvin
