// mervik batch: parallel runs equal single runs file for file, a malformed input fails alone,
// and the summary table holds every run and load case.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "mervik/mervik.h"
#include "results/command.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// The report without its date line (the only line that depends on when the run was made).
std::string undated(const std::string& report) {
    std::string out;
    for (const std::string& line : testing::lines(report))
        if (line.find("Date:") == std::string::npos) out += line + "\n";
    return out;
}

// 200 inputs: the bundled examples in turn, each copy with a finer or coarser pile (increments
// changed by a few) and its own title line; copy 57 is cut off within its OPTIONS section.
std::vector<fs::path> writeInputs(const TempDir& dir) {
    std::vector<fs::path> examples;
    for (const auto& entry : fs::directory_iterator(MERVIK_EXAMPLES))
        if (entry.path().extension() == ".lp6") examples.push_back(entry.path());
    std::sort(examples.begin(), examples.end());
    const std::regex increments("\nIncrements ([0-9]+)");
    std::vector<fs::path> inputs;
    for (int i = 0; i < 200; ++i) {
        std::string text = testing::readFile(examples[i % examples.size()]);
        std::smatch m;
        EXPECT_TRUE(std::regex_search(text, m, increments)) << examples[i % examples.size()];
        const int n = std::stoi(m[1]) + 2 * (i / static_cast<int>(examples.size())) - 10;
        text = m.prefix().str() + "\nIncrements " + std::to_string(n) + m.suffix().str();
        text.replace(text.find("TITLE\n") + 6, 0, "copy " + std::to_string(i) + ": ");
        if (i == 57) text = text.substr(0, text.find("MaxIterations"));
        const std::string name = "run" + std::to_string(1000 + i) + ".lp6";
        dir.write(name, text);
        inputs.push_back(dir / name);
    }
    return inputs;
}

TEST(BatchCommand, TwoHundredRunsEqualSingleRunsAndAMalformedInputFailsAlone) {
    TempDir dir;
    const std::vector<fs::path> inputs = writeInputs(dir);
    std::string arguments = "batch -j 2 --out " + (dir / "batch").string();
    for (const fs::path& input : inputs) arguments += " " + input.string();
    const auto outcome = testing::runMervik(arguments);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.out.find("Failed (result 190): " + inputs[57].string()), std::string::npos);
    EXPECT_NE(outcome.out.find("batch: 200 runs, 1 failed, 2 threads"), std::string::npos);

    fs::create_directory(dir / "single");
    std::map<std::string, int> resultOf;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::string stem = inputs[i].stem().string();
        const fs::path single = dir / "single" / stem, batch = dir / "batch" / stem;
        const int result = mervik_run_files(inputs[i].c_str(), (single.string() + ".out").c_str(),
                                            (single.string() + ".plt").c_str(), (single.string() + ".msg").c_str());
        resultOf[inputs[i].string()] = result;
        EXPECT_EQ(result > 0, i == 57) << stem;
        EXPECT_EQ(undated(testing::readFile(batch.string() + ".out")), undated(testing::readFile(single.string() + ".out")))
            << stem;
        EXPECT_EQ(testing::readFile(batch.string() + ".plt"), testing::readFile(single.string() + ".plt")) << stem;
        EXPECT_EQ(testing::readFile(batch.string() + ".msg"), testing::readFile(single.string() + ".msg")) << stem;
    }

    // The summary: every run in input order, with the result of its single run; the failed run
    // has one row without case values.
    const auto rows = testing::lines(testing::readFile(dir / "batch" / "batch_summary.csv"));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], "input,result,end_of_run,units,load_case,head_deflection,max_moment,max_moment_depth");
    std::vector<std::string> order;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const std::string input = rows[r].substr(0, rows[r].find(','));
        if (order.empty() || order.back() != input) order.push_back(input);
        const std::string result = rows[r].substr(input.size() + 1, rows[r].find(',', input.size() + 1) - input.size() - 1);
        EXPECT_EQ(std::stoi(result), resultOf[input]) << rows[r];
    }
    ASSERT_EQ(order.size(), inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) EXPECT_EQ(order[i], inputs[i].string());
    const std::string failed = inputs[57].string() + ",190,The analysis ended due to input error No. 90.,,,,,";
    EXPECT_NE(std::find(rows.begin(), rows.end(), failed), rows.end());
}

// A small table: the values of one run against its report, worked from the report's own lines.
TEST(BatchCommand, SummaryRowsCarryTheCaseValuesOfTheRun) {
    TempDir dir;
    const std::string input = std::string(MERVIK_EXAMPLES) + "/pipe_pile_clay_over_sand.lp6";
    const auto outcome = testing::runMervik("batch " + input + " --out " + dir.path().string() + " --csv " +
                                            (dir / "s.csv").string());
    EXPECT_EQ(outcome.status, 0);
    const auto rows = testing::lines(dir.read("s.csv"));
    ASSERT_EQ(rows.size(), 3u);
    // Report: case 1 head deflection 0.46292457 in, maximum moment 1567144 in-lb at 122.4 in
    // (10.2 ft); case 2 (fixed head) 0.10500187 in, -1370674 in-lb at the head.
    const std::string head = input + ",0,The analysis ended normally.,USCS,";
    EXPECT_TRUE(std::regex_match(rows[1], std::regex(".*,USCS,1,0\\.46292457,1567144(\\.[0-9])?,122\\.4"))) << rows[1];
    EXPECT_TRUE(std::regex_match(rows[2], std::regex(".*,USCS,2,0\\.10500187,-1370674(\\.[0-9])?,0"))) << rows[2];
    EXPECT_EQ(rows[1].substr(0, head.size()), head);
}

TEST(BatchCommand, CommandLinesThatCannotBeUsed) {
    TempDir dir;
    dir.write("a.lp6", "MERVIK6\n");
    fs::create_directory(dir / "sub");
    dir.write("sub/a.lp6", "MERVIK6\n");
    const std::string a = (dir / "a.lp6").string();
    for (const std::string& arguments : {std::string("batch"), "batch -j 0 " + a, "batch -j x " + a, "batch --bad " + a,
                                         "batch " + a + " " + (dir / "sub" / "a.lp6").string() + " --out " +
                                             (dir / "out").string()})
        EXPECT_EQ(testing::runMervik(arguments).status, 2) << arguments;
}

}  // namespace
}  // namespace mervik
