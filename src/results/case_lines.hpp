// One line per load case for the command line: pile-head deflection and rotation, maximum
// moment and its depth, maximum shear and the iterations used of the limit, with unit names.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "results/numbers.hpp"
#include "results/plot_file.hpp"
#include "results/report_scan.hpp"

namespace mervik::results {

// The index of the node of largest |M| in the case's node rows (the first of equal ones).
std::size_t maxMomentNode(const LoadCaseRecords& loadCase);

std::vector<std::string> caseResultLines(const PlotRecords& records, const ReportFacts& facts);

}  // namespace mervik::results
