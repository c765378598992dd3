// Stiff clay without free water (codes 3 and 4): ultimate resistance with depth, the static
// quarter-power curve and its plateau, the cyclic stretch with the number of cycles, code 4's
// initial k x line, code 3's small-deflection secant, the default eps50 and k, the warnings and
// errors, the layer resistance and equivalent depth, the printed curves and a whole run.
//
// Hand profile unless a test says otherwise (consistent generic units): b = 10, c = 10,
// gamma' = 0.5, eps50 = 0.01, so pct = (gamma' b + c/2) x + 3 b c = 10 x + 300, pcd = 9 b c =
// 900 (reached at x = 60) and y50 = 2.5 * 0.01 * 10 = 0.25 (the curve reaches pu at
// 16 y50 = 4). Nodes at 0, 25, 50, 75, 100: pu = 300, 550, 800, 900, 900.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/errors.hpp"
#include "support/py_model_test.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

using testing::expectRelative;
using testing::plottedPoints;
using testing::printedPoints;
using testing::PyModelTest;
using testing::row;

constexpr double kStretch = 0.6000000238418579;  // cyclic y50 factor per decade of cycles

// 0.5 pu (y / y50)^(1/4) written with square roots, away from the engine's pow.
double quarterPower(double pu, double y, double y50) { return 0.5 * pu * std::sqrt(std::sqrt(y / y50)); }

class StiffClayDryTest : public PyModelTest {
protected:
    void SetUp() override {
        PyModelTest::SetUp();
        handProfile(kGeneral, 10.0, 5, 25.0);
        clayLayer(1, kPyStiffClayNoFreeWater, 0.0, 100.0, 10.0, 0.5, 0.01, 0.0);
    }
    void cyclic(double N) {
        run->model.options.cyclic = true;
        run->model.options.numberOfCycles = N;
    }
    // The report pass at one output depth of layer 1.
    void printAt(double depth) {
        run->py.reportPass = true;
        range(1, 1, 1);
        run->nodes.x[1] = depth;
        pyStiffClayDry(*run, 1);
        run->report.close();
        run->plot.close();
    }
};

// ---------------------------------------------------------------- ultimate resistance

TEST_F(StiffClayDryTest, UltimateResistanceGrowsFromThreeToNineCbWithDepth) {
    deflect(10.0);  // beyond 16 y50 = 4: p = pu, Es = pu / 10
    pyStiffClayDry(*run, 1);
    ASSERT_FALSE(run->failed());
    EXPECT_DOUBLE_EQ(Es(1), 300.0 / 10.0);  // ground surface: 3 b c
    EXPECT_DOUBLE_EQ(Es(2), 550.0 / 10.0);  // 10 * 25 + 300
    EXPECT_DOUBLE_EQ(Es(3), 800.0 / 10.0);
    EXPECT_DOUBLE_EQ(Es(4), 900.0 / 10.0);  // 1050 limited to 9 b c
    EXPECT_DOUBLE_EQ(Es(5), 900.0 / 10.0);
}

TEST_F(StiffClayDryTest, SlopingGroundScalesTheWedgeResistanceBeforeItsLimit) {
    const double theta = 10.0 * 3.141592653589793 / 180.0;
    run->model.slope.effectiveSlope = theta;
    const double down = 1.0 / (1.0 + std::tan(theta));  // 0.85010
    const double up = 0.7071067690849304 * std::cos(theta) / std::cos(theta + 0.7853981633974483);  // 1.21408
    const struct {
        double y;
        int k;
        double pu;
    } cases[] = {
        {10.0, 2, 550.0 * down},  // deflection towards the downslope side: 467.56
        {-10.0, 2, 550.0 * up},   // towards the upslope side: 667.74
        {-10.0, 3, 900.0},        // 800 * 1.214 = 971 > 9 b c: limited
    };
    for (const auto& c : cases) {
        deflect(c.y);
        pyStiffClayDry(*run, 1);
        ASSERT_FALSE(run->failed());
        expectRelative(Es(c.k), c.pu / 10.0);
    }
}

// ---------------------------------------------------------------- curves

TEST_F(StiffClayDryTest, StaticCurveIsTheQuarterPowerShapeUpToSixteenY50ThenFlat) {
    const double y50 = 0.25, pu = 550.0;  // node 2
    const struct {
        double y, p;
    } cases[] = {
        {y50 / 16.0, 0.25 * pu},          // (1/16)^(1/4) = 1/2: 137.5
        {y50, 0.5 * pu},                  // 275
        {81.0 / 16.0 * y50, 0.75 * pu},   // (81/16)^(1/4) = 3/2: 412.5
        {16.0 * y50, pu},                 // the shape reaches pu at 16 y50
        {40.0, pu},
    };
    for (const auto& c : cases) {
        run->nodes.y(2) = -c.y;  // the sign of the deflection does not matter
        pyStiffClayDry(*run, 1);
        ASSERT_FALSE(run->failed());
        expectRelative(Es(2), c.p / c.y);
    }
}

