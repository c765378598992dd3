// Decimal texts of values for the host's outputs.
#pragma once
#include <charconv>
#include <cstdio>
#include <string>

namespace mervik::results {

// The shortest text that reads back as the same double (CSV cells, data attributes).
inline std::string roundTripNumber(double value) {
    char text[40];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? std::string(text, end) : std::string("nan");
}

// At most six significant digits, for lines and labels people read.
inline std::string shortNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

}  // namespace mervik::results
