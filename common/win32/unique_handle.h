#pragma once

#include <windows.h>

#include <utility>

namespace tarvin {

// What an empty handle holds: null for most kinds; INVALID_HANDLE_VALUE for
// those that CreateFile returns, for which null is a value like any other.
template <typename Handle>
constexpr Handle NullHandle() {
    return nullptr;
}
inline HANDLE InvalidHandle() {
    return INVALID_HANDLE_VALUE;
}

// Owns one Win32 handle and releases it with Release on destruction, unless
// it is Empty(). Move-only: a handle has exactly one owner.
template <typename Handle, auto Release, Handle (*Empty)() = NullHandle<Handle>>
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
    explicit operator bool() const { return handle_ != Empty(); }

    // For out-parameters: releases what is owned and hands out the slot.
    Handle* put() {
        reset();
        return &handle_;
    }

    void reset(Handle handle = Empty()) {
        if (*this) Release(handle_);
        handle_ = handle;
    }

    Handle release() { return std::exchange(handle_, Empty()); }

private:
    Handle handle_ = Empty();
};

using UniqueRegistryKey = UniqueHandle<HKEY, &RegCloseKey>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, &DeleteObject>;
using UniqueIcon = UniqueHandle<HICON, &DestroyIcon>;
using UniqueKernelHandle = UniqueHandle<HANDLE, &CloseHandle>;
using UniqueFile = UniqueHandle<HANDLE, &CloseHandle, &InvalidHandle>;
using UniqueModule = UniqueHandle<HMODULE, &FreeLibrary>;
// What the system allocates for the caller with LocalAlloc.
using UniqueLocalString = UniqueHandle<wchar_t*, &LocalFree>;
using UniqueLocalSid = UniqueHandle<PSID, &LocalFree>;

}  // namespace tarvin
