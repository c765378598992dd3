// Linear elastic subgrade: p = E b y, with E varying linearly over the layer. The secant
// modulus does not depend on the deflection, so the solver sees a linear foundation.
#include <cstddef>
#include <limits>
#include <string>

#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "py/py_node_loop.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

struct SubgradeDepth {
    double E = 0.0;  // elastic subgrade modulus at the node
};

struct SubgradeCurve {
    double E = 0.0;
    double K = 0.0;   // pm E b
    double ym = 1.0;
};

struct ElasticSubgrade {
    using Depth = SubgradeDepth;
    using Curve = SubgradeCurve;
    static constexpr PyLawRules kRules{};

    // Modulus at vertical depth zs, linear between the layer's top and bottom values.
    static bool lookUp(Run& run, const PyPoint& at, SubgradeDepth& v) {
        const auto L = static_cast<std::size_t>(at.L);
        const TopBottom<double>& E = run.model.soil.layer[L].elasticSubgrade;
        v.E = valueInLayer(E.top, E.bottom, run.model.soil.propertyDepth[2 * L - 1], run.model.soil.propertyDepth[2 * L],
                           at.d.zs);
        return true;
    }
    static void repeatWarnings(Run&, const SubgradeDepth&) {}
    static void curve(Run&, const PyPoint& at, const SubgradeDepth& v, const SubgradeCurve&, SubgradeCurve& c) {
        c.E = v.E;
        c.K = at.pm * v.E * at.b;
        c.ym = at.ym;
    }
    // A straight line: the secant is the same at every deflection.
    static double threshold(const SubgradeCurve&) { return std::numeric_limits<double>::infinity(); }
    static double limitingModulus(const SubgradeCurve& c) { return c.K / c.ym; }
    static double p(const SubgradeCurve& c, double y) { return c.K * y; }
    static void print(Run& run, const PyPoint& at, const SubgradeDepth&, const SubgradeCurve& c);
};

void ElasticSubgrade::print(Run& run, const PyPoint& at, const SubgradeDepth&, const SubgradeCurve& c) {
    Channel& r = run.report;
    const UnitLabels& u = run.units;
    writeShaftCurveHeading(run, at, "p-y Curve for Elastic Subgrade");
    writeCurveLabelLine(r, "Elastic Subgrade Modulus", c.E, 12, 3, u.ForceUnit + u.slash + u.DeflectionUnit + u.power + u.three);
    writeCurveLabelLine(r, "p-multiplier", at.pm, 12, 5);
    writeCurveLabelLine(r, "y-multiplier", at.ym, 12, 5);
    writeBlankLines(r, 1);
    Line(r).text("        y, ").text(u.DeflectionUnit).tab(22).text("p, ").text(u.ForceUnit).text(u.slash).text(u.DeflectionUnit).end();
    writeTextLine(r, "---------------   ---------------");
    plotCurve(run, at, 17);
    double y = 0.0;
    for (int i = 1; i <= 17; ++i) {
        writeCurvePoint(run, at, at.ym * y, p(c, y), i);
        y += at.b / 8.0;
    }
}

}  // namespace

void pyElasticSubgrade(Run& run, int L) { runPyModel<ElasticSubgrade>(run, L); }

}  // namespace mervik
