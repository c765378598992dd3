// Test support for the rock p-y models: a hand profile of layers with rock properties, nodes at
// chosen depths, and readers of the printed curve (label lines and the points of plot record 8).
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/memory_run.hpp"
#include "support/temp_run.hpp"

namespace mervik::testing {

// Value of the label line "label ... = value" (NaN when the label is not printed).
inline double labelValue(const std::string& text, const std::string& label) {
    for (const std::string& line : lines(text)) {
        if (line.size() > 57 && line.compare(0, label.size(), label) == 0 && line[label.size()] == ' ' &&
            line.compare(55, 2, "= ") == 0)
            return std::stod(line.substr(57));
    }
    return std::numeric_limits<double>::quiet_NaN();
}

// The (y, p) pairs of the plot records 8 (ES15.7: eight significant digits).
inline std::vector<std::pair<double, double>> plottedPoints(const std::string& plot) {
    std::vector<std::pair<double, double>> points;
    for (const std::string& line : lines(plot)) {
        if (line.find("Line 8(") == std::string::npos) continue;
        points.emplace_back(std::stod(line.substr(0, 15)), std::stod(line.substr(15, 15)));
    }
    return points;
}

// True when the lines follow one another in the text, each on a line of its own.
inline bool hasLines(const std::string& text, const std::vector<std::string>& lines) {
    std::string block = "\n";
    for (const std::string& line : lines) block += line + "\n";
    return ("\n" + text).find(block) != std::string::npos;
}

inline void expectRelative(double actual, double expected, double tolerance = 1E-12) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * tolerance + 1E-300);
}

class RockRunTest : public MemoryRunTest {
public:
    static std::size_t at(int i) { return static_cast<std::size_t>(i); }

    void units(int IUNITS) {
        run->model.options.IUNITS = IUNITS;
        run->units = makeUnitLabels(IUNITS);
    }
    // Layer L from top to bottom with its model code and a unit weight; the property points and
    // the layer count follow the highest layer set.
    SoilLayer& layer(int L, int code, double top, double bottom, double gamma = 0.5) {
        SoilProfile& soil = run->model.soil;
        SoilLayer& s = soil.layer[at(L)];
        s.modelCode = code;
        s.depthTop = top;
        s.depthBottom = bottom;
        s.gamma = {gamma, gamma};
        soil.propertyDepth[at(2 * L - 1)] = top;
        soil.propertyDepth[at(2 * L)] = bottom;
        if (L > soil.layerCount) {
            soil.layerCount = L;
            soil.propertyPointCount = 2 * L;
        }
        if (L == 1) soil.groundSurface = top;
        return s;
    }
    void width(double b) {
        PileSections& p = run->model.sections;
        p.propertyPointCount = 2;
        p.point[1].depth = 0.0;
        p.point[1].diameter = b;
        p.point[2].depth = 1000.0;
        p.point[2].diameter = b;
    }
    void multipliers(double pm, double ym) {
        PyModifierTable& t = run->model.pyModifiers;
        t.count = 2;
        t.depth[1] = 0.0;
        t.depth[2] = 1000.0;
        t.pMultiplier[1] = t.pMultiplier[2] = pm;
        t.yMultiplier[1] = t.yMultiplier[2] = ym;
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
    void range(int L, int first, int last) {
        run->py.layer = L;
        run->py.firstNode = first;
        run->py.lastNode = last;
    }
    void deflect(double y) {
        for (int k = 1; k <= run->nodes.M; ++k) run->nodes.y(k) = y;
    }
    // The report pass of layer L at one output depth (entry 1 of the output list).
    void printAt(void (*routine)(mervik::Run&, int), int L, double depth) {
        run->py.reportPass = true;
        run->nodes.x[1] = depth;
        range(L, 1, 1);
        routine(*run, L);
        run->py.reportPass = false;
    }
    double Es(int k) const { return run->nodes.Es[at(k)]; }
    int warningCount(int n) const { return run->warnings.counts[at(n)]; }
};

}  // namespace mervik::testing
