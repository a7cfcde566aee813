#include "tests/win32/test_registry.h"

#include <gtest/gtest.h>

#include "app/win32/unique_handle.h"
#include "registry/registry.h"

namespace tarvin::testing {

namespace {

void DeleteTree(HKEY root, const std::wstring& path) {
    const LSTATUS status = RegDeleteTreeW(root, path.c_str());
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
}

void CreateKey(HKEY root, const std::wstring& path) {
    UniqueRegistryKey key;
    const LSTATUS status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                           key.receive(), nullptr);
    ASSERT_EQ(status, ERROR_SUCCESS) << "creating " << path.size() << " characters";
}

}  // namespace

void RemoveVendorKey(HKEY root) {
    DeleteTree(root, L"Software\\Norvale");
}

void SeedVendorKey(HKEY root, const std::vector<std::wstring>& entries) {
    RemoveVendorKey(root);
    CreateKey(root, kVendorKeyPath);
    for (const std::wstring& entry : entries) {
        CreateKey(root, std::wstring(kVendorKeyPath) + L"\\" + entry);
    }
}

}  // namespace tarvin::testing
