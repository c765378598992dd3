// Cemented silt, a soil with both cohesion and friction, model code 11 ("Cem Silt"). The
// ultimate resistance adds a cohesive part of the soft clay kind, pc = Np c b with Np growing
// from 3 at the surface and limited to 9, to the frictional part of the sand criteria, ps the
// smaller of the wedge and the flow-around resistance: pu = A ps + pc. The curve is of the sand
// kind: an initial straight line k x y, a power-law parabola C y^(1/n) up to ym = b/60, where it
// reaches pm = 1.5 (ps + pc), a straight line up to yu = 3b/80, where it reaches pu, and the
// constant pu beyond; the whole curve is kept below the initial line. The equivalent depth of a
// lower layer integrates the silt's own resistance from the ground surface, in every pass.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "py/py_node_loop.hpp"
#include "py/soil_mechanics.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kK0 = 0.4000000059604645;        // at-rest coefficient, single-precision 0.4
constexpr double kSmallStrength = 1E-10;          // c or phi at or below: zero
constexpr double kLevelSlope = 1E-10;             // |theta| at or below: the level-ground Ka
constexpr double kSlopeTolerance = 1E-20;         // |theta| above: the slope factors apply
constexpr double kSideTolerance = 1E-14;          // side of loading of the frictional wedge
constexpr double kNoSide = 1E-10;                 // slope factor at or below: the flow value governs
constexpr double kSmallDeflection = 1E-14;        // below it Es is the initial modulus k x
constexpr double kPrintTailStep = 0.05000000074505806;  // the last printed points step 0.05 yu
constexpr int kPrintedPoints = 17;

// ---------------------------------------------------------------- the law

// Values at the node that depend only on its depth.
struct SiltDepth {
    double c = 0.0, gamma = 0.0, eps50 = 0.0, phiDegrees = 0.0, k = 0.0;
    SandAngles s;
    double Ka = 0.0;  // active coefficient: of the slope, or the level-ground value
};

// The curve at one node or output depth.
struct SiltCurve {
    double b = 0.0, c = 0.0, xc = 0.0, kx = 0.0;
    double Pst = 0.0, Psd = 0.0, ps = 0.0;  // frictional resistance: wedge, flow, governing
    double pc = 0.0;                        // cohesive resistance
    double A = 0.0, B = 0.0, pu = 0.0, pm = 0.0;
    double yM = 0.0, yu = 0.0;              // ym = b/60, yu = 3b/80
    double m = 0.0, n = 0.0, C = 0.0, yk = 0.0;
    bool flat = false;                      // pm = pu: the parabola is the constant pm

    double parabola(double y) const {
        if (flat) return C;
        return n == 0.0 ? 0.0 : C * std::pow(y, 1.0 / n);
    }
    // Resistance at deflection y >= 0.
    double p(double y) const {
        const double p1 = kx * y;
        double q = pu;
        if (y <= yk) {
            q = p1;
        } else if (y <= yM) {
            q = parabola(y);
        } else if (y <= yu) {
            q = pm + m * (y - yM);
        }
        return std::min(q, p1);
    }
};

// Slope factor of the frictional wedge for the side of loading: 1 + t when the deflection and the
// slope lie on the same side of 1E-14 (so that about zero counts as negative), 1 - t when they
// lie on opposite sides; a deflection or slope of exactly 1E-14 leaves the factor at 1.
double wedgeSideFactor(double theta, double yd, double t) {
    if ((yd > kSideTolerance && theta > kSideTolerance) || (yd < kSideTolerance && theta < kSideTolerance)) {
        return 1.0 + t;
    }
    if ((yd > kSideTolerance && theta < kSideTolerance) || (yd < kSideTolerance && theta > kSideTolerance)) {
        return 1.0 - t;
    }
    return 1.0;
}

