// Reading the SECTIONS block: every section type field by field in US customary and SI units,
// the bar and strand positions, the strand table, the pile property points, and the input
// errors with their texts and numbers.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "input/reader.hpp"
#include "input/sections.hpp"
#include "support/temp_run.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

class SectionsInput : public testing::MemoryRunTest {
protected:
    // Reads one SECTIONS block (the lines after its header) in the given unit system.
    void read(const std::string& text, int units = kUSCS) {
        run->model.options.IUNITS = units;
        setInput(text);
        readSections(*run);
    }
    void readAllTypes(int units) {
        read(testing::fixture("sections_all_types.txt"), units);
        ASSERT_FALSE(run->failed()) << report();
    }
    const PileSections& piles() const { return run->model.sections; }
    const PileSection& section(int i) const { return run->model.sections.section[i]; }
};

// Dimensions given in millimeters in SI are stored in meters: the expected value is the value
// in the file divided by mm (1 in US customary units, 1000 in SI) or by mm * mm for areas.
struct Units {
    int system;
    double mm;
};
constexpr Units kBothUnits[] = {{kUSCS, 1.0}, {kSI, 1000.0}};

std::string prematureEnd(int n) {
    return "\n\nMervik ended prematurely due to input error number INP000" + std::to_string(n) + "\n";
}

// ---------------------------------------------------------------------------------------------
// Every section type, from the fixture of 17 sections (types 0 to 14 with -3 and -13).

TEST_F(SectionsInput, RectangularPileReadsDepthBeforeWidthAndBarsByCoordinates) {
    for (const Units& u : kBothUnits) {
        SCOPED_TRACE(u.system);
        readAllTypes(u.system);
        const PileSection& s = section(1);
        EXPECT_EQ(s.sectionType, 0);
        EXPECT_DOUBLE_EQ(s.sectionLength, 10.0);
        EXPECT_DOUBLE_EQ(s.depth, 24.0 / u.mm);
        EXPECT_DOUBLE_EQ(s.width, 18.0 / u.mm);
        EXPECT_DOUBLE_EQ(s.diameter, 24.0 / u.mm);   // the depth
        EXPECT_DOUBLE_EQ(s.concreteStrength, 4000.0);
        EXPECT_DOUBLE_EQ(s.aggregateSize, 0.75 / u.mm);
        EXPECT_TRUE(s.defaultTensileStrength);
        EXPECT_FALSE(s.userConcreteCurve);
        EXPECT_FALSE(s.sameBarsAsAbove);
        EXPECT_FALSE(s.barsInCircle);
        EXPECT_DOUBLE_EQ(s.barYield, 60000.0);
        EXPECT_DOUBLE_EQ(s.barModulus, 29000000.0);
        ASSERT_EQ(s.barCount, 2);
        EXPECT_EQ(s.bar[1].sizeIndex, 8);
        EXPECT_DOUBLE_EQ(s.bar[1].diameter, 1.0 / u.mm);
        EXPECT_DOUBLE_EQ(s.bar[1].area, 0.79 / (u.mm * u.mm));
        EXPECT_DOUBLE_EQ(s.bar[1].x, -6.0 / u.mm);
        EXPECT_DOUBLE_EQ(s.bar[1].y, -9.0 / u.mm);
        EXPECT_EQ(s.bar[2].sizeIndex, 9);
        EXPECT_DOUBLE_EQ(s.bar[2].diameter, 1.128 / u.mm);
        EXPECT_DOUBLE_EQ(s.bar[2].area, 1.0 / (u.mm * u.mm));
        EXPECT_DOUBLE_EQ(s.bar[2].x, 6.0 / u.mm);
        EXPECT_DOUBLE_EQ(s.bar[2].y, 9.0 / u.mm);
        // The p-y diameter of a rectangular pile is its width.
        EXPECT_DOUBLE_EQ(piles().point[1].diameter, 18.0 / u.mm);
        EXPECT_DOUBLE_EQ(piles().point[2].diameter, 18.0 / u.mm);
    }
}

TEST_F(SectionsInput, DrilledShaftWithUserCurveAndBarsInCircleShiftedOnceByTheCageOffset) {
    for (const Units& u : kBothUnits) {
        SCOPED_TRACE(u.system);
        readAllTypes(u.system);
        const PileSection& s = section(2);
        EXPECT_EQ(s.sectionType, 1);
        EXPECT_DOUBLE_EQ(s.sectionLength, 20.0);
        EXPECT_DOUBLE_EQ(s.diameter, 36.0 / u.mm);
        EXPECT_DOUBLE_EQ(s.concreteStrength, 4500.0);
        EXPECT_DOUBLE_EQ(s.aggregateSize, 1.0 / u.mm);
        EXPECT_FALSE(s.defaultTensileStrength);
        EXPECT_DOUBLE_EQ(s.tensileStrength, 500.0);
        EXPECT_TRUE(s.userConcreteCurve);
        ASSERT_EQ(s.concreteCurvePointCount, 3);
        EXPECT_DOUBLE_EQ(s.concreteStrain[2], 0.001);
        EXPECT_DOUBLE_EQ(s.concreteStress[2], 3000.0);
        EXPECT_DOUBLE_EQ(s.concreteStrain[3], 0.003);
        EXPECT_DOUBLE_EQ(s.concreteStress[3], 4500.0);
        EXPECT_TRUE(s.sameBarsAsAbove);
        EXPECT_TRUE(s.barsInCircle);
        EXPECT_EQ(s.barPositionCount, 8);
        EXPECT_EQ(s.barsPerBundle, 1);
        EXPECT_DOUBLE_EQ(s.barDiameter, 1.0 / u.mm);
        EXPECT_DOUBLE_EQ(s.barArea, 0.79 / (u.mm * u.mm));
        EXPECT_DOUBLE_EQ(s.barCover, 3.0 / u.mm);
        EXPECT_DOUBLE_EQ(s.cageOffset, 2.0 / u.mm);
        ASSERT_EQ(s.barCount, 8);
        EXPECT_DOUBLE_EQ(s.bar[8].diameter, 1.0 / u.mm);
        EXPECT_DOUBLE_EQ(s.bar[8].area, 0.79 / (u.mm * u.mm));
        // R = (36 - 1)/2 - 3 = 14.5 (in mm in SI), bars every 45 degrees from angle 0, every y
        // raised by the offset 2 once.
        const std::vector<std::tuple<int, double, double>> expected = {
            {1, 14.5, 2.0},
            {2, 10.25304832720494, 12.253048327204938},
            {3, 0.0, 16.5},
            {5, -14.5, 2.0},
            {6, -10.253048327204942, -8.253048327204938},
            {7, 0.0, -12.5}};
        for (const auto& [k, x, y] : expected) {
            EXPECT_NEAR(s.bar[k].x, x / u.mm, 1e-12) << k;
            EXPECT_NEAR(s.bar[k].y, y / u.mm, 1e-12) << k;
        }
        EXPECT_DOUBLE_EQ(s.bar[9].y, 0.0);
    }
}

