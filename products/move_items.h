#pragma once

#include "products/product_list.h"

namespace tarvin {

// Moves lines from source to destination: every line when allLines is true,
// else the selected ones. All qualifying lines are copied first, then removed
// from the last to the first, so that a removal never shifts a line still to
// be visited. Moved lines keep their entries and arrive unselected in sorted
// position; equal lines are never merged. Lines that stay keep their selection.
void MoveItems(ProductList& source, ProductList& destination, bool allLines);

}  // namespace tarvin
