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
#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "engine/warnings.hpp"
#include "py/py_framework.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

constexpr double kPi = 3.141592653589793;
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
    int nanSmallError = 33, nanComputedError = 34;
    int noDefaultEps50Error = 37;
};

ClayVariant variantOf(const Run& run, int L) {
    if (run.model.soil.layer[at(L)].modelCode == kPySoftClayJ) return {true, 71, 35, 36, 38};
    return {};
}

// ---------------------------------------------------------------- default eps50

struct Eps50Band {
    double uscsBelow, siBelow, eps50;
};
// Strength bands of 500, 1000, 2000 and 4000 psf (psi and kPa, single-precision values).
constexpr std::array<Eps50Band, 4> kEps50Bands = {{
    {3.472222328186035, 23.940128326416016, 0.019999999552965164},
    {6.94444465637207, 47.88025665283203, 0.009999999776482582},
    {13.88888931274414, 95.76051330566406, 0.004999999888241291},
    {27.77777862548828, 191.52102661132812, 0.004999999888241291},
}};
constexpr double kEps50Stiffest = 0.004000000189989805;

// Default eps50 by strength; false in units without a default.
bool defaultEps50(int IUNITS, double c, double& eps50) {
    if (IUNITS != kUSCS && IUNITS != kSI) return false;
    for (const Eps50Band& band : kEps50Bands) {
        if (c < (IUNITS == kUSCS ? band.uscsBelow : band.siBelow)) {
            eps50 = band.eps50;
            return true;
        }
    }
    eps50 = kEps50Stiffest;
    return true;
}

// ---------------------------------------------------------------- curve

// Everything of one curve that does not depend on the deflection.
struct ClayCurve {
    bool cyclic = false;
    double b = 0.0, c = 0.0, gamma = 0.0, eps50 = 0.0, J = 0.0;
    double y50 = 0.0;
    double N0 = 0.0, Xr = 0.0, Fs = 1.0;
    double pu = 0.0, puc = 0.0, pur = 0.0;
    double xc = 0.0;
    double Elim = 0.0;

    bool small(double y) const { return y < kSmallFactor * y50; }

    // Resistance at deflection y >= 0 (outside the small-deflection range).
    double p(double y) const {
        const double shape = 0.5 * pu * std::pow(y / y50, kExponent);
        if (!cyclic) return y <= 8.0 * y50 ? shape : pu;
        if (y <= 3.0 * y50) return shape;
        if (Xr - xc <= 0.0) return puc;
        if (y <= 15.0 * y50) return puc + (y - 3.0 * y50) * (pur - puc) / (12.0 * y50);
        return pur;
    }
};

// Ultimate resistances at curve depth xc with the node deflection y for the sloping-ground
// factor.
void setResistances(const Run& run, ClayCurve& cv, double xc, double y, bool withJ) {
    cv.xc = xc;
    cv.N0 = 3.0 + cv.gamma * xc / cv.c + cv.J * xc / cv.b;
    const double xr = 6.0 * cv.b * cv.c / (cv.J * cv.c + cv.gamma * cv.b);
    cv.Xr = std::max(2.5 * cv.b, xr);
    const double theta = run.model.slope.effectiveSlope;
    cv.Fs = claySlopeFactor(theta, y);
    const double N = std::fabs(theta) > 1E-20 ? cv.N0 * cv.Fs : cv.N0;
    cv.pu = N < 9.0 ? cv.c * cv.b * N : 9.0 * cv.c * cv.b;
    cv.puc = kCyclicFactor * cv.pu;
    cv.pur = xc < cv.Xr ? cv.puc * xc / cv.Xr : cv.puc;
    cv.Elim = withJ ? cv.pu * 0.01077217236161232 / (2.9999999242136255E-5 * cv.y50) : kLimitingModulus;
}

