// API sand: the ultimate resistance is the smaller of a shallow value (C1 x + C2 b) gamma' x and
// a deep value C3 b gamma' x, scaled by A (static: 3 - 0.8 x/b, not below 0.9; cyclic: 0.9),
// and the curve is p = A pu tanh(k x y / (A pu)). On sloping ground the shallow value is the
// wedge resistance of the Reese sand with the active coefficient of the slope, and the side of
// loading follows the sign of the node deflection.
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
#include "report/layout.hpp"

namespace mervik {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

constexpr double kPi = 3.141592653589793;
constexpr double kQuarterPi = 0.7853981633974483;
constexpr double kK0 = 0.4000000059604645;           // at-rest coefficient, single-precision 0.4
constexpr double kAFloor = 0.8999999761581421;       // single-precision 0.9
constexpr double kAStaticSlope = 0.800000011920929;  // single-precision 0.8
constexpr double kDeepA = 0.8799999952316284;        // A of the Reese tables at great depth
constexpr double kSmallDeflection = 1E-14;
constexpr double kSmallDepth = 1E-10;
constexpr double kSmallPhi = 1E-10;
constexpr double kLevelSlope = 1E-10;
constexpr double kSideTolerance = 1E-14;
constexpr double kNoSide = 1E-10;                   // slope factor at or below: deep value governs
constexpr double kUpperGround = -9.999999747378752E-6;  // ground surface above the pile head
constexpr double kPrintStepFactor = 0.19634954084936207;  // pi/16: point 17 reaches k x y / pu = pi
// Printed deflection step of a curve without initial slope (at the ground surface). General
// units have no defined value; the US step (0.05) is used there.
constexpr double kPrintStepUS = 0.05000000074505806;
constexpr double kPrintStepSI = 0.0012700000079348683;
constexpr int kPrintedPoints = 17;
constexpr int kCorrectionSteps = 500;
constexpr std::string_view kModelText = "API sand";

// Reese sand A coefficients by x/b (linear between the points, the last value beyond x/b = 6),
// used by the layering correction.
constexpr std::array<double, 10> kRatio = {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0};
constexpr std::array<double, 10> kAStatic = {2.83, 2.48, 2.11, 1.76, 1.48, 1.23, 1.06, 0.9, 0.88, 0.88};
constexpr std::array<double, 10> kACyclic = {0.75, 0.93, 1.07, 1.11, 1.03, 0.98, 0.94, 0.9, 0.88, 0.88};

double reeseA(double ratio, bool cyclic) {
    const std::array<double, 10>& a = cyclic ? kACyclic : kAStatic;
    if (ratio <= kRatio[0]) return a[0];
    for (std::size_t i = 1; i < kRatio.size(); ++i) {
        if (ratio <= kRatio[i])
            return a[i - 1] + (ratio - kRatio[i - 1]) * (a[i] - a[i - 1]) / (kRatio[i] - kRatio[i - 1]);
    }
    return a.back();
}

double square(double v) { return v * v; }

// Friction angle phi (radians), the wedge angles and the level-ground earth-pressure coefficients.
struct SandAngles {
    double phi = 0.0, alpha = 0.0, beta = 0.0;
    double Ka = 0.0, Kp = 0.0;
};

SandAngles sandAngles(double phi) {
    SandAngles s;
    s.phi = phi;
    s.alpha = phi / 2.0;
    s.beta = kQuarterPi + s.alpha;
    s.Ka = square(std::tan(kQuarterPi - phi / 2.0));
    s.Kp = square(std::tan(kQuarterPi + phi / 2.0));
    return s;
}

struct ApiCoefficients {
    double C1 = 0.0, C2 = 0.0, C3 = 0.0;
};

// C1, C2 and C3 with the active coefficient Ka (level ground, or that of the slope).
ApiCoefficients apiCoefficients(const SandAngles& s, double Ka) {
    const double tb = std::tan(s.beta);
    const double ta = std::tan(s.alpha);
    const double tp = std::tan(s.phi);
    ApiCoefficients c;
    c.C1 = tb * (ta * s.Kp + kK0 * (tp * std::sin(s.beta) * (1.0 / std::cos(s.alpha) + 1.0) - ta));
    c.C2 = s.Kp - Ka;
    c.C3 = square(s.Kp) * (s.Kp + kK0 * tp) - Ka;
    return c;
}

// Wedge resistance of the Reese sand on level ground, active coefficient Ka.
double levelWedge(const SandAngles& s, double gamma, double xc, double b, double Ka) {
    const double tb = std::tan(s.beta);
    const double ta = std::tan(s.alpha);
    const double tp = std::tan(s.phi);
    const double tbp = std::tan(s.beta - s.phi);
    const double sb = std::sin(s.beta);
    return gamma * xc *
           (kK0 * xc * tp * sb / (tbp * std::cos(s.alpha)) + tb / tbp * (b + xc * tb * ta) +
            kK0 * xc * tb * (tp * sb - ta) - Ka * b);
}

// Wedge resistance on sloping ground: t = tan|theta| tan(beta), side factor F = 1 + t or 1 - t.
double slopingWedge(const SandAngles& s, double gamma, double xc, double b, double Ka, double t, double F) {
    const double tb = std::tan(s.beta);
    const double ta = std::tan(s.alpha);
    const double tp = std::tan(s.phi);
    const double tbp = std::tan(s.beta - s.phi);
    const double sb = std::sin(s.beta);
    const double u = t / F;
    const double G = 4.0 * u * u * u - 3.0 * u * u + 1.0;
    return gamma * xc *
           (kK0 * xc * tp * sb * G / (tbp * std::cos(s.alpha)) + tb / tbp * (b + xc * tb * ta / F) / F +
            kK0 * xc * tb * (tp * sb - ta) * G - Ka * b);
}

// Equivalent depth of the layer top: the depth at which this sand, from the ground surface,
// has integrated the resistance F of the layers above (Reese A over the shallow resistance
// down to the transition depth, the deep resistance with A = 0.88 below it). xg is the depth
// of the layer's first node below the ground surface.
double equivalentDepth(const SandAngles& s, double b, double gamma, double xg, bool cyclic, double F) {
    const ApiCoefficients c = apiCoefficients(s, s.Ka);
    const double G = gamma * b * b;
    const double Xt = (c.C3 - c.C2) * b / c.C1;
    const double step = Xt / kCorrectionSteps;
    double S = 0.0;
    double qPrevious = 0.0;
    for (int i = 1; i <= kCorrectionSteps; ++i) {
        const double xi = i * step;
        const double r = xi / b;
        const double q = reeseA(r, cyclic) * G * (c.C1 * r * r + c.C2 * r);
        const double Snext = S + (qPrevious + q) * step / 2.0;
        if (Snext > F) return xi - step * (Snext - F) / (Snext - S);
        S = Snext;
        qPrevious = q;
    }
    return Xt + (F - S) / (kDeepA * xg * c.C3 * G / b);
}

// Subgrade modulus at zs, linear over the layer; a layer whose top value is not positive loses
// both values for the rest of the run and gets 0 (the default modulus is used).
double subgradeModulus(SoilLayer& layer, double zs) {
    const double kt = layer.kpy.top;
    const double kb = layer.kpy.bottom;
    if (kt <= 0.0) {
        layer.kpy.top = 0.0;
        layer.kpy.bottom = 0.0;
        return 0.0;
    }
    if (kt == kb) return kt;
    return kt + (kb - kt) * (zs - layer.depthTop) / (layer.depthBottom - layer.depthTop);
}

void writeZeroFrictionError(Channel& c, int L) {
    writeInputErrorHeading(c, 1);
    writeBlankLines(c, 1);
    writeTextLine(c, "An error was detected in the input data when computing a p-y.");
    Line(c).text("curve using the API sand criteria for layer ").i(L, 0).text(".").end();
    writeBlankLines(c, 1);
    writeTextLine(c, "Problem:  A zero was input for the friction angle for sand.");
    writeBlankLines(c, 1);
    writeTextLine(c, "Solution:  Check the friction angle values and revise the ");
    writeTextLine(c, "data to correct this problem.");
    writeBlankLines(c, 1);
}

void writeSteepSlopeError(Channel& c) {
    writeInputErrorHeading(c, 2);
    writeBlankLines(c, 1);
    writeTextLine(c, "An error was detected in the input data when computing a p-y.");
    writeTextLine(c, "curve using the API criteria for sand for layer 1.");
    writeBlankLines(c, 1);
    writeTextLine(c, "Problem:  The angle of the ground slope can not be greater ");
    writeTextLine(c, "than the internal friction angle of the sand.");
    writeBlankLines(c, 1);
    writeTextLine(c, "Solution:  Set the value for slope angle to be less than ");
    writeTextLine(c, "the angle of friction.");
}

// The values of one curve.
struct ApiSandCurve {
    double b = 0.0, gamma = 0.0, phiDegrees = 0.0, pm = 1.0, ym = 1.0;
    double xc = 0.0;
    double k = 0.0;             // subgrade modulus in use
    bool defaultK = false;
    ApiCoefficients C;
    double Pus = 0.0, Pud = 0.0, ps = 0.0;
    double A = 0.0, pu = 0.0;

