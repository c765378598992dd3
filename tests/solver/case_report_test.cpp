// Results of a load case: node quantities from the deflections by the difference formulas at
// the head (per boundary-condition type), inside the pile and at the tip; soil reaction and
// total stress; the maxima; the report in full and summary-only form with its equilibrium check;
// plot records 9 and 10. Every expected value is worked out by hand from the small pile below.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/run.hpp"
#include "solver/pile.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

std::string sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
// A report label tabbed to column 56 followed by "= ".
std::string label(const std::string& text) { return text + sp(55 - static_cast<int>(text.size())) + "= "; }
std::string lines(const std::vector<std::string>& all) {
    std::string text;
    for (const std::string& line : all) text += line + "\n";
    return text;
}

// A pile of five nodes, h = 2, L = 8, with the deflected shape
//   y(-1..6) = 0.9, 0.6, 0.4, 0.25, 0.12, 0.02, -0.02, -0.06   (y(6) = 2y(5) - y(4))
// EI = 100, 200, 300, 400, 500; Es = 4; q = 0; axial thrust P = 10; tip shear 0.7.
// Nodes 1-3 belong to section 1, nodes 4-5 to section 2.
//
// Moments M(k) = (y(k-1) - 2y(k) + y(k+1))·EI(k)/h²:
//   M(1) = (0.6 - 0.8 + 0.25)·100/4 = 1.25
//   M(2) = (0.4 - 0.5 + 0.12)·EI(2)/4 = 0.5 with EI(2) = EI(1) = 100, 1.0 with EI(2) = 200
//   M(3) = (0.25 - 0.24 + 0.02)·300/4 = 2.25
//   M(4) = (0.12 - 0.04 - 0.02)·400/4 = 6.0
//   M(5) = 0 (free tip)
class CaseReport : public testing::MemoryRunTest {
protected:
    void SetUp() override {
        testing::MemoryRunTest::SetUp();
        PileNodes& n = run->nodes;
        n.M = 5;
        n.h = 2.0;
        n.L = 8.0;
        const double y[] = {0.9, 0.6, 0.4, 0.25, 0.12, 0.02, -0.02, -0.06};
        for (int k = -1; k <= 6; ++k) n.y(k) = y[k + 1];
        for (int k = 1; k <= 5; ++k) {
            n.x[k] = 2.0 * (k - 1);
            n.EI[k] = 100.0 * k;
            n.Es[k] = 4.0;
            n.section[k] = k <= 3 ? 1 : 2;
        }
        run->solver.tipShear = 0.7;
        run->loadCase.P = 10.0;
        run->loadCase.type = 1;
        sections(kDrilledShaft);
        run->model.options.i_Analysis_Type = 3;
        run->model.options.printIncrement = 1;
    }

    // Two sections of the given type meeting at x = 4. The property points carry area 2 and
    // inertia 8 at the head, 4 and 16 at the tip, width 4 throughout.
    void sections(int type) {
        PileSections& s = run->model.sections;
        s.count = 2;
        s.section[1].sectionType = type;
        s.section[2].sectionType = type;
        s.propertyPointCount = 4;
        s.point[1] = {0.0, 4.0, 2.0, 8.0, 1.0};
        s.point[2] = {4.0, 4.0, 3.0, 12.0, 1.0};
        s.point[3] = {4.0, 4.0, 3.0, 12.0, 1.0};
        s.point[4] = {8.0, 4.0, 4.0, 16.0, 1.0};
    }
    void computeAll() {
        for (int k = 1; k <= run->nodes.M; ++k) computeNodeQuantities(*run, k);
    }
    double moment(int k) const { return run->nodes.moment[k]; }
    double slope(int k) const { return run->nodes.slope[k]; }
    double shear(int k) const { return run->nodes.shear[k]; }
};

constexpr double kTol = 1e-12;

