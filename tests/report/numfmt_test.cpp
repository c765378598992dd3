// Edit descriptors and the adaptive real writer, from worked examples of the layout notation.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "report/numfmt.hpp"

namespace mervik {
namespace {

struct IntCase {
    long long value;
    int w, m;
    const char* text;
};

TEST(IntegerField, WidthMinimumDigitsAndOverflow) {
    const IntCase cases[] = {
        {5, 2, 2, "05"},      {42, 5, 0, "   42"}, {-42, 5, 0, "  -42"},  {123456, 5, 0, "*****"},
        {-1234, 4, 0, "****"}, {7, 0, 0, "7"},     {-305, 0, 0, "-305"},  {0, 3, 0, "  0"},
        {25, 0, 5, "00025"},  {-5, 4, 3, "-005"},
    };
    for (const IntCase& c : cases) EXPECT_EQ(formatI(c.value, c.w, c.m), c.text) << c.value << " I" << c.w << "." << c.m;
}

struct RealCase {
    double value;
    int w, d;
    const char* text;
};

TEST(FixedField, RoundingLeadingZeroAndOverflow) {
    const RealCase cases[] = {
        {0.5, 8, 3, "   0.500"},    {0.5, 4, 3, ".500"},         {123456.7, 8, 0, "  123457."},
        {-0.25, 6, 3, "-0.250"},    {-0.25, 5, 3, "-.250"},      {-0.25, 4, 3, "****"},
        {12.3456789, 11, 5, "   12.34568"}, {0.0, 11, 4, "     0.0000"}, {1000000000.0, 11, 0, "1000000000."},
        {-1000000000.0, 11, 0, "***********"}, {2.5, 5, 0, "   3."}, {9.9996, 7, 3, " 10.000"}, {0.125, 6, 2, "  0.13"},
        {-0.125, 6, 2, " -0.13"}, {0.0001, 8, 3, "   0.000"}, {999.9996, 8, 3, "1000.000"},
    };
    // 123456.7 with F8.0 needs 7 characters: one blank in front.
    EXPECT_EQ(formatF(123456.7, 8, 0), " 123457.");
    for (const RealCase& c : cases) {
        if (c.value == 123456.7) continue;
        EXPECT_EQ(formatF(c.value, c.w, c.d), c.text) << c.value << " F" << c.w << "." << c.d;
    }
}

TEST(ScientificField, MantissaExponentAndThreeDigitExponent) {
    const RealCase cases[] = {
        {12345600000.0, 11, 4, " 1.2346E+10"},
        {-12345600000.0, 11, 4, "-1.2346E+10"},
        {3.2e-7, 11, 4, " 3.2000E-07"},
        {0.0, 15, 7, "  0.0000000E+00"},
        {1.0, 15, 7, "  1.0000000E+00"},
        {-9.99999999e-5, 15, 7, " -1.0000000E-04"},
        {1.5e123, 11, 4, " 1.5000+123"},
        {-2.5e-150, 11, 4, "-2.5000-150"},
        {1.0e100, 9, 4, "*********"},
        {4.0, 9, 2, " 4.00E+00"},
        // Ties round away from zero; a carry moves the exponent.
        {1.25, 9, 1, "  1.3E+00"},
        {9.99995, 11, 4, " 1.0000E+01"},
    };
    for (const RealCase& c : cases) EXPECT_EQ(formatES(c.value, c.w, c.d), c.text) << c.value << " ES" << c.w << "." << c.d;
}

TEST(CharacterField, ShortTextRightAlignedLongTextCut) {
    EXPECT_EQ(formatA("abc", 6), "   abc");
    EXPECT_EQ(formatA("abcdefgh", 4), "abcd");
    EXPECT_EQ(formatA("in ", -1), "in ");
}

TEST(AdaptiveThresholds, SinglePrecisionValues) {
    const AdaptiveThresholds t12 = adaptiveThresholds(12);
    EXPECT_EQ(t12.upper, 1E9);
    EXPECT_EQ(t12.fixedLow, 0.0010000000474974513);
    EXPECT_EQ(t12.smallLow, 9.999999747378752E-6);
    const AdaptiveThresholds t15 = adaptiveThresholds(15);
    EXPECT_EQ(t15.upper, 999999995904.0);
    EXPECT_EQ(t15.fixedLow, 9.999999974752427E-7);
    EXPECT_EQ(t15.smallLow, 9.99999993922529E-9);
    // 10^7 - 1 is exact in single precision.
    EXPECT_EQ(adaptiveThresholds(10).upper, 9999999.0);
}

// The table of powers gives what raising 10 in double precision and rounding to single gives.
TEST(AdaptiveThresholds, SinglePowerOfTenIsTheDoublePowerRounded) {
    for (int n = -45; n <= 45; ++n) EXPECT_EQ(singlePowerOfTen(n), static_cast<float>(std::pow(10.0, n))) << n;
    EXPECT_EQ(singlePowerOfTen(-3), 0.0010000000474974513f);
    EXPECT_EQ(singlePowerOfTen(11), 99999997952.0f);
}

struct AdaptiveCase {
    double value;
    const char* w12;
    const char* w15;
};

TEST(AdaptiveRealWriter, WorkedExamples) {
    const AdaptiveCase cases[] = {
        {0.0, "      0.0000", "      0.0000000"},
        {5E-13, "      0.0000", "      0.0000000"},
        {-5E-13, "      0.0000", "      0.0000000"},
        {3.2E-7, "  3.2000E-07", "   0.0000003200"},
        {1.234567E-4, "   0.0001235", "     0.00012346"},
        {0.5, "     0.50000", "     0.50000000"},
        {12.3456789, "    12.34568", "    12.34567890"},
        {-9876.54321, " -9876.54321", " -9876.54321000"},
        {123456.7, "     123457.", "        123457."},
        {987654321.0, "  987654321.", "     987654321."},
        {1.23456E10, "  1.2346E+10", "   12345600000."},
        // 1E9 is the upper bound of the fixed form at width 12; -1E9 needs 12 characters.
        {1E9, " 1000000000.", "    1000000000."},
        {-1E9, " ***********", "   -1000000000."},
        // -10000 stays in the five-decimal form and overflows it.
        {-10000.0, " ***********", " **************"},
        // Just above 1E4 switches to no decimals.
        {10000.4, "      10000.", "         10000."},
        // Between the two small thresholds: W-5 decimals.
        {5E-4, "   0.0005000", "     0.00050000"},
        {1E-12, "  1.0000E-12", "  1.0000000E-12"},
        {-4.5E30, " -4.5000E+30", " -4.5000000E+30"},
    };
    for (const AdaptiveCase& c : cases) {
        EXPECT_EQ(formatAdaptiveReal(c.value, 12), c.w12) << c.value;
        EXPECT_EQ(formatAdaptiveReal(c.value, 15), c.w15) << c.value;
    }
}

TEST(AdaptiveRealWriter, NotANumberIsFourteenCharactersAtAnyWidth) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(formatAdaptiveReal(nan, 12), "  Not-a-Number");
    EXPECT_EQ(formatAdaptiveReal(nan, 20), "  Not-a-Number");
}

TEST(AdaptiveRealWriter, InfinityIsShownNotCrashed) {
    EXPECT_EQ(formatAdaptiveReal(std::numeric_limits<double>::infinity(), 12), "    Infinity");
    EXPECT_EQ(formatAdaptiveReal(-std::numeric_limits<double>::infinity(), 12), "   -Infinity");
}

}  // namespace
}  // namespace mervik
