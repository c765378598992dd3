// Fixed capacities of the run tables, and the 1-based table type every model table uses.
#pragma once
#include <array>

namespace mervik {

inline constexpr int kMaxSections = 20;
inline constexpr int kMaxLoadCases = 100;
inline constexpr int kMaxLrfd = 100;          // LRFD load groups and combinations
inline constexpr int kMaxNodes = 501;
inline constexpr int kMaxAxialThrusts = 100;
inline constexpr int kMaxCurvePoints = 150;   // points of one moment-curvature relation
inline constexpr int kMaxLayers = 40;
inline constexpr int kMaxMomentCurvatureNames = 100;
inline constexpr int kMaxWarningNumber = 4000;
inline constexpr int kPyModelCount = 20;

// A table with valid indices 1..N; index 0 exists only so the model's numbering is used as is.
template <class T, int N>
using Table = std::array<T, N + 1>;

}  // namespace mervik
