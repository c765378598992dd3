// Iteration of a load case: the thrust index, the secant bending stiffness taken from the
// moment-curvature relations (nonlinear and elastic-plastic sections, thrust interpolation, US
// units), the failure texts of runtime errors 9, 10 and 28, and the loop itself on a linear
// pile (acceptance not before iteration 6, iteration lines, no convergence within the limit).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "engine/units.hpp"
#include "solver/pile.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

std::string lines(const std::vector<std::string>& all) {
    std::string text;
    for (const std::string& line : all) text += line + "\n";
    return text;
}

// Text of a channel between two markers (the first marker excluded).
std::string between(const std::string& text, const std::string& from, const std::string& to) {
    const std::size_t a = text.find(from);
    if (a == std::string::npos) return "<no start marker>";
    const std::size_t b = text.find(to, a + from.size());
    if (b == std::string::npos) return "<no end marker>";
    return text.substr(a + from.size(), b - a - from.size());
}

void setUnits(Run& run, int IUNITS) {
    run.model.options.IUNITS = IUNITS;
    run.units = makeUnitLabels(IUNITS);
}

// ------------------------------------------------------------------ thrust index

struct ThrustIndexCase {
    int IUNITS;
    std::vector<double> thrusts;  // kips in US units, otherwise the force unit
    double P;                     // thrust of the case in computation units (pounds in US units)
    int expected;
};

class ThrustIndex : public testing::MemoryRunTest {};

TEST_F(ThrustIndex, LargestThrustNotAboveTheCaseThrust) {
    const ThrustIndexCase cases[] = {
        {kSI, {10.0, 20.0, 30.0}, 5.0, 1},      // below the first entry
        {kSI, {10.0, 20.0, 30.0}, 10.0, 1},
        {kSI, {10.0, 20.0, 30.0}, 19.999, 1},
        {kSI, {10.0, 20.0, 30.0}, 20.0, 2},     // on an entry
        {kSI, {10.0, 20.0, 30.0}, 35.0, 3},     // beyond the last entry
        {kSI, {-50.0, 0.0, 40.0}, -10.0, 1},    // tension
        {kSI, {}, 25.0, 0},                     // no thrusts at all
        {kUSCS, {10.0, 20.0, 30.0}, 20000.0, 2},   // pounds against kips
        {kUSCS, {10.0, 20.0, 30.0}, 29999.0, 2},
        {kGeneral, {10.0, 20.0, 30.0}, 25.0, 2},
    };
    for (const ThrustIndexCase& c : cases) {
        start();
        setUnits(*run, c.IUNITS);
        run->model.axialThrusts.count = static_cast<int>(c.thrusts.size());
        for (std::size_t i = 0; i < c.thrusts.size(); ++i) run->model.axialThrusts.thrust[i + 1] = c.thrusts[i];
        EXPECT_EQ(thrustIndexFor(*run, c.P), c.expected) << "IUNITS " << c.IUNITS << ", P = " << c.P;
    }
}

// ------------------------------------------------------------------ bending stiffness update
//
// A pile of 5 nodes, h = 1. The deflections are built from prescribed curvatures
// phi(k) = y(k-1) - 2 y(k) + y(k+1) at nodes 1 to 4 (y(-1) = y(0) = y(1) = 0), so that the
// moment at node k is phi(k) times the node's current EI. The relation of thrust 1 has the
// points (phi, M, EI) = (0.001, 10, 10000), (0.002, 18, 9000), (0.004, 24, 6000); that of
// thrust 2 doubles every moment.

class BendingStiffness : public testing::MemoryRunTest {
protected:
    void SetUp() override {
        MemoryRunTest::SetUp();
        setUnits(*run, kSI);
        run->model.options.i_Analysis_Type = 3;
        run->model.sections.count = 1;
        run->model.sections.section[1].sectionType = kSteelPipePile;
        PileNodes& n = run->nodes;
        n.M = 5;
        n.h = 1.0;
        n.L = 4.0;
        for (int k = 1; k <= 5; ++k) {
            n.x[k] = k - 1.0;
            n.z[k] = k - 1.0;
            n.section[k] = 1;
        }
        relation(1, 1.0);
        relation(2, 2.0);
    }

