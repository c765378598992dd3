// Liquefied sand p-y curves (code 7): the printed curves at user depths, point by point, in SI
// and US units, uncapped and capped, with both diameter terms and both depth terms; the secant
// modulus of the solve pass (no support at zero deflection); the layer resistance and its use by
// a clay layer below; the number of cycles; general units refused; an end-to-end pipe pile.
//
// The curve is computed here from the correlation in SI units (y in mm, p in kN/m for a 0.3 m
// pile), with exact unit conversions:
//     A = 3E-7 (1 + z)^6.05, B = 2.8 (1 + z)^0.11, C = 2.85 (1 + z)^-0.41,
//     p150 = A (150 B)^C, capped at 15 kN/m, Pd = b/0.3 (b <= 0.3 m) or 3.81 ln b + 5.6,
//     p(y) = Pd min(min(p150, 15), A (B y_mm)^C).
// Hand values: z = 0: A = 3E-7, B = 2.8, C = 2.85, p150 = 8.98 kN/m (uncapped, yu = 150 mm);
// z = 1: A = 1.988E-5, B = 3.022, C = 2.145, p150 = 9.91 (uncapped); z = 2: A = 2.310E-4,
// B = 3.160, C = 1.816, p150 = 16.75 (capped, yu = (15/A)^(1/C)/B = 141.2 mm); z = 3: p150 = 28.9
// (capped, yu = 99.86 mm); z = 7: p150 = 177 (capped, yu = 19.64 mm). Pd = 0.6667 at 0.2 m,
// 1 at 0.3 m, 3.6538 at 0.6 m (3.81 ln 0.6 + 5.6), 3.7142 at 24 in = 0.6096 m.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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
using testing::row;

// Exact conversions: 1 kN/m in lb/in, 10 kN/m3 in pci, metres per inch.
constexpr double kLbPerInPerKnPerM = 1000.0 / 4.4482216152605 / 39.370078740157;  // 5.7101472
constexpr double kTenKnPerM3InPci = 10000.0 / 4.4482216152605 / (39.370078740157 * 39.370078740157 * 39.370078740157);
constexpr double kMetresPerInch = 0.0254;

// The correlation at depth z (m) for a pile of bm metres, in SI units.
struct Hand {
    double Pd, A, B, C, p150, yuMm;
    bool capped;
    Hand(double bm, double z) {
        Pd = bm > 0.3 ? 3.81 * std::log(bm) + 5.6 : bm / 0.3;
        A = 3E-7 * std::pow(1.0 + z, 6.05);
        B = 2.8 * std::pow(1.0 + z, 0.11);
        C = 2.85 * std::pow(1.0 + z, -0.41);
        p150 = A * std::pow(150.0 * B, C);
        capped = p150 >= 15.0;
        yuMm = capped ? std::pow(15.0 / A, 1.0 / C) / B : 150.0;
    }
    double puKnPerM() const { return Pd * std::min(p150, 15.0); }
    double pKnPerM(double yMm) const { return Pd * std::min(std::min(p150, 15.0), A * std::pow(B * yMm, C)); }
};

// The printed deflections of an uncapped curve (m and in).
constexpr std::array<double, 17> kUncappedSI = {0.0,   0.003, 0.0065, 0.01,  0.0125, 0.015, 0.03,  0.045, 0.06,
                                                0.075, 0.09,  0.1,    0.115, 0.125,  0.14,  0.15,  0.1575};
constexpr std::array<double, 17> kUncappedUS = {0.0, 0.125, 0.25, 0.375, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5,
                                                4.0, 4.5,   5.0,  5.5,   150.0 / 25.4, 157.5 / 25.4};

class LiquefiedSandTest : public testing::RockRunTest {
protected:
    void SetUp() override {
        RockRunTest::SetUp();
        // SI: a 0.6 m pile, nodes every metre from the ground surface at the pile head, one
        // liquefied layer 0 to 10 m of gamma' = 8 kN/m3.
        handProfile(kSI, 0.6, 11, 1.0);
        run->model.options.pileIncrements = 10;
        layer(1, kPyLiquefiedSand, 0.0, 10.0, 8.0);
    }
    void solve() { pyLiquefiedSand(*run, run->py.layer); }
    void print(int L, double depth) { printAt(pyLiquefiedSand, L, depth); }
};

// ---------------------------------------------------------------- printed curves

