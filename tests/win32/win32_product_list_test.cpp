// The product list on a real sorted list box.

#include "products/win32/win32_product_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tarvin {
namespace {

using ::testing::Pair;
using ::testing::UnorderedElementsAre;

class Win32ProductListTest : public ::testing::Test {
protected:
    ~Win32ProductListTest() override { DestroyWindow(parent_); }

    // Each line's text with the entry it carries.
    std::vector<std::pair<std::wstring, EntryId>> Lines() const {
        std::vector<std::pair<std::wstring, EntryId>> lines;
        for (int i = 0; i < list.ListCount(); ++i) lines.emplace_back(list.List(i), list.Entry(i));
        return lines;
    }

    // The list box lives on a hidden window, like those of TARVIN's main window.
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
    list.AddItem(L"KT-HALDA", 1);
    list.AddItem(L"KT-ARVO", 2);
    list.AddItem(L"KT-HALDA", 3);
    list.RemoveItem(0);

    // Equal lines stay two, in an order of the list box's choosing.
    EXPECT_THAT(Lines(), UnorderedElementsAre(Pair(L"KT-HALDA", 1u), Pair(L"KT-HALDA", 3u),
                                              Pair(L"KT-SELM", 0u)));
    EXPECT_EQ(list.List(2), L"KT-SELM");
}

}  // namespace
}  // namespace tarvin