    void relation(int t, double factor) {
        SectionEITables& r = run->eiTables;
        r.thrustCount = std::max(r.thrustCount, t);
        r.pointCount[1][t] = 3;
        const double phi[] = {0.001, 0.002, 0.004};
        const double M[] = {10.0, 18.0, 24.0};
        for (int i = 1; i <= 3; ++i) {
            r.phi[1][t][i] = phi[i - 1];
            r.M[1][t][i] = M[i - 1] * factor;
            r.EI[1][t][i] = M[i - 1] * factor / phi[i - 1];
        }
    }

    void thrusts(std::vector<double> list) {
        run->model.axialThrusts.count = static_cast<int>(list.size());
        for (std::size_t i = 0; i < list.size(); ++i) run->model.axialThrusts.thrust[i + 1] = list[i];
    }

    // Deflections from the curvatures of nodes 1 to 4.
    void curvatures(const std::vector<double>& phi) {
        PileNodes& n = run->nodes;
        n.deflection.fill(0.0);
        for (int k = 1; k <= 4; ++k) n.y(k + 1) = phi[static_cast<std::size_t>(k - 1)] + 2.0 * n.y(k) - n.y(k - 1);
        n.y(6) = 2.0 * n.y(5) - n.y(4);
    }

    void rigidities(std::vector<double> EI) {
        for (std::size_t k = 1; k <= EI.size(); ++k) run->nodes.EI[k] = EI[k - 1];
    }
};

struct SecantCase {
    double phi3;      // curvature at node 3
    double EI3;       // rigidity of node 3 before the update
    double expected;  // secant rigidity worked out from the relation
    bool beyond;
};

TEST_F(BendingStiffness, SecantOfTheRelationAtTheNodeCurvature) {
    const SecantCase cases[] = {
        {0.0005, 10000.0, 10000.0, false},          // below the first curvature: initial EI
        {0.003, 3000.0, 10000.0, false},            // moment 9 below the first moment: initial EI
        {0.0015, 10000.0, 14.0 / 0.0015, false},    // M = 10 + 0.5 * 8 between points 1 and 2
        {0.003, 10000.0, 7000.0, false},            // M = 18 + 0.5 * 6 between points 2 and 3
        {-0.003, 10000.0, 7000.0, false},           // hogging: magnitudes count
        {0.004, 10000.0, 6000.0, true},             // on the last point
        {0.005, 10000.0, 4800.0, true},             // beyond it: 24 / 0.005
    };
    thrusts({100.0});
    for (const SecantCase& c : cases) {
        curvatures({0.0005, 0.0005, c.phi3, 0.0005});
        rigidities({5555.0, 5555.0, c.EI3, 5555.0, 5555.0});
        run->nodes.beyondRelation.fill(true);
        run->nodes.pileBeyondRelation = true;
        run->loadCase.P = 100.0;

        updateBendingStiffness(*run, 1);

        const PileNodes& n = run->nodes;
        EXPECT_NEAR(n.EI[3], c.expected, 1e-6) << "phi3 = " << c.phi3 << ", EI3 = " << c.EI3;
        // Every other node is at small curvature (the tip at zero moment): initial rigidity.
        for (int k : {1, 2, 4, 5}) EXPECT_DOUBLE_EQ(n.EI[k], 10000.0) << "node " << k << ", phi3 = " << c.phi3;
        for (int k : {1, 2, 4, 5}) EXPECT_FALSE(n.beyondRelation[k]) << "node " << k;
        EXPECT_EQ(n.beyondRelation[3], c.beyond) << "phi3 = " << c.phi3;
        EXPECT_EQ(n.pileBeyondRelation, c.beyond) << "phi3 = " << c.phi3;
        EXPECT_EQ(run->errorNumber, 0);
    }
}

struct ThrustCase {
    double P;    // pounds
    double EI1;  // lb-in^2 after the update
    double EI3;
};

