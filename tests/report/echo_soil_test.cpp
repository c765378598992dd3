// Echo of the ground slope and pile batter, the soil and rock layers, the summary of soil
// properties, and the checks of the soil profile depths. Expected report text is composed by
// hand from the line layouts: labels end at column 55, "= " stands in columns 56-57 and the
// value follows in the adaptive field of width 12 (width 10 in the summary table).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "engine/units.hpp"
#include "input/soil.hpp"
#include "report/echo.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

const std::string kRule(80, '-');

// Block heading: blank lines, rule, indented title, rule, one blank line.
std::string heading(int blankLines, int indent, std::string_view title) {
    return std::string(static_cast<std::size_t>(blankLines), '\n') + kRule + "\n" +
           std::string(static_cast<std::size_t>(indent), ' ') + std::string(title) + "\n" + kRule + "\n\n";
}

// A label line: the label padded to 55 characters, "= ", then value and unit as given.
std::string L(std::string label, std::string_view valueAndUnit) {
    label.resize(55, ' ');
    return label + "= " + std::string(valueAndUnit) + "\n";
}

// The fixed left columns of the summary of soil properties.
const std::string kLeft1 = "                      Layer                     Layer      Effective   ";
const std::string kLeft2 = "Layer               Soil Type                   Depth       Unit Wt.   ";
const std::string kDashes = "-----   ----------------------------------   ----------   ----------   ";

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

class EchoSoilTest : public testing::MemoryRunTest {
protected:
    void useUnits(int IUNITS) {
        run->model.options.IUNITS = IUNITS;
        run->model.options.i_Analysis_Type = 3;
        run->units = makeUnitLabels(IUNITS);
    }
    // Reads a SOIL LAYERS block and clears what the reader wrote, so that the channels hold
    // only what the echo writes.
    void readLayers(const std::string& text) {
        setInput(text);
        readSoilLayers(*run);
        ASSERT_FALSE(run->failed());
        run->report.rewind();
        run->messages.rewind();
    }
    SoilLayer& layer(int k) { return run->model.soil.layer[static_cast<std::size_t>(k)]; }
    bool endsWith(const std::string& s, const std::string& tail) {
        return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
    }
};

// ---------------------------------------------------------------- block 4

TEST_F(EchoSoilTest, SlopeAndBatterInDegreesAndRadians) {
    useUnits(kUSCS);
    run->model.slope.groundSlope = 10.0 * 3.141592653589793 / 180.0;
    run->model.slope.pileBatter = -2.5 * 3.141592653589793 / 180.0;
    echoSlopeAndBatter(*run);
    const std::string expected = heading(2, 22, "Ground Slope and Pile Batter Angles") +
                                 L("Ground Slope Angle", "      10.000 degrees") +
                                 L("", "       0.175 radians") +
                                 "\n" +
                                 L("Pile Batter Angle", "      -2.500 degrees") +
                                 L("", "      -0.044 radians") +
                                 "\n\n";
    EXPECT_EQ(report(), expected);
    EXPECT_EQ(messages(), "");
}

// ---------------------------------------------------------------- block 5

