// Loess p-y curves from the cone penetration test, model code 12. The ultimate resistance per
// unit area is pu0 = 0.409 qc, qc the cone tip resistance of the layer at the node (reduced near
// the pile head); repeated loading degrades it by 1 + 0.24 ln N for N cycles,
// and the ultimate resistance per length is pu = b pu0 / (1 + 0.24 ln N). The curve is the
// hyperbola
//     p(y) = Ei y / (1 + (y / yref) (1 + 0.1 exp(-y / yref))),   Ei = pu / yref,
// which starts with the slope Ei and tends to pu; yref is a fixed reference deflection of 0.117 in
// (2.9718 mm). The criteria were derived for 1 to 10 cycles of loading.
//
// The curve takes the true depth: the model has no layering correction of its own, and it sums no
// layer resistance for the layers below.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "py/py_node_loop.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

constexpr double kReferenceDeflectionUS = 0.11699999868869781;    // yref, in
constexpr double kReferenceDeflectionSI = 0.0029718000441789627;  // yref, m
constexpr double kResistanceFactor = 0.4090000092983246;          // pu0 / qa
constexpr double kCyclicDegradation = 0.23999999463558197;        // per natural log of the cycles
constexpr double kShapeFactor = 0.10000000149011612;              // of the hyperbola's transition
constexpr double kMostCycles = 10.100000381469727;                // single-precision 10.1
constexpr double kHeadZoneWidths = 2.0;                           // reduction within 2 b of the head

constexpr int kTooManyCyclesError = 70;
constexpr int kNegativeConeTipError = 69;

// Deflections of the printed curve in units of yref.
constexpr std::array<double, 17> kPointFactors = {0.0, 0.25, 0.5, 0.75, 1.0,  1.5,  2.0,  3.0, 4.0,
                                                  6.0, 8.0,  12.0, 16.0, 23.0, 30.0, 40.0, 50.0};
constexpr int kPrintedPoints = static_cast<int>(kPointFactors.size());

double referenceDeflection(const Run& run) {
    return run.model.options.IUNITS == kUSCS ? kReferenceDeflectionUS : kReferenceDeflectionSI;
}

// The number of cycles the curve is degraded for. The criteria start at one cycle: a number of
// cycles below one in magnitude (0 for static loading with the cycles field left empty) would
// give a resistance above the one-cycle curve, an infinite one or a negative one, and counts as
// one cycle. The stored number of cycles is not changed.
double cyclesOfLoading(const Run& run) { return std::max(std::fabs(run.model.options.numberOfCycles), 1.0); }

// Values at the node that depend only on its depth.
struct LoessDepth {
    double qc = 0.0;          // cone tip resistance at the node
    double qa = 0.0;          // qc reduced near the pile head
    double pu0 = 0.0;         // ultimate resistance per unit area
    bool nearHead = false;    // within two pile widths of the pile head
};

struct LoessCurve {
    double N = 1.0;     // cycles of loading
    double pu = 0.0;    // ultimate resistance per length
    double yref = 0.0;  // reference deflection
    double Ei = 0.0;    // initial slope pu / yref
    double Elim = 0.0;  // secant at zero deflection with the multipliers, pm / ym Ei
};

double loessP(const LoessCurve& c, double y) {
    const double r = y / c.yref;
    return c.Ei * y / (1.0 + r * (1.0 + kShapeFactor * std::exp(-r)));
}

// ---------------------------------------------------------------- errors

// More cycles than the criteria cover (report only).
void raiseTooManyCycles(Run& run, int L) {
    Channel& r = run.report;
    writeBlankLines(r, 2);
    writeInputErrorHeading(r, kTooManyCyclesError);
    writeBlankLines(r, 1);
    Line(r).text("PROBLEM: Soil layer ")
        .i(L, 0)
        .text(" is a loess and the input value for the number of cycles of loading = ")
        .f(run.model.options.numberOfCycles, 12, 1)
        .end();
    writeTextLines(r, {"This value is greater than 10. The soil model for loess is valid only for 1 to 10 cycles of loading. ",
                       "SOLUTION: Revise the input data so that the number of cycles of loading is in the range of 1 to 10.",
                       ""});
    raiseInputError(run, kTooManyCyclesError);
}

// The reference deflection is a length of its own (0.117 in): general units, whose length unit
// the engine does not know, cannot give it.
void raiseGeneralUnits(Run& run, int L) {
    const auto write = [&](Channel& c) {
        writeInputErrorHeading(c, kErrNoDefaultInGeneralUnits);
        writeTextLines(c, {"", "An error was detected in the input data used to compute p-y curves in ", "loess.", "",
                           "Problem:  General units are used and the reference deflection of the loess criteria,",
                           "          0.117 in (2.9718 mm), cannot be expressed in general units.", "",
                           "Solution:  Select US customary or SI units for a soil profile with loess layers.", ""});
        Line(c).text("Layer no. = ").i(L, 0).end();
    };
    write(run.messages);
    write(run.report);
    raiseInputError(run, kErrNoDefaultInGeneralUnits);
}

