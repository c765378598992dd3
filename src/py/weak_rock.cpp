// Weak rock p-y curves after Reese (1997), model code 8. The rock mass is described by its
// uniaxial compressive strength qur, reduced by the strength reduction factor alpha_r that falls
// with the rock quality designation, its initial modulus Eir and the strain constant krm. The
// ultimate resistance grows from alpha_r qur b at the rock surface to 5.2 alpha_r qur b at three
// widths into the rock; the initial slope is Mir = Kir Eir with Kir growing from 100 to 500 over
// the same depth. The curve is the initial line p = Mir y up to ya, then
// p = pur/2 (y / yrm)^0.25 with yrm = krm b, flat at pur from 16 yrm on. A stack of weak rock
// and vuggy limestone layers is one rock mass: the depth into rock is measured from its top.
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
#include "report/layout.hpp"

namespace mervik {

namespace {

std::size_t ix(int i) { return static_cast<std::size_t>(i); }

constexpr double kAlphaSlope = 0.006666666828095913;     // single-precision 1/150 per percent RQD
constexpr double kSurfaceOffset = 9.99999993922529E-9;   // depth into rock at the rock surface
constexpr double kDeepFactor = 5.199999809265137;        // pur / (alpha_r qur b) below 3 b
constexpr double kShallowSlope = 1.399999976158142;      // growth of pur with xr / b above 3 b
constexpr double kYaExponent = 1.3329999446868896;       // ya from the meeting of the two branches
constexpr double kKrmLow = 4.999999873689376E-05;        // recommended krm range
constexpr double kKrmHigh = 0.0005000000237487257;
constexpr double kSmallStrength = 1E-10;

// Deflections of the printed curve between ya and 16 yrm, as fractions of 16 yrm - ya
// (single-precision values).
constexpr double kPrintFractions[] = {0.019999999552965164, 0.03999999910593033, 0.05999999865889549,
                                      0.07999999821186066,  0.10000000149011612, 0.20000000298023224,
                                      0.30000001192092896,  0.4000000059604645,  0.5,
                                      0.6000000238418579,   0.699999988079071,   0.800000011920929,
                                      0.8999999761581421};
constexpr int kPrintedPoints = 17;

// Values at the node that depend only on its depth (the whole curve does).
struct WeakRockDepth {
    double qur = 0.0, rqd = 0.0, Eir = 0.0, alphaR = 0.0, gamma = 0.0, krm = 0.0;
    double xr = 0.0, pur = 0.0, Kir = 0.0, Mir = 0.0, yrm = 0.0, ya = 0.0;
    int strengthWarning = 0;  // 3071 to 3074, or 0
    int krmWarning = 0;       // 316, 317, or 0
};

struct WeakRockCurve {
    double pur = 0.0, Mir = 0.0, yrm = 0.0, ya = 0.0;
};

double weakRockP(const WeakRockCurve& c, double y) {
    if (y < c.ya) return c.Mir * y;
    return std::min(c.pur, c.pur / 2.0 * std::pow(y / c.yrm, 0.25));
}

// ---------------------------------------------------------------- lookups

// Strain constant krm at x. The first interval d(i) <= x <= d(i+1) is used; at a layer interface
// (x on the interval's lower point, the next point at the same depth, x not the pile tip) the
// lower layer's top value applies. The last point gives its value, beyond the profile 0.
double krmAt(const Run& run, double x) {
    const SoilProfile& soil = run.model.soil;
    const int n2 = soil.propertyPointCount;
    const auto depth = [&](int k) { return soil.propertyDepth[ix(k)]; };
    const auto value = [&](int k) {
        const TopBottom<double>& v = soil.layer[ix((k + 1) / 2)].eps50;
        return k % 2 == 1 ? v.top : v.bottom;
    };
    for (int i = 1; i <= n2 - 1; ++i) {
        if (!(depth(i) <= x && x <= depth(i + 1))) continue;
        if (x == depth(n2)) return value(n2);
        if (x == depth(i + 1) && i + 2 <= n2 && depth(i + 2) == depth(i + 1) && x != run.nodes.L) return value(i + 2);
        if (x == depth(i)) return value(i);
        return value(i) + (x - depth(i)) * (value(i + 1) - value(i)) / (depth(i + 1) - depth(i));
    }
    return 0.0;
}

// Depth below the rock surface: from the layer top, plus the thickness of every weak rock or
// vuggy limestone layer directly above.
double depthIntoRock(const Run& run, int L, double x) {
    double xr = kSurfaceOffset + x - run.model.soil.layer[ix(L)].depthTop;
    for (int i = L - 1; i >= 1; --i) {
        const PyModelRow* row = pyModelRowOfLayer(run, i);
        if (row == nullptr || (row->code != kPyWeakRock && row->code != kPyVuggyLimestone)) break;
        const SoilLayer& s = run.model.soil.layer[ix(i)];
        xr += s.depthBottom - s.depthTop;
    }
    return xr;
}

// ---------------------------------------------------------------- errors

// An error text written to the message file and then to the report (or the other way round).
template <class Write>
void writeToBoth(Run& run, bool messagesFirst, Write write) {
    write(messagesFirst ? run.messages : run.report);
    write(messagesFirst ? run.report : run.messages);
}

void raiseZeroStrength(Run& run, int L) {
    writeToBoth(run, true, [&](Channel& c) {
        writeInputErrorHeading(c, 62);
        writeTextLines(c, {"", "Problem:   The input value for compressive strength is less than or equal to zero.", ""});
        Line(c).text("Solution:  Check the input values for layer ").i(L, 0).end();
    });
    raiseInputError(run, 62);
}

void raiseBelowRqdData(Run& run, double x) {
    writeToBoth(run, false, [&](Channel& c) {
        writeInputErrorHeading(c, 31);
        writeTextLines(c, {"", "An error was detected that is related to an incompatibility",
                           "between the input data defining the embedment of the pile and",
                           "the maximum depth of the soil shear strength data.", ""});
        Line(c).text("Problem:  The value for a pile station depth is ").es(x, 12, 4).end();
        writeTextLines(c, {"This depth is below the deepest extent of the input data for", "RQD versus depth.", "",
                           "Solution:  Revise the input data by either extending the ",
                           "maximum depth for RQD or shorten the pile to correct this ", "problem.", ""});
    });
    raiseInputError(run, 31);
}

void raiseRqdOutOfRange(Run& run, double rqd) {
    writeToBoth(run, true, [&](Channel& c) {
        writeInputErrorHeading(c, 49);
        writeTextLines(c, {"", "Problem:  The interpolated value of RQD used for p-y curves in weak rock ",
                           "was found to be invalid because it was either less than zero or more than ",
                           "100 percent.", "", "Solution:  Check your input data and revise in the data for RQD.", ""});
        Line(c).text("The interpolated value of RQD = ").es(rqd, 12, 4).text(" %").end();
        writeBlankLines(c, 1);
    });
    raiseInputError(run, 49);
}

// The premature-end line comes first here: the error is raised before its text is written.
void raiseLayerWithoutThickness(Run& run) {
    raiseRuntimeError(run, 20);
    Channel& r = run.report;
    writeRuntimeErrorHeading(r, 20);
    writeTextLines(r, {"", "Problem:  The top and bottom elevations for weak rock layer are equal.",
                       "Solution: Correct the input data for elevations defining weak rock layer.", ""});
}

void raiseZeroStrengthAtInterface(Run& run) {
    writeToBoth(run, true, [&](Channel& c) {
        writeInputErrorHeading(c, 16);
        writeTextLines(c, {"", "An error was detected when computing the p-y curve for weak rock.",
                           "Problem:   The input value for the compressive strength of a weak rock was ",
                           "           input as negative or zero (0).", "",
                           "Solution:  Check the depth values for soil layering and soil shear strength ",
                           "           values and correct the input data.", ""});
    });
    raiseInputError(run, 16);
}

void raiseZeroKrm(Run& run, int L) {
    writeToBoth(run, true, [&](Channel& c) {
        writeInputErrorHeading(c, 63);
        writeTextLines(c, {"", "Problem:  The input value for k_rm for weak rock is less than or equal to zero.", ""});
        Line(c).text("Solution: Check the input values for layer ").i(L, 0).end();
        writeBlankLines(c, 1);
    });
    raiseInputError(run, 63);
}

void raiseZeroYrm(Run& run, int L) {
    writeToBoth(run, true, [&](Channel& c) {
        writeRuntimeErrorHeading(c, 22);
        writeTextLines(c, {"", "An error was detected when computing the p-y curve for weak rock.     ",
                           "Problem:  The input value for k_rm is less than or equal to 0. ", ""});
        Line(c).text("Solution:  Check the input values for the week rock properties in the soil layer ").i(L, 0).end();
        writeBlankLines(c, 1);
    });
    raiseRuntimeError(run, 22);
}

// ya cannot be formed when the ultimate resistance or the initial slope is zero or negative (or
// the slope is zero, which leaves no meeting point of the two branches): the run ends rather
// than go on with an undefined curve.
constexpr int kNoInitialBranchError = 21;
void raiseNoInitialBranch(Run& run, int L, double x) {
    writeTextLine(run.messages, "ERROR 2 BEFORE EQN 11");
    writeToBoth(run, true, [&](Channel& c) {
        writeRuntimeErrorHeading(c, kNoInitialBranchError);
        writeTextLines(c, {"", "An error was detected when computing the p-y curve for weak rock."});
        Line(c).text("Problem:  The deflection at the end of the initial straight line of the curve at ").end();
        Line(c).text("          the depth ").f(x, 10, 3).text(" ").text(run.units.DeflectionUnit).text(" cannot be computed, because the ultimate").end();
        writeTextLines(c, {"          resistance or the initial modulus of the rock is zero or negative there.", ""});
        Line(c).text("Solution:  Check the compressive strength and the initial modulus of rock of layer ").i(L, 0).end();
        writeBlankLines(c, 1);
    });
    raiseRuntimeError(run, kNoInitialBranchError);
}

// ---------------------------------------------------------------- the model

struct WeakRock {
    using Depth = WeakRockDepth;
    using Curve = WeakRockCurve;
    static constexpr PyLawRules kRules{.resistance = LayerResistance::TrapezoidsToLayerBottom};

