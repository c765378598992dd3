// After the load cases: the summary table of the pile responses of every case (plot records
// 13) and the secant stiffness matrix of the pile head (plot records 14), derived from twenty
// extra cases built on load case 1.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "report/layout.hpp"
#include "solver/lrfd_cases.hpp"
#include "solver/pile.hpp"

namespace mervik {

namespace {

std::size_t ix(int k) { return static_cast<std::size_t>(k); }

// ---------------------------------------------------------------- summary of responses

void writeSummaryHeading(Run& run) {
    Channel& out = run.report;
    const std::string rule(80, '-');
    writeBlankLines(out, 3);
    writeTextLine(out, rule);
    writeTextLine(out, std::string(27, ' ') + "Summary of Pile Response(s)");
    writeTextLine(out, rule);
    writeBlankLines(out, 2);
}

void writeLoadTypeDefinitions(Run& run) {
    Channel& out = run.report;
    const int units = run.model.options.IUNITS;
    writeTextLine(out, "Definitions of Pile-head Loading Conditions:");
    writeBlankLines(out, 1);
    if (units == kUSCS) {
        writeTextLine(out, "Load Type 1: Load 1 = Shear, lbs, and Load 2 = Moment, in-lbs");
        writeTextLine(out, "Load Type 2: Load 1 = Shear, lbs, and Load 2 = Slope, radians");
        writeTextLine(out, "Load Type 3: Load 1 = Shear, lbs, and Load 2 = Rotational Stiffness, in-lbs/radian");
        writeTextLine(out, "Load Type 4: Load 1 = Top Deflection, inches, and Load 2 = Moment, in-lbs");
        writeTextLine(out, "Load Type 5: Load 1 = Top Deflection, inches, and Load 2 = Slope, radians");
        writeBlankLines(out, 2);
    } else if (units == kSI) {
        writeTextLine(out, "Load Type 1: Load 1 = Shear, kN, and Load 2 = Moment, kN-m ");
        writeTextLine(out, "Load Type 2: Load 1 = Shear, kN, and Load 2 = Slope, radians");
        writeTextLine(out, "Load Type 3: Load 1 = Shear, kN, and Load 2 = Rotational Stiffness, kN-m/radian");
        writeTextLine(out, "Load Type 4: Load 1 = Top Deflection, m, and Load 2 = Moment, kN-m");
        writeTextLine(out, "Load Type 5: Load 1 = Top Deflection, m, and Load 2 = Slope, radians");
        writeBlankLines(out, 2);
    }
}

// Column heading of the table; none with generic units.
void writeColumnHeading(Run& run, bool lrfd) {
    Channel& out = run.report;
    const int units = run.model.options.IUNITS;
    if (units != kUSCS && units != kSI) return;
    const bool us = units == kUSCS;
    if (lrfd) {
        writeTextLine(out, "                                                                              Maximum       Maximum                  ");
        writeTextLine(out, "Load  Load      Pile-head     Pile-head         Axial        Pile-head        Moment         Shear        Pile-Head  ");
        writeTextLine(out, us ? "Case  Type        Shear         Moment           Load        Deflection       in Pile       in Pile       Rotation   "
                              : "Case  Type       Shear          Moment           Load        Deflection       in Pile       in Pile       Rotation   ");
        writeTextLine(out, us ? " No.   No.         lbs          in-lbs           lbs          inches          in-lbs          lbs          radians   "
                              : " No.   No.    kilonewtons        kN-m             kN           meters          kN-m           kN           radians   ");
    } else {
        writeTextLine(out, "               Pile-head      Pile-head                                      Maximum        Maximum                  ");
        writeTextLine(out, "Load  Load    Condition 1    Condition 2        Axial        Pile-head       Moment          Shear        Pile-head  ");
        writeTextLine(out, us ? "Case  Type    V(lbs) or     in-lb, rad.,       Loading      Deflection       in Pile        in Pile       Rotation   "
                              : "Case  Type    V(kN) or       kN-m, rad.,       Loading      Deflection       in Pile        in Pile       Rotation   ");
        writeTextLine(out, us ? " No.   No.    y(inches)     or in-lb/rad.        lbs          inches         in-lbs           lbs          radians   "
                              : " No.   No.    y(meters)      or kN-m/rad.        kN           meters          kN-m            kN           radians   ");
    }
}

// Pile-head conditions of summary row i: the input values of the load case, or for an LRFD
// combination a shear-and-moment case with its factored loads.
struct RowConditions {
    int type = 0;
    double first = 0.0, second = 0.0, axial = 0.0;
};

RowConditions rowConditions(const Run& run, int i, bool lrfd) {
    RowConditions c;
    if (lrfd) {
        c.type = 1;
        c.first = run.lrfd.factored.shear[ix(i)];
        c.second = run.lrfd.factored.moment[ix(i)];
        c.axial = run.lrfd.factored.axial[ix(i)];
    } else {
        const PileHeadLoad& load = run.model.loading.loadCase[ix(i)];
        c.type = load.loadType;
        c.first = load.condition1;
        c.second = load.condition2;
        c.axial = load.axialThrust;
    }
    return c;
}

// Markers of the two pile-head conditions by load type 1 to 5.
constexpr std::array<std::string_view, 6> kFirstMarker = {"", "    1   V =", "    2   V =", "    3   V =",
                                                          "    4   y =", "    5   y ="};
constexpr std::array<std::string_view, 6> kSecondMarker = {"", "  M =", "  S =", "  R =", "  M =", "  S ="};

void writeSummaryRow(Run& run, int i, const RowConditions& c, const LoadCaseSummary& r) {
    Line(run.report)
        .integer(i, 3)
        .blanks(1)
        .text(kFirstMarker[ix(c.type)])
        .real(c.first, 11)
        .text(kSecondMarker[ix(c.type)])
        .real(c.second, 11)
        .real(c.axial, 15)
        .real(r.headDeflection, 15)
        .real(r.maxMoment, 15)
        .blanks(4)
        .real(r.maxShear, 11)
        .f(r.headSlope, 15, 8)
        .end();
}

// ---------------------------------------------------------------- pile-head stiffness

// Default base loads when load case 1 has none: 10 lbs and 100 in-lbs, or their equivalents in
// kN and kN-m. The threshold and the SI values are single-precision constants.
constexpr double kNoLoad = 1.0000000116860974e-7;
constexpr double kDefaultShearUS = 10.0;
constexpr double kDefaultMomentUS = 100.0;
constexpr double kDefaultShearSI = 0.04448220133781433;
constexpr double kDefaultMomentSI = 0.011298480443656445;
// One tenth of the SI default shear, as the single-precision product gives it.
constexpr double kTenthDefaultShearSI = 0.004448220200065078;
// The first load factor as applied to the moments (0.1 in single precision).
constexpr double kFirstMomentFactor = 0.10000000149011612;

constexpr int kStiffnessCases = 20;
constexpr int kLoadSteps = 10;

// Base loads and the twenty results of the stiffness computation.
struct StiffnessWork {
    double V = 0.0, Mb = 0.0, P = 0.0;
    bool defaultShearSI = false;
    std::array<double, kLoadSteps + 1> shear{}, moment{};  // V·f(k), Mb·f(k)
};

// Load factor f(k): 0.1, then log10(k), so that f(10) = 1.
double loadFactor(int k) { return k == 1 ? 0.1 : std::log10(static_cast<double>(k)); }

StiffnessWork stiffnessLoads(const Run& run) {
    StiffnessWork w;
    const PileHeadLoad& base = run.model.loading.loadCase[1];
    const bool us = run.model.options.IUNITS == kUSCS;
    w.V = base.condition1;
    w.Mb = base.condition2;
    w.P = base.axialThrust;
    if (std::abs(w.V) < kNoLoad) {
        w.V = us ? kDefaultShearUS : kDefaultShearSI;
        w.defaultShearSI = !us;
    }
    if (std::abs(w.Mb) < kNoLoad) w.Mb = us ? kDefaultMomentUS : kDefaultMomentSI;
    for (int k = 1; k <= kLoadSteps; ++k) {
        w.shear[ix(k)] = w.V * loadFactor(k);
        w.moment[ix(k)] = w.Mb * (k == 1 ? kFirstMomentFactor : loadFactor(k));
    }
    if (w.defaultShearSI) w.shear[1] = kTenthDefaultShearSI;
    return w;
}

// Cases 1 to 10: fixed head (slope 0) under increasing shear; cases 11 to 20: head held at
// zero deflection under increasing moment.
void buildStiffnessCases(Run& run, const StiffnessWork& w) {
    Loading& loading = run.model.loading;
    for (int k = 1; k <= kLoadSteps; ++k) {
        PileHeadLoad& sway = loading.loadCase[ix(k)];
        sway = PileHeadLoad{};
        sway.loadType = 2;
        sway.condition1 = w.shear[ix(k)];
        sway.condition2 = 0.0;
        sway.axialThrust = w.P;
        PileHeadLoad& rotation = loading.loadCase[ix(k + kLoadSteps)];
        rotation = PileHeadLoad{};
        rotation.loadType = 4;
        rotation.condition1 = 0.0;
        rotation.condition2 = w.moment[ix(k)];
        rotation.axialThrust = w.P;
    }
    loading.loadCaseCount = kStiffnessCases;
}

// Boundary conditions of stiffness case i (type 2 or 4) for the solver.
void selectStiffnessConditions(Run& run, int i) {
    const PileHeadLoad& load = run.model.loading.loadCase[ix(i)];
    LoadCaseConditions& c = run.loadCase;
    c = LoadCaseConditions{};
    c.caseNumber = i;
    c.type = load.loadType;
    c.P = load.axialThrust;
    if (load.loadType == 2) {
        c.V0 = load.condition1;
        c.S0 = load.condition2;
    } else {
        c.Y0 = load.condition1;
        c.M0 = load.condition2;
    }
}

enum class CaseOutcome { Converged, Failed, Error };

// Iterates stiffness case i as an ordinary load case, without progress lines. A case that
// reaches the iteration limit or the excess deflection limit is a failed case (no error
// number); a Not-a-Number deflection is runtime error 28.
CaseOutcome iterateStiffnessCase(Run& run, int i, int& iterations) {
    PileNodes& n = run.nodes;
    const ProgramOptions& o = run.model.options;
    iterations = 0;
    straightenPile(run);
    selectStiffnessConditions(run, i);
    if (!startingCurves(run, 0)) return CaseOutcome::Error;
    const bool nonlinearBending = o.i_Analysis_Type >= 3;

    for (int it = 1; it <= o.maxIterations; ++it) {
        iterations = it;
        solvePile(run, it);
        if (run.failed()) return CaseOutcome::Error;
        const double yTop = n.y(1);
        const double dYmax = run.solver.dYmax;
        if (std::isnan(yTop) || std::isnan(dYmax)) {
            writeRuntimeErrorHeading(run.report, 28);
            writeBlankLines(run.report, 1);
            Line(run.report)
                .text("Either top deflection or maximum change in deflection is not a number after iteration ")
                .i(it, 0)
                .end();
            storeErrorNumber(run, runtimeError(28));
            return CaseOutcome::Error;
        }
        if (std::abs(dYmax) <= o.convergenceTolerance) {
            if (it > 5) return CaseOutcome::Converged;
        } else if (it > 10 && std::abs(yTop) >= o.maxDeflection) {
            return CaseOutcome::Failed;
        }
        runLayerLoop(run, it);
        if (run.failed()) return CaseOutcome::Error;
        if (nonlinearBending) {
            updateBendingStiffness(run, thrustIndexFor(run, run.loadCase.P));
            if (run.failed()) return CaseOutcome::Error;
        }
    }
    return CaseOutcome::Failed;
}

void writeStiffnessFailure(Run& run, int i, int iterations) {
    Channel& out = run.report;
    const PileHeadLoad& load = run.model.loading.loadCase[ix(i)];
    writeBlankLines(out, 3);
    writeTextLine(out, "Error in computing pile-head stiffness matrix");
    Line(out).text("i_Analysis = ").i(i, 0).end();
    Line(out).text("Iteration Count = ").i(iterations, 0).end();
    writeBlankLines(out, 1);
    Line(out).text("Shear Force = ").f(load.condition1, 14, 3).end();
    Line(out).text("Moment      = ").f(load.condition2, 14, 3).end();
    writeBlankLines(out, 1);
}

// One row of a stiffness table: five absolute values under the rule
// "  ------------  --------------  ...".
void writeStiffnessRow(Channel& out, double a, double b, double c, double d, double e) {
    Line(out)
        .blanks(2).real(std::abs(a), 12)
        .blanks(2).real(std::abs(b), 14)
        .blanks(2).real(std::abs(c), 14)
        .blanks(2).real(std::abs(d), 14)
        .blanks(2).real(std::abs(e), 14)
        .end();
}

// The stiffness terms from the records of the twenty cases, their plot records and tables.
void writeStiffnessOutput(Run& run, const StiffnessWork& w) {
    Channel& out = run.report;
    const auto& cases = caseResults(run).cases;
    const bool us = run.model.options.IUNITS == kUSCS;
    std::array<double, kLoadSteps + 1> K22{}, K32{}, K23{}, K33{};
    for (int k = 1; k <= kLoadSteps; ++k) {
        const LoadCaseSummary& sway = cases[ix(k)];
        const LoadCaseSummary& rotation = cases[ix(k + kLoadSteps)];
        K22[ix(k)] = w.shear[ix(k)] / sway.headDeflection;
        K32[ix(k)] = -sway.headMoment / sway.headDeflection;
        K23[ix(k)] = rotation.headShear / rotation.headSlope;
        K33[ix(k)] = -w.moment[ix(k)] / rotation.headSlope;
    }

    const std::string rule(80, '-');
    writeBlankLines(out, 2);
    writeTextLine(out, rule);
    writeTextLine(out, std::string(19, ' ') + "Computed Pile-head Stiffness Matrix Values");
    writeTextLine(out, std::string(24, ' ') + "K22, K23, K32, K33 for Pile Head");
    writeTextLine(out, std::string(30, ' ') + "Based on Load Case 1");
    writeTextLine(out, rule);
    for (int k = 1; k <= kLoadSteps; ++k) {
        plotRecord14(run, w.shear[ix(k)], w.moment[ix(k)], K22[ix(k)], K23[ix(k)], K32[ix(k)], K33[ix(k)],
                     std::abs(cases[ix(k)].headDeflection), std::abs(cases[ix(k + kLoadSteps)].headSlope));
    }

    const std::string_view tableRule = "  ------------  --------------  --------------  --------------  --------------";
    writeBlankLines(out, 1);
    writeTextLine(out, "  K22 = abs(Shear Reaction/Top y)");
    writeTextLine(out, "  K32 = abs(Moment Reaction/Top y)");
    writeBlankLines(out, 1);
    writeTextLine(out, "    Pile-Top       Pile-Top        Pile-Top                                   ");
    writeTextLine(out, "   Deflection   Shear Reaction   Moment React.       K22              K32     ");
    writeTextLine(out, us ? "     inches          lbs            in-lbs          lb/in.         in-lb/in.  "
                          : "     meters           kN             kN-m            kN/m            kN-m/m   ");
    writeTextLine(out, tableRule);
    for (int k = 1; k <= kLoadSteps; ++k) {
        const LoadCaseSummary& sway = cases[ix(k)];
        writeStiffnessRow(out, sway.headDeflection, w.shear[ix(k)], sway.headMoment, K22[ix(k)], K32[ix(k)]);
    }

    writeBlankLines(out, 1);
    writeTextLine(out, "  K23 = abs(Shear Reaction/Top Rotation) ");
    writeTextLine(out, "  K33 = abs(Moment Reaction/Top Rotation)");
    writeBlankLines(out, 1);
    if (us) {
        writeTextLine(out, "    Pile-Top       Pile-Top        Pile-Top                                  ");
        writeTextLine(out, "    Rotation     Shear React.    Moment React.       K23              K33    ");
        writeTextLine(out, "     radians          lbs            in-lbs         lb/rad         in-lb/rad ");
    } else {
        writeTextLine(out, "    Pile-Top       Pile-Top        Pile-Top                                   ");
        writeTextLine(out, "    Rotation     Shear React.    Moment React.       K23              K33     ");
        writeTextLine(out, "     radians          kN             kN-m           kN/rad          kN-m/rad  ");
    }
    writeTextLine(out, tableRule);
    for (int k = 1; k <= kLoadSteps; ++k) {
        const LoadCaseSummary& rotation = cases[ix(k + kLoadSteps)];
        writeStiffnessRow(out, rotation.headSlope, rotation.headShear, w.moment[ix(k)], K23[ix(k)], K33[ix(k)]);
    }
}

// Runs the twenty cases; false when a case failed to converge (its text written) or the run
// failed.
bool runStiffnessCases(Run& run, const StiffnessWork& w) {
    for (int i = 1; i <= kStiffnessCases; ++i) {
        setupLoadCaseNodes(run, i);
        if (run.failed()) return false;
        int iterations = 0;
        const CaseOutcome outcome = iterateStiffnessCase(run, i, iterations);
        if (outcome == CaseOutcome::Error) return false;
        if (outcome == CaseOutcome::Failed) {
            writeStiffnessFailure(run, i, iterations);
            return false;
        }
        // The report in stiffness mode prints nothing and keeps y(1), S(1), V(1), M(1).
        writeLoadCaseReport(run, i, iterations);
        if (run.failed()) return false;
    }
    writeStiffnessOutput(run, w);
    return true;
}

}  // namespace

void writeResponseSummary(Run& run) {
    if (caseResults(run).stiffnessMode) return;
    const ProgramOptions& o = run.model.options;
    const bool lrfd = o.useLrfd;
    const int count = std::clamp(lrfd ? run.model.lrfd.combinationCount : run.model.loading.loadCaseCount, 0,
                                 std::min(kMaxLoadCases, kMaxLrfd));
    const CaseResults& results = caseResults(run);

    writeSummaryHeading(run);
    if (!lrfd) writeLoadTypeDefinitions(run);
    writeColumnHeading(run, lrfd);
    writeTextLine(run.report,
                  "----  ----  --------------  --------------  -------------  -------------  -------------  -------------  -------------");
    for (int i = 1; i <= count; ++i) {
        const RowConditions c = rowConditions(run, i, lrfd);
        if (c.type >= 1 && c.type <= 5) writeSummaryRow(run, i, c, results.cases[ix(i)]);
    }
    for (int i = 1; i <= count; ++i) {
        const LoadCaseSummary& r = results.cases[ix(i)];
        plotRecord13(run, r.headShear, r.headDeflection, r.maxMoment, r.maxShear, r.headSlope);
    }
    if (lrfd) writeLrfdPerformance(run);
}

void computeStiffnessMatrix(Run& run) {
    ProgramOptions& o = run.model.options;
    if (!o.ib_ComputeKmatrix_1T0F || run.failed()) return;
    writeTextLine(run.messages, "Computing pile-head stiffness matrix components.");
    writeBlankLines(run.messages, 1);

    Loading& loading = run.model.loading;
    // The twenty cases take the slots of the first twenty load cases; the slots and the count
    // are restored afterwards, so load case 1 (and its neighbours) keep their input values.
    std::array<PileHeadLoad, kStiffnessCases + 1> saved{};
    for (int i = 1; i <= kStiffnessCases; ++i) saved[ix(i)] = loading.loadCase[ix(i)];
    const int savedCount = loading.loadCaseCount;
    const bool savedSummaryOnly = o.printSummaryOnly;

    const StiffnessWork w = stiffnessLoads(run);
    buildStiffnessCases(run, w);
    o.printSummaryOnly = true;
    caseResults(run).stiffnessMode = true;

    runStiffnessCases(run, w);

    caseResults(run).stiffnessMode = false;
    o.printSummaryOnly = savedSummaryOnly;
    loading.loadCaseCount = savedCount;
    for (int i = 1; i <= kStiffnessCases; ++i) loading.loadCase[ix(i)] = saved[ix(i)];
}

}  // namespace mervik
