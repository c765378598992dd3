// Weak rock p-y curves (code 8): ultimate resistance and initial slope with the depth into rock,
// the stack of rock layers, the two branches of the curve, the secant modulus, the layer
// resistance, the RQD and krm lookups, the warnings and errors, the printed curve, the layer below
// rock and a drilled shaft socketed into weak rock from end to end.
//
// Hand profile unless a test says otherwise (consistent generic units, no warnings): one weak
// rock layer from 0 to 100, qur = 100, RQD = 30 (alpha_r = 1 - 30/150 = 0.8), Eir from 1000 at
// the top to 2000 at the bottom (1000 + 10 x), krm = 0.001, b = 10, so yrm = 0.01 and 3 b = 30.
// Nodes at 0, 15, 30 - 1E-8 (xr exactly 30 = 3 b), 45 and 60:
//   x      xr      pur                              Kir   Eir   Mir
//   0      1E-8    0.8*100*10           =  800      100   1000  100000
//   15     15      0.8*1000*(1 + 1.4*1.5) = 2480    300   1150  345000
//   30-    30      0.8*1000*(1 + 1.4*3) = 4160      500   1300  650000   (shallow branch)
//   45     45      0.8*1000*5.2         = 4160      500   1450  725000   (deep branch)
//   60     60      4160                             500   1600  800000
// The engine's single-precision constants (1.4 = 1.399999976158142, 5.2 = 5.199999809265137,
// 1/150 = 0.006666666828095913) make the shallow value at 3 b exceed the deep one by 2.3E-8
// relative, which the tolerances below resolve.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/errors.hpp"
#include "engine/warnings.hpp"
#include "py/py_framework.hpp"
#include "py/rock_test_support.hpp"

namespace mervik {
namespace {

using testing::expectRelative;
using testing::hasLines;
using testing::labelValue;
using testing::plottedPoints;

constexpr double kOffset = 9.99999993922529E-9;  // xr at the rock surface
constexpr double kAlpha30 = 1.0 - 30.0 * 0.006666666828095913;
constexpr double k14 = 1.399999976158142, k52 = 5.199999809265137, kYaExp = 1.3329999446868896;
constexpr double kX3b = 30.0 - kOffset;  // depth whose xr is 3 b

class WeakRockTest : public testing::RockRunTest {
public:
    void SetUp() override {
        RockRunTest::SetUp();
        units(kGeneral);
        rock(1, 0.0, 100.0);
        width(10.0);
        nodes({0.0, 15.0, kX3b, 45.0, 60.0}, 15.0, 60.0);
        range(1, 1, 5);
    }
    SoilLayer& rock(int L, double top, double bottom) {
        SoilLayer& s = layer(L, kPyWeakRock, top, bottom);
        s.cohesion = {100.0, 100.0};
        s.rqd = {30.0, 30.0};
        s.kpy = {1000.0 + 10.0 * top, 1000.0 + 10.0 * bottom};
        s.eps50 = {0.001, 0.001};
        return s;
    }
    void solve() { pyWeakRock(*run, run->py.layer); }