// Soft clay with no epsilon-50, sand with no k, weak rock, Piedmont soil by SPT and user p-y
// curves, in US customary units; the profile extends 5 ft below the 55 ft pile.
TEST_F(EchoSoilTest, LayersOfSeveralModelsInUsUnits) {
    useUnits(kUSCS);
    readLayers(R"(5
1  0.0  10.0
100.0  400.0  0.0
105.0  600.0  0.0
5  10.0  25.0
110.0  30.0  0.0
115.0  35.0  0.0
8  25.0  40.0
130.0  1500.0  50000.0  60.0  0.0005
135.0  2000.0  60000.0  70.0  0.0005
10  40.0  50.0
120.0  1  20.0  5.0  6.0  7.0
125.0  1  30.0  5.0  6.0  7.0
14  50.0  60.0
125.0  2
0.0  0.0
1.0  50.0
128.0  2
0.0  0.0
2.0  80.0
)");
    run->model.sections.pileLength = 55.0;
    echoSoilLayers(*run);

    const std::string pyHeader = "Point                y                     p     \n"
                                 " No." + blanks(17) + "in" + blanks(18) + "lb/in\n"
                                 "-----          ------------          ------------\n";
    const std::string expected =
        heading(2, 23, "Soil and Rock Layering Information") +
        "The soil profile is modelled using 5 layers\n"
        "\n"
        "Layer 1 is soft clay, p-y criteria by Matlock, 1970\n"
        "\n" +
        L("   Distance from top of pile to top of layer", "      0.0000 ft") +
        L("   Distance from top of pile to bottom of layer", "    10.00000 ft") +
        L("   Effective unit weight at top of layer", "   100.00000 pcf  ") +
        L("   Effective unit weight at bottom of layer", "   105.00000 pcf  ") +
        L("   Undrained cohesion at top of layer", "   400.00000 psf ") +
        L("   Undrained cohesion at bottom of layer", "   600.00000 psf ") +
        L("   Epsilon-50 at top of layer", "      0.0000") +
        L("   Epsilon-50 at bottom of layer", "      0.0000") +
        "   NOTE: Internal default values for Epsilon-50 will be computed for\n"
        "         the above soil layer.\n"
        "Layer 2 is sand, p-y criteria by Reese et al., 1974\n"
        "\n" +
        L("   Distance from top of pile to top of layer", "    10.00000 ft") +
        L("   Distance from top of pile to bottom of layer", "    25.00000 ft") +
        L("   Effective unit weight at top of layer", "   110.00000 pcf  ") +
        L("   Effective unit weight at bottom of layer", "   115.00000 pcf  ") +
        L("   Friction angle at top of layer", "    30.00000 deg.") +
        L("   Friction angle at bottom of layer", "    35.00000 deg.") +
        L("   Subgrade k at top of layer", "      0.0000 pci  ") +
        L("   Subgrade k at bottom of layer", "      0.0000 pci  ") +
        "   NOTE: Internal default values for subgrade k will be computed for\n"
        "         the above soil layer.\n"
        "Layer 3 is weak rock, p-y criteria by Reese, 1997\n"
        "\n" +
        L("   Distance from top of pile to top of layer", "    25.00000 ft") +
        L("   Distance from top of pile to bottom of layer", "    40.00000 ft") +
        L("   Effective unit weight at top of layer", "   130.00000 pcf  ") +
        L("   Effective unit weight at bottom of layer", "   135.00000 pcf  ") +
        L("   Uniaxial compressive strength at top of layer", "  1500.00000 psi ") +
        L("   Uniaxial compressive strength at bottom of layer", "  2000.00000 psi ") +
        L("   Initial modulus of rock at top of layer", "      50000. psi ") +
        L("   Initial modulus of rock at bottom of layer", "      60000. psi ") +
        L("   RQD of rock at top of layer", "    60.00000 %") +
        L("   RQD of rock at bottom of layer", "    70.00000 %") +
        L("   k rm of rock at top of layer", "   0.0005000") +
        L("   k rm of rock at bottom of layer", "   0.0005000") +
        "Layer 4 is Piedmont residual soil\n"
        "\n" +
        L("   Distance from top of pile to top of layer", "    40.00000 ft") +
        L("   Distance from top of pile to bottom of layer", "    50.00000 ft") +
        L("   Effective unit weight at top of layer", "   120.00000 pcf  ") +
        L("   Effective unit weight at bottom of layer", "   125.00000 pcf  ") +
        "   The type of field test is the Standard Penetration Test (SPT)\n" +
        L("   SPT N60 at top of layer", "    20.00000 blows/ft") +
        L("   SPT N60 at bottom of layer", "    30.00000 blows/ft") +
        "Layer 5 is modelled using user-specified p-y curves\n"
        "\n" +
        L("   Distance from top of pile to top of layer", "    50.00000 ft") +
        L("   Distance from top of pile to bottom of layer", "    60.00000 ft") +
        L("   Effective unit weight at top of layer", "   125.00000 pcf  ") +
        L("   Effective unit weight at bottom of layer", "   128.00000 pcf  ") +
        "\n"
        "\n"
        "User-input p-y curve at top of layer 5,    Depth =     50.000 ft\n"
        "\n" +
        pyHeader +
        "  1" + blanks(12) + "      0.0000" + blanks(10) + "      0.0000\n" +
        "  2" + blanks(12) + "     1.00000" + blanks(10) + "    50.00000\n" +
        "\n"
        "User-input p-y curve at bottom of layer 5, Depth =     60.000 ft\n"
        "\n" +
        pyHeader +
        "  1" + blanks(12) + "      0.0000" + blanks(10) + "      0.0000\n" +
        "  2" + blanks(12) + "     2.00000" + blanks(10) + "    80.00000\n" +
        "   (Depth of lowest soil layer extends    5.00 ft below pile tip)\n";
    EXPECT_EQ(report(), expected);
    EXPECT_EQ(messages(), "");  // unit weights all within 20 to 140 pcf
    EXPECT_EQ(distinctWarnings(run->warnings), 0);
}

