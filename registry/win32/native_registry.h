#pragma once

// The native registry calls, which take key names as counted strings (a name
// may hold NUL characters) and can open a registry link as the link itself.
// The headers declare only some of them.

#include <windows.h>
#include <winternl.h>

#include <string>

#include "common/win32/unique_handle.h"

extern "C" {
NTSTATUS NTAPI NtOpenKey(HANDLE* key, ACCESS_MASK access, OBJECT_ATTRIBUTES* attributes);
NTSTATUS NTAPI NtCreateKey(HANDLE* key, ACCESS_MASK access, OBJECT_ATTRIBUTES* attributes,
                           ULONG titleIndex, UNICODE_STRING* keyClass, ULONG options,
                           ULONG* disposition);
NTSTATUS NTAPI NtDeleteKey(HANDLE key);
}

namespace tarvin {

// A key that a native call opened, as the registry API takes it: closed as it
// was opened, with NtClose.
inline void CloseNativeKey(HKEY key) {
    NtClose(key);
}
using UniqueNativeKey = UniqueHandle<HKEY, &CloseNativeKey>;

// The name `name` below the open key `parent`, whole, a link as the link.
// Both refer to name, which must outlive them.
struct NativeKeyName {
    NativeKeyName(HKEY parent, const std::wstring& name) {
        counted.Buffer = const_cast<wchar_t*>(name.data());
        counted.Length = counted.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
        InitializeObjectAttributes(&attributes, &counted, OBJ_CASE_INSENSITIVE | OBJ_OPENLINK,
                                   parent, nullptr);
    }
    NativeKeyName(const NativeKeyName&) = delete;
    NativeKeyName& operator=(const NativeKeyName&) = delete;

    UNICODE_STRING counted;
    OBJECT_ATTRIBUTES attributes;
};

}  // namespace tarvin
