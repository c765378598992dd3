// The node loop every p-y model runs on. For each node of the layer (solve pass) or output depth
// (report pass) the loop finds the depths of the curve, the pile width and the multipliers, asks
// the model for the values that depend only on the depth (kept for the load case), computes the
// equivalent depth of the layer top when it is due, asks the model for its curve at the curve
// depth, and then either prints the curve or sums the layer resistance, sets the secant modulus
// with the model's small-deflection rule, tests it for Not-a-Number and sets the soil-movement
// load.
//
// A model is a struct of static functions and constants (its "law"):
//   Depth        values depending only on the depth (trivially copyable, kept per node)
//   Curve        the curve at the node's curve depth and deflection
//   kRules       the common rules the model applies (PyLawRules)
//   enter(run)                        (optional) once before the nodes of the layer
//   lookUp(run, at, depth)            -> false after an error (the run has failed)
//   repeatWarnings(run, depth)        the warnings of lookUp again, for a kept node
//   equivalentDepth(run, at, depth, F) (layering only)
//   curve(run, at, depth, previous, curve)
//   resistance(curve), tailResistance(curve)                             (sums only)
//   surfaceResistance(curve)          (optional) layer 1 when the ground lies above the head
//   residualCounts(curve), residualResistance(curve)                     (optional)
//   threshold(curve), limitingModulus(curve), p(curve, y)
//   print(run, at, depth, curve)
#pragma once
#include <cmath>
#include <cstddef>
#include <new>
#include <string_view>
#include <type_traits>

#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "py/py_models.hpp"

