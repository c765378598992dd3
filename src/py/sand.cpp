// Sand p-y curves after Reese, Cox and Koop (1974), model code 5. The ultimate resistance is
// the smaller of a wedge (shallow) and a flow-around (deep) value, scaled by the empirical
// factors A and B for static or cyclic loading. The curve is an initial straight line of slope
// k x, a parabola up to ym = b/60, a straight line up to yu = 3b/80 and a constant beyond.
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
constexpr double kK0 = 0.4;
constexpr int kPrintedPoints = 17;
// Single-precision 0.025 times 1 and 2: the spacing of the last two printed points.
constexpr double kTailStep1 = 0.02500000037252903;
constexpr double kTailStep2 = 0.05000000074505806;

enum class CurveShape { None = 0, Normal = 1, TriLinear = 2, BiLinear = 3 };

// Values at the node that depend only on its depth.
struct SandDepth {
    double gamma = 0.0, phiDeg = 0.0, k = 0.0;
    bool defaultK = false;
    bool phiWarning = false;   // friction angle outside 20 to 48 degrees
    SandAngles angles;
    double Ka = 0.0;           // active coefficient of the slope (Ka0 on level ground)
};

// Everything known about the curve at one node or output depth.
struct SandCurve {
    PyCurveDepths d;
    double b = 0.0;
    // Ultimate resistance.
    double kx = 0.0, Pst = 0.0, Psd = 0.0, ps = 0.0, A = 0.0, B = 0.0, pu = 0.0, pmid = 0.0;
    // Curve constants.
    double yM = 0.0, yu = 0.0, m = 0.0, n = 0.0, C = 0.0, yk = 0.0, pk = 0.0;
    CurveShape shape = CurveShape::None;

    bool onInitialLine(double y) const { return y <= yk && y < yM; }

    // Resistance at deflection y, before the cap by the initial line.
    double uncapped(double y) const {
        if (onInitialLine(y)) return kx * y;
        if (y <= yM) return n == 0.0 ? 0.0 : C * std::pow(y, 1.0 / n);
        if (y <= yu) return pmid + (y - yM) * m;
        return pu;
    }
    double p(double y) const { return std::min(uncapped(y), kx * y); }
};

// ---------------------------------------------------------------- messages

void writeError8(Channel& c) {
    writeInputErrorHeading(c, 8);
    writeTextLines(c, {"", "An error was detected in the input data for friction angle.",
                       "Problem:  Zero was input for the friction angle for a sand when computing ",
                       "          a p-y curve using the Reese et al. criteria.", "",
                       "Solution: Check values of soil strength values and revise the input data.", ""});
}

void writeFrictionAngleWarning(Channel& c) {
    writeTextLines(c, {"", "**** Warning ****", "",
                       "An unreasonable value for friction angle was input for a Reese sand layer. ",
                       "The input value is either smaller than 20 degrees or higher than 48 degrees.",
                       "The input data should be checked for correctness.", "",
                       "The input value for friction angle was used in computations.", ""});
}

void writeError9(Channel& c, int L) {
    writeInputErrorHeading(c, 9);
    writeBlankLines(c, 1);
    writeTextLine(c, "An error was found in the input data when computing a p-y curve using ");
    Line(c).text("the Reese sand criteria for layer ").i(L, 0).text(".").end();
    writeTextLines(c, {"", "Problem:  The angle of the ground slope can not be greater than the ",
                       "internal friction angle of the sand.", "",
                       "Solution:  Set the value for slope angle to be less than the angle of friction."});
}

// Slope factor: the wedge grows when the pile pushes into the rising ground and shrinks when it
// pushes towards the falling side. A deflection of exactly 0 counts as negative.
double slopeFactor(double theta, double beta, double yd) {
    const double t = std::tan(std::fabs(theta)) * std::tan(beta);
    const bool upSlope = theta > 1E-14;
    if (yd > 1E-14) return upSlope ? 1.0 + t : 1.0 - t;
    return upSlope ? 1.0 - t : 1.0 + t;
}

