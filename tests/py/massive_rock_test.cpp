// Massive rock (code 16): the layer is checked at its first node and the analysis ends with
// result 99 (no closing line, no load-case results); the layers above are evaluated once
// before; a layer wholly below the pile tip is never visited; the strength lookup of the check
// has its own error texts.
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "support/py_model_test.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

using testing::PyModelTest;

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// Soft clay 0-20 ft over massive rock 20-70 ft, a 60 ft pipe, one load case.
const std::string kClay = "1 0.0 20.0\n50.0 500.0 0.01\n50.0 700.0 0.01\n";
const std::string kRock = "16 20.0 70.0\n80.0 5000.0 1 60.0 0.0\n80.0 5000.0 1 60.0 0.0\n";

std::string withLayers(const std::string& layers) {
    std::string input = testing::fixture("massive_rock_below_clay.lp6");
    const std::size_t from = input.find(kClay);
    const std::size_t to = input.find("LOADING");
    input.replace(from, to - from, layers);
    return input;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(MassiveRock, ALayerHoldingNodesEndsTheAnalysisWithResult99) {
    const struct {
        const char* where;
        std::string layers;
    } cases[] = {
        {"below clay", kClay + kRock},
        {"at the top", "16 0.0 20.0\n80.0 5000.0 1 60.0 0.0\n80.0 5000.0 1 60.0 0.0\n"
                       "1 20.0 70.0\n50.0 500.0 0.01\n50.0 700.0 0.01\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        testing::TempDir dir;
        const testing::HostRun out = testing::runHost(dir, withLayers(c.layers));
        EXPECT_EQ(out.result, 99);
        // The section was analysed and load case 1 begun; nothing of the case was reported and
        // neither a closing error line nor the normal end was written.
        EXPECT_TRUE(contains(out.messages, "Computing lateral response of pile for load number 1"));
        for (const std::string* file : {&out.report, &out.messages}) {
            EXPECT_FALSE(contains(*file, "The analysis ended")) << *file;
            EXPECT_FALSE(contains(*file, "The convergence criteria have been met"));
            EXPECT_FALSE(contains(*file, "Error No."));
        }
        EXPECT_FALSE(contains(out.messages, "Iteration"));
        EXPECT_FALSE(contains(out.report, "Computed Values of Pile Loading and Deflection"));
        EXPECT_TRUE(contains(out.report, "Nominal Mom. Cap."));
    }
}

// The layers above the rock set their moduli once in the pass that reaches the rock: the clay
// nodes carry the soft clay modulus at zero deflection (its limiting modulus 1E6 with unit
// multipliers), the rock nodes keep the starting modulus 50000 of the node set-up.
TEST(MassiveRock, LayersAboveAreEvaluatedOnceBeforeTheEnd) {
    testing::TempDir dir;
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("input.lp6", withLayers(kClay + kRock));
    auto run = std::make_unique<mervik::Run>();
    ASSERT_EQ(testing::runInDir(dir, *run), 99);
    const PileNodes& n = run->nodes;
    ASSERT_GT(n.M, 2);
    int clayNodes = 0, rockNodes = 0;
    for (int k = 1; k <= n.M; ++k) {
        if (n.z[at(k)] < 240.0 - 1E-6) {
            ++clayNodes;
            EXPECT_DOUBLE_EQ(n.Es[at(k)], 1E6) << k;
        } else if (n.z[at(k)] > 240.0 + 1E-6) {
            ++rockNodes;
            EXPECT_DOUBLE_EQ(n.Es[at(k)], 50000.0) << k;
        }
    }
    EXPECT_GT(clayNodes, 0);
    EXPECT_GT(rockNodes, 0);
}

TEST(MassiveRock, ALayerBelowThePileTipIsNeverVisited) {
    // Clay to 65 ft under a 60 ft pile, rock below: the run ends normally.
    testing::TempDir dir;
    const testing::HostRun out = testing::runHost(
        dir, withLayers("1 0.0 65.0\n50.0 500.0 0.01\n50.0 800.0 0.01\n"
                        "16 65.0 70.0\n80.0 5000.0 1 60.0 0.0\n80.0 5000.0 1 60.0 0.0\n"));
    EXPECT_EQ(out.result, 0) << out.messages;
    EXPECT_TRUE(contains(out.report, "The analysis ended normally. "));
    EXPECT_TRUE(contains(out.report, "Computed Values of Pile Loading and Deflection"));
}

TEST(MassiveRock, ACapacityOnlyRunEvaluatesNoCurveAndEndsNormally) {
    std::string input = testing::fixture("minimal_ei_only.lp6");
    input.replace(input.find("AXIAL THRUST LOADS"), 0,
                  "SOIL LAYERS\n1\n16 0.0 50.0\n80.0 5000.0 1 60.0 0.0\n80.0 5000.0 1 60.0 0.0\n");
    testing::TempDir dir;
    const testing::HostRun out = testing::runHost(dir, input);
    EXPECT_EQ(out.result, 0) << out.messages;
    EXPECT_TRUE(contains(out.report, "The analysis ended normally. "));
}

// ---------------------------------------------------------------- the strength lookup

class RockStrengthLookupTest : public PyModelTest {
protected:
    void SetUp() override {
        PyModelTest::SetUp();
        units(kUSCS);
        // Clay 0-10 over massive rock 10-30 below the pile head, a 30-long pile.
        layer(1, kPySoftClay, 0.0, 10.0, 5.0);
        layer(2, kPyMassiveRock, 10.0, 30.0, 40.0);
        run->nodes.L = 30.0;
    }
    void layer(int L, int code, double top, double bottom, double c) {
        placeLayer(L, code, top, bottom).cohesion = {c, c};
    }
};

TEST_F(RockStrengthLookupTest, FollowsTheRulesOfTheShearStrengthLookup) {
    EXPECT_DOUBLE_EQ(fn_HB_qu_at_DepthX(*run, 5.0), 5.0);
    // Clay over rock at the interface: (2 cu + cl) / 2 = (10 + 40) / 2.
    EXPECT_DOUBLE_EQ(fn_HB_qu_at_DepthX(*run, 10.0), 25.0);
    EXPECT_TRUE(run->py.b_AtInterface);
    EXPECT_DOUBLE_EQ(fn_HB_qu_at_DepthX(*run, 30.0), 40.0);
    EXPECT_EQ(run->errorNumber, 0);
}

TEST_F(RockStrengthLookupTest, BelowTheProfileIsInputError5WithTheRockTextsOfEachFile) {
    EXPECT_DOUBLE_EQ(fn_HB_qu_at_DepthX(*run, 31.0), 0.0);
    EXPECT_EQ(run->errorNumber, inputError(5));
    run->report.close();
    run->messages.close();
    const std::string problem =
        "Problem:  The value for a pile station depth is   3.1000E+01 in \n"
        "This depth is below the deepest extent of the input curve for \n"
        "uniaxial compressive strength versus depth at     30.000 in \n\n";
    EXPECT_EQ(report(),
              "**** Input Data Error No. 5 ****\n\n"
              "An error was detected that is related to an incompatibility between \n"
              "the input data defining pile embedment depth and values of uniaxial \n"
              "compressive strength of rock versus depth.\n\n" +
                  problem +
                  "Solution:  Please revise the input data by either extending the \n"
                  "maximum depth for uniaxial compressive strength or shorten the \n"
                  "pile to be entirely within the defined soil layers.\n\n"
                  "\n\nMervik ended prematurely due to input error number INP00005\n");
    EXPECT_EQ(messages(),
              "**** Input Data Error No. 5 ****\n\n"
              "An error was detected that is related to an incompatibility \n"
              "between the input data defining pile embedment depth and rock \n"
              "uniaxial compressive strength values versus depth.\n\n" +
                  problem +
                  "Solution:  Please revise the input data by either extending \n"
                  "the maximum depth for uniaxial compressive strength or shorten the \n"
                  "pile to be entirely within the defined soil layers.\n\n");
}

TEST_F(RockStrengthLookupTest, UnknownPairOfClassesIsRuntimeError30WithTheRockDepthLabel) {
    run->model.soil.layer[1].modelCode = kPySand;
    run->model.soil.layer[2].modelCode = kPyApiSand;
    EXPECT_DOUBLE_EQ(fn_HB_qu_at_DepthX(*run, 10.0), 0.0);
    EXPECT_EQ(run->errorNumber, runtimeError(30));
    run->report.close();
    EXPECT_TRUE(contains(report(), "\n X value for f(qu) = 10"));
    EXPECT_TRUE(contains(report(), "fn_HB_qu_at_DepthX"));
    EXPECT_FALSE(contains(report(), "f(c)"));
}

TEST_F(RockStrengthLookupTest, InterfaceWithoutAMatchingLayerPairNamesTheRockFlags) {
    run->model.soil.layer[1].depthBottom = 9.0;  // the property points still say 10
    EXPECT_DOUBLE_EQ(fn_HB_qu_at_DepthX(*run, 10.0), 0.0);
    EXPECT_EQ(run->errorNumber, kInternalError);
    run->report.close();
    EXPECT_TRUE(contains(report(),
                         " b_XElevAtLayerInterface         = T\n"
                         " b_XElevInPileMiddle            = F\n"
                         " b_XElevAtPileTip               = F\n"
                         " b_AtNode              = T\n"));
}

}  // namespace
}  // namespace mervik
