// Command-line host of the engine.
//
//   mervik host [DIR]             in DIR (default: the current directory), where NAMES.DAT is,
//                                 call MGO once, as a host application does
//   mervik run INPUT [--out DIR]  analyse INPUT, writing STEM.out, STEM.plt and STEM.msg into
//                                 DIR (default: beside INPUT); one line per load case;
//                                 --plots adds the figures, --csv the tables
//   mervik batch INPUT... [-j N] [--out DIR] [--csv FILE]
//                                 many runs in parallel threads, a summary CSV of all of them
//   mervik plot PLOTFILE, mervik table PLOTFILE [--out DIR]
//                                 figures or tables of the plot records of an earlier run
//
// The last line on standard output is "MGO returned N"; the exit status is 0 when N <= 0 and 1
// when N > 0 (2 for a command line that cannot be used).
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "cli/batch.hpp"
#include "cli/results_commands.hpp"
#include "mervik/mervik.h"

namespace fs = std::filesystem;

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: mervik host [DIR]\n"
                 "       mervik run INPUT [--out DIR] [--plots] [--csv]\n"
                 "       mervik batch INPUT... [-j N] [--out DIR] [--csv FILE]\n"
                 "       mervik plot PLOTFILE [--out DIR]\n"
                 "       mervik table PLOTFILE [--out DIR]\n");
    return 2;
}

int finish(int32_t result) {
    std::printf("MGO returned %d\n", static_cast<int>(result));
    return result > 0 ? 1 : 0;
}

int host(const char* dir) {
    if (dir != nullptr && chdir(dir) != 0) {
        std::fprintf(stderr, "mervik: cannot enter directory %s: %s\n", dir, std::strerror(errno));
        return 2;
    }
    return finish(MGO(0));
}

// The lines of the message file that tell how the run ended.
void printEndOfRunLines(const fs::path& messages) {
    std::ifstream in(messages);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("The analysis ended", 0) == 0) std::printf("%s\n", line.c_str());
}

int run(const char* input, const char* outDir, const mervik::cli::ResultsRequest& results) {
    const fs::path inputPath(input);
    fs::path dir = outDir != nullptr ? fs::path(outDir) : inputPath.parent_path();
    if (dir.empty()) dir = ".";
    std::error_code ec;
    if (outDir != nullptr) fs::create_directories(dir, ec);
    const std::string stem = inputPath.stem().string();
    const fs::path report = dir / (stem + ".out");
    const fs::path plot = dir / (stem + ".plt");
    const fs::path messages = dir / (stem + ".msg");
    const int32_t result =
        mervik_run_files(inputPath.c_str(), report.c_str(), plot.c_str(), messages.c_str());
    mervik::cli::printRunResults(report, plot, result, results);
    printEndOfRunLines(messages);
    std::printf("Report:        %s\n", report.c_str());
    std::printf("Plot records:  %s\n", plot.c_str());
    std::printf("Run messages:  %s\n", messages.c_str());
    return finish(result);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    if (command == "host") {
        if (argc > 3) return usage();
        return host(argc == 3 ? argv[2] : nullptr);
    }
    if (command == "run") {
        const char* input = nullptr;
        const char* outDir = nullptr;
        mervik::cli::ResultsRequest results;
        for (int k = 2; k < argc; ++k) {
            if (std::strcmp(argv[k], "--out") == 0 && k + 1 < argc && outDir == nullptr) {
                outDir = argv[++k];
            } else if (mervik::cli::takeResultsOption(argv[k], results)) {
            } else if (argv[k][0] != '-' && input == nullptr) {
                input = argv[k];
            } else {
                return usage();
            }
        }
        if (input == nullptr) return usage();
        return run(input, outDir, results);
    }
    if (command == "batch") return mervik::cli::batchCommand(argc, argv);
    if (command == "plot" || command == "table") return mervik::cli::resultsCommand(argc, argv);
    return usage();
}
