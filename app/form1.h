#pragma once

#include <string>
#include <vector>

#include "products/product_list.h"
#include "registry/registry.h"
#include "registry/system_error.h"

namespace tarvin {

// The behaviour of the main window, written against the platform's list
// boxes, registry and message boxes so that it runs the same on Windows and
// against the in-memory stand-ins of the tests.
class Form1 {
public:
    Form1(ProductList& list1, ProductList& list2, Registry& registry,
          SystemErrorReporter& errors)
        : List1(list1), List2(list2), registry_(registry), errors_(errors) {}

    // Runs once, before the window is first shown: empties both lists and
    // fills the registered list with the display names of the entries under
    // the current user's vendor key. A failure to read them has been reported
    // to the user; whatever was read before it is listed.
    void Form_Load();

    // The entry name that line `entry` of either list was listed from.
    const std::wstring& EntryName(EntryId entry) const { return entryNames_.at(entry); }

    ProductList& List1;  // registered list
    ProductList& List2;  // delete list

private:
    Registry& registry_;
    SystemErrorReporter& errors_;
    // The entry names read at start, kept for the window's lifetime: every line
    // of either list refers to one of them by its index.
    std::vector<std::wstring> entryNames_;
};

}  // namespace tarvin
