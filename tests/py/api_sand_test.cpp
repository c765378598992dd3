// API sand p-y curves: the C coefficients, the shallow and deep ultimate resistances on level and
// sloping ground, the tanh curve of the solve and report passes, the default subgrade modulus,
// the layer resistance and equivalent depth, the warnings and errors, and the printed block.
// Expected values are worked out by hand from the API sand relations (the coefficients agree
// with the published chart values: phi 30: 1.9 / 2.7 / 29; 35: 3.0 / 3.4 / 54; 40: 4.6 / 4.4 / 104).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "engine/errors.hpp"
#include "support/py_model_test.hpp"

namespace mervik {
namespace {

using testing::labelValue;
using testing::printedPoints;
using testing::PyModelTest;

constexpr double kPiTest = 3.141592653589793;
// API coefficients for 35 degrees worked out by hand (K0 = 0.4), and the floor of A.
constexpr double kC1 = 2.970447518, kC2 = 3.419182278, kC3 = 53.793453315;
constexpr double kAFloor = 0.8999999761581421;

// US units: one API sand layer from the pile head (the ground surface) to 600 in, gamma' 0.04
// pci, phi 35 degrees, k 90 pci; a pile 24 in wide; nodes every 60 in down to 240 in.
class ApiSandTest : public PyModelTest {
protected:
    void SetUp() override {
        PyModelTest::SetUp();
        handProfile(kUSCS, 24.0, 5, 60.0);
        layer(1, 0.0, 600.0, 35.0);
    }
    SoilLayer& layer(int L, double top, double bottom, double phi) {
        SoilLayer& s = placeLayer(L, kPyApiSand, top, bottom);
        s.gamma = {0.04, 0.04};
        s.phi = {phi, phi};
        s.kpy = {90.0, 90.0};
        return s;
    }
    void slopeDegrees(double ground) {
        run->model.slope.groundSlope = ground * kPiTest / 180.0;
        run->model.slope.effectiveSlope = run->model.slope.groundSlope;
    }
    // Report pass of layer 1 at one output depth (entry 1 of the output list).
    void printAt(double depth) {
        run->py.reportPass = true;
        run->nodes.x[1] = depth;
        range(1, 1, 1);
        pyApiSand(*run, 1);
    }
    void solve() {
        run->py.reportPass = false;
        pyApiSand(*run, run->py.layer);
    }
};

// ---------------------------------------------------------------- coefficients, resistance

TEST_F(ApiSandTest, CoefficientsFollowTheFrictionAngle) {
    struct Case {
        double phi, C1, C2, C3;
    };
    for (const Case& c : {Case{30.0, 1.911705, 2.666667, 28.745128}, Case{35.0, 2.970448, 3.419182, 53.793453},
                          Case{40.0, 4.623957, 4.381467, 104.148150}}) {
        start();
        SetUp();
        run->model.soil.layer[1].phi = {c.phi, c.phi};
        printAt(120.0);
        ASSERT_FALSE(run->failed());
        EXPECT_NEAR(labelValue(report(), "C1"), c.C1, 6E-6) << c.phi;
        EXPECT_NEAR(labelValue(report(), "C2"), c.C2, 6E-6) << c.phi;
        EXPECT_NEAR(labelValue(report(), "C3"), c.C3, 6E-6) << c.phi;
    }
}

// Shallow (C1 x + C2 b) gamma x against deep C3 b gamma x: the transition lies near
// (C3 - C2) b / C1 = 407 in; static A = 3 - 0.8 x/b with its floor 0.9.
TEST_F(ApiSandTest, UltimateResistanceIsTheSmallerOfShallowAndDeep) {
    struct Case {
        double depth, Pus, Pud, Pu, A;
    };
    for (const Case& c : {Case{36.0, 272.1549, 1859.1017, 272.1549, 1.8},
                          Case{480.0, 28951.2035, 24788.0233, 24788.0233, 0.9},
                          Case{63.0, 678.3804, 3253.4281, 678.3804, 0.9}}) {
        start();
        SetUp();
        printAt(c.depth);
        ASSERT_FALSE(run->failed());
        EXPECT_NEAR(labelValue(report(), "Pus"), c.Pus, 6E-4) << c.depth;
        EXPECT_NEAR(labelValue(report(), "Pud"), c.Pud, 6E-4) << c.depth;
        EXPECT_NEAR(labelValue(report(), "Pu"), c.Pu, 6E-4) << c.depth;
        EXPECT_NEAR(labelValue(report(), "A"), c.A, 6E-6) << c.depth;
    }
}

// Ground sloping 10 degrees: Kas = cos t (cos t - sqrt D)/(cos t + sqrt D) = 0.281751; the side
// factor 1 + tan(10) tan(62.5) = 1.338721 when the pile deflects with the slope, 0.661279
// against it; the deep value equals the level-ground one.
TEST_F(ApiSandTest, SlopingGroundUsesTheWedgeOfTheSideOfLoading) {
    struct Case {
        double y, Pus, Pud;
    };
    // Ground sloping the other way and no deflection: the side is undecided, the factor keeps
    // its starting value 0 and the deep value governs.
    for (const Case& c : {Case{1.0, 1373.1061, 6197.0058}, Case{-1.0, 3872.3233, 6197.0058},
                          Case{0.0, 6197.0058, 6197.0058}}) {
        start();
        SetUp();
        slopeDegrees(c.y == 0.0 ? -10.0 : 10.0);
        run->nodes.y(1) = c.y;
        printAt(120.0);
        ASSERT_FALSE(run->failed());
        EXPECT_NEAR(labelValue(report(), "Pus"), c.Pus, 6E-4) << c.y;
        EXPECT_NEAR(labelValue(report(), "Pud"), c.Pud, 6E-4) << c.y;
        EXPECT_NEAR(labelValue(report(), "C2"), 3.408421, 6E-6) << c.y;
        EXPECT_NEAR(labelValue(report(), "C3"), 53.782693, 6E-6) << c.y;
        EXPECT_NEAR(labelValue(report(), "Effective Slope"), c.y == 0.0 ? -10.0 : 10.0, 6E-4);
    }
}

// ---------------------------------------------------------------- the tanh curve

// At 36 in shallow controls with static A = 1.8; at 120 in Pus = (C1*120 + C2*24)*120*0.04 =
// 2104.8 against Pud = C3*24*0.04*120 = 6197.0 with A at its floor; cyclic A = 0.9. Points y_j = (j - 1) dy with
// dy = pi/16 * A ps/(k x), printed as ym*y and pm*p.
TEST_F(ApiSandTest, PrintedPointsFollowTheTanhCurve) {
    for (const bool cyclic : {false, true}) {
        for (const double depth : {36.0, 120.0}) {
            start();
            SetUp();
            run->model.options.cyclic = cyclic;
            multipliers(0.8, 1.25);
            printAt(depth);
            ASSERT_FALSE(run->failed());
            const double Pus = (kC1 * depth + kC2 * 24.0) * depth * 0.04;
            const double Pud = kC3 * 24.0 * 0.04 * depth;
            const double ps = std::min(Pus, Pud);
            const double A = cyclic ? kAFloor : std::max(kAFloor, 3.0 - 0.800000011920929 * depth / 24.0);
            const double pu = A * ps;
            const double dy = kPiTest / 16.0 * pu / (90.0 * depth);
            const auto points = printedPoints(report());
            ASSERT_EQ(points.size(), 17u);
            for (int j = 1; j <= 17; ++j) {
                const double y = (j - 1) * dy;
                EXPECT_NEAR(points[at(j - 1)].y, 1.25 * y, 6E-5) << cyclic << " " << depth << " " << j;
                EXPECT_NEAR(points[at(j - 1)].p, 0.8 * pu * std::tanh(90.0 * depth * y / pu), 5.1E-4)
                    << cyclic << " " << depth << " " << j;
            }
            // Point 17 reaches k x y / pu = pi.
            EXPECT_NEAR(points[16].p, 0.8 * pu * std::tanh(kPiTest), 1E-3);
            EXPECT_EQ(report().find(cyclic ? "for Cyclic Loading" : "for Static Loading") != std::string::npos, true);
        }
    }
}

// Solve pass: Es = pm p(y/ym)/(y/ym)/ym; below 1E-14 the initial slope k x without multipliers;
// at the ground surface the curve is 0.
TEST_F(ApiSandTest, SecantModulusFromTheTanhCurve) {
    multipliers(0.8, 1.25);
    const double ys[] = {0.2, 0.0, 0.3, 1.5, 0.05};
    for (int k = 1; k <= 5; ++k) run->nodes.y(k) = ys[k - 1];
    solve();
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(Es(1), 0.0);
    EXPECT_DOUBLE_EQ(Es(2), 90.0 * 60.0);
    for (int k = 3; k <= 5; ++k) {
        const double x = 60.0 * (k - 1);
        const double ps = std::min((kC1 * x + kC2 * 24.0) * x * 0.04, kC3 * 24.0 * 0.04 * x);
        const double pu = kAFloor * ps;
        const double yc = ys[k - 1] / 1.25;
        const double expected = 0.8 * pu * std::tanh(90.0 * x * yc / pu) / yc / 1.25;
        EXPECT_NEAR(Es(k), expected, expected * 1E-6) << k;
    }
    EXPECT_EQ(report(), "");
}

// At the ground surface the curve is identically 0 and the printed step is 0.05 in.
TEST_F(ApiSandTest, CurveAtTheGroundSurfaceIsZero) {
    printAt(0.0);
    const auto points = printedPoints(report());
    ASSERT_EQ(points.size(), 17u);
    for (int j = 1; j <= 17; ++j) {
        EXPECT_NEAR(points[at(j - 1)].y, 0.05 * (j - 1), 6E-5);
        EXPECT_EQ(points[at(j - 1)].p, 0.0);
    }
}

// ---------------------------------------------------------------- subgrade modulus

// k not given: the default for 35 degrees in US units is 1.2098290369522147E-7 * 35^5.694468
// = 75.05335 pci; the layer's k values are cleared for the rest of the run.
TEST_F(ApiSandTest, DefaultSubgradeModulusWhenKIsNotGiven) {
    run->model.soil.layer[1].kpy = {0.0, 50.0};
    solve();
    ASSERT_FALSE(run->failed());
    for (int k = 2; k <= 5; ++k) EXPECT_NEAR(Es(k), 75.05335405 * 60.0 * (k - 1), 1E-5) << k;
    EXPECT_EQ(run->model.soil.layer[1].kpy.bottom, 0.0);
    printAt(120.0);
    EXPECT_NEAR(labelValue(report(), "k"), 75.053, 6E-4);
    EXPECT_NE(report().find("\nThe above p-y curve was computed using the internal default value of k.\n\n"),
              std::string::npos);
}

TEST_F(ApiSandTest, GivenSubgradeModulusIsInterpolatedOverTheLayer) {
    run->model.soil.layer[1].kpy = {60.0, 120.0};
    solve();
    for (int k = 2; k <= 5; ++k) {
        const double x = 60.0 * (k - 1);
        EXPECT_DOUBLE_EQ(Es(k), (60.0 + 60.0 * x / 600.0) * x) << k;
    }
}

TEST_F(ApiSandTest, GeneralUnitsWithoutKEndTheRun) {
    run->model.options.IUNITS = kGeneral;
    run->units = makeUnitLabels(kGeneral);
    run->model.soil.layer[1].kpy = {0.0, 0.0};
    solve();
    EXPECT_EQ(run->errorNumber, runtimeError(13));
    EXPECT_EQ(messages().find("\n\n**** Runtime Error No. 13 ****\n\nProblem:  General units have been selected"), 0u);
}

// ---------------------------------------------------------------- layer resistance

// Fu(1) integrates q = pu tanh(3b/80 * k x / pu) over the nodes (trapezoids of 60 in) and adds
// (bottom - x(last)) q(last) for the layer below the tip.
TEST_F(ApiSandTest, LayerResistanceIntegratesTheCurveAtThreeEightiethsOfTheWidth) {
    solve();
    const auto q = [](double x) {  // x below the ground surface
        if (x == 0.0) return 0.0;
        const double A = std::max(kAFloor, 3.0 - 0.800000011920929 * x / 24.0);
        const double pu = A * std::min((kC1 * x + kC2 * 24.0) * x * 0.04, kC3 * 24.0 * 0.04 * x);
        return pu * std::tanh((3.0 * 24.0 / 80.0) * x * 90.0 / pu);
    };
    double expected = 0.0;
    for (int k = 2; k <= 5; ++k) expected += (q(60.0 * (k - 2)) + q(60.0 * (k - 1))) * 30.0;
    expected += 360.0 * q(240.0);
    EXPECT_NEAR(run->py.Fu[1], expected, expected * 1E-6);

    // Ground surface 12 in above the pile head: Fu(1) = q(last) * 0.5 * layer thickness.
    start();
    SetUp();
    run->model.soil.groundSurface = run->model.soil.propertyDepth[1] = run->model.soil.layer[1].depthTop = -12.0;
    solve();
    EXPECT_NEAR(run->py.Fu[1], q(252.0) * 0.5 * 612.0, q(252.0) * 1E-6);
}

// Layer 2 (phi 30) below layer 1 from 150 in: its top is placed where this sand, integrated from
// the ground surface with the Reese A coefficients, carries the resistance F of layer 1; below
// the transition depth Xt = (C3 - C2) b / C1 the deep resistance with A = 0.88 continues.
TEST_F(ApiSandTest, EquivalentDepthCarriesTheResistanceAbove) {
    const double c1 = 1.911705, c2 = 2.666667, cd = 28.745128, b = 24.0, G = 0.04 * b * b;
    const double rA[] = {0, 0.5, 1, 1.5, 2, 2.5, 3, 4, 5, 6};
    const double aS[] = {2.83, 2.48, 2.11, 1.76, 1.48, 1.23, 1.06, 0.9, 0.88, 0.88};
    const auto A = [&](double r) {
        if (r >= 6.0) return 0.88;
        int i = 1;
        while (r > rA[i]) ++i;
        return aS[i - 1] + (r - rA[i - 1]) * (aS[i] - aS[i - 1]) / (rA[i] - rA[i - 1]);
    };
    const auto q = [&](double x) { return A(x / b) * G * (c1 * (x / b) * (x / b) + c2 * x / b); };
    // Simpson integral of q from 0 to X on a fine grid.
    const auto S = [&](double X) {
        const int n = 20000;
        const double h = X / n;
        double s = q(0.0) + q(X);
        for (int i = 1; i < n; ++i) s += (i % 2 ? 4.0 : 2.0) * q(i * h);
        return s * h / 3.0;
    };
    const double Xt = (cd - c2) * b / c1;
    for (const double F : {20000.0, 2.0E6}) {
        start();
        SetUp();
        layer(1, 0.0, 150.0, 35.0);
        layer(2, 150.0, 600.0, 30.0);
        run->py.Fu[1] = F;
        range(2, 4, 5);
        solve();
        ASSERT_FALSE(run->failed());
        double expected = 0.0;
        if (F < S(Xt)) {
            double lo = 0.0, hi = Xt;
            for (int i = 0; i < 60; ++i) (S(0.5 * (lo + hi)) < F ? lo : hi) = 0.5 * (lo + hi);
            expected = 0.5 * (lo + hi);
        } else {
            expected = Xt + (F - S(Xt)) / (0.88 * 180.0 * cd * G / b);
        }
        EXPECT_NEAR(run->layers.xe[2], expected, expected * 1E-3) << F;
    }
}

// ---------------------------------------------------------------- warnings and errors

TEST_F(ApiSandTest, FrictionAngleOutsideTwentyToFortyEightRecordsWarning303) {
    struct Case {
        double phi;
        int count;
    };
    for (const Case& c : {Case{50.0, 5}, Case{19.0, 5}, Case{35.0, 0}, Case{48.0, 0}, Case{20.0, 0}}) {
        start();
        SetUp();
        run->model.soil.layer[1].phi = {c.phi, c.phi};
        solve();
        ASSERT_FALSE(run->failed());
        EXPECT_EQ(run->warnings.counts[303], c.count) << c.phi;
        EXPECT_EQ(messages(), "") << c.phi;
    }
}

TEST_F(ApiSandTest, ZeroFrictionAngleBelowTheFirstNodeIsInputError1) {
    run->model.soil.layer[1].phi = {0.0, 0.0};
    solve();
    EXPECT_EQ(run->errorNumber, inputError(1));
    const std::string text =
        "**** Input Data Error No. 1 ****\n"
        "\n"
        "An error was detected in the input data when computing a p-y.\n"
        "curve using the API sand criteria for layer 1.\n"
        "\n"
        "Problem:  A zero was input for the friction angle for sand.\n"
        "\n"
        "Solution:  Check the friction angle values and revise the \n"
        "data to correct this problem.\n"
        "\n";
    EXPECT_EQ(messages(), text);
    EXPECT_EQ(report().find(text), 0u);
}

TEST_F(ApiSandTest, SlopeSteeperThanFrictionInLayerOneIsInputError2) {
    slopeDegrees(35.0);
    solve();
    EXPECT_EQ(run->errorNumber, inputError(2));
    const std::string text =
        "**** Input Data Error No. 2 ****\n"
        "\n"
        "An error was detected in the input data when computing a p-y.\n"
        "curve using the API criteria for sand for layer 1.\n"
        "\n"
        "Problem:  The angle of the ground slope can not be greater \n"
        "than the internal friction angle of the sand.\n"
        "\n"
        "Solution:  Set the value for slope angle to be less than \n"
        "the angle of friction.\n";
    EXPECT_EQ(messages(), text);
    EXPECT_EQ(report().find(text), 0u);
}

// ---------------------------------------------------------------- printed block

TEST_F(ApiSandTest, LayerBelowRockPrintsTheTrueDepthNote) {
    run->layers.marks[1] = true;
    printAt(36.0);
    EXPECT_NE(report().find("y-multiplier                                           =      1.00000\n\n"
                            "This layer is below one or more layers of rock.  In this case, the \n"
                            "layering correction is not used and the true depth below the ground \n"
                            "surface is used when computing the p-y curve.  \n\n    y, inches"),
              std::string::npos);
    EXPECT_EQ(report().find("equivalent depth."), std::string::npos);
}

TEST_F(ApiSandTest, PrintedBlockAtThreeFeet) {
    printAt(36.0);
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(report(),
              "\n"
              "\n"
              "p-y Curve Computed Using API Sand Criteria for Static Loading\n"
              "\n"
              "Soil Layer Number                                      =            1\n"
              "Depth below pile head                                  =        3.000 ft\n"
              "Depth below ground surface                             =        3.000 ft\n"
              "Equivalent Depth (see note)                            =        3.000 ft\n"
              "Ground Slope Angle                                     =        0.000 degrees\n"
              "Pile Batter                                            =        0.000 degrees\n"
              "Effective Slope                                        =        0.000 degrees\n"
              "Diameter                                               =       24.000 in \n"
              "Friction Angle phi                                     =       35.000 deg.\n"
              "Avg. Eff. Unit Weight                                  =      0.04000 pci  \n"
              "Avg. Eff. Unit Weight                                  =     69.12000 pcf  \n"
              "A                                                      =      1.80000\n"
              "k                                                      =       90.000 pci  \n"
              "C1                                                     =      2.97045\n"
              "C2                                                     =      3.41918\n"
              "C3                                                     =     53.79345\n"
              "Pus                                                    =      272.155 lbs/in \n"
              "Pud                                                    =     1859.102 lbs/in \n"
              "Pu                                                     =      272.155 lbs/in \n"
              "p-multiplier                                           =      1.00000\n"
              "y-multiplier                                           =      1.00000\n"
              "\n"
              "This p-y curve is computed using the equivalent depth.\n"
              "\n"
              "    y, inches           p, lb/inch   \n"
              "----------------    -----------------\n"
              "         0.0000            0.000\n"
              "         0.0297           94.970\n"
              "         0.0594          183.060\n"
              "         0.0891          259.249\n"
              "         0.1187          321.260\n"
              "         0.1484          369.281\n"
              "         0.1781          405.057\n"
              "         0.2078          430.947\n"
              "         0.2375          449.294\n"
              "         0.2672          462.101\n"
              "         0.2969          470.948\n"
              "         0.3266          477.015\n"
              "         0.3562          481.156\n"
              "         0.3859          483.972\n"
              "         0.4156          485.882\n"
              "         0.4453          487.177\n"
              "         0.4750          488.053\n");
    const auto plotLines = testing::lines(plot());
    ASSERT_EQ(plotLines.size(), 18u);
    EXPECT_EQ(plotLines[0], "  3.6000000E+01   17" + std::string(60, ' ') +
                                "Line 7:  p-y curve depth in API sand, no. p-y points on curve no. 1");
    // Record 8 of point 2 carries eight digits: A = 3 - 0.800000011920929 * 1.5 = 1.7999999821
    // (single-precision 0.8) gives p = 94.9701538, not the 94.9701550 of A = 1.8.
    EXPECT_EQ(plotLines[2], "  2.9687498E-02  9.4970154E+01" + std::string(50, ' ') + "Line 8(2): y, p, for API sand");
    EXPECT_EQ(plotLines[17].substr(80), "Line 8(17): y, p, for API sand");
}

}  // namespace
}  // namespace mervik
