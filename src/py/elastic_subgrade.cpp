// Linear elastic subgrade: p = E b y, with E varying linearly over the layer. The secant
// modulus does not depend on the deflection, so the solver sees a linear foundation.
#include <cstddef>
#include <string>

#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// Subgrade modulus at vertical depth zs, linear between the layer's top and bottom values.
double subgradeModulusAt(const Run& run, int L, double zs) {
    const SoilLayer& layer = run.model.soil.layer[at(L)];
    const double top = run.model.soil.propertyDepth[at(2 * L - 1)];
    const double bottom = run.model.soil.propertyDepth[at(2 * L)];
    const TopBottom<double>& E = layer.elasticSubgrade;
    if (bottom - top == 0.0) return E.top;  // a layer of no thickness holds its top value
    return E.top + (zs - top) * (E.bottom - E.top) / (bottom - top);
}

void printCurve(Run& run, int L, int k, const PyCurveDepths& d, double b, double pm, double ym, double E, double K) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    writeBlankLines(r, 2);
    writeTextLine(r, "p-y Curve for Elastic Subgrade");
    writeBlankLines(r, 1);
    Line(r).text("Soil Layer Number               ").tab(56).text("= ").i(L, 10).end();
    writeCurveDepthLine(run, "Depth below pile head      ", d.zs);
    writeCurveDepthLine(run, "Depth below ground surface ", d.xg);
    Line(r).text("Shaft Diameter                  ").tab(56).text("= ").f(b, 12, 3).text(" ").text(u.DeflectionUnit).end();
    Line(r)
        .text("Elastic Subgrade Modulus")
        .tab(56)
        .text("= ")
        .f(E, 12, 3)
        .text(" ")
        .text(u.ForceUnit)
        .text(u.slash)
        .text(u.DeflectionUnit)
        .text(u.power)
        .text(u.three)
        .end();
    Line(r).text("p-multiplier                    ").tab(56).text("= ").f(pm, 12, 5).end();
    Line(r).text("y-multiplier                    ").tab(56).text("= ").f(ym, 12, 5).end();
    writeBlankLines(r, 1);
    Line(r).text("        y, ").text(u.DeflectionUnit).tab(22).text("p, ").text(u.ForceUnit).text(u.slash).text(u.DeflectionUnit).end();
    writeTextLine(r, "---------------   ---------------");
    plotRecord7(run, d.xp, 17, "elastic subgrade soil", k);
    double y = 0.0;
    for (int i = 1; i <= 17; ++i) {
        Line(r).blanks(3).real(ym * y, 12).blanks(5).real(K * y, 12).end();
        plotRecord8(run, ym * y, K * y, i, "elastic subgrade");
        y += b / 8.0;
    }
}

}  // namespace

void pyElasticSubgrade(Run& run, int L) {
    for (int k = run.py.firstNode; k <= run.py.lastNode && k <= kMaxNodes; ++k) {
        const PyCurveDepths d = curveDepths(run, L, k, false);
        const double pm = pMultiplierAt(run, d.xp);
        const double ym = yMultiplierAt(run, d.xp);
        const double b = pileWidthAt(run, d.xp);
        if (run.failed()) return;
        run.py.node.b = b;
        const double E = subgradeModulusAt(run, L, d.zs);
        const double K = pm * E * b;
        if (run.py.reportPass) {
            printCurve(run, L, k, d, b, pm, ym, E, K);
            continue;
        }
        run.nodes.Es[at(k)] = K / ym;
        setSoilMovementLoad(run, k);
    }
}

}  // namespace mervik
