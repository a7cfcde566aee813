// TARVIN.exe from start to end, one scenario a row: the registry before
// (both hives), the steps (lines selected, a button clicked, its messages
// answered), and what must hold after: both lists, the messages in order,
// and both hives' keys unchanged but for those that went. On 64-bit Windows,
// every entry of a row also stands in the 64-bit view of the machine's
// Software, where TARVIN must leave it alone.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <set>

#include "app/control_ids.h"
#include "tests/driver/tarvin_process.h"
#include "tests/driver/test_registry.h"

namespace tarvin {
namespace {

using namespace driver;

// Where a key of a scenario is: below HKCU\Software; below HKLM\Software as
// TARVIN sees it (on 64-bit Windows, WOW6432Node); below HKLM\Software as
// it is (on 64-bit Windows, the 64-bit view).
enum Root { kUser, kMachine, kMachineAsIs };
// The subtrees the scenarios seed and compare, below either hive.
const std::vector<std::wstring> kCompared = {L"Software\\Norvale", L"Software\\Victim", L"Software\\WOW6432Node\\Norvale"};
// Machine keys outside the vendor's, for links to point at.
const std::wstring kVictimTarget = L"\\Registry\\Machine\\Software\\Victim";

// The system's texts for the codes of the scenarios, as Wine's Japanese message
// table gives them; TARVIN shows them after the failed call.
const std::wstring kFileNotFound = L"ファイルが見つかりません。\r\n", kAccessDenied = L"アクセスが拒否されました。\r\n",
                   kCantResolveFilename = L"ファイル名は解決できません。\r\n",
                   kBadExeFormat = L"%1 の EXE フォーマットが不正です。\r\n";  // its insert stays as it is
const std::wstring kRefused = L"管理者権限が無い為、削除できません";
// Display names of the product name table.
const std::wstring kArvo1 = L"KT-ARVO ﾌﾟﾚﾃﾝT桁", kArvo2 = L"KT-ARVO ﾌﾟﾚﾃﾝﾎﾛｰ",
                   kSelm1 = L"KT-SELM ﾌﾟﾚﾃﾝT桁", kSelm2 = L"KT-SELM ﾌﾟﾚﾃﾝﾎﾛｰ",
                   kSelm4 = L"KT-SELM ﾎﾟｽﾃﾝﾎﾛｰ", kHalda = L"KT-HALDA";

struct Key {
    Root root;
    std::wstring path;         // below Software
    std::wstring target = {};  // a link's, as a native path; a key when empty
    // The hive and the path there.
    HKEY Hive() const { return root == kUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }
    std::wstring Path() const { return (root == kMachine ? TarvinSoftware(Hive()) : L"Software") + L"\\" + path; }
};
// Keys written as groups, such as a name under both hives.
struct Keys : std::vector<Key> {
    Keys(std::initializer_list<std::vector<Key>> groups = {}) { for (auto& keys : groups) insert(end(), keys.begin(), keys.end()); }
};

struct Step {
    int request;                            // a button's click or a request to the window (tarvin_process.h)
    std::vector<std::wstring> select = {};  // lines selected before it ...
    int list = kRegisteredList;             // ... in this list
};

// A row, its fields named: the registry before and the steps; what must hold
// after (the lists, the messages in order, the keys deleted).
struct Scenario {
    const char* name;
    Keys seeds = {};
    std::vector<Step> steps = {};
    std::vector<std::wstring> registered = {}, toDelete = {};
    std::vector<std::wstring> messages = {};
    Keys gone = {};
    int atFirstMessage = 0;      // a request while the run's first message is up: a click, kCloseRequest, kLogoff
    bool brokenNetApi = false;   // TARVIN finds a damaged netapi32.dll
    bool shellWindow = false;    // this program owns the desktop's shell window, as Explorer does
    bool on32BitWindows = false;  // the row runs on 32-bit Windows too
    bool ends = false;            // TARVIN has ended afterwards: by the last step, or a request to close during it
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

std::wstring Entry(const std::wstring& name) { return L"Norvale\\QZ\\" + name; }
std::vector<Key> User(const std::wstring& name) { return {{kUser, Entry(name)}}; }
std::vector<Key> Machine(const std::wstring& name) { return {{kMachine, Entry(name)}}; }
std::vector<Key> Both(const std::wstring& name) { return {{kUser, Entry(name)}, {kMachine, Entry(name)}}; }

const Step kDeletion{kRunDeletionButton};
const std::wstring k255 = std::wstring(255, L'桁'), kOdd = L"KT*?\"<>|/ARVO ";
const std::wstring kNul1(L"KT-ARVO1\0x", 10), kNul2(L"KT-SELM4\0", 9), kNul3(L"\0KT-ARVO", 8), kNul4(1, L'\0');

// A request at the deletion's first failure (the entry with a subkey, under
// the user, which stays), which waits until both passes are done: the second
// failure still shows, and the machine's entry still goes. The registered list
// is not read again: the entry that stayed is on neither list. Then the steps
// after, if any.
Scenario DeletionInterruptedBy(const char* name, int request, bool ends, std::vector<Step> after = {}) {
    std::vector<Step> steps = {{kMoveSelected, {kArvo1, kArvo2}}, kDeletion};
    steps.insert(steps.end(), after.begin(), after.end());
    return {.name = name,
            .seeds = {User(L"KT-ARVO1"), User(L"KT-ARVO2\\Settings"), Machine(L"KT-ARVO2"), Both(L"KT-SELM1")},
            .steps = steps, .registered = {kSelm1},
            .messages = {L"(RegDeleteKey)" + kAccessDenied, L"(RegDeleteKey)" + kFileNotFound},
            .gone = {User(L"KT-ARVO1"), Machine(L"KT-ARVO2")}, .atFirstMessage = request, .ends = ends};
}

const Scenario kScenarios[] = {
    // Startup.
    {.name = "ListsTheUsersEntriesByDisplayNameSortedAndNotTheMachines",
     .seeds = {User(L"KT-SELM4"), User(L"Unknown-Product"), User(L"KT-ARVO2"), User(L"KT-HLD"), User(L"KT-MOXEL1"),
               User(L"KT-ARVO1"), User(L"kt-arvo3"), Machine(L"KT-SELM1")},
     .registered = {kArvo1, kArvo2, L"kt-arvo3", kHalda, L"KT-MOXEL", kSelm4, L"Unknown-Product"}, .on32BitWindows = true},
    // No vendor key under either hive: reported at start, passed over by the
    // deletion. The start's listing is a command like the others: a logoff
    // while its message is up is refused.
    {.name = "AMissingVendorKeyIsReportedOnceAndALogoffMeanwhileIsRefused", .steps = {kDeletion},
     .messages = {L"(RegOpenKeyEx)" + kFileNotFound}, .atFirstMessage = kLogoff},
    // Moves: each button's way, lines arriving unselected, the direction from
    // the button alone. The registry stays as it was. ("<<" moves 33,000
    // lines back below.)
    {.name = "MovesGoTheButtonsWay", .seeds = {User(L"KT-ARVO1"), User(L"KT-HLD"), User(L"KT-SELM2"), User(L"Other")},
     .steps = {{kMoveAll}, {kMoveSelectedBack, {kHalda, L"Other"}, kDeleteList}, {kMoveSelected, {kArvo1}, kDeleteList}},
     .registered = {kHalda, L"Other"}, .toDelete = {kArvo1, kSelm2}},
    // Deletion.
    // "KT-HLD" shows as "KT-HALDA", "KT-MOXEL1" as "KT-MOXEL": equal lines
    // from two keys each, which stay two entries. Deleting by the line's text
    // would delete "KT-MOXEL1" twice and never "KT-MOXEL".
    {.name = "ChosenEntriesGoWholeUnderBothHivesAndTheOthersStay",
     .seeds = {Both(L"KT-ARVO1"), Both(L"KT-SELM1"), Both(L"Kept"), Both(L"KT-한국어판"), Both(k255), Both(L" KT-ARVO1"),
               Both(kOdd), Both(L"KT-HALDA"), Both(L"KT-HLD"), Both(L"KT-MOXEL"), Both(L"KT-MOXEL1")},
     .steps = {{kMoveSelected, {kArvo1, kSelm1, L"KT-한국어판", k255, kOdd, kHalda, L"KT-MOXEL", L"KT-MOXEL"}}, kDeletion},
     .registered = {L" KT-ARVO1", L"Kept", kHalda},
     .gone = {Both(L"KT-ARVO1"), Both(L"KT-SELM1"), Both(L"KT-한국어판"), Both(k255), Both(kOdd), Both(L"KT-HLD"),
              Both(L"KT-MOXEL"), Both(L"KT-MOXEL1")},
     .on32BitWindows = true},
    {.name = "NamesWithNulCharactersDeleteExactlyThemselves",
     .seeds = {Both(L"KT-ARVO1"), Both(L"KT-SELM4"), Both(L"KT-ARVO"), Both(kNul1), Both(kNul2), Both(kNul3), Both(kNul4)},
     .steps = {{kMoveSelected, {L"KT-ARVO1\u2400x", L"KT-SELM4\u2400", L"\u2400KT-ARVO", L"\u2400"}}, kDeletion},
     .registered = {L"KT-ARVO", kArvo1, kSelm4}, .gone = {Both(kNul1), Both(kNul2), Both(kNul3), Both(kNul4)}},
    // Links: an entry that is one goes as the link; a vendor key reached
    // through one is not used.
    {.name = "AnEntryThatIsALinkGoesAsTheLinkAndItsTargetStays",
     .seeds = {Both(L"KT-ARVO1"), Machine(L"KT-SELM1"), {{kUser, Entry(L"KT-SELM1"), kVictimTarget + L"\\KT-SELM1"}},
               {{kMachineAsIs, L"Victim\\KT-SELM1"}}},
     .steps = {{kMoveAll}, kDeletion}, .gone = {Both(L"KT-ARVO1"), Both(L"KT-SELM1")}},
    // The user's vendor key below a link, at start and at the deletion; the
    // machine's vendor key a link, at the deletion.
    {.name = "AVendorKeyReachedThroughALinkIsReportedAndNotUsed",
     .seeds = {{{kUser, L"Norvale", kVictimTarget}}, {{kMachine, L"Norvale\\QZ", kVictimTarget + L"\\QZ"}},
               {{kMachineAsIs, L"Victim\\QZ\\KT-ARVO1"}}},
     .steps = {kDeletion}, .messages = std::vector(3, L"(RegOpenKeyEx)" + kCantResolveFilename)},
    // Once TARVIN has agreed to the end of the session, it starts no command
    // that the end would cut in two; once the session goes on after all, it
    // runs them again.
    {.name = "NoCommandStartsOnceTheEndOfTheSessionIsAgreedUntilItGoesOn", .seeds = {Both(L"KT-ARVO1"), Both(L"KT-SELM1")},
     .steps = {{kMoveSelected, {kArvo1}}, {kSessionQuery}, kDeletion, {kSessionGoesOn}, {kMoveSelected, {kSelm1}}},
     .toDelete = {kArvo1, kSelm1}},
    // The desktop has a shell, run by the same account as TARVIN: its hive.
    {.name = "TheEntriesOfWhoeverRunsTheDesktopsShellAreListedAndDeleted", .seeds = {Both(L"KT-ARVO1"), User(L"KT-SELM1")},
     .steps = {{kMoveSelected, {kArvo1}}, kDeletion}, .registered = {kSelm1}, .gone = {Both(L"KT-ARVO1")}, .shellWindow = true},
    // The administrator check cannot run: the system's text for a damaged
    // DLL names it by an insert, which stays as it is.
    {.name = "AFailedAdministratorCheckIsReportedAndDeletesNothing", .seeds = {Both(L"KT-ARVO1")},
     .steps = {{kMoveSelected, {kArvo1}}, kDeletion}, .toDelete = {kArvo1},
     .messages = {L"(NetLocalGroupGetMembers)" + kBadExeFormat, kRefused}, .brokenNetApi = true},
    // The run goes on to its end; a request to close ends TARVIN then, a
    // logoff is refused until then, a click is dropped.
    DeletionInterruptedBy("ClosingTheWindowDuringADeletionWaitsForItsEnd", kCloseRequest, true),
    DeletionInterruptedBy("TheExitButtonDuringADeletionWaitsForItsEnd", kExitButton, true),
    DeletionInterruptedBy("ALogoffWaitsForTheDeletionsEnd", kLogoff, true, {{kLogoff}}),
    DeletionInterruptedBy("AClickDuringADeletionIsDropped", kMoveAll, false),
};

// The netapi32.dll of 32-bit programs on 64-bit Windows, and where it is kept
// while a scenario has a file that is no DLL in its place.
constexpr wchar_t kNetApi[] = L"C:\\windows\\syswow64\\netapi32.dll", kNetApiKept[] = L"C:\\windows\\syswow64\\netapi32.kept";

// Starts from, and leaves, subtrees without the keys of any scenario.
class EndToEndTest : public testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { tarvin_.reset(); Clear(); }
    static void Clear() {
        MoveFileExW(kNetApiKept, kNetApi, MOVEFILE_REPLACE_EXISTING);
        for (const HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            for (const std::wstring& path : kCompared) ASSERT_TRUE(RemoveTree(hive, path));
        }
    }

