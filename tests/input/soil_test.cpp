// The SOIL LAYERS block: the property lines of every p-y model, the derived profile values,
// the capacity and model-code errors, and the rock type table of the massive rock model.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "input/reader.hpp"
#include "input/soil.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

class SoilLayersTest : public testing::MemoryRunTest {
protected:
    void SetUp() override {
        start();
        run->model.options.IUNITS = kUSCS;
    }

    // Reads the block from `text` (the lines after the header) into the model.
    void read(const std::string& text) {
        setInput(text);
        readSoilLayers(*run);
    }

    // The next line of the input after the block: shows where the reader stopped.
    std::string nextLine() {
        std::string line;
        return run->input.nextLine(line) ? line : std::string("<end of file>");
    }

    const SoilLayer& layer(int i) const { return run->model.soil.layer[static_cast<std::size_t>(i)]; }
};

// One layer of every model (Frz Soil in the middle, so that the layer after it shows it took
// no property lines), US customary units. Layer 1 begins 2.5 ft below the pile head.
const std::string kAllModels = R"(17
1  2.5  5.0
50.0  400.0  0.02
52.0, 450.0, 0.01
2  5.0  8.0
60.0  1000.0  0.005  500.0
62.0  1200.0  0.004  600.0
3  8.0  10.0
63.0  1500.0  0.006
64.0  1600.0  0.0
4  10.0  12.0
65.0  2000.0  0.004  1000.0
66.0  2100.0  0.0035  1100.0
5  12.0  15.0
55.0  30.0  25.0
56.0  32.0  90.0
6  15.0  18.0
57.0  34.0  125.0
58.0  35.0  0.0
7  18.0  20.0
45.0
46.0
17  20.0  22.0
8  22.0  25.0
70.0  500.0  7500.0  50.0  0.0005
71.0  600.0  8000.0  60.0  0.0001
9  25.0  30.0
75.0  3000.0
76.0  3500.0
10  30.0  35.0
72.0  2  15.0  120.0  2500.0  1800.0
73.0  2  18.0  140.0  2600.0  1900.0
11  35.0  40.0
67.0  300.0  28.0  0.007  200.0
68.0  350.0  29.0  0.006  220.0
12  40.0  45.0
59.0  30.0
60.0  35.0
13  45.0  50.0
80.0  5000.0
81.0  6000.0
14  50.0  55.0
61.0  3
0.0  0.0
0.1  50.0
0.5  120.0
62.0  4
0.0  0.0
0.2  60.0
0.6  150.0
1.0  160.0
15  55.0  60.0
48.0  300.0  0.02  0.25
49.0  320.0  0.015  0.5
16  60.0  70.0
150.0  5000.0  43  60.0  1.5
151.0  5500.0  71  65.0  2.5
END
)";

