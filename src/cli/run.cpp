// The commands that analyse: host (MGO in a directory) and run (one input file), with the
// refusals that keep an input from being overwritten and the error text on standard error.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli.hpp"
#include "mervik/mervik.h"

namespace fs = std::filesystem;

namespace mervik::cli {

namespace {

void printEndOfRunLines(const std::vector<std::string>& messages) {
    for (const std::string& line : endOfRunLines(messages)) std::printf("%s\n", line.c_str());
}

// On an error, its text on standard error: the block of the message file, or, for the errors
// whose text only the report holds, the block of the report followed by the end-of-run line.
void printErrorText(const std::vector<std::string>& messages, const fs::path& report) {
    std::vector<std::string> block = errorBlock(messages);
    if (block.empty()) {
        block = errorBlock(fileLines(report));
        for (const std::string& line : endOfRunLines(messages))
            if (block.empty() || block.back() != line) block.push_back(line);
    }
    for (const std::string& line : block) std::fprintf(stderr, "%s\n", line.c_str());
}

// True when the path names the input file itself (through any link or relative form).
bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec) && !ec;
}

}  // namespace

int finish(std::int32_t result) {
    std::printf("MGO returned %d\n", static_cast<int>(result));
    return result > 0 ? 1 : 0;
}

int refuse(const std::string& text) {
    std::fprintf(stderr, "mervik: %s\n", text.c_str());
    return kExitUnusable;
}

int hostCommand(const char* dir) {
    if (dir != nullptr && chdir(dir) != 0)
        return refuse(std::string("cannot enter directory ") + dir + ": " + std::strerror(errno));
    return finish(MGO(0));
}

int runCommand(const fs::path& input, const char* outDir, const ResultsRequest& results) {
    std::string text, why;
    if (!readInputFile(input, text, why)) return refuse(why);
    const std::string stem = input.stem().string();
    if (stem.empty()) return refuse("the input path " + input.string() + " has no file name to name the outputs after");

    fs::path dir = outDir != nullptr ? fs::path(outDir) : input.parent_path();
    if (dir.empty()) dir = ".";
    const fs::path report = dir / (stem + ".out");
    const fs::path plot = dir / (stem + ".plt");
    const fs::path messages = dir / (stem + ".msg");
    for (const fs::path& output : {report, plot, messages}) {
        if (sameFile(output, input))
            return refuse("the output " + output.string() + " would overwrite the input file; give the input " +
                          "another extension (for example " + stem + ".lp6) or write the outputs elsewhere with --out DIR");
    }
    std::error_code ec;
    if (outDir != nullptr && !fs::is_directory(dir, ec)) {
        fs::create_directories(dir, ec);
        if (ec) return refuse("cannot create the output directory " + dir.string() + ": " + ec.message());
    }

    printFindings(stderr, input, inspectInput(text), "note: ");
    const std::int32_t result = mervik_run_files(input.c_str(), report.c_str(), plot.c_str(), messages.c_str());
    const std::vector<std::string> messageLines = fileLines(messages);
    printCaseLines(report, plot, result);
    if (result > 0) printErrorText(messageLines, report);
    printEndOfRunLines(messageLines);
    std::printf("Report:        %s\n", report.c_str());
    std::printf("Plot records:  %s\n", plot.c_str());
    std::printf("Run messages:  %s\n", messages.c_str());
    writeRunResults(report, plot, result, results);
    return finish(result);
}

}  // namespace mervik::cli
