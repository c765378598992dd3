// Report blocks of the moment-curvature computation: thrust selection and thrust table, run
// message definitions, table headings of every section variant in US and SI units, table rows,
// the point-limit warning, the nominal capacity summaries of a steel pipe and of a concrete
// section with the factored table and its interpolated stiffness, and the axial-capacity error
// texts. Every expected line is composed by hand from the column layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/run.hpp"
#include "input/model.hpp"
#include "section/section_analysis.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

SectionUnitTexts usUnits() {
    return {" in     ", " ksi    ", " kips   ", " rad/in ", " in-kip ", " sq. in.", " in^4   ", "kip-in^2"};
}
SectionUnitTexts siUnits() {
    return {" m      ", " kPa    ", " kN     ", " rad/m  ", " kN-m   ", " sq. m  ", " m^4    ", "kN-m^2  "};
}

std::string lines(const std::vector<std::string>& text) {
    std::string all;
    for (const std::string& line : text) all += line + "\n";
    return all;
}

class McReportTest : public testing::MemoryRunTest {
protected:
    void useUnits(int IUNITS) {
        run->model.options.IUNITS = IUNITS;
        run->section.units = IUNITS == kSI ? siUnits() : usUnits();
    }
    void setThrusts(std::initializer_list<double> values) {
        int i = 0;
        for (double P : values) {
            ++i;
            run->section.thrust[i] = P;
            run->section.table[i].P = P;
        }
        run->section.thrustCount = i;
    }
    // Point k of the table of thrust i.
    void setPoint(int i, int k, std::array<double, 4> phiMEIyN, std::array<double, 6> columns, const char* msg) {
        MomentCurvatureTable& t = run->section.table[i];
        t.n = std::max(t.n, k);
        t.phi[k] = phiMEIyN[0];
        t.M[k] = phiMEIyN[1];
        t.EI[k] = phiMEIyN[2];
        t.yN[k] = phiMEIyN[3];
        t.epsTop[k] = columns[0];
        t.epsBot[k] = columns[1];
        t.sigmaC[k] = columns[2];
        t.sigmaS[k] = columns[3];
        t.sigmaCas[k] = columns[4];
        t.sigmaCore[k] = columns[5];
        if (msg != nullptr) t.msg[k] = {msg[0], msg[1], msg[2]};
    }
    std::string reportText() {
        run->report.close();
        return run->report.memory();
    }
};

// ------------------------------------------------------------------ thrust list

TEST_F(McReportTest, ThrustSelectionByAnalysisTypeAndLrfd) {
    struct Case {
        int analysisType;
        bool lrfd, dropped;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {2, false, true,
         {"", "The following computations were performed only for the axial thrust values in the valid range.", "", "",
          "Input Axial Thrust Forces:", "--------------------------", "",
          "Number of Axial Thrust Force Values Determined from Input Data = 12", ""}},
        {2, false, false,
         {"", "", "Input Axial Thrust Forces:", "--------------------------", "",
          "Number of Axial Thrust Force Values Determined from Input Data = 12", ""}},
        {3, true, false, {"", "", "Number of Axial Thrust Force Values Determined from LRFD Pile-head Loadings = 12", ""}},
        {3, false, false, {"", "", "Number of Axial Thrust Force Values Determined from Pile-head Loadings = 12", ""}},
    };
    for (const Case& c : cases) {
        start();
        useUnits(kUSCS);
        run->model.options.i_Analysis_Type = c.analysisType;
        run->model.options.useLrfd = c.lrfd;
        run->section.thrustCount = 12;
        writeThrustSelection(*run, c.dropped);
        EXPECT_EQ(reportText(), lines(c.expected)) << "type " << c.analysisType << " lrfd " << c.lrfd;
    }
}

TEST_F(McReportTest, ThrustTableListsNumberAndThrust) {
    useUnits(kSI);
    setThrusts({-100.5, 0.0, 2250.125});
    writeThrustTable(*run);
    EXPECT_EQ(reportText(), lines({
                                "   Number     Axial Thrust Force",
                                "                    kN     ",
                                "   ------     ------------------",
                                "      1             -100.500",
                                "      2                0.000",
                                "      3             2250.125",
                            }));
}