TEST_F(StiffClayDryTest, CyclicLoadingStretchesTheDeflectionsWithTheLogarithmOfTheCycles) {
    const double y50 = 0.25, pu = 550.0;  // node 2
    const struct {
        double N;
        bool cyclic;
        double y, p;
    } cases[] = {
        // N = 100: y50 stretched by 0.6 * 2 + 1 = 2.2.
        {100.0, true, (kStretch * 2.0 + 1.0) * y50, 0.5 * pu},
        {100.0, true, (kStretch * 2.0 + 1.0) * y50 / 16.0, 0.25 * pu},
        {100.0, true, 16.0 * (kStretch * 2.0 + 1.0) * y50, pu},
        {100.0, true, 50.0, pu},
        {10.0, true, (kStretch + 1.0) * y50, 0.5 * pu},  // 1.6 y50
        {1.0, true, y50, 0.5 * pu},                      // one cycle: the static curve
        {100.0, false, y50, 0.5 * pu},                   // static loading ignores N
    };
    for (const auto& c : cases) {
        run->model.options.cyclic = c.cyclic;
        run->model.options.numberOfCycles = c.N;
        run->nodes.y(2) = c.y;
        pyStiffClayDry(*run, 1);
        ASSERT_FALSE(run->failed());
        expectRelative(Es(2), c.p / c.y, 1E-9);
    }
}

TEST_F(StiffClayDryTest, FewerThanOneCycleIsRaisedToOneAndKept) {
    const struct {
        bool cyclic;
        double N, stored;
    } cases[] = {{false, 0.0, 1.0}, {true, 0.5, 1.0}, {true, 1.0, 1.0}, {true, 1.5, 1.5}};
    for (const auto& c : cases) {
        run->model.options.cyclic = c.cyclic;
        run->model.options.numberOfCycles = c.N;
        run->nodes.y(2) = 0.25;  // y = y50
        pyStiffClayDry(*run, 1);
        ASSERT_FALSE(run->failed());
        EXPECT_EQ(run->model.options.numberOfCycles, c.stored) << c.N;
        // With N raised to 1 the cyclic curve is the static one: p(y50) = pu / 2.
        if (c.stored == 1.0) expectRelative(Es(2), 275.0 / 0.25);
    }
}

TEST_F(StiffClayDryTest, CodeFourKeepsTheCurveBelowTheInitialLine) {
    const double y50 = 0.25;
    const struct {
        double k;
        bool cyclic;
        int node;
        double y, Es;
    } cases[] = {
        // k = 2: k x = 50 at node 2; at y = 1 the shape 275 * 4^(1/4) = 388.9 is cut to 50.
        {2.0, false, 2, 1.0, 50.0},
        {2.0, false, 2, 0.0, 50.0},  // zero deflection: Es = k x
        {2.0, true, 2, 1.0, 50.0},   // the cyclic curve too
        // k = 100: k x = 2500 lies above the shape and the plateau.
        {100.0, false, 2, 1.0, 275.0 * std::sqrt(2.0)},
        {100.0, false, 2, 10.0, 55.0},
        // At the ground surface k x = 0: no resistance, also beyond 16 y50 where the static
        // curve would otherwise jump to pu.
        {100.0, false, 1, 10.0, 0.0},
        {100.0, false, 1, 0.5 * y50, 0.0},
    };
    for (const auto& c : cases) {
        clayLayer(1, kPyStiffClayNoFreeWaterK, 0.0, 100.0, 10.0, 0.5, 0.01, c.k);
        newLoadCase();  // the soil data changed
        run->model.options.cyclic = c.cyclic;
        run->model.options.numberOfCycles = 100.0;
        deflect(c.y);
        pyStiffClayDry(*run, 1);
        ASSERT_FALSE(run->failed());
        EXPECT_NEAR(Es(c.node), c.Es, 1E-9 * c.Es) << c.k << " " << c.node << " " << c.y;
    }
}

TEST_F(StiffClayDryTest, CodeFourInterpolatesKInTheLayerAndTakesTheTopValueForAMissingBottom) {
    // k from 2 at 0 to 6 at 100; zero deflection gives Es = k x.
    SoilLayer& s = clayLayer(1, kPyStiffClayNoFreeWaterK, 0.0, 100.0, 10.0, 0.5, 0.01, 2.0);
    s.kpy.bottom = 6.0;
    multipliers(0.5, 2.0);  // not applied to the limiting modulus
    deflect(0.0);
    pyStiffClayDry(*run, 1);
    ASSERT_FALSE(run->failed());
    EXPECT_DOUBLE_EQ(Es(3), 4.0 * 50.0);
    EXPECT_DOUBLE_EQ(Es(5), 6.0 * 100.0);
    // Above the threshold the multipliers apply: yc = 2 / 2 = 1, p = min(shape, 4 * 50 * 1) = 200,
    // Es = 0.5 * 200 / 1 / 2.
    run->nodes.y(3) = 2.0;
    pyStiffClayDry(*run, 1);
    EXPECT_DOUBLE_EQ(Es(3), 50.0);

    for (const double bottom : {0.0, -3.0}) {
        s.kpy.bottom = bottom;
        newLoadCase();
        deflect(0.0);
        pyStiffClayDry(*run, 1);
        ASSERT_FALSE(run->failed());
        EXPECT_EQ(s.kpy.bottom, 2.0);  // stored for the rest of the run
        EXPECT_DOUBLE_EQ(Es(5), 2.0 * 100.0);
    }
}

