// The lateral analysis of LRFD load combinations: the distributed loads of the load types at
// the nodes and their factored combination, the case of a combination against a plain load case
// with the same loads, the performance table row by row, and the result code of the warning.
#include "solver/lrfd_cases.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "engine/run.hpp"
#include "report/numfmt.hpp"
#include "support/memory_run.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

std::size_t ix(int k) { return static_cast<std::size_t>(k); }
std::string sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
std::string name256(const std::string& name) { return name + sp(256 - static_cast<int>(name.size())); }
std::size_t count(const std::string& text, const std::string& piece) {
    std::size_t n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

// ---------------------------------------------------------------------------------------------
// Distributed loads by load type

class LrfdTypeLoads : public testing::MemoryRunTest {
protected:
    // Pile of 40 in in 4 increments of 10 in: nodes at 0, 10, 20, 30, 40.
    void SetUp() override {
        MemoryRunTest::SetUp();
        run->units = makeUnitLabels(kUSCS);
        PileNodes& n = run->nodes;
        n.M = 5;
        n.h = 10.0;
        n.L = 40.0;
        for (int k = 1; k <= 5; ++k) n.x[ix(k)] = 10.0 * (k - 1);
    }
    void group(int g, int type, std::initializer_list<std::pair<double, double>> points) {
        LrfdLoadGroup& entry = run->model.lrfd.group[ix(g)];
        entry.lrfdLoadType = type;
        entry.distPointCount = static_cast<int>(points.size());
        int k = 0;
        for (const auto& [depth, load] : points) {
            ++k;
            entry.distDepth[ix(k)] = depth;
            entry.distLoad[ix(k)] = load;
        }
        run->model.lrfd.groupCount = g;
    }
    double q(int type, int k) const { return run->lrfd.typeNodalLoads[ix(type)][ix(k)]; }
};

// A constant w = 3 over the whole pile gives 3 at every node, the head and the tip (half an
// increment each) included. A second dead-load group of 2 lb/in from 25 to 40 in adds, per
// node: node 4 (tributary 25..35) 2·10/10 = 2, node 5 (35..40) 2·5/5 = 2, node 3 (15..25)
// nothing (the table starts at the end of its tributary length). A wind group rising from 0 at
// 0 to 20 at 20 in and zero beyond: node 1 (0..5) mean 2.5; node 2 (5..15) mean 10; node 3
// (15..20 covered) (17.5·5)/10 = 8.75. The live type has no group and is not reported.
TEST_F(LrfdTypeLoads, TributaryMeansByTypeAndTheirFactoredSum) {
    group(1, 1, {{0.0, 3.0}, {40.0, 3.0}});
    group(2, 1, {{25.0, 2.0}, {40.0, 2.0}});
    group(3, 5, {{0.0, 0.0}, {20.0, 20.0}});
    group(4, 2, {});
    computeTypeNodalLoads(*run);

    const double dead[] = {3.0, 3.0, 3.0, 5.0, 5.0};
    const double wind[] = {2.5, 10.0, 8.75, 0.0, 0.0};
    for (int k = 1; k <= 5; ++k) {
        EXPECT_DOUBLE_EQ(q(1, k), dead[k - 1]) << k;
        EXPECT_DOUBLE_EQ(q(5, k), wind[k - 1]) << k;
        EXPECT_EQ(q(2, k), 0.0) << k;
    }

    // 1.25·DL + 1.5·W at node 3: 1.25·3 + 1.5·8.75 = 16.875.
    LrfdCombination& c = run->model.lrfd.combination[1];
    c.loadFactors[1] = 1.25;
    c.loadFactors[5] = 1.5;
    EXPECT_DOUBLE_EQ(combinationNodalLoad(*run, 3, 1), 16.875);
    EXPECT_DOUBLE_EQ(combinationNodalLoad(*run, 5, 1), 1.25 * 5.0);

    // Two blocks, each with its heading; the wind block lists the three loaded nodes only.
    EXPECT_EQ(count(report(), "Distributed Lateral Loads for LRFD:\n-----------------------------------\n"), 2u);
    EXPECT_EQ(report().find("Live Loads"), std::string::npos);
    const std::string windBlock = "\n\nSums of Distributed Lateral Load Per Unit Length due to " + std::string("Wind Loads") +
                                  sp(20) + "\n\n   Depth     Distributed Load\n    in            lbs/in\n"
                                  "----------   ----------------\n"
                                  "      0.00         2.50\n     10.00        10.00\n     20.00         8.75\n\n\n";
    EXPECT_NE(report().find(windBlock), std::string::npos) << report();

    // A second case rebuilds the table, it does not add to it.
    computeTypeNodalLoads(*run);
    EXPECT_DOUBLE_EQ(q(1, 4), 5.0);
}

// ---------------------------------------------------------------------------------------------
// Performance table

class LrfdPerformance : public testing::MemoryRunTest {
protected:
    void SetUp() override {
        MemoryRunTest::SetUp();
        run->units = makeUnitLabels(kUSCS);
        run->model.options.useLrfd = true;
    }
    void section(int s, int type, int shape = 0) {
        run->model.sections.section[ix(s)].sectionType = type;
        run->model.sections.section[ix(s)].elasticShape = shape;
        run->model.sections.count = s;
    }
    void combination(int j, double phi, int thrustIndex, const std::string& name) {
        run->model.lrfd.combination[ix(j)].flexureResistanceFactor = phi;
        run->model.lrfd.combination[ix(j)].combinationName = name;
        run->model.lrfd.combinationCount = j;
        run->lrfd.combinationThrustIndex[ix(j)] = thrustIndex;
    }
    void maxima(int j, int s, double moment, int node, double shear) {
        SectionMaxima& m = run->caseResults.cases[ix(j)].sections[ix(s)];
        m.moment = moment;
        m.momentNode = node;
        m.shear = shear;
    }
};

std::string realField(double v) { return formatAdaptiveReal(v, 10); }

// Row of a section with a capacity: the values in their fields.
std::string row(int j, int s, double phi, double cap, double moment, const std::string& fraction,
                const std::string& verdict, double shear, double y, double slope, const std::string& name) {
    std::string jText = std::to_string(j), sText = std::to_string(s);
    return sp(3 - static_cast<int>(jText.size())) + jText + " " + sp(7 - static_cast<int>(sText.size())) + sText + sp(3) +
           realField(phi) + sp(6) + (cap < 0.0 ? std::string(" Infinite ") : realField(cap)) + sp(3) + realField(moment) +
           sp(3) + fraction + sp(3) + verdict + realField(shear) + sp(3) + realField(y) + sp(3) + realField(slope) + sp(3) +
           name256(name);
}

// Four sections, two combinations. Section 1 concrete (Mn by thrust), section 2 elastic,
// section 3 elastic-plastic rectangle (plastic moment of the node), section 4 elastic-plastic
// strong-axis H-pile (Mn by thrust). Mn of section 1: 2.0e6 at thrust 1, 4.0e6 at thrust 2;
// of section 4: 1.0e6 at thrust 1 and 3.0e6 at thrust 2. Plastic moments: node 7 1.6e6,
// node 9 8.0e5.
//   case 1 (phi 0.75, thrust 2): s1 Mcap 0.75·4.0e6 = 3.0e6, M = 1.5e6, fraction 0.5000, pass;
//     s2 no capacity; s3 Mcap 0.75·1.6e6 = 1.2e6 (node 7), M = -1.5e6, fraction -1.2500, fail;
//     s4 Mcap 0.75·3.0e6 = 2.25e6, M = 2.25e6: not greater than |M|, fail.
//   case 2 (phi 0.9, thrust 1): s1 Mcap 1.8e6, M = -9.0e5, fraction -0.5000, pass; s2 none;
//     s3 Mcap 0.9·8.0e5 = 7.2e5 (node 9), M = 3.6e5, fraction 0.5000, pass; s4 Mcap 9.0e5,
//     M = 4.5e5, 0.5000, pass.
// Case 1 fails in two sections: the count is 2, and warning 400 is counted twice.
TEST_F(LrfdPerformance, RowsCheckedByHandAndFailuresCountedPerSection) {
    section(1, kDrilledShaft);
    section(2, kElasticPile);
    section(3, kElasticPlasticPile, kShapeRectangular);
    section(4, kElasticPlasticPile, kShapeStrongHPile);
    combination(1, 0.75, 2, "Strength I");
    combination(2, 0.9, 1, "Service");
    run->eiTables.Mn[1][1] = 2.0e6;
    run->eiTables.Mn[1][2] = 4.0e6;
    run->eiTables.Mn[4][1] = 1.0e6;
    run->eiTables.Mn[4][2] = 3.0e6;
    run->eiTables.Mn[3][1] = run->eiTables.Mn[3][2] = 9.9e9;  // not used: the node's plastic moment is
    run->nodes.plasticMoment[7] = 1.6e6;
    run->nodes.plasticMoment[9] = 8.0e5;
    maxima(1, 1, 1.5e6, 3, 2.0e4);
    maxima(1, 2, -7.0e6, 20, -1.0e4);
    maxima(1, 3, -1.5e6, 7, 3.0e3);
    maxima(1, 4, 2.25e6, 11, 4.0e3);
    maxima(2, 1, -9.0e5, 3, 1.0e4);
    maxima(2, 2, 1.0e5, 20, 5.0e3);
    maxima(2, 3, 3.6e5, 9, 2.0e3);
    maxima(2, 4, 4.5e5, 11, 1.0e3);
    run->caseResults.cases[1].headDeflection = 0.5;
    run->caseResults.cases[1].headSlope = -0.004;
    run->caseResults.cases[2].headDeflection = 0.25;
    run->caseResults.cases[2].headSlope = -0.002;

    writeLrfdPerformance(*run);

    const std::string pass = "   Pass      ", fail = " > FAIL <    ";
    const std::string expected =
        row(1, 1, 0.75, 3.0e6, 1.5e6, "    0.5000", pass, 2.0e4, 0.5, -0.004, "Strength I") + "\n" +
        "  1       2" + sp(3) + realField(0.75) + sp(6) + " Infinite " + sp(3) + realField(-7.0e6) + sp(3) + "    N/A   " +
        sp(3) + "    N/A      " + realField(-1.0e4) + sp(3) + realField(0.5) + sp(3) + realField(-0.004) + sp(3) +
        name256("Strength I") + "\n" +
        row(1, 3, 0.75, 1.2e6, -1.5e6, "   -1.2500", fail, 3.0e3, 0.5, -0.004, "Strength I") + "\n" +
        row(1, 4, 0.75, 2.25e6, 2.25e6, "    1.0000", fail, 4.0e3, 0.5, -0.004, "Strength I") + "\n" +
        row(2, 1, 0.9, 1.8e6, -9.0e5, "   -0.5000", pass, 1.0e4, 0.25, -0.002, "Service") + "\n" +
        "  2       2" + sp(3) + realField(0.9) + sp(6) + " Infinite " + sp(3) + realField(1.0e5) + sp(3) + "    N/A   " +
        sp(3) + "    N/A      " + realField(5.0e3) + sp(3) + realField(0.25) + sp(3) + realField(-0.002) + sp(3) +
        name256("Service") + "\n" +
        row(2, 3, 0.9, 7.2e5, 3.6e5, "    0.5000", pass, 2.0e3, 0.25, -0.002, "Service") + "\n" +
        row(2, 4, 0.9, 9.0e5, 4.5e5, "    0.5000", pass, 1.0e3, 0.25, -0.002, "Service") + "\n" +
        "\n2 LRFD load combinations have failed.\n";
    const std::string heading =
        "\n\n" + std::string(80, '-') + "\n" + sp(19) + "LRFD Performance by Load Case Combination\n" +
        std::string(80, '-') + "\n\n\n";
    EXPECT_EQ(report().substr(0, heading.size()), heading);
    ASSERT_GE(report().size(), expected.size());
    EXPECT_EQ(report().substr(report().size() - expected.size()), expected) << report();
    EXPECT_EQ(run->warnings.counts[400], 2);
}

TEST_F(LrfdPerformance, ElasticSectionsNeverFail) {
    section(1, kElasticPile);
    combination(1, 0.75, 1, "Elastic");
    maxima(1, 1, -1.0e12, 5, 1.0);
    writeLrfdPerformance(*run);
    EXPECT_NE(report().find("\nAll LRFD load combinations have passed for all pile sections.\n"), std::string::npos);
    EXPECT_EQ(run->warnings.counts[400], 0);
}

// ---------------------------------------------------------------------------------------------
// End to end: the bundled LRFD example

constexpr const char* kExample = "drilled_shaft_lrfd.lp6";

// Factored loads of the example's three combinations, by hand from its groups (dead V 10000,
// P 400000; live V 20000, M 600000, P 150000; wind V 40000, M 1200000, 100 lb/in over 0..60 in):
//   1: 1.25 DL + 1.75 LL: V = 12500 + 35000 = 47500, M = 1050000, P = 500000 + 262500 = 762500
//   2: 0.9 DL + 1.4 W:    V = 9000 + 56000 = 65000, M = 1680000, P = 360000, w = 140
//   3: 1.25 DL + 1.35 LL + 1.6 W: V = 12500 + 27000 + 64000 = 103500,
//      M = 810000 + 1920000 = 2730000, P = 500000 + 202500 = 702500, w = 160
struct Combination {
    double V, M, P, w;
    int thrustIndex;  // position of P in the sorted thrusts 360000, 702500, 762500
};
constexpr Combination kCombinations[] = {
    {47500.0, 1050000.0, 762500.0, 0.0, 3},
    {65000.0, 1680000.0, 360000.0, 140.0, 1},
    {103500.0, 2730000.0, 702500.0, 160.0, 2},
};

// The example as a plain run of one load case with the loads of a combination.
std::string plainInput(const Combination& c) {
    std::string text = testing::readFile(std::filesystem::path(MERVIK_EXAMPLES) / kExample);
    text.replace(text.find("UseLRFD YES"), 11, "UseLRFD NO");
    const std::string loading = "LOADING\n1\n1 1 " + std::to_string(c.V) + " " + std::to_string(c.M) + " " +
                                std::to_string(c.P) + " 1\n" +
                                (c.w > 0.0 ? "2\n1 0.0 " + std::to_string(c.w) + "\n2 60.0 " + std::to_string(c.w) + "\n"
                                           : std::string("0\n"));
    const std::size_t from = text.find("LRFD LOADS");
    text.replace(from, text.find("END") - from, loading);
    return text;
}

int runText(const testing::TempDir& dir, const std::string& input, mervik::Run& run) {
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("input.lp6", input);
    run.clock.fixed = testing::fixedTime();
    return testing::runInDir(dir, run);
}

// Every combination is the plain load case of type 1 with its factored V, M, P and distributed
// load: the same head deflection, rotation and largest moment.
TEST(LrfdCases, CombinationsAreThePlainCasesOfTheirFactoredLoads) {
    testing::TempDir dir;
    auto lrfd = std::make_unique<mervik::Run>();
    ASSERT_EQ(testing::runExample(dir, kExample, *lrfd), -400) << dir.read("messages.msg");
    for (int c = 1; c <= 3; ++c) {
        SCOPED_TRACE(c);
        const Combination& k = kCombinations[c - 1];
        EXPECT_DOUBLE_EQ(lrfd->lrfd.factored.shear[ix(c)], k.V);
        EXPECT_DOUBLE_EQ(lrfd->lrfd.factored.axial[ix(c)], k.P);
        testing::TempDir plainDir;
        auto plain = std::make_unique<mervik::Run>();
        ASSERT_EQ(runText(plainDir, plainInput(k), *plain), 0) << plainDir.read("messages.msg");
        const LoadCaseSummary& a = lrfd->caseResults.cases[ix(c)];
        const LoadCaseSummary& b = plain->caseResults.cases[1];
        EXPECT_NEAR(a.headDeflection, b.headDeflection, 1e-9 * std::fabs(b.headDeflection));
        EXPECT_NEAR(a.headSlope, b.headSlope, 1e-9 * std::fabs(b.headSlope));
        EXPECT_NEAR(a.maxMoment, b.maxMoment, 1e-9 * std::fabs(b.maxMoment));
        EXPECT_NEAR(a.headShear, k.V, 1e-6 * k.V);  // from the deflections near the head
    }
    // The last case is in lateral equilibrium: the soil carries the head shear and the wind load
    // 160 lb/in over 60 in, 9600 lbs.
    EXPECT_NEAR(testing::soilReaction(lrfd->nodes), 103500.0 + 9600.0, 0.01 * 113100.0);

    // Plot record 11 of every case: 0 points, the LRFD comment.
    const std::string plot = dir.read("plot.plt");
    for (int c = 1; c <= 3; ++c)
        EXPECT_NE(plot.find(std::string("    0") + sp(75) + "Line 11: Num. points on Ytop vs. Length curve for LRFD load case " +
                            std::to_string(c) + "\n"),
                  std::string::npos);
}

// The performance rows of the example: one section, Mcap = 0.75·Mn at the thrust of the
// combination; only combination 3 fails, so the run ends with warning 400 alone (result -400).
TEST(LrfdCases, ExamplePerformanceAndResultCode) {
    testing::TempDir dir;
    auto run = std::make_unique<mervik::Run>();
    ASSERT_EQ(testing::runExample(dir, kExample, *run), -400);
    const std::string report = dir.read("report.out");
    for (int c = 1; c <= 3; ++c) {
        SCOPED_TRACE(c);
        const Combination& k = kCombinations[c - 1];
        // The thrust list holds the sorted factored thrusts in kips.
        EXPECT_DOUBLE_EQ(run->model.axialThrusts.thrust[ix(k.thrustIndex)], k.P / 1000.0);
        const double capacity = 0.75 * run->eiTables.Mn[1][ix(k.thrustIndex)];
        const LoadCaseSummary& r = run->caseResults.cases[ix(c)];
        const double moment = r.sections[1].moment;
        const bool pass = capacity > std::fabs(moment);
        EXPECT_EQ(pass, c != 3);
        char fraction[16];
        std::snprintf(fraction, sizeof fraction, "%10.4f", moment / capacity);
        const std::string expected = "  " + std::to_string(c) + "       1" + sp(3) + realField(0.75) + sp(6) +
                                     realField(capacity) + sp(3) + realField(moment) + sp(3) + fraction + sp(3) +
                                     (pass ? "   Pass      " : " > FAIL <    ") + realField(r.sections[1].shear) +
                                     sp(3) + realField(r.headDeflection) + sp(3) + realField(r.headSlope) + sp(3);
        EXPECT_NE(report.find("\n" + expected), std::string::npos) << expected;
    }
    EXPECT_NE(report.find("\n\n1 LRFD load combinations have failed.\n"), std::string::npos);
    EXPECT_NE(report.find("**** Warning - Failure for One or More LRFD Load Cases ****"), std::string::npos);

    // Without the failing combination no warning is left: result 0.
    std::string passing = testing::readFile(std::filesystem::path(MERVIK_EXAMPLES) / kExample);
    passing.replace(passing.find("LRFD FACTORS AND CASES\n3"), 24, "LRFD FACTORS AND CASES\n2");
    const std::size_t third = passing.find("\n3 1.25 1.35") + 1;
    passing.erase(third, passing.find("END") - third);
    testing::TempDir passDir;
    auto passRun = std::make_unique<mervik::Run>();
    EXPECT_EQ(runText(passDir, passing, *passRun), 0) << passDir.read("messages.msg");
    EXPECT_NE(passDir.read("report.out").find("\n\nAll LRFD load combinations have passed for all pile sections.\n"),
              std::string::npos);
}

}  // namespace
}  // namespace mervik