// ------------------------------------------------------------------ steel pipe

TEST_F(McReportTest, SteelPipeDefinitionsTableAndSummary) {
    useUnits(kUSCS);
    run->section.section = 1;
    run->section.shape = SectionShape::SteelPipe;
    run->section.materials.steelModel = SteelModel::NoBars;
    setThrusts({0.0});
    setPoint(1, 1, {1.25e-6, 500.0, 4.0e8, 12.0}, {0.0, 0.0, 0.0, 0.0, 20.5, 0.0}, nullptr);
    setPoint(1, 2, {2.5e-6, 1000.0, 4.0e8, 12.0}, {0.0, 0.0, 0.0, 0.0, 41.0, 0.0}, " Y ");
    run->section.table[1].Mn = 1234.56;

    writeRunMessageDefinitions(*run);
    writeMomentCurvatureHeading(*run, 1);
    writeMomentCurvatureRows(*run, 1);
    writeCapacitySummary(*run);
    const std::string dashes80(80, '-');
    EXPECT_EQ(reportText(),
              lines({
                  "",
                  "Definition of Run Messages:",
                  "",
                  "   Y = part of pipe section has yielded.",
                  "",
                  "",
                  "Axial Thrust Force =      0.000 kips  ",
                  "",
                  "    Bending       Bending       Bending       Depth to     Max Total    Run",
                  "   Curvature      Moment       Stiffness       N Axis        Stress     Msg",
                  "    rad/in.       in-kip        kip-in2         in            ksi     ",
                  " ------------- ------------- ------------- ------------- -------------  ---",
                  // Point 1 has no message characters stored: three blanks.
                  "   0.000001250   500.0000000    400000000.    12.0000000    20.5000000     ",
                  "   0.000002500  1000.0000000    400000000.    12.0000000    41.0000000   Y ",
                  "",
                  "",
                  dashes80,
                  "   Summary of Results for Nominal (Unfactored) Moment Capacity for Section 1",
                  dashes80,
                  "",
                  " Load           Axial Thrust        Nominal Mom. Cap.",
                  "  No.               kips                 in-kip",
                  " ----         ----------------     ------------------",
                  "   1                 0.000                1234.6",
                  "",
                  "Note that the values in the above table are not factored by a strength",
                  "reduction factor for LRFD.",
                  "",
                  "The value of the strength reduction factor depends on the provisions of the ",
                  "LRFD code being followed.",
                  "",
                  "The above values should be multiplied by the appropriate strength reduction ",
                  "factor to compute ultimate moment capacity according to the LRFD structural ",
                  "design standard being followed.",
                  "",
                  "",
              }));
}

// ------------------------------------------------------------------ drilled shafts

TEST_F(McReportTest, DrilledShaftDefinitionsHeadingAndRows) {
    useUnits(kUSCS);
    run->section.shape = SectionShape::Circle;
    run->section.materials.steelModel = SteelModel::MildSteel;
    setThrusts({150.0});
    setPoint(1, 1, {2.0e-6, 850.25, 425125000.0, 18.5}, {0.00037, -0.000075, 1.625, -2.175, 0.0, 0.0}, "C  ");
    setPoint(1, 2, {4.0e-6, 1700.5, 425125000.0, 17.25}, {0.0031, -0.0061, 4.0, -60.0, 0.0, 0.0}, "CYT");

    writeRunMessageDefinitions(*run);
    writeMomentCurvatureHeading(*run, 1);
    writeMomentCurvatureRows(*run, 1);
    EXPECT_EQ(
        reportText(),
        lines({
            "",
            "",
            "Definitions of Run Messages and Notes:",
            "--------------------------------------",
            "",
            "   C = concrete in section has cracked in tension.",
            "   Y = stress in reinforcing steel has reached yield stress.",
            "   T = ACI 318-08 criteria for tension-controlled section met, tensile strain in ",
            "       reinforcement exceeds 0.005 while simultaneously compressive strain in ",
            "       concrete more than than 0.003. See ACI 318-08, Section 10.3.4.",
            "   Z = depth of tensile zone in concrete section is less than 10 percent of section depth.",
            "",
            "Bending Stiffness (EI) = Computed Bending Moment / Curvature.",
            "Position of neutral axis is measured from edge of compression side of pile.",
            "Compressive stresses and strains are positive in sign.",
            "Tensile stresses and strains are negative in sign.",
            "",
            "",
            "Axial Thrust Force =    150.000 kips  ",
            "",
            "    Bending       Bending       Bending       Depth to      Max Comp      Max Tens    Max Concrete   Max "
            "Steel    Run",
            "   Curvature      Moment       Stiffness       N Axis        Strain        Strain        Stress        "
            "Stress     Msg",
            "    rad/in.       in-kip        kip-in2         in           in/in         in/in          ksi           "
            "ksi     ",
            " ------------- ------------- ------------- ------------- ------------- ------------- ------------- "
            "-------------  ---",
            "   0.000002000   850.2500000    425125000.    18.5000000     0.0003700    -0.0000750     1.6250000    "
            "-2.1750000  C  ",
            "   0.000004000  1700.5000000    425125000.    17.2500000     0.0031000    -0.0061000     4.0000000   "
            "-60.0000000  CYT",
        }));
}