// US units: nodes in pounds and lb-in^2, relations in kips and kip-in^2, thrusts 100 and 300
// kips. Node 3 (phi 0.003, EI 1e7 lb-in^2) carries 30 kip-in: 7000 kip-in^2 from thrust 1,
// 42 / 0.003 = 14000 from thrust 2. Node 1 is at its initial rigidity: 10000 and 20000.
TEST_F(BendingStiffness, InterpolatedBetweenThrustsInUsUnits) {
    setUnits(*run, kUSCS);
    thrusts({100.0, 300.0});
    const ThrustCase cases[] = {
        {150000.0, 1.25e7, 8.75e6},  // a quarter of the way: EI2 - (EI2 - EI1) * 150 / 200
        {250000.0, 1.75e7, 12.25e6},
        {300000.0, 2.0e7, 1.4e7},    // last thrust: no interpolation
        {100000.0, 1.0e7, 7.0e6},    // on the first thrust: no interpolation
        {50000.0, 1.0e7, 7.0e6},     // below it
    };
    for (const ThrustCase& c : cases) {
        curvatures({0.0005, 0.0005, 0.003, 0.0005});
        rigidities({1e7, 1e7, 1e7, 1e7, 1e7});
        run->loadCase.P = c.P;
        updateBendingStiffness(*run, thrustIndexFor(*run, c.P));
        EXPECT_NEAR(run->nodes.EI[1], c.EI1, 1e-3) << "P = " << c.P;
        EXPECT_NEAR(run->nodes.EI[3], c.EI3, 1e-3) << "P = " << c.P;
    }
}

// Nodes 1-2 elastic (type 11), nodes 3-5 elastic-plastic with a plastic moment of 20 and an
// elastic rigidity of 12000 from the pile properties.
TEST_F(BendingStiffness, ElasticSectionsKeepTheirRigidityAndPlasticNodesYield) {
    PileSections& s = run->model.sections;
    s.count = 2;
    s.section[1].sectionType = kElasticPile;
    s.section[2].sectionType = kElasticPlasticPile;
    s.pileLength = 4.0;
    s.propertyPointCount = 2;
    s.point[1] = {0.0, 0.5, 0.1, 0.5, 24000.0};
    s.point[2] = {4.0, 0.5, 0.1, 0.5, 24000.0};
    thrusts({100.0});
    for (int k = 1; k <= 5; ++k) {
        run->nodes.section[k] = k <= 2 ? 1 : 2;
        run->nodes.plasticMoment[k] = 20.0;
    }
    curvatures({0.05, 0.05, 0.003, 0.0005});
    rigidities({5555.0, 5555.0, 10000.0, 10000.0, 10000.0});

    updateBendingStiffness(*run, 1);

    const PileNodes& n = run->nodes;
    EXPECT_DOUBLE_EQ(n.EI[1], 5555.0);
    EXPECT_DOUBLE_EQ(n.EI[2], 5555.0);
    EXPECT_NEAR(n.EI[3], 20.0 / 0.003, 1e-6);  // moment 30 above Mp: Mp / phi
    EXPECT_NEAR(n.EI[4], 12000.0, 1e-6);       // moment 5 below Mp: elastic
    EXPECT_NEAR(n.EI[5], 12000.0, 1e-6);       // tip, zero moment: elastic
    EXPECT_FALSE(n.pileBeyondRelation);
}

// ------------------------------------------------------------------ failure texts

class IterationErrors : public testing::MemoryRunTest {};

TEST_F(IterationErrors, NotANumberNamesTheQuantity) {
    struct Case {
        bool top;
        int iteration;
        std::string text;
    };
    const Case cases[] = {
        {true, 7, "Top deflection is Not-A-Number after iteration 7"},
        {false, 12, "Maximum change in deflection is Not-A-Number after iteration 12"},
    };
    for (const Case& c : cases) {
        start();
        writeNotANumberError(*run, c.iteration, c.top);
        run->report.close();
        run->messages.close();
        EXPECT_EQ(report(), lines({"**** Runtime Error No. 28 ****", "", c.text}));
        EXPECT_EQ(messages(), "");
        EXPECT_EQ(run->errorNumber, 228);
    }
}

