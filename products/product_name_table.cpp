#include "products/product_name_table.h"

#include <algorithm>

namespace tarvin {

// The variant labels are half-width katakana with an ASCII "T" and the kanji 桁.
const std::array<ProductName, 10> ProductNameTable{{
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

namespace {

// Looks name up in the column `from` and returns the same row's column `to`.
std::wstring Translate(const std::wstring& name, const wchar_t* ProductName::*from,
                       const wchar_t* ProductName::*to) {
    const auto row = std::find_if(ProductNameTable.begin(), ProductNameTable.end(),
                                  [&](const ProductName& r) { return name == r.*from; });
    return row == ProductNameTable.end() ? name : std::wstring(row->*to);
}

}  // namespace

std::wstring GetDisplayName(const std::wstring& entryName) {
    return Translate(entryName, &ProductName::entryName, &ProductName::displayName);
}

std::wstring GetKeyName(const std::wstring& displayName) {
    return Translate(displayName, &ProductName::displayName, &ProductName::entryName);
}

}  // namespace tarvin