// A negative cone tip resistance would make the soil pull the pile along.
void raiseNegativeConeTip(Run& run, int L) {
    const TopBottom<double>& qc = run.model.soil.layer[static_cast<std::size_t>(L)].coneTip;
    const auto write = [&](Channel& c) {
        writeInputErrorHeading(c, kNegativeConeTipError);
        writeTextLines(c, {"", "An error was detected in the input data used to compute p-y curves in ", "loess.", ""});
        Line(c).text("Problem:  A cone tip resistance less than zero was input for soil layer ").i(L, 0).text(".").end();
        Line(c).text("          Top of layer:    ").es(qc.top, 12, 4).text(" ").text(run.units.StressUnit).end();
        Line(c).text("          Bottom of layer: ").es(qc.bottom, 12, 4).text(" ").text(run.units.StressUnit).end();
        writeTextLines(c, {"", "Solution:  Enter cone tip resistances of zero or more for the layer.", ""});
    };
    write(run.messages);
    write(run.report);
    raiseInputError(run, kNegativeConeTipError);
}

// The checks made at every call, before the nodes: the number of cycles, the unit system and the
// layer's cone tip resistances.
bool loessLayerAccepted(Run& run, int L) {
    if (std::fabs(run.model.options.numberOfCycles) > kMostCycles) {
        raiseTooManyCycles(run, L);
        return false;
    }
    if (run.model.options.IUNITS == kGeneral) {
        raiseGeneralUnits(run, L);
        return false;
    }
    const TopBottom<double>& qc = run.model.soil.layer[static_cast<std::size_t>(L)].coneTip;
    if (qc.top < 0.0 || qc.bottom < 0.0) {
        raiseNegativeConeTip(run, L);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- the model

struct Loess {
    using Depth = LoessDepth;
    using Curve = LoessCurve;
    // No layer resistance is summed: a layer below loess starts its equivalent depth without it.
    static constexpr PyLawRules kRules{};

    static void repeatWarnings(Run&, const LoessDepth&) {}

    // qc linear between the layer's values at its property-point depths. Within two widths of the
    // pile head it rises from half its value at the head, qa = qc (xp / (2 b) + 0.5), and is never
    // raised above qc: the factor would pass 1 below one width and fall back to 1 at two widths.
    static bool lookUp(Run& run, const PyPoint& at, LoessDepth& v) {
        const SoilProfile& soil = run.model.soil;
        const SoilLayer& layer = soil.layer[static_cast<std::size_t>(at.L)];
        const double top = soil.propertyDepth[static_cast<std::size_t>(2 * at.L - 1)];
        const double bottom = soil.propertyDepth[static_cast<std::size_t>(2 * at.L)];
        v.qc = valueInLayer(layer.coneTip.top, layer.coneTip.bottom, top, bottom, at.d.zs);
        v.nearHead = at.d.xp < kHeadZoneWidths * at.b;
        v.qa = v.nearHead ? v.qc * std::min(at.d.xp / (kHeadZoneWidths * at.b) + 0.5, 1.0) : v.qc;
        v.pu0 = kResistanceFactor * v.qa;
        return true;
    }

    static void curve(Run& run, const PyPoint& at, const LoessDepth& v, const LoessCurve&, LoessCurve& c) {
        c.N = cyclesOfLoading(run);
        c.pu = at.b * v.pu0 / (1.0 + kCyclicDegradation * std::log(c.N));
        c.yref = referenceDeflection(run);
        c.Ei = c.pu / c.yref;
        c.Elim = at.pm / at.ym * c.Ei;
    }

    // At zero deflection (below the smallest normal number) the secant is its limit, the initial
    // slope.
    static double threshold(const LoessCurve&) { return std::numeric_limits<double>::min(); }
    static double limitingModulus(const LoessCurve& c) { return c.Elim; }
    static double p(const LoessCurve& c, double y) { return loessP(c, y); }

    static void print(Run& run, const PyPoint& at, const LoessDepth& v, const LoessCurve& c);
};

void Loess::print(Run& run, const PyPoint& at, const LoessDepth& v, const LoessCurve& c) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    const std::string lineLoad = u.ForceUnit + u.slash + u.DeflectionUnit;
    writeShaftCurveHeading(run, at, "p-y Curve for Loess");
    if (v.nearHead) {
        writeCurveLabelLine(r, "Depth Adj. Cone tip resistance", v.qa, 12, 3, u.StressUnit);
    } else {
        writeCurveLabelLine(r, "Cone tip resistance", v.qc, 12, 3, u.StressUnit);
    }
    writeCurveLabelLine(r, "Initial Modulus, Ei", c.Ei, 12, 3, u.StressUnit);
    writeCurveLabelLine(r, "p_u0", v.pu0, 12, 3, u.StressUnit);
    writeCurveLabelLine(r, "p_u", c.pu, 12, 3, lineLoad);
    writeCurveLabelLine(r, "Number of Cycles of Loading", c.N, 12, 0, "cycles");
    writeShortCurveTableHeading(run, at, kPrintedPoints);
    for (int i = 1; i <= kPrintedPoints; ++i) {
        const double y = kPointFactors[static_cast<std::size_t>(i - 1)] * c.yref;
        writeCurvePoint(run, at, at.ym * y, at.pm * loessP(c, y), i);
    }
}

}  // namespace

void pyLoess(Run& run, int L) {
    if (!loessLayerAccepted(run, L)) return;
    runPyModel<Loess>(run, L);
}

}  // namespace mervik
