// Fixed capacities of the run tables, and the 1-based table type every model table uses.
#pragma once
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>

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

// A table with valid indices 1..N, like Table, whose storage is allocated only where it is
// used: the entries come in blocks of about 4 KB, and a block is allocated, value-initialised,
// when an entry of it is first reached through a non-const subscript. A const subscript of an
// entry never reached gives a value-initialised entry. A run thus pays for the entries it
// touches, not for the capacity, and a new table is empty whatever an earlier one held.
// Entries never move once allocated, so references to them stay valid.
template <class T, int N>
class OnDemandTable {
public:
    OnDemandTable() = default;
    OnDemandTable(const OnDemandTable& other) { *this = other; }
    OnDemandTable& operator=(const OnDemandTable& other) {
        if (this == &other) return *this;
        for (std::size_t b = 0; b < kBlocks; ++b)
            blocks_[b] = other.blocks_[b] ? std::make_unique<Block>(*other.blocks_[b]) : nullptr;
        return *this;
    }
    OnDemandTable(OnDemandTable&&) noexcept = default;
    OnDemandTable& operator=(OnDemandTable&&) noexcept = default;

    T& operator[](std::size_t i) {
        check(i);
        std::unique_ptr<Block>& block = blocks_[i / kBlockSize];
        if (!block) block = std::make_unique<Block>();
        return (*block)[i % kBlockSize];
    }
    const T& operator[](std::size_t i) const {
        check(i);
        const std::unique_ptr<Block>& block = blocks_[i / kBlockSize];
        return block ? (*block)[i % kBlockSize] : kUntouched;
    }
    static constexpr std::size_t size() { return N + 1; }

private:
    // A power of two, so that the block and the place in it are a shift and a mask.
    static constexpr std::size_t kBlockSize = std::bit_floor(std::max<std::size_t>(1, 4096 / sizeof(T)));
    static constexpr std::size_t kBlocks = (N + kBlockSize) / kBlockSize;
    using Block = std::array<T, kBlockSize>;
    static constexpr T kUntouched{};

    static void check(std::size_t i) {
        if constexpr (kTableIndexChecked) {
            if (i > static_cast<std::size_t>(N)) detail::tableIndexFault(i, N);
        }
    }

    std::array<std::unique_ptr<Block>, kBlocks> blocks_{};
};

}  // namespace mervik
