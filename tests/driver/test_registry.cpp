#include "tests/driver/test_registry.h"

#include <algorithm>

#include "common/win32/unique_handle.h"
#include "registry/win32/native_registry.h"

namespace tarvin::driver {

namespace {

// The keys as they are: also from a 32-bit program on 64-bit Windows, which
// would otherwise see Software\WOW6432Node of the machine as its Software.
constexpr ACCESS_MASK kAccess = KEY_ALL_ACCESS | KEY_WOW64_64KEY;

// Opens (or, with create, creates) the subkey name of parent, a link as the link.
UniqueNativeKey OpenSubkey(HKEY parent, const std::wstring& name, bool create, ULONG options = REG_OPTION_NON_VOLATILE) {
    NativeKeyName native(parent, name);
    UniqueNativeKey key;
    auto* handle = reinterpret_cast<HANDLE*>(key.put());
    const NTSTATUS status =
        create ? NtCreateKey(handle, kAccess, &native.attributes, 0, nullptr, options, nullptr)
               : NtOpenKey(handle, kAccess, &native.attributes);
    if (!NT_SUCCESS(status)) key.release();
    return key;
}

// Opens (or, with create, creates) path, of two components or more, below
// root: the components before the last through the registry API, as the
// native calls take no predefined root such as HKEY_CURRENT_USER; the last,
// created with lastOptions, by its whole name, which may hold NUL
// characters, a link as the link.
UniqueNativeKey OpenPath(HKEY root, const std::wstring& path, bool create, ULONG lastOptions = REG_OPTION_NON_VOLATILE) {
    const std::size_t last = path.rfind(L'\\');
    const std::wstring parentPath = path.substr(0, last);
    UniqueRegistryKey parent;
    const LSTATUS opened = create ? RegCreateKeyExW(root, parentPath.c_str(), 0, nullptr, 0, kAccess, nullptr,
                                                    parent.put(), nullptr)
                                  : RegOpenKeyExW(root, parentPath.c_str(), 0, kAccess, parent.put());
    if (opened != ERROR_SUCCESS) return UniqueNativeKey();
    return OpenSubkey(parent.get(), path.substr(last + 1), create, lastOptions);
}

std::vector<std::wstring> NamesBelow(HKEY key) {
    std::vector<std::wstring> names;
    wchar_t name[256];
    for (DWORD index = 0, length = 256;
         RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++index, length = 256) {
        names.emplace_back(name, length);
    }
    return names;
}

// Adds the paths of key and of every key below it, starting at path; a
// link is not followed and shows as a key without subkeys.
void AddSnapshot(HKEY key, const std::wstring& path, std::vector<std::wstring>& lines) {
    lines.push_back(path);
    for (const std::wstring& name : NamesBelow(key)) {
        const UniqueNativeKey subkey = OpenSubkey(key, name, false);
        if (subkey) AddSnapshot(subkey.get(), path + L"\\" + name, lines);
    }
}

// Removes key with everything below it; a link goes as the link.
bool Remove(HKEY key) {
    for (const std::wstring& name : NamesBelow(key)) {
        const UniqueNativeKey subkey = OpenSubkey(key, name, false);
        if (!subkey || !Remove(subkey.get())) return false;
    }
    return NT_SUCCESS(NtDeleteKey(key));
}

}  // namespace

bool CreateKey(HKEY root, const std::wstring& path, const std::wstring& linkTarget) {
    const bool link = !linkTarget.empty();
    const UniqueNativeKey key = OpenPath(root, path, true, link ? REG_OPTION_CREATE_LINK : REG_OPTION_NON_VOLATILE);
    return key && (!link || RegSetValueExW(key.get(), L"SymbolicLinkValue", 0, REG_LINK,
                                           reinterpret_cast<const BYTE*>(linkTarget.data()),
                                           static_cast<DWORD>(linkTarget.size() * sizeof(wchar_t))) == ERROR_SUCCESS);
}

bool On64BitWindows() {
    BOOL wow64 = FALSE;
    return sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
}

std::wstring TarvinSoftware(HKEY root) {
    return root == HKEY_LOCAL_MACHINE && On64BitWindows() ? L"Software\\WOW6432Node" : L"Software";
}

std::wstring VendorKeyPath(HKEY root) {
    return TarvinSoftware(root) + L"\\Norvale\\QZ";
}

bool SeedVendorKey(HKEY root, const std::vector<std::wstring>& entries) {
    const bool removed = RemoveTree(root, TarvinSoftware(root) + L"\\Norvale");
    const UniqueNativeKey vendorKey = removed ? OpenPath(root, VendorKeyPath(root), true) : UniqueNativeKey();
    // Below the open vendor key, each entry costs one short lookup.
    for (const std::wstring& entry : entries) {
        if (!vendorKey || !OpenSubkey(vendorKey.get(), entry, true)) return false;
    }
    return bool(vendorKey);
}

std::vector<std::wstring> NumberedEntries(int count) {
    std::vector<std::wstring> entries;
    for (int i = 0; i < count; ++i) entries.push_back(L"KT-" + std::to_wstring(100000 + i).substr(1));
    return entries;
}

std::vector<std::wstring> Snapshot(HKEY root, const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> lines;
    for (const std::wstring& path : paths) {
        if (const UniqueNativeKey key = OpenPath(root, path, false)) AddSnapshot(key.get(), path, lines);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

bool RemoveTree(HKEY root, const std::wstring& path) {
    const UniqueNativeKey key = OpenPath(root, path, false);
    return !key || Remove(key.get());
}

}  // namespace tarvin::driver
