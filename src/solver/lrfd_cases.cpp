// The lateral analysis of LRFD load combinations. Every combination is analysed as a load case
// of type 1 with its factored shear, moment and axial force and a distributed lateral load
// combined from the loading groups; afterwards the largest moment of every pile section is
// compared with the factored moment capacity of that section at the combination's thrust.
#include "solver/lrfd_cases.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/run.hpp"
#include "engine/warnings.hpp"
#include "report/layout.hpp"
#include "solver/lrfd.hpp"
#include "solver/pile.hpp"

namespace mervik {

namespace {

constexpr int kLrfdFailureWarning = 400;
constexpr std::size_t kNameWidth = 256;  // combination names are 256-character fields

std::size_t ix(int k) { return static_cast<std::size_t>(k); }

int combinationCount(const Run& run) { return std::clamp(run.model.lrfd.combinationCount, 0, kMaxLrfd); }

// Nodes that have an entry in the type-load tables.
int typeLoadNodes(const Run& run) { return std::clamp(run.nodes.M, 0, std::min(kMaxNodes, kTypeNodalLoadEntries)); }

std::string paddedName(const std::string& name) {
    std::string s = name.substr(0, kNameWidth);
    s.resize(kNameWidth, ' ');
    return s;
}

// The distributed-load table of a loading group in the form of the LOADING table.
DistributedLoad groupTable(const LrfdLoadGroup& group) {
    DistributedLoad table;
    table.count = std::min(group.distPointCount, kMaxDistributedPoints);
    table.depth = group.distDepth;
    table.load = group.distLoad;
    return table;
}

void writeTypeLoadBlock(Run& run, int t) {
    Channel& out = run.report;
    const PileNodes& nodes = run.nodes;
    const auto& q = run.lrfd.typeNodalLoads[ix(t)];
    const std::string deflection(withoutTrailingBlanks(run.units.DeflectionUnit));
    const std::string force(withoutTrailingBlanks(run.units.ForceUnit));
    writeBlankLines(out, 2);
    writeTextLine(out, "Distributed Lateral Loads for LRFD:");
    writeTextLine(out, std::string(35, '-'));
    writeBlankLines(out, 2);
    writeTextLine(out, "Sums of Distributed Lateral Load Per Unit Length due to " + lrfdLoadTypeName(t));
    writeBlankLines(out, 1);
    writeTextLine(out, "   Depth     Distributed Load");
    Line(out).tab(5).a(run.units.DeflectionUnit, 3).tab(19).text(force + "/" + deflection).end();
    writeTextLine(out, "----------   ----------------");
    for (int k = 1; k <= typeLoadNodes(run); ++k) {
        if (q[ix(k)] != 0.0) Line(out).f(nodes.x[ix(k)], 10, 2).x(3).f(q[ix(k)], 10, 2).end();
    }
    writeBlankLines(out, 2);
}

// Factored moment capacity of pile section s in combination j, whose largest moment occurred
// at node `node`; false for an elastic section, which has none.
bool factoredCapacity(const Run& run, int j, int s, int node, double& capacity) {
    const PileSection& section = run.model.sections.section[ix(s)];
    const double phi = run.model.lrfd.combination[ix(j)].flexureResistanceFactor;
    if (section.sectionType == kElasticPile) return false;
    const int shape = section.elasticShape;
    const bool plasticAtNode = section.sectionType == kElasticPlasticPile &&
                               (shape == kShapeRectangular || shape == kShapeCircular || shape == kShapeCircularPipe ||
                                shape == kShapeEmbeddedPole);
    if (plasticAtNode) {
        capacity = phi * run.nodes.plasticMoment[ix(std::clamp(node, 1, kMaxNodes))];
    } else {
        const int t = std::clamp(run.lrfd.combinationThrustIndex[ix(j)], 1, kMaxAxialThrusts);
        capacity = phi * run.eiTables.Mn[ix(s)][ix(t)];
    }
    return true;
}

}  // namespace

bool isLrfdCase(const Run& run) { return run.model.options.useLrfd && !caseResults(run).stiffnessMode; }

int loadCaseLimit(const Run& run) {
    if (run.model.options.useLrfd) return combinationCount(run);
    return std::min(run.model.loading.loadCaseCount, kMaxLoadCases);
}

void computeTypeNodalLoads(Run& run) {
    LrfdResults& lrfd = run.lrfd;
    const PileNodes& nodes = run.nodes;
    const int M = typeLoadNodes(run);
    lrfd.typeNodalLoads = {};
    const int groups = std::clamp(run.model.lrfd.groupCount, 0, kMaxLrfd);
    for (int g = 1; g <= groups; ++g) {
        const LrfdLoadGroup& group = run.model.lrfd.group[ix(g)];
        // A group of a type outside 1 to 13 belongs to no type: it loads no node, as it adds
        // nothing to the sums of the pile-head loads.
        if (group.lrfdLoadType < 1 || group.lrfdLoadType > kLrfdTypes || group.distPointCount <= 0) continue;
        const DistributedLoad table = groupTable(group);
        auto& q = lrfd.typeNodalLoads[ix(group.lrfdLoadType)];
        for (int k = 1; k <= M; ++k) q[ix(k)] += tributaryLoadIntegral(run, table, k);
    }
    for (int t = 1; t <= kLrfdTypes; ++t) {
        auto& q = lrfd.typeNodalLoads[ix(t)];
        bool loaded = false;
        for (int k = 1; k <= M; ++k) {
            q[ix(k)] /= (k == 1 || k == nodes.M) ? 0.5 * nodes.h : nodes.h;
            loaded = loaded || q[ix(k)] != 0.0;
        }
        if (loaded) writeTypeLoadBlock(run, t);
    }
}

double combinationNodalLoad(const Run& run, int k, int c) {
    if (k < 1 || k > kTypeNodalLoadEntries || c < 1 || c > kMaxLrfd) return 0.0;
    const LrfdCombination& combination = run.model.lrfd.combination[ix(c)];
    double q = 0.0;
    for (int t = 1; t <= kLrfdTypes; ++t) q += combination.loadFactors[ix(t)] * run.lrfd.typeNodalLoads[ix(t)][ix(k)];
    return q;
}

void setLrfdNodalLoads(Run& run, int j) {
    computeTypeNodalLoads(run);
    PileNodes& nodes = run.nodes;
    for (int k = 1; k <= typeLoadNodes(run); ++k) nodes.q[ix(k)] = combinationNodalLoad(run, k, j);
    nodes.Q = nodes.q;
}

bool selectLrfdCase(Run& run, int j) {
    if (!isLrfdCase(run)) return false;
    LoadCaseConditions& c = run.loadCase;
    c.lrfd = true;
    c.type = 1;
    if (j < 1 || j > kMaxLrfd) return true;
    const FactoredLoads& f = run.lrfd.factored;
    c.V0 = f.shear[ix(j)];
    c.M0 = f.moment[ix(j)];
    c.P = f.axial[ix(j)];
    return true;
}

void writeLrfdPerformance(Run& run) {
    Channel& out = run.report;
    writeBlankLines(out, 2);
    writeTextLine(out, std::string(80, '-'));
    writeTextLine(out, std::string(19, ' ') + "LRFD Performance by Load Case Combination");
    writeTextLine(out, std::string(80, '-'));
    writeBlankLines(out, 2);
    writeTextLines(out, {
        "Load             Resistance    Factored      Maximum    Fact. Mom.    Pass/Fail     Maximum                           ",
        "Case   Section     Factor       Moment        Moment     Fraction     for LRFD    Shear For.    Pile-Top     Pile-Top ",
        " No.     No.     for Moment    Capacity     Developed    Mobilized     Moment      Developed   Deflection    Rotation ",
        "                              of Section   in Section   in Section   of Section   in Section    Developed    Developed   Name of Load Case Combination",
        "----   -------   ----------   ----------   ----------   ----------   ----------   ----------   ----------   ----------   -----------------------------------------",
    });

    const int cases = std::min(combinationCount(run), kMaxLoadCases);
    const int sections = std::clamp(run.model.sections.count, 0, kMaxSections);
    int failures = 0;
    for (int j = 1; j <= cases; ++j) {
        const LrfdCombination& combination = run.model.lrfd.combination[ix(j)];
        const LoadCaseSummary& record = caseResults(run).cases[ix(j)];
        for (int s = 1; s <= sections; ++s) {
            const SectionMaxima& maxima = record.sections[ix(s)];
            Line row(out);
            row.integer(j, 3).blanks(1).integer(s, 7).blanks(3).real(combination.flexureResistanceFactor, 10).blanks(6);
            double capacity = 0.0;
            if (!factoredCapacity(run, j, s, maxima.momentNode, capacity)) {
                row.text(" Infinite ").blanks(3).real(maxima.moment, 10).blanks(3).text("    N/A   ").blanks(3);
                row.text("    N/A      ");
            } else {
                const bool pass = capacity > std::abs(maxima.moment);
                row.real(capacity, 10).blanks(3).real(maxima.moment, 10).blanks(3);
                row.f(maxima.moment / capacity, 10, 4).blanks(3).text(pass ? "   Pass      " : " > FAIL <    ");
                if (!pass) {
                    recordWarning(run.warnings, kLrfdFailureWarning);
                    ++failures;
                }
            }
            row.real(maxima.shear, 10).blanks(3).real(record.headDeflection, 10).blanks(3);
            row.real(record.headSlope, 10).blanks(3).text(paddedName(combination.combinationName)).end();
        }
    }
    writeBlankLines(out, 1);
    if (failures == 0) {
        writeTextLine(out, "All LRFD load combinations have passed for all pile sections.");
    } else {
        Line(out).i(failures, 0).text(" LRFD load combinations have failed.").end();
    }
}

}  // namespace mervik
