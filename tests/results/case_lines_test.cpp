// The per-case lines of `mervik run`: their values agree with the output summary of each load
// case in the report of the same run, with the run's unit names, and "MGO returned N" stays last.
#include "results/case_lines.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "results/command.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

using testing::TempDir;

// A value of the report with the tolerance its printed digits allow: half a unit of the last
// decimal shown.
struct Printed {
    double value = 0, tolerance = 0;
};

Printed printedAfter(const std::string& report, std::size_t from, const std::string& label) {
    const std::size_t at = report.find(label, from);
    if (at == std::string::npos) return {std::nan(""), 0};
    const std::size_t eq = report.find('=', at);
    std::size_t begin = report.find_first_not_of(' ', eq + 1);
    std::size_t end = report.find(' ', begin);
    const std::string text = report.substr(begin, end - begin);
    const std::size_t point = text.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    return {std::strtod(text.c_str(), nullptr), 0.5 * std::pow(10.0, -decimals)};
}

struct Expectation {
    const char* input;
    const char* length;
    const char* moment;
    const char* force;
};

class CaseLines : public ::testing::TestWithParam<Expectation> {};

TEST_P(CaseLines, AgreeWithTheReportOfTheSameRun) {
    const Expectation e = GetParam();
    TempDir dir;
    const testing::CommandOutcome run = testing::runMervik(std::string(e.input) + " --out " + dir.path().string());
    const std::vector<std::string> out = testing::lines(run.out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), "MGO returned 0");
    const std::string stem = std::filesystem::path(e.input).stem().string();
    const std::string report = dir.read(stem + ".out");
    const Printed limit = printedAfter(report, 0, "- Maximum number of iterations allowed");

    const std::regex pattern(std::string("Load case (\\d+): head deflection (\\S+) ") + e.length +
                             ", head rotation (\\S+) rad, max moment (\\S+) " + e.moment + " at (\\S+) " + e.length +
                             ", max shear (\\S+) " + e.force + ", iterations (\\d+) of (\\d+)");
    int cases = 0;
    std::size_t endLine = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i].rfind("The analysis ended", 0) == 0 && endLine == 0) endLine = i;
        std::smatch m;
        if (!std::regex_match(out[i], m, pattern)) continue;
        ++cases;
        EXPECT_EQ(endLine, 0u) << "case lines come before the end-of-run line";
        const std::size_t block = report.find("Output Summary for Load Case No. " + m[1].str() + ":");
        ASSERT_NE(block, std::string::npos) << out[i];
        const struct {
            const char* label;
            int group;
        } values[] = {{"Pile-head deflection", 2},        {"Computed slope at pile head", 3},
                      {"Maximum bending moment", 4},      {"Depth of maximum bending moment", 5},
                      {"Maximum shear force", 6},         {"Number of iterations", 7}};
        for (const auto& v : values) {
            const Printed expected = printedAfter(report, block, v.label);
            const double shown = std::strtod(m[v.group].str().c_str(), nullptr);
            // The line itself shows six significant digits.
            EXPECT_NEAR(shown, expected.value, expected.tolerance + 5e-6 * std::fabs(shown)) << v.label << ": " << out[i];
        }
        EXPECT_EQ(std::stoi(m[8].str()), static_cast<int>(limit.value)) << out[i];
    }
    // The report has one output summary per load case.
    int summaries = 0;
    for (std::size_t at = report.find("Output Summary for Load Case No. "); at != std::string::npos;
         at = report.find("Output Summary for Load Case No. ", at + 1))
        ++summaries;
    EXPECT_GT(cases, 0) << run.out;
    EXPECT_EQ(cases, summaries) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, CaseLines,
    ::testing::Values(Expectation{"run " MERVIK_FIXTURES "/results_small.lp6", "in", "in-lb", "lbs"},
                      Expectation{"run " MERVIK_EXAMPLES "/drilled_shaft_sand_si.lp6", "m", "kN-m", "kN"}));

// A run that ends with an error leaves an incomplete plot file: no case lines then.
TEST(CaseLinesAfterAnError, NoneAndTheLastLineStays) {
    TempDir dir;
    const testing::CommandOutcome run =
        testing::runMervik("run " MERVIK_FIXTURES "/excess_deflection.lp6 --out " + dir.path().string(), true);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.find("Load case"), std::string::npos) << run.out;
    EXPECT_EQ(testing::lines(run.out).back(), "MGO returned 209");
}

}  // namespace
}  // namespace mervik
