#include "products/move_items.h"

namespace tarvin {

void MoveItems(ProductList& source, ProductList& destination, bool allLines) {
    const auto qualifies = [&](int line) { return allLines || source.Selected(line); };
    const int count = source.ListCount();
    int moving = 0;
    for (int line = 0; line < count; ++line) {
        if (qualifies(line)) ++moving;
    }
    {
        const ProductListChange adding(destination, moving);
        for (int line = 0; line < count; ++line) {
            if (qualifies(line)) destination.AddItem(source.List(line), source.Entry(line));
        }
    }
    const ProductListChange removing(source, 0);
    for (int line = count - 1; line >= 0; --line) {
        if (qualifies(line)) source.RemoveItem(line);
    }
}

}  // namespace tarvin
