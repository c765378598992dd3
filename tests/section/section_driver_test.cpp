// Per-section driver and section-property report: the dimensions blocks of a steel pipe, a
// drilled shaft with bars on a circle or input by coordinates, a rectangular pile, a cased shaft
// and a prestressed pile with its strand details; the axial and tensile capacities; the
// concrete properties; the dispatch by section type.
//
// Expected values are worked by hand from the section dimensions (noted at each test); the
// report is compared line by line up to the end of the driver's own block (the
// moment-curvature computation writes after it).
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/run.hpp"
#include "input/model.hpp"
#include "input/sections.hpp"
#include "section/materials.hpp"
#include "section/section_analysis.hpp"
#include "section/slicing.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

// A label padded to column 55, so that "= " starts at column 56.
std::string at56(std::string_view label) {
    std::string s(label);
    s.resize(55, ' ');
    return s;
}

std::string lines(std::initializer_list<std::string> list) {
    std::string s;
    for (const std::string& line : list) s += line + "\n";
    return s;
}

class SectionDriverTest : public testing::MemoryRunTest {
protected:
    // Section 1 of a one-section pile, in US customary units (lengths already in inches).
    PileSection& section(int type) {
        run->model.options.IUNITS = kUSCS;
        run->model.sections.count = 1;
        PileSection& p = run->model.sections.section[1];
        p.sectionType = type;
        return p;
    }
    // The report must begin with the expected block.
    void expectReportStartsWith(const std::string& expected) {
        run->report.close();
        const std::string& text = run->report.memory();
        ASSERT_GE(text.size(), expected.size()) << text;
        EXPECT_EQ(text.substr(0, expected.size()), expected);
    }
    // Working data of section 1 as the driver sets them up, without running the driver.
    void setWorkingData() {
        const PileSection& p = run->model.sections.section[1];
        SectionWork& w = run->section;
        w.section = 1;
        w.sliced = true;
        w.shape = *sectionShapeOf(p);
        w.geometry = sectionGeometryOf(p, w.shape);
        w.materials = setMaterialConstants(p, run->model.options.IUNITS);
        w.units = makeSectionUnitTexts(run->model.options.IUNITS);
    }
    // Drilled shaft of diameter 36 in, 30 ft long, f'c 4000 psi, aggregate 0.75 in, bars of
    // 1 in diameter and 0.79 sq. in. with fy 60 ksi and Es 29000 ksi.
    PileSection& drilledShaft(int type) {
        PileSection& p = section(type);
        p.sectionLength = 360.0;
        p.diameter = 36.0;
        p.concreteStrength = 4000.0;
        p.aggregateSize = 0.75;
        p.barYield = 60000.0;
        p.barModulus = 29000000.0;
        return p;
    }
    // Four single bars on a circle with cover 3: radius R = (36 - 1)/2 - 3 = 14.5, bars at
    // 0, 90, 180 and 270 degrees.
    static void fourBarsOnCircle(PileSection& p) {
        p.barsInCircle = true;
        p.barPositionCount = 4;
        p.barsPerBundle = 1;
        p.barCount = 4;
        p.barDiameter = 1.0;
        p.barArea = 0.79;
        p.barCover = 3.0;
        placeBarsOnCircle(p.diameter, p.barCover, p.barDiameter, 4, 1, p.bar);
        for (int j = 1; j <= 4; ++j) {
            p.bar[j].diameter = 1.0;
            p.bar[j].area = 0.79;
        }
    }
};

TEST(SectionUnitTexts, AreBlankPaddedToEightCharacters) {
    const SectionUnitTexts us = makeSectionUnitTexts(kUSCS);
    const SectionUnitTexts si = makeSectionUnitTexts(kSI);
    EXPECT_EQ(us.length, " in     ");
    EXPECT_EQ(us.area, " sq. in.");
    EXPECT_EQ(us.stiffness, "kip-in^2");
    EXPECT_EQ(us.curvature, " rad/in ");
    EXPECT_EQ(si.force, " kN     ");
    EXPECT_EQ(si.moment, " kN-m   ");
    EXPECT_EQ(si.stiffness, "kN-m^2  ");
}