TEST_F(LiquefiedSandTest, PrintedCurvesFollowTheCorrelationAtEveryDepthTermAndDiameter) {
    struct Case {
        int IUNITS;
        int L;          // layer of the output depth
        double b;       // pile width, computation units
        double depth;   // output depth below the ground surface (= pile head), computation units
        double gamma;   // gamma' of both layers, computation units
        double pm, ym;
        double z;       // depth of the correlation, m, by hand
        bool capped;    // by hand (head of the file)
    };
    const double gammaUS = 0.05;  // pci (86.4 pcf)
    const Case cases[] = {
        // Layer 1: the geometric depth. 0.3 m pile: Pd = 1 (the linear branch up to 0.3 m).
        {kSI, 1, 0.3, 0.0, 8.0, 1.0, 1.0, 0.0, false},
        {kSI, 1, 0.2, 1.0, 8.0, 1.0, 1.0, 1.0, false},
        {kSI, 1, 0.6, 3.0, 8.0, 0.5, 2.0, 3.0, true},
        {kSI, 1, 0.6, 7.0, 8.0, 1.0, 1.0, 7.0, true},  // beyond the 6 m of the tests: the note
        // Layer 2: the vertical effective stress over 10 kN/m3: 8 * 2.5 / 10 = 2 m, not 2.5 m.
        {kSI, 2, 0.6, 2.5, 8.0, 1.0, 1.0, 2.0, true},
        {kSI, 2, 0.6, 1.25, 8.0, 1.0, 1.0, 1.0, false},
        {kSI, 2, 0.6, 9.0, 8.0, 1.0, 1.0, 7.2, true},
        // US: 24 in pile (0.6096 m), depth 40 in = 1.016 m; layer 2 at 90 in: the stress
        // 0.05 * 90 = 4.5 psi over 0.0368396 pci is 122.15 in = 3.1026 m.
        {kUSCS, 1, 24.0, 40.0, gammaUS, 1.0, 1.0, 40.0 * kMetresPerInch, false},
        {kUSCS, 1, 10.0, 100.0, gammaUS, 2.0, 0.5, 100.0 * kMetresPerInch, true},
        {kUSCS, 2, 24.0, 90.0, gammaUS, 1.0, 1.0, 0.05 * 90.0 / kTenKnPerM3InPci * kMetresPerInch, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.IUNITS << " L" << c.L << " b " << c.b << " at " << c.depth);
        start();
        handProfile(c.IUNITS, c.b, 3, 1.0);
        multipliers(c.pm, c.ym);
        const double split = c.L == 2 ? c.depth / 2.0 : c.depth + 10.0;
        layer(1, kPyLiquefiedSand, 0.0, split, c.gamma);
        layer(2, kPyLiquefiedSand, split, c.depth + 20.0, c.gamma);
        print(c.L, c.depth);
        ASSERT_FALSE(run->failed()) << report();

        const bool us = c.IUNITS == kUSCS;
        const double bm = us ? c.b * kMetresPerInch : c.b;
        const Hand h(bm, c.z);
        ASSERT_EQ(h.capped, c.capped);
        const double yScale = us ? 1.0 / 25.4 : 1.0 / 1000.0;          // mm to the unit of y
        const double pScale = us ? kLbPerInPerKnPerM : 1.0;             // kN/m to the unit of p
        const double yu = h.yuMm * yScale;

        const std::string& r = report();
        if (c.L == 2) {
            EXPECT_NEAR(labelValue(r, "Normalized depth below ground surface in meters*"), c.z, 6E-4);
        } else {
            EXPECT_TRUE(std::isnan(labelValue(r, "Normalized depth below ground surface in meters*")));
        }
        EXPECT_NEAR(labelValue(r, "Pile Diameter in meters "), bm, 6E-4);
        EXPECT_NEAR(labelValue(r, "A "), h.A, 6E-6);
        EXPECT_NEAR(labelValue(r, "B "), h.B, 6E-6);
        EXPECT_NEAR(labelValue(r, "C "), h.C, 6E-6);
        EXPECT_NEAR(labelValue(r, "Pd"), h.Pd, 6E-6);
        EXPECT_NEAR(labelValue(r, "Upper limit Pu"), h.puKnPerM() * pScale, 6E-4);
        EXPECT_NEAR(labelValue(r, "Yu "), yu, 1E-5 * yu + 6E-6);
        EXPECT_EQ(r.find("NOTE: The normalized depth") != std::string::npos, c.z > 6.0);

        // Uncapped: the fixed deflections; capped: 15 steps to yu and 1.05 yu. Printed as
        // (ym y, pm p(y)).
        const auto points = plottedPoints(plot());
        const auto printed = printedPoints(r);
        ASSERT_EQ(points.size(), 17u);
        ASSERT_EQ(printed.size(), 17u);
        for (int i = 1; i <= 17; ++i) {
            SCOPED_TRACE(i);
            const std::size_t j = static_cast<std::size_t>(i - 1);
            double y = (us ? kUncappedUS : kUncappedSI)[j];
            if (c.capped) y = i <= 15 ? (i - 1) * yu / 15.0 : i == 16 ? yu : 1.05 * yu;
            const double p = h.pKnPerM(y / yScale) * pScale;
            expectRelative(points[j].y, c.ym * y, 1E-6);
            expectRelative(points[j].p, c.pm * p, 1E-5);
            // The point lines: the adaptive writer of width 12 keeps at least five decimals here.
            EXPECT_NEAR(printed[j].y, c.ym * y, 1E-5 * c.ym * y + 6E-6);
            EXPECT_NEAR(printed[j].p, c.pm * p, 1E-5 * c.pm * p + 6E-6);
        }
        // The curve reaches the upper limit at yu and stays there.
        expectRelative(points[15].p, c.pm * h.puKnPerM() * pScale, 1E-5);
        expectRelative(points[16].p, c.pm * h.puKnPerM() * pScale, 1E-5);
    }
}

