// Loess p-y curves (code 12): the hyperbola from the cone tip resistance, printed point by point;
// its degradation with the number of cycles; the reduction within two widths of the pile head;
// the secant modulus, at zero deflection and relative to a soil movement; no layer resistance
// and the layering behaviour below and above other layers; the checks of the number of cycles,
// the unit system and the cone tip resistance; a whole run.
//
// Hand profile unless a test says otherwise (US units): one loess layer from the pile head at 0
// to 100 in, qc = 1000 psi, b = 10 in, one cycle of loading. Below 2 b = 20 in:
//     pu0 = 0.409 qc = 409 psi, pu = b pu0 = 4090 lb/in, Ei = pu / yref = 4090 / 0.117 = 34957.3 psi,
// and with y = f yref the curve is p = pu f / (1 + f (1 + 0.1 e^-f)): 0.4910 pu at f = 1
// (2008.06 lb/in), 0.9804 pu at f = 50 (4009.80 lb/in). The engine uses the single-precision
// constants 0.409, 0.24, 0.1 and 0.117 (0.4090000092983246, 0.23999999463558197,
// 0.10000000149011612, 0.11699999868869781).
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "engine/errors.hpp"
#include "py/py_framework.hpp"
#include "py/rock_test_support.hpp"

namespace mervik {
namespace {

using testing::expectRelative;
using testing::hasLines;
using testing::labelValue;
using testing::plottedPoints;
using testing::printedPoints;

constexpr double kYref = 0.11699999868869781;      // in
constexpr double kYrefSI = 0.0029718000441789627;  // m
constexpr double kPu0Factor = 0.4090000092983246;
constexpr double kDegradation = 0.23999999463558197;
constexpr double kShape = 0.10000000149011612;
const std::string kRule = "---------------   ---------------";

// The curve from its ultimate resistance, at y = f yref.
double hyperbola(double pu, double f) { return pu * f / (1.0 + f * (1.0 + kShape * std::exp(-f))); }
// Ultimate resistance per length for the reduced cone resistance qa, width b and N cycles.
double ultimate(double qa, double b, double N) { return b * kPu0Factor * qa / (1.0 + kDegradation * std::log(N)); }
// A label line without its line end.
std::string labelLine(const std::string& label, const std::string& rest) {
    std::string line = testing::row(label, rest);
    line.pop_back();
    return line;
}

class LoessTest : public testing::RockRunTest {
public:
    void SetUp() override {
        RockRunTest::SetUp();
        handProfile(kUSCS, 10.0, 6, 10.0);  // nodes at 0, 10, ..., 50 in
        loess(1, 0.0, 100.0, 1000.0, 1000.0);
        cycles(1.0);
    }
    SoilLayer& loess(int L, double top, double bottom, double qcTop, double qcBottom, double gamma = 0.055) {
        SoilLayer& s = layer(L, kPyLoess, top, bottom, gamma);
        s.coneTip = {qcTop, qcBottom};
        return s;
    }
    void cycles(double N) { run->model.options.numberOfCycles = N; }
    void solve() { pyLoess(*run, run->py.layer); }
    // The report pass at one depth; then the nodes of the layer again, as they were.
    void print(double depth) {
        const double x1 = run->nodes.x[1];
        printAt(pyLoess, 1, depth);
        run->nodes.x[1] = x1;
        range(1, 1, run->nodes.M);
    }
};

// ---------------------------------------------------------------- the printed curve

TEST_F(LoessTest, PrintedStaticCurveIsTheHyperbolaAtFixedMultiplesOfTheReferenceDeflection) {
    multipliers(0.5, 2.0);
    print(30.0);  // 2.5 ft, below 2 b: qc unreduced
    ASSERT_FALSE(run->failed()) << report();
    const std::string& r = report();
    EXPECT_EQ(r.find("\n\np-y Curve for Loess\n\n"), 0u) << r;
    EXPECT_TRUE(hasLines(r, {labelLine("Soil Layer Number", "         1"),
                             labelLine("Depth below pile head", "       2.500 ft"),
                             labelLine("Depth below ground surface", "       2.500 ft"),
                             labelLine("Shaft Diameter", "      10.000 in "),
                             labelLine("Cone tip resistance", "    1000.000 psi "),
                             labelLine("Initial Modulus, Ei", "   34957.266 psi "),
                             labelLine("p_u0", "     409.000 psi "),
                             labelLine("p_u", "    4090.000 lbs/in "),
                             labelLine("Number of Cycles of Loading", "          1. cycles"),
                             labelLine("p-multiplier", "     0.50000"),
                             labelLine("y-multiplier", "     2.00000"), "",
                             "        y, in        p, lbs/in ", kRule}))
        << r;

    // Points (ym f yref, pm p) = (2 f yref, 0.5 p) for the 17 factors f.
    const double f[] = {0, 0.25, 0.5, 0.75, 1, 1.5, 2, 3, 4, 6, 8, 12, 16, 23, 30, 40, 50};
    const auto plotted = plottedPoints(plot());
    const auto printed = printedPoints(r);
    ASSERT_EQ(plotted.size(), 17u);
    ASSERT_EQ(printed.size(), 17u);
    const double pu = 10.0 * kPu0Factor * 1000.0;
    for (std::size_t i = 0; i < 17; ++i) {
        const double y = 2.0 * f[i] * kYref, p = 0.5 * hyperbola(pu, f[i]);
        expectRelative(plotted[i].y, y, 1E-7);
        expectRelative(plotted[i].p, p, 1E-7);
        EXPECT_NEAR(printed[i].y, y, 6E-6) << i;  // F11.5
        EXPECT_NEAR(printed[i].p, p, 6E-6) << i;
    }
    EXPECT_NEAR(plotted[4].p, 0.5 * 2008.0638, 1E-3);   // f = 1: 0.4910 pu
    EXPECT_NEAR(plotted[16].p, 0.5 * 4009.8040, 1E-3);  // f = 50: 0.9804 pu
    EXPECT_NE(plot().find("Line 7:  p-y curve depth in Piedmont residual soil, no. p-y points on curve no. 1"),
              std::string::npos)
        << plot();
    EXPECT_NE(plot().find("Line 8(17): y, p, for Loess"), std::string::npos);
}

// The printed deflections do not depend on the pile width; in SI yref is 2.9718 mm and qc is in
// kPa: qc = 2000 kPa gives pu = b * 0.409 * 2000 = 818 b, 409 kN/m for b = 0.5 m.
TEST_F(LoessTest, PrintedDeflectionsInSIAreMultiplesOfThreeMillimetresForAnyWidth) {
    for (const double b : {0.5, 2.0}) {
        start();
        handProfile(kSI, b, 2, 5.0);
        loess(1, 0.0, 20.0, 2000.0, 2000.0);
        cycles(1.0);
        print(10.0);
        ASSERT_FALSE(run->failed()) << report();
        EXPECT_NEAR(labelValue(report(), "p_u"), b * 818.0, 1E-3);
        for (const std::string& line :
             {labelLine("Depth below pile head", "      10.000 m  "),
              labelLine("Shaft Diameter", b == 0.5 ? "       0.500 m  " : "       2.000 m  "),
              labelLine("Cone tip resistance", "    2000.000 kPa "),
              labelLine("p_u", b == 0.5 ? "     409.000 kN /m  " : "    1636.000 kN /m  "),
              std::string("        y, m         p, kN /m  ")}) {
            EXPECT_TRUE(hasLines(report(), {line})) << line << "\n" << report();
        }
        const auto points = plottedPoints(plot());
        ASSERT_EQ(points.size(), 17u);
        expectRelative(points[4].y, kYrefSI, 1E-7);          // f = 1
        expectRelative(points[16].y, 50.0 * kYrefSI, 1E-7);  // f = 50: 0.14859 m
        expectRelative(points[16].p, hyperbola(ultimate(2000.0, b, 1.0), 50.0), 1E-7);
    }
}

// ---------------------------------------------------------------- cycles of loading

// pu = b pu0 / (1 + 0.24 ln N): N = 2 gives 4090 / 1.16636 = 3506.65 lb/in, 5 gives 2950.37,
// 10 gives 2634.26, 10.1 (the largest accepted) 2630.21; a negative number counts by its
// magnitude. The solve pass at node 4 (30 in) with pm = 0.5, ym = 2 and the pile deflection y
// enters the curve at yc = y / 2: Es = 0.5 p(yc) / (2 yc).
TEST_F(LoessTest, CyclicLoadingDegradesTheUltimateResistanceWithTheLogarithmOfTheCycles) {
    const struct {
        double N, pu;  // cycles and hand ultimate resistance
        const char* printed;
    } cases[] = {
        {1.0, 4090.0, "          1."},    {2.0, 3506.650, "          2."},  {5.0, 2950.374, "          5."},
        {10.0, 2634.256, "         10."}, {10.1, 2630.211, "         10."}, {-5.0, 2950.374, "          5."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.N);
        start();
        SetUp();
        multipliers(0.5, 2.0);
        cycles(c.N);
        print(30.0);
        ASSERT_FALSE(run->failed()) << report();
        const double pu = ultimate(1000.0, 10.0, std::fabs(c.N));
        EXPECT_NEAR(pu, c.pu, 1E-3);
        EXPECT_NEAR(labelValue(report(), "p_u"), pu, 6E-4);
        EXPECT_NEAR(labelValue(report(), "Initial Modulus, Ei"), pu / kYref, 6E-4);
        EXPECT_TRUE(hasLines(report(), {labelLine("Number of Cycles of Loading", std::string(c.printed) + " cycles")}));
        expectRelative(plottedPoints(plot())[8].p, 0.5 * hyperbola(pu, 4.0), 1E-7);  // f = 4

        for (const double y : {0.01, 2.0 * kYref, 1.0, 20.0}) {
            run->nodes.y(4) = -y;  // the side of the deflection does not matter
            solve();
            ASSERT_FALSE(run->failed());
            const double yc = y / 2.0;
            expectRelative(Es(4), 0.5 * hyperbola(pu, yc / kYref) / (2.0 * yc), 1E-13);
        }
        EXPECT_EQ(run->model.options.numberOfCycles, c.N);  // kept as input
    }
}

// Fewer than one cycle (0 for static loading with an empty cycles field) counts as one cycle: the
// logarithm would raise the resistance above that of one cycle, make it infinite near 0.0155
// cycles and negative below. The stored number is kept.
TEST_F(LoessTest, FewerThanOneCycleCountsAsOneCycle) {
    for (const double N : {0.0, 0.5, 0.0155, -0.001}) {
        SCOPED_TRACE(N);
        start();
        SetUp();
        cycles(N);
        print(30.0);
        ASSERT_FALSE(run->failed()) << report();
        EXPECT_NEAR(labelValue(report(), "p_u"), 4090.0, 1E-3);
        EXPECT_TRUE(hasLines(report(), {labelLine("Number of Cycles of Loading", "          1. cycles")}));
        run->nodes.y(4) = kYref;
        solve();
        expectRelative(Es(4), hyperbola(ultimate(1000.0, 10.0, 1.0), 1.0) / kYref, 1E-13);
        EXPECT_EQ(run->model.options.numberOfCycles, N);
    }
}

// ---------------------------------------------------------------- depth terms

// qc linear over the layer's property points, 600 psi at 0 to 1600 psi at 100 in: qc = 600 + 10 x.
// Within 2 b = 20 in of the pile head qa = qc (x / 20 + 0.5), not above qc: at 0 half of 600 = 300,
// at 5 in 0.75 * 650 = 487.5, from 10 in on qc itself (700 at 10 in; 750 at 15 in, where the
// factor 1.25 would raise it); 800 at 20 in and 1100 at 50 in. At zero deflection the secant is
// the initial slope with the multipliers: Es = pm / ym Ei = 0.5 / 2 * 10 * 0.409 qa / 0.117.
TEST_F(LoessTest, ConeResistanceIsInterpolatedAndReducedWithinTwoWidthsOfThePileHead) {
    run->model.soil.layer[1].coneTip = {600.0, 1600.0};
    nodes({0.0, 5.0, 10.0, 15.0, 19.99, 20.0, 50.0}, 5.0, 100.0);
    range(1, 1, 7);
    multipliers(0.5, 2.0);
    const struct {
        double qc, qa;
    } expected[] = {{600.0, 300.0}, {650.0, 487.5}, {700.0, 700.0}, {750.0, 750.0},
                    {799.9, 799.9}, {800.0, 800.0}, {1100.0, 1100.0}};
    solve();
    ASSERT_FALSE(run->failed()) << report();
    for (int k = 1; k <= 7; ++k) {
        const auto& e = expected[k - 1];
        expectRelative(Es(k), 0.25 * 10.0 * kPu0Factor * e.qa / kYref, 1E-14);
    }
    // The printed curves name the reduced value within 2 b, the input value from 2 b on.
    for (int k = 1; k <= 7; ++k) {
        start();
        SetUp();
        run->model.soil.layer[1].coneTip = {600.0, 1600.0};
        const double x = k == 5 ? 19.99 : k <= 4 ? 5.0 * (k - 1) : k == 6 ? 20.0 : 50.0;
        print(x);
        const auto& e = expected[k - 1];
        if (x < 20.0) {
            EXPECT_NEAR(labelValue(report(), "Depth Adj. Cone tip resistance"), e.qa, 6E-4) << x;
            EXPECT_EQ(report().find("\nCone tip resistance"), std::string::npos) << x;
        } else {
            EXPECT_NEAR(labelValue(report(), "Cone tip resistance"), e.qc, 6E-4) << x;
            EXPECT_EQ(report().find("Depth Adj."), std::string::npos) << x;
        }
        EXPECT_NEAR(labelValue(report(), "p_u0"), kPu0Factor * e.qa, 6E-4) << x;
    }
}

// The reduction counts from the pile head: with the ground 12 in below the head (layer from 12 to
// 112 in, qc = 1000 psi) a curve 24 in below the head, 12 in below the ground, is beyond 2 b.
TEST_F(LoessTest, GroundBelowThePileHeadPrintsBothDepthsAndReducesByTheDepthBelowTheHead) {
    start();
    units(kUSCS);
    width(10.0);
    loess(1, 12.0, 112.0, 1000.0, 1000.0);
    cycles(1.0);
    print(24.0);
    ASSERT_FALSE(run->failed()) << report();
    EXPECT_TRUE(hasLines(report(), {labelLine("Depth below pile head", "       2.000 ft"),
                                    labelLine("Depth below ground surface", "       1.000 ft"),
                                    labelLine("Shaft Diameter", "      10.000 in "),
                                    labelLine("Cone tip resistance", "    1000.000 psi ")}))
        << report();
}

// ---------------------------------------------------------------- secant modulus

// At zero relative deflection the secant is its limit, (pm / ym) Ei = 0.25 * 34957.3. With a
// soil-movement profile the curve takes the deflection relative to the moving soil and the
// node's load term is ys Es + q: node 4 with y = 0.3, ys = 0.05 enters the curve at
// yc = 0.25 / 2 = 0.125.
TEST_F(LoessTest, SecantAtZeroAndRelativeToTheMovingSoilWithTheMovementLoad) {
    multipliers(0.5, 2.0);
    const double pu = ultimate(1000.0, 10.0, 1.0), Ei = pu / kYref;
    deflect(0.0);
    solve();
    for (int k = 2; k <= 6; ++k) EXPECT_DOUBLE_EQ(Es(k), 0.25 * Ei) << k;

    run->model.soilMovement.count = 2;
    for (int k = 1; k <= 6; ++k) {
        run->nodes.ys[at(k)] = 0.05;
        run->nodes.q[at(k)] = 3.0;
    }
    deflect(0.05);
    run->nodes.y(4) = 0.3;
    solve();
    ASSERT_FALSE(run->failed());
    EXPECT_DOUBLE_EQ(Es(5), 0.25 * Ei);  // moves with the soil
    const double Es4 = 0.5 * hyperbola(pu, 0.125 / kYref) / (2.0 * 0.125);
    expectRelative(Es(4), Es4, 1E-13);
    expectRelative(run->nodes.Q[4], 0.05 * Es4 + 3.0, 1E-13);
    expectRelative(run->nodes.Q[5], 0.05 * 0.25 * Ei + 3.0, 1E-13);
}

// ---------------------------------------------------------------- layered profiles

// The layers of a profile evaluated by the layer loop, nodes every 10 in from 0 to 100 in, b = 10
// in, pile length 100 in, no deflection; layer 1 from 0 to 40 in holds nodes 1 to 4 (0 to 30 in),
// layer 2 from 40 to 100 in nodes 5 to 11 (40 to 100 in).
class LoessLayersTest : public LoessTest {
public:
    void SetUp() override {
        LoessTest::SetUp();
        handProfile(kUSCS, 10.0, 11, 10.0);
        for (int L = 1; L <= 2; ++L) {
            run->nodes.firstNode[at(L)] = L == 1 ? 1 : 5;
            run->nodes.i_BottomNodeInLayer[at(L)] = L == 1 ? 4 : 11;
        }
    }
    // Soft clay of c = 10 psi, gamma' = 0.04 pci, eps50 = 0.01.
    void clay(int L, double top, double bottom) {
        SoilLayer& s = layer(L, kPySoftClay, top, bottom, 0.04);
        s.cohesion = {10.0, 10.0};
        s.eps50 = {0.01, 0.01};
    }
};

// Loess of qc = 100 psi over soft clay. The loess sums no layer resistance, so the clay below
// has nothing above it to match: its equivalent depth is 0 (its top counts as the ground
// surface, the root of 3 c b x + (0.25 c + 0.5 gamma' b) x^2 = 0).
TEST_F(LoessLayersTest, LayerBelowLoessStartsWithoutTheLoessResistance) {
    loess(1, 0.0, 40.0, 100.0, 100.0, 0.04);
    clay(2, 40.0, 100.0);
    runLayerLoop(*run, 0);
    ASSERT_FALSE(run->failed()) << report();
    EXPECT_EQ(run->py.Fu[1], 0.0);
    EXPECT_EQ(run->layers.xe[2], 0.0);
    EXPECT_FALSE(run->layers.marks[2]);
}

// Soft clay over loess of qc = 100 psi at 40 in to 160 psi at 100 in (qc = 60 + x). The loess
// takes its own cone resistance at its true depth, with no equivalent depth and no averaging with
// the clay at the interface: Es = Ei = 10 * 0.409 (60 + x) / 0.117 at zero deflection. It sums
// no layer resistance.
TEST_F(LoessLayersTest, LoessBelowAnotherLayerTakesItsTrueDepthWithoutEquivalentDepth) {
    clay(1, 0.0, 40.0);
    loess(2, 40.0, 100.0, 100.0, 160.0, 0.04);
    runLayerLoop(*run, 0);
    ASSERT_FALSE(run->failed()) << report();
    for (int k = 5; k <= 11; ++k) {
        const double x = 10.0 * (k - 1);
        expectRelative(Es(k), 10.0 * kPu0Factor * (60.0 + x) / kYref, 1E-13);
    }
    EXPECT_EQ(run->layers.xe[2], kEquivalentDepthUnset);
    EXPECT_EQ(run->py.Fu[2], 0.0);
}

// ---------------------------------------------------------------- checks

// More than 10.1 cycles (in magnitude) ends the run with input error 70 at the first evaluation
// of a loess layer, in either pass and also for a layer without nodes; the text goes to the report
// only.
TEST_F(LoessTest, MoreThanTenCyclesIsInputError70InTheReportOnly) {
    struct Case {
        double N;
        bool accepted;
        const char* printed;  // F12.1
    };
    const Case cases[] = {{10.0, true, ""},          {10.1, true, ""},           {-10.1, true, ""},
                          {10.2, false, "        10.2"}, {-10.2, false, "       -10.2"}, {100.0, false, "       100.0"}};
    for (const Case& c : cases) {
        for (int pass = 0; pass < 3; ++pass) {  // solve, report, solve with an empty range
            SCOPED_TRACE(std::to_string(c.N) + " pass " + std::to_string(pass));
            start();
            SetUp();
            cycles(c.N);
            for (int k = 1; k <= 6; ++k) run->nodes.Es[at(k)] = -1.0;
            if (pass == 1) {
                print(30.0);
            } else {
                if (pass == 2) range(1, 3, 2);
                solve();
            }
            if (c.accepted) {
                EXPECT_FALSE(run->failed()) << report();
                continue;
            }
            EXPECT_EQ(run->errorNumber, inputError(70));
            const std::string block =
                "\n\n**** Input Data Error No. 70 ****\n\n"
                "PROBLEM: Soil layer 1 is a loess and the input value for the number of cycles of loading = " +
                std::string(c.printed) +
                "\nThis value is greater than 10. The soil model for loess is valid only for 1 to 10 cycles of "
                "loading. \n"
                "SOLUTION: Revise the input data so that the number of cycles of loading is in the range of 1 to 10.\n\n";
            EXPECT_EQ(report().rfind(block, 0), 0u) << report();
            EXPECT_EQ(report().find("Mervik ended prematurely due to input error number INP00070\n", block.size()),
                      block.size() + 2)
                << report();
            EXPECT_EQ(messages(), "");
            EXPECT_EQ(Es(3), -1.0);
            EXPECT_TRUE(plot().empty());
        }
    }
}

// General units cannot express the reference deflection: input error 32, in the message file and
// the report, before any node is evaluated.
TEST_F(LoessTest, GeneralUnitsAreInputError32) {
    units(kGeneral);
    run->nodes.Es[2] = -1.0;
    solve();
    EXPECT_EQ(run->errorNumber, inputError(32));
    const std::vector<std::string> text = {
        "**** Input Data Error No. 32 ****", "",
        "An error was detected in the input data used to compute p-y curves in ", "loess.", "",
        "Problem:  General units are used and the reference deflection of the loess criteria,",
        "          0.117 in (2.9718 mm), cannot be expressed in general units.", "",
        "Solution:  Select US customary or SI units for a soil profile with loess layers.", "", "Layer no. = 1"};
    EXPECT_TRUE(hasLines(messages(), text)) << messages();
    EXPECT_TRUE(hasLines(report(), text)) << report();
    EXPECT_NE(report().find("Mervik ended prematurely due to input error number INP00032"), std::string::npos);
    EXPECT_EQ(Es(2), -1.0);
}

// A negative cone tip resistance (at the top or the bottom of the layer) would give a soil that
// pulls the pile: input error 69 in both files. A resistance of 0 gives a soil without resistance.
TEST_F(LoessTest, NegativeConeTipResistanceIsInputError69) {
    const struct {
        double top, bottom;
        const char *topValue, *bottomValue;  // ES12.4
    } cases[] = {{-1.0, 1000.0, " -1.0000E+00", "  1.0000E+03"}, {1000.0, -20.0, "  1.0000E+03", " -2.0000E+01"}};
    for (const auto& c : cases) {
        start();
        SetUp();
        run->model.soil.layer[1].coneTip = {c.top, c.bottom};
        solve();
        EXPECT_EQ(run->errorNumber, inputError(69));
        const std::vector<std::string> text = {
            "**** Input Data Error No. 69 ****", "",
            "An error was detected in the input data used to compute p-y curves in ", "loess.", "",
            "Problem:  A cone tip resistance less than zero was input for soil layer 1.",
            "          Top of layer:    " + std::string(c.topValue) + " psi ",
            "          Bottom of layer: " + std::string(c.bottomValue) + " psi ", "",
            "Solution:  Enter cone tip resistances of zero or more for the layer.", ""};
        EXPECT_TRUE(hasLines(messages(), text)) << messages();
        EXPECT_TRUE(hasLines(report(), text)) << report();
        EXPECT_NE(report().find("Mervik ended prematurely due to input error number INP00069"), std::string::npos);
    }
    start();
    SetUp();
    run->model.soil.layer[1].coneTip = {0.0, 0.0};
    deflect(0.2);
    solve();
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(Es(3), 0.0);
}

}  // namespace
}  // namespace mervik