// Pipe D = 24, t = 0.5 (Di = 23), fy 36 ksi, E 29000 ksi, 50 ft:
// A = pi/4 (576 - 529) = 36.913714; I = pi/64 (331776 - 279841) = 2549.353351;
// EI = 29000 I = 73931247; Z = (13824 - 12167)/6 = 276.166667; Fy Z = 9942;
// Pn = 36 A = 1328.894, Nt = -1328.894.
TEST_F(SectionDriverTest, SteelPipeDimensionsAndCapacities) {
    PileSection& p = section(kSteelPipePile);
    p.sectionLength = 600.0;
    p.diameter = 24.0;
    p.casingThickness = 0.5;
    p.casingYield = 36000.0;
    p.casingModulus = 29000000.0;
    analyseSection(*run, 1);

    expectReportStartsWith(lines({
        "Dimensions and Properties of Steel Pipe Pile:",
        "---------------------------------------------",
        at56("Length of Section") + "=     50.000000 ft",
        at56("Outer Diameter of Pipe") + "=     24.000000 in     ",
        at56("Pipe Wall Thickness") + "=      0.500000 in     ",
        at56("Yield Stress of Pipe") + "=     36.000000 ksi    ",
        at56("Elastic Modulus") + "=        29000. ksi    ",
        at56("Cross-sectional Area") + "=     36.913714 sq. in.",
        at56("Moment of Inertia") + "=   2549.353351 in^4   ",
        at56("Elastic Bending Stiffness") + "=     73931247. kip-in^2",
        at56("Plastic Modulus, Z") + "=    276.166667 in^3",
        at56("Plastic Moment Capacity = Fy Z") + "=   9942.000000 in-kip ",
        "",
        "Axial Structural Capacities:",
        "----------------------------",
        "",
        at56("Nom. Axial Structural Capacity = Fy As") + "=        1328.894 kips   ",
        at56("Nominal Axial Tensile Capacity  ") + "=       -1328.894 kips   ",
        "",
        "",
    }));
    EXPECT_NEAR(run->section.Pn, 1328.8937, 1e-3);
    EXPECT_NEAR(run->section.Nt, -1328.8937, 1e-3);
    EXPECT_EQ(run->section.shape, SectionShape::SteelPipe);
    EXPECT_TRUE(run->section.sliced);
}

