#pragma once

// Numbered product entries under the vendor key of a hive, for the benchmark.

#include <windows.h>

#include <string>

namespace tarvin::bench {

// The name of entry number `index`, "KT-BENCH-00042" for 42; in registry
// order, which is also the order of the list, for every index below 100,000.
std::wstring BenchEntryName(int index);

// Replaces the vendor key below root by one holding entries 0 to count - 1.
// Returns false when a key could not be created.
bool SeedEntries(HKEY root, int count);

// The number of entries below root's vendor key; -1 when it does not open.
int CountEntries(HKEY root);

// Removes the vendor's whole key ("Software\Norvale") below root.
void RemoveVendorKey(HKEY root);

}  // namespace tarvin::bench
