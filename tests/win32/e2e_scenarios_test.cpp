// TARVIN.exe from start to the end of a deletion, one scenario a row: the
// registry before (both hives), the lines chosen, what the user does while
// the deletion runs, and what must hold after: the messages in order, and
// both hives unchanged, values included, but for the keys that went.
// Every seeded key carries a value naming it, so that a key deleted, emptied
// or moved that should not have been shows in the hives after.

#include <functional>
#include <map>
#include <ostream>

#include "tests/win32/tarvin_test.h"
#include "tests/win32/test_registry.h"

namespace tarvin::testing {
namespace {

// The subtrees the scenarios seed and compare, below each hive's Software.
const std::wstring kSubtrees[] = {L"Norvale", L"Victim"};
const HKEY kHives[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
constexpr wchar_t kOpen[] = L"(RegOpenKeyEx)";
constexpr wchar_t kDelete[] = L"(RegDeleteKey)";
// Machine keys outside the vendor's, for links to point at.
constexpr wchar_t kVictim[] = L"\\Registry\\Machine\\Software\\Victim";
// How a path through a registry link is reported.
constexpr DWORD kThroughLink = ERROR_CANT_RESOLVE_FILENAME;

struct Seed {
    HKEY root;
    std::wstring path;    // below Software
    std::wstring target;  // a link to this native path; a key when empty
};

// The key path (below Software) under both hives.
std::vector<Seed> Both(const std::wstring& path) {
    return {{HKEY_CURRENT_USER, path, {}}, {HKEY_LOCAL_MACHINE, path, {}}};
}

enum class During { Nothing, CloseTheWindow, PressExit };

struct Scenario {
    const char* name;
    std::vector<std::vector<Seed>> seeds;
    std::vector<std::wstring> chosen;  // lines moved with ">"; none: all, with ">>"
    During during;                     // at the deletion's first message
    std::vector<std::wstring> registered;  // the registered list's lines after
    std::vector<std::pair<const wchar_t*, DWORD>> messages;  // label and code, in order
    std::vector<std::pair<HKEY, std::wstring>> gone;        // keys (below Software) deleted
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

std::wstring Entry(const std::wstring& name) { return L"Norvale\\QZ\\" + name; }

// A request to end TARVIN at the deletion's first failure (the entry with a
// subkey, under the user), which waits until both passes are done: the
// second failure still shows, and the machine's entry still goes.
Scenario DeletionClosedBy(const char* name, During during) {
    return {name,
            {{{HKEY_CURRENT_USER, Entry(L"KT-ARVO1"), {}}},
             {{HKEY_CURRENT_USER, Entry(L"KT-ARVO2\\Settings"), {}}},
             {{HKEY_LOCAL_MACHINE, Entry(L"KT-ARVO2"), {}}}, Both(Entry(L"KT-SELM1"))},
            {L"KT-ARVO ﾌﾟﾚﾃﾝT桁", L"KT-ARVO ﾌﾟﾚﾃﾝﾎﾛｰ"},
            during,
            {},
            {{kDelete, ERROR_ACCESS_DENIED}, {kDelete, ERROR_FILE_NOT_FOUND}},
            {{HKEY_CURRENT_USER, Entry(L"KT-ARVO1")}, {HKEY_LOCAL_MACHINE, Entry(L"KT-ARVO2")}}};
}

const Scenario kScenarios[] = {
    {"ChosenEntriesGoWholeUnderBothHivesAndTheOthersStay",
     {Both(Entry(L"KT-ARVO1")), Both(Entry(L"KT-SELM1")), Both(Entry(L"Kept")),
      Both(Entry(L"KT-한국어판")), Both(Entry(std::wstring(255, L'桁'))),
      Both(Entry(L" KT-ARVO1")), Both(Entry(L"KT*?\"<>|/ARVO "))},
     {L"KT-ARVO ﾌﾟﾚﾃﾝT桁", L"KT-SELM ﾌﾟﾚﾃﾝT桁", L"KT-한국어판", std::wstring(255, L'桁'),
      L"KT*?\"<>|/ARVO "},
     During::Nothing,
     {L" KT-ARVO1", L"Kept"},
     {},
     {{HKEY_CURRENT_USER, Entry(L"KT-ARVO1")}, {HKEY_LOCAL_MACHINE, Entry(L"KT-ARVO1")},
      {HKEY_CURRENT_USER, Entry(L"KT-SELM1")}, {HKEY_LOCAL_MACHINE, Entry(L"KT-SELM1")},
      {HKEY_CURRENT_USER, Entry(L"KT-한국어판")}, {HKEY_LOCAL_MACHINE, Entry(L"KT-한국어판")},
      {HKEY_CURRENT_USER, Entry(std::wstring(255, L'桁'))},
      {HKEY_LOCAL_MACHINE, Entry(std::wstring(255, L'桁'))},
      {HKEY_CURRENT_USER, Entry(L"KT*?\"<>|/ARVO ")},
      {HKEY_LOCAL_MACHINE, Entry(L"KT*?\"<>|/ARVO ")}}},
    // The registered list is not read again: the entry that stayed is on neither list.
    {"AnEntryWithASubkeyStaysWithOneMessageWhileTheOthersGo",
     {{{HKEY_CURRENT_USER, Entry(L"KT-ARVO1"), {}}}, {{HKEY_CURRENT_USER, Entry(L"KT-HLD\\Settings"), {}}}},
     {},
     During::Nothing,
     {},
     {{kDelete, ERROR_ACCESS_DENIED}},
     {{HKEY_CURRENT_USER, Entry(L"KT-ARVO1")}}},
    {"NamesWithNulCharactersDeleteExactlyThemselves",
     {Both(L"Norvale\\QZ"), Both(Entry(L"KT-ARVO1")), Both(Entry(L"KT-SELM4")),
      Both(Entry(L"KT-ARVO")), Both(Entry(std::wstring(L"KT-ARVO1\0x", 10))),
      Both(Entry(std::wstring(L"KT-SELM4\0", 9))), Both(Entry(std::wstring(L"\0KT-ARVO", 8))),
      Both(Entry(std::wstring(1, L'\0')))},
     {L"KT-ARVO1\u2400x", L"KT-SELM4\u2400", L"\u2400KT-ARVO", L"\u2400"},
     During::Nothing,
     {L"KT-ARVO", L"KT-ARVO ﾌﾟﾚﾃﾝT桁", L"KT-SELM ﾎﾟｽﾃﾝﾎﾛｰ"},
     {},
     {{HKEY_CURRENT_USER, Entry(std::wstring(L"KT-ARVO1\0x", 10))},
      {HKEY_LOCAL_MACHINE, Entry(std::wstring(L"KT-ARVO1\0x", 10))},
      {HKEY_CURRENT_USER, Entry(std::wstring(L"KT-SELM4\0", 9))},
      {HKEY_LOCAL_MACHINE, Entry(std::wstring(L"KT-SELM4\0", 9))},
      {HKEY_CURRENT_USER, Entry(std::wstring(L"\0KT-ARVO", 8))},
      {HKEY_LOCAL_MACHINE, Entry(std::wstring(L"\0KT-ARVO", 8))},
      {HKEY_CURRENT_USER, Entry(std::wstring(1, L'\0'))},
      {HKEY_LOCAL_MACHINE, Entry(std::wstring(1, L'\0'))}}},
    {"AnEntryThatIsALinkGoesAsTheLinkAndItsTargetStays",
     {Both(Entry(L"KT-ARVO1")), {{HKEY_LOCAL_MACHINE, Entry(L"KT-SELM1"), {}}},
      {{HKEY_CURRENT_USER, Entry(L"KT-SELM1"), std::wstring(kVictim) + L"\\KT-SELM1"}},
      {{HKEY_LOCAL_MACHINE, L"Victim\\KT-SELM1", {}}}},
     {},
     During::Nothing,
     {},
     {},
     {{HKEY_CURRENT_USER, Entry(L"KT-ARVO1")}, {HKEY_LOCAL_MACHINE, Entry(L"KT-ARVO1")},
      {HKEY_CURRENT_USER, Entry(L"KT-SELM1")}, {HKEY_LOCAL_MACHINE, Entry(L"KT-SELM1")}}},
    {"AMachineVendorKeyThatIsALinkIsReportedAndNotUsed",
     {{{HKEY_CURRENT_USER, Entry(L"KT-ARVO1"), {}}},
      {{HKEY_LOCAL_MACHINE, L"Norvale\\QZ", std::wstring(kVictim) + L"\\QZ"}},
      {{HKEY_LOCAL_MACHINE, L"Victim\\QZ\\KT-ARVO1", {}}}},
     {L"KT-ARVO ﾌﾟﾚﾃﾝT桁"},
     During::Nothing,
     {},
     {{kOpen, kThroughLink}},
     {{HKEY_CURRENT_USER, Entry(L"KT-ARVO1")}}},
    {"AUserVendorParentThatIsALinkIsReportedAndNotUsed",
     {{{HKEY_CURRENT_USER, L"Norvale", kVictim}},
      {{HKEY_LOCAL_MACHINE, L"Victim\\QZ\\KT-ARVO1", {}}},
      {{HKEY_LOCAL_MACHINE, Entry(L"KT-ARVO1"), {}}}},
     {},
     During::Nothing,
     {},
     {{kOpen, kThroughLink}, {kOpen, kThroughLink}},
     {}},
    DeletionClosedBy("ClosingTheWindowDuringADeletionWaitsForItsEnd", During::CloseTheWindow),
    DeletionClosedBy("TheExitButtonDuringADeletionWaitsForItsEnd", During::PressExit),
};

// Both subtrees of a hive, one line a key, value or link.
std::vector<std::wstring> Hive(HKEY root) {
    std::vector<std::wstring> lines;
    for (const std::wstring& subtree : kSubtrees) {
        const auto part = Snapshot(root, L"Software\\" + subtree);
        lines.insert(lines.end(), part.begin(), part.end());
    }
    return lines;
}

// The lines of a hive less those of the key path, its values and its link.
std::vector<std::wstring> Without(std::vector<std::wstring> lines, const std::wstring& path) {
    const std::wstring key = L"Software\\" + path;
    const auto ofKey = [&](const std::wstring& line) {
        return line == key || line.rfind(key + L"|", 0) == 0 || line.rfind(key + L" -> ", 0) == 0;
    };
    lines.erase(std::remove_if(lines.begin(), lines.end(), ofKey), lines.end());
    return lines;
}

class ScenarioTest : public TarvinTest, public ::testing::WithParamInterface<Scenario> {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override {
        tarvin_.reset();
        Clear();
    }
    static void Clear() {
        for (const HKEY root : kHives) {
            for (const std::wstring& subtree : kSubtrees) RemoveTree(root, L"Software\\" + subtree);
        }
    }
};

TEST_P(ScenarioTest, HoldsAfterwards) {
    const Scenario& scenario = GetParam();
    for (const auto& seeds : scenario.seeds) {
        for (const Seed& seed : seeds) {
            const std::wstring path = L"Software\\" + seed.path;
            if (seed.target.empty()) SetText(seed.root, path, L"Seed", seed.path);
            else CreateLink(seed.root, path, seed.target);
        }
    }
    std::map<HKEY, std::vector<std::wstring>> expected;
    for (const HKEY root : kHives) expected[root] = Hive(root);
    for (const auto& [root, path] : scenario.gone) expected[root] = Without(expected[root], path);

    tarvin_.emplace();
    std::vector<std::wstring> messages = tarvin_->AnswerStartMessages();
    if (scenario.chosen.empty()) {
        tarvin_->ClickAndWait(kMoveAll);
    } else {
        SelectLines(kList1, scenario.chosen);
        tarvin_->ClickAndWait(kMoveSelected);
    }
    const HWND window = tarvin_->WaitForMainWindow();
    std::function<void()> during;
    if (scenario.during == During::CloseTheWindow) {
        during = [window] { PostMessageW(window, WM_CLOSE, 0, 0); };
    } else if (scenario.during == During::PressExit) {
        during = [window] {
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(kCommand4, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, kCommand4)));
        };
    }
    const auto deletion = tarvin_->ClickAnsweringMessages(kCommand3, during);
    messages.insert(messages.end(), deletion.begin(), deletion.end());

    std::vector<std::wstring> expectedMessages;
    for (const auto& [label, code] : scenario.messages) {
        expectedMessages.push_back(label + SystemMessageText(code));
    }
    EXPECT_EQ(messages, expectedMessages);
    if (during) {
        ASSERT_TRUE(tarvin_->WaitForExit());
        EXPECT_EQ(tarvin_->ExitCode(), 0u);
    } else {
        EXPECT_EQ(tarvin_->ListLines(kList1), scenario.registered);
        EXPECT_EQ(tarvin_->LineCount(kList2), 0);
    }
    for (const HKEY root : kHives) {
        EXPECT_EQ(Hive(root), expected[root]) << (root == HKEY_CURRENT_USER ? "HKCU" : "HKLM");
    }
}

INSTANTIATE_TEST_SUITE_P(, ScenarioTest, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvin::testing
