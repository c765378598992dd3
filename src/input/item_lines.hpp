// The input line of every value read from the input data file. A free-format read records, for
// each value it stores in the run, the number of the line on which the value stood; checks of
// the model name that line in their texts. The table belongs to the run and starts empty with it.
#pragma once
#include <string>
#include <unordered_map>

#include "engine/capacities.hpp"

namespace mervik {

struct Run;

// Lines of OPTIONS that hold a label (line 8: columns 1 to 8; the free-format lines 9 to 12,
// 14 and 17: the first word), by the line's place in the block.
inline constexpr int kOptionLineCount = 17;

struct InputItemLines {
    // Keyed by the address of the stored value, which lies inside the run.
    std::unordered_map<const void*, int> line;
    // The labels as written, by place in OPTIONS (empty for lines without one).
    Table<std::string, kOptionLineCount> optionLabel{};
};

// Records that the value at `item` was read from the current line of the input.
void recordItemLine(Run& run, const void* item);
// The same for a value copied from the input line `line`.
void recordItemLine(Run& run, const void* item, int line);
// The input line the value at `item` was read from; 0 when it was not read from the file.
int itemLine(const Run& run, const void* item);

}  // namespace mervik