// The remaining models' lines, in SI units: stiff clay with k, soft clay with J, cemented silt,
// loess, elastic subgrade, vuggy limestone and Piedmont soil by pressuremeter.
TEST_F(EchoSoilTest, LayersOfOtherModelsInSiUnits) {
    useUnits(kSI);
    readLayers(R"(7
4  0.0  2.0
18.0  50.0  0.005  0.0
18.5  60.0  0.004  27000.0
15  2.0  4.0
17.0  20.0  0.02  0.5
17.5  25.0  0.0  0.25
11  4.0  6.0
16.0  10.0  30.0  0.01  20000.0
16.5  12.0  32.0  0.01  30000.0
12  6.0  8.0
15.0  1500.0
15.5  2500.0
13  8.0  9.0
19.0  40000.0
19.5  50000.0
9  9.0  10.0
21.0  25000.0
21.5  30000.0
10  10.0  12.0
20.0  4  0.0  0.0  0.0  8000.0
20.0  4  0.0  0.0  0.0  9000.0
)");
    run->model.sections.pileLength = 11.5;
    echoSoilLayers(*run);

    const std::string expected =
        heading(2, 23, "Soil and Rock Layering Information") +
        "The soil profile is modelled using 7 layers\n"
        "\n"
        "Layer 1 is stiff clay with water-induced erosion\n"
        "\n" +
        L("   Distance from top of pile to top of layer", "      0.0000 m ") +
        L("   Distance from top of pile to bottom of layer", "     2.00000 m ") +
        L("   Effective unit weight at top of layer", "    18.00000 kN/m3") +
        L("   Effective unit weight at bottom of layer", "    18.50000 kN/m3") +
        L("   Undrained cohesion at top of layer", "    50.00000 kPa ") +
        L("   Undrained cohesion at bottom of layer", "    60.00000 kPa ") +
        L("   Epsilon-50 at top of layer", "     0.00500") +
        L("   Epsilon-50 at bottom of layer", "     0.00400") +
        L("   Subgrade k at top of layer", "      0.0000 kN/m3") +
        L("   Subgrade k at bottom of layer", "      27000. kN/m3") +
        // k is given at the bottom, so no note on a default k.
        "Layer 2 is soft clay with user-defined J, p-y criteria by Matlock, 1970\n"
        "\n" +
        L("   Distance from top of pile to top of layer", "     2.00000 m ") +
        L("   Distance from top of pile to bottom of layer", "     4.00000 m ") +
        L("   Effective unit weight at top of layer", "    17.00000 kN/m3") +
        L("   Effective unit weight at bottom of layer", "    17.50000 kN/m3") +
        L("   Undrained cohesion at top of layer", "    20.00000 kPa ") +
        L("   Undrained cohesion at bottom of layer", "    25.00000 kPa ") +
        L("   Epsilon-50 at top of layer", "     0.02000") +
        L("   Epsilon-50 at bottom of layer", "      0.0000") +
        L("   p-y J factor at top of layer", "     0.50000") +
        L("   p-y J factor at bottom of layer", "     0.25000") +
        // epsilon-50 is given at the top: no note, although the bottom value is zero.
        "Layer 3 is cemented silt with cohesion and friction\n"
        "\n" +
        L("   Distance from top of pile to top of layer", "     4.00000 m ") +
        L("   Distance from top of pile to bottom of layer", "     6.00000 m ") +
        L("   Effective unit weight at top of layer", "    16.00000 kN/m3") +
        L("   Effective unit weight at bottom of layer", "    16.50000 kN/m3") +
        L("   Undrained cohesion at top of layer", "    10.00000 kPa ") +
        L("   Undrained cohesion at bottom of layer", "    12.00000 kPa ") +
        L("   Friction angle at top of layer", "    30.00000 deg.") +
        L("   Friction angle at bottom of layer", "    32.00000 deg.") +
        L("   Epsilon-50 at top of layer", "     0.01000") +
        L("   Epsilon-50 at bottom of layer", "     0.01000") +
        L("   Subgrade k at top of layer", "      20000. kN/m3") +
        L("   Subgrade k at bottom of layer", "      30000. kN/m3") +
        "Layer 4 is loess silt\n"
        "\n" +
        L("   Distance from top of pile to top of layer", "     6.00000 m ") +
        L("   Distance from top of pile to bottom of layer", "     8.00000 m ") +
        L("   Effective unit weight at top of layer", "    15.00000 kN/m3") +
        L("   Effective unit weight at bottom of layer", "    15.50000 kN/m3") +
        L("   Cone tip resistance at top of layer", "  1500.00000 kPa ") +
        L("   Cone tip resistance at bottom of layer", "  2500.00000 kPa ") +
        "Layer 5 is modelled using an elastic subgrade modulus\n"
        "\n" +
        L("   Distance from top of pile to top of layer", "     8.00000 m ") +
        L("   Distance from top of pile to bottom of layer", "     9.00000 m ") +
        L("   Effective unit weight at top of layer", "    19.00000 kN/m3") +
        L("   Effective unit weight at bottom of layer", "    19.50000 kN/m3") +
        L("   Elastic subgrade at top of layer", "      40000. kN /m  **3") +
        L("   Elastic subgrade at bottom of layer", "      50000. kN /m  **3") +
        "Layer 6 is strong rock (vuggy limestone)\n"
        "\n" +
        L("   Distance from top of pile to top of layer", "     9.00000 m ") +
        L("   Distance from top of pile to bottom of layer", "    10.00000 m ") +
        L("   Effective unit weight at top of layer", "    21.00000 kN/m3") +
        L("   Effective unit weight at bottom of layer", "    21.50000 kN/m3") +
        L("   Uniaxial compressive strength at top of layer", "      25000. kPa ") +
        L("   Uniaxial compressive strength at bottom of layer", "      30000. kPa ") +
        "Layer 7 is Piedmont residual soil\n"
        "\n" +
        L("   Distance from top of pile to top of layer", "    10.00000 m ") +
        L("   Distance from top of pile to bottom of layer", "    12.00000 m ") +
        L("   Effective unit weight at top of layer", "    20.00000 kN/m3") +
        L("   Effective unit weight at bottom of layer", "    20.00000 kN/m3") +
        "   The type of field test is the Pressuremeter Test (DMT)\n" +
        L("   Pressuremeter modulus at top of layer", "  8000.00000 kPa ") +
        L("   Pressuremeter modulus at bottom of layer", "  9000.00000 kPa ") +
        "   (Depth of lowest soil layer extends    0.50 m  below pile tip)\n";
    EXPECT_EQ(report(), expected);
    EXPECT_EQ(messages(), "");  // unit weights all within 3.15 to 22 kN/m3
}

