// The p-y curve framework: the layer loop and its rock marks, the soil property lookups at a
// depth, the layering correction shared by the clay, sand and silt models, sloping ground,
// the secant modulus and the frame of a printed curve.
#include "py/py_framework.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "py/py_models.hpp"
#include "py/py_node_loop.hpp"
#include "py/soil_mechanics.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

constexpr double kPointTolerance = 1E-6;
constexpr double kSmallFu = 0.009999999776482582;  // single-precision 0.01
constexpr double kFuOverflow = 1E20;

std::size_t at(int i) { return static_cast<std::size_t>(i); }

const SoilLayer& layerOf(const Run& run, int L) { return run.model.soil.layer[at(L)]; }

double depthAt(const Run& run, int k) { return run.model.soil.propertyDepth[at(k)]; }

// Value of a layer property at property point k (2L - 1: top of layer L, 2L: its bottom).
double pointValue(const Run& run, TopBottom<double> SoilLayer::*field, int k) {
    const TopBottom<double>& pair = run.model.soil.layer[at((k + 1) / 2)].*field;
    return (k % 2 == 1) ? pair.top : pair.bottom;
}

bool isNaN(double v) { return v != v; }

// ---------------------------------------------------------------- layer loop

// One solve pass over the layers from the top down, with the rock count and marks; with
// checkEmptyLayers every layer below the first is checked for holding a node.
void layerPass(Run& run, bool checkEmptyLayers) {
    PyWork& py = run.py;
    py.reportPass = false;
    py.rockCount = 0;
    const int layerCount = run.model.soil.layerCount;
    for (int i = 1; i <= layerCount && i <= kMaxLayers; ++i) {
        const int first = run.nodes.firstNode[at(i)];
        if (first != 0) {
            py.layer = i;
            py.firstNode = first;
            py.lastNode = run.nodes.i_BottomNodeInLayer[at(i)];
            callLayerModel(run, i);
            if (run.failed()) return;
            const PyModelRow* row = pyModelRowOfLayer(run, i);
            switch (row != nullptr ? row->mark : RockMarkRule::None) {
                case RockMarkRule::MarkIfRockAbove:
                    if (py.rockCount > 0) run.layers.marks[at(i)] = true;
                    break;
                case RockMarkRule::MarkThenCount:
                    if (py.rockCount > 0) run.layers.marks[at(i)] = true;
                    ++py.rockCount;
                    break;
                case RockMarkRule::CountThenMark:
                    ++py.rockCount;
                    run.layers.marks[at(i)] = true;
                    break;
                case RockMarkRule::None:
                    break;
            }
        }
        if (checkEmptyLayers && i > 1) {
            checkLayerHoldsNode(run, i);
            if (run.failed()) return;
        }
    }
}

// ---------------------------------------------------------------- lookups

// Class of a layer at an interface for the strength there (1 cohesive, 2 cohesionless, 3 rock,
// 4 user-input curves, 5 elastic subgrade, 0 anything else), from the model table.
int strengthClass(const Run& run, int L, double strengthAtInterface) {
    const PyModelRow* row = pyModelRowOfLayer(run, L);
    if (row == nullptr) return 0;
    if (row->strength == StrengthClass::ByStrength) return strengthAtInterface > 0.0 ? 1 : 2;
    return static_cast<int>(row->strength);
}

void writeFreeText(Channel& channel, std::string_view text) { Line(channel).blanks(1).text(text).end(); }

void writeLogical(Channel& channel, std::string_view label, bool value, std::string_view tail = {}) {
    Line(channel).blanks(1).text(label).blanks(1).text(value ? "T" : "F").text(tail).end();
}

