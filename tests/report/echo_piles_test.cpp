// Echo of the problem title, the program options and the pile structural properties, checked
// byte for byte against report text composed from the layouts; the convergence tolerance reset;
// the completion of user EI tables; input errors 17 and 27 with their texts in both files.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/run.hpp"
#include "engine/units.hpp"
#include "input/sections.hpp"
#include "report/echo.hpp"
#include "support/memory_run.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

const std::string kRule(80, '-');

// A label line: the label, blanks up to column 55, then the rest from column 56 ("= ...").
std::string at56(const std::string& label, const std::string& rest) {
    return label + std::string(55 - label.size(), ' ') + rest + "\n";
}

std::string prematureEnd(int n) {
    return "\n\nMervik ended prematurely due to input error number INP000" + std::to_string(n) + "\n";
}

class EchoPiles : public testing::MemoryRunTest {
protected:
    void units(int system) {
        run->model.options.IUNITS = system;
        run->units = makeUnitLabels(system);
    }
    // Options of a plain lateral analysis with every optional feature off.
    void lateralAnalysis(int system) {
        units(system);
        ProgramOptions& o = run->model.options;
        o.i_Analysis_Type = 3;
        o.pileIncrements = 100;
        o.maxIterations = 100;
        o.convergenceTolerance = 1.0E-5;
        o.maxDeflection = 100.0;
        o.printIncrement = 1;
    }
    void readPile(int system, const std::string& sectionsBlock) {
        units(system);
        setInput(sectionsBlock);
        readSections(*run);
        ASSERT_FALSE(run->failed()) << report();
        run->report.rewind();
        run->messages.rewind();
    }
    // The report from the first line after the "Input Structural Properties:" underline.
    std::string sectionLines() const {
        const std::string underline = "Input Structural Properties:\n" + std::string(28, '-') + "\n";
        const std::size_t at = report().find(underline);
        return at == std::string::npos ? std::string("(no section list)") : report().substr(at + underline.size());
    }
};

// ---------------------------------------------------------------------------------------------
// Block 1.

TEST_F(EchoPiles, TitleBlockPrintsFiveTitleLinesOf256Characters) {
    run->model.title[1] = "Steel pipe pile in soft clay";
    run->model.title[3] = "Load case study";
    echoTitle(*run);
    std::string expected = "\n\n" + kRule + "\n" + std::string(32, ' ') + "Problem Title\n" + kRule + "\n\n\n";
    expected += "Steel pipe pile in soft clay" + std::string(256 - 28, ' ') + "\n";
    expected += std::string(256, ' ') + "\n";
    expected += "Load case study" + std::string(256 - 15, ' ') + "\n";
    expected += std::string(256, ' ') + "\n" + std::string(256, ' ') + "\n\n";
    EXPECT_EQ(report(), expected);
}

// ---------------------------------------------------------------------------------------------
// Block 2.

const std::string kOptionsHeading = "\n" + kRule + "\n" + std::string(31, ' ') + "Program Options\n" + kRule + "\n\n";
const std::string kLateralAnalysis =
    "Basic Program Options:\n"
    "\n"
    "This analysis computes pile response to lateral loading and will compute nonlinear \n"
    "moment-curvature and nominal moment capacity for section types with nonlinear properties.\n"
    "\n";

TEST_F(EchoPiles, OptionsUscsLateralAnalysisWithEveryOptionOff) {
    lateralAnalysis(kUSCS);
    echoProgramOptions(*run);
    const std::string expected =
        kOptionsHeading + "Engineering units are US Customary Units: pounds, inches, feet\n\n" + kLateralAnalysis +
        "Computation Options:\n"
        "- Analysis does not use p-y multipliers (individual pile or shaft only)\n"
        "- Analysis assumes no shear resistance at pile tip\n"
        "- Analysis for fixed-length pile or shaft only\n"
        "- No computation of foundation stiffness matrix values\n"
        "- Report pile response for full length of pile\n"
        "- Analysis assumes no loading by soil movements acting on pile\n"
        "- No p-y curves to be computed and reported for user-specified depths\n"
        "\n"
        "Solution Control Parameters:\n" +
        at56("- Number of pile increments", "=          100") +
        at56("- Maximum number of iterations allowed", "=          100") +
        at56("- Deflection tolerance for convergence", "=   1.0000E-05 in ") +
        at56("- Maximum allowable deflection", "=     100.0000 in ") +
        "\n"
        "Pile Response Output Options:\n"
        "- Values of pile-head deflection, bending moment, shear force, and \n"
        "  soil reaction are printed for full length of pile.\n" +
        at56("- Printing Increment (nodal spacing of output points)", "= 1") + "\n\n";
    EXPECT_EQ(report(), expected);
    EXPECT_EQ(run->model.options.convergenceTolerance, 1.0E-5);
}

