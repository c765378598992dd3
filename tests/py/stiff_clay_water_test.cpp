// Stiff clay with free water (code 2): ultimate resistance with depth, the static and cyclic
// curves under the initial line k x y, small deflections, the default k and eps50, the bottom k,
// sloping ground, the layer mean strength, the layer resistance and the equivalent depth below
// sand, the strength warnings, the errors and the printed curves.
//
// Hand profile unless a test says otherwise (consistent generic units): one layer from 0 to 100,
// b = 10, c = 10, gamma' = 0.5, eps50 = 0.01, k = 100; nodes at 0, 25, 50, 75, 100. In layer 1
// the mean strength is ca = c = 10, so the wedge resistance is
//   pct = (gamma' b + 2.83 ca) x + 2 ca b = 33.3 x + 200,
// the flow-around resistance pcd = 11 c b = 1100, and the wedge governs above x = 900/33.3 = 27.03:
// pc = 200 at x = 0, 533 at 10, 1032.5 at 25, 1100 from 27.03 down. y50 = eps50 b = 0.1 and the
// initial line has the slope k x = 100 x. As(x/b) = 0.2345 at x = 0, 0.45867 at 10 (t = 1),
// 0.59066 at 25 (t = 2.5) and 0.6 below x = 33 (t = 3.3); Ac = 0.2 at 0, 0.29 at 10, 0.3 below 15.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/errors.hpp"
#include "py/py_framework.hpp"
#include "support/py_model_test.hpp"

