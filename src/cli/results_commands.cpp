#include "cli/results_commands.hpp"

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "results/case_lines.hpp"
#include "results/figures.hpp"
#include "results/plot_file.hpp"
#include "results/report_scan.hpp"
#include "results/tables.hpp"

namespace fs = std::filesystem;

namespace mervik::cli {

namespace {

// The report of a plot file: STEM.out beside it.
fs::path reportBeside(const fs::path& plot) { return fs::path(plot).replace_extension(".out"); }

// Figures or tables of the plot file into dir, with the line that tells where they are.
void writeFiguresOf(const results::PlotRecords& records, const fs::path& plot, const fs::path& report,
                    const fs::path& dir) {
    const fs::path index = results::writeFigures(records, results::scanReportFile(report), dir,
                                                 plot.stem().string(), report);
    std::printf("Figures:       %s\n", index.c_str());
}

void writeTablesOf(const results::PlotRecords& records, const fs::path& dir) {
    const std::vector<fs::path> files = results::writeTables(records, dir);
    std::printf("Tables:        %s (%zu CSV files)\n", dir.c_str(), files.size());
}

fs::path besidePlot(const fs::path& plot, const char* suffix) {
    fs::path dir = plot.parent_path();
    if (dir.empty()) dir = ".";
    return dir / (plot.stem().string() + suffix);
}

}  // namespace

bool takeResultsOption(const char* arg, ResultsRequest& request) {
    if (std::strcmp(arg, "--plots") == 0) return request.plots = true;
    if (std::strcmp(arg, "--csv") == 0) return request.csv = true;
    return false;
}

void printCaseLines(const fs::path& report, const fs::path& plot, std::int32_t result) {
    if (result > 0) return;
    try {
        const results::PlotRecords records = results::readPlotFile(plot);
        for (const std::string& line : results::caseResultLines(records, results::scanReportFile(report)))
            std::printf("%s\n", line.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mervik: %s\n", e.what());
    }
}

void writeRunResults(const fs::path& report, const fs::path& plot, std::int32_t result, const ResultsRequest& request) {
    if (result > 0 || (!request.plots && !request.csv)) return;
    try {
        const results::PlotRecords records = results::readPlotFile(plot);
        if (request.plots) writeFiguresOf(records, plot, report, besidePlot(plot, "_figures"));
        if (request.csv) writeTablesOf(records, besidePlot(plot, "_tables"));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mervik: %s\n", e.what());
    }
}

int resultsCommand(int argc, char** argv) {
    const bool figures = std::strcmp(argv[1], "plot") == 0;
    const char* plotFile = nullptr;
    const char* outDir = nullptr;
    for (int k = 2; k < argc; ++k) {
        if (std::strcmp(argv[k], "--out") == 0 && k + 1 < argc && outDir == nullptr) {
            outDir = argv[++k];
        } else if (argv[k][0] != '-' && plotFile == nullptr) {
            plotFile = argv[k];
        } else {
            plotFile = nullptr;
            break;
        }
    }
    if (plotFile == nullptr) {
        std::fprintf(stderr, "usage: mervik %s PLOTFILE [--out DIR]\n", argv[1]);
        return 2;
    }
    const fs::path plot(plotFile);
    const fs::path dir = outDir != nullptr ? fs::path(outDir) : besidePlot(plot, figures ? "_figures" : "_tables");
    try {
        const results::PlotRecords records = results::readPlotFile(plot);
        if (figures) {
            writeFiguresOf(records, plot, reportBeside(plot), dir);
        } else {
            writeTablesOf(records, dir);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mervik: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace mervik::cli