// Head node by boundary-condition type. Shear at the head from the third difference,
//   V(1) = P·S(1) + EI(1)·(y(3) - 2y(2) + 2y(0) - y(-1))/(2h³)
//        = 10·(0.25 - 0.6)/4 + 100·(0.12 - 0.5 + 1.2 - 0.9)/16 = -0.875 - 0.5 = -1.375;
// type 5 uses one-sided differences into the pile,
//   slope = (4y(2) - 3y(1) - y(3))/(2h) = (1.0 - 1.2 - 0.12)/4 = -0.08,
//   V(1) = P·slope + (4M(2) - 3M(1) - M(3))/(2h) = -0.8 + (2.0 - 3.75 - 2.25)/4 = -1.8,
// and reports the imposed slope 0.003.
TEST_F(CaseReport, HeadNodeFollowsTheBoundaryType) {
    struct Case {
        int type;
        double slope, shear, caseShear;  // caseShear: the head shear of the case afterwards
    };
    const Case cases[] = {
        {1, -0.0875, -1.375, 55.0},
        {2, -0.0875, -1.375, 55.0},
        {3, -0.0875, -1.375, 55.0},
        {4, -0.0875, -1.375, -1.375},
        {5, 0.003, -1.8, -1.8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        run->loadCase.type = c.type;
        run->loadCase.V0 = 55.0;
        run->loadCase.S0 = 0.003;
        run->nodes.EI[2] = 200.0;
        computeNodeQuantities(*run, 1);
        EXPECT_NEAR(moment(1), 1.25, kTol);
        EXPECT_NEAR(slope(1), c.slope, kTol);
        EXPECT_NEAR(shear(1), c.shear, kTol);
        EXPECT_NEAR(run->loadCase.V0, c.caseShear, kTol);
        // The head increment takes the stiffness of the head for a nonlinear section.
        EXPECT_EQ(run->nodes.EI[2], 100.0);
    }
}

// Interior nodes: S(k) central difference, V(k) = P·S(k) + (M(k+1) - M(k-1))/(2h) with the
// stored moment above and the moment below from the deflections; the tip: M = 0,
// S = (y(5) - y(4))/h, V = the tip shear of the solver.
//   node 2: S = (0.12 - 0.4)/4 = -0.07,   V = -0.7 + (2.25 - 1.25)/4 = -0.45
//   node 3: S = (0.02 - 0.25)/4 = -0.0575, V = -0.575 + (6.0 - 0.5)/4 = 0.8
//   node 4: S = (-0.02 - 0.12)/4 = -0.035, V = -0.35 + (0 - 2.25)/4 = -0.9125
//   node 5: S = (-0.02 - 0.02)/2 = -0.02,  V = 0.7
TEST_F(CaseReport, InteriorAndTipNodes) {
    computeAll();
    const double M[] = {1.25, 0.5, 2.25, 6.0, 0.0};
    const double S[] = {-0.0875, -0.07, -0.0575, -0.035, -0.02};
    const double V[] = {-1.375, -0.45, 0.8, -0.9125, 0.7};
    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(moment(k), M[k - 1], kTol);
        EXPECT_NEAR(slope(k), S[k - 1], kTol);
        EXPECT_NEAR(shear(k), V[k - 1], kTol);
        EXPECT_NEAR(run->nodes.soilReaction[k], -4.0 * run->nodes.y(k), kTol);
    }
}

// An elastic section keeps its own stiffness at node 2: M(2) = 1.0, and V(3) uses it:
// V(3) = -0.575 + (6.0 - 1.0)/4 = 0.675. Total stress |P|/A + |M|·c/I with A and I
// interpolated between the property points and c = 2:
//   node 1: 10/2 + 1.25·2/8 = 5.3125;  node 2 (x = 2): 10/2.5 + 1.0·2/10 = 4.2;
//   node 3 (x = 4, on the section boundary): 10/3 + 2.25·2/12 = 3.708333...
TEST_F(CaseReport, ElasticSectionsKeepTheirStiffnessAndGiveStresses) {
    sections(kElasticPile);
    computeAll();
    EXPECT_EQ(run->nodes.EI[2], 200.0);
    EXPECT_NEAR(moment(2), 1.0, kTol);
    EXPECT_NEAR(shear(3), 0.675, kTol);
    EXPECT_NEAR(run->nodes.totalStress[1], 5.3125, kTol);
    EXPECT_NEAR(run->nodes.totalStress[2], 4.2, kTol);
    EXPECT_NEAR(run->nodes.totalStress[3], 10.0 / 3.0 + 0.375, kTol);
    EXPECT_NEAR(caseResults(*run).maxTotalStress, 5.3125, kTol);

    // Without an area the stress is not computed.
    run->model.sections.point[1].area = 0.0;
    computeNodeQuantities(*run, 1);
    EXPECT_EQ(run->nodes.totalStress[1], 0.0);
}

