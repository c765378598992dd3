// Soft clay p-y curves after Matlock (1970): code 1 ("SoftClay", constant J) and code 15
// ("SoftClyJ", J from the layer data). The ultimate resistance grows from 3 c b at the ground
// surface (wedge failure) to 9 c b below the transition depth (flow around the pile). The static
// curve is p/pu = 0.5 (y/y50)^(1/3) up to 8 y50; the cyclic curve follows the same shape to
// 3 y50 and then holds 0.72 pu below the transition depth, or falls to a residual resistance
// that shrinks towards the ground surface above it.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "engine/warnings.hpp"
#include "py/py_framework.hpp"
#include "py/py_node_loop.hpp"
#include "py/soil_mechanics.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {


constexpr double kExponent = 0.3333333432674408;        // single-precision 1/3
constexpr double kCyclicFactor = 0.7211247682571411;    // puc / pu
constexpr double kSmallFactor = 9.999999747378752E-6;   // small deflection: y below this times y50
constexpr double kCorrectionCyclic = 0.7200000286102295;
constexpr double kLimitingModulus = 1000000.0;          // code 1
constexpr double kWarningStrengthUS = 8.68055534362793;   // 1250 psf in psi
constexpr double kWarningStrengthSI = 59.85032272338867;  // 1250 psf in kPa

// The two codes: what differs between them.
struct ClayVariant {
    bool withJ = false;
    int zeroStrengthError = 12;
    int noDefaultEps50Error = 37;
};

ClayVariant variantOf(const PyPoint& at) {
    if (at.row->code == kPySoftClayJ) return {true, 71, 38};
    return {};
}

// ---------------------------------------------------------------- the law

// Values at the node that depend only on its depth.
struct ClayDepth {
    double c = 0.0, gamma = 0.0, eps50 = 0.0, J = 0.0, y50 = 0.0;
    bool strengthWarning = false;  // above the strength the criteria were derived for
};

// Everything of one curve that does not depend on the deflection.
struct ClayCurve {
    bool cyclic = false, withJ = false;
    double b = 0.0, c = 0.0;
    double y50 = 0.0;
    double N0 = 0.0, Xr = 0.0, Fs = 1.0;
    double pu = 0.0, puc = 0.0, pur = 0.0;
    double xc = 0.0;
    double Elim = 0.0;
};

// Resistance at deflection y >= 0 (outside the small-deflection range).
double clayP(const ClayCurve& cv, double y) {
    const double shape = 0.5 * cv.pu * std::pow(y / cv.y50, kExponent);
    if (!cv.cyclic) return y <= 8.0 * cv.y50 ? shape : cv.pu;
    if (y <= 3.0 * cv.y50) return shape;
    if (cv.Xr - cv.xc <= 0.0) return cv.puc;
    if (y <= 15.0 * cv.y50) return cv.puc + (y - 3.0 * cv.y50) * (cv.pur - cv.puc) / (12.0 * cv.y50);
    return cv.pur;
}

// ---------------------------------------------------------------- errors

void writeZeroStrength(Run& run, Channel& ch, const ClayVariant& v, const PyPoint& at, double depth, double c,
                       bool toReport) {
    writeInputErrorHeading(ch, v.zeroStrengthError);
    writeTextLines(ch, {"", "An error was detected that is related to an incompatibility between the input ",
                        "data defining soil layering and soil shear strength values when computing a ",
                        "p-y curve using the Matlock soft clay criteria.", ""});
    writeTextLine(ch, v.withJ ? "Problem:  A negative or zero value of cohesion was input for a soft clay soil with J."
                              : "Problem:  A negative or zero value of cohesion was input for a soft clay soil.");
    writeTextLines(ch, {"", "Solution:  Please compare the depth values for soil layering and soil shear ",
                        "strength values and revise the input data.", "", ""});
    Line line(ch);
    line.text("Layer no. = ").i(at.L, 0).text(", Node no. = ").i(at.k, 0).text(", Top node in layer = ").i(run.py.firstNode, 0);
    line.text(", Elevation = ").f(depth, 10, 3).text(", c(x) = ").f(c, 10, 3);
    if (toReport) {
        line.text(", Pile length = ").f(run.nodes.L, 10, 3).slash();
        line.text(", ITOP = ").i(run.py.firstNode, 0).text(", IBOT = ").i(run.py.lastNode, 0);
    }
    line.end();
}

