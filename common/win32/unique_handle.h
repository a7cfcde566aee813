#pragma once

#include <windows.h>

#include <utility>

namespace tarvin {

// Owns one Win32 handle and releases it with Release on destruction.
// Move-only: a handle has exactly one owner. Null is the empty handle.
template <typename Handle, auto Release>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // For out-parameters: releases what is owned and hands out the slot.
    Handle* receive() {
        reset();
        return &handle_;
    }

    void reset(Handle handle = nullptr) {
        if (handle_) Release(handle_);
        handle_ = handle;
    }

    Handle release() { return std::exchange(handle_, nullptr); }

private:
    Handle handle_ = nullptr;
};

using UniqueRegistryKey = UniqueHandle<HKEY, &RegCloseKey>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, &DeleteObject>;
using UniqueIcon = UniqueHandle<HICON, &DestroyIcon>;
using UniqueKernelHandle = UniqueHandle<HANDLE, &CloseHandle>;
using UniqueModule = UniqueHandle<HMODULE, &FreeLibrary>;
// What the system allocates for the caller with LocalAlloc.
using UniqueLocalString = UniqueHandle<wchar_t*, &LocalFree>;
using UniqueLocalSid = UniqueHandle<PSID, &LocalFree>;

}  // namespace tarvin