// An embedded pole's fibre distance is half its own width, not half the drilled hole.
TEST_F(CaseReport, EmbeddedPoleStressUsesThePoleWidth) {
    sections(kElasticPile);
    PileSection& s = run->model.sections.section[1];
    s.elasticShape = kShapeEmbeddedPole;
    s.topWidth = 1.0;
    s.bottomWidth = 3.0;
    s.topDepthX = 0.0;
    s.bottomDepthX = 4.0;
    computeAll();
    // node 3 (x = 4): pole width 3, c = 1.5: 10/3 + 2.25·1.5/12
    EXPECT_NEAR(run->nodes.totalStress[3], 10.0 / 3.0 + 2.25 * 1.5 / 12.0, kTol);
}

// With soil movement p = -(y - ys)·Es - q; a Not-a-Number reaction at zero deflection is 0.
TEST_F(CaseReport, SoilReactionWithMovementAndAtRest) {
    run->model.options.useSoilMovement = true;
    run->nodes.ys[1] = 0.1;
    run->nodes.q[1] = 0.5;
    computeNodeQuantities(*run, 1);
    EXPECT_NEAR(run->nodes.soilReaction[1], -(0.4 - 0.1) * 4.0 - 0.5, kTol);

    run->model.options.useSoilMovement = false;
    run->nodes.y(2) = 0.0;
    run->nodes.Es[2] = std::numeric_limits<double>::infinity();
    computeNodeQuantities(*run, 2);
    EXPECT_EQ(run->nodes.soilReaction[2], 0.0);
}

// Largest |M| and |V| with sign and depth, for the pile and per section.
TEST_F(CaseReport, MaximaOfThePileAndOfEachSection) {
    clearCaseMaxima(*run);
    computeAll();
    const CaseResults& r = caseResults(*run);
    EXPECT_NEAR(r.maxMoment, 6.0, kTol);
    EXPECT_EQ(r.maxMomentDepth, 6.0);
    EXPECT_NEAR(r.maxShear, -1.375, kTol);
    EXPECT_EQ(r.maxShearDepth, 0.0);
    EXPECT_NEAR(r.sectionMaxima[1].moment, 2.25, kTol);
    EXPECT_EQ(r.sectionMaxima[1].momentNode, 3);
    EXPECT_NEAR(r.sectionMaxima[1].shear, -1.375, kTol);
    EXPECT_EQ(r.sectionMaxima[1].shearNode, 1);
    EXPECT_NEAR(r.sectionMaxima[2].moment, 6.0, kTol);
    EXPECT_EQ(r.sectionMaxima[2].momentNode, 4);
    EXPECT_NEAR(r.sectionMaxima[2].shear, -0.9125, kTol);
    EXPECT_EQ(r.sectionMaxima[2].shearNode, 4);

    clearCaseMaxima(*run);
    EXPECT_EQ(caseResults(*run).maxMoment, 0.0);
    EXPECT_EQ(caseResults(*run).sectionMaxima[2].shearNode, 0);
}

