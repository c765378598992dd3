// Warning registry: non-fatal conditions are recorded by number while the run goes on and are
// summarised at the end of the report. Warnings never stop a run.
#pragma once
#include <string_view>
#include <vector>

#include "engine/capacities.hpp"

namespace mervik {

class Channel;

struct WarningRegistry {
    Table<int, kMaxWarningNumber> counts{};  // since the counts were last cleared, at most 4000
    bool anyWarning = false;                 // cleared only at the start of a run
};

// Records warning |w| (warnings are passed as their negated number, e.g. -302). A count that has
// reached 4000 stays there. Numbers outside 1..4000 have no place in the registry and are
// ignored.
void recordWarning(WarningRegistry& registry, int w);
// Clears every count and keeps anyWarning (start of a load case).
void clearWarningCounts(WarningRegistry& registry);
// Clears counts and anyWarning (start of a run).
void resetWarnings(WarningRegistry& registry);
// How many warning numbers have a non-zero count.
int distinctWarnings(const WarningRegistry& registry);
// The lowest warning number with a non-zero count, 0 when there is none.
int firstWarning(const WarningRegistry& registry);
// The summary block of the report.
void writeWarningSummary(const WarningRegistry& registry, Channel& report);
// The explanatory text of warning n, line by line ("" stands for an empty line); empty when the
// number has no text.
const std::vector<std::string_view>& warningText(int n);

}  // namespace mervik
