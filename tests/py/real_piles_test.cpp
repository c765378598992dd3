// Real piles in real soils from end to end: steel pipes in soft clay, in clay over sand (a free
// and a fixed head), in stiff clay below and above the water table (SI, cyclic) and through
// liquefied sand into dense sand (SI), drilled shafts in sand, in loess and in cemented silt
// (SI), socketed into weak rock and vuggy limestone, and in Piedmont residual soil. Each
// converged case must be in lateral equilibrium: the soil reaction over the pile balances the
// pile-head shear (no tip shear, no distributed load); the summary records repeat the case
// results; the piles meant as designs carry their loads below the moment capacity of their
// sections.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/run.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

struct Example {
    const char* file;
    std::vector<double> headShears;  // of the load cases in order
};

TEST(RealPiles, ExamplesRunToEquilibrium) {
    const Example examples[] = {
        {"pipe_pile_soft_clay.lp6", {20000.0}},
        {"drilled_shaft_sand_si.lp6", {200.0}},
        {"pipe_pile_clay_over_sand.lp6", {20000.0, 20000.0}},
        {"pipe_pile_stiff_clay_free_water.lp6", {20000.0}},
        {"pipe_pile_stiff_clay_cyclic_si.lp6", {150.0, 250.0}},
        {"drilled_shaft_weak_rock.lp6", {50000.0}},
        {"drilled_shaft_vuggy_limestone.lp6", {50000.0}},
        {"drilled_shaft_piedmont.lp6", {50000.0}},
        {"drilled_shaft_loess_si.lp6", {200.0}},
        {"pipe_pile_liquefied_sand_si.lp6", {300.0}},
        {"drilled_shaft_cemented_silt_si.lp6", {200.0}},
        {"pipe_pile_lateral_spread_si.lp6", {100.0}},
    };
    for (const Example& e : examples) {
        SCOPED_TRACE(e.file);
        testing::TempDir dir;
        auto run = std::make_unique<mervik::Run>();
        ASSERT_EQ(testing::runExample(dir, e.file, *run), 0) << dir.read("messages.msg");
        // The nodes hold the last case.
        const double lastShear = e.headShears.back();
        EXPECT_NEAR(testing::soilReaction(run->nodes), lastShear, 0.01 * lastShear);

        // One record 13 per case, carrying the head shear and the head deflection of the case.
        const auto plot = testing::lines(dir.read("plot.plt"));
        std::size_t records = 0;
        for (const std::string& line : plot) {
            if (line.find("Line 13:") == std::string::npos) continue;
            ++records;
            ASSERT_LE(records, e.headShears.size());
            const double shear = std::stod(line.substr(0, 15));
            const double deflection = std::stod(line.substr(15, 15));
            const LoadCaseSummary& summary = run->caseResults.cases[records];
            EXPECT_NEAR(shear, e.headShears[records - 1], 1e-6 * e.headShears[records - 1]);
            EXPECT_NEAR(deflection, summary.headDeflection, 1e-6 * std::fabs(summary.headDeflection) + 1e-12);
        }
        EXPECT_EQ(records, e.headShears.size());
    }
}

// The first nominal moment capacity of the capacity summary of the report (in-kip or kN-m).
double nominalMomentCapacity(const std::string& report) {
    const std::size_t table = report.find("Nominal Mom. Cap.");
    if (table == std::string::npos) return 0.0;
    const std::size_t rule = report.find(" ----", table);
    const std::size_t row = report.find('\n', rule) + 1;
    std::istringstream in(report.substr(row, report.find('\n', row) - row));
    int load = 0;
    double thrust = 0.0, capacity = 0.0;
    in >> load >> thrust >> capacity;
    return capacity;
}

// The socketed shaft, the shaft in Piedmont soil and the pipe in stiff clay carry their design
// loads: the largest bending moment of every case stays below the nominal moment capacity of the
// section at its thrust.
TEST(RealPiles, RockAndStiffClayExamplesStayBelowTheirMomentCapacity) {
    const struct {
        const char* file;
        double toMomentUnit;  // capacity table unit to the unit of the computed moments
    } examples[] = {
        {"drilled_shaft_weak_rock.lp6", 1000.0},  // in-kip to in-lb
        {"drilled_shaft_piedmont.lp6", 1000.0},
        {"pipe_pile_stiff_clay_cyclic_si.lp6", 1.0},
    };
    for (const auto& e : examples) {
        SCOPED_TRACE(e.file);
        testing::TempDir dir;
        auto run = std::make_unique<mervik::Run>();
        ASSERT_EQ(testing::runExample(dir, e.file, *run), 0) << dir.read("messages.msg");
        const double capacity = nominalMomentCapacity(dir.read("report.out")) * e.toMomentUnit;
        ASSERT_GT(capacity, 0.0);
        for (int j = 1; j <= run->model.loading.loadCaseCount; ++j) {
            const double maxMoment = std::fabs(run->caseResults.cases[static_cast<std::size_t>(j)].maxMoment);
            EXPECT_GT(maxMoment, 0.05 * capacity) << j;  // a real demand, not an empty case
            EXPECT_LT(maxMoment, capacity) << j;
        }
    }
}

}  // namespace
}  // namespace mervik
