// Stiff clay above the water table after Welch and Reese (1972): code 3 ("StfClyAW") and
// code 4 ("StfClyAK", the same criteria with an initial straight line of slope k x). The
// ultimate resistance is the wedge value (gamma' b + c/2) x + 3 b c limited to 9 b c; the static
// curve is p = 0.5 pu (y/y50)^(1/4), which reaches pu at 16 y50; cyclic loading stretches the
// deflections by 0.6 log10(N) + 1 for N cycles. Code 4 keeps the whole curve below k x y.
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

constexpr double kQuarter = 0.25;                        // exponent of the curve
constexpr double kCyclicStretch = 0.6000000238418579;    // y50 factor per decade of cycles
constexpr double kPrintedStretch = 9.600000381469727;    // 16 times the factor above
constexpr double kSmallWidthFraction = 2E-5;             // code 3: small deflection below 2E-5 b
constexpr double kSmallDeflectionK = 1E-14;              // code 4
constexpr double kStaticLastPoint = 16.799999237060547;  // last printed point, static, in y50
constexpr int kPrintedPoints = 17;

// The two codes: what differs between them.
struct DryClayVariant {
    bool withK = false;
    std::array<int, 4> warnings{-3061, -3062, -3063, -3064};  // US low, US high, SI low, SI high
};

DryClayVariant variantOf(const PyPoint& at) {
    if (at.row->code == kPyStiffClayNoFreeWaterK) return {true, {-3261, -3262, -3263, -3264}};
    return {};
}

// ---------------------------------------------------------------- default eps50 and k

// Default eps50 by the strength band of the defaults (single-precision values).
constexpr std::array<double, 4> kDefaultEps50 = {0.010999999940395355, 0.007000000216066837, 0.004999999888241291,
                                                 0.004000000189989805};

bool hasDefaults(int IUNITS) { return IUNITS == kUSCS || IUNITS == kSI; }

double defaultEps50(int IUNITS, double c) {
    return kDefaultEps50[static_cast<std::size_t>(stiffClayStrengthBand(IUNITS, c))];
}

double defaultK(int IUNITS, bool cyclic, double c) {
    double k = 0.0;
    stiffClayDefaultModulus(IUNITS, cyclic, c, k);
    return k;
}

// ---------------------------------------------------------------- the law

// Values at the node that depend only on its depth.
struct DryClayDepth {
    double c = 0.0;      // undrained strength at the node
    double cg = 0.0;     // mean strength from the ground surface
    double gamma = 0.0;  // mean effective unit weight from the ground surface
    double eps50 = 0.0, k = 0.0;
    int strengthWarning = 0;  // the strength lies outside the range of the criteria
};

// Everything of one curve that does not depend on the deflection.
struct DryClayCurve {
    bool withK = false, cyclic = false;
    double b = 0.0, c = 0.0;
    double cg = 0.0;
    double xc = 0.0, Fs = 1.0;
    double pct = 0.0, pcd = 0.0, pu = 0.0;
    double y50 = 0.0;
    double stretch = 1.0;  // cyclic: deflections of the static curve times 0.6 log10(N) + 1
    double kx = 0.0;       // code 4: slope of the initial line
    double smallSecant = 0.0;  // code 3: secant of the static curve at 2E-5 b
    double Elim = 0.0;         // code 3: that secant with the multipliers, pm / ym
};

// Resistance at deflection y >= 0 (outside the small-deflection range).
double dryClayP(const DryClayCurve& cv, double y) {
    const double shape = 0.5 * cv.pu * std::pow(y / (cv.stretch * cv.y50), kQuarter);
    if (!cv.cyclic) {
        const double p = y <= 16.0 * cv.y50 ? shape : cv.pu;
        // The initial line bounds the curve beyond 16 y50 as well: near the ground surface k x y
        // can stay below pu there, and the curve must not jump up to pu.
        return cv.withK ? std::min(p, cv.kx * y) : p;
    }
    return std::min(cv.pu, cv.withK ? std::min(shape, cv.kx * y) : shape);
}