    // The number of cycles of loading is at least 1.
    static void enter(Run& run) { atLeastOneLoadingCycle(run); }

    static void repeatWarnings(Run& run, const WeakRockDepth& v) {
        if (v.strengthWarning != 0) recordWarning(run.warnings, -v.strengthWarning);
        if (v.krmWarning != 0) recordWarning(run.warnings, -v.krmWarning);
    }

    static bool lookUp(Run& run, const PyPoint& at, WeakRockDepth& v);

    static void curve(Run&, const PyPoint&, const WeakRockDepth& v, const WeakRockCurve&, WeakRockCurve& c) {
        c.pur = v.pur;
        c.Mir = v.Mir;
        c.yrm = v.yrm;
        c.ya = v.ya;
    }

    static double resistance(const WeakRockCurve& c) { return c.pur; }
    static double tailResistance(const WeakRockCurve& c) { return c.pur; }

    // On the initial line the secant is its slope Mir, without multipliers.
    static double threshold(const WeakRockCurve& c) { return c.ya; }
    static double limitingModulus(const WeakRockCurve& c) { return c.Mir; }
    static double p(const WeakRockCurve& c, double y) { return weakRockP(c, y); }

    static void print(Run& run, const PyPoint& at, const WeakRockDepth& v, const WeakRockCurve& c);
};

bool WeakRock::lookUp(Run& run, const PyPoint& at, WeakRockDepth& v) {
    const int IUNITS = run.model.options.IUNITS;
    const SoilLayer& layer = run.model.soil.layer[ix(at.L)];
    const double x = at.d.zs;
    const double b = at.b;

    v.qur = fn_c(run, x);
    if (run.failed()) return false;
    const bool atInterface = run.py.b_AtInterface;
    // Strengths outside the range the criteria were derived for.
    if (!atInterface) {
        if (IUNITS == kUSCS) {
            v.strengthWarning = v.qur < 100.0 ? 3071 : v.qur > 1000.0 ? 3072 : 0;
        } else if (IUNITS == kSI) {
            v.strengthWarning = v.qur < 689.5 ? 3073 : v.qur > 6895.0 ? 3074 : 0;
        }
        if (v.strengthWarning != 0) recordWarning(run.warnings, -v.strengthWarning);
        if (v.qur <= 0.0) {
            raiseZeroStrength(run, at.L);
            return false;
        }
    }

    bool beyond = false;
    v.rqd = rqdAt(run, x, beyond);
    if (beyond) {
        raiseBelowRqdData(run, x);
        return false;
    }
    if (v.rqd < 0.0 || v.rqd > 100.0) {
        raiseRqdOutOfRange(run, v.rqd);
        return false;
    }
    if (layer.depthBottom - layer.depthTop == 0.0) {
        raiseLayerWithoutThickness(run);
        return false;
    }
    v.Eir = valueInLayer(layer.kpy.top, layer.kpy.bottom, layer.depthTop, layer.depthBottom, x);
    v.alphaR = 1.0 - kAlphaSlope * v.rqd;
    // At an interface the zero-strength check above is not made, and the strength taken from the
    // two layers may still be 0 at a node below the first.
    if (!at.first && v.qur < kSmallStrength) {
        raiseZeroStrengthAtInterface(run);
        return false;
    }

    v.gamma = averageUnitWeight(run, x);
    if (run.failed()) return false;

    v.krm = krmAt(run, x);
    if (v.krm <= 0.0) {
        raiseZeroKrm(run, at.L);
        return false;
    }
    v.krmWarning = v.krm < kKrmLow ? 316 : v.krm > kKrmHigh ? 317 : 0;
    if (v.krmWarning != 0) recordWarning(run.warnings, -v.krmWarning);

    // Ultimate resistance and initial slope with the depth into rock; xr = 3 b is still shallow.
    v.xr = depthIntoRock(run, at.L, x);
    if (v.xr > 3.0 * b) {
        v.pur = kDeepFactor * v.alphaR * v.qur * b;
        v.Kir = 500.0;
    } else {
        v.pur = v.alphaR * v.qur * b * (1.0 + kShallowSlope * v.xr / b);
        v.Kir = 100.0 + 400.0 * v.xr / (3.0 * b);
    }
    v.Mir = v.Kir * v.Eir;

    v.yrm = v.krm * b;
    if (v.yrm <= 0.0) {
        raiseZeroYrm(run, at.L);
        return false;
    }
    // The initial line meets pur/2 (y / yrm)^0.25 at ya.
    const double meeting = v.pur / (2.0 * std::pow(v.yrm, 0.25) * v.Mir);
    if (!(meeting > 0.0 && std::isfinite(meeting))) {
        raiseNoInitialBranch(run, at.L, x);
        return false;
    }
    v.ya = std::pow(meeting, kYaExponent);
    return true;
}

// Label line with a 12-character value in the ESw.d form.
void scientificLabelLine(Channel& r, std::string_view label, double value, int decimals, std::string_view unit) {
    Line(r).text(label).tab(56).text("= ").es(value, 12, decimals).text(" ").text(unit).end();
}

void WeakRock::print(Run& run, const PyPoint& at, const WeakRockDepth& v, const WeakRockCurve& c) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    const std::string lineLoad = u.ForceUnit + u.slash + u.DeflectionUnit;
    const double b = at.b, pm = at.pm, ym = at.ym;

