// Stiff clay below free water, after Reese, Cox and Koop (1975), model code 2 ("StfClyBW").
// The ultimate resistance pc is the smaller of a wedge value, (gamma' b + 2.83 ca) x + 2 ca b,
// and the flow-around value 11 c b. Empirical coefficients As (static) and Ac (cyclic), which
// grow with x/b, shape the curves: the static curve rises as a square-root parabola, softens
// and falls to a residual resistance; the cyclic curve rises to Ac pc, falls linearly and holds
// a residual. Both are limited everywhere by the initial straight line k x y. Water at the pile
// scours the clay under cyclic loading, which the low residual resistances express.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "engine/warnings.hpp"
#include "py/py_framework.hpp"
#include "py/py_node_loop.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

// Single-precision constants of the criteria, used with their exact values.
constexpr double kWedgeFactor = 2.8299999237060547;   // 2.83 ca x of the wedge resistance
constexpr double kResidualStatic = 0.41100001335144043;
constexpr double kSoftening = 0.054999999701976776;   // static curve between As y50 and 6 As y50
constexpr double kCyclicPeak = 0.9359999895095825;    // 0.936 Ac pc
constexpr double kCyclicResidualAs = 0.41819998621940613;
constexpr double kCyclicYp = 4.099999904632568;       // yp = 4.1 As y50
constexpr double kCyclicHalf = 0.44999998807907104;   // peak of the cyclic parabola at 0.45 yp
constexpr double kCyclicKnee = 0.6000000238418579;    // 0.6 yp
constexpr double kCyclicEnd = 1.7999999523162842;     // 1.8 yp
constexpr double kCyclicSlope = 0.08500000089406967;
constexpr double kCyclicDrop = 0.10199999809265137;
constexpr double kSmallDeflection = 1E-14;            // below it Es is the initial modulus k x
constexpr double kSlopeCosineFactor = 0.7071067811865476;

// Strengths outside the range the criteria were derived for (500 and 8000 psf).
constexpr double kLowStrengthUS = 3.472222328186035, kHighStrengthUS = 55.55555725097656;
constexpr double kLowStrengthSI = 23.940128326416016, kHighStrengthSI = 383.04205322265625;

// ---------------------------------------------------------------- coefficients and defaults

// As against t = x/b: a cubic up to t = 3.3, capped at 0.6.
double coefficientAs(double t) {
    const double a = (0.006898100022226572 * t * t + 0.295879602432251) * t + 0.2345000058412552 -
                     0.0786110982298851 * t * t;
    return (t <= 3.299999952316284 && a <= 0.6000000238418579) ? a : 0.6000000238418579;
}

// Ac against t = x/b: a cubic up to t = 1.5, capped at 0.3.
double coefficientAc(double t) {
    const double a = (0.011667000129818916 * t * t + 0.15333299338817596) * t + 0.20000000298023224 -
                     0.07500000298023224 * t * t;
    return (t <= 1.5 && a <= 0.30000001192092896) ? a : 0.30000001192092896;
}

// Residual resistance over pc: where the static or cyclic curve ends.
double residualRatio(bool cyclic, double As, double Ac) {
    if (cyclic) return kCyclicPeak * Ac - kCyclicResidualAs * As;
    return 0.5 * std::sqrt(6.0 * As) - kResidualStatic - 0.75 * As;
}

// Strength bands of the default k and eps50 (psi or kPa), from the softest up.
struct StiffClayBand {
    double uscsBelow, siBelow;
    double kStaticUS, kCyclicUS, kStaticSI, kCyclicSI;
    double eps50;
};
constexpr std::array<StiffClayBand, 4> kBands = {{
    {6.94444465637207, 47.8802604675293, 250.0, 100.0, 67861.78125, 27144.7109375, 0.010999999940395355},
    {13.88888931274414, 95.7605209350586, 500.0, 200.0, 135723.5625, 54289.421875, 0.007000000216066837},
    {27.77777862548828, 191.5210418701172, 1000.0, 400.0, 271447.125, 108578.84375, 0.004999999888241291},
    {0.0, 0.0, 2000.0, 800.0, 542894.25, 217157.6875, 0.004000000189989805},  // otherwise
}};

