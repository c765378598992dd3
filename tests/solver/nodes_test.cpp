// Node set-up of the lateral analysis: node depths, tributary distributed loads, rigidities
// from the property points and from the moment-curvature relations, sections, starting soil
// moduli, the two layer assignments with their diagnostic, and runtime error 29. Every expected
// value is worked out by hand in the comments.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "engine/run.hpp"
#include "solver/pile.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

constexpr double kDegree = 3.141592653589793 / 180.0;
std::size_t at(int k) { return static_cast<std::size_t>(k); }

class PileNodeSetup : public testing::MemoryRunTest {
protected:
    void SetUp() override {
        MemoryRunTest::SetUp();
        useGeneralUnits();
    }
    // A fresh run for each case of a table.
    void fresh() {
        start();
        useGeneralUnits();
    }
    void useGeneralUnits() {
        run->model.options.IUNITS = kGeneral;
        run->units = makeUnitLabels(kGeneral);
    }
    // A pile of one elastic section of length L with N increments; EI = 1e6 everywhere.
    void pile(double L, int N) {
        run->model.options.pileIncrements = N;
        PileSections& piles = run->model.sections;
        piles.count = 1;
        piles.pileLength = L;
        PileSection& s = piles.section[1];
        s.sectionType = kElasticPile;
        s.sectionLength = L;
        s.topDepthX = 0.0;
        s.bottomDepthX = L;
        piles.propertyPointCount = 2;
        piles.point[1] = {0.0, 12.0, 0.0, 1.0, 1.0e6};
        piles.point[2] = {L, 12.0, 0.0, 1.0, 1.0e6};
    }
    // Contiguous layers given by their (top, bottom); the ground surface is the first top.
    void layers(const std::vector<std::pair<double, double>>& tops) {
        SoilProfile& soil = run->model.soil;
        soil.layerCount = 0;
        for (const auto& [top, bottom] : tops) {
            SoilLayer& layer = soil.layer[at(++soil.layerCount)];
            layer.modelCode = kPyElasticSubgrade;
            layer.depthTop = top;
            layer.depthBottom = bottom;
        }
        soil.groundSurface = soil.layer[1].depthTop;
    }
    void distributed(const std::vector<std::pair<double, double>>& points) {
        DistributedLoad& table = run->model.loading.distributed;
        table.count = 0;
        for (const auto& [depth, load] : points) {
            ++table.count;
            table.depth[at(table.count)] = depth;
            table.load[at(table.count)] = load;
        }
    }
    void loadCase(double axialThrust) {
        run->model.loading.loadCaseCount = 1;
        run->model.loading.loadCase[1].axialThrust = axialThrust;
    }
    PileNodes& nodes() { return run->nodes; }
    int first(int i) { return run->nodes.firstNode[at(i)]; }
    int last(int i) { return run->nodes.i_BottomNodeInLayer[at(i)]; }
};

// ------------------------------------------------------------------------------ node depths

TEST_F(PileNodeSetup, HundredIncrementsOfAHundredLongPileAreUnitSteps) {
    pile(100.0, 100);
    layers({{0.0, 200.0}});
    run->model.slope.pileBatter = 10.0 * kDegree;
    setupRunNodes(*run);
    EXPECT_EQ(nodes().M, 101);
    EXPECT_EQ(nodes().h, 1.0);
    EXPECT_EQ(nodes().x[37], 36.0);

    setupLoadCaseNodes(*run, 1);
    EXPECT_EQ(nodes().M, 101);
    EXPECT_EQ(nodes().h, 1.0);
    EXPECT_EQ(nodes().x[101], 100.0);
    EXPECT_DOUBLE_EQ(nodes().z[101], 100.0 * std::cos(10.0 * kDegree));
    EXPECT_DOUBLE_EQ(nodes().z[51], 50.0 * std::cos(10.0 * kDegree));
}

TEST_F(PileNodeSetup, TipNodeLiesAtThePileLengthExactly) {
    // 44 · (100/44) rounds to 100.00000000000001; the tip is set to 100 all the same.
    ASSERT_NE(44 * (100.0 / 44), 100.0);
    pile(100.0, 44);
    layers({{0.0, 200.0}});
    setupRunNodes(*run);
    EXPECT_EQ(nodes().M, 45);
    EXPECT_EQ(nodes().x[45], 100.0);
    setupLoadCaseNodes(*run, 1);
    EXPECT_EQ(nodes().x[45], 100.0);
    EXPECT_EQ(nodes().x[44], 43 * (100.0 / 44));
}