void raiseStrengthClassError(Run& run, const StrengthLookupTexts& texts, double x, int upperClass, int lowerClass,
                             int k) {
    Channel& r = run.report;
    writeBlankLines(r, 2);
    writeFreeText(r, "***** Runtime Error No. 30 *****");
    writeBlankLines(r, 1);
    writeFreeText(r, texts.supportLine);
    writeBlankLines(r, 1);
    writeFreeForm(r, {texts.depthLabel, x});
    writeFreeText(r, "Soil types: 1 = cohesive, 2 = cohesionless, 3 = rock, 4= user input)");
    writeFreeForm(r, {"Soil type above        =", upperClass});
    writeFreeForm(r, {"Soil type below        =", lowerClass});
    writeFreeForm(r, {"cohesionless           =", 2});
    writeFreeForm(r, {"cohesive               =", 1});
    writeFreeForm(r, {"JBOT index             =", k, "= index number of strength value below depth in question"});
    writeLogical(r, "At tip condition       =", run.py.b_AtTip, ", T = true, F = false");
    const int layerCount = run.model.soil.layerCount;
    const auto codeOf = [&](int L) { return (L >= 1 && L <= layerCount) ? layerOf(run, L).modelCode : 0; };
    writeFreeForm(r, {"i_SoilLayer_py_Type(JBOT/2)          =", codeOf(k / 2)});
    writeFreeForm(r, {"i_SoilLayer_py_Type(JBOT/2+1)        =", codeOf(k / 2 + 1)});
    raiseRuntimeError(run, 30);
}

void raiseInterfaceNotFound(Run& run, const StrengthLookupTexts& texts, double x, int upper) {
    Channel& r = run.report;
    const PyWork& py = run.py;
    writeTextLines(r, {"", "", "Internal error in function C (undrained shear strength)",
                       "The layer interface cannot be located", "Please contact Tarnwell for support", ""});
    writeFreeForm(r, {"Elevation             =", x});
    writeLogical(r, texts.atInterfaceLabel, py.b_AtInterface);
    writeLogical(r, texts.inMiddleLabel, py.b_InMiddle);
    writeLogical(r, texts.atTipLabel, py.b_AtTip);
    writeLogical(r, "b_AtNode              =", py.b_AtInterface);
    writeFreeForm(r, {"Layer index above     =", upper});
    writeFreeForm(r, {"Layer index below     =", upper + 1});
    const int layerCount = run.model.soil.layerCount;
    const double bottom = (upper >= 1 && upper <= layerCount) ? layerOf(run, upper).depthBottom : 0.0;
    const double top = (upper + 1 >= 1 && upper + 1 <= layerCount) ? layerOf(run, upper + 1).depthTop : 0.0;
    writeFreeForm(r, {"DABS(X-XLayerBottom(KTOP))    =", std::fabs(x - bottom)});
    writeFreeForm(r, {"DABS(X-XLayerTop(KBOT))    =", std::fabs(x - top)});
    raiseRunError(run, "RUN00999", kInternalError);
}

void writeError5(Run& run, Channel& c, double x, double deepest, bool) {
    const std::string& unit = run.units.DeflectionUnit;
    writeInputErrorHeading(c, 5);
    writeTextLines(c, {"", "An error was detected that is related to an incompatibility between ",
                       "the input data defining pile embedment depth and values of shear ",
                       "strength of soil versus depth.", ""});
    Line(c).text("Problem:  The value for a pile station depth is ").es(x, 12, 4).text(" ").text(unit).end();
    Line(c).text("This depth is below the deepest extent of the input curve for ").end();
    Line(c).text("shear strength of soil versus depth at ").f(deepest, 10, 3).text(" ").text(unit).end();
    writeTextLines(c, {"", "Solution:  Please revise the input data by either extending the ",
                       "maximum depth for shear strength of soil or shorten the ",
                       "pile to be entirely within the defined soil layers.", ""});
}

void writeError60(Channel& c, double x) {
    writeInputErrorHeading(c, 60);
    writeTextLines(c, {"", "An error was found in the strength of soil input data when interpolating ",
                       "to obtain values of cohesion or uniaxial compressive strength.", "",
                       "Problem:  The depth increment between the upper and lower soil depths in a "});
    Line(c).text("layer is zero.  The depth of computation is ").f(x, 10, 3).end();
    writeTextLines(c, {"", "Solution:  Examine the program output file to find the depth in question",
                       "and correct the soil layer depth values. ", ""});
}

void writeError15(Channel& c, double x) {
    writeInputErrorHeading(c, 15);
    writeTextLines(c, {"", "An error was detected related to an incompatibility between ",
                       "the data defining pile embedment depth and effective unit ", "weights versus depth.", ""});
    Line(c).text("The value for a pile station depth is ").es(x, 12, 4).end();
    writeTextLines(c, {"This depth is below the deepest extent of the input curve for",
                       "effective unit weight versus depth.", "", "Solution:",
                       "Please revise the input data by either extending the maximum",
                       "depth for effective unit weight or shorten the length of pile",
                       "to be within the range of defined soil properties.", ""});
}