// The band of strength c in US or SI units.
const StiffClayBand& bandOf(int IUNITS, double c) {
    for (std::size_t i = 0; i + 1 < kBands.size(); ++i) {
        if (c < (IUNITS == kUSCS ? kBands[i].uscsBelow : kBands[i].siBelow)) return kBands[i];
    }
    return kBands.back();
}

double defaultK(int IUNITS, bool cyclic, double c) {
    const StiffClayBand& band = bandOf(IUNITS, c);
    if (IUNITS == kUSCS) return cyclic ? band.kCyclicUS : band.kStaticUS;
    return cyclic ? band.kCyclicSI : band.kStaticSI;
}

// ---------------------------------------------------------------- the law

// Values at the node that depend only on its depth.
struct StiffClayDepth {
    double c = 0.0, gamma = 0.0;
    double caFromSurface = 0.0;  // layer 1: average strength from the ground surface
    double k = 0.0, eps50 = 0.0, y50 = 0.0;
    int strengthWarning = 0;     // 3051 to 3054, or 0
};

// One curve: what does not depend on the deflection, and the running strength sum of the layer.
struct StiffClayCurve {
    bool cyclic = false;
    double zs = 0.0, zFirst = 0.0;  // depth of the node and of the layer's first node
    double c = 0.0, S = 0.0, ca = 0.0;
    double xc = 0.0, Fs = 1.0;
    double As = 0.0, Ac = 0.0;
    double pct = 0.0, pcd = 0.0, pc = 0.0, pr = 0.0;
    double kx = 0.0, y50 = 0.0, b = 0.0;
};

// Side of loading on sloping ground, from the node deflection y and the effective slope theta:
// pushing towards the downslope side reduces the wedge, towards the upslope side enlarges it.
// A deflection of exactly 1E-20 keeps the factor of the previous node.
double slopeFactor(double theta, double y, double previous) {
    const double a = std::fabs(theta);
    if ((y > 1E-20 && theta > 1E-20) || (y < 1E-20 && theta < 1E-20)) return 1.0 / (1.0 + std::tan(a));
    if ((y > 1E-20 && theta < 1E-20) || (y < 1E-20 && theta > 1E-20)) {
        return kSlopeCosineFactor * std::cos(a) / std::cos(a + 0.7853981633974483);
    }
    return previous;
}

double staticP(const StiffClayCurve& cv, double y) {
    const double pc = cv.pc, y50 = cv.y50, As = cv.As;
    if (y <= As * y50) return 0.5 * pc * std::sqrt(y / y50);
    if (y <= 6.0 * As * y50) return pc * (0.5 * std::sqrt(y / y50) - kSoftening * std::pow(y / (As * y50) - 1.0, 1.25));
    const double peak = 0.5 * std::sqrt(6.0 * As) * pc;
    if (y <= 18.0 * As * y50) return peak - kResidualStatic * pc - 0.0625 * pc * (y - 6.0 * As * y50) / y50;
    return peak - 0.75 * As * pc - kResidualStatic * pc;
}

double cyclicP(const StiffClayCurve& cv, double y) {
    const double pc = cv.pc, y50 = cv.y50, Ac = cv.Ac;
    const double yp = kCyclicYp * cv.As * y50;
    if (y <= kCyclicKnee * yp) {
        const double v = std::fabs((y - kCyclicHalf * yp) / (kCyclicHalf * yp));
        return Ac * pc * (1.0 - std::pow(v, 2.5));
    }
    if (y <= kCyclicEnd * yp) return kCyclicPeak * Ac * pc - kCyclicSlope * pc * (y - kCyclicKnee * yp) / y50;
    return kCyclicPeak * Ac * pc - kCyclicDrop * pc * yp / y50;
}

