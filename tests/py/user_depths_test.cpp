// p-y curves at user depths: the depth list made ascending and distinct, the report pass of the
// layers holding the depths with their blocks and plot records 6 to 8, the depth above the
// ground surface, and the load case's nodes left as they were.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "support/py_model_test.hpp"

namespace mervik {
namespace {

using testing::PyModelTest;
using testing::row;

// Ground surface 2 below the pile head. Layer 1, elastic subgrade E = 100, from 2 to 10;
// layer 2, user-input curves, from 10 to 20: top curve (0,0) (1,10) (2,15), bottom curve
// (0,0) (0.5,20) (2,40). Pile of length 20 and width 8. The load case has nodes at
// x = 0, 5, 10, 15, 20 and a battered axis (z = 0.9 x), so that a layer assignment by vertical
// depth would differ from the one by depth along the pile.
class UserDepthsTest : public PyModelTest {
protected:
    void SetUp() override {
        PyModelTest::SetUp();
        units(kGeneral);
        run->model.soil.groundSurface = 2.0;
        placeLayer(1, kPyElasticSubgrade, 2.0, 10.0).elasticSubgrade = {100.0, 100.0};
        SoilLayer& s2 = placeLayer(2, kPyUserCurves, 10.0, 20.0);
        userCurve(s2.userCurveTop, 10.0, {{0.0, 0.0}, {1.0, 10.0}, {2.0, 15.0}});
        userCurve(s2.userCurveBottom, 20.0, {{0.0, 0.0}, {0.5, 20.0}, {2.0, 40.0}});
        run->model.sections.pileLength = 20.0;
        width(8.0);

        PileNodes& n = run->nodes;
        n.M = 5;
        n.L = 20.0;
        n.h = 5.0;
        for (int k = 1; k <= 5; ++k) {
            n.x[at(k)] = 5.0 * (k - 1);
            n.z[at(k)] = 0.9 * n.x[at(k)];
            n.Es[at(k)] = 1000.0 + k;
            n.EI[at(k)] = 2.0E6 + k;
            n.y(k) = 0.01 * k;
        }
        assignLayers(*run, true);
        run->layers.marks[2] = true;  // layer 2 lies below the elastic subgrade
    }
    void outputDepths(std::initializer_list<double> depths) {
        PyOutputDepths& d = run->model.pyOutputDepths;
        d.enabled = true;
        d.count = 0;
        for (double x : depths) d.depth[at(++d.count)] = x;
    }
    void closeChannels() {
        run->report.close();
        run->plot.close();
        run->messages.close();
    }
};

const std::string kRule(80, '-');
const std::string kHeading = kRule + "\n" + std::string(20, ' ') + "p-y Curves Reported for Specified Depths\n" + kRule + "\n";

// Elastic subgrade point line: 3 blanks, y in 12, 5 blanks, p in 12.
std::string esPoint(const std::string& y, const std::string& p) { return "   " + y + "     " + p + "\n"; }
// User-input point line: y in F15.4, 5 blanks, p in F15.4.
std::string userPoint(const std::string& y, const std::string& p) {
    return std::string(15 - y.size(), ' ') + y + "     " + std::string(15 - p.size(), ' ') + p + "\n";
}

// Depth 5 in the elastic subgrade: K = E b = 800, points y = i b / 8 = i, p = 800 i.
std::string elasticBlock() {
    std::string s = "\n\np-y Curve for Elastic Subgrade\n\n";
    s += row("Soil Layer Number", "         1");
    s += row("Depth below pile head", "       5.000 L  ");
    s += row("Depth below ground surface", "       3.000 L  ");
    s += row("Shaft Diameter", "       8.000 L  ");
    s += row("Elastic Subgrade Modulus", "     100.000 F  /L  **3");
    s += row("p-multiplier", "     1.00000");
    s += row("y-multiplier", "     1.00000");
    s += "\n        y, L         p, F  /L  \n---------------   ---------------\n";
    s += esPoint("      0.0000", "      0.0000");
    s += esPoint("     1.00000", "   800.00000");
    s += esPoint("     2.00000", "  1600.00000");
    s += esPoint("     3.00000", "  2400.00000");
    s += esPoint("     4.00000", "  3200.00000");
    s += esPoint("     5.00000", "  4000.00000");
    s += esPoint("     6.00000", "  4800.00000");
    s += esPoint("     7.00000", "  5600.00000");
    s += esPoint("     8.00000", "  6400.00000");
    s += esPoint("     9.00000", "  7200.00000");
    s += esPoint("    10.00000", "  8000.00000");
    s += esPoint("    11.00000", "  8800.00000");
    s += esPoint("    12.00000", "  9600.00000");
    s += esPoint("    13.00000", "      10400.");  // beyond 10000: no decimals
    s += esPoint("    14.00000", "      11200.");
    s += esPoint("    15.00000", "      12000.");
    s += esPoint("    16.00000", "      12800.");
    return s;
}

std::string userHeader(const std::string& depth, const std::string& belowGround) {
    std::string s = "\n\np-y Curve Computed by Interpolation Between User-input Curves\n\n";
    s += row("Soil Layer Number", "           2");
    s += row("Depth below pile head", depth + " L  ");
    s += row("Depth below ground surface", belowGround + " L  ");
    s += row("Pile diameter", "       8.000 L  ");
    s += row("p-multiplier", "       1.000");
    s += row("y-multiplier", "       1.000");
    s += "\n      y, L              p, F  /L  \n----------------    ----------------\n";
    return s;
}

// Printed deflections 0.0001 b ... 0.05 b with b = 8.
const char* const kUserY[17] = {"0.0000", "0.0008", "0.0050", "0.0100", "0.0150", "0.0200",
                                "0.0250", "0.0300", "0.0350", "0.0400", "0.0450", "0.0500",
                                "0.0550", "0.0600", "0.1600", "0.3000", "0.4000"};

// Depth 10, at the boundary: the lower layer, top curve alone, p = 10 y.
std::string userBlockAtTop() {
    const char* const p[17] = {"0.0000", "0.0080", "0.0500", "0.1000", "0.1500", "0.2000",
                               "0.2500", "0.3000", "0.3500", "0.4000", "0.4500", "0.5000",
                               "0.5500", "0.6000", "1.6000", "3.0000", "4.0000"};
    std::string s = userHeader("      10.000", "       8.000");
    for (int i = 0; i < 17; ++i) s += userPoint(kUserY[i], p[i]);
    return s;
}

// Depth 15, halfway: p = (10 y + 40 y) / 2 = 25 y.
std::string userBlockHalfway() {
    const char* const p[17] = {"0.0000", "0.0200", "0.1250", "0.2500", "0.3750", "0.5000",
                               "0.6250", "0.7500", "0.8750", "1.0000", "1.1250", "1.2500",
                               "1.3750", "1.5000", "4.0000", "7.5000", "10.0000"};
    std::string s = userHeader("      15.000", "      13.000");
    for (int i = 0; i < 17; ++i) s += userPoint(kUserY[i], p[i]);
    return s;
}

TEST_F(UserDepthsTest, PrintsOneCurvePerDistinctDepthInAscendingOrderWithTheLayersModel) {
    outputDepths({15.0, 5.0, 10.0, 15.0});
    computePyCurvesAtUserDepths(*run);
    ASSERT_FALSE(run->failed());
    closeChannels();

    // The list is left sorted and distinct.
    const PyOutputDepths& d = run->model.pyOutputDepths;
    ASSERT_EQ(d.count, 3);
    EXPECT_EQ(d.depth[1], 5.0);
    EXPECT_EQ(d.depth[2], 10.0);
    EXPECT_EQ(d.depth[3], 15.0);

    // Every layer's block ends with two line ends after its last point line: three empty lines.
    const std::string layerEnd = "\n\n\n";
    EXPECT_EQ(report(), kHeading + elasticBlock() + layerEnd + userBlockAtTop() + userBlockHalfway() + layerEnd);
    EXPECT_EQ(messages(), "Computing p-y curves for output at user-specified depths.\n");

    const std::vector<std::string> plot = testing::lines(this->plot());
    ASSERT_EQ(plot.size(), 1u + 3u * 18u);
    EXPECT_EQ(plot[0], "    3" + std::string(75, ' ') + "Line 6 : number of output p-y curves");
    const std::string gap60(60, ' ');
    EXPECT_EQ(plot[1], "  5.0000000E+00   17" + gap60 + "Line 7:  p-y curve depth in elastic subgrade soil, no. p-y points on curve no. 1");
    EXPECT_EQ(plot[19], "  1.0000000E+01   17" + gap60 + "Line 7:  p-y curve depth in user-input p-y curve, no. p-y points on curve no. 2");
    EXPECT_EQ(plot[37], "  1.5000000E+01   17" + gap60 + "Line 7:  p-y curve depth in user-input p-y curve, no. p-y points on curve no. 3");
    const std::string gap50(50, ' '), gap20(20, ' ');
    EXPECT_EQ(plot[2], "  0.0000000E+00  0.0000000E+00" + gap50 + "Line 8(1): y, p, for elastic subgrade");
    EXPECT_EQ(plot[3], "  1.0000000E+00  8.0000000E+02" + gap50 + "Line 8(2): y, p, for elastic subgrade");
    EXPECT_EQ(plot[18], "  1.6000000E+01  1.2800000E+04" + gap50 + "Line 8(17): y, p, for elastic subgrade");
    EXPECT_EQ(plot[20], "  0.0000000E+00  0.0000000E+00" + gap20 + "Line 8( 1): y, p, for user-input p-y curve");
    // 0.05 in single precision: y = 8 * 0.05000000074505806, p = 10 y at the top curve.
    EXPECT_EQ(plot[36], "  4.0000001E-01  4.0000001E+00" + gap20 + "Line 8(17): y, p, for user-input p-y curve");
    // 0.02 in single precision: y = 8 * 0.019999999552965164 = 0.15999999642, p = 25 y halfway
    // = 3.99999991059.
    EXPECT_EQ(plot[52], "  1.6000000E-01  3.9999999E+00" + gap20 + "Line 8(15): y, p, for user-input p-y curve");
    EXPECT_EQ(plot[54], "  4.0000001E-01  1.0000000E+01" + gap20 + "Line 8(17): y, p, for user-input p-y curve");
}

TEST_F(UserDepthsTest, LeavesTheNodesOfTheLoadCaseAsTheyWere) {
    const auto before = std::make_unique<PileNodes>(run->nodes);
    ASSERT_EQ(before->firstNode[1], 2);  // z = 4.5: the first node at or below the ground
    ASSERT_EQ(before->firstNode[2], 4);  // z = 13.5
    outputDepths({15.0, 5.0, 10.0});
    computePyCurvesAtUserDepths(*run);
    ASSERT_FALSE(run->failed());
    const PileNodes& after = run->nodes;
    EXPECT_EQ(after.M, before->M);
    EXPECT_EQ(after.h, before->h);
    EXPECT_EQ(after.L, before->L);
    EXPECT_EQ(after.x, before->x);
    EXPECT_EQ(after.z, before->z);
    EXPECT_EQ(after.Es, before->Es);
    EXPECT_EQ(after.EI, before->EI);
    EXPECT_EQ(after.deflection, before->deflection);
    EXPECT_EQ(after.firstNode, before->firstNode);
    EXPECT_EQ(after.i_BottomNodeInLayer, before->i_BottomNodeInLayer);
    EXPECT_FALSE(run->py.reportPass);
}

TEST_F(UserDepthsTest, ADepthAboveTheGroundSurfacePrintsNoCurveAndTheRunGoesOn) {
    units(kUSCS);
    const auto before = std::make_unique<PileNodes>(run->nodes);
    outputDepths({15.0, 1.0});  // the ground surface lies at 2
    computePyCurvesAtUserDepths(*run);
    EXPECT_EQ(run->errorNumber, 0);
    closeChannels();

    // The location shows the first character of the deflection unit only.
    const std::string text =
        "**** Input Data Error No. 23 (NON-FATAL) ****\n"
        "\n"
        "p-y curves cannot be generated at depth number 1\n"
        "This location is     1.000 i below the pile head and \n"
        "is above the ground surface for this problem.\n"
        "\n"
        "The ground surface is     2.000 in  below the top of the pile.\n"
        "\n";
    EXPECT_EQ(report(), kHeading + text);
    EXPECT_EQ(messages(), "Computing p-y curves for output at user-specified depths.\n" + text);
    EXPECT_EQ(plot(), "    2" + std::string(75, ' ') + "Line 6 : number of output p-y curves\n" +
                          "  1.0000000E+00    0" + std::string(60, ' ') + "Line 7:  p-y curve depth, no. p-y points\n");
    EXPECT_EQ(run->nodes.x, before->x);
    EXPECT_EQ(run->nodes.firstNode, before->firstNode);
    EXPECT_FALSE(run->py.reportPass);
}

}  // namespace
}  // namespace mervik