// The opening of input errors 3 and 4: the pile reaches below the strength data.
void writeBelowStrengthData(Channel& c, int error) {
    writeInputErrorHeading(c, error);
    writeTextLines(c, {"", "An error was detected that is related to an incompatibility",
                       "between the input data defining the embedment of the pile and",
                       "the maximum depth of the soil shear strength data.", ""});
}

void writeError3(Channel& c, double x) {
    writeBelowStrengthData(c, 3);
    Line(c).text("The value for a pile station depth is ").es(x, 12, 4).end();
    writeTextLines(c, {"This depth is below the deepest extent of the input data for",
                       "soil shear strength versus depth.", "", "Solution:",
                       "Please revise the input data by either extending the maximum",
                       "depth for soil shear strength or shorten the pile to correct", "this problem.", ""});
}

void writeError4(Channel& c, double x) {
    writeBelowStrengthData(c, 4);
    Line(c).text("Problem:  The value for a pile station depth is ").es(x, 12, 4).end();
    writeTextLines(c, {"This depth is below the deepest extent of the input data for",
                       "soil friction angle versus depth.", "",
                       "Solution:  Please revise the input data by either extending ",
                       "the maximum depth for soil friction angle or shorten the ", "pile to correct this problem.",
                       ""});
}

void writeError13(Channel& c) {
    writeBlankLines(c, 2);
    writeRuntimeErrorHeading(c, 13);
    writeTextLines(c, {"", "Problem:  General units have been selected for use in computations in      ",
                       "combination with default values of k for a layer classified as API sand    ",
                       "criteria. This combination of data cannot be used because Mervik cannot     ",
                       "compute default values of subgrade modulus in general units.               ", "",
                       "Solution:  You must select either US customary for SI units for the        ",
                       "units of computation to use a default value for subgrade subgrade modulus  ",
                       "for the API sand criteria or enter an appropriate proper value by entering ",
                       "a non-zero for k."});
}

// A lookup that cannot give a value: its input error, written to both files in the order the
// error prescribes; the lookup then returns 0.
enum class FirstFile { Report, Messages };
double lookupError(Run& run, void (*write)(Channel&, double), double x, int error, FirstFile first) {
    Channel& one = first == FirstFile::Report ? run.report : run.messages;
    Channel& two = first == FirstFile::Report ? run.messages : run.report;
    write(one, x);
    write(two, x);
    raiseInputError(run, error);
    return 0.0;
}

enum class BeyondProfile { Zero, FrictionError };

// Interpolation of eps50, J, phi and RQD on their property values, with the interface rule: the
// mean of the two layers' values, or the one that is not zero, or (except for RQD) the upper
// value at the tip.
enum class TipRule { UpperValue, Interface };
double interpolateAtDepth(const Run& run, TopBottom<double> SoilLayer::*field, double x, bool& beyond,
                          TipRule tip = TipRule::UpperValue) {
    beyond = false;
    const int n2 = run.model.soil.propertyPointCount;
    int k = 2;
    while (k <= n2 && !(x <= depthAt(run, k))) ++k;
    if (k > n2) {
        beyond = true;
        return 0.0;
    }
    const double dk = depthAt(run, k);
    if (x == depthAt(run, n2)) return pointValue(run, field, k);
    if (x != dk) {
        const double d0 = depthAt(run, k - 1);
        if (dk - d0 == 0.0) return pointValue(run, field, k);
        const double v0 = pointValue(run, field, k - 1);
        return v0 + (x - d0) * (pointValue(run, field, k) - v0) / (dk - d0);
    }
    if (k + 1 <= n2 && depthAt(run, k + 1) == dk) {
        const double vu = pointValue(run, field, k);
        const double vl = pointValue(run, field, k + 1);
        if (tip == TipRule::UpperValue && x == run.nodes.L) return vu;
        if (vu < 1E-20 && vl < 1E-20) return vu;
        if (vu < 1E-20) return vl;
        if (vl < 1E-20) return vu;
        return (vu + vl) * 0.5;
    }
    return pointValue(run, field, k);
}