void raiseZeroStrength(Run& run, const ClayVariant& v, const PyPoint& at, double c) {
    writeZeroStrength(run, run.messages, v, at, at.d.xp, c, false);
    writeZeroStrength(run, run.report, v, at, at.d.zs, c, true);
    raiseInputError(run, v.zeroStrengthError);
}

// ---------------------------------------------------------------- printed curve

// Deflections of the printed curve in units of y50 (single-precision values).
constexpr std::array<double, 17> kStaticPoints = {0.0, 0.05000000074505806, 0.125, 0.25, 0.375, 0.5, 1.0, 1.5, 2.0,
                                                  2.5, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 8.5};
constexpr std::array<double, 17> kCyclicPoints = {
    0.0, 0.05000000074505806, 0.10000000149011612, 0.20000000298023224, 0.30000001192092896, 0.4000000059604645,
    0.5, 0.6000000238418579, 0.800000011920929, 1.0, 1.5, 2.0, 2.5, 3.0, 9.0, 15.0, 16.0};

// Label line with a 12-character value.
void labelLine(Channel& r, std::string_view label, double value, int decimals, std::string_view unit = {}) {
    writeCurveLabelLine(r, label, value, 12, decimals, unit);
}

// ---------------------------------------------------------------- the model

struct SoftClay {
    using Depth = ClayDepth;
    using Curve = ClayCurve;
    static constexpr PyLawRules kRules{.layering = true,
                                        .resistance = LayerResistance::TrapezoidsLastIncrement};

    static void repeatWarnings(Run& run, const ClayDepth& v) {
        if (v.strengthWarning) recordWarning(run.warnings, run.model.options.IUNITS == kUSCS ? -3041 : -3042);
    }

    static bool lookUp(Run& run, const PyPoint& at, ClayDepth& v) {
        const ClayVariant variant = variantOf(at);
        const int IUNITS = run.model.options.IUNITS;
        v.c = fn_c(run, at.d.zs);
        if (run.failed()) return false;
        const bool atInterface = run.py.b_AtInterface;
        v.gamma = averageUnitWeight(run, at.d.zs);
        if (run.failed()) return false;
        // Strength above 1250 psf is beyond the range the criteria were derived for.
        if (!atInterface) {
            v.strengthWarning = (IUNITS == kUSCS && v.c > kWarningStrengthUS) || (IUNITS == kSI && v.c > kWarningStrengthSI);
            repeatWarnings(run, v);
        }
        v.J = variant.withJ ? jFactorAt(run, at.d.zs) : run.py.softClayJ;
        v.eps50 = eps50At(run, at.d.zs);
        if (v.eps50 <= 0.0 && !defaultSoftClayEps50(IUNITS, v.c, v.eps50)) {
            storeErrorNumber(run, runtimeError(variant.noDefaultEps50Error));
            return false;
        }
        v.y50 = 2.5 * v.eps50 * at.b;
        if (!at.first && v.c < 1E-10) {
            raiseZeroStrength(run, variant, at, v.c);
            return false;
        }
        return true;
    }

