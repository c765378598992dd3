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


// Appends the text right-aligned in a field of w characters, or w asterisks when it is wider.
void appendRightAligned(std::string& out, std::string_view body, int w) {
    if (static_cast<int>(body.size()) > w) {
        out.append(static_cast<std::size_t>(w > 0 ? w : 0), '*');
        return;
    }
    out.append(static_cast<std::size_t>(w) - body.size(), ' ');
    out.append(body);
}

std::string rightAlign(std::string_view body, int w) {
    std::string field;
    appendRightAligned(field, body, w);
    return field;
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

// Room for the digits of any value of a field: the largest double has 309 integer digits, and
// decimals are bounded by the field widths.
constexpr std::size_t kDigitsBuffer = 512;

// Decimal digits of a value with a given precision, correctly rounded from its exact binary value.
std::string digitsOf(double magnitude, std::chars_format format, int precision) {
    char buffer[kDigitsBuffer];
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

// Whether magnitude·10^shift can be exactly half an odd integer, the one case in which rounding
// half away from zero and the correct rounding of the formatted-output facility (half to even)
// part. It can only when magnitude·2^(shift+1) is an integer: (2k + 1) / 5^shift is no binary
// fraction otherwise. Most values of a report are far from that, and take their digits from
// the facility directly.
bool exactTiePossible(double magnitude, int shift) {
    const double t = std::ldexp(magnitude, shift + 1);
    return !std::isfinite(t) || t == std::floor(t);
}

// Away from a tie, the rounding of a value of a field is that of magnitude·10^shift to an
// integer: with the power of ten exact (|shift| <= 22) the product or quotient is rounded once,
// an error far below the distance to a half that nearTie leaves, and below 10^9 the integer is
// exact. These give the digits of the correctly rounded decimal, as the formatted-output
// facility does, without its general conversion. False where the shortcut does not apply.
bool roundedByScaling(double magnitude, int shift, double low, double high, long long& digits) {
    if (shift > 22 || shift < -22) return false;
    const double scaled = shift >= 0 ? magnitude * powerOfTen(shift) : magnitude / powerOfTen(-shift);
    if (!(scaled >= low && scaled < high) || scaled >= 1e9) return false;
    digits = std::llround(scaled);
    return true;
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

// |v| rounded to d + 1 significant digits, without the point, and its decimal exponent; 0
// gives zeros and exponent 0.
struct ScientificDigits {
    std::array<char, 64> digit{};  // d + 1 <= 61 digits
    std::size_t count = 0;
    int exponent = 0;
};

void roundedScientific(double magnitude, int d, ScientificDigits& out) {
    const int decade = magnitude > 0.0 ? static_cast<int>(std::floor(std::log10(magnitude))) : 0;
    // The guard digits are needed only where a tie may be exact, at the decade of the value or
    // at the one below or above it (the decade from the logarithm may be one off).
    const bool nearHalf = magnitude > 0.0 && (nearTie(magnitude, d - decade) || nearTie(magnitude, d - decade - 1));
    const bool exact = nearHalf && exactTiePossible(magnitude, d - decade + 1);
    long long scaled = 0;
    if (!nearHalf && magnitude > 0.0 &&
        roundedByScaling(magnitude, d - decade, powerOfTen(d), powerOfTen(d + 1), scaled)) {
        // d + 1 digits, or 10^(d+1) when the rounding carries into the next decade.
        char text[24];
        const auto [end, ec] = std::to_chars(text, text + sizeof text, scaled);
        out.count = static_cast<std::size_t>(d) + 1;
        out.exponent = decade + (static_cast<std::size_t>(end - text) > out.count ? 1 : 0);
        std::copy(text, text + out.count, out.digit.begin());
        return;
    }
    const int guard = exact ? kGuardDigits : 0;
    // "d.ddddde+XX": the digits of the precision asked for, then the exponent.
    char full[160];
    const auto [end, ec] = std::to_chars(full, full + sizeof full, magnitude, std::chars_format::scientific, d + guard);
    if (ec != std::errc()) {
        out = ScientificDigits{};
        return;
    }
    // The exponent: "e", its sign, at least two digits.
    const char* e = std::find(full, end, 'e');
    int exponent = 0;
    if (end - e >= 3) std::from_chars(e + 2, end, exponent);
    out.exponent = end - e >= 3 && e[1] == '-' ? -exponent : exponent;
    out.count = static_cast<std::size_t>(d) + 1;
    out.digit[0] = full[0];
    std::copy(full + 2, full + 2 + d, out.digit.begin() + 1);
    if (exact) {
        const char next = full[2 + static_cast<std::size_t>(d)];
        if (next >= '5') {
            // One unit in the last place; a carry out of the first digit gives 10.00... = 1.00...E+1.
            std::size_t k = out.count;
            while (k-- > 0 && out.digit[k] == '9') out.digit[k] = '0';
            if (k == static_cast<std::size_t>(-1)) {
                out.digit[0] = '1';
                ++out.exponent;
            } else {
                ++out.digit[k];
            }
        }
    }
    if (magnitude == 0.0) out.exponent = 0;
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

namespace {

// Fw.d appended to out.
void appendF(std::string& out, double value, int w, int d) {
    if (!std::isfinite(value)) {
        out += nonFinite(value, w);
        return;
    }
    d = std::clamp(d, 0, 100);
    const double magnitude = std::fabs(value);
    // text[0] is kept for the sign; the digits follow, then the point of d = 0.
    char text[kDigitsBuffer + 2];
    char* const body = text + 1;
    std::size_t n = 0;
    long long scaled = 0;
    const bool tie = nearTie(magnitude, d);
    if (!tie && roundedByScaling(magnitude, d, 0.0, 1e9, scaled)) {
        // The integer of the digits, with zeros in front up to d + 1 digits, and the point
        // before the last d of them.
        char digits[24];
        const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, scaled);
        const auto count = static_cast<std::size_t>(end - digits);
        const auto decimals = static_cast<std::size_t>(d);
        const std::size_t zeros = count <= decimals ? decimals + 1 - count : 0;
        std::fill_n(body, zeros, '0');
        std::copy(digits, end, body + zeros);
        n = zeros + count;
        if (d > 0) {
            std::copy_backward(body + n - decimals, body + n, body + n + 1);
            body[n - decimals] = '.';
            ++n;
        }
    } else if (!tie || !exactTiePossible(magnitude, d)) {
        const auto [end, ec] = std::to_chars(body, body + kDigitsBuffer, magnitude, std::chars_format::fixed, d);
        if (ec == std::errc()) n = static_cast<std::size_t>(end - body);
    } else {
        const std::string exact = roundedFixed(magnitude, d);
        n = std::min(exact.size(), kDigitsBuffer);
        std::copy_n(exact.begin(), n, body);
    }
    if (d == 0) body[n++] = '.';
    const bool negative = value < 0;
    const int width = static_cast<int>(n) + (negative ? 1 : 0);
    // "0.500" loses its leading zero when only ".500" fits.
    const std::size_t skip = width > w && n > 1 && body[0] == '0' && body[1] == '.' ? 1 : 0;
    char* first = body + skip;
    if (negative) *--first = '-';
    appendRightAligned(out, std::string_view(first, n - skip + (negative ? 1 : 0)), w);
}

// ESw.d appended to out.
void appendES(std::string& out, double value, int w, int d) {
    if (!std::isfinite(value)) {
        out += nonFinite(value, w);
        return;
    }
    d = std::clamp(d, 0, 60);
    ScientificDigits digits;
    roundedScientific(std::fabs(value), d, digits);  // d + 1 digits
    // Sign, d.ddd and the exponent: E+nn, or sign and three digits beyond 99.
    char text[80];
    std::size_t n = 0;
    if (value < 0) text[n++] = '-';
    text[n++] = digits.digit[0];
    text[n++] = '.';
    for (std::size_t k = 1; k < digits.count; ++k) text[n++] = digits.digit[k];
    const int magnitude = std::abs(digits.exponent);
    if (magnitude < 100) text[n++] = 'E';
    text[n++] = digits.exponent < 0 ? '-' : '+';
    if (magnitude >= 100) text[n++] = static_cast<char>('0' + magnitude / 100);
    text[n++] = static_cast<char>('0' + magnitude / 10 % 10);
    text[n++] = static_cast<char>('0' + magnitude % 10);
    appendRightAligned(out, std::string_view(text, n), w);
}

}  // namespace

std::string formatF(double value, int w, int d) {
    std::string field;
    appendF(field, value, w, d);
    return field;
}

std::string formatES(double value, int w, int d) {
    std::string field;
    appendES(field, value, w, d);
    return field;
}

std::string formatA(std::string_view text, int w) {
    if (w < 0) return std::string(text);
    if (static_cast<int>(text.size()) >= w) return std::string(text.substr(0, static_cast<std::size_t>(w)));
    return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + std::string(text);
}

float singlePowerOfTen(int n) {
    constexpr int kLowest = -30;
    constexpr std::array<float, 61> table = {
        1e-30f, 1e-29f, 1e-28f, 1e-27f, 1e-26f, 1e-25f, 1e-24f, 1e-23f, 1e-22f, 1e-21f, 1e-20f, 1e-19f, 1e-18f,
        1e-17f, 1e-16f, 1e-15f, 1e-14f, 1e-13f, 1e-12f, 1e-11f, 1e-10f, 1e-9f,  1e-8f,  1e-7f,  1e-6f,  1e-5f,
        1e-4f,  1e-3f,  1e-2f,  1e-1f,  1e0f,   1e1f,   1e2f,   1e3f,   1e4f,   1e5f,   1e6f,   1e7f,   1e8f,
        1e9f,   1e10f,  1e11f,  1e12f,  1e13f,  1e14f,  1e15f,  1e16f,  1e17f,  1e18f,  1e19f,  1e20f,  1e21f,
        1e22f,  1e23f,  1e24f,  1e25f,  1e26f,  1e27f,  1e28f,  1e29f,  1e30f};
    const int index = n - kLowest;
    if (index >= 0 && index < static_cast<int>(table.size())) return table[static_cast<std::size_t>(index)];
    return static_cast<float>(std::pow(10.0, n));
}

AdaptiveThresholds adaptiveThresholds(int W) {
    auto power = singlePowerOfTen;
    const float upper = power(W - 3) - 1.0f;
    return {static_cast<double>(upper), static_cast<double>(power(9 - W)),
            static_cast<double>(power(7 - W))};
}

void appendAdaptiveReal(std::string& out, double value, int W) {
    if (std::isnan(value)) {
        out += "  Not-a-Number";
        return;
    }
    double v = value;
    if (std::fabs(v) < 1E-12) v = 0.0;
    const AdaptiveThresholds t = adaptiveThresholds(W);
    const double a = std::fabs(v);
    const int w = W - 1;
    out += ' ';
    if (v == 0.0 || a < 1E-25) {
        appendF(out, 0.0, w, W - 8);
    } else if (a > t.upper) {
        appendES(out, v, w, W - 8);
    } else if (a > 10000.0) {
        appendF(out, v, w, 0);
    } else if (a > t.fixedLow) {
        appendF(out, v, w, W - 7);
    } else if (a >= t.smallLow) {
        appendF(out, v, w, W - 5);
    } else {
        appendES(out, v, w, W - 8);
    }
}

std::string formatAdaptiveReal(double value, int W) {
    std::string field;
    appendAdaptiveReal(field, value, W);
    return field;
}

void appendFieldF(std::string& out, double value, int w, int d) { appendF(out, value, w, d); }
void appendFieldES(std::string& out, double value, int w, int d) { appendES(out, value, w, d); }

}  // namespace mervik