    double p(double y) const { return xc >= kSmallDepth ? pu * std::tanh(k * xc * y / pu) : 0.0; }
    double kx() const { return k * xc; }
};


void printCurve(Run& run, int L, int k, const PyCurveDepths& d, const ApiSandCurve& c) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    const bool uscs = run.model.options.IUNITS == kUSCS;
    const SlopeAngles& slope = run.model.slope;
    const std::string lineLoad = u.ForceUnit + u.slash + u.DeflectionUnit;

    writeCurveTitle(run, run.model.options.cyclic ? "p-y Curve Computed Using API Sand Criteria for Cyclic Loading"
                                                  : "p-y Curve Computed Using API Sand Criteria for Static Loading");
    Line(r).text("Soil Layer Number").tab(56).text("= ").i(L, 12).end();
    writeCurveDepthLine(run, "Depth below pile head", d.xp);
    writeCurveDepthLine(run, "Depth below ground surface", d.xg);
    writeCurveDepthLine(run, "Equivalent Depth (see note)", d.xc);
    writeCurveLabelLine(r, "Ground Slope Angle", slope.groundSlope * 180.0 / kPi, 12, 3, "degrees");
    writeCurveLabelLine(r, "Pile Batter", slope.pileBatter * 180.0 / kPi, 12, 3, "degrees");
    writeCurveLabelLine(r, "Effective Slope", slope.effectiveSlope * 180.0 / kPi, 12, 3, "degrees");
    writeCurveLabelLine(r, "Diameter", c.b, 12, 3, u.DeflectionUnit);
    writeCurveLabelLine(r, "Friction Angle phi", c.phiDegrees, 12, 3, "deg.");
    writeCurveLabelLine(r, "Avg. Eff. Unit Weight", c.gamma, 12, 5, u.UnitWeightComputeUnit);
    if (uscs) writeCurveLabelLine(r, "Avg. Eff. Unit Weight", c.gamma * 1728.0, 12, 5, u.UnitWeightUnit);
    writeCurveLabelLine(r, "A", c.A, 12, 5);
    writeCurveLabelLine(r, "k", c.k, 12, 3, u.SubgradeUnit);
    writeCurveLabelLine(r, "C1", c.C.C1, 12, 5);
    writeCurveLabelLine(r, "C2", c.C.C2, 12, 5);
    writeCurveLabelLine(r, "C3", c.C.C3, 12, 5);
    writeCurveLabelLine(r, "Pus", c.Pus, 12, 3, lineLoad);
    writeCurveLabelLine(r, "Pud", c.Pud, 12, 3, lineLoad);
    writeCurveLabelLine(r, "Pu", c.ps, 12, 3, lineLoad);
    writeCurveLabelLine(r, "p-multiplier", c.pm, 12, 5);
    writeCurveLabelLine(r, "y-multiplier", c.ym, 12, 5);
    writeBlankLines(r, 1);
    writeLayeringNote(run, L);
    writeBlankLines(r, 1);
    writeTextLine(r, uscs ? "    y, inches           p, lb/inch   " : "    y, meter           p, kN/meter   ");
    writeTextLine(r, "----------------    -----------------");
    plotRecord7(run, d.xp, kPrintedPoints, kModelText, k);

