#pragma once

#include <windows.h>

namespace tarvin {

// Loads the DLL of this name (such as L"netapi32.dll") from the system folder,
// and what it depends on from there too, never from the program's folder,
// where a download may have left a file of the same name. Null on failure,
// with the reason in GetLastError(). The caller frees the module.
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace tarvin
