// Sand p-y curves after Reese, Cox and Koop (1974), model code 5. The ultimate resistance is
// the smaller of a wedge (shallow) and a flow-around (deep) value, scaled by the empirical
// factors A and B for static or cyclic loading. The curve is an initial straight line of slope
// k x, a parabola up to ym = b/60, a straight line up to yu = 3b/80 and a constant beyond.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "engine/warnings.hpp"
#include "py/py_framework.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kQuarterPi = 0.7853981633974483;
constexpr double kK0 = 0.4;
constexpr double kUnsetEquivalentDepth = -10000.0;
constexpr int kCorrectionSteps = 500;
constexpr int kPrintedPoints = 17;
// Single-precision 0.025 times 1 and 2: the spacing of the last two printed points.
constexpr double kTailStep1 = 0.02500000037252903;
constexpr double kTailStep2 = 0.05000000074505806;

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// ---------------------------------------------------------------- empirical factors A and B

constexpr std::array<double, 10> kRatio = {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0};
constexpr std::array<double, 10> kAStatic = {2.83, 2.48, 2.11, 1.76, 1.48, 1.23, 1.06, 0.9, 0.88, 0.88};
constexpr std::array<double, 10> kBStatic = {2.14, 1.83, 1.54, 1.27, 1.05, 0.86, 0.71, 0.53, 0.5, 0.5};
constexpr std::array<double, 10> kACyclic = {0.75, 0.93, 1.07, 1.11, 1.03, 0.98, 0.94, 0.9, 0.88, 0.88};
constexpr std::array<double, 10> kBCyclic = {0.53, 0.72, 0.83, 0.86, 0.82, 0.77, 0.7, 0.55, 0.55, 0.55};

// Linear interpolation against x/b; the end values hold outside the table.
double tableValue(const std::array<double, 10>& v, double ratio) {
    if (!(ratio > kRatio.front())) return v.front();
    for (std::size_t i = 1; i < kRatio.size(); ++i) {
        if (ratio <= kRatio[i]) return v[i - 1] + (ratio - kRatio[i - 1]) * (v[i] - v[i - 1]) / (kRatio[i] - kRatio[i - 1]);
    }
    return v.back();
}

double factorA(bool cyclic, double ratio) { return tableValue(cyclic ? kACyclic : kAStatic, ratio); }
double factorB(bool cyclic, double ratio) { return tableValue(cyclic ? kBCyclic : kBStatic, ratio); }

// ---------------------------------------------------------------- the curve of one depth

enum class CurveShape { None = 0, Normal = 1, TriLinear = 2, BiLinear = 3 };

// Everything known about the curve at one node or output depth.
struct SandCurve {
    PyCurveDepths d;
    double b = 0.0, gamma = 0.0, phiDeg = 0.0, pm = 1.0, ym = 1.0;
    double k = 0.0;
    bool defaultK = false;
    // Friction angles and earth-pressure coefficients.
    double phi = 0.0, alpha = 0.0, beta = 0.0, Ka0 = 0.0, Kp = 0.0, Ka = 0.0;
    double theta = 0.0;  // effective slope angle
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
    writeBlankLines(c, 1);
    writeTextLine(c, "An error was detected in the input data for friction angle.");
    writeTextLine(c, "Problem:  Zero was input for the friction angle for a sand when computing ");
    writeTextLine(c, "          a p-y curve using the Reese et al. criteria.");
    writeBlankLines(c, 1);
    writeTextLine(c, "Solution: Check values of soil strength values and revise the input data.");
    writeBlankLines(c, 1);
}

void writeFrictionAngleWarning(Channel& c) {
    writeBlankLines(c, 1);
    writeTextLine(c, "**** Warning ****");
    writeBlankLines(c, 1);
    writeTextLine(c, "An unreasonable value for friction angle was input for a Reese sand layer. ");
    writeTextLine(c, "The input value is either smaller than 20 degrees or higher than 48 degrees.");
    writeTextLine(c, "The input data should be checked for correctness.");
    writeBlankLines(c, 1);
    writeTextLine(c, "The input value for friction angle was used in computations.");
    writeBlankLines(c, 1);
}

void writeError9(Channel& c, int L) {
    writeInputErrorHeading(c, 9);
    writeBlankLines(c, 1);
    writeTextLine(c, "An error was found in the input data when computing a p-y curve using ");
    Line(c).text("the Reese sand criteria for layer ").i(L, 0).text(".").end();
    writeBlankLines(c, 1);
    writeTextLine(c, "Problem:  The angle of the ground slope can not be greater than the ");
    writeTextLine(c, "internal friction angle of the sand.");
    writeBlankLines(c, 1);
    writeTextLine(c, "Solution:  Set the value for slope angle to be less than the angle of friction.");
}