    writeCurveHeading(run, at, "p-y Curve Computed Using Weak Rock Criteria", "");
    writeCurveLabelLine(r, "Diameter", b, 12, 3, u.DeflectionUnit);
    writeCurveLabelLine(r, "Unconfined Compressive Strength", v.qur, 12, 3, u.StressUnit);
    writeCurveLabelLine(r, "Avg. Eff. Unit Weight", v.gamma, 12, 5, u.UnitWeightComputeUnit);
    if (run.model.options.IUNITS == kUSCS) {
        writeCurveLabelLine(r, "Avg. Eff. Unit Weight", v.gamma * 1728.0, 12, 5, u.UnitWeightUnit);
    }
    writeCurveLabelLine(r, "Xr", v.xr, 12, 3, u.DeflectionUnit);
    writeCurveLabelLine(r, "RQD", v.rqd, 12, 3, "%");
    writeCurveLabelLine(r, "Eir", v.Eir, 12, 0, u.ForceUnit + u.slash + u.DeflectionUnit + u.power + u.two);
    writeCurveLabelLine(r, "Pu", v.pur, 12, 3, lineLoad);
    writeCurveLabelLine(r, "k_rm", v.krm, 12, 5);
    scientificLabelLine(r, "K_ir", v.Mir, 5, lineLoad);
    writeCurveLabelLine(r, "Alpha_r", v.alphaR, 12, 3);
    writeCurveLabelLine(r, "Yu", 3.0 * b / 80.0, 12, 5, u.DeflectionUnit);
    writeCurveLabelLine(r, "Yrm", v.yrm, 12, 5, u.DeflectionUnit);
    scientificLabelLine(r, "Y_A", v.ya, 5, u.DeflectionUnit);
    writeCurveLabelLine(r, "p-multiplier", pm, 12, 5);
    writeCurveLabelLine(r, "y-multiplier", ym, 12, 5);
    writeBlankLines(r, 1);
    Line(r).text("        y, ").text(u.DeflectionUnit).tab(30).text("p, ").text(lineLoad).end();
    writeTextLine(r, "----------------    -----------------");
    plotCurve(run, at, kPrintedPoints);

    // 0, ya, ya + f (16 yrm - ya) for the fractions, 16 yrm (where the curve reaches pur), 20 yrm.
    const double P = 16.0 * c.yrm - c.ya;
    int j = 0;
    const auto point = [&](double y) { writeCurvePoint(run, at, ym * y, pm * weakRockP(c, y), ++j); };
    point(0.0);
    point(c.ya);
    for (const double f : kPrintFractions) point(c.ya + f * P);
    point(16.0 * c.yrm);
    point(20.0 * c.yrm);
}

}  // namespace

void pyWeakRock(Run& run, int L) { runPyModel<WeakRock>(run, L); }

}  // namespace mervik
