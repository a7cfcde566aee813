// What TARVIN.exe carries besides its code: version information, icon and
// manifest, read as Windows reads them.

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/win32/tarvin_process.h"

namespace tarvin::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::IsSupersetOf;

// The icon directory of a group icon resource, as Windows stores it.
#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height;  // 0 stands for 256
    BYTE colourCount;
    BYTE reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD iconId;
};
struct GroupIconHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

// Collects resource names; numeric names stay numbers.
BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<std::uintptr_t>*>(names)->push_back(
        reinterpret_cast<std::uintptr_t>(name));
    return TRUE;
}

class ExecutableResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(TarvinPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << GetLastError();
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }

    std::string Resource(const wchar_t* name, const wchar_t* type) const {
        const HRSRC found = FindResourceW(module_, name, type);
        if (!found) return {};
        const auto* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
        return std::string(data, SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

TEST_F(ExecutableResourcesTest, VersionInformationIsJapaneseVersionOneApplication) {
    const std::wstring path = TarvinPath();
    DWORD handle = 0;
    std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), &handle));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &value, &length));
    const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));

    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0411);
    EXPECT_EQ(static_cast<const WORD*>(value)[1], 1200);

    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"Comments", L"QIRA関連レジストリの削除プログラム"},
        {L"CompanyName", L"Norvale"},
        {L"ProductName", L"TARVIN"},
        {L"FileVersion", L"1.00"},
        {L"ProductVersion", L"1.00"},
        {L"InternalName", L"TARVIN"},
        {L"OriginalFilename", L"TARVIN.exe"},
    };
    for (const auto& [key, expected] : strings) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\041104B0\\") + key;
        wchar_t* text = nullptr;
        ASSERT_TRUE(VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
            << "no " << std::string(query.begin(), query.end());
        EXPECT_STREQ(text, expected);
    }
}

TEST_F(ExecutableResourcesTest, OneIconWithTheSixteenColourImageBesideTheUsualSizes) {
    std::vector<std::uintptr_t> groups;
    EnumResourceNamesW(module_, RT_GROUP_ICON, CollectName, reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_EQ(groups, std::vector<std::uintptr_t>{IDI_TARVIN});

    const std::string group = Resource(MAKEINTRESOURCEW(IDI_TARVIN), RT_GROUP_ICON);
    ASSERT_GE(group.size(), sizeof(GroupIconHeader));
    const auto& header = *reinterpret_cast<const GroupIconHeader*>(group.data());
    ASSERT_EQ(group.size(), sizeof header + header.count * sizeof(GroupIconEntry));
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(group.data() + sizeof header);

    std::vector<std::pair<int, int>> images;  // size, bits per pixel
    for (const GroupIconEntry& entry : std::vector(entries, entries + header.count)) {
        EXPECT_FALSE(Resource(MAKEINTRESOURCEW(entry.iconId), RT_ICON).empty());
        images.emplace_back(entry.width ? entry.width : 256, entry.bitCount);
        if (entry.bitCount == 4) {
            EXPECT_EQ(entry.colourCount, 16);
        }
    }
    EXPECT_THAT(images, IsSupersetOf({std::pair{16, 32}, std::pair{32, 32}, std::pair{48, 32},
                                      std::pair{128, 4}, std::pair{256, 32}}));
}

TEST_F(ExecutableResourcesTest, ManifestAsksForTheHighestAvailableLevel) {
    const std::string manifest =
        Resource(CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_FALSE(manifest.empty());
    EXPECT_THAT(manifest, HasSubstr(R"(<requestedExecutionLevel level="highestAvailable")"));
    EXPECT_THAT(manifest, HasSubstr(R"(name="Microsoft.Windows.Common-Controls")"));
    EXPECT_THAT(manifest, HasSubstr(R"(version="6.0.0.0")"));
}

}  // namespace
}  // namespace tarvin::testing