// ---------------------------------------------------------------- errors

void writeZeroStrength(Channel& ch, bool withK) {
    writeInputErrorHeading(ch, 13);
    writeTextLines(ch, {"", "An error was detected in the input data.",
                        "Problem:  Zero was input for cohesion of stiff clay without free water.", ""});
    if (withK) {
        writeTextLines(ch, {"Solution:  Please check the values of soil shear strength and revise ",  //
                            "the input data."});
    } else {
        writeTextLine(ch, "Solution:  Please check the values of soil shear strength and revise the input data.");
    }
    writeBlankLines(ch, 1);
}

bool raiseZeroStrength(Run& run, bool withK) {
    writeZeroStrength(run.messages, withK);
    writeZeroStrength(run.report, withK);
    raiseInputError(run, 13);
    return false;
}

// General units give no default eps50 or k: the layer needs the value in the input.
bool noDefault(Run& run, const PyPoint& at, const DryClayVariant& variant, std::string_view property) {
    raiseNoDefaultInGeneralUnits(run, at,
                                 variant.withK ? "stiff clay without free water with k" : "stiff clay without free water",
                                 property);
    return false;
}

// ---------------------------------------------------------------- printed curve

// Deflections of the printed curve up to point 15, in units of 16 y50 (single-precision values).
constexpr std::array<double, 15> kPointFactors = {
    0.0,   9.999999747378752E-6, 4.999999873689376E-5, 9.999999747378752E-5, 0.0005000000237487257,
    0.0010000000474974513, 0.004999999888241291, 0.009999999776482582, 0.02500000037252903, 0.05000000074505806,
    0.07500000298023224,   0.10000000149011612, 0.25, 0.5, 1.0};

// ---------------------------------------------------------------- the model

struct StiffClayDry {
    using Depth = DryClayDepth;
    using Curve = DryClayCurve;
    static constexpr PyLawRules kRules{.layering = true,
                                        .resistance = LayerResistance::TrapezoidsToLayerBottom,
                                        .secantDividesInTurn = true};

    // The number of cycles enters through its logarithm: fewer than one cycle counts as one.
    static void enter(Run& run) {
        double& N = run.model.options.numberOfCycles;
        if (N < 1.0) N = 1.0;
    }

    static void repeatWarnings(Run& run, const DryClayDepth& v) {
        if (v.strengthWarning != 0) recordWarning(run.warnings, v.strengthWarning);
    }

    static bool lookUp(Run& run, const PyPoint& at, DryClayDepth& v) {
        const DryClayVariant variant = variantOf(at);
        const int IUNITS = run.model.options.IUNITS;
        v.c = fn_c(run, at.d.zs);
        if (run.failed()) return false;
        if (!at.first && v.c < 1E-10) return raiseZeroStrength(run, variant.withK);
        // Strength outside 500 to 8000 psf: beyond the range the criteria were derived for.
        if (!run.py.b_AtInterface) {
            if (IUNITS == kUSCS && v.c < 3.472222328186035) v.strengthWarning = variant.warnings[0];
            if (IUNITS == kUSCS && v.c > 55.55555725097656) v.strengthWarning = variant.warnings[1];
            if (IUNITS == kSI && v.c < 23.940000534057617) v.strengthWarning = variant.warnings[2];
            if (IUNITS == kSI && v.c > 383.0400085449219) v.strengthWarning = variant.warnings[3];
            repeatWarnings(run, v);
        }
        v.cg = averageStrength(run, at.d.zs);
        if (run.failed()) return false;
        v.gamma = averageUnitWeight(run, at.d.zs);
        if (run.failed()) return false;
        v.eps50 = eps50At(run, at.d.zs);
        if (v.eps50 <= 0.0) {
            if (!hasDefaults(IUNITS)) return noDefault(run, at, variant, "Epsilon-50");
            v.eps50 = defaultEps50(IUNITS, v.c);
        }
        if (variant.withK) {
            // A bottom value not given takes the top value, for the rest of the run.
            SoilLayer& layer = run.model.soil.layer[static_cast<std::size_t>(at.L)];
            if (layer.kpy.bottom <= 0.0) layer.kpy.bottom = layer.kpy.top;
            if (layer.kpy.top <= 0.0) {
                if (!hasDefaults(IUNITS)) return noDefault(run, at, variant, "k");
                v.k = defaultK(IUNITS, run.model.options.cyclic, v.c);
            } else {
                v.k = valueInLayer(layer.kpy.top, layer.kpy.bottom, layer.depthTop, layer.depthBottom, at.d.zs);
            }
        }
        return true;
    }