// Depth at which the layer's own resistance, integrated from the ground surface, equals F
// (the resistance of the layers above): the equivalent depth of the layer top.
double equivalentDepth(Run& run, int, double F) {
    const PyNodeValues& v = run.py.node;
    const double b = v.b, c = v.c, g = v.gammaAvg, J = v.J;
    const double X = 6.0 * b * c / (J * c + b * g);
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

// ---------------------------------------------------------------- errors

void writeZeroStrength(Run& run, Channel& ch, const ClayVariant& v, int L, int k, double depth, bool toReport) {
    writeInputErrorHeading(ch, v.zeroStrengthError);
    writeBlankLines(ch, 1);
    writeTextLine(ch, "An error was detected that is related to an incompatibility between the input ");
    writeTextLine(ch, "data defining soil layering and soil shear strength values when computing a ");
    writeTextLine(ch, "p-y curve using the Matlock soft clay criteria.");
    writeBlankLines(ch, 1);
    writeTextLine(ch, v.withJ ? "Problem:  A negative or zero value of cohesion was input for a soft clay soil with J."
                              : "Problem:  A negative or zero value of cohesion was input for a soft clay soil.");
    writeBlankLines(ch, 1);
    writeTextLine(ch, "Solution:  Please compare the depth values for soil layering and soil shear ");
    writeTextLine(ch, "strength values and revise the input data.");
    writeBlankLines(ch, 2);
    Line line(ch);
    line.text("Layer no. = ").i(L, 0).text(", Node no. = ").i(k, 0).text(", Top node in layer = ").i(run.py.firstNode, 0);
    line.text(", Elevation = ").f(depth, 10, 3).text(", c(x) = ").f(run.py.node.c, 10, 3);
    if (toReport) {
        line.text(", Pile length = ").f(run.nodes.L, 10, 3).slash();
        line.text(", ITOP = ").i(run.py.firstNode, 0).text(", IBOT = ").i(run.py.lastNode, 0);
    }
    line.end();
}

void raiseZeroStrength(Run& run, const ClayVariant& v, int L, int k, const PyCurveDepths& d) {
    writeZeroStrength(run, run.messages, v, L, k, d.xp, false);
    writeZeroStrength(run, run.report, v, L, k, d.zs, true);
    raiseInputError(run, v.zeroStrengthError);
}

// Soil modulus Not-a-Number: report only, no premature-end line.
void raiseModulusNaN(Run& run, int n, int k) {
    Channel& r = run.report;
    const bool defaultValue = (n == 33 || n == 35);
    const bool withJ = (n == 35 || n == 36);
    if (n == 36) {
        writeTextLine(r, "**** Runtime Error No 36. ****");
    } else {
        writeRuntimeErrorHeading(r, n);
    }
    writeBlankLines(r, 1);
    Line(r)
        .text(defaultValue ? "The default value" : "The computed value")
        .text(" of soil modulus computed in ")
        .text(withJ ? "API soft clay" : "soft clay")
        .text(" is not-a-number for node number ")
        .i(k, 0)
        .end();
    writeBlankLines(r, 1);
    writeTextLine(r, "This problem is usually due to a required soil property being left equal to zero.");
    storeErrorNumber(run, runtimeError(n));
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

void printCurve(Run& run, int L, int k, const ClayVariant& v, const PyCurveDepths& d, const ClayCurve& cv, double pm,
                double ym) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    const ProgramOptions& o = run.model.options;
    const bool uscs = o.IUNITS == kUSCS;
    const bool cyclicTexts = o.numberOfCycles >= 2.0;
    const std::string lineLoad = u.ForceUnit + u.slash + u.DeflectionUnit;

    std::string title = v.withJ ? "p-y Curve Computed Using the Soft Clay Criteria with J for "
                                : "p-y Curve Computed Using the Soft Clay Criteria for ";
    title += cyclicTexts ? "Cyclic Loading Conditions" : "Static Loading Conditions";
    writeCurveTitle(run, title);
    Line(r).text("Soil Layer Number").tab(56).text("= ").i(L, 12).end();
    writeCurveDepthLine(run, "Depth below pile head", d.xp);
    writeCurveDepthLine(run, "Depth below ground surface", d.xg);
    writeCurveDepthLine(run, "Equivalent Depth", d.xc);
    const SlopeAngles& s = run.model.slope;
    labelLine(r, "Ground Slope Angle", s.groundSlope * 180.0 / kPi, 3, "degrees");
    labelLine(r, "Pile Batter", s.pileBatter * 180.0 / kPi, 3, "degrees");
    labelLine(r, "Effective Slope", s.effectiveSlope * 180.0 / kPi, 3, "degrees");
    labelLine(r, "Pile Diameter", cv.b, 3, u.DeflectionUnit);
    if (!v.withJ) {
        labelLine(r, "Cohesion, c", cv.c, 3, u.StressUnit);
        if (uscs) labelLine(r, "Cohesion, c", cv.c * 144.0, 3, u.SoilStressUnit);
        labelLine(r, "Avg. Eff. Unit Weight", cv.gamma, 5, u.UnitWeightComputeUnit);
        if (uscs) labelLine(r, "Avg. Eff. Unit Weight", cv.gamma * 1728.0, 5, u.UnitWeightUnit);
    } else if (uscs) {
        labelLine(r, "Cohesion, c", cv.c * 144.0, 3, u.SoilStressUnit);
        labelLine(r, "Avg. Eff. Unit Weight", cv.gamma * 1728.0, 5, u.UnitWeightUnit);
    } else {
        labelLine(r, "Cohesion, c", cv.c, 3, u.StressUnit);
        labelLine(r, "Avg. Eff. Unit Weight", cv.gamma, 5, u.UnitWeightComputeUnit);
    }
    labelLine(r, "Epsilon50 parameter", cv.eps50, 5);
    labelLine(r, v.withJ ? "J parameter" : "J (default value)", cv.J, 3);
    labelLine(r, "Transition Depth Xr", cv.Xr, 3, u.DeflectionUnit);
    labelLine(r, "pu_s", cv.c * cv.b * cv.N0, 3, lineLoad);
    labelLine(r, "pu_d", 9.0 * cv.c * cv.b, 3, lineLoad);
    labelLine(r, "y_50", cv.y50, 5, u.DeflectionUnit);
    labelLine(r, "p-multiplier", pm, 5);
    labelLine(r, "y-multiplier", ym, 5);
    if (cyclicTexts) {
        if (v.withJ) {
            labelLine(r, "Number of cycles of loading", o.numberOfCycles, 0);
            labelLine(r, "Xr", cv.Xr, 3, u.DeflectionUnit);
        } else {
            Line(r).text("Number of cycles of loading").tab(56).text("= ").f(o.numberOfCycles, 12, 0).text(" cycles").end();
            labelLine(r, "X_r", cv.Xr, 3, u.DeflectionUnit);
        }
    }
    plotRecord7(run, d.xp, 17, v.withJ ? "soft clay with J" : "soft clay", k, v.withJ);
    labelLine(r, "Sloping Ground Factor", cv.Fs, 3);
    labelLine(r, "pu_static", cv.pu, 3, lineLoad);
    if (cyclicTexts) labelLine(r, "pu_cyclic", cv.puc, 3, lineLoad);

    writeCurveColumnHeading(run);
    const std::array<double, 17>& points = cv.cyclic ? kCyclicPoints : kStaticPoints;
    for (int j = 1; j <= 17; ++j) {
        const double y = points[at(j - 1)] * cv.y50;
        const bool small = cv.small(y);
        const double p = small ? cv.Elim * y : cv.p(y);
        if (v.withJ) {
            writeCurvePoint(run, ym * y, pm * p, j, "API soft clay");
        } else {
            Line(r).real(ym * y, 12).blanks(9).real(pm * p, 12).end();
            plotRecord8(run, ym * y, pm * p, j, "soft clay");
        }
        if (j > 1 && small) {
            writeBlankLines(r, 1);
            writeTextLine(r, "**** Warning ****");
            writeBlankLines(r, 1);
            writeTextLine(r, "The pile deflection is less than 0.00001*Y50.");
            Line(r)
                .text("Mervik used the limiting value of soil modulus (= ")
                .es(cv.Elim, 12, 4)
                .text(u.ForceUnit)
                .text(u.slash)
                .text(u.DeflectionUnit)
                .text(u.power)
                .text(u.three)
                .end();
            writeTextLine(r, v.withJ ? ") when computing the p-y curve for soft clay with J."
                                     : ") when computing the p-y curve for soft clay.");
        }
    }
}

}  // namespace

