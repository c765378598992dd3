// Vuggy limestone p-y curves (code 9): the three branches, the secant modulus at zero deflection
// and without soil movement, no layer resistance, the strength warning, the error of a strength
// that is not positive, the printed curve and the pass before the first curves of a load case.
//
// Hand profile unless a test says otherwise (consistent generic units): one layer from 0 to 100,
// qu = 200 (su = 100), gamma' = 0.5, b = 10. Then Ki = 2000 su = 200000, w = 0.0004 b = 0.004,
// pw = 0.8 b su = 800, yp = (b su - pw) / (100 su) + w = 200 / 10000 + 0.004 = 0.024, and the
// residual resistance at 20 below the ground is 0.5 * 0.5 * 10 * 20 = 50. The engine uses the
// single-precision 0.0004 and 0.8 (0.00039999998989515007, 0.800000011920929).
#include <gtest/gtest.h>

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

constexpr double kW = 0.00039999998989515007 * 10.0;         // first break deflection
constexpr double kPw = 0.800000011920929 * 10.0 * 100.0;     // resistance there
constexpr double kYp = (10.0 * 100.0 - kPw) / (100.0 * 100.0) + kW;  // full resistance b su

class VuggyLimestoneTest : public testing::RockRunTest {
public:
    void SetUp() override {
        RockRunTest::SetUp();
        handProfile(kGeneral, 10.0, 3, 20.0);
        limestone(1, 0.0, 100.0, 200.0);
    }
    SoilLayer& limestone(int L, double top, double bottom, double qu) {
        SoilLayer& s = layer(L, kPyVuggyLimestone, top, bottom);
        s.cohesion = {qu, qu};
        return s;
    }
    void solve() { pyVuggyLimestone(*run, run->py.layer); }
    // The curve of the hand profile at 20 below the ground.
    static double p(double y) {
        if (y < kW) return 200000.0 * y;
        if (y <= kYp) return 100.0 * 100.0 * (y - kW) + kPw;
        return 50.0;
    }
};

TEST_F(VuggyLimestoneTest, CurveRisesOnTwoLinesToFullResistanceThenDropsToTheResidual) {
    ASSERT_NEAR(kYp, 0.024, 1E-8);
    multipliers(0.5, 2.0);
    const struct {
        double yc, p;  // curve deflection y / ym and hand resistance
    } cases[] = {
        {0.002, 200000.0 * 0.002},         // steep line: 400
        {kW, 800.0},                       // the second line starts at pw
        {0.014, 10000.0 * 0.01 + 800.0},   // 900
        {kYp, 1000.0},                     // full resistance b su
        {2.0 * kYp, 50.0},                 // past yp: the residual 0.5 gamma' b x
        {1.0, 50.0},
    };
    for (const auto& c : cases) {
        run->nodes.y(2) = -2.0 * c.yc;  // the sign of the deflection does not matter
        solve();
        ASSERT_FALSE(run->failed());
        expectRelative(Es(2), 0.5 * p(c.yc) / (2.0 * c.yc), 1E-13);
        EXPECT_NEAR(Es(2) * 2.0 * c.yc / 0.5, c.p, c.p * 1E-7) << c.yc;
    }
    // At the ground surface the residual resistance is 0.
    run->nodes.y(1) = 2.0;
    solve();
    EXPECT_EQ(Es(1), 0.0);
}

TEST_F(VuggyLimestoneTest, ZeroDeflectionTakesTheInitialSlopeDividedByTheYMultiplier) {
    multipliers(0.5, 2.0);
    for (const double y : {0.0, 1.9E-14, -1.9E-14}) {  // yc below 1E-14
        run->nodes.y(2) = y;
        solve();
        EXPECT_DOUBLE_EQ(Es(2), 200000.0 / 2.0) << y;
    }
    run->nodes.y(2) = 2.0 * 2E-14;  // just above: the steep line with both multipliers
    solve();
    EXPECT_DOUBLE_EQ(Es(2), 0.5 * 200000.0 / 2.0);
}

TEST_F(VuggyLimestoneTest, TheSoilMovementIsIgnoredAndNoLayerResistanceIsSummed) {
    run->model.soilMovement.count = 1;
    run->nodes.ys[2] = 0.01;
    run->nodes.Q[2] = 777.0;
    run->nodes.q[2] = 3.0;
    run->py.Fu[1] = 123.0;
    run->nodes.y(2) = 0.014;  // the pile deflection itself: p = 900
    solve();
    ASSERT_FALSE(run->failed());
    expectRelative(Es(2), p(0.014) / 0.014);
    EXPECT_EQ(run->nodes.Q[2], 777.0);
    EXPECT_EQ(run->py.Fu[1], 123.0);
}

