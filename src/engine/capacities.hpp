// Fixed capacities of the run tables, and the 1-based table type every model table uses.
#pragma once
#include <array>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

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

// Whether table indices are checked (the sanitizer build): an index outside a table would
// otherwise run into the next member of the same record, which AddressSanitizer cannot see.
#ifdef MERVIK_CHECKED_TABLES
inline constexpr bool kTableIndexChecked = true;
#else
inline constexpr bool kTableIndexChecked = false;
#endif

namespace detail {
[[noreturn]] inline void tableIndexFault(std::size_t i, int n) {
    std::fprintf(stderr, "table index %lld outside 0..%d\n", static_cast<long long>(i), n);
    std::abort();
}
}  // namespace detail

// A table with valid indices 1..N; index 0 exists only so the model's numbering is used as is.
// It is a std::array of N + 1 entries in every other respect (aggregate initialisation, fill,
// size, iteration, copy); only subscripting is checked, and only in a checked build.
template <class T, int N>
struct Table : std::array<T, N + 1> {
    using Base = std::array<T, N + 1>;

    constexpr T& operator[](std::size_t i) {
        if constexpr (kTableIndexChecked) {
            if (i > static_cast<std::size_t>(N)) detail::tableIndexFault(i, N);
        }
        return Base::operator[](i);
    }
    constexpr const T& operator[](std::size_t i) const {
        if constexpr (kTableIndexChecked) {
            if (i > static_cast<std::size_t>(N)) detail::tableIndexFault(i, N);
        }
        return Base::operator[](i);
    }
};

// A table with every entry, index 0 included, set to value (for default member initializers).
template <class T, int N>
constexpr Table<T, N> filledTable(const T& value) {
    Table<T, N> table{};
    table.fill(value);
    return table;
}

}  // namespace mervik
