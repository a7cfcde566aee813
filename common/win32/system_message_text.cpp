#include "common/win32/system_message_text.h"

#include <windows.h>

namespace tarvin {

std::wstring SystemMessageText(ErrorCode code) {
    constexpr DWORD kBufferLength = 1024;
    wchar_t buffer[kBufferLength] = {};
    // Inserts are left as they stand: no argument list is passed to fill them.
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, buffer, kBufferLength, nullptr);
    return std::wstring(buffer, length);
}

}  // namespace tarvin