TEST_F(SoilLayersTest, EveryModelTakesItsLayerLineAndPropertyLines) {
    read(kAllModels);
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(nextLine(), "END");  // every layer took exactly its own lines
    EXPECT_EQ(messages(), "Reading soil layering data\n");

    struct Expected {
        int code;
        double top, bottom;
    };
    const std::vector<Expected> expected = {
        {1, 2.5, 5.0},   {2, 5.0, 8.0},   {3, 8.0, 10.0},  {4, 10.0, 12.0}, {5, 12.0, 15.0},  {6, 15.0, 18.0},
        {7, 18.0, 20.0}, {17, 20.0, 22.0}, {8, 22.0, 25.0}, {9, 25.0, 30.0}, {10, 30.0, 35.0}, {11, 35.0, 40.0},
        {12, 40.0, 45.0}, {13, 45.0, 50.0}, {14, 50.0, 55.0}, {15, 55.0, 60.0}, {16, 60.0, 70.0},
    };
    const SoilProfile& soil = run->model.soil;
    ASSERT_EQ(soil.layerCount, 17);
    EXPECT_EQ(soil.propertyPointCount, 34);
    EXPECT_EQ(soil.groundSurface, 2.5);
    for (int i = 1; i <= 17; ++i) {
        const Expected& e = expected[static_cast<std::size_t>(i - 1)];
        SCOPED_TRACE("layer " + std::to_string(i));
        EXPECT_EQ(layer(i).modelCode, e.code);
        EXPECT_EQ(layer(i).depthTop, e.top);
        EXPECT_EQ(layer(i).depthBottom, e.bottom);
        EXPECT_EQ(soil.propertyDepth[static_cast<std::size_t>(2 * i - 1)], e.top);
        EXPECT_EQ(soil.propertyDepth[static_cast<std::size_t>(2 * i)], e.bottom);
    }

    // 1 SoftClay: unit weight, c, eps50 (the bottom line separated by commas).
    EXPECT_EQ(layer(1).gamma.top, 50.0);
    EXPECT_EQ(layer(1).gamma.bottom, 52.0);
    EXPECT_EQ(layer(1).cohesion.top, 400.0);
    EXPECT_EQ(layer(1).cohesion.bottom, 450.0);
    EXPECT_EQ(layer(1).eps50.top, 0.02);
    EXPECT_EQ(layer(1).eps50.bottom, 0.01);
    EXPECT_EQ(layer(1).kpy.top, 0.0);

    // 2 StfClyBW: unit weight, c, eps50, k.
    EXPECT_EQ(layer(2).gamma.top, 60.0);
    EXPECT_EQ(layer(2).cohesion.top, 1000.0);
    EXPECT_EQ(layer(2).eps50.top, 0.005);
    EXPECT_EQ(layer(2).kpy.top, 500.0);
    EXPECT_EQ(layer(2).gamma.bottom, 62.0);
    EXPECT_EQ(layer(2).cohesion.bottom, 1200.0);
    EXPECT_EQ(layer(2).eps50.bottom, 0.004);
    EXPECT_EQ(layer(2).kpy.bottom, 600.0);

    // 3 StfClyAW: unit weight, c, eps50 (no k).
    EXPECT_EQ(layer(3).gamma.top, 63.0);
    EXPECT_EQ(layer(3).cohesion.top, 1500.0);
    EXPECT_EQ(layer(3).eps50.top, 0.006);
    EXPECT_EQ(layer(3).gamma.bottom, 64.0);
    EXPECT_EQ(layer(3).cohesion.bottom, 1600.0);
    EXPECT_EQ(layer(3).eps50.bottom, 0.0);
    EXPECT_EQ(layer(3).kpy.top, 0.0);

    // 4 StfClyAK: unit weight, c, eps50, k.
    EXPECT_EQ(layer(4).gamma.top, 65.0);
    EXPECT_EQ(layer(4).cohesion.top, 2000.0);
    EXPECT_EQ(layer(4).eps50.top, 0.004);
    EXPECT_EQ(layer(4).kpy.top, 1000.0);
    EXPECT_EQ(layer(4).gamma.bottom, 66.0);
    EXPECT_EQ(layer(4).cohesion.bottom, 2100.0);
    EXPECT_EQ(layer(4).eps50.bottom, 0.0035);
    EXPECT_EQ(layer(4).kpy.bottom, 1100.0);

    // 5 Sand and 6 API Sand: unit weight, phi, k.
    EXPECT_EQ(layer(5).gamma.top, 55.0);
    EXPECT_EQ(layer(5).phi.top, 30.0);
    EXPECT_EQ(layer(5).kpy.top, 25.0);
    EXPECT_EQ(layer(5).gamma.bottom, 56.0);
    EXPECT_EQ(layer(5).phi.bottom, 32.0);
    EXPECT_EQ(layer(5).kpy.bottom, 90.0);
    EXPECT_EQ(layer(5).cohesion.top, 0.0);
    EXPECT_EQ(layer(6).gamma.top, 57.0);
    EXPECT_EQ(layer(6).phi.top, 34.0);
    EXPECT_EQ(layer(6).kpy.top, 125.0);
    EXPECT_EQ(layer(6).gamma.bottom, 58.0);
    EXPECT_EQ(layer(6).phi.bottom, 35.0);
    EXPECT_EQ(layer(6).kpy.bottom, 0.0);

    // 7 Liq Sand: one unit weight per line.
    EXPECT_EQ(layer(7).gamma.top, 45.0);
    EXPECT_EQ(layer(7).gamma.bottom, 46.0);

    // 17 Frz Soil: no properties.
    EXPECT_EQ(layer(8).gamma.top, 0.0);
    EXPECT_EQ(layer(8).gamma.bottom, 0.0);

    // 8 WeakRock: unit weight, qu (in cohesion), initial rock modulus (in kpy), RQD, krm (in eps50).
    EXPECT_EQ(layer(9).gamma.top, 70.0);
    EXPECT_EQ(layer(9).cohesion.top, 500.0);
    EXPECT_EQ(layer(9).kpy.top, 7500.0);
    EXPECT_EQ(layer(9).rqd.top, 50.0);
    EXPECT_EQ(layer(9).eps50.top, 0.0005);
    EXPECT_EQ(layer(9).gamma.bottom, 71.0);
    EXPECT_EQ(layer(9).cohesion.bottom, 600.0);
    EXPECT_EQ(layer(9).kpy.bottom, 8000.0);
    EXPECT_EQ(layer(9).rqd.bottom, 60.0);
    EXPECT_EQ(layer(9).eps50.bottom, 0.0001);

    // 9 Vuggy LS: unit weight, qu (in cohesion).
    EXPECT_EQ(layer(10).gamma.top, 75.0);
    EXPECT_EQ(layer(10).cohesion.top, 3000.0);
    EXPECT_EQ(layer(10).gamma.bottom, 76.0);
    EXPECT_EQ(layer(10).cohesion.bottom, 3500.0);

    // 10 Piedmont, test type 2 (CPT): all four test values are read all the same.
    EXPECT_EQ(layer(11).gamma.top, 72.0);
    EXPECT_EQ(layer(11).testType.top, kPiedmontCpt);
    EXPECT_EQ(layer(11).sptN60.top, 15.0);
    EXPECT_EQ(layer(11).coneTip.top, 120.0);
    EXPECT_EQ(layer(11).dmtModulus.top, 2500.0);
    EXPECT_EQ(layer(11).pmtModulus.top, 1800.0);
    EXPECT_EQ(layer(11).gamma.bottom, 73.0);
    EXPECT_EQ(layer(11).testType.bottom, kPiedmontCpt);
    EXPECT_EQ(layer(11).sptN60.bottom, 18.0);
    EXPECT_EQ(layer(11).coneTip.bottom, 140.0);
    EXPECT_EQ(layer(11).dmtModulus.bottom, 2600.0);
    EXPECT_EQ(layer(11).pmtModulus.bottom, 1900.0);

    // 11 Cem Silt: unit weight, c, phi, eps50, k.
    EXPECT_EQ(layer(12).gamma.top, 67.0);
    EXPECT_EQ(layer(12).cohesion.top, 300.0);
    EXPECT_EQ(layer(12).phi.top, 28.0);
    EXPECT_EQ(layer(12).eps50.top, 0.007);
    EXPECT_EQ(layer(12).kpy.top, 200.0);
    EXPECT_EQ(layer(12).gamma.bottom, 68.0);
    EXPECT_EQ(layer(12).cohesion.bottom, 350.0);
    EXPECT_EQ(layer(12).phi.bottom, 29.0);
    EXPECT_EQ(layer(12).eps50.bottom, 0.006);
    EXPECT_EQ(layer(12).kpy.bottom, 220.0);

    // 12 KS Loess: unit weight, qc.
    EXPECT_EQ(layer(13).gamma.top, 59.0);
    EXPECT_EQ(layer(13).coneTip.top, 30.0);
    EXPECT_EQ(layer(13).gamma.bottom, 60.0);
    EXPECT_EQ(layer(13).coneTip.bottom, 35.0);

    // 13 Elast SG: unit weight, elastic subgrade modulus.
    EXPECT_EQ(layer(14).gamma.top, 80.0);
    EXPECT_EQ(layer(14).elasticSubgrade.top, 5000.0);
    EXPECT_EQ(layer(14).gamma.bottom, 81.0);
    EXPECT_EQ(layer(14).elasticSubgrade.bottom, 6000.0);

    // 14 User p-y, NT = 3 and NB = 4: 1 + 3 + 1 + 4 lines; curve depths are the layer's.
    const SoilLayer& user = layer(15);
    EXPECT_EQ(user.gamma.top, 61.0);
    EXPECT_EQ(user.gamma.bottom, 62.0);
    EXPECT_EQ(user.userCurveTop.depth, 50.0);
    ASSERT_EQ(user.userCurveTop.count, 3);
    EXPECT_EQ(user.userCurveTop.y[1], 0.0);
    EXPECT_EQ(user.userCurveTop.p[1], 0.0);
    EXPECT_EQ(user.userCurveTop.y[2], 0.1);
    EXPECT_EQ(user.userCurveTop.p[2], 50.0);
    EXPECT_EQ(user.userCurveTop.y[3], 0.5);
    EXPECT_EQ(user.userCurveTop.p[3], 120.0);
    EXPECT_EQ(user.userCurveBottom.depth, 55.0);
    ASSERT_EQ(user.userCurveBottom.count, 4);
    EXPECT_EQ(user.userCurveBottom.y[2], 0.2);
    EXPECT_EQ(user.userCurveBottom.p[2], 60.0);
    EXPECT_EQ(user.userCurveBottom.y[3], 0.6);
    EXPECT_EQ(user.userCurveBottom.p[3], 150.0);
    EXPECT_EQ(user.userCurveBottom.y[4], 1.0);
    EXPECT_EQ(user.userCurveBottom.p[4], 160.0);

    // 15 SoftClyJ: unit weight, c, eps50, J.
    EXPECT_EQ(layer(16).gamma.top, 48.0);
    EXPECT_EQ(layer(16).cohesion.top, 300.0);
    EXPECT_EQ(layer(16).eps50.top, 0.02);
    EXPECT_EQ(layer(16).jFactor.top, 0.25);
    EXPECT_EQ(layer(16).gamma.bottom, 49.0);
    EXPECT_EQ(layer(16).cohesion.bottom, 320.0);
    EXPECT_EQ(layer(16).eps50.bottom, 0.015);
    EXPECT_EQ(layer(16).jFactor.bottom, 0.5);

    // 16 MassRock: unit weight, qu, rock type, GSI, fourth value; mi is left to the echo.
    const SoilLayer& rock = layer(17);
    EXPECT_EQ(rock.gamma.top, 150.0);
    EXPECT_EQ(rock.rockQu.top, 5000.0);
    EXPECT_EQ(rock.rockType.top, 43);
    EXPECT_EQ(rock.gsi.top, 60.0);
    EXPECT_EQ(rock.massRockValue4.top, 1.5);
    EXPECT_EQ(rock.gamma.bottom, 151.0);
    EXPECT_EQ(rock.rockQu.bottom, 5500.0);
    EXPECT_EQ(rock.rockType.bottom, 71);
    EXPECT_EQ(rock.gsi.bottom, 65.0);
    EXPECT_EQ(rock.massRockValue4.bottom, 2.5);
    EXPECT_EQ(rock.cohesion.top, 0.0);
    EXPECT_EQ(rock.hoekBrownMi, 0.0);
    EXPECT_EQ(hoekBrownMiForRockType(rock.rockType.top), 4.0);
    EXPECT_EQ(hoekBrownMiForRockType(rock.rockType.bottom), 32.0);
}