// Slope factor of the cohesive bearing factor: 1/(1 + tan|theta|) when the deflection and the
// slope lie on the same side of zero (zero counted as negative), otherwise the down-slope factor.
double cohesiveSideFactor(double theta, double yd) {
    const double a = std::fabs(theta);
    if ((yd > kSlopeTolerance && theta > kSlopeTolerance) || (yd < kSlopeTolerance && theta < kSlopeTolerance)) {
        return 1.0 / (1.0 + std::tan(a));
    }
    return 0.7071067690849304 * std::cos(a) / std::cos(a + 0.7853981633974483);
}

// Parameters of the parabola and the straight line between the points (ym, pm) and (yu, pu), and
// the deflection yk where the parabola meets the initial line. With pm = pu the parabola is the
// constant pm (its limit as n grows) and meets the line at pm / kx; with n = 1 it is the straight
// line C y, which the initial line either lies above from the origin on (yk = 0) or below up to
// ym (yk = ym).
void setCurveParameters(SiltCurve& s, const SiltCurve& previous) {
    s.yM = s.b / 60.0;
    s.yu = 3.0 * s.b / 80.0;
    if (s.xc < 0.0) {
        s.m = 0.0;
        s.n = 0.0;
        s.yk = 2.0 * s.b;
        s.C = previous.C;
        return;
    }
    s.m = (s.pu - s.pm) / (s.yu - s.yM);
    if (s.m == 0.0) {
        s.flat = true;
        s.n = 0.0;
        s.C = s.pm;
        s.yk = s.kx != 0.0 ? s.pm / s.kx : 0.0;
        return;
    }
    s.n = s.pm / (s.m * s.yM);
    s.C = s.n != 0.0 ? s.pm / std::pow(s.yM, 1.0 / s.n) : 0.0;
    if (s.kx == 0.0) {
        s.yk = 0.0;
    } else if (s.n == 1.0) {
        s.yk = s.C > s.kx ? s.yM : 0.0;
    } else {
        s.yk = std::pow(s.C / s.kx, s.n / (s.n - 1.0));
    }
}

// ---------------------------------------------------------------- errors

// An error text written to the message file and then, the same, to the report.
template <class Write>
void writeToMessagesAndReport(Run& run, Write write) {
    write(run.messages);
    write(run.report);
}

void raiseZeroCohesion(Run& run, int L, double zs, double c) {
    writeToMessagesAndReport(run, [&](Channel& ch) {
        writeInputErrorHeading(ch, 48);
        writeTextLines(ch, {"", "Problem: A negative or zero value of cohesion was input for ", "a soil defined as a silt.", ""});
        Line(ch).text("Layer = ").i(L, 0).text(", Depth = ").f(zs, 13, 8).text(", c = ").es(c, 10, 3).end();
        writeTextLines(ch, {"", "Solution:  Please revise and correct the input data.  ",
                            "Both cohesion and friction angle should be non-zero for silt soils."});
    });
    raiseInputError(run, 48);
}

void raiseZeroFriction(Run& run) {
    writeToMessagesAndReport(run, [&](Channel& ch) {
        writeInputErrorHeading(ch, 10);
        writeTextLines(ch, {"", "Problem:  A negative or zero value was input for the friction angle for a silt.", "",
                            "Solution:  Please revise and correct the input data.  ",
                            "Both cohesion and friction angle must be non-zero for the cemented silt soil."});
    });
    raiseInputError(run, 10);
}

void raiseSlopeAboveFriction(Run& run, int L) {
    writeToMessagesAndReport(run, [&](Channel& ch) {
        writeRuntimeErrorHeading(ch, 23);
        writeTextLines(ch, {"", "A runtime error occurred due to the ground slope angle being"});
        Line(ch).text("greater than the friction angle for silt for layer ").i(L, 0).text(".").end();
        writeTextLines(ch, {"", "Problem:  The angle of the ground slope can not be greater ",
                            "than the internal friction angle of silt.", "",
                            "Solution:  Set the value for slope angle to be less than ",
                            "the angle of friction or convert the layer into an equivalent", "strength clay layer.", ""});
    });
    raiseRuntimeError(run, 23);
}

