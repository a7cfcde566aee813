#include "registry/win32/win32_system_messages.h"

#include <windows.h>

namespace tarvin {

std::wstring Win32SystemMessages::Text(ErrorCode code) const {
    constexpr DWORD kBufferLength = 1024;
    wchar_t buffer[kBufferLength] = {};
    // Inserts are left as they stand: no argument list is passed to fill them.
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, buffer, kBufferLength, nullptr);
    return std::wstring(buffer, length);
}

}  // namespace tarvin
