// The commands and options of the command line that show results built from the plot records:
// the per-case lines after a run, figures (plot, run --plots) and tables (table, run --csv).
#pragma once
#include <cstdint>
#include <filesystem>

namespace mervik::cli {

struct ResultsRequest {
    bool plots = false;  // --plots: SVG figures and index.html
    bool csv = false;    // --csv: CSV tables
};

// True when arg is one of the results options of `run`, recorded in request.
bool takeResultsOption(const char* arg, ResultsRequest& request);

// After a run: one line per load case on standard output. Nothing for a run that ended with an
// error (result > 0): its plot file is incomplete. A plot file that cannot be read is said on
// standard error.
void printCaseLines(const std::filesystem::path& report, const std::filesystem::path& plot, std::int32_t result);

// After a run: the figures (STEM_figures/) and tables (STEM_tables/) beside the plot file that
// the request asks for, each with a line that tells where they are.
void writeRunResults(const std::filesystem::path& report, const std::filesystem::path& plot, std::int32_t result,
                     const ResultsRequest& request);

// mervik plot PLOTFILE [--out DIR] and mervik table PLOTFILE [--out DIR]; argv[1] is the
// command. Exit status 0, 1 for a plot file that cannot be read, 2 for a bad command line.
int resultsCommand(int argc, char** argv);

}  // namespace mervik::cli