// The four heading lines of every table variant; the thrust line above them is checked once in SI.
TEST_F(McReportTest, TableHeadingsByShapeSteelAndUnits) {
    const std::string titles1 =
        "    Bending       Bending       Bending       Depth to      Max Comp      Max Tens    Max Concrete   Max Steel  ";
    const std::string titles2 =
        "   Curvature      Moment       Stiffness       N Axis        Strain        Strain        Stress        Stress   ";
    const std::string unitsUS =
        "    rad/in.       in-kip        kip-in2         in           in/in         in/in          ksi           ksi     ";
    const std::string unitsSI =
        "     rad/m         kN-m          kN-m2           m            m/m           m/m           kPa           kPa     ";
    const std::string dashes8 =
        " ------------- ------------- ------------- ------------- ------------- ------------- ------------- -------------";
    struct Case {
        SectionShape shape;
        SteelModel steel;
        int IUNITS;
        std::vector<std::string> header;
    };
    const std::vector<Case> cases = {
        {SectionShape::Circle, SteelModel::MildSteel, kSI,
         {titles1 + "  Run", titles2 + "  Msg", unitsSI, dashes8 + "  ---"}},
        {SectionShape::CircleWithCasing, SteelModel::MildSteel, kUSCS,
         {titles1 + "   Max Casing   Run", titles2 + "     Stress     Msg", unitsUS + "      ksi     ",
          dashes8 + " -------------  ---"}},
        {SectionShape::CircleWithCasingAndCore, SteelModel::MildSteel, kSI,
         {titles1 + "   Max Casing     Max Core    Run", titles2 + "     Stress        Stress     Msg",
          unitsSI + "      kPa           kPa     ", dashes8 + " ------------- -------------  ---"}},
        // A cased shaft without mild steel and a prestressed pile take the four standard columns.
        {SectionShape::CircleWithCasing, SteelModel::Pci270, kUSCS,
         {titles1 + "  Run", titles2 + "  Msg", unitsUS, dashes8 + "  ---"}},
        {SectionShape::Polygon, SteelModel::Pci250, kUSCS, {titles1 + "  Run", titles2 + "  Msg", unitsUS, dashes8 + "  ---"}},
        {SectionShape::SteelPipe, SteelModel::NoBars, kSI,
         {"    Bending       Bending       Bending       Depth to     Max Total    Run",
          "   Curvature      Moment       Stiffness       N Axis        Stress     Msg",
          "     rad/m         kN-m          kN-m2           m            kPa     ",
          " ------------- ------------- ------------- ------------- -------------  ---"}},
    };
    for (const Case& c : cases) {
        start();
        useUnits(c.IUNITS);
        run->section.shape = c.shape;
        run->section.materials.steelModel = c.steel;
        setThrusts({-667.233});
        writeMomentCurvatureHeading(*run, 1);
        std::vector<std::string> expected = {"", "",
                                             c.IUNITS == kSI ? "Axial Thrust Force =   -667.233 kN    "
                                                             : "Axial Thrust Force =   -667.233 kips  ",
                                             ""};
        expected.insert(expected.end(), c.header.begin(), c.header.end());
        EXPECT_EQ(reportText(), lines(expected)) << "shape " << static_cast<int>(c.shape);
    }
}