TEST_F(SectionsInput, CasedShaftsConvertCasingAndCoreDimensions) {
    for (const Units& u : kBothUnits) {
        SCOPED_TRACE(u.system);
        readAllTypes(u.system);
        const PileSection& cased = section(3);
        EXPECT_EQ(cased.sectionType, 2);
        EXPECT_DOUBLE_EQ(cased.sectionLength, 5.0);
        EXPECT_DOUBLE_EQ(cased.diameter, 48.0 / u.mm);
        EXPECT_DOUBLE_EQ(cased.casingThickness, 0.5 / u.mm);
        EXPECT_DOUBLE_EQ(cased.casingYield, 36000.0);
        EXPECT_DOUBLE_EQ(cased.casingModulus, 29000000.0);
        EXPECT_DOUBLE_EQ(cased.concreteStrength, 5000.0);
        EXPECT_TRUE(cased.defaultTensileStrength);   // the keyword line had trailing blanks
        EXPECT_EQ(cased.barCount, 0);                // "No rebar"

        const PileSection& core = section(4);
        EXPECT_EQ(core.sectionType, 3);
        EXPECT_TRUE(core.filledCore);
        EXPECT_DOUBLE_EQ(core.diameter, 48.0 / u.mm);
        EXPECT_DOUBLE_EQ(core.casingThickness, 0.5 / u.mm);
        EXPECT_DOUBLE_EQ(core.casingYield, 36000.0);
        EXPECT_DOUBLE_EQ(core.casingModulus, 29000000.0);
        EXPECT_DOUBLE_EQ(core.coreDiameter, 12.0 / u.mm);
        EXPECT_DOUBLE_EQ(core.coreThickness, 0.375 / u.mm);
        EXPECT_DOUBLE_EQ(core.coreYield, 50000.0);
        EXPECT_DOUBLE_EQ(core.coreModulus, 29500000.0);
        ASSERT_EQ(core.barCount, 12);  // 6 positions x 2 bars
        // R = (48 - 1)/2 - 3 = 20.5 (in SI the same in meters / 1000); each pair at the position
        // angle -/+ (db/R)/2.
        const double tol = 1e-12 / u.mm;
        EXPECT_NEAR(core.bar[1].x, 20.49390274129685 / u.mm, tol);
        EXPECT_NEAR(core.bar[1].y, -0.4999504278080398 / u.mm, tol);
        EXPECT_NEAR(core.bar[2].y, 0.4999504278080398 / u.mm, tol);
        EXPECT_NEAR(core.bar[3].x, 10.679921141763087 / u.mm, tol);
        EXPECT_NEAR(core.bar[3].y, 17.498265182746596 / u.mm, tol);
        EXPECT_NEAR(core.bar[4].x, 9.813981599533767 / u.mm, tol);
        EXPECT_NEAR(core.bar[4].y, 17.998215610554638 / u.mm, tol);

        const PileSection& voidCore = section(5);
        EXPECT_EQ(voidCore.sectionType, 3);
        EXPECT_FALSE(voidCore.filledCore);
        EXPECT_DOUBLE_EQ(voidCore.diameter, 40.0 / u.mm);
        EXPECT_DOUBLE_EQ(voidCore.casingThickness, 0.625 / u.mm);
        EXPECT_DOUBLE_EQ(voidCore.coreDiameter, 10.0 / u.mm);
        EXPECT_DOUBLE_EQ(voidCore.coreThickness, 0.25 / u.mm);
        EXPECT_DOUBLE_EQ(voidCore.coreYield, 45000.0);
        EXPECT_DOUBLE_EQ(voidCore.coreModulus, 28500000.0);
        // "Rebar in spiral" is neither placement: the bars stay unset and reading goes on.
        EXPECT_EQ(voidCore.barCount, 0);
        EXPECT_FALSE(voidCore.barsInCircle);
        EXPECT_DOUBLE_EQ(voidCore.barYield, 0.0);
    }
}

TEST_F(SectionsInput, SteelPipeStoresAreaInertiaAndModulusAtBothPoints) {
    for (const Units& u : kBothUnits) {
        SCOPED_TRACE(u.system);
        readAllTypes(u.system);
        const PileSection& s = section(6);
        EXPECT_EQ(s.sectionType, 4);
        EXPECT_DOUBLE_EQ(s.sectionLength, 30.0);
        EXPECT_DOUBLE_EQ(s.diameter, 24.0 / u.mm);
        EXPECT_DOUBLE_EQ(s.casingThickness, 0.5 / u.mm);
        EXPECT_DOUBLE_EQ(s.casingYield, 50000.0);
        EXPECT_DOUBLE_EQ(s.casingModulus, 29000000.0);
        // I = (24^4 - 23^4) pi/64, A = (24^2 - 23^2) pi/4 (in mm^4 and mm^2 in SI).
        const double mm4 = u.mm * u.mm * u.mm * u.mm;
        for (int p : {11, 12}) {
            const PilePropertyPoint& point = piles().point[p];
            EXPECT_DOUBLE_EQ(point.diameter, 24.0 / u.mm);
            EXPECT_NEAR(point.inertia, 2549.3533510029047 / mm4, 1e-12 * 2549.3533510029047 / mm4);
            EXPECT_NEAR(point.area, 36.91371367968007 / (u.mm * u.mm), 1e-12 * 36.91371367968007 / (u.mm * u.mm));
            EXPECT_DOUBLE_EQ(point.modulus, 29000000.0);
        }
        EXPECT_DOUBLE_EQ(piles().point[1].area, 0.0);  // only pipes and elastic sections carry one
    }
}