void raiseSlopeAtFriction(Run& run, int L) {
    writeToMessagesAndReport(run, [&](Channel& ch) {
        writeInputErrorHeading(ch, 11);
        writeTextLines(ch, {"", "An error was detected in the input data when computing a p-y."});
        Line(ch).text("curve using the criteria for silt for layer ").i(L, 0).text(".").end();
        writeTextLines(ch, {"", "Problem:  The angle of the ground slope can not be greater ",
                            "than the internal friction angle of cohesionless silt.", "",
                            "Solution:  Set the value for slope angle to be less than ", "the angle of friction.", ""});
    });
    raiseInputError(run, 11);
}

// ---------------------------------------------------------------- the model

struct CementedSilt {
    using Depth = SiltDepth;
    using Curve = SiltCurve;
    // The equivalent depth is computed anew in every solve pass (the rules' default).
    static constexpr PyLawRules kRules{.layering = true, .resistance = LayerResistance::TrapezoidsToLayerBottom};

    static void repeatWarnings(Run&, const SiltDepth&) {}

    static bool lookUp(Run& run, const PyPoint& at, SiltDepth& v);

    static double equivalentDepth(Run& run, const PyPoint& at, const SiltDepth& v, double F) {
        return siltEquivalentDepth(sandCoefficients(v.s, kK0, v.Ka), at.b, v.gamma, v.c, at.d.xg,
                                   run.model.options.cyclic, F);
    }

    static void curve(Run& run, const PyPoint& at, const SiltDepth& v, const SiltCurve& previous, SiltCurve& s);

    // Layer resistance: pu down to the layer bottom; with the ground above the pile head, layer 1
    // from its surface resistance 3 c b and pu.
    static double resistance(const SiltCurve& s) { return s.pu; }
    static double tailResistance(const SiltCurve& s) { return s.pu; }
    static double surfaceResistance(const SiltCurve& s) { return 3.0 * s.c * s.b + s.pu; }

    static double threshold(const SiltCurve&) { return kSmallDeflection; }
    static double limitingModulus(const SiltCurve& s) { return s.kx; }
    static double p(const SiltCurve& s, double y) { return s.p(y); }

    static void print(Run& run, const PyPoint& at, const SiltDepth& v, const SiltCurve& s);
};

bool CementedSilt::lookUp(Run& run, const PyPoint& at, SiltDepth& v) {
    const int IUNITS = run.model.options.IUNITS;
    SoilLayer& layer = run.model.soil.layer[static_cast<std::size_t>(at.L)];
    const double zs = at.d.zs;

    v.c = fn_c(run, zs);
    if (run.failed()) return false;
    // A cohesion of 0 is accepted at the layer top only (a strength growing from zero there); a
    // negative cohesion would give a negative resistance and is refused everywhere.
    if ((v.c < kSmallStrength && zs > layer.depthTop) || v.c < 0.0) {
        raiseZeroCohesion(run, at.L, zs, v.c);
        return false;
    }
    v.gamma = averageUnitWeight(run, zs);
    if (run.failed()) return false;
    // eps50 is printed only; a strength between two SI bands (or general units) keeps its value.
    v.eps50 = eps50At(run, zs);
    if (v.eps50 <= 0.0) defaultSiltEps50(IUNITS, v.c, v.eps50);

    v.phiDegrees = frictionAngleAt(run, zs);
    if (run.failed()) return false;
    const double phi = kPi * v.phiDegrees / 180.0;
    if (phi < kSmallStrength) {
        raiseZeroFriction(run);
        return false;
    }

    // Subgrade modulus: linear in the layer, a bottom value not given taken from the top (for the
    // rest of the run; a negative one would make k and the resistance negative in the lower part
    // of the layer); without a positive top value the default, a cohesive and a frictional part.
    if (layer.kpy.top > 0.0) {
        if (layer.kpy.bottom <= 0.0) layer.kpy.bottom = layer.kpy.top;
        v.k = valueInLayer(layer.kpy.top, layer.kpy.bottom, layer.depthTop, layer.depthBottom, zs);
    } else {
        double kc = 0.0, kphi = 0.0;
        if (!stiffClayDefaultModulus(IUNITS, run.model.options.cyclic, v.c, kc) ||
            !siltFrictionSubgradeModulus(IUNITS, v.phiDegrees, v.gamma, kphi)) {
            // General units: no default, and a curve of k = 0 would carry nothing.
            raiseNoDefaultInGeneralUnits(run, at, "cemented silt", "k");
            return false;
        }
        v.k = kc + kphi;
    }

    v.s = sandAngles(phi);
    const double absTheta = std::fabs(run.model.slope.effectiveSlope);
    if (phi < absTheta) {
        raiseSlopeAboveFriction(run, at.L);
        return false;
    }
    // A slope as steep as the friction angle leaves a cohesionless silt no wedge.
    if (slopeFrictionMargin(absTheta, phi) < 1E-10 && v.c <= 0.0) {
        raiseSlopeAtFriction(run, at.L);
        return false;
    }
    v.Ka = absTheta <= kLevelSlope ? v.s.Ka : slopingActiveCoefficient(absTheta, phi);
    return true;
}