// Runtime error 31 (computed modulus) or 32 (limiting modulus at zero deflection).
void raiseModulusNotANumber(Run& run, int n, int k) {
    Channel& r = run.report;
    writeRuntimeErrorHeading(r, n);
    writeBlankLines(r, 1);
    Line(r)
        .text(n == 31 ? "The computed value of soil modulus computed in Reese Sand is not-a-number for node number "
                      : "The default value of soil modulus computed in Reese Sand is not-a-number for node number ")
        .i(k, 0)
        .end();
    writeBlankLines(r, 1);
    writeTextLine(r, "This problem is usually due to a required soil property being left equal to zero.");
    storeErrorNumber(run, runtimeError(n));
}

// ---------------------------------------------------------------- ultimate resistance

// Subgrade modulus of the layer at zs; a layer without a positive top value runs on the default
// modulus and loses its input values for the rest of the run.
double subgradeModulus(Run& run, int L, double zs, double phiDeg, double gamma, bool& defaultK) {
    SoilLayer& layer = run.model.soil.layer[at(L)];
    const double kt = layer.kpy.top;
    const double kb = layer.kpy.bottom;
    defaultK = false;
    if (kt > 0.0) {
        if (kt == kb) return kt;
        const double thickness = layer.depthBottom - layer.depthTop;
        if (thickness == 0.0) return kt;
        return kt + (kb - kt) * (zs - layer.depthTop) / thickness;
    }
    layer.kpy.top = 0.0;
    layer.kpy.bottom = 0.0;
    defaultK = true;
    return defaultSandK(run, phiDeg, gamma);
}

// Wedge resistance on level ground, or on sloping ground with the slope factor F.
double wedgeResistance(const SandCurve& s, bool sloped, double F) {
    const double xc = s.d.xc;
    const double tanPhi = std::tan(s.phi);
    const double tanBeta = std::tan(s.beta);
    const double tanAlpha = std::tan(s.alpha);
    const double sinBeta = std::sin(s.beta);
    const double tanBmP = std::tan(s.beta - s.phi);
    if (!sloped) {
        return s.gamma * xc *
               (kK0 * xc * tanPhi * sinBeta / (tanBmP * std::cos(s.alpha)) +
                tanBeta / tanBmP * (s.b + xc * tanBeta * tanAlpha) + kK0 * xc * tanBeta * (tanPhi * sinBeta - tanAlpha) -
                s.Ka * s.b);
    }
    const double t = std::tan(std::fabs(s.theta)) * tanBeta;
    const double u = t / F;
    const double G = 4.0 * u * u * u - 3.0 * u * u + 1.0;
    return s.gamma * xc *
           (kK0 * xc * tanPhi * sinBeta * G / (tanBmP * std::cos(s.alpha)) +
            tanBeta / tanBmP * (s.b + xc * tanBeta * tanAlpha / F) / F +
            kK0 * xc * tanBeta * (tanPhi * sinBeta - tanAlpha) * G - s.Ka * s.b);
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
        const double z0 = nodes.z[at(i - 1)];
        const double z1 = nodes.z[at(i)];
        if (depth <= z1) {
            if (z1 - z0 <= 0.0) return nodes.y(i);
            return nodes.y(i - 1) + (depth - z0) * (nodes.y(i) - nodes.y(i - 1)) / (z1 - z0);
        }
    }
    return nodes.y(count);
}

