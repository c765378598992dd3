// The OPTIONS block: unit system, kind of analysis, option flags, solution control and report
// options, read as a fixed sequence of lines.
#pragma once
#include <string>

namespace mervik {

struct Run;

// Convergence tolerance bounds (deflection unit). The upper bounds are the single-precision
// values of 0.1 in and 2.54E-3 m; the lower bounds are those the error messages state.
inline constexpr double kToleranceMaxUSCS = 0.10000000149011612;
inline constexpr double kToleranceMinUSCS = 1E-10;
inline constexpr double kToleranceMaxSI = 0.00254;
inline constexpr double kToleranceMinSI = 2.5E-12;

// Reads the OPTIONS block (after its header line) into run.model.options.
void readOptions(Run& run);

// Input error 99: a line that is unrecognized or out of order, shown as a 256-character field.
void unrecognizedLineError(Run& run, const std::string& line);

}  // namespace mervik