TEST_F(EchoPiles, OptionsSiLateralAnalysisWithEveryOptionOnAndSummaryOnly) {
    lateralAnalysis(kSI);
    ProgramOptions& o = run->model.options;
    o.pileIncrements = 500;
    o.maxIterations = 1000;
    o.convergenceTolerance = 2.54E-7;
    o.maxDeflection = 2.54;
    o.ib_ComputeKmatrix_1T0F = true;
    o.printSummaryOnly = true;
    o.useSoilMovement = true;
    run->model.pyModifiers.count = 2;
    run->model.tipShear.count = 3;
    run->model.pyOutputDepths.enabled = true;
    echoProgramOptions(*run);
    const std::string expected =
        kOptionsHeading + "Engineering units are SI Units: kilonewtons, meters, millimeters\n\n" + kLateralAnalysis +
        "Computation Options:\n"
        "- Analysis uses p-y multiplers for group action\n"
        "- Analysis uses tip shear resistance for short pile or shaft\n"
        "- Analysis for fixed-length pile or shaft only\n"
        "- Analysis includes computation of foundation stiffness matrix values \n"
        "- Report summary table of pile-top values for deflection, maximum bending \n"
        "  moment, and shear force only\n"
        "- Analysis includes loading by soil movements acting on pile\n"
        "- p-y curves computed and reported at user-specified depths\n"
        "\n"
        "Solution Control Parameters:\n" +
        at56("- Number of pile increments", "=          500") +
        at56("- Maximum number of iterations allowed", "=         1000") +
        at56("- Deflection tolerance for convergence", "=   2.5400E-07 m  ") +
        at56("- Maximum allowable deflection", "=       2.5400 m  ") +
        "\n"
        "Pile Response Output Options:\n"
        "- Only summary tables of pile-head deflection, maximum bending moment,\n"
        "  and maximum shear force are to be written to output report file.\n"
        "\n\n";
    EXPECT_EQ(report(), expected);
}

TEST_F(EchoPiles, OptionsOfCapacityOnlyRunStopAfterTheAnalysisLineAndKeepTheTolerance) {
    lateralAnalysis(kGeneral);
    run->model.options.i_Analysis_Type = 2;
    run->model.options.convergenceTolerance = 0.0;
    echoProgramOptions(*run);
    const std::string expected =
        kOptionsHeading + "Engineering units are Generic Units: force, length\n\n" +
        "Basic Program Options:\n\n"
        "This analysis computes nominal moment capacity and nonlinear bending stiffness only.\n\n\n";
    EXPECT_EQ(report(), expected);
    EXPECT_EQ(run->model.options.convergenceTolerance, 0.0);
}

TEST_F(EchoPiles, OptionsOfUserStiffnessAnalysisUseItsOwnWording) {
    lateralAnalysis(kUSCS);
    run->model.options.i_Analysis_Type = 5;
    echoProgramOptions(*run);
    EXPECT_NE(report().find("Basic Program Options:\n\n"
                            "This analysis computes pile response using user-specified nonlinear bending stiffness.\n\n"
                            "Computation Options:\n"),
              std::string::npos)
        << report();
}

