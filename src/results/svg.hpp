// A small SVG writer: the elements the figures need, written as text with every attribute
// value and text escaped for XML.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mervik::results {

std::string xmlEscaped(std::string_view text);
// A pixel coordinate with two decimals, without trailing zeros.
std::string pixel(double value);

class SvgWriter {
public:
    SvgWriter(double width, double height, std::string_view title);

    // attributes: further attribute text for the element, e.g. R"(class="tick")"; it must
    // already be escaped (use attribute() to build it).
    void line(double x1, double y1, double x2, double y2, std::string_view style, std::string_view attributes = {});
    void rect(double x, double y, double w, double h, std::string_view style);
    void circle(double x, double y, double r, std::string_view style);
    void polyline(const std::vector<std::pair<double, double>>& points, std::string_view style,
                  std::string_view attributes = {});
    // anchor: "start", "middle" or "end"; rotate: degrees about (x, y).
    void text(double x, double y, std::string_view content, std::string_view anchor = "start", double size = 13,
              double rotate = 0, std::string_view style = {});
    void openGroup(std::string_view attributes);
    void closeGroup();

    std::string finish();

private:
    std::string out_;
    int open_ = 0;
};

// name="value" with the value escaped.
std::string attribute(std::string_view name, std::string_view value);

}  // namespace mervik::results
