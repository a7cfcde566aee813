#pragma once

#include <cstdio>
#include <map>
#include <utility>
#include <vector>

namespace tarvin::bench {

enum class Measure { Start, Move, Delete };

// The milliseconds of every run of one measure at one size; a failed run
// counts as negative.
struct Samples {
    std::vector<double> tarvin;
    std::vector<double> baseline;
    std::vector<double> peer;  // empty where reg.exe has nothing to compare
};

using Results = std::map<std::pair<Measure, int>, Samples>;

// Writes the medians, their ratios, the growth from 10,000 to 33,000 lines
// and whether each target is met, as Markdown tables.
void WriteReport(const Results& results, const std::vector<int>& sizes, std::FILE* out);

}  // namespace tarvin::bench
