#include "results/svg.hpp"

#include <cmath>
#include <cstdio>

namespace mervik::results {

std::string xmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default:
                // Control characters have no place in XML text.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\n' || c == '\t') out += c;
                break;
        }
    }
    return out;
}

std::string pixel(double value) {
    if (!std::isfinite(value)) value = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string s = text;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

std::string attribute(std::string_view name, std::string_view value) {
    return std::string(name) + "=\"" + xmlEscaped(value) + "\"";
}

SvgWriter::SvgWriter(double width, double height, std::string_view title) {
    out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + pixel(width) + "\" height=\"" + pixel(height) +
            "\" viewBox=\"0 0 " + pixel(width) + " " + pixel(height) +
            "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\">\n";
    out_ += "<title>" + xmlEscaped(title) + "</title>\n";
    rect(0, 0, width, height, "fill:#ffffff;stroke:none");
}

void SvgWriter::line(double x1, double y1, double x2, double y2, std::string_view style, std::string_view attributes) {
    out_ += "<line x1=\"" + pixel(x1) + "\" y1=\"" + pixel(y1) + "\" x2=\"" + pixel(x2) + "\" y2=\"" + pixel(y2) +
            "\" style=\"" + xmlEscaped(style) + "\"";
    if (!attributes.empty()) out_ += " " + std::string(attributes);
    out_ += "/>\n";
}

void SvgWriter::rect(double x, double y, double w, double h, std::string_view style) {
    out_ += "<rect x=\"" + pixel(x) + "\" y=\"" + pixel(y) + "\" width=\"" + pixel(w) + "\" height=\"" + pixel(h) +
            "\" style=\"" + xmlEscaped(style) + "\"/>\n";
}

void SvgWriter::circle(double x, double y, double r, std::string_view style) {
    out_ += "<circle cx=\"" + pixel(x) + "\" cy=\"" + pixel(y) + "\" r=\"" + pixel(r) + "\" style=\"" +
            xmlEscaped(style) + "\"/>\n";
}

void SvgWriter::polyline(const std::vector<std::pair<double, double>>& points, std::string_view style,
                         std::string_view attributes) {
    out_ += "<polyline points=\"";
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (k > 0) out_ += ' ';
        out_ += pixel(points[k].first) + "," + pixel(points[k].second);
    }
    out_ += "\" style=\"" + xmlEscaped(style) + "\"";
    if (!attributes.empty()) out_ += " " + std::string(attributes);
    out_ += "/>\n";
}

void SvgWriter::text(double x, double y, std::string_view content, std::string_view anchor, double size, double rotate,
                     std::string_view style) {
    out_ += "<text x=\"" + pixel(x) + "\" y=\"" + pixel(y) + "\" font-size=\"" + pixel(size) + "\" text-anchor=\"" +
            xmlEscaped(anchor) + "\"";
    if (rotate != 0) out_ += " transform=\"rotate(" + pixel(rotate) + " " + pixel(x) + " " + pixel(y) + ")\"";
    if (!style.empty()) out_ += " style=\"" + xmlEscaped(style) + "\"";
    out_ += ">" + xmlEscaped(content) + "</text>\n";
}

void SvgWriter::openGroup(std::string_view attributes) {
    out_ += "<g";
    if (!attributes.empty()) out_ += " " + std::string(attributes);
    out_ += ">\n";
    ++open_;
}

void SvgWriter::closeGroup() {
    if (open_ == 0) return;
    out_ += "</g>\n";
    --open_;
}

std::string SvgWriter::finish() {
    while (open_ > 0) closeGroup();
    out_ += "</svg>\n";
    return out_;
}

}  // namespace mervik::results