// Mean of a property from the ground surface to x by trapezoids over the property points;
// false when x lies below the last point.
bool averageFromSurface(const Run& run, TopBottom<double> SoilLayer::*field, double x, double t, double& mean) {
    const int n2 = run.model.soil.propertyPointCount;
    mean = 0.0;
    if (x > depthAt(run, n2)) return false;
    for (int k = 2; k <= n2; ++k) {
        const double d0 = depthAt(run, k - 1);
        const double d1 = depthAt(run, k);
        const double v0 = pointValue(run, field, k - 1);
        const double v1 = pointValue(run, field, k);
        if (d1 <= x) {
            mean += (v1 + v0) * 0.5 * (d1 - d0) / t;
            continue;
        }
        if (d1 - d0 >= kPointTolerance) mean += ((v1 - v0) / (d1 - d0) * (x - d0) + 2.0 * v0) * 0.5 * (x - d0) / t;
        break;
    }
    return true;
}

// Interpolation in the p-y modifier table; a table of one point gives 1.
double modifierAt(const PyModifierTable& table, const Table<double, kMaxPyModifierPoints>& values, double x) {
    const int m = table.count;
    if (m <= 1 || x < table.depth[1]) return 1.0;
    int i = 2;
    while (i <= m && !(x <= table.depth[at(i)])) ++i;
    if (i > m) return 1.0;
    const double Xi = table.depth[at(i)];
    if (x == table.depth[at(m)]) return values[at(i)];
    if (x != Xi) {
        const double X0 = table.depth[at(i - 1)];
        if (Xi - X0 == 0.0) return values[at(i)];
        return values[at(i - 1)] + (x - X0) * (values[at(i)] - values[at(i - 1)]) / (Xi - X0);
    }
    if (i + 1 <= m && table.depth[at(i + 1)] == Xi) return values[at(i + 1)];
    return values[at(i)];
}

}  // namespace

// ---------------------------------------------------------------- dispatch

void runLayerLoop(Run& run, int iteration) { layerPass(run, iteration == 1); }

void dispatchPyCurves(Run& run, int iteration) {
    // A new load case or pile: the depth values kept from earlier evaluations no longer hold.
    ++run.py.depthGeneration;
    layerPass(run, iteration == 1);
    if (run.failed() || iteration != 1) return;
    for (int k = 1; k <= run.nodes.M && k <= kMaxNodes; ++k) {
        if (isNaN(run.nodes.Es[at(k)])) run.nodes.Es[at(k)] = 0.0;
    }
}

void vuggyLimestonePrePass(Run& run) {
    PyWork& py = run.py;
    py.reportPass = false;
    ++py.depthGeneration;  // the pile and its nodes may be new
    const int layerCount = std::min(run.model.soil.layerCount, kMaxLayers);
    const int M = std::min(run.nodes.M, kMaxNodes);
    for (int k = 1; k <= M; ++k) {
        for (int L = 1; L <= layerCount; ++L) {
            const int first = run.nodes.firstNode[at(L)];
            const PyModelRow* row = pyModelRowOfLayer(run, L);
            if (first == 0 || row == nullptr || row->code != kPyVuggyLimestone) continue;
            // The deflections do not change during the pass, so every later evaluation of the
            // layer would give the moduli of the first one again: only the marks go on.
            if (k == 1) {
                py.layer = L;
                py.firstNode = first;
                py.lastNode = run.nodes.i_BottomNodeInLayer[at(L)];
                callLayerModel(run, L);
                if (run.failed()) return;
            }
            if (py.rockCount > 0) run.layers.marks[at(L)] = true;
            ++py.rockCount;
        }
    }
}

// ---------------------------------------------------------------- lookups

constexpr StrengthLookupTexts kShearStrengthTexts{
    writeError5, "Please report this error, with the input data file, to the program support contact.",
    "X value for f(c) =", "b_AtInterface         =", "b_InMiddle            =", "b_AtTip               ="};

double fn_c(Run& run, double x) { return strengthAtDepth(run, x, kShearStrengthTexts); }

