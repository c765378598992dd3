// The p-y curve framework: which model routine runs for which layer, the two passes of a model
// routine, the soil property lookups at a depth, the layering correction, sloping ground, the
// p- and y-multipliers and the secant modulus. One routine per soil or rock model lives in its
// own file of this folder.
#pragma once
#include <array>
#include <string_view>

#include "engine/capacities.hpp"

namespace mervik {

struct Run;
struct SoilLayer;
class Channel;

// Depth values of one node kept for the load case: the pile width, the multipliers and the
// values of a model's curve that depend only on the node's depth (lookups, earth-pressure
// coefficients, ...), computed at the first evaluation of the case and reused by every later
// iteration. An entry is valid for the generation of the case it was made in and the layer and
// depths it was made for.
inline constexpr int kPyDepthValuesBytes = 320;
struct PyDepthCacheEntry {
    int generation = 0;
    int layer = 0;
    double xp = 0.0, zs = 0.0;
    double b = 0.0, pm = 1.0, ym = 1.0;
    alignas(double) std::array<unsigned char, kPyDepthValuesBytes> values{};
};

// Working values of the framework for the run (the equivalent depths xe(L) and the rock marks
// R(L) are run.layers.xe and run.layers.marks).
struct PyWork {
    Table<double, kMaxLayers> Fu{};                   // layer resistance of the latest solve pass
    Table<double, kMaxLayers> liquefiedResistance{};  // saved by the liquefied sand model
    int rockCount = 0;                                // nR of the current pass
    bool reportPass = false;                          // printing curves at user depths
    bool b_AtInterface = false, b_InMiddle = false, b_AtTip = false;  // latest fn_c lookup
    double softClayJ = 0.5;                           // constant J of the soft clay model
    int layer = 0, firstNode = 0, lastNode = 0;       // current layer and its node range
    int depthGeneration = 1;                          // advanced at the start of every load case
    OnDemandTable<PyDepthCacheEntry, kMaxNodes> depthCache{};
};

// The layer loop of an iteration: the routine of every layer holding nodes, in layer order,
// with the rock count and marks; with iteration 1 also the check for layers without a node.
void runLayerLoop(Run& run, int iteration);
// Evaluates the curves of all layers once (iteration 0 before the first solution of a case);
// with iteration 1 also replaces Not-a-Number moduli by 0.
void dispatchPyCurves(Run& run, int iteration);

// Before the first curves of a case: the layers of vuggy limestone that hold nodes evaluated
// at the deflections present, marked and counted as rock-like layers as the layer loop does,
// once for every node of the pile (the count goes on from the last pass).
void vuggyLimestonePrePass(Run& run);

// Property lookups at a depth x below the pile head (computation units).
double fn_c(Run& run, double x);
// The strength lookup of fn_c with the texts of its errors given: the pile below the strength
// data (input error 5, written to the report and then to the message file), the support line
// and depth label of runtime error 30 and the flag labels of the internal error.
struct StrengthLookupTexts {
    void (*writeBelowProfile)(Run& run, Channel& channel, double x, double deepest, bool reportFile);
    std::string_view supportLine, depthLabel;
    std::string_view atInterfaceLabel, inMiddleLabel, atTipLabel;
};
double strengthAtDepth(Run& run, double x, const StrengthLookupTexts& texts);
// Strength for the check of a massive rock layer (the rules of fn_c, with its own texts).
double fn_HB_qu_at_DepthX(Run& run, double x);
double averageStrength(Run& run, double x);
double averageUnitWeight(Run& run, double x);
double eps50At(const Run& run, double x);
double jFactorAt(const Run& run, double x);
double frictionAngleAt(Run& run, double x);
// Rock quality designation at x (percent): eps50's rule without the upper value at the tip;
// beyond is set when x lies below the last property point (the result is then 0).
double rqdAt(const Run& run, double x, bool& beyond);
double pMultiplierAt(const Run& run, double x);
double yMultiplierAt(const Run& run, double x);
// Average effective unit weight and friction angle (degrees) at zs, the properties of every
// sand-like model; false after an error of either lookup.
bool sandPropertiesAt(Run& run, double zs, double& gammaAvg, double& phiDegrees);
// Default subgrade modulus of sand; runtime error 13 in general units.
double defaultSandK(Run& run, double phiDegrees, double gammaAvg);
// The number of cycles of loading made at least 1 (0 or less becomes 1, for the rest of the run),
// by the models whose routines set it so before their nodes.
void atLeastOneLoadingCycle(Run& run);

// ---------------------------------------------------------------- shared by the model routines
// A layer property at vertical depth zs, linear between its values at the layer's top and
// bottom depths; the top value in a layer of no thickness.
double valueInLayer(double topValue, double bottomValue, double top, double bottom, double zs);
// Subgrade modulus k of a sand layer at zs from the layer's values. A layer without a positive
// top value has no input modulus: both values are set to 0 for the rest of the run, k = 0, and
// the result is true (the model uses its default modulus).
bool layerSubgradeModulus(SoilLayer& layer, double zs, double& k);

// Depths of the curve at entry k of the current layer range: xp along the pile, zs for the soil
// properties, xg below the ground surface and the curve depth xc. In the report pass entry k
// is the output depth x(k) for both xp and zs. With layeringCorrection false xc = xg for every
// layer not below a rock-like layer.
struct PyCurveDepths {
    double xp = 0.0, zs = 0.0, xg = 0.0, xc = 0.0;
};
PyCurveDepths curveDepths(const Run& run, int L, int k, bool layeringCorrection);

// Layering correction. True at the node where xe(L) is computed: solve pass, L >= 2, first
// node, no rock-like layer above.
bool equivalentDepthDue(const Run& run, int L, int k);
// F: resistance of the layers above L (liquefied-sand substitution, 1E20 rule).
double resistanceAboveLayer(Run& run, int L);

// Secant modulus. |y(k) - ys(k)| (ys = 0 without a soil-movement profile).
double relativeDeflection(const Run& run, int k);
// Q(k) = ys(k) Es(k) + q(k) when a soil-movement profile exists; nothing otherwise.
void setSoilMovementLoad(Run& run, int k);

// The routine of layer L's p-y model, in the current pass (solve, or report when
// run.py.reportPass is set); layers of names without a model are passed over.
void callLayerModel(Run& run, int L);

// p-y curves printed at the user's depths (load case 1): the report pass of every layer holding
// output depths, plot records 6 to 8.
void computePyCurvesAtUserDepths(Run& run);

}  // namespace mervik
