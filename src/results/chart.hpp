// Charts of the figures: axes with ticks at round values, panels of polylines with dashed
// levels and labelled markers, and a legend, drawn through the SVG writer.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "results/svg.hpp"

namespace mervik::results {

// A linear axis between round values; `from` and `to` are the pixel positions of lo and hi.
struct Axis {
    double lo = 0, hi = 1, step = 1;
    int exponent = 0;  // tick labels show value / 10^exponent
    double from = 0, to = 1;

    double px(double value) const { return from + (value - lo) * (to - from) / (hi - lo); }
    std::vector<double> ticks() const;
    std::string tickLabel(double value) const;
    // " (10^6 in-lb)" or " (in-lb)": the unit of the tick labels.
    std::string unitSuffix(const std::string& unit) const;
};

// An axis of about `targetTicks` intervals whose ends are round values enclosing lo and hi.
Axis roundAxis(double lo, double hi, int targetTicks);

struct Series {
    std::string label;
    std::vector<std::pair<double, double>> values;  // (x, y) in the units of the axes
    std::string color;
    bool markers = false;  // a dot at every point
};

// A dashed line across the panel at a value of the y axis (horizontal) or of the x axis.
struct Level {
    double value = 0;
    std::string text;
    std::string color = "#555555";
    bool horizontal = true;
    bool labelled = true;
};

struct Marker {
    double x = 0, y = 0;
    std::string text;
    std::string color = "#000000";
};

struct Panel {
    std::string quantity;  // data-quantity of the panel group
    std::string xTitle, yTitle, xUnit, yUnit;
    Axis x, y;
    bool depthDown = false;     // y grows downward (depth)
    bool yTickLabels = true;
    std::vector<Series> series;
    std::vector<Level> levels;
    std::vector<Marker> markers;
};

// The colour of series k of a figure.
std::string seriesColor(std::size_t k);

// The value range of the panel's series (and levels) on each axis, rounded; zero included.
void fitAxes(Panel& panel, bool xIncludesZero, bool yIncludesZero, int xTicks, int yTicks);

// Draws the panel with its plot area at (left, top), width w and height h.
void drawPanel(SvgWriter& svg, Panel& panel, double left, double top, double w, double h);

// A legend of the series below a figure from (left, top) over width w; returns its height.
double drawLegend(SvgWriter& svg, const std::vector<Series>& series, double left, double top, double w, bool draw = true);

}  // namespace mervik::results
