#pragma once

#include <windows.h>

#include <cstddef>

namespace tarvin::testing {

// What a process holds of the system's resources at one moment.
struct ProcessResources {
    int kernelHandles;           // open handles of every kind, registry keys among them
    std::size_t committedBytes;  // private memory committed (the page file usage)
};

// The resources that process holds now. The process handle needs the
// PROCESS_DUP_HANDLE and PROCESS_QUERY_INFORMATION rights.
ProcessResources ResourcesOf(HANDLE process);

}  // namespace tarvin::testing
