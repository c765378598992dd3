// Test support: the built command line run as a user runs it, with its standard output, its
// standard error and its exit status.
#pragma once
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/temp_run.hpp"

namespace mervik::testing {

struct CliOutcome {
    int status = -1;
    std::string out, err;
};

inline CliOutcome runCli(const std::string& arguments) {
    const TempDir errors;
    const std::filesystem::path errFile = errors / "stderr.txt";
    const std::string command = std::string(MERVIK_CLI) + " " + arguments + " 2>" + errFile.string();
    CliOutcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return outcome;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) outcome.out += buffer;
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.err = readFile(errFile);
    return outcome;
}

inline std::string lastLine(const std::string& text) {
    const auto all = lines(text);
    return all.empty() ? std::string() : all.back();
}

inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace mervik::testing
