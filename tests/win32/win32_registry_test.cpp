// The registry and message table layer against the Wine prefix's registry.

#include "registry/win32/win32_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/win32/test_registry.h"

namespace tarvin::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr wchar_t kTestKey[] = L"Software\\TARVIN tests";

class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteTree(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { DeleteTree(HKEY_CURRENT_USER, kTestKey); }

    void CreateSubkey(const std::wstring& name) {
        CreateKey(HKEY_CURRENT_USER, std::wstring(kTestKey) + L"\\" + name);
    }

    // Every name the key gives, and the code that ended the enumeration.
    std::vector<std::wstring> ReadAll(ErrorCode& end) {
        std::unique_ptr<RegistryKey> key;
        EXPECT_EQ(registry.OpenKey(Hive::CurrentUser, kTestKey, kKeyEnumerateSubKeys, key),
                  kErrorSuccess);
        std::vector<std::wstring> names;
        std::wstring name;
        for (std::uint32_t index = 0; key && (end = key->EnumKey(index, name)) == kErrorSuccess;
             ++index) {
            names.push_back(name);
        }
        return names;
    }

    Win32Registry registry;
};

TEST_F(Win32RegistryTest, ReadsNamesInAnyScriptAndOfFullLength) {
    const std::wstring longest = L"Z" + std::wstring(254, L'ｱ');  // 255 characters
    const std::wstring korean = L"제품";
    const std::wstring beyondTheBasicPlane = L"KT-\U0001F5D1";
    for (const auto& name : {longest, korean, beyondTheBasicPlane}) CreateSubkey(name);

    ErrorCode end = kErrorSuccess;
    const auto names = ReadAll(end);

    EXPECT_EQ(end, kErrorNoMoreItems);
    EXPECT_THAT(names, ::testing::UnorderedElementsAre(longest, korean, beyondTheBasicPlane));
}

TEST_F(Win32RegistryTest, OpeningAMissingKeyGivesItsCodeAndNoKey) {
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(registry.OpenKey(Hive::CurrentUser, kTestKey, kKeyEnumerateSubKeys, key),
              kErrorFileNotFound);
    EXPECT_EQ(key, nullptr);
}

TEST_F(Win32RegistryTest, AnEmptyKeyEndsAtOnce) {
    CreateKey(HKEY_CURRENT_USER, kTestKey);
    ErrorCode end = kErrorSuccess;
    EXPECT_THAT(ReadAll(end), IsEmpty());
    EXPECT_EQ(end, kErrorNoMoreItems);
}

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
}  // namespace tarvin::testing
