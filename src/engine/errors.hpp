// Fatal errors of a run. The first fatal error is stored in run.errorNumber (100 + n for input
// error n, 200 + n for runtime error n, 999 for the internal error of the strength
// interpolation, 99 when a massive-rock layer ends the analysis); every procedure returns as
// soon as it sees it, and the end of run turns it into the closing line and the result code.
#pragma once
#include <string>
#include <string_view>

namespace mervik {

struct Run;
class Channel;

inline constexpr int inputError(int n) { return 100 + n; }
inline constexpr int runtimeError(int n) { return 200 + n; }
inline constexpr int kMassiveRockEnd = 99;
inline constexpr int kInternalError = 999;

// Runtime errors of the engine's own file handling, outside the numbered catalogue of the
// computation: a named output file cannot be created, the input data file cannot be opened,
// the moment-curvature name list is missing, an unexpected failure (out of memory, file
// system) stopped the run.
inline constexpr int kErrOutputFile = 1;
inline constexpr int kErrInputFile = 7;
inline constexpr int kErrNameList = 8;
inline constexpr int kErrUnexpected = 12;
// Runtime error of this engine: a result written to the report or the plot file is not a finite
// number, and nothing in the analysis raised an error for it.
inline constexpr int kErrNonFiniteResult = 40;
// Input error of this engine: general units give no default of a p-y property (k, eps50) and
// the layer gives none, or no curve of an empirical model that holds in SI units only.
inline constexpr int kErrNoDefaultInGeneralUnits = 32;

// "INP00025", "RUN00009", "RUN00999".
std::string errorCodeText(int errorNumber);

// Writes the premature-end line (and for input error 25 its text) to the report and stores the
// error number, unless an earlier fatal error was stored already.
void raiseRunError(Run& run, std::string_view codeText, int errorNumber);
void raiseInputError(Run& run, int n);
void raiseRuntimeError(Run& run, int n);
// Errors stored without a premature-end line (they write their own text first).
void storeErrorNumber(Run& run, int errorNumber);

// "**** Input Data Error No. n ****" and "**** Runtime Error No. n ****".
void writeInputErrorHeading(Channel& channel, int n);
void writeRuntimeErrorHeading(Channel& channel, int n);

// End of run: the closing line for an input or runtime error, with a blank line before and
// after, to the message file and the report. Nothing for 0, 99 and 999.
void writeErrorClosingLines(Run& run);

}  // namespace mervik
