// What the host takes from the report (.out) because the plot records do not carry it: the
// iteration limit of the run and the iterations each load case used, and the soil layers with
// their depths for marking the figures. A scan of the report's own lines; anything it cannot
// find stays unknown (0 or empty), a report is never required.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mervik::results {

struct ReportLayer {
    int number = 0;
    std::string name;          // "soft clay", "sand", ... as the report names the layer
    double top = 0, bottom = 0;  // depth below the pile head, in computation units
};

struct ReportFacts {
    int maxIterations = 0;         // the iteration limit of the options; 0 unknown
    std::vector<int> iterations;   // iterations used by load case j at index j - 1; 0 unknown
    std::vector<ReportLayer> layers;

    int iterationsOf(int loadCase) const {
        return loadCase >= 1 && loadCase <= static_cast<int>(iterations.size()) ? iterations[loadCase - 1] : 0;
    }
};

ReportFacts scanReport(std::string_view text);
// The facts of the report at path; all unknown when it cannot be read.
ReportFacts scanReportFile(const std::filesystem::path& path);

}  // namespace mervik::results