double strengthAtDepth(Run& run, double x, const StrengthLookupTexts& texts) {
    PyWork& py = run.py;
    const int n2 = run.model.soil.propertyPointCount;
    py.b_AtInterface = false;
    for (int k = 2; k <= n2 - 1; ++k) {
        if (std::fabs(x - depthAt(run, k)) <= kPointTolerance) py.b_AtInterface = true;
    }
    py.b_InMiddle = !py.b_AtInterface;
    py.b_AtTip = (x == run.nodes.L);

    int k = 2;
    while (k <= n2 && !(x <= depthAt(run, k) + kPointTolerance)) ++k;
    if (k > n2) {
        const double deepest = n2 >= 1 ? depthAt(run, n2) : 0.0;
        texts.writeBelowProfile(run, run.report, x, deepest, true);
        texts.writeBelowProfile(run, run.messages, x, deepest, false);
        raiseInputError(run, 5);
        return 0.0;
    }
    if (std::fabs(x - depthAt(run, n2)) <= kPointTolerance) return pointValue(run, &SoilLayer::cohesion, n2);

    if (py.b_AtInterface) {
        const int layerCount = run.model.soil.layerCount;
        int upper = 0;
        for (int U = 1; U <= layerCount - 1; ++U) {
            upper = U;
            if (std::fabs(x - layerOf(run, U).depthBottom) < kPointTolerance &&
                std::fabs(x - layerOf(run, U + 1).depthTop) < kPointTolerance) {
                const double cu = pointValue(run, &SoilLayer::cohesion, k);
                const double cl = pointValue(run, &SoilLayer::cohesion, k + 1);
                const int classUpper = strengthClass(run, U, cu);
                const int classLower = strengthClass(run, U + 1, cl);
                if (py.b_AtTip) return cu;
                const bool lowerWeak = classLower == 2 || classLower == 4 || classLower == 5;
                if (classUpper == 1) {
                    if (classLower == 1) return (cu + cl) * 0.5;
                    if (classLower == 3) return (2.0 * cu + cl) * 0.5;
                    if (lowerWeak) return cu;
                } else if (classUpper == 3) {
                    if (classLower == 1) return (2.0 * cl + cu) * 0.5;
                    if (classLower == 3) return (cu + cl) * 0.5;
                    if (lowerWeak) return cu;
                } else if (classUpper == 2 || classUpper == 4 || classUpper == 5) {
                    if (classLower == 1 || classLower == 3) return cl;
                }
                raiseStrengthClassError(run, texts, x, classUpper, classLower, k);
                return 0.0;
            }
        }
        raiseInterfaceNotFound(run, texts, x, upper);
        return 0.0;
    }

    const double d0 = depthAt(run, k - 1);
    const double d1 = depthAt(run, k);
    if (d1 - d0 <= 0.0) return lookupError(run, writeError60, x, 60, FirstFile::Report);
    const double c0 = pointValue(run, &SoilLayer::cohesion, k - 1);
    return c0 + (x - d0) * (pointValue(run, &SoilLayer::cohesion, k) - c0) / (d1 - d0);
}

double averageStrength(Run& run, double x) {
    const double zg = run.model.soil.groundSurface;
    if (x < zg || run.model.soil.propertyPointCount < 2) return 0.0;
    const double t = x - zg;
    if (t < kPointTolerance) return fn_c(run, x);
    double mean = 0.0;
    if (!averageFromSurface(run, &SoilLayer::cohesion, x, t, mean)) {
        return lookupError(run, writeError3, x, 3, FirstFile::Messages);
    }
    return mean;
}

double averageUnitWeight(Run& run, double x) {
    const double zg = run.model.soil.groundSurface;
    const int n2 = run.model.soil.propertyPointCount;
    if (x < zg || n2 < 1) return 0.0;
    const double t = x - zg;
    if (t < kPointTolerance) {
        for (int k = 1; k <= n2; ++k) {
            const double g = pointValue(run, &SoilLayer::gamma, k);
            if (g > 0.0) return g;
        }
        return pointValue(run, &SoilLayer::gamma, n2);
    }
    double mean = 0.0;
    if (!averageFromSurface(run, &SoilLayer::gamma, x, t, mean)) {
        return lookupError(run, writeError15, x, 15, FirstFile::Messages);
    }
    return mean;
}

double eps50At(const Run& run, double x) {
    bool beyond = false;
    return interpolateAtDepth(run, &SoilLayer::eps50, x, beyond);
}

double jFactorAt(const Run& run, double x) {
    bool beyond = false;
    return interpolateAtDepth(run, &SoilLayer::jFactor, x, beyond);
}

double rqdAt(const Run& run, double x, bool& beyond) {
    return interpolateAtDepth(run, &SoilLayer::rqd, x, beyond, TipRule::Interface);
}

