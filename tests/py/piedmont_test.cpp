// Piedmont residual soil p-y curves (code 10): the initial modulus from each of the four field
// tests in US customary and SI units, the linear, logarithmic and flat branches of the printed
// curve and of the secant modulus, the test type at the layer top, the test value taken from the
// layer's own property points, the soil movement, the errors of field test data no curve can be
// built from, and the place of the layer among the rock-like layers.
//
// Hand profile unless a test says otherwise (US customary, computation units inches and pounds):
// one Piedmont layer from 0 to 240 in, b = 24 in. With N60 = 10: Ei = 22 * 10 = 220 pci,
// Ki = Ei b = 5280 lb/in2, y1 = 0.001 b = 0.024 in, yu = 0.0375 b = 0.9 in and
// pu = 0.008112 Ei b^2 = 0.008112 * 220 * 576 = 1027.96 lb/in. The engine uses the
// single-precision 0.001 and 0.0375 (0.0010000000474974513, 0.03750000149011612).
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdio>
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

constexpr double kY1 = 0.0010000000474974513;  // y1 / b
constexpr double kYu = 0.03750000149011612;    // yu / b

// The curve written out from its three branches, for a modulus Ei and a width b.
double curveP(double Ei, double b, double y) {
    if (y < kY1 * b) return Ei * b * y;
    if (y < kYu * b) return Ei * b * y * (1.0 - 0.21624703162973105 * std::log(1000.0 * y / b));
    return 0.008112028136109242 * Ei * b * b;
}

class PiedmontTest : public testing::RockRunTest {
public:
    void SetUp() override {
        RockRunTest::SetUp();
        handProfile(kUSCS, 24.0, 3, 120.0);
        piedmont(1, 0.0, 240.0, kPiedmontSpt).sptN60 = {10.0, 10.0};
    }
    SoilLayer& piedmont(int L, double top, double bottom, int test) {
        SoilLayer& s = layer(L, kPyPiedmont, top, bottom, 110.0 / 1728.0);
        s.testType = {test, test};
        return s;
    }
    void solve() { pyPiedmont(*run, run->py.layer); }
};

