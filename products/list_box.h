#pragma once

#include <cstddef>
#include <string>

namespace tarvin {

// Identifies the registry entry a line was listed from: 1 + its index among
// the entry names that the window read at start. kNoEntry, the item data that
// a line added by another program starts with, identifies none.
using EntryId = std::size_t;
inline constexpr EntryId kNoEntry = 0;

// One of the window's two lists of products: a list box that keeps its lines
// in its own sorted order, allows extended multiple selection, and lets every
// line carry the entry it was listed from. A line is given by its index:
// 0 <= line < LineCount().
class ListBox {
public:
    virtual ~ListBox() = default;

    virtual int LineCount() const = 0;
    virtual std::wstring Text(int line) const = 0;
    virtual bool Selected(int line) const = 0;
    // The entry the line carries, as set by AddItem; any other program that
    // can reach the list box may have set it too.
    virtual EntryId Entry(int line) const = 0;

    // Inserts a line, unselected, where the list's sorted order puts it.
    // An equal line already in the list stays: both are kept.
    virtual void AddItem(const std::wstring& text, EntryId entry) = 0;
    // Removes the line; the lines below move up by one, with their flags.
    virtual void RemoveItem(int line) = 0;
    virtual void Clear() = 0;

    // Open a change of many lines at once and close it again; ListBoxBulkChange
    // pairs them. In between, the list need not repaint after each line, and it
    // makes room for addedLines more lines up front. Changes of one list do not
    // nest.
    virtual void BeginBulkChange(int addedLines) = 0;
    virtual void EndBulkChange() = 0;
};

// Holds a bulk change of one list open for its scope.
class ListBoxBulkChange {
public:
    ListBoxBulkChange(ListBox& list, int addedLines) : list_(list) {
        list_.BeginBulkChange(addedLines);
    }
    ~ListBoxBulkChange() { list_.EndBulkChange(); }
    ListBoxBulkChange(const ListBoxBulkChange&) = delete;
    ListBoxBulkChange& operator=(const ListBoxBulkChange&) = delete;

private:
    ListBox& list_;
};

}  // namespace tarvin
