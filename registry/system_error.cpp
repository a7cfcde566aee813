#include "registry/system_error.h"

namespace tarvin {

void SystemErrorReporter::ShowSystemError(const std::wstring& label, ErrorCode code) {
    display_.Show(label + messages_.Text(code));
}

}  // namespace tarvin