// The full report of the elastic pile in SI units, type 1 with V0 = -1.375 and M0 = 1.0, print
// increment 2 (nodes 1, 3, 5), 7 iterations.
//
// Equilibrium of the increments (w = q - Es·y; the head uses the given moment M0 = 1.0):
//   1-2: V(1) = 100·(-0.08)/16 = -0.5, S(1) = -0.0875, V+PS = -1.375; at 2: (M3-M1)/4 = 0.25,
//        S = -0.07, V+PS = -0.45, M = 1.0; w = -1.6, -1.0
//        moment: (-1.375 - 1.6)·2 + 10·0.15 + 1.0 - 1.0 = -4.45
//        force:  -1.375 + 0.45 - 2.6 = -3.525
//   2-3: moment (-0.45 - 1.0)·2 + 1.3 + 1.0 - 2.25 = -2.85; force -0.45 - 0.675 - 1.48 = -2.605
//   3-4: moment (0.675 - 0.48)·2 + 1.0 + 2.25 - 6.0 = -2.36; force 0.675 + 0.9125 - 0.56 = 1.0275
//   4-5: moment (-0.9125 - 0.08)·2 + 0.4 + 6.0 = 4.415; force -0.9125 + 0 - 0.7 = -1.6125
// Largest: moment -4.45 and force -3.525, both at step 3; beyond the SI limit, so warned.
class CaseReportSi : public CaseReport {
protected:
    void SetUp() override {
        CaseReport::SetUp();
        sections(kElasticPile);
        run->model.options.IUNITS = kSI;
        run->units = makeUnitLabels(kSI);
        run->model.options.printIncrement = 2;
        run->model.loading.loadCaseCount = 3;
        run->loadCase.V0 = -1.375;
        run->loadCase.M0 = 1.0;
    }
};

const std::vector<std::string> kSiWarningReport = {
    "",
    "",
    "**** Warning - Possible Solution Error 5501 ****",
    "",
    "Force and moment imbalances may be too large for a good solution.",
    "",
    "The cause of the imbalance may be due to extreme changes in magnitude",
    "of nonlinear bending stiffness within the top three nodal points of the pile",
    "which may affect the finite difference computation of shear force.",
    "",
    "Please examine curves and printed output for deflection, moment, shear force,",
    "and number of iterations to determine if computed values are reasonable.",
    "If the shear force shows large changes, increase the number of nodal points",
    "(pile increments) and repeat the analysis.",
    "",
    "Maximum internal moment imbalance for pile        =     -4.45000 m-kN",
    "Maximum internal lateral force imbalance for pile =     -3.52500 kN",
};

