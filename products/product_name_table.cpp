#include "products/product_name_table.h"

#include <algorithm>
#include <array>

namespace tarvin {

namespace {

// One row of the fixed table between the names of the product entries in the
// registry and the names the lists show.
struct ProductName {
    const wchar_t* entryName;
    const wchar_t* displayName;
};

// The variant labels are half-width katakana with an ASCII "T" and the kanji 桁.
constexpr std::array<ProductName, 10> ProductNameTable{{
    {L"KT-ARVO1", L"KT-ARVO ﾌﾟﾚﾃﾝT桁"},
    {L"KT-ARVO2", L"KT-ARVO ﾌﾟﾚﾃﾝﾎﾛｰ"},
    {L"KT-ARVO3", L"KT-ARVO ﾎﾟｽﾃﾝT桁"},
    {L"KT-ARVO4", L"KT-ARVO ﾎﾟｽﾃﾝﾎﾛｰ"},
    {L"KT-SELM1", L"KT-SELM ﾌﾟﾚﾃﾝT桁"},
    {L"KT-SELM2", L"KT-SELM ﾌﾟﾚﾃﾝﾎﾛｰ"},
    {L"KT-SELM3", L"KT-SELM ﾎﾟｽﾃﾝT桁"},
    {L"KT-SELM4", L"KT-SELM ﾎﾟｽﾃﾝﾎﾛｰ"},
    {L"KT-MOXEL1", L"KT-MOXEL"},
    {L"KT-HLD", L"KT-HALDA"},
}};

}  // namespace

std::wstring GetDisplayName(const std::wstring& entryName) {
    const auto row = std::find_if(ProductNameTable.begin(), ProductNameTable.end(),
                                  [&](const ProductName& r) { return entryName == r.entryName; });
    return row == ProductNameTable.end() ? entryName : std::wstring(row->displayName);
}

}  // namespace tarvin
