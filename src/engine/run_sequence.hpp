// The order of a run: hand-over files, the four run files, input, report header, the phases
// of the analysis and the end of run with its result code.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "engine/run.hpp"

namespace mervik {

struct RunFiles {
    std::string input, report, plot, messages;
};

// What MGO does in the working directory workDir (absolute): reads NAMES.DAT and
// M_vs_EI_report_names.txt there (relative names in them are taken from workDir) and runs.
std::int32_t runFromNamesFile(Run& run, const std::filesystem::path& workDir);

// A run on four named files, without NAMES.DAT and without moment-curvature relation files.
std::int32_t runWithFiles(Run& run, const RunFiles& files, const std::filesystem::path& workDir);

// The analysis of the input held in run.input, once the report, plot and message channels are
// open (as files or in memory), and the end of run: the result code. A run that has failed
// already (a file could not be opened) only ends. Both entries above finish this way.
std::int32_t analyseOpenRun(Run& run);
// Runtime error 40 when the report or the plot file holds a result that is not a finite number
// and the run has no error yet (the last step of an analysis).
void refuseNonFiniteResults(Run& run);

// The result of MGO for the state of a finished run.
std::int32_t resultCode(const Run& run);

// Phases called by the sequence (exposed for tests).
void writeReportHeader(Run& run);
void runSectionLoop(Run& run);
void endOfRun(Run& run);

}  // namespace mervik
