// The input line of every value read from the input data file.
#include "input/item_lines.hpp"

#include <functional>

#include "engine/run.hpp"

namespace mervik {

namespace {

// Only values of the run's own records are kept: a reader's local counters and labels are read
// the same way but are no item of the model.
bool insideRun(const Run& run, const void* item) {
    const std::less<const void*> before;
    return !before(item, &run) && before(item, &run + 1);
}

}  // namespace

void recordItemLine(Run& run, const void* item) { recordItemLine(run, item, run.input.lineNumber); }

void recordItemLine(Run& run, const void* item, int line) {
    if (insideRun(run, item)) run.itemLines.line[item] = line;
}

int itemLine(const Run& run, const void* item) {
    const auto found = run.itemLines.line.find(item);
    return found == run.itemLines.line.end() ? 0 : found->second;
}

}  // namespace mervik