// Massive rock: the rock type at the top of the layer sets mi and is printed; the unclassified
// types carry mi in their code (43 gives 4). A code outside the table prints nothing.
TEST_F(EchoSoilTest, MassiveRockSetsMiFromTheRockType) {
    useUnits(kUSCS);
    readLayers(R"(3
16  0.0  10.0
130.0  5000.0  43  60.0  1.0
130.0  6000.0  50  70.0  1.0
16  10.0  20.0
130.0  5000.0  35  60.0  1.0
130.0  6000.0  35  70.0  1.0
16  20.0  30.0
130.0  5000.0  72  60.0  1.0
130.0  6000.0  12  70.0  1.0
)");
    run->model.sections.pileLength = 30.0;
    echoSoilLayers(*run);

    auto common = [](int k, std::string_view top, std::string_view bottom) {
        return "Layer " + std::to_string(k) + " is massive rock, p-y criteria by Liang et al., 2009\n\n" +
               L("   Distance from top of pile to top of layer", top) +
               L("   Distance from top of pile to bottom of layer", bottom) +
               L("   Effective unit weight at top of layer", "   130.00000 pcf  ") +
               L("   Effective unit weight at bottom of layer", "   130.00000 pcf  ");
    };
    const std::string expected =
        heading(2, 23, "Soil and Rock Layering Information") +
        "The soil profile is modelled using 3 layers\n\n" +
        common(1, "      0.0000 ft", "    10.00000 ft") +
        " The rock type is (unclassified) User-defined Hoek-Brown Material Constant mi =      4.00000\n" +
        common(2, "    10.00000 ft", "    20.00000 ft") +
        " The rock type is (igneous) granite, Hoek-Brown Material Constant mi =     32.00000\n" +
        common(3, "    20.00000 ft", "    30.00000 ft") +
        "   (Depth of lowest soil layer extends    0.00 ft below pile tip)\n";
    EXPECT_EQ(report(), expected);
    EXPECT_EQ(layer(1).hoekBrownMi, 4.0);   // from the top code 43, not the bottom code 50
    EXPECT_EQ(layer(2).hoekBrownMi, 32.0);
    EXPECT_EQ(layer(3).hoekBrownMi, 0.0);   // code 72 is outside the table
}

// A frozen soil layer has no properties: its description uses the long model name and only
// its depths are shown.
TEST_F(EchoSoilTest, FrozenSoilShowsItsDepthsOnly) {
    useUnits(kUSCS);
    readLayers(R"(2
17  0.0  5.0
3  5.0  20.0
110.0  1000.0  0.01
115.0  1200.0  0.01
)");
    run->model.sections.pileLength = 20.0;
    echoSoilLayers(*run);
    const std::string expected =
        heading(2, 23, "Soil and Rock Layering Information") +
        "The soil profile is modelled using 2 layers\n\n"
        "Layer 1 is Frozen Soil" + blanks(34 - 11) + "\n\n" +
        L("   Distance from top of pile to top of layer", "      0.0000 ft") +
        L("   Distance from top of pile to bottom of layer", "     5.00000 ft") +
        "Layer 2 is stiff clay without free water\n\n" +
        L("   Distance from top of pile to top of layer", "     5.00000 ft") +
        L("   Distance from top of pile to bottom of layer", "    20.00000 ft") +
        L("   Effective unit weight at top of layer", "   110.00000 pcf  ") +
        L("   Effective unit weight at bottom of layer", "   115.00000 pcf  ") +
        L("   Undrained cohesion at top of layer", "  1000.00000 psf ") +
        L("   Undrained cohesion at bottom of layer", "  1200.00000 psf ") +
        L("   Epsilon-50 at top of layer", "     0.01000") +
        L("   Epsilon-50 at bottom of layer", "     0.01000") +
        "   (Depth of lowest soil layer extends    0.00 ft below pile tip)\n";
    // The frozen layer's unit weights are zero, which the plausibility check reports.
    EXPECT_TRUE(report().starts_with(expected)) << report();
}