// Deflection deciding the side of loading: the node's own in the solve pass; in the report pass
// the deflections of the case's nodes (1 to N + 1, still held while the output depths occupy
// the depth table) interpolated against their vertical depths.
double sideDeflection(const Run& run, int k, double depth) {
    const PileNodes& nodes = run.nodes;
    if (!run.py.reportPass) return nodes.y(k);
    const int count = std::clamp(run.model.options.pileIncrements, 1, kMaxNodes - 1) + 1;
    if (depth <= nodes.z[1]) return nodes.y(1);
    for (int i = 2; i <= count; ++i) {
        const double z0 = nodes.z[static_cast<std::size_t>(i - 1)];
        const double z1 = nodes.z[static_cast<std::size_t>(i)];
        if (depth <= z1) {
            if (z1 - z0 <= 0.0) return nodes.y(i);
            return nodes.y(i - 1) + (depth - z0) * (nodes.y(i) - nodes.y(i - 1)) / (z1 - z0);
        }
    }
    return nodes.y(count);
}

// Curve constants and shape class from pu, pmid, kx and b.
void setCurveConstants(SandCurve& s) {
    s.yM = s.b / 60.0;
    s.yu = 3.0 * s.b / 80.0;
    s.m = (s.pu - s.pmid) / (s.yu - s.yM);
    if (s.d.xc < 0.0) {
        s.yk = 2.0 * s.b;
    } else if (s.d.xc > 0.0) {
        s.n = s.pmid / (s.m * s.yM);
        s.C = s.pmid / std::pow(s.yM, 1.0 / s.n);
        s.yk = std::pow(s.C / s.kx, s.n / (s.n - 1.0));
        s.pk = s.C * std::pow(s.yk, 1.0 / s.n);
    }
    if (s.yk < s.yM && s.yM < s.yu) {
        s.shape = CurveShape::Normal;
    } else if (s.yM < s.yk && s.yk < s.yu) {
        s.shape = CurveShape::TriLinear;
    } else if (s.yM < s.yu && s.yu < s.yk) {
        s.shape = CurveShape::BiLinear;
    } else {
        s.shape = CurveShape::None;
    }
}

// ---------------------------------------------------------------- printed curve

// Deflection of printed point j (1 to 17).
double printedDeflection(const SandCurve& s, int j) {
    if (j == 1) return 0.0;
    const double tail = j == 16 ? kTailStep1 : kTailStep2;
    switch (s.shape) {
        case CurveShape::Normal:
            if (j <= 12) return s.yk + (j - 2) * (s.yM - s.yk) / 11.0;
            if (j == 13) return s.yM;
            if (j == 14) return 13.0 * s.b / 480.0;
            if (j == 15) return s.yu;
            return s.yu + tail * s.yu;
        case CurveShape::TriLinear: {
            if (j <= 15) {
                const double yi = (s.pu - s.yu * s.m) / (s.kx - s.m);
                return j == 15 ? s.yu : yi + (j - 2) * (s.yu - yi) / 13.0;
            }
            return s.yu + tail * s.yu;
        }
        case CurveShape::BiLinear: {
            const double sCap = s.pu / s.kx;
            if (j <= 15) return (j - 1) * sCap / 14.0;
            return sCap + tail * sCap;
        }
        case CurveShape::None:
            break;
    }
    // Only reached when yk equals ym or yu exactly: even steps up to yu, then the usual tail.
    if (j <= 15) return (j - 1) * s.yu / 14.0;
    return s.yu + tail * s.yu;
}


