// Batch runs. Every analysis builds its own run state, so runs on separate files go in parallel
// threads: each thread takes the next input, runs it and reads its plot file back. A failing or
// malformed input is one failed row of the summary and never stops the others.
//
// Outputs of input DIR/STEM.lp6: STEM.out, STEM.plt, STEM.msg in --out DIR (default: beside the
// input). The summary CSV (--csv FILE, default batch_summary.csv in --out DIR or the current
// directory) has one row per load case of every run: input, result code, end-of-run text, unit
// system, load case, pile-head deflection, maximum moment and its depth (values of the plot
// records, in computation units); a run without load-case results has one row with the case
// fields empty.
#include "cli/batch.hpp"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "cli/cli.hpp"
#include "mervik/mervik.h"
#include "results/case_lines.hpp"
#include "results/numbers.hpp"
#include "results/plot_file.hpp"
#include "results/tables.hpp"

namespace fs = std::filesystem;

namespace mervik::cli {
namespace {

struct BatchCase {
    int number = 0;
    double yTop = 0, maxMoment = 0, maxMomentDepth = 0;
};

struct BatchRun {
    fs::path input, report, plot, messages;
    std::int32_t result = 0;
    std::string endOfRun;
    std::string units;
    std::vector<BatchCase> cases;
};

int usage() {
    std::fprintf(stderr, "usage: mervik batch INPUT... [-j N] [--out DIR] [--csv FILE]\n");
    return kExitUnusable;
}

// The lines of the message file that tell how the run ended, joined by blanks.
std::string endOfRunText(const fs::path& messages) {
    std::string text;
    for (std::string line : endOfRunLines(fileLines(messages))) {
        while (!line.empty() && line.back() == ' ') line.pop_back();
        if (text.find(line) != std::string::npos) continue;
        text += (text.empty() ? "" : " ") + line;
    }
    return text;
}

const char* unitName(results::UnitSystem units) {
    switch (units) {
        case results::UnitSystem::SI: return "SI";
        case results::UnitSystem::General: return "GENERAL";
        default: return "USCS";
    }
}

void analyse(BatchRun& run) {
    run.result = mervik_run_files(run.input.c_str(), run.report.c_str(), run.plot.c_str(), run.messages.c_str());
    run.endOfRun = endOfRunText(run.messages);
    if (run.result > 0) return;  // the plot file of a failed run is incomplete
    try {
        const results::PlotRecords records = results::readPlotFile(run.plot);
        run.units = unitName(records.units());
        for (std::size_t j = 0; j < records.loadCases.size() && j < records.summary.size(); ++j) {
            const results::LoadCaseRecords& lc = records.loadCases[j];
            BatchCase c;
            c.number = lc.number;
            c.yTop = records.summary[j].yTop;
            c.maxMoment = records.summary[j].maxMoment;
            if (!lc.nodes.empty()) c.maxMomentDepth = lc.nodes[results::maxMomentNode(lc)].x;
            run.cases.push_back(c);
        }
    } catch (const results::PlotFileError& e) {
        run.endOfRun += std::string(run.endOfRun.empty() ? "" : " ") + "(plot file unreadable: " + e.what() + ")";
    }
}

bool writeSummary(const fs::path& path, const std::vector<BatchRun>& runs) {
    results::CsvTable table;
    table.header = {"input", "result", "end_of_run", "units", "load_case", "head_deflection", "max_moment",
                    "max_moment_depth"};
    for (const BatchRun& run : runs) {
        const std::vector<std::string> head = {results::csvCell(run.input.string()), std::to_string(run.result),
                                               results::csvCell(run.endOfRun), run.units};
        if (run.cases.empty()) {
            table.rows.push_back(head);
            table.rows.back().resize(head.size() + 4);
        }
        for (const BatchCase& c : run.cases) {
            table.rows.push_back(head);
            for (const std::string& value : {std::to_string(c.number), results::roundTripNumber(c.yTop),
                                             results::roundTripNumber(c.maxMoment),
                                             results::roundTripNumber(c.maxMomentDepth)})
                table.rows.back().push_back(value);
        }
    }
    std::ofstream out(path, std::ios::binary);
    out << results::csvText(table);
    return static_cast<bool>(out);
}

// The progress line on standard error, rewritten in place.
class Progress {
public:
    explicit Progress(std::size_t total) : total_(total), start_(std::chrono::steady_clock::now()) {}

