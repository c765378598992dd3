// The commands of the command-line host and what they share: the end-of-run line, the exit
// status and the input check.
#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/results_commands.hpp"
#include "input/findings.hpp"

namespace mervik::cli {

// Exit status of a command line that cannot be used, or of an input or output file that cannot
// be used as such (nothing is written then).
inline constexpr int kExitUnusable = 2;

// Prints "MGO returned N" as the last line of standard output; 0 when N <= 0, else 1.
int finish(std::int32_t result);

// "mervik: " and the text, on standard error; the exit status of an unusable command line.
int refuse(const std::string& text);

// The lines of a text, without their line ends.
std::vector<std::string> textLines(const std::string& text);
// The lines of a file (none when it cannot be read).
std::vector<std::string> fileLines(const std::filesystem::path& path);
// The lines of a message file that tell how the run ended ("The analysis ended ...").
std::vector<std::string> endOfRunLines(const std::vector<std::string>& messages);
// The block of an engine error: from its heading ("**** Input Data Error No. n ****", "*****
// INPUT ERROR *****", ...) to the end, without trailing blank lines; empty without a heading.
std::vector<std::string> errorBlock(const std::vector<std::string>& lines);

int hostCommand(const char* dir);
int runCommand(const std::filesystem::path& input, const char* outDir, const ResultsRequest& results);
int checkCommand(const std::filesystem::path& input);

// The text of an input file that can be opened as a regular file; false (with the reason in
// `why`) otherwise.
bool readInputFile(const std::filesystem::path& input, std::string& text, std::string& why);

// The findings on an input text, made with the engine's reader without analysing: the file
// tag, the reader's own input errors, the impossible and the unlikely values, and the errors
// of the input echo.
InputFindings inspectInput(const std::string& text);

// One finding a paragraph: "FILE:LINE: " (or "FILE: "), an optional prefix and the problem,
// then the detail and, for input the engine refuses, the error it ends with.
void printFindings(std::FILE* stream, const std::filesystem::path& input, const InputFindings& findings,
                   const char* prefix);

}  // namespace mervik::cli