namespace mervik {
namespace {

using testing::CurvePoint;
using testing::expectRelative;
using testing::labelValue;
using testing::plottedPoints;
using testing::PyModelTest;
using testing::row;

constexpr double kAbsolute = 1E-12;  // the absolute term this file allows on top of a relative tolerance

// ---------------------------------------------------------------- the criteria, by hand

constexpr double kW = 2.8299999237060547;  // 2.83 of the wedge
constexpr double k06 = 0.6000000238418579, k03 = 0.30000001192092896;

// As and Ac as polynomials in t = x/b, capped.
double handAs(double t) {
    const double a = 0.006898100022226572 * t * t * t - 0.0786110982298851 * t * t + 0.295879602432251 * t +
                     0.2345000058412552;
    return (t <= 3.299999952316284 && a <= k06) ? a : k06;
}
double handAc(double t) {
    const double a = 0.011667000129818916 * t * t * t - 0.07500000298023224 * t * t + 0.15333299338817596 * t +
                     0.20000000298023224;
    return (t <= 1.5 && a <= k03) ? a : k03;
}

// The wedge resistance of the hand profile (layer 1, ca = c = 10) and pc.
double handPct(double x) { return (0.5 * 10.0 + kW * 10.0) * x + 2.0 * 10.0 * 10.0; }
double handPc(double x) { return std::min(handPct(x), 1100.0); }

// Residual resistance over pc.
double staticR(double As) { return 0.5 * std::sqrt(6.0 * As) - 0.41100001335144043 - 0.75 * As; }
double cyclicR(double As, double Ac) { return 0.9359999895095825 * Ac - 0.41819998621940613 * As; }

// Static curve, branch by branch in multiples of As y50.
double staticCurve(double pc, double As, double y50, double y) {
    const double r = y / (As * y50);  // deflection in units of As y50
    if (r <= 1.0) return 0.5 * pc * std::sqrt(y / y50);
    if (r <= 6.0) return 0.5 * pc * std::sqrt(y / y50) - 0.054999999701976776 * pc * std::pow(r - 1.0, 1.25);
    if (r <= 18.0) return pc * (0.5 * std::sqrt(6.0 * As) - 0.41100001335144043) - 0.0625 * pc * (r - 6.0) * As;
    return staticR(As) * pc;
}

// Cyclic curve with yp = 4.1 As y50. Its end, (0.936 Ac - 0.102 * 4.1 As) pc, is the residual
// resistance but for the rounding of the single-precision constants.
double cyclicCurve(double pc, double As, double Ac, double y50, double y) {
    const double yp = 4.099999904632568 * As * y50;
    const double r = y / yp;
    if (r <= 0.6000000238418579) {
        const double v = std::fabs(r / 0.44999998807907104 - 1.0);
        return Ac * pc * (1.0 - v * v * std::sqrt(v));
    }
    if (r <= 1.7999999523162842) return 0.9359999895095825 * Ac * pc - 0.08500000089406967 * pc * (r - k06) * yp / y50;
    return 0.9359999895095825 * Ac * pc - 0.10199999809265137 * pc * yp / y50;
}

class StiffClayWaterTest : public PyModelTest {
protected:
    void SetUp() override {
        PyModelTest::SetUp();
        handProfile(kGeneral, 10.0, 5, 25.0);
        clayLayer(1, kPyStiffClayFreeWater, 0.0, 100.0, 10.0, 0.5, 0.01, 100.0);
    }
    // The report pass at output depths (positions 1, 2, ...), then the channels closed.
    void printAt(std::initializer_list<double> depths) {
        run->py.reportPass = true;
        int k = 0;
        for (double d : depths) run->nodes.x[at(++k)] = d;
        range(1, 1, k);
        pyStiffClayWater(*run, 1);
        run->report.close();
        run->plot.close();
        run->messages.close();
    }
};

// ---------------------------------------------------------------- ultimate resistance

// Far beyond the end of both curves (y = 5 > 18 As y50 = 1.08 and > 1.9 yp = 0.47) p is the
// residual R pc: Es = R pc / 5. At the ground surface the initial line k x y has no slope (x = 0)
// and holds the resistance at 0.
TEST_F(StiffClayWaterTest, UltimateResistanceChangesFromTheWedgeToElevenCbWithDepth) {
    deflect(5.0);
    pyStiffClayWater(*run, 1);
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(Es(1), 0.0);
    // x = 25: wedge, 33.3 * 25 + 200 = 1032.5 < 1100, As = 0.59066, R = 0.087276: Es = 18.022.
    expectRelative(Es(2), staticR(handAs(2.5)) * 1032.4999809265137 / 5.0, 1E-12, kAbsolute);
    EXPECT_NEAR(Es(2), 18.022, 5E-4);
    // x = 50, 75, 100: 11 c b = 1100 (the wedge is 1865 and more), As = 0.6, R = 0.087683.
    for (int k = 3; k <= 5; ++k) expectRelative(Es(k), staticR(k06) * 1100.0 / 5.0, 1E-12, kAbsolute);
    EXPECT_NEAR(Es(3), 19.290, 5E-4);

    run->model.options.cyclic = true;
    pyStiffClayWater(*run, 1);
    ASSERT_FALSE(run->failed());
    // End of the cyclic curve (0.936 Ac - 0.102 * 4.1 As) pc: 0.033785 * 1032.5 at x = 25,
    // 0.02988 * 1100 below.
    const double y50 = 0.1;
    expectRelative(Es(2), cyclicCurve(1032.4999809265137, handAs(2.5), k03, y50, 5.0) / 5.0, 1E-12, kAbsolute);
    expectRelative(Es(4), cyclicCurve(1100.0, k06, k03, y50, 5.0) / 5.0, 1E-12, kAbsolute);
    EXPECT_NEAR(Es(4), 0.02988 * 1100.0 / 5.0, 1E-4);
}

// ---------------------------------------------------------------- printed curves

// Static curves at 10 (wedge, As = 0.45867), 25 (wedge, As = 0.59066) and 40 (11 c b, As = 0.6),
// points at 0.5 As y50 steps to 6 As y50, then 10, 14, 18 and 19 As y50: the first branches
// (up to As y50), the softening branch (to 6 As y50), the falling line (to 18 As y50) and the
// residual. With k = 100 the initial line 100 x y lies below the first points: at x = 10 point 2
// (y = 0.0229) gives 22.9 instead of the parabola's 127.6, while point 13 (y = 0.275) keeps the
// curve's 222.9 under the line's 275.
TEST_F(StiffClayWaterTest, PrintedStaticCurvesFollowEveryBranchBelowTheInitialLine) {
    const double depths[] = {10.0, 25.0, 40.0};
    printAt({10.0, 25.0, 40.0});
    ASSERT_FALSE(run->failed());
    const std::vector<CurvePoint> points = plottedPoints(plot());
    ASSERT_EQ(points.size(), 51u);
    for (int d = 0; d < 3; ++d) {
        const double x = depths[d], As = handAs(x / 10.0), pc = handPc(x), y50 = 0.1;
        expectRelative(labelValue(report(), "pc", d), pc, 1E-6, kAbsolute);
        int onInitialLine = 0;
        for (int j = 1; j <= 17; ++j) {
            const double r = j <= 13 ? 0.5 * (j - 1) : (j <= 16 ? 10.0 + 4.0 * (j - 14) : 19.0);
            const double y = r * As * y50;
            const double curve = staticCurve(pc, As, y50, y);
            const double line = 100.0 * x * y;
            if (line < curve) ++onInitialLine;
            const CurvePoint& got = points[at(17 * d + j - 1)];
            EXPECT_NEAR(got.y, y, 1E-7 * y + 1E-12) << x << " " << j;
            EXPECT_NEAR(got.p, std::min(curve, line), 1E-7 * std::min(curve, line) + 1E-12) << x << " " << j;
        }
        EXPECT_GT(onInitialLine, 0) << x;
        EXPECT_LT(onInitialLine, 12) << x;
    }
    // Hand values at x = 40 (As = 0.6, y50 = 0.1, pc = 1100): point 13 at 6 As y50 = 0.36 is
    // 1100 (0.5 sqrt(3.6) - 0.055 * 5^1.25) = 1100 (0.948683 - 0.411221) = 591.21; point 17 the
    // residual 0.087683 * 1100 = 96.45.
    EXPECT_NEAR(points[2 * 17 + 12].p, 591.208, 5E-3);
    EXPECT_NEAR(points[2 * 17 + 16].p, 96.452, 5E-3);
}

// Cyclic curves at the same depths: yp = 4.1 As y50, points at yp/20 steps to 0.6 yp, then
// 1.0, 1.4, 1.8 and 1.9 yp. The parabola peaks at Ac pc at 0.45 yp (point 10), the line falls
// from 0.936 Ac pc at 0.6 yp to the residual at 1.8 yp. Lines are F15.4 and F17.3.
TEST_F(StiffClayWaterTest, PrintedCyclicCurvesFollowEveryBranchBelowTheInitialLine) {
    run->model.options.cyclic = true;
    run->model.options.numberOfCycles = 100.0;
    const double depths[] = {10.0, 25.0, 40.0};
    printAt({10.0, 25.0, 40.0});
    ASSERT_FALSE(run->failed());
    const std::vector<CurvePoint> points = plottedPoints(plot());
    ASSERT_EQ(points.size(), 51u);
    const std::string& r = report();
    for (int d = 0; d < 3; ++d) {
        const double x = depths[d], As = handAs(x / 10.0), Ac = handAc(x / 10.0), pc = handPc(x), y50 = 0.1;
        const double yp = 4.099999904632568 * As * y50;
        expectRelative(labelValue(r, "Ac", d), Ac, 1E-4, kAbsolute);
        int onInitialLine = 0;
        for (int j = 1; j <= 17; ++j) {
            const double f = j <= 13 ? 0.05000000074505806 * (j - 1) : (j <= 16 ? 0.6 + 0.4000000059604645 * (j - 13) : 1.899999976158142);
            const double y = f * yp;
            const double curve = cyclicCurve(pc, As, Ac, y50, y);
            const double line = 100.0 * x * y;
            if (line < curve) ++onInitialLine;
            const double p = std::min(curve, line);
            const CurvePoint& got = points[at(17 * d + j - 1)];
            EXPECT_NEAR(got.y, y, 1E-7 * y + 1E-12) << x << " " << j;
            EXPECT_NEAR(got.p, p, 1E-7 * p + 1E-12) << x << " " << j;
            char text[64];
            std::snprintf(text, sizeof text, "\n%15.4f%17.3f\n", y, p);
            EXPECT_NE(r.find(text), std::string::npos) << text;
        }
        EXPECT_GT(onInitialLine, 0) << x;
        // At x = 40 the line 4000 y holds points 2 to 7 (y up to 0.074, where the parabola gives
        // 309 and the line 295); from point 8 on every branch shows.
        if (x == 40.0) {
            EXPECT_EQ(onInitialLine, 6);
        }
    }
    // x = 10: Ac = 0.29, pc = 533, the parabola peaks at Ac pc = 154.57 at point 10, y = 0.45 yp =
    // 0.45 * 4.1 * 0.45867 * 0.1 = 0.084624, where the line 1000 y = 84.624 holds it.
    EXPECT_NEAR(points[9].p, 84.624, 1E-3);
    // x = 40: peak 0.3 * 1100 = 330 at 0.45 yp = 0.1107, under the line's 442.8.
    EXPECT_NEAR(points[2 * 17 + 9].p, 330.0, 1E-4);
    // The cyclic title and number of cycles; the plot records name the loading.
    EXPECT_EQ(r.rfind("\n\np-y Curve Computed Using Cyclic Criteria for Stiff Clay with Free Water\n\n", 0), 0u);
    EXPECT_NE(r.find(row("Number of Cycles of Loading", "        100.") + "\n        y, "), std::string::npos);
    EXPECT_NE(plot().find("Line 8(17): y, p, for cyclic stiff clay with free water\n"), std::string::npos);
    EXPECT_EQ(plot().find("static"), std::string::npos);
}

// USCS, b = 12 in, c = 10 psi (1440 psf), gamma' = 0.04 pci (69.12 pcf), eps50 and k not given,
// output depth 48 in: pct = (0.48 + 28.3) 48 + 240 = 1621.44, pcd = 11 * 10 * 12 = 1320 = pc;
// t = 4: As = 0.6, Ac = 0.3; 1440 psf lies in the band 1000 to 2000 psf, so eps50 = 0.007
// (y50 = 0.084) and k = 500 pci (kx = 24000, far above the curve). The residual is
// pu = (0.5 sqrt(3.6) - 0.411 - 0.45) 1320 = 115.742. Points at 0.0252 (j - 1), then 0.504,
// 0.7056, 0.9072, 0.9576 in: p = 660 sqrt(y / 0.084) to 0.0504, minus 72.6 (y / 0.0504 - 1)^1.25
// to 0.3024, then 1252.2 - 542.52 - 982.14 (y - 0.3024) to 0.9072 and 115.742.
TEST_F(StiffClayWaterTest, PrintedStaticBlockInUsUnits) {
    units(kUSCS);
    clayLayer(1, kPyStiffClayFreeWater, 0.0, 240.0, 10.0, 0.04, 0.0, 0.0);
    width(12.0);
    run->nodes.L = 240.0;
    printAt({48.0});
    ASSERT_FALSE(run->failed());
    const std::string expected =
        "\n\np-y Curve Computed Using Static Criteria for Stiff Clay with Free Water\n\n" +
        row("Soil Layer Number", "           1") + row("Depth below pile head", "       4.000 ft") +
        row("Depth below ground surface", "       4.000 ft") + row("Equivalent Depth", "       4.000 ft") +
        row("Diameter", "      12.000 in ") + row("c (at curve depth)", "      10.000 psi ") +
        row("c (at curve depth)", "    1440.000 psf ") + row("Average cohesion, c", "    10.00000 psi ") +
        row("Undrained cohesion, c", "  1440.00000 psf ") + row("Average Eff. Unit Weight", "     0.04000 pci  ") +
        row("Average Eff. Unit Weight", "    69.12000 pcf  ") + row("k", "     500.000 pci  ") +
        row("Epsilon50", "     0.00700") + row("y50", "       0.084 in ") + row("As", "       0.600") +
        row("Ac (not used)", "     0.30000") + row("pct", "    1621.440 lbs/in ") + row("pcd", "    1320.000 lbs/in ") +
        row("pc", "    1320.000 lbs/in ") + row("pu", "     115.742 lbs/in ") + row("p-multiplier", "     1.00000") +
        row("y-multiplier", "     1.00000") +
        "\n"
        "        y, in              p, lbs/in \n"
        "----------------    -----------------\n"
        "         0.0000           0.0000\n"
        "        0.02520        361.49690\n"
        "        0.05040        511.23381\n"
        "        0.07560        595.60645\n"
        "        0.10080        650.39379\n"
        "        0.12600        687.81397\n"
        "        0.15120        712.81006\n"
        "        0.17640        728.20672\n"
        "        0.20160        735.82671\n"
        "        0.22680        736.93718\n"
        "        0.25200        732.46594\n"
        "        0.27720        723.11908\n"
        "        0.30240        709.45037\n"
        "        0.50400        511.74195\n"
        "        0.70560        313.74194\n"
        "        0.90720        115.74194\n"
        "        0.95760        115.74194\n";
    EXPECT_EQ(report(), expected);
    EXPECT_EQ(plot().rfind("  4.8000000E+01   17" + std::string(60, ' ') +
                               "Line 7:  p-y curve depth in stiff clay with free water, no. p-y points on curve no. 1\n",
                           0),
              0u);
    EXPECT_NE(plot().find("  2.5200002E-02  3.6149690E+02" + std::string(50, ' ') +
                          "Line 8(2): y, p, for static stiff clay with free water\n"),
              std::string::npos);
    EXPECT_DOUBLE_EQ(Es(1), 0.0);  // the report pass sets no modulus
}

// At the ground surface (x = 0): pct = 2 ca b = 200, As = 0.2345 and Ac = 0.2; the initial line
// has no slope there, so every printed p is 0; the deflections show As: 0.5 As y50 (j - 1)
// static, 0.05 * 4.1 As y50 (j - 1) cyclic.
TEST_F(StiffClayWaterTest, AtTheGroundSurfaceAsAndAcTakeTheirConstantTerms) {
    for (bool cyclic : {false, true}) {
        SetUp();  // a fresh run
        run->model.options.cyclic = cyclic;
        printAt({0.0});
        ASSERT_FALSE(run->failed());
        const std::string& r = report();
        EXPECT_DOUBLE_EQ(labelValue(r, "pct"), 200.0);
        EXPECT_DOUBLE_EQ(labelValue(r, "As"), 0.235);
        EXPECT_DOUBLE_EQ(labelValue(r, cyclic ? "Ac" : "Ac (not used)"), 0.2);
        const std::vector<CurvePoint> points = plottedPoints(plot());
        ASSERT_EQ(points.size(), 17u);
        const double step = cyclic ? 0.05000000074505806 * 4.099999904632568 * 0.2345000058412552 * 0.1
                                   : 0.5 * 0.2345000058412552 * 0.1;
        EXPECT_NEAR(points[12].y, 12.0 * step, 1E-7 * 12.0 * step);  // 0.1407 static, 0.0692 cyclic
        for (const CurvePoint& p : points) EXPECT_EQ(p.p, 0.0);
    }
}

// ---------------------------------------------------------------- small deflections

// Below yc = 1E-14 Es is the initial modulus k x, without multipliers; above it
// Es = pm p(yc) / yc / ym with yc = y / ym.
TEST_F(StiffClayWaterTest, ZeroDeflectionGivesTheInitialModulusKx) {
    multipliers(0.5, 2.0);
    deflect(0.0);
    pyStiffClayWater(*run, 1);
    ASSERT_FALSE(run->failed());
    for (int k = 1; k <= 5; ++k) EXPECT_DOUBLE_EQ(Es(k), 100.0 * 25.0 * (k - 1)) << k;
    // y = 2 * 1E-15: yc = 1E-15 < 1E-14.
    run->nodes.y(3) = 2E-15;
    pyStiffClayWater(*run, 1);
    EXPECT_DOUBLE_EQ(Es(3), 5000.0);
    // y = 0.02: yc = 0.01 < As y50 = 0.06; the parabola 0.5 * 1100 sqrt(0.1) = 173.9 lies above the
    // line 5000 * 0.01 = 50, so Es = 0.5 * 50 / 0.01 / 2 = 1250.
    run->nodes.y(3) = 0.02;
    pyStiffClayWater(*run, 1);
    EXPECT_DOUBLE_EQ(Es(3), 1250.0);
}

// ---------------------------------------------------------------- defaults

// k not given: k from the strength band (static, cyclic), seen as Es = k x at zero deflection at
// x = 75. eps50 not given: eps50 from the same bands, seen at y = 0.01 on the first branch
// (k = 1E9 keeps the line away; As = 0.6, pc = 11 c b = 110 c):
// Es = 0.5 * 110 c sqrt(0.01 / (10 eps50)) / 0.01.
TEST_F(StiffClayWaterTest, DefaultKAndEps50FollowTheStrengthBands) {
    constexpr double e011 = 0.010999999940395355, e007 = 0.007000000216066837, e005 = 0.004999999888241291,
                     e004 = 0.004000000189989805;
    const struct {
        int IUNITS;
        double c, kStatic, kCyclic, eps50;
    } cases[] = {
        {kUSCS, 6.9444446, 250.0, 100.0, e011},          // below 1000 psf
        {kUSCS, 6.94444465637207, 500.0, 200.0, e007},   // 1000 psf
        {kUSCS, 1500.0 / 144.0, 500.0, 200.0, e007},     // 1500 psf: 10.42 psi < 13.89 psi
        {kUSCS, 13.88888931274414, 1000.0, 400.0, e005}, // 2000 psf
        {kUSCS, 27.7777786, 1000.0, 400.0, e005},
        {kUSCS, 27.77777862548828, 2000.0, 800.0, e004}, // 4000 psf
        {kSI, 47.88026, 67861.78125, 27144.7109375, e011},
        {kSI, 47.8802604675293, 135723.5625, 54289.421875, e007},
        {kSI, 95.7605209350586, 271447.125, 108578.84375, e005},
        {kSI, 191.5210418701172, 542894.25, 217157.6875, e004},
        {kSI, 300.0, 542894.25, 217157.6875, e004},
    };
    range(1, 4, 4);
    for (const auto& c : cases) {
        units(c.IUNITS);
        for (bool cyclic : {false, true}) {
            run->model.options.cyclic = cyclic;
            clayLayer(1, kPyStiffClayFreeWater, 0.0, 100.0, c.c, 0.5, 0.01, 0.0);
            newLoadCase();  // the soil data changed
            run->nodes.y(4) = 0.0;
            pyStiffClayWater(*run, 1);
            ASSERT_FALSE(run->failed());
            EXPECT_DOUBLE_EQ(Es(4), (cyclic ? c.kCyclic : c.kStatic) * 75.0) << c.c << " " << cyclic;
        }
        run->model.options.cyclic = false;
        clayLayer(1, kPyStiffClayFreeWater, 0.0, 100.0, c.c, 0.5, 0.0, 1E9);
        newLoadCase();
        run->nodes.y(4) = 0.01;
        pyStiffClayWater(*run, 1);
        ASSERT_FALSE(run->failed());
        expectRelative(Es(4), 0.5 * 110.0 * c.c * std::sqrt(0.01 / (10.0 * c.eps50)) / 0.01, 1E-12, kAbsolute);
    }
}

// A bottom k of 0 is replaced by the top k for the rest of the run, and the layer then has a
// constant k; otherwise k is linear between top and bottom. Seen as Es = k x at zero deflection.
TEST_F(StiffClayWaterTest, BottomKOfZeroIsReplacedByTheTopValue) {
    SoilLayer& s = run->model.soil.layer[1];
    s.kpy = {100.0, 0.0};
    deflect(0.0);
    pyStiffClayWater(*run, 1);
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(s.kpy.bottom, 100.0);
    EXPECT_DOUBLE_EQ(Es(4), 100.0 * 75.0);
    EXPECT_DOUBLE_EQ(Es(5), 100.0 * 100.0);

    s.kpy = {100.0, 300.0};
    newLoadCase();
    pyStiffClayWater(*run, 1);
    EXPECT_EQ(s.kpy.bottom, 300.0);
    EXPECT_DOUBLE_EQ(Es(4), (100.0 + 200.0 * 0.75) * 75.0);
}

// ---------------------------------------------------------------- sloping ground

// The wedge pct at x = 25 (1032.5) and x = 20 (866) on ground of slope +-10 deg, read in the
// printed curves (the side of loading from the deflection of node 1 and 2). Pushing downslope
// (deflection and slope of one sign, or no positive deflection with a negative slope) gives
// 1/(1 + tan 10) = 0.85010; upslope 0.7071 cos 10 / cos 55 = 1.21407. A deflection of exactly
// 1E-20 keeps the factor of the point before.
TEST_F(StiffClayWaterTest, SlopingGroundScalesTheWedgeByTheSideOfLoading) {
    const double theta = 10.0 * 3.141592653589793 / 180.0;
    const double down = 1.0 / (1.0 + std::tan(theta));
    const double up = 0.7071067811865476 * std::cos(theta) / std::cos(theta + 0.7853981633974483);
    const struct {
        double theta, y1, y2, F1, F2;
    } cases[] = {
        {theta, 1.0, 1E-20, down, down},  {theta, -1.0, 1E-20, up, up}, {theta, 0.0, 1.0, up, down},
        {-theta, 0.0, -1.0, down, down},  {-theta, 1.0, 1E-30, up, down},
    };
    for (const auto& c : cases) {
        SetUp();  // a fresh run
        run->model.slope.effectiveSlope = c.theta;
        run->nodes.y(1) = c.y1;
        run->nodes.y(2) = c.y2;
        printAt({20.0, 25.0});
        ASSERT_FALSE(run->failed());
        EXPECT_NEAR(labelValue(report(), "pct", 0), handPct(20.0) * c.F1, 1E-3) << c.y1;
        EXPECT_NEAR(labelValue(report(), "pct", 1), handPct(25.0) * c.F2, 1E-3) << c.y2;
    }
    EXPECT_NEAR(down, 0.85010, 1E-5);
    EXPECT_NEAR(up, 1.21407, 1E-5);

    // The factors exactly, in the solve pass beyond the end of the curve (Es = R pc / |y|) at a
    // node at x = 10: pct = 533 and As = 0.45867, so pc = 533 F stays below 11 c b = 1100.
    SetUp();
    run->model.slope.effectiveSlope = theta;
    run->nodes.x[2] = run->nodes.z[2] = 10.0;
    for (double y : {5.0, -5.0}) {
        deflect(y);
        pyStiffClayWater(*run, 1);
        ASSERT_FALSE(run->failed());
        expectRelative(Es(2), staticR(handAs(1.0)) * handPct(10.0) * (y > 0.0 ? down : up) / 5.0, 1E-12, kAbsolute);
    }
}

// ---------------------------------------------------------------- mean strength

// Layer 2 from 50 to 100 with c from 10 at its top to 30 at its bottom (c = 10, 20, 30 at the
// nodes 50, 75, 100): ca is c at the first node, then the trapezoidal mean over the nodes from
// the first down: 15 at 75 and 20 at 100. In layer 1 with c from 10 to 30 over 0 to 100 ca is
// the mean from the surface: 10 + 0.1 x = 12.5 at 25.
// Seen in the wedge pct = (gamma' b + 2.83 ca) xc + 2 ca b at y = 0 through the printed curves.
TEST_F(StiffClayWaterTest, MeanStrengthIsFromTheSurfaceInLayerOneAndOverTheLayerBelow) {
    clayLayer(1, kPyStiffClayFreeWater, 0.0, 100.0, 10.0, 0.5, 0.01, 100.0).cohesion = {10.0, 30.0};
    printAt({25.0});
    ASSERT_FALSE(run->failed());
    EXPECT_NEAR(labelValue(report(), "Average cohesion, c"), 12.5, 1E-5);

    SetUp();
    clayLayer(1, kPyStiffClayFreeWater, 0.0, 50.0, 10.0, 0.5, 0.01, 100.0);
    clayLayer(2, kPyStiffClayFreeWater, 50.0, 100.0, 10.0, 0.5, 0.01, 100.0).cohesion = {10.0, 30.0};
    run->layers.xe[2] = 50.0;  // the equivalent depth of the last solve pass
    run->py.reportPass = true;
    run->nodes.x[1] = 50.0;
    run->nodes.x[2] = 75.0;
    run->nodes.x[3] = 100.0;
    range(2, 1, 3);
    pyStiffClayWater(*run, 2);
    ASSERT_FALSE(run->failed());
    run->report.close();
    const double ca[] = {10.0, 15.0, 20.0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(labelValue(report(), "Average cohesion, c", i), ca[i], 1E-5) << i;
        const double xc = 50.0 + 25.0 * i;
        EXPECT_NEAR(labelValue(report(), "pct", i), (5.0 + kW * ca[i]) * xc + 20.0 * ca[i], 1E-3) << i;
    }
}

// ---------------------------------------------------------------- layer resistance

// Residual resistance pr = R pc summed by trapezoids (h = 25) and, below the last node at 100,
// pr over the 10 down to the layer bottom at 110. pr = 0.006210 * 200 = 1.2420 at 0,
// 0.087276 * 1032.5 = 90.112 at 25 and 0.087683 * 1100 = 96.452 at 50, 75, 100.
TEST_F(StiffClayWaterTest, LayerResistanceSumsTheResidualResistanceToTheLayerBottom) {
    clayLayer(1, kPyStiffClayFreeWater, 0.0, 110.0, 10.0, 0.5, 0.01, 100.0);
    run->py.Fu[1] = 12345.0;  // rebuilt from the first node
    pyStiffClayWater(*run, 1);
    ASSERT_FALSE(run->failed());
    const double pr1 = staticR(handAs(0.0)) * 200.0, pr2 = staticR(handAs(2.5)) * handPc(25.0),
                 pr3 = staticR(k06) * 1100.0;
    EXPECT_NEAR(pr1, 1.2420, 1E-4);
    EXPECT_NEAR(pr2, 90.112, 1E-3);
    expectRelative(run->py.Fu[1], 12.5 * (pr1 + pr2) + 12.5 * (pr2 + pr3) + 2.0 * 12.5 * (2.0 * pr3) + 10.0 * pr3,
                   1E-12, kAbsolute);

    // The ground 20 above the pile head: Fu(1) = (bottom - top) / 2 (2 ca b + pc) with the last
    // node's values, x = 120 below the surface: 130 / 2 * (200 + 1100).
    run->model.soil.groundSurface = -20.0;
    clayLayer(1, kPyStiffClayFreeWater, -20.0, 110.0, 10.0, 0.5, 0.01, 100.0);
    newLoadCase();
    pyStiffClayWater(*run, 1);
    ASSERT_FALSE(run->failed());
    EXPECT_DOUBLE_EQ(run->py.Fu[1], 65.0 * 1300.0);
}

// ---------------------------------------------------------------- equivalent depth

// The stated integral of the layer's own residual resistance from the surface, evaluated
// forward: 50 right-end steps of f R(x) ((gamma' x + 2 ca) b + 2.83 x ca) to X, linear between
// the steps, then 11 c R(X) b per unit depth beyond X.
double handIntegral(double c, double g, double b, bool cyclic, double x) {
    const double X = 9.0 * c * b / (g * b + kW * c), f = X / 50.0;
    const auto R = [&](double s) { return cyclic ? cyclicR(handAs(s / b), handAc(s / b)) : staticR(handAs(s / b)); };
    double S = 0.0;
    for (int i = 1; i <= 50; ++i) {
        const double xi = f * i;
        const double dS = f * R(xi) * ((g * xi + 2.0 * c) * b + kW * xi * c);
        if (x <= xi) return S + dS * (x - (xi - f)) / f;
        S += dS;
    }
    return S + (x - X) * 11.0 * c * R(X) * b;
}

// The same integral by fine trapezoids (no steps), for the depth where it reaches F.
double fineDepth(double c, double g, double b, double F) {
    const double X = 9.0 * c * b / (g * b + kW * c);
    const auto q = [&](double s) {
        return staticR(handAs(s / b)) * std::min((g * s + 2.0 * c) * b + kW * s * c, 11.0 * c * b);
    };
    double S = 0.0, x = 0.0;
    const double dx = X / 100000.0;
    while (S + 0.5 * dx * (q(x) + q(x + dx)) < F) {
        S += 0.5 * dx * (q(x) + q(x + dx));
        x += dx;
    }
    return x;
}

// Stiff clay (layer 2, 50 to 100, c = 400) below Reese sand (layer 1, 0 to 50, phi = 30 deg,
// gamma' = 0.5, k = 100): the sand's resistance F = Fu(1) places the top of the clay at the depth
// xe where the clay's own resistance from the surface reaches F. X = 9 c b / (gamma' b + 2.83 c)
// = 36000 / 1137 = 31.66, and the 50 steps reach about 67300 there, more than the sand's F. The
// curves of the clay start at xe: Es at zero deflection is k xe at its first node.
TEST_F(StiffClayWaterTest, EquivalentDepthBelowSandMatchesTheResistanceOfTheSand) {
    clayLayer(1, kPySand, 0.0, 50.0, 0.0, 0.5, 0.0, 100.0).phi = {30.0, 30.0};
    clayLayer(2, kPyStiffClayFreeWater, 50.0, 100.0, 400.0, 0.5, 0.01, 100.0);
    run->model.options.pileIncrements = 4;
    deflect(0.0);
    range(1, 1, 2);
    pySand(*run, 1);
    ASSERT_FALSE(run->failed());
    const double F = run->py.Fu[1];
    range(2, 3, 5);
    pyStiffClayWater(*run, 2);
    ASSERT_FALSE(run->failed());
    const double xe = run->layers.xe[2];
    const double X = 36000.0 / (5.0 + kW * 400.0);
    ASSERT_GT(F, 0.0);
    ASSERT_LT(xe, X);  // within the steps
    EXPECT_NEAR(handIntegral(400.0, 0.5, 10.0, false, xe), F, 1E-9 * F);
    EXPECT_NEAR(xe, fineDepth(400.0, 0.5, 10.0, F), X / 50.0);
    EXPECT_DOUBLE_EQ(Es(3), 100.0 * xe);
    EXPECT_DOUBLE_EQ(Es(4), 100.0 * (xe + 25.0));

    // Beyond X, static and cyclic: xe = X + (F - S(50)) / (11 c R(X) b).
    for (bool cyclic : {false, true}) {
        run->model.options.cyclic = cyclic;
        run->py.Fu[1] = 1E6;
        pyStiffClayWater(*run, 2);
        ASSERT_FALSE(run->failed());
        EXPECT_GT(run->layers.xe[2], X);
        EXPECT_NEAR(handIntegral(400.0, 0.5, 10.0, cyclic, run->layers.xe[2]), 1E6, 1E-9 * 1E6) << cyclic;
    }

    // Below a rock-like layer the true depth is used and xe is left alone.
    run->model.options.cyclic = false;
    run->py.rockCount = 1;
    run->layers.xe[2] = -10000.0;
    pyStiffClayWater(*run, 2);
    EXPECT_DOUBLE_EQ(run->layers.xe[2], -10000.0);
    EXPECT_DOUBLE_EQ(Es(3), 100.0 * 50.0);
}

// ---------------------------------------------------------------- warnings

// Strength outside 500 to 8000 psf (3.47 to 55.56 psi; 23.94 to 383.04 kPa) warns at every node
// away from a layer interface: nodes 1 and 2 of two clay layers meeting at 50, not node 3.
TEST_F(StiffClayWaterTest, StrengthOutsideTheRangeOfTheCriteriaWarnsAwayFromInterfaces) {
    const struct {
        int IUNITS;
        double c;
        int warning;  // 0: none
    } cases[] = {
        {kUSCS, 3.4722223, 3051},   {kUSCS, 3.472222328186035, 0}, {kUSCS, 55.55555725097656, 0},
        {kUSCS, 55.555558, 3052},   {kSI, 23.940128, 3053},        {kSI, 23.940128326416016, 0},
        {kSI, 383.04205322265625, 0}, {kSI, 383.04206, 3054},      {kGeneral, 1E6, 0},
        {kGeneral, 1.0, 0},
    };
    range(1, 1, 3);
    for (const auto& c : cases) {
        resetWarnings(run->warnings);
        units(c.IUNITS);
        clayLayer(1, kPyStiffClayFreeWater, 0.0, 50.0, c.c, 0.5, 0.01, 100.0);
        clayLayer(2, kPyStiffClayFreeWater, 50.0, 100.0, c.c, 0.5, 0.01, 100.0);
        newLoadCase();  // the soil data changed
        pyStiffClayWater(*run, 1);
        ASSERT_FALSE(run->failed());
        for (int w = 3051; w <= 3054; ++w) EXPECT_EQ(run->warnings.counts[at(w)], w == c.warning ? 2 : 0) << c.c << " " << w;
    }
}

// ---------------------------------------------------------------- errors

TEST_F(StiffClayWaterTest, ZeroStrengthBelowTheTopNodeIsInputError14) {
    clayLayer(1, kPyStiffClayFreeWater, 0.0, 100.0, 0.0, 0.5, 0.01, 100.0);
    range(1, 1, 1);
    pyStiffClayWater(*run, 1);  // the top node passes (c = 0 is allowed there)
    ASSERT_FALSE(run->failed());
    range(1, 1, 5);
    pyStiffClayWater(*run, 1);
    EXPECT_EQ(run->errorNumber, 114);
    run->report.close();
    run->messages.close();
    const std::string block =
        "**** Input Data Error No. 14 ****\n"
        "\n"
        "An error was detected in the input data used to compute p-y curves in \n"
        "stiff clay with free water.\n"
        "\n"
        "Problem:  Zero was input for the cohesion of a stiff clay. \n"
        "\n"
        "Solution:  Check and compare the values of shear strength and revise the \n"
        "input so that the strength values are correct for the soil types specified.\n"
        "\n";
    EXPECT_EQ(messages(), block);
    EXPECT_EQ(report(), block + "\n\nMervik ended prematurely due to input error number INP00014\n");
}

// Generic units have no default k or eps50: a layer without a positive value stops the run
// instead of computing with it.
TEST_F(StiffClayWaterTest, GeneralUnitsWithoutKOrEps50AreInputError32) {
    const struct {
        double eps50, k;
        const char* property;
    } cases[] = {{0.01, 0.0, "k"}, {0.0, 100.0, "Epsilon50"}, {-0.01, -5.0, "k"}};
    for (const auto& c : cases) {
        SetUp();  // a fresh run
        clayLayer(1, kPyStiffClayFreeWater, 0.0, 100.0, 10.0, 0.5, c.eps50, c.k);
        pyStiffClayWater(*run, 1);
        EXPECT_EQ(run->errorNumber, 132);
        run->report.close();
        run->messages.close();
        const std::string block = std::string(
                                      "**** Input Data Error No. 32 ****\n"
                                      "\n"
                                      "An error was detected in the input data used to compute p-y curves in \n"
                                      "stiff clay with free water.\n"
                                      "\n"
                                      "Problem:  General units are used and the value of ") +
                                  c.property +
                                  " is zero or negative.\n"
                                  "Default values cannot be computed in general units.\n"
                                  "\n"
                                  "Solution:  Enter a positive value for the layer or select US customary or SI units.\n"
                                  "\n"
                                  "Layer no. = 1, Depth =      0.000\n";
        EXPECT_EQ(messages(), block);
        EXPECT_EQ(report(), block + "\n\nMervik ended prematurely due to input error number INP00032\n");
    }
}

// A Not-a-Number modulus (here from a y-multiplier of 0) is noted in the message file at every
// node and the run goes on with it.
TEST_F(StiffClayWaterTest, ModulusNotANumberIsNotedAndTheRunGoesOn) {
    multipliers(1.0, 0.0);
    deflect(1.0);
    pyStiffClayWater(*run, 1);
    EXPECT_FALSE(run->failed());
    for (int k = 1; k <= 5; ++k) EXPECT_TRUE(std::isnan(Es(k))) << k;
    run->messages.close();
    run->report.close();
    std::string notes;
    for (int k = 1; k <= 5; ++k) notes += "Error in stiff clay with water at line 502\n";
    EXPECT_EQ(messages(), notes);
    EXPECT_EQ(report(), "");
}

}  // namespace
}  // namespace mervik