    // Depth at which the layer's own resistance, integrated from the ground surface, equals F
    // (the resistance of the layers above): the equivalent depth of the layer top.
    static double equivalentDepth(Run& run, const PyPoint& at, const ClayDepth& v, double F) {
        const double b = at.b, c = v.c, g = v.gamma, J = v.J;
        const double X = clayTransitionDepth(c, g, J, b);
        double I = 0.0, P = 0.0;
        if (run.model.options.cyclic) {
            I = (1.5 * X * b * c + c * X * X / 6.0 + X * X * b * g / 3.0) * kCorrectionCyclic;
            P = 9.0 * b * c * kCorrectionCyclic;
        } else {
            I = ((3.0 * c + J * X * g) * b + 0.25 * X * c) * X;
            P = 9.0 * b * c;
        }
        if (I < F) return X + (F - I) / P;
        const double A = 3.0 * b * c;
        const double B = 0.25 * c + 0.5 * b * g;
        return (std::sqrt(A * A + 4.0 * F * B) - A) * 0.5 / B;
    }

    // Ultimate resistances at the curve depth, with the node deflection for the sloping-ground
    // factor.
    static void curve(Run& run, const PyPoint& at, const ClayDepth& v, const ClayCurve&, ClayCurve& cv) {
        cv.cyclic = run.model.options.cyclic;
        cv.withJ = variantOf(at).withJ;
        cv.b = at.b;
        cv.c = v.c;
        cv.y50 = v.y50;
        cv.xc = at.d.xc;
        cv.N0 = clayBearingFactor(v.c, v.gamma, v.J, cv.b, cv.xc);
        cv.Xr = std::max(2.5 * cv.b, clayTransitionDepth(v.c, v.gamma, v.J, cv.b));
        const double theta = run.model.slope.effectiveSlope;
        cv.Fs = claySlopeFactor(theta, run.nodes.y(at.k));
        const double N = std::fabs(theta) > 1E-20 ? cv.N0 * cv.Fs : cv.N0;
        cv.pu = N < 9.0 ? cv.c * cv.b * N : 9.0 * cv.c * cv.b;
        cv.puc = kCyclicFactor * cv.pu;
        cv.pur = cv.xc < cv.Xr ? cv.puc * cv.xc / cv.Xr : cv.puc;
        cv.Elim = cv.withJ ? cv.pu * 0.01077217236161232 / (2.9999999242136255E-5 * cv.y50) : kLimitingModulus;
    }

    // Layer resistance: the static, or the cyclic resistance and, above the transition depth,
    // the residual one; the static resistance over the increment below the last node.
    static double resistance(const ClayCurve& cv) { return cv.cyclic ? cv.puc : cv.pu; }
    static bool residualCounts(const ClayCurve& cv) { return cv.cyclic && cv.xc < cv.Xr; }
    static double residualResistance(const ClayCurve& cv) { return cv.pur; }
    static double tailResistance(const ClayCurve& cv) { return cv.pu; }
    static double surfaceResistance(const ClayCurve& cv) { return 3.0 * cv.c * cv.b + cv.pu; }

    static double threshold(const ClayCurve& cv) { return kSmallFactor * cv.y50; }
    static double limitingModulus(const ClayCurve& cv) { return cv.Elim; }
    static double p(const ClayCurve& cv, double y) { return clayP(cv, y); }

    static void print(Run& run, const PyPoint& at, const ClayDepth& v, const ClayCurve& cv);
};