TEST_F(McReportTest, CasedShaftWithCoreRowsCarryCasingAndCoreStresses) {
    useUnits(kSI);
    run->section.shape = SectionShape::CircleWithCasingAndCore;
    run->section.materials.steelModel = SteelModel::MildSteel;
    setThrusts({500.0});
    setPoint(1, 1, {0.0003, 125.5, 418333.3, 0.6}, {0.00018, -0.00012, 5200.0, -24000.0, 36500.0, -12250.75}, "CY ");
    writeMomentCurvatureRows(*run, 1);
    EXPECT_EQ(reportText(), lines({"     0.0003000   125.5000000       418333.     0.6000000     0.0001800    -0.0001200"
                                   "  5200.0000000       -24000.        36500.       -12251.  CY "}));
}

// ------------------------------------------------------------------ warning and summary

TEST_F(McReportTest, PointLimitWarning) {
    writePointLimitWarning(*run);
    EXPECT_EQ(reportText(),
              lines({"", "Warning: 150 values were calculated for moment-curvature.",
                     "This usually indicates that the pile is too weak or is under-reinforced, where all reinforcing "
                     "steel has yielded.",
                     "",
                     "The input data should be examined and the amount of steel reinforcement should be increased if "
                     "necessary.",
                     ""}));
}

// Two hand tables. Thrust 1: M = 100, 200, 300, 350 with EI = 1e6, 8e5, 6e5, 4e5 and Mn = 320:
// f Mn (f = 0.65, 0.70, 0.75 in single precision: 207.9999924, 223.9999962, 240) lies between
// points 2 and 3, EI = 8e5 - 2e5 (f Mn - 200) / 100 = 784000.015, 752000.008, 720000.000.
// Thrust 2: M = 150, 300, 320 with EI = 1.5e6, 1e6, 5e5 and Mn = 310: f Mn = 201.4999926,
// 216.9999963, 232.5 is at most M(2), so points 1 and 2: EI = 1.5e6 - 5e5 (f Mn - 150) / 150
// = 1328333.358, 1276666.679, 1225000.000. f P = 65, 70, 75 and -32.5, -35, -37.5.
TEST_F(McReportTest, ConcreteSummaryWithFactoredCapacitiesAndInterpolatedStiffness) {
    useUnits(kUSCS);
    run->section.section = 2;
    run->section.shape = SectionShape::Circle;
    run->section.materials.steelModel = SteelModel::MildSteel;
    setThrusts({100.0, -50.0});
    const std::array<double, 4> M1 = {100.0, 200.0, 300.0, 350.0}, EI1 = {1.0e6, 8.0e5, 6.0e5, 4.0e5};
    for (int k = 1; k <= 4; ++k) setPoint(1, k, {0.0, M1[k - 1], EI1[k - 1], 0.0}, {}, "   ");
    const std::array<double, 3> M2 = {150.0, 300.0, 320.0}, EI2 = {1.5e6, 1.0e6, 5.0e5};
    for (int k = 1; k <= 3; ++k) setPoint(2, k, {0.0, M2[k - 1], EI2[k - 1], 0.0}, {}, "   ");
    run->section.table[1].Mn = 320.0;
    run->section.table[1].epsN = 0.003;
    run->section.table[2].Mn = 310.0;
    run->section.table[2].epsN = 0.0025;

    writeCapacitySummary(*run);
    const std::string dashes80(80, '-');
    EXPECT_EQ(reportText(),
              lines({
                  "",
                  "",
                  dashes80,
                  "   Summary of Results for Nominal (Unfactored) Moment Capacity for Section 2",
                  dashes80,
                  "",
                  "Moment values interpolated at maximum compressive strain = 0.003",
                  "or maximum developed moment if pile fails at smaller strains.",
                  "",
                  " Load           Axial Thrust        Nominal Mom. Cap.      Max. Comp.",
                  "  No.               kips                 in-kip              Strain",
                  " ----         ----------------     ------------------     ------------",
                  "   1               100.000               320.000           0.00300000",
                  "   2               -50.000               310.000           0.00250000",
                  "",
                  "Note note that the values of moment capacity in the table above are not ",
                  "factored by a strength reduction factor (phi-factor).",
                  "",
                  "In ACI 318-08, the value of the strength reduction factor depends on whether ",
                  "the transverse reinforcing steel bars are tied hoops (0.65) or spirals (0.70).",
                  "",
                  "The above values should be multiplied by the appropriate strength reduction ",
                  "factor to compute ultimate moment capacity according to ACI 318-08, Section ",
                  "9.3.2.2 or the value required by the design standard being followed.",
                  "",
                  "The following table presents factored moment capacities and corresponding ",
                  "bending stiffnesses computed for common resistance factor values used for ",
                  "reinforced concrete sections.",
                  "",
                  " Axial     Resistance           Nominal           Ultimate (Factored)     Ultimate (Factored)     "
                  "Bending Stiffness",
                  " Load        Factor         Moment Capacity          Axial Thrust           Moment Capacity       "
                  "at Ult. Mom. Cap.",
                  "  No.      for Moment           in-kip                   kips                   in-kip                 "
                  "kip-in^2",
                  " -----     ----------     -------------------     -------------------     -------------------     "
                  "-------------------",
                  "   1          0.65                 320.000                  65.000                 208.000              "
                  "784000.015",
                  "   2          0.65                 310.000                 -32.500                 201.500             "
                  "1328333.358",
                  " ",
                  "   1          0.70                 320.000                  70.000                 224.000              "
                  "752000.008",
                  "   2          0.70                 310.000                 -35.000                 217.000             "
                  "1276666.679",
                  " ",
                  "   1          0.75                 320.000                  75.000                 240.000              "
                  "720000.000",
                  "   2          0.75                 310.000                 -37.500                 232.500             "
                  "1225000.000",
              }));
}

