// Times TARVIN.exe against the baseline program and reg.exe on N product
// entries and writes the medians as Markdown tables to standard output.
// Usage: tarvin_bench [RUNS [N...]]; by default 3 runs of 10, 1000, 10000
// and 33000 entries. Progress goes to standard error.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "bench/reg_exe_peer.h"
#include "bench/report.h"
#include "bench/stopwatch.h"
#include "tests/driver/tarvin_process.h"
#include "tests/driver/test_registry.h"

namespace tarvin::bench {
namespace {

using driver::TarvinProcess;

// Wine's own processes answer registry writes for a while after them, and
// slow every registry call meanwhile: the timing starts once they are done.
constexpr DWORD kSettleMs = 2000;

// Both hives hold entries 0 to size - 1; false (and a message) when they could not be made.
bool SeedBothHives(int size) {
    const std::vector<std::wstring> entries = driver::NumberedEntries(size);
    if (!driver::SeedVendorKey(HKEY_CURRENT_USER, entries) ||
        !driver::SeedVendorKey(HKEY_LOCAL_MACHINE, entries)) {
        std::fprintf(stderr, "could not seed %d entries\n", size);
        return false;
    }
    Sleep(kSettleMs);
    return true;
}

bool BothHivesEmpty() {
    // The vendor keys alone are left.
    const auto entriesLeft = [](HKEY hive) {
        return driver::Snapshot(hive, {driver::VendorKeyPath(hive)}).size() - 1;
    };
    return entriesLeft(HKEY_CURRENT_USER) == 0 && entriesLeft(HKEY_LOCAL_MACHINE) == 0;
}

// Milliseconds from just before the program starts until its window shows
// with `lines` lines; negative when that never comes. Both programs show
// their window only once the registered list is filled.
double StartMs(std::optional<TarvinProcess>& session, const wchar_t* program, int lines) {
    const Stopwatch clock;
    session.emplace(program);
    const bool shown = session->Window() != nullptr;
    const double elapsed = clock.ElapsedMs();
    return shown && session->LineCount(kRegisteredList) == lines ? elapsed : -1;
}

// Milliseconds of a click's handler, which must leave registeredLines lines in the
// registered list and deleteLines in the delete list; negative otherwise.
double ClickMs(const TarvinProcess& session, int buttonId, int registeredLines, int deleteLines) {
    const Stopwatch clock;
    const bool handled = session.Click(buttonId);
    const double elapsed = clock.ElapsedMs();
    return handled && session.LineCount(kRegisteredList) == registeredLines && session.LineCount(kDeleteList) == deleteLines
               ? elapsed
               : -1;
}

// One run of a program: start, ">>" then "<<", and the deletion of all lines
// under both hives, which must leave both vendor keys empty.
bool MeasureProgram(const wchar_t* program, int size, Results& results,
                    std::vector<double> Samples::*samples) {
    if (!SeedBothHives(size)) return false;
    std::optional<TarvinProcess> session;
    const double start = StartMs(session, program, size);
    (results[{Measure::Start, size}].*samples).push_back(start);

    const double there = ClickMs(*session, kMoveAll, 0, size);
    const double back = there < 0 ? -1 : ClickMs(*session, kMoveAllBack, size, 0);
    const double move = back < 0 ? -1 : there + back;
    (results[{Measure::Move, size}].*samples).push_back(move);

    double deletion = -1;
    if (ClickMs(*session, kMoveAll, 0, size) >= 0) {
        deletion = ClickMs(*session, kRunDeletionButton, 0, 0);
        if (!BothHivesEmpty()) deletion = -1;
    }
    (results[{Measure::Delete, size}].*samples).push_back(deletion);
    std::fprintf(stderr, "  %ls: start %.1f, move %.1f, delete %.1f\n", program, start, move, deletion);
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
    const wchar_t* const tarvin = L"TARVIN.exe";
    const wchar_t* const baseline = L"tarvin_baseline.exe";
    Results results;
    for (const int size : sizes) {
        for (int run = 1; run <= runs; ++run) {
            std::fprintf(stderr, "N = %d, run %d of %d\n", size, run, runs);
            // Taking turns at going first spreads what the machine does meanwhile,
            // such as Wine writing the registry to disk, over both programs.
            const bool tarvinFirst = run % 2 == 1;
            const wchar_t* const first = tarvinFirst ? tarvin : baseline;
            const wchar_t* const second = tarvinFirst ? baseline : tarvin;
            if (!MeasureProgram(first, size, results, tarvinFirst ? &Samples::tarvin : &Samples::baseline) ||
                !MeasureProgram(second, size, results, tarvinFirst ? &Samples::baseline : &Samples::tarvin) ||
                !MeasurePeer(size, results)) {
                return 1;
            }
        }
    }
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        driver::RemoveTree(root, driver::TarvinSoftware(root) + L"\\Norvale");
    }
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
