// Pile-head deflection versus embedded length. The load case is solved again for twenty trial
// lengths, from the integer part of the pile length down to 5 % of it in steps of 5 %. A trial
// that does not converge, or whose head moves beyond the excess deflection limit, marks the
// critical length: the series ends there without an error, and the longer trials are reported.
#include "solver/length_series.hpp"

#include <cmath>
#include <string>

#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "report/layout.hpp"
#include "solver/pile.hpp"

namespace mervik {

namespace {

// Step of the trial lengths and the least embedment, as a fraction of the integer pile
// length; the lengths are formed in single precision.
constexpr float kLengthStep = 0.05f;

std::size_t at(int k) { return static_cast<std::size_t>(k); }

// Trial length i (1..20): (1 - 0.05·(i - 1))·Lint, every product and difference rounded to
// single precision.
float trialLength(int i, float Lint) {
    const float cut = kLengthStep * static_cast<float>(i - 1);
    const float fraction = 1.0f - cut;
    return fraction * Lint;
}

enum class TrialOutcome { Converged, Ended, Error };

// Iterates the trial pile of load case j from a straight pile. Not converging within the
// iteration limit, or a head deflection at the excess limit after the first ten iterations,
// ends the series (no error); a raised error ends the run.
TrialOutcome iterateTrial(Run& run, int j) {
    PileNodes& n = run.nodes;
    const ProgramOptions& o = run.model.options;
    straightenPile(run);
    selectBoundaryValues(run, j);
    // The first evaluation also checks every layer below the first for a node: the shorter
    // pile may leave a thin layer without one.
    if (!startingCurves(run, 1)) return TrialOutcome::Error;
    const bool nonlinearBending = o.i_Analysis_Type >= 3;

    for (int it = 1; it <= o.maxIterations; ++it) {
        clearCaseMaxima(run);
        solvePile(run, it);
        if (run.failed()) return TrialOutcome::Error;
        const double dYmax = run.solver.dYmax;
        if (std::abs(dYmax) <= o.convergenceTolerance) {
            if (it > 5) return TrialOutcome::Converged;
        } else if (it > 10 && std::abs(n.y(1)) >= o.maxDeflection) {
            return TrialOutcome::Ended;
        }
        runLayerLoop(run, it);
        if (run.failed()) return TrialOutcome::Error;
        if (nonlinearBending) {
            updateBendingStiffness(run, thrustIndexFor(run, run.loadCase.P));
            if (run.failed()) return TrialOutcome::Error;
        }
    }
    return TrialOutcome::Ended;
}

// Node quantities of the converged trial and its point of the curve.
LengthCurvePoint trialPoint(Run& run, double length) {
    clearCaseMaxima(run);
    for (int k = 1; k <= run.nodes.M; ++k) computeNodeQuantities(run, k);
    const CaseResults& results = caseResults(run);
    return {length, run.nodes.y(1), run.nodes.shear[1], results.maxMoment, results.maxShear};
}

// Heading and the pile-head conditions of the case, as input.
void writeSeriesHeading(Run& run, int j) {
    Channel& out = run.report;
    const UnitLabels& u = run.units;
    const std::string force(withoutTrailingBlanks(u.ForceUnit));
    const std::string deflection(withoutTrailingBlanks(u.DeflectionUnit));
    const std::string moment = deflection + "-" + force;
    const PileHeadLoad& load = run.model.loading.loadCase[at(j)];
    const double c1 = load.condition1, c2 = load.condition2, P = load.axialThrust;

    writeBlankLines(out, 2);
    writeTextLine(out, std::string(80, '-'));
    Line(out).blanks(12).text("Pile-head Deflection vs. Pile Length for Load Case ").i(j, 0).end();
    writeTextLine(out, std::string(80, '-'));
    writeBlankLines(out, 1);

    const auto shearLine = [&] { Line(out).text("Shear      = ").f(c1, 15, 0).text(" ").text(force).end(); };
    const auto deflectionLine = [&] { Line(out).text("Deflection = ").f(c1, 15, 5).text(" ").text(deflection).end(); };
    const auto momentLine = [&] { Line(out).text("Moment     = ").f(c2, 15, 0).text(" ").text(moment).end(); };
    const auto slopeLine = [&] { Line(out).text("Slope      = ").f(c2, 15, 5).end(); };
    const auto axialLine = [&] { Line(out).text("Axial Load = ").f(P, 15, 0).text(" ").text(force).end(); };
    const auto title = [&](std::string_view text) {
        writeTextLine(out, text);
        writeBlankLines(out, 1);
    };
    switch (load.loadType) {
        case 1:
            title("Boundary Condition Type 1, Shear and Moment");
            shearLine();
            momentLine();
            axialLine();
            break;
        case 2:
            title("Boundary Condition Type 2, Shear and Slope");
            shearLine();
            slopeLine();
            axialLine();
            break;
        case 3:
            title("Boundary Condition Type 3, Shear and Rotational Restraint");
            shearLine();
            Line(out).text("Rot. Rest. = ").es(c2, 15, 7).text(" ").text(moment).text("/Radian").end();
            axialLine();
            break;
        case 4:
            title("Boundary Condition Type 4, Deflection and Moment");
            deflectionLine();
            momentLine();
            axialLine();
            break;
        case 5:
            // This block shows only the first letter of the deflection and force labels.
            title("Boundary Condition Type 5, Deflection and Slope");
            Line(out).text("Deflection = ").f(c1, 15, 5).text(" ").a(u.DeflectionUnit, 1).end();
            slopeLine();
            Line(out).text("Axial Load = ").f(P, 15, 0).text(" ").a(u.ForceUnit, 1).end();
            break;
        default: break;
    }
}

// The table of the curve and its plot records, or the note that no trial succeeded.
void writeSeriesResults(Run& run, int j, const LengthCurve& curve) {
    Channel& out = run.report;
    const bool uscs = run.model.options.IUNITS == kUSCS;
    writeBlankLines(out, 2);
    if (curve.count == 0) {
        writeTextLine(out, "No computations for top deflection vs. pile length were successful for this load case.");
        writeBlankLines(out, 1);
        writeTextLine(out, "Results of last two iterations:");
        writeBlankLines(out, 1);
        plotRecord11(run, PlotRecord11Kind::PileLengthCurve, 0, j);
        return;
    }
    writeTextLines(out, {"    Pile       Pile Head       Maximum       Maximum",
                         "   Length      Deflection      Moment         Shear ",
                         uscs ? "    feet         inches        ln-lbs          lbs "
                              : "   meters        meters         kN-m           kN  ",
                         "------------  ------------  ------------  ------------"});
    for (int p = 1; p <= curve.count; ++p) {
        const LengthCurvePoint& c = curve.point[at(p)];
        Line(out)
            .real(uscs ? c.length / 12.0 : c.length, 11)
            .real(c.headDeflection, 14)
            .real(c.maxMoment, 14)
            .real(c.maxShear, 14)
            .end();
    }
    plotRecord11(run, PlotRecord11Kind::PileLengthCurve, curve.count, j);
    for (int p = 1; p <= curve.count; ++p) {
        const LengthCurvePoint& c = curve.point[at(p)];
        plotRecord12(run, c.length, c.headDeflection, c.maxMoment, c.maxShear);
    }
}

// The trials of load case j, longest first, until one ends the series.
LengthCurve runTrials(Run& run, int j) {
    LengthCurve curve;
    const ProgramOptions& o = run.model.options;
    const double ground = run.model.soil.groundSurface;
    const float Lint = static_cast<float>(std::trunc(run.model.sections.pileLength));
    const float leastEmbedment = kLengthStep * Lint;

    for (int i = 1; i <= kMaxLengthTrials; ++i) {
        run.nodes.q.fill(0.0);
        run.nodes.deflection.fill(0.0);
        clearCaseMaxima(run);
        const double Lc = trialLength(i, Lint);
        // A pile embedded less than 5 % of its length: this and every shorter trial is left out.
        if (ground + leastEmbedment > Lc) break;

        run.model.sections.pileLength = Lc;
        setupLoadCaseNodes(run, j);
        if (run.failed()) return curve;
        writeLayout(run.messages, R"("Computing lateral response of pile for load number ",I0)", {j});

        const TrialOutcome outcome = iterateTrial(run, j);
        if (outcome == TrialOutcome::Error) return curve;
        if (outcome == TrialOutcome::Ended) break;
        if (std::abs(run.nodes.y(1)) <= o.maxDeflection && std::abs(run.solver.dYmax) < o.convergenceTolerance) {
            ++curve.count;
            curve.point[at(curve.count)] = trialPoint(run, Lc);
        }
    }
    writeSeriesHeading(run, j);
    writeSeriesResults(run, j, curve);
    return curve;
}

}  // namespace

LengthCurve computeLengthCurve(Run& run, int j) {
    if (j < 1 || j > kMaxLoadCases) return {};
    ProgramOptions& o = run.model.options;
    // Every later case reports its full table, and no further p-y curves are printed.
    o.printSummaryOnly = false;
    run.model.pyOutputDepths.enabled = false;

    const double L = run.model.sections.pileLength;
    const LengthCurve curve = runTrials(run, j);

    o.printSummaryOnly = false;
    run.model.sections.pileLength = L;
    setupRunNodes(run);
    return curve;
}

void runLengthSeriesOfCase(Run& run, int j) {
    if (run.model.options.useLrfd) {
        plotRecord11(run, PlotRecord11Kind::NoCurveLrfd, 0, j);
        return;
    }
    // A case of imposed head deflection reported without convergence ends the run after its
    // report: no series is built on it.
    if (run.failed() || j < 1 || j > kMaxLoadCases || !run.model.loading.loadCase[at(j)].computeTopYvsLength) {
        plotRecord11(run, PlotRecord11Kind::NoCurve, 0, j);
        return;
    }
    writeLayout(run.messages, R"("Computing top deflection vs. pile embedment length for load case ",I0,".")", {j});
    computeLengthCurve(run, j);
}

}  // namespace mervik