// Drilled shaft, four bars on a circle of radius 14.5: As = 3.16, gross = pi 36^2/4 = 1017.876020,
// ratio 0.31 %; bars 1 and 2 are 14.5 sqrt(2) apart, clear spacing 19.506097, ratio to the
// 0.75 in aggregate 26.01.
// Pn = 0.85 * 4 * (1017.876 - 3.16) + 60 * 3.16 = 3639.635; Nt = -60 * 3.16 = -189.6;
// Ec = 57 sqrt(4000) = 3604.9965, ft = -0.474342, eps0 = 0.00188627, epsCr = -0.000115370,
// Pcr = (29000 * 3.16 + 1014.716 * 3604.9965) * epsCr = -432.603.
TEST_F(SectionDriverTest, DrilledShaftWithBarsOnCircle) {
    PileSection& p = drilledShaft(kDrilledShaft);
    fourBarsOnCircle(p);
    analyseSection(*run, 1);

    expectReportStartsWith(lines({
        "Dimensions and Properties of Drilled Shaft (Bored Pile):",
        "--------------------------------------------------------",
        at56("Length of Section") + "=     30.000000 ft",
        at56("Shaft Diameter") + "=     36.000000 in     ",
        at56("Concrete Cover Thickness") + "=      3.000000 in     ",
        at56("Number of Reinforcing Bars") + "=             4 bars",
        at56("Yield Stress of Reinforcing Bars") + "=     60.000000 ksi    ",
        at56("Modulus of Elasticity of Reinforcing Bars") + "=        29000. ksi    ",
        at56("Gross Area of Shaft") + "=   1017.876020 sq. in.",
        at56("Total Area of Reinforcing Steel") + "=      3.160000 sq. in.",
        at56("Area Ratio of Steel Reinforcement") + "=            0.31 percent",
        at56("Edge-to-Edge Bar Spacing") + "=     19.506097 in     ",
        at56("Maximum Concrete Aggregate Size") + "=      0.750000 in     ",
        at56("Ratio of Bar Spacing to Aggregate Size") + "=           26.01",
        at56("Offset of Rebar Cage Center from Center of Pile") + "=       0.00000 in     ",
        "",
        "Axial Structural Capacities:",
        "----------------------------",
        "",
        at56("Nom. Axial Structural Capacity = 0.85 Fc Ac + Fy As") + "=        3639.635 kips   ",
        at56("Tensile Load for Cracking of Concrete") + "=        -432.603 kips   ",
        at56("Nominal Axial Tensile Capacity") + "=        -189.600 kips   ",
        "",
        "",
        "Reinforcing Bar Dimensions and Positions Used in Computations:",
        "",
        "     Bar          Bar Diam.      Bar Area          X              Y     ",
        "    Number         inches         sq. in.        inches         inches  ",
        "  ----------     ----------     ----------     ----------     ----------",
        "           1        1.00000        0.79000       14.50000        0.00000",
        "           2        1.00000        0.79000        0.00000       14.50000",
        "           3        1.00000        0.79000      -14.50000        0.00000",
        "           4        1.00000        0.79000        0.00000      -14.50000",
        "",
        "",
        "NOTE: The positions of the above rebars were computed by Mervik",
        "Minimum spacing between any two bars not equal to zero =     19.506097 inches between Bars 1 and 2",
        "Spacing to aggregate size ratio =     26.008129",
        "",
        "",
    }));
    EXPECT_NEAR(run->section.Pn, 3639.6346, 1e-3);
    EXPECT_NEAR(run->section.Nt, -189.6, 1e-9);
    EXPECT_NEAR(run->section.Pcr, -432.6026, 1e-3);
    EXPECT_NEAR(run->section.AsTotal, 3.16, 1e-12);
}

// One bar input at the centre: the positions are the user's, zero ordinates print as
// "     0.00000", and one bar has no spacing to another.
TEST_F(SectionDriverTest, DrilledShaftWithSingleBarInputByUser) {
    PileSection& p = drilledShaft(kDrilledShaft);
    p.barsInCircle = false;
    p.barCount = 1;
    p.bar[1] = ReinforcingBar{9, 1.128, 1.0, 0.0, 0.0};
    analyseSection(*run, 1);
    run->report.close();
    const std::string& text = run->report.memory();

    const std::string table = lines({
        "  ----------     ----------     ----------     ----------     ----------",
        "           1        1.12800        1.00000        0.00000        0.00000",
        "",
        "",
        "NOTE: The positions of the above rebars were input by the user",
    });
    EXPECT_NE(text.find(table), std::string::npos) << text;
    EXPECT_EQ(text.find("Minimum spacing"), std::string::npos);
    EXPECT_NE(text.find(at56("Total Area of Reinforcing Steel") + "=      1.000000 sq. in."), std::string::npos);
}

