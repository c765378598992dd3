/* Mervik engine: public entry points (C linkage), exported from libmervik.so.
 *
 * MGO runs one analysis in the current working directory: it reads NAMES.DAT (the paths of the
 * input data file, the output report file, the plot output file and the runtime message file,
 * one per line) and M_vs_EI_report_names.txt (names of the moment-curvature relation files;
 * the list is deleted after reading), analyses the input and writes the three output files.
 *
 * Result: 0 the run ended normally; 100 + n input error n; 200 + n runtime error n; 99 a
 * massive-rock layer ended the analysis; 999 internal error; -w exactly one warning number w
 * was counted; -300 more than one warning number was counted.
 *
 * Each call is independent; calls on separate run files may proceed in separate threads with
 * mervik_run_files (MGO itself depends on the process-wide working directory). */
#ifndef MERVIK_MERVIK_H
#define MERVIK_MERVIK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define MERVIK_API __attribute__((visibility("default")))

/* The host entry point; the argument carries no analysis data. */
MERVIK_API int32_t MGO(int32_t host_argument);

/* One analysis on four named files (relative names are taken from the current directory),
 * without NAMES.DAT and without moment-curvature relation files. Same result as MGO. */
MERVIK_API int32_t mervik_run_files(const char* input_path, const char* report_path, const char* plot_path,
                                    const char* messages_path);

#ifdef __cplusplus
}
#endif

#endif