TEST_F(StiffClayDryTest, CodeThreeUsesTheSecantAtTwoHundredThousandthsOfTheWidthBelowIt) {
    // Threshold 2E-5 b = 2E-4. Static secant there: 0.5 pu / y50 (y50 / 2E-4)^(3/4) =
    // 1100 * 1250^(3/4) = 1100 * 5.94604^3 = 1100 * 210.2241 = 231246.5 at node 2; with
    // pm / ym = 0.5 / 2 = 0.25: 57811.6.
    multipliers(0.5, 2.0);
    const double pu = 550.0, y50 = 0.25, yt = 2E-4;
    const double secant = quarterPower(pu, yt, y50) / yt;
    EXPECT_NEAR(secant, 231246.5, 0.1);  // the hand value
    const double f = kStretch * 2.0 + 1.0;    // N = 100
    const struct {
        bool cyclic;
        double y, Es;
    } cases[] = {
        {false, 0.0, 0.25 * secant},
        {false, 2.0 * 1.9E-4, 0.25 * secant},  // yc = y / ym below the threshold
        {false, 2.0 * 3E-4, 0.5 * quarterPower(pu, 3E-4, y50) / 3E-4 / 2.0},
        // Cyclic: the same secant of the static curve below the threshold; above it the
        // stretched curve.
        {true, 0.0, 0.25 * secant},
        {true, 2.0 * 3E-4, 0.5 * quarterPower(pu, 3E-4, f * y50) / 3E-4 / 2.0},
    };
    for (const auto& c : cases) {
        run->model.options.cyclic = c.cyclic;
        run->model.options.numberOfCycles = 100.0;
        run->nodes.y(2) = c.y;
        pyStiffClayDry(*run, 1);
        ASSERT_FALSE(run->failed());
        expectRelative(Es(2), c.Es, 1E-9);
    }
}

TEST_F(StiffClayDryTest, SoilMovementLoadIsSetWhenAProfileExists) {
    run->model.soilMovement.count = 1;
    run->nodes.ys[2] = 0.5;
    run->nodes.q[2] = 3.0;
    run->nodes.y(2) = 0.5 + 10.0;  // relative deflection 10: Es = 550 / 10
    pyStiffClayDry(*run, 1);
    ASSERT_FALSE(run->failed());
    EXPECT_DOUBLE_EQ(Es(2), 55.0);
    EXPECT_DOUBLE_EQ(run->nodes.Q[2], 0.5 * 55.0 + 3.0);
}

// ---------------------------------------------------------------- defaults

TEST_F(StiffClayDryTest, DefaultEps50FollowsTheStrengthBands) {
    constexpr double e011 = 0.010999999940395355, e007 = 0.007000000216066837, e005 = 0.004999999888241291,
                     e004 = 0.004000000189989805;
    const struct {
        int IUNITS;
        double c, eps50;
    } cases[] = {
        {kUSCS, 6.94, e011},         {kUSCS, 6.940000057220459, e007},  {kUSCS, 13.88, e007},
        {kUSCS, 13.880000114440918, e005}, {kUSCS, 27.78, e005},        {kUSCS, 27.780000686645508, e004},
        {kSI, 47.89, e011},          {kSI, 47.8927001953125, e007},     {kSI, 95.785, e007},
        {kSI, 95.785400390625, e005}, {kSI, 191.57, e005},              {kSI, 191.57080078125, e004},
    };
    range(1, 1, 1);
    run->nodes.y(1) = 0.1;  // node at the surface: pu = 3 b c = 30 c; 0.1 < 16 y50 for every band
    for (const auto& c : cases) {
        units(c.IUNITS);
        clayLayer(1, kPyStiffClayNoFreeWater, 0.0, 100.0, c.c, 0.5, 0.0, 0.0);
        newLoadCase();
        pyStiffClayDry(*run, 1);
        ASSERT_FALSE(run->failed());
        const double y50 = 2.5 * c.eps50 * 10.0;
        expectRelative(Es(1), quarterPower(30.0 * c.c, 0.1, y50) / 0.1, 1E-9);
    }
}

