#include "tests/win32/process_resources.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include "common/win32/unique_handle.h"

namespace tarvin::testing {

namespace {

// Handle values are multiples of 4; a process of TARVIN's size holds a few dozen.
constexpr ULONG_PTR kHandleValueStep = 4;
constexpr ULONG_PTR kHighestHandleValue = 4 * 16384;

// Wine 8 answers GetProcessHandleCount with 0, so the handles are counted
// one by one: each value that can be duplicated out of the process is open.
int CountKernelHandles(HANDLE process) {
    int count = 0;
    for (ULONG_PTR value = kHandleValueStep; value <= kHighestHandleValue; value += kHandleValueStep) {
        UniqueKernelHandle copy;
        if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(),
                            copy.receive(), 0, FALSE, DUPLICATE_SAME_ACCESS)) {
            ++count;
        }
    }
    return count;
}

}  // namespace

ProcessResources ResourcesOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    EXPECT_TRUE(GetProcessMemoryInfo(process, &memory, sizeof memory))
        << "memory unreadable: " << GetLastError();
    return {CountKernelHandles(process), memory.PagefileUsage};
}

}  // namespace tarvin::testing