// ------------------------------------------------------------------ errors 24 to 27

TEST_F(McReportTest, AxialThrustErrorTextsGoToMessagesAndReport) {
    struct Case {
        int error;
        std::string problem, loadLine, capacityLine;
    };
    const std::vector<Case> cases = {
        {24, "PROBLEM:  The axial thrust load for load case no. 3 exceeds the axial structural capacity in compression.",
         "          Axial thrust load                  =        1500.250 kips   ",
         "          Nominal axial compressive capacity =        1200.000 kips   "},
        {25, "PROBLEM:  The axial thrust load for load case no. 3 exceeds the axial structural capacity in tension.",
         "          Axial thrust load              =        1500.250 kips   ",
         "          Nominal axial tensile capacity =        1200.000 kips   "},
        {26,
         "PROBLEM:  The axial thrust load for LRFD load case no. 3 exceeds the axial structural capacity in "
         "compression.",
         "          Factored axial thrust load     =        1500.250 kips   ",
         "          Nominal axial compressive capacity =        1200.000 kips   "},
        {27, "PROBLEM:  The axial thrust load for LRFD load case no. 3 exceeds the axial structural capacity in tension.",
         "          Factored axial thrust load     =        1500.250 kips   ",
         "          Nominal axial tensile capacity =        1200.000 kips   "},
    };
    for (const Case& c : cases) {
        start();
        useUnits(kUSCS);
        writeAxialThrustError(*run, c.error, 3, 1500.25, 1200.0);
        const std::string expected =
            lines({"", "", "**** Runtime Error No. " + std::to_string(c.error) + " ****", "", c.problem, c.loadLine,
                   c.capacityLine, "",
                   "SOLUTION: Change the properties of the section to increase the axial structural capacity.", ""});
        run->messages.close();
        EXPECT_EQ(reportText(), expected) << c.error;
        EXPECT_EQ(messages(), expected) << c.error;
        EXPECT_EQ(run->errorNumber, 0) << "the caller raises the error";
    }
}

}  // namespace
}  // namespace mervik
