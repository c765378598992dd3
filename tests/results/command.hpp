// Test support of the results tests: a command run through the shell, its standard output
// and exit status.
#pragma once
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace mervik::testing {

struct CommandOutcome {
    int status = -1;
    std::string out;
};

inline CommandOutcome runCommand(const std::string& command) {
    CommandOutcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return outcome;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) outcome.out.append(buffer, n);
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

// The command-line host with arguments; standard error discarded unless asked for.
inline CommandOutcome runMervik(const std::string& arguments, bool withStderr = false) {
    return runCommand(std::string(MERVIK_CLI) + " " + arguments + (withStderr ? " 2>&1" : " 2>/dev/null"));
}

}  // namespace mervik::testing
