// Echo of the loading-related input (p-y multipliers, soil movements, loading type, distributed
// load, pile-head loads, tip shear, p-y output depths) and its checks. Expected report text is
// composed by hand from the block layouts: column positions, field widths and unit labels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/errors.hpp"
#include "engine/units.hpp"
#include "report/echo.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

const std::string kRule(80, '-');

std::string heading(int blankLinesBefore, int indent, const std::string& title) {
    return std::string(static_cast<std::size_t>(blankLinesBefore), '\n') + kRule + "\n" +
           std::string(static_cast<std::size_t>(indent), ' ') + title + "\n" + kRule + "\n\n";
}

std::string prematureEnd(const std::string& code) {
    return "\n\nMervik ended prematurely due to input error number " + code + "\n";
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class EchoLoadsTest : public mervik::testing::MemoryRunTest {
protected:
    void useUnits(int iunits) {
        run->model.options.IUNITS = iunits;
        run->model.options.i_Analysis_Type = 3;
        run->units = makeUnitLabels(iunits);
    }
};

// ------------------------------------------------------------------ p-y modification factors

TEST_F(EchoLoadsTest, PyModifierTableWithDepthUnit) {
    struct Case {
        int units;
        const char* unitLine;
    };
    for (const Case& c : {Case{kUSCS, " No.          ft\n"}, Case{kSI, " No.          m \n"}}) {
        start();
        useUnits(c.units);
        auto& t = run->model.pyModifiers;
        t.count = 2;
        t.depth[1] = 0.0, t.pMultiplier[1] = 1.0, t.yMultiplier[1] = 1.0;
        t.depth[2] = 12.5, t.pMultiplier[2] = 0.85, t.yMultiplier[2] = 1.2;
        echoPyModifiers(*run);
        const std::string expected =
            "\n\n\n" + kRule + "\n" + "                   p-y Modification Factors for Group Action\n" + kRule + "\n\n" +
            "Distribution of p-y modifiers with depth defined using 2 points\n"
            "\n"
            "Point      Depth X         p-mult         y-mult\n" +
            c.unitLine +
            "-----     ----------     ----------     ----------\n"
            "  1            0.000         1.0000         1.0000\n"
            "  2           12.500         0.8500         1.2000\n";
        EXPECT_EQ(report(), expected) << "units " << c.units;
        EXPECT_FALSE(run->failed());
    }
}

// ------------------------------------------------------------------ blocks without data

TEST_F(EchoLoadsTest, BlocksWithoutDataWriteNothing) {
    useUnits(kUSCS);
    run->model.pyModifiers.count = 0;
    run->model.soilMovement.count = 1;  // a single point is no profile
    run->model.soilMovement.depth[1] = 3.0;
    run->model.soilMovement.movement[1] = 0.5;
    run->model.loading.distributed.count = 0;
    run->model.tipShear.count = 0;
    run->model.pyOutputDepths.enabled = false;
    run->model.pyOutputDepths.count = 2;
    run->model.pyOutputDepths.depth[1] = 1000.0;  // would fail the depth check if it were made
    echoPyModifiers(*run);
    echoSoilMovements(*run);
    echoDistributedLoad(*run);
    echoTipShear(*run);
    echoPyOutputDepths(*run);
    EXPECT_EQ(report(), "");
    EXPECT_EQ(messages(), "");
    EXPECT_FALSE(run->failed());
    EXPECT_EQ(run->model.pyOutputDepths.count, 2);
}

// ------------------------------------------------------------------ soil movements

TEST_F(EchoLoadsTest, SoilMovementProfile) {
    struct Case {
        int units;
        const char* unitLine;
    };
    // Two characters of each label: "ft"/"in", and "m " for both in SI.
    for (const Case& c : {Case{kUSCS, " No.           ft             in\n"}, Case{kSI, " No.           m              m \n"}}) {
        start();
        useUnits(c.units);
        auto& p = run->model.soilMovement;
        p.count = 3;
        p.depth[1] = 0.0, p.movement[1] = 0.025;
        p.depth[2] = 2.0, p.movement[2] = 0.0125;
        p.depth[3] = 5.0, p.movement[3] = 0.0;
        echoSoilMovements(*run);
        const std::string expected = heading(3, 29, "Lateral Soil Movements") + "\n" +
                                     "Profile of soil movement with depth defined using 3 points\n"
                                     "\n"
                                     "Point       Depth X     Soil Movement\n" +
                                     c.unitLine +
                                     "-----     ----------    -------------\n"
                                     "  1          0.00000        0.02500\n"
                                     "  2          2.00000        0.01250\n"
                                     "  3          5.00000        0.00000\n";
        EXPECT_EQ(report(), expected) << "units " << c.units;
    }
}

// ------------------------------------------------------------------ loading type

TEST_F(EchoLoadsTest, StaticLoading) {
    useUnits(kUSCS);
    run->model.options.cyclic = false;
    run->model.options.numberOfCycles = 0.0;  // not checked for static loading
    echoLoadingType(*run);
    EXPECT_EQ(report(), heading(3, 33, "Loading Type") + "\n" +
                            "Static loading criteria were used when computing p-y curves for all analyses.\n");
    EXPECT_FALSE(run->failed());
}

TEST_F(EchoLoadsTest, CyclicLoadingPrintsTruncatedCycles) {
    struct Case {
        double cycles;
        const char* printed;
    };
    for (const Case& c : {Case{2.9, "2"}, Case{2.0, "2"}, Case{5000.0, "5000"}, Case{100.7, "100"}}) {
        start();
        useUnits(kSI);
        run->model.options.cyclic = true;
        run->model.options.numberOfCycles = c.cycles;
        echoLoadingType(*run);
        EXPECT_EQ(report(), heading(3, 34, "Loading Type") + "\n" +
                                "Cyclic loading criteria were used for computation of p-y curves for all analyses.\n"
                                "\n"
                                "Number of cycles of loading = " + c.printed + "\n")
            << c.cycles;
        EXPECT_FALSE(run->failed()) << c.cycles;
        EXPECT_EQ(messages(), "");
    }
}

TEST_F(EchoLoadsTest, CyclicLoadingOutsideTwoToFiveThousandIsInputError28) {
    struct Case {
        double cycles;
        const char* printed;
    };
    for (const Case& c : {Case{1.9, "1"}, Case{0.0, "0"}, Case{5000.5, "5000"}, Case{-3.0, "-3"}}) {
        start();
        useUnits(kUSCS);
        run->model.options.cyclic = true;
        run->model.options.numberOfCycles = c.cycles;
        echoLoadingType(*run);
        const std::string error = std::string("\n\n**** Input Data Error No. 28 ****\n\n") +
                                  "Problem:  Cyclic loading type was specified and the number of cycles of loading\n"
                                  "are outside the valid range of 2 to 5,000.\n"
                                  "\n"
                                  "Solution:  Either correct the number of cycles of loading to be within 2 to 5,000\n"
                                  "or specify static loading.\n"
                                  "Number of cycles of loading = " + c.printed + "\n";
        EXPECT_EQ(messages(), error) << c.cycles;
        EXPECT_EQ(report(), heading(3, 34, "Loading Type") + "\n" +
                                "Cyclic loading criteria were used for computation of p-y curves for all analyses.\n"
                                "\n"
                                "Number of cycles of loading = " + c.printed + "\n" + error + prematureEnd("INP00028"))
            << c.cycles;
        EXPECT_EQ(run->errorNumber, 128) << c.cycles;
    }
}

TEST_F(EchoLoadsTest, CyclicCountCheckAddsNothingAfterTheLoadingTypeBlock) {
    useUnits(kUSCS);
    run->model.options.cyclic = true;
    run->model.options.numberOfCycles = 1.0;
    checkCyclicLoading(*run);
    EXPECT_EQ(report(), "");
    EXPECT_EQ(messages(), "");
    EXPECT_FALSE(run->failed());
}

// ------------------------------------------------------------------ distributed load

TEST_F(EchoLoadsTest, DistributedLoadTable) {
    struct Case {
        int units;
        const char* unitLine;
    };
    // Depth label at column 20, force "/" deflection from column 38, labels at full width.
    const Case cases[] = {
        {kUSCS, " No.               ft                lbs/in \n"},
        {kSI, " No.               m                 kN /m  \n"},
        {kGeneral, " No.               L                 F  /L  \n"},
    };
    for (const Case& c : cases) {
        start();
        useUnits(c.units);
        auto& d = run->model.loading.distributed;
        d.count = 2;
        d.depth[1] = 0.0, d.load[1] = 10.0;
        d.depth[2] = 20.0, d.load[2] = -5.5;
        echoDistributedLoad(*run);
        const std::string expected = heading(3, 27, "Distributed Lateral Loading") +
                                     "Distributed lateral load intensity defined using 2 points\n"
                                     "\n"
                                     "Point           Depth X            Dist. Load\n" +
                                     c.unitLine +
                                     "-----          ----------          ----------\n"
                                     "  1               0.000              10.000\n"
                                     "  2              20.000              -5.500\n";
        EXPECT_EQ(report(), expected) << "units " << c.units;
    }
}

// ------------------------------------------------------------------ pile-head loads

const std::string kLoadLegend =
    "\n"
    "V = perpendicular shear force applied to pile head\n"
    "M = bending moment applied to pile head\n"
    "y = lateral deflection relative to pile axis\n"
    "S = pile slope relative to original pile batter angle\n"
    "R = rotational stiffness applie to pile head\n"
    "Axial thrust is assumed to be acting axially for all pile batter angles.\n";

std::string loadTableTop(int count, const std::string& forceHeader) {
    return heading(3, 15, "Pile-head Loading and Pile-head Fixity Conditions") +
           "Number of loads specified = " + std::to_string(count) + "\n" +
           "\n"
           "Load    Load         Condition               Condition            Axial Thrust            Compute\n"
           " No.    Type             1                       2                 Force, " +
           forceHeader + "Top y vs. Pile Length\n" +
           "-----   ----   --------------------   -----------------------   ----------------   ---------------------\n";
}

void setLoad(PileHeadLoad& load, int type, double c1, double c2, double thrust, bool topY) {
    load.loadType = type;
    load.condition1 = c1;
    load.condition2 = c2;
    load.axialThrust = thrust;
    load.computeTopYvsLength = topY;
}

TEST_F(EchoLoadsTest, PileHeadLoadsAllTypesUSCS) {
    useUnits(kUSCS);
    auto& l = run->model.loading;
    l.loadCaseCount = 7;
    setLoad(l.loadCase[1], 1, 1000.0, 0.0, 50000.0, true);
    setLoad(l.loadCase[2], 2, -250.5, 0.001, 0.0, false);
    setLoad(l.loadCase[3], 0, 1.0, 2.0, 3.0, true);  // no such condition type: no row
    setLoad(l.loadCase[4], 3, 100.0, 1.5E10, 1234.5, true);
    setLoad(l.loadCase[5], 4, 0.5, 123456.7, -2000.0, false);
    setLoad(l.loadCase[6], 5, 0.25, 0.0, 10.0, true);
    setLoad(l.loadCase[7], 6, 1.0, 2.0, 3.0, false);  // no row either
    echoPileHeadLoads(*run);
    // Force header "lbs" ends in column 77; the last header starts in column 84.
    const std::string expected =
        loadTableTop(7, "lbs      ") +
        "   1     1     V =   1000.00000 lbs   M =       0.0000 in-lbs            50000. Yes \n"
        "   2     2     V =   -250.50000 lbs   S =    0.0010000 in/in          0.0000000 No  \n"
        "   4     3     V =    100.00000 lbs   R =   1.5000E+10 in-lbs     1234.50000000 Yes \n"
        "   5     4     y =      0.50000 in    M =      123457. in-lbs    -2000.00000000 No  \n"
        "   6     5     y =      0.25000 in    S =       0.0000 in/in        10.00000000 Yes \n" +
        kLoadLegend;
    EXPECT_EQ(report(), expected);
    EXPECT_FALSE(run->failed());
}

TEST_F(EchoLoadsTest, PileHeadLoadUnitsSIAndGeneral) {
    struct Case {
        int units;
        const char* forceHeader;
        const char* rows;
    };
    const Case cases[] = {
        {kSI, "kN       ",
         "   1     1     V =     50.00000 kN    M =     12.00000 m-kN        100.00000000 No  \n"
         "   2     5     y =      0.01000 m     S =       0.0000 m/m            0.0000000 Yes \n"},
        {kGeneral, "F        ",
         "   1     2     V =     50.00000 F     S =     12.00000 L/L         100.00000000 No  \n"
         "   2     4     y =      0.01000 L     M =       0.0000 L-F            0.0000000 Yes \n"},
    };
    for (const Case& c : cases) {
        start();
        useUnits(c.units);
        auto& l = run->model.loading;
        l.loadCaseCount = 2;
        const bool si = c.units == kSI;
        setLoad(l.loadCase[1], si ? 1 : 2, 50.0, 12.0, 100.0, false);
        setLoad(l.loadCase[2], si ? 5 : 4, 0.01, 0.0, 0.0, true);
        echoPileHeadLoads(*run);
        EXPECT_EQ(report(), loadTableTop(2, c.forceHeader) + c.rows + kLoadLegend) << "units " << c.units;
    }
}

// ------------------------------------------------------------------ tip shear

TEST_F(EchoLoadsTest, TipShearCurve) {
    struct Case {
        int units;
        const char* unitLine;
    };
    // Two characters of the deflection label at column 16, the force label from column 36.
    for (const Case& c : {Case{kUSCS, " No.           in                  lbs\n"}, Case{kSI, " No.           m                   kN \n"}}) {
        start();
        useUnits(c.units);
        auto& t = run->model.tipShear;
        t.count = 3;
        t.displacement[1] = 0.0, t.shear[1] = 0.0;
        t.displacement[2] = 0.5, t.shear[2] = 1500.0;
        t.displacement[3] = 1.25, t.shear[3] = 2000.125;
        echoTipShear(*run);
        const std::string expected = heading(3, 22, "Shear Resistance Curve at Pile Tip ") + "\n" +
                                     "Point     Displacement     Tip Shear Force\n" + c.unitLine +
                                     "-----     ------------     ---------------\n"
                                     "   1          0.000               0.000\n"
                                     "   2          0.500            1500.000\n"
                                     "   3          1.250            2000.125\n";
        EXPECT_EQ(report(), expected) << "units " << c.units;
        EXPECT_FALSE(run->failed());
    }
}

TEST_F(EchoLoadsTest, TipShearCurveOutOfOrderIsInputError50) {
    struct Case {
        const char* name;
        int count;
        std::vector<double> displacements;
        int point;
    };
    const Case cases[] = {
        {"no curve, but a stored first displacement", 0, {0.3}, 1},
        {"first point not at zero", 3, {0.1, 0.5, 1.0}, 1},
        {"negative second displacement", 3, {0.0, -0.1, 1.0}, 2},
        {"repeated displacement", 3, {0.0, 0.5, 0.5}, 3},
        {"decreasing displacement", 4, {0.0, 0.5, 1.0, 0.9}, 4},
    };
    for (const Case& c : cases) {
        start();
        useUnits(kUSCS);
        auto& t = run->model.tipShear;
        t.count = c.count;
        for (std::size_t k = 0; k < c.displacements.size(); ++k) t.displacement[k + 1] = c.displacements[k];
        echoTipShear(*run);
        const std::string error =
            "**** Input Data Error No. 50 ****\n\n"
            "Problem:   The input data for shear resistance at the pile tip appears to be in error at point " +
            std::to_string(c.point) +
            ".\n\n"
            "Solution:  Check that the first point is (0,0) and that the x-values sucessively increase in "
            "deflection and magnitude.\n";
        EXPECT_EQ(messages(), error) << c.name;
        EXPECT_TRUE(endsWith(report(), error + prematureEnd("INP00050"))) << c.name << "\n" << report();
        EXPECT_EQ(run->errorNumber, 150) << c.name;
        if (c.count == 0) {
            EXPECT_EQ(report(), error + prematureEnd("INP00050")) << c.name;  // no table without points
        }
    }
}

// ------------------------------------------------------------------ p-y output depths

TEST_F(EchoLoadsTest, PyOutputDepthsTable) {
    struct Case {
        int units;
        const char* unitLine;
        const char* groundLine;
    };
    const Case cases[] = {
        {kUSCS, " No.                 ft                         ft\n",
         "Depth of ground surface below top of pile =       5.00 ft\n"},
        {kSI, " No.                 m                          m \n",
         "Depth of ground surface below top of pile =       5.00 m \n"},
    };
    for (const Case& c : cases) {
        start();
        useUnits(c.units);
        run->model.soil.groundSurface = 5.0;
        run->model.sections.pileLength = 60.0;
        auto& d = run->model.pyOutputDepths;
        d.enabled = true;
        d.count = 3;
        d.depth[1] = 10.0, d.depth[2] = 5.0, d.depth[3] = 60.0;  // both ends of the range are kept
        echoPyOutputDepths(*run);
        const std::string expected =
            heading(3, 19, "Specified Depths for Output of p-y Curves") +
            "Lateral load-transfer (p-y) curves are computed and output at 3 depths.\n"
            "(Note that these curves are independent from the curves used at nodal point depths)\n"
            "\n\n"
            "Depth      Depth Below Pile Head      Depth Below Ground Surface\n" +
            c.unitLine +
            "-----      ---------------------      --------------------------\n"
            "  1                10.000                      5.000\n"
            "  2                 5.000                      0.000\n"
            "  3                60.000                     55.000\n"
            "\n" +
            c.groundLine + "\n";
        EXPECT_EQ(report(), expected) << "units " << c.units;
        EXPECT_FALSE(run->failed());
        EXPECT_TRUE(d.enabled);
        EXPECT_EQ(d.count, 3);
    }
}

TEST_F(EchoLoadsTest, EmptyPyOutputDepthListSwitchesPrintingOff) {
    useUnits(kUSCS);
    run->model.soil.groundSurface = 0.0;
    run->model.sections.pileLength = 30.0;
    run->model.pyOutputDepths.enabled = true;
    run->model.pyOutputDepths.count = 0;
    echoPyOutputDepths(*run);
    EXPECT_FALSE(run->model.pyOutputDepths.enabled);
    EXPECT_EQ(run->model.pyOutputDepths.count, 0);
    EXPECT_EQ(report(), heading(3, 19, "Specified Depths for Output of p-y Curves") +
                            "Lateral load-transfer (p-y) curves are computed and output at 0 depths.\n"
                            "(Note that these curves are independent from the curves used at nodal point depths)\n"
                            "\n\n"
                            "Depth      Depth Below Pile Head      Depth Below Ground Surface\n"
                            " No.                 ft                         ft\n"
                            "-----      ---------------------      --------------------------\n"
                            "\n"
                            "Depth of ground surface below top of pile =       0.00 ft\n"
                            "\n");
    EXPECT_FALSE(run->failed());
}

const std::string kError29 =
    "**** Input Data Error No. 29 ****\n"
    "\n"
    "Problem:  A depth above the ground surface was specified for the printing\n"
    "of a p-y curve.\n"
    "\n"
    "Solution:  Specify a depth between the ground surface and pile tip.\n"
    "\n";

std::string error30(const std::string& pointLine) {
    return "**** Input Data Error No. 30 ****\n"
           "\n"
           "Problem:  Printing of a p-y curve was specified below the pile tip.\n"
           "\n"
           "Solution:  Specify printing depths only for depths above the pile tip.\n"
           "\n" +
           pointLine + "\n";
}

TEST_F(EchoLoadsTest, PyOutputDepthOutsidePileIsInputError29Or30) {
    struct Case {
        const char* name;
        int units;
        double ground;
        std::vector<double> depths;
        int error;
        std::string text;
        std::vector<double> kept;
    };
    const Case cases[] = {
        {"below the tip, second of three", kUSCS, 5.0, {10.0, 70.0, 20.0}, 30,
         error30("Input Point 2 at   70.00 ft was not printed because it is below the pile tip."), {10.0}},
        {"below the tip, SI label", kSI, 0.0, {60.01}, 30,
         error30("Input Point 1 at   60.01 m  was not printed because it is below the pile tip."), {}},
        {"above the ground surface, first", kUSCS, 5.0, {3.0, 10.0}, 29, kError29, {}},
        {"above the ground surface, third", kUSCS, 5.0, {10.0, 20.0, 4.99}, 29, kError29, {10.0, 20.0}},
        {"negative depth", kUSCS, -2.0, {1.0, -1.0}, 29, kError29, {1.0}},
    };
    for (const Case& c : cases) {
        start();
        useUnits(c.units);
        run->model.soil.groundSurface = c.ground;
        run->model.sections.pileLength = 60.0;
        auto& d = run->model.pyOutputDepths;
        d.enabled = true;
        d.count = static_cast<int>(c.depths.size());
        for (std::size_t k = 0; k < c.depths.size(); ++k) d.depth[k + 1] = c.depths[k];
        echoPyOutputDepths(*run);

        EXPECT_EQ(messages(), c.text) << c.name;
        EXPECT_EQ(report(), heading(3, 19, "Specified Depths for Output of p-y Curves") + c.text +
                                prematureEnd(c.error == 29 ? "INP00029" : "INP00030"))
            << c.name;
        EXPECT_EQ(run->errorNumber, 100 + c.error) << c.name;
        // The depths before the rejected one stay in the list; printing stays on only if any.
        ASSERT_EQ(d.count, static_cast<int>(c.kept.size())) << c.name;
        for (std::size_t k = 0; k < c.kept.size(); ++k) EXPECT_EQ(d.depth[k + 1], c.kept[k]) << c.name;
        EXPECT_EQ(d.enabled, !c.kept.empty()) << c.name;
    }
}

// ------------------------------------------------------------------ p-multiplier start depth

TEST_F(EchoLoadsTest, FirstPMultiplierDepthAboveGroundIsInputError21) {
    useUnits(kUSCS);
    run->model.soil.groundSurface = 5.0;
    run->model.pyModifiers.count = 2;
    run->model.pyModifiers.depth[1] = 2.5;
    run->model.pyModifiers.depth[2] = 20.0;
    checkPyModifierStart(*run);
    const std::string error =
        "**** Input Data Error No. 21 ****\n"
        "\n"
        "Problem:  The depth for the first data for p-multipliers is \n"
        "          located at   2.5000E+00 below the top of the pile.\n"
        "          The ground surface is located at   5.0000E+00.\n"
        "Solution:  Correct the input data so that the first depth for \n"
        "          the p-multiplier data is the same as the elevation as the \n"
        "          ground surface.\n";
    EXPECT_EQ(messages(), error);
    EXPECT_EQ(report(), error + prematureEnd("INP00021"));
    EXPECT_EQ(run->errorNumber, 121);
}

TEST_F(EchoLoadsTest, PMultiplierStartDepthsThatPass) {
    struct Case {
        const char* name;
        int count;
        double firstDepth;
        int analysisType;
    };
    const Case cases[] = {
        {"first depth at the ground surface", 1, 5.0, 3},
        {"first depth below the ground surface", 3, 7.5, 3},
        {"no multipliers", 0, 0.0, 3},
        {"section capacity run", 1, 0.0, 2},
    };
    for (const Case& c : cases) {
        start();
        useUnits(kSI);
        run->model.options.i_Analysis_Type = c.analysisType;
        run->model.soil.groundSurface = 5.0;
        run->model.pyModifiers.count = c.count;
        run->model.pyModifiers.depth[1] = c.firstDepth;
        checkPyModifierStart(*run);
        EXPECT_FALSE(run->failed()) << c.name;
        EXPECT_EQ(report(), "") << c.name;
        EXPECT_EQ(messages(), "") << c.name;
    }
}

}  // namespace
}  // namespace mervik
