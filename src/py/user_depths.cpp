// p-y curves printed at the user's depths after load case 1 has converged. The node list is
// replaced for the time of the printing by the sorted, distinct output depths, the depths are
// assigned to the soil layers by their depth along the pile, and every layer holding depths
// runs its model routine in the report pass. The nodes of the load case are put back at the
// end, so the case report and the later cases see them unchanged.
#include <algorithm>
#include <cstddef>
#include <string>

#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// Ascending order in place (insertion sort: the list is short, and a value that does not
// compare leaves the sort well defined).
void sortAscending(Table<double, kMaxPyOutputDepths>& d, int n) {
    for (int i = 2; i <= n; ++i) {
        const double v = d[at(i)];
        int j = i - 1;
        while (j >= 1 && v < d[at(j)]) {
            d[at(j + 1)] = d[at(j)];
            --j;
        }
        d[at(j + 1)] = v;
    }
}

// Keeps the first depth and every later one that differs from all depths kept so far; returns
// the number kept.
int removeDuplicates(Table<double, kMaxPyOutputDepths>& d, int n) {
    if (n <= 1) return n;
    int kept = 1;
    for (int i = 2; i <= n; ++i) {
        bool repeated = false;
        for (int j = 1; j <= kept; ++j) {
            if (d[at(i)] == d[at(j)]) repeated = true;
        }
        if (!repeated) d[at(++kept)] = d[at(i)];
    }
    return kept;
}

void writeHeading(Run& run) {
    writeLayout(run.messages, R"("Computing p-y curves for output at user-specified depths.")");
    const std::string rule(80, '-');
    writeTextLine(run.report, rule);
    Line(run.report).tab(21).text("p-y Curves Reported for Specified Depths").end();
    writeTextLine(run.report, rule);
}

// Input error 23, not fatal: the shallowest output depth lies above the ground surface.
void writeDepthAboveGround(Run& run, Channel& c, double depth, double ground) {
    const std::string& unit = run.units.DeflectionUnit;
    writeTextLine(c, "**** Input Data Error No. 23 (NON-FATAL) ****");
    writeBlankLines(c, 1);
    Line(c).text("p-y curves cannot be generated at depth number ").i(1, 0).end();
    Line(c)
        .text("This location is ")
        .f(depth, 9, 3)
        .text(" ")
        .text(unit.substr(0, 1))
        .text(" below the pile head and ")
        .end();
    writeTextLine(c, "is above the ground surface for this problem.");
    writeBlankLines(c, 1);
    Line(c).text("The ground surface is ").f(ground, 9, 3).text(" ").text(unit).text(" below the top of the pile.").end();
    writeBlankLines(c, 1);
}

// What the printing changes of the load case's nodes and of the framework's current range.
struct SavedNodes {
    int M = 0;
    Table<double, kMaxNodes> x{};
    Table<int, kMaxLayerSlots> firstNode{};
    Table<int, kMaxLayerSlots> lastNode{};
    int layer = 0, first = 0, last = 0, rockCount = 0;
};

void save(const Run& run, SavedNodes& s) {
    s.M = run.nodes.M;
    s.x = run.nodes.x;
    s.firstNode = run.nodes.firstNode;
    s.lastNode = run.nodes.i_BottomNodeInLayer;
    s.layer = run.py.layer;
    s.first = run.py.firstNode;
    s.last = run.py.lastNode;
    s.rockCount = run.py.rockCount;
}

void restore(Run& run, const SavedNodes& s) {
    run.nodes.M = s.M;
    run.nodes.x = s.x;
    run.nodes.firstNode = s.firstNode;
    run.nodes.i_BottomNodeInLayer = s.lastNode;
    run.py.layer = s.layer;
    run.py.firstNode = s.first;
    run.py.lastNode = s.last;
    run.py.rockCount = s.rockCount;
    run.py.reportPass = false;
}

// The report pass of every layer holding output depths, from the top down; each visited
// layer's block is followed by two line ends.
void printLayers(Run& run) {
    PyWork& py = run.py;
    const int layerCount = run.model.soil.layerCount;
    py.reportPass = true;
    for (int L = 1; L <= layerCount && L <= kMaxLayers; ++L) {
        const int first = run.nodes.firstNode[at(L)];
        if (first == 0) continue;
        // A layer below a rock-like layer takes its curve depth below the ground surface.
        py.rockCount = run.layers.marks[at(L)] ? 1 : 0;
        py.layer = L;
        py.firstNode = first;
        py.lastNode = run.nodes.i_BottomNodeInLayer[at(L)];
        callLayerModel(run, L);
        if (run.failed()) return;
        writeLayout(run.report, "/,/");
    }
}

}  // namespace

void computePyCurvesAtUserDepths(Run& run) {
    PyOutputDepths& depths = run.model.pyOutputDepths;
    int n = std::clamp(depths.count, 0, kMaxPyOutputDepths);
    sortAscending(depths.depth, n);
    n = removeDuplicates(depths.depth, n);
    depths.count = n;

    plotRecord6(run, n);
    writeHeading(run);

    // Sorted, only the first depth can lie above the ground surface; then nothing is printed
    // and the analysis goes on.
    const double ground = run.model.soil.groundSurface;
    if (n > 0 && ground > depths.depth[1]) {
        writeDepthAboveGround(run, run.report, depths.depth[1], ground);
        writeDepthAboveGround(run, run.messages, depths.depth[1], ground);
        plotRecord7AboveGround(run, depths.depth[1], 0);
        return;
    }

    // The output depths stand in for the nodes, depth number k as node k.
    SavedNodes saved;
    save(run, saved);
    run.nodes.M = n;
    for (int k = 1; k <= n; ++k) run.nodes.x[at(k)] = depths.depth[at(k)];
    assignLayers(run, false);
    printLayers(run);
    restore(run, saved);
}

}  // namespace mervik
