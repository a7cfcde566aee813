// TARVIN.exe with more entries than a 16-bit count can hold, and with many
// moves in a row.

#include <cwchar>

#include "tests/win32/process_resources.h"
#include "tests/win32/tarvin_test.h"
#include "tests/win32/test_registry.h"

namespace tarvin::testing {
namespace {

using ::testing::IsEmpty;

std::vector<std::wstring> NumberedEntries(int count) {
    std::vector<std::wstring> entries;
    for (int i = 0; i < count; ++i) {
        wchar_t name[16];
        std::swprintf(name, 16, L"KT-%05d", i);
        entries.emplace_back(name);
    }
    return entries;
}

class ScaleTest : public TarvinTest {
protected:
    // Leaves no thousands of entries to the tests after this one, even when it fails.
    void TearDown() override {
        tarvin_.reset();
        RemoveVendorKey(HKEY_CURRENT_USER);
        RemoveVendorKey(HKEY_LOCAL_MACHINE);
    }

    void ExpectLineCounts(int registered, int toDelete) {
        EXPECT_EQ(tarvin_->LineCount(kList1), registered);
        EXPECT_EQ(tarvin_->LineCount(kList2), toDelete);
    }
};

TEST_F(ScaleTest, ThirtyThreeThousandEntriesAreListedMovedBothWaysAndDeletedUnderBothHives) {
    constexpr int kEntries = 33000;
    const std::vector<std::wstring> entries = NumberedEntries(kEntries);
    SeedVendorKey(HKEY_CURRENT_USER, entries);
    SeedVendorKey(HKEY_LOCAL_MACHINE, entries);
    Start();
    ExpectLineCounts(kEntries, 0);

    tarvin_->ClickAndWait(kMoveAll);
    ExpectLineCounts(0, kEntries);
    tarvin_->ClickAndWait(kMoveAllBack);
    ExpectLineCounts(kEntries, 0);
    tarvin_->ClickAndWait(kMoveAll);

    EXPECT_THAT(tarvin_->ClickAnsweringMessages(kCommand3), IsEmpty());
    ExpectLineCounts(0, 0);
    EXPECT_THAT(VendorEntries(HKEY_CURRENT_USER), IsEmpty());
    EXPECT_THAT(VendorEntries(HKEY_LOCAL_MACHINE), IsEmpty());
}

TEST_F(ScaleTest, AHundredRoundTripsOfAThousandLinesLeaveNoHandleOrMemoryBehind) {
    constexpr int kEntries = 1000;
    SeedVendorKey(HKEY_CURRENT_USER, NumberedEntries(kEntries));
    Start();
    const auto roundTrips = [&](int count) {
        for (int i = 0; i < count; ++i) {
            tarvin_->ClickAndWait(kMoveAll);
            tarvin_->ClickAndWait(kMoveAllBack);
        }
    };
    // The first trips size the lists' storage and the heap, which then
    // settles a few hundred KB higher within some fifty trips. Fifty trips
    // more must add next to nothing: a line's text lost on each move would
    // add some 5 MB.
    roundTrips(53);
    const ProcessResources before = ResourcesOf(tarvin_->Process());

    roundTrips(50);

    const ProcessResources after = ResourcesOf(tarvin_->Process());
    ExpectLineCounts(kEntries, 0);
    EXPECT_EQ(after.kernelHandles, before.kernelHandles);
    constexpr std::size_t kNoise = 512 * 1024;
    EXPECT_LT(after.committedBytes, before.committedBytes + kNoise);
}

}  // namespace
}  // namespace tarvin::testing