TEST_F(SectionsInput, PrestressedSectionsGetStrandTableValuesAndPositions) {
    for (const Units& u : kBothUnits) {
        SCOPED_TRACE(u.system);
        readAllTypes(u.system);
        const bool si = u.system == kSI;
        const double inch = si ? 0.02539999969303608 : 1.0;

        // Type 5: grade 1 (PCI 270) size 3, 8 strands on a circle.
        const PileSection& s5 = section(7);
        EXPECT_EQ(s5.sectionType, 5);
        EXPECT_DOUBLE_EQ(s5.diameter, 24.0 / u.mm);
        EXPECT_DOUBLE_EQ(s5.concreteStrength, 6000.0);
        EXPECT_TRUE(s5.strandAutoposition);
        EXPECT_EQ(s5.strandGrade, 1);
        EXPECT_EQ(s5.strandSizeCode, 3);
        EXPECT_EQ(s5.strandCount, 8);
        EXPECT_DOUBLE_EQ(s5.prestressForce, 200000.0);
        EXPECT_DOUBLE_EQ(s5.prestressLoss, 0.2);
        EXPECT_DOUBLE_EQ(s5.strandCover, 3.0 / u.mm);
        EXPECT_EQ(s5.strandPattern, 0);
        EXPECT_DOUBLE_EQ(s5.strandFpu, 270000.0);
        EXPECT_DOUBLE_EQ(s5.barModulus, si ? 193053200.0 : 28000.0);
        for (int k : {1, 8}) {
            EXPECT_EQ(s5.bar[k].diameter, si ? 0.01269999984651804 : 0.5);
            EXPECT_EQ(s5.bar[k].area, si ? 9.870947576833611E-05 : 0.15299999713897705);
        }
        if (si) {
            // R = (0.024 - 0.0127)/2 - 0.003
            EXPECT_NEAR(s5.bar[1].x, 0.0026500000767409803, 1e-15);
            EXPECT_NEAR(s5.bar[2].x, 0.0018738330244084187, 1e-15);
            EXPECT_NEAR(s5.bar[2].y, 0.0018738330244084187, 1e-15);
        } else {
            // R = (24 - 0.5)/2 - 3 = 8.75
            EXPECT_NEAR(s5.bar[1].x, 8.75, 1e-12);
            EXPECT_NEAR(s5.bar[1].y, 0.0, 1e-12);
            EXPECT_NEAR(s5.bar[2].x, 6.187184335382291, 1e-12);
            EXPECT_NEAR(s5.bar[3].y, 8.75, 1e-12);
        }
        EXPECT_DOUBLE_EQ(s5.bar[9].x, 0.0);

        // Type 6: manual strands, each with its own grade; the last grade read stays.
        const PileSection& s6 = section(8);
        EXPECT_EQ(s6.sectionType, 6);
        EXPECT_DOUBLE_EQ(s6.diameter, 24.0 / u.mm);
        EXPECT_DOUBLE_EQ(s6.voidDiameter, 12.0 / u.mm);
        EXPECT_FALSE(s6.strandAutoposition);
        EXPECT_EQ(s6.strandCount, 2);
        EXPECT_DOUBLE_EQ(s6.prestressForce, 100000.0);
        EXPECT_DOUBLE_EQ(s6.prestressLoss, 0.15);
        EXPECT_EQ(s6.strandGrade, 1);
        EXPECT_EQ(s6.bar[1].sizeIndex, 3);
        EXPECT_DOUBLE_EQ(s6.bar[1].diameter, 1.25 * inch);          // grade 5 size 3
        EXPECT_DOUBLE_EQ(s6.bar[1].area, 1.25 * inch * inch);
        EXPECT_DOUBLE_EQ(s6.bar[1].x, 6.0 / u.mm);
        EXPECT_DOUBLE_EQ(s6.bar[2].diameter, 0.5 * inch);           // grade 1 size 3
        EXPECT_DOUBLE_EQ(s6.bar[2].x, -6.0 / u.mm);
        EXPECT_DOUBLE_EQ(s6.bar[2].y, 0.0);
        EXPECT_DOUBLE_EQ(s6.strandFpu, 270000.0);
        EXPECT_DOUBLE_EQ(s6.barModulus, si ? 193053200.0 : 28000.0);

        // Type 7: 12 strands, pattern 1, on the square a = (14 - 0.5)/2 - 1.25 = 5.5.
        const PileSection& s7 = section(9);
        EXPECT_EQ(s7.sectionType, 7);
        EXPECT_DOUBLE_EQ(s7.diameter, 14.0 / u.mm);
        EXPECT_DOUBLE_EQ(s7.chamfer, 0.75 / u.mm);
        EXPECT_EQ(s7.strandPattern, 1);
        EXPECT_DOUBLE_EQ(s7.strandFpu, 250000.0);
        EXPECT_DOUBLE_EQ(s7.bar[12].area, 0.14399999380111694 * inch * inch);
        if (!si) {
            EXPECT_NEAR(s7.bar[1].x, -5.5, 1e-12);
            EXPECT_NEAR(s7.bar[2].x, -1.8333333333333335, 1e-12);
            EXPECT_NEAR(s7.bar[6].y, 3.6666666666666665, 1e-12);
            EXPECT_NEAR(s7.bar[12].y, -3.6666666666666665, 1e-12);
        }

        // Type 8: grade 3 size 2 bars, 10 in pattern 2, a = (16 - 1)/2 - 2 = 5.5.
        const PileSection& s8 = section(10);
        EXPECT_EQ(s8.sectionType, 8);
        EXPECT_DOUBLE_EQ(s8.diameter, 16.0 / u.mm);
        EXPECT_DOUBLE_EQ(s8.voidDiameter, 8.0 / u.mm);
        EXPECT_DOUBLE_EQ(s8.chamfer, 1.0 / u.mm);
        EXPECT_DOUBLE_EQ(s8.strandFpu, 145000.0);
        EXPECT_DOUBLE_EQ(s8.barModulus, si ? 199947760.0 : 29000.0);
        EXPECT_DOUBLE_EQ(s8.bar[1].area, 0.7850000262260437 * inch * inch);
        if (!si) {
            EXPECT_NEAR(s8.bar[2].x, 0.0, 1e-12);
            EXPECT_NEAR(s8.bar[2].y, -5.5, 1e-12);
            EXPECT_NEAR(s8.bar[5].y, 3.6666666666666665, 1e-12);
        }

        // Type 9: grade 5 size 0, 9 strands in pattern 1: the ninth at the centre.
        const PileSection& s9 = section(11);
        EXPECT_EQ(s9.sectionType, 9);
        EXPECT_DOUBLE_EQ(s9.diameter, 18.0 / u.mm);
        EXPECT_DOUBLE_EQ(s9.strandFpu, 157000.0);
        EXPECT_DOUBLE_EQ(s9.bar[1].diameter, 0.625 * inch);
        EXPECT_DOUBLE_EQ(s9.bar[9].x, 0.0);
        EXPECT_DOUBLE_EQ(s9.bar[9].y, 0.0);
        if (!si) {
            EXPECT_NEAR(s9.bar[8].x, -6.6875, 1e-12);  // a = (18 - 0.625)/2 - 2
        }

        // Type 10: grade 2 size 4, 6 strands in pattern 2.
        const PileSection& s10 = section(12);
        EXPECT_EQ(s10.sectionType, 10);
        EXPECT_DOUBLE_EQ(s10.diameter, 20.0 / u.mm);
        EXPECT_DOUBLE_EQ(s10.voidDiameter, 10.0 / u.mm);
        EXPECT_DOUBLE_EQ(s10.strandCover, 2.5 / u.mm);
        EXPECT_DOUBLE_EQ(s10.strandFpu, 300000.0);
        EXPECT_DOUBLE_EQ(s10.bar[6].diameter, 0.6000000238418579 * inch);
        if (!si) {
            EXPECT_NEAR(s10.bar[3].x, 7.199999988079071, 1e-12);  // right side, (a, 0)
        }
    }
}

