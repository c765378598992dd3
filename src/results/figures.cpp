// The figures of a plot file, each built from panels of the chart layer.
#include "results/figures.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "results/case_lines.hpp"
#include "results/chart.hpp"
#include "results/numbers.hpp"
#include "results/units.hpp"

namespace fs = std::filesystem;

namespace mervik::results {

namespace {

constexpr double kWide = 960;  // fits an A4 page at a readable scale

// The quantities against depth of one load case.
enum class DepthQuantity { Deflection, Moment, Shear, SoilReaction, SoilModulus };
constexpr DepthQuantity kDepthQuantities[] = {DepthQuantity::Deflection, DepthQuantity::Moment, DepthQuantity::Shear,
                                              DepthQuantity::SoilReaction, DepthQuantity::SoilModulus};

struct QuantityText {
    const char* key;
    const char* title;
};

QuantityText textOf(DepthQuantity q) {
    switch (q) {
        case DepthQuantity::Deflection: return {"deflection", "Deflection y"};
        case DepthQuantity::Moment: return {"moment", "Bending moment M"};
        case DepthQuantity::Shear: return {"shear", "Shear force V"};
        case DepthQuantity::SoilReaction: return {"soil reaction", "Soil reaction p"};
        case DepthQuantity::SoilModulus: return {"soil modulus", "Soil modulus Es = -p/y"};
    }
    return {"", ""};
}

std::string unitOf(DepthQuantity q, const UnitNames& u) {
    switch (q) {
        case DepthQuantity::Deflection: return u.length;
        case DepthQuantity::Moment: return u.moment;
        case DepthQuantity::Shear: return u.force;
        case DepthQuantity::SoilReaction: return u.lineLoad;
        case DepthQuantity::SoilModulus: return u.modulus;
    }
    return {};
}

// (value, depth) of every node of the case; the soil modulus is the secant modulus -p/y of the
// nodes that deflect.
std::vector<std::pair<double, double>> depthValues(const LoadCaseRecords& lc, int quantity) {
    std::vector<std::pair<double, double>> values;
    for (const NodeRow& n : lc.nodes) {
        switch (static_cast<DepthQuantity>(quantity)) {
            case DepthQuantity::Deflection: values.emplace_back(n.y, n.x); break;
            case DepthQuantity::Moment: values.emplace_back(n.M, n.x); break;
            case DepthQuantity::Shear: values.emplace_back(n.V, n.x); break;
            case DepthQuantity::SoilReaction: values.emplace_back(n.p, n.x); break;
            case DepthQuantity::SoilModulus:
                if (n.y != 0) values.emplace_back(-n.p / n.y, n.x);
                break;
        }
    }
    return values;
}

std::string caseLabel(const LoadCaseRecords& lc) {
    return (lc.lrfd ? "LRFD load case " : "Load case ") + std::to_string(lc.number);
}

// An empty panel with its quantity and axis titles.
Panel titledPanel(std::string quantity, std::string xTitle, std::string xUnit, std::string yTitle, std::string yUnit) {
    Panel p;
    p.quantity = std::move(quantity);
    p.xTitle = std::move(xTitle);
    p.xUnit = std::move(xUnit);
    p.yTitle = std::move(yTitle);
    p.yUnit = std::move(yUnit);
    return p;
}

// Deflection, moment, shear, soil reaction and soil modulus against one shared depth axis, for
// one case or several overlaid.
std::string depthFigure(const std::string& title, const std::string& subtitle,
                        const std::vector<const LoadCaseRecords*>& cases, const ReportFacts& facts, const UnitNames& u,
                        bool markMaximumMoment) {
    double deepest = 0, shallowest = 0;
    for (const LoadCaseRecords* lc : cases)
        for (const NodeRow& n : lc->nodes) deepest = std::max(deepest, n.x), shallowest = std::min(shallowest, n.x);
    const Axis depth = roundAxis(shallowest, deepest, 8);

    std::vector<Level> levels;
    for (std::size_t j = 0; j < facts.layers.size(); ++j) {
        const ReportLayer& layer = facts.layers[j];
        if (layer.top < depth.lo || layer.top > depth.hi) continue;
        Level l;
        l.value = layer.top;
        l.text = j == 0 ? "ground surface" : "layer " + std::to_string(layer.number) + ": " + layer.name;
        l.color = j == 0 ? "#7a4a12" : "#a0703a";
        levels.push_back(l);
    }

    std::vector<Panel> panels;
    for (const DepthQuantity q : kDepthQuantities) {
        Panel p = titledPanel(textOf(q).key, textOf(q).title, unitOf(q, u), "Depth below pile head", u.length);
        p.depthDown = true;
        p.yTickLabels = panels.empty();
        for (std::size_t k = 0; k < cases.size(); ++k) {
            Series s;
            s.label = caseLabel(*cases[k]);
            s.color = seriesColor(k);
            s.values = depthValues(*cases[k], static_cast<int>(q));
            p.series.push_back(std::move(s));
        }
        p.levels = levels;
        for (Level& l : p.levels) l.labelled = panels.empty();
        fitAxes(p, true, true, 3, 8);
        p.y = depth;
        if (markMaximumMoment && q == DepthQuantity::Moment && !cases.empty() && !cases[0]->nodes.empty()) {
            const NodeRow& n = cases[0]->nodes[maxMomentNode(*cases[0])];
            p.markers.push_back({n.M, n.x, "Mmax", "#000000"});
        }
        panels.push_back(std::move(p));
    }

    constexpr double left = 86, right = 22, gap = 46, top = 100, height = 560;
    const double w = (kWide - left - right - gap * (panels.size() - 1)) / panels.size();
    std::vector<Series> legend = cases.size() > 1 ? panels[0].series : std::vector<Series>{};
    SvgWriter sizing(0, 0, "");
    const double legendHeight = drawLegend(sizing, legend, left, 0, kWide - left - right, false);
    const double total = top + height + 30 + legendHeight + 10;

    SvgWriter svg(kWide, total, title);
    svg.text(left, 24, title, "start", 16, 0, "font-weight:bold");
    svg.text(left, 46, subtitle, "start", 13);
    for (std::size_t k = 0; k < panels.size(); ++k) drawPanel(svg, panels[k], left + k * (w + gap), top, w, height);
    drawLegend(svg, legend, left, top + height + 30, kWide - left - right);
    return svg.finish();
}

// One panel over the whole width with its legend below.
std::string singlePanelFigure(const std::string& title, Panel& panel, bool xIncludesZero) {
    constexpr double width = 760, left = 96, right = 24, top = 48, height = 430;
    fitAxes(panel, xIncludesZero, true, 6, 6);
    SvgWriter sizing(0, 0, "");
    const double legendHeight = drawLegend(sizing, panel.series, left, 0, width - left - right, false);
    SvgWriter svg(width, top + height + 52 + legendHeight + 10, title);
    svg.text(left, 26, title, "start", 16, 0, "font-weight:bold");
    drawPanel(svg, panel, left, top, width - left - right, height);
    drawLegend(svg, panel.series, left, top + height + 50, width - left - right);
    return svg.finish();
}

std::string pyFigure(const PlotRecords& r, const UnitNames& u) {
    Panel p = titledPanel("p-y", "Deflection y", u.length, "Soil reaction p", u.lineLoad);
    for (std::size_t k = 0; k < r.pyCurves.size(); ++k) {
        const PyCurveRecords& c = r.pyCurves[k];
        Series s;
        s.label = "depth " + shortNumber(c.depth) + " " + u.length + ", " + (c.aboveGround ? "above the ground" : c.model);
        s.color = seriesColor(k);
        for (const PyPoint& pt : c.points) s.values.emplace_back(pt.y, pt.p);
        p.series.push_back(std::move(s));
    }
    return singlePanelFigure("p-y curves at the printed depths", p, true);
}

std::string sectionFigure(const SectionRelations& section, const UnitNames& u) {
    Panel mc = titledPanel("moment-curvature", "Curvature", u.curvature, "Bending moment M", u.sectionMoment);
    Panel ei = titledPanel("stiffness-moment", "Bending moment M", u.sectionMoment, "Bending stiffness EI", u.sectionEI);
    const bool fewThrusts = section.relations.size() <= 3;
    for (std::size_t k = 0; k < section.relations.size(); ++k) {
        const MomentCurvatureRelation& rel = section.relations[k];
        Series a, b;
        a.label = b.label = "P = " + shortNumber(rel.thrust) + " " + u.sectionForce + ", Mn = " +
                            shortNumber(rel.nominalMoment) + " " + u.sectionMoment;
        a.color = b.color = seriesColor(k);
        for (const MomentCurvaturePoint& pt : rel.points) {
            a.values.emplace_back(pt.curvature, pt.moment);
            b.values.emplace_back(pt.moment, pt.EI);
        }
        mc.series.push_back(std::move(a));
        ei.series.push_back(std::move(b));
        mc.levels.push_back({rel.nominalMoment, "Mn", seriesColor(k), true, fewThrusts && k == 0});
        ei.levels.push_back({rel.nominalMoment, "Mn", seriesColor(k), false, fewThrusts && k == 0});
    }
    fitAxes(mc, true, true, 5, 6);
    fitAxes(ei, true, true, 5, 6);

    constexpr double left = 96, right = 20, gap = 104, top = 48, height = 400;
    const double w = (kWide - left - right - gap) / 2;
    SvgWriter sizing(0, 0, "");
    const double legendHeight = drawLegend(sizing, mc.series, left, 0, kWide - left - right, false);
    const std::string title = "Section " + std::to_string(section.section) + ": moment-curvature and bending stiffness";
    SvgWriter svg(kWide, top + height + 52 + legendHeight + 10, title);
    svg.text(left, 26, title, "start", 16, 0, "font-weight:bold");
    drawPanel(svg, mc, left, top, w, height);
    drawPanel(svg, ei, left + w + gap, top, w, height);
    drawLegend(svg, mc.series, left, top + height + 50, kWide - left - right);
    return svg.finish();
}

std::string lengthFigure(const PlotRecords& r, const UnitNames& u) {
    Panel p = titledPanel("pile-head deflection", "Pile length", u.length, "Pile-head deflection", u.length);
    std::size_t k = 0;
    for (const LoadCaseRecords& lc : r.loadCases) {
        if (lc.lengthSeries.empty()) continue;
        Series s;
        s.label = caseLabel(lc);
        s.color = seriesColor(k++);
        s.markers = true;
        for (const LengthPoint& pt : lc.lengthSeries) s.values.emplace_back(pt.pileLength, pt.yTop);
        p.series.push_back(std::move(s));
    }
    return singlePanelFigure("Pile-head deflection against pile length", p, true);
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error(path.string() + ": cannot be written");
}

}  // namespace

std::vector<Figure> buildFigures(const PlotRecords& r, const ReportFacts& facts) {
    const UnitNames u = unitNames(r.units());
    std::vector<Figure> figures;
    for (const LoadCaseRecords& lc : r.loadCases) {
        std::string subtitle;
        if (!lc.nodes.empty()) {
            const NodeRow& n = lc.nodes[maxMomentNode(lc)];
            subtitle = "Maximum moment " + shortNumber(n.M) + " " + u.moment + " at depth " + shortNumber(n.x) + " " + u.length;
        }
        figures.push_back({"case_" + std::to_string(lc.number) + ".svg", "Load cases",
                           caseLabel(lc) + ": deflection, moment, shear, soil reaction and soil modulus against depth",
                           depthFigure(caseLabel(lc), subtitle, {&lc}, facts, u, true)});
    }
    if (r.loadCases.size() > 1) {
        std::vector<const LoadCaseRecords*> all;
        for (const LoadCaseRecords& lc : r.loadCases) all.push_back(&lc);
        figures.push_back({"all_cases.svg", "All load cases", "Every load case overlaid, per quantity",
                           depthFigure("All load cases", "Deflection, moment, shear, soil reaction and soil modulus",
                                       all, facts, u, false)});
    }
    if (!r.pyCurves.empty())
        figures.push_back({"py_curves.svg", "p-y curves", "One curve per printed depth", pyFigure(r, u)});
    for (const SectionRelations& s : r.sections) {
        figures.push_back({"section_" + std::to_string(s.section) + ".svg", "Moment-curvature",
                           "Section " + std::to_string(s.section) +
                               ": moment against curvature and bending stiffness against moment, for every axial "
                               "thrust; Mn nominal moment capacity",
                           sectionFigure(s, u)});
    }
    const bool series = std::any_of(r.loadCases.begin(), r.loadCases.end(),
                                    [](const LoadCaseRecords& lc) { return !lc.lengthSeries.empty(); });
    if (series) {
        figures.push_back({"length_series.svg", "Pile-head deflection against pile length",
                           "Pile-head deflection for shorter and shorter piles", lengthFigure(r, u)});
    }
    return figures;
}

fs::path writeFigures(const PlotRecords& records, const ReportFacts& facts, const fs::path& dir, const std::string& name,
                      const fs::path& report) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    const std::vector<Figure> figures = buildFigures(records, facts);

    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Results of " + xmlEscaped(name) +
        "</title>\n<style>\nbody { font-family: sans-serif; max-width: 1000px; margin: 1em auto; padding: 0 1em; }\n"
        "img { display: block; max-width: 100%; height: auto; margin: 0.5em 0; border: 1px solid #ddd; }\n"
        "figure { margin: 0 0 2em 0; }\n.broken { color: #b00000; font-weight: bold; }\n</style>\n</head>\n<body>\n";
    html += "<h1>Results of " + xmlEscaped(name) + "</h1>\n<p>";
    if (!report.empty() && fs::exists(report)) {
        const fs::path link = fs::absolute(report).lexically_relative(fs::absolute(dir));
        html += "Report: <a href=\"" + xmlEscaped(link.generic_string()) + "\">" + xmlEscaped(report.filename().string()) +
                "</a>. ";
    }
    html += "Values in the computation units of the run; figures drawn from the plot records.</p>\n";
    std::string heading;
    for (const Figure& f : figures) {
        writeText(dir / f.file, f.svg);
        if (f.heading != heading) {
            heading = f.heading;
            html += "<h2>" + xmlEscaped(heading) + "</h2>\n";
        }
        html += "<figure><img src=\"" + xmlEscaped(f.file) + "\" alt=\"" + xmlEscaped(f.caption) + "\"><figcaption>" +
                xmlEscaped(f.caption) + "</figcaption></figure>\n";
    }
    // Marks every figure the browser could not load, on the page and in the body's attributes.
    html +=
        "<script>\nwindow.addEventListener('load', function () {\n  var broken = [];\n"
        "  Array.prototype.forEach.call(document.images, function (img) {\n"
        "    if (!img.complete || img.naturalWidth === 0) {\n      broken.push(img.getAttribute('src'));\n"
        "      var note = document.createElement('p');\n      note.className = 'broken';\n"
        "      note.textContent = 'This figure could not be loaded: ' + img.getAttribute('src');\n"
        "      img.parentNode.insertBefore(note, img);\n    }\n  });\n"
        "  document.body.setAttribute('data-images', String(document.images.length));\n"
        "  document.body.setAttribute('data-broken-images', String(broken.length));\n});\n</script>\n";
    html += "</body>\n</html>\n";
    const fs::path index = dir / "index.html";
    writeText(index, html);
    return index;
}

}  // namespace mervik::results