    // Depth at which the layer's own resistance, integrated from the ground surface, equals F
    // (the resistance of the layers above): the equivalent depth of the layer top. The wedge
    // resistance reaches 9 b c at X; above X the integral is quadratic in the depth.
    static double equivalentDepth(Run&, const PyPoint& at, const DryClayDepth& v, double F) {
        const double b = at.b, c = v.c, g = v.gamma;
        const double ca = c;  // the layer's mean strength at its first node
        const double X = (9.0 * c - 3.0 * ca) * b / (0.5 * ca + g * b);
        const double I = ((0.25 * X + 3.0 * b) * ca + 0.5 * g * X * b) * X;
        if (F > I) return X + (F - I) / (9.0 * b * c);
        const double A = 3.0 * b * ca;
        const double B = 0.25 * ca + 0.5 * g * b;
        return (std::sqrt(A * A + 4.0 * F * B) - A) / (2.0 * B);
    }

    static void curve(Run& run, const PyPoint& at, const DryClayDepth& v, const DryClayCurve&, DryClayCurve& cv) {
        const ProgramOptions& o = run.model.options;
        cv.withK = variantOf(at).withK;
        cv.cyclic = o.cyclic;
        cv.b = at.b;
        cv.c = v.c;
        cv.cg = v.cg;
        cv.xc = at.d.xc;
        const double theta = run.model.slope.effectiveSlope;
        cv.pct = (v.gamma * cv.b + 0.5 * cv.c) * cv.xc + 3.0 * cv.b * cv.c;
        cv.Fs = claySlopeFactor(theta, run.nodes.y(at.k));
        if (std::fabs(theta) > 1E-20) cv.pct *= cv.Fs;
        cv.pcd = 9.0 * cv.b * cv.c;
        cv.pu = std::min(cv.pct, cv.pcd);

        cv.y50 = 2.5 * v.eps50 * cv.b;
        cv.stretch = cv.cyclic ? kCyclicStretch * std::log10(o.numberOfCycles) + 1.0 : 1.0;
        cv.kx = v.k * cv.xc;
        // Code 3 at small deflections: the secant of the static curve at 2E-5 b, for both
        // loadings.
        cv.smallSecant = 0.5 * cv.pu / cv.y50 * std::pow(cv.y50 / (kSmallWidthFraction * cv.b), 0.75);
        cv.Elim = at.pm / at.ym * cv.smallSecant;
    }

    static double resistance(const DryClayCurve& cv) { return cv.pu; }
    static double tailResistance(const DryClayCurve& cv) { return cv.pu; }
    static double surfaceResistance(const DryClayCurve& cv) { return 3.0 * cv.cg * cv.b + cv.pu; }

    static double threshold(const DryClayCurve& cv) {
        return cv.withK ? kSmallDeflectionK : kSmallWidthFraction * cv.b;
    }
    static double limitingModulus(const DryClayCurve& cv) { return cv.withK ? cv.kx : cv.Elim; }
    static double p(const DryClayCurve& cv, double y) { return dryClayP(cv, y); }

    static void print(Run& run, const PyPoint& at, const DryClayDepth& v, const DryClayCurve& cv);
};

