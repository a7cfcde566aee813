#include "bench/reg_exe_peer.h"

#include <windows.h>

#include <string>

#include "common/win32/unique_handle.h"
#include "tests/driver/test_registry.h"
#include "bench/stopwatch.h"
#include "app/texts.h"

namespace tarvin::bench {

namespace {

constexpr DWORD kTimeoutMs = 600000;

std::wstring SystemProgram(const wchar_t* name) {
    wchar_t directory[MAX_PATH];
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    return std::wstring(directory, length) + L"\\" + name;
}

// Runs the command line with its output going to NUL and returns the
// milliseconds from process creation to exit; negative when it failed.
double TimeCommand(std::wstring commandLine) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    const UniqueFile nul(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr));
    if (!nul) return -1;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul.get();
    startup.hStdError = nul.get();
    PROCESS_INFORMATION started{};
    const Stopwatch clock;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &started)) {
        return -1;
    }
    UniqueKernelHandle process(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    if (WaitForSingleObject(process.get(), kTimeoutMs) != WAIT_OBJECT_0) return -1;
    const double elapsed = clock.ElapsedMs();
    DWORD exitCode = 1;
    GetExitCodeProcess(process.get(), &exitCode);
    return exitCode == 0 ? elapsed : -1;
}

// A .reg file in the format reg.exe imports: UTF-16 with a byte order mark.
bool WriteDeletionFile(const std::wstring& path, int count) {
    std::wstring text = L"\xFEFFWindows Registry Editor Version 5.00\r\n";
    const std::vector<std::wstring> entries = driver::NumberedEntries(count);
    for (const wchar_t* hive : {L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE"}) {
        for (const std::wstring& entry : entries) {
            text += L"\r\n[-" + std::wstring(hive) + L"\\" + kVendorKeyPath + L"\\" + entry + L"]\r\n";
        }
    }
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    DWORD written = 0;
    return file && WriteFile(file.get(), text.data(), bytes, &written, nullptr) && written == bytes;
}

std::wstring TemporaryFile(const wchar_t* name) {
    wchar_t directory[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, directory);
    return std::wstring(directory, length) + name;
}

}  // namespace

double TimeRegQuery() {
    return TimeCommand(L"\"" + SystemProgram(L"reg.exe") + L"\" query \"HKCU\\" + kVendorKeyPath +
                       L"\"");
}

double TimeRegImportDeletion(int count) {
    const std::wstring file = TemporaryFile(L"tarvin-bench-delete.reg");
    if (!WriteDeletionFile(file, count)) return -1;
    // The machine's keys as TARVIN, a 32-bit program, sees them.
    const double elapsed =
        TimeCommand(L"\"" + SystemProgram(L"reg.exe") + L"\" import \"" + file + L"\" /reg:32");
    DeleteFileW(file.c_str());
    return elapsed;
}

}  // namespace tarvin::bench
