#include "tests/native/fakes.h"

#include <algorithm>

namespace tarvin::testing {

void FakeProductList::AddItem(const std::wstring& text, EntryId entry) {
    const auto place = std::upper_bound(lines.begin(), lines.end(), text,
                                        [](const std::wstring& t, const Line& l) { return t < l.text; });
    lines.insert(place, Line{text, entry, false});
}

std::vector<std::wstring> FakeProductList::Texts() const {
    std::vector<std::wstring> texts;
    for (const Line& line : lines) texts.push_back(line.text);
    return texts;
}

namespace {

class FakeKey final : public RegistryKey {
public:
    FakeKey(const FakeRegistry::Key& key, int& openKeys) : key_(key), openKeys_(openKeys) {
        ++openKeys_;
    }
    ~FakeKey() override { --openKeys_; }

    ErrorCode EnumKey(std::uint32_t index, std::wstring& name) override {
        if (index == key_.failAtIndex) return key_.enumError;
        if (index >= key_.subkeys.size()) return kErrorNoMoreItems;
        name = key_.subkeys[index];
        return kErrorSuccess;
    }

private:
    const FakeRegistry::Key& key_;
    int& openKeys_;
};

}  // namespace

ErrorCode FakeRegistry::OpenKey(Hive hive, const std::wstring& path, AccessMask access,
                                std::unique_ptr<RegistryKey>& key) {
    openCalls.push_back({hive, path, access});
    const auto found = keys.find({hive, path});
    if (found == keys.end()) return kErrorFileNotFound;
    if (found->second.openError != kErrorSuccess) return found->second.openError;
    key = std::make_unique<FakeKey>(found->second, openKeys);
    return kErrorSuccess;
}

std::wstring FakeSystemMessages::Text(ErrorCode code) const {
    return L"text of " + std::to_wstring(code) + L"\r\n";
}

}  // namespace tarvin::testing
