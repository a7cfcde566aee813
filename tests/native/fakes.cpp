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
    FakeKey(FakeRegistry& registry, Hive hive, FakeRegistry::Key& key)
        : registry_(registry), hive_(hive), key_(key) {
        ++registry_.openKeys;
    }
    ~FakeKey() override { --registry_.openKeys; }

    ErrorCode EnumKey(std::uint32_t index, std::wstring& name) override {
        if (index == key_.failAtIndex) return key_.enumError;
        if (index >= key_.subkeys.size()) return kErrorNoMoreItems;
        name = key_.subkeys[index];
        return kErrorSuccess;
    }

    ErrorCode DeleteKey(const std::wstring& name) override {
        registry_.deleteCalls.push_back({hive_, name});
        const auto failure = key_.deleteErrors.find(name);
        if (failure != key_.deleteErrors.end()) return failure->second;
        const auto subkey = std::find(key_.subkeys.begin(), key_.subkeys.end(), name);
        if (subkey == key_.subkeys.end()) return kErrorFileNotFound;
        key_.subkeys.erase(subkey);
        return kErrorSuccess;
    }

private:
    FakeRegistry& registry_;
    Hive hive_;
    FakeRegistry::Key& key_;
};

}  // namespace

ErrorCode FakeRegistry::OpenKey(Hive hive, const std::wstring& path, AccessMask access,
                                std::unique_ptr<RegistryKey>& key) {
    openCalls.push_back({hive, path, access});
    const auto found = keys.find({hive, path});
    if (found == keys.end()) return kErrorFileNotFound;
    if (found->second.openError != kErrorSuccess) return found->second.openError;
    key = std::make_unique<FakeKey>(*this, hive, found->second);
    return kErrorSuccess;
}

bool FakeAccountDirectory::CurrentUserName(std::wstring& name, DirectoryFailure& failure) {
    if (userFailure) failure = *userFailure;
    else name = user;
    return !userFailure;
}

bool FakeAccountDirectory::AdministratorsMembers(std::vector<std::wstring>& found,
                                                 DirectoryFailure& failure) {
    if (membersFailure) failure = *membersFailure;
    else found = members;
    return !membersFailure;
}

}  // namespace tarvin::testing
