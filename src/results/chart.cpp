#include "results/chart.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "results/numbers.hpp"

namespace mervik::results {

namespace {

constexpr double kTickFont = 11.5;
constexpr double kTitleFont = 13;

}  // namespace

std::vector<double> Axis::ticks() const {
    std::vector<double> out;
    const double intervals = (hi - lo) / step;
    // Values near the limits of a double leave no usable step: the two ends only.
    if (!std::isfinite(intervals) || intervals < 0.5 || intervals > 1000) return {lo, hi};
    const int n = static_cast<int>(std::lround(intervals));
    for (int k = 0; k <= n; ++k) {
        double v = lo + k * step;
        if (std::fabs(v) < 1e-9 * step) v = 0;  // no "-0" from rounding
        out.push_back(v);
    }
    return out;
}

std::string Axis::tickLabel(double value) const {
    const double scale = std::pow(10.0, exponent);
    const double shown = value / scale;
    const double shownStep = step / scale;
    int decimals = std::max(0, static_cast<int>(std::ceil(-std::log10(shownStep) - 1e-9)));
    // Steps of 2.5 need one decimal more than their power of ten.
    const double mantissa = shownStep / std::pow(10.0, std::floor(std::log10(shownStep) + 1e-9));
    if (std::fabs(mantissa - 2.5) < 1e-6) ++decimals;
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", std::min(decimals, 12), shown);
    std::string s = text;
    if (s.find_first_not_of("-0.") == std::string::npos) s = "0";
    return s;
}

std::string Axis::unitSuffix(const std::string& unit) const {
    if (exponent == 0) return unit.empty() ? std::string() : " (" + unit + ")";
    return " (10^" + std::to_string(exponent) + (unit.empty() ? "" : " " + unit) + ")";
}

Axis roundAxis(double lo, double hi, int targetTicks) {
    if (!std::isfinite(lo) || !std::isfinite(hi)) lo = 0, hi = 1;
    if (lo > hi) std::swap(lo, hi);
    if (hi - lo <= 1e-12 * std::max(std::fabs(lo), std::fabs(hi))) {
        const double pad = lo == 0 ? 1.0 : 0.1 * std::fabs(lo);
        lo -= pad;
        hi += pad;
    }
    const double raw = (hi - lo) / std::max(1, targetTicks);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power * 10;
    for (const double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (m * power >= raw * (1 - 1e-9)) {
            step = m * power;
            break;
        }
    }
    Axis a;
    a.step = step;
    a.lo = std::floor(lo / step + 1e-9) * step;
    a.hi = std::ceil(hi / step - 1e-9) * step;
    if (a.hi <= a.lo) a.hi = a.lo + step;
    const double largest = std::max(std::fabs(a.lo), std::fabs(a.hi));
    if (largest >= 1e5 || largest < 1e-2) a.exponent = static_cast<int>(std::floor(std::log10(largest) / 3)) * 3;
    return a;
}

std::string seriesColor(std::size_t k) {
    static constexpr std::array<const char*, 10> palette = {"#1f77b4", "#d62728", "#2ca02c", "#ff7f0e", "#9467bd",
                                                           "#8c564b", "#e377c2", "#7f7f7f", "#bcbd22", "#17becf"};
    return palette[k % palette.size()];
}

void fitAxes(Panel& panel, bool xIncludesZero, bool yIncludesZero, int xTicks, int yTicks) {
    double xlo = std::numeric_limits<double>::infinity(), xhi = -xlo, ylo = xlo, yhi = -xlo;
    for (const Series& s : panel.series) {
        for (const auto& [x, y] : s.values) {
            xlo = std::min(xlo, x), xhi = std::max(xhi, x);
            ylo = std::min(ylo, y), yhi = std::max(yhi, y);
        }
    }
    for (const Level& l : panel.levels) {
        if (l.horizontal) {
            ylo = std::min(ylo, l.value), yhi = std::max(yhi, l.value);
        } else {
            xlo = std::min(xlo, l.value), xhi = std::max(xhi, l.value);
        }
    }
    if (xlo > xhi) xlo = 0, xhi = 1;
    if (ylo > yhi) ylo = 0, yhi = 1;
    if (xIncludesZero) xlo = std::min(xlo, 0.0), xhi = std::max(xhi, 0.0);
    if (yIncludesZero) ylo = std::min(ylo, 0.0), yhi = std::max(yhi, 0.0);
    panel.x = roundAxis(xlo, xhi, xTicks);
    panel.y = roundAxis(ylo, yhi, yTicks);
}

void drawPanel(SvgWriter& svg, Panel& panel, double left, double top, double w, double h) {
    panel.x.from = left;
    panel.x.to = left + w;
    panel.y.from = panel.depthDown ? top : top + h;
    panel.y.to = panel.depthDown ? top + h : top;
    const Axis& X = panel.x;
    const Axis& Y = panel.y;

    svg.openGroup(R"(class="panel" )" + attribute("data-quantity", panel.quantity));
    svg.rect(left, top, w, h, "fill:#ffffff;stroke:none");
    for (const double v : X.ticks()) {
        const double px = X.px(v);
        svg.openGroup(R"(class="xtick" )" + attribute("data-value", roundTripNumber(v)));
        svg.line(px, top, px, top + h, v == 0 ? "stroke:#999999;stroke-width:1" : "stroke:#e4e4e4;stroke-width:1");
        svg.line(px, top + h, px, top + h + 4, "stroke:#333333;stroke-width:1");
        svg.text(px, top + h + 17, X.tickLabel(v), "middle", kTickFont);
        svg.closeGroup();
    }
    for (const double v : Y.ticks()) {
        const double py = Y.px(v);
        svg.openGroup(R"(class="ytick" )" + attribute("data-value", roundTripNumber(v)));
        svg.line(left, py, left + w, py, v == 0 && !panel.depthDown ? "stroke:#999999;stroke-width:1" : "stroke:#e4e4e4;stroke-width:1");
        svg.line(left - 4, py, left, py, "stroke:#333333;stroke-width:1");
        if (panel.yTickLabels) svg.text(left - 7, py + 4, Y.tickLabel(v), "end", kTickFont);
        svg.closeGroup();
    }
    svg.rect(left, top, w, h, "fill:none;stroke:#333333;stroke-width:1");
    if (panel.depthDown) {
        // Narrow panels side by side: the title and its unit on two lines above the panel.
        svg.text(left + w / 2, top - 24, panel.xTitle, "middle", kTitleFont);
        const std::string unit = X.unitSuffix(panel.xUnit);
        svg.text(left + w / 2, top - 8, unit.empty() ? std::string() : unit.substr(1), "middle", kTitleFont);
    } else {
        svg.text(left + w / 2, top + h + 36, panel.xTitle + X.unitSuffix(panel.xUnit), "middle", kTitleFont);
    }
    if (panel.yTickLabels && !panel.yTitle.empty()) {
        svg.text(left - 58, top + h / 2, panel.yTitle + Y.unitSuffix(panel.yUnit), "middle", kTitleFont, -90);
    }

    for (const Level& l : panel.levels) {
        if (l.horizontal) {
            const double py = Y.px(l.value);
            svg.line(left, py, left + w, py, "stroke:" + l.color + ";stroke-width:1.2;stroke-dasharray:5,3",
                     R"(class="level")");
            // Below the line in depth panels, where the panel titles stand above.
            const double below = panel.depthDown ? 13 : -4;
            if (l.labelled && !l.text.empty()) svg.text(left + 4, py + below, l.text, "start", 11, 0, "fill:" + l.color);
        } else {
            const double px = X.px(l.value);
            svg.line(px, top, px, top + h, "stroke:" + l.color + ";stroke-width:1.2;stroke-dasharray:5,3",
                     R"(class="level")");
            if (l.labelled && !l.text.empty()) svg.text(px - 4, top + 14, l.text, "end", 11, 0, "fill:" + l.color);
        }
    }
    for (const Series& s : panel.series) {
        std::vector<std::pair<double, double>> points;
        points.reserve(s.values.size());
        for (const auto& [x, y] : s.values) points.emplace_back(X.px(x), Y.px(y));
        svg.polyline(points, "fill:none;stroke:" + s.color + ";stroke-width:1.8;stroke-linejoin:round",
                     R"(class="series" )" + attribute("data-series", s.label));
        if (s.markers)
            for (const auto& [px, py] : points) svg.circle(px, py, 2.5, "fill:" + s.color + ";stroke:none");
    }
    for (const Marker& m : panel.markers) {
        const double px = X.px(m.x), py = Y.px(m.y);
        svg.circle(px, py, 4, "fill:none;stroke:" + m.color + ";stroke-width:1.5");
        const bool rightHalf = px > left + w / 2;
        svg.text(rightHalf ? px - 7 : px + 7, py + 4, m.text, rightHalf ? "end" : "start", 11, 0, "fill:" + m.color);
    }
    svg.closeGroup();
}

double drawLegend(SvgWriter& svg, const std::vector<Series>& series, double left, double top, double w, bool draw) {
    constexpr double row = 18, swatch = 22, gap = 18;
    double x = left, y = top;
    for (const Series& s : series) {
        const double width = swatch + 6 + 7.0 * static_cast<double>(s.label.size()) + gap;
        if (x > left && x + width > left + w) {
            x = left;
            y += row;
        }
        if (draw) {
            svg.line(x, y + 9, x + swatch, y + 9, "stroke:" + s.color + ";stroke-width:2.5");
            svg.text(x + swatch + 6, y + 13, s.label, "start", 12);
        }
        x += width;
    }
    return series.empty() ? 0 : y - top + row;
}

}  // namespace mervik::results