double frictionAngleAt(Run& run, double x) {
    bool beyond = false;
    const double phi = interpolateAtDepth(run, &SoilLayer::phi, x, beyond);
    if (beyond) return lookupError(run, writeError4, x, 4, FirstFile::Report);
    return phi;
}

double pMultiplierAt(const Run& run, double x) {
    const PyModifierTable& t = run.model.pyModifiers;
    return modifierAt(t, t.pMultiplier, x);
}

double yMultiplierAt(const Run& run, double x) {
    const PyModifierTable& t = run.model.pyModifiers;
    return modifierAt(t, t.yMultiplier, x);
}

bool sandPropertiesAt(Run& run, double zs, double& gammaAvg, double& phiDegrees) {
    gammaAvg = averageUnitWeight(run, zs);
    if (run.failed()) return false;
    phiDegrees = frictionAngleAt(run, zs);
    return !run.failed();
}

double defaultSandK(Run& run, double phiDegrees, double gammaAvg) {
    double k = 0.0;
    if (defaultSandModulus(run.model.options.IUNITS, phiDegrees, gammaAvg, k)) return k;
    writeError13(run.report);
    writeError13(run.messages);
    raiseRuntimeError(run, 13);
    return 0.0;
}

void atLeastOneLoadingCycle(Run& run) {
    if (run.model.options.numberOfCycles <= 0.0) run.model.options.numberOfCycles = 1.0;
}

// ---------------------------------------------------------------- layer values

double valueInLayer(double topValue, double bottomValue, double top, double bottom, double zs) {
    if (topValue == bottomValue || bottom - top == 0.0) return topValue;
    return topValue + (zs - top) * (bottomValue - topValue) / (bottom - top);
}

bool layerSubgradeModulus(SoilLayer& layer, double zs, double& k) {
    if (!(layer.kpy.top > 0.0)) {
        layer.kpy.top = 0.0;
        layer.kpy.bottom = 0.0;
        k = 0.0;
        return true;
    }
    k = valueInLayer(layer.kpy.top, layer.kpy.bottom, layer.depthTop, layer.depthBottom, zs);
    return false;
}

// ---------------------------------------------------------------- depths of a curve

PyCurveDepths curveDepths(const Run& run, int L, int k, bool layeringCorrection) {
    PyCurveDepths d;
    const bool report = run.py.reportPass;
    d.xp = run.nodes.x[at(k)];
    d.zs = report ? d.xp : run.nodes.z[at(k)];
    d.xg = d.zs - run.model.soil.groundSurface;
    d.xc = d.xg;
    if (L >= 2) {
        const bool belowRock = report ? run.layers.marks[at(L)] : run.py.rockCount > 0;
        if (!belowRock && layeringCorrection) d.xc = d.zs - layerOf(run, L).depthTop + run.layers.xe[at(L)];
        // A profile whose first layers end above the pile head measures from the top of layer 1.
        if (layerOf(run, 1).depthBottom < -1E-8 || layerOf(run, 2).depthBottom < -1E-8)
            d.xc = d.zs - layerOf(run, 1).depthTop;
    }
    return d;
}

// ---------------------------------------------------------------- layering correction

bool equivalentDepthDue(const Run& run, int L, int k) {
    return !run.py.reportPass && L >= 2 && k == run.py.firstNode && run.py.rockCount == 0;
}

double resistanceAboveLayer(Run& run, int L) {
    PyWork& py = run.py;
    for (int i = 1; i <= L - 1; ++i) {
        if (py.Fu[at(i)] < kSmallFu) py.Fu[at(i)] = py.liquefiedResistance[at(i)];
    }
    double F = 0.0;
    for (int i = 1; i <= L - 1; ++i) {
        if (F > kFuOverflow) F = 100.0;
        F += py.Fu[at(i)];
    }
    return F;
}

// ---------------------------------------------------------------- secant modulus

double relativeDeflection(const Run& run, int k) {
    const double ys = run.model.soilMovement.count >= 1 ? run.nodes.ys[at(k)] : 0.0;
    return std::fabs(run.nodes.y(k) - ys);
}