void SoftClay::print(Run& run, const PyPoint& at, const ClayDepth& v, const ClayCurve& cv) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    const ProgramOptions& o = run.model.options;
    const bool uscs = o.IUNITS == kUSCS;
    const bool withJ = cv.withJ;
    const bool cyclicTexts = o.numberOfCycles >= 2.0;
    const double pm = at.pm, ym = at.ym;
    const std::string lineLoad = u.ForceUnit + u.slash + u.DeflectionUnit;

    std::string title = withJ ? "p-y Curve Computed Using the Soft Clay Criteria with J for "
                              : "p-y Curve Computed Using the Soft Clay Criteria for ";
    title += cyclicTexts ? "Cyclic Loading Conditions" : "Static Loading Conditions";
    writeCurveHeading(run, at, title, "Equivalent Depth");
    writeSlopeAngleLines(run);
    labelLine(r, "Pile Diameter", cv.b, 3, u.DeflectionUnit);
    if (!withJ) {
        labelLine(r, "Cohesion, c", cv.c, 3, u.StressUnit);
        if (uscs) labelLine(r, "Cohesion, c", cv.c * 144.0, 3, u.SoilStressUnit);
        labelLine(r, "Avg. Eff. Unit Weight", v.gamma, 5, u.UnitWeightComputeUnit);
        if (uscs) labelLine(r, "Avg. Eff. Unit Weight", v.gamma * 1728.0, 5, u.UnitWeightUnit);
    } else if (uscs) {
        labelLine(r, "Cohesion, c", cv.c * 144.0, 3, u.SoilStressUnit);
        labelLine(r, "Avg. Eff. Unit Weight", v.gamma * 1728.0, 5, u.UnitWeightUnit);
    } else {
        labelLine(r, "Cohesion, c", cv.c, 3, u.StressUnit);
        labelLine(r, "Avg. Eff. Unit Weight", v.gamma, 5, u.UnitWeightComputeUnit);
    }
    labelLine(r, "Epsilon50 parameter", v.eps50, 5);
    labelLine(r, withJ ? "J parameter" : "J (default value)", v.J, 3);
    labelLine(r, "Transition Depth Xr", cv.Xr, 3, u.DeflectionUnit);
    labelLine(r, "pu_s", cv.c * cv.b * cv.N0, 3, lineLoad);
    labelLine(r, "pu_d", 9.0 * cv.c * cv.b, 3, lineLoad);
    labelLine(r, "y_50", cv.y50, 5, u.DeflectionUnit);
    labelLine(r, "p-multiplier", pm, 5);
    labelLine(r, "y-multiplier", ym, 5);
    if (cyclicTexts) {
        if (withJ) {
            labelLine(r, "Number of cycles of loading", o.numberOfCycles, 0);
            labelLine(r, "Xr", cv.Xr, 3, u.DeflectionUnit);
        } else {
            Line(r).text("Number of cycles of loading").tab(56).text("= ").f(o.numberOfCycles, 12, 0).text(" cycles").end();
            labelLine(r, "X_r", cv.Xr, 3, u.DeflectionUnit);
        }
    }
    plotCurve(run, at, 17);
    labelLine(r, "Sloping Ground Factor", cv.Fs, 3);
    labelLine(r, "pu_static", cv.pu, 3, lineLoad);
    if (cyclicTexts) labelLine(r, "pu_cyclic", cv.puc, 3, lineLoad);

    writeCurveColumnHeading(run);
    const std::array<double, 17>& points = cv.cyclic ? kCyclicPoints : kStaticPoints;
    for (int j = 1; j <= 17; ++j) {
        const double y = points[static_cast<std::size_t>(j - 1)] * cv.y50;
        const bool small = y < threshold(cv);
        const double p = small ? cv.Elim * y : clayP(cv, y);
        if (withJ) {
            writeCurvePoint(run, at, ym * y, pm * p, j);
        } else {
            Line(r).real(ym * y, 12).blanks(9).real(pm * p, 12).end();
            plotCurvePoint(run, at, ym * y, pm * p, j);
        }
        if (j > 1 && small) {
            writeTextLines(r, {"", "**** Warning ****", "", "The pile deflection is less than 0.00001*Y50."});
            Line(r)
                .text("Mervik used the limiting value of soil modulus (= ")
                .es(cv.Elim, 12, 4)
                .text(u.ForceUnit)
                .text(u.slash)
                .text(u.DeflectionUnit)
                .text(u.power)
                .text(u.three)
                .end();
            writeTextLine(r, withJ ? ") when computing the p-y curve for soft clay with J."
                                   : ") when computing the p-y curve for soft clay.");
        }
    }
}

}  // namespace

void pySoftClay(Run& run, int L) { runPyModel<SoftClay>(run, L); }

}  // namespace mervik
