// The 1-based fixed table: a std::array of N + 1 entries whose subscript is checked in the
// checked (sanitizer) build.
#include <gtest/gtest.h>

#include <numeric>

#include "engine/capacities.hpp"

namespace mervik {
namespace {

TEST(Table, BehavesAsAnArrayOfNPlusOneEntries) {
    Table<int, 4> t{};
    EXPECT_EQ(t.size(), 5u);
    for (int v : t) EXPECT_EQ(v, 0);
    t.fill(2);
    t[4] = 7;
    const Table<int, 4> copy = t;
    EXPECT_EQ(std::accumulate(copy.begin(), copy.end(), 0), 4 * 2 + 7);
    EXPECT_EQ(copy[4], 7);
    EXPECT_EQ(copy, t);
}

TEST(TableDeathTest, IndexBeyondTheTableAborts) {
    if (!kTableIndexChecked) GTEST_SKIP() << "table indices are checked only in the sanitizer build";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Table<double, 6> t{};
    // Read through a volatile index, so that the subscript is not known when compiling.
    volatile std::size_t last = 6, beyond = 7, below = static_cast<std::size_t>(-1);
    t[last] = 1.0;  // the last valid index passes the check
    EXPECT_EQ(t[last], 1.0);
    EXPECT_DEATH(t[beyond] = 1.0, "table index 7 outside 0\\.\\.6");
    const Table<double, 6>& view = t;
    EXPECT_DEATH(static_cast<void>(view[beyond]), "table index 7 outside 0\\.\\.6");
    EXPECT_DEATH(t[below] = 1.0, "table index -1 outside 0\\.\\.6");
}

}  // namespace
}  // namespace mervik