TEST_F(CaseReportSi, FullReport) {
    writeLoadCaseReport(*run, 1, 7);
    std::vector<std::string> expected = {
        "",
        "",
        std::string(80, '-'),
        "                 Computed Values of Pile Loading and Deflection",
        "                   for Lateral Loading for Load Case Number 1",
        std::string(80, '-'),
        "",
        "Pile-head conditions are Shear and Moment (Loading Type 1)",
        "",
        label("Shear force at pile head") + "         -1.375 kN",
        label("Applied moment at pile head") + "          1.000 kN-m",
        label("Axial thrust load on pile head") + "         10.000 kN",
        "",
        "   Depth    Deflect.    Bending    Shear       Slope      Total    Bending   Soil Res.  Soil Spr.   Distrib. ",
        "     X         y        Moment     Force         S       Stress   Stiffness      p         Es*h    Lat. Load ",
        "   meters    meters      kN-m       kN        radians     kPa*      kN-m^2     kN/m        kN/m      kN/m    ",
        "---------- ---------- ---------- ---------- ---------- ---------- ---------- ---------- ---------- ----------",
        // x (width 10), y, M, V, S, stress, EI, p, Es·h (h/2 at the ends), q (width 11)
        "      0.00     0.4000     1.2500    -1.3750    -0.0875     5.3125   100.0000    -1.6000     4.0000      0.000",
        "     4.000     0.1200     2.2500     0.6750    -0.0575     3.7083   300.0000    -0.4800     8.0000      0.000",
        "     8.000    -0.0200      0.000     0.7000    -0.0200     2.5000   500.0000     0.0800     4.0000      0.000",
        "",
        "* The above values of total stress are combined axial and bending stress. ",
        "",
    };
    expected.insert(expected.end(), kSiWarningReport.begin(), kSiWarningReport.end());
    const std::vector<std::string> summary = {
        "",
        "Output Summary for Load Case No. 1:",
        "",
        "Pile-head deflection             =      0.40000 meters",
        "Computed slope at pile head      =     -0.08750 radians",
        "Maximum bending moment           =      6.00000 kN-m",
        "Maximum shear force              =     -1.37500 kN",
        "Depth of maximum bending moment  =      6.00000 meters below pile head",
        "Depth of maximum shear force     =       0.0000 meters below pile head",
        "Number of iterations             =            7",
        "Number of zero deflection points =            1",
        "",
    };
    expected.insert(expected.end(), summary.begin(), summary.end());
    EXPECT_EQ(report(), lines(expected));

    const CaseResults& r = caseResults(*run);
    EXPECT_NEAR(r.maxMomentImbalance, -4.45, 1e-12);
    EXPECT_EQ(r.momentImbalanceNode, 3);
    EXPECT_NEAR(r.maxForceImbalance, -3.525, 1e-12);
    EXPECT_EQ(r.forceImbalanceNode, 3);

    EXPECT_EQ(messages(), lines({
        "**** Warning - Possible Solution Error 550 ****",
        "",
        "Force and moment imbalances may be too large for a good solution.",
        "",
        "The cause of the imbalance may be due to extreme changes in magnitude",
        "of nonlinear bending stiffness within three nodal points of the top of the pile",
        "which may affect the finite difference computation of shear force.",
        "",
        "Please examine curves and printed output for deflection, moment, shear force,",
        "and number of iterations to determine if computed values are reasonable.",
        "If the shear force shows large changes, increase the number of nodal points",
        "(pile increments) and repeat the analysis.",
        "",
        "Maximum internal moment imbalance for pile solution         = -4.45000E+00 m-kN at node 3",
        "Maximum internal lateral force imbalance for pile  solution = -3.52500E+00 kN at node 3",
    }));

    // Record 9 for case 1, then one record 10 per node.
    const std::string plot = this->plot();
    EXPECT_EQ(plot.substr(0, plot.find('\n') + 1),
              "    3    5    2" + sp(65) + "Line 9:  No. loads, No. nodes, iunits: 1 = USCS, 2 = SI\n");
    EXPECT_NE(plot.find("  4.0000000E+00  1.2000000E-01  2.2500000E+00  6.7500000E-01 -4.8000000E-01  3.0000000E+02"
                        " Line 10(  3): nodal depth, y, M, V, p, EI\n"),
              std::string::npos);
    int records10 = 0;
    for (std::size_t at = plot.find("Line 10("); at != std::string::npos; at = plot.find("Line 10(", at + 1)) ++records10;
    EXPECT_EQ(records10, 5);

    // The record of the case for the summaries.
    const LoadCaseSummary& c = r.cases[1];
    EXPECT_EQ(c.headDeflection, 0.4);
    EXPECT_NEAR(c.headSlope, -0.0875, 1e-12);
    EXPECT_NEAR(c.headShear, -1.375, 1e-12);
    EXPECT_NEAR(c.headMoment, 1.25, 1e-12);
    EXPECT_NEAR(c.maxMoment, 6.0, 1e-12);
    EXPECT_EQ(c.maxMomentDepth, 6.0);
    EXPECT_NEAR(c.sections[2].moment, 6.0, 1e-12);
}

// Summary only: no heading, table or summary; the imbalance warning is written regardless and
// the plot records and the case record are kept. Case 2 writes no record 9.
TEST_F(CaseReportSi, SummaryOnly) {
    run->model.options.printSummaryOnly = true;
    writeLoadCaseReport(*run, 2, 7);
    EXPECT_EQ(report(), lines(kSiWarningReport));
    EXPECT_EQ(plot().find("Line 9:"), std::string::npos);
    EXPECT_NE(plot().find("Line 10(  5)"), std::string::npos);
    EXPECT_NEAR(caseResults(*run).cases[2].maxMoment, 6.0, 1e-12);
}

// Stiffness mode: nothing but the record of the case (the imbalance warning aside).
TEST_F(CaseReportSi, StiffnessModeWritesNoPlotRecords) {
    run->model.options.printSummaryOnly = true;
    caseResults(*run).stiffnessMode = true;
    writeLoadCaseReport(*run, 1, 7);
    EXPECT_EQ(plot(), "");
    EXPECT_NEAR(caseResults(*run).cases[1].headMoment, 1.25, 1e-12);
}