// Liquefied sand deeper than 6 m below the ground surface: warning 354 with its text in both
// files. The depth counts from the ground surface, which here is 2 below the pile head.
TEST_F(EchoSoilTest, LiquefiedSandDepthLimit) {
    const std::string usWarning =
        "   Warning : The depth of this layer is deeper than the recommended depth limit \n"
        "             for using the p-y criteria for liquefied sand.\n"
        "\n"
        "   Please consult the Mervik Technical Manual for additional background \n"
        "   information regarding limitations on the use of the liquefied sand criteria.\n"
        "\n";
    const std::string siWarning =
        "   Warning : The depth of this layer is deeper than the recommended depth \n"
        "             limit for using the p-y criteria for liquefied sand.\n"
        "\n"
        "   Please consult the Mervik Technical Manual for additional background \n"
        "   information regarding limitations on the use of the liquefied sand \n"
        "   criteria.\n"
        "\n";
    struct Case {
        int units;
        double bottom;  // of the layer, below the pile head; the ground surface is at 2
        std::string warning;
    };
    const std::vector<Case> cases = {
        {kUSCS, 21.68, ""},         // 19.68 ft below the ground surface
        {kUSCS, 21.69, usWarning},  // 19.69 ft: beyond 6 m
        {kSI, 8.0, ""},             // exactly 6 m
        {kSI, 8.001, siWarning},
        {kGeneral, 100.0, ""},      // not checked in general units
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "units " << c.units << ", bottom " << c.bottom);
        start();
        useUnits(c.units);
        const double gamma = c.units == kUSCS ? 60.0 : 9.0;
        readLayers("1\n7  2.0  " + std::to_string(c.bottom) + "\n" + std::to_string(gamma) + "\n" +
                   std::to_string(gamma) + "\n");
        run->model.sections.pileLength = 1.0;
        echoSoilLayers(*run);
        const std::string layerLines =
            "Layer 1 is liquefiable sand, by Rollins et al., 2004\n\n";
        const std::size_t at = report().find(layerLines);
        ASSERT_NE(at, std::string::npos);
        // Four label lines, then the warning, then the line on the depth below the pile tip.
        std::size_t pos = at + layerLines.size();
        for (int line = 0; line < 4; ++line) pos = report().find('\n', pos) + 1;
        const std::size_t tail = report().find("   (Depth of lowest soil layer extends", pos);
        ASSERT_NE(tail, std::string::npos);
        EXPECT_EQ(report().substr(pos, tail - pos), c.warning);
        if (c.units == kGeneral) {
            EXPECT_EQ(messages().find("Warning :"), std::string::npos);
        } else {
            EXPECT_EQ(messages(), c.warning);
        }
        EXPECT_EQ(run->warnings.counts[354], c.warning.empty() ? 0 : 1);
        EXPECT_FALSE(run->failed());
    }
}

// The liquefied sand layer in full, in SI units, with the depth below the pile tip.
TEST_F(EchoSoilTest, LiquefiedSandLayerInSiUnits) {
    useUnits(kSI);
    readLayers("1\n7  0.0  7.0\n9.0\n9.5\n");
    run->model.sections.pileLength = 6.0;
    echoSoilLayers(*run);
    const std::string expected =
        heading(2, 23, "Soil and Rock Layering Information") +
        "The soil profile is modelled using 1 layers\n\n"
        "Layer 1 is liquefiable sand, by Rollins et al., 2004\n\n" +
        L("   Distance from top of pile to top of layer", "      0.0000 m ") +
        L("   Distance from top of pile to bottom of layer", "     7.00000 m ") +
        L("   Effective unit weight at top of layer", "     9.00000 kN/m3") +
        L("   Effective unit weight at bottom of layer", "     9.50000 kN/m3") +
        "   Warning : The depth of this layer is deeper than the recommended depth \n"
        "             limit for using the p-y criteria for liquefied sand.\n"
        "\n"
        "   Please consult the Mervik Technical Manual for additional background \n"
        "   information regarding limitations on the use of the liquefied sand \n"
        "   criteria.\n"
        "\n"
        "   (Depth of lowest soil layer extends    1.00 m  below pile tip)\n";
    EXPECT_EQ(report(), expected);
    EXPECT_EQ(run->warnings.counts[354], 1);
}