TEST_F(SectionsInput, ElasticAndUserEiSectionsAreStoredAsGiven) {
    for (const Units& u : kBothUnits) {
        SCOPED_TRACE(u.system);
        readAllTypes(u.system);
        const PileSection& e = section(13);
        EXPECT_EQ(e.sectionType, 11);
        EXPECT_EQ(e.elasticShape, 1);
        EXPECT_DOUBLE_EQ(e.elasticModulus, 29000000.0);
        EXPECT_DOUBLE_EQ(e.topWidth, 12.0);
        EXPECT_DOUBLE_EQ(e.bottomWidth, 10.0);
        EXPECT_DOUBLE_EQ(e.topDepth, 14.0);
        EXPECT_DOUBLE_EQ(e.bottomDepth, 12.0);
        EXPECT_DOUBLE_EQ(e.topArea, 100.0);
        EXPECT_DOUBLE_EQ(e.bottomArea, 80.0);
        EXPECT_DOUBLE_EQ(e.topInertia, 1000.0);
        EXPECT_DOUBLE_EQ(e.bottomInertia, 800.0);

        const PileSection& ep = section(14);
        EXPECT_EQ(ep.sectionType, 12);
        EXPECT_EQ(ep.elasticShape, 4);
        EXPECT_DOUBLE_EQ(ep.topPlasticMoment, 5000000.0);
        EXPECT_DOUBLE_EQ(ep.topWidth, 10.2);
        EXPECT_DOUBLE_EQ(ep.topDepth, 10.0);
        EXPECT_DOUBLE_EQ(ep.flangeThickness, 0.565);
        EXPECT_DOUBLE_EQ(ep.webThickness, 0.565);
        EXPECT_DOUBLE_EQ(ep.topArea, 21.8);
        EXPECT_DOUBLE_EQ(ep.topInertia, 394.0);

        const PileSection& ei = section(15);
        EXPECT_EQ(ei.sectionType, 13);
        EXPECT_EQ(ei.userEiForm, UserEiForm::MomentVersusEi);
        EXPECT_DOUBLE_EQ(ei.diameter, 30.0 / u.mm);
        ASSERT_EQ(ei.userEiThrustCount, 2);
        EXPECT_DOUBLE_EQ(ei.userEi[1].thrust, 0.0);
        ASSERT_EQ(ei.userEi[1].pointCount, 2);
        EXPECT_DOUBLE_EQ(ei.userEi[1].moment[2], 1.0E6);
        EXPECT_DOUBLE_EQ(ei.userEi[1].stiffness[1], 1.0E10);
        EXPECT_DOUBLE_EQ(ei.userEi[1].stiffness[2], 5.0E9);
        EXPECT_DOUBLE_EQ(ei.userEi[2].thrust, 100000.0);
        ASSERT_EQ(ei.userEi[2].pointCount, 1);
        EXPECT_DOUBLE_EQ(ei.userEi[2].stiffness[1], 2.0E10);

        const PileSection& phi = section(16);
        EXPECT_EQ(phi.sectionType, 13);
        EXPECT_EQ(phi.userEiForm, UserEiForm::MomentVersusCurvature);
        ASSERT_EQ(phi.userEiThrustCount, 1);
        EXPECT_DOUBLE_EQ(phi.userEi[1].thrust, 50.0);
        ASSERT_EQ(phi.userEi[1].pointCount, 2);
        EXPECT_DOUBLE_EQ(phi.userEi[1].moment[2], 1.0E6);
        EXPECT_DOUBLE_EQ(phi.userEi[1].curvature[2], 0.0002);
        EXPECT_DOUBLE_EQ(phi.userEi[1].stiffness[2], 0.0);

        const PileSection& micro = section(17);
        EXPECT_EQ(micro.sectionType, 14);
        EXPECT_DOUBLE_EQ(micro.sectionLength, 15.0);
    }
}

TEST_F(SectionsInput, PilePropertyPointsFollowTheSectionsAndSkipTheMicropile) {
    readAllTypes(kUSCS);
    EXPECT_EQ(piles().count, 17);
    EXPECT_EQ(piles().propertyPointCount, 34);
    EXPECT_DOUBLE_EQ(piles().pileLength, 175.0);  // all lengths but the micropile's 15

    // Per section: top depth, bottom depth, top and bottom p-y diameter.
    const std::vector<std::tuple<double, double, double, double>> expected = {
        {0, 10, 18, 18},        {10, 30, 36, 36},       {30, 35, 48, 48},     {35, 40, 48, 48},
        {40, 45, 40, 40},       {45, 75, 24, 24},       {75, 85, 24, 24},     {85, 95, 24, 24},
        {95, 105, 14, 14},      {105, 115, 16, 16},     {115, 125, 18, 18},   {125, 135, 20, 20},
        {135, 145, 12, 10},     {145, 155, 10.2, 10.2}, {155, 165, 30, 30},   {165, 175, 30, 30},
        {0, 0, 0, 0}};
    for (int i = 1; i <= 17; ++i) {
        SCOPED_TRACE(i);
        const auto& [top, bottom, dTop, dBottom] = expected[static_cast<std::size_t>(i - 1)];
        EXPECT_DOUBLE_EQ(section(i).topDepthX, top);
        EXPECT_DOUBLE_EQ(section(i).bottomDepthX, bottom);
        EXPECT_DOUBLE_EQ(piles().point[2 * i - 1].depth, top);
        EXPECT_DOUBLE_EQ(piles().point[2 * i].depth, bottom);
        EXPECT_DOUBLE_EQ(piles().point[2 * i - 1].diameter, dTop);
        EXPECT_DOUBLE_EQ(piles().point[2 * i].diameter, dBottom);
    }
    // Elastic sections carry their own area, inertia and modulus.
    EXPECT_DOUBLE_EQ(piles().point[25].area, 100.0);
    EXPECT_DOUBLE_EQ(piles().point[26].area, 80.0);
    EXPECT_DOUBLE_EQ(piles().point[25].inertia, 1000.0);
    EXPECT_DOUBLE_EQ(piles().point[26].inertia, 800.0);
    EXPECT_DOUBLE_EQ(piles().point[26].modulus, 29000000.0);
    EXPECT_DOUBLE_EQ(piles().point[28].area, 21.8);   // H-pile: the single area at both points
    EXPECT_DOUBLE_EQ(piles().point[28].inertia, 394.0);
}