// ------------------------------------------------------------------------- distributed loads

TEST_F(PileNodeSetup, TributaryMeanOfTheDistributedLoad) {
    // L = 10, N = 10: h = 1, node k at x = k - 1. The head node covers [0, 0.5] and the tip
    // node [9.5, 10], each divided by h/2; an interior node covers [x - 0.5, x + 0.5].
    struct Case {
        const char* what;
        std::vector<std::pair<double, double>> table;
        int node;
        double q;
    };
    const Case cases[] = {
        // Uniform 5 over the whole pile: 5 at every node, head and tip included.
        {"uniform, head", {{0.0, 5.0}, {10.0, 5.0}}, 1, 5.0},
        {"uniform, interior", {{0.0, 5.0}, {10.0, 5.0}}, 6, 5.0},
        {"uniform, tip", {{0.0, 5.0}, {10.0, 5.0}}, 11, 5.0},
        // Uniform 5 from 2.2 to 6: node 3 (x = 2) gets 5·0.3/1, node 7 (x = 6) 5·0.5/1,
        // node 5 all of it, node 2 (tributary [0.5, 1.5]) nothing.
        {"partial, cut at the table top", {{2.2, 5.0}, {6.0, 5.0}}, 3, 1.5},
        {"partial, cut at the table bottom", {{2.2, 5.0}, {6.0, 5.0}}, 7, 2.5},
        {"partial, covered", {{2.2, 5.0}, {6.0, 5.0}}, 5, 5.0},
        {"partial, outside", {{2.2, 5.0}, {6.0, 5.0}}, 2, 0.0},
        // Triangle w = x: head (0 + 0.5)/2·0.5/0.5 = 0.25; node 4 (x = 3) gets 3;
        // tip (9.5 + 10)/2·0.5/0.5 = 9.75.
        {"triangle, head", {{0.0, 0.0}, {10.0, 10.0}}, 1, 0.25},
        {"triangle, interior", {{0.0, 0.0}, {10.0, 10.0}}, 4, 3.0},
        {"triangle, tip", {{0.0, 0.0}, {10.0, 10.0}}, 11, 9.75},
        // A table reaching below the tip counts only down to L: w = x up to 20 at the tip node,
        // again (9.5 + 10)/2·0.5/0.5.
        {"table below the tip", {{0.0, 0.0}, {20.0, 20.0}}, 11, 9.75},
        // Peak 8 at 3.2 inside the tributary [2.5, 3.5] of node 4: w(2.5) = 6.25,
        // w(3.5) = 8 - 8·0.3/6.8; (6.25 + 8)/2·0.7 + (8 + w(3.5))/2·0.3.
        {"peak inside the tributary length", {{0.0, 0.0}, {3.2, 8.0}, {10.0, 0.0}}, 4,
         (6.25 + 8.0) / 2.0 * 0.7 + (8.0 + (8.0 - 8.0 * 0.3 / 6.8)) / 2.0 * 0.3},
        // A single point is no table.
        {"one point", {{5.0, 7.0}}, 6, 0.0},
    };
    for (const Case& c : cases) {
        fresh();
        pile(10.0, 10);
        layers({{0.0, 20.0}});
        distributed(c.table);
        setupLoadCaseNodes(*run, 1);
        EXPECT_NEAR(nodes().q[at(c.node)], c.q, 1e-12) << c.what;
    }
}

// The solver's soil-movement load term starts every case as the distributed load: a triangle
// w = x gives 3 at node 4 and 9.75 at the tip (as above), and nothing of an earlier value stays.
TEST_F(PileNodeSetup, SoilMovementLoadTermStartsAsTheDistributedLoad) {
    pile(10.0, 10);
    layers({{0.0, 20.0}});
    distributed({{0.0, 0.0}, {10.0, 10.0}});
    nodes().Q.fill(-99.0);
    setupLoadCaseNodes(*run, 1);
    EXPECT_NEAR(nodes().Q[4], 3.0, 1e-12);
    EXPECT_NEAR(nodes().Q[11], 9.75, 1e-12);
    for (int k = 1; k <= nodes().M; ++k) EXPECT_EQ(nodes().Q[at(k)], nodes().q[at(k)]) << "node " << k;
}