// Unit-weight plausibility: the lowest and highest of all unit weights against the limits,
// equality included; general units always get the note that no check is possible.
TEST_F(EchoSoilTest, UnitWeightPlausibility) {
    const std::string usWarning =
        "\n"
        "**** Warning - Possible Input Data Error ****\n"
        "\n"
        "Values entered for effective unit weights of soil were outside\n"
        "the limits of 0.011574 pci (20 pcf) or 0.0810019 pci (140 pcf)\n"
        "This data may be erroneous.  Please check your data.\n";
    const std::string siHead =
        "\n"
        "**** Warning - Possible Input Data Error ****\n"
        "\n"
        "Values entered for effective unit weights of soil were outside\n"
        "the limits of 3.15 kN/m3 or 22 kN/m3.\n";
    const std::string siReport = siHead + "The input data may be erroneous. Please check your data.\n";
    const std::string siMessages =
        siHead + "The input data for effective unit weight may be erroneous. Please check your data.\n";
    const std::string general =
        "\n"
        "**** Warning ****\n"
        "\n"
        "Values of effective unit weight cannot be checked because \n"
        "general units have been selected.\n";
    struct Case {
        int units;
        std::string gammas;  // top and bottom of layer 1, then of layer 2
        std::string reportTail, messages;
    };
    const std::vector<Case> cases = {
        {kUSCS, "20.0 100.0 100.0 100.0", usWarning, usWarning},  // lowest at the limit
        {kUSCS, "20.01 100.0 100.0 139.99", "", ""},
        {kUSCS, "100.0 100.0 100.0 140.0", usWarning, usWarning},  // highest at the limit
        {kSI, "3.15 10.0 10.0 10.0", siReport, siMessages},
        {kSI, "10.0 3.15000009 10.0 10.0", siReport, siMessages},  // below the single-precision 3.15
        {kSI, "10.0 3.1500001 10.0 21.99", "", ""},
        {kSI, "10.0 10.0 22.0 10.0", siReport, siMessages},
        {kGeneral, "10.0 10.0 10.0 10.0", general, general},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "units " << c.units << ", unit weights " << c.gammas);
        start();
        useUnits(c.units);
        std::istringstream in(c.gammas);
        std::string g[4];
        in >> g[0] >> g[1] >> g[2] >> g[3];
        readLayers("2\n7  0.0  1.0\n" + g[0] + "\n" + g[1] + "\n7  1.0  2.0\n" + g[2] + "\n" + g[3] + "\n");
        run->model.sections.pileLength = 2.0;
        echoSoilLayers(*run);
        const std::string unit = c.units == kUSCS ? "ft" : c.units == kSI ? "m " : "L ";
        const std::string depthLine = "   (Depth of lowest soil layer extends    0.00 " + unit + " below pile tip)\n";
        EXPECT_TRUE(endsWith(report(), depthLine + c.reportTail)) << report();
        EXPECT_EQ(messages(), c.messages);
        EXPECT_EQ(distinctWarnings(run->warnings), 0);  // a plausibility note, not a registered warning
    }
}

// ---------------------------------------------------------------- block 6