// The curve at deflection y >= 0, below the initial straight line k x y.
double stiffClayP(const StiffClayCurve& cv, double y) {
    return std::min(cv.cyclic ? cyclicP(cv, y) : staticP(cv, y), cv.kx * y);
}

// ---------------------------------------------------------------- errors

void writeZeroStrength(Channel& ch) {
    writeInputErrorHeading(ch, 14);
    writeTextLines(ch, {"", "An error was detected in the input data used to compute p-y curves in ",
                        "stiff clay with free water.", "", "Problem:  Zero was input for the cohesion of a stiff clay. ",
                        "", "Solution:  Check and compare the values of shear strength and revise the ",
                        "input so that the strength values are correct for the soil types specified.", ""});
}

void raiseZeroStrength(Run& run) {
    writeZeroStrength(run.messages);
    writeZeroStrength(run.report);
    raiseInputError(run, 14);
}

// ---------------------------------------------------------------- the model

struct StiffClayWater {
    using Depth = StiffClayDepth;
    using Curve = StiffClayCurve;
    static constexpr PyLawRules kRules{.layering = true,
                                        .resistance = LayerResistance::TrapezoidsToLayerBottom,
                                        .secantDividesInTurn = true};

    static void repeatWarnings(Run& run, const StiffClayDepth& v) {
        if (v.strengthWarning != 0) recordWarning(run.warnings, -v.strengthWarning);
    }

    static bool lookUp(Run& run, const PyPoint& at, StiffClayDepth& v) {
        const int IUNITS = run.model.options.IUNITS;
        const bool cyclic = run.model.options.cyclic;
        v.c = fn_c(run, at.d.zs);
        if (run.failed()) return false;
        if (!at.first && v.c < 1E-10) {
            raiseZeroStrength(run);
            return false;
        }
        if (!run.py.b_AtInterface) {
            if (IUNITS == kUSCS) {
                if (v.c < kLowStrengthUS) v.strengthWarning = 3051;
                if (v.c > kHighStrengthUS) v.strengthWarning = 3052;
            } else if (IUNITS == kSI) {
                if (v.c < kLowStrengthSI) v.strengthWarning = 3053;
                if (v.c > kHighStrengthSI) v.strengthWarning = 3054;
            }
            repeatWarnings(run, v);
        }
        v.gamma = averageUnitWeight(run, at.d.zs);
        if (run.failed()) return false;
        if (at.L == 1) {
            v.caFromSurface = averageStrength(run, at.d.zs);
            if (run.failed()) return false;
        }

        // Subgrade modulus: linear in the layer, a missing bottom value taken from the top (for
        // the rest of the run), the default by strength when the top value is not positive.
        SoilLayer& layer = run.model.soil.layer[static_cast<std::size_t>(at.L)];
        if (layer.kpy.bottom <= 0.0) layer.kpy.bottom = layer.kpy.top;
        if (layer.kpy.top > 0.0) {
            v.k = valueInLayer(layer.kpy.top, layer.kpy.bottom, layer.depthTop, layer.depthBottom, at.d.zs);
        } else if (IUNITS == kUSCS || IUNITS == kSI) {
            v.k = defaultK(IUNITS, cyclic, v.c);
        } else {
            raiseNoDefaultInGeneralUnits(run, at, "stiff clay with free water", "k");
            return false;
        }

        v.eps50 = eps50At(run, at.d.zs);
        if (v.eps50 <= 0.0) {
            if (IUNITS != kUSCS && IUNITS != kSI) {
                raiseNoDefaultInGeneralUnits(run, at, "stiff clay with free water", "Epsilon50");
                return false;
            }
            v.eps50 = bandOf(IUNITS, v.c).eps50;
        }
        v.y50 = v.eps50 * at.b;
        return true;
    }