void printCurve(Run& run, const PyPoint& at, const SandDepth& v, const SandCurve& s) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    const bool cyclic = run.model.options.cyclic;
    const bool uscs = run.model.options.IUNITS == kUSCS;
    const std::string forcePerLength = u.ForceUnit + u.slash + u.DeflectionUnit;

    writeCurveHeading(run, at,
                      cyclic ? "p-y Curve in Sand Computed Using Reese Criteria for Cyclic Loading Conditions"
                             : "p-y Curve in Sand Computed Using Reese Criteria for Static Loading Conditions",
                      "Equivalent Depth (see note)");
    writeSlopeAngleLines(run);
    writeCurveLabelLine(r, "Pile Diameter, b", s.b, 12, 3, u.DeflectionUnit);
    writeCurveLabelLine(r, "Angle of Friction", v.phiDeg, 12, 3, "degrees");
    writeCurveLabelLine(r, "Avg. Eff. Unit Weight", uscs ? v.gamma * 1728.0 : v.gamma, 12, 5, u.UnitWeightUnit);
    writeCurveLabelLine(r, "kpy", v.k, 12, 3, u.SubgradeUnit);
    writeCurveLabelLine(r, "K active", v.angles.Ka, 12, 3);
    writeCurveLabelLine(r, "K passive", v.angles.Kp, 12, 3);
    writeCurveLabelLine(r, "K0", kK0, 12, 3);
    writeCurveLabelLine(r, "Pst", s.Pst, 12, 3, forcePerLength);
    writeCurveLabelLine(r, "Psd", s.Psd, 12, 3, forcePerLength);
    writeCurveLabelLine(r, s.Psd > s.Pst ? "Ps = Pst (shallow controls)" : "Ps = Psd (deep controls)", s.ps, 12, 3, forcePerLength);
    writeCurveLabelLine(r, cyclic ? "A (cyclic)" : "A (static)", s.A, 12, 4);
    writeCurveLabelLine(r, cyclic ? "B (cyclic)" : "B (static)", s.B, 12, 4);
    writeCurveLabelLine(r, "C = Pm/(Ym^(1/n))", s.C, 12, 4);
    writeCurveLabelLine(r, "n = Pm/(m Ym)", s.n, 12, 4);
    writeCurveLabelLine(r, "m = (Pu-Pm)/(Yu-Ym)", s.m, 12, 4);
    writeCurveLabelLine(r, "Yk = [c/(kx)]^(n/(n-1))", s.yk, 12, 4, u.DeflectionUnit);
    writeCurveLabelLine(r, "Pk", s.pk, 12, 3, u.LineLoadUnit);
    writeCurveLabelLine(r, "Ym = b/60", s.yM, 12, 4, u.DeflectionUnit);
    writeCurveLabelLine(r, "Pm = B ps", s.pmid, 12, 3, u.LineLoadUnit);
    writeCurveLabelLine(r, "Yu = 3b/80", s.yu, 12, 4, u.DeflectionUnit);
    writeCurveLabelLine(r, "Pu = A Ps", s.pu, 12, 3, u.LineLoadUnit);
    writeCurveLabelLine(r, "Es,lim", s.kx, 12, 3, forcePerLength + u.slash + u.DeflectionUnit);
    writeCurveLabelLine(r, "p-multiplier", at.pm, 12, 5);
    writeCurveLabelLine(r, "y-multiplier", at.ym, 12, 5);
    writeBlankLines(r, 1);

    writeLayeringNote(run, at.L);
    writeBlankLines(r, 1);
    switch (s.shape) {
        case CurveShape::Normal:
            writeTextLine(r, "This curve has the normal shape for a Reese sand p-y curve where Yk < Ym < Yu.");
            writeBlankLines(r, 1);
            break;
        case CurveShape::TriLinear:
            writeTextLine(r, "This curve has a tri-linear shape for a Reese sand p-y curve because Ym < Yk < Yu.");
            writeBlankLines(r, 1);
            break;
        case CurveShape::BiLinear:
            writeTextLine(r, "This curve has a bi-linear shape for a Reese sand p-y curve because Ym < Yu < Yk.");
            writeBlankLines(r, 1);
            break;
        case CurveShape::None:
            break;
    }
    Line(r).tab(10).text("y, ").text(u.DeflectionUnit).tab(26).text("p, ").text(forcePerLength).end();
    writeTextLine(r, "----------------    -----------------");
    plotCurve(run, at, kPrintedPoints);

    bool anyStar = false;
    for (int j = 1; j <= kPrintedPoints; ++j) {
        double y = printedDeflection(s, j);
        double p = s.uncapped(y);
        bool star = j > 1 && s.onInitialLine(y);
        if (s.kx * y < p) {
            // The initial line caps the curve; the last two points then close it at pu.
            anyStar = true;
            if (j == 16 || j == 17) {
                const double sCap = s.pu / s.kx;
                y = j == 16 ? sCap : 1.025 * s.yu + sCap;
                p = s.pu;
                star = false;
            } else {
                p = s.kx * y;
                star = true;
            }
        }
        anyStar = anyStar || star;
        Line line(r);
        line.blanks(3).real(at.ym * y, 12).blanks(5).real(at.pm * p, 12);
        if (star) line.text("   *");
        line.end();
        plotCurvePoint(run, at, at.ym * y, at.pm * p, j);
    }
    if (anyStar) {
        writeBlankLines(r, 1);
        writeTextLine(r, "* p value(s) computed using p = k * Eff x * y ");
    }
    if (v.defaultK) {
        writeTextLine(r, "The above p-y curve was computed using internal default values of k.");
    }
    writeBlankLines(r, 1);
}

// ---------------------------------------------------------------- the model

