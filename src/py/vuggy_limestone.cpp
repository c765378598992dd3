// Vuggy limestone (strong rock) p-y curves, model code 9. With su = qu/2 the curve rises on a
// steep line of slope 2000 su to 0.0004 b, then on a flatter line of slope 100 su to the full
// resistance b su at yp (about 0.0024 b); past yp the rock is taken as fractured and only a small
// residual resistance from the overburden, 0.5 gamma' b x, remains. The model has no layering
// correction and no layer resistance, and the curve takes the pile deflection itself, not the
// deflection relative to a soil movement.
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "engine/warnings.hpp"
#include "py/py_framework.hpp"
#include "py/py_node_loop.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

constexpr double kFirstBreak = 0.00039999998989515007;  // w / b (single-precision 0.0004)
constexpr double kFirstBreakResistance = 0.800000011920929;  // pw / (b su)
constexpr double kZeroDeflection = 1E-14;
constexpr int kPrintedPoints = 17;
constexpr int kStrengthWarning = 308;
// The range of compressive strength the criteria were derived for: 1,000 to 2,500 psi
// (6,895 to 17,237.5 kPa).
constexpr double kLowStrengthUS = 1000.0, kHighStrengthUS = 2500.0;
constexpr double kLowStrengthSI = 6895.0, kHighStrengthSI = 17237.5;
// Input error of a compressive strength that is zero or negative: the curve has no full
// resistance then (yp divides by su).
constexpr int kZeroStrengthError = 64;

struct VuggyDepth {
    double qu = 0.0, su = 0.0, gamma = 0.0;
    bool strengthWarning = false;
};

struct VuggyCurve {
    double Ki = 0.0, w = 0.0, pw = 0.0, yp = 0.0, su = 0.0, residual = 0.0, ym = 1.0;
};

double vuggyP(const VuggyCurve& c, double y) {
    if (y < c.w) return c.Ki * y;
    if (y <= c.yp) return 100.0 * c.su * (y - c.w) + c.pw;
    return c.residual;
}

void raiseZeroStrength(Run& run, const PyPoint& at, double qu) {
    const auto write = [&](Channel& c) {
        writeInputErrorHeading(c, kZeroStrengthError);
        writeTextLines(c, {"", "An error was detected when computing the p-y curve for vuggy limestone."});
        Line(c).text("Problem:   The uniaxial compressive strength at the depth ").f(at.d.zs, 10, 3).text(" ").text(run.units.DeflectionUnit).end();
        Line(c).text("           is ").es(qu, 12, 4).text(" ").text(run.units.StressUnit).text(", less than or equal to zero.").end();
        writeBlankLines(c, 1);
        Line(c).text("Solution:  Check the input values of compressive strength for layer ").i(at.L, 0).end();
        writeBlankLines(c, 1);
    };
    write(run.messages);
    write(run.report);
    raiseInputError(run, kZeroStrengthError);
}

struct VuggyLimestone {
    using Depth = VuggyDepth;
    using Curve = VuggyCurve;
    static constexpr PyLawRules kRules{.relativeToSoilMovement = false};

    static void repeatWarnings(Run& run, const VuggyDepth& v) {
        if (v.strengthWarning) recordWarning(run.warnings, -kStrengthWarning);
    }

    static bool lookUp(Run& run, const PyPoint& at, VuggyDepth& v) {
        v.qu = fn_c(run, at.d.zs);
        if (run.failed()) return false;
        v.su = 0.5 * v.qu;
        if (v.qu <= 0.0) {
            raiseZeroStrength(run, at, v.qu);
            return false;
        }
        v.gamma = averageUnitWeight(run, at.d.zs);
        if (run.failed()) return false;
        // The compressive strength against the range of the criteria, below the layer top only.
        const int IUNITS = run.model.options.IUNITS;
        if (at.d.zs > run.model.soil.layer[static_cast<std::size_t>(at.L)].depthTop) {
            if (IUNITS == kUSCS) v.strengthWarning = v.qu < kLowStrengthUS || v.qu > kHighStrengthUS;
            if (IUNITS == kSI) v.strengthWarning = v.qu < kLowStrengthSI || v.qu > kHighStrengthSI;
        }
        repeatWarnings(run, v);
        return true;
    }

    static void curve(Run&, const PyPoint& at, const VuggyDepth& v, const VuggyCurve&, VuggyCurve& c) {
        const double b = at.b;
        c.su = v.su;
        c.Ki = 2000.0 * v.su;
        c.w = kFirstBreak * b;
        c.pw = kFirstBreakResistance * b * v.su;
        c.yp = (b * v.su - c.pw) / (100.0 * v.su) + c.w;
        c.residual = 0.5 * v.gamma * b * at.d.xg;
        c.ym = at.ym;
    }

    // At zero deflection the initial slope, divided by the y-multiplier.
    static double threshold(const VuggyCurve&) { return kZeroDeflection; }
    static double limitingModulus(const VuggyCurve& c) { return c.Ki / c.ym; }
    static double p(const VuggyCurve& c, double y) { return vuggyP(c, y); }

    static void print(Run& run, const PyPoint& at, const VuggyDepth& v, const VuggyCurve& c);
};

void VuggyLimestone::print(Run& run, const PyPoint& at, const VuggyDepth& v, const VuggyCurve& c) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    writeCurveHeading(run, at, "p-y Curve for Vuggy Limestone (Strong Rock) Criteria", "");
    writeCurveLabelLine(r, "Shaft Diameter", at.b, 12, 3, u.DeflectionUnit);
    writeCurveLabelLine(r, "Uniaxial Compressive Strength", 2.0 * v.su, 12, 3, u.StressUnit);
    writeShortCurveTableHeading(run, at, kPrintedPoints);

    // 0, then w to yp in 15 equal steps; the residual branch past yp is not printed.
    const double s = (c.yp - c.w) / 15.0;
    double y = 0.0;
    for (int i = 1; i <= kPrintedPoints; ++i) {
        if (i == 2) y = c.w;
        if (i >= 3) y += s;
        if (i == kPrintedPoints) y = c.yp;
        writeCurvePoint(run, at, at.ym * y, at.pm * vuggyP(c, y), i);
    }
}

}  // namespace

void pyVuggyLimestone(Run& run, int L) { runPyModel<VuggyLimestone>(run, L); }

}  // namespace mervik
