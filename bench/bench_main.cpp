// Times TARVIN.exe against the baseline program and reg.exe on N product
// entries and writes the medians as Markdown tables to standard output.
// Usage: tarvin_bench [RUNS [N...]]; by default 3 runs of 10, 1000, 10000
// and 33000 entries. Progress goes to standard error.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "bench/bench_registry.h"
#include "bench/program_session.h"
#include "bench/reg_exe_peer.h"
#include "bench/report.h"

namespace tarvin::bench {
namespace {

std::wstring BesideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program(path, length);
    return program.substr(0, program.find_last_of(L'\\') + 1) + name;
}

// Wine's own processes answer registry writes for a while after them, and
// slow every registry call meanwhile: the timing starts once they are done.
constexpr DWORD kSettleMs = 2000;

// Both hives hold entries 0 to size - 1; false (and a message) when they could not be made.
bool SeedBothHives(int size) {
    if (!SeedEntries(HKEY_CURRENT_USER, size) || !SeedEntries(HKEY_LOCAL_MACHINE, size)) {
        std::fprintf(stderr, "could not seed %d entries\n", size);
        return false;
    }
    Sleep(kSettleMs);
    return true;
}

bool BothHivesEmpty() {
    return CountEntries(HKEY_CURRENT_USER) == 0 && CountEntries(HKEY_LOCAL_MACHINE) == 0;
}

// One run of a program: start, ">>" then "<<", and the deletion of all lines
// under both hives, which must leave both vendor keys empty.
bool MeasureProgram(const std::wstring& path, int size, Results& results,
                    std::vector<double> Samples::*program) {
    if (!SeedBothHives(size)) return false;
    const ProgramSession session(path, size);
    (results[{Measure::Start, size}].*program).push_back(session.StartMs());

    const double there = session.ClickMs(kMoveAll, 0, size);
    const double back = there < 0 ? -1 : session.ClickMs(kMoveAllBack, size, 0);
    const double move = back < 0 ? -1 : there + back;
    (results[{Measure::Move, size}].*program).push_back(move);

    double deletion = -1;
    if (session.ClickMs(kMoveAll, 0, size) >= 0) {
        deletion = session.ClickMs(kCommand3, 0, 0);
        if (!BothHivesEmpty()) deletion = -1;
    }
    (results[{Measure::Delete, size}].*program).push_back(deletion);
    std::fprintf(stderr, "  %ls: start %.1f, move %.1f, delete %.1f\n",
                 path.substr(path.find_last_of(L'\\') + 1).c_str(), session.StartMs(), move, deletion);
    return true;
}

bool MeasurePeer(int size, Results& results) {
    if (!SeedBothHives(size)) return false;
    results[{Measure::Start, size}].peer.push_back(TimeRegQuery());
    double deletion = TimeRegImportDeletion(size);
    if (!BothHivesEmpty()) deletion = -1;
    results[{Measure::Delete, size}].peer.push_back(deletion);
    std::fprintf(stderr, "  reg.exe: start %.1f, delete %.1f\n",
                 results[{Measure::Start, size}].peer.back(), deletion);
    return true;
}

int Run(int runs, const std::vector<int>& sizes) {
    const std::wstring tarvin = BesideThisProgram(L"TARVIN.exe");
    const std::wstring baseline = BesideThisProgram(L"tarvin_baseline.exe");
    Results results;
    for (const int size : sizes) {
        for (int run = 1; run <= runs; ++run) {
            std::fprintf(stderr, "N = %d, run %d of %d\n", size, run, runs);
            // Taking turns at going first spreads what the machine does meanwhile,
            // such as Wine writing the registry to disk, over both programs.
            const bool tarvinFirst = run % 2 == 1;
            const std::wstring& first = tarvinFirst ? tarvin : baseline;
            const std::wstring& second = tarvinFirst ? baseline : tarvin;
            if (!MeasureProgram(first, size, results, tarvinFirst ? &Samples::tarvin : &Samples::baseline) ||
                !MeasureProgram(second, size, results, tarvinFirst ? &Samples::baseline : &Samples::tarvin) ||
                !MeasurePeer(size, results)) {
                return 1;
            }
        }
    }
    RemoveVendorKey(HKEY_CURRENT_USER);
    RemoveVendorKey(HKEY_LOCAL_MACHINE);
    WriteReport(results, sizes, stdout);
    return 0;
}

}  // namespace
}  // namespace tarvin::bench

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 3;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(static_cast<int>(std::wcstol(argv[i], nullptr, 10)));
    if (sizes.empty()) sizes = {10, 1000, 10000, 33000};
    if (runs < 1) {
        std::fprintf(stderr, "usage: tarvin_bench [RUNS [N...]]\n");
        return 2;
    }
    return tarvin::bench::Run(runs, sizes);
}