void CementedSilt::curve(Run& run, const PyPoint& at, const SiltDepth& v, const SiltCurve& previous, SiltCurve& s) {
    const SandAngles& a = v.s;
    const double theta = run.model.slope.effectiveSlope;
    const double absTheta = std::fabs(theta);
    const double yd = run.nodes.y(at.k);
    s.b = at.b;
    s.c = v.c;
    s.xc = at.d.xc;
    s.kx = v.k * s.xc;

    // Frictional resistance: the wedge (on sloping ground for the side of loading) and the flow
    // around the pile at the true depth below the ground surface.
    double F = 1.0;
    double t = 0.0;
    if (absTheta > kSlopeTolerance) {
        t = std::tan(absTheta) * a.tanBeta;
        F = wedgeSideFactor(theta, yd, t);
    }
    if (absTheta > kSlopeTolerance && F > 1E-20) {
        s.Pst = sandSlopingWedgeResistance(a, kK0, v.Ka, v.gamma, s.xc, s.b, t, F);
    } else {
        s.Pst = sandWedgeResistance(a, kK0, v.Ka, v.gamma, s.xc, s.b);
    }
    s.Psd = sandFlowFactor(a, kK0, a.Ka) * s.b * v.gamma * at.d.xg;
    if (F <= kNoSide && absTheta > kLevelSlope) s.Pst = s.Psd;
    s.ps = std::min(s.Pst, s.Psd);

    // Cohesive resistance of the soft clay kind with J = 0.5, limited to 9 c b (also when the
    // bearing factor is not a number, at c = 0 on the surface).
    double Np = clayBearingFactor(v.c, v.gamma, run.py.softClayJ, s.b, s.xc);
    if (absTheta > kSlopeTolerance) Np *= cohesiveSideFactor(theta, yd);
    s.pc = Np < 9.0 ? s.b * v.c * Np : 9.0 * s.b * v.c;

    const bool cyclic = run.model.options.cyclic;
    s.A = siltFactorA(cyclic, s.xc / s.b);
    s.B = siltFactorB(cyclic, s.xc / s.b);
    s.pu = s.A * s.ps + s.pc;
    s.pm = 1.5 * (s.ps + s.pc);
    setCurveParameters(s, previous);
}

// Deflection of printed point j: twelve even steps up to ym, then yu and 1.05, 1.10, 1.15 yu.
double printedDeflection(const SiltCurve& s, int j) {
    if (j <= 13) return (j - 1) * s.yM / 12.0;
    return s.yu + (j - 14) * kPrintTailStep * s.yu;
}