    // Depth at which the layer's own residual resistance R pc, integrated from the ground
    // surface, equals F (the resistance of the layers above): 50 steps down to the depth X where
    // the wedge reaches 11 c b, and 11 c b R beyond it. At the layer's first node ca = c.
    static double equivalentDepth(Run& run, const PyPoint& at, const StiffClayDepth& v, double F) {
        const bool cyclic = run.model.options.cyclic;
        const double b = at.b, c = v.c, ca = v.c, g = v.gamma;
        const double X = (11.0 * c - 2.0 * ca) * b / (g * b + kWedgeFactor * ca);
        const double f = X / 50.0;
        double S = 0.0, R = 0.0;
        for (int i = 1; i <= 50; ++i) {
            const double xi = i * f;
            R = residualRatio(cyclic, coefficientAs(xi / b), coefficientAc(xi / b));
            const double Snext = S + f * R * ((g * xi + 2.0 * ca) * b + kWedgeFactor * xi * ca);
            if (Snext > F) return xi - f * (Snext - F) / (Snext - S);
            S = Snext;
        }
        // Below X at the flow-around resistance; nothing left to place when F is reached at X.
        const double rest = F - S;
        return rest > 0.0 ? X + rest / (11.0 * c * R * b) : X;
    }

    static void curve(Run& run, const PyPoint& at, const StiffClayDepth& v, const StiffClayCurve& previous,
                      StiffClayCurve& cv) {
        cv.cyclic = run.model.options.cyclic;
        cv.b = at.b;
        cv.zs = at.d.zs;
        cv.c = v.c;
        // Mean strength: from the ground surface in layer 1; below, the running trapezoidal mean
        // over the layer's nodes from its first node down.
        if (at.L == 1) {
            cv.ca = v.caFromSurface;
        } else if (at.first) {
            cv.zFirst = cv.zs;
            cv.S = 0.0;
            cv.ca = v.c;
        } else {
            cv.zFirst = previous.zFirst;
            cv.S = previous.S + (cv.zs - previous.zs) * 0.5 * (previous.c + v.c);
            cv.ca = cv.zs - cv.zFirst != 0.0 ? cv.S / (cv.zs - cv.zFirst) : previous.ca;
        }
        cv.xc = at.d.xc;
        cv.As = coefficientAs(cv.xc / cv.b);
        cv.Ac = coefficientAc(cv.xc / cv.b);
        cv.pct = (v.gamma * cv.b + kWedgeFactor * cv.ca) * cv.xc + 2.0 * cv.ca * cv.b;
        cv.kx = v.k * cv.xc;
        const double theta = run.model.slope.effectiveSlope;
        cv.Fs = slopeFactor(theta, run.nodes.y(at.k), previous.Fs);
        if (std::fabs(theta) > 1E-20) cv.pct *= cv.Fs;
        cv.pcd = 11.0 * v.c * cv.b;
        cv.pc = std::min(cv.pct, cv.pcd);
        cv.y50 = v.y50;
        cv.pr = residualRatio(cv.cyclic, cv.As, cv.Ac) * cv.pc;
    }

    // Layer resistance: the residual resistance, down to the layer bottom; with the ground
    // above the pile head, layer 1 from its surface and bottom resistances.
    static double resistance(const StiffClayCurve& cv) { return cv.pr; }
    static double tailResistance(const StiffClayCurve& cv) { return cv.pr; }
    static double surfaceResistance(const StiffClayCurve& cv) { return 2.0 * cv.ca * cv.b + cv.pc; }

    static double threshold(const StiffClayCurve&) { return kSmallDeflection; }
    static double limitingModulus(const StiffClayCurve& cv) { return cv.kx; }
    static double p(const StiffClayCurve& cv, double y) { return stiffClayP(cv, y); }

    static void print(Run& run, const PyPoint& at, const StiffClayDepth& v, const StiffClayCurve& cv);
};

