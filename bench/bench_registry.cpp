#include "bench/bench_registry.h"

#include <cwchar>

#include "common/win32/unique_handle.h"
#include "registry/registry.h"

namespace tarvin::bench {

std::wstring BenchEntryName(int index) {
    wchar_t name[32];
    std::swprintf(name, 32, L"KT-BENCH-%05d", index);
    return name;
}

void RemoveVendorKey(HKEY root) {
    RegDeleteTreeW(root, L"Software\\Norvale");
}

bool SeedEntries(HKEY root, int count) {
    RemoveVendorKey(root);
    UniqueRegistryKey vendor;
    if (RegCreateKeyExW(root, kVendorKeyPath, 0, nullptr, 0, KEY_CREATE_SUB_KEY, nullptr,
                        vendor.receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    // Created below the open vendor key, each entry costs one short lookup.
    for (int i = 0; i < count; ++i) {
        UniqueRegistryKey entry;
        if (RegCreateKeyExW(vendor.get(), BenchEntryName(i).c_str(), 0, nullptr, 0, KEY_READ,
                            nullptr, entry.receive(), nullptr) != ERROR_SUCCESS) {
            return false;
        }
    }
    return true;
}

int CountEntries(HKEY root) {
    UniqueRegistryKey vendor;
    if (RegOpenKeyExW(root, kVendorKeyPath, 0, KEY_READ, vendor.receive()) != ERROR_SUCCESS) {
        return -1;
    }
    DWORD subkeys = 0;
    if (RegQueryInfoKeyW(vendor.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return -1;
    }
    return static_cast<int>(subkeys);
}

}  // namespace tarvin::bench