TEST_F(SectionsInput, ProgressLinesNameEachSectionAndBlock) {
    readAllTypes(kUSCS);
    EXPECT_EQ(report(), "");
    auto sec = [](int i) { return "Reading section properties for Section " + std::to_string(i); };
    auto concrete = [](int i) { return "Reading concrete property data for Section " + std::to_string(i); };
    auto rebar = [](int i) { return "Reading rebar property data for Section " + std::to_string(i); };
    auto strands = [](int i) { return "Reading prestressing strand data for Section " + std::to_string(i); };
    const std::vector<std::string> expected = {
        sec(1), concrete(1), rebar(1),  sec(2), concrete(2), rebar(2),  sec(3), concrete(3), rebar(3),
        sec(4), concrete(4), rebar(4),  sec(5), concrete(5), rebar(5),  sec(6),
        sec(7), concrete(7), strands(7), sec(8), concrete(8), strands(8), sec(9), concrete(9), strands(9),
        sec(10), concrete(10), strands(10), sec(11), concrete(11), strands(11),
        sec(12), concrete(12), strands(12),
        sec(13), "Reading elastic section properties for Section 13",
        sec(14), "Reading elastic-plastic section properties for Section 14",
        sec(15), sec(16), sec(17)};
    EXPECT_EQ(testing::lines(messages()), expected);
}

// ---------------------------------------------------------------------------------------------
// Single behaviours.

TEST_F(SectionsInput, ShaftDiameterIsConvertedFromMillimetersInSiOnly) {
    read("1\n1\n1\n10.0\n900\n4000\n0.75\nUse default concrete tensile strength\n"
         "Use internal stress-strain curve for concrete\nNo rebar\n",
         kSI);
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(section(1).diameter, 0.9);
    read("1\n1\n1\n10.0\n36\n4000\n0.75\nUse default concrete tensile strength\n"
         "Use internal stress-strain curve for concrete\nNo rebar\n",
         kUSCS);
    EXPECT_EQ(section(1).diameter, 36.0);
    read("1\n1\n1\n10.0\n36\n4000\n0.75\nUse default concrete tensile strength\n"
         "Use internal stress-strain curve for concrete\nNo rebar\n",
         kGeneral);
    EXPECT_EQ(section(1).diameter, 36.0);
}

TEST_F(SectionsInput, RereadingKeepsBarsWhenThePlacementLineIsNeitherAndRestartsThePileLength) {
    const std::string head = "1\n1\n1\n20.0\n36.0\n4000\n0.75\nUse default concrete tensile strength\n"
                             "Use internal stress-strain curve for concrete\n"
                             "Rebar Arrangement Not Same As Section Above\n";
    read(head + "Rebar in circle\n60000\n29000000\n8\n1\n1.0\n0.79\n3.0\n0.0\n");
    ASSERT_EQ(section(1).barCount, 8);
    read(head + "Rebar by hand\n");
    EXPECT_FALSE(run->failed());
    EXPECT_EQ(section(1).barCount, 8);
    EXPECT_NEAR(section(1).bar[1].x, 14.5, 1e-12);
    EXPECT_DOUBLE_EQ(piles().pileLength, 20.0);
}

// Lines of the elastic blocks: line j after the shape holds 100 + j, so that each stored value
// names the line it came from.
struct ElasticCase {
    const char* name;
    int type;
    int shape;
    int lineCount;
    std::vector<std::pair<double PileSection::*, double>> fields;
    double topDiameter, bottomDiameter;
};

TEST_F(SectionsInput, ElasticBlocksReadTheLinesOfTheirShape) {
    using S = PileSection;
    const std::vector<ElasticCase> cases = {
        {"rectangular", 11, 1, 9,
         {{&S::elasticModulus, 101}, {&S::topWidth, 102}, {&S::bottomWidth, 103}, {&S::topDepth, 104},
          {&S::bottomDepth, 105}, {&S::topArea, 106}, {&S::bottomArea, 107}, {&S::topInertia, 108},
          {&S::bottomInertia, 109}},
         102, 103},
        {"rectangular plastic", 12, 1, 11,
         {{&S::elasticModulus, 101}, {&S::topPlasticMoment, 102}, {&S::bottomPlasticMoment, 103},
          {&S::topWidth, 104}, {&S::bottomWidth, 105}, {&S::topDepth, 106}, {&S::bottomDepth, 107},
          {&S::topArea, 108}, {&S::bottomArea, 109}, {&S::topInertia, 110}, {&S::bottomInertia, 111}},
         104, 105},
        {"circular", 11, 2, 7,
         {{&S::elasticModulus, 101}, {&S::topWidth, 102}, {&S::bottomWidth, 103}, {&S::topArea, 104},
          {&S::bottomArea, 105}, {&S::topInertia, 106}, {&S::bottomInertia, 107}},
         102, 103},
        {"pipe plastic", 12, 3, 11,
         {{&S::elasticModulus, 101}, {&S::topPlasticMoment, 102}, {&S::bottomPlasticMoment, 103},
          {&S::topWidth, 104}, {&S::bottomWidth, 105}, {&S::topDepth, 106}, {&S::bottomDepth, 107},
          {&S::topArea, 108}, {&S::bottomArea, 109}, {&S::topInertia, 110}, {&S::bottomInertia, 111}},
         104, 105},
        {"strong H-pile plastic", 12, 4, 8,
         {{&S::elasticModulus, 101}, {&S::topPlasticMoment, 102}, {&S::bottomPlasticMoment, 102},
          {&S::topWidth, 103}, {&S::topDepth, 104}, {&S::bottomDepth, 104}, {&S::flangeThickness, 105},
          {&S::webThickness, 106}, {&S::topArea, 107}, {&S::bottomArea, 107}, {&S::topInertia, 108},
          {&S::bottomInertia, 108}},
         103, 103},
        {"weak H-pile", 11, 5, 7,
         {{&S::elasticModulus, 101}, {&S::topWidth, 102}, {&S::topDepth, 103}, {&S::bottomDepth, 103},
          {&S::flangeThickness, 104}, {&S::webThickness, 105}, {&S::topArea, 106}, {&S::bottomArea, 106},
          {&S::topInertia, 107}, {&S::bottomInertia, 107}},
         103, 103},
        {"embedded pole plastic", 12, 6, 10,
         {{&S::elasticModulus, 101}, {&S::topPlasticMoment, 102}, {&S::bottomPlasticMoment, 103},
          {&S::topWidth, 104}, {&S::bottomWidth, 105}, {&S::topArea, 106}, {&S::bottomArea, 107},
          {&S::topInertia, 108}, {&S::bottomInertia, 109}, {&S::holeDiameter, 110}, {&S::diameter, 110}},
         110, 110},
        {"unknown shape reads nothing more", 11, 7, 0, {{&S::elasticModulus, 0}}, 0, 0},
    };
    for (const ElasticCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = "2\n1\n" + std::to_string(c.type) + "\n10.0\n" + std::to_string(c.shape) + "\n";
        for (int j = 1; j <= c.lineCount; ++j) text += std::to_string(100 + j) + "\n";
        text += "2\n14\n3.0\n";  // a micropile after it: the next line read must be its number
        run = std::make_unique<mervik::Run>();
        start();
        read(text, kSI);  // stored as given, whatever the units
        ASSERT_FALSE(run->failed()) << report();
        const PileSection& s = section(1);
        EXPECT_EQ(s.elasticShape, c.shape);
        for (const auto& [field, value] : c.fields) EXPECT_DOUBLE_EQ(s.*field, value);
        EXPECT_DOUBLE_EQ(piles().point[1].diameter, c.topDiameter);
        EXPECT_DOUBLE_EQ(piles().point[2].diameter, c.bottomDiameter);
        EXPECT_DOUBLE_EQ(piles().point[1].modulus, s.elasticModulus);
        EXPECT_DOUBLE_EQ(piles().point[1].area, s.topArea);
        EXPECT_DOUBLE_EQ(piles().point[2].inertia, s.bottomInertia);
        EXPECT_DOUBLE_EQ(section(2).sectionLength, 3.0);
    }
}

