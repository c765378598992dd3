// The p-y curve framework: which model routine runs for which layer, the two passes of a model
// routine, the soil property lookups at a depth, the layering correction, sloping ground, the
// p- and y-multipliers and the secant modulus. One routine per soil or rock model lives in its
// own file of this folder.
#pragma once
#include <string_view>

#include "engine/capacities.hpp"

namespace mervik {

struct Run;
class Channel;

// Values of the node being treated, shared by a model and the layering correction.
struct PyNodeValues {
    double b = 0.0;         // pile width
    double c = 0.0;         // undrained strength
    double ca = 0.0;        // average strength from the ground surface to the node
    double gammaAvg = 0.0;  // average effective unit weight from the ground surface to the node
    double J = 0.0;         // J factor of soft clay
};

// Working values of the framework for the run (the equivalent depths xe(L) and the rock marks
// R(L) are run.layers.xe and run.layers.marks).
struct PyWork {
    Table<double, kMaxLayers> Fu{};                   // layer resistance of the latest solve pass
    Table<double, kMaxLayers> liquefiedResistance{};  // saved by the liquefied sand model
    int rockCount = 0;                                // nR of the current pass
    bool reportPass = false;                          // printing curves at user depths
    bool b_AtInterface = false, b_InMiddle = false, b_AtTip = false;  // latest fn_c lookup
    PyNodeValues node;
    double softClayJ = 0.5;                           // constant J of the soft clay model
    int layer = 0, firstNode = 0, lastNode = 0;       // current layer and its node range
};

// The layer loop of an iteration: the routine of every layer holding nodes, in layer order,
// with the rock count and marks; with iteration 1 also the check for layers without a node.
void runLayerLoop(Run& run, int iteration);
// Evaluates the curves of all layers once (iteration 0 before the first solution of a case);
// with iteration 1 also replaces Not-a-Number moduli by 0.
void dispatchPyCurves(Run& run, int iteration);

// Property lookups at a depth x below the pile head (computation units).
double fn_c(Run& run, double x);
double averageStrength(Run& run, double x);
double averageUnitWeight(Run& run, double x);
double eps50At(const Run& run, double x);
double jFactorAt(const Run& run, double x);
double frictionAngleAt(Run& run, double x);
double pMultiplierAt(const Run& run, double x);
double yMultiplierAt(const Run& run, double x);
double defaultSandK(Run& run, double phiDegrees, double gammaAvg);
// Clay slope factor for the effective slope angle theta and the node deflection y.
double claySlopeFactor(double theta, double y);

// ---------------------------------------------------------------- shared by the model routines
// Depths of the curve at entry k of the current layer range: xp along the pile, zs for the soil
// properties, xg below the ground surface and the curve depth xc. In the report pass entry k
// is the output depth x(k) for both xp and zs. With layeringCorrection false xc = xg for every
// layer not below a rock-like layer.
struct PyCurveDepths {
    double xp = 0.0, zs = 0.0, xg = 0.0, xc = 0.0;
};
PyCurveDepths curveDepths(const Run& run, int L, int k, bool layeringCorrection);

// Layering correction. Fu(L): zeroed at the first node, trapezoids of pu from the second node
// on, pu(last) * h once more at the last node (puPrevious is pu of node k - 1).
void accumulateLayerResistance(Run& run, int L, int k, double puPrevious, double pu);
// True at the node where xe(L) is computed: solve pass, L >= 2, first node, no rock above.
bool equivalentDepthDue(const Run& run, int L, int k);
// F: resistance of the layers above L (liquefied-sand substitution, 1E20 rule).
double resistanceAboveLayer(Run& run, int L);
// The model's depth at which its integrated ultimate resistance (current node values) equals F.
using EquivalentDepthSolver = double (*)(Run& run, int L, double F);
// xe(L) = solve(F), when due at node k.
void applyLayeringCorrection(Run& run, int L, int k, EquivalentDepthSolver solve);

// Secant modulus. |y(k) - ys(k)| (ys = 0 without a soil-movement profile).
double relativeDeflection(const Run& run, int k);
// Es from the curve value p at the curve argument yc; limitingModulus below the threshold.
double secantModulus(double p, double yc, double pm, double ym, double threshold, double limitingModulus);
// Q(k) = ys(k) Es(k) + q(k) when a soil-movement profile exists; nothing otherwise.
void setSoilMovementLoad(Run& run, int k);

// Printed curve frame (report pass): two blank lines, the title, a blank line; the column
// heading; one point line with its plot record 8 (three blanks, ym*y and pm*p by the adaptive
// writer of width 12, five blanks between). Label lines are "label", T56, "= ", value.
// A depth label line of a printed curve: feet in US units (computation inches / 12), otherwise
// the computation unit.
void writeCurveDepthLine(Run& run, const char* label, double depth);
void writeCurveTitle(Run& run, std::string_view title);
void writeCurveColumnHeading(Run& run);
void writeCurvePoint(Run& run, double y, double p, int point, std::string_view modelText);

// Model routines available (layer number L; solve or report pass after run.py.reportPass).
void pyElasticSubgrade(Run& run, int L);
void pyUserCurves(Run& run, int L);
void pySoftClay(Run& run, int L);  // soft clay (code 1, J = 0.5) and soft clay with user J (code 15)
void pySand(Run& run, int L);      // sand after Reese et al. (code 5)
void pyApiSand(Run& run, int L);   // API sand (code 6)

// p-y curves printed at the user's depths (load case 1): the report pass of every layer holding
// output depths, plot records 6 to 8.
void computePyCurvesAtUserDepths(Run& run);
// Report pass of layer L: the model routine of the layer's model name prints the curves of the
// output depths in the current range; a name without a model routine prints nothing.
// The routine of layer L's p-y model, in the current pass (solve, or report when
// run.py.reportPass is set); layers of names without a model are passed over.
void callLayerModel(Run& run, int L);
// A label line of a printed curve: label, "= " at column 56, the value as Fw.d and, when there
// is one, one blank and the unit.
void writeCurveLabelLine(Channel& channel, std::string_view label, double value, int w, int d,
                         std::string_view unit = {});
// The closing note of a printed curve on the layering correction (equivalent or true depth).
void writeLayeringNote(Run& run, int L);

}  // namespace mervik
