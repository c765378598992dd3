// The command-line host: its commands, the last line on standard output and the exit status
// that scripts rely on, the refusals that keep an input from being lost, and the error text on
// standard error.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/cli_run.hpp"

namespace mervik {
namespace {

using testing::CliOutcome;
using testing::TempDir;
using testing::contains;
using testing::lastLine;
using testing::runCli;

TEST(CommandLine, HostRunsMGOWhereNamesDatIs) {
    TempDir dir;
    dir.write("NAMES.DAT", "p.lp6\np.out\np.plt\np.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("p.lp6", testing::fixture("minimal_ei_only.lp6"));
    const CliOutcome ok = runCli("host " + dir.path().string());
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(lastLine(ok.out), "MGO returned 0");
    EXPECT_TRUE(dir.exists("p.out"));

    dir.write("p.lp6", "");
    dir.write("M_vs_EI_report_names.txt", "");
    const CliOutcome failed = runCli("host " + dir.path().string());
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(lastLine(failed.out), "MGO returned 125");
}

TEST(CommandLine, RunWritesStemFilesIntoTheOutputDirectory) {
    TempDir dir;
    dir.write("shaft.lp6", testing::fixture("minimal_ei_only.lp6"));
    const CliOutcome ok = runCli("run " + (dir / "shaft.lp6").string() + " --out " + (dir / "results").string());
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(lastLine(ok.out), "MGO returned 0");
    EXPECT_TRUE(contains(ok.out, "The analysis ended normally."));
    EXPECT_EQ(ok.err, "");
    for (const char* name : {"results/shaft.out", "results/shaft.plt", "results/shaft.msg"})
        EXPECT_TRUE(dir.exists(name)) << name;

    // Without --out the files go beside the input; --out may come first.
    const CliOutcome beside = runCli("run " + (dir / "shaft.lp6").string());
    EXPECT_EQ(beside.status, 0);
    EXPECT_TRUE(dir.exists("shaft.out"));
    const CliOutcome first = runCli("run --out " + (dir / "other").string() + " " + (dir / "shaft.lp6").string());
    EXPECT_EQ(first.status, 0);
    EXPECT_TRUE(dir.exists("other/shaft.msg"));
}

// An input that cannot be opened as a file is refused before anything is written: no file of
// the run, no hidden ".out" in a directory given as the input.
TEST(CommandLine, AnInputThatIsNoFileIsRefusedAndNothingIsWritten) {
    TempDir dir;
    std::filesystem::create_directory(dir / "somedir");
    for (const std::string& input : {(dir / "none.lp6").string(), (dir / "somedir").string() + "/"}) {
        SCOPED_TRACE(input);
        const CliOutcome refused = runCli("run " + input);
        EXPECT_EQ(refused.status, 2);
        EXPECT_FALSE(contains(refused.out, "MGO returned"));
        EXPECT_TRUE(contains(refused.err, input));
    }
    const CliOutcome withOut = runCli("run " + (dir / "none.lp6").string() + " --out " + (dir / "results").string());
    EXPECT_EQ(withOut.status, 2);
    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) entries += entry.path() != dir / "somedir";
    EXPECT_EQ(entries, 0u);
}

// An input whose name ends in .out, .plt or .msg would be overwritten by an output of the same
// stem: the run is refused and the input keeps its content, beside it or through --out.
TEST(CommandLine, AnInputIsNeverOverwrittenByAnOutput) {
    const std::string input = testing::fixture("minimal_ei_only.lp6");
    struct Case {
        const char* input;
        const char* outOption;  // relative to the directory; empty: no --out
    };
    for (const Case& c : {Case{"case.out", ""}, Case{"case.plt", ""}, Case{"case.msg", ""}, Case{"sub/case.out", "sub"},
                          Case{"case.msg", "."}}) {
        SCOPED_TRACE(c.input);
        TempDir dir;
        std::filesystem::create_directories((dir / c.input).parent_path());
        dir.write(c.input, input);
        std::string arguments = "run " + (dir / c.input).string();
        if (*c.outOption != '\0') arguments += " --out " + (dir / c.outOption).string();
        const CliOutcome refused = runCli(arguments);
        EXPECT_EQ(refused.status, 2);
        EXPECT_TRUE(contains(refused.err, "would overwrite the input file"));
        EXPECT_EQ(dir.read(c.input), input);
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) files += entry.is_regular_file();
        EXPECT_EQ(files, 1u);
    }
}

// On an error the message block of the message file reaches standard error; "MGO returned N"
// stays the last line on standard output.
TEST(CommandLine, TheErrorTextReachesStandardError) {
    TempDir dir;
    dir.write("pile.lp6", testing::fixture("bad_inputs/negative_section_length.lp6"));
    const CliOutcome failed = runCli("run " + (dir / "pile.lp6").string());
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(lastLine(failed.out), "MGO returned 180");
    const std::string block = "**** Input Data Error No. 80 ****\n\n"
                              "Problem:  The length of pile section 1 (SECTIONS section, line 29) is -1.\n"
                              "          This value must be greater than zero.\n"
                              "Solution:  Correct the value in the input data.\n";
    EXPECT_TRUE(contains(failed.err, block)) << failed.err;
    EXPECT_TRUE(contains(failed.err, "The analysis ended due to input error No. 80."));

    // An error whose text only the report holds (an OPTIONS keyword line) shows that text.
    std::string options = testing::fixture("minimal_ei_only.lp6");
    const std::size_t at = options.find("UseTipShear NO");
    ASSERT_NE(at, std::string::npos);
    options.replace(at, 14, "UseTipShear N0");
    dir.write("typo.lp6", options);
    const CliOutcome typo = runCli("run " + (dir / "typo.lp6").string());
    EXPECT_EQ(lastLine(typo.out), "MGO returned 195");
    EXPECT_TRUE(contains(typo.err, "INPUT ERROR - Unrecognized command for tip shear option")) << typo.err;
    EXPECT_TRUE(contains(typo.err, "The analysis ended due to input error No. 95."));
}

TEST(CommandLine, HelpAndVersionGoToStandardOutput) {
    const CliOutcome help = runCli("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* part : {"mervik run INPUT [--out DIR]", "mervik check INPUT", "docs/input.md"})
        EXPECT_TRUE(contains(help.out, part)) << part;
    EXPECT_EQ(runCli("run --help").status, 0);
    const CliOutcome version = runCli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("mervik ", 0), 0u);
}

TEST(CommandLine, UnusableCommandLines) {
    TempDir dir;
    for (const std::string& arguments :
         {std::string(""), std::string("frobnicate"), std::string("run"), std::string("run a b c"), std::string("run a --out"),
          std::string("check"), std::string("check a b"), "check " + (dir / "none.lp6").string(),
          "host " + (dir / "no-such-dir").string()}) {
        EXPECT_EQ(runCli(arguments).status, 2) << arguments;
    }
}

}  // namespace
}  // namespace mervik