TEST_F(StiffClayDryTest, DefaultKOfCodeFourFollowsTheStrengthBandsAndTheLoading) {
    const struct {
        int IUNITS;
        double c, kStatic, kCyclic;
    } cases[] = {
        {kUSCS, 6.94, 250.0, 100.0},
        {kUSCS, 6.940000057220459, 500.0, 200.0},
        {kUSCS, 13.880000114440918, 1000.0, 400.0},
        {kUSCS, 27.780000686645508, 2000.0, 800.0},
        {kSI, 47.89, 67861.796875, 27144.7109375},
        {kSI, 47.8927001953125, 135723.59375, 54289.3984375},
        {kSI, 95.785400390625, 271447.1875, 108578.8984375},
        {kSI, 191.57080078125, 542894.375, 217157.703125},
    };
    deflect(0.0);  // Es = k x, node 2 at x = 25
    for (const auto& c : cases) {
        units(c.IUNITS);
        for (const bool isCyclic : {false, true}) {
            clayLayer(1, kPyStiffClayNoFreeWaterK, 0.0, 100.0, c.c, 0.5, 0.01, 0.0);
            newLoadCase();
            run->model.options.cyclic = isCyclic;
            run->model.options.numberOfCycles = 100.0;
            pyStiffClayDry(*run, 1);
            ASSERT_FALSE(run->failed());
            EXPECT_DOUBLE_EQ(Es(2), (isCyclic ? c.kCyclic : c.kStatic) * 25.0) << c.c << " " << isCyclic;
        }
    }
}

// General units have no default: a clear input error instead of a curve from a zero eps50 or k.
TEST_F(StiffClayDryTest, GeneralUnitsWithoutEps50OrKEndTheRunWithInputError32) {
    const struct {
        int code;
        double eps50, k;
        const char* model;
        const char* value;
    } cases[] = {
        {kPyStiffClayNoFreeWater, 0.0, 0.0, "stiff clay without free water", "Epsilon-50"},
        {kPyStiffClayNoFreeWaterK, 0.01, 0.0, "stiff clay without free water with k", "k"},
        {kPyStiffClayNoFreeWaterK, 0.0, 0.0, "stiff clay without free water with k", "Epsilon-50"},
    };
    for (const auto& c : cases) {
        SetUp();  // a fresh run
        clayLayer(1, c.code, 0.0, 100.0, 10.0, 0.5, c.eps50, c.k);
        deflect(1.0);
        pyStiffClayDry(*run, 1);
        EXPECT_EQ(run->errorNumber, 132);
        EXPECT_EQ(Es(1), 0.0);  // no modulus was set
        run->report.close();
        run->messages.close();
        const std::string block = "**** Input Data Error No. 32 ****\n\n"
                                  "An error was detected in the input data used to compute p-y curves in \n" +
                                  std::string(c.model) + ".\n\nProblem:  General units are used and the value of " +
                                  c.value + " is zero or negative.\n"
                                  "Default values cannot be computed in general units.\n\n"
                                  "Solution:  Enter a positive value for the layer or select US customary or SI units.\n\n"
                                  "Layer no. = 1, Depth =      0.000\n";
        EXPECT_EQ(messages(), block);
        EXPECT_EQ(report(), block + "\n\nMervik ended prematurely due to input error number INP00032\n");
    }
}

// ---------------------------------------------------------------- warnings and errors

TEST_F(StiffClayDryTest, StrengthOutsideFiveHundredToEightThousandPsfWarnsAwayFromInterfaces) {
    const struct {
        int code, IUNITS;
        double c;
        int warning;  // recorded twice (nodes 1 and 2), or 0 for none
    } cases[] = {
        {kPyStiffClayNoFreeWater, kUSCS, 3.47, 3061},
        {kPyStiffClayNoFreeWater, kUSCS, 3.472222328186035, 0},
        {kPyStiffClayNoFreeWater, kUSCS, 55.56, 3062},
        {kPyStiffClayNoFreeWater, kUSCS, 55.55555725097656, 0},
        {kPyStiffClayNoFreeWater, kSI, 23.94, 3063},
        {kPyStiffClayNoFreeWater, kSI, 23.940000534057617, 0},
        {kPyStiffClayNoFreeWater, kSI, 383.05, 3064},
        {kPyStiffClayNoFreeWater, kSI, 383.0400085449219, 0},
        {kPyStiffClayNoFreeWaterK, kUSCS, 3.47, 3261},
        {kPyStiffClayNoFreeWaterK, kUSCS, 55.56, 3262},
        {kPyStiffClayNoFreeWaterK, kSI, 23.94, 3263},
        {kPyStiffClayNoFreeWaterK, kSI, 383.05, 3264},
        {kPyStiffClayNoFreeWaterK, kSI, 383.0400085449219, 0},
        {kPyStiffClayNoFreeWaterK, kGeneral, 1.0, 0},
    };
    const int numbers[] = {3061, 3062, 3063, 3064, 3261, 3262, 3263, 3264};
    range(1, 1, 3);
    for (const auto& c : cases) {
        resetWarnings(run->warnings);
        units(c.IUNITS);
        // Two clay layers meeting at 50: nodes 1 and 2 warn, node 3 lies at the interface.
        clayLayer(1, c.code, 0.0, 50.0, c.c, 0.5, 0.01, 100.0);
        clayLayer(2, c.code, 50.0, 100.0, c.c, 0.5, 0.01, 100.0);
        newLoadCase();
        pyStiffClayDry(*run, 1);
        ASSERT_FALSE(run->failed());
        for (const int n : numbers) EXPECT_EQ(run->warnings.counts[at(n)], n == c.warning ? 2 : 0) << c.c << " " << n;
    }
}