namespace mervik {

// How a model sums its layer resistance over the nodes of the layer: none; trapezoids between
// the nodes and the tail resistance over one more increment at the last node; trapezoids and the
// tail resistance from the last node to the layer bottom; one increment of the resistance at
// every node.
enum class LayerResistance { None, TrapezoidsLastIncrement, TrapezoidsToLayerBottom, NodeIncrements };

// The common rules a model applies: the curve depth of a lower layer starts at the equivalent
// depth of its top (layering); that depth is recomputed in every pass, or computed once in a
// run; how the layer resistance is summed; Es = pm p / yc / ym instead of pm p / (ym yc); the
// deflection of the curve is taken relative to the free-field soil movement and the movement
// load is set (otherwise the pile deflection alone, and no movement load); with a soil-movement
// profile the relative deflection enters the curve without the y-multiplier (which still
// divides the secant).
struct PyLawRules {
    bool layering = false;
    bool equivalentDepthEveryPass = true;
    LayerResistance resistance = LayerResistance::None;
    bool secantDividesInTurn = false;
    bool relativeToSoilMovement = true;
    bool movementUnscaledByYMultiplier = false;
};

// One point of the layer's range: node k in the solve pass, output depth k in the report pass.
struct PyPoint {
    int L = 0, k = 0;
    bool first = false, last = false;
    PyCurveDepths d;
    double b = 0.0, pm = 1.0, ym = 1.0;  // pile width and multipliers at xp
    const PyModelRow* row = nullptr;
};

// Runtime error of a Not-a-Number secant modulus (report only, no premature-end line).
void raiseModulusNotANumber(Run& run, const PyModelRow& row, bool limiting, int k);
// Input error 32: general units give no default of a property the model needs (k, eps50) and
// the layer holds no positive value of it; written to the message file, then the report.
void raiseNoDefaultInGeneralUnits(Run& run, const PyPoint& at, std::string_view model, std::string_view property);
// Input error 32 of an empirical model whose correlation holds in SI units only: general units
// give it no curve.
void raiseNoCurveInGeneralUnits(Run& run, const PyPoint& at, std::string_view model);
// The model's note of a Not-a-Number secant modulus in the message file, for a model that goes
// on with it (nothing for a model without a note).
void noteModulusNotANumber(Run& run, const PyModelRow& row);
// Layer resistance of layer 1 when the ground surface lies above the pile head: the model's
// surface resistance over half the layer thickness (nothing otherwise).
void surfaceAboveHeadResistance(Run& run, int L, double resistance);

namespace pyloop {

// Pile width and multipliers at the depth along the pile.
inline void setPileValues(const Run& run, PyPoint& at) {
    at.b = pileWidthAt(run, at.d.xp);
    at.pm = pMultiplierAt(run, at.d.xp);
    at.ym = yMultiplierAt(run, at.d.xp);
}

// The pile width, the multipliers and the model's depth values of the point: kept in the node's
// entry for the load case (computed there at the first evaluation, looked up at the later
// ones), or computed into `local` in the report pass, whose depths are not the nodes'. Null
// after an error of the model's look-up.
template <class M>
const typename M::Depth* depthValues(Run& run, PyPoint& at, typename M::Depth& local) {
    using Depth = typename M::Depth;
    static_assert(std::is_trivially_copyable_v<Depth> && sizeof(Depth) <= kPyDepthValuesBytes &&
                  alignof(Depth) <= alignof(double));
    if (run.py.reportPass) {
        setPileValues(run, at);
        local = Depth{};
        return M::lookUp(run, at, local) ? &local : nullptr;
    }
    PyDepthCacheEntry& e = run.py.depthCache[static_cast<std::size_t>(at.k)];
    if (e.generation == run.py.depthGeneration && e.layer == at.L && e.xp == at.d.xp && e.zs == at.d.zs) {
        at.b = e.b;
        at.pm = e.pm;
        at.ym = e.ym;
        const Depth* kept = std::launder(reinterpret_cast<const Depth*>(e.values.data()));
        M::repeatWarnings(run, *kept);
        return kept;
    }
    setPileValues(run, at);
    e.generation = 0;  // invalid until the look-up has succeeded
    Depth* v = ::new (static_cast<void*>(e.values.data())) Depth{};
    if (!M::lookUp(run, at, *v)) return nullptr;
    e.generation = run.py.depthGeneration;
    e.layer = at.L;
    e.xp = at.d.xp;
    e.zs = at.d.zs;
    e.b = at.b;
    e.pm = at.pm;
    e.ym = at.ym;
    return v;
}

template <class M>
void addLayerResistance(Run& run, const PyPoint& at, const typename M::Curve& previous, const typename M::Curve& c) {
    if constexpr (M::kRules.resistance != LayerResistance::None) {
        double& Fu = run.py.Fu[static_cast<std::size_t>(at.L)];
        const double h = run.nodes.h;
        if constexpr (M::kRules.resistance == LayerResistance::NodeIncrements) {
            if (at.first) Fu = 0.0;
            Fu += h * M::resistance(c);
        } else {
            if (at.first) {
                Fu = 0.0;
            } else {
                Fu += (M::resistance(previous) + M::resistance(c)) * h / 2.0;
                if constexpr (requires { M::residualResistance(c); }) {
                    if (M::residualCounts(c)) Fu += (M::residualResistance(previous) + M::residualResistance(c)) * h / 2.0;
                }
                if (at.last) {
                    if constexpr (M::kRules.resistance == LayerResistance::TrapezoidsLastIncrement) {
                        Fu += M::tailResistance(c) * h;
                    } else {
                        const double bottom = run.model.soil.layer[static_cast<std::size_t>(at.L)].depthBottom;
                        Fu += (bottom - run.nodes.x[static_cast<std::size_t>(at.k)]) * M::tailResistance(c);
                    }
                }
            }
            if constexpr (requires { M::surfaceResistance(c); }) {
                surfaceAboveHeadResistance(run, at.L, M::surfaceResistance(c));
            }
        }
    }
}

}  // namespace pyloop

// The routine of a model: the node loop of layer L over the current node range.
template <class M>
void runPyModel(Run& run, int L) {
    const PyModelRow* row = pyModelRowOfLayer(run, L);
    typename M::Curve previous{};
    typename M::Depth local;  // the depth values of a printed curve
    if constexpr (requires { M::enter(run); }) M::enter(run);
    for (int k = run.py.firstNode; k <= run.py.lastNode && k <= kMaxNodes; ++k) {
        PyPoint at;
        at.L = L;
        at.k = k;
        at.first = k == run.py.firstNode;
        at.last = k == run.py.lastNode;
        at.row = row;
        at.d = curveDepths(run, L, k, M::kRules.layering);

        const typename M::Depth* kept = pyloop::depthValues<M>(run, at, local);
        if (kept == nullptr) return;
        const typename M::Depth& depth = *kept;
        if constexpr (M::kRules.layering) {
            const double xe = run.layers.xe[static_cast<std::size_t>(L)];
            if (equivalentDepthDue(run, L, k) && (M::kRules.equivalentDepthEveryPass || xe == kEquivalentDepthUnset)) {
                const double F = resistanceAboveLayer(run, L);
                run.layers.xe[static_cast<std::size_t>(L)] = M::equivalentDepth(run, at, depth, F);
                at.d = curveDepths(run, L, k, true);
            }
        }
        typename M::Curve c{};
        M::curve(run, at, depth, previous, c);
        if (run.py.reportPass) {
            M::print(run, at, depth, c);
            previous = c;
            continue;
        }
        pyloop::addLayerResistance<M>(run, at, previous, c);
        previous = c;

        const double y = M::kRules.relativeToSoilMovement ? relativeDeflection(run, k) : std::fabs(run.nodes.y(k));
        const bool unscaled = M::kRules.movementUnscaledByYMultiplier && run.model.soilMovement.count >= 1;
        const double yc = unscaled ? y : y / at.ym;
        const bool limiting = yc < M::threshold(c);
        double Es = 0.0;
        if (limiting) {
            Es = M::limitingModulus(c);
        } else if constexpr (M::kRules.secantDividesInTurn) {
            Es = at.pm * M::p(c, yc) / yc / at.ym;
        } else {
            Es = at.pm * M::p(c, yc) / (at.ym * yc);
        }
        run.nodes.Es[static_cast<std::size_t>(k)] = Es;
        if (std::isnan(Es) && row != nullptr) {
            if (row->nanComputedError != 0) {
                raiseModulusNotANumber(run, *row, limiting, k);
                return;
            }
            noteModulusNotANumber(run, *row);
        }
        if constexpr (M::kRules.relativeToSoilMovement) setSoilMovementLoad(run, k);
    }
}

// ---------------------------------------------------------------- printed curve frame
// Two blank lines, the title (and its second line, when there is one) and a blank line; the soil
// layer number (I12) and the depths below the pile head and the ground surface; with an
// equivalent-depth label, the curve depth.
void writeCurveHeading(Run& run, const PyPoint& at, std::string_view title, std::string_view equivalentLabel,
                       std::string_view secondTitleLine = {});
// The heading of the printed curve of a model without an equivalent depth: two blank lines, the
// title and a blank line; the soil layer number (I10), the depths below the pile head and the
// ground surface of the soil properties and the shaft diameter.
void writeShaftCurveHeading(Run& run, const PyPoint& at, std::string_view title);
// The p- and y-multipliers, a blank line, the short "y" and "p" column heading (p in force per
// length) with its rule, and plot record 7 of the curve.
void writeShortCurveTableHeading(Run& run, const PyPoint& at, int pointCount);
// The ground slope, pile batter and effective slope in degrees.
void writeSlopeAngleLines(Run& run);
// A depth label line of a printed curve: feet in US units (computation inches / 12), otherwise
// the computation unit.
void writeCurveDepthLine(Run& run, std::string_view label, double depth);
// A label line: label, "= " at column 56, the value as Fw.d and, when there is one, one blank
// and the unit.
void writeCurveLabelLine(Channel& channel, std::string_view label, double value, int w, int d,
                         std::string_view unit = {});
// The closing note of a printed curve on the layering correction (equivalent or true depth).
void writeLayeringNote(Run& run, int L);
// Blank line, the "y" and "p" column heading and its rule.
void writeCurveColumnHeading(Run& run);
// Plot record 7 of the curve with the model's text.
void plotCurve(Run& run, const PyPoint& at, int pointCount);
// Plot record 8 of point j with the model's text.
void plotCurvePoint(Run& run, const PyPoint& at, double y, double p, int j);
// The usual point line (three blanks, y and p by the adaptive writer of width 12, five blanks
// between) and its plot record 8.
void writeCurvePoint(Run& run, const PyPoint& at, double y, double p, int j);

}  // namespace mervik