void setSoilMovementLoad(Run& run, int k) {
    // The nodal distributed load at the node's own depth is the q(k) of the node set-up.
    if (run.model.soilMovement.count < 1) return;
    run.nodes.Q[at(k)] = run.nodes.ys[at(k)] * run.nodes.Es[at(k)] + run.nodes.q[at(k)];
}

void raiseModulusNotANumber(Run& run, const PyModelRow& row, bool limiting, int k) {
    Channel& r = run.report;
    const int n = limiting ? row.nanLimitingError : row.nanComputedError;
    if (!limiting && !row.nanComputedHeading.empty()) {
        writeTextLine(r, row.nanComputedHeading);
    } else {
        writeRuntimeErrorHeading(r, n);
    }
    writeBlankLines(r, 1);
    Line(r)
        .text(limiting ? "The default value" : "The computed value")
        .text(" of soil modulus computed in ")
        .text(row.nanText)
        .text(" is not-a-number for node number ")
        .i(k, 0)
        .end();
    writeBlankLines(r, 1);
    writeTextLine(r, "This problem is usually due to a required soil property being left equal to zero.");
    storeErrorNumber(run, runtimeError(n));
}

namespace {
// Input error 32: the opening, the problem, its explanation and the solution, and the layer and
// depth of the curve.
void writeGeneralUnitsError(Channel& ch, const PyPoint& at, std::string_view model, std::string_view problem,
                            std::string_view explanation, std::string_view solution) {
    writeInputErrorHeading(ch, kErrNoDefaultInGeneralUnits);
    writeTextLines(ch, {"", "An error was detected in the input data used to compute p-y curves in "});
    Line(ch).text(model).text(".").end();
    writeBlankLines(ch, 1);
    Line(ch).text("Problem:  General units are used and ").text(problem).end();
    writeTextLines(ch, {explanation, ""});
    Line(ch).text("Solution:  ").text(solution).end();
    writeBlankLines(ch, 1);
    Line(ch).text("Layer no. = ").i(at.L, 0).text(", Depth = ").f(at.d.zs, 10, 3).end();
}
}  // namespace

void raiseNoDefaultInGeneralUnits(Run& run, const PyPoint& at, std::string_view model, std::string_view property) {
    const std::string problem = "the value of " + std::string(property) + " is zero or negative.";
    for (Channel* ch : {&run.messages, &run.report}) {
        writeGeneralUnitsError(*ch, at, model, problem, "Default values cannot be computed in general units.",
                               "Enter a positive value for the layer or select US customary or SI units.");
    }
    raiseInputError(run, kErrNoDefaultInGeneralUnits);
}

void raiseNoCurveInGeneralUnits(Run& run, const PyPoint& at, std::string_view model) {
    const std::string problem = "the " + std::string(model) + " criteria are empirical in SI units.";
    for (Channel* ch : {&run.messages, &run.report}) {
        writeGeneralUnitsError(*ch, at, model, problem, "The curves cannot be computed in general units.",
                               "Select US customary or SI units.");
    }
    raiseInputError(run, kErrNoDefaultInGeneralUnits);
}

void noteModulusNotANumber(Run& run, const PyModelRow& row) {
    if (!row.nanNote.empty()) writeTextLine(run.messages, row.nanNote);
}

void surfaceAboveHeadResistance(Run& run, int L, double resistance) {
    if (!(run.model.soil.groundSurface < -9.999999747378752E-6 && L == 1)) return;
    const SoilLayer& layer = run.model.soil.layer[1];
    run.py.Fu[1] = resistance * 0.5 * (layer.depthBottom - layer.depthTop);
}

// ---------------------------------------------------------------- dispatch to the model

void callLayerModel(Run& run, int L) {
    const PyModelRow* row = pyModelRowOfLayer(run, L);
    // A name without a p-y model (codes 17 to 20) is passed over: its nodes keep their moduli.
    if (row != nullptr && row->routine != nullptr) row->routine(run, L);
}

// ---------------------------------------------------------------- printed curve frame

void writeCurveDepthLine(Run& run, std::string_view label, double depth) {
    const bool uscs = run.model.options.IUNITS == kUSCS;
    Line(run.report)
        .text(label)
        .tab(56)
        .text("= ")
        .f(uscs ? depth / 12.0 : depth, 12, 3)
        .text(" ")
        .text(uscs ? run.units.DepthUnit : run.units.DeflectionUnit)
        .end();
}

