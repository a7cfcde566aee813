#include "products/product_name_table.h"

#include <gtest/gtest.h>

namespace tarvin {
namespace {

TEST(ProductNameTable, VariantLabelsAreHalfWidthKatakana) {
    // "KT-ARVO ﾎﾟｽﾃﾝT桁", spelled by code point: a full-width or decomposed
    // look-alike would show the same and never match.
    EXPECT_EQ(GetDisplayName(L"KT-ARVO3"), L"KT-ARVO \uFF8E\uFF9F\uFF7D\uFF83\uFF9DT\u6841");
    for (const ProductName& row : ProductNameTable) {
        for (const wchar_t c : std::wstring(row.displayName)) {
            const bool ascii = c < 0x80;
            const bool halfWidthKatakana = c >= 0xFF61 && c <= 0xFF9F;
            EXPECT_TRUE(ascii || halfWidthKatakana || c == L'桁') << row.entryName;
        }
    }
}

TEST(ProductNameTable, NamesNotInTheTablePassUnchanged) {
    for (const std::wstring name : {L"", L"kt-arvo3", L"KT-ARVO3 ", L"KT-ARVO5", L"QZ-OTHER"}) {
        EXPECT_EQ(GetDisplayName(name), name);
        EXPECT_EQ(GetKeyName(name), name);
    }
}

TEST(ProductNameTable, DisplayNamesThatAreAlsoEntryNamesMapBackToTheirRow) {
    // An entry literally named like a display name shows under its own name,
    // but its text maps back to the table's entry.
    EXPECT_EQ(GetDisplayName(L"KT-MOXEL"), L"KT-MOXEL");
    EXPECT_EQ(GetKeyName(L"KT-MOXEL"), L"KT-MOXEL1");
    EXPECT_EQ(GetDisplayName(L"KT-HALDA"), L"KT-HALDA");
    EXPECT_EQ(GetKeyName(L"KT-HALDA"), L"KT-HLD");
}

}  // namespace
}  // namespace tarvin
