// The input line of every value read from the input data file.
#include "input/item_lines.hpp"

#include "engine/run.hpp"

namespace mervik {

void recordItemLine(Run& run, const void* item) { recordItemLine(run, item, run.input.lineNumber); }

// The values of the model live in the run object or in the blocks of its on-demand tables,
// which stay where they are until the run is reset. A reader's local counters and labels are
// recorded the same way; their addresses are never those of a value of the model (both are
// alive when recorded), so such an entry is never looked up.
void recordItemLine(Run& run, const void* item, int line) { run.itemLines.line[item] = line; }

int itemLine(const Run& run, const void* item) {
    const auto found = run.itemLines.line.find(item);
    return found == run.itemLines.line.end() ? 0 : found->second;
}

}  // namespace mervik
