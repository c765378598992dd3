// The command-line host: its two commands, the last line on standard output and the exit
// status that scripts rely on.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/temp_run.hpp"

namespace mervik {
namespace {

using testing::TempDir;

struct Outcome {
    int status = -1;
    std::string out;
};

Outcome runCli(const std::string& arguments) {
    const std::string command = std::string(MERVIK_CLI) + " " + arguments + " 2>/dev/null";
    Outcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return outcome;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) outcome.out += buffer;
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

std::string lastLine(const std::string& text) {
    const auto all = testing::lines(text);
    return all.empty() ? std::string() : all.back();
}

TEST(CommandLine, HostRunsMGOWhereNamesDatIs) {
    TempDir dir;
    dir.write("NAMES.DAT", "p.lp6\np.out\np.plt\np.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("p.lp6", testing::fixture("minimal_ei_only.lp6"));
    const Outcome ok = runCli("host " + dir.path().string());
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(lastLine(ok.out), "MGO returned 0");
    EXPECT_TRUE(dir.exists("p.out"));

    dir.write("p.lp6", "");
    dir.write("M_vs_EI_report_names.txt", "");
    const Outcome failed = runCli("host " + dir.path().string());
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(lastLine(failed.out), "MGO returned 125");
}

TEST(CommandLine, RunWritesStemFilesIntoTheOutputDirectory) {
    TempDir dir;
    dir.write("shaft.lp6", testing::fixture("minimal_ei_only.lp6"));
    const Outcome ok = runCli("run " + (dir / "shaft.lp6").string() + " --out " + (dir / "results").string());
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(lastLine(ok.out), "MGO returned 0");
    EXPECT_NE(ok.out.find("The analysis ended normally."), std::string::npos);
    for (const char* name : {"results/shaft.out", "results/shaft.plt", "results/shaft.msg"})
        EXPECT_TRUE(dir.exists(name)) << name;

    // Without --out the files go beside the input.
    const Outcome beside = runCli("run " + (dir / "shaft.lp6").string());
    EXPECT_EQ(beside.status, 0);
    EXPECT_TRUE(dir.exists("shaft.out"));
}

TEST(CommandLine, MissingInputIsAnOrderlyFailure) {
    TempDir dir;
    const Outcome missing = runCli("run " + (dir / "none.lp6").string());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(lastLine(missing.out), "MGO returned 207");
    EXPECT_NE(dir.read("none.msg").find("The input data file cannot be opened."), std::string::npos);
}

TEST(CommandLine, UnusableCommandLines) {
    TempDir dir;
    for (const std::string& arguments : {std::string(""), std::string("frobnicate"), std::string("run"),
                                         std::string("run a b c"), "host " + (dir / "no-such-dir").string()}) {
        EXPECT_EQ(runCli(arguments).status, 2) << arguments;
    }
}

}  // namespace
}  // namespace mervik