void writeCurveHeading(Run& run, const PyPoint& at, std::string_view title, std::string_view equivalentLabel,
                       std::string_view secondTitleLine) {
    writeBlankLines(run.report, 2);
    writeTextLine(run.report, title);
    if (!secondTitleLine.empty()) writeTextLine(run.report, secondTitleLine);
    writeBlankLines(run.report, 1);
    Line(run.report).text("Soil Layer Number").tab(56).text("= ").i(at.L, 12).end();
    writeCurveDepthLine(run, "Depth below pile head", at.d.xp);
    writeCurveDepthLine(run, "Depth below ground surface", at.d.xg);
    if (!equivalentLabel.empty()) writeCurveDepthLine(run, equivalentLabel, at.d.xc);
}

void writeShaftCurveHeading(Run& run, const PyPoint& at, std::string_view title) {
    Channel& r = run.report;
    writeBlankLines(r, 2);
    writeTextLine(r, title);
    writeBlankLines(r, 1);
    Line(r).text("Soil Layer Number").tab(56).text("= ").i(at.L, 10).end();
    writeCurveDepthLine(run, "Depth below pile head", at.d.zs);
    writeCurveDepthLine(run, "Depth below ground surface", at.d.xg);
    writeCurveLabelLine(r, "Shaft Diameter", at.b, 12, 3, run.units.DeflectionUnit);
}

void writeShortCurveTableHeading(Run& run, const PyPoint& at, int pointCount) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    writeCurveLabelLine(r, "p-multiplier", at.pm, 12, 5);
    writeCurveLabelLine(r, "y-multiplier", at.ym, 12, 5);
    writeBlankLines(r, 1);
    Line(r).text("        y, ").text(u.DeflectionUnit).tab(22).text("p, ").text(u.ForceUnit).text(u.slash).text(u.DeflectionUnit).end();
    writeTextLine(r, "---------------   ---------------");
    plotCurve(run, at, pointCount);
}

void writeSlopeAngleLines(Run& run) {
    constexpr double kPi = 3.141592653589793;
    const SlopeAngles& s = run.model.slope;
    writeCurveLabelLine(run.report, "Ground Slope Angle", s.groundSlope * 180.0 / kPi, 12, 3, "degrees");
    writeCurveLabelLine(run.report, "Pile Batter", s.pileBatter * 180.0 / kPi, 12, 3, "degrees");
    writeCurveLabelLine(run.report, "Effective Slope", s.effectiveSlope * 180.0 / kPi, 12, 3, "degrees");
}

void writeCurveColumnHeading(Run& run) {
    writeBlankLines(run.report, 1);
    Line(run.report).tab(6).text("y, ").text(run.units.DeflectionUnit).tab(25).text("p, ").text(run.units.LineLoadUnit).end();
    writeTextLine(run.report, "----------------    -----------------");
}

void plotCurve(Run& run, const PyPoint& at, int pointCount) {
    plotRecord7(run, at.d.xp, pointCount, at.row->curveText, at.k, at.row->curveTextWithJ);
}

void plotCurvePoint(Run& run, const PyPoint& at, double y, double p, int j) {
    plotRecord8(run, y, p, j, at.row->pointText, at.row->pointTextWide);
}

void writeCurvePoint(Run& run, const PyPoint& at, double y, double p, int j) {
    Line(run.report).blanks(3).real(y, 12).blanks(5).real(p, 12).end();
    plotCurvePoint(run, at, y, p, j);
}

void writeCurveLabelLine(Channel& channel, std::string_view label, double value, int w, int d, std::string_view unit) {
    Line line(channel);
    line.text(label).tab(56).text("= ").f(value, w, d);
    if (!unit.empty()) line.text(" ").text(unit);
    line.end();
}

// The explanation that closes the label lines of a printed curve of a model with the layering
// correction: true depth below rock-like layers, otherwise the equivalent depth.
void writeLayeringNote(Run& run, int L) {
    Channel& r = run.report;
    if (run.layers.marks[static_cast<std::size_t>(L)]) {
        writeTextLines(r, {"This layer is below one or more layers of rock.  In this case, the ",
                           "layering correction is not used and the true depth below the ground ",
                           "surface is used when computing the p-y curve.  "});
    } else {
        writeTextLine(r, "This p-y curve is computed using the equivalent depth.");
    }
}

}  // namespace mervik
