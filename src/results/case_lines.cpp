#include "results/case_lines.hpp"

#include <cmath>

#include "results/units.hpp"

namespace mervik::results {

std::size_t maxMomentNode(const LoadCaseRecords& loadCase) {
    std::size_t best = 0;
    for (std::size_t k = 1; k < loadCase.nodes.size(); ++k)
        if (std::fabs(loadCase.nodes[k].M) > std::fabs(loadCase.nodes[best].M)) best = k;
    return best;
}

std::vector<std::string> caseResultLines(const PlotRecords& records, const ReportFacts& facts) {
    const UnitNames u = unitNames(records.units());
    std::vector<std::string> lines;
    for (std::size_t j = 0; j < records.loadCases.size() && j < records.summary.size(); ++j) {
        const LoadCaseRecords& lc = records.loadCases[j];
        const SummaryRow& s = records.summary[j];
        std::string line = (lc.lrfd ? "LRFD load case " : "Load case ") + std::to_string(lc.number) + ": ";
        line += "head deflection " + shortNumber(s.yTop) + " " + u.length;
        line += ", head rotation " + shortNumber(s.rotation) + " " + u.rotation;
        line += ", max moment " + shortNumber(s.maxMoment) + " " + u.moment;
        if (!lc.nodes.empty()) line += " at " + shortNumber(lc.nodes[maxMomentNode(lc)].x) + " " + u.length;
        line += ", max shear " + shortNumber(s.maxShear) + " " + u.force;
        const int used = facts.iterationsOf(lc.number);
        const std::string limit = facts.maxIterations > 0 ? std::to_string(facts.maxIterations) : "?";
        line += ", iterations " + (used > 0 ? std::to_string(used) : std::string("?")) + " of " + limit;
        lines.push_back(line);
    }
    return lines;
}

}  // namespace mervik::results