    void runEnded(bool failed) {
        const std::lock_guard<std::mutex> lock(mutex_);
        ++done_;
        if (failed) ++failures_;
        const auto now = std::chrono::steady_clock::now();
        if (done_ == total_ || now - shown_ > std::chrono::milliseconds(100)) {
            shown_ = now;
            std::fprintf(stderr, "\rmervik batch: %zu/%zu done, %zu failed, %.1f s elapsed", done_, total_, failures_,
                         elapsed());
            if (done_ == total_) std::fprintf(stderr, "\n");
            std::fflush(stderr);
        }
    }

    double elapsed() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }
    std::size_t failures() const { return failures_; }

private:
    std::mutex mutex_;
    std::size_t total_, done_ = 0, failures_ = 0;
    std::chrono::steady_clock::time_point start_, shown_{};
};

}  // namespace

int batchCommand(int argc, char** argv) {
    std::vector<fs::path> inputs;
    const char* outDir = nullptr;
    const char* csv = nullptr;
    unsigned threads = std::thread::hardware_concurrency();
    for (int k = 2; k < argc; ++k) {
        if (std::strcmp(argv[k], "-j") == 0 && k + 1 < argc) {
            char* end = nullptr;
            const long n = std::strtol(argv[++k], &end, 10);
            if (*end != '\0' || n < 1 || n > 1024) return usage();
            threads = static_cast<unsigned>(n);
        } else if (std::strcmp(argv[k], "--out") == 0 && k + 1 < argc && outDir == nullptr) {
            outDir = argv[++k];
        } else if (std::strcmp(argv[k], "--csv") == 0 && k + 1 < argc && csv == nullptr) {
            csv = argv[++k];
        } else if (argv[k][0] != '-') {
            inputs.emplace_back(argv[k]);
        } else {
            return usage();
        }
    }
    if (inputs.empty()) return usage();
    if (threads < 1) threads = 1;

    std::error_code ec;
    if (outDir != nullptr) fs::create_directories(outDir, ec);
    std::vector<BatchRun> runs(inputs.size());
    std::set<fs::path> reports;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        BatchRun& run = runs[i];
        run.input = inputs[i];
        fs::path dir = outDir != nullptr ? fs::path(outDir) : inputs[i].parent_path();
        if (dir.empty()) dir = ".";
        const std::string stem = inputs[i].stem().string();
        run.report = dir / (stem + ".out");
        run.plot = dir / (stem + ".plt");
        run.messages = dir / (stem + ".msg");
        if (!reports.insert(fs::weakly_canonical(run.report, ec)).second) {
            return refuse("two inputs would write " + run.report.string() + "; give them different names");
        }
    }

    Progress progress(runs.size());
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < runs.size(); i = next++) {
            analyse(runs[i]);
            progress.runEnded(runs[i].result > 0);
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads && t < runs.size(); ++t) pool.emplace_back(worker);
    for (std::thread& t : pool) t.join();

    const fs::path summary = csv != nullptr ? fs::path(csv) : fs::path(outDir != nullptr ? outDir : ".") / "batch_summary.csv";
    if (!writeSummary(summary, runs)) {
        return refuse("cannot write the summary " + summary.string());
    }
    for (const BatchRun& run : runs)
        if (run.result > 0) std::printf("Failed (result %d): %s: %s\n", static_cast<int>(run.result), run.input.c_str(),
                                        run.endOfRun.c_str());
    std::printf("Summary:       %s\n", summary.c_str());
    std::printf("batch: %zu runs, %zu failed, %u threads, %.2f s\n", runs.size(), progress.failures(), threads,
                progress.elapsed());
    return progress.failures() > 0 ? 1 : 0;
}

}  // namespace mervik::cli