// ------------------------------------------------------------------- rigidities and sections

class TwoSectionPile : public PileNodeSetup {
protected:
    // L = 100, N = 100. Section 1: steel pipe 0 to 40, E = 29e6, I = 1000, diameter 24.
    // Section 2 from 40 to 100, of the type given; its points carry diameters 30 and 36 and,
    // for an elastic section, E = 3e6 with I = 2000 at the top and 4000 at the bottom.
    void sections(int secondType) {
        pile(100.0, 100);
        PileSections& piles = run->model.sections;
        piles.count = 2;
        piles.section[1] = PileSection{};
        piles.section[1].sectionType = kSteelPipePile;
        piles.section[1].topDepthX = 0.0;
        piles.section[1].bottomDepthX = 40.0;
        piles.section[2].sectionType = secondType;
        piles.section[2].topDepthX = 40.0;
        piles.section[2].bottomDepthX = 100.0;
        piles.propertyPointCount = 4;
        piles.point[1] = {0.0, 24.0, 0.0, 1000.0, 29.0e6};
        piles.point[2] = {40.0, 24.0, 0.0, 1000.0, 29.0e6};
        const bool elastic = secondType == kElasticPile;
        piles.point[3] = {40.0, 30.0, 0.0, elastic ? 2000.0 : 0.0, elastic ? 3.0e6 : 0.0};
        piles.point[4] = {100.0, 36.0, 0.0, elastic ? 4000.0 : 0.0, elastic ? 3.0e6 : 0.0};
        layers({{0.0, 200.0}});
    }
};

TEST_F(TwoSectionPile, PropertyLookupInterpolatesBetweenPointsAndTakesTheUpperSectionAtABoundary) {
    sections(kElasticPile);
    // E·I: 29e9 in section 1; 6e9 at 40+ and 12e9 at 100 in section 2, so 9e9 at 70.
    EXPECT_EQ(flexuralRigidityAt(*run, 0.0), 29.0e9);
    EXPECT_EQ(flexuralRigidityAt(*run, 20.0), 29.0e9);
    EXPECT_EQ(flexuralRigidityAt(*run, 40.0), 29.0e9);
    EXPECT_DOUBLE_EQ(flexuralRigidityAt(*run, 70.0), 9.0e9);
    EXPECT_DOUBLE_EQ(flexuralRigidityAt(*run, 55.0), 7.5e9);
    EXPECT_EQ(flexuralRigidityAt(*run, 100.0), 12.0e9);
    EXPECT_EQ(pileWidthAt(*run, 40.0), 24.0);
    EXPECT_DOUBLE_EQ(pileWidthAt(*run, 70.0), 33.0);
    EXPECT_EQ(pileWidthAt(*run, 100.0), 36.0);
}

TEST_F(PileNodeSetup, PropertyLookupGivesTheTabulatedValueAtAPointExactly) {
    // Interpolating to the end of the interval, 24.1 + (0.3 - 24.1)·1, would round to
    // 0.3000000000000007.
    pile(10.0, 10);
    run->model.sections.point[1].diameter = 24.1;
    run->model.sections.point[2].diameter = 0.3;
    EXPECT_EQ(pileWidthAt(*run, 10.0), 0.3);
    EXPECT_EQ(pileWidthAt(*run, 0.0), 24.1);
    EXPECT_DOUBLE_EQ(pileWidthAt(*run, 5.0), 12.2);
}

TEST_F(TwoSectionPile, NodesTakeTheirSectionAndItsElasticRigidity) {
    sections(kElasticPile);
    setupLoadCaseNodes(*run, 1);
    // top < x <= bottom: the node at 40 (node 41) is the last of section 1.
    EXPECT_EQ(nodes().section[1], 1);
    EXPECT_EQ(nodes().section[41], 1);
    EXPECT_EQ(nodes().section[42], 2);
    EXPECT_EQ(nodes().section[101], 2);
    EXPECT_EQ(nodes().EI[41], 29.0e9);
    EXPECT_DOUBLE_EQ(nodes().EI[71], 9.0e9);
    EXPECT_EQ(nodes().EI[101], 12.0e9);
}