TEST_F(LiquefiedSandTest, PrintedBlockOfALowerLayerInUsUnits) {
    // 24 in pile at 90 in in layer 2, gamma' = 0.05 pci: z = 3.1026 m (see the case above).
    units(kUSCS);
    width(24.0);
    layer(1, kPyLiquefiedSand, 0.0, 45.0, 0.05);
    layer(2, kPyLiquefiedSand, 45.0, 300.0, 0.05);
    print(2, 90.0);
    ASSERT_FALSE(run->failed()) << report();
    const std::string& r = report();
    EXPECT_EQ(r.find("\n\np-y Curve Computed Using Liquefied Sand Criteria\n\n\n" +
                     row("Depth below pile head", "       7.500 ft") + row("Depth below ground surface", "       7.500 ft") +
                     row("Normalized depth below ground surface in meters*", "       3.103 m") +
                     row("Pile Diameter", "      24.000 in ") + row("Pile Diameter in meters", "       0.610 m") +
                     row("Avg. Eff. Unit Weight", "     0.05000 pci  ") + row("Avg. Eff. Unit Weight", "    86.40000 pcf  ")),
              0u)
        << r;
    const auto line = [](const std::string& label, const std::string& rest) {
        const std::string text = row(label, rest);
        return text.substr(0, text.size() - 1);
    };
    EXPECT_TRUE(hasLines(r, {line("p-multiplier", "     1.00000"), line("y-multiplier", "     1.00000"), "",
                             "The depth of the p-y curve was equated to the initial vertical stress divided ",
                             "by 10 kN/m3, as recommended by Rollins, et al. (2005)", "",
                             "        y, in             p, lbs/in ", "----------------    -----------------"}))
        << r;
    EXPECT_EQ(r.find("NOTE:"), std::string::npos);
    EXPECT_NE(r.find("Upper limit Pu                                         =  "), std::string::npos);
    // The block ends with the 17th point and a blank line.
    EXPECT_EQ(r.substr(r.size() - 2), "\n\n");
    EXPECT_NE(plot().find("Line 7:  p-y curve depth in liquefied sand, no. p-y points on curve no. 1"), std::string::npos);
    EXPECT_NE(plot().find(std::string(20, ' ') + "Line 8( 1): y, p, for liquefied sand\n"), std::string::npos);
    EXPECT_NE(plot().find(std::string(20, ' ') + "Line 8(17): y, p, for liquefied sand\n"), std::string::npos);
}

TEST_F(LiquefiedSandTest, NoteBeyondSixMetresAndNoLowerLayerLinesInLayerOne) {
    print(1, 7.0);  // z = 7 m
    ASSERT_FALSE(run->failed()) << report();
    EXPECT_TRUE(hasLines(report(), {"", "NOTE: The normalized depth of the p-y curve is deeper than the depth of ",
                                    "6.0 meters recommended by Rollins, et al. (2005)", "",
                                    "        y, m              p, kN /m  ", "----------------    -----------------"}))
        << report();
    EXPECT_EQ(report().find("initial vertical stress"), std::string::npos);
}

// ---------------------------------------------------------------- solve pass

