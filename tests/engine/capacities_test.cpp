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

TEST(OnDemandTable, UntouchedEntriesReadAsZeroAndTouchedOnesKeepTheirValues) {
    OnDemandTable<Table<double, 3>, 50> t;
    const auto& view = t;
    EXPECT_EQ(view[50][3], 0.0);  // nothing allocated: a const read gives the zero entry
    t[1][2] = 5.0;
    double& kept = t[1][2];
    t[50][3] = 7.0;  // another block: the first entry stays where it is
    EXPECT_EQ(&kept, &t[1][2]);
    EXPECT_EQ(view[1][2], 5.0);
    EXPECT_EQ(view[2][2], 0.0);   // same block as entry 1, never written
    EXPECT_EQ(view[25][1], 0.0);  // a block between, never reached
    EXPECT_EQ(view[50][3], 7.0);

    OnDemandTable<Table<double, 3>, 50> copy = t;
    t[1][2] = 6.0;  // the copy has entries of its own
    EXPECT_EQ(copy[1][2], 5.0);
    EXPECT_EQ(copy[50][3], 7.0);
    EXPECT_EQ(t[1][2], 6.0);
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
    OnDemandTable<double, 6> lazy;
    EXPECT_DEATH(lazy[beyond] = 1.0, "table index 7 outside 0\\.\\.6");
}

}  // namespace
}  // namespace mervik