TEST_F(IterationErrors, ExcessDeflectionInBothFiles) {
    setUnits(*run, kUSCS);
    writeExcessDeflectionError(*run, -3.125, 2.5);
    run->report.close();
    run->messages.close();
    const std::string head = lines({"", "", "**** Runtime Error No. 9 ****", "",
                                    "An error in the analysis was detected by the program.  ", "",
                                    "Problem:  The computed deflection is larger than the specified excess deflection limit.",
                                    "", "The computed deflection of the pile head is  -3.1250E+00 in "});
    const std::string limit = "The specified excess deflection limit is      2.5000E+00 in \n";
    const std::string cause = "\nThis error may be due to overloading the pile or bad input data.\n";
    const std::string tail =
        lines({"Solution:  Please check input values for pile loading and soil properties for accuracy ", "",
               "and/or increase the diameter and/or length of the pile if necessary.", ""});
    EXPECT_EQ(report(), head + "\n" + limit + cause + "\n\n" + tail +
                            lines({"", "", "Mervik ended prematurely due to runtime error number RUN00009"}));
    EXPECT_EQ(messages(), head + limit + cause + "\n" + tail);
    EXPECT_EQ(run->errorNumber, 209);
}

TEST_F(IterationErrors, NoConvergenceFullText) {
    setUnits(*run, kUSCS);
    writeNoConvergenceError(*run, 100, 5.5e-5, 1.0e-5, 1.0e-5);
    run->report.close();
    const std::string d36(36, '-'), d77(77, '-');
    EXPECT_EQ(report(),
              lines({"", "", d36, "  ****  Runtime Error No. 10  ****  ", d36, "",
                     "The analysis failed to converge within the limit of 100 iterations.", "",
                     "Maximum change in nodal deflections                      =   5.5000E-05 in ", "",
                     "Maximum change in nodal deflections from prior iteration =   1.0000E-05 in ", "",
                     "Specified convergence tolerance on nodal deflections     =   1.0000E-05 in ", "", "", d77,
                     "         Analysis of Convergence Performance and Recommendations for         ",
                     "         Modification of Iterations Limit and Convergence Tolerance          ", d77, "",
                     "The following recommendations are made on the basis of an analysis of ",
                     "convergence performancefor the last analysis. ", "",
                     // 100 + (5.5E-5 - 1E-5) / 1E-5 = 104.5
                     "The estimated number of iterations needed to obtain a solution for the current convergence ",
                     "tolerance value is 104 iterations.", "",
                     "A solution may be possible by increasing the maximum number of iterations to above this value.",
                     "The current value for convergence tolerance is less than the recommended upper limit of ",
                     "0.0001 inches, so a solution is possible if the convergence tolerance is raised to a value ",
                     "greater than   5.5000E-05 in .", "",
                     "It is recommended that the convergence tolerance not be raised above 0.0001 inches.", "", "", "",
                     "Mervik ended prematurely due to runtime error number RUN00010"}));
    EXPECT_EQ(run->errorNumber, 210);
}

struct ConvergenceCase {
    const char* what;
    int IUNITS;
    int Nmax;
    double dYmax, delta, tol;
    std::vector<std::string> recommendations;  // the lines after the heading of the analysis
};

std::vector<std::string> estimate(const std::string& n) {
    return {"The estimated number of iterations needed to obtain a solution for the current convergence ",
            "tolerance value is " + n + " iterations.", ""};
}
std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
const std::vector<std::string> kCannot = {
    "The estimated number of iterations needed to obtain a solution cannot be computed.",
    "for the current convergence limit values.", ""};
const std::vector<std::string> kRaiseLimit = {
    "A solution may be possible by increasing the maximum number of iterations to above this value."};
const std::vector<std::string> kNotLikely = {
    "The analysis of convergence performance found that it is not likely that a ",
    "solution can be obtained by changing the solution criteria for this problem. ",
    "However, the maximum number of iterations is less than 1000, so a solution ",
    "may be obtained by raising the maximum number of iterations to 1000.", ""};
const std::vector<std::string> kNotPossible = {
    "The analysis of convergence performance found that it is not possible to obtain a ",
    "solution by changing the solution criteria for this problem. This indicates that  ",
    "the pile is loaded above its structural and/or geotechnical capacity."};
std::vector<std::string> toleranceAdvice(const std::string& limit, const std::string& value, const std::string& closing) {
    return {"The current value for convergence tolerance is less than the recommended upper limit of ",
            limit + ", so a solution is possible if the convergence tolerance is raised to a value ",
            "greater than   " + value + ".", "", closing, ""};
}

