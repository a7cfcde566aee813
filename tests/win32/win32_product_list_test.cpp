// The product list on a real sorted list box.

#include "products/win32/win32_product_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvin::testing {
namespace {

using ::testing::ElementsAre;

class Win32ProductListTest : public ::testing::Test {
protected:
    ~Win32ProductListTest() override { DestroyWindow(parent_); }

    std::vector<std::wstring> Lines() const {
        std::vector<std::wstring> lines;
        for (int i = 0; i < list.ListCount(); ++i) lines.push_back(list.List(i));
        return lines;
    }
    std::vector<EntryId> Entries() const {
        std::vector<EntryId> entries;
        for (int i = 0; i < list.ListCount(); ++i) entries.push_back(list.Entry(i));
        return entries;
    }

    // The list box lives on a hidden window, as in TARVIN's main window.
    HWND parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                   nullptr, nullptr, nullptr);
    HWND listBox_ = CreateWindowExW(0, L"LISTBOX", L"",
                                    WS_CHILD | WS_VSCROLL | LBS_SORT | LBS_EXTENDEDSEL, 0, 0, 100,
                                    100, parent_, nullptr, nullptr, nullptr);
    Win32ProductList list{listBox_};
};

TEST_F(Win32ProductListTest, LinesGoToTheirSortedPlaceAndKeepTheirEntries) {
    ASSERT_NE(listBox_, nullptr) << GetLastError();
    list.AddItem(L"KT-SELM", 0);
    list.AddItem(L"KT-ARVO", 1);
    list.AddItem(L"KT-HALDA", 2);
    list.AddItem(L"KT-HALDA", 3);

    EXPECT_THAT(Lines(), ElementsAre(L"KT-ARVO", L"KT-HALDA", L"KT-HALDA", L"KT-SELM"));
    EXPECT_THAT(Entries(), ::testing::UnorderedElementsAre(0u, 1u, 2u, 3u));
    EXPECT_EQ(list.Entry(0), 1u);
    EXPECT_EQ(list.Entry(3), 0u);
}

TEST_F(Win32ProductListTest, SelectionRemovalAndClear) {
    for (const wchar_t* text : {L"a", L"b", L"c"}) list.AddItem(text, text[0]);
    SendMessageW(listBox_, LB_SETSEL, TRUE, 2);

    EXPECT_FALSE(list.Selected(0));
    EXPECT_TRUE(list.Selected(2));

    list.RemoveItem(0);
    EXPECT_THAT(Lines(), ElementsAre(L"b", L"c"));
    EXPECT_TRUE(list.Selected(1));  // the flag moved up with its line
    EXPECT_EQ(list.Entry(1), static_cast<EntryId>(L'c'));

    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
}

TEST_F(Win32ProductListTest, HoldsMoreLinesThanASixteenBitCount) {
    constexpr int kLines = 33000;
    SendMessageW(listBox_, LB_INITSTORAGE, kLines, kLines * 8 * sizeof(wchar_t));
    for (int i = 0; i < kLines; ++i) {
        wchar_t text[16];
        swprintf(text, 16, L"KT-%06d", i);
        list.AddItem(text, static_cast<EntryId>(i));
    }

    ASSERT_EQ(list.ListCount(), kLines);
    EXPECT_EQ(list.List(kLines - 1), L"KT-032999");
    EXPECT_EQ(list.Entry(kLines - 1), static_cast<EntryId>(kLines - 1));
}

}  // namespace
}  // namespace tarvin::testing
