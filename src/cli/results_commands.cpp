#include "cli/results_commands.hpp"

#include <cstdio>
#include <cstring>
#include <string>

#include "results/case_lines.hpp"
#include "results/plot_file.hpp"
#include "results/report_scan.hpp"

namespace fs = std::filesystem;

namespace mervik::cli {

bool takeResultsOption(const char* arg, ResultsRequest& request) {
    if (std::strcmp(arg, "--plots") == 0) return request.plots = true;
    if (std::strcmp(arg, "--csv") == 0) return request.csv = true;
    return false;
}

void printRunResults(const fs::path& report, const fs::path& plot, std::int32_t result, const ResultsRequest& request) {
    (void)request;
    if (result > 0) return;
    try {
        const results::PlotRecords records = results::readPlotFile(plot);
        for (const std::string& line : results::caseResultLines(records, results::scanReportFile(report)))
            std::printf("%s\n", line.c_str());
    } catch (const results::PlotFileError& e) {
        std::fprintf(stderr, "mervik: %s\n", e.what());
    }
}

int resultsCommand(int argc, char** argv) {
    (void)argc;
    (void)argv;
    return 2;
}

}  // namespace mervik::cli