TEST_F(IterationErrors, ConvergenceRecommendationsByBranch) {
    const std::string usClosing = "It is recommended that the convergence tolerance not be raised above 0.0001 inches.";
    const ConvergenceCase cases[] = {
        {"US, many iterations: e = 1000 + 0.02149 / 2E-5 = 2074.5", kUSCS, 1000, 0.0215, 2.0e-5, 1.0e-5,
         estimate("2074") +
             std::vector<std::string>{
                 "The estimated number of iterations required to obtain a solution is greater than 1000, so a ",
                 "solution can only be obtained if the convergence tolerance is increased in value.", ""} +
             kNotPossible},
        {"US, coarse tolerance: e = 100 + 0.0005 / 0.0002 = 102.5", kUSCS, 100, 0.0015, 2.0e-4, 1.0e-3,
         estimate("102") + kNotLikely},
        {"US, estimate exactly 1000 with Nmax below it: 900 + 0.01005 / 1E-4", kUSCS, 900, 0.01105, 1.0e-4, 1.0e-3,
         estimate("1000")},
        {"US, dYmax between the single-precision 1E-4 and 1E-4: e = 100 + 8.9999999E-5 / 2E-5", kUSCS, 100,
         9.9999999e-5, 2.0e-5, 1.0e-5, estimate("104") + kRaiseLimit + kNotLikely},
        {"US, no change of dYmax and dYmax = tol: 0 / 0", kUSCS, 100, 5.0e-5, 0.0, 5.0e-5,
         kCannot + toleranceAdvice("0.0001 inches", "5.0000E-05 in ", usClosing)},
        {"US, no change of dYmax above the tolerance: infinite estimate", kUSCS, 100, 0.5, 0.0, 1.0e-3, kCannot},
        {"SI, no change of dYmax and dYmax = tol", kSI, 100, 1.0e-6, 0.0, 1.0e-6,
         kCannot + toleranceAdvice("0.00000254 meters", "1.0000E-06 m  ",
                                   "It is recommended that the convergence tolerance not be raised above 2.54E-6 meters.")},
        {"SI, fine tolerance: e = 1000 + 1E-6 / 4E-7 = 1002.5", kSI, 1000, 2.0e-6, 4.0e-7, 1.0e-6,
         estimate("1002") +
             std::vector<std::string>{
                 "The estimated number of iterations required to obtain a solution is greater than 1,000, so a ",
                 "solution can only be obtained if the convergence tolerance is increased in value.", ""} +
             toleranceAdvice("0.00000254 meters", "2.0000E-06 m  ",
                             "It is recommended that the convergence tolerance not be raised above 0.00000254 meters.")},
        {"SI, coarse tolerance: e = 100 + 0.0005 / 0.0002", kSI, 100, 0.0015, 2.0e-4, 1.0e-3,
         estimate("102") + kNotLikely},
        {"GENERAL: the estimate only", kGeneral, 100, 5.5e-5, 1.0e-5, 1.0e-5, estimate("104")},
        {"GENERAL, no estimate", kGeneral, 100, 5.0e-5, 0.0, 5.0e-5, kCannot},
    };
    for (const ConvergenceCase& c : cases) {
        start();
        setUnits(*run, c.IUNITS);
        writeNoConvergenceError(*run, c.Nmax, c.dYmax, c.delta, c.tol);
        run->report.close();
        EXPECT_EQ(between(report(), "convergence performancefor the last analysis. \n\n",
                          "\n\nMervik ended prematurely due to runtime error number RUN00010\n"),
                  lines(c.recommendations))
            << c.what;
        EXPECT_EQ(run->errorNumber, 210) << c.what;
    }
}

// ------------------------------------------------------------------ the loop
//
// A linear problem: no soil layers (the moduli stay as set), elastic sections, constant EI
// and Es. The first solution gives the deflections; every later one repeats them, so dYmax is
// 0 from iteration 2 on, well within the tolerance.