    // The hand values of the profile at depth x (alpha_r 0.8, b = 10, qur = 100).
    static double xr(double x) { return kOffset + x; }
    static double pur(double x) {
        return xr(x) > 30.0 ? k52 * kAlpha30 * 100.0 * 10.0 : kAlpha30 * 100.0 * 10.0 * (1.0 + k14 * xr(x) / 10.0);
    }
    static double Mir(double x) {
        const double Kir = xr(x) > 30.0 ? 500.0 : 100.0 + 400.0 * xr(x) / 30.0;
        return Kir * (1000.0 + 10.0 * x);
    }
    static double ya(double x) { return std::pow(pur(x) / (2.0 * std::pow(0.01, 0.25) * Mir(x)), kYaExp); }
};

// ---------------------------------------------------------------- resistance and slope

TEST_F(WeakRockTest, UltimateResistanceAndInitialSlopeGrowToThreeWidthsIntoRock) {
    const double x[] = {0.0, 15.0, kX3b, 45.0, 60.0};
    ASSERT_EQ(kOffset + kX3b, 30.0);  // node 3 lies exactly at xr = 3 b
    deflect(1.0);  // beyond 16 yrm = 0.16: p = pur, Es = pur / 1
    solve();
    ASSERT_FALSE(run->failed());
    const double expected[] = {800.0, 2480.0, 4160.0, 4160.0, 4160.0};
    for (int k = 1; k <= 5; ++k) {
        expectRelative(Es(k), pur(x[k - 1]));
        EXPECT_NEAR(Es(k), expected[k - 1], expected[k - 1] * 1E-7) << k;  // the round hand values
    }
    // At xr = 3 b the shallow expression holds: 1 + 1.4 * 3 in single precision, not 5.2.
    expectRelative(Es(3), kAlpha30 * 1000.0 * (1.0 + k14 * 3.0));
    EXPECT_GT(Es(3) - Es(4), 4160.0 * 2E-8);

    deflect(0.0);  // on the initial line: Es = Mir = Kir Eir
    solve();
    const double slopes[] = {100000.0, 345000.0, 650000.0, 725000.0, 800000.0};
    for (int k = 1; k <= 5; ++k) EXPECT_NEAR(Es(k), slopes[k - 1], 0.01) << k;  // Kir ~ 100 at the surface
}

TEST_F(WeakRockTest, CurveIsTheInitialLineToYaThenTheQuarterPowerFlatFromSixteenYrm) {
    multipliers(0.5, 2.0);
    const double x = 15.0, pu = pur(x), yrm = 0.01;
    ASSERT_NEAR(ya(x), 0.002559, 1E-6);  // (2480 / (2 * 0.31623 * 345000))^1.333
    const struct {
        double yc;   // curve deflection y / ym
        double Es;   // expected secant modulus
    } cases[] = {
        {0.5 * ya(x), Mir(x)},       // initial line: Mir, without the multipliers
        {0.999 * ya(x), Mir(x)},
        {2.0 * ya(x), 0.5 * (pu / 2.0 * std::pow(2.0 * ya(x) / yrm, 0.25)) / (2.0 * 2.0 * ya(x))},
        {0.05, 0.5 * (pu / 2.0 * std::pow(5.0, 0.25)) / (2.0 * 0.05)},
        {16.0 * yrm, 0.5 * pu / (2.0 * 16.0 * yrm)},  // (16)^0.25 / 2 = 1: pur reached
        {0.5, 0.5 * pu / (2.0 * 0.5)},                 // flat at pur
    };
    for (const auto& c : cases) {
        run->nodes.y(2) = -2.0 * c.yc;  // the sign of the deflection does not matter
        solve();
        ASSERT_FALSE(run->failed());
        expectRelative(Es(2), c.Es, 1E-13);
    }
}

TEST_F(WeakRockTest, DeflectionIsRelativeToTheSoilMovementAndSetsItsLoad) {
    run->model.soilMovement.count = 1;
    run->nodes.ys[2] = 0.3;
    run->nodes.q[2] = 3.0;
    run->nodes.y(2) = 0.3 + 2.0;  // relative deflection 2: p = pur
    solve();
    ASSERT_FALSE(run->failed());
    expectRelative(Es(2), pur(15.0) / 2.0);
    expectRelative(run->nodes.Q[2], 0.3 * pur(15.0) / 2.0 + 3.0);
}

TEST_F(WeakRockTest, LayerResistanceIsTheTrapezoidsOfPurAndTheRestOfTheLayerBelowTheLastNode) {
    run->py.Fu[1] = 12345.0;  // rebuilt from the first node
    solve();
    ASSERT_FALSE(run->failed());
    const double p[] = {pur(0.0), pur(15.0), pur(kX3b), pur(45.0), pur(60.0)};
    const double expected = 15.0 / 2.0 * (p[0] + 2.0 * p[1] + 2.0 * p[2] + 2.0 * p[3] + p[4]) + (100.0 - 60.0) * p[4];
    expectRelative(run->py.Fu[1], expected);
    EXPECT_NEAR(run->py.Fu[1], 7.5 * (800.0 + 4960.0 + 8320.0 + 8320.0 + 4160.0) + 40.0 * 4160.0, 365600.0 * 1E-7);
}

TEST_F(WeakRockTest, EntryMakesTheNumberOfCyclesAtLeastOne) {
    for (const auto& [before, after] : {std::pair{0.0, 1.0}, std::pair{-3.0, 1.0}, std::pair{5.0, 5.0}}) {
        run->model.options.numberOfCycles = before;
        solve();
        EXPECT_EQ(run->model.options.numberOfCycles, after) << before;
    }
}

// ---------------------------------------------------------------- rock stack, layers below rock

TEST_F(WeakRockTest, DepthIntoRockIsMeasuredFromTheTopOfTheRockLayersAbove) {
    struct Case {
        int middleCode;
        double xr;  // at x = 45 in the weak rock layer from 40 to 100
    };
    const Case cases[] = {
        {kPyVuggyLimestone, 25.0},  // 45 - 40 + (40 - 20): from the top of the limestone
        {kPyWeakRock, 25.0},
        {kPySoftClay, 5.0},         // a soil layer between: from the weak rock's own top
    };
    for (const Case& c : cases) {
        start();
        units(kGeneral);
        width(10.0);
        SoilLayer& clay = layer(1, kPySoftClay, 0.0, 20.0);
        clay.cohesion = {10.0, 10.0};
        clay.eps50 = {0.01, 0.01};
        SoilLayer& middle = rock(2, 20.0, 40.0);
        middle.modelCode = c.middleCode;
        middle.cohesion = {c.middleCode == kPySoftClay ? 10.0 : 200.0, c.middleCode == kPySoftClay ? 10.0 : 200.0};
        rock(3, 40.0, 100.0).kpy = {1000.0, 1000.0};
        nodes({45.0}, 15.0, 100.0);
        range(3, 1, 1);
        pyWeakRock(*run, 3);
        ASSERT_FALSE(run->failed()) << report();
        // Zero deflection: Es = Kir Eir with Kir = 100 + 400 xr / 30.
        EXPECT_NEAR(Es(1), (100.0 + 400.0 * c.xr / 30.0) * 1000.0, 1E-3) << c.middleCode;
    }
}

TEST_F(WeakRockTest, LayerBelowRockUsesItsTrueDepth) {
    // Rock from 0 to 20 over soft clay (c = 10, gamma' = 0.5, eps50 = 0.01, J = 0.5). At the clay
    // node at 40 the true depth gives N0 = 3 + 0.5*40/10 + 0.5*40/10 = 7, pu = 10*10*7 = 700; an
    // equivalent depth below the strong rock would give 9 c b = 900.
    for (const int rockCode : {kPyWeakRock, kPyVuggyLimestone}) {
        start();
        units(kGeneral);
        width(10.0);
        SoilLayer& top = rock(1, 0.0, 20.0);
        top.modelCode = rockCode;
        SoilLayer& clay = layer(2, kPySoftClay, 20.0, 100.0);
        clay.cohesion = {10.0, 10.0};
        clay.eps50 = {0.01, 0.01};
        nodes({0.0, 10.0, 20.0, 40.0, 60.0}, 20.0, 60.0);
        run->nodes.firstNode[1] = 1;
        run->nodes.i_BottomNodeInLayer[1] = 2;
        run->nodes.firstNode[2] = 3;
        run->nodes.i_BottomNodeInLayer[2] = 5;
        deflect(10.0);  // beyond 8 y50 = 2: Es = pu / 10
        runLayerLoop(*run, 2);
        ASSERT_FALSE(run->failed()) << report();
        EXPECT_DOUBLE_EQ(Es(4), 70.0) << rockCode;
        EXPECT_TRUE(run->layers.marks[2]);
        EXPECT_EQ(run->layers.xe[2], kEquivalentDepthUnset);
        EXPECT_EQ(run->layers.marks[1], rockCode == kPyWeakRock);  // weak rock counts, then marks
    }
}

// ---------------------------------------------------------------- lookups

// Two weak rock layers meeting at 50: RQD 20 to 40 over 60 to 80, krm 0.001 to 0.002 over 0.003 to
// 0.004, read from the printed curve.
class WeakRockLookupTest : public WeakRockTest {
protected:
    void SetUp() override {
        WeakRockTest::SetUp();
        SoilLayer& upper = rock(1, 0.0, 50.0);
        upper.rqd = {20.0, 40.0};
        upper.eps50 = {0.001, 0.002};
        SoilLayer& lower = rock(2, 50.0, 100.0);
        lower.rqd = {60.0, 80.0};
        lower.eps50 = {0.003, 0.004};
        run->nodes.L = 100.0;
    }
    int layerAt(double x) const { return x < 50.0 ? 1 : 2; }  // a depth at the interface is the lower layer's
};

TEST_F(WeakRockLookupTest, RqdInterpolatesAndTakesTheMeanOrTheNonZeroValueAtAnInterface) {
    struct Case {
        double x, upperBottom, lowerTop, pileLength, rqd;
    };
    const Case cases[] = {
        {25.0, 40.0, 60.0, 100.0, 30.0},  {75.0, 40.0, 60.0, 100.0, 70.0},
        {100.0, 40.0, 60.0, 100.0, 80.0},  // the last property point
        {50.0, 40.0, 60.0, 100.0, 50.0},   // interface: the mean
        {50.0, 0.0, 60.0, 100.0, 60.0},    // a zero value gives way to the other
        {50.0, 40.0, 0.0, 100.0, 40.0},
        {50.0, 40.0, 60.0, 50.0, 50.0},    // still the mean with the pile tip at the interface
    };
    for (const Case& c : cases) {
        run->model.soil.layer[1].rqd.bottom = c.upperBottom;
        run->model.soil.layer[2].rqd.top = c.lowerTop;
        run->nodes.L = c.pileLength;
        run->report.openMemory();
        printAt(pyWeakRock, layerAt(c.x), c.x);
        ASSERT_FALSE(run->failed()) << report();
        EXPECT_NEAR(labelValue(report(), "RQD"), c.rqd, 6E-4) << c.x << " " << c.upperBottom << " " << c.lowerTop;
        EXPECT_NEAR(labelValue(report(), "Alpha_r"), 1.0 - c.rqd / 150.0, 6E-4);
    }
}

TEST_F(WeakRockLookupTest, KrmTakesTheLowerLayersTopValueAtAnInterfaceExceptAtThePileTip) {
    struct Case {
        double x, pileLength, krm;
    };
    const Case cases[] = {
        {25.0, 100.0, 0.0015}, {75.0, 100.0, 0.0035}, {100.0, 100.0, 0.004},
        {0.0, 100.0, 0.001},   // the first point
        {50.0, 100.0, 0.003},  // interface: the lower layer's top value, not the mean
        {50.0, 50.0, 0.002},   // the pile tip at the interface: the upper layer's bottom value
    };
    for (const Case& c : cases) {
        run->nodes.L = c.pileLength;
        run->report.openMemory();
        printAt(pyWeakRock, layerAt(c.x), c.x);
        ASSERT_FALSE(run->failed()) << report();
        EXPECT_NEAR(labelValue(report(), "k_rm"), c.krm, 6E-9) << c.x << " " << c.pileLength;
        EXPECT_NEAR(labelValue(report(), "Yrm"), c.krm * 10.0, 6E-6);
    }
}

// ---------------------------------------------------------------- warnings

TEST_F(WeakRockTest, StrengthAndKrmWarningsAtTheirThresholds) {
    struct Case {
        int IUNITS;
        double qur, krm;
        int warning;  // 0: none
    };
    const Case cases[] = {
        {kUSCS, 99.9, 0.0001, 3071},     {kUSCS, 100.0, 0.0001, 0},       {kUSCS, 1000.0, 0.0001, 0},
        {kUSCS, 1000.1, 0.0001, 3072},   {kSI, 689.4, 0.0001, 3073},      {kSI, 689.5, 0.0001, 0},
        {kSI, 6895.0, 0.0001, 0},        {kSI, 6895.1, 0.0001, 3074},     {kGeneral, 1.0, 0.0001, 0},
        {kGeneral, 1E6, 0.0001, 0},      {kGeneral, 100.0, 4.99E-5, 316}, {kGeneral, 100.0, 5E-5, 0},
        {kGeneral, 100.0, 5E-4, 0},      {kGeneral, 100.0, 5.01E-4, 317},
    };
    for (const Case& c : cases) {
        start();
        SetUp();
        units(c.IUNITS);
        run->model.soil.layer[1].cohesion = {c.qur, c.qur};
        run->model.soil.layer[1].eps50 = {c.krm, c.krm};
        range(1, 2, 2);
        solve();
        ASSERT_FALSE(run->failed()) << report();
        for (const int w : {316, 317, 3071, 3072, 3073, 3074}) {
            EXPECT_EQ(warningCount(w), w == c.warning ? 1 : 0) << c.IUNITS << " " << c.qur << " " << c.krm << " " << w;
        }
        solve();  // every evaluation of the node records it again
        if (c.warning != 0) {
            EXPECT_EQ(warningCount(c.warning), 2);
        }
    }
}

TEST_F(WeakRockTest, NoStrengthWarningAtALayerInterface) {
    units(kUSCS);
    rock(1, 0.0, 50.0).cohesion = {50.0, 50.0};
    rock(2, 50.0, 100.0).cohesion = {50.0, 50.0};
    nodes({50.0, 75.0}, 25.0, 100.0);
    range(2, 1, 2);
    pyWeakRock(*run, 2);
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(warningCount(3071), 1);  // node 2 only
}

TEST(WeakRockWarnings, TextsOfTheSummary) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(warningText(316), (Lines{"***** Warning *****", "",
                                       "The input value for k_rm used by the weak rock criteria is smaller than ",
                                       "0.00005.  This value is outside the recommended range of 0.00005 to 0.0005.",
                                       "You should check your input data for accuracy.", ""}));
    EXPECT_EQ(warningText(317), (Lines{"**** Warning - Possible Input Data Error ****", "",
                                       "The input value for k_rm used by the weak rock criteria is ",
                                       "greater than 0.0005.  This value is outside the recommended ",
                                       "range of 0.00005 to 0.005.  You should check your input data", "for accuracy.",
                                       ""}));
    EXPECT_EQ(warningText(3071), (Lines{"", "**** Warning ****", "",
                                        "An unreasonable input value for the compressive strength has been specified",
                                        "for a soil defined using the weak rock criteria.  The input value is less ",
                                        "than 100 psi.  You should check your input data for correctness.", ""}));
    EXPECT_EQ(warningText(3072), (Lines{"", "**** Warning ****", "",
                                        "An unreasonable input value for unconfined compressive strength has been ",
                                        "specified for a soil defined using the weak rock criteria.  The input value",
                                        "is greater than 1000 psi.  You should check your input data for correctness.",
                                        ""}));
    EXPECT_EQ(warningText(3073), (Lines{"", "**** Warning ****", "",
                                        "An unreasonable input value for unconfined compressive strength has been ",
                                        "specified for a soil defined using the weak rock criteria.  The input value",
                                        "is less than  689.5 kPa.  You should check your input data for correctness.",
                                        ""}));
    EXPECT_EQ(warningText(3074), (Lines{"", "**** Warning ****", "",
                                        "An unreasonable input value for unconfined compressive strength has been",
                                        "specified for a soil defined using the weak rock criteria.  The input value",
                                        "is greater than 6895 kPa.  You should check your input data for correctness.",
                                        ""}));
}

// ---------------------------------------------------------------- errors

enum Files { Both, ReportOnly };

struct ErrorCase {
    const char* name;
    void (*prepare)(WeakRockTest& t, mervik::Run& run);
    int errorNumber;
    Files files;
    std::vector<std::string> lines;  // the message, line by line
};

TEST_F(WeakRockTest, ErrorsEndTheRunWithTheirTextsInTheirFiles) {
    const ErrorCase cases[] = {
        {"zero strength", [](WeakRockTest&, mervik::Run& r) { r.model.soil.layer[1].cohesion = {0.0, 0.0}; }, inputError(62),
         Both,
         {"**** Input Data Error No. 62 ****", "",
          "Problem:   The input value for compressive strength is less than or equal to zero.", "",
          "Solution:  Check the input values for layer 1"}},
        {"below the RQD data",
         [](WeakRockTest&, mervik::Run& r) {
             // Within the strength lookup's tolerance of the last point, but below the RQD data.
             r.nodes.x[2] = r.nodes.z[2] = 100.0000005;
         },
         inputError(31), Both,
         {"**** Input Data Error No. 31 ****", "", "An error was detected that is related to an incompatibility",
          "between the input data defining the embedment of the pile and",
          "the maximum depth of the soil shear strength data.", "",
          "Problem:  The value for a pile station depth is   1.0000E+02",
          "This depth is below the deepest extent of the input data for", "RQD versus depth.", "",
          "Solution:  Revise the input data by either extending the ",
          "maximum depth for RQD or shorten the pile to correct this ", "problem.", ""}},
        {"RQD above 100", [](WeakRockTest&, mervik::Run& r) { r.model.soil.layer[1].rqd = {120.0, 120.0}; }, inputError(49),
         Both,
         {"**** Input Data Error No. 49 ****", "",
          "Problem:  The interpolated value of RQD used for p-y curves in weak rock ",
          "was found to be invalid because it was either less than zero or more than ", "100 percent.", "",
          "Solution:  Check your input data and revise in the data for RQD.", "",
          "The interpolated value of RQD =   1.2000E+02 %", ""}},
        {"RQD below 0", [](WeakRockTest&, mervik::Run& r) { r.model.soil.layer[1].rqd = {-1.0, -1.0}; }, inputError(49), Both,
         {"The interpolated value of RQD =  -1.0000E+00 %"}},
        {"layer without thickness",
         [](WeakRockTest& t, mervik::Run& r) {
             t.rock(1, 0.0, 50.0);
             t.rock(2, 50.0, 50.0);
             t.rock(3, 50.0, 100.0);
             r.nodes.x[2] = r.nodes.z[2] = 50.0;
             r.py.layer = 2;
         },
         runtimeError(20), ReportOnly,
         {"**** Runtime Error No. 20 ****", "",
          "Problem:  The top and bottom elevations for weak rock layer are equal.",
          "Solution: Correct the input data for elevations defining weak rock layer.", ""}},
        {"zero strength at an interface",
         [](WeakRockTest& t, mervik::Run& r) {
             t.rock(1, 0.0, 50.0).cohesion = {100.0, 0.0};
             t.rock(2, 50.0, 100.0).cohesion = {0.0, 100.0};
             r.nodes.x[2] = r.nodes.z[2] = 50.0;  // the last node of layer 1, not its first
             r.py.firstNode = 1;
         },
         inputError(16), Both,
         {"**** Input Data Error No. 16 ****", "", "An error was detected when computing the p-y curve for weak rock.",
          "Problem:   The input value for the compressive strength of a weak rock was ",
          "           input as negative or zero (0).", "",
          "Solution:  Check the depth values for soil layering and soil shear strength ",
          "           values and correct the input data.", ""}},
        {"zero krm", [](WeakRockTest&, mervik::Run& r) { r.model.soil.layer[1].eps50 = {0.0, 0.0}; }, inputError(63), Both,
         {"**** Input Data Error No. 63 ****", "",
          "Problem:  The input value for k_rm for weak rock is less than or equal to zero.", "",
          "Solution: Check the input values for layer 1", ""}},
        {"zero pile width", [](WeakRockTest& t, mervik::Run&) { t.width(0.0); }, runtimeError(22), Both,
         {"**** Runtime Error No. 22 ****", "", "An error was detected when computing the p-y curve for weak rock.     ",
          "Problem:  The input value for k_rm is less than or equal to 0. ", "",
          "Solution:  Check the input values for the week rock properties in the soil layer 1", ""}},
        {"zero rock modulus", [](WeakRockTest&, mervik::Run& r) { r.model.soil.layer[1].kpy = {0.0, 0.0}; }, runtimeError(21),
         Both,
         {"**** Runtime Error No. 21 ****", "", "An error was detected when computing the p-y curve for weak rock.",
          "Problem:  The deflection at the end of the initial straight line of the curve at ",
          "          the depth     15.000 L   cannot be computed, because the ultimate",
          "          resistance or the initial modulus of the rock is zero or negative there.", "",
          "Solution:  Check the compressive strength and the initial modulus of rock of layer 1", ""}},
        {"negative rock modulus", [](WeakRockTest&, mervik::Run& r) { r.model.soil.layer[1].kpy = {-5.0, -5.0}; },
         runtimeError(21), Both, {"**** Runtime Error No. 21 ****"}},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        SetUp();
        range(1, 2, 2);
        c.prepare(*this, *run);
        pyWeakRock(*run, run->py.layer);
        EXPECT_EQ(run->errorNumber, c.errorNumber);
        const std::string n = std::to_string(c.errorNumber % 100);
        const std::string code = (c.errorNumber > 200 ? "RUN000" : "INP000") + std::string(n.size() == 1 ? "0" : "") + n;
        const std::string ending = c.errorNumber > 200 ? "Mervik ended prematurely due to runtime error number "
                                                       : "Mervik ended prematurely due to input error number ";
        EXPECT_TRUE(hasLines(report(), c.lines)) << report();
        EXPECT_NE(report().find(ending + code), std::string::npos) << report();
        if (c.files == Both) {
            EXPECT_TRUE(hasLines(messages(), c.lines)) << messages();
            // The message precedes the premature-end line.
            EXPECT_LT(report().find(c.lines.front()), report().find(ending));
        } else {
            EXPECT_EQ(messages(), "");
            // Raised before its text is written: the premature-end line comes first.
            EXPECT_GT(report().find(c.lines.front()), report().find(ending));
        }
    }
}

TEST_F(WeakRockTest, UndefinedYaIsNotedInTheMessageFileBeforeItsError) {
    run->model.soil.layer[1].kpy = {0.0, 0.0};
    range(1, 2, 2);
    solve();
    EXPECT_EQ(run->errorNumber, runtimeError(21));
    EXPECT_EQ(messages().find("ERROR 2 BEFORE EQN 11\n**** Runtime Error No. 21 ****\n"), 0u) << messages();
    EXPECT_EQ(report().find("ERROR 2 BEFORE EQN 11"), std::string::npos);
}

// ---------------------------------------------------------------- printed curve

TEST_F(WeakRockTest, PrintedCurveHasItsLabelsAndSeventeenPoints) {
    multipliers(0.5, 2.0);
    const double x = 15.0, pu = pur(x), yrm = 0.01, yA = ya(x);
    printAt(pyWeakRock, 1, x);
    ASSERT_FALSE(run->failed()) << report();
    const std::string& r = report();
    EXPECT_EQ(r.find("\n\np-y Curve Computed Using Weak Rock Criteria\n\nSoil Layer Number"), 0u) << r;
    const struct {
        const char* label;
        double value, tolerance;
    } labels[] = {
        {"Depth below pile head", 15.0, 6E-4}, {"Depth below ground surface", 15.0, 6E-4},
        {"Diameter", 10.0, 6E-4},              {"Unconfined Compressive Strength", 100.0, 6E-4},
        {"Avg. Eff. Unit Weight", 0.5, 6E-6},  {"Xr", 15.0, 6E-4},
        {"RQD", 30.0, 6E-4},                   {"Eir", 1150.0, 0.6},
        {"Pu", 2480.0, 6E-4},                  {"k_rm", 0.001, 6E-6},
        {"K_ir", 345000.0, 1.0},               {"Alpha_r", 0.8, 6E-4},
        {"Yu", 3.0 * 10.0 / 80.0, 6E-6},       {"Yrm", 0.01, 6E-6},
        {"Y_A", yA, yA * 6E-6},                {"p-multiplier", 0.5, 6E-6},
        {"y-multiplier", 2.0, 6E-6},
    };
    for (const auto& l : labels) EXPECT_NEAR(labelValue(r, l.label), l.value, l.tolerance) << l.label;
    const std::vector<std::string> lines = testing::lines(r);
    bool heading = false;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] == "        y, L" + std::string(17, ' ') + "p, F  /L  " && lines[i + 1] == "----------------    -----------------") {
            heading = true;
        }
    }
    EXPECT_TRUE(heading) << r;
    EXPECT_NE(r.find("\nK_ir" + std::string(51, ' ') + "=  3.45000E+05 F  /L  \n"), std::string::npos) << r;

    // Deflections 0, ya, ya + f (16 yrm - ya) for the 13 fractions, 16 yrm and 20 yrm; printed as
    // (ym y, pm p(y)).
    const double fractions[] = {0.019999999552965164, 0.03999999910593033, 0.05999999865889549, 0.07999999821186066,
                                0.10000000149011612,  0.20000000298023224, 0.30000001192092896, 0.4000000059604645,
                                0.5,                  0.6000000238418579,  0.699999988079071,   0.800000011920929,
                                0.8999999761581421};
    std::vector<double> ys = {0.0, yA};
    for (const double f : fractions) ys.push_back(yA + f * (16.0 * yrm - yA));
    ys.push_back(16.0 * yrm);
    ys.push_back(20.0 * yrm);
    const auto points = plottedPoints(plot());
    ASSERT_EQ(points.size(), 17u);
    for (std::size_t j = 0; j < 17; ++j) {
        const double y = ys[j];
        const double p = y < yA ? Mir(x) * y : std::min(pu, pu / 2.0 * std::pow(y / yrm, 0.25));
        expectRelative(points[j].y, 2.0 * y, 1E-7);
        expectRelative(points[j].p, 0.5 * p, 1E-7);
    }
    EXPECT_DOUBLE_EQ(points[15].p, points[16].p);  // flat at pur from 16 yrm
    EXPECT_NEAR(points[16].p, 0.5 * 2480.0, 1E-3);
    EXPECT_NE(plot().find("Line 7:  p-y curve depth in weak rock, no. p-y points on curve no. 1"), std::string::npos);
    EXPECT_NE(plot().find("Line 8(17): y, p, for weak rock"), std::string::npos);
}

