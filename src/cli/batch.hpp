// mervik batch INPUT... [-j N] [--out DIR] [--csv FILE]: many analyses in parallel threads of one
// process through mervik_run_files, with a progress line and one summary table of all runs.
#pragma once

namespace mervik::cli {

// argv[1] is "batch". Exit status 0 when every run ended without error, 1 when any failed, 2 for
// a command line that cannot be used.
int batchCommand(int argc, char** argv);

}  // namespace mervik::cli