class IterationLoop : public testing::MemoryRunTest {
protected:
    void SetUp() override {
        MemoryRunTest::SetUp();
        setUnits(*run, kGeneral);
        ProgramOptions& o = run->model.options;
        o.i_Analysis_Type = 3;
        o.maxIterations = 30;
        o.convergenceTolerance = 1.0e-5;
        o.maxDeflection = 100.0;
        run->model.sections.count = 1;
        run->model.sections.section[1].sectionType = kElasticPile;
        run->model.loading.loadCaseCount = 3;
        PileNodes& n = run->nodes;
        n.M = 41;
        n.h = 1.0;
        n.L = 40.0;
        for (int k = 1; k <= n.M; ++k) {
            n.x[k] = k - 1.0;
            n.z[k] = k - 1.0;
            n.EI[k] = 1.0e6;
            n.Es[k] = 100.0;
            n.section[k] = 1;
        }
        // Left-overs of an earlier case that the start of a case must clear.
        for (int k = -1; k <= n.M + 1; ++k) n.y(k) = 7.0;
        run->solver.previous.fill(7.0);
    }
    void loadCase(int j, int type, double first, double second, double P) {
        run->model.loading.loadCase[j] = PileHeadLoad{type, first, second, P, false};
    }
};

TEST_F(IterationLoop, UnloadedCaseIsAcceptedAtIterationSix) {
    loadCase(3, 2, 0.0, 0.0, 0.0);
    EXPECT_EQ(iterateLoadCase(*run, 3), 6);
    EXPECT_EQ(run->errorNumber, 0);
    run->messages.close();
    run->report.close();
    // Six progress lines, labels at columns 1, 20 and 36; the cleared pile stays straight.
    std::vector<std::string> got;
    std::size_t start = 0;
    for (std::size_t end; (end = messages().find('\n', start)) != std::string::npos; start = end + 1) {
        got.push_back(messages().substr(start, end - start));
    }
    ASSERT_EQ(got.size(), 6u);
    for (int it = 1; it <= 6; ++it) {
        const std::string line = "Analysis Case 3,   Iteration " + std::to_string(it) + ",    Y(top) =  0.0000E+00, dYmax =  0.0000E+00, Node ";
        EXPECT_EQ(got[static_cast<std::size_t>(it - 1)].substr(0, line.size()), line);
    }
    // Iterations 26 to 30 would be listed in the report; none was reached.
    EXPECT_EQ(report(), "");
    EXPECT_EQ(run->loadCase.caseNumber, 3);
    EXPECT_EQ(run->loadCase.type, 2);
}

TEST_F(IterationLoop, BoundaryValuesOfTheCaseByType) {
    struct Case {
        int type;
        double V0, M0, S0, Ktheta, Y0;
    };
    const Case cases[] = {
        {1, 11.0, 22.0, 0.0, 0.0, 0.0},
        {2, 11.0, 0.0, 22.0, 0.0, 0.0},
        {3, 11.0, 0.0, 0.0, 22.0, 0.0},
        {4, 0.0, 22.0, 0.0, 0.0, 11.0},
        {5, 0.0, 0.0, 22.0, 0.0, 11.0},
    };
    for (const Case& c : cases) {
        run->loadCase = LoadCaseConditions{};
        run->errorNumber = 0;
        loadCase(2, c.type, 11.0, 22.0, 33.0);
        iterateLoadCase(*run, 2);
        const LoadCaseConditions& lc = run->loadCase;
        EXPECT_EQ(lc.caseNumber, 2);
        EXPECT_EQ(lc.type, c.type);
        EXPECT_EQ(lc.V0, c.V0) << "type " << c.type;
        EXPECT_EQ(lc.M0, c.M0) << "type " << c.type;
        EXPECT_EQ(lc.S0, c.S0) << "type " << c.type;
        EXPECT_EQ(lc.Ktheta, c.Ktheta) << "type " << c.type;
        EXPECT_EQ(lc.Y0, c.Y0) << "type " << c.type;
        EXPECT_EQ(lc.P, 33.0) << "type " << c.type;
        EXPECT_FALSE(lc.lrfd);
    }
}