// Rectangular pile 24 deep, 18 wide, four #8 bars at (+-6, +-9), f'c 5000 psi:
// rupture -0.0075 sqrt(5000) = -0.530330; gross 432, As 3.16, ratio 0.731481 %;
// Pn = 0.85 * 5 * (432 - 3.16) + 60 * 3.16 = 2012.170; Nt = -189.6;
// Ec = 57 sqrt(5000) = 4030.508653, eps0 = 0.00210891, epsCr = -0.000114976,
// Pcr = (29000 * 3.16 + 428.84 * 4030.5087) * epsCr = -209.266.
TEST_F(SectionDriverTest, RectangularPileWithBarTable) {
    PileSection& p = section(kRectangularConcretePile);
    p.sectionLength = 360.0;
    p.depth = 24.0;
    p.diameter = 24.0;
    p.width = 18.0;
    p.concreteStrength = 5000.0;
    p.aggregateSize = 0.75;
    p.barYield = 60000.0;
    p.barModulus = 29000000.0;
    p.barCount = 4;
    p.bar[1] = ReinforcingBar{8, 1.0, 0.79, -6.0, -9.0};
    p.bar[2] = ReinforcingBar{8, 1.0, 0.79, 6.0, -9.0};
    p.bar[3] = ReinforcingBar{8, 1.0, 0.79, 6.0, 9.0};
    p.bar[4] = ReinforcingBar{8, 1.0, 0.79, -6.0, 9.0};
    analyseSection(*run, 1);

    expectReportStartsWith(lines({
        "Dimensions and Properties of Rectangular Concrete Pile:",
        "-------------------------------------------------------",
        at56("Length of Section") + "=     30.000000 ft",
        at56("Depth of Section") + "=     24.000000 in     ",
        at56("Width of Section") + "=     18.000000 in     ",
        at56("Number of Reinforcing Bars") + "=             4 bars",
        at56("Yield Stress of Reinforcing Bars") + "=     60.000000 ksi    ",
        at56("Modulus of Elasticity of Reinforcing Bars") + "=        29000. ksi    ",
        at56("Compressive Strength of Concrete") + "=      5.000000 ksi    ",
        at56("Modulus of Rupture of Concrete") + "=     -0.530330 ksi    ",
        at56("Gross Area of Pile") + "=    432.000000 sq. in.",
        at56("Total Area of Reinforcing Steel") + "=      3.160000 sq. in.",
        at56("Area Ratio of Steel Reinforcement") + "=      0.731481 percent",
        "",
        "Axial Structural Capacities:",
        "----------------------------",
        "",
        at56("Nom. Axial Structural Capacity = 0.85 Fc Ac + Fy As") + "=        2012.170 kips   ",
        at56("Tensile Load for Cracking of Concrete") + "=        -209.266 kips   ",
        at56("Nominal Axial Tensile Capacity") + "=        -189.600 kips   ",
        "",
        "",
        "Reinforcing Bar Details:",
        "",
        "   Bar              Bar           Bar Diam.        Bar Area          Bar X            Bar Y",
        "  Number           Index             in             sq. in.             in              in",
        "----------     ------------     ------------     ------------     ------------     ------------",
        "    1                8              1.000000         0.790000        -6.000000        -9.000000",
        "    2                8              1.000000         0.790000         6.000000        -9.000000",
        "    3                8              1.000000         0.790000         6.000000         9.000000",
        "    4                8              1.000000         0.790000        -6.000000         9.000000",
    }));
    EXPECT_NEAR(run->section.Pn, 2012.170, 1e-3);
    EXPECT_NEAR(run->section.Pcr, -209.266, 1e-3);
}

// Concrete properties of the same f'c = 5000 psi: Ec 4030.508653 ksi, rupture -0.530330 ksi,
// eps0 = 1.7 * 5 / 4030.5087 = 0.002109, epsCr = -0.000115.
TEST_F(SectionDriverTest, ConcretePropertiesOfFiveKsiConcrete) {
    PileSection& p = section(kRectangularConcretePile);
    p.depth = p.diameter = 24.0;
    p.width = 18.0;
    p.concreteStrength = 5000.0;
    p.aggregateSize = 0.75;
    setWorkingData();
    writeConcreteProperties(*run);

    expectReportStartsWith(lines({
        "",
        "Concrete Properties:",
        "--------------------",
        "",
        at56("Compressive Strength of Concrete") + "=      5.000000 ksi    ",
        at56("Modulus of Elasticity of Concrete") + "=   4030.508653 ksi    ",
        at56("Modulus of Rupture of Concrete") + "=     -0.530330 ksi    ",
        at56("Compression Strain at Peak Stress") + "=      0.002109",
        at56("Tensile Strain at Fracture of Concrete") + "=     -0.000115",
        at56("Maximum Coarse Aggregate Size") + "=      0.750000 in     ",
    }));
}

// A steel pipe has no concrete: no concrete properties.
TEST_F(SectionDriverTest, SteelPipeHasNoConcreteProperties) {
    PileSection& p = section(kSteelPipePile);
    p.diameter = 24.0;
    p.casingThickness = 0.5;
    setWorkingData();
    writeConcreteProperties(*run);
    run->report.close();
    EXPECT_EQ(run->report.memory(), "");
}