// US units: soft clay (epsilon-50 given at the top only), API sand without k, loess, Piedmont
// soil by pressuremeter and an elastic subgrade. The groups of cohesion, friction, strain
// factor, kpy, the two in-situ test columns and the elastic modulus are present, those of rock
// and of J are not.
TEST_F(EchoSoilTest, SummaryWithSeveralColumnGroupsInUsUnits) {
    useUnits(kUSCS);
    readLayers(R"(5
1  0.0  10.0
100.0  400.0  0.01
105.0  600.0  0.0
6  10.0  20.0
110.0  30.0  0.0
115.0  35.0  0.0
12  20.0  30.0
100.0  150.0
100.0  200.0
10  30.0  40.0
125.0  4  10.0  20.0  30.0  1000.0
126.0  4  10.0  20.0  30.0  2000.0
13  40.0  50.0
120.0  500.0
125.0  12345.0
)");
    echoSoilSummary(*run);
    const std::string none = "       --    ";  // three blanks and the 10-character "    --    "
    auto v = [](std::string_view text) { return "   " + std::string(text); };
    auto name = [](std::string_view longName) {
        std::string s(longName);
        s.resize(34, ' ');
        return s;
    };
    const std::string expected =
        heading(2, 27, "Summary of Soil Properties") +
        kLeft1 + " Undrained   " + " Angle of    " + "  Strain     " + "             " + "  In-situ    " +
        "  In-situ    " + "  Elastic    " + "\n" +
        kLeft2 + " Cohesion    " + " Friction    " + "  Factor     " + "   kpy       " + "   Test      " +
        "   Test      " + " Subgrade    " + "\n" +
        " Num.         (p-y Curve Criteria)               ft           pcf      " + "    psf      " + "    deg.     " +
        "Epsilon 50   " + "    pci      " + "   Type      " + " Property    " + " Mod. pci    " + "\n" +
        kDashes + "----------   ----------   ----------   ----------   ----------   ----------   ----------   \n" +
        // soft clay
        "  1" + blanks(5) + name("Soft Clay") + v("      0.00") + v("   100.000") + v("   400.000") + none +
        v("   0.01000") + none + none + none + none + "\n" +
        blanks(45) + "    10.000" + v("   105.000") + v("   600.000") + none + v("  default ") + none + none + none +
        none + "\n" +
        // API sand: no k at either end
        "  2" + blanks(5) + name("API Sand") + v("    10.000") + v("   110.000") + none + v("    30.000") + none +
        v("  default ") + none + none + none + "\n" +
        blanks(45) + "    20.000" + v("   115.000") + none + v("    35.000") + none + v("  default ") + none + none +
        none + "\n" +
        // loess: cone test
        "  3" + blanks(5) + name("Loess") + v("    20.000") + v("   100.000") + none + none + none + none +
        "    CPT      " + v("   150.000") + none + "\n" +
        blanks(45) + "    30.000" + v("   100.000") + none + none + none + none + "    CPT      " + v("   200.000") +
        none + "\n" +
        // Piedmont: pressuremeter modulus
        "  4" + blanks(5) + name("Piedmont Residual") + v("    30.000") + v("   125.000") + none + none + none + none +
        "    PMT      " + v("  1000.000") + none + "\n" +
        blanks(45) + "    40.000" + v("   126.000") + none + none + none + none + "    PMT      " + v("  2000.000") +
        none + "\n" +
        // elastic subgrade
        "  5" + blanks(5) + name("Elastic Subgrade") + v("    40.000") + v("   120.000") + none + none + none + none +
        none + none + v("   500.000") + "\n" +
        blanks(45) + "    50.000" + v("   125.000") + none + none + none + none + none + none + v("    12345.") + "\n";
    EXPECT_EQ(report(), expected);
}

// SI units: weak rock, soft clay with J and massive rock. Cohesion (of the J model), qu,
// RQD/GSI, J, rock mass modulus and krm are present; the strain factor column is not, as no
// layer uses one of its models.
TEST_F(EchoSoilTest, SummaryOfRockAndJInSiUnits) {
    useUnits(kSI);
    readLayers(R"(3
15  0.0  3.0
17.0  20.0  0.02  0.5
17.5  25.0  0.02  0.25
8  3.0  6.0
22.0  5000.0  400000.0  60.0  0.0005
22.0  6000.0  500000.0  70.0  0.0005
16  6.0  9.0
23.0  40000.0  43  55.0  1.0
23.0  50000.0  43  65.0  1.0
)");
    echoSoilSummary(*run);
    const std::string none = "       --    ";
    auto v = [](std::string_view text) { return "   " + std::string(text); };
    auto name = [](std::string_view longName) {
        std::string s(longName);
        s.resize(34, ' ');
        return s;
    };
    const std::string expected =
        heading(2, 27, "Summary of Soil Properties") +
        kLeft1 + " Undrained   " + "  Uniaxial   " + "   RQD %     " + "             " + " Rock Mass   " +
        "             " + "\n" +
        kLeft2 + " Cohesion    " + "    qu       " + "     or      " + "   J         " + "Rock Emass   " +
        "   krm       " + "\n" +
        " Num.         (p-y Curve Criteria)                m          kN/m3     " + "    kPa      " + "    kPa      " +
        "    GSI      " + "             " + "    kPa      " + "             " + "\n" +
        kDashes + "----------   ----------   ----------   ----------   ----------   ----------   \n" +
        "  1" + blanks(5) + name("Soft Clay with User-defined J") + v("      0.00") + v("    17.000") + v("    20.000") +
        none + none + v("     0.500") + none + none + "\n" +
        blanks(45) + "     3.000" + v("    17.500") + v("    25.000") + none + none + v("     0.250") + none + none + "\n" +
        "  2" + blanks(5) + name("Weak Rock") + v("     3.000") + v("    22.000") + none + v("  5000.000") + v("    60.000") +
        none + v("   400000.") + v("  5.00E-04") + "\n" +
        blanks(45) + "     6.000" + v("    22.000") + none + v("  6000.000") + v("    70.000") + none + v("   500000.") +
        v("  5.00E-04") + "\n" +
        "  3" + blanks(5) + name("Massive Rock") + v("     6.000") + v("    23.000") + none + v("    40000.") +
        v("    55.000") + none + none + none + "\n" +
        blanks(45) + "     9.000" + v("    23.000") + none + v("    50000.") + v("    65.000") + none + none + none + "\n";
    EXPECT_EQ(report(), expected);
}