TEST_F(StiffClayDryTest, ZeroStrengthBelowTheTopNodeIsInputError13) {
    const struct {
        int code;
        const char* solution;
    } cases[] = {
        {kPyStiffClayNoFreeWater,
         "Solution:  Please check the values of soil shear strength and revise the input data.\n"},
        {kPyStiffClayNoFreeWaterK,
         "Solution:  Please check the values of soil shear strength and revise \nthe input data.\n"},
    };
    for (const auto& c : cases) {
        SetUp();  // a fresh run
        clayLayer(1, c.code, 0.0, 100.0, 0.0, 0.5, 0.01, 100.0);
        pyStiffClayDry(*run, 1);  // the top node passes (c = 0 is allowed there)
        EXPECT_EQ(run->errorNumber, 113);
        run->report.close();
        run->messages.close();
        const std::string block = std::string("**** Input Data Error No. 13 ****\n\n") +
                                  "An error was detected in the input data.\n" +
                                  "Problem:  Zero was input for cohesion of stiff clay without free water.\n\n" +
                                  c.solution + "\n";
        EXPECT_EQ(messages(), block);
        EXPECT_EQ(report(), block + "\n\nMervik ended prematurely due to input error number INP00013\n");
    }
}

// ---------------------------------------------------------------- layer resistance

TEST_F(StiffClayDryTest, LayerResistanceIntegratesPuToTheLayerBottom) {
    clayLayer(1, kPyStiffClayNoFreeWater, 0.0, 110.0, 10.0, 0.5, 0.01, 0.0);
    run->py.Fu[1] = 12345.0;  // rebuilt from the first node
    pyStiffClayDry(*run, 1);
    ASSERT_FALSE(run->failed());
    // Trapezoids of 300, 550, 800, 900, 900 with h = 25, then pu(last) over the 10 below it.
    EXPECT_DOUBLE_EQ(run->py.Fu[1], 12.5 * (850.0 + 1350.0 + 1700.0 + 1800.0) + 10.0 * 900.0);
}

TEST_F(StiffClayDryTest, GroundAbovePileHeadGivesLayerOneResistanceFromTheMeanStrength) {
    // c from 10 at -20 to 22 at 100. Last node: xc = 120, c = 22, pct = (5 + 11) 120 + 660 =
    // 2580 > pcd = 1980 = pu; mean strength from the ground surface cg = 16.
    run->model.soil.groundSurface = -20.0;
    SoilLayer& s = clayLayer(1, kPyStiffClayNoFreeWater, -20.0, 100.0, 10.0, 0.5, 0.01, 0.0);
    s.cohesion.bottom = 22.0;
    pyStiffClayDry(*run, 1);
    ASSERT_FALSE(run->failed());
    // (3 cg b + pu) / 2 over the layer thickness 120.
    EXPECT_DOUBLE_EQ(run->py.Fu[1], (3.0 * 16.0 * 10.0 + 1980.0) * 0.5 * 120.0);
}

// Layer 2 of the hand clay from 50 to 100 below a sand layer 1 whose resistance is F. At the
// interface the strength is the clay's (sand above), so ca = c = 10 at the layer's first node:
// X = (9 c - 3 ca) b / (ca / 2 + gamma' b) = 600 / 10 = 60, I = ((X / 4 + 3 b) ca + gamma' X b / 2) X
// = (450 + 150) 60 = 36000; A = 3 b ca = 300, B = ca / 4 + gamma' b / 2 = 5.
TEST_F(StiffClayDryTest, EquivalentDepthBelowSandMatchesTheResistanceOfTheLayerAbove) {
    clayLayer(1, kPySand, 0.0, 50.0, 0.0, 0.5, 0.0, 0.0);
    clayLayer(2, kPyStiffClayNoFreeWater, 50.0, 100.0, 10.0, 0.5, 0.01, 0.0);
    range(2, 3, 5);
    deflect(10.0);  // p = pu: Es = pu / 10
    const struct {
        double F, xe;
    } cases[] = {
        {45000.0, 60.0 + 9000.0 / 900.0},                                   // F > I: 70
        {10000.0, (std::sqrt(300.0 * 300.0 + 4.0 * 10000.0 * 5.0) - 300.0) / 10.0},  // 23.852
    };
    for (const auto& c : cases) {
        run->py.Fu[1] = c.F;
        pyStiffClayDry(*run, 2);
        ASSERT_FALSE(run->failed());
        EXPECT_NEAR(run->layers.xe[2], c.xe, 1E-9) << c.F;
        // The curves of the layer start at the equivalent depth: node 4 lies 25 below it.
        EXPECT_NEAR(Es(3), std::min(300.0 + 10.0 * c.xe, 900.0) / 10.0, 1E-9);
        EXPECT_NEAR(Es(4), std::min(300.0 + 10.0 * (c.xe + 25.0), 900.0) / 10.0, 1E-9);
    }
    // Quadratic branch: the resistance of the layer's own soil from the surface to xe,
    // 300 X + 5 X^2, is F.
    const double xe = run->layers.xe[2];
    EXPECT_NEAR(300.0 * xe + 5.0 * xe * xe, 10000.0, 1E-6);

    // Below a rock-like layer the true depth is used and xe is left alone.
    run->py.rockCount = 1;
    run->layers.xe[2] = -10000.0;
    pyStiffClayDry(*run, 2);
    EXPECT_DOUBLE_EQ(run->layers.xe[2], -10000.0);
    EXPECT_DOUBLE_EQ(Es(3), 80.0);
}

