// TARVIN.exe on registry contents that a PC may hold but nobody planned for,
// and on a registry that changes while TARVIN runs. Each case checks that
// the program stays up, says what it should, and deletes the chosen entries
// and nothing else.

#include "tests/win32/tarvin_test.h"
#include "tests/win32/test_registry.h"

namespace tarvin::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

std::wstring EntryPath(const std::wstring& entry) {
    return std::wstring(kVendorKeyPath) + L"\\" + entry;
}

bool HasValue(HKEY root, const std::wstring& path, const wchar_t* name) {
    return RegGetValueW(root, path.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

class HostileRegistryTest : public TarvinTest {
protected:
    void SeedBothHives(const std::vector<std::wstring>& entries) {
        SeedVendorKey(HKEY_CURRENT_USER, entries);
        SeedVendorKey(HKEY_LOCAL_MACHINE, entries);
    }
};

// "KT-HLD" is shown as "KT-HALDA": two equal lines from two different keys.
// Deleting by the line's text would delete "KT-HLD" twice and never "KT-HALDA".
TEST_F(HostileRegistryTest, AnEntryNamedLikeAnothersDisplayNameIsDeletedOnlyWhenChosen) {
    SeedBothHives({L"KT-HALDA", L"KT-HLD"});
    Start();
    ASSERT_THAT(tarvin_->ListLines(kList1), ElementsAre(L"KT-HALDA", L"KT-HALDA"));

    tarvin_->Select(kList1, 0);
    tarvin_->ClickAndWait(kMoveSelected);
    EXPECT_THAT(tarvin_->ClickAnsweringMessages(kCommand3), IsEmpty());
    const std::vector<std::wstring> left = VendorEntries(HKEY_CURRENT_USER);
    EXPECT_THAT(left, SizeIs(1));
    EXPECT_EQ(VendorEntries(HKEY_LOCAL_MACHINE), left);
}

TEST_F(HostileRegistryTest, AValueWhereTheVendorKeyShouldBeIsReportedOnceAndKept) {
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        RemoveVendorKey(root);
        SetText(root, kVendorParentPath, L"QZ", L"not a key");
    }
    tarvin_.emplace();

    const HWND box = tarvin_->WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TarvinProcess::MessageBoxText(box),
              L"(RegOpenKeyEx)" + SystemMessageText(ERROR_FILE_NOT_FOUND));
    TarvinProcess::Dismiss(box);
    ASSERT_NE(tarvin_->WaitForMainWindow(), nullptr);
    EXPECT_THAT(tarvin_->ListLines(kList1), IsEmpty());

    // Without a vendor key under either hive, the deletion has nothing to say.
    EXPECT_THAT(tarvin_->ClickAnsweringMessages(kCommand3), IsEmpty());
    EXPECT_TRUE(HasValue(HKEY_CURRENT_USER, kVendorParentPath, L"QZ"));
    EXPECT_TRUE(HasValue(HKEY_LOCAL_MACHINE, kVendorParentPath, L"QZ"));
}

// Another program deletes while TARVIN's lists stand: here the whole vendor key
// under the current user, and one entry under the machine.
TEST_F(HostileRegistryTest, KeysGoneSinceTheListingAreReportedOnlyWhereTheVendorKeyIs) {
    SeedBothHives({L"KT-ARVO1", L"KT-ARVO2", L"KT-ARVO3"});
    const std::wstring sibling = std::wstring(kVendorParentPath) + L"\\Other";
    SetText(HKEY_CURRENT_USER, sibling, L"Version", L"1.0");
    Start();
    tarvin_->ClickAndWait(kMoveAll);

    ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, kVendorKeyPath), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, EntryPath(L"KT-ARVO2").c_str()), ERROR_SUCCESS);

    EXPECT_THAT(tarvin_->ClickAnsweringMessages(kCommand3),
                ElementsAre(DeleteFailure(ERROR_FILE_NOT_FOUND)));
    EXPECT_THAT(VendorEntries(HKEY_LOCAL_MACHINE), IsEmpty());
    EXPECT_TRUE(HasValue(HKEY_CURRENT_USER, sibling, L"Version"));
    EXPECT_THAT(tarvin_->ListLines(kList2), IsEmpty());
}

}  // namespace
}  // namespace tarvin::testing