TEST_F(TwoSectionPile, ConcreteSectionStartsFromTheInitialRigidityOfItsRelation) {
    // Thrusts 100 and 300 kips; initial EI of section 2: 5e6 and 7e6 kip-in^2. In US units the
    // case thrust is in pounds and the nodal EI in lb-in^2.
    struct Case {
        double thrustPounds;
        double EI;
    };
    // 200 kips: 7e6 - 2e6·(300 - 200)/(300 - 100) = 6e6; 50 kips (below the first thrust):
    // 5e6; 400 kips (above the last): 7e6; all times 1000.
    const Case cases[] = {{200000.0, 6.0e9}, {50000.0, 5.0e9}, {400000.0, 7.0e9}, {100000.0, 5.0e9}};
    for (const Case& c : cases) {
        fresh();
        run->model.options.IUNITS = kUSCS;
        sections(kDrilledShaft);
        run->model.axialThrusts.count = 2;
        run->model.axialThrusts.thrust[1] = 100.0;
        run->model.axialThrusts.thrust[2] = 300.0;
        SectionEITables& ei = run->eiTables;
        ei.thrustCount = 2;
        ei.thrust[1] = 100.0;
        ei.thrust[2] = 300.0;
        ei.pointCount[2][1] = ei.pointCount[2][2] = 3;
        ei.EI[2][1] = {0.0, 5.0e6, 4.0e6, 2.0e6};
        ei.EI[2][2] = {0.0, 7.0e6, 6.0e6, 3.0e6};
        // The pipe has relations too; its nodes keep E·I of the property points.
        ei.pointCount[1][1] = ei.pointCount[1][2] = 1;
        ei.EI[1][1][1] = ei.EI[1][2][1] = 1.0;
        loadCase(c.thrustPounds);
        setupLoadCaseNodes(*run, 1);
        EXPECT_EQ(nodes().EI[41], 29.0e9) << c.thrustPounds;
        EXPECT_DOUBLE_EQ(nodes().EI[42], c.EI) << c.thrustPounds;
        EXPECT_DOUBLE_EQ(nodes().EI[101], c.EI) << c.thrustPounds;
    }
}

TEST_F(TwoSectionPile, RelationRigidityIsNotScaledOutsideUsUnits) {
    sections(kDrilledShaft);
    run->model.options.IUNITS = kSI;
    run->model.axialThrusts.count = 1;
    run->model.axialThrusts.thrust[1] = 0.0;
    run->eiTables.pointCount[2][1] = 2;
    run->eiTables.EI[2][1][1] = 250000.0;
    loadCase(500.0);
    setupLoadCaseNodes(*run, 1);
    EXPECT_EQ(nodes().EI[60], 250000.0);
}

// ----------------------------------------------------------------------- starting soil moduli

TEST_F(PileNodeSetup, SoilModulusStartsAtZeroAboveTheGroundSurface) {
    // Ground surface at 3: nodes 1 to 3 (z = 0, 1, 2) are above it, node 4 (z = 3) lies on it.
    pile(100.0, 100);
    layers({{3.0, 200.0}});
    setupLoadCaseNodes(*run, 1);
    EXPECT_EQ(nodes().Es[1], 0.0);
    EXPECT_EQ(nodes().Es[3], 0.0);
    EXPECT_EQ(nodes().Es[4], 50000.0);
    EXPECT_EQ(nodes().Es[101], 50000.0);
}

TEST_F(PileNodeSetup, GroundSurfaceIsComparedWithTheVerticalDepth) {
    // Batter 60°: z(k) = (k - 1)·0.5; the ground surface at 3 is reached at node 7.
    pile(100.0, 100);
    layers({{3.0, 200.0}});
    run->model.slope.pileBatter = 60.0 * kDegree;
    setupLoadCaseNodes(*run, 1);
    EXPECT_EQ(nodes().Es[6], 0.0);
    EXPECT_EQ(nodes().Es[7], 50000.0);
}