struct ReeseSand {
    using Depth = SandDepth;
    using Curve = SandCurve;
    // The equivalent depth of a sand layer is computed once in a run.
    static constexpr PyLawRules kRules{.layering = true,
                                        .equivalentDepthEveryPass = false,
                                        .resistance = LayerResistance::TrapezoidsToLayerBottom};

    static void repeatWarnings(Run& run, const SandDepth& v) {
        if (!v.phiWarning) return;
        writeFrictionAngleWarning(run.messages);
        recordWarning(run.warnings, -302);
    }

    static bool lookUp(Run& run, const PyPoint& at, SandDepth& v) {
        if (!sandPropertiesAt(run, at.d.zs, v.gamma, v.phiDeg)) return false;

        // A layer without a positive top value of k runs on the default modulus.
        SoilLayer& layer = run.model.soil.layer[static_cast<std::size_t>(at.L)];
        if (layerSubgradeModulus(layer, at.d.zs, v.k)) {
            v.k = defaultSandK(run, v.phiDeg, v.gamma);
            v.defaultK = true;
            if (run.failed()) return false;
        }

        const double phi = v.phiDeg * kPi / 180.0;
        if (phi < 1E-10) {
            writeError8(run.messages);
            raiseInputError(run, 8);
            return false;
        }
        v.phiWarning = v.phiDeg < 20.0 || v.phiDeg > 48.0;
        repeatWarnings(run, v);

        v.angles = sandAngles(phi);
        const double absTheta = std::fabs(run.model.slope.effectiveSlope);
        const double D = slopeFrictionMargin(absTheta, phi);
        // Layer 1 rejects a slope not below the friction angle; a lower layer is rejected too
        // when the slope would take the root of a negative number.
        if (D < 1E-10 && (at.L == 1 || absTheta > 1E-10)) {
            writeError9(run.messages, at.L);
            writeError9(run.report, at.L);
            raiseInputError(run, 9);
            return false;
        }
        v.Ka = absTheta > 1E-10 ? slopingActiveCoefficient(absTheta, phi) : v.angles.Ka;
        return true;
    }

    static double equivalentDepth(Run& run, const PyPoint& at, const SandDepth& v, double F) {
        return sandEquivalentDepth(sandCoefficients(v.angles, kK0, v.Ka), at.b, v.gamma, at.d.xg,
                                   run.model.options.cyclic, F);
    }

    static void curve(Run& run, const PyPoint& at, const SandDepth& v, const SandCurve&, SandCurve& s) {
        const SandAngles& a = v.angles;
        s.d = at.d;
        s.b = at.b;
        s.kx = v.k * s.d.xc;
        const double theta = run.model.slope.effectiveSlope;
        const double absTheta = std::fabs(theta);
        double F = 1.0;
        if (absTheta > 1E-15) F = slopeFactor(theta, a.beta, sideDeflection(run, at.k, s.d.zs));
        if (absTheta > 1E-15 && F > 1E-20) {
            s.Pst = sandSlopingWedgeResistance(a, kK0, v.Ka, v.gamma, s.d.xc, s.b, std::tan(absTheta) * a.tanBeta, F);
        } else {
            s.Pst = sandWedgeResistance(a, kK0, v.Ka, v.gamma, s.d.xc, s.b);
        }
        s.Psd = sandFlowFactor(a, kK0, a.Ka) * s.b * v.gamma * s.d.xg;
        if (F <= 1E-10 && absTheta > 1E-10) s.Pst = s.Psd;
        s.ps = s.Psd > s.Pst ? s.Pst : s.Psd;

        const bool cyclic = run.model.options.cyclic;
        s.A = sandFactorA(cyclic, s.d.xc / s.b);
        s.B = sandFactorB(cyclic, s.d.xc / s.b);
        s.pu = s.A * s.ps;
        s.pmid = s.B * s.ps;
        setCurveConstants(s);
    }

    static double resistance(const SandCurve& s) { return s.pu; }
    static double tailResistance(const SandCurve& s) { return s.pu; }
    static double surfaceResistance(const SandCurve& s) { return s.pu; }

    static double threshold(const SandCurve&) { return 1E-14; }
    static double limitingModulus(const SandCurve& s) { return s.kx; }
    static double p(const SandCurve& s, double y) { return s.p(y); }

    static void print(Run& run, const PyPoint& at, const SandDepth& v, const SandCurve& s) { printCurve(run, at, v, s); }
};

}  // namespace

void pySand(Run& run, int L) { runPyModel<ReeseSand>(run, L); }

}  // namespace mervik