    std::optional<TarvinProcess> tarvin_;
};

class ScenarioTest : public EndToEndTest, public testing::WithParamInterface<Scenario> {};

TEST_P(ScenarioTest, HoldsAfterwards) {
    const Scenario& scenario = GetParam();
    if (!On64BitWindows() && !scenario.on32BitWindows) GTEST_SKIP() << "for 64-bit Windows only";
    for (const Key& seed : scenario.seeds) {
        ASSERT_TRUE(CreateKey(seed.Hive(), seed.Path(), seed.target));
        if (On64BitWindows() && seed.root != kMachineAsIs) {  // its decoy in the 64-bit view
            ASSERT_TRUE(CreateKey(HKEY_LOCAL_MACHINE, L"Software\\" + seed.path));
        }
    }
    std::map<HKEY, std::vector<std::wstring>> expected;
    for (const HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) expected[hive] = Snapshot(hive, kCompared);
    for (const Key& key : scenario.gone) {  // the key and its subkeys
        std::erase_if(expected[key.Hive()], [&](const std::wstring& line) { return (line + L"\\").starts_with(key.Path() + L"\\"); });
    }

    if (scenario.brokenNetApi) {
        ASSERT_TRUE(MoveFileW(kNetApi, kNetApiKept));
        ASSERT_TRUE(CopyFileW(L"C:\\windows\\win.ini", kNetApi, TRUE));
    }
    UniqueHandle<HWND, &DestroyWindow> shell;
    if (scenario.shellWindow) {
        shell.reset(CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(SetShellWindow(shell.get()));
    }
    tarvin_.emplace();
    std::vector<std::wstring> messages = tarvin_->RequestAnswering(kStart, scenario.atFirstMessage);
    for (const Step& step : scenario.steps) {
        ASSERT_TRUE(tarvin_->Select(step.list, step.select));
        const auto prompts = tarvin_->RequestAnswering(step.request, messages.empty() ? scenario.atFirstMessage : 0);
        messages.insert(messages.end(), prompts.begin(), prompts.end());
    }

    EXPECT_EQ(messages, scenario.messages);
    if (scenario.ends) {
        EXPECT_EQ(tarvin_->ExitCode(), 0u);
    } else {
        ASSERT_NE(tarvin_->Window(), nullptr) << "TARVIN ended";
        EXPECT_EQ(tarvin_->Lines(kRegisteredList), scenario.registered);
        EXPECT_EQ(tarvin_->Lines(kDeleteList), scenario.toDelete);
        EXPECT_EQ(tarvin_->MessageBoxShown(), nullptr);
        EXPECT_FALSE(tarvin_->BusyPointer());
    }
    for (auto& [hive, keys] : expected) {
        EXPECT_EQ(Snapshot(hive, kCompared), keys) << (hive == HKEY_CURRENT_USER ? "HKCU" : "HKLM");
    }
}

INSTANTIATE_TEST_SUITE_P(, ScenarioTest, testing::ValuesIn(kScenarios), [](auto& info) { return std::string(info.param.name); });

// The DLLs that Wine's own DLLs load into TARVIN by Wine's own rules, which
// nothing TARVIN does can change, and which are therefore not planted: the
// imports of TARVIN's imports and of Wine's user32 and comctl32, loaded before
// TARVIN's first statement, and Wine's display driver with what it and Wine's
// theming load as the first window appears. On Windows, the DLLs that TARVIN
// imports are Known DLLs, which are never taken from a program's folder.
const std::set<std::string> kLoadedByWine = {
    "advapi32.dll", "comctl32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll", "kernelbase.dll", "msvcrt.dll",
    "sechost.dll", "ucrtbase.dll", "user32.dll", "version.dll", "win32u.dll", "zlib1.dll",
    "winex11.drv", "uxtheme.dll", "msimg32.dll", "rpcrt4.dll", "combase.dll", "ole32.dll"};

// Copies of the DLLs that TARVIN loads, planted in the folder it was
// downloaded to, as a browser may leave them there. Their names come from
// Wine's loader trace of a run without them: not one is loaded from that
// folder in a run with them, and TARVIN works as before through start, a
// move, a deletion and exit (by its button). Wine writes the trace to this
// program's standard error, which must be loader-trace.txt beside it
// (cmake/wine_tests.cmake).
TEST_F(EndToEndTest, NoDllPlantedInTheDownloadFolderIsLoaded) {
    const std::wstring downloads = BesideThisProgram(L"Downloads\\");
    CreateDirectoryW(downloads.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(BesideThisProgram(L"TARVIN.exe").c_str(), (downloads + L"TARVIN.exe").c_str(), FALSE));
    // Runs the steps with Wine tracing the DLLs TARVIN loads; returns their
    // paths in small letters, with the backslashes doubled as the trace has them.
    const auto run = [&] {
        for (const HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) EXPECT_TRUE(SeedVendorKey(hive, {L"KT-ARVO1"}));
        std::ifstream trace{std::filesystem::path(BesideThisProgram(L"loader-trace.txt"))};
        trace.seekg(0, std::ios::end);
        wchar_t debug[64] = {};
        GetEnvironmentVariableW(L"WINEDEBUG", debug, 64);
        SetEnvironmentVariableW(L"WINEDEBUG", L"+loaddll");
        tarvin_.emplace(L"Downloads\\TARVIN.exe");
        SetEnvironmentVariableW(L"WINEDEBUG", debug);
        EXPECT_TRUE(tarvin_->Select(kRegisteredList, {kArvo1}));
        for (const int button : {kMoveSelected, kRunDeletionButton, kExitButton}) EXPECT_THAT(tarvin_->RequestAnswering(button), testing::IsEmpty());
        EXPECT_EQ(tarvin_->ExitCode(), 0u);
        trace.clear();
        std::string text(std::istreambuf_iterator<char>(trace), {});
        std::transform(text.begin(), text.end(), text.begin(), ::tolower);
        const std::string before = "loaded l\"";
        std::vector<std::string> paths;
        for (std::size_t at = text.find(before); at != std::string::npos; at = text.find(before, at + 1)) {
            paths.push_back(text.substr(at + before.size(), text.find('"', at + before.size()) - at - before.size()));
        }
        return paths;
    };
    std::set<std::string> planted;
    for (const std::string& path : run()) {
        const std::string name = path.substr(path.rfind('\\') + 1);
        if (kLoadedByWine.count(name) || name == "tarvin.exe" || !planted.insert(name).second) continue;
        const std::wstring wide(name.begin(), name.end());
        ASSERT_TRUE(CopyFileW((L"C:\\windows\\syswow64\\" + wide).c_str(), (downloads + wide).c_str(), FALSE)) << name;
    }
    ASSERT_THAT(planted, testing::Contains("netapi32.dll")) << "no loader trace in loader-trace.txt";
    std::string inDownloads;  // the folder as the trace writes it
    for (const wchar_t c : downloads) inDownloads += c == L'\\' ? "\\\\" : std::string(1, char(::towlower(c)));
    // The second run's trace must show TARVIN.exe loaded from there, and nothing else: a run
    // whose tracing failed shows nothing at all.
    std::vector<std::string> fromDownloads = run();
    std::erase_if(fromDownloads, [&](const std::string& path) { return !path.starts_with(inDownloads); });
    EXPECT_THAT(fromDownloads, testing::ElementsAre(inDownloads + "tarvin.exe"));
}

// More entries than a 16-bit count can hold; a deletion of none first.
TEST_F(EndToEndTest, ThirtyThreeThousandEntriesAreListedMovedBothWaysAndDeleted) {
    constexpr int kEntries = 33000;
    for (const HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) ASSERT_TRUE(SeedVendorKey(hive, NumberedEntries(kEntries)));
    tarvin_.emplace();
    // Each button clicked, and the lines it leaves on both lists.
    for (const auto& [button, registered, toDelete] : {std::tuple(kRunDeletionButton, kEntries, 0), {kMoveAll, 0, kEntries},
                                                        {kMoveAllBack, kEntries, 0}, {kMoveAll, 0, kEntries}, {kRunDeletionButton, 0, 0}}) {
        EXPECT_TRUE(tarvin_->Click(button));
        EXPECT_EQ(std::pair(tarvin_->LineCount(kRegisteredList), tarvin_->LineCount(kDeleteList)), std::pair(registered, toDelete)) << button;
    }
    // The vendor keys alone are left.
    for (const HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        EXPECT_EQ(Snapshot(hive, {VendorKeyPath(hive)}).size(), 1u);
    }
}

}  // namespace
}  // namespace tarvin