TEST_F(EchoSoilTest, NoSummaryInGeneralUnits) {
    useUnits(kGeneral);
    readLayers("1\n1  0.0  10.0\n10.0  5.0  0.01\n10.0  5.0  0.01\n");
    echoSoilSummary(*run);
    EXPECT_EQ(report(), "");
    EXPECT_EQ(messages(), "");
}

// ---------------------------------------------------------------- profile depth checks

TEST_F(EchoSoilTest, ProfileDepthErrors) {
    struct Case {
        const char* what;
        int layers;
        double profileBottom, pileLength, firstDepth, groundSurface;
        int analysisType;
        int error;  // 0: the checks pass
        std::string text;
    };
    const std::vector<Case> cases = {
        {"pile tip below the profile", 2, 50.0, 60.0, 0.0, 0.0, 3, 18,
         "**** Input Data Error No. 18 ****\n"
         "\n"
         "Problem: The depth at the bottom of the lowermost soil layer is   5.0000E+01\n"
         "         This depth is higher than the tip of the pile at   6.0000E+01.\n"
         "Solution: Increase the depth of the soil profile or shorten the pile length.\n"},
        {"no layers at all", 0, 0.0, 10.0, 0.0, 0.0, 3, 18,
         "**** Input Data Error No. 18 ****\n"
         "\n"
         "Problem: The depth at the bottom of the lowermost soil layer is   0.0000E+00\n"
         "         This depth is higher than the tip of the pile at   1.0000E+01.\n"
         "Solution: Increase the depth of the soil profile or shorten the pile length.\n"},
        {"first point below the ground surface", 2, 50.0, 50.0, 2.5, 0.0, 3, 19,
         "**** Input Data Error No. 19 ****\n"
         "\n"
         "The depth of the first point of the data for effective unit\n"
         "is located at       2.5000 below the top of the pile.\n"
         "The ground surface is located at       0.0000.\n"
         "The first point for the effective unit weight should be located\n"
         "at the same elevation as the ground surface.\n"},
        {"first point above the ground surface", 2, 50.0, 50.0, 2.5, 3.0, 3, 20,
         "**** Input Data Error No. 20 ****\n"
         "\n"
         "Problem:  The first depth of the soil profile is located at       2.5000\n"
         "          below the top of the pile.\n"
         "          The ground surface is elevation is       3.0000.\n"
         "Solution: Correct the input data so that the first depth of \n"
         "          the soil profile data is be located at the same elevation as the ground surface.\n"},
        {"tip below the profile wins over the ground surface", 2, 50.0, 50.5, 2.5, 3.0, 3, 18,
         "**** Input Data Error No. 18 ****\n"
         "\n"
         "Problem: The depth at the bottom of the lowermost soil layer is   5.0000E+01\n"
         "         This depth is higher than the tip of the pile at   5.0500E+01.\n"
         "Solution: Increase the depth of the soil profile or shorten the pile length.\n"},
        {"tip exactly at the profile bottom", 2, 50.0, 50.0, 2.5, 2.5, 3, 0, ""},
        {"capacity-only analysis has no soil", 0, 0.0, 10.0, 0.0, 0.0, 2, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start();
        useUnits(kUSCS);
        run->model.options.i_Analysis_Type = c.analysisType;
        SoilProfile& soil = run->model.soil;
        soil.layerCount = c.layers;
        soil.propertyPointCount = 2 * c.layers;
        if (c.layers > 0) {
            layer(c.layers).depthBottom = c.profileBottom;
            // The layer below a profile bottom that is not the last one must not count.
            layer(c.layers + 1).depthBottom = 1000.0;
        }
        soil.propertyDepth[1] = c.firstDepth;
        soil.groundSurface = c.groundSurface;
        run->model.sections.pileLength = c.pileLength;

        checkSoilProfileDepths(*run);
        if (c.error == 0) {
            EXPECT_FALSE(run->failed());
            EXPECT_EQ(report(), "");
            EXPECT_EQ(messages(), "");
            continue;
        }
        EXPECT_EQ(run->errorNumber, inputError(c.error));
        EXPECT_EQ(messages(), c.text);
        EXPECT_TRUE(report().starts_with(c.text)) << report();
        EXPECT_NE(report().find(errorCodeText(inputError(c.error))), std::string::npos);
    }
}

}  // namespace
}  // namespace mervik