// ---------------------------------------------------------------- printed curves

// Printed points: points 1 to 15 at these multiples of 16 y50 (single-precision values), point
// 16 midway between 16 y50 and the last point.
const double kFactors[15] = {0.0,   9.999999747378752E-6, 4.999999873689376E-5, 9.999999747378752E-5,
                             0.0005000000237487257, 0.0010000000474974513, 0.004999999888241291,
                             0.009999999776482582, 0.02500000037252903, 0.05000000074505806,
                             0.07500000298023224, 0.10000000149011612, 0.25, 0.5, 1.0};

void expectPoints(const std::string& report, const std::string& plot,
                  const std::vector<std::pair<double, double>>& expected) {
    const auto plotted = plottedPoints(plot);
    const auto printed = printedPoints(report);
    ASSERT_EQ(plotted.size(), expected.size());
    ASSERT_EQ(printed.size(), expected.size());
    for (std::size_t j = 0; j < expected.size(); ++j) {
        const auto [y, p] = expected[j];
        EXPECT_NEAR(plotted[j].y, y, 1E-7 * y) << "point " << j + 1;
        EXPECT_NEAR(plotted[j].p, p, 1E-7 * p) << "point " << j + 1;
        EXPECT_NEAR(printed[j].y, y, 1E-5 * y + 6E-6) << "point " << j + 1;
        EXPECT_NEAR(printed[j].p, p, 1E-5 * p + 6E-6) << "point " << j + 1;
    }
}