// -------------------------------------------------------------------------- layer assignment

TEST_F(PileNodeSetup, NodeOnALayerBoundaryIsTheFirstNodeOfTheLowerLayer) {
    pile(100.0, 100);
    layers({{0.0, 10.0}, {10.0, 100.0}});
    setupLoadCaseNodes(*run, 1);
    // Node 11 lies at 10.
    EXPECT_EQ(first(1), 1);
    EXPECT_EQ(last(1), 10);
    EXPECT_EQ(first(2), 11);
    EXPECT_EQ(last(2), 101);
    EXPECT_EQ(report(), "");
}

TEST_F(PileNodeSetup, LayersBelowTheOneReachingTheTipAndThinLayersHoldNoNode) {
    // Ground surface at 2.5: layer 1 starts at node 4 (z = 3). Layer 2 (10.25 to 10.75) lies
    // between nodes 11 and 12. Layer 3 reaches the tip; layer 4 is never scanned.
    pile(100.0, 100);
    layers({{2.5, 10.25}, {10.25, 10.75}, {10.75, 150.0}, {150.0, 200.0}});
    setupLoadCaseNodes(*run, 1);
    EXPECT_EQ(first(1), 4);
    EXPECT_EQ(last(1), 11);
    EXPECT_EQ(first(2), 0);
    EXPECT_EQ(last(2), 0);
    EXPECT_EQ(first(3), 12);
    EXPECT_EQ(last(3), 101);
    EXPECT_EQ(first(4), 0);
    EXPECT_EQ(last(4), 0);
}

TEST_F(PileNodeSetup, AssignmentByDepthAlongThePileDiffersOnABatteredPile) {
    // Batter 60°: the boundary at 20 is at node 41 by vertical depth ((41 - 1)·0.5) and at
    // node 21 along the pile.
    pile(100.0, 100);
    layers({{0.0, 20.0}, {20.0, 200.0}});
    run->model.slope.pileBatter = 60.0 * kDegree;
    setupLoadCaseNodes(*run, 1);
    EXPECT_EQ(first(2), 41);
    EXPECT_EQ(last(1), 40);
    assignLayers(*run, false);
    EXPECT_EQ(first(2), 21);
    EXPECT_EQ(last(1), 20);
    EXPECT_EQ(last(2), 101);
}

TEST_F(PileNodeSetup, WithoutLayersTheWholePileIsOneRange) {
    pile(100.0, 100);
    setupLoadCaseNodes(*run, 1);
    EXPECT_EQ(first(1), 0);
    EXPECT_EQ(last(1), 101);
}

TEST_F(PileNodeSetup, LastLayerWithNodesAboveTheTipWritesTheDiagnostic) {
    // L = 12, N = 12. Layer 2 (10 to 10.5) holds node 11 but ends above the tip (12), and no
    // layer follows: its last node is -1 and the scan ran through (t = 3).
    pile(12.0, 12);
    layers({{0.0, 10.0}, {10.0, 10.5}});
    setupLoadCaseNodes(*run, 1);
    EXPECT_EQ(last(1), 10);
    EXPECT_EQ(first(2), 11);
    EXPECT_EQ(last(2), -1);
    EXPECT_EQ(last(3), 13);
    EXPECT_EQ(report(),
              "ERROR 2 in computing i_BottomNodeInLayer\n"
              "Num_Nodes_To_Assign = 13\n"
              "ilayer = 2\n"
              "klayer = 3\n"
              "jlayer = 3\n"
              "i_Number_of_Layers = 2\n");
    EXPECT_FALSE(run->failed());
}

// ----------------------------------------------------------------------------- error 29

