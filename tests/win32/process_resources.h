#pragma once

#include <windows.h>

#include <cstddef>

namespace tarvin::testing {

// What a process holds of the system's resources at one moment.
struct ProcessResources {
    int kernelHandles;           // open handles of every kind, registry keys among them
    std::size_t committedBytes;  // memory charged to the page file, as Wine counts it
};

// The resources that process holds now; fails the calling test when its memory
// cannot be read. The process handle needs the PROCESS_DUP_HANDLE,
// PROCESS_QUERY_INFORMATION and PROCESS_VM_READ rights.
ProcessResources ResourcesOf(HANDLE process);

}  // namespace tarvin::testing
