// API sand: the ultimate resistance is the smaller of a shallow value (C1 x + C2 b) gamma' x and
// a deep value C3 b gamma' x, scaled by A (static: 3 - 0.8 x/b, not below 0.9; cyclic: 0.9),
// and the curve is p = A pu tanh(k x y / (A pu)). On sloping ground the shallow value is the
// wedge resistance of the Reese sand with the active coefficient of the slope, and the side of
// loading follows the sign of the node deflection.
#include <algorithm>
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

constexpr double kPi = 3.141592653589793;
constexpr double kK0 = 0.4000000059604645;           // at-rest coefficient, single-precision 0.4
constexpr double kAFloor = 0.8999999761581421;       // single-precision 0.9
constexpr double kAStaticSlope = 0.800000011920929;  // single-precision 0.8
constexpr double kSmallDeflection = 1E-14;
constexpr double kSmallDepth = 1E-10;
constexpr double kSmallPhi = 1E-10;
constexpr double kLevelSlope = 1E-10;
constexpr double kSideTolerance = 1E-14;
constexpr double kNoSide = 1E-10;                   // slope factor at or below: deep value governs
constexpr double kPrintStepFactor = 0.19634954084936207;  // pi/16: point 17 reaches k x y / pu = pi
// Printed deflection step of a curve without initial slope (at the ground surface). General
// units have no defined value; the US step (0.05) is used there.
constexpr double kPrintStepUS = 0.05000000074505806;
constexpr double kPrintStepSI = 0.0012700000079348683;
constexpr int kPrintedPoints = 17;

// Values at the node that depend only on its depth.
struct ApiDepth {
    double gamma = 0.0, phiDegrees = 0.0;
    double k = 0.0;             // subgrade modulus in use
    bool defaultK = false;
    bool phiWarning = false;    // friction angle outside 20 to 48 degrees
    SandAngles s;
    double Ka = 0.0;            // active coefficient of the shallow resistance (of the slope)
    SandCoefficients C;         // with that coefficient
    double flow = 0.0;          // deep resistance per b gamma' x on sloping ground
};

// The values of one curve.
struct ApiSandCurve {
    double b = 0.0, xc = 0.0, k = 0.0;
    double Pus = 0.0, Pud = 0.0, ps = 0.0;
    double A = 0.0, pu = 0.0;
    double side = 0.0;          // slope factor of the side of loading, carried from node to node

    double p(double y) const { return xc >= kSmallDepth ? pu * std::tanh(k * xc * y / pu) : 0.0; }
    double kx() const { return k * xc; }
};

void writeZeroFrictionError(Channel& c, int L) {
    writeInputErrorHeading(c, 1);
    writeBlankLines(c, 1);
    writeTextLine(c, "An error was detected in the input data when computing a p-y.");
    Line(c).text("curve using the API sand criteria for layer ").i(L, 0).text(".").end();
    writeTextLines(c, {"", "Problem:  A zero was input for the friction angle for sand.", "",
                       "Solution:  Check the friction angle values and revise the ", "data to correct this problem.",
                       ""});
}

void writeSteepSlopeError(Channel& c) {
    writeInputErrorHeading(c, 2);
    writeTextLines(c, {"", "An error was detected in the input data when computing a p-y.",
                       "curve using the API criteria for sand for layer 1.", "",
                       "Problem:  The angle of the ground slope can not be greater ",
                       "than the internal friction angle of the sand.", "",
                       "Solution:  Set the value for slope angle to be less than ", "the angle of friction."});
}


// ---------------------------------------------------------------- the model

struct ApiSand {
    using Depth = ApiDepth;
    using Curve = ApiSandCurve;
    static constexpr PyLawRules kRules{.layering = true,
                                        .resistance = LayerResistance::TrapezoidsToLayerBottom,
                                        .secantDividesInTurn = true};

    static void repeatWarnings(Run& run, const ApiDepth& v) {
        if (v.phiWarning) recordWarning(run.warnings, -303);
    }

