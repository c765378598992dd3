// A capacity-and-stiffness run from end to end: plot records in their order, the relation file
// named in the list of the host, the report blocks and the result code.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/run.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

using testing::TempDir;

TEST(SectionRun, SteelPipeCapacityRunEndToEnd) {
    TempDir dir;
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("M_vs_EI_report_names.txt", "pipe_100kips.txt\n");
    dir.write("input.lp6", testing::fixture("minimal_ei_only.lp6"));
    auto run = std::make_unique<mervik::Run>();
    ASSERT_EQ(testing::runInDir(dir, *run), 0) << dir.read("messages.msg");

    const auto plot = testing::lines(dir.read("plot.plt"));
    ASSERT_GE(plot.size(), 5u);
    EXPECT_EQ(plot[0].substr(0, 20), "    2    1    0    0");
    EXPECT_EQ(plot[1].substr(0, 5), "    1");
    EXPECT_EQ(plot[2], "    1" + std::string(75, ' ') + "Line 3 : Total number of axial thrusts for EI-only computations");
    // Record 4: the number of points, the thrust in kips and the capacity, then one record 5
    // per point and nothing after them.
    const int n = std::stoi(plot[3].substr(0, 5));
    EXPECT_EQ(run->eiTables.pointCount[1][1], n);
    EXPECT_EQ(plot[3].substr(15, 15), "  1.0000000E+02");
    ASSERT_EQ(plot.size(), static_cast<std::size_t>(4 + n));
    for (int k = 1; k <= n; ++k)
        EXPECT_NE(plot[static_cast<std::size_t>(3 + k)].find("CurvPnt#=" + std::to_string(k)), std::string::npos);

    // The pipe's capacity stays below the plastic moment fy·Z = 36 ksi · (24³ − 23³)/6 in³
    // = 9942 in-kips and reaches most of it; it is stored in inch-pounds.
    const double plastic = 36.0 * (24.0 * 24.0 * 24.0 - 23.0 * 23.0 * 23.0) / 6.0;
    const double Mn = run->eiTables.Mn[1][1] / 1000.0;
    EXPECT_LT(Mn, plastic);
    EXPECT_GT(Mn, 0.95 * plastic);
    // The initial bending stiffness is E·I of the annulus: 29000 ksi · π/64 (24⁴ − 23⁴) in⁴.
    const double EI = 29000.0 * 3.141592653589793 / 64.0 * (24.0 * 24.0 * 24.0 * 24.0 - 23.0 * 23.0 * 23.0 * 23.0);
    EXPECT_NEAR(run->eiTables.EI[1][1][1], EI, 1e-4 * EI);

    // The relation file: one line per point, moment in inch-pounds and curvature.
    const auto relation = testing::lines(dir.read("pipe_100kips.txt"));
    ASSERT_EQ(relation.size(), static_cast<std::size_t>(n));
    EXPECT_NEAR(std::stod(relation[0].substr(0, 15)), 1000.0 * run->eiTables.M[1][1][1], 1e-7 * 1000.0 * EI);
    EXPECT_NEAR(std::stod(relation[0].substr(15, 15)), run->eiTables.phi[1][1][1], 1e-12);

    const std::string report = dir.read("report.out");
    EXPECT_NE(report.find("Dimensions and Properties of Steel Pipe Pile:"), std::string::npos);
    EXPECT_NE(report.find("Summary of Results for Nominal (Unfactored) Moment Capacity for Section 1"), std::string::npos);
    const std::string messages = dir.read("messages.msg");
    EXPECT_NE(messages.find("Computing nonlinear bending stiffness of section 1\n"
                            "Completed computing nonlinear bending stiffness of section 1\n\n"),
              std::string::npos);
}

}  // namespace
}  // namespace mervik
