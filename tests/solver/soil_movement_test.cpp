// Loading by lateral soil movement: the free-field movement of the nodes from the profile, and
// whole runs of an elastic pile in an elastic subgrade (a beam on springs whose far ends move with
// the soil) against the solutions of EI y'''' + k (y − ys) = 0.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string>

#include "engine/run.hpp"
#include "solver/soil_movement.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

SoilMovementProfile profileOf(std::initializer_list<double> depths, std::initializer_list<double> movements) {
    SoilMovementProfile p;
    int j = 0;
    for (double d : depths) p.depth[static_cast<std::size_t>(++j)] = d;
    p.count = j;
    j = 0;
    for (double s : movements) p.movement[static_cast<std::size_t>(++j)] = s;
    return p;
}

TEST(SoilMovement, InterpolationOfTheProfile) {
    const struct {
        const char* what;
        SoilMovementProfile profile;
        double x, expected;
    } cases[] = {
        // Halfway down a profile 0 .. 120 with movements 2 .. 0: (2 + 0)/2.
        {"linear, halfway", profileOf({0.0, 120.0}, {2.0, 0.0}), 60.0, 1.0},
        {"linear, a quarter", profileOf({0.0, 120.0}, {2.0, 0.0}), 30.0, 1.5},
        {"exactly at the first point", profileOf({0.0, 120.0}, {2.0, 0.0}), 0.0, 2.0},
        {"exactly at the last point", profileOf({0.0, 3.0, 7.0}, {0.1, 0.2, 0.7}), 7.0, 0.7},
        {"exactly at an inner point", profileOf({0.0, 3.0, 7.0}, {0.1, 0.2, 0.7}), 3.0, 0.2},
        // Outside the profile nothing moves, however large the movement at its ends.
        {"above the first point", profileOf({10.0, 20.0}, {500.0, 500.0}), 9.999, 0.0},
        {"below the last point", profileOf({10.0, 20.0}, {500.0, 500.0}), 20.001, 0.0},
        // A step at 5: 1 above it, 3 below it; at the step (1 + 3)/2.
        {"at a step", profileOf({0.0, 5.0, 5.0, 10.0}, {0.0, 1.0, 3.0, 3.0}), 5.0, 2.0},
        {"above a step", profileOf({0.0, 5.0, 5.0, 10.0}, {0.0, 1.0, 3.0, 3.0}), 2.5, 0.5},
        {"below a step", profileOf({0.0, 5.0, 5.0, 10.0}, {0.0, 1.0, 3.0, 3.0}), 7.5, 3.0},
        {"at a step at the first point", profileOf({0.0, 0.0, 10.0}, {4.0, 2.0, 0.0}), 0.0, 3.0},
        {"at a step at the last point", profileOf({0.0, 10.0, 10.0}, {0.0, 2.0, 6.0}), 10.0, 4.0},
        {"within a step's tolerance", profileOf({0.0, 5.0, 5.000001, 10.0}, {0.0, 1.0, 3.0, 3.0}), 5.0000005, 2.0},
        {"all movements zero", profileOf({0.0, 10.0}, {0.0, 0.0}), 4.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(soilMovementAt(c.profile, c.x), c.expected, 1e-12);
    }
}

// Depths out of order are not rejected by the reader: the movement stays a value between the
// profile's movements, and nothing is read outside it.
TEST(SoilMovement, DepthsOutOfOrderGiveAValueOfTheProfile) {
    const SoilMovementProfile p = profileOf({0.0, 10.0, 5.0}, {1.0, 2.0, 3.0});
    for (double x : {0.0, 2.0, 4.0, 5.0}) {
        const double ys = soilMovementAt(p, x);
        EXPECT_TRUE(std::isfinite(ys)) << x;
        EXPECT_GE(ys, 1.0) << x;
        EXPECT_LE(ys, 3.0) << x;
    }
    EXPECT_EQ(soilMovementAt(p, 16.0), 0.0);
}

// An elastic pile 20 m long, in SI: section type 11, circular, E = 2.5e7 kPa, I = 0.04 m⁴, so
// EI = 1e6 kN·m²; width 1 m in an elastic subgrade of 250000 kN/m³, so k = 250000 kN/m² and
// β = (k / 4EI)^¼ = (0.0625)^¼ = 0.5 /m; βL = 10, a long pile. 200 increments, h = 0.1 m.
constexpr double kEI = 1.0e6, kK = 250000.0, kBeta = 0.5, kLength = 20.0;

std::string elasticPileInput(const std::string& loadCase, const std::string& movements) {
    return "MERVIK6\nTITLE\nElastic pile in a moving elastic subgrade\n\n\n\n\n"
           "OPTIONS\nUnits SI\nUseLRFD NO\nComputeKmatrix NO\nUseTipShear NO\nUseSoilMovement YES\n"
           "UsePYModifiers NO\nComputeEIOnly NO\nLoading STATIC     0\nMaxIterations 100\nMaxDeflection 2.54\n"
           "Tolerance 1.0E-9\nIncrements 200\nPrintSummaryOnly NO\nPrintIncrement 10\nPrintPYCurves NO\n"
           "ComputeInteraction NO\n"
           "SECTIONS\n1\n1\n11\n20.0\n2\n25000000.0\n1.0\n1.0\n0.785\n0.785\n0.04\n0.04\n"
           "SOIL LAYERS\n1\n13 0.0 25.0\n10.0 250000.0\n10.0 250000.0\n"
           "LOADING\n1\n" + loadCase + "\n0\n"
           "SOIL MOVEMENTS\n" + movements + "END\n";
}

std::unique_ptr<Run> runElasticPile(const testing::TempDir& dir, const std::string& input) {
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("input.lp6", input);
    auto run = std::make_unique<Run>();
    EXPECT_EQ(testing::runInDir(dir, *run), 0) << dir.read("messages.msg");
    return run;
}

// A movement of 50 mm over the whole pile, free head without loads: every spring is stretched
// by y − 0.05, so y = 0.05 m everywhere satisfies EI y'''' + k (y − 0.05) = 0 with y'' = y''' = 0
// at both ends: the pile moves with the soil, unbent and without shear or soil reaction.
TEST(SoilMovement, UniformMovementTranslatesAnElasticPileRigidly) {
    testing::TempDir dir;
    const auto run = runElasticPile(dir, elasticPileInput("1 1 0.0 0.0 0.0 1", "2\n1 0.0 50.0\n2 20.0 50.0\n"));
    const PileNodes& n = run->nodes;
    ASSERT_EQ(n.M, 201);
    for (int k = 1; k <= n.M; ++k) {
        const auto i = static_cast<std::size_t>(k);
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(n.ys[i], 0.05);
        EXPECT_NEAR(n.y(k), 0.05, 1e-9);
        EXPECT_NEAR(n.moment[i], 0.0, 1e-3);   // kN·m; EI·y'' of 1e-9 m over h² is 0.1
        EXPECT_NEAR(n.shear[i], 0.0, 1e-2);    // kN
        EXPECT_NEAR(n.soilReaction[i], 0.0, 1e-3);
    }
}

// A movement of 100 mm at the head falling linearly to 0 at the tip: ys = a + b x with a = 0.1,
// b = −0.005. As ys'''' = 0, y = ys + yh where yh solves EI yh'''' + k yh = 0; on a long pile
// yh = e^(−βx) (C1 cos βx + C2 sin βx), whose derivatives at the head are
//   yh(0) = C1, yh'(0) = β (C2 − C1), yh''(0) = −2β² C2, yh'''(0) = 2β³ (C1 + C2).
// (At the free tip y = ys already meets y'' = y''' = 0, and yh has died out: e^(−10).)
//  - Zero shear and zero slope (type 2): yh'''(0) = 0 gives C1 = −C2, y'(0) = b + 2βC2 = 0 gives
//    C2 = −b/(2β) = 0.005, C1 = −0.005: y(0) = 0.095 m, M(0) = EI·(−2β²C2) = −2500 kN·m.
//  - Deflection 10 mm relative to the soil and zero slope (type 5): y(0) = a + 0.01, so
//    C1 = 0.01; y'(0) = b + β(C2 − C1) = 0 gives C2 = C1 − b/β = 0.02: y(0) = 0.11 m,
//    M(0) = −2β²C2·EI = −10000 kN·m.
// The soil reaction −(y − ys)·k = −k yh: at the head −k C1.
TEST(SoilMovement, LinearProfileMatchesTheLongBeamSolution) {
    const double a = 0.1, b = -0.005;
    const struct {
        const char* what;
        std::string loadCase;
        double C1, C2;
    } cases[] = {
        {"zero shear, fixed head", "1 2 0.0 0.0 0.0 1", 0.5 * b / kBeta, -0.5 * b / kBeta},
        {"deflection relative to the soil, fixed head", "1 5 0.01 0.0 0.0 1", 0.01, 0.01 - b / kBeta},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempDir dir;
        const auto run = runElasticPile(dir, elasticPileInput(c.loadCase, "2\n1 0.0 100.0\n2 20.0 0.0\n"));
        const PileNodes& n = run->nodes;
        ASSERT_EQ(n.M, 201);
        const auto exact = [&](double x) {
            return a + b * x + std::exp(-kBeta * x) * (c.C1 * std::cos(kBeta * x) + c.C2 * std::sin(kBeta * x));
        };
        const double yHead = a + c.C1;
        for (int k = 1; k <= n.M; k += 5) {
            const double x = n.x[static_cast<std::size_t>(k)];
            EXPECT_NEAR(n.ys[static_cast<std::size_t>(k)], a + b * x, 1e-12) << x;
            EXPECT_NEAR(n.y(k), exact(x), 0.01 * yHead) << x;
        }
        EXPECT_NEAR(n.y(1), yHead, 0.01 * yHead);
        const double mHead = -2.0 * kBeta * kBeta * c.C2 * kEI;
        EXPECT_NEAR(n.moment[1], mHead, 0.01 * std::fabs(mHead));
        const double pHead = -kK * c.C1;
        EXPECT_NEAR(n.soilReaction[1], pHead, 0.01 * std::fabs(pHead));
        // Deep down the pile follows the soil: at 15 m yh is e^(−7.5) of its head value.
        EXPECT_NEAR(n.y(151) - n.ys[151], 0.0, 1e-3 * yHead);
    }
}

}  // namespace
}  // namespace mervik
