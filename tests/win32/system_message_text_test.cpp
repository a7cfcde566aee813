// The system message table as TARVIN reads it.

#include "common/win32/system_message_text.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvin {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

TEST(SystemMessageText, GivesTheSystemsTextInsertsAsTheyStandAndNothingForUnknownCodes) {
    EXPECT_THAT(SystemMessageText(ERROR_FILE_NOT_FOUND), Not(IsEmpty()));
    // The text for this code has an insert; no argument list is read to fill it.
    EXPECT_THAT(SystemMessageText(ERROR_BAD_EXE_FORMAT), HasSubstr(L"%1"));
    // Codes with the customer bit set are never the system's.
    EXPECT_THAT(SystemMessageText(0x20000001), IsEmpty());
}

}  // namespace
}  // namespace tarvin