// Each field test in both unit systems, printed halfway down its layer where the test value is
// the mean of the top and bottom values; the modulus and every point of the curve against the
// correlations worked by hand. US: layer 0 to 240 in, curve at 120 in (10 ft), b = 24 in.
// SI: layer 0 to 6 m, curve at 3 m, b = 0.6 m. Multipliers pm = 0.5, ym = 2.
TEST_F(PiedmontTest, PrintedCurvesOfTheFourFieldTestsInBothUnitSystems) {
    struct Case {
        int IUNITS, test;
        double top, bottom;  // test values at the layer top and bottom
        const char* type;
        const char* valueLine;  // label and the text after the value
        double Ei;              // by hand
    };
    const Case cases[] = {
        // 22 pci per blow/ft: 22 * 20 = 440 pci.
        {kUSCS, kPiedmontSpt, 10.0, 30.0, "Standard Penetration Test", "SPT  N60-value|20.000 blows/ft", 440.0},
        // 0.81358 pci per psi: 200 * 0.8135814 = 162.716 pci.
        {kUSCS, kPiedmontCpt, 100.0, 300.0, "Cone Penetration Test", "CPT qc|200.000 psi", 162.71627257748946},
        // 0.076 per in: 2000 * 0.076 = 152.0 pci (151.99999511 with the single-precision 0.076).
        {kUSCS, kPiedmontDmt, 1000.0, 3000.0, "Dilatometer Test", "DMT Edmt|2000.000 psi", 151.99999511241913},
        // 0.235 per in: 2000 * 0.235 = 470.0 pci.
        {kUSCS, kPiedmontPmt, 1000.0, 3000.0, "Pressuremeter Test", "DMT Epmt|2000.000 psi", 469.9999988079071},
        // 440 pci in kN/m3 (1 pci = 271.447 kN/m3): 20 * 151.6847 / 0.0254 = 119436.74.
        {kSI, kPiedmontSpt, 10.0, 30.0, "Standard Penetration Test", "SPT  N60-value|20.000 blows/0.3 m", 119436.74156773565},
        // 2000 kPa * 0.8135814 / 0.0254 = 64061.53 kN/m3.
        {kSI, kPiedmontCpt, 1000.0, 3000.0, "Cone Penetration Test", "CPT qc|2000.000 kPa", 64061.52541100282},
        // 20000 kPa = 2900.76 psi; * 0.076 = 220.458 pci = 59842.52 kN/m3.
        {kSI, kPiedmontDmt, 10000.0, 30000.0, "Dilatometer Test", "DMT Edmt|20000.000 kPa", 59842.51848400336},
        // 2900.76 psi * 0.235 = 681.68 pci = 185039.37 kN/m3.
        {kSI, kPiedmontPmt, 10000.0, 30000.0, "Pressuremeter Test", "DMT Epmt|20000.000 kPa", 185039.37184564892},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.valueLine);
        start();
        const bool us = c.IUNITS == kUSCS;
        const double b = us ? 24.0 : 0.6, bottom = us ? 240.0 : 6.0, depth = bottom / 2.0;
        handProfile(c.IUNITS, b, 3, depth);
        SoilLayer& s = piedmont(1, 0.0, bottom, c.test);
        // Every test gets values; only the named one may count.
        s.sptN60 = s.coneTip = s.dmtModulus = s.pmtModulus = {1.0, 5.0};
        TopBottom<double>* named[] = {nullptr, &s.sptN60, &s.coneTip, &s.dmtModulus, &s.pmtModulus};
        *named[c.test] = {c.top, c.bottom};
        multipliers(0.5, 2.0);
        printAt(pyPiedmont, 1, depth);
        ASSERT_FALSE(run->failed()) << report();

        const std::string& r = report();
        const std::string valueLine = c.valueLine;
        const std::size_t bar = valueLine.find('|');
        const std::string value = valueLine.substr(bar + 1);
        const std::string modulusUnit = us ? "psi /in " : "kPa /m  ";
        EXPECT_TRUE(hasLines(r, {"", "", "p-y Curve Computed Using the Piedmont Residual Soil Criteria", ""})) << r;
        EXPECT_NE(r.find(row("Soil Layer Number", "         1")), std::string::npos) << r;
        EXPECT_NE(r.find(row("Type of Field Test", c.type) + row(valueLine.substr(0, bar), std::string(12 - value.find(' '), ' ') + value)),
                  std::string::npos)
            << r;
        EXPECT_NEAR(labelValue(r, "Depth below pile head"), us ? 10.0 : 3.0, 6E-4);  // feet in US units
        EXPECT_NEAR(labelValue(r, "Depth below ground surface"), us ? 10.0 : 3.0, 6E-4);
        EXPECT_NEAR(labelValue(r, "Shaft Diameter"), b, 6E-4);
        EXPECT_NEAR(labelValue(r, "Initial p-y Modulus from Field Tests"), c.Ei, 6E-4);
        char Ei[32];
        std::snprintf(Ei, sizeof Ei, "%12.3f", c.Ei);
        EXPECT_NE(r.find(row("Initial p-y Modulus from Field Tests", std::string(Ei) + " " + modulusUnit)), std::string::npos) << r;
        EXPECT_NEAR(labelValue(r, "p-multiplier"), 0.5, 6E-6);
        EXPECT_NEAR(labelValue(r, "y-multiplier"), 2.0, 6E-6);
        // "y, " and the deflection unit from column 9, "p, " and the line-load unit from column 22.
        const std::string heading = us ? "        y, in        p, lbs/in " : "        y, m         p, kN /m  ";
        EXPECT_TRUE(hasLines(r, {"", heading, "---------------   ---------------"})) << r;

        // 0, y1, y1 + s, ..., y1 + 13 s, yu and 1.05 yu with s = (yu - y1) / 14, printed as
        // (ym y, pm p(y)) = (2 y, 0.5 p(y)): the line, then the logarithmic branch from y1 (it
        // meets the line there), then pu from yu on.
        const double y1 = kY1 * b, yu = kYu * b, step = (yu - y1) / 14.0;
        const auto plotted = plottedPoints(plot());
        const auto printed = printedPoints(r);
        ASSERT_EQ(plotted.size(), 17u);
        ASSERT_EQ(printed.size(), 17u);
        for (int i = 1; i <= 17; ++i) {
            const double y = i == 1 ? 0.0 : i <= 15 ? y1 + (i - 2) * step : i == 16 ? yu : 1.0499999523162842 * yu;
            const double p = 0.5 * curveP(c.Ei, b, y);
            const auto j = static_cast<std::size_t>(i - 1);
            expectRelative(plotted[j].y, 2.0 * y, 1E-7);
            expectRelative(plotted[j].p, p, 1E-7);
            // Printed with five decimals (up to 10000) or seven (up to 0.001).
            EXPECT_NEAR(printed[j].y, 2.0 * y, 5.0000001E-6);
            EXPECT_NEAR(printed[j].p, p, 5.0000001E-6);
        }
        // The line at y1 (Ei b y1, 0.024 Ei in US), the flat part 0.008112 Ei b^2 at yu and past it.
        expectRelative(plotted[1].p, 0.5 * c.Ei * b * b * 0.001, 1E-6);
        expectRelative(plotted[15].p, 0.5 * 0.008112028 * c.Ei * b * b, 1E-7);
        EXPECT_EQ(plotted[16].p, plotted[15].p);
        EXPECT_LT(plotted[14].p, plotted[15].p);  // the logarithmic branch stays below pu
        EXPECT_NE(plot().find("Line 7:  p-y curve depth in Piedmont residual soil, no. p-y points on curve no. 1"),
                  std::string::npos);
        EXPECT_NE(plot().find("Line 8(17): y, p, for Piedmont residual soil"), std::string::npos);
    }
}

