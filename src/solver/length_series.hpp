// Pile-head deflection versus embedded length: a load case analysed again with the pile cut to
// 100 %, 95 %, ..., 5 % of its length, to show how the head deflection grows as the pile is
// shortened towards its critical length.
#pragma once
#include <array>

namespace mervik {

struct Run;

inline constexpr int kMaxLengthTrials = 20;

// One converged trial length.
struct LengthCurvePoint {
    double length = 0.0;      // trial pile length
    double headDeflection = 0.0;
    double headShear = 0.0;   // V(1), kept but not reported
    double maxMoment = 0.0;   // signed values of largest magnitude along the pile
    double maxShear = 0.0;
};

// The curve of one load case: points 1..count in the order of decreasing length.
struct LengthCurve {
    int count = 0;
    std::array<LengthCurvePoint, kMaxLengthTrials + 1> point{};
};

// The series of load case j, its report block and plot records 11 and 12. The print-summary-only
// option stays off for the rest of the run; the pile length and the increment length are those
// of the pile again on return (also after an error, which ends the run).
LengthCurve computeLengthCurve(Run& run, int j);

// What follows the report of load case j: the length series when the case asks for it (with
// its progress line), otherwise plot record 11 announcing no curve (the LRFD comment for a
// combination).
void runLengthSeriesOfCase(Run& run, int j);

}  // namespace mervik