// An LRFD case names its combination under the heading.
TEST_F(CaseReportSi, LrfdHeading) {
    run->loadCase.lrfd = true;
    run->model.lrfd.combinationCount = 2;
    run->model.lrfd.combination[2].combinationName = "Strength I";
    writeLoadCaseReport(*run, 2, 7);
    const std::string expected = lines({
        "",
        "",
        std::string(80, '-'),
        "                 Computed Values of Pile Loading and Deflection",
        "                 for Lateral Loading for LRFD Load Case Number 2",
        std::string(80, '-'),
        "",
        "",
        "Load Case No. 2:  Strength I" + sp(256 - 10),
        "",
        "",
        "Pile-head conditions are Shear and Moment (Loading Type 1)",
    });
    EXPECT_EQ(report().substr(0, expected.size()), expected);
}

// An unloaded pile balances exactly: the verification line, no warning; deflections below
// 1e-20 print and plot as 0. With GENERAL units there are no labelled blocks and no line.
TEST_F(CaseReport, UnloadedPileIsVerified) {
    run->model.options.IUNITS = kUSCS;
    run->units = makeUnitLabels(kUSCS);
    run->model.options.printSummaryOnly = true;
    for (int k = -1; k <= 6; ++k) run->nodes.y(k) = 1e-21;
    run->solver.tipShear = 0.0;
    run->loadCase.P = 0.0;
    writeLoadCaseReport(*run, 1, 6);
    EXPECT_EQ(report(), "");  // summary only: no verification line either

    SetUp();
    run->model.options.IUNITS = kUSCS;
    run->units = makeUnitLabels(kUSCS);
    run->model.options.i_Analysis_Type = 2;  // no table rows: only the labelled blocks
    for (int k = -1; k <= 6; ++k) run->nodes.y(k) = 1e-21;
    run->solver.tipShear = 0.0;
    run->loadCase.P = 0.0;
    writeLoadCaseReport(*run, 1, 6);
    EXPECT_NE(report().find("\n\nOutput Verification: Computed forces and moments are within specified convergence "
                            "limits.\n\n\nOutput Summary for Load Case No. 1:\n"),
              std::string::npos);
    EXPECT_NE(report().find("Pile-head deflection             =       0.0000 inches\n"), std::string::npos);
    EXPECT_NE(report().find("Number of zero deflection points =            0\n"), std::string::npos);
    EXPECT_EQ(report().find("Warning"), std::string::npos);
    EXPECT_EQ(messages(), "");
    EXPECT_NE(plot().find("\n  0.0000000E+00  0.0000000E+00"), std::string::npos);

    SetUp();
    run->model.options.IUNITS = kGeneral;
    run->units = makeUnitLabels(kGeneral);
    run->model.options.i_Analysis_Type = 2;
    for (int k = -1; k <= 6; ++k) run->nodes.y(k) = 0.0;
    run->solver.tipShear = 0.0;
    writeLoadCaseReport(*run, 1, 6);
    EXPECT_EQ(report(), lines({"", "", std::string(80, '-'),
                               "                 Computed Values of Pile Loading and Deflection",
                               "                   for Lateral Loading for Load Case Number 1",
                               std::string(80, '-'), ""}));
}