    const double kx = c.kx();
    const double dy = kx == 0.0 ? (run.model.options.IUNITS == kSI ? kPrintStepSI : kPrintStepUS)
                                : c.ps * kPrintStepFactor * c.A / kx;
    for (int j = 1; j <= kPrintedPoints; ++j) {
        const double y = (j - 1) * dy;
        const double p = y < kSmallDeflection ? kx * y : c.p(y);
        Line(r).f(c.ym * y, 15, 4).f(c.pm * p, 17, 3).end();
        plotRecord8(run, c.ym * y, c.pm * p, j, kModelText);
    }
    if (c.defaultK) {
        writeBlankLines(r, 1);
        writeTextLine(r, "The above p-y curve was computed using the internal default value of k.");
        writeBlankLines(r, 1);
    }
}

}  // namespace

void pyApiSand(Run& run, int L) {
    PyWork& py = run.py;
    SoilLayer& layer = run.model.soil.layer[at(L)];
    const bool cyclic = run.model.options.cyclic;
    const double theta = run.model.slope.effectiveSlope;
    const double absTheta = std::fabs(theta);
    double qPrevious = 0.0;  // layer-resistance integrand of the previous node
    double side = 0.0;       // slope factor, kept from the previous node when the side is undecided

    for (int k = py.firstNode; k <= py.lastNode && k <= kMaxNodes; ++k) {
        const PyCurveDepths atNode = curveDepths(run, L, k, true);
        ApiSandCurve c;
        c.b = pileWidthAt(run, atNode.xp);
        c.gamma = averageUnitWeight(run, atNode.zs);
        if (run.failed()) return;
        c.phiDegrees = frictionAngleAt(run, atNode.zs);
        if (run.failed()) return;
        const SandAngles s = sandAngles(c.phiDegrees * kPi / 180.0);
        c.pm = pMultiplierAt(run, atNode.xp);
        c.ym = yMultiplierAt(run, atNode.xp);
        py.node.b = c.b;
        py.node.gammaAvg = c.gamma;

        if (c.phiDegrees < 20.0 || c.phiDegrees > 48.0) recordWarning(run.warnings, -303);
        c.k = subgradeModulus(layer, atNode.zs);

        if (k != py.firstNode && s.phi < kSmallPhi) {
            writeZeroFrictionError(run.messages, L);
            writeZeroFrictionError(run.report, L);
            raiseInputError(run, 1);
            return;
        }

        // The equivalent depth of the layer top, from the resistance of the layers above, is
        // recomputed at the first node of every pass.
        if (equivalentDepthDue(run, L, k)) {
            const double F = resistanceAboveLayer(run, L);
            run.layers.xe[at(L)] = equivalentDepth(s, c.b, c.gamma, atNode.xg, cyclic, F);
        }
        const PyCurveDepths d = curveDepths(run, L, k, true);
        c.xc = d.xc;

        if (absTheta <= kLevelSlope) {
            c.C = apiCoefficients(s, s.Ka);
            c.Pus = (c.C.C1 * d.xc + c.C.C2 * c.b) * d.xc * c.gamma;
            c.Pud = c.C.C3 * c.b * c.gamma * d.xg;
        } else {
            const double ct = std::cos(absTheta);
            const double D = square(ct) - square(std::cos(s.phi));
            if (D < 1E-10 && L == 1) {
                writeSteepSlopeError(run.messages);
                writeSteepSlopeError(run.report);
                raiseInputError(run, 2);
                return;
            }
            const double Kas = ct * (ct - std::sqrt(D)) / (ct + std::sqrt(D));
            c.Pus = levelWedge(s, c.gamma, d.xc, c.b, Kas);
            // Side of loading: the wedge forms down-slope or up-slope after the sign of the
            // deflection against the slope; a deflection of about zero keeps the previous side.
            const double yd = run.nodes.y(k);
            const double t = std::tan(absTheta) * std::tan(s.beta);
            if ((yd > kSideTolerance && theta > kSideTolerance) || (yd < -kSideTolerance && theta < kSideTolerance) ||
                (yd == 0.0 && theta > kSideTolerance)) {
                side = 1.0 + t;
            } else if ((yd > kSideTolerance && theta < kSideTolerance) ||
                       (yd < -kSideTolerance && theta > kSideTolerance)) {
                side = 1.0 - t;
            }
            if (side > 1E-20) c.Pus = slopingWedge(s, c.gamma, d.xc, c.b, Kas, t, side);
            c.C = apiCoefficients(s, Kas);
            const double tb4 = square(square(std::tan(s.beta)));
            c.Pud = (kK0 * std::tan(s.phi) * tb4 + (square(tb4) - 1.0) * s.Ka) * c.gamma * c.b * d.xc;
            if (side <= kNoSide) c.Pus = c.Pud;
        }
        c.ps = std::min(c.Pus, c.Pud);

        if (c.k == 0.0) {
            c.k = defaultSandK(run, c.phiDegrees, c.gamma);
            if (run.failed()) return;
            c.defaultK = true;
        }
        c.A = cyclic ? kAFloor : std::max(kAFloor, 3.0 - kAStaticSlope * d.xc / c.b);
        c.pu = c.A * c.ps;

        if (py.reportPass) {
            printCurve(run, L, k, d, c);
            continue;
        }

        // Layer resistance: the curve at y = 3b/80 integrated over the layer's nodes.
        const double q = d.xc >= kSmallDepth ? c.pu * std::tanh((3.0 * c.b / 80.0) * d.xc * c.k / c.pu) : 0.0;
        double& Fu = py.Fu[at(L)];
        if (k == py.firstNode) {
            Fu = 0.0;
        } else {
            Fu += (qPrevious + q) * run.nodes.h / 2.0;
            if (k == py.lastNode) Fu += (layer.depthBottom - run.nodes.x[at(k)]) * q;
        }
        if (run.model.soil.groundSurface < kUpperGround && L == 1)
            Fu = q * 0.5 * (layer.depthBottom - layer.depthTop);
        qPrevious = q;

        const double yc = relativeDeflection(run, k) / c.ym;
        run.nodes.Es[at(k)] = yc >= kSmallDeflection ? c.pm * c.p(yc) / yc / c.ym : c.kx();
        setSoilMovementLoad(run, k);
    }
}

}  // namespace mervik
