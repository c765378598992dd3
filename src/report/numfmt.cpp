// Edit descriptors of the report layouts.
#include "report/numfmt.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace mervik {

namespace {

std::string stars(int w) { return std::string(static_cast<std::size_t>(w > 0 ? w : 0), '*'); }

std::string rightAlign(const std::string& body, int w) {
    if (static_cast<int>(body.size()) > w) return stars(w);
    return std::string(static_cast<std::size_t>(w) - body.size(), ' ') + body;
}

// Infinity and Not-a-Number in a numeric field, as the formatted-output facility shows them.
std::string nonFinite(double value, int w) {
    if (std::isnan(value)) return rightAlign("NaN", w);
    const bool negative = value < 0;
    if (w >= (negative ? 9 : 8)) return rightAlign(negative ? "-Infinity" : "Infinity", w);
    return rightAlign(negative ? "-Inf" : "Inf", w);
}

// Decimal rounding of the edit descriptors: to nearest, ties away from zero. The decimal
// expansion is taken with ample guard digits, so the tie test sees the exact binary value.
constexpr int kGuardDigits = 40;

// Adds one unit in the last place of a string of decimal digits; true when it carries out.
bool incrementDigits(std::string& digits) {
    for (std::size_t k = digits.size(); k-- > 0;) {
        if (digits[k] == '.') continue;
        if (digits[k] != '9') {
            ++digits[k];
            return false;
        }
        digits[k] = '0';
    }
    return true;
}

// 10^n for n >= 0 (exact up to 10^22).
double powerOfTen(int n) {
    static constexpr std::array<double, 23> exact = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    return n < static_cast<int>(exact.size()) ? exact[static_cast<std::size_t>(n)] : std::pow(10.0, n);
}

// Decimal digits of a value with a given precision, correctly rounded from its exact binary value.
std::string digitsOf(double magnitude, std::chars_format format, int precision) {
    char buffer[512];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude, format, precision);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

// True when magnitude·10^shift lies so close to a half that the tie rule may decide the
// rounding; elsewhere the formatted-output facility's own correct rounding gives the same digits
// as rounding the exact value half away from zero, at a fraction of the cost.
bool nearTie(double magnitude, int shift) {
    const double scaled = shift >= 0 ? magnitude * powerOfTen(shift) : magnitude / powerOfTen(-shift);
    if (!std::isfinite(scaled) || scaled >= 1e9) return true;  // too coarse to judge: take the exact path
    const double fraction = scaled - std::floor(scaled);
    return std::fabs(fraction - 0.5) < 1e-6;
}

// |v| rounded to d decimals, "123.45" (no point for d = 0).
std::string roundedFixed(double magnitude, int d) {
    // The largest double has 309 integer digits; decimals are bounded by the field widths.
    if (!nearTie(magnitude, d)) return digitsOf(magnitude, std::chars_format::fixed, d);
    const std::string full = digitsOf(magnitude, std::chars_format::fixed, d + kGuardDigits);
    const std::size_t point = full.find('.');
    std::string kept = full.substr(0, d > 0 ? point + 1 + static_cast<std::size_t>(d) : point);
    if (full[point + 1 + static_cast<std::size_t>(d)] >= '5' && incrementDigits(kept)) kept.insert(0, 1, '1');
    return kept;
}

// |v| rounded to d + 1 significant digits (returned without the point) and its decimal
// exponent; 0 gives zeros and exponent 0.
std::string roundedScientific(double magnitude, int d, int& exponent) {
    const int decade = magnitude > 0.0 ? static_cast<int>(std::floor(std::log10(magnitude))) : 0;
    const bool exact = magnitude > 0.0 && (nearTie(magnitude, d - decade) || nearTie(magnitude, d - decade - 1));
    const int guard = exact ? kGuardDigits : 0;
    const std::string full = digitsOf(magnitude, std::chars_format::scientific, d + guard);
    const std::size_t e = full.find('e');
    exponent = std::atoi(full.c_str() + e + 1);
    std::string digits = full.substr(0, 1) + full.substr(2, static_cast<std::size_t>(d));
    if (exact) {
        const char next = full[2 + static_cast<std::size_t>(d)];
        if (next >= '5' && incrementDigits(digits)) {
            digits.insert(0, 1, '1');
            digits.pop_back();
            ++exponent;
        }
    }
    if (magnitude == 0.0) exponent = 0;
    return digits;
}

}  // namespace

std::string formatI(long long value, int w, int m) {
    const unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::string digits = std::to_string(magnitude);
    if (m > 0 && static_cast<int>(digits.size()) < m)
        digits.insert(0, static_cast<std::size_t>(m) - digits.size(), '0');
    if (value < 0) digits.insert(0, 1, '-');
    if (w <= 0) return digits;
    return rightAlign(digits, w);
}

std::string formatF(double value, int w, int d) {
    if (!std::isfinite(value)) return nonFinite(value, w);
    d = std::clamp(d, 0, 100);
    std::string body = roundedFixed(std::fabs(value), d);
    if (d == 0) body += '.';
    const bool negative = value < 0;
    const int width = static_cast<int>(body.size()) + (negative ? 1 : 0);
    // "0.500" loses its leading zero when only ".500" fits.
    if (width > w && body.size() > 1 && body[0] == '0' && body[1] == '.') body.erase(0, 1);
    if (negative) body.insert(0, 1, '-');
    return rightAlign(body, w);
}

std::string formatES(double value, int w, int d) {
    if (!std::isfinite(value)) return nonFinite(value, w);
    d = std::clamp(d, 0, 60);
    int exponent = 0;
    std::string digits = roundedScientific(std::fabs(value), d, exponent);  // d + 1 digits
    std::string text = digits.substr(0, 1) + "." + digits.substr(1);
    const int magnitude = std::abs(exponent);
    if (magnitude < 100) {
        text += std::string("E") + (exponent < 0 ? '-' : '+') + formatI(magnitude, 0, 2);
    } else {
        text += std::string(1, exponent < 0 ? '-' : '+') + formatI(magnitude, 0, 3);
    }
    if (value < 0) text.insert(0, 1, '-');
    return rightAlign(text, w);
}

std::string formatA(std::string_view text, int w) {
    if (w < 0) return std::string(text);
    if (static_cast<int>(text.size()) >= w) return std::string(text.substr(0, static_cast<std::size_t>(w)));
    return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + std::string(text);
}

AdaptiveThresholds adaptiveThresholds(int W) {
    // 10 raised to an integer power as a single-precision number.
    auto power = [](int n) { return static_cast<float>(std::pow(10.0, n)); };
    const float upper = power(W - 3) - 1.0f;
    return {static_cast<double>(upper), static_cast<double>(power(9 - W)),
            static_cast<double>(power(7 - W))};
}

std::string formatAdaptiveReal(double value, int W) {
    if (std::isnan(value)) return "  Not-a-Number";
    double v = value;
    if (std::fabs(v) < 1E-12) v = 0.0;
    const AdaptiveThresholds t = adaptiveThresholds(W);
    const double a = std::fabs(v);
    const int w = W - 1;
    std::string field;
    if (v == 0.0 || a < 1E-25) {
        field = formatF(0.0, w, W - 8);
    } else if (a > t.upper) {
        field = formatES(v, w, W - 8);
    } else if (a > 10000.0) {
        field = formatF(v, w, 0);
    } else if (a > t.fixedLow) {
        field = formatF(v, w, W - 7);
    } else if (a >= t.smallLow) {
        field = formatF(v, w, W - 5);
    } else {
        field = formatES(v, w, W - 8);
    }
    return " " + field;
}

}  // namespace mervik
