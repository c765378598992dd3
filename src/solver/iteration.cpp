// Iteration of a load case on secant stiffnesses. Every iteration solves the linear
// beam-column problem with the current soil moduli Es(k) and flexural rigidities EI(k), then
// takes new secant moduli from the p-y curves at the new deflections and new secant rigidities
// from the moment-curvature relations at the new curvatures, until the largest change of a
// nodal deflection is within the tolerance.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "report/layout.hpp"
#include "solver/lrfd_cases.hpp"
#include "solver/pile.hpp"

namespace mervik {

namespace {

// Single-precision thresholds of the convergence analysis: 1.0E-4 inches and 2.54E-6 meters.
constexpr double kToleranceLimitUSCS = 9.999999747378752E-05;
constexpr double kToleranceLimitSI = 2.539999968576012E-06;

bool usCustomary(const Run& run) { return run.model.options.IUNITS == kUSCS; }

// The moment-curvature relations are in kip-in and kip-in^2 while the pile works in pounds.
double relationScale(const Run& run) { return usCustomary(run) ? 1000.0 : 1.0; }

// Thrust of the case in the unit of the axial-thrust list (kips in US units).
double thrustInListUnit(const Run& run, double P) { return usCustomary(run) ? P / 1000.0 : P; }

int thrustCount(const Run& run) { return std::clamp(run.model.axialThrusts.count, 0, kMaxAxialThrusts); }

}  // namespace

void selectBoundaryValues(Run& run, int j) {
    LoadCaseConditions& c = run.loadCase;
    c = LoadCaseConditions{};
    c.caseNumber = j;
    if (selectLrfdCase(run, j)) return;
    if (j < 1 || j > kMaxLoadCases) return;
    const PileHeadLoad& load = run.model.loading.loadCase[static_cast<std::size_t>(j)];
    c.type = load.loadType;
    c.P = load.axialThrust;
    switch (load.loadType) {
        case 1: c.V0 = load.condition1; c.M0 = load.condition2; break;
        case 2: c.V0 = load.condition1; c.S0 = load.condition2; break;
        case 3: c.V0 = load.condition1; c.Ktheta = load.condition2; break;
        case 4: c.Y0 = load.condition1; c.M0 = load.condition2; break;
        case 5: c.Y0 = load.condition1; c.S0 = load.condition2; break;
        default: break;
    }
}

namespace {

// Absolute curvature at node k from the deflections (node 1 uses the fictitious y(0)).
double curvatureAt(const PileNodes& n, int k) {
    return std::abs((n.y(k + 1) - 2.0 * n.y(k) + n.y(k - 1)) / (n.h * n.h));
}

// Secant rigidity of relation (section s, thrust t) at |moment| and curvature phi, in the units
// of the relation. Marks the node and the pile when phi lies at or beyond the last point.
// False when the relation has no points.
bool secantRigidity(Run& run, int s, int t, int k, double moment, double phi, double& EI) {
    const SectionEITables& r = run.eiTables;
    const auto si = static_cast<std::size_t>(s);
    const auto ti = static_cast<std::size_t>(t);
    const int n = std::clamp(r.pointCount[si][ti], 0, kMaxCurvePoints);
    if (n < 1) return false;
    const auto& Mr = r.M[si][ti];
    const auto& EIr = r.EI[si][ti];
    const auto& phir = r.phi[si][ti];
    if (std::abs(moment) <= Mr[1] || phi <= phir[1]) {
        EI = EIr[1];
        return true;
    }
    const auto last = static_cast<std::size_t>(n);
    if (phi >= phir[last]) {
        EI = Mr[last] / phi;
        run.nodes.beyondRelation[static_cast<std::size_t>(k)] = true;
        run.nodes.pileBeyondRelation = true;
        return true;
    }
    std::size_t i = 2;
    while (i < last && phi > phir[i]) ++i;
    const double Mi = Mr[i - 1] + (phi - phir[i - 1]) * (Mr[i] - Mr[i - 1]) / (phir[i] - phir[i - 1]);
    EI = Mi / phi;
    return true;
}

// The values of one iteration line, after its leading label.
void writeIterationValues(Line& line, const Run& run) {
    const SolverState& s = run.solver;
    line.text("Y(top) =").es(run.nodes.y(1), 12, 4).text(", dYmax =").es(s.dYmax, 12, 4);
    line.text(", Node ").i(s.dYmaxNode, 0).text(", Delta dYmax =").es(s.deltaDYmax, 12, 4).end();
}

void writeProgressLine(Run& run, int j, int it) {
    Line line(run.messages);
    line.text("Analysis Case ").i(j, 0).text(",").tab(20).text("Iteration ").i(it, 0).text(",").tab(36);
    writeIterationValues(line, run);
}

void writeReportIterationLine(Run& run, int j, int it) {
    Line line(run.report);
    line.text("For Analysis Case ").i(j, 0).text(", Iteration ").i(it, 0).text(",").tab(37).text(" ");
    writeIterationValues(line, run);
}

// "<label> <value> <unit>" lines of the convergence figures.
void writeValueWithUnit(Run& run, std::string_view label, double value) {
    Line(run.report).text(label).es(value, 12, 4).text(" ").text(run.units.DeflectionUnit).end();
}

// The tolerance advice: the tolerance is below the recommended upper limit, and dYmax shows
// how far it would have to be raised.
void writeToleranceAdvice(Run& run, double dYmax, std::string_view limitText, std::string_view closing) {
    Channel& out = run.report;
    writeTextLine(out, "The current value for convergence tolerance is less than the recommended upper limit of ");
    writeTextLine(out, std::string(limitText) + ", so a solution is possible if the convergence tolerance is raised to a value ");
    Line(out).text("greater than ").es(dYmax, 12, 4).text(" ").text(run.units.DeflectionUnit).text(".").end();
    writeBlankLines(out, 1);
    writeTextLine(out, closing);
    writeBlankLines(out, 1);
}

}  // namespace

int thrustIndexFor(const Run& run, double P) {
    const int count = thrustCount(run);
    if (count == 0) return 0;
    const double Pk = thrustInListUnit(run, P);
    int t = 1;
    for (int i = 1; i <= count; ++i) {
        if (run.model.axialThrusts.thrust[static_cast<std::size_t>(i)] <= Pk) t = i;
    }
    return t;
}

void updateBendingStiffness(Run& run, int t) {
    PileNodes& n = run.nodes;
    const int M = std::clamp(n.M, 0, kMaxNodes);
    const double scale = relationScale(run);
    const int T = thrustCount(run);
    const auto& thrust = run.model.axialThrusts.thrust;
    const double Pk = thrustInListUnit(run, run.loadCase.P);
    const bool interpolateInThrust = t >= 1 && t < T && Pk > thrust[1];

    for (int k = 1; k <= M; ++k) n.beyondRelation[static_cast<std::size_t>(k)] = false;
    n.pileBeyondRelation = false;

    for (int k = 1; k <= M; ++k) {
        const auto ki = static_cast<std::size_t>(k);
        const int s = n.section[ki];
        if (s < 1 || s > std::min(run.model.sections.count, kMaxSections)) continue;
        const int type = run.model.sections.section[static_cast<std::size_t>(s)].sectionType;
        if (type == kElasticPile) continue;

        const double moment = bendingMomentAt(run, k) / scale;

        if (type == kElasticPlasticPile) {
            const double Mp = n.plasticMoment[ki] / scale;
            if (Mp > std::abs(moment)) {
                // Below the plastic moment the section is elastic: its own rigidity at the node.
                n.EI[ki] = flexuralRigidityAt(run, n.x[ki]);
            } else if (k < M) {
                const double phi = curvatureAt(n, k);
                if (phi != 0.0) n.EI[ki] = std::abs(Mp / phi) * scale;
            }
            continue;
        }

        // Without axial thrusts there is no relation: the node keeps its rigidity.
        if (t < 1 || t > T) continue;
        const double phi = k == M ? 0.0 : curvatureAt(n, k);
        double EIt = 0.0;
        if (!secantRigidity(run, s, t, k, moment, phi, EIt)) continue;
        if (interpolateInThrust) {
            double EInext = 0.0;
            if (secantRigidity(run, s, t + 1, k, moment, phi, EInext)) {
                const double Tt = thrust[static_cast<std::size_t>(t)];
                const double Tnext = thrust[static_cast<std::size_t>(t + 1)];
                EIt = EInext - (EInext - EIt) * (Tnext - Pk) / (Tnext - Tt);
            }
        }
        n.EI[ki] = EIt * scale;
    }
}

void writeNotANumberError(Run& run, int iteration, bool topDeflection) {
    writeRuntimeErrorHeading(run.report, 28);
    writeBlankLines(run.report, 1);
    Line(run.report)
        .text(topDeflection ? "Top deflection is Not-A-Number after iteration "
                            : "Maximum change in deflection is Not-A-Number after iteration ")
        .i(iteration, 0)
        .end();
    storeErrorNumber(run, runtimeError(28));
}

void writeExcessDeflectionError(Run& run, double yTop, double yLimit) {
    const std::string& unit = run.units.DeflectionUnit;
    for (Channel* out : {&run.report, &run.messages}) {
        const bool report = out == &run.report;
        writeBlankLines(*out, 2);
        writeRuntimeErrorHeading(*out, 9);
        writeBlankLines(*out, 1);
        writeTextLine(*out, "An error in the analysis was detected by the program.  ");
        writeBlankLines(*out, 1);
        writeTextLine(*out, "Problem:  The computed deflection is larger than the specified excess deflection limit.");
        writeBlankLines(*out, 1);
        Line(*out).text("The computed deflection of the pile head is ").es(yTop, 12, 4).text(" ").text(unit).end();
        if (report) writeBlankLines(*out, 1);
        Line(*out).text("The specified excess deflection limit is    ").es(yLimit, 12, 4).text(" ").text(unit).end();
        writeBlankLines(*out, 1);
        writeTextLine(*out, "This error may be due to overloading the pile or bad input data.");
        writeBlankLines(*out, report ? 2 : 1);
        writeTextLine(*out, "Solution:  Please check input values for pile loading and soil properties for accuracy ");
        writeBlankLines(*out, 1);
        writeTextLine(*out, "and/or increase the diameter and/or length of the pile if necessary.");
        writeBlankLines(*out, 1);
    }
    raiseRuntimeError(run, 9);
}

void writeNoConvergenceError(Run& run, int maxIterations, double dYmax, double deltaDYmax, double tol) {
    Channel& out = run.report;
    const int units = run.model.options.IUNITS;
    const std::string dashes36(36, '-');
    const std::string dashes77(77, '-');

    writeBlankLines(out, 2);
    writeTextLines(out, {dashes36, "  ****  Runtime Error No. 10  ****  ", dashes36});
    writeBlankLines(out, 1);
    Line(out).text("The analysis failed to converge within the limit of ").i(maxIterations, 0).text(" iterations.").end();
    writeBlankLines(out, 1);
    writeValueWithUnit(run, "Maximum change in nodal deflections                      = ", dYmax);
    writeBlankLines(out, 1);
    writeValueWithUnit(run, "Maximum change in nodal deflections from prior iteration = ", deltaDYmax);
    writeBlankLines(out, 1);
    writeValueWithUnit(run, "Specified convergence tolerance on nodal deflections     = ", tol);
    writeBlankLines(out, 2);
    writeTextLines(out, {dashes77, "         Analysis of Convergence Performance and Recommendations for         ",
                         "         Modification of Iterations Limit and Convergence Tolerance          ", dashes77});
    writeBlankLines(out, 1);
    writeTextLines(out, {"The following recommendations are made on the basis of an analysis of ",
                         "convergence performancefor the last analysis. "});
    writeBlankLines(out, 1);

    // Iterations the present rate of change would need to reach the tolerance. A zero change of
    // dYmax gives no finite estimate, whether 0/0 or not.
    const double e = std::abs(maxIterations + (dYmax - tol) / deltaDYmax);
    if (!std::isfinite(e)) {
        writeTextLines(out, {"The estimated number of iterations needed to obtain a solution cannot be computed.",
                             "for the current convergence limit values."});
        writeBlankLines(out, 1);
        if (units == kUSCS && tol < kToleranceLimitUSCS && maxIterations <= 1000 && dYmax < kToleranceLimitUSCS) {
            writeToleranceAdvice(run, dYmax, "0.0001 inches",
                                 "It is recommended that the convergence tolerance not be raised above 0.0001 inches.");
        } else if (units == kSI && tol < kToleranceLimitSI && dYmax < kToleranceLimitSI) {
            writeToleranceAdvice(run, dYmax, "0.00000254 meters",
                                 "It is recommended that the convergence tolerance not be raised above 2.54E-6 meters.");
        }
    } else {
        const auto Ne = static_cast<long long>(std::min(e, static_cast<double>(std::numeric_limits<int>::max())));
        writeTextLine(out, "The estimated number of iterations needed to obtain a solution for the current convergence ");
        Line(out).text("tolerance value is ").i(Ne, 0).text(" iterations.").end();
        writeBlankLines(out, 1);

        const bool uscs = units == kUSCS;
        if (uscs || units == kSI) {
            const double limit = uscs ? kToleranceLimitUSCS : kToleranceLimitSI;
            if (tol < limit && (!uscs || maxIterations <= 1000)) {
                if (Ne < 1000) {
                    writeTextLine(out, "A solution may be possible by increasing the maximum number of iterations to above this value.");
                }
                if (Ne > 1000) {
                    writeTextLines(out, {uscs ? "The estimated number of iterations required to obtain a solution is greater than 1000, so a "
                                              : "The estimated number of iterations required to obtain a solution is greater than 1,000, so a ",
                                         "solution can only be obtained if the convergence tolerance is increased in value."});
                    writeBlankLines(out, 1);
                }
                if (dYmax < limit) {
                    if (uscs) {
                        writeToleranceAdvice(run, dYmax, "0.0001 inches",
                                             "It is recommended that the convergence tolerance not be raised above 0.0001 inches.");
                    } else {
                        writeToleranceAdvice(run, dYmax, "0.00000254 meters",
                                             "It is recommended that the convergence tolerance not be raised above 0.00000254 meters.");
                    }
                }
            }
            if (dYmax >= limit) {
                if (Ne < 1000 && maxIterations < 1000) {
                    writeTextLines(out, {"The analysis of convergence performance found that it is not likely that a ",
                                         "solution can be obtained by changing the solution criteria for this problem. ",
                                         "However, the maximum number of iterations is less than 1000, so a solution ",
                                         "may be obtained by raising the maximum number of iterations to 1000."});
                    writeBlankLines(out, 1);
                }
                if (maxIterations >= 1000 || Ne > 1000) {
                    writeTextLines(out, {"The analysis of convergence performance found that it is not possible to obtain a ",
                                         "solution by changing the solution criteria for this problem. This indicates that  ",
                                         "the pile is loaded above its structural and/or geotechnical capacity."});
                }
            }
        }
    }
    raiseRuntimeError(run, 10);
}

void straightenPile(Run& run) {
    // The solver measures its first changes against zero.
    run.nodes.deflection.fill(0.0);
    run.solver.previous.fill(0.0);
}

bool startingCurves(Run& run, int curvesIteration) {
    // Vuggy limestone has its layers evaluated before the first curves.
    vuggyLimestonePrePass(run);
    if (run.failed()) return false;
    dispatchPyCurves(run, curvesIteration);
    if (run.failed()) return false;
    if (run.model.options.i_Analysis_Type >= 3) {
        updateBendingStiffness(run, thrustIndexFor(run, run.loadCase.P));
        if (run.failed()) return false;
    }
    return true;
}

int iterateLoadCase(Run& run, int j) {
    PileNodes& n = run.nodes;
    const ProgramOptions& o = run.model.options;

    // A case starts from the straight pile.
    straightenPile(run);
    selectBoundaryValues(run, j);
    if (!startingCurves(run, 0)) return 0;
    const bool nonlinearBending = o.i_Analysis_Type >= 3;

    const int Nmax = o.maxIterations;
    const double tol = o.convergenceTolerance;
    for (int it = 1; it <= Nmax; ++it) {
        solvePile(run, it);
        if (run.failed()) return it;

        const double yTop = n.y(1);
        const double dYmax = run.solver.dYmax;
        if (std::isnan(yTop) || std::isnan(dYmax)) {
            writeNotANumberError(run, it, std::isnan(yTop));
            return it;
        }
        writeProgressLine(run, j, it);
        if (it > Nmax - 5) writeReportIterationLine(run, j, it);

        // The tolerance is accepted only after the first five iterations, so that the soil
        // moduli and rigidities have moved away from their starting values.
        if (std::abs(dYmax) <= tol) {
            if (it > 5) return it;
        } else if (it > 10 && std::abs(yTop) >= o.maxDeflection) {
            writeExcessDeflectionError(run, yTop, o.maxDeflection);
            return it;
        }

        runLayerLoop(run, it);
        if (run.failed()) return it;
        if (nonlinearBending) {
            updateBendingStiffness(run, thrustIndexFor(run, run.loadCase.P));
            if (run.failed()) return it;
        }
    }

    writeNoConvergenceError(run, Nmax, run.solver.dYmax, run.solver.deltaDYmax, tol);
    return std::max(Nmax, 0);
}

}  // namespace mervik
