#pragma once

#include <string>

#include "common/error_code.h"

namespace tarvin {

// The system message table's text for code in the default language, inserts
// left as they stand; empty when the table has no text for it.
std::wstring SystemMessageText(ErrorCode code);

}  // namespace tarvin
