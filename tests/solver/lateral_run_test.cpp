// A lateral analysis from end to end against the theory of a long elastic beam on an elastic
// foundation: a steel pipe (stresses far below yield, so its bending stiffness stays E·I) in an
// elastic subgrade of constant modulus under a pile-head shear.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/run.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

TEST(LateralRun, ElasticPileInElasticSubgradeMatchesTheClosedForm) {
    testing::TempDir dir;
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("input.lp6",
              testing::readFile(std::filesystem::path(MERVIK_EXAMPLES) / "pipe_pile_elastic_subgrade.lp6"));
    auto run = std::make_unique<mervik::Run>();
    ASSERT_EQ(testing::runInDir(dir, *run), 0) << dir.read("messages.msg");

    // k = E_subgrade · b = 100 pci · 24 in; EI = 29e6 psi · π/64 (24⁴ − 23⁴) in⁴.
    const double pi = 3.141592653589793;
    const double k = 100.0 * 24.0;
    const double EI = 29.0e6 * pi / 64.0 * (std::pow(24.0, 4) - std::pow(23.0, 4));
    const double beta = std::pow(k / (4.0 * EI), 0.25);
    const double V = 10000.0;
    // Free head under shear: y(0) = 2Vβ/k; the largest moment V/β·e^(−π/4)·sin(π/4) lies at
    // depth π/(4β).
    const double yTop = 2.0 * V * beta / k;
    const double mMax = V / beta * std::exp(-pi / 4.0) * std::sin(pi / 4.0);
    const double depthOfMax = pi / (4.0 * beta);

    const PileNodes& nodes = run->nodes;
    EXPECT_NEAR(nodes.y(1), yTop, 0.01 * yTop);
    double largest = 0.0, depth = 0.0;
    for (int n = 1; n <= nodes.M; ++n) {
        if (std::fabs(nodes.moment[static_cast<std::size_t>(n)]) > largest) {
            largest = std::fabs(nodes.moment[static_cast<std::size_t>(n)]);
            depth = nodes.x[static_cast<std::size_t>(n)];
        }
    }
    EXPECT_NEAR(largest, mMax, 0.01 * mMax);
    EXPECT_NEAR(depth, depthOfMax, 2.0 * nodes.h);

    // The soil reaction over the pile balances the head shear: ∫ Es·y dx = V (no tip shear).
    double reaction = 0.0;
    for (int n = 1; n < nodes.M; ++n) {
        const auto a = static_cast<std::size_t>(n), b = static_cast<std::size_t>(n + 1);
        reaction += 0.5 * nodes.h * (nodes.Es[a] * nodes.y(n) + nodes.Es[b] * nodes.y(n + 1));
    }
    EXPECT_NEAR(reaction, V, 0.01 * V);
}

}  // namespace
}  // namespace mervik

namespace mervik {
namespace {

// A case of imposed pile-head deflection that does not converge within its iteration limit is
// still reported before the run ends with runtime error 10.
TEST(LateralRun, ImposedDeflectionCaseWithoutConvergenceIsStillReported) {
    testing::TempDir dir;
    const testing::HostRun out = testing::runHost(dir, testing::fixture("imposed_deflection_no_convergence.lp6"));
    EXPECT_EQ(out.result, 210);
    const std::size_t error = out.report.find("  ****  Runtime Error No. 10  ****  ");
    const std::size_t caseReport = out.report.find("Computed Values of Pile Loading and Deflection");
    const std::size_t closing = out.report.find("The analysis ended due to runtime error No. 10.");
    ASSERT_NE(error, std::string::npos);
    ASSERT_NE(caseReport, std::string::npos);
    ASSERT_NE(closing, std::string::npos);
    EXPECT_LT(error, caseReport);
    EXPECT_LT(caseReport, closing);
    // The 30 iterations allowed were all made; the case's plot records were written.
    EXPECT_NE(out.messages.find("Analysis Case 1,   Iteration 30,"), std::string::npos);
    EXPECT_NE(out.plot.find("Line 10(501): nodal depth, y, M, V, p, EI"), std::string::npos);
    EXPECT_NE(out.plot.find("Line 11: Num. points on Ytop vs. Length curve for load case 1"), std::string::npos);
}

}  // namespace
}  // namespace mervik

namespace mervik {
namespace {

// The excess-deflection limit is tested only from iteration 11 on: a head deflection far beyond
// the 0.5 in limit from the first iterations still stops the run at iteration 11.
TEST(LateralRun, ExcessDeflectionNotBeforeIterationEleven) {
    testing::TempDir dir;
    const testing::HostRun out = testing::runHost(dir, testing::fixture("excess_deflection.lp6"));
    EXPECT_EQ(out.result, 209);
    EXPECT_NE(out.messages.find("Analysis Case 1,   Iteration 11,"), std::string::npos);
    EXPECT_EQ(out.messages.find("Iteration 12,"), std::string::npos);
    EXPECT_NE(out.report.find("The specified excess deflection limit is      5.0000E-01 in "), std::string::npos);
    EXPECT_NE(out.report.find("Mervik ended prematurely due to runtime error number RUN00009"), std::string::npos);
}

}  // namespace
}  // namespace mervik

namespace mervik {
namespace {

// The pile-head stiffness matrix through a whole run: ten records 14 whose K22, K23, K32 and
// K33 agree with the long beam on elastic foundation (β⁴ = k/(4EI): K22 = 4EIβ³,
// K23 = K32 = 2EIβ², K33 = 2EIβ), magnitudes within 1 %.
TEST(LateralRun, StiffnessMatrixOfAnElasticPileInElasticSubgrade) {
    std::string input = testing::readFile(std::filesystem::path(MERVIK_EXAMPLES) / "pipe_pile_elastic_subgrade.lp6");
    input.replace(input.find("ComputeKmatrix NO"), 17, "ComputeKmatrix YES");
    testing::TempDir dir;
    const testing::HostRun out = testing::runHost(dir, input);
    ASSERT_EQ(out.result, 0) << out.messages;
    const double pi = 3.141592653589793;
    const double k = 100.0 * 24.0;
    const double EI = 29.0e6 * pi / 64.0 * (std::pow(24.0, 4) - std::pow(23.0, 4));
    const double beta = std::pow(k / (4.0 * EI), 0.25);
    const double expected[4] = {4.0 * EI * beta * beta * beta, 2.0 * EI * beta * beta, 2.0 * EI * beta * beta,
                                2.0 * EI * beta};
    int records = 0;
    for (const std::string& line : testing::lines(out.plot)) {
        if (line.find("Line 14:") == std::string::npos) continue;
        ++records;
        for (int m = 0; m < 4; ++m) {
            const double K = std::fabs(std::stod(line.substr(static_cast<std::size_t>(15 * (2 + m)), 15)));
            EXPECT_NEAR(K, expected[m], 0.01 * expected[m]) << "record " << records << " term " << m;
        }
    }
    EXPECT_EQ(records, 10);
    EXPECT_NE(out.messages.find("Computing pile-head stiffness matrix components.\n\n"), std::string::npos);
}

}  // namespace
}  // namespace mervik