// ---------------------------------------------------------------------------------------------
// Errors of the block: text to the report, error 95.

const char* const kShaftHead = "1\n1\n1\n20.0\n36.0\n4000\n0.75\n";
const char* const kConcreteDefaults =
    "Use default concrete tensile strength\nUse internal stress-strain curve for concrete\n";

struct ErrorCase {
    const char* name;
    std::string input;
    std::string message;
};

TEST_F(SectionsInput, ErrorsWriteTheirTextToTheReportAndRaiseError95) {
    const std::string shaft = kShaftHead;
    const std::string concrete = kConcreteDefaults;
    const std::vector<ErrorCase> cases = {
        {"section out of order", "2\n1\n14\n5.0\n3\n",
         "SECTION DATA OUT-OF-ORDER\n\nExpecting section number 2, but section number 3 was found\n"},
        {"tensile strength line", shaft + "Use concrete tensile strength\n",
         "\nINPUT ERROR - Unrecognized command for concrete tensile strength option\n"},
        {"stress-strain line", shaft + "Override concrete tensile strength\n400\nuse internal stress-strain curve for concrete\n",
         "\nINPUT ERROR - Unrecognized input for concrete stress-strain option\n"},
        {"curve line out of sequence",
         shaft + "Use default concrete tensile strength\nInput stress-strain curve for concrete\n3\n1 0 0\n3 0.002 4000\n",
         "\nINPUT ERROR - Sequence error encountered when reading concrete stress-strain curve\n\n"
         "Expecting line no. 2 but line no. 3 was read\n\n\n"},
        {"bar continuation line", shaft + concrete + "Rebar Arrangement Same As Above\n",
         "\nINPUT ERROR - Unrecognized command for rebar continuation from section above option\n"},
        {"strand placement line", "1\n1\n5\n10.0\n24.0\n6000\n0.5\n" + concrete + "Auto-position strands\n",
         "INPUT ERROR - Unrecognized input for strand no. 1\n\n"},
        {"manual strands numbered 1, 3",
         "1\n1\n5\n10.0\n24.0\n6000\n0.5\n" + concrete +
             "Manually-positioned strands\n1\n2\n1000\n0.1\n1 1 3 5.0 0.0\n3 1 3 -5.0 0.0\n",
         "INPUT ERROR - Input out-of-order for strand no. \n"},
        {"section type outside the list", "1\n1\n15\n10.0\n",
         "\nINPUT ERROR - Unrecognized section type 15 for section 1\n\n"},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        run = std::make_unique<mervik::Run>();
        start();
        read(c.input);
        EXPECT_EQ(run->errorNumber, inputError(95));
        EXPECT_EQ(report(), c.message + prematureEnd(95));
        EXPECT_EQ(messages().find("INPUT ERROR"), std::string::npos);
    }
}

TEST_F(SectionsInput, ManualStrandsStopAtTheLineOutOfOrder) {
    read("1\n1\n5\n10.0\n24.0\n6000\n0.5\n" + std::string(kConcreteDefaults) +
         "Manually-positioned strands\n1\n2\n1000\n0.1\n1 1 3 5.0 0.0\n3 1 3 -5.0 0.0\n");
    EXPECT_TRUE(run->failed());
    EXPECT_DOUBLE_EQ(section(1).bar[1].x, 5.0);
    EXPECT_DOUBLE_EQ(section(1).bar[2].x, 0.0);
}

// ---------------------------------------------------------------------------------------------
// Counts beyond the tables: the capacity error before anything is stored; the limits pass.

std::string shaftWithBars(const std::string& bars) {
    return std::string(kShaftHead) + kConcreteDefaults + "Rebar Arrangement Not Same As Section Above\n" + bars;
}
std::string pileWithStrands(const std::string& strands) {
    return "1\n1\n5\n10.0\n24.0\n6000\n0.5\n" + std::string(kConcreteDefaults) + strands;
}
std::string userEi(int thrusts, int points) {
    std::string text = "1\n1\n13\n10.0\n30.0\n" + std::to_string(thrusts) + "\n";
    for (int c = 1; c <= thrusts; ++c) {
        text += std::to_string(c) + "\n" + std::to_string(points) + "\n";
        for (int k = 1; k <= points; ++k) text += std::to_string(k) + "\n1.0E9\n";
    }
    return text;
}
std::string micropiles(int n) {
    std::string text = std::to_string(n) + "\n";
    for (int i = 1; i <= n; ++i) text += std::to_string(i) + "\n14\n1.0\n";
    return text;
}
std::string barsByCoordinates(int n) {
    std::string text = "Rebar in noncircular pattern\n60000\n29000000\n" + std::to_string(n) + "\n";
    for (int k = 1; k <= n; ++k) text += std::to_string(k) + " 8 1.0 0.79 " + std::to_string(k) + " 0.0\n";
    return text;
}

struct CapacityCase {
    const char* name;
    std::string input;
    bool fails;
};