TEST_F(SoilLayersTest, LayerCountZeroGivesAnEmptyProfile) {
    read("0\nEND\n");
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(nextLine(), "END");
    EXPECT_EQ(run->model.soil.layerCount, 0);
    EXPECT_EQ(run->model.soil.propertyPointCount, 0);
    EXPECT_EQ(run->model.soil.groundSurface, 0.0);
    EXPECT_EQ(messages(), "Reading soil layering data\n");
}

// A second block replaces the count and the layers it reaches; a layer read again keeps nothing
// of its previous model.
TEST_F(SoilLayersTest, SecondBlockReplacesTheLayersItReaches) {
    read("2\n1 0.0 10.0\n50 400 0.02\n50 400 0.02\n5 10.0 30.0\n55 30 25\n56 32 90\n");
    ASSERT_FALSE(run->failed());
    read("1\n6 1.5 12.0\n57 34 125\n58 35 130\n");
    ASSERT_FALSE(run->failed());
    const SoilProfile& soil = run->model.soil;
    EXPECT_EQ(soil.layerCount, 1);
    EXPECT_EQ(soil.propertyPointCount, 2);
    EXPECT_EQ(soil.groundSurface, 1.5);
    EXPECT_EQ(layer(1).modelCode, kPyApiSand);
    EXPECT_EQ(layer(1).phi.top, 34.0);
    EXPECT_EQ(layer(1).cohesion.top, 0.0);
    EXPECT_EQ(layer(1).eps50.bottom, 0.0);
    EXPECT_EQ(layer(2).modelCode, kPySand);  // beyond the new count, left as it was
}