// SI: the length of the section in metres and the rupture modulus in kPa,
// -51.71067877581686 sqrt(1000 f'c / 6894.757) = -3656.497162 for f'c = 5000 psi in kPa.
TEST_F(SectionDriverTest, RectangularPileInSiUnits) {
    PileSection& p = section(kRectangularConcretePile);
    run->model.options.IUNITS = kSI;
    p.sectionLength = 9.0;
    p.depth = p.diameter = 0.6;
    p.width = 0.45;
    p.concreteStrength = 5000.0 * 6.89475732421875;
    analyseSection(*run, 1);
    run->report.close();
    const std::string& text = run->report.memory();
    EXPECT_NE(text.find(at56("Length of Section") + "=      9.000000 m\n"), std::string::npos) << text;
    EXPECT_NE(text.find(at56("Modulus of Rupture of Concrete") + "=  -3656.497162 kPa    "), std::string::npos);
    EXPECT_NE(text.find(at56("Gross Area of Pile") + "=      0.270000 sq. m  "), std::string::npos);
}

// Cased shaft D = 36, t = 0.5, casing fy 36 ksi, four bars: Acas = pi/4 (1296 - 1225) = 55.763270,
// Ai = pi 35^2/4 = 962.112750; Pn = 36 * 55.7633 + 0.85 * 4 * (962.1128 - 3.16) + 60 * 3.16
// = 5457.517; Nt = -(36 * 55.7633 + 60 * 3.16) = -2197.078;
// Pcr = ((55.7633 + 3.16) * 29000 + (1017.876 - 55.7633 - 3.16) * 3604.9965) * epsCr = -595.980.
TEST_F(SectionDriverTest, CasedShaftCapacities) {
    PileSection& p = drilledShaft(kDrilledShaftWithCasing);
    p.casingThickness = 0.5;
    p.casingYield = 36000.0;
    p.casingModulus = 29000000.0;
    fourBarsOnCircle(p);
    analyseSection(*run, 1);
    run->report.close();
    const std::string& text = run->report.memory();

    EXPECT_EQ(text.rfind("Dimensions and Properties of Drilled Shaft (Bored Pile) with Permanent Casing:\n", 0), 0u);
    EXPECT_NE(text.find(at56("Cross-sectional Area of Steel Casing") + "=     55.763270 sq. in."), std::string::npos);
    EXPECT_NE(text.find(at56("Area of All Steel (Casing and Bars)") + "=     58.923270 sq. in."), std::string::npos);
    EXPECT_NE(text.find(at56("Nominal Axial Tensile Capacity       ") + "=       -2197.078 kips   "),
              std::string::npos);
    EXPECT_NEAR(run->section.Pn, 5457.517, 1e-3);
    EXPECT_NEAR(run->section.Nt, -2197.078, 1e-3);
    EXPECT_NEAR(run->section.Pcr, -595.980, 1e-3);
}

// Shaft with casing and core Dv = 12, tv = 0.5, core fy 50 ksi: Acore = pi/4 (144 - 121) =
// 18.064158. Filled core: the concrete term deducts the casing area (Ad = Acas), hollow core
// the core disc (Ad = pi 144/4 = 113.097); Nt = -(36 Acas + 50 Acore + 60 As) either way.
TEST_F(SectionDriverTest, CasingAndCoreCapacitiesFilledAndHollow) {
    struct Case {
        bool filled;
        double Pn, Pcr;
        const char* title;
    };
    for (const Case& c : {Case{true, 6171.1299, -648.9044, "with Casing and Filled Core:"},
                          Case{false, 5976.1941, -609.3792, "with Casing and Hollow Core:"}}) {
        start();
        PileSection& p = drilledShaft(kDrilledShaftWithCasingAndCore);
        p.casingThickness = 0.5;
        p.casingYield = 36000.0;
        p.casingModulus = 29000000.0;
        p.coreDiameter = 12.0;
        p.coreThickness = 0.5;
        p.coreYield = 50000.0;
        p.coreModulus = 29000000.0;
        p.filledCore = c.filled;
        fourBarsOnCircle(p);
        analyseSection(*run, 1);
        run->report.close();
        const std::string& text = run->report.memory();
        EXPECT_NE(text.find(c.title), std::string::npos);
        EXPECT_NE(text.find(c.filled ? "Note that the core is assumed to be filled with concrete\n"
                                     : "Note that the core is assumed to be void of concrete\n"),
                  std::string::npos);
        EXPECT_NEAR(run->section.Pn, c.Pn, 1e-3) << c.title;
        EXPECT_NEAR(run->section.Nt, -3100.2856, 1e-3) << c.title;
        EXPECT_NEAR(run->section.Pcr, c.Pcr, 1e-3) << c.title;
    }
}