TEST_F(LiquefiedSandTest, SecantModulusWithMultipliersAndNoSupportAtZeroDeflection) {
    // 0.6 m pile, layer 1: node k at z = k - 1 m. Es = pm p(yc) / (ym yc), yc = |y| / ym.
    multipliers(0.5, 2.0);
    for (const double y : {0.02, -0.05, 0.3}) {  // rising curve, and beyond yu at every depth
        newLoadCase();
        deflect(y);
        solve();
        ASSERT_FALSE(run->failed());
        const double yc = std::fabs(y) / 2.0;
        for (int k = 1; k <= 11; ++k) {
            const Hand h(0.6, k - 1.0);
            expectRelative(Es(k), 0.5 * h.pKnPerM(1000.0 * yc) / (2.0 * yc), 1E-5);
        }
    }
    // An undeflected pile: no support from liquefied sand, at every node.
    deflect(0.0);
    solve();
    for (int k = 1; k <= 11; ++k) EXPECT_EQ(Es(k), 0.0) << k;
}

TEST_F(LiquefiedSandTest, SecantModulusInUsUnits) {
    // 24 in pile, nodes every 40 in: node 2 at z = 1.016 m. y = 2 in = 50.8 mm.
    start();
    handProfile(kUSCS, 24.0, 3, 40.0);
    layer(1, kPyLiquefiedSand, 0.0, 80.0, 0.05);
    deflect(2.0);
    solve();
    ASSERT_FALSE(run->failed());
    const Hand h(24.0 * kMetresPerInch, 40.0 * kMetresPerInch);
    expectRelative(Es(2), h.pKnPerM(50.8) * kLbPerInPerKnPerM / 2.0, 1E-5);
}

// A free-field soil movement: the curve takes the deflection relative to it. With a profile the
// y-multiplier no longer scales that deflection, but it still divides the secant.
TEST_F(LiquefiedSandTest, DeflectionRelativeToTheSoilMovement) {
    multipliers(1.0, 2.0);
    deflect(0.04);
    solve();
    // Without a profile: yc = 0.04 / 2 = 0.02 at z = 2 m, Es = p(20 mm) / (2 · 0.02).
    const Hand h(0.6, 2.0);
    expectRelative(Es(3), h.pKnPerM(20.0) / (2.0 * 0.02), 1E-5);

    run->model.soilMovement.count = 2;  // a profile, no movement at any node
    solve();
    // yc = |0.04 − 0| = 0.04: Es = p(40 mm) / (2 · 0.04).
    expectRelative(Es(3), h.pKnPerM(40.0) / (2.0 * 0.04), 1E-5);

    run->nodes.ys[3] = 0.1;
    run->nodes.q[3] = 2.0;
    solve();
    // yc = |0.04 − 0.1| = 0.06: Es = p(60 mm) / (2 · 0.06); Q = ys Es + q.
    expectRelative(Es(3), h.pKnPerM(60.0) / (2.0 * 0.06), 1E-5);
    EXPECT_DOUBLE_EQ(run->nodes.Q[3], 0.1 * Es(3) + 2.0);
}

TEST_F(LiquefiedSandTest, NumberOfCyclesIsAtLeastOne) {
    const struct {
        double cycles, after;
    } cases[] = {{0.0, 1.0}, {-3.0, 1.0}, {0.5, 0.5}, {100.0, 100.0}};
    for (const auto& c : cases) {
        run->model.options.numberOfCycles = c.cycles;
        solve();
        EXPECT_EQ(run->model.options.numberOfCycles, c.after) << c.cycles;
        run->model.options.numberOfCycles = c.cycles;
        print(1, 2.0);
        EXPECT_EQ(run->model.options.numberOfCycles, c.after) << c.cycles;
    }
}

// ---------------------------------------------------------------- layer resistance

