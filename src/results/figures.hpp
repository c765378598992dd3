// Figures of the plot records as SVG files, and an index.html that shows them all:
// per load case deflection, moment, shear, soil reaction and soil modulus against depth; all
// load cases overlaid; the p-y curves at the printed depths; per section the moment-curvature
// relations and the bending stiffness against moment with the nominal moment capacity; the
// pile-head deflection against pile length.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "results/plot_file.hpp"
#include "results/report_scan.hpp"

namespace mervik::results {

struct Figure {
    std::string file;     // file name, e.g. "case_1.svg"
    std::string heading;  // section heading of index.html
    std::string caption;
    std::string svg;
};

std::vector<Figure> buildFigures(const PlotRecords& records, const ReportFacts& facts);

// Writes the figures and index.html into dir (created when missing); `name` titles the page,
// `report` (may be empty or missing) is linked from it. Returns the path of index.html; throws
// std::runtime_error when a file cannot be written.
std::filesystem::path writeFigures(const PlotRecords& records, const ReportFacts& facts, const std::filesystem::path& dir,
                                   const std::string& name, const std::filesystem::path& report);

}  // namespace mervik::results
