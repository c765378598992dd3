// Command-line host of the engine: the dispatch of the subcommands.
//
//   mervik host [DIR]             in DIR (default: the current directory), where NAMES.DAT is,
//                                 call MGO once, as a host application does
//   mervik run INPUT [--out DIR]  analyse INPUT, writing STEM.out, STEM.plt and STEM.msg into
//                                 DIR (default: beside INPUT); one line per load case;
//                                 --plots adds the figures, --csv the tables
//   mervik plot PLOTFILE, mervik table PLOTFILE [--out DIR]
//                                 figures or tables of the plot records of an earlier run
//   mervik batch INPUT... [-j N] [--out DIR] [--csv FILE]
//                                 many runs in parallel threads, a summary CSV of all of them
//   mervik check INPUT            report what the engine would accept but is almost certainly
//                                 not meant, without analysing
//
// host and run print "MGO returned N" as the last line on standard output; their exit status
// is 0 when N <= 0 and 1 when N > 0. Every command exits with 2 for a command line, an input
// or an output that cannot be used.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/batch.hpp"
#include "cli/cli.hpp"
#include "cli/results_commands.hpp"

namespace {

constexpr const char* kUsage =
    "usage: mervik host [DIR]\n"
    "       mervik run INPUT [--out DIR] [--plots] [--csv]\n"
    "       mervik batch INPUT... [-j N] [--out DIR] [--csv FILE]\n"
    "       mervik plot PLOTFILE [--out DIR]\n"
    "       mervik table PLOTFILE [--out DIR]\n"
    "       mervik check INPUT\n"
    "       mervik --help | --version\n";

constexpr const char* kHelp =
    "\n"
    "Lateral analysis of single piles and drilled shafts by the p-y method.\n"
    "\n"
    "  host [DIR]             call MGO once in DIR (default: the current directory), where\n"
    "                         NAMES.DAT names the input and the three output files\n"
    "  run INPUT [--out DIR]  analyse INPUT; write STEM.out (report), STEM.plt (plot records)\n"
    "                         and STEM.msg (run messages) into DIR (default: beside INPUT).\n"
    "                         Findings of the input check are printed first, as notes on\n"
    "                         standard error; on an error its message block follows there\n"
    "  batch INPUT...         analyse every INPUT in N threads (-j N, default: the cores),\n"
    "                         files as run writes them (--out DIR), one summary CSV of all\n"
    "                         runs (--csv FILE, default batch_summary.csv in DIR or here)\n"
    "  check INPUT            read INPUT as the engine does and report, without analysing,\n"
    "                         what it would accept but is almost certainly not meant\n"
    "\n"
    "host and run print \"MGO returned N\" as the last line: exit status 0 when N <= 0\n"
    "(normal end, or warnings only), 1 when N > 0 (an error). check exits with 0 when it\n"
    "finds nothing and 1 otherwise; batch with 1 when any run ended with an error; plot\n"
    "and table exit with 1 when the plot file cannot be read. Exit status 2: the command\n"
    "line, the input file or an output path cannot be used; nothing is written.\n"
    "\n"
    "The input file format is described in docs/input.md.\n";

int usage() {
    std::fputs(kUsage, stderr);
    return mervik::cli::kExitUnusable;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--help") == 0 || std::strcmp(argv[k], "-h") == 0) {
            std::fputs(kUsage, stdout);
            std::fputs(kHelp, stdout);
            return 0;
        }
    }
    const std::string command = argv[1];
    if (command == "--version") {
        std::printf("mervik %s\n", MERVIK_VERSION);
        return 0;
    }
    if (command == "host") {
        if (argc > 3) return usage();
        return mervik::cli::hostCommand(argc == 3 ? argv[2] : nullptr);
    }
    if (command == "run") {
        const char* input = nullptr;
        const char* outDir = nullptr;
        mervik::cli::ResultsRequest results;
        for (int k = 2; k < argc; ++k) {
            if (std::strcmp(argv[k], "--out") == 0 && k + 1 < argc && outDir == nullptr) {
                outDir = argv[++k];
            } else if (mervik::cli::takeResultsOption(argv[k], results)) {
                continue;  // --plots, --csv
            } else if (argv[k][0] != '-' && input == nullptr) {
                input = argv[k];
            } else {
                return usage();
            }
        }
        if (input == nullptr) return usage();
        return mervik::cli::runCommand(input, outDir, results);
    }
    if (command == "check") {
        if (argc != 3) return usage();
        return mervik::cli::checkCommand(argv[2]);
    }
    if (command == "batch") return mervik::cli::batchCommand(argc, argv);
    if (command == "plot" || command == "table") return mervik::cli::resultsCommand(argc, argv);
    return usage();
}
