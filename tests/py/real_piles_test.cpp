// Real piles in real soils from end to end: a steel pipe in soft clay, a drilled shaft in sand
// (SI units), a pipe in clay over sand with a free and a fixed head and a pipe in stiff clay
// below free water. Each converged case must be in lateral equilibrium: the soil reaction over
// the pile balances the pile-head shear (no tip shear, no distributed load); and the summary
// records repeat the case results.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/run.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

// ∫ Es·y dx over the pile by the trapezoidal rule.
double soilReaction(const PileNodes& nodes) {
    double total = 0.0;
    for (int n = 1; n < nodes.M; ++n) {
        const auto a = static_cast<std::size_t>(n), b = static_cast<std::size_t>(n + 1);
        total += 0.5 * nodes.h * (nodes.Es[a] * nodes.y(n) + nodes.Es[b] * nodes.y(n + 1));
    }
    return total;
}

struct Example {
    const char* file;
    double headShear;  // of the last load case
};

TEST(RealPiles, ExamplesRunToEquilibrium) {
    const Example examples[] = {
        {"pipe_pile_soft_clay.lp6", 20000.0},
        {"drilled_shaft_sand_si.lp6", 200.0},
        {"pipe_pile_clay_over_sand.lp6", 20000.0},
        {"pipe_pile_stiff_clay_free_water.lp6", 20000.0},
    };
    for (const Example& e : examples) {
        SCOPED_TRACE(e.file);
        testing::TempDir dir;
        dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
        dir.write("M_vs_EI_report_names.txt", "");
        dir.write("input.lp6", testing::readFile(std::filesystem::path(MERVIK_EXAMPLES) / e.file));
        auto run = std::make_unique<mervik::Run>();
        ASSERT_EQ(testing::runInDir(dir, *run), 0) << dir.read("messages.msg");
        EXPECT_NEAR(soilReaction(run->nodes), e.headShear, 0.01 * e.headShear);

        // One record 13 per case, carrying the head shear and the head deflection of the case
        // (every case of these examples has the same head shear).
        const auto plot = testing::lines(dir.read("plot.plt"));
        int records = 0;
        for (const std::string& line : plot) {
            if (line.find("Line 13:") == std::string::npos) continue;
            ++records;
            const double shear = std::stod(line.substr(0, 15));
            const double deflection = std::stod(line.substr(15, 15));
            const LoadCaseSummary& summary = run->caseResults.cases[static_cast<std::size_t>(records)];
            EXPECT_NEAR(shear, e.headShear, 1e-6 * e.headShear);
            EXPECT_NEAR(deflection, summary.headDeflection, 1e-6 * std::fabs(summary.headDeflection) + 1e-12);
        }
        EXPECT_EQ(records, run->model.loading.loadCaseCount);
    }
}

}  // namespace
}  // namespace mervik