// Pile-head condition blocks of the five boundary types (US units).
TEST_F(CaseReport, HeadConditionBlocks) {
    struct Case {
        int type;
        double first, second;
        std::vector<std::string> block;
    };
    const Case cases[] = {
        {1, 1500.0, -25000.0,
         {"Pile-head conditions are Shear and Moment (Loading Type 1)", "",
          label("Shear force at pile head") + "       1500.000 lbs",
          label("Applied moment at pile head") + "     -25000.000 in-lbs",
          label("Axial thrust load on pile head") + "     100000.000 lbs", ""}},
        {2, 1500.0, 0.0,
         {"Pile-head conditions are Shear and Pile-head Rotation (Loading Type 2)", "",
          label("Shear force at pile head") + "       1500.000 lbs",
          label("Rotation of pile head") + "      0.000E+00 radians",
          label("Axial load at pile head") + "     100000.000 lbs", "",
          "(Zero slope for this load indicates fixed-head conditions)", ""}},
        {2, 1500.0, 0.001,
         {"Pile-head conditions are Shear and Pile-head Rotation (Loading Type 2)", "",
          label("Shear force at pile head") + "       1500.000 lbs",
          label("Rotation of pile head") + "      1.000E-03 radians",
          label("Axial load at pile head") + "     100000.000 lbs", "",
          "(Non-zero slope for this load does indicates rotated pile-head condition)", ""}},
        {3, 1500.0, 2.5e6,
         {"Pile-head conditions are Shear and Rotational Stiffness (Loading Type 3)",
          label("Shear force at pile head") + "       1500.000 lb",
          label("Rotational stiffness") + "    2500000.000 in-lb/rad",
          label("Axial load at pile head") + "     100000.000 lbs", ""}},
        {4, 0.25, -25000.0,
         {"Pile-head conditions are Displacement and Moment (Loading Type 4)",
          label("Displacement of pile head") + "       0.250000 inches",
          label("Moment at pile head") + "     -25000.000 in-lbs",
          label("Axial load at pile head") + "     100000.000 lbs", ""}},
        {5, 0.25, -0.002,
         {"Pile-head conditions are Displacement and Pile-head Rotation (Loading Type 5)",
          label("Displacement of pile head") + "       0.250000 inches",
          label("Rotation of pile head") + "     -2.000E-03 radians",
          label("Axial load on pile head") + "     100000.000 lbs", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        SetUp();
        run->model.options.IUNITS = kUSCS;
        run->units = makeUnitLabels(kUSCS);
        LoadCaseConditions& lc = run->loadCase;
        lc.type = c.type;
        lc.P = 100000.0;
        (c.type <= 3 ? lc.V0 : lc.Y0) = c.first;
        (c.type == 1 || c.type == 4 ? lc.M0 : c.type == 3 ? lc.Ktheta : lc.S0) = c.second;
        writeLoadCaseReport(*run, 1, 6);
        const std::string heading = std::string(80, '-') + "\n\n";
        const std::size_t from = report().find(heading, 100) + heading.size();
        EXPECT_EQ(report().substr(from, report().find("   Depth    Deflect.") - from), lines(c.block));
    }
}

// A print increment of 5 on 101 nodes prints nodes 1, 6, ..., 101 (depths 0, 5, ..., 100);
// the note after the table is the long one for nonlinear sections.
TEST_F(CaseReport, PrintIncrementSelectsTheRows) {
    PileNodes& n = run->nodes;
    n.M = 101;
    n.h = 1.0;
    for (int k = -1; k <= 102; ++k) n.y(k) = 0.0;
    for (int k = 1; k <= 101; ++k) {
        n.x[k] = k - 1.0;
        n.section[k] = 1;
        n.EI[k] = 1.0;
    }
    run->model.options.IUNITS = kGeneral;
    run->units = makeUnitLabels(kGeneral);
    run->model.options.printIncrement = 5;
    writeLoadCaseReport(*run, 2, 6);
    std::vector<std::string> rows;
    const std::string& text = report();
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        if (line.size() == 109) rows.push_back(line.substr(0, 10));
        at = end + 1;
    }
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows[0], "      0.00");
    EXPECT_EQ(rows[1], "     5.000");
    EXPECT_EQ(rows[20], "   100.000");
    EXPECT_NE(text.find("\n\n* This analysis makes computations of pile response using nonlinear moment-curvature "
                        "relationships. \n"),
              std::string::npos);
}

// Zero-deflection points count sign changes between neighbours, y(M+1) included; a node
// exactly at 0 is no crossing.
TEST_F(CaseReport, ZeroDeflectionPoints) {
    run->model.options.IUNITS = kSI;
    run->units = makeUnitLabels(kSI);
    const double y[] = {0.0, 0.0, 0.3, -0.1, 0.0, 0.2, -0.4, 0.5};  // y(-1..6)
    for (int k = -1; k <= 6; ++k) run->nodes.y(k) = y[k + 1];
    writeLoadCaseReport(*run, 1, 6);
    // crossings: 0.3 -> -0.1 (node 1), 0.2 -> -0.4 (node 4), -0.4 -> 0.5 (node 5, with y(M+1));
    // -0.1 -> 0 -> 0.2 passes through a node at rest and is none
    EXPECT_NE(report().find("Number of zero deflection points =            3\n"), std::string::npos);
}

}  // namespace
}  // namespace mervik
