#include "bench/report.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tarvin::bench {

namespace {

constexpr double kBaselineTarget = 1.25;
constexpr int kGrowthFrom = 10000;
constexpr int kGrowthTo = 33000;
constexpr int kPeerTargetFrom = 1000;

const char* Name(Measure measure) {
    switch (measure) {
    case Measure::Start:
        return "start";
    case Measure::Move:
        return "move (>> then <<)";
    case Measure::Delete:
        return "delete (both hives)";
    }
    return "";
}

// The median of the runs; NaN when there are none or one failed.
double Median(std::vector<double> runs) {
    if (runs.empty() || *std::min_element(runs.begin(), runs.end()) < 0) return NAN;
    std::sort(runs.begin(), runs.end());
    const size_t middle = runs.size() / 2;
    return runs.size() % 2 ? runs[middle] : (runs[middle - 1] + runs[middle]) / 2;
}

std::string Figure(double value, const char* format) {
    if (std::isnan(value)) return "n/a";
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Milliseconds(double value) { return Figure(value, "%.1f"); }
std::string Ratio(double value) { return Figure(value, "%.2f"); }

// How much a figure may grow from kGrowthFrom to kGrowthTo lines: N log N.
double GrowthLimit() {
    return (kGrowthTo * std::log(double(kGrowthTo))) / (kGrowthFrom * std::log(double(kGrowthFrom)));
}

struct Verdicts {
    std::vector<std::string> baselineMisses;
    std::vector<std::string> peerMisses;
    std::vector<std::string> growthMisses;
    bool growthMeasured = false;
};

std::string Where(Measure measure, int size) {
    return std::string(Name(measure)) + " at " + std::to_string(size);
}

std::string Verdict(const std::vector<std::string>& misses) {
    if (misses.empty()) return "met";
    std::string text = "NOT met:";
    for (const std::string& miss : misses) text += " " + miss + ";";
    return text;
}

}  // namespace

void WriteReport(const Results& results, const std::vector<int>& sizes, std::FILE* out) {
    const Measure measures[] = {Measure::Start, Measure::Move, Measure::Delete};
    Verdicts verdicts;

    std::fprintf(out, "| Measure | N | TARVIN ms | baseline ms | TARVIN / baseline | reg.exe ms | TARVIN / reg.exe |\n");
    std::fprintf(out, "|---|---:|---:|---:|---:|---:|---:|\n");
    for (const Measure measure : measures) {
        for (const int size : sizes) {
            const auto found = results.find({measure, size});
            if (found == results.end()) continue;
            const double tarvin = Median(found->second.tarvin);
            const double baseline = Median(found->second.baseline);
            const double peer = Median(found->second.peer);
            const bool hasPeer = !found->second.peer.empty();
            // A failed run misses every target it takes part in.
            if (!(tarvin <= kBaselineTarget * baseline)) verdicts.baselineMisses.push_back(Where(measure, size));
            if (measure == Measure::Delete && size >= kPeerTargetFrom && !(tarvin < peer)) {
                verdicts.peerMisses.push_back(Where(measure, size));
            }
            std::fprintf(out, "| %s | %d | %s | %s | %s | %s | %s |\n", Name(measure), size,
                         Milliseconds(tarvin).c_str(), Milliseconds(baseline).c_str(),
                         Ratio(tarvin / baseline).c_str(), hasPeer ? Milliseconds(peer).c_str() : "",
                         hasPeer ? Ratio(tarvin / peer).c_str() : "");
        }
    }

    std::fprintf(out, "\nGrowth from %d to %d lines (N log N allows %.2f):\n\n", kGrowthFrom,
                 kGrowthTo, GrowthLimit());
    std::fprintf(out, "| Measure | TARVIN | baseline | reg.exe |\n|---|---:|---:|---:|\n");
    for (const Measure measure : measures) {
        const auto from = results.find({measure, kGrowthFrom});
        const auto to = results.find({measure, kGrowthTo});
        if (from == results.end() || to == results.end()) continue;
        verdicts.growthMeasured = true;
        const double tarvin = Median(to->second.tarvin) / Median(from->second.tarvin);
        if (!(tarvin <= GrowthLimit())) verdicts.growthMisses.push_back(Name(measure));
        const bool hasPeer = !from->second.peer.empty();
        std::fprintf(out, "| %s | %s | %s | %s |\n", Name(measure), Ratio(tarvin).c_str(),
                     Ratio(Median(to->second.baseline) / Median(from->second.baseline)).c_str(),
                     hasPeer ? Ratio(Median(to->second.peer) / Median(from->second.peer)).c_str() : "");
    }

    std::fprintf(out, "\nTargets:\n\n");
    std::fprintf(out, "- TARVIN within %.2f x the baseline at every N: %s\n", kBaselineTarget,
                 Verdict(verdicts.baselineMisses).c_str());
    std::fprintf(out, "- TARVIN faster than reg.exe for delete at N >= %d: %s\n", kPeerTargetFrom,
                 Verdict(verdicts.peerMisses).c_str());
    std::fprintf(out, "- no TARVIN figure grows faster than N log N from %d to %d: %s\n",
                 kGrowthFrom, kGrowthTo,
                 verdicts.growthMeasured ? Verdict(verdicts.growthMisses).c_str() : "not measured");
}

}  // namespace tarvin::bench
