// Figures: every SVG is well-formed XML (read by Python's XML parser), and the extreme points
// of every plotted polyline, mapped back through the ticks of its axes, are the extreme values
// of the plot records within half a pixel.
#include "results/figures.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "results/chart.hpp"
#include "results/command.hpp"
#include "results/plot_file.hpp"
#include "results/report_scan.hpp"
#include "support/temp_run.hpp"

namespace mervik::results {
namespace {

const char* const kPython = "/usr/bin/python3";
const std::string kSvgCheck = std::string(MERVIK_FIXTURES) + "/../results/svg_check.py";

struct Extent {
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0, xhalf = 0, yhalf = 0;
};

// The polylines of the figures as the checker maps them, by "file|quantity|index"; the files
// it could not read as XML in `errors`.
std::map<std::string, Extent> mappedPolylines(const std::vector<std::string>& files, std::vector<std::string>& errors) {
    std::string command = std::string(kPython) + " " + kSvgCheck;
    for (const std::string& f : files) command += " '" + f + "'";
    const testing::CommandOutcome out = testing::runCommand(command + " 2>&1");
    std::map<std::string, Extent> polylines;
    for (const std::string& line : testing::lines(out.out)) {
        std::vector<std::string> f;
        std::stringstream in(line);
        for (std::string part; std::getline(in, part, '|');) f.push_back(part);
        if (f.size() == 10 && f[0] == "POLY") {
            const std::string file = f[1].substr(f[1].find_last_of('/') + 1);
            polylines[file + "|" + f[2] + "|" + f[3]] = {std::stod(f[4]), std::stod(f[5]), std::stod(f[6]),
                                                         std::stod(f[7]), std::stod(f[8]), std::stod(f[9])};
        } else if (f.size() != 2 || f[1] != "OK") {
            errors.push_back(line);
        }
    }
    return polylines;
}

struct Expected {
    std::string key;  // file|quantity|index
    std::vector<std::pair<double, double>> points;
};

void expectWithinHalfPixel(const std::map<std::string, Extent>& mapped, const Expected& e) {
    const auto it = mapped.find(e.key);
    ASSERT_NE(it, mapped.end()) << e.key;
    ASSERT_FALSE(e.points.empty()) << e.key;
    double xmin = e.points[0].first, xmax = xmin, ymin = e.points[0].second, ymax = ymin;
    for (const auto& [x, y] : e.points) {
        xmin = std::min(xmin, x), xmax = std::max(xmax, x);
        ymin = std::min(ymin, y), ymax = std::max(ymax, y);
    }
    const Extent& m = it->second;
    EXPECT_NEAR(m.xmin, xmin, m.xhalf) << e.key;
    EXPECT_NEAR(m.xmax, xmax, m.xhalf) << e.key;
    EXPECT_NEAR(m.ymin, ymin, m.yhalf) << e.key;
    EXPECT_NEAR(m.ymax, ymax, m.yhalf) << e.key;
}

bool havePython() { return access(kPython, X_OK) == 0; }

TEST(Figures, WellFormedAndPolylinesMapBackToTheRecords) {
    if (!havePython()) GTEST_SKIP() << kPython << " is missing: the SVG files cannot be checked";
    testing::TempDir dir;
    const testing::HostRun run = testing::runHost(dir, testing::fixture("results_small.lp6"));
    ASSERT_EQ(run.result, 0) << run.messages;
    const PlotRecords r = parsePlotRecords(run.plot);
    writeFigures(r, scanReport(run.report), dir / "figures", "results_small", {});

    const std::vector<std::string> names = {"case_1.svg", "case_2.svg", "all_cases.svg", "py_curves.svg",
                                            "section_1.svg", "length_series.svg"};
    std::vector<std::string> files;
    for (const std::string& n : names) files.push_back((dir / "figures" / n).string());
    std::vector<std::string> errors;
    const std::map<std::string, Extent> mapped = mappedPolylines(files, errors);
    EXPECT_TRUE(errors.empty()) << errors.front();

    // (value, depth) of the node records; the soil modulus is -p/y where the node deflects.
    const std::vector<std::pair<std::string, std::function<bool(const NodeRow&, double&)>>> quantities = {
        {"deflection", [](const NodeRow& n, double& v) { return v = n.y, true; }},
        {"moment", [](const NodeRow& n, double& v) { return v = n.M, true; }},
        {"shear", [](const NodeRow& n, double& v) { return v = n.V, true; }},
        {"soil reaction", [](const NodeRow& n, double& v) { return v = n.p, true; }},
        {"soil modulus", [](const NodeRow& n, double& v) { return n.y != 0 && (v = -n.p / n.y, true); }},
    };
    std::vector<Expected> expected;
    for (std::size_t j = 0; j < r.loadCases.size(); ++j) {
        for (const auto& [name, value] : quantities) {
            Expected single{"case_" + std::to_string(j + 1) + ".svg|" + name + "|0", {}};
            for (const NodeRow& n : r.loadCases[j].nodes) {
                double v = 0;
                if (value(n, v)) single.points.emplace_back(v, n.x);
            }
            expected.push_back(single);
            expected.push_back({"all_cases.svg|" + name + "|" + std::to_string(j), single.points});
        }
    }
    Expected py{"py_curves.svg|p-y|0", {}};
    for (const PyPoint& p : r.pyCurves.at(0).points) py.points.emplace_back(p.y, p.p);
    expected.push_back(py);
    Expected mc{"section_1.svg|moment-curvature|0", {}}, ei{"section_1.svg|stiffness-moment|0", {}};
    for (const MomentCurvaturePoint& p : r.sections.at(0).relations.at(0).points) {
        mc.points.emplace_back(p.curvature, p.moment);
        ei.points.emplace_back(p.moment, p.EI);
    }
    expected.push_back(mc);
    expected.push_back(ei);
    Expected length{"length_series.svg|pile-head deflection|0", {}};
    for (const LengthPoint& p : r.loadCases.at(0).lengthSeries) length.points.emplace_back(p.pileLength, p.yTop);
    expected.push_back(length);

    for (const Expected& e : expected) expectWithinHalfPixel(mapped, e);
    EXPECT_EQ(mapped.size(), expected.size());
}

// Texts taken from the plot file (the model text of a p-y curve) are escaped.
TEST(Figures, TextsFromThePlotFileAreEscaped) {
    if (!havePython()) GTEST_SKIP() << kPython << " is missing: the SVG files cannot be checked";
    PlotRecords r;
    r.IUNITS = 2;
    r.lateral = true;
    r.pyCurves.push_back({2.0, false, "clay <soft> & \"wet\" 'o'", 1, {{0, 0}, {0.01, 5}, {0.02, 7}}});
    testing::TempDir dir;
    writeFigures(r, {}, dir.path(), "a<b>&c", {});
    std::vector<std::string> errors;
    const std::map<std::string, Extent> mapped = mappedPolylines({(dir / "py_curves.svg").string()}, errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    expectWithinHalfPixel(mapped, {"py_curves.svg|p-y|0", {{0, 0}, {0.01, 5}, {0.02, 7}}});
    EXPECT_NE(dir.read("py_curves.svg").find("clay &lt;soft&gt; &amp; &quot;wet&quot; &apos;o&apos;"), std::string::npos);
}

// Axes end on round values that enclose the data, with a round step (worked by hand: the raw
// step is the range over the wanted number of intervals, raised to 1, 2, 2.5 or 5 times a power
// of ten).
TEST(Figures, AxesOfRoundTicks) {
    const struct {
        double lo, hi;
        int ticks;
        double axisLo, axisHi, step;
        int exponent;
    } cases[] = {
        {0, 0.0790573, 3, 0, 0.1, 0.05, 0},       // raw 0.0264 -> 0.05
        {-524283, 337901, 3, -1e6, 5e5, 5e5, 6},  // raw 287395 -> 5e5
        {0, 360, 8, 0, 400, 50, 0},               // raw 45 -> 50
        {-189.7, 13.7, 3, -200, 100, 100, 0},     // raw 67.8 -> 100
        {0, 4.685e-4, 5, 0, 5e-4, 1e-4, -6},      // raw 9.4e-5 -> 1e-4
        {2400, 2400, 3, 2000, 2800, 200, 0},      // one value: 2160 to 2640, raw 160 -> 200
    };
    for (const auto& c : cases) {
        const Axis a = roundAxis(c.lo, c.hi, c.ticks);
        EXPECT_NEAR(a.lo, c.axisLo, 1e-9 * c.step) << c.lo << " " << c.hi;
        EXPECT_NEAR(a.hi, c.axisHi, 1e-9 * c.step) << c.lo << " " << c.hi;
        EXPECT_NEAR(a.step, c.step, 1e-9 * c.step) << c.lo << " " << c.hi;
        EXPECT_EQ(a.exponent, c.exponent) << c.lo << " " << c.hi;
    }
    Axis a = roundAxis(-524283, 337901, 3);
    EXPECT_EQ(a.tickLabel(-5e5), "-0.5");
    EXPECT_EQ(a.unitSuffix("in-lb"), " (10^6 in-lb)");
    a = roundAxis(0, 0.0790573, 3);
    EXPECT_EQ(a.tickLabel(0.05), "0.05");
}

}  // namespace
}  // namespace mervik::results