    static bool lookUp(Run& run, const PyPoint& at, ApiDepth& v) {
        if (!sandPropertiesAt(run, at.d.zs, v.gamma, v.phiDegrees)) return false;
        v.s = sandAngles(v.phiDegrees * kPi / 180.0);
        v.phiWarning = v.phiDegrees < 20.0 || v.phiDegrees > 48.0;
        repeatWarnings(run, v);
        SoilLayer& layer = run.model.soil.layer[static_cast<std::size_t>(at.L)];
        layerSubgradeModulus(layer, at.d.zs, v.k);
        if (!at.first && v.s.phi < kSmallPhi) {
            writeZeroFrictionError(run.messages, at.L);
            writeZeroFrictionError(run.report, at.L);
            raiseInputError(run, 1);
            return false;
        }
        const double absTheta = std::fabs(run.model.slope.effectiveSlope);
        v.Ka = v.s.Ka;
        if (absTheta > kLevelSlope) {
            if (slopeFrictionMargin(absTheta, v.s.phi) < 1E-10 && at.L == 1) {
                writeSteepSlopeError(run.messages);
                writeSteepSlopeError(run.report);
                raiseInputError(run, 2);
                return false;
            }
            v.Ka = slopingActiveCoefficient(absTheta, v.s.phi);
            v.flow = sandFlowFactor(v.s, kK0, v.s.Ka);
        }
        v.C = sandCoefficients(v.s, kK0, v.Ka);
        if (v.k == 0.0) {
            v.k = defaultSandK(run, v.phiDegrees, v.gamma);
            if (run.failed()) return false;
            v.defaultK = true;
        }
        return true;
    }

    // The layering correction integrates the level-ground resistance.
    static double equivalentDepth(Run& run, const PyPoint& at, const ApiDepth& v, double F) {
        return sandEquivalentDepth(sandCoefficients(v.s, kK0, v.s.Ka), at.b, v.gamma, at.d.xg, run.model.options.cyclic,
                                   F);
    }

    static void curve(Run& run, const PyPoint& at, const ApiDepth& v, const ApiSandCurve& previous, ApiSandCurve& c) {
        const SandAngles& s = v.s;
        const double xc = at.d.xc;
        c.b = at.b;
        c.k = v.k;
        c.xc = xc;
        c.side = previous.side;
        const double theta = run.model.slope.effectiveSlope;
        const double absTheta = std::fabs(theta);
        if (absTheta <= kLevelSlope) {
            c.Pus = (v.C.C1 * xc + v.C.C2 * c.b) * xc * v.gamma;
            c.Pud = v.C.C3 * c.b * v.gamma * at.d.xg;
        } else {
            c.Pus = sandWedgeResistance(s, kK0, v.Ka, v.gamma, xc, c.b);
            // Side of loading: the wedge forms down-slope or up-slope after the sign of the
            // deflection against the slope; a deflection of about zero keeps the previous side.
            const double yd = run.nodes.y(at.k);
            const double t = std::tan(absTheta) * s.tanBeta;
            if ((yd > kSideTolerance && theta > kSideTolerance) || (yd < -kSideTolerance && theta < kSideTolerance) ||
                (yd == 0.0 && theta > kSideTolerance)) {
                c.side = 1.0 + t;
            } else if ((yd > kSideTolerance && theta < kSideTolerance) ||
                       (yd < -kSideTolerance && theta > kSideTolerance)) {
                c.side = 1.0 - t;
            }
            if (c.side > 1E-20) c.Pus = sandSlopingWedgeResistance(s, kK0, v.Ka, v.gamma, xc, c.b, t, c.side);
            c.Pud = v.flow * v.gamma * c.b * xc;
            if (c.side <= kNoSide) c.Pus = c.Pud;
        }
        c.ps = std::min(c.Pus, c.Pud);
        c.A = run.model.options.cyclic ? kAFloor : std::max(kAFloor, 3.0 - kAStaticSlope * xc / c.b);
        c.pu = c.A * c.ps;
    }

