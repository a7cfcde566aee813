#include "tests/win32/test_registry.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "registry/registry.h"
#include "registry/win32/native_registry.h"

namespace tarvin::testing {

namespace {

constexpr wchar_t kLinkValueName[] = L"SymbolicLinkValue";

// The components of a path; a component may hold NUL characters.
std::vector<std::wstring> Components(const std::wstring& path) {
    std::vector<std::wstring> components;
    for (std::size_t begin = 0; begin <= path.size();) {
        const std::size_t end = std::min(path.find(L'\\', begin), path.size());
        components.push_back(path.substr(begin, end - begin));
        begin = end + 1;
    }
    return components;
}

// Opens (or, with create, creates) the subkey name of parent, a link as the link.
UniqueRegistryKey OpenSubkey(HKEY parent, const std::wstring& name, bool create,
                             ULONG options = REG_OPTION_NON_VOLATILE) {
    NativeKeyName native(parent, name);
    UniqueRegistryKey key;
    auto* handle = reinterpret_cast<HANDLE*>(key.receive());
    const NTSTATUS status =
        create ? NtCreateKey(handle, KEY_ALL_ACCESS, &native.attributes, 0, nullptr, options, nullptr)
               : NtOpenKey(handle, KEY_ALL_ACCESS, &native.attributes);
    if (!NT_SUCCESS(status)) key.release();
    return key;
}

// Opens (or creates) these components below the open key parent, by whole names.
UniqueRegistryKey OpenBelow(HKEY parent, const std::vector<std::wstring>& components,
                            std::size_t first, bool create) {
    UniqueRegistryKey key;
    for (std::size_t i = first; i < components.size(); ++i) {
        key = OpenSubkey(parent, components[i], create);
        if (!key) break;
        parent = key.get();
    }
    return key;
}

// The native calls take no predefined root such as HKEY_CURRENT_USER: the
// first component, never one with a NUL, is opened through the registry API.
UniqueRegistryKey OpenPath(HKEY root, const std::wstring& path, bool create) {
    const std::vector<std::wstring> components = Components(path);
    UniqueRegistryKey key;
    const LSTATUS first =
        create ? RegCreateKeyExW(root, components[0].c_str(), 0, nullptr, REG_OPTION_OPEN_LINK,
                                 KEY_ALL_ACCESS, nullptr, key.receive(), nullptr)
               : RegOpenKeyExW(root, components[0].c_str(), REG_OPTION_OPEN_LINK, KEY_ALL_ACCESS,
                               key.receive());
    if (first != ERROR_SUCCESS || components.size() == 1) return key;
    return OpenBelow(key.get(), components, 1, create);
}

std::vector<std::wstring> SubkeyNames(HKEY key) {
    std::vector<std::wstring> names;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            return names;
        }
        names.emplace_back(name, length);
    }
}

// The key's values as "name=data", data as the code units it holds.
std::vector<std::wstring> Values(HKEY key) {
    std::vector<std::wstring> values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        wchar_t data[1024] = {};
        DWORD bytes = sizeof data;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, nullptr,
                          reinterpret_cast<BYTE*>(data), &bytes) != ERROR_SUCCESS) {
            return values;
        }
        values.push_back(std::wstring(name, nameLength) + L"=" +
                         std::wstring(data, (bytes + 1) / sizeof(wchar_t)));
    }
}

// A link's target; empty for a key that is not a link.
std::wstring LinkTarget(HKEY key) {
    wchar_t target[512];
    DWORD bytes = sizeof target;
    DWORD type = REG_NONE;
    if (RegQueryValueExW(key, kLinkValueName, nullptr, &type, reinterpret_cast<BYTE*>(target),
                         &bytes) != ERROR_SUCCESS ||
        type != REG_LINK) {
        return {};
    }
    return std::wstring(target, bytes / sizeof(wchar_t));
}

void AddSnapshot(HKEY key, const std::wstring& path, std::vector<std::wstring>& lines) {
    const std::wstring target = LinkTarget(key);
    if (!target.empty()) {
        lines.push_back(path + L" -> " + target);
        return;
    }
    lines.push_back(path);
    for (const std::wstring& value : Values(key)) lines.push_back(path + L"|" + value);
    for (const std::wstring& name : SubkeyNames(key)) {
        const UniqueRegistryKey subkey = OpenSubkey(key, name, false);
        if (subkey) AddSnapshot(subkey.get(), path + L"\\" + name, lines);
    }
}

void RemoveBelow(HKEY key) {
    if (!LinkTarget(key).empty()) return;  // a link has nothing of its own below it
    for (const std::wstring& name : SubkeyNames(key)) {
        const UniqueRegistryKey subkey = OpenSubkey(key, name, false);
        ASSERT_TRUE(subkey) << "cannot open a key to remove it";
        RemoveBelow(subkey.get());
        ASSERT_TRUE(NT_SUCCESS(NtDeleteKey(subkey.get())));
    }
}

}  // namespace

UniqueRegistryKey CreateKeyPath(HKEY root, const std::wstring& path) {
    UniqueRegistryKey key = OpenPath(root, path, true);
    EXPECT_TRUE(key) << "cannot create a key of " << path.size() << " characters";
    return key;
}

void CreateLink(HKEY root, const std::wstring& path, const std::wstring& target) {
    const auto separator = path.find_last_of(L'\\');
    const UniqueRegistryKey parent = CreateKeyPath(root, path.substr(0, separator));
    ASSERT_TRUE(parent);
    const UniqueRegistryKey link =
        OpenSubkey(parent.get(), path.substr(separator + 1), true, REG_OPTION_CREATE_LINK);
    ASSERT_TRUE(link);
    ASSERT_EQ(RegSetValueExW(link.get(), kLinkValueName, 0, REG_LINK,
                             reinterpret_cast<const BYTE*>(target.data()),
                             static_cast<DWORD>(target.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

void SetText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text) {
    const UniqueRegistryKey key = CreateKeyPath(root, path);
    ASSERT_TRUE(key);
    ASSERT_EQ(RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

void SeedVendorKey(HKEY root, const std::vector<std::wstring>& entries) {
    RemoveVendorKey(root);
    const UniqueRegistryKey vendorKey = CreateKeyPath(root, kVendorKeyPath);
    ASSERT_TRUE(vendorKey);
    // Below the open vendor key, each entry costs one short lookup; the first
    // failure ends the seeding.
    for (const std::wstring& entry : entries) {
        ASSERT_TRUE(OpenBelow(vendorKey.get(), Components(entry), 0, true))
            << "creating " << entry.size() << " characters";
    }
}

std::vector<std::wstring> VendorEntries(HKEY root) {
    const UniqueRegistryKey vendorKey = OpenPath(root, kVendorKeyPath, false);
    std::vector<std::wstring> entries;
    if (vendorKey) entries = SubkeyNames(vendorKey.get());
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::vector<std::wstring> Snapshot(HKEY root, const std::wstring& path) {
    std::vector<std::wstring> lines;
    const UniqueRegistryKey key = OpenPath(root, path, false);
    if (key) AddSnapshot(key.get(), path, lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

void RemoveTree(HKEY root, const std::wstring& path) {
    const UniqueRegistryKey key = OpenPath(root, path, false);
    if (!key) return;
    RemoveBelow(key.get());
    ASSERT_TRUE(NT_SUCCESS(NtDeleteKey(key.get())));
}

void RemoveVendorKey(HKEY root) {
    RemoveTree(root, kVendorParentPath);
}

}  // namespace tarvin::testing