void StiffClayDry::print(Run& run, const PyPoint& at, const DryClayDepth& v, const DryClayCurve& cv) {
    constexpr double kDegrees = 180.0 / 3.141592653589793;
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    const ProgramOptions& o = run.model.options;
    const SlopeAngles& s = run.model.slope;
    const bool uscs = o.IUNITS == kUSCS;
    const double pm = at.pm, ym = at.ym;
    const std::string lineLoad = u.ForceUnit + u.slash + u.DeflectionUnit;

    writeCurveHeading(run, at,
                      cv.cyclic ? "p-y Curve Computed Using Cyclic Criteria for Stiff Clay without Free Water"
                                : "p-y Curve Computed Using Static Criteria for Stiff Clay without Free Water",
                      "Equivalent Depth", cv.withK ? "with Option of Defining Initial k" : "");
    writeCurveLabelLine(r, "Ground Slope Angle", s.groundSlope * kDegrees, 12, 3, "degrees");
    writeCurveLabelLine(r, "Pile Batter Angle", s.pileBatter * kDegrees, 12, 3, "degrees");
    writeCurveLabelLine(r, "Effective Slope", s.effectiveSlope * kDegrees, 12, 3, "degrees");
    writeCurveLabelLine(r, "Diameter", cv.b, 12, 3, u.DeflectionUnit);
    writeCurveLabelLine(r, "Undrained cohesion, c", cv.c, 12, 5, u.StressUnit);
    if (uscs) writeCurveLabelLine(r, "Undrained cohesion, c", cv.c * 144.0, 12, 5, u.SoilStressUnit);
    writeCurveLabelLine(r, "Average Eff. Unit Weight", v.gamma, 12, 5, u.UnitWeightComputeUnit);
    if (uscs) writeCurveLabelLine(r, "Average Eff. Unit Weight", v.gamma * 1728.0, 12, 5, u.UnitWeightUnit);
    writeCurveLabelLine(r, "Epsilon-50", v.eps50, 12, 5);
    if (cv.withK) writeCurveLabelLine(r, "k", v.k, 12, 0, u.SubgradeUnit);
    writeCurveLabelLine(r, "Pct", cv.pct, 12, 3, lineLoad);
    writeCurveLabelLine(r, "Pcd", cv.pcd, 12, 3, lineLoad);
    writeCurveLabelLine(r, "Pu", cv.pu, 12, 3, lineLoad);
    writeCurveLabelLine(r, "y50", cv.y50, 12, 3, u.DeflectionUnit);
    writeCurveLabelLine(r, "p-multiplier", pm, 12, 5);
    writeCurveLabelLine(r, "y-multiplier", ym, 12, 5);
    if (cv.cyclic) {
        writeCurveLabelLine(r, cv.withK ? "Number of Cycles of Loading" : "Number of cycles of loading",
                            o.numberOfCycles, 12, 0);
    }
    writeBlankLines(r, 1);
    Line(r).text("        y, ").text(u.DeflectionUnit).text("            p, ").text(lineLoad).end();
    writeTextLine(r, "----------------    -----------------");
    plotCurve(run, at, kPrintedPoints);

    // Points 1 to 15 up to 16 y50, then two points up to 1.05 times the deflection at which the
    // static curve reaches pu, or 1.25 times that of the cyclic curve.
    const double ys16 = 16.0 * cv.y50;
    const double yN = (kPrintedStretch * std::log10(o.numberOfCycles) + 16.0) * cv.y50 / 15.0;
    const double ye = cv.cyclic ? 18.75 * yN : kStaticLastPoint * cv.y50;
    for (int j = 1; j <= kPrintedPoints; ++j) {
        double y = ye;
        if (j <= 15) y = kPointFactors[static_cast<std::size_t>(j - 1)] * ys16;
        if (j == 16) y = (ys16 + ye) / 2.0;
        const bool small = y < threshold(cv);
        const double p = small ? (cv.withK ? cv.kx : cv.smallSecant) * y : dryClayP(cv, y);
        writeCurvePoint(run, at, ym * y, pm * p, j);
    }
}

}  // namespace

void pyStiffClayDry(Run& run, int L) { runPyModel<StiffClayDry>(run, L); }

}  // namespace mervik
