#include "common/win32/system_library.h"

#include <string>

#include "common/win32/proc_address.h"

namespace tarvin {

void RestrictDllSearchToSystemFolder() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefault = ProcAddress<SetDefaultDllDirectoriesFunction>(GetModuleHandleW(L"kernel32.dll"),
                                                                         "SetDefaultDllDirectories");
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

Result<UniqueModule> LoadSystemLibrary(const wchar_t* name) {
    UniqueModule module(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    // Windows 7 without update KB2533623 does not know the flag. There the
    // DLL goes by its full path, and the altered search order looks for its
    // dependencies in its own folder first, instead of the program's.
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER) {
        wchar_t system[MAX_PATH];
        const UINT length = GetSystemDirectoryW(system, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return Failure{L"(GetSystemDirectory)", GetLastError()};
        const std::wstring path = std::wstring(system, length) + L"\\" + name;
        module.reset(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    }
    if (!module) return Failure{L"(LoadLibraryEx)", GetLastError()};
    return module;
}

}  // namespace tarvin