// Layer lines of Frz Soil need no property lines, which makes long profiles easy to write.
std::string frozenLayers(int count) {
    std::string text = std::to_string(count) + "\n";
    for (int i = 1; i <= count; ++i) text += "17 " + std::to_string(i - 1) + ".0 " + std::to_string(i) + ".0\n";
    return text + "END\n";
}

// A user p-y layer whose top curve has `points` points (and a two-point bottom curve).
std::string userCurveLayer(int points) {
    std::string text = "1\n14 0.0 10.0\n60.0 " + std::to_string(points) + "\n";
    for (int j = 1; j <= points; ++j) text += std::to_string(0.1 * (j - 1)) + " " + std::to_string(10 * (j - 1)) + "\n";
    return text + "61.0 2\n0.0 0.0\n1.0 100.0\nEND\n";
}

TEST_F(SoilLayersTest, FortyLayersFillTheTable) {
    read(frozenLayers(40));
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(nextLine(), "END");
    EXPECT_EQ(run->model.soil.layerCount, 40);
    EXPECT_EQ(run->model.soil.propertyPointCount, 80);
    EXPECT_EQ(run->model.soil.propertyDepth[79], 39.0);
    EXPECT_EQ(run->model.soil.propertyDepth[80], 40.0);
}

TEST_F(SoilLayersTest, ThirtyPointsFillAUserCurve) {
    read(userCurveLayer(30));
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(nextLine(), "END");
    ASSERT_EQ(layer(1).userCurveTop.count, 30);
    EXPECT_EQ(layer(1).userCurveTop.p[30], 290.0);
    EXPECT_EQ(layer(1).userCurveBottom.count, 2);
    EXPECT_EQ(layer(1).userCurveBottom.p[2], 100.0);
}

