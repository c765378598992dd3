// Liquefied sand p-y curves, model code 7, after the full-scale tests of Rollins et al. (2005) in
// fully liquefied sand: p = A (B y)^C with y in millimetres and p in kN/m for a pile of 0.3 m
// diameter, the coefficients growing with the depth (1 + z), scaled to the pile by the diameter
// factor Pd and capped at 15 kN/m (before scaling). The curve is concave upward and has no initial
// stiffness: an undeflected pile gets no support. The correlation is in SI units; in US units the
// deflections and resistances are converted, and in general units the layer is refused (input
// error 32): the correlation cannot be scaled to unknown units.
//
// The depth of the correlation is the depth below the ground in layer 1; below another layer it
// is the vertical effective stress divided by 10 kN/m3. The layer resistance is the integral of the
// upper limit Pd pcap over the layer; it is also saved as the liquefied-sand resistance of the
// layer, which the layering correction of the layers below reads.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "py/py_node_loop.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

constexpr double kMetresPerInch = 0.02539999969303608;
constexpr double kMillimetresPerInch = 25.399999618530273;
constexpr double kMillimetresPerMetre = 1000.0;
constexpr double kLbPerInPerKnPerM = 5.710147380828857;  // 1 kN/m in lb/in
constexpr double kTenKnPerM3InPci = 0.036839600652456284;
// The diameter factor: linear up to the 0.3 m pile of the tests, logarithmic above.
constexpr double kReferenceDiameter = 0.30000001192092896;  // m
constexpr double kPdSlope = 3.809999942779541, kPdIntercept = 5.599999904632568;
// A = 3E-7 (1 + z)^6.05, B = 2.8 (1 + z)^0.11, C = 2.85 (1 + z)^-0.41 (z in m, y in mm, p in kN/m).
constexpr double kA = 3E-7, kAExponent = 6.050000190734863;
constexpr double kB = 2.799999952316284, kBExponent = 0.10999999940395355;
constexpr double kC = 2.8499999046325684, kCExponent = -0.4099999964237213;
constexpr double kCap = 15.0;                  // kN/m for the 0.3 m pile
constexpr double kLimitDeflectionMm = 150.0;   // deflection of the uncapped upper limit
constexpr double kLimitDeflectionSI = 0.15000000596046448;  // m
constexpr double kLastPointFactor = 1.0499999523162842;
constexpr double kRecommendedDepth = 6.0;      // m, the depth range of the tests
constexpr int kPrintedPoints = 17;

// The printed deflections of an uncapped curve: SI (m), US (in).
constexpr std::array<double, kPrintedPoints> kUncappedSI = {
    0.0, 0.003000000026077032, 0.006500000134110451, 0.009999999776482582, 0.012500000186264515,
    0.014999999664723873, 0.029999999329447746, 0.04500000178813934, 0.05999999865889549,
    0.07500000298023224, 0.09000000357627869, 0.10000000149011612, 0.11500000208616257, 0.125,
    0.14000000059604645, 0.15000000596046448, 0.1574999988079071};
constexpr std::array<double, kPrintedPoints> kUncappedUS = {
    0.0, 0.125, 0.25, 0.375, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0, 4.5, 5.0, 5.5,
    5.905511856079102, 6.200787544250488};

// Everything of the curve at one depth (the curve depends on the depth only).
struct LiquefiedSandValues {
    double gamma = 0.0;       // average effective unit weight from the ground surface
    double z = 0.0;           // depth of the correlation, m
    double bm = 0.0, Pd = 0.0;
    double A = 0.0, B = 0.0, C = 0.0;
    double pu = 0.0, yu = 0.0;  // upper limit and its deflection, computation units
    double forceScale = 1.0;    // kN/m to the computation unit of p
    double mmPerUnit = kMillimetresPerMetre;  // millimetres per computation unit of y
    bool capped = false;
};

double liquefiedP(const LiquefiedSandValues& v, double y) {
    return std::min(v.pu, v.Pd * v.forceScale * v.A * std::pow(v.mmPerUnit * v.B * y, v.C));
}

// The correlation at the node: coefficients, diameter factor, upper limit and its deflection.
void setCorrelation(const Run& run, const PyPoint& at, LiquefiedSandValues& v) {
    const bool uscs = run.model.options.IUNITS == kUSCS;
    v.forceScale = uscs ? kLbPerInPerKnPerM : 1.0;
    v.mmPerUnit = uscs ? kMillimetresPerInch : kMillimetresPerMetre;
    v.bm = uscs ? at.b * kMetresPerInch : at.b;
    v.Pd = v.bm > kReferenceDiameter ? kPdSlope * std::log(v.bm) + kPdIntercept : v.bm / kReferenceDiameter;

    const double xg = at.d.xg;
    if (at.L == 1) {
        v.z = uscs ? xg * kMetresPerInch : xg;
    } else {
        v.z = uscs ? kMetresPerInch * (v.gamma * xg / kTenKnPerM3InPci) : xg * v.gamma / 10.0;
    }
    v.A = kA * std::pow(1.0 + v.z, kAExponent);
    v.B = kB * std::pow(1.0 + v.z, kBExponent);
    v.C = kC * std::pow(1.0 + v.z, kCExponent);

    const double p150 = v.A * std::pow(kLimitDeflectionMm * v.B, v.C);
    v.pu = v.Pd * (std::min(p150, kCap) * v.forceScale);
    v.capped = !(p150 < kCap);
    if (!v.capped) {
        v.yu = uscs ? kLimitDeflectionMm / kMillimetresPerInch : kLimitDeflectionSI;
    } else {
        const double yuMm = std::exp(std::log(kCap / v.A) / v.C - std::log(v.B));
        v.yu = yuMm / v.mmPerUnit;
    }
}