    // Layer resistance: the curve at y = 3b/80 integrated over the layer's nodes.
    static double resistance(const ApiSandCurve& c) {
        return c.xc >= kSmallDepth ? c.pu * std::tanh((3.0 * c.b / 80.0) * c.xc * c.k / c.pu) : 0.0;
    }
    static double tailResistance(const ApiSandCurve& c) { return resistance(c); }
    static double surfaceResistance(const ApiSandCurve& c) { return resistance(c); }

    static double threshold(const ApiSandCurve&) { return kSmallDeflection; }
    static double limitingModulus(const ApiSandCurve& c) { return c.kx(); }
    static double p(const ApiSandCurve& c, double y) { return c.p(y); }

    static void print(Run& run, const PyPoint& at, const ApiDepth& v, const ApiSandCurve& c);
};

void ApiSand::print(Run& run, const PyPoint& at, const ApiDepth& v, const ApiSandCurve& c) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    const bool uscs = run.model.options.IUNITS == kUSCS;
    const std::string lineLoad = u.ForceUnit + u.slash + u.DeflectionUnit;

    writeCurveHeading(run, at,
                      run.model.options.cyclic ? "p-y Curve Computed Using API Sand Criteria for Cyclic Loading"
                                               : "p-y Curve Computed Using API Sand Criteria for Static Loading",
                      "Equivalent Depth (see note)");
    writeSlopeAngleLines(run);
    writeCurveLabelLine(r, "Diameter", c.b, 12, 3, u.DeflectionUnit);
    writeCurveLabelLine(r, "Friction Angle phi", v.phiDegrees, 12, 3, "deg.");
    writeCurveLabelLine(r, "Avg. Eff. Unit Weight", v.gamma, 12, 5, u.UnitWeightComputeUnit);
    if (uscs) writeCurveLabelLine(r, "Avg. Eff. Unit Weight", v.gamma * 1728.0, 12, 5, u.UnitWeightUnit);
    writeCurveLabelLine(r, "A", c.A, 12, 5);
    writeCurveLabelLine(r, "k", c.k, 12, 3, u.SubgradeUnit);
    writeCurveLabelLine(r, "C1", v.C.C1, 12, 5);
    writeCurveLabelLine(r, "C2", v.C.C2, 12, 5);
    writeCurveLabelLine(r, "C3", v.C.C3, 12, 5);
    writeCurveLabelLine(r, "Pus", c.Pus, 12, 3, lineLoad);
    writeCurveLabelLine(r, "Pud", c.Pud, 12, 3, lineLoad);
    writeCurveLabelLine(r, "Pu", c.ps, 12, 3, lineLoad);
    writeCurveLabelLine(r, "p-multiplier", at.pm, 12, 5);
    writeCurveLabelLine(r, "y-multiplier", at.ym, 12, 5);
    writeBlankLines(r, 1);
    writeLayeringNote(run, at.L);
    writeBlankLines(r, 1);
    writeTextLine(r, uscs ? "    y, inches           p, lb/inch   " : "    y, meter           p, kN/meter   ");
    writeTextLine(r, "----------------    -----------------");
    plotCurve(run, at, kPrintedPoints);

    const double kx = c.kx();
    const double dy = kx == 0.0 ? (run.model.options.IUNITS == kSI ? kPrintStepSI : kPrintStepUS)
                                : c.ps * kPrintStepFactor * c.A / kx;
    for (int j = 1; j <= kPrintedPoints; ++j) {
        const double y = (j - 1) * dy;
        const double p = y < kSmallDeflection ? kx * y : c.p(y);
        Line(r).f(at.ym * y, 15, 4).f(at.pm * p, 17, 3).end();
        plotCurvePoint(run, at, at.ym * y, at.pm * p, j);
    }
    if (v.defaultK) writeTextLines(r, {"", "The above p-y curve was computed using the internal default value of k.", ""});
}

}  // namespace

void pyApiSand(Run& run, int L) { runPyModel<ApiSand>(run, L); }

}  // namespace mervik