// Circular prestressed pile D = 24, four PCI 270 strands of 0.5 in (0.153 sq. in.) placed by
// hand on a circle of radius 8.75; fpu 270 ksi.
TEST_F(SectionDriverTest, PrestressedPileStrandDetails) {
    PileSection& p = section(kCircularSolidPrestressed);
    p.sectionLength = 480.0;
    p.diameter = 24.0;
    p.concreteStrength = 6000.0;
    p.strandGrade = 1;
    p.strandSizeCode = 3;
    p.strandCount = 4;
    p.strandCover = 3.0;
    p.strandFpu = 270000.0;
    p.barModulus = 28000.0;
    p.prestressForce = 300000.0;
    p.prestressLoss = 0.2;
    const double xy[4][2] = {{8.75, 0.0}, {0.0, 8.75}, {-8.75, 0.0}, {0.0, -8.75}};
    for (int j = 1; j <= 4; ++j) p.bar[j] = ReinforcingBar{3, 0.5, 0.15299999713897705, xy[j - 1][0], xy[j - 1][1]};
    analyseSection(*run, 1);

    expectReportStartsWith(lines({
        "Dimensions and Properties of Circular Prestressed Pile:",
        "-------------------------------------------------------",
        at56("Length of Section") + "=     40.000000 ft",
        at56("Diameter") + "=     24.000 in     ",
        "",
        "",
        "Prestressing Strand Details:",
        "----------------------------",
        "",
        at56("Strand Type") + "=    PCI 270",
        at56("Yield Stress, fpu") + "=       270. ksi    ",
        "Stress-strain curve for reinforcement defined ssing PCI 270 Lo-lax equation",
        "If eps > 0.008 fpu = 268 - 0.075/(eps-0.0065) < 0.98 fpu (ksi)",
        at56("Number of Reinforcing Strands") + "=          4",
        at56("Cross-sectional Area of Single Strand") + "=      0.153 sq. in.",
        at56("Concrete Cover Thickness Over Strands") + "=      3.000 in     ",
        "",
        "Prestressing Strand Geometry:",
        "-----------------------------",
        "",
        "Strand     Diameter       Area            X             Y",
        "  No.      in               Sq. in        in            in",
        "------    ---------    ----------    ----------    ----------",
        "   1         0.500         0.153         8.750         0.000",
        "   2         0.500         0.153         0.000         8.750",
        "   3         0.500         0.153        -8.750         0.000",
        "   4         0.500         0.153         0.000        -8.750",
    }));
}

// Sections that are not sliced write no dimensions block and go to their own tables.
TEST_F(SectionDriverTest, ElasticSectionWritesNoDimensionsBlock) {
    PileSection& p = section(kElasticPile);
    p.sectionLength = 600.0;
    p.elasticShape = kShapeCircular;
    p.elasticModulus = 29000000.0;
    p.topWidth = p.bottomWidth = 24.0;
    p.topArea = p.bottomArea = 36.9;
    p.topInertia = p.bottomInertia = 2549.0;
    analyseSection(*run, 1);
    run->report.close();
    EXPECT_FALSE(run->section.sliced);
    EXPECT_EQ(run->section.section, 1);
    EXPECT_EQ(run->report.memory().find("Dimensions"), std::string::npos);
    EXPECT_EQ(run->report.memory().find("Axial Structural Capacities"), std::string::npos);
}

}  // namespace
}  // namespace mervik