double printedDeflection(const Run& run, const LiquefiedSandValues& v, int i) {
    if (!v.capped) {
        const auto& table = run.model.options.IUNITS == kUSCS ? kUncappedUS : kUncappedSI;
        return table[static_cast<std::size_t>(i - 1)];
    }
    if (i == 1) return 0.0;
    if (i <= 15) return (i - 1) * v.yu / 15.0;
    return i == 16 ? v.yu : kLastPointFactor * v.yu;
}

struct LiquefiedSand {
    using Depth = LiquefiedSandValues;
    using Curve = LiquefiedSandValues;
    // With a soil-movement profile the y-multiplier leaves the relative deflection alone.
    static constexpr PyLawRules kRules{.resistance = LayerResistance::TrapezoidsToLayerBottom,
                                       .movementUnscaledByYMultiplier = true};

    // The number of cycles of loading is at least 1 (for the rest of the run).
    static void enter(Run& run) { atLeastOneLoadingCycle(run); }

    static void repeatWarnings(Run&, const LiquefiedSandValues&) {}

    static bool lookUp(Run& run, const PyPoint& at, LiquefiedSandValues& v) {
        if (run.model.options.IUNITS == kGeneral) {
            raiseNoCurveInGeneralUnits(run, at, "liquefied sand");
            return false;
        }
        v.gamma = averageUnitWeight(run, at.d.zs);
        if (run.failed()) return false;
        setCorrelation(run, at, v);
        return true;
    }

    static void curve(Run&, const PyPoint&, const LiquefiedSandValues& v, const LiquefiedSandValues&,
                      LiquefiedSandValues& c) {
        c = v;
    }

    static double resistance(const LiquefiedSandValues& c) { return c.pu; }
    static double tailResistance(const LiquefiedSandValues& c) { return c.pu; }

    // No initial stiffness: an undeflected pile gets no support.
    static double threshold(const LiquefiedSandValues&) { return std::numeric_limits<double>::denorm_min(); }
    static double limitingModulus(const LiquefiedSandValues&) { return 0.0; }
    static double p(const LiquefiedSandValues& c, double y) { return liquefiedP(c, y); }

    static void print(Run& run, const PyPoint& at, const LiquefiedSandValues& v, const LiquefiedSandValues& c);
};

void LiquefiedSand::print(Run& run, const PyPoint& at, const LiquefiedSandValues& v, const LiquefiedSandValues&) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    const bool uscs = run.model.options.IUNITS == kUSCS;
    const std::string forcePerLength = u.ForceUnit + u.slash + u.DeflectionUnit;

    writeBlankLines(r, 2);
    writeTextLine(r, "p-y Curve Computed Using Liquefied Sand Criteria");
    writeBlankLines(r, 2);
    writeCurveDepthLine(run, "Depth below pile head      ", at.d.zs);
    writeCurveDepthLine(run, "Depth below ground surface ", at.d.xg);
    if (at.L >= 2) writeCurveLabelLine(r, "Normalized depth below ground surface in meters*", v.z, 12, 3, "m");
    writeCurveLabelLine(r, "Pile Diameter", at.b, 12, 3, u.DeflectionUnit);
    writeCurveLabelLine(r, "Pile Diameter in meters ", v.bm, 12, 3, "m");
    writeCurveLabelLine(r, "Avg. Eff. Unit Weight          ", v.gamma, 12, 5, u.UnitWeightComputeUnit);
    if (uscs) writeCurveLabelLine(r, "Avg. Eff. Unit Weight          ", v.gamma * 1728.0, 12, 5, u.UnitWeightUnit);
    writeCurveLabelLine(r, "A ", v.A, 12, 5);
    writeCurveLabelLine(r, "B ", v.B, 12, 5);
    writeCurveLabelLine(r, "C ", v.C, 12, 5);
    writeCurveLabelLine(r, "Pd", v.Pd, 12, 5);
    writeCurveLabelLine(r, "Upper limit Pu", v.pu, 12, 3, forcePerLength);
    writeCurveLabelLine(r, "Yu ", v.yu, 12, 5, u.DeflectionUnit);
    writeCurveLabelLine(r, "p-multiplier", at.pm, 12, 5);
    writeCurveLabelLine(r, "y-multiplier", at.ym, 12, 5);
    writeBlankLines(r, 1);
    if (at.L >= 2) {
        writeTextLines(r, {"The depth of the p-y curve was equated to the initial vertical stress divided ",
                           "by 10 kN/m3, as recommended by Rollins, et al. (2005)", ""});
    }
    if (v.z > kRecommendedDepth) {
        writeTextLines(r, {"NOTE: The normalized depth of the p-y curve is deeper than the depth of ",
                           "6.0 meters recommended by Rollins, et al. (2005)", ""});
    }
    Line(r).text("        y, ").text(u.DeflectionUnit).text("            p, ").text(forcePerLength).end();
    writeTextLine(r, "----------------    -----------------");
    plotCurve(run, at, kPrintedPoints);
    for (int i = 1; i <= kPrintedPoints; ++i) {
        const double y = printedDeflection(run, v, i);
        writeCurvePoint(run, at, at.ym * y, at.pm * liquefiedP(v, y), i);
    }
    writeBlankLines(r, 1);
}

}  // namespace

void pyLiquefiedSand(Run& run, int L) {
    runPyModel<LiquefiedSand>(run, L);
    // The resistance of the layer as it stands after its last node, kept for the layering
    // correction of the layers below.
    if (!run.py.reportPass) run.py.liquefiedResistance[static_cast<std::size_t>(L)] = run.py.Fu[static_cast<std::size_t>(L)];
}

}  // namespace mervik