void pySoftClay(Run& run, int L) {
    const ClayVariant variant = variantOf(run, L);
    const bool report = run.py.reportPass;
    const int first = run.py.firstNode;
    const int last = run.py.lastNode;
    const int IUNITS = run.model.options.IUNITS;
    const double zg = run.model.soil.groundSurface;
    const double h = run.nodes.h;
    double& Fu = run.py.Fu[at(L)];
    double puPrev = 0.0, pucPrev = 0.0, purPrev = 0.0;  // previous node of the layer

    for (int k = first; k <= last && k <= kMaxNodes; ++k) {
        ClayCurve cv;
        cv.cyclic = run.model.options.cyclic;
        PyCurveDepths d = curveDepths(run, L, k, true);
        cv.b = pileWidthAt(run, d.xp);
        if (run.failed()) return;
        cv.c = fn_c(run, d.zs);
        if (run.failed()) return;
        const bool atInterface = run.py.b_AtInterface;
        cv.gamma = averageUnitWeight(run, d.zs);
        if (run.failed()) return;
        const double pm = pMultiplierAt(run, d.xp);
        const double ym = yMultiplierAt(run, d.xp);
        // Strength above 1250 psf is beyond the range the criteria were derived for.
        if (!atInterface) {
            if (IUNITS == kUSCS && cv.c > kWarningStrengthUS) recordWarning(run.warnings, -3041);
            if (IUNITS == kSI && cv.c > kWarningStrengthSI) recordWarning(run.warnings, -3042);
        }
        cv.J = variant.withJ ? jFactorAt(run, d.zs) : run.py.softClayJ;
        cv.eps50 = eps50At(run, d.zs);
        if (cv.eps50 <= 0.0 && !defaultEps50(IUNITS, cv.c, cv.eps50)) {
            storeErrorNumber(run, runtimeError(variant.noDefaultEps50Error));
            return;
        }
        cv.y50 = 2.5 * cv.eps50 * cv.b;

        PyNodeValues& node = run.py.node;
        node.b = cv.b;
        node.c = cv.c;
        node.gammaAvg = cv.gamma;
        node.J = cv.J;
        if (k != first && cv.c < 1E-10) {
            raiseZeroStrength(run, variant, L, k, d);
            return;
        }

        // The equivalent depth of the layer top is set at its first node, before the curve
        // depth uses it.
        applyLayeringCorrection(run, L, k, equivalentDepth);
        if (run.failed()) return;
        d = curveDepths(run, L, k, true);
        setResistances(run, cv, d.xc, run.nodes.y(k), variant.withJ);

        if (report) {
            printCurve(run, L, k, variant, d, cv, pm, ym);
            continue;
        }

        // Layer resistance by trapezoids over the nodes of the layer.
        if (k == first) {
            Fu = 0.0;
        } else if (cv.cyclic) {
            Fu += (pucPrev + cv.puc) * h / 2.0;
            if (d.xc < cv.Xr) Fu += (purPrev + cv.pur) * h / 2.0;
        } else {
            Fu += (puPrev + cv.pu) * h / 2.0;
        }
        if (k == last && k != first) Fu += cv.pu * h;
        if (zg < -9.999999747378752E-6 && L == 1) {
            // Ground surface above the pile head: the layer's resistance from its own extent.
            const SoilLayer& layer = run.model.soil.layer[1];
            Fu = (3.0 * cv.c * cv.b + cv.pu) * 0.5 * (layer.depthBottom - layer.depthTop);
        }
        puPrev = cv.pu;
        pucPrev = cv.puc;
        purPrev = cv.pur;

        const double yc = relativeDeflection(run, k) / ym;
        const bool small = cv.small(yc);
        const double Es = small ? cv.Elim : pm * cv.p(yc) / (ym * yc);
        run.nodes.Es[at(k)] = Es;
        if (std::isnan(Es)) {
            raiseModulusNaN(run, small ? variant.nanSmallError : variant.nanComputedError, k);
            return;
        }
        setSoilMovementLoad(run, k);
    }
}

}  // namespace mervik
