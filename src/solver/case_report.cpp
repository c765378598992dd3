// Results of a converged load case: the bending moment, slope, shear, soil reaction and stress
// of every node from the deflections, the report of the case with its equilibrium check, plot
// records 9 and 10, and the record of the case kept for the summaries.
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "report/layout.hpp"
#include "solver/pile.hpp"

namespace mervik {

namespace {

constexpr double kPrintedZero = 1e-20;                // smaller magnitudes print as 0
constexpr double kUsMomentImbalanceLimit = 1.0;       // in-lbs
constexpr double kSiMomentImbalanceLimit = 1.1298e-4; // kN-m (1 in-lb)
constexpr int kRealWidth = 12;                        // label lines of the case summary

std::size_t ix(int k) { return static_cast<std::size_t>(k); }

// Section type of the section node k belongs to; -1 when the node has no valid section.
int sectionTypeOfNode(const Run& run, int k) {
    const int s = run.nodes.section[ix(k)];
    if (s < 1 || s > run.model.sections.count || s > kMaxSections) return -1;
    return run.model.sections.section[ix(s)].sectionType;
}

bool elasticOrPlastic(int type) { return type == kElasticPile || type == kElasticPlasticPile; }

// Bending moment at node k from the curvature of the deflected shape, M = EI·y''.
double momentFromDeflections(const PileNodes& n, int k) {
    return (n.y(k - 1) - 2.0 * n.y(k) + n.y(k + 1)) * n.EI[ix(k)] / (n.h * n.h);
}

// Cross-section area, moment of inertia and the distance to the extreme fibre at node k: the
// area and inertia are interpolated linearly between the pile property points bracketing x(k)
// (the value of a point when x(k) falls on it); the fibre distance is half the pile width there,
// except for an embedded pole, whose pile width is not the drilled-hole diameter of the points.
struct FibreProperties {
    double area = 0.0, inertia = 0.0, halfWidth = 0.0;
};

FibreProperties fibrePropertiesAt(const Run& run, int k) {
    const PileSections& piles = run.model.sections;
    const double x = run.nodes.x[ix(k)];
    FibreProperties f;
    const int n = std::min(piles.propertyPointCount, 2 * kMaxSections);
    if (n < 1) return f;
    int p = 2;
    while (p <= n && x > piles.point[ix(p)].depth) ++p;
    double width = 0.0;
    if (n == 1 || p > n) {
        const PilePropertyPoint& last = piles.point[ix(n)];
        f.area = last.area;
        f.inertia = last.inertia;
        width = last.diameter;
    } else {
        const PilePropertyPoint& a = piles.point[ix(p - 1)];
        const PilePropertyPoint& b = piles.point[ix(p)];
        const double span = b.depth - a.depth;
        const double t = span != 0.0 ? (x - a.depth) / span : 1.0;
        auto along = [t](double va, double vb) { return t == 1.0 ? vb : va + t * (vb - va); };
        f.area = along(a.area, b.area);
        f.inertia = along(a.inertia, b.inertia);
        width = along(a.diameter, b.diameter);
    }
    const int s = run.nodes.section[ix(k)];
    if (s >= 1 && s <= piles.count && s <= kMaxSections) {
        const PileSection& section = piles.section[ix(s)];
        if (elasticOrPlastic(section.sectionType) && section.elasticShape == kShapeEmbeddedPole) {
            const double length = section.bottomDepthX - section.topDepthX;
            const double t = length != 0.0 ? (x - section.topDepthX) / length : 0.0;
            width = section.topWidth + t * (section.bottomWidth - section.topWidth);
        }
    }
    f.halfWidth = 0.5 * width;
    return f;
}

std::string padded(std::string_view text, std::size_t width) {
    std::string s(text.substr(0, std::min(text.size(), width)));
    s.resize(width, ' ');
    return s;
}

double printed(double v) { return std::abs(v) < kPrintedZero ? 0.0 : v; }

// ---------------------------------------------------------------- report blocks

void writeHeading(Run& run, int j) {
    Channel& out = run.report;
    const std::string rule(80, '-');
    writeBlankLines(out, 2);
    writeTextLine(out, rule);
    writeTextLine(out, std::string(17, ' ') + "Computed Values of Pile Loading and Deflection");
    if (run.loadCase.lrfd) {
        Line(out).blanks(17).text("for Lateral Loading for LRFD Load Case Number ").i(j, 0).end();
    } else {
        Line(out).blanks(19).text("for Lateral Loading for Load Case Number ").i(j, 0).end();
    }
    writeTextLine(out, rule);
    writeBlankLines(out, 1);
    if (run.loadCase.lrfd) {
        std::string_view name;
        if (j >= 1 && j <= run.model.lrfd.combinationCount && j <= kMaxLrfd)
            name = run.model.lrfd.combination[ix(j)].combinationName;
        writeBlankLines(out, 1);
        Line(out).text("Load Case No. ").i(j, 0).text(":  ").text(padded(name, 256)).end();
        writeBlankLines(out, 2);
    }
}

// One condition line: label, "= " at column 56, the value and its unit.
void conditionLine(Channel& out, std::string_view label, double value, int form, std::string_view unit) {
    Line line(out);
    line.text(label).tab(56).text("= ");
    if (form == 0) line.f(value, 15, 3);
    else if (form == 1) line.f(value, 15, 6);
    else line.es(value, 15, 3);
    line.text(unit).end();
}

void writeHeadConditions(Run& run) {
    Channel& out = run.report;
    const LoadCaseConditions& lc = run.loadCase;
    const bool us = run.model.options.IUNITS == kUSCS;
    const std::string_view force = us ? " lbs" : " kN";
    const std::string_view moment = us ? " in-lbs" : " kN-m";
    const std::string_view length = us ? " inches" : " meters";
    constexpr int kFixed3 = 0, kFixed6 = 1, kScientific = 2;
    switch (lc.type) {
        case 1:
            writeTextLine(out, "Pile-head conditions are Shear and Moment (Loading Type 1)");
            writeBlankLines(out, 1);
            conditionLine(out, "Shear force at pile head", lc.V0, kFixed3, force);
            conditionLine(out, "Applied moment at pile head        ", lc.M0, kFixed3, moment);
            conditionLine(out, "Axial thrust load on pile head     ", lc.P, kFixed3, force);
            writeBlankLines(out, 1);
            break;
        case 2:
            writeTextLine(out, "Pile-head conditions are Shear and Pile-head Rotation (Loading Type 2)");
            writeBlankLines(out, 1);
            conditionLine(out, "Shear force at pile head", lc.V0, kFixed3, force);
            conditionLine(out, "Rotation of pile head   ", lc.S0, kScientific, " radians");
            conditionLine(out, "Axial load at pile head ", lc.P, kFixed3, force);
            writeBlankLines(out, 1);
            writeTextLine(out, std::abs(lc.S0) < 1e-10
                                   ? "(Zero slope for this load indicates fixed-head conditions)"
                                   : "(Non-zero slope for this load does indicates rotated pile-head condition)");
            writeBlankLines(out, 1);
            break;
        case 3:
            writeTextLine(out, "Pile-head conditions are Shear and Rotational Stiffness (Loading Type 3)");
            conditionLine(out, "Shear force at pile head", lc.V0, kFixed3, us ? " lb" : " kN");
            conditionLine(out, "Rotational stiffness    ", lc.Ktheta, kFixed3, us ? " in-lb/rad" : " kN-m/rad");
            conditionLine(out, "Axial load at pile head ", lc.P, kFixed3, force);
            writeBlankLines(out, 1);
            break;
        case 4:
            writeTextLine(out, "Pile-head conditions are Displacement and Moment (Loading Type 4)");
            conditionLine(out, "Displacement of pile head", lc.Y0, kFixed6, length);
            conditionLine(out, "Moment at pile head      ", lc.M0, kFixed3, moment);
            conditionLine(out, "Axial load at pile head  ", lc.P, kFixed3, force);
            writeBlankLines(out, 1);
            break;
        case 5:
            writeTextLine(out, "Pile-head conditions are Displacement and Pile-head Rotation (Loading Type 5)");
            conditionLine(out, "Displacement of pile head", lc.Y0, kFixed6, length);
            conditionLine(out, "Rotation of pile head    ", lc.S0, kScientific, " radians");
            conditionLine(out, "Axial load on pile head  ", lc.P, kFixed3, force);
            writeBlankLines(out, 1);
            break;
        default:
            break;  // no boundary condition of that type exists
    }
}

void writeTableHeading(Run& run) {
    Channel& out = run.report;
    writeTextLine(out, "   Depth    Deflect.    Bending    Shear       Slope      Total    Bending   Soil Res.  Soil Spr.   Distrib. ");
    writeTextLine(out, "     X         y        Moment     Force         S       Stress   Stiffness      p         Es*h    Lat. Load ");
    if (run.model.options.IUNITS == kUSCS)
        writeTextLine(out, "   feet      inches     in-lbs      lbs       radians     psi*      lb-in^2    lb/in      lb/inch    lb/inch ");
    else
        writeTextLine(out, "   meters    meters      kN-m       kN        radians     kPa*      kN-m^2     kN/m        kN/m      kN/m    ");
    std::string rule = "----------";
    for (int g = 2; g <= 10; ++g) rule += " ----------";
    writeTextLine(out, rule);
}

void writeStressNote(Run& run) {
    Channel& out = run.report;
    bool allElastic = true;
    for (int s = 1; s <= run.model.sections.count && s <= kMaxSections; ++s)
        if (run.model.sections.section[ix(s)].sectionType != kElasticPile) allElastic = false;
    writeBlankLines(out, 1);
    if (allElastic) {
        writeTextLine(out, "* The above values of total stress are combined axial and bending stress. ");
    } else {
        writeTextLine(out, "* This analysis makes computations of pile response using nonlinear moment-curvature relationships. ");
        writeTextLine(out, "  The above values of total stress are computed for combined axial and bending stress in elastic ");
        writeTextLine(out, "  sections and do not equal actual stresses in concrete and steel in the range of nonlinear bending. ");
    }
    writeBlankLines(out, 1);
}

// ---------------------------------------------------------------- output verification

// Shear (without the thrust term), slope and moment at the lower node of the increment just
// checked: the upper node of the next increment.
struct IncrementEnd {
    double V = 0.0, S = 0.0, M = 0.0;
};

// Moment and lateral force balance of the increment from node a to node b = a + 1, from the
// converged deflections and the moments of the nodes; step is the number the imbalance is
// reported with.
void checkIncrement(Run& run, int a, int step, bool tipIncrement, IncrementEnd& upper) {
    const PileNodes& n = run.nodes;
    const LoadCaseConditions& lc = run.loadCase;
    CaseResults& results = caseResults(run);
    const int b = a + 1;
    const double h = n.h, P = lc.P;
    if (a == 1) {
        upper.V = n.EI[1] * (n.y(3) - 2.0 * n.y(2) + 2.0 * n.y(0) - n.y(-1)) / (2.0 * h * h * h);
        upper.S = (n.y(2) - n.y(0)) / (2.0 * h);
        upper.M = (lc.type == 1 || lc.type == 4) ? lc.M0 : n.moment[1];
    }
    IncrementEnd lower;
    double lowerAxialShear = 0.0;  // V(b) + P·S(b), zero at the free tip
    if (!tipIncrement) {
        lower.V = (n.moment[ix(b + 1)] - n.moment[ix(b - 1)]) / (2.0 * h);
        lower.S = (n.y(b + 1) - n.y(b - 1)) / (2.0 * h);
        lower.M = n.moment[ix(b)];
        lowerAxialShear = lower.V + P * lower.S;
    }
    const double wa = n.q[ix(a)] - n.Es[ix(a)] * n.y(a);
    const double wb = n.q[ix(b)] - n.Es[ix(b)] * n.y(b);
    const double upperAxialShear = upper.V + P * upper.S;
    const double momentImbalance = (upperAxialShear + h * wa / 2.0) * h + P * (n.y(a) - n.y(b)) + upper.M - lower.M;
    double forceImbalance = upperAxialShear - lowerAxialShear + h * (wa + wb) / 2.0;
    if (tipIncrement) forceImbalance -= run.solver.tipShear;
    if (std::abs(momentImbalance) > std::abs(results.maxMomentImbalance)) {
        results.maxMomentImbalance = momentImbalance;
        results.momentImbalanceNode = step;
    }
    if (std::abs(forceImbalance) > std::abs(results.maxForceImbalance)) {
        results.maxForceImbalance = forceImbalance;
        results.forceImbalanceNode = step;
    }
    upper = lower;
}

// The warning block on a moment imbalance beyond the limit; to the report with the two
// imbalances, to the message file with the nodes where they occurred.
void writeImbalanceWarning(Run& run, bool si) {
    const CaseResults& results = caseResults(run);
    const std::string force = std::string(withoutTrailingBlanks(run.units.ForceUnit));
    const std::string moment = std::string(withoutTrailingBlanks(run.units.DeflectionUnit)) + "-" + force;
    for (Channel* out : {&run.report, &run.messages}) {
        const bool report = out == &run.report;
        if (report) writeBlankLines(*out, 2);
        if (si) writeTextLine(*out, report ? "**** Warning - Possible Solution Error 5501 ****"
                                           : "**** Warning - Possible Solution Error 550 ****");
        else writeTextLine(*out, report ? "**** Warning - POSSIBLE SOLUTION ERROR 5501 ****"
                                        : "**** Warning - POSSIBLE SOLUTION ERROR 550 ****");
        writeBlankLines(*out, 1);
        writeTextLine(*out, "Force and moment imbalances may be too large for a good solution.");
        writeBlankLines(*out, 1);
        writeTextLine(*out, "The cause of the imbalance may be due to extreme changes in magnitude");
        writeTextLine(*out, si && report ? "of nonlinear bending stiffness within the top three nodal points of the pile"
                                         : "of nonlinear bending stiffness within three nodal points of the top of the pile");
        writeTextLine(*out, "which may affect the finite difference computation of shear force.");
        writeBlankLines(*out, 1);
        writeTextLine(*out, "Please examine curves and printed output for deflection, moment, shear force,");
        writeTextLine(*out, "and number of iterations to determine if computed values are reasonable.");
        writeTextLine(*out, "If the shear force shows large changes, increase the number of nodal points");
        writeTextLine(*out, "(pile increments) and repeat the analysis.");
        writeBlankLines(*out, 1);
        if (report) {
            Line(*out).text("Maximum internal moment imbalance for pile        = ").real(results.maxMomentImbalance, kRealWidth)
                .text(" ").text(moment).end();
            Line(*out).text("Maximum internal lateral force imbalance for pile = ").real(results.maxForceImbalance, kRealWidth)
                .text(" ").text(force).end();
        } else {
            Line(*out).text("Maximum internal moment imbalance for pile solution         = ").es(results.maxMomentImbalance, 12, 5)
                .text(" ").text(moment).text(" at node ").i(results.momentImbalanceNode, 0).end();
            Line(*out).text("Maximum internal lateral force imbalance for pile  solution = ").es(results.maxForceImbalance, 12, 5)
                .text(" ").text(force).text(" at node ").i(results.forceImbalanceNode, 0).end();
        }
    }
}

void writeVerificationResult(Run& run) {
    const ProgramOptions& o = run.model.options;
    const double imbalance = std::abs(caseResults(run).maxMomentImbalance);
    const bool us = o.IUNITS == kUSCS, si = o.IUNITS == kSI;
    if (!o.printSummaryOnly && !o.ib_ComputeKmatrix_1T0F &&
        ((us && imbalance <= kUsMomentImbalanceLimit) || (si && imbalance <= kSiMomentImbalanceLimit))) {
        writeBlankLines(run.report, 1);
        writeTextLine(run.report, "Output Verification: Computed forces and moments are within specified convergence limits.");
        writeBlankLines(run.report, 1);
    }
    if (us && imbalance > kUsMomentImbalanceLimit) writeImbalanceWarning(run, false);
    if (si && imbalance > kSiMomentImbalanceLimit) writeImbalanceWarning(run, true);
}

// ---------------------------------------------------------------- case summary

int zeroDeflectionPoints(const PileNodes& n) {
    int count = 0;
    for (int k = 1; k <= n.M; ++k)
        if ((n.y(k) > 0.0 && n.y(k + 1) < 0.0) || (n.y(k) < 0.0 && n.y(k + 1) > 0.0)) ++count;
    return count;
}

void writeCaseSummary(Run& run, int j, int iterations) {
    Channel& out = run.report;
    const CaseResults& r = caseResults(run);
    const bool us = run.model.options.IUNITS == kUSCS;
    const std::string_view depthUnit = us ? " inches below pile head" : " meters below pile head";
    auto valueLine = [&out](std::string_view label, double value, std::string_view unit) {
        Line(out).text(label).real(value, kRealWidth).text(unit).end();
    };
    writeBlankLines(out, 1);
    Line(out).text("Output Summary for Load Case No. ").i(j, 0).text(":").end();
    writeBlankLines(out, 1);
    valueLine("Pile-head deflection             = ", r.headDeflection, us ? " inches" : " meters");
    valueLine("Computed slope at pile head      = ", r.headSlope, " radians");
    valueLine("Maximum bending moment           = ", r.maxMoment, us ? " inch-lbs" : " kN-m");
    valueLine("Maximum shear force              = ", r.maxShear, us ? " lbs" : " kN");
    valueLine("Depth of maximum bending moment  = ", r.maxMomentDepth, depthUnit);
    valueLine("Depth of maximum shear force     = ", r.maxShearDepth, depthUnit);
    Line(out).text("Number of iterations             = ").integer(iterations, kRealWidth).end();
    Line(out).text("Number of zero deflection points = ").integer(zeroDeflectionPoints(run.nodes), kRealWidth).end();
    writeBlankLines(out, 1);
}

void storeCaseRecord(Run& run, int j) {
    CaseResults& r = caseResults(run);
    if (j < 1 || j > kMaxLoadCases) return;
    LoadCaseSummary& c = r.cases[ix(j)];
    c.headDeflection = r.headDeflection;
    c.headSlope = r.headSlope;
    c.headShear = r.headShear;
    c.headMoment = r.headMoment;
    c.maxMoment = r.maxMoment;
    c.maxShear = r.maxShear;
    c.maxMomentDepth = r.maxMomentDepth;
    c.maxShearDepth = r.maxShearDepth;
    c.maxTotalStress = r.maxTotalStress;
    c.sections = r.sectionMaxima;
}

}  // namespace

CaseResults& caseResults(Run& run) { return run.caseResults; }
const CaseResults& caseResults(const Run& run) { return run.caseResults; }

void clearCaseMaxima(Run& run) {
    CaseResults& r = caseResults(run);
    r.maxMoment = r.maxMomentDepth = 0.0;
    r.maxShear = r.maxShearDepth = 0.0;
    r.maxTotalStress = 0.0;
    r.sectionMaxima = {};
}

double bendingMomentAt(Run& run, int k) {
    PileNodes& n = run.nodes;
    if (k < 1 || k > n.M || n.M > kMaxNodes) return 0.0;
    // The stiffness of the head increment is that of the head, as in the solver, unless the
    // section's stiffness is given explicitly.
    if (k <= 2 && !elasticOrPlastic(sectionTypeOfNode(run, k))) n.EI[2] = n.EI[1];
    if (k == n.M) return 0.0;  // free tip
    return momentFromDeflections(n, k);
}

void computeNodeQuantities(Run& run, int k) {
    PileNodes& n = run.nodes;
    if (k < 1 || k > n.M || n.M > kMaxNodes) return;
    CaseResults& results = caseResults(run);
    const LoadCaseConditions& lc = run.loadCase;
    const double h = n.h, P = lc.P;

    const double M = bendingMomentAt(run, k);
    double S = 0.0, V = 0.0;
    if (k == 1) {
        if (lc.type == 5) {
            // With the head slope imposed, slope and shear come from one-sided differences
            // into the pile; the head slope reported is the imposed one.
            const double slope = (4.0 * n.y(2) - 3.0 * n.y(1) - n.y(3)) / (2.0 * h);
            const double M2 = momentFromDeflections(n, 2);
            const double M3 = momentFromDeflections(n, 3);
            V = P * slope + (4.0 * M2 - 3.0 * M - M3) / (2.0 * h);
            S = lc.S0;
        } else {
            S = (n.y(2) - n.y(0)) / (2.0 * h);
            V = P * S + n.EI[1] * (n.y(3) - 2.0 * n.y(2) + 2.0 * n.y(0) - n.y(-1)) / (2.0 * h * h * h);
        }
        // With the head deflection imposed the head shear is a result of the solution.
        if (lc.type == 4 || lc.type == 5) run.loadCase.V0 = V;
    } else if (k == n.M) {
        S = (n.y(k) - n.y(k - 1)) / h;
        V = run.solver.tipShear;
    } else {
        S = (n.y(k + 1) - n.y(k - 1)) / (2.0 * h);
        V = P * S + (momentFromDeflections(n, k + 1) - n.moment[ix(k - 1)]) / (2.0 * h);
    }
    n.moment[ix(k)] = M;
    n.slope[ix(k)] = S;
    n.shear[ix(k)] = V;

    if (std::abs(M) > std::abs(results.maxMoment)) {
        results.maxMoment = M;
        results.maxMomentDepth = n.x[ix(k)];
    }
    if (std::abs(V) > std::abs(results.maxShear)) {
        results.maxShear = V;
        results.maxShearDepth = n.x[ix(k)];
    }
    const int s = n.section[ix(k)];
    if (s >= 1 && s <= kMaxSections) {
        SectionMaxima& sm = results.sectionMaxima[ix(s)];
        if (std::abs(M) > std::abs(sm.moment)) {
            sm.moment = M;
            sm.momentNode = k;
        }
        if (std::abs(V) > std::abs(sm.shear)) {
            sm.shear = V;
            sm.shearNode = k;
        }
    }

    // Soil reaction: the spring force of the soil on the pile, relative to the free-field soil
    // movement when that loading is in use.
    double p = run.model.options.useSoilMovement ? -(n.y(k) - n.ys[ix(k)]) * n.Es[ix(k)] - n.q[ix(k)]
                                                 : -n.Es[ix(k)] * n.y(k);
    if (std::isnan(p) && n.y(k) == 0.0) p = 0.0;
    n.soilReaction[ix(k)] = p;

    // Total stress of axial thrust and bending in an elastic section.
    const FibreProperties f = fibrePropertiesAt(run, k);
    const double sigma =
        (f.area == 0.0 || f.inertia == 0.0) ? 0.0 : std::abs(P) / f.area + std::abs(M) * f.halfWidth / f.inertia;
    n.totalStress[ix(k)] = sigma;
    if (sigma > results.maxTotalStress) results.maxTotalStress = sigma;
}

void writeLoadCaseReport(Run& run, int j, int iterations) {
    const ProgramOptions& o = run.model.options;
    PileNodes& n = run.nodes;
    CaseResults& results = caseResults(run);
    const bool summaryOnly = o.printSummaryOnly;
    const bool stiffnessMode = results.stiffnessMode;
    const bool labelledUnits = o.IUNITS == kUSCS || o.IUNITS == kSI;
    const bool rows = !summaryOnly && o.i_Analysis_Type == 3;
    const int M = std::min(n.M, kMaxNodes);

    clearCaseMaxima(run);
    results.maxMomentImbalance = results.maxForceImbalance = 0.0;
    results.momentImbalanceNode = results.forceImbalanceNode = 0;

    if (!summaryOnly && !stiffnessMode) writeHeading(run, j);
    // The stiffness cases repeat case 1 and leave the plot file alone.
    if (j == 1 && !stiffnessMode)
        plotRecord9(run, o.useLrfd ? run.model.lrfd.combinationCount : run.model.loading.loadCaseCount, n.M, o.IUNITS);
    if (!summaryOnly && labelledUnits) {
        writeHeadConditions(run);
        writeTableHeading(run);
    }

    const int increment = o.printIncrement > 0 ? o.printIncrement : 1;
    IncrementEnd upper;
    for (int k = 1; k <= M; ++k) {
        computeNodeQuantities(run, k);
        if (k >= 3) checkIncrement(run, k - 2, k, false, upper);
        const double y = printed(n.y(k)), moment = printed(n.moment[ix(k)]);
        const double shear = printed(n.shear[ix(k)]), p = printed(n.soilReaction[ix(k)]);
        if (!stiffnessMode) plotRecord10(run, k, n.x[ix(k)], y, moment, shear, p, n.EI[ix(k)]);
        if (k == 1) {
            results.headSlope = n.slope[1];
            results.headShear = n.shear[1];
            results.headMoment = n.moment[1];
            results.headDeflection = n.y(1);
        }
        if (rows && (k - 1) % increment == 0) {
            const double depth = o.IUNITS == kUSCS ? n.x[ix(k)] / 12.0 : n.x[ix(k)];
            const double spring = n.Es[ix(k)] * ((k == 1 || k == M) ? n.h / 2.0 : n.h);
            Line(run.report)
                .real(depth, 10)
                .real(y, 11)
                .real(moment, 11)
                .real(shear, 11)
                .real(n.slope[ix(k)], 11)
                .real(n.totalStress[ix(k)], 11)
                .real(n.EI[ix(k)], 11)
                .real(p, 11)
                .real(spring, 11)
                .real(n.q[ix(k)], 11)
                .end();
        }
    }
    if (rows) writeStressNote(run);
    if (M >= 2) checkIncrement(run, M - 1, M + 1, true, upper);
    writeVerificationResult(run);
    storeCaseRecord(run, j);
    if (!summaryOnly && labelledUnits) writeCaseSummary(run, j, iterations);
    // In stiffness mode the stiffness tables follow the last of the stiffness cases; the
    // pile-head stiffness computation writes them.
}

}  // namespace mervik