TEST_F(PileNodeSetup, LayerThinnerThanAnIncrementRaisesError29) {
    pile(100.0, 100);
    run->units = makeUnitLabels(kUSCS);
    layers({{0.0, 10.25}, {10.25, 10.75}, {10.75, 200.0}});
    setupLoadCaseNodes(*run, 1);
    ASSERT_EQ(first(2), 0);
    EXPECT_FALSE(checkLayerHoldsNode(*run, 1));
    EXPECT_TRUE(checkLayerHoldsNode(*run, 2));
    EXPECT_EQ(run->errorNumber, 229);

    // 100 / 0.5 = 200 increments; the increment length is 100/100.
    const auto text = [](const std::string& consequence) {
        return std::string("\n\n**** Runtime Error No. 29 ****\n\n") +
               "Problem:  The thickness of layer 2 was too thin to contain a nodal point.\n" + consequence + "\n" +
               "          The thickness of layer 2 is     0.500 in  and the pile increment length is     1.000 in \n" +
               "          The current number of pile increments is 100.\n" +
               "          The estimated minimum number of increments needed to get at least one nodal point in the "
               "layer is 200.\n\n" +
               "Solution: Increase the number of pile increments. Up to 500 pile increments are allowed in Mervik.\n" +
               "          If this error occurs with the maximum number of pile increments, you will need to combine "
               "the thinnest\n" +
               "          soil layer with an adjacent layer.\n\n\n";
    };
    EXPECT_EQ(report(), text("          This layer lacks a nodal point and this prevents the correct computation of "
                             "p-y curves for the layer . "));
    EXPECT_EQ(messages(), text("          This layer lacks a nodal point and this prevents the correct computation of "
                               "the layer's p-y curves. "));
}

TEST_F(PileNodeSetup, Error29EstimateIsTruncated) {
    // Layer 2 from 10.125 to 10.875 lies between nodes 11 and 12: 100 / 0.75 = 133.3 -> 133.
    pile(100.0, 100);
    layers({{0.0, 10.125}, {10.125, 10.875}, {10.875, 200.0}});
    setupLoadCaseNodes(*run, 1);
    EXPECT_TRUE(checkLayerHoldsNode(*run, 2));
    EXPECT_NE(report().find("nodal point in the layer is 133.\n"), std::string::npos) << report();
}

TEST_F(PileNodeSetup, Error29OnlyWhenEveryConditionHolds) {
    // Nodes at 0, 1, ..., 100. The layer from 10.25 to 10.75 holds no node, nor does the first
    // layer from 0.25 to 0.75.
    const std::vector<std::pair<double, double>> thin = {{0.0, 10.25}, {10.25, 10.75}, {10.75, 200.0}};
    struct Case {
        const char* what;
        std::vector<std::pair<double, double>> profile;
        int layer;
        bool setEquivalentDepth, setMark;
    };
    const Case cases[] = {
        {"a layer holding nodes", thin, 3, false, false},
        {"the first layer, even without a node", {{0.25, 0.75}, {0.75, 200.0}}, 1, false, false},
        {"equivalent depth already computed", thin, 2, true, false},
        {"layer marked by the layer loop", thin, 2, false, true},
        {"layer number beyond the profile", thin, 4, false, false},
    };
    for (const Case& c : cases) {
        fresh();
        pile(100.0, 100);
        layers(c.profile);
        setupLoadCaseNodes(*run, 1);
        if (c.setEquivalentDepth) run->layers.xe[at(c.layer)] = 3.0;
        if (c.setMark) run->layers.marks[at(c.layer)] = true;
        EXPECT_FALSE(checkLayerHoldsNode(*run, c.layer)) << c.what;
        EXPECT_EQ(run->errorNumber, 0) << c.what;
        EXPECT_EQ(report(), "") << c.what;
    }
    // The first layer of the second profile really holds no node.
    fresh();
    pile(100.0, 100);
    layers({{0.25, 0.75}, {0.75, 200.0}});
    setupLoadCaseNodes(*run, 1);
    EXPECT_EQ(first(1), 0);
}

TEST_F(PileNodeSetup, NoError29ForALayerStartingAtOrBelowTheTip) {
    // On a battered pile (60°) the tip lies at z = 50; layer 2 starts there at 50.25 and
    // holds no node, but it starts below the tip.
    pile(100.0, 100);
    layers({{0.0, 50.25}, {50.25, 200.0}});
    run->model.slope.pileBatter = 60.0 * kDegree;
    setupLoadCaseNodes(*run, 1);
    ASSERT_EQ(first(2), 0);
    EXPECT_FALSE(checkLayerHoldsNode(*run, 2));
    EXPECT_EQ(run->errorNumber, 0);
}

}  // namespace
}  // namespace mervik
