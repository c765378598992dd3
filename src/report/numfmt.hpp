// Edit descriptors of the report layouts: the text of one integer, fixed-point, scientific or
// character field. Pure functions; a value that does not fit its field gives w asterisks.
#pragma once
#include <string>
#include <string_view>

namespace mervik {

// Iw, or Iw.m (at least m digits, leading zeros). w = 0 is I0: the fewest characters.
std::string formatI(long long value, int w, int m = 0);
// Fw.d: rounded to d decimals; the zero before the point only when the field has room for it;
// d = 0 ends with the point ("123457.").
std::string formatF(double value, int w, int d);
// ESw.d: one non-zero digit, point, d digits, exponent E+nn; a three-digit exponent is written
// as sign and three digits without the letter E.
std::string formatES(double value, int w, int d);
// Aw: a shorter text right-aligned, a longer one cut to its first w characters.
std::string formatA(std::string_view text, int w);

// Adaptive real writer: W characters, fixed or scientific form and the number of decimals
// chosen from the magnitude of the value; Not-a-Number gives the 14 characters
// "  Not-a-Number".
std::string formatAdaptiveReal(double value, int W);
// The same fields appended to a text (the line being built), without a string of their own.
void appendAdaptiveReal(std::string& out, double value, int W);
void appendFieldF(std::string& out, double value, int w, int d);
void appendFieldES(std::string& out, double value, int w, int d);
// Thresholds of the adaptive writer for width W, computed in single precision:
// U = 10^(W-3) - 1, B = 10^(9-W), C = 10^(7-W).
struct AdaptiveThresholds {
    double upper, fixedLow, smallLow;
};
AdaptiveThresholds adaptiveThresholds(int W);
// 10^n rounded to single precision, the powers of the thresholds (from a table where n is
// between -30 and 30).
float singlePowerOfTen(int n);

}  // namespace mervik
