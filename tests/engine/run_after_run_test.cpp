// A run after a run of a very different input: one run object analyses the first input and then
// the second, and the files of the second equal those of the second input analysed alone by the
// command-line host in a child process. And a process that has run a thousand analyses on
// several threads holds no more memory than after its first hundred.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/run.hpp"
#include "engine/run_sequence.hpp"
#include "mervik/mervik.h"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

namespace fs = std::filesystem;
using mervik::testing::TempDir;
using mervik::testing::readFile;

// The three files of a run; the report without its date line, the one line that depends on the
// time of the run.
struct RunFilesText {
    std::string report, plot, messages;
    bool operator==(const RunFilesText&) const = default;
};

RunFilesText readRunFiles(const TempDir& dir, const std::string& stem) {
    std::string report;
    for (const std::string& line : mervik::testing::lines(readFile(dir / (stem + ".out"))))
        if (line.find("Date:  ") == std::string::npos) report += line + "\n";
    return {report, readFile(dir / (stem + ".plt")), readFile(dir / (stem + ".msg"))};
}

std::int32_t runStem(mervik::Run& run, const TempDir& dir, const std::string& stem) {
    const auto path = [&](const char* ext) { return (dir / (stem + ext)).string(); };
    return runWithFiles(run, {path(".lp6"), path(".out"), path(".plt"), path(".msg")}, dir.path());
}

std::string exampleText(const std::string& name) { return readFile(fs::path(MERVIK_EXAMPLES) / name); }

struct Sequence {
    const char* label;
    std::string first, second;  // input texts
};

TEST(RunAfterRun, SecondRunWritesWhatTheSecondInputWritesInAFreshProcess) {
    const Sequence sequences[] = {
        // 20 sections of mixed nonlinear types with 100 thrusts each fill every relation table;
        // then a lateral analysis of one section reads the tables of section 1 only.
        {"capacity limit, then one section", mervik::testing::fixture("capacity_limit_sections.lp6"),
         exampleText("pipe_pile_clay_over_sand.lp6")},
        {"LRFD, then plain loading", exampleText("drilled_shaft_lrfd.lp6"), exampleText("drilled_shaft_sand_si.lp6")},
        {"40 layers, then one", mervik::testing::fixture("many_layers.lp6"), exampleText("pipe_pile_soft_clay.lp6")},
    };
    for (const Sequence& s : sequences) {
        SCOPED_TRACE(s.label);
        TempDir dir;
        dir.write("first.lp6", s.first);
        dir.write("second.lp6", s.second);
        auto run = std::make_unique<mervik::Run>();
        ASSERT_LE(runStem(*run, dir, "first"), 0);
        const std::int32_t result = runStem(*run, dir, "second");
        const RunFilesText afterFirst = readRunFiles(dir, "second");
        for (const char* ext : {".out", ".plt", ".msg"}) fs::remove(dir / (std::string("second") + ext));

        const std::string command = std::string("\"") + MERVIK_CLI + "\" run \"" + (dir / "second.lp6").string() +
                                    "\" > \"" + (dir / "cli.txt").string() + "\"";
        const int status = std::system(command.c_str());
        ASSERT_NE(status, -1);
        EXPECT_NE(readFile(dir / "cli.txt").find("MGO returned " + std::to_string(result) + "\n"), std::string::npos);
        const RunFilesText alone = readRunFiles(dir, "second");
        ASSERT_FALSE(alone.plot.empty());
        EXPECT_EQ(afterFirst.report, alone.report);
        EXPECT_EQ(afterFirst.plot, alone.plot);
        EXPECT_EQ(afterFirst.messages, alone.messages);
    }
}

// Resident size of the process in kB, from /proc/self/status.
long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

// Four threads run 1000 analyses through the entry point, each with the run object it builds;
// the resident size after the last hundred stays within a generous margin of that after the
// first hundred. A run object lost per run, or storage kept from run to run, would grow it by
// hundreds of megabytes.
TEST(RunAfterRun, MemoryOfAThousandRunsOnFourThreadsStaysBounded) {
    constexpr int kThreads = 4;
    constexpr int kRunsPerThread = 250;
    constexpr int kRunsPerRound = 25;  // 100 runs per round over the four threads
    const std::string inputs[2] = {exampleText("pipe_pile_soft_clay.lp6"), exampleText("drilled_shaft_sand_si.lp6")};
    TempDir dirs[kThreads];
    for (int t = 0; t < kThreads; ++t) {
        dirs[t].write("a.lp6", inputs[t % 2]);
        dirs[t].write("b.lp6", inputs[(t + 1) % 2]);
    }
    const auto round = [&](int runs) {
        std::vector<std::thread> threads;
        std::vector<int> failures(kThreads, 0);
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                for (int r = 0; r < runs; ++r) {
                    const std::string stem = r % 2 == 0 ? "a" : "b";
                    const auto path = [&](const char* ext) { return (dirs[t] / (stem + ext)).string(); };
                    if (mervik_run_files(path(".lp6").c_str(), path(".out").c_str(), path(".plt").c_str(),
                                         path(".msg").c_str()) > 0)
                        ++failures[static_cast<std::size_t>(t)];
                }
            });
        }
        for (std::thread& thread : threads) thread.join();
        for (int f : failures) EXPECT_EQ(f, 0);
    };
    round(kRunsPerRound);
    const long first = residentKilobytes();
    ASSERT_GT(first, 0);
    for (int done = kRunsPerRound; done < kRunsPerThread - kRunsPerRound; done += kRunsPerRound) round(kRunsPerRound);
    round(kRunsPerRound);
    const long last = residentKilobytes();
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer holds freed blocks back in a quarantine of 256 MB before reusing them.
    constexpr long kMarginKb = (256 + 64) * 1024;
#else
    constexpr long kMarginKb = 64 * 1024;
#endif
    EXPECT_LE(last, first + kMarginKb) << "after the first hundred runs " << first << " kB, after 1000 " << last << " kB";
}

}  // namespace
}  // namespace mervik