// USCS, code 3, static: b = 12 in, c = 10 psi (1440 psf), gamma' = 0.04 pci (69.12 pcf),
// eps50 = 0.005, output depth 60 in (5 ft). pct = (0.48 + 5) 60 + 360 = 688.8 < pcd = 1080, so
// pu = 688.8; y50 = 0.15, 16 y50 = 2.4. Below 2E-5 b = 2.4E-4 (points 2 to 4) p is the secant
// 0.5 pu / y50 (y50 / 2.4E-4)^(3/4) = 2296 * 625^(3/4) = 2296 * 125 = 287000 times y.
TEST_F(StiffClayDryTest, PrintedStaticCurveOfCodeThree) {
    units(kUSCS);
    clayLayer(1, kPyStiffClayNoFreeWater, 0.0, 240.0, 10.0, 0.04, 0.005, 0.0);
    width(12.0);
    run->nodes.L = 240.0;
    printAt(60.0);
    ASSERT_FALSE(run->failed());
    const UnitLabels& u = run->units;
    const std::string lineLoad = u.ForceUnit + "/" + u.DeflectionUnit;
    const std::string head =
        "\n\np-y Curve Computed Using Static Criteria for Stiff Clay without Free Water\n\n" +
        row("Soil Layer Number", "           1") + row("Depth below pile head", "       5.000 " + u.DepthUnit) +
        row("Depth below ground surface", "       5.000 " + u.DepthUnit) +
        row("Equivalent Depth", "       5.000 " + u.DepthUnit) + row("Ground Slope Angle", "       0.000 degrees") +
        row("Pile Batter Angle", "       0.000 degrees") + row("Effective Slope", "       0.000 degrees") +
        row("Diameter", "      12.000 " + u.DeflectionUnit) +
        row("Undrained cohesion, c", "    10.00000 " + u.StressUnit) +
        row("Undrained cohesion, c", "  1440.00000 " + u.SoilStressUnit) +
        row("Average Eff. Unit Weight", "     0.04000 " + u.UnitWeightComputeUnit) +
        row("Average Eff. Unit Weight", "    69.12000 " + u.UnitWeightUnit) + row("Epsilon-50", "     0.00500") +
        row("Pct", "     688.800 " + lineLoad) + row("Pcd", "    1080.000 " + lineLoad) +
        row("Pu", "     688.800 " + lineLoad) + row("y50", "       0.150 " + u.DeflectionUnit) +
        row("p-multiplier", "     1.00000") + row("y-multiplier", "     1.00000") + "\n" + "        y, " +
        u.DeflectionUnit + "            p, " + lineLoad + "\n" + "----------------    -----------------\n";
    EXPECT_EQ(report().substr(0, head.size()), head);

    // Hand values: points 2 to 4 (y = 2.4E-5, 1.2E-4, 2.4E-4) 6.888, 34.44, 68.88 (the secant
    // meets the curve at the threshold: 344.4 * 0.0016^(1/4) = 68.88); point 10 (y = 0.12, y/y50 =
    // 0.8) 344.4 * 0.94574 = 325.71; point 13 (y = 0.6, 4 y50) 344.4 * sqrt(2) = 487.06; point 14
    // (8 y50) 579.21; from point 15 (2.4) pu = 688.8; point 16 at 2.46, point 17 at 16.8 y50 = 2.52.
    std::vector<std::pair<double, double>> expected;
    for (int j = 1; j <= 17; ++j) {
        double y = 16.8 * 0.15;
        if (j <= 15) y = kFactors[j - 1] * 2.4;
        if (j == 16) y = (2.4 + 16.8 * 0.15) / 2.0;
        const double p = y < 2.4E-4 ? 287000.0 * y : (y <= 2.4 ? quarterPower(688.8, y, 0.15) : 688.8);
        expected.emplace_back(y, p);
    }
    EXPECT_NEAR(expected[3].second, 68.88, 1E-4);
    EXPECT_NEAR(expected[9].second, 325.71, 0.01);
    EXPECT_NEAR(expected[12].second, 487.06, 0.01);
    EXPECT_NEAR(expected[13].second, 579.21, 0.01);
    expectPoints(report(), plot(), expected);
    const std::string& p = plot();
    EXPECT_EQ(p.rfind("  6.0000000E+01   17" + std::string(60, ' ') +
                          "Line 7:  p-y curve depth in stiff clay w/o free water, no. p-y points on curve no. 1\n",
                      0),
              0u);
    EXPECT_NE(p.find(std::string(50, ' ') + "Line 8(17): y, p, for stiff clay w/o water\n"), std::string::npos);
    EXPECT_DOUBLE_EQ(Es(1), 0.0);  // the report pass sets no modulus
}

// SI, code 4, cyclic with N = 100, pm = 0.8 and ym = 1.5: b = 0.5 m, c = 100 kPa, gamma' = 10,
// eps50 = 0.005, k = 100000, output depth 1 m. pct = (5 + 50) 1 + 150 = 205 < 450, pu = 205;
// y50 = 0.00625 (16 y50 = 0.1), stretched 2.2 y50 = 0.01375; k x = 100000. yN = (9.6 * 2 + 16)
// y50 / 15 = 0.0146667, last point 18.75 yN = 0.275 (1.25 times 16 * 2.2 y50), point 16 0.1875.
TEST_F(StiffClayDryTest, PrintedCyclicCurveOfCodeFourWithMultipliers) {
    units(kSI);
    clayLayer(1, kPyStiffClayNoFreeWaterK, 0.0, 10.0, 100.0, 10.0, 0.005, 100000.0);
    width(0.5);
    multipliers(0.8, 1.5);
    run->nodes.L = 10.0;
    cyclic(100.0);
    printAt(1.0);
    ASSERT_FALSE(run->failed());
    const UnitLabels& u = run->units;
    const std::string& r = report();
    EXPECT_EQ(r.rfind("\n\np-y Curve Computed Using Cyclic Criteria for Stiff Clay without Free Water\n"
                      "with Option of Defining Initial k\n\n" +
                          row("Soil Layer Number", "           1"),
                      0),
              0u);
    EXPECT_NE(r.find(row("Epsilon-50", "     0.00500") + row("k", "     100000. " + u.SubgradeUnit)),
              std::string::npos);
    EXPECT_NE(r.find(row("Pu", "     205.000 " + u.ForceUnit + "/" + u.DeflectionUnit)), std::string::npos);
    EXPECT_NE(r.find(row("p-multiplier", "     0.80000") + row("y-multiplier", "     1.50000") +
                     row("Number of Cycles of Loading", "        100.") + "\n"),
              std::string::npos);

    // Hand values of p (before pm): points 2 to 6 on the line k x y = 0.1, 0.5, 1, 5, 10 (the
    // curve is higher: 9.47 at point 2, 29.93 at point 6); point 7 (y = 5E-4) the curve
    // 102.5 (5E-4 / 0.01375)^(1/4) = 44.76 < 50; point 15 (0.1) 168.32; point 16 (0.1875)
    // 196.97; point 17 (0.275, 20^(1/4) = 2.115) limited to pu = 205.
    const double y50s = (kStretch * 2.0 + 1.0) * 0.00625;
    const double ye = 18.75 * (9.600000381469727 * 2.0 + 16.0) * 0.00625 / 15.0;
    std::vector<std::pair<double, double>> expected;
    for (int j = 1; j <= 17; ++j) {
        double y = ye;
        if (j <= 15) y = kFactors[j - 1] * 0.1;
        if (j == 16) y = (0.1 + ye) / 2.0;
        const double p = std::min({205.0, quarterPower(205.0, y, y50s), 100000.0 * y});
        expected.emplace_back(1.5 * y, 0.8 * p);
    }
    EXPECT_NEAR(ye, 0.275, 1E-8);
    EXPECT_NEAR(expected[1].second, 0.8 * 0.1, 1E-7 * 0.08);  // single-precision point factors
    EXPECT_NEAR(expected[5].second, 0.8 * 10.0, 1E-7 * 8.0);
    EXPECT_NEAR(expected[6].second, 0.8 * 44.76, 0.01);
    EXPECT_NEAR(expected[14].second, 0.8 * 168.32, 0.01);
    EXPECT_NEAR(expected[15].second, 0.8 * 196.97, 0.01);
    EXPECT_NEAR(expected[16].second, 0.8 * 205.0, 1E-9);
    expectPoints(r, plot(), expected);
    EXPECT_NE(plot().find("Line 7:  p-y curve depth in stiff clay w/o free water with k, "
                          "no. p-y points on curve no. 1\n"),
              std::string::npos);
    EXPECT_NE(plot().find("Line 8(17): y, p, for stiff clay with k\n"), std::string::npos);
}

