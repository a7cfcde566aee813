#pragma once

#include "access/account_directory.h"
#include "common/user_interface.h"
#include "products/product_list.h"
#include "registry/registry.h"

namespace tarvin {

// What the window's behaviour uses of the platform. Everything referred to
// outlives the Form1 that uses it.
struct Platform {
    ProductList& list1;  // registered list
    ProductList& list2;  // delete list
    Registry& registry;
    AccountDirectory& accounts;
    UserInterface& ui;
};

}  // namespace tarvin
