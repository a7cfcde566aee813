#include "tests/win32/test_registry.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/win32/unique_handle.h"
#include "registry/registry.h"

namespace tarvin::testing {

namespace {

void DeleteTree(HKEY root, const std::wstring& path) {
    const LSTATUS status = RegDeleteTreeW(root, path.c_str());
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
}

LSTATUS CreateKey(HKEY parent, const std::wstring& path, UniqueRegistryKey& key) {
    return RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.receive(),
                           nullptr);
}

}  // namespace

void RemoveVendorKey(HKEY root) {
    DeleteTree(root, kVendorParentPath);
}

void SeedVendorKey(HKEY root, const std::vector<std::wstring>& entries) {
    RemoveVendorKey(root);
    UniqueRegistryKey vendorKey;
    ASSERT_EQ(CreateKey(root, kVendorKeyPath, vendorKey), ERROR_SUCCESS);
    // Below the open vendor key, each entry costs one short lookup; the first
    // failure ends the seeding.
    for (const std::wstring& entry : entries) {
        UniqueRegistryKey entryKey;
        ASSERT_EQ(CreateKey(vendorKey.get(), entry, entryKey), ERROR_SUCCESS)
            << "creating " << entry.size() << " characters";
    }
}

std::vector<std::wstring> VendorEntries(HKEY root) {
    std::vector<std::wstring> entries;
    UniqueRegistryKey vendorKey;
    if (RegOpenKeyExW(root, kVendorKeyPath, 0, KEY_ENUMERATE_SUB_KEYS, vendorKey.receive()) !=
        ERROR_SUCCESS) {
        return entries;
    }
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(vendorKey.get(), index, name, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            break;
        }
        entries.emplace_back(name, length);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace tarvin::testing