// Liquefied sand 0 to 3.5 m over soft clay (c = 50 kPa, gamma' = 8 kN/m3, eps50 = 0.01) to 10 m,
// 0.6 m pile, nodes every metre: nodes 1 to 4 (0 to 3 m) in the sand, 5 to 11 in the clay.
TEST_F(LiquefiedSandTest, LayerResistanceIsSavedAndCarriedIntoTheClayBelow) {
    layer(1, kPyLiquefiedSand, 0.0, 3.5, 8.0);
    SoilLayer& clay = layer(2, kPySoftClay, 3.5, 10.0, 8.0);
    clay.cohesion = {50.0, 50.0};
    clay.eps50 = {0.01, 0.01};
    deflect(0.05);
    range(1, 1, 4);
    solve();
    ASSERT_FALSE(run->failed());
    // Trapezoids of pu = Pd min(p150, 15) between the nodes, and pu(3 m) over the last 0.5 m:
    // pu = 32.82, 36.22, 54.81 (capped: 15 Pd), 54.81 kN/m at 0, 1, 2, 3 m (Pd = 3.654),
    // F = 162.24 kN.
    double pu[4];
    for (int k = 0; k < 4; ++k) pu[k] = Hand(0.6, k).puKnPerM();
    const double F = 0.5 * (pu[0] + pu[1]) + 0.5 * (pu[1] + pu[2]) + 0.5 * (pu[2] + pu[3]) + 0.5 * pu[3];
    EXPECT_NEAR(F, 162.24, 0.01);
    expectRelative(run->py.Fu[1], F, 1E-5);
    EXPECT_EQ(run->py.liquefiedResistance[1], run->py.Fu[1]);

    // The clay's top lies at the depth where its own resistance from the surface, the integral
    // of (3 c + gamma' x + 0.5 c x / b) b, is F: 90 X + (0.25 c + 0.5 b gamma') X^2 = 90 X + 14.9 X^2
    // (above its transition depth 6 b c / (gamma' b + 0.5 c) = 6.04 m).
    range(2, 5, 11);
    pySoftClay(*run, 2);
    ASSERT_FALSE(run->failed());
    const double xe = (std::sqrt(90.0 * 90.0 + 4.0 * 14.9 * F) - 90.0) / (2.0 * 14.9);
    expectRelative(run->layers.xe[2], xe, 1E-5);
    EXPECT_NEAR(xe, 1.453, 0.001);

    // The report pass leaves the resistance and its saved value alone.
    run->py.Fu[1] = run->py.liquefiedResistance[1] = 7.0;
    print(1, 2.0);
    EXPECT_EQ(run->py.Fu[1], 7.0);
    EXPECT_EQ(run->py.liquefiedResistance[1], 7.0);

    // A sand layer holding a single node has no resistance, and saves none.
    range(1, 2, 2);
    solve();
    EXPECT_EQ(run->py.Fu[1], 0.0);
    EXPECT_EQ(run->py.liquefiedResistance[1], 0.0);
}

// ---------------------------------------------------------------- general units

TEST_F(LiquefiedSandTest, GeneralUnitsAreRefused) {
    units(kGeneral);
    range(1, 2, 3);
    solve();
    EXPECT_EQ(run->errorNumber, inputError(32));
    const std::vector<std::string> text = {
        "**** Input Data Error No. 32 ****", "",
        "An error was detected in the input data used to compute p-y curves in ", "liquefied sand.", "",
        "Problem:  General units are used and the liquefied sand criteria are empirical in SI units.",
        "The curves cannot be computed in general units.", "", "Solution:  Select US customary or SI units.", "",
        "Layer no. = 1, Depth =      1.000"};
    EXPECT_TRUE(hasLines(messages(), text)) << messages();
    EXPECT_TRUE(hasLines(report(), text)) << report();
    EXPECT_NE(report().find("Mervik ended prematurely due to input error number INP00032"), std::string::npos);
}

// ---------------------------------------------------------------- end to end

// The bundled pipe through 4 m of liquefied sand into dense sand (SI): the curve printed at 1 m
// in the liquefied sand is the correlation at z = 1 m for the 0.762 m pipe (Pd = 4.564,
// pu = 45.24 kN/m), and the sand below starts at an equivalent depth above its true top.
TEST(LiquefiedSandPile, PipeThroughLiquefiedSandIntoDenseSand) {
    testing::TempDir dir;
    auto run = std::make_unique<mervik::Run>();
    ASSERT_EQ(testing::runExample(dir, "pipe_pile_liquefied_sand_si.lp6", *run), 0) << dir.read("messages.msg");
    EXPECT_EQ(run->warnings.counts[354], 0);  // 4 m: within the range of the criteria

    const auto points = plottedPoints(dir.read("plot.plt"));
    ASSERT_EQ(points.size(), 51u);  // 1 m and 3 m in the liquefied sand, 6 m in the sand
    const Hand h(0.762, 1.0);
    EXPECT_NEAR(h.puKnPerM(), 45.24, 0.01);
    for (int i = 1; i <= 17; ++i) {
        const std::size_t j = static_cast<std::size_t>(i - 1);
        expectRelative(points[j].y, kUncappedSI[j], 1E-6);
        expectRelative(points[j].p, h.pKnPerM(1000.0 * kUncappedSI[j]), 1E-5);
    }
    const std::string report = dir.read("report.out");
    EXPECT_LT(labelValue(report, "Equivalent Depth (see note)"), 6.0 - 0.5);
}

}  // namespace
}  // namespace mervik
