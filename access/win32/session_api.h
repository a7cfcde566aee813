#pragma once

#include <windows.h>
#include <wtsapi32.h>

#include "common/win32/proc_address.h"
#include "common/win32/system_library.h"
#include "common/win32/unique_handle.h"

namespace tarvin {

// The session API of wtsapi32.dll, which is no Known DLL: it is loaded from
// the system folder while an object of this class lives, never imported, so
// that a file of its name beside TARVIN.exe is never taken. Loaded() tells
// whether every function was found; they are null otherwise.
class SessionApi {
public:
    SessionApi() {
        if (Result<UniqueModule> loaded = LoadSystemLibrary(L"wtsapi32.dll")) module_ = std::move(*loaded);
        querySessionInformation = Function<decltype(querySessionInformation)>("WTSQuerySessionInformationW");
        enumerateProcesses = Function<decltype(enumerateProcesses)>("WTSEnumerateProcessesW");
        freeMemory = Function<decltype(freeMemory)>("WTSFreeMemory");
    }

    bool Loaded() const { return querySessionInformation && enumerateProcesses && freeMemory; }

    decltype(&WTSQuerySessionInformationW) querySessionInformation = nullptr;
    decltype(&WTSEnumerateProcessesW) enumerateProcesses = nullptr;
    decltype(&WTSFreeMemory) freeMemory = nullptr;

private:
    template <typename Pointer>
    Pointer Function(const char* name) const {
        return module_ ? ProcAddress<Pointer>(module_.get(), name) : nullptr;
    }

    UniqueModule module_;
};

}  // namespace tarvin
