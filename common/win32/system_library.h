#pragma once

#include <windows.h>

#include "common/failure.h"
#include "common/win32/unique_handle.h"

namespace tarvin {

// Makes every later DLL load of the process search the system folder only,
// never the program's folder, where a download may have left a file under a
// system DLL's name. The first thing the program does. Windows 7 without
// update KB2533623 cannot do that: there the current folder at least is
// taken out of the search.
void RestrictDllSearchToSystemFolder();

// Loads the DLL of this name (such as L"netapi32.dll") from the system folder,
// and what it depends on from there too, never from the program's folder,
// where a download may have left a file of the same name.
Result<UniqueModule> LoadSystemLibrary(const wchar_t* name);

}  // namespace tarvin