// Equivalent depth of the top of layer L: the depth at which the integral of the layer's own
// ultimate resistance from the ground surface reaches F, the resistance of the layers above.
double equivalentDepth(const SandCurve& s, bool cyclic, double F) {
    const double tanPhi = std::tan(s.phi);
    const double tanBeta = std::tan(s.beta);
    const double tanAlpha = std::tan(s.alpha);
    const double c1 = tanBeta * (tanAlpha * s.Kp +
                                 kK0 * (tanPhi * std::sin(s.beta) * (1.0 / std::cos(s.alpha) + 1.0) - tanAlpha));
    const double c2 = s.Kp - s.Ka;
    const double cd = s.Kp * s.Kp * (s.Kp + kK0 * tanPhi) - s.Ka;
    const double G = s.gamma * s.b * s.b;
    const double b = s.b;
    const double Xt = (cd - c2) * b / c1;
    const double step = Xt / kCorrectionSteps;
    const auto q = [&](double x) {
        const double r = x / b;
        return factorA(cyclic, r) * G * (c1 * r * r + c2 * r);
    };
    double S = 0.0;
    for (int i = 1; i <= kCorrectionSteps; ++i) {
        const double xi = i * step;
        const double previous = S;
        S += (q(xi - step) + q(xi)) * step / 2.0;
        if (S > F) return xi - step * (S - F) / (S - previous);
    }
    return Xt + (F - S) / (0.8799999952316284 * s.d.xg * cd * G / b);
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

// The curve at entry k of layer L (node in the solve pass, output depth in the report pass),
// with the layering correction at the layer's first node. False after an error.
bool computeCurve(Run& run, int L, int k, SandCurve& s) {
    s.d = curveDepths(run, L, k, true);
    s.b = pileWidthAt(run, s.d.xp);
    s.gamma = averageUnitWeight(run, s.d.zs);
    if (run.failed()) return false;
    s.phiDeg = frictionAngleAt(run, s.d.zs);
    if (run.failed()) return false;
    s.pm = pMultiplierAt(run, s.d.xp);
    s.ym = yMultiplierAt(run, s.d.xp);
    run.py.node.b = s.b;
    run.py.node.gammaAvg = s.gamma;

    s.k = subgradeModulus(run, L, s.d.zs, s.phiDeg, s.gamma, s.defaultK);
    if (run.failed()) return false;

    s.phi = s.phiDeg * kPi / 180.0;
    if (s.phi < 1E-10) {
        writeError8(run.messages);
        raiseInputError(run, 8);
        return false;
    }
    if (s.phiDeg < 20.0 || s.phiDeg > 48.0) {
        writeFrictionAngleWarning(run.messages);
        recordWarning(run.warnings, -302);
    }

    s.alpha = s.phi / 2.0;
    s.beta = kQuarterPi + s.phi / 2.0;
    s.Ka0 = std::pow(std::tan(kQuarterPi - s.phi / 2.0), 2);
    s.Kp = std::pow(std::tan(s.beta), 2);
    s.theta = run.model.slope.effectiveSlope;
    const double absTheta = std::fabs(s.theta);
    const double D = std::pow(std::cos(absTheta), 2) - std::pow(std::cos(s.phi), 2);
    // Layer 1 rejects a slope not below the friction angle; a lower layer is rejected too when
    // the slope would take the root of a negative number.
    if (D < 1E-10 && (L == 1 || absTheta > 1E-10)) {
        writeError9(run.messages, L);
        writeError9(run.report, L);
        raiseInputError(run, 9);
        return false;
    }
    s.Ka = s.Ka0;
    if (absTheta > 1E-10) {
        const double c = std::cos(absTheta);
        s.Ka = c * (c - std::sqrt(D)) / (c + std::sqrt(D));
    }

    // The equivalent depth of a sand layer is computed once in a run.
    if (equivalentDepthDue(run, L, k) && run.layers.xe[at(L)] == kUnsetEquivalentDepth) {
        const double F = resistanceAboveLayer(run, L);
        run.layers.xe[at(L)] = equivalentDepth(s, run.model.options.cyclic, F);
        s.d = curveDepths(run, L, k, true);
    }

    s.kx = s.k * s.d.xc;
    double F = 1.0;
    if (absTheta > 1E-15) F = slopeFactor(s.theta, s.beta, sideDeflection(run, k, s.d.zs));
    s.Pst = wedgeResistance(s, absTheta > 1E-15 && F > 1E-20, F);
    const double tanBeta = std::tan(s.beta);
    s.Psd = (kK0 * std::tan(s.phi) * std::pow(tanBeta, 4) + (std::pow(tanBeta, 8) - 1.0) * s.Ka0) * s.b * s.gamma * s.d.xg;
    if (F <= 1E-10 && absTheta > 1E-10) s.Pst = s.Psd;
    s.ps = s.Psd > s.Pst ? s.Pst : s.Psd;

    const bool cyclic = run.model.options.cyclic;
    s.A = factorA(cyclic, s.d.xc / s.b);
    s.B = factorB(cyclic, s.d.xc / s.b);
    s.pu = s.A * s.ps;
    s.pmid = s.B * s.ps;
    setCurveConstants(s);
    return true;
}

// Layer resistance: trapezoids of pu between the nodes, pu over the rest of the layer below the
// last node; a profile starting above the pile head takes half pu over the first layer.
void accumulateResistance(Run& run, int L, int k, double puPrevious, double pu) {
    double& Fu = run.py.Fu[at(L)];
    if (k == run.py.firstNode) {
        Fu = 0.0;
    } else {
        Fu += (puPrevious + pu) * run.nodes.h / 2.0;
        if (k == run.py.lastNode) Fu += (run.model.soil.layer[at(L)].depthBottom - run.nodes.x[at(k)]) * pu;
    }
    if (run.model.soil.groundSurface < -9.999999747378752E-6 && L == 1) {
        const SoilLayer& layer = run.model.soil.layer[1];
        Fu = pu * 0.5 * (layer.depthBottom - layer.depthTop);
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


void printCurve(Run& run, int L, int k, const SandCurve& s) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    const bool cyclic = run.model.options.cyclic;
    const bool uscs = run.model.options.IUNITS == kUSCS;
    const std::string forcePerLength = u.ForceUnit + u.slash + u.DeflectionUnit;
    const SlopeAngles& slope = run.model.slope;

    writeCurveTitle(run, cyclic ? "p-y Curve in Sand Computed Using Reese Criteria for Cyclic Loading Conditions"
                                : "p-y Curve in Sand Computed Using Reese Criteria for Static Loading Conditions");
    Line(r).text("Soil Layer Number").tab(56).text("= ").i(L, 12).end();
    writeCurveDepthLine(run, "Depth below pile head", s.d.xp);
    writeCurveDepthLine(run, "Depth below ground surface", s.d.xg);
    writeCurveDepthLine(run, "Equivalent Depth (see note)", s.d.xc);
    writeCurveLabelLine(r, "Ground Slope Angle", slope.groundSlope * 180.0 / kPi, 12, 3, "degrees");
    writeCurveLabelLine(r, "Pile Batter", slope.pileBatter * 180.0 / kPi, 12, 3, "degrees");
    writeCurveLabelLine(r, "Effective Slope", slope.effectiveSlope * 180.0 / kPi, 12, 3, "degrees");
    writeCurveLabelLine(r, "Pile Diameter, b", s.b, 12, 3, u.DeflectionUnit);
    writeCurveLabelLine(r, "Angle of Friction", s.phiDeg, 12, 3, "degrees");
    writeCurveLabelLine(r, "Avg. Eff. Unit Weight", uscs ? s.gamma * 1728.0 : s.gamma, 12, 5, u.UnitWeightUnit);
    writeCurveLabelLine(r, "kpy", s.k, 12, 3, u.SubgradeUnit);
    writeCurveLabelLine(r, "K active", s.Ka0, 12, 3);
    writeCurveLabelLine(r, "K passive", s.Kp, 12, 3);
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
    writeCurveLabelLine(r, "p-multiplier", s.pm, 12, 5);
    writeCurveLabelLine(r, "y-multiplier", s.ym, 12, 5);
    writeBlankLines(r, 1);

    writeLayeringNote(run, L);
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
    plotRecord7(run, s.d.xp, kPrintedPoints, "sand", k);

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
        line.blanks(3).real(s.ym * y, 12).blanks(5).real(s.pm * p, 12);
        if (star) line.text("   *");
        line.end();
        plotRecord8(run, s.ym * y, s.pm * p, j, "sand");
    }
    if (anyStar) {
        writeBlankLines(r, 1);
        writeTextLine(r, "* p value(s) computed using p = k * Eff x * y ");
    }
    if (s.defaultK) {
        writeTextLine(r, "The above p-y curve was computed using internal default values of k.");
    }
    writeBlankLines(r, 1);
}

}  // namespace

void pySand(Run& run, int L) {
    double puPrevious = 0.0;
    for (int k = run.py.firstNode; k <= run.py.lastNode && k <= kMaxNodes; ++k) {
        SandCurve s;
        if (!computeCurve(run, L, k, s)) return;
        if (run.py.reportPass) {
            printCurve(run, L, k, s);
            continue;
        }
        accumulateResistance(run, L, k, puPrevious, s.pu);
        puPrevious = s.pu;
        const double yc = relativeDeflection(run, k) / s.ym;
        double& Es = run.nodes.Es[at(k)];
        if (yc < 1E-14) {
            Es = s.kx;
            if (std::isnan(Es)) {
                raiseModulusNotANumber(run, 32, k);
                return;
            }
        } else {
            Es = s.pm * s.p(yc) / (yc * s.ym);
            if (std::isnan(Es)) {
                raiseModulusNotANumber(run, 31, k);
                return;
            }
        }
        setSoilMovementLoad(run, k);
    }
}

}  // namespace mervik
