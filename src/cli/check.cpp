// The input check: the engine's reader on the input text, and the findings on what it read,
// without analysing. `mervik check` prints them on standard output; `mervik run` prints them as
// notes before it analyses.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>

#include "cli/cli.hpp"
#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "engine/run_sequence.hpp"
#include "engine/units.hpp"
#include "report/echo.hpp"

namespace fs = std::filesystem;

namespace mervik::cli {

namespace {

// The text of the engine error written into the report from `from` on: the error block (or,
// without a heading, every line), without blank lines and indentation.
std::string errorText(const Run& run, std::size_t from) {
    const std::string& report = run.report.memory();
    const std::vector<std::string> all = textLines(report.substr(std::min(from, report.size())));
    std::vector<std::string> block = errorBlock(all);
    if (block.empty()) block = all;
    std::string text;
    for (const std::string& line : block) {
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos) continue;
        text += (text.empty() ? "" : "\n") + line.substr(first, line.find_last_not_of(' ') - first + 1);
    }
    return text;
}

std::string errorName(int errorNumber) {
    if (errorNumber > 200) return "runtime error " + std::to_string(errorNumber - 200);
    if (errorNumber > 100) return "input error " + std::to_string(errorNumber - 100);
    return "error " + std::to_string(errorNumber);
}

constexpr std::string_view kEngineEnds = "The engine ends the run with ";

// A finding for the error that ended the engine's reading or echo, with the engine's text.
InputFinding engineError(const Run& run, std::size_t reportFrom, std::string_view stage) {
    InputFinding f;
    f.error = run.errorNumber % 100;
    f.section = run.input.section.empty() ? std::string(stage) : run.input.section;
    f.line = run.input.lineNumber;
    f.problem = std::string(kEngineEnds) + errorName(run.errorNumber) + " " + std::string(stage) + ":";
    f.detail = errorText(run, reportFrom);
    return f;
}

}  // namespace

bool readInputFile(const fs::path& input, std::string& text, std::string& why) {
    std::error_code ec;
    if (!fs::is_regular_file(input, ec)) {
        why = "the input " + input.string() +
              (fs::exists(input, ec) ? " is not a regular file" : " does not exist");
        return false;
    }
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        why = "the input file " + input.string() + " cannot be opened";
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        why = "the input file " + input.string() + " cannot be read";
        return false;
    }
    return true;
}

InputFindings inspectInput(const std::string& text) {
    InputFindings findings;
    int tagLine = 0;
    std::size_t tagEnd = 0;
    findFileTagProblems(text, findings, tagLine, tagEnd);
    if (tagLine == 0) return findings;

    // The run is large: it is built on the heap, its channels in memory.
    auto run = std::make_unique<Run>();
    resetRun(*run);
    run->report.openMemory();
    run->plot.openMemory();
    run->messages.openMemory();
    // The reader starts after the tag line, wherever the tag stands, so that the rest of the
    // file is checked even when the tag is misplaced.
    run->input.content = text;
    run->input.cursor = tagEnd;
    run->input.lineNumber = tagLine;
    readInputData(*run);
    if (run->failed()) {
        findOptionLabelProblems(*run, findings);
        findings.push_back(engineError(*run, 0, "while reading the input"));
        return findings;
    }
    InputFindings model;
    findImpossibleInput(*run, model);
    findUnlikelyInput(*run, model);
    std::stable_sort(model.begin(), model.end(), [](const InputFinding& a, const InputFinding& b) { return a.line < b.line; });
    findings.insert(findings.end(), model.begin(), model.end());

    // The echo's checks of the model as a whole (pile property points, soil profile against the
    // pile tip, cycles of loading, ...): an error it raises that no finding above names.
    run->units = makeUnitLabels(run->model.options.IUNITS);
    const std::size_t reportFrom = run->report.memory().size();
    echoInput(*run);
    if (run->failed()) {
        const int n = run->errorNumber % 100;
        const bool named = std::any_of(findings.begin(), findings.end(), [n](const InputFinding& f) { return f.error == n; });
        if (!named) {
            run->input.section.clear();
            InputFinding f = engineError(*run, reportFrom, "when the input is echoed");
            f.section = "input";
            f.line = 0;
            findings.push_back(std::move(f));
        }
    }
    return findings;
}

void printFindings(std::FILE* stream, const fs::path& input, const InputFindings& findings, const char* prefix) {
    for (const InputFinding& f : findings) {
        std::fprintf(stream, "%s:", input.c_str());
        if (f.line > 0) std::fprintf(stream, "%d:", f.line);
        std::fprintf(stream, " %s%s\n", prefix, f.problem.c_str());
        std::string detail = f.detail;
        // The errors of the reader and of the echo say so and carry the engine's own text.
        const bool stated = f.problem.rfind(kEngineEnds, 0) == 0;
        if (!stated && f.error > 0)
            detail += (detail.empty() ? "" : " ") + std::string(kEngineEnds) + "input error " +
                      std::to_string(f.error) + ".";
        std::size_t start = 0;
        while (start < detail.size()) {
            std::size_t stop = detail.find('\n', start);
            if (stop == std::string::npos) stop = detail.size();
            std::fprintf(stream, "    %s\n", detail.substr(start, stop - start).c_str());
            start = stop + 1;
        }
    }
}

int checkCommand(const fs::path& input) {
    std::string text, why;
    if (!readInputFile(input, text, why)) return refuse(why);
    const InputFindings findings = inspectInput(text);
    printFindings(stdout, input, findings, "");
    if (findings.empty()) {
        std::printf("%s: no findings\n", input.c_str());
        return 0;
    }
    std::printf("%s: %zu finding%s\n", input.c_str(), findings.size(), findings.size() == 1 ? "" : "s");
    return 1;
}

}  // namespace mervik::cli