TEST_F(VuggyLimestoneTest, StrengthWarningOutsideOneToTwoAndAHalfThousandPsiBelowTheLayerTop) {
    struct Case {
        int IUNITS;
        double qu;
        bool warning;
    };
    const Case cases[] = {
        {kUSCS, 900.0, true},   {kUSCS, 999.0, true},     {kUSCS, 1000.0, false}, {kUSCS, 2500.0, false},
        {kUSCS, 2501.0, true},  {kUSCS, 6000.0, true},    {kSI, 6894.0, true},    {kSI, 6895.0, false},
        {kSI, 17237.5, false},  {kSI, 17238.0, true},     {kGeneral, 1.0, false}, {kGeneral, 1E6, false},
    };
    for (const Case& c : cases) {
        start();
        SetUp();
        units(c.IUNITS);
        run->model.soil.layer[1].cohesion = {c.qu, c.qu};
        solve();
        ASSERT_FALSE(run->failed());
        // Nodes 2 and 3 lie below the layer top; node 1 at the top never warns.
        EXPECT_EQ(warningCount(308), c.warning ? 2 : 0) << c.IUNITS << " " << c.qu;
        range(1, 1, 1);
        solve();
        EXPECT_EQ(warningCount(308), c.warning ? 2 : 0) << c.IUNITS << " " << c.qu;
    }
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(warningText(308), (Lines{"", "**** Warning ****", "",
                                       "An unreasonable input value for uniaxial compressive strength has been ",
                                       "specified for a soil defined using the vuggy limestone criteria.",
                                       "The input value is outside of the range of 1,000 to 2,500 psi (6,895 to 17,237 kPa).",
                                       "You should check your input data for correctness.", ""}));
}

TEST_F(VuggyLimestoneTest, StrengthThatIsNotPositiveIsAnInputError) {
    for (const double qu : {0.0, -50.0}) {
        start();
        SetUp();
        run->model.soil.layer[1].cohesion = {qu, qu};
        range(1, 2, 2);
        solve();
        EXPECT_EQ(run->errorNumber, inputError(64)) << qu;
        const std::vector<std::string> lines = {
            "**** Input Data Error No. 64 ****", "",
            "An error was detected when computing the p-y curve for vuggy limestone.",
            "Problem:   The uniaxial compressive strength at the depth     20.000 L  ",
            std::string("           is ") + (qu == 0.0 ? "  0.0000E+00" : " -5.0000E+01") + " F/L2, less than or equal to zero.",
            "", "Solution:  Check the input values of compressive strength for layer 1", ""};
        EXPECT_TRUE(hasLines(messages(), lines)) << messages();
        EXPECT_TRUE(hasLines(report(), lines)) << report();
        EXPECT_NE(report().find("Mervik ended prematurely due to input error number INP00064"), std::string::npos);
        EXPECT_TRUE(std::isnan(labelValue(report(), "Shaft Diameter")));  // no curve
    }
}

TEST_F(VuggyLimestoneTest, PrintedCurveEndsAtFullResistance) {
    multipliers(0.5, 2.0);
    printAt(pyVuggyLimestone, 1, 20.0);
    ASSERT_FALSE(run->failed()) << report();
    const std::string& r = report();
    EXPECT_EQ(r.find("\n\np-y Curve for Vuggy Limestone (Strong Rock) Criteria\n\nSoil Layer Number"), 0u) << r;
    EXPECT_NEAR(labelValue(r, "Depth below pile head"), 20.0, 6E-4);
    EXPECT_NEAR(labelValue(r, "Depth below ground surface"), 20.0, 6E-4);
    EXPECT_NEAR(labelValue(r, "Shaft Diameter"), 10.0, 6E-4);
    EXPECT_NEAR(labelValue(r, "Uniaxial Compressive Strength"), 200.0, 6E-4);
    EXPECT_NEAR(labelValue(r, "p-multiplier"), 0.5, 6E-6);
    EXPECT_NEAR(labelValue(r, "y-multiplier"), 2.0, 6E-6);
    EXPECT_NE(r.find("\n\n        y, L" + std::string(9, ' ') + "p, F  /L  \n---------------   ---------------\n"),
              std::string::npos)
        << r;

    // 0, then w, w + s, ..., w + 14 s and yp with s = (yp - w) / 15 = 0.02 / 15; printed as
    // (ym y, pm p(y)) = (2 y, 0.5 p(y)), rising from 0 through 400 at w... to 0.5 b su = 500.
    const auto points = plottedPoints(plot());
    ASSERT_EQ(points.size(), 17u);
    const double s = (kYp - kW) / 15.0;
    for (int i = 1; i <= 17; ++i) {
        const double y = i == 1 ? 0.0 : i == 17 ? kYp : kW + (i - 2) * s;
        expectRelative(points[static_cast<std::size_t>(i - 1)].y, 2.0 * y, 1E-7);
        expectRelative(points[static_cast<std::size_t>(i - 1)].p, 0.5 * p(y), 1E-7);
    }
    EXPECT_NEAR(points[1].p, 400.0, 1E-4);
    EXPECT_NEAR(points[16].p, 500.0, 1E-4);
    EXPECT_NE(plot().find("Line 7:  p-y curve depth in vuggy limestone, no. p-y points on curve no. 1"), std::string::npos);
    EXPECT_NE(plot().find("Line 8(17): y, p, for vuggy limestone rock"), std::string::npos);
}

