// Elastic subgrade and user-input p-y curves: secant moduli in the solve pass, the
// soil-movement load, and the printed curves of the report pass.
#include <gtest/gtest.h>

#include <string>

#include "engine/errors.hpp"
#include "support/py_model_test.hpp"

namespace mervik {
namespace {

using testing::PyModelTest;

// One layer from 0 to 10 below the pile head, a pile of constant width, nodes at 0, 5, 10.
class ElasticUserTest : public PyModelTest {
protected:
    void SetUp() override {
        PyModelTest::SetUp();
        handProfile(kGeneral, 2.0, 3, 5.0);
        placeLayer(1, 0, 0.0, 10.0);
    }
    // Top curve (0,0) (1,10) (2,15); bottom curve (0,0) (0.5,20) (2,40).
    void userLayer() {
        SoilLayer& s = run->model.soil.layer[1];
        s.modelCode = kPyUserCurves;
        userCurve(s.userCurveTop, 0.0, {{0.0, 0.0}, {1.0, 10.0}, {2.0, 15.0}});
        userCurve(s.userCurveBottom, 10.0, {{0.0, 0.0}, {0.5, 20.0}, {2.0, 40.0}});
    }
};

// ---------------------------------------------------------------- elastic subgrade

TEST_F(ElasticUserTest, ElasticSubgradeModulusIsPmTimesETimesWidthWhateverTheDeflection) {
    run->model.soil.layer[1].modelCode = kPyElasticSubgrade;
    run->model.soil.layer[1].elasticSubgrade = {1000.0, 3000.0};
    run->nodes.y(2) = 0.3;  // nodes 1 and 3 stay undeflected
    pyElasticSubgrade(*run, 1);
    ASSERT_FALSE(run->failed());
    EXPECT_DOUBLE_EQ(Es(1), 1000.0 * 2.0);
    EXPECT_DOUBLE_EQ(Es(2), 2000.0 * 2.0);
    EXPECT_DOUBLE_EQ(Es(3), 3000.0 * 2.0);
    run->nodes.y(2) = 7.0;
    pyElasticSubgrade(*run, 1);
    EXPECT_DOUBLE_EQ(Es(2), 4000.0);

    multipliers(0.5, 2.0);  // K = 0.5 * 2000 * 2 = 2000, Es = K / ym
    newLoadCase();          // the multipliers changed
    pyElasticSubgrade(*run, 1);
    EXPECT_DOUBLE_EQ(Es(2), 1000.0);
}

TEST_F(ElasticUserTest, ElasticSubgradeGivesTheSoilMovementLoadWhenAProfileExists) {
    run->model.soil.layer[1].modelCode = kPyElasticSubgrade;
    run->model.soil.layer[1].elasticSubgrade = {2000.0, 2000.0};
    run->nodes.ys[2] = 0.1;
    run->nodes.q[2] = 5.0;
    pyElasticSubgrade(*run, 1);
    EXPECT_DOUBLE_EQ(run->nodes.Q[2], 0.0);  // no profile: Q untouched
    run->model.soilMovement.count = 1;
    pyElasticSubgrade(*run, 1);
    EXPECT_DOUBLE_EQ(run->nodes.Q[2], 0.1 * 4000.0 + 5.0);
}

TEST_F(ElasticUserTest, PrintedElasticCurveIsAStraightLineToTwiceTheWidth) {
    units(kUSCS);
    run->model.soil.layer[1].modelCode = kPyElasticSubgrade;
    run->model.soil.layer[1].elasticSubgrade = {10.0, 10.0};
    width(8.0);  // K = 80
    run->py.reportPass = true;
    run->py.firstNode = run->py.lastNode = 2;
    run->nodes.x[2] = 6.0;  // the output depth
    pyElasticSubgrade(*run, 1);
    ASSERT_FALSE(run->failed());
    run->report.close();
    run->plot.close();
    const std::string& r = report();
    EXPECT_EQ(r.rfind("\n\np-y Curve for Elastic Subgrade\n\n", 0), 0u);
    EXPECT_NE(r.find("Depth below pile head                                  =        0.500 ft\n"), std::string::npos);
    EXPECT_NE(r.find("Elastic Subgrade Modulus                               =       10.000 lbs/in **3\n"),
              std::string::npos);
    EXPECT_NE(r.find("p-multiplier                                           =      1.00000\n"), std::string::npos);
    EXPECT_NE(r.find("---------------   ---------------\n"), std::string::npos);
    const std::string& p = plot();
    EXPECT_NE(p.find("Line 7:  p-y curve depth in elastic subgrade soil, no. p-y points on curve no. 2"),
              std::string::npos);
    EXPECT_NE(p.find("  8.0000000E+00  6.4000000E+02"), std::string::npos);  // y = b, p = K b
    EXPECT_NE(p.find("  1.6000000E+01  1.2800000E+03"), std::string::npos);  // y = 2b, p = 2 K b
    EXPECT_NE(p.find("Line 8(17): y, p, for elastic subgrade"), std::string::npos);
    EXPECT_EQ(p.find("Line 8(18)"), std::string::npos);
    EXPECT_DOUBLE_EQ(Es(2), 0.0);  // the report pass sets no modulus
}

// ---------------------------------------------------------------- user-input curves

TEST_F(ElasticUserTest, UserCurvesInterpolateWithinACurveAndBetweenTopAndBottom) {
    userLayer();
    struct Case {
        double y2;        // deflection of the middle node
        double expected;  // Es of the middle node: mean of the two curves' p over y
    };
    const Case cases[] = {
        {0.5, (5.0 + 20.0) / 2.0 / 0.5},
        {1.25, (11.25 + 30.0) / 2.0 / 1.25},  // second segment of both curves
        {-1.25, (11.25 + 30.0) / 2.0 / 1.25}, // the curve is symmetric in y
        {3.0, (15.0 + 40.0) / 2.0 / 3.0},     // beyond both curves: flat continuation
        {0.0, (10.0 + 40.0) / 2.0},           // initial slopes P(2)/Y(2)
    };
    for (const Case& c : cases) {
        run->nodes.y(1) = run->nodes.y(3) = c.y2;
        run->nodes.y(2) = c.y2;
        pyUserCurves(*run, 1);
        ASSERT_FALSE(run->failed());
        EXPECT_DOUBLE_EQ(Es(2), c.expected) << c.y2;
    }
    // At the top the top curve alone, at the bottom the bottom curve alone.
    run->nodes.y(1) = run->nodes.y(2) = run->nodes.y(3) = 0.5;
    pyUserCurves(*run, 1);
    EXPECT_DOUBLE_EQ(Es(1), 5.0 / 0.5);
    EXPECT_DOUBLE_EQ(Es(3), 20.0 / 0.5);
}

TEST_F(ElasticUserTest, UserCurvesApplyMultipliersExceptToTheInitialSlope) {
    userLayer();
    multipliers(0.5, 2.0);
    run->nodes.y(2) = 1.0;  // yc = 0.5: p = 12.5, Es = 0.5 * 12.5 / (2 * 0.5)
    pyUserCurves(*run, 1);
    EXPECT_DOUBLE_EQ(Es(2), 6.25);
    run->nodes.y(2) = 1E-15;  // below 1E-14: the interpolated initial slope, no multipliers
    pyUserCurves(*run, 1);
    EXPECT_DOUBLE_EQ(Es(2), 25.0);
}

TEST_F(ElasticUserTest, UserCurvesOutsideTheirDepthRangeCarryNothing) {
    userLayer();
    run->nodes.x[3] = 12.0;  // below the bottom curve's depth
    run->nodes.y(3) = 0.0;
    pyUserCurves(*run, 1);
    EXPECT_DOUBLE_EQ(Es(3), 0.0);
    run->nodes.y(3) = 0.5;
    pyUserCurves(*run, 1);
    EXPECT_DOUBLE_EQ(Es(3), 0.0);
}

TEST_F(ElasticUserTest, UserLayerResistanceSumsTheInterpolatedLastPointsOverAllNodes) {
    userLayer();
    run->py.Fu[1] = 99.0;
    pyUserCurves(*run, 1);
    EXPECT_DOUBLE_EQ(run->py.Fu[1], 5.0 * (15.0 + 27.5 + 40.0));  // h * pu at x = 0, 5, 10
}

TEST_F(ElasticUserTest, PrintedUserCurveHasSeventeenFixedPointLines) {
    userLayer();
    width(20.0);
    run->py.reportPass = true;
    run->py.firstNode = run->py.lastNode = 2;  // output depth 5: halfway between the curves
    pyUserCurves(*run, 1);
    ASSERT_FALSE(run->failed());
    run->report.close();
    run->plot.close();
    const std::string& r = report();
    EXPECT_EQ(r.rfind("\n\np-y Curve Computed by Interpolation Between User-input Curves\n\n", 0), 0u);
    EXPECT_NE(r.find("Soil Layer Number                                      =            1\n"), std::string::npos);
    EXPECT_NE(r.find("Depth below pile head                                  =        5.000 L  \n"), std::string::npos);
    // "y, " from column 7, "p, " from column 25; the labels keep their padding.
    EXPECT_NE(r.find("\n      y, L              p, F  /L  \n----------------    ----------------\n"), std::string::npos);
    // Point 1 at y = 0; point 15 at 0.02 b = 0.4: p = (4 + 16) / 2; point 17 at 0.05 b = 1:
    // p = (10 + 26.6667) / 2.
    EXPECT_NE(r.find("         0.0000              0.0000\n"), std::string::npos);
    EXPECT_NE(r.find("         0.4000             10.0000\n"), std::string::npos);
    EXPECT_NE(r.find("         1.0000             18.3333\n"), std::string::npos);
    const std::string& p = plot();
    EXPECT_NE(p.find("Line 7:  p-y curve depth in user-input p-y curve, no. p-y points on curve no. 2"),
              std::string::npos);
    EXPECT_NE(p.find("Line 8( 2): y, p, for user-input p-y curve"), std::string::npos);
    EXPECT_NE(p.find("Line 8(17): y, p, for user-input p-y curve"), std::string::npos);
    EXPECT_EQ(p.find("Line 8(18)"), std::string::npos);
}

}  // namespace
}  // namespace mervik
