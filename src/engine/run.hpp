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

// Per-layer working values of the lateral analysis.
struct LayerWork {
    // Equivalent depth of the top of each layer; -10000.0 until the layering correction has
    // given it a value.
    Table<double, kMaxLayers> xe{};
    // Marks of the layer loop of the iteration.
    Table<bool, kMaxLayers> marks{};
};

struct Run {
    AnalysisModel model;
    UnitLabels units;
    PyModelNames pyModelNames{};
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
    std::string inputPath;                   // full paths of the four files of the run
    std::string reportPath, plotPath, messagesPath;
    Channel report, plot, messages;

    int errorNumber = 0;  // first fatal error wins; 0 = none
    Clock clock;          // kept across resets: the host's, not the run's

    bool failed() const { return errorNumber > 0; }
};

// Start of a run: clears everything the previous run left, keeps the clock.
void resetRun(Run& run);

}  // namespace mervik