TEST_F(SectionsInput, CountsBeyondTheTablesRaiseTheCapacityError) {
    const std::vector<CapacityCase> cases = {
        {"20 sections", micropiles(20), false},
        {"21 sections", micropiles(21), true},
        {"300 bars by coordinates", shaftWithBars(barsByCoordinates(300)), false},
        {"301 bars by coordinates", shaftWithBars(barsByCoordinates(301)), true},
        {"150 positions x 2 bars", shaftWithBars("Rebar in circle\n60000\n29000000\n150\n2\n1.0\n0.79\n3.0\n0\n"), false},
        {"31 positions x 10 bars", shaftWithBars("Rebar in circle\n60000\n29000000\n31\n10\n1.0\n0.79\n3.0\n0\n"), true},
        {"100000 positions x 100000 bars", shaftWithBars("Rebar in circle\n60000\n29000000\n100000\n100000\n1.0\n0.79\n3.0\n0\n"), true},
        {"300 automatic strands", pileWithStrands("Autoposition strands\n1\n3\n300\n1000\n0.1\n2.0\n1\n"), false},
        {"301 automatic strands", pileWithStrands("Autoposition strands\n1\n3\n301\n1000\n0.1\n2.0\n1\n"), true},
        {"301 manual strands", pileWithStrands("Manually-positioned strands\n1\n301\n1000\n0.1\n"), true},
        {"51 concrete curve points",
         std::string(kShaftHead) + "Use default concrete tensile strength\nInput stress-strain curve for concrete\n51\n",
         true},
        {"100 user EI tables of 150 points", userEi(100, 150), false},
        {"101 user EI tables", "1\n1\n13\n10.0\n30.0\n101\n", true},
        {"151 user EI points", "1\n1\n13\n10.0\n30.0\n1\n0.0\n151\n", true},
    };
    for (const CapacityCase& c : cases) {
        SCOPED_TRACE(c.name);
        run = std::make_unique<mervik::Run>();
        start();
        read(c.input);
        if (!c.fails) {
            EXPECT_FALSE(run->failed()) << report();
            continue;
        }
        EXPECT_EQ(run->errorNumber, inputError(kErrCapacity));
        // Nothing of the oversized table was stored.
        const PileSection& s = section(1);
        EXPECT_EQ(s.barCount, 0);
        EXPECT_DOUBLE_EQ(s.bar[1].diameter, 0.0);
        EXPECT_EQ(s.strandCount, 0);
        EXPECT_EQ(s.concreteCurvePointCount, 0);
        EXPECT_EQ(s.userEiThrustCount > 0 ? s.userEi[1].pointCount : 0, 0);
    }
}

TEST_F(SectionsInput, TablesAtTheirLimitsAreFilledToTheLastEntry) {
    read(micropiles(20));
    EXPECT_EQ(piles().count, 20);
    EXPECT_EQ(piles().propertyPointCount, 40);
    read(shaftWithBars(barsByCoordinates(300)));
    EXPECT_DOUBLE_EQ(section(1).bar[300].x, 300.0);
    read(userEi(100, 150));
    ASSERT_EQ(section(1).userEiThrustCount, 100);
    EXPECT_DOUBLE_EQ(section(1).userEi[100].thrust, 100.0);
    EXPECT_DOUBLE_EQ(section(1).userEi[100].moment[150], 150.0);
    EXPECT_FALSE(run->failed());
}

TEST_F(SectionsInput, CirclePlacementWithoutPositionsOrBarsMakesNoBars) {
    for (const char* counts : {"0\n4\n", "4\n0\n", "-2\n-3\n"}) {
        SCOPED_TRACE(counts);
        read(shaftWithBars("Rebar in circle\n60000\n29000000\n" + std::string(counts) + "1.0\n0.79\n3.0\n0\n"));
        EXPECT_FALSE(run->failed());
        EXPECT_EQ(section(1).barCount, 0);
    }
}