// The pass before the first curves of a load case evaluates the limestone at the deflections
// present and marks it as the layer loop does; the clay above is not evaluated.
TEST_F(VuggyLimestoneTest, PassBeforeTheFirstCurvesSetsModuliWarnsAndMarks) {
    units(kUSCS);
    SoilLayer& clay = layer(1, kPySoftClay, 0.0, 20.0);
    clay.cohesion = {5.0, 5.0};
    clay.eps50 = {0.01, 0.01};
    limestone(2, 20.0, 100.0, 900.0);  // su = 450: outside the range
    nodes({0.0, 10.0, 20.0, 40.0, 60.0}, 20.0, 60.0);
    run->nodes.firstNode[1] = 1;
    run->nodes.i_BottomNodeInLayer[1] = 2;
    run->nodes.firstNode[2] = 3;
    run->nodes.i_BottomNodeInLayer[2] = 5;
    for (int k = 1; k <= 5; ++k) run->nodes.Es[static_cast<std::size_t>(k)] = -1.0;
    vuggyLimestonePrePass(*run);
    ASSERT_FALSE(run->failed()) << report();
    EXPECT_EQ(Es(1), -1.0);
    EXPECT_EQ(Es(2), -1.0);
    // Ki = 2000 su at zero deflection; at the clay interface (node 3) the strength is
    // (2 c + qu) / 2 = (10 + 900) / 2 = 455, su = 227.5.
    EXPECT_DOUBLE_EQ(Es(3), 2000.0 * 227.5);
    for (int k = 4; k <= 5; ++k) EXPECT_DOUBLE_EQ(Es(k), 2000.0 * 450.0) << k;
    EXPECT_EQ(warningCount(308), 2);  // nodes 4 and 5, below the layer top
    EXPECT_TRUE(run->layers.marks[2]);
    EXPECT_FALSE(run->layers.marks[1]);
    EXPECT_EQ(run->py.rockCount, 5);  // counted once for every node of the pile
}

}  // namespace
}  // namespace mervik

namespace mervik {
namespace {

TEST(VuggyLimestoneShaft, SocketedShaftBelowSoftClayRunsToEquilibrium) {
    testing::TempDir dir;
    auto run = std::make_unique<mervik::Run>();
    ASSERT_EQ(testing::runExample(dir, "drilled_shaft_vuggy_limestone.lp6", *run), 0) << dir.read("messages.msg");
    // The soil reaction balances the head shear of 50000 lbs (no tip shear, no distributed load).
    EXPECT_NEAR(testing::soilReaction(run->nodes), 50000.0, 500.0);
    // The curve printed at 20 ft in the limestone (qu = 1500 psi, su = 750 psi, b = 36 in): the
    // second line starts at w = 0.0004 * 36 = 0.0144 in with pw = 0.8 * 36 * 750 = 21600 lb/in
    // and ends at yp = 0.0024 * 36 = 0.0864 in with b su = 27000 lb/in.
    const auto points = plottedPoints(dir.read("plot.plt"));
    ASSERT_EQ(points.size(), 34u);  // 17 in the clay at 5 ft, 17 in the rock
    EXPECT_NEAR(points[18].y, 0.0144, 1E-8);
    EXPECT_NEAR(points[18].p, 21600.0, 0.01);
    EXPECT_NEAR(points[33].y, 0.0864, 1E-8);
    EXPECT_NEAR(points[33].p, 27000.0, 0.01);
}

}  // namespace
}  // namespace mervik
