// The system message table as TARVIN reads it.

#include "registry/win32/win32_system_messages.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvin {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

TEST(Win32SystemMessages, GivesTheSystemsTextAndNothingForUnknownCodes) {
    const Win32SystemMessages messages;
    EXPECT_THAT(messages.Text(ERROR_FILE_NOT_FOUND), Not(IsEmpty()));
    // Codes with the customer bit set are never the system's.
    EXPECT_THAT(messages.Text(0x20000001), IsEmpty());
}

TEST(Win32SystemMessages, LeavesInsertsAsTheyStand) {
    // The text for this code has an insert; no argument list is read to fill it.
    EXPECT_THAT(Win32SystemMessages().Text(ERROR_BAD_EXE_FORMAT), HasSubstr(L"%1"));
}

}  // namespace
}  // namespace tarvin