// The titles follow the loading type; the cycles line is printed for cyclic loading only.
TEST_F(StiffClayDryTest, PrintedTitlesAndCyclesLineOfBothCodes) {
    const struct {
        int code;
        bool cyclic;
        const char* title;
        const char* cyclesLabel;  // empty: no cycles line
    } cases[] = {
        {kPyStiffClayNoFreeWater, true,
         "p-y Curve Computed Using Cyclic Criteria for Stiff Clay without Free Water\n\n",
         "Number of cycles of loading"},
        {kPyStiffClayNoFreeWaterK, false,
         "p-y Curve Computed Using Static Criteria for Stiff Clay without Free Water\n"
         "with Option of Defining Initial k\n\n",
         ""},
    };
    for (const auto& c : cases) {
        SetUp();  // a fresh run
        clayLayer(1, c.code, 0.0, 100.0, 10.0, 0.5, 0.01, 2.0);
        run->model.options.cyclic = c.cyclic;
        run->model.options.numberOfCycles = 10.0;
        printAt(25.0);
        ASSERT_FALSE(run->failed());
        const std::string& r = report();
        EXPECT_EQ(r.rfind(std::string("\n\n") + c.title, 0), 0u);
        const std::string cycles = std::string(c.cyclesLabel).empty() ? "" : row(c.cyclesLabel, "         10.");
        EXPECT_NE(r.find(row("y-multiplier", "     1.00000") + cycles + "\n"), std::string::npos);
        if (cycles.empty()) {
            EXPECT_EQ(r.find("Number of"), std::string::npos);
        }
    }
}

// ---------------------------------------------------------------- a whole run

// A 24 in steel pipe, 60 ft, in stiff clay above the water table: code 3 to 20 ft over code 4
// (default eps50 and k) below, 100 cycles of a 20 kip head shear. The converged soil reaction
// balances the head shear, and the printed curves of both layers are cyclic.
TEST(StiffClayDryRun, SteelPipeUnderCyclicLoadingRunsToEquilibrium) {
    testing::TempDir dir;
    auto run = std::make_unique<mervik::Run>();
    ASSERT_EQ(testing::runFixture(dir, "pipe_pile_stiff_clay_cyclic.lp6", *run), 0) << dir.read("messages.msg");
    EXPECT_NEAR(testing::soilReaction(run->nodes), 20000.0, 0.01 * 20000.0);
    const std::string report = dir.read("report.out");
    // At 30 ft c = 2200 psf (15.3 psi): the default k of cyclic loading is 400 pci.
    EXPECT_NE(report.find(row("k", "        400. " + run->units.SubgradeUnit)), std::string::npos);
    EXPECT_NE(report.find("p-y Curve Computed Using Cyclic Criteria for Stiff Clay without Free Water\n\n"),
              std::string::npos);
    EXPECT_NE(report.find("p-y Curve Computed Using Cyclic Criteria for Stiff Clay without Free Water\n"
                          "with Option of Defining Initial k\n"),
              std::string::npos);
    // Layer 2, stronger than the clay above, starts at an equivalent depth above its true
    // depth of 240 in.
    EXPECT_GT(run->layers.xe[2], 0.0);
    EXPECT_LT(run->layers.xe[2], 240.0);
    EXPECT_NE(dir.read("messages.msg").find("The analysis ended normally."), std::string::npos);
}

}  // namespace
}  // namespace mervik