// The secant modulus pm p(yc) / (ym yc) on the three branches with yc = |y| / ym, and the
// initial slope Ki / ym (no p-multiplier) below yc = 1E-14.
TEST_F(PiedmontTest, SecantModulusOnEveryBranch) {
    multipliers(0.5, 2.0);
    const double y1 = kY1 * 24.0, yu = kYu * 24.0;
    const struct {
        double yc, p;  // curve deflection and hand resistance
    } cases[] = {
        {0.012, 5280.0 * 0.012},  // the line: 63.36
        {y1, 5280.0 * 0.024},     // the logarithmic branch starts on the line: 126.72
        // 5280 * 0.24 * (1 - 0.216247 ln 10) = 1267.2 * 0.5020728 = 636.2267
        {0.24, 636.2266630137826},
        {yu, 1027.9562054077633},  // exactly yu: pu
        {2.0, 1027.9562054077633},
    };
    for (const auto& c : cases) {
        run->nodes.y(2) = -2.0 * c.yc;  // the sign of the deflection does not matter
        newLoadCase();
        solve();
        ASSERT_FALSE(run->failed());
        expectRelative(Es(2), 0.5 * curveP(220.0, 24.0, c.yc) / (2.0 * c.yc), 1E-14);
        expectRelative(Es(2) * 2.0 * c.yc / 0.5, c.p, 1E-6);
    }
    for (const double y : {0.0, 1.9E-14, -1.9E-14}) {  // yc below 1E-14
        run->nodes.y(2) = y;
        solve();
        EXPECT_DOUBLE_EQ(Es(2), 5280.0 / 2.0) << y;
    }
    run->nodes.y(2) = 2.1E-14;  // just above: the line with both multipliers
    solve();
    EXPECT_DOUBLE_EQ(Es(2), 0.5 * 5280.0 / 2.0);
}

// The curve is entered with the deflection relative to the free-field soil movement, and the
// movement loads the pile through the node's spring (Q = ys Es + q), so that the reported soil
// reaction -(y - ys) Es - q is the force the solution carried. No layer resistance is summed.
TEST_F(PiedmontTest, SoilMovementIsRelativeAndLoadsThePileWithoutLayerResistance) {
    run->model.soilMovement.count = 2;
    run->nodes.ys[2] = 0.1;
    run->nodes.q[2] = 3.0;
    run->py.Fu[1] = 123.0;
    run->nodes.y(2) = 0.34;  // relative deflection 0.24: p = 636.2267
    solve();
    ASSERT_FALSE(run->failed());
    expectRelative(Es(2), 636.2266630137826 / 0.24, 1E-12);
    expectRelative(run->nodes.Q[2], 0.1 * Es(2) + 3.0, 1E-15);
    EXPECT_EQ(run->py.Fu[1], 123.0);
}

