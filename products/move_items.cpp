#include "products/move_items.h"

namespace tarvin {

void MoveItems(ListBox& source, ListBox& destination, Lines lines) {
    const auto qualifies = [&](int line) { return lines == Lines::All || source.Selected(line); };
    const int count = source.LineCount();
    int moving = 0;
    for (int line = 0; line < count; ++line) {
        if (qualifies(line)) ++moving;
    }
    {
        const ListBoxBulkChange adding(destination, moving);
        for (int line = 0; line < count; ++line) {
            if (qualifies(line)) destination.AddItem(source.Text(line), source.Entry(line));
        }
    }
    const ListBoxBulkChange removing(source, 0);
    for (int line = count - 1; line >= 0; --line) {
        if (qualifies(line)) source.RemoveItem(line);
    }
}

}  // namespace tarvin
