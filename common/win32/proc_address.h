#pragma once

#include <windows.h>

namespace tarvin {

// The function that module exports under name, as the type Function; null
// when it has none. Through void (*)(), which GCC accepts between unrelated
// function types.
template <typename Function>
Function ProcAddress(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace tarvin
