// Test support for the p-y models: a fixture that lays out a hand profile (units, pile width,
// multipliers, layer depths, nodes) and evaluates a layer's node range, and readers of the printed
// curves (label lines, the point table and the points of plot record 8).
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "support/memory_run.hpp"
#include "support/temp_run.hpp"

namespace mervik::testing {

// A (y, p) point of a printed or plotted curve.
struct CurvePoint {
    double y, p;
};

// The (y, p) points of the plot records 8, in order (two ES15.7 fields).
inline std::vector<CurvePoint> plottedPoints(const std::string& plot) {
    std::vector<CurvePoint> points;
    for (const std::string& line : lines(plot)) {
        if (line.find("Line 8(") == std::string::npos) continue;
        points.push_back({std::stod(line.substr(0, 15)), std::stod(line.substr(15, 15))});
    }
    return points;
}

// The (y, p) point lines below the rule of a printed curve's table, up to the first line that is
// not a point line.
inline std::vector<CurvePoint> printedPoints(const std::string& report,
                                             const std::string& rule = "----------------    -----------------") {
    std::vector<CurvePoint> points;
    bool inTable = false;
    for (const std::string& line : lines(report)) {
        if (line == rule) {
            inTable = true;
            continue;
        }
        if (!inTable) continue;
        if (line.size() != 32) break;
        points.push_back({std::stod(line.substr(0, 15)), std::stod(line.substr(15))});
    }
    return points;
}

// True when the lines follow one another in the text, each on a line of its own.
inline bool hasLines(const std::string& text, const std::vector<std::string>& lines) {
    std::string block = "\n";
    for (const std::string& line : lines) block += line + "\n";
    return ("\n" + text).find(block) != std::string::npos;
}

// Label line: the label, blanks to column 56, "= " and the rest.
inline std::string row(const std::string& label, const std::string& rest) {
    return label + std::string(55 - label.size(), ' ') + "= " + rest + "\n";
}

// The value of the n-th (0-based) label line of the report with this label (NaN when the report
// has fewer).
inline double labelValue(const std::string& report, const std::string& label, int n = 0) {
    const std::string key = label + std::string(55 - label.size(), ' ') + "= ";
    for (const std::string& line : lines(report)) {
        if (line.size() <= key.size() || line.compare(0, key.size(), key) != 0) continue;
        if (n-- == 0) return std::stod(line.substr(key.size()));
    }
    return std::numeric_limits<double>::quiet_NaN();
}

// actual within a relative tolerance of expected, plus an absolute term.
inline void expectRelative(double actual, double expected, double tolerance = 1E-12, double absolute = 0.0) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * tolerance + absolute);
}

class PyModelTest : public MemoryRunTest {
public:
    static std::size_t at(int i) { return static_cast<std::size_t>(i); }

    void units(int IUNITS) {
        run->model.options.IUNITS = IUNITS;
        run->units = makeUnitLabels(IUNITS);
    }
    // Layer L from top to bottom with its model code, on its two property points; the layer and
    // property point counts follow the highest layer placed. The model's properties are the
    // caller's.
    SoilLayer& placeLayer(int L, int code, double top, double bottom) {
        SoilProfile& soil = run->model.soil;
        SoilLayer& s = soil.layer[at(L)];
        s.modelCode = code;
        s.depthTop = top;
        s.depthBottom = bottom;
        soil.propertyDepth[at(2 * L - 1)] = top;
        soil.propertyDepth[at(2 * L)] = bottom;
        if (L > soil.layerCount) {
            soil.layerCount = L;
            soil.propertyPointCount = 2 * L;
        }
        return s;
    }
    // A clay layer with constant undrained strength c, unit weight gamma, eps50 and subgrade
    // modulus k.
    SoilLayer& clayLayer(int L, int code, double top, double bottom, double c, double gamma, double eps50, double k) {
        SoilLayer& s = placeLayer(L, code, top, bottom);
        s.cohesion = {c, c};
        s.gamma = {gamma, gamma};
        s.eps50 = {eps50, eps50};
        s.kpy = {k, k};
        return s;
    }
    // The frame of a hand profile: the units, the ground surface at the pile head, a pile of
    // constant width b and M nodes h apart from the head, all of them evaluated as layer 1.
    void handProfile(int IUNITS, double b, int M, double h) {
        units(IUNITS);
        run->model.soil.groundSurface = 0.0;
        width(b);
        evenNodes(M, h);
        range(1, 1, M);
    }
    // A pile of constant width b.
    void width(double b) {
        PileSections& p = run->model.sections;
        p.propertyPointCount = 2;
        p.point[1].depth = 0.0;
        p.point[1].diameter = b;
        p.point[2].depth = 1000.0;
        p.point[2].diameter = b;
    }
    // Constant p- and y-multipliers.
    void multipliers(double pm, double ym) {
        PyModifierTable& t = run->model.pyModifiers;
        t.count = 2;
        t.depth[1] = 0.0;
        t.depth[2] = 1000.0;
        t.pMultiplier[1] = t.pMultiplier[2] = pm;
        t.yMultiplier[1] = t.yMultiplier[2] = ym;
    }
    // M nodes h apart from the pile head (along the pile and vertical), pile length (M - 1) h.
    void evenNodes(int M, double h) {
        PileNodes& n = run->nodes;
        n.M = M;
        n.h = h;
        n.L = h * (M - 1);
        for (int k = 1; k <= M; ++k) n.x[at(k)] = n.z[at(k)] = h * (k - 1);
    }
    // Nodes 1.. at the depths given (along the pile and vertical), increment h, pile length L.
    void nodes(std::initializer_list<double> depths, double h, double L) {
        PileNodes& n = run->nodes;
        n.M = 0;
        for (const double x : depths) {
            ++n.M;
            n.x[at(n.M)] = n.z[at(n.M)] = x;
        }
        n.h = h;
        n.L = L;
    }
    // The nodes first..last of layer L are the ones the model evaluates.
    void range(int L, int first, int last) {
        run->py.layer = L;
        run->py.firstNode = first;
        run->py.lastNode = last;
    }
    // Every node deflected by y.
    void deflect(double y) {
        for (int k = 1; k <= run->nodes.M; ++k) run->nodes.y(k) = y;
    }
    double Es(int k) const { return run->nodes.Es[at(k)]; }
    int warningCount(int n) const { return run->warnings.counts[at(n)]; }

    // A user-input p-y curve at a depth through the points (y, p).
    static void userCurve(UserPyCurve& c, double depth, std::initializer_list<std::pair<double, double>> points) {
        c.depth = depth;
        c.count = 0;
        for (const auto& [y, p] : points) {
            ++c.count;
            c.y[at(c.count)] = y;
            c.p[at(c.count)] = p;
        }
    }
};

}  // namespace mervik::testing
