// p-y curves given point by point at the top and bottom of a layer, interpolated by depth
// between the two.
#include <array>
#include <cmath>
#include <cstddef>

#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "py/py_node_loop.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// Deflections of the printed curve as multiples of the pile width (single-precision values).
constexpr std::array<double, 17> kPrintedDeflectionFactors = {
    0.0,                  9.999999747378752E-05, 0.0006249999860301614, 0.0012499999720603228,
    0.0018749999580904841, 0.0024999999441206455, 0.0031250000465661287, 0.0037499999161809683,
    0.0043750000186264515, 0.004999999888241291, 0.005625000223517418,  0.0062500000931322575,
    0.006874999962747097, 0.007499999832361937,  0.019999999552965164,  0.03750000149011612,
    0.05000000074505806};

// Resistance of one curve at deflection y >= 0: linear between the points, flat beyond the last.
// A curve without points carries nothing; a one-point curve is flat at its only resistance.
double curveValue(const UserPyCurve& c, double y) {
    const int n = c.count;
    if (n < 1) return 0.0;
    if (y == c.y[1] || n == 1) return c.p[1];
    if (y > c.y[at(n)]) return c.p[at(n)];
    int j = 2;
    while (j <= n - 1 && !(c.y[at(j - 1)] < y && y <= c.y[at(j)])) ++j;
    if (j > n - 1) j = n;
    const double dy = c.y[at(j)] - c.y[at(j - 1)];
    if (dy == 0.0) return c.p[at(j)];
    return c.p[at(j - 1)] + (y - c.y[at(j - 1)]) * (c.p[at(j)] - c.p[at(j - 1)]) / dy;
}

// Initial slope P(2)/Y(2); 0 for a curve without a second point at a positive deflection.
double initialSlope(const UserPyCurve& c) {
    if (c.count < 2 || !(c.y[2] > 0.0)) return 0.0;
    return c.p[2] / c.y[2];
}

struct UserLayer {
    const UserPyCurve& top;
    const UserPyCurve& bottom;
    double Dt, Db;

    // Linear in depth between the top and bottom values; 0 outside the layer.
    double byDepth(double qt, double qb, double xp) const {
        if (xp < Dt || xp > Db) return 0.0;
        if (Db - Dt == 0.0) return qt;
        return qt + (qb - qt) * (xp - Dt) / (Db - Dt);
    }
    double p(double y, double xp) const { return byDepth(curveValue(top, y), curveValue(bottom, y), xp); }
    double Ki(double xp) const { return byDepth(initialSlope(top), initialSlope(bottom), xp); }
    double pu(double xp) const {
        const double pt = top.count >= 1 ? top.p[at(top.count)] : 0.0;
        const double pb = bottom.count >= 1 ? bottom.p[at(bottom.count)] : 0.0;
        if (std::fabs(Db - Dt) > 1E-6) return pt + (xp - Dt) * (pb - pt) / (Db - Dt);
        return pt;
    }
};

// The curve of a node: the layer's two curves and the depth along the pile between them.
struct UserCurve {
    const SoilLayer* layer = nullptr;
    double xp = 0.0;

    UserLayer curves() const {
        return {layer->userCurveTop, layer->userCurveBottom, layer->userCurveTop.depth, layer->userCurveBottom.depth};
    }
};

struct UserCurves {
    struct Depth {};
    using Curve = UserCurve;
    static constexpr PyLawRules kRules{.resistance = LayerResistance::NodeIncrements};

    static bool lookUp(Run&, const PyPoint&, Depth&) { return true; }
    static void repeatWarnings(Run&, const Depth&) {}
    static void curve(Run& run, const PyPoint& at, const Depth&, const UserCurve&, UserCurve& c) {
        c.layer = &run.model.soil.layer[static_cast<std::size_t>(at.L)];
        c.xp = at.d.xp;
    }
    // Layer resistance: the last resistance of the curves over one increment at every node.
    static double resistance(const UserCurve& c) { return c.curves().pu(c.xp); }
    static double threshold(const UserCurve&) { return 1E-14; }
    static double limitingModulus(const UserCurve& c) { return c.curves().Ki(c.xp); }
    static double p(const UserCurve& c, double y) { return c.curves().p(y, c.xp); }
    static void print(Run& run, const PyPoint& at, const Depth&, const UserCurve& c);
};

void UserCurves::print(Run& run, const PyPoint& at, const Depth&, const UserCurve& c) {
    const UnitLabels& units = run.units;
    const UserLayer u = c.curves();
    const double b = at.b, pm = at.pm, ym = at.ym;
    writeCurveHeading(run, at, "p-y Curve Computed by Interpolation Between User-input Curves", {});
    writeCurveLabelLine(run.report, "Pile diameter", b, 12, 3, units.DeflectionUnit);
    writeCurveLabelLine(run.report, "p-multiplier", pm, 12, 3);
    writeCurveLabelLine(run.report, "y-multiplier", ym, 12, 3);
    writeBlankLines(run.report, 1);
    Line(run.report)
        .tab(7)
        .text("y, ")
        .text(units.DeflectionUnit)
        .tab(25)
        .text("p, ")
        .text(units.ForceUnit)
        .text(units.slash)
        .text(units.DeflectionUnit)
        .end();
    writeTextLine(run.report, "----------------    ----------------");
    plotCurve(run, at, 17);
    for (int i = 1; i <= 17; ++i) {
        const double y = kPrintedDeflectionFactors[static_cast<std::size_t>(i - 1)] * b;
        const double p = u.p(y, at.d.xp);
        Line(run.report).f(ym * y, 15, 4).blanks(5).f(pm * p, 15, 4).end();
        plotCurvePoint(run, at, ym * y, pm * p, i);
    }
}

}  // namespace

void pyUserCurves(Run& run, int L) { runPyModel<UserCurves>(run, L); }

}  // namespace mervik