// A tolerance of zero or less is replaced after the solution control lines, which still show
// the value given.
TEST_F(EchoPiles, ToleranceOfZeroOrLessIsResetWithItsReportLine) {
    struct Case {
        int system;
        double tolerance;
        std::string shown;
        double reset;
        std::string line;
    };
    const std::vector<Case> cases = {
        {kGeneral, 0.0, "=   0.0000E+00 L  ", 2.5400000325248584E-08,
         "(Specified convergence tolerance of 0 reset by program to 2.5400E-08 meters)\n"},
        {kGeneral, -1.0, "=  -1.0000E+00 L  ", 2.5400000325248584E-08,
         "(Specified convergence tolerance of 0 reset by program to 2.5400E-08 meters)\n"},
        {kUSCS, 0.0, "=   0.0000E+00 in ", 9.999999974752427E-07,
         "(Specified convergence tolerance of 0 reset by program to 1.0000E-06 inches)\n"},
        {kSI, 0.0, "=   0.0000E+00 m  ", 2.5400000325248584E-08,
         "(Specified convergence tolerance of 0 reset by program to 2.5400E-08 meters)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line + std::to_string(c.tolerance));
        start();
        lateralAnalysis(c.system);
        run->model.options.convergenceTolerance = c.tolerance;
        echoProgramOptions(*run);
        const std::string unit = c.system == kUSCS ? "in " : c.system == kSI ? "m  " : "L  ";
        const std::string expected = at56("- Deflection tolerance for convergence", c.shown) +
                                     at56("- Maximum allowable deflection", "=     100.0000 " + unit) + "\n" +
                                     c.line + "\n" + "Pile Response Output Options:\n";
        EXPECT_NE(report().find(expected), std::string::npos) << report();
        EXPECT_EQ(run->model.options.convergenceTolerance, c.reset);
    }
}

// ---------------------------------------------------------------------------------------------
// Block 3.

TEST_F(EchoPiles, PilePropertiesOfSteelPipeAndDrilledShaftInUscs) {
    readPile(kUSCS,
             "2\n"
             "1\n4\n10.0\n24.0\n0.5\n36000.0\n29000000.0\n"
             "2\n1\n20.0\n36.0\n4000.0\n0.75\n"
             "Use default concrete tensile strength\nUse internal stress-strain curve for concrete\nNo rebar\n");
    run->model.soil.groundSurface = 2.5;
    echoPileProperties(*run);
    const std::string expected =
        kRule + "\n" + std::string(20, ' ') + "Pile Structural Properties and Geometry\n" + kRule + "\n\n" +
        at56("Total number of pile sections", "=          2") + "\n" +
        at56("Total length of pile", "=      30.00 ft") + "\n" +
        at56("Depth of ground surface below top of pile", "=       2.50 ft") + "\n" +
        "Pile diameter values used for p-y curve computations are defined using 4 points.\n"
        "\n"
        "p-y curves are computed using pile diameter values interpolated with depth over \n"
        "the length of the pile.\n"
        "\n"
        "Point         Depth              Pile   \n"
        "                X              Diameter \n"
        "                ft                in \n"
        "-----       ---------        -----------\n"
        //  I3   5X  depth (13)       5X  diameter (14)
        "  1" "     " "      0.00000" "     " "    24.0000000\n"
        "  2" "     " "    10.000000" "     " "    24.0000000\n"
        "  3" "     " "    10.000000" "     " "    36.0000000\n"
        "  4" "     " "    30.000000" "     " "    36.0000000\n"
        "\n\n"
        "Input Structural Properties:\n"
        "----------------------------\n"
        "\n"
        "Pile Section No. 1:\n"
        "\n"
        "   Section Type = Steel Pipe Pile            \n" +
        at56("   Section Length", "=     10.00000000 ft") +
        at56("   Pile Diameter", "=     24.00000000 in") +
        "\n"
        "Pile Section No. 2:\n"
        "\n" +
        at56("   Section Type", "= Drilled Shaft (Bored Pile)") +
        at56("   Section Length", "=     20.00000000 ft") +
        at56("   Section Diameter", "=     36.00000000 in");
    EXPECT_EQ(report(), expected);
    EXPECT_FALSE(run->failed());
    EXPECT_EQ(messages(), "");
}

TEST_F(EchoPiles, ElasticRectangleAndElasticPlasticStrongHPileInSi) {
    readPile(kSI,
             "2\n"
             "1\n11\n5.0\n1\n20000000.0\n0.5\n0.4\n0.6\n0.5\n0.3\n0.2\n0.009\n0.0045\n"
             "2\n12\n10.0\n4\n200000000.0\n500.0\n0.3\n0.3\n0.015\n0.01\n0.012\n0.0002\n");
    echoPileProperties(*run);
    const std::string expected =
        "\n"
        "Pile Section No. 1:\n"
        "\n" +
        at56("   Section Type", "=    Elastic Pile") +
        at56("   Cross-sectional Shape", "=     Rectangular") +
        at56("   Section Length", "=      5.00000000 m") +
        at56("   Top Width", "=      0.50000000 m") +
        at56("   Bottom Width", "=      0.40000000 m") +
        at56("   Top Section Depth", "=      0.60000000 m") +
        at56("   Bottom Section Depth", "=      0.50000000 m") +
        at56("   Top Area", "=      0.30000000 Sq. m") +
        at56("   Bottom Area", "=      0.20000000 Sq. m") +
        at56("   Moment of Inertia at Top", "=      0.00900000 m^4") +
        at56("   Moment of Inertia at Bottom", "=      0.00450000 m^4") +
        at56("   Elastic Modulus", "=       20000000. kN/m^2") +
        "\n"
        "Pile Section No. 2:\n"
        "\n" +
        at56("   Section Type", "= Elastic with Specified Moment Capacity ") +
        at56("   Cross-sectional Shape", "=   Strong H-Pile") +
        at56("   Section Length", "=     10.00000000 m") +
        at56("   Flange Width", "=      0.30000000 m") +
        at56("   Section Depth", "=      0.30000000 m") +
        at56("   Flange Thickness", "=      0.01500000 m") +
        at56("   Web Thickness", "=      0.01000000 m") +
        at56("   Section Area", "=      0.01200000 Sq. m") +
        at56("   Moment of Inertia", "=      0.00020000 m^4") +
        at56("   Elastic Modulus", "=      200000000. kN/m^2") +
        at56("   Plastic Moment Capacity", "=    500.00000000 kN-m");
    EXPECT_EQ(sectionLines(), expected);
    EXPECT_FALSE(run->failed());
}

// Type lines and label lines of every section type, read from the fixture of 17 sections
// (types 0 to 14 with -3 and -13); the values are checked above, here the lines and the units.
struct SectionLines {
    std::vector<std::string> fixed;                            // type line (and shape line)
    std::vector<std::pair<std::string, std::string>> labels;   // label and unit of each value line
};

// Checks the lines of section k: its fixed lines, then one label line per label, with the value
// in columns 58-72 and the unit after one blank.
void expectSectionLines(const std::string& report, int k, const SectionLines& expected) {
    SCOPED_TRACE("section " + std::to_string(k));
    const std::string start = "\nPile Section No. " + std::to_string(k) + ":\n\n";
    const std::size_t at = report.find(start);
    ASSERT_NE(at, std::string::npos);
    std::vector<std::string> lines;
    std::size_t pos = at + start.size();
    for (std::size_t end; (end = report.find('\n', pos)) != std::string::npos && end > pos; pos = end + 1)
        lines.push_back(report.substr(pos, end - pos));
    ASSERT_EQ(lines.size(), expected.fixed.size() + expected.labels.size());
    std::size_t n = 0;
    for (const std::string& line : expected.fixed) EXPECT_EQ(lines[n++], line);
    for (const auto& [label, unit] : expected.labels) {
        const std::string& line = lines[n++];
        ASSERT_GE(line.size(), 72u) << line;
        EXPECT_EQ(line.substr(0, 57), label + std::string(55 - label.size(), ' ') + "= ");
        EXPECT_EQ(line.substr(72), unit.empty() ? "" : " " + unit);
    }
}

std::string typeAt56(const std::string& text) {
    std::string line = at56("   Section Type", text);
    line.pop_back();
    return line;
}
std::string shapeAt56(const std::string& text) {
    std::string line = at56("   Cross-sectional Shape", text);
    line.pop_back();
    return line;
}

const std::pair<std::string, std::string> kLength{"   Section Length", "ft"};

TEST_F(EchoPiles, EverySectionTypeHasItsTypeLineAndLabelLines) {
    readPile(kUSCS, testing::fixture("sections_all_types.txt"));
    echoPileProperties(*run);
    const std::vector<SectionLines> sections = {
        {{typeAt56("= Rectangular Concrete Pile")}, {kLength}},
        {{typeAt56("= Drilled Shaft (Bored Pile)")}, {kLength, {"   Section Diameter", "in"}}},
        {{"   Section Type = Drilled Shaft with Permanent Casing  "}, {kLength, {"   Section Diameter", "in"}}},
        {{"   Section Type = Drilled Shaft with Casing and Concrete-filled Core   "},
         {kLength, {"   Section Diameter", "in"}}},
        {{"   Section Type = Drilled Shaft with Casing and Void Core   "}, {kLength, {"   Section Diameter", "in"}}},
        {{"   Section Type = Steel Pipe Pile            "}, {kLength, {"   Pile Diameter", "in"}}},
        {{"   Section Type = Circular Solid Prestressed Pile    "}, {kLength, {"   Pile Diameter", "in"}}},
        {{"   Section Type = Circular Hollow Prestressed Pile    "},
         {kLength, {"   Pile Diameter", "in"}, {"   Void Diameter", "in"}}},
        {{"   Section Type = Square Solid Prestressed Pile     "},
         {kLength, {"   Pile Width", "in"}, {"   Corner Chamfer", "in"}}},
        {{"   Section Type = Square Hollow Prestressed Pile     "},
         {kLength, {"   Pile Width", "in"}, {"   Void Diameter", "in"}, {"   Corner Chamfer", "in"}}},
        {{"   Section Type = Octagonal Solid Prestressed Pile    "}, {kLength, {"   Pile Width", "in"}}},
        {{"   Section Type = Octagonal Hollow Prestressed Pile   "},
         {kLength, {"   Pile Width", "in"}, {"   Void Diameter", "in"}}},
        {{typeAt56("=    Elastic Pile"), shapeAt56("=     Rectangular")},
         {kLength,
          {"   Top Width", "in"},
          {"   Bottom Width", "in"},
          {"   Top Section Depth", "in"},
          {"   Bottom Section Depth", "in"},
          {"   Top Area", "Sq. in"},
          {"   Bottom Area", "Sq. in"},
          {"   Moment of Inertia at Top", "in^4"},
          {"   Moment of Inertia at Bottom", "in^4"},
          {"   Elastic Modulus", "lbs/in^2"}}},
        {{typeAt56("= Elastic with Specified Moment Capacity "), shapeAt56("=   Strong H-Pile")},
         {kLength,
          {"   Flange Width", "in"},
          {"   Section Depth", "in"},
          {"   Flange Thickness", "in"},
          {"   Web Thickness", "in"},
          {"   Section Area", "Sq. in"},
          {"   Moment of Inertia", "in^4"},
          {"   Elastic Modulus", "lbs/in^2"},
          {"   Plastic Moment Capacity", "in-lb"}}},
        {{typeAt56("= Pile with User-defined Nonlinear EI")},
         {kLength, {"   Section Diameter", "in"}, {"   Number of Axial Thrusts", ""}}},
        {{typeAt56("= Pile with User-defined Nonlinear EI")},
         {kLength, {"   Section Diameter", "in"}, {"   Number of Axial Thrusts", ""}}},
        {{typeAt56("= Micropile")}, {kLength, {"   Section Width", "in"}}},
    };
    ASSERT_EQ(run->model.sections.count, 17);
    for (int k = 1; k <= 17; ++k) expectSectionLines(report(), k, sections[static_cast<std::size_t>(k - 1)]);
}

// The shapes of elastic and elastic-plastic sections that the fixture does not hold.
TEST_F(EchoPiles, ElasticShapesHaveTheirLabelLines) {
    const std::vector<std::pair<std::string, std::string>> tapered = {
        kLength,          {"   Top Width", "in"},   {"   Bottom Width", "in"},
        {"   Top Area", "Sq. in"}, {"   Bottom Area", "Sq. in"}, {"   Moment of Inertia at Top", "in^4"},
        {"   Moment of Inertia at Bottom", "in^4"}};
    const std::pair<std::string, std::string> modulus{"   Elastic Modulus", "lbs/in^2"};
    const std::pair<std::string, std::string> topPlastic{"   Top Plastic Moment Capacity", "in-lb"};
    const std::pair<std::string, std::string> bottomPlastic{"   Bot Plastic Moment Capacity", "in-lb"};
    struct Case {
        int type, shape;
        SectionLines lines;
    };
    std::vector<Case> cases;
    {
        SectionLines circle{{typeAt56("=    Elastic Pile"), shapeAt56("=        Circular")}, tapered};
        circle.labels.push_back(modulus);
        cases.push_back({kElasticPile, kShapeCircular, circle});

        SectionLines pipe{{typeAt56("= Elastic with Specified Moment Capacity "), shapeAt56("=   Circular Pipe")}, tapered};
        pipe.labels.insert(pipe.labels.begin() + 3,
                           {{"   Wall Thickness at Top", "in"}, {"   Wall Thickness at Bottom", "in"}});
        pipe.labels.insert(pipe.labels.end(), {modulus, topPlastic, bottomPlastic});
        cases.push_back({kElasticPlasticPile, kShapeCircularPipe, pipe});

        SectionLines weak{{typeAt56("= Elastic with Specified Moment Capacity "), shapeAt56("=     Weak H-Pile")},
                          {kLength,
                           {"   Flange Width", "in"},
                           {"   Section Depth", "in"},
                           {"   Flange Thickness", "in"},
                           {"   Web Thickness", "in"},
                           {"   Section Area", "Sq. in"},
                           {"   Moment of Inertia", "in^4"},
                           modulus,
                           {"   Plastic Moment Capacity", "in-lb"}}};
        cases.push_back({kElasticPlasticPile, kShapeWeakHPile, weak});

        SectionLines pole{{typeAt56("= Elastic with Specified Moment Capacity "), shapeAt56("= Embedded Circular Pole")},
                          tapered};
        pole.labels.insert(pole.labels.end(),
                           {{"   Drilled Hole Diameter", "in"}, modulus, topPlastic, bottomPlastic});
        cases.push_back({kElasticPlasticPile, kShapeEmbeddedPole, pole});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        start();
        units(kUSCS);
        run->model.sections.count = 1;
        run->model.sections.section[1].sectionType = c.type;
        run->model.sections.section[1].elasticShape = c.shape;
        echoPileProperties(*run);
        expectSectionLines(report(), 1, c.lines);
    }
}

// Moment-EI input (13) gets its curvatures M / EI, moment-curvature input (-13) its stiffnesses
// M / curvature; a zero divisor gives zero.
TEST_F(EchoPiles, UserEiTablesAreCompletedAndPrinted) {
    readPile(kUSCS,
             "2\n"
             "1\n13\n10.0\n24.0\n1\n100.0\n2\n1000.0\n2.0E9\n0.0\n1.0E9\n"
             "2\n-13\n20.0\n24.0\n1\n0.0\n3\n0.0\n0.0\n5000.0\n2.5E-6\n8000.0\n1.0E-5\n");
    echoPileProperties(*run);

    const std::string tableHeader =
        "\n"
        "   Point         Bending Moment         Bending Stiffness         Bending Curvature\n"
        "    No.            lbs-in                    lbs-in^2                 Radians/in\n"
        "   -----      --------------------     --------------------     --------------------\n";
    //                       3X  I4      7X   moment (20)               5X   stiffness (20)          5X   curvature (20)
    const std::string expected =
        "\n"
        "Pile Section No. 1:\n"
        "\n" +
        at56("   Section Type", "= Pile with User-defined Nonlinear EI") +
        at56("   Section Length", "=     10.00000000 ft") +
        at56("   Section Diameter", "=     24.00000000 in") +
        at56("   Number of Axial Thrusts", "=               1") +
        "\n" +
        at56("   Axial Thrust", "=    100.00000000 lbs") +
        at56("   Number of Moment-vs.-EI Points", "=               2") + tableHeader +
        "   " "   1" "       " "  1000.0000000000000" "     " "         2000000000." "     " "     0.0000005000000\n"
        "   " "   2" "       " "      0.000000000000" "     " "         1000000000." "     " "      0.000000000000\n"
        "\n"
        "Pile Section No. 2:\n"
        "\n" +
        at56("   Section Type", "= Pile with User-defined Nonlinear EI") +
        at56("   Section Length", "=     20.00000000 ft") +
        at56("   Section Diameter", "=     24.00000000 in") +
        at56("   Number of Axial Thrusts", "=               1") +
        "\n" +
        at56("   Axial Thrust", "=       0.0000000 lbs") +
        at56("   Number of Moment-vs.-Curvature Points", "=               3") + tableHeader +
        "   " "   1" "       " "      0.000000000000" "     " "      0.000000000000" "     " "      0.000000000000\n"
        "   " "   2" "       " "  5000.0000000000000" "     " "         2000000000." "     " "     0.0000025000000\n"
        "   " "   3" "       " "  8000.0000000000000" "     " "          800000000." "     " "     0.0000100000000\n"
        "\n";
    EXPECT_EQ(sectionLines(), expected);

    const UserEiCurve& byEi = run->model.sections.section[1].userEi[1];
    EXPECT_DOUBLE_EQ(byEi.curvature[1], 5.0E-7);
    EXPECT_EQ(byEi.curvature[2], 0.0);
    const UserEiCurve& byCurvature = run->model.sections.section[2].userEi[1];
    EXPECT_EQ(byCurvature.stiffness[1], 0.0);
    EXPECT_DOUBLE_EQ(byCurvature.stiffness[2], 2.0E9);
    EXPECT_DOUBLE_EQ(byCurvature.stiffness[3], 8.0E8);
}

// ---------------------------------------------------------------------------------------------
// Input errors 27 and 17.

const std::string kError27 =
    "\n"
    "**** Input Data Error No. 27 ****\n"
    "\n"
    "Problem:  Zero values for one of the following values were \n"
    "entered for one or more values of pile diameter.\n"
    "\n"
    "Solution:  NONE of these values may be zero.  Correct the \n"
    "pile property data in your input data.\n"
    "\n";

TEST_F(EchoPiles, PileDiameterOfZeroOrLessGivesError27AfterTheSections) {
    struct Case {
        const char* name;
        const char* block;
        const char* lastSectionLine;
    };
    const std::vector<Case> cases = {
        {"pipe of diameter 0", "1\n1\n4\n10.0\n0.0\n0.5\n36000.0\n29000000.0\n",
         "   Pile Diameter                                       =       0.0000000 in\n"},
        {"elastic circle, negative bottom width", "1\n1\n11\n10.0\n2\n29000000.0\n12.0\n-1.0\n10.0\n10.0\n100.0\n100.0\n",
         "   Elastic Modulus                                     =       29000000. lbs/in^2\n"},
        {"micropile, no diameter", "1\n1\n14\n10.0\n",
         "   Section Width                                       =       0.0000000 in\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        readPile(kUSCS, c.block);
        echoPileProperties(*run);
        EXPECT_EQ(run->errorNumber, 127);
        EXPECT_EQ(messages(), kError27);
        const std::string tail = std::string(c.lastSectionLine) + kError27 + prematureEnd(27);
        ASSERT_GE(report().size(), tail.size());
        EXPECT_EQ(report().substr(report().size() - tail.size()), tail);
    }
}

TEST_F(EchoPiles, PilePointCountOutside2To40GivesError17) {
    struct Case {
        int points;
        std::string countText;  // I10
    };
    const std::vector<Case> failing = {{0, "         0"}, {1, "         1"}, {41, "        41"}, {-2, "        -2"}};
    for (const Case& c : failing) {
        SCOPED_TRACE(c.points);
        start();
        run->model.sections.propertyPointCount = c.points;
        checkPilePointCount(*run);
        const std::string text =
            "\n\n**** Input Data Error No. 17 ****\n\n"
            "The number of points to define the pile properties is 2 to 40, not the input value of " +
            c.countText + "\n\n";
        EXPECT_EQ(run->errorNumber, 117);
        EXPECT_EQ(messages(), text);
        EXPECT_EQ(report(), text + prematureEnd(17));
    }
    for (int points : {2, 40}) {
        SCOPED_TRACE(points);
        start();
        run->model.sections.propertyPointCount = points;
        checkPilePointCount(*run);
        EXPECT_FALSE(run->failed());
        EXPECT_EQ(report(), "");
        EXPECT_EQ(messages(), "");
    }
}

}  // namespace
}  // namespace mervik