// Deflections of the printed curve: static in steps of As y50 / 2 to 6 As y50, then 10, 14, 18
// and 19 As y50; cyclic in steps of yp / 20 to 0.6 yp, then 1.0, 1.4, 1.8 and 1.9 yp.
double printedDeflection(const StiffClayCurve& cv, int j) {
    if (!cv.cyclic) {
        const double unit = cv.As * cv.y50;
        if (j <= 13) return 0.5 * unit * (j - 1);
        if (j <= 16) return (10.0 + 4.0 * (j - 14)) * unit;
        return 19.0 * unit;
    }
    const double yp = kCyclicYp * cv.As * cv.y50;
    if (j <= 13) return 0.05000000074505806 * yp * (j - 1);
    if (j <= 16) return 0.6 * yp + 0.4000000059604645 * yp * (j - 13);
    return 1.899999976158142 * yp;
}

void labelLine(Channel& r, std::string_view label, double value, int decimals, std::string_view unit = {}) {
    writeCurveLabelLine(r, label, value, 12, decimals, unit);
}

void StiffClayWater::print(Run& run, const PyPoint& at, const StiffClayDepth& v, const StiffClayCurve& cv) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    const bool uscs = run.model.options.IUNITS == kUSCS;
    const std::string lineLoad = u.ForceUnit + u.slash + u.DeflectionUnit;

    writeCurveHeading(run, at,
                      cv.cyclic ? "p-y Curve Computed Using Cyclic Criteria for Stiff Clay with Free Water"
                                : "p-y Curve Computed Using Static Criteria for Stiff Clay with Free Water",
                      "Equivalent Depth");
    labelLine(r, "Diameter", cv.b, 3, u.DeflectionUnit);
    labelLine(r, "c (at curve depth)", cv.c, 3, u.StressUnit);
    if (uscs) labelLine(r, "c (at curve depth)", cv.c * 144.0, 3, u.SoilStressUnit);
    labelLine(r, "Average cohesion, c", cv.ca, 5, u.StressUnit);
    if (uscs) labelLine(r, "Undrained cohesion, c", cv.ca * 144.0, 5, u.SoilStressUnit);
    labelLine(r, "Average Eff. Unit Weight", v.gamma, 5, u.UnitWeightComputeUnit);
    if (uscs) labelLine(r, "Average Eff. Unit Weight", v.gamma * 1728.0, 5, u.UnitWeightUnit);
    labelLine(r, "k", v.k, 3, u.SubgradeUnit);
    labelLine(r, "Epsilon50", v.eps50, 5);
    labelLine(r, "y50", cv.y50, 3, u.DeflectionUnit);
    labelLine(r, "As", cv.As, 3);
    labelLine(r, cv.cyclic ? "Ac" : "Ac (not used)", cv.Ac, 5);
    labelLine(r, "pct", cv.pct, 3, lineLoad);
    labelLine(r, "pcd", cv.pcd, 3, lineLoad);
    labelLine(r, "pc", cv.pc, 3, lineLoad);
    labelLine(r, "pu", cv.pr, 3, lineLoad);
    labelLine(r, "p-multiplier", at.pm, 5);
    labelLine(r, "y-multiplier", at.ym, 5);
    if (cv.cyclic) labelLine(r, "Number of Cycles of Loading", run.model.options.numberOfCycles, 0);
    writeBlankLines(r, 1);
    Line(r).text("        y, ").text(u.DeflectionUnit).text("             p, ").text(lineLoad).end();
    writeTextLine(r, "----------------    -----------------");
    plotCurve(run, at, 17);

    // The point text of the plot records names the loading.
    const std::string pointText = std::string(cv.cyclic ? "cyclic " : "static ") + std::string(at.row->pointText);
    for (int j = 1; j <= 17; ++j) {
        const double y = printedDeflection(cv, j);
        const double Y = at.ym * y, P = at.pm * stiffClayP(cv, y);
        if (cv.cyclic) {
            Line(r).f(Y, 15, 4).f(P, 17, 3).end();
        } else {
            Line(r).blanks(3).real(Y, 12).blanks(5).real(P, 12).end();
        }
        plotRecord8(run, Y, P, j, pointText);
    }
}

}  // namespace

void pyStiffClayWater(Run& run, int L) { runPyModel<StiffClayWater>(run, L); }

}  // namespace mervik