namespace mervik {
namespace {

using testing::row;

// A 24 in steel pipe, 60 ft long, in loess to 70 ft (qc = 200 psi at the ground to 400 psi at 70
// ft), 5 cycles of a 20 kip head shear. The converged soil reaction balances the head shear. The
// curves printed at 1 ft and 20 ft, with 1 + 0.24 ln 5 = 1.38627:
//   1 ft: qc = 200 + 200 * 12 / 840 = 202.857 psi, within 2 b = 48 in of the head:
//         qa = 202.857 (12 / 48 + 0.5) = 152.143 psi, pu = 24 * 0.409 * 152.143 / 1.38627 = 1077.31 lb/in;
//   20 ft: qc = 200 + 200 * 240 / 840 = 257.143 psi, pu = 24 * 0.409 * 257.143 / 1.38627 = 1820.80 lb/in.
TEST(LoessRun, SteelPipeInLoessUnderCyclicLoadingRunsToEquilibrium) {
    testing::TempDir dir;
    auto run = std::make_unique<mervik::Run>();
    ASSERT_EQ(testing::runFixture(dir, "pipe_pile_loess.lp6", *run), 0) << dir.read("messages.msg");
    EXPECT_NEAR(testing::soilReaction(run->nodes), 20000.0, 0.01 * 20000.0);
    const std::string report = dir.read("report.out");
    EXPECT_NEAR(labelValue(report, "Depth Adj. Cone tip resistance"), 152.143, 6E-4);
    EXPECT_NEAR(labelValue(report, "p_u", 0), 1077.31, 0.01);
    EXPECT_NEAR(labelValue(report, "Cone tip resistance"), 257.143, 6E-4);
    EXPECT_NEAR(labelValue(report, "p_u", 1), 1820.80, 0.01);
    EXPECT_NE(report.find(row("Number of Cycles of Loading", "          5. cycles")), std::string::npos);
    EXPECT_NE(dir.read("messages.msg").find("The analysis ended normally."), std::string::npos);
}

}  // namespace
}  // namespace mervik