TEST_F(WeakRockTest, PrintedCurveBelowThreeWidthsTakesTheDeepResistance) {
    printAt(pyWeakRock, 1, 45.0);
    ASSERT_FALSE(run->failed());
    EXPECT_NEAR(labelValue(report(), "Pu"), 4160.0, 6E-4);
    EXPECT_NEAR(labelValue(report(), "K_ir"), 725000.0, 1.0);
    EXPECT_NEAR(plottedPoints(plot()).back().p, pur(45.0), 1E-3);
}

// ---------------------------------------------------------------- a drilled shaft from end to end

TEST(WeakRockShaft, SocketedShaftBelowSoftClayRunsToEquilibrium) {
    testing::TempDir dir;
    auto run = std::make_unique<mervik::Run>();
    ASSERT_EQ(testing::runExample(dir, "drilled_shaft_weak_rock.lp6", *run), 0) << dir.read("messages.msg");
    // The soil reaction balances the head shear of 50000 lbs (no tip shear, no distributed load).
    EXPECT_NEAR(testing::soilReaction(run->nodes), 50000.0, 500.0);

    // The curve printed at 20 ft, 10 ft into the rock (xr = 120 in > 3 b = 108 in): with RQD 40,
    // alpha_r = 1 - 40/150 = 0.7333, pur = 5.2 * 0.7333 * 400 psi * 36 in = 54912 lb/in, reached
    // at 16 yrm = 16 * 0.0001 * 36 in = 0.0576 in.
    const std::string report = dir.read("report.out");
    EXPECT_NEAR(labelValue(report, "Xr"), 120.0, 6E-4);
    EXPECT_NEAR(labelValue(report, "Pu"), 54912.0, 0.01);
    EXPECT_NE(report.find("\nEir" + std::string(52, ' ') + "=       60000. lbs/in **2\n"), std::string::npos);
    const auto points = plottedPoints(dir.read("plot.plt"));
    ASSERT_EQ(points.size(), 34u);  // 17 in the clay at 5 ft, 17 in the rock
    EXPECT_NEAR(points[32].y, 0.0576, 1E-8);
    EXPECT_NEAR(points[32].p, 54912.0, 0.01);
}

}  // namespace
}  // namespace mervik
