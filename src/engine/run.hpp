// The run object: everything one analysis reads or writes. Every procedure receives it by
// reference; nothing else in the engine is mutable, so runs in separate threads do not meet.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "engine/capacities.hpp"
#include "engine/units.hpp"
#include "engine/warnings.hpp"
#include "input/input_text.hpp"
#include "input/item_lines.hpp"
#include "input/model.hpp"
#include "py/py_framework.hpp"
#include "report/channel.hpp"
#include "section/section_analysis.hpp"
#include "solver/lrfd.hpp"
#include "solver/pile.hpp"

namespace mervik {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Local date and time for the report header; tests fix it.
struct Clock {
    std::optional<LocalTime> fixed;
    LocalTime now() const;
};

// Names of the moment-curvature relation files, one per section and axial thrust.
struct MomentCurvatureReportNames {
    Table<std::string, kMaxMomentCurvatureNames> names{};
    int count = 0;
};

// Equivalent depth of a layer that the layering correction has not given a value yet.
inline constexpr double kEquivalentDepthUnset = -10000.0;

// Per-layer working values of the lateral analysis; both tables keep their values from one load
// case to the next and start afresh only with the run.
struct LayerWork {
    // Equivalent depth of the top of each layer.
    Table<double, kMaxLayers> xe = filledTable<double, kMaxLayers>(kEquivalentDepthUnset);
    // Marks of the layer loop of the iteration.
    Table<bool, kMaxLayers> marks{};
};

// Every member starts a run as its initializer gives it (see resetRun): state that must hold at
// the start of a run belongs in the initializer, never in a separate reset step.
struct Run {
    AnalysisModel model;
    UnitLabels units;
    PyModelNames pyModelNames = makePyModelNames();
    MomentCurvatureReportNames momentCurvatureNames;
    LrfdResults lrfd;                        // factored LRFD loads, built during the echo
    SectionWork section;                     // the pile section being analysed
    SectionEITables eiTables;                // moment-curvature relations of every section
    PileNodes nodes;                         // the discretised pile of the load case being solved
    LoadCaseConditions loadCase;             // boundary conditions and thrust of that case
    SolverState solver;                      // finite-difference solver state between calls
    CaseResults caseResults;                 // maxima of the case and records for the summary
    PyWork py;                               // p-y framework working values
    LayerWork layers;
    WarningRegistry warnings;

    InputText input;
    InputItemLines itemLines;                // input line of every value read
    std::string inputPath;                   // full paths of the four files of the run
    std::string reportPath, plotPath, messagesPath;
    Channel report, plot, messages;

    int errorNumber = 0;  // first fatal error wins; 0 = none
    Clock clock;          // kept across resets: the host's, not the run's

    bool failed() const { return errorNumber > 0; }
};

// Start of a run: the run object is rebuilt in place from its member initializers, so nothing
// of a previous run survives; only the clock (the host's) is kept. Message texts then go to the
// standard error stream until the named files are open.
void resetRun(Run& run);

}  // namespace mervik
