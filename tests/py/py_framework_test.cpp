// p-y framework: strength, eps50 and unit-weight lookups on a hand-built three-layer profile,
// the p- and y-multipliers, the default sand modulus, the slope factor, the layering
// correction and the rock marks of the layer loop.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/errors.hpp"
#include "engine/warnings.hpp"
#include "py/py_node_loop.hpp"
#include "support/py_model_test.hpp"

namespace mervik {
namespace {

using testing::PyModelTest;

class PyFrameworkTest : public PyModelTest {
protected:
    void SetUp() override {
        PyModelTest::SetUp();
        units(kUSCS);
        // Three touching layers 0-10, 10-20, 20-30 below the pile head; a 30-long pile.
        for (int L = 1; L <= 3; ++L) placeLayer(L, kPySoftClay, 10.0 * (L - 1), 10.0 * L);
        run->nodes.L = 30.0;
    }
    SoilLayer& at(int L) { return run->model.soil.layer[static_cast<std::size_t>(L)]; }
    void modifiers(std::initializer_list<std::array<double, 3>> points) {
        PyModifierTable& t = run->model.pyModifiers;
        t.count = 0;
        for (const auto& p : points) {
            ++t.count;
            const auto i = static_cast<std::size_t>(t.count);
            t.depth[i] = p[0];
            t.pMultiplier[i] = p[1];
            t.yMultiplier[i] = p[2];
        }
    }
};

// ---------------------------------------------------------------- undrained strength

TEST_F(PyFrameworkTest, StrengthAtAnInterfaceFollowsTheClassesOfTheTwoLayers) {
    struct Case {
        int upper, lower;
        double cu, cl, expected;
    };
    const Case cases[] = {
        {kPySoftClay, kPyStiffClayFreeWater, 100.0, 200.0, 150.0},  // clay over clay: mean
        {kPySoftClay, kPySand, 100.0, 200.0, 100.0},                 // clay over sand: the clay
        {kPySand, kPySoftClay, 100.0, 200.0, 200.0},                 // sand over clay: the clay
        {kPyUserCurves, kPyWeakRock, 100.0, 200.0, 200.0},           // user curves over rock
        {kPySoftClay, kPyWeakRock, 100.0, 200.0, 200.0},             // (2 cu + cl) / 2
        {kPyWeakRock, kPySoftClay, 100.0, 200.0, 250.0},             // (2 cl + cu) / 2
        {kPyWeakRock, kPyVuggyLimestone, 100.0, 200.0, 150.0},       // rock over rock: mean
        {kPyWeakRock, kPyElasticSubgrade, 100.0, 200.0, 100.0},      // rock over subgrade
        {kPyCementedSilt, kPySand, 100.0, 200.0, 100.0},             // silt with c > 0 is cohesive
        {kPyCementedSilt, kPySoftClay, 0.0, 200.0, 200.0},           // silt with c = 0 is cohesionless
        {kPyElasticSubgrade, kPySoftClay, 100.0, 200.0, 200.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.upper) + " over " + std::to_string(c.lower));
        SetUp();
        at(1).modelCode = c.upper;
        at(2).modelCode = c.lower;
        at(1).cohesion.bottom = c.cu;
        at(2).cohesion.top = c.cl;
        EXPECT_DOUBLE_EQ(fn_c(*run, 10.0), c.expected);
        EXPECT_TRUE(run->py.b_AtInterface);
        EXPECT_FALSE(run->py.b_InMiddle);
        EXPECT_FALSE(run->failed());
    }
}

TEST_F(PyFrameworkTest, StrengthAtTheTipIsTheUpperValueWhateverTheClasses) {
    at(1).modelCode = kPySand;
    at(2).modelCode = kPySand;  // no rule for sand over sand, but the tip decides first
    at(1).cohesion.bottom = 100.0;
    at(2).cohesion.top = 200.0;
    run->nodes.L = 10.0;
    EXPECT_DOUBLE_EQ(fn_c(*run, 10.0), 100.0);
    EXPECT_TRUE(run->py.b_AtTip);
    EXPECT_FALSE(run->failed());
}

TEST_F(PyFrameworkTest, StrengthInsideALayerAndAtTheLastPointIsInterpolated) {
    at(1).cohesion = {50.0, 100.0};
    at(3).cohesion = {300.0, 400.0};
    EXPECT_DOUBLE_EQ(fn_c(*run, 5.0), 75.0);
    EXPECT_TRUE(run->py.b_InMiddle);
    EXPECT_DOUBLE_EQ(fn_c(*run, 25.0), 350.0);
    EXPECT_DOUBLE_EQ(fn_c(*run, 30.0 + 5E-7), 400.0);  // within the point tolerance
}

TEST_F(PyFrameworkTest, SandOverSandAtAnInterfaceIsRuntimeError30) {
    at(1).modelCode = kPySand;
    at(2).modelCode = kPyApiSand;
    EXPECT_DOUBLE_EQ(fn_c(*run, 10.0), 0.0);
    EXPECT_EQ(run->errorNumber, runtimeError(30));
    run->report.close();
    const std::string& r = report();
    EXPECT_NE(r.find(" ***** Runtime Error No. 30 *****\n"), std::string::npos);
    EXPECT_NE(r.find(" Soil type above        = 2\n"), std::string::npos);
    EXPECT_NE(r.find(" JBOT index             = 2 = index number"), std::string::npos);
    EXPECT_NE(r.find(" At tip condition       = F, T = true, F = false\n"), std::string::npos);
    EXPECT_NE(r.find(" i_SoilLayer_py_Type(JBOT/2+1)        = 6\n"), std::string::npos);
}

TEST_F(PyFrameworkTest, StrengthBelowTheProfileIsInputError5InBothFiles) {
    EXPECT_DOUBLE_EQ(fn_c(*run, 31.0), 0.0);
    EXPECT_EQ(run->errorNumber, inputError(5));
    run->report.close();
    run->messages.close();
    const std::string line = "shear strength of soil versus depth at     30.000 in \n";
    EXPECT_NE(report().find("**** Input Data Error No. 5 ****\n"), std::string::npos);
    EXPECT_NE(report().find(line), std::string::npos);
    EXPECT_NE(report().find("Problem:  The value for a pile station depth is   3.1000E+01 in \n"), std::string::npos);
    EXPECT_NE(messages().find(line), std::string::npos);
}

TEST_F(PyFrameworkTest, StrengthOnAnInvertedLayerIsInputError60) {
    run->model.soil.layerCount = 1;
    run->model.soil.propertyPointCount = 2;
    placeLayer(1, kPySoftClay, 10.0, 5.0);
    EXPECT_DOUBLE_EQ(fn_c(*run, 3.0), 0.0);
    EXPECT_EQ(run->errorNumber, inputError(60));
    run->messages.close();
    EXPECT_NE(messages().find("layer is zero.  The depth of computation is      3.000\n"), std::string::npos);
}

TEST_F(PyFrameworkTest, InterfaceWithoutAMatchingLayerPairIsTheInternalError) {
    at(1).depthBottom = 9.0;  // the property points still say 10
    EXPECT_DOUBLE_EQ(fn_c(*run, 10.0), 0.0);
    EXPECT_EQ(run->errorNumber, kInternalError);
    run->report.close();
    EXPECT_NE(report().find("The layer interface cannot be located\n"), std::string::npos);
    EXPECT_NE(report().find(" b_AtNode              = T\n"), std::string::npos);
}

// ---------------------------------------------------------------- eps50, J, phi

TEST_F(PyFrameworkTest, Eps50AtAnInterfaceUsesTheValueThatIsNotZero) {
    struct Case {
        double upper, lower, pileLength, expected;
    };
    const Case cases[] = {
        {0.0, 0.01, 30.0, 0.01},     // upper not given
        {0.02, 0.0, 30.0, 0.02},     // lower not given
        {0.0, 0.0, 30.0, 0.0},       // neither: the model uses its default
        {0.005, 0.01, 30.0, 0.0075}, // both: the mean
        {0.005, 0.01, 10.0, 0.005},  // at the tip: the upper value
    };
    for (const Case& c : cases) {
        at(1).eps50.bottom = c.upper;
        at(2).eps50.top = c.lower;
        run->nodes.L = c.pileLength;
        EXPECT_DOUBLE_EQ(eps50At(*run, 10.0), c.expected) << c.upper << " " << c.lower;
    }
}

TEST_F(PyFrameworkTest, Eps50JAndPhiInterpolateAndEndAtTheProfile) {
    at(1).eps50 = {0.02, 0.01};
    at(2).jFactor = {0.25, 0.5};
    at(3).phi = {30.0, 36.0};
    EXPECT_DOUBLE_EQ(eps50At(*run, 5.0), 0.015);
    EXPECT_DOUBLE_EQ(jFactorAt(*run, 12.0), 0.3);
    EXPECT_DOUBLE_EQ(frictionAngleAt(*run, 25.0), 33.0);
    EXPECT_DOUBLE_EQ(frictionAngleAt(*run, 30.0), 36.0);
    EXPECT_DOUBLE_EQ(eps50At(*run, 30.5), 0.0);
    EXPECT_DOUBLE_EQ(jFactorAt(*run, 30.5), 0.0);
    EXPECT_FALSE(run->failed());
    EXPECT_DOUBLE_EQ(frictionAngleAt(*run, 30.5), 0.0);
    EXPECT_EQ(run->errorNumber, inputError(4));
    run->messages.close();
    EXPECT_NE(messages().find("soil friction angle versus depth.\n"), std::string::npos);
}

// ---------------------------------------------------------------- averages

TEST_F(PyFrameworkTest, AverageUnitWeightIsTheMeanFromTheGroundSurface) {
    at(1).gamma = {0.02, 0.04};
    at(2).gamma = {0.03, 0.03};
    at(3).gamma = {0.03, 0.03};
    EXPECT_DOUBLE_EQ(averageUnitWeight(*run, 5.0), 0.025);              // mean of 0.02 and 0.03
    EXPECT_DOUBLE_EQ(averageUnitWeight(*run, 20.0), (0.3 + 0.3) / 20.0);
    EXPECT_NEAR(averageUnitWeight(*run, 15.0), (0.3 + 0.15) / 15.0, 1E-15);
    EXPECT_DOUBLE_EQ(averageUnitWeight(*run, -1.0), 0.0);                // above the ground
    at(1).gamma.top = 0.0;
    EXPECT_DOUBLE_EQ(averageUnitWeight(*run, 0.0), 0.04);                // first positive value
}

TEST_F(PyFrameworkTest, AverageStrengthAtTheSurfaceIsTheStrengthThere) {
    at(1).cohesion = {10.0, 30.0};
    EXPECT_DOUBLE_EQ(averageStrength(*run, 0.0), 10.0);
    EXPECT_DOUBLE_EQ(averageStrength(*run, 10.0), 20.0);
}

TEST_F(PyFrameworkTest, AveragesBelowTheProfileAreInputErrors15And3) {
    EXPECT_DOUBLE_EQ(averageUnitWeight(*run, 31.0), 0.0);
    EXPECT_EQ(run->errorNumber, inputError(15));
    SetUp();
    EXPECT_DOUBLE_EQ(averageStrength(*run, 31.0), 0.0);
    EXPECT_EQ(run->errorNumber, inputError(3));
    run->messages.close();
    EXPECT_EQ(messages().rfind("**** Input Data Error No. 3 ****\n", 0), 0u);
}

// ---------------------------------------------------------------- multipliers

TEST_F(PyFrameworkTest, MultipliersInterpolateInTheTableAndAreOneOutsideIt) {
    modifiers({{0.0, 1.0, 1.0}, {10.0, 0.5, 2.0}});
    EXPECT_DOUBLE_EQ(pMultiplierAt(*run, 5.0), 0.75);
    EXPECT_DOUBLE_EQ(yMultiplierAt(*run, 5.0), 1.5);
    EXPECT_DOUBLE_EQ(pMultiplierAt(*run, 10.0), 0.5);
    EXPECT_DOUBLE_EQ(yMultiplierAt(*run, 10.0), 2.0);
    EXPECT_DOUBLE_EQ(pMultiplierAt(*run, 12.0), 1.0);
    EXPECT_DOUBLE_EQ(yMultiplierAt(*run, 12.0), 1.0);
    EXPECT_DOUBLE_EQ(pMultiplierAt(*run, -1.0), 1.0);
}

TEST_F(PyFrameworkTest, MultiplierPointsAtOneDepthActAsAStep) {
    modifiers({{0.0, 1.0, 1.0}, {5.0, 1.0, 1.0}, {5.0, 0.5, 0.8}, {10.0, 0.5, 0.8}});
    EXPECT_DOUBLE_EQ(pMultiplierAt(*run, 5.0), 0.5);
    EXPECT_DOUBLE_EQ(yMultiplierAt(*run, 5.0), 0.8);
    EXPECT_DOUBLE_EQ(pMultiplierAt(*run, 4.5), 1.0);
    modifiers({{0.0, 0.5, 2.0}});
    EXPECT_DOUBLE_EQ(pMultiplierAt(*run, 0.0), 1.0);  // a one-point table has no effect
}

// ---------------------------------------------------------------- sand modulus, slope

TEST_F(PyFrameworkTest, DefaultSandModulusIsContinuousAt40Degrees) {
    EXPECT_DOUBLE_EQ(defaultSandK(*run, 41.0, 0.0), 160.54745483398438);
    EXPECT_NEAR(defaultSandK(*run, 40.0, 0.0) / 160.54745483398438, 1.0, 1E-5);
    run->model.options.IUNITS = kSI;
    EXPECT_DOUBLE_EQ(defaultSandK(*run, 41.0, 10.0), 43580.1484375);
    EXPECT_NEAR(defaultSandK(*run, 40.0, 10.0) / 43580.1484375, 1.0, 1E-5);
    EXPECT_DOUBLE_EQ(defaultSandK(*run, 41.0, 13.0), 78739.0078125);
    EXPECT_NEAR(defaultSandK(*run, 40.0, 13.0) / 78739.0078125, 1.0, 1E-5);
    EXPECT_FALSE(run->failed());
}

TEST_F(PyFrameworkTest, DefaultSandModulusInGeneralUnitsIsRuntimeError13) {
    run->model.options.IUNITS = kGeneral;
    EXPECT_DOUBLE_EQ(defaultSandK(*run, 35.0, 0.01), 0.0);
    EXPECT_EQ(run->errorNumber, runtimeError(13));
    run->report.close();
    run->messages.close();
    EXPECT_EQ(report().rfind("\n\n**** Runtime Error No. 13 ****\n", 0), 0u);
    EXPECT_NE(messages().find("a non-zero for k.\n"), std::string::npos);
}

TEST(PySlopeFactor, DependsOnTheSidesOfSlopeAndDeflection) {
    const double a = 0.1;
    EXPECT_DOUBLE_EQ(claySlopeFactor(0.0, 1.0), 1.0);
    EXPECT_DOUBLE_EQ(claySlopeFactor(a, 0.0), 1.0);
    EXPECT_NEAR(claySlopeFactor(a, 1.0), 1.0 / 1.1003346720854505, 1E-15);    // tan 0.1
    EXPECT_NEAR(claySlopeFactor(-a, -1.0), 1.0 / 1.1003346720854505, 1E-15);
    // cos 0.1 = 0.99500416527802582, cos(0.1 + pi/4) = 0.63298131...: downhill side is weaker
    EXPECT_NEAR(claySlopeFactor(a, -1.0), 0.7071067690849304 * 0.99500416527802582 / 0.6329813066769582, 1E-9);
    EXPECT_NEAR(claySlopeFactor(-a, 1.0), claySlopeFactor(a, -1.0), 1E-15);
}

// ---------------------------------------------------------------- layering correction

TEST_F(PyFrameworkTest, ResistanceAboveSubstitutesLiquefiedSandAndCapsOverflow) {
    run->py.Fu[1] = 5.0;
    run->py.Fu[2] = 0.001;               // below 0.01: the liquefied-sand value replaces it
    run->py.liquefiedResistance[2] = 3.0;
    EXPECT_DOUBLE_EQ(resistanceAboveLayer(*run, 3), 8.0);
    EXPECT_DOUBLE_EQ(run->py.Fu[2], 3.0);
    run->py.Fu[1] = 2E20;
    run->py.Fu[2] = 7.0;
    EXPECT_DOUBLE_EQ(resistanceAboveLayer(*run, 3), 107.0);
}

// ---------------------------------------------------------------- the node loop

// A model law for the node loop: the resistance of a node is its curve depth (so the sums are
// easy to follow by hand), the curve p = 10 y, a small-deflection threshold of 0.5 with a
// limiting modulus of 1000, and an equivalent depth of F / 4. Every look-up of depth values
// records warning 3001 once, so the warning count tells how often the depth values were
// computed; kept values repeat nothing.
template <LayerResistance R, bool EveryPass>
struct TestLaw {
    struct Depth {
        double zs = 0.0;
    };
    struct Curve {
        double xc = 0.0;
    };
    static constexpr PyLawRules kRules{true, EveryPass, R, false};
    static bool lookUp(Run& run, const PyPoint& at, Depth& v) {
        recordWarning(run.warnings, -3001);
        v.zs = at.d.zs;
        return true;
    }
    static void repeatWarnings(Run&, const Depth&) {}
    static double equivalentDepth(Run&, const PyPoint&, const Depth&, double F) { return F / 4.0; }
    static void curve(Run&, const PyPoint& at, const Depth&, const Curve&, Curve& c) { c.xc = at.d.xc; }
    static double resistance(const Curve& c) { return c.xc; }
    static double tailResistance(const Curve& c) { return 100.0 * c.xc; }
    static double surfaceResistance(const Curve&) { return 7.0; }
    static double threshold(const Curve&) { return 0.5; }
    static double limitingModulus(const Curve&) { return 1000.0; }
    static double p(const Curve&, double y) { return 10.0 * y; }
    static void print(Run&, const PyPoint&, const Depth&, const Curve&) {}
};

class PyNodeLoopTest : public PyFrameworkTest {
protected:
    // Layer 2 (10 to 20) holds nodes 3 to 5 at depths 10, 12 and 14 (increment 2); layer 1
    // carries a resistance of 12 from an earlier pass.
    void SetUp() override {
        PyFrameworkTest::SetUp();
        run->nodes.M = 5;
        run->nodes.h = 2.0;
        for (int k = 1; k <= 5; ++k) {
            run->nodes.x[static_cast<std::size_t>(k)] = 4.0 + 2.0 * k;
            run->nodes.z[static_cast<std::size_t>(k)] = 4.0 + 2.0 * k;
        }
        run->model.sections.propertyPointCount = 2;
        run->model.sections.point[1] = {0.0, 24.0};
        run->model.sections.point[2] = {30.0, 24.0};
        run->model.sections.pileLength = 30.0;
        run->py.layer = 2;
        run->py.firstNode = 3;
        run->py.lastNode = 5;
        run->py.Fu[1] = 12.0;
    }
    int lookUps() const { return run->warnings.counts[3001]; }
};

TEST_F(PyNodeLoopTest, LayerResistanceFollowsTheModelsSumRule) {
    // xe(2) = 12 / 4 = 3, so the curve depths of nodes 3, 4, 5 are 3, 5 and 7.
    struct Case {
        PyModelRoutine routine;
        double Fu;
    };
    const Case cases[] = {
        // trapezoids (3 + 5) + (5 + 7), then 100 xc of the last node over one increment
        {runPyModel<TestLaw<LayerResistance::TrapezoidsLastIncrement, true>>, 8.0 + 12.0 + 1400.0},
        // the same trapezoids, then 100 xc from the last node (14) to the layer bottom (20)
        {runPyModel<TestLaw<LayerResistance::TrapezoidsToLayerBottom, true>>, 8.0 + 12.0 + 6.0 * 700.0},
        // one increment of the resistance at every node
        {runPyModel<TestLaw<LayerResistance::NodeIncrements, true>>, 2.0 * (3.0 + 5.0 + 7.0)},
    };
    for (const Case& c : cases) {
        run->py.Fu[2] = 99.0;
        run->layers.xe[2] = -10000.0;
        c.routine(*run, 2);
        ASSERT_FALSE(run->failed());
        EXPECT_DOUBLE_EQ(run->layers.xe[2], 3.0);
        EXPECT_DOUBLE_EQ(run->py.Fu[2], c.Fu);
    }
    // No sum leaves the layer resistance alone.
    run->py.Fu[2] = 99.0;
    runPyModel<TestLaw<LayerResistance::None, true>>(*run, 2);
    EXPECT_DOUBLE_EQ(run->py.Fu[2], 99.0);
}

TEST_F(PyNodeLoopTest, GroundAboveThePileHeadTakesTheSurfaceResistanceOfLayerOne) {
    at(1).depthTop = -4.0;
    run->model.soil.groundSurface = -4.0;
    run->py.layer = 1;
    run->py.firstNode = 1;
    run->py.lastNode = 2;
    runPyModel<TestLaw<LayerResistance::TrapezoidsLastIncrement, true>>(*run, 1);
    EXPECT_DOUBLE_EQ(run->py.Fu[1], 7.0 * 0.5 * 14.0);  // layer 1 from -4 to 10
}

TEST_F(PyNodeLoopTest, EquivalentDepthIsDueAtTheFirstNodeOfALowerLayerWithoutRockAbove) {
    using EveryPass = TestLaw<LayerResistance::TrapezoidsLastIncrement, true>;
    using Once = TestLaw<LayerResistance::TrapezoidsLastIncrement, false>;
    run->py.rockCount = 1;  // below a rock-like layer: the true depth, no equivalent depth
    runPyModel<EveryPass>(*run, 2);
    EXPECT_DOUBLE_EQ(run->layers.xe[2], -10000.0);
    EXPECT_DOUBLE_EQ(run->py.Fu[2], (10.0 + 12.0) + (12.0 + 14.0) + 2800.0);  // xc = xg = 10, 12, 14
    run->py.rockCount = 0;
    runPyModel<Once>(*run, 2);
    EXPECT_DOUBLE_EQ(run->layers.xe[2], 3.0);
    run->py.Fu[1] = 40.0;  // a model computing it once in a run keeps it
    runPyModel<Once>(*run, 2);
    EXPECT_DOUBLE_EQ(run->layers.xe[2], 3.0);
    runPyModel<EveryPass>(*run, 2);
    EXPECT_DOUBLE_EQ(run->layers.xe[2], 10.0);
    run->py.reportPass = true;  // never in the report pass
    run->py.Fu[1] = 80.0;
    runPyModel<EveryPass>(*run, 2);
    EXPECT_DOUBLE_EQ(run->layers.xe[2], 10.0);
}

TEST_F(PyNodeLoopTest, SecantModulusUsesTheThresholdAndTheMultipliers) {
    using Law = TestLaw<LayerResistance::None, true>;
    run->nodes.y(3) = 0.4;   // below the threshold: the limiting modulus, no multiplier
    run->nodes.y(4) = -2.0;  // the curve: pm 10 (2 / ym) / (ym (2 / ym)) = 10 pm / ym
    run->nodes.y(5) = 0.9;   // 0.9 / ym = 0.6 is above the threshold
    modifiers({{0.0, 0.5, 1.5}, {30.0, 0.5, 1.5}});
    runPyModel<Law>(*run, 2);
    ASSERT_FALSE(run->failed());
    EXPECT_DOUBLE_EQ(run->nodes.Es[3], 1000.0);
    EXPECT_DOUBLE_EQ(run->nodes.Es[4], 10.0 * 0.5 / 1.5);
    EXPECT_DOUBLE_EQ(run->nodes.Es[5], 10.0 * 0.5 / 1.5);
    // With a soil-movement profile the curve takes the deflection relative to the soil and the
    // node gets the load term ys Es + q.
    run->model.soilMovement.count = 2;
    run->nodes.ys[5] = 0.6;  // |0.9 - 0.6| / 1.5 = 0.2: below the threshold
    run->nodes.q[5] = 3.0;
    runPyModel<Law>(*run, 2);
    EXPECT_DOUBLE_EQ(run->nodes.Es[5], 1000.0);
    EXPECT_DOUBLE_EQ(run->nodes.Q[5], 0.6 * 1000.0 + 3.0);
}

TEST_F(PyNodeLoopTest, DepthValuesAreComputedOncePerLoadCase) {
    using Law = TestLaw<LayerResistance::None, true>;
    dispatchPyCurves(*run, 0);  // a new case (layer 2 holds no nodes in the layer table)
    runPyModel<Law>(*run, 2);
    runPyModel<Law>(*run, 2);
    EXPECT_EQ(lookUps(), 3);  // three nodes, looked up at the first pass only
    run->nodes.z[4] = 12.5;   // a node at another depth is looked up again
    runPyModel<Law>(*run, 2);
    EXPECT_EQ(lookUps(), 4);
    dispatchPyCurves(*run, 0);  // the next load case
    runPyModel<Law>(*run, 2);
    EXPECT_EQ(lookUps(), 7);
    run->py.reportPass = true;  // printed curves are looked up at their own depths, every time
    runPyModel<Law>(*run, 2);
    EXPECT_EQ(lookUps(), 10);
}

TEST_F(PyFrameworkTest, CurveDepthOfALowerLayerStartsAtItsEquivalentDepth) {
    run->nodes.x[7] = 12.5;
    run->nodes.z[7] = 12.0;
    run->layers.xe[2] = 4.0;
    PyCurveDepths d = curveDepths(*run, 2, 7, true);
    EXPECT_DOUBLE_EQ(d.xp, 12.5);
    EXPECT_DOUBLE_EQ(d.zs, 12.0);
    EXPECT_DOUBLE_EQ(d.xg, 12.0);
    EXPECT_DOUBLE_EQ(d.xc, 6.0);
    EXPECT_DOUBLE_EQ(curveDepths(*run, 2, 7, false).xc, 12.0);
    run->py.rockCount = 1;
    EXPECT_DOUBLE_EQ(curveDepths(*run, 2, 7, true).xc, 12.0);
    run->py.reportPass = true;  // report pass: the mark decides, and depths are x(k)
    run->py.rockCount = 0;
    run->layers.marks[2] = true;
    d = curveDepths(*run, 2, 7, true);
    EXPECT_DOUBLE_EQ(d.zs, 12.5);
    EXPECT_DOUBLE_EQ(d.xc, 12.5);
}

// ---------------------------------------------------------------- layer loop

TEST_F(PyFrameworkTest, LayerLoopCountsRockLikeLayersAndMarksTheLayersBelow) {
    struct Case {
        int codes[3];
        bool marks[3];
        int rockCount;
    };
    const Case cases[] = {
        {{kPyElasticSubgrade, kPyUserCurves, kPySoftClay}, {false, false, true}, 1},
        {{kPyWeakRock, kPySoftClay, kPyElasticSubgrade}, {true, true, true}, 2},
        {{kPySand, kPyFrozenSoil, kPyUserCurves}, {false, false, false}, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        run->nodes.M = 3;
        for (int L = 1; L <= 3; ++L) {
            at(L).modelCode = c.codes[L - 1];
            run->nodes.firstNode[static_cast<std::size_t>(L)] = L;
            run->nodes.i_BottomNodeInLayer[static_cast<std::size_t>(L)] = L;
            run->nodes.x[static_cast<std::size_t>(L)] = 10.0 * L - 5.0;
            run->nodes.z[static_cast<std::size_t>(L)] = 10.0 * L - 5.0;
        }
        // Soil values for the models that run: clay strength and strain, sand friction angle and
        // subgrade modulus, rock strength, a subgrade modulus; a pile 24 wide.
        for (int L = 1; L <= 3; ++L) {
            SoilLayer& s = at(L);
            s.gamma = {0.04, 0.04};
            s.cohesion = {5.0, 5.0};
            s.eps50 = {0.01, 0.01};
            s.phi = {35.0, 35.0};
            s.kpy = {100.0, 100.0};
            s.elasticSubgrade = {100.0, 100.0};
        }
        run->model.sections.propertyPointCount = 2;
        run->model.sections.point[1] = {0.0, 24.0};
        run->model.sections.point[2] = {30.0, 24.0};
        run->model.sections.pileLength = 30.0;
        run->nodes.h = 10.0;
        runLayerLoop(*run, 2);
        ASSERT_FALSE(run->failed()) << report();
        for (int L = 1; L <= 3; ++L) EXPECT_EQ(run->layers.marks[static_cast<std::size_t>(L)], c.marks[L - 1]) << L;
        EXPECT_EQ(run->py.rockCount, c.rockCount);
    }
}

TEST_F(PyFrameworkTest, DispatchOfIterationOneClearsNotANumberModuli) {
    run->model.soil.layerCount = 1;
    at(1).modelCode = kPyFrozenSoil;  // no p-y model: the moduli stay as they are
    run->nodes.M = 2;
    run->nodes.firstNode[1] = 1;
    run->nodes.i_BottomNodeInLayer[1] = 2;
    run->nodes.Es[1] = std::nan("");
    run->nodes.Es[2] = 7.0;
    dispatchPyCurves(*run, 0);
    EXPECT_TRUE(std::isnan(run->nodes.Es[1]));
    dispatchPyCurves(*run, 1);
    EXPECT_DOUBLE_EQ(run->nodes.Es[1], 0.0);
    EXPECT_DOUBLE_EQ(run->nodes.Es[2], 7.0);
}

}  // namespace
}  // namespace mervik