// The test type at the layer top names the test; the one at the bottom is ignored. The test
// value comes from the layer's own top and bottom values: a node on the top of layer 2 takes
// layer 2's top value, not a mean with layer 1's bottom value.
TEST_F(PiedmontTest, TopTestTypeAndTheLayersOwnValuesCount) {
    piedmont(2, 240.0, 480.0, kPiedmontCpt).testType.bottom = kPiedmontSpt;
    SoilLayer& lower = run->model.soil.layer[2];
    lower.coneTip = {300.0, 500.0};
    lower.sptN60 = {40.0, 40.0};
    nodes({0.0, 120.0, 240.0, 360.0}, 120.0, 360.0);
    range(2, 3, 4);
    deflect(0.0);
    solve();
    ASSERT_FALSE(run->failed()) << report();
    // Ei = 0.8135814 qc: qc = 300 at 240 in (244.07 pci), 400 at 360 in (325.43 pci); Es = Ei b.
    expectRelative(Es(3), 300.0 * 0.8135813628874473 * 24.0, 1E-14);
    expectRelative(Es(4), 400.0 * 0.8135813628874473 * 24.0, 1E-14);
    EXPECT_NEAR(Es(4), 7810.38, 0.01);
}

TEST_F(PiedmontTest, FieldTestDataWithoutACurveIsAnInputError) {
    struct Case {
        int IUNITS, test;
        double top, bottom;  // values of the named test (N60 for test types outside 1 to 4)
        std::vector<std::string> problem;
    };
    const Case cases[] = {
        {kGeneral, kPiedmontSpt, 10.0, 10.0,
         {"Problem:  General units have been selected.  The initial modulus of the p-y curve",
          "          is computed from the field test value in US customary or SI units only.", "",
          "Solution:  Select US customary or SI units."}},
        {kUSCS, 0, 10.0, 10.0,
         {"Problem:  The type of field test is 0.", "          It must be 1 (SPT), 2 (CPT), 3 (DMT) or 4 (PMT).", "",
          "Solution:  Correct the type of field test at the top of the layer."}},
        {kSI, 5, 10.0, 10.0,
         {"Problem:  The type of field test is 5.", "          It must be 1 (SPT), 2 (CPT), 3 (DMT) or 4 (PMT).", "",
          "Solution:  Correct the type of field test at the top of the layer."}},
        {kUSCS, kPiedmontSpt, -2.0, 10.0,
         {"Problem:  The SPT N60-value at the top of the layer is  -2.0000E+00, less than zero.", "",
          "Solution:  Correct the field test values of the layer."}},
        {kSI, kPiedmontPmt, 100.0, -0.5,
         {"Problem:  The pressuremeter modulus at the bottom of the layer is  -5.0000E-01, less than zero.", "",
          "Solution:  Correct the field test values of the layer."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem.front());
        start();
        SetUp();
        units(c.IUNITS);
        SoilLayer& s = run->model.soil.layer[1];
        s.testType = {c.test, kPiedmontSpt};
        s.sptN60 = s.pmtModulus = {c.top, c.bottom};
        range(1, 2, 2);
        run->nodes.Es[2] = -1.0;
        solve();
        EXPECT_EQ(run->errorNumber, inputError(76));
        std::vector<std::string> lines = {"**** Input Data Error No. 76 ****", "",
                                          "An error was detected in the field test data of a layer of Piedmont residual soil.",
                                          ""};
        lines.insert(lines.end(), c.problem.begin(), c.problem.end());
        lines.insert(lines.end(), {"", "Layer no. = 1, Depth =    120.000", ""});
        EXPECT_TRUE(hasLines(messages(), lines)) << messages();
        EXPECT_TRUE(hasLines(report(), lines)) << report();
        EXPECT_NE(report().find("Mervik ended prematurely due to input error number INP00076"), std::string::npos);
        EXPECT_EQ(Es(2), -1.0);  // no modulus set
    }
}

// Piedmont over soft clay over sand (US units, 80 increments of 6 in, so that a node lies on the
// top of the clay at 12 ft). The layers below the Piedmont layer use their true depth below the
// ground surface: no layering correction from the (unsummed) resistance of the layer above. The
// node on the top of the clay takes the clay's own strength: the Piedmont layer above has no
// strength data and counts as cohesionless there (as a class of its own it stopped the run with
// runtime error 30).
TEST(PiedmontPlace, LayersBelowUseTheirTrueDepthAndTheClayItsOwnStrengthAtTheInterface) {
    testing::TempDir dir;
    const testing::HostRun out = testing::runHost(dir, testing::fixture("piedmont_over_clay_and_sand.lp6"));
    ASSERT_EQ(out.result, 0) << out.report;
    const std::string& r = out.report;
    // The Piedmont curve at 6 ft: Ei = 22 * 20 = 440 pci.
    EXPECT_NEAR(labelValue(r, "Initial p-y Modulus from Field Tests"), 440.0, 6E-4);
    // The clay at 12 ft (its top) and at 15 ft, the sand at 30 ft: the equivalent depth is the
    // true depth (from the resistance of the layer above, none, it would be 0 at the clay top),
    // and the sand curve says why.
    EXPECT_NEAR(labelValue(r, "Equivalent Depth", 0), 12.0, 6E-4);
    EXPECT_NEAR(labelValue(r, "Equivalent Depth", 1), 15.0, 6E-4);
    EXPECT_NEAR(labelValue(r, "Equivalent Depth (see note)"), 30.0, 6E-4);
    EXPECT_TRUE(hasLines(r, {"This layer is below one or more layers of rock.  In this case, the ",
                             "layering correction is not used and the true depth below the ground ",
                             "surface is used when computing the p-y curve.  "}));
    // 720 psf = 5 psi at the interface as inside the clay.
    EXPECT_NEAR(labelValue(r, "Cohesion, c", 0), 5.0, 6E-4);
    EXPECT_NEAR(labelValue(r, "Cohesion, c", 1), 720.0, 6E-4);
}

// The bundled design: a drilled shaft in saprolite (SPT) over partially weathered rock (PMT).
TEST(PiedmontShaft, ShaftInSaproliteOverWeatheredRockPrintsItsCurves) {
    testing::TempDir dir;
    auto run = std::make_unique<mervik::Run>();
    ASSERT_EQ(testing::runExample(dir, "drilled_shaft_piedmont.lp6", *run), 0) << dir.read("messages.msg");
    const std::string report = dir.read("report.out");
    // At 5 ft N60 = 8 + 5/15 * (16 - 8) = 10.667 blows/ft: Ei = 22 * 10.667 = 234.667 pci. At
    // 25 ft Ep = 2000 + 10/30 * 2000 = 2666.667 psi: Ei = 0.235 * 2666.667 = 626.667 pci.
    EXPECT_NEAR(labelValue(report, "SPT  N60-value"), 10.667, 6E-4);
    EXPECT_NEAR(labelValue(report, "Initial p-y Modulus from Field Tests", 0), 234.667, 6E-4);
    EXPECT_NEAR(labelValue(report, "DMT Epmt"), 2666.667, 6E-4);
    EXPECT_NEAR(labelValue(report, "Initial p-y Modulus from Field Tests", 1), 626.667, 6E-4);
    // b = 36 in: the flat part of the curve at 25 ft, pu = 0.008112 * 626.667 * 1296 = 6588.2 lb/in
    // from yu = 0.0375 * 36 = 1.35 in.
    const auto points = plottedPoints(dir.read("plot.plt"));
    ASSERT_EQ(points.size(), 34u);
    EXPECT_NEAR(points[32].y, 1.35, 1E-6);
    EXPECT_NEAR(points[32].p, 0.008112028136109242 * 626.6666666666666 * 1296.0, 1E-3);
    EXPECT_NEAR(points[32].p, 6588.2, 0.1);
}

}  // namespace
}  // namespace mervik
