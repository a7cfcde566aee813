#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/form1.h"
#include "tests/native/fakes.h"

namespace tarvin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::FakePlatform;
using testing::FakeProductList;

constexpr int kMoveSelected = 0;  // ">"
constexpr int kMoveSelectedBack = 1;  // "<"
constexpr int kMoveAll = 2;  // ">>"
constexpr int kMoveAllBack = 3;  // "<<"

class MoveItemsTest : public ::testing::Test {
protected:
    // Fills a list with lines whose entries are numbered as given.
    static void Fill(FakeProductList& list, std::vector<std::pair<std::wstring, EntryId>> lines) {
        for (auto& [text, entry] : lines) list.AddItem(text, entry);
    }
    static void Select(FakeProductList& list, std::vector<int> lines) {
        for (int line : lines) list.lines.at(line).selected = true;
    }
    static std::vector<EntryId> Entries(const FakeProductList& list) {
        std::vector<EntryId> entries;
        for (const auto& line : list.lines) entries.push_back(line.entry);
        return entries;
    }
    static std::vector<bool> Selection(const FakeProductList& list) {
        std::vector<bool> selected;
        for (const auto& line : list.lines) selected.push_back(line.selected);
        return selected;
    }

    FakePlatform p;
    Form1 form{p.View()};
};

TEST_F(MoveItemsTest, SelectedLinesMoveSortedUnselectedWithTheirEntries) {
    Fill(p.list1, {{L"A", 0}, {L"B", 1}, {L"C", 2}, {L"D", 3}});
    Fill(p.list2, {{L"AA", 4}, {L"CC", 5}});
    Select(p.list1, {0, 1, 3});
    Select(p.list2, {1});

    form.Command2_Click(kMoveSelected);

    EXPECT_THAT(p.list1.Texts(), ElementsAre(L"C"));
    EXPECT_THAT(p.list2.Texts(), ElementsAre(L"A", L"AA", L"B", L"CC", L"D"));
    EXPECT_THAT(Entries(p.list2), ElementsAre(0u, 4u, 1u, 5u, 3u));
    // The moved lines arrive unselected; the line that was selected before keeps it.
    EXPECT_THAT(Selection(p.list2), ElementsAre(false, false, false, true, false));

    form.Command2_Click(kMoveSelectedBack);

    EXPECT_THAT(p.list1.Texts(), ElementsAre(L"C", L"CC"));
    EXPECT_THAT(Entries(p.list1), ElementsAre(2u, 5u));
    EXPECT_THAT(p.list2.Texts(), ElementsAre(L"A", L"AA", L"B", L"D"));
}

TEST_F(MoveItemsTest, AllLinesMoveWhateverTheirSelection) {
    Fill(p.list1, {{L"B", 0}, {L"A", 1}, {L"C", 2}});
    Select(p.list1, {1});

    form.Command2_Click(kMoveAll);

    EXPECT_THAT(p.list1.Texts(), IsEmpty());
    EXPECT_THAT(p.list2.Texts(), ElementsAre(L"A", L"B", L"C"));
    EXPECT_THAT(Selection(p.list2), ElementsAre(false, false, false));

    form.Command2_Click(kMoveAllBack);

    EXPECT_THAT(p.list1.Texts(), ElementsAre(L"A", L"B", L"C"));
    EXPECT_THAT(Entries(p.list1), ElementsAre(1u, 0u, 2u));
    EXPECT_THAT(p.list2.Texts(), IsEmpty());
}

}  // namespace
}  // namespace tarvin