// The bending-stiffness update of every iteration takes only the moment at each node: the
// maxima of the case and the other node results are left for the report. A steel pipe section
// whose relation starts beyond every curvature of the pile keeps its initial rigidity, the
// nodes' own, so the deflections are those of the same pile with an elastic section.
TEST_F(IterationLoop, StiffnessUpdateLeavesTheCaseMaximaToTheReport) {
    loadCase(1, 1, 11.0, 22.0, 0.0);
    run->model.sections.section[1].sectionType = kElasticPile;
    ASSERT_EQ(iterateLoadCase(*run, 1), 6);
    std::vector<double> elastic;
    for (int k = -1; k <= run->nodes.M + 1; ++k) elastic.push_back(run->nodes.y(k));

    SetUp();  // a fresh run
    loadCase(1, 1, 11.0, 22.0, 0.0);
    run->model.axialThrusts.count = 1;  // one thrust, 0
    SectionEITables& r = run->eiTables;
    r.thrustCount = 1;
    r.pointCount[1][1] = 2;
    for (int i = 1; i <= 2; ++i) {
        r.phi[1][1][i] = i;
        r.M[1][1][i] = 1.0e6 * i;
        r.EI[1][1][i] = 1.0e6;
    }
    run->model.sections.section[1].sectionType = kSteelPipePile;
    ASSERT_EQ(iterateLoadCase(*run, 1), 6);
    ASSERT_EQ(run->errorNumber, 0);

    const PileNodes& n = run->nodes;
    for (int k = -1; k <= n.M + 1; ++k) EXPECT_EQ(n.y(k), elastic[static_cast<std::size_t>(k + 1)]) << "node " << k;
    for (int k = 1; k <= n.M; ++k) {
        EXPECT_EQ(n.EI[k], 1.0e6) << "node " << k;
        EXPECT_EQ(n.moment[k], 0.0) << "node " << k;
        EXPECT_EQ(n.shear[k], 0.0) << "node " << k;
    }
    const CaseResults& results = run->caseResults;
    EXPECT_EQ(results.maxMoment, 0.0);
    EXPECT_EQ(results.maxShear, 0.0);
    EXPECT_EQ(results.maxTotalStress, 0.0);
    EXPECT_EQ(results.sectionMaxima[1].moment, 0.0);
    EXPECT_EQ(results.sectionMaxima[1].momentNode, 0);
    EXPECT_EQ(run->loadCase.V0, 11.0);

    // The report then finds the largest moment EI·y'' of the deflected pile (none at the tip).
    writeLoadCaseReport(*run, 1, 6);
    double largest = 0.0;
    for (int k = 1; k < n.M; ++k) {
        const double M = 1.0e6 * (n.y(k - 1) - 2.0 * n.y(k) + n.y(k + 1));
        if (std::abs(M) > std::abs(largest)) largest = M;
    }
    EXPECT_GT(std::abs(largest), 22.0);  // the head moment is not the largest
    EXPECT_NEAR(results.maxMoment, largest, 1e-9 * std::abs(largest));
    EXPECT_EQ(results.sectionMaxima[1].moment, results.maxMoment);
}

// An iterations limit of 5 ends the loop before a tolerance can be accepted: every iteration
// is among the last five and is listed in the report, then runtime error 10 follows. The case
// is of type 4, which the run sequence still reports.
TEST_F(IterationLoop, LimitReachedBeforeAcceptanceRaisesError10) {
    run->model.options.maxIterations = 5;
    loadCase(1, 4, 0.0, 0.0, 0.0);
    EXPECT_EQ(iterateLoadCase(*run, 1), 5);
    EXPECT_EQ(run->errorNumber, 210);
    EXPECT_EQ(run->loadCase.type, 4);
    run->report.close();
    const std::string text = "\n" + report();
    for (int it = 1; it <= 5; ++it) {
        const std::string line = "For Analysis Case 1, Iteration " + std::to_string(it) + ",    Y(top) =  0.0000E+00, dYmax =  0.0000E+00, Node ";
        EXPECT_NE(text.find("\n" + line), std::string::npos) << line;
    }
    EXPECT_EQ(text.find("Iteration 6,"), std::string::npos);
    EXPECT_NE(text.find("The analysis failed to converge within the limit of 5 iterations."), std::string::npos);
    // dYmax and its change are both 0: no finite estimate.
    EXPECT_NE(text.find("cannot be computed."), std::string::npos);
}

}  // namespace
}  // namespace mervik