TEST_F(SectionsInput, TwentyOneSectionsAreRejectedBeforeAnySectionIsRead) {
    read(micropiles(21));
    EXPECT_EQ(run->errorNumber, inputError(kErrCapacity));
    EXPECT_EQ(piles().count, 0);
    EXPECT_EQ(messages().find("Reading section properties"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Placement geometry and the strand table, from plain values.

using Positions = std::vector<std::tuple<int, double, double>>;

struct CircleCase {
    const char* name;
    double diameter, cover, barDiameter;
    int positions, perBundle;
    Positions expected;
    int lastPlaced;  // every bar after it stays at the centre
};

TEST(BarPlacement, BarsOnACircle) {
    const double r3 = 10.267949192431123;  // 12 - 2 sin 60
    const std::vector<CircleCase> cases = {
        {"6 positions x 2 bars, R = 14.5, pair apart by db/R", 36, 3, 1, 6, 2,
         {{1, 14.491380164521203, -0.4999009175040972}, {2, 14.491380164521203, 0.4999009175040972},
          {3, 7.6786169761943, 12.29995289962123}, {4, 6.812763188326905, 12.799853817125328},
          {11, 6.812763188326907, -12.799853817125326}, {12, 7.678616976194299, -12.299952899621232}},
         12},
        {"one bar at the centre", 36, 3, 1, 1, 1, {{1, 0, 0}}, 0},
        {"one position of two bars", 36, 3, 1, 1, 2, {{1, -0.5, 0}, {2, 0.5, 0}}, 2},
        {"4 single bars, R = 7", 20, 2, 2, 4, 1, {{1, 7, 0}, {2, 0, 7}, {3, -7, 0}, {4, 0, -7}}, 4},
        {"2 positions x 3 bars, R = 12, third bar inside", 30, 2, 2, 2, 3,
         {{1, 11.958357440406713, -0.9988429944037229}, {2, 11.958357440406713, 0.9988429944037229}, {3, r3, 0},
          {4, -11.958357440406713, 0.9988429944037263}, {5, -11.958357440406713, -0.9988429944037234}, {6, -r3, 0}},
         6},
        {"bar diameter over 100 taken as 0", 300, 0, 150, 4, 1, {{1, 150, 0}, {2, 0, 150}, {3, -150, 0}}, 4},
        {"4 bars per position stay at the centre", 36, 3, 1, 4, 4, {}, 0},
        {"no bar per position", 36, 3, 1, 4, 0, {}, 0},
        {"no circle: R = 0", 2, 0.5, 1, 4, 1, {}, 0},
        {"no circle: pile narrower than the bar", 1, 0, 2, 4, 2, {}, 0},
        {"no position", 36, 3, 1, 0, 1, {}, 0},
        {"more bars than the table holds", 36, 3, 1, 301, 1, {}, 0},
    };
    for (const CircleCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto bars = std::make_unique<Table<ReinforcingBar, kMaxBars>>();
        for (ReinforcingBar& b : *bars) b.x = b.y = 99.0;  // left over from an earlier placement
        placeBarsOnCircle(c.diameter, c.cover, c.barDiameter, c.positions, c.perBundle, *bars);
        for (const auto& [k, x, y] : c.expected) {
            EXPECT_NEAR((*bars)[k].x, x, 1e-12) << k;
            EXPECT_NEAR((*bars)[k].y, y, 1e-12) << k;
        }
        for (int k = c.lastPlaced + 1; k <= kMaxBars; ++k) {
            EXPECT_EQ((*bars)[k].x, 0.0) << k;
            EXPECT_EQ((*bars)[k].y, 0.0) << k;
        }
    }
}

struct SquareCase {
    const char* name;
    double width, strandDiameter, cover;
    int count, pattern;
    std::vector<std::pair<double, double>> expected;  // strands 1..count in order
};

TEST(StrandPlacement, StrandsOnASquarePerimeter) {
    const double t = 5.0 / 3.0;
    const double u = 10.0 / 3.0;
    const std::vector<std::pair<double, double>> twelve = {
        {-5, -5}, {-t, -5}, {t, -5}, {5, -5}, {5, 0}, {5, u}, {5, 5}, {t, 5}, {-t, 5}, {-5, 5}, {-5, 0}, {-5, -u}};
    std::vector<std::pair<double, double>> thirteen = twelve;
    thirteen.emplace_back(0, 0);
    const std::vector<SquareCase> cases = {
        {"n = 12, pattern 1", 12, 0, 1, 12, 1, twelve},
        {"n = 13, pattern 1: last at the centre", 12, 0, 1, 13, 1, thirteen},
        {"n = 10, pattern 1: 4 on top and bottom, 1 per side", 12, 0, 1, 10, 1,
         {{-5, -5}, {-t, -5}, {t, -5}, {5, -5}, {5, 0}, {5, 5}, {t, 5}, {-t, 5}, {-5, 5}, {-5, 0}}},
        {"n = 10, pattern 2: 3 on top and bottom, 2 per side", 12, 0, 1, 10, 2,
         {{-5, -5}, {0, -5}, {5, -5}, {5, 0}, {5, u}, {5, 5}, {0, 5}, {-5, 5}, {-5, 0}, {-5, -u}}},
        {"n = 14, pattern 2: 3 per side, symmetric", 12, 0, 1, 14, 2,
         {{-5, -5}, {-t, -5}, {t, -5}, {5, -5}, {5, -2.5}, {5, 0}, {5, 2.5}, {5, 5}, {t, 5}, {-t, 5}, {-5, 5},
          {-5, 2.5}, {-5, 0}, {-5, -2.5}}},
        {"n = 4 with strand diameter and cover: a = 5.5", 14, 0.5, 1.25, 4, 1,
         {{-5.5, -5.5}, {5.5, -5.5}, {5.5, 5.5}, {-5.5, 5.5}}},
        {"n = 2, pattern 1", 12, 0, 1, 2, 1, {{-5, -5}, {5, 5}}},
        {"n = 3, pattern 1", 12, 0, 1, 3, 1, {{-5, -5}, {5, 5}, {0, 0}}},
        {"n = 3, pattern 2 places none", 12, 0, 1, 3, 2, {{0, 0}, {0, 0}, {0, 0}}},
        {"n = 1 at the centre", 12, 0, 1, 1, 1, {{0, 0}}},
        {"pattern 3 places none", 12, 0, 1, 8, 3, std::vector<std::pair<double, double>>(8, {0.0, 0.0})},
    };
    for (const SquareCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto bars = std::make_unique<Table<ReinforcingBar, kMaxBars>>();
        for (ReinforcingBar& b : *bars) b.x = b.y = 99.0;
        placeStrandsOnSquare(c.width, c.strandDiameter, c.cover, c.count, c.pattern, *bars);
        ASSERT_EQ(static_cast<int>(c.expected.size()), c.count);
        for (int k = 1; k <= kMaxBars; ++k) {
            const auto [x, y] = k <= c.count ? c.expected[static_cast<std::size_t>(k - 1)] : std::pair{0.0, 0.0};
            EXPECT_NEAR((*bars)[k].x, x, 1e-12) << k;
            EXPECT_NEAR((*bars)[k].y, y, 1e-12) << k;
        }
    }
}

struct StrandCase {
    int grade, size;
    bool gradeKnown, fpuKnown, sizeKnown;
    double diameter, area, fpu, modulus;
};

TEST(StrandTable, EntriesByGradeAndSizeCode) {
    const std::vector<StrandCase> cases = {
        {1, 3, true, true, true, 0.5, 0.15299999713897705, 270000, 28000},
        {0, 0, true, true, true, 0.3400000035762787, 0.057999998331069946, 250000, 28000},
        {0, 6, true, true, true, 0.6000000238418579, 0.2160000056028366, 250000, 28000},
        {1, 7, true, true, true, 0.699999988079071, 0.2939999997615814, 270000, 28000},
        {2, 1, true, true, true, 0.43799999356269836, 0.11500000208616257, 300000, 28000},
        {3, 5, true, true, true, 1.375, 1.4850000143051147, 145000, 29000},
        {4, 0, true, true, true, 0.75, 0.44200000166893005, 160000, 29000},
        {5, 0, true, true, true, 0.625, 0.2800000011920929, 157000, 29000},
        {5, 2, true, true, true, 1.0, 0.8500000238418579, 160000, 29000},
        {5, 5, true, true, true, 1.375, 1.5800000429153442, 150000, 29000},
        {0, 7, true, true, false, 0, 0, 250000, 28000},   // size outside the grade's list
        {2, 5, true, true, false, 0, 0, 300000, 28000},
        {5, 6, true, false, false, 0, 0, 0, 29000},       // grade 5 has fpu by size only
        {1, -1, true, true, false, 0, 0, 270000, 28000},
        {6, 0, false, false, false, 0, 0, 0, 0},
        {-1, 0, false, false, false, 0, 0, 0, 0},
    };
    for (const StrandCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "grade " << c.grade << " size " << c.size);
        const StrandProperties p = strandTableEntry(c.grade, c.size);
        EXPECT_EQ(p.gradeKnown, c.gradeKnown);
        EXPECT_EQ(p.fpuKnown, c.fpuKnown);
        EXPECT_EQ(p.sizeKnown, c.sizeKnown);
        if (c.sizeKnown) {
            EXPECT_EQ(p.diameter, c.diameter);
            EXPECT_EQ(p.area, c.area);
        }
        if (c.fpuKnown) {
            EXPECT_EQ(p.fpu, c.fpu);
        }
        if (c.gradeKnown) {
            EXPECT_EQ(p.modulus, c.modulus);
        }
    }
}

}  // namespace
}  // namespace mervik