void CementedSilt::print(Run& run, const PyPoint& at, const SiltDepth& v, const SiltCurve& s) {
    const std::string_view title = run.model.options.cyclic
                                       ? "p-y Curve Computed Using the Cyclic Criteria for Cemented Silt"
                                       : "p-y Curve Computed Using the Static Criteria for Cemented Silt";
    writeCurveHeading(run, at, title, "Equivalent Depth, x");
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    const bool uscs = run.model.options.IUNITS == kUSCS;
    const std::string lineLoad = u.ForceUnit + u.slash + u.DeflectionUnit;
    writeCurveLabelLine(r, "Pile Diameter, B", s.b, 12, 3, u.DeflectionUnit);
    writeCurveLabelLine(r, "Cohesion, c", v.c, 12, 3, u.StressUnit);
    if (uscs) writeCurveLabelLine(r, "Cohesion, c", v.c * 144.0, 12, 3, u.SoilStressUnit);
    writeCurveLabelLine(r, "Angle of Friction, phi", v.phiDegrees, 12, 3, "deg.");
    writeCurveLabelLine(r, "Avg. Eff. Unit Weight", v.gamma, 12, 5, u.UnitWeightComputeUnit);
    if (uscs) writeCurveLabelLine(r, "Avg. Eff. Unit Weight", v.gamma * 1728.0, 12, 5, u.UnitWeightUnit);
    writeCurveLabelLine(r, "k (interp. from input)", v.k, 12, 3, u.SubgradeUnit);
    writeCurveLabelLine(r, "Epsilon50 (interp.)", v.eps50, 12, 5);
    writeCurveLabelLine(r, "x/B ratio", s.xc / s.b, 12, 3);
    writeCurveLabelLine(r, "A parameter = fn(x/B)", s.A, 12, 5);
    writeCurveLabelLine(r, "B parameter = fn(x/B)", s.B, 12, 5);
    writeCurveLabelLine(r, "m", s.m, 12, 5);
    writeCurveLabelLine(r, "n", s.n, 12, 5);
    writeCurveLabelLine(r, "Cbar", s.C, 12, 5);
    writeCurveLabelLine(r, "yk", s.yk, 12, 5, u.DeflectionUnit);
    // The first two resistance lines carry the cohesive and the frictional resistance under the
    // labels "Pu" and "Pc", as the later "Pu,c" and "Pu,phi" lines do.
    writeCurveLabelLine(r, "Pu", s.pc, 12, 3, lineLoad);
    writeCurveLabelLine(r, "Pc", s.ps, 12, 3, lineLoad);
    writeCurveLabelLine(r, "ym = b/60", s.yM, 12, 5, u.DeflectionUnit);
    writeCurveLabelLine(r, "pm", s.pm, 12, 3, lineLoad);
    writeCurveLabelLine(r, "yu = 3b/80", s.yu, 12, 5, u.DeflectionUnit);
    writeCurveLabelLine(r, "Pu,c", s.pc, 12, 3, lineLoad);
    writeCurveLabelLine(r, "Pu,phi", s.ps, 12, 3, lineLoad);
    writeCurveLabelLine(r, "p-multiplier", at.pm, 12, 5);
    writeCurveLabelLine(r, "y-multiplier", at.ym, 12, 5);
    writeBlankLines(r, 2);
    Line(r).text("        y, ").text(u.DeflectionUnit).text("             p, ").text(lineLoad).end();
    writeTextLine(r, "----------------    -----------------");
    plotRecord7(run, at.d.xp, kPrintedPoints, uscs ? at.row->curveText : "cemented silt (m)", at.k);

    for (int j = 1; j <= kPrintedPoints; ++j) {
        const double y = printedDeflection(s, j);
        writeCurvePoint(run, at, at.ym * y, at.pm * s.p(y), j);
    }
}

}  // namespace

void pyCementedSilt(Run& run, int L) { runPyModel<CementedSilt>(run, L); }

}  // namespace mervik