TEST_F(SoilLayersTest, CountsBeyondTheTablesAreCapacityErrors) {
    struct Case {
        const char* what;
        std::string text;
        int count, capacity;
    };
    const std::vector<Case> cases = {
        {"soil layers", frozenLayers(41), 41, 40},
        {"points of a user-input p-y curve", userCurveLayer(31), 31, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        read(c.text);
        EXPECT_EQ(run->errorNumber, inputError(kErrCapacity));
        // Nothing is stored past the count line: no layer, no curve point.
        EXPECT_EQ(run->model.soil.layerCount, 0);
        EXPECT_EQ(layer(1).userCurveTop.count, 0);
        const std::string text = messages();
        EXPECT_NE(text.find("**** Input Data Error No. 92 ****"), std::string::npos) << text;
        EXPECT_NE(text.find("The number of " + std::string(c.what) + " given in the SOIL LAYERS section is " +
                            std::to_string(c.count)),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find("more than the " + std::to_string(c.capacity) + " this program can hold"),
                  std::string::npos)
            << text;
    }
}

TEST_F(SoilLayersTest, ModelCodeOutsideOneToSeventeenIsAnInputError) {
    for (int code : {0, 18, 20, -3}) {
        SCOPED_TRACE("code " + std::to_string(code));
        SetUp();
        // The bad layer is the second; its would-be property line must not be read.
        read("2\n1 0.0 10.0\n50 400 0.02\n50 400 0.02\n" + std::to_string(code) +
             " 10.0 20.0\n55 30 25\nEND\n");
        EXPECT_EQ(run->errorNumber, 193);
        EXPECT_EQ(nextLine(), "55 30 25");
        const std::string block = "**** Input Data Error No. 93 ****\n\nProblem:  Soil layer 2 has the p-y model code " +
                                  std::to_string(code) +
                                  ", which is not one of the codes 1 to 17.\n"
                                  "Solution:  Correct the model code of the layer.\n";
        EXPECT_EQ(messages(), "Reading soil layering data\n" + block);
        const std::string written = report();
        EXPECT_EQ(written.substr(0, block.size()), block);
        EXPECT_NE(written.find("Mervik ended prematurely due to input error number INP00093"), std::string::npos);
    }
}

TEST(RockTypeTable, GroupsNamesAndHoekBrownConstants) {
    struct Case {
        int code;
        const char* group;
        const char* name;
        double mi;
    };
    const std::vector<Case> cases = {
        {1, "sedimentary", "anhydrite", 12},     {4, "sedimentary", "claystones", 4},
        {13, "sedimentary", "crystalline limestones", 12}, {15, "sedimentary", "sparitic limestones", 10},
        {16, "metamorphic", "amphibolites", 26}, {21, "metamorphic", "migmatite", 29},
        {25, "metamorphic", "slates", 7},        {26, "igneous", "agglomerate", 19},
        {35, "igneous", "granite", 32},          {39, "igneous", "perioditite", 25},
        {42, "igneous", "tuff", 13},             {43, "unclassified", "User-defined", 4},
        {57, "unclassified", "User-defined", 18}, {71, "unclassified", "User-defined", 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("rock type " + std::to_string(c.code));
        const auto rock = rockTypeOf(c.code);
        ASSERT_TRUE(rock.has_value());
        EXPECT_EQ(rock->group, c.group);
        EXPECT_EQ(rock->name, c.name);
        EXPECT_EQ(rock->mi, c.mi);
        EXPECT_EQ(hoekBrownMiForRockType(c.code), c.mi);
    }
    for (int code : {0, -1, 72}) {
        EXPECT_FALSE(rockTypeOf(code).has_value()) << code;
        EXPECT_FALSE(hoekBrownMiForRockType(code).has_value()) << code;
    }
}

}  // namespace
}  // namespace mervik
