// Loads wtsapi32.dll behind one of TARVIN's defences against a DLL planted in
// the program's folder, or behind none, and tells where it came from:
//   load_probe none|restrict|system
// none: a load by bare name; restrict: RestrictDllSearchToSystemFolder, then
// a load by bare name; system: LoadSystemLibrary. Exits with 0 when the DLL
// came from the system folder, 1 when from elsewhere, 2 when none loaded.

#include <windows.h>

#include <string>

#include "common/win32/system_library.h"

int wmain(int argc, wchar_t** argv) {
    constexpr wchar_t kName[] = L"wtsapi32.dll";
    const std::wstring defence = argc == 2 ? argv[1] : L"";
    if (defence == L"restrict") tarvin::RestrictDllSearchToSystemFolder();
    tarvin::UniqueModule module;
    if (defence == L"system") {
        if (tarvin::Result<tarvin::UniqueModule> loaded = tarvin::LoadSystemLibrary(kName)) module = std::move(*loaded);
    } else {
        module.reset(LoadLibraryW(kName));
    }
    if (!module) return 2;
    wchar_t path[MAX_PATH];
    wchar_t system[MAX_PATH];
    const std::wstring loaded(path, GetModuleFileNameW(module.get(), path, MAX_PATH));
    const std::wstring expected = std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)) + L"\\" + kName;
    return _wcsicmp(loaded.c_str(), expected.c_str()) == 0 ? 0 : 1;
}
