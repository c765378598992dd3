// Whole runs through the working-directory entry: the report header, the hand-over files, the
// early errors, the end-of-run messages and warning summary, and runs side by side in threads.
#include <gtest/gtest.h>

#include <pthread.h>

#include <filesystem>
#include <functional>
#include <latch>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "engine/run_sequence.hpp"
#include "engine/warnings.hpp"
#include "support/temp_run.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

using mervik::testing::HostRun;
using mervik::testing::TempDir;
using mervik::testing::fixedTime;
using mervik::testing::runHost;
using mervik::testing::runInDir;

std::string rep(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

bool startsWith(const std::string& text, const std::string& head) { return text.compare(0, head.size(), head) == 0; }
bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// What the file block shows: the input file's directory (with its trailing separator) and the
// bare names of the four files.
struct FileBlock {
    std::string inputDirectory, input, report, plot, messages;
};

FileBlock hostFiles(const TempDir& dir) {
    return {dir.path().string() + "/", "input.lp6", "report.out", "plot.plt", "messages.msg"};
}

std::string fileLines(const FileBlock& f) {
    return "Path to file locations:        " + f.inputDirectory + "\n" +
           "Name of input data file:       " + f.input + "\n" +
           "Name of output report file:    " + f.report + "\n" +
           "Name of plot output file:      " + f.plot + "\n" +
           "Name of runtime messeage file: " + f.messages + "\n\n\n";
}

const std::string kDateLine = rep(' ', 15) + "Date:  December 10, 2026     Time:   9:05:03\n";

std::string dateHeading() {
    return rep('-', 80) + "\n" + rep(' ', 27) + "Date and Time of Analysis\n" + rep('-', 80) + "\n";
}

// Banner, file block and date block at the start of the report.
std::string reportHeader(const FileBlock& f, const std::string& dateLine = kDateLine) {
    const std::string indent = rep(' ', 15);
    return rep('=', 80) + "\n\n" +
           indent + "   Mervik for Windows, Version 2012-06.037\n\n" +
           indent + " Analysis of Individual Piles and Drilled Shafts \n" +
           indent + "Subjected to Lateral Loading Using the p-y Method\n\n" +
           rep('=', 80) + "\n\n" +
           rep('-', 80) + "\n" + rep(' ', 28) + "Files Used for Analysis\n" + rep('-', 80) + "\n\n" +
           fileLines(f) +
           dateHeading() + (dateLine.empty() ? "" : "\n" + dateLine);
}

// The message-file lines of a run whose input was read: the end-of-input line and the file block.
std::string messagesAfterInput(const FileBlock& f) {
    return "Input of data completed\n\nFile Path and Names Used for Analysis:\n" + fileLines(f);
}

const std::string kEndedNormally = "\nThe analysis ended normally. \n\n";
// A complete input of a capacity-and-stiffness-only run: one steel pipe section.
const std::string kValidInput = mervik::testing::fixture("minimal_ei_only.lp6");
const std::string kPlotRecord1OfEmptyModel =
    "    0    0    0    0" + rep(' ', 60) + "Line 1 : i_Analysis_Type, IUNITS, KYL, ib_ComputeKmatrix_1T0F\n";

// ---------------------------------------------------------------------------------------------
// Normal runs

TEST(RunSequence, NormalRunWritesHeaderFileBlockAndEndsNormally) {
    TempDir dir;
    const HostRun out = runHost(dir, kValidInput);
    EXPECT_EQ(out.result, 0);
    // The header opens the report; the input echo comes between it and the end line.
    EXPECT_TRUE(startsWith(out.report, reportHeader(hostFiles(dir)))) << out.report;
    EXPECT_TRUE(endsWith(out.report, kEndedNormally)) << out.report;
    // The reader's own progress lines come before "Input of data completed".
    EXPECT_NE(out.messages.find(messagesAfterInput(hostFiles(dir))), std::string::npos) << out.messages;
    EXPECT_TRUE(endsWith(out.messages, kEndedNormally)) << out.messages;
    // Record 1 (analysis type 2, US units, no stiffness matrix), then the number of sections.
    EXPECT_TRUE(startsWith(out.plot, "    2    1    0    0" + rep(' ', 60) +
                                         "Line 1 : i_Analysis_Type, IUNITS, KYL, ib_ComputeKmatrix_1T0F\n" +
                                         "    1" + rep(' ', 75) + "Line 2 : Total number of sections\n"))
        << out.plot;
}

TEST(RunSequence, FileBlockShowsInputDirectoryAndBareFileNames) {
    // Relative names are taken from the working directory; an absolute name is used as given.
    TempDir dir;
    std::filesystem::create_directory(dir / "data");
    dir.write("NAMES.DAT", "data/pile.lp6\n" + (dir / "result.out").string() + "\nplot.plt\nrun.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("data/pile.lp6", kValidInput);
    auto run = std::make_unique<mervik::Run>();
    EXPECT_EQ(runInDir(dir, *run), 0);
    const FileBlock block{(dir / "data").string() + "/", "pile.lp6", "result.out", "plot.plt", "run.msg"};
    EXPECT_TRUE(startsWith(dir.read("result.out"), reportHeader(block))) << dir.read("result.out");
    EXPECT_NE(dir.read("run.msg").find(messagesAfterInput(block)), std::string::npos) << dir.read("run.msg");
}

struct DateCase {
    LocalTime time;
    std::string line;  // empty: only the heading lines
};

TEST(RunSequence, DateLineOfTheReportHeader) {
    const DateCase cases[] = {
        {{2026, 12, 10, 9, 5, 3}, kDateLine},
        {{2027, 1, 5, 14, 30, 0}, rep(' ', 15) + "Date:  January 5, 2027     Time:  14:30:00\n"},
        {{2031, 7, 31, 0, 0, 59}, rep(' ', 15) + "Date:  July 31, 2031     Time:   0:00:59\n"},
        {{2026, 13, 1, 12, 0, 0}, ""},
        {{2026, 0, 1, 12, 0, 0}, ""},
    };
    for (const DateCase& c : cases) {
        TempDir dir;
        dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
        dir.write("M_vs_EI_report_names.txt", "");
        dir.write("input.lp6", kValidInput);
        auto run = std::make_unique<mervik::Run>();
        run->clock.fixed = c.time;
        EXPECT_EQ(runFromNamesFile(*run, dir.path()), 0);
        const std::string report = dir.read("report.out");
        EXPECT_TRUE(startsWith(report, reportHeader(hostFiles(dir), c.line))) << "month " << c.time.month << "\n" << report;
        if (c.line.empty()) {
            EXPECT_EQ(report.find("Date:  "), std::string::npos) << "month " << c.time.month;
        }
    }
}

TEST(RunSequence, NamesFileWithMoreThanFourLinesRunsNormally) {
    TempDir dir;
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\nextra.out\n\nmore text\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("input.lp6", kValidInput);
    auto run = std::make_unique<mervik::Run>();
    EXPECT_EQ(runInDir(dir, *run), 0);
    EXPECT_TRUE(startsWith(dir.read("report.out"), reportHeader(hostFiles(dir))));
    EXPECT_TRUE(endsWith(dir.read("messages.msg"), kEndedNormally));
    EXPECT_FALSE(dir.exists("extra.out"));
}

TEST(RunSequence, OtherFileTagRunsOnWithTheEmptyModel) {
    // Only the tag MERVIK6 leads to the reader; anything else (a read failure included) skips
    // the rest of the file, so the message file starts with the end-of-input line. The echo of
    // the empty model then finds no pile property points: input error 17.
    const char* inputs[] = {"XERVIK6\nEND\n", "   \n\n  \n", "mervik6\nEND\n", "MERVIK5\nTITLE\n"};
    for (const char* input : inputs) {
        TempDir dir;
        const HostRun out = runHost(dir, input);
        EXPECT_EQ(out.result, 117) << input;
        const std::string closing = "\nThe analysis ended due to input error No. 17.\n\n";
        EXPECT_TRUE(startsWith(out.report, reportHeader(hostFiles(dir)))) << input << "\n" << out.report;
        EXPECT_TRUE(endsWith(out.report, closing)) << input;
        EXPECT_TRUE(startsWith(out.messages, messagesAfterInput(hostFiles(dir)))) << input << "\n" << out.messages;
        EXPECT_TRUE(endsWith(out.messages, closing)) << input;
        EXPECT_EQ(out.plot, kPlotRecord1OfEmptyModel) << input;
    }
}

// ---------------------------------------------------------------------------------------------
// Hand-over files and early errors

struct BlankNameCase {
    const char* names;
    const char* text;
};

TEST(RunSequence, EmptyNameInNamesFileIsRuntimeError17OnStandardError) {
    const char* const input = "Input data filename information corrupted. No analysis was performed.";
    const char* const report = "Output filename information is corrupted. No analysis was performed.";
    const char* const plot = "Plot output filename information is corrupted. No analysis was performed.";
    const char* const messages = "Run message filename information is corrupted. No analysis performed.";
    const BlankNameCase cases[] = {
        {"\nr.out\np.plt\nm.msg\n", input},
        {"i.lp6\n\np.plt\nm.msg\n", report},
        {"i.lp6\nr.out\n     \nm.msg\n", plot},
        {"i.lp6\nr.out\np.plt\n\n", messages},
        {"i.lp6\nr.out\np.plt\n", messages},  // fewer than four lines: the missing names are empty
        {"i.lp6\nr.out", plot},
        {"", input},
        {"\n\n\n\n", input},  // the first empty name in the order input, report, plot, message
    };
    for (const BlankNameCase& c : cases) {
        TempDir dir;
        dir.write("NAMES.DAT", c.names);
        dir.write("M_vs_EI_report_names.txt", "");
        dir.write("i.lp6", kValidInput);
        auto run = std::make_unique<mervik::Run>();
        ::testing::internal::CaptureStderr();
        const int result = runInDir(dir, *run);
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(result, 217) << c.names;
        EXPECT_TRUE(startsWith(err, std::string("**** Runtime Error No. 17 ****\n\n") + c.text + "\n")) << c.names << "\n" << err;
        // The run stops before any named file is opened.
        for (const char* name : {"r.out", "p.plt", "m.msg"}) EXPECT_FALSE(dir.exists(name)) << c.names << " " << name;
    }
}

TEST(RunSequence, MissingNamesFileIsRuntimeError2) {
    TempDir dir;
    auto run = std::make_unique<mervik::Run>();
    ::testing::internal::CaptureStderr();
    const int result = runInDir(dir, *run);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(result, 202);
    EXPECT_TRUE(startsWith(err, "\n\n**** Runtime Error No. 2 ****\n\nContents of file NAMES.DAT is corrupted.\n")) << err;
}

// Both error-25 texts have an empty line between the heading and the sentence under it.
TEST(RunSequence, ZeroByteInputIsInputError25) {
    TempDir dir;
    const HostRun out = runHost(dir, "");
    EXPECT_EQ(out.result, 125);
    EXPECT_EQ(out.messages,
              "\n\n**** Input Data Error No. 25 ****\n\nSize of input data file is 0 bytes.  No analysis performed.\n\n"
              "\nThe analysis ended due to input error No. 25.\n\n");
    EXPECT_EQ(out.report,
              "\n\nMervik ended prematurely due to input error number INP00025\n"
              "\n**** Input Data Error No. 25 ****\n\nLength of input file is 0 bytes.  No analysis can be performed.\n"
              "\nThe analysis ended due to input error No. 25.\n\n");
    EXPECT_EQ(out.plot, "");
}

TEST(RunSequence, NameListIsDeletedOnceTheFilesAreOpened) {
    const std::string inputs[] = {kValidInput, ""};
    for (const std::string& input : inputs) {
        TempDir dir;
        dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
        dir.write("M_vs_EI_report_names.txt", "s1t1.txt\ns1t2.txt\n");
        dir.write("input.lp6", input);
        auto run = std::make_unique<mervik::Run>();
        runInDir(dir, *run);
        EXPECT_FALSE(dir.exists("M_vs_EI_report_names.txt")) << "input of " << input.size() << " bytes";
    }
}

TEST(RunSequence, MissingInputFileEndsInOrder) {
    TempDir dir;
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    auto run = std::make_unique<mervik::Run>();
    EXPECT_EQ(runInDir(dir, *run), 207);
    const std::string messages = dir.read("messages.msg");
    EXPECT_NE(messages.find("The input data file cannot be opened."), std::string::npos) << messages;
    EXPECT_NE(messages.find((dir / "input.lp6").string()), std::string::npos) << messages;
    EXPECT_TRUE(endsWith(messages, "\nThe analysis ended due to runtime error No. 7.\n\n")) << messages;
    EXPECT_FALSE(dir.exists("M_vs_EI_report_names.txt"));
}

TEST(RunSequence, MissingNameListEndsInOrder) {
    TempDir dir;
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("input.lp6", kValidInput);
    auto run = std::make_unique<mervik::Run>();
    EXPECT_EQ(runInDir(dir, *run), 208);
    const std::string messages = dir.read("messages.msg");
    EXPECT_NE(messages.find((dir / "M_vs_EI_report_names.txt").string()), std::string::npos) << messages;
    EXPECT_TRUE(endsWith(messages, "\nThe analysis ended due to runtime error No. 8.\n\n")) << messages;
    EXPECT_EQ(messages.find("Input of data completed"), std::string::npos) << messages;
}

// ---------------------------------------------------------------------------------------------
// End of run on a run built by hand: error closing lines, warning summary and result code

class EndOfRun : public testing::MemoryRunTest {
protected:
    // Ends the run; the report and message texts are then in report() and messages().
    int end() {
        endOfRun(*run);
        return resultCode(*run);
    }
};

const std::string kWarningsLine =
    "\n\nThe analysis ended with one or more warning messages. See the output report file for more details.\n\n\n";
const std::string kSummaryHeading =
    "\n\n" + rep('-', 80) + "\n" + rep(' ', 26) + "Summary of Warning Messages\n" + rep('-', 80) + "\n\n";
const std::string kText3041 =
    "\n**** Warning ****\n\n"
    "An unreasonable input value for shear strength has been specified for a soil\n"
    "defined using the soft clay criteria.  The input value is greater than 8.68\n"
    "psi (1,250 psf).  You should check your input data for correctness.\n\n";
const std::string kText400 =
    "\n**** Warning - Failure for One or More LRFD Load Cases ****\n\n"
    "This warning message is provided to alert the user that one or more of \n"
    "LRFD load cases has overloaded the structural capacity of the pile.\n";

TEST_F(EndOfRun, NoWarningNoErrorEndsNormallyOnly) {
    EXPECT_EQ(end(), 0);
    EXPECT_EQ(report(), kEndedNormally);
    EXPECT_EQ(messages(), kEndedNormally);
}

TEST_F(EndOfRun, WarningRecordedSevenTimesIsListedOnceWithItsCount) {
    for (int k = 0; k < 7; ++k) recordWarning(run->warnings, -3041);
    EXPECT_EQ(end(), -3041);
    EXPECT_EQ(report(), kSummaryHeading + "The following warning was reported 7 times\n\n" + kText3041 + kEndedNormally);
    EXPECT_EQ(messages(), kWarningsLine + kEndedNormally);
}

TEST_F(EndOfRun, CountStopsAt4000) {
    for (int k = 0; k < 5000; ++k) recordWarning(run->warnings, -3041);
    EXPECT_EQ(end(), -3041);
    EXPECT_EQ(report(), kSummaryHeading + "The following warning was reported 4000 times\n\n" + kText3041 + kEndedNormally);
}

TEST_F(EndOfRun, WarningsListedInAscendingOrder) {
    recordWarning(run->warnings, -3041);
    recordWarning(run->warnings, -400);
    recordWarning(run->warnings, -3041);
    EXPECT_EQ(end(), -300);
    EXPECT_EQ(report(), kSummaryHeading + "The following warning was reported 1 times\n\n" + kText400 +
                            "The following warning was reported 2 times\n\n" + kText3041 + kEndedNormally);
}

TEST_F(EndOfRun, WarningsClearedAtALoadCaseLeaveOnlyTheNoMessagesLine) {
    recordWarning(run->warnings, -355);
    clearWarningCounts(run->warnings);
    EXPECT_EQ(end(), 0);
    EXPECT_EQ(messages(), kWarningsLine + kEndedNormally);
    EXPECT_EQ(report(), "\n\nNo error or warning messages were generated by this analysis.\n\n" + kEndedNormally);
}

struct ResultCase {
    std::vector<int> warnings;
    int errorNumber;
    int result;
};

TEST_F(EndOfRun, ResultCodeFromErrorAndDistinctWarnings) {
    const ResultCase cases[] = {
        {{}, 0, 0},
        {{-302}, 0, -302},
        {{-302, -302, -302}, 0, -302},
        {{-305}, 0, -305},
        {{-302, -3041}, 0, -300},
        {{-302, -303, -305}, 0, -300},
        {{-302}, 153, 153},  // an error takes precedence over warnings
        {{-302, -400}, 228, 228},
        {{-302}, 99, 99},
    };
    for (const ResultCase& c : cases) {
        start();
        for (int w : c.warnings) recordWarning(run->warnings, w);
        if (c.errorNumber != 0) storeErrorNumber(*run, c.errorNumber);
        EXPECT_EQ(end(), c.result) << "error " << c.errorNumber << ", " << c.warnings.size() << " warnings";
    }
}

struct ErrorEndCase {
    const char* what;
    std::function<void(Run&)> raise;
    std::string report, messages;
    int result;
};

TEST_F(EndOfRun, ErrorClosingLines) {
    const std::string input53 = "\nThe analysis ended due to input error No. 53.\n\n";
    const std::string runtime28 = "\nThe analysis ended due to runtime error No. 28.\n\n";
    const std::string runtime11 = "\nThe analysis ended due to runtime error No. 11.\n\n";
    const ErrorEndCase cases[] = {
        {"input error 53", [](mervik::Run& r) { raiseInputError(r, 53); },
         "\n\nMervik ended prematurely due to input error number INP00053\n" + input53, input53, 153},
        {"runtime error 11", [](mervik::Run& r) { raiseRuntimeError(r, 11); },
         "\n\nMervik ended prematurely due to runtime error number RUN00011\n" + runtime11, runtime11, 211},
        {"runtime error 28, stored", [](mervik::Run& r) { storeErrorNumber(r, 228); }, runtime28, runtime28, 228},
        {"massive rock", [](mervik::Run& r) { storeErrorNumber(r, 99); }, "", "", 99},
        {"internal error", [](mervik::Run& r) { raiseRunError(r, errorCodeText(kInternalError), kInternalError); },
         "\n\nMervik ended prematurely due to runtime error number RUN00999\n", "", 999},
        {"first error wins",
         [](mervik::Run& r) {
             raiseInputError(r, 53);
             raiseRuntimeError(r, 11);
             storeErrorNumber(r, 228);
         },
         "\n\nMervik ended prematurely due to input error number INP00053\n" + input53, input53, 153},
    };
    for (const ErrorEndCase& c : cases) {
        start();
        c.raise(*run);
        EXPECT_EQ(end(), c.result) << c.what;
        EXPECT_EQ(report(), c.report) << c.what;
        EXPECT_EQ(messages(), c.messages) << c.what;
    }
}

// ---------------------------------------------------------------------------------------------
// Runs side by side

std::string exampleInput(const char* name) {
    return mervik::testing::readFile(std::filesystem::path(MERVIK_EXAMPLES) / name);
}

struct HostLayout {
    std::string names, input;
    std::string inputName, reportName, plotName, messagesName;
};

struct Outcome {
    int result = 0;
    std::string report, plot, messages;
    bool operator==(const Outcome&) const = default;
};

Outcome runLaidOut(const TempDir& dir, const HostLayout& layout, Run& run) {
    dir.write("NAMES.DAT", layout.names);
    dir.write("M_vs_EI_report_names.txt", "m1.txt\n");
    dir.write(layout.inputName, layout.input);
    Outcome out;
    out.result = runInDir(dir, run);
    out.report = dir.read(layout.reportName);
    out.plot = dir.read(layout.plotName);
    out.messages = dir.read(layout.messagesName);
    return out;
}

// Two lateral analyses (sections, iterations, reports) in two threads at the same time write,
// run after run, the same three files as each does alone.
TEST(RunSequence, TwoLateralAnalysesAtTheSameTimeDoNotMeet) {
    const HostLayout layouts[2] = {
        {"input.lp6\nreport.out\nplot.plt\nmessages.msg\n", exampleInput("pipe_pile_soft_clay.lp6"), "input.lp6",
         "report.out", "plot.plt", "messages.msg"},
        {"second.dat\nsecond.rpt\nsecond.plot\nsecond.log\n", exampleInput("drilled_shaft_sand_si.lp6"), "second.dat",
         "second.rpt", "second.plot", "second.log"},
    };
    TempDir dirs[2];
    Outcome alone[2];
    for (int k = 0; k < 2; ++k) {
        auto run = std::make_unique<mervik::Run>();
        alone[k] = runLaidOut(dirs[k], layouts[k], *run);
        ASSERT_EQ(alone[k].result, 0) << alone[k].messages;
        ASSERT_NE(alone[k].report.find("Computed Values of Pile Loading and Deflection"), std::string::npos);
    }

    constexpr int kRepeats = 10;
    int mismatches[2] = {0, 0};
    std::latch start(2);  // both threads begin their first analysis together
    std::vector<std::thread> threads;
    for (int k = 0; k < 2; ++k) {
        threads.emplace_back([&, k] {
            auto run = std::make_unique<mervik::Run>();
            start.arrive_and_wait();
            for (int i = 0; i < kRepeats; ++i)
                if (!(runLaidOut(dirs[k], layouts[k], *run) == alone[k])) ++mismatches[k];
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(mismatches[0], 0);
    EXPECT_EQ(mismatches[1], 0);
}

// A run object used again starts from nothing of its previous run: whatever the first run and
// the host left in its members, a second run on another input writes what a fresh run object
// writes. The second input has a layer under the layering correction, so that stale equivalent
// depths or marks would show.
TEST(RunSequence, ReusedRunObjectWritesWhatAFreshOneWrites) {
    const auto layout = [](const std::string& input) {
        return HostLayout{"input.lp6\nreport.out\nplot.plt\nmessages.msg\n", input, "input.lp6", "report.out",
                          "plot.plt", "messages.msg"};
    };
    const HostLayout first = layout(exampleInput("pipe_pile_soft_clay.lp6"));
    const HostLayout second = layout(exampleInput("pipe_pile_clay_over_sand.lp6"));
    TempDir dir;  // one directory, so that the file blocks agree
    auto fresh = std::make_unique<mervik::Run>();
    const Outcome expected = runLaidOut(dir, second, *fresh);
    ASSERT_EQ(expected.result, 0) << expected.messages;

    auto reused = std::make_unique<mervik::Run>();
    ASSERT_EQ(runLaidOut(dir, first, *reused).result, 0);
    // State left behind on purpose, in members a run only ever writes part of.
    mervik::Run& r = *reused;
    r.py.Fu.fill(1.0e9);
    r.py.liquefiedResistance.fill(1.0e9);
    r.py.reportPass = true;
    r.py.rockCount = 3;
    r.py.softClayJ = 0.25;
    r.layers.xe.fill(12.0);
    r.layers.marks.fill(true);
    r.caseResults.stiffnessMode = true;
    r.caseResults.maxMoment = 1.0e30;
    r.caseResults.cases[1].headDeflection = 1.0e30;
    r.lrfd.factored.shear.fill(1.0e6);
    r.lrfd.combinationThrustIndex.fill(7);
    r.nodes.Q.fill(1.0e6);
    r.nodes.ys.fill(1.0);
    r.nodes.beyondRelation.fill(true);
    r.solver.previous.fill(1.0);
    r.warnings.anyWarning = true;
    r.warnings.counts[302] = 5;
    r.momentCurvatureNames.count = kMaxMomentCurvatureNames;
    r.model.loading.loadCaseCount = 3;
    r.model.options.useLrfd = true;
    r.errorNumber = 0;

    const Outcome again = runLaidOut(dir, second, r);
    EXPECT_EQ(again.result, expected.result);
    EXPECT_EQ(again.report, expected.report);
    EXPECT_EQ(again.plot, expected.plot);
    EXPECT_EQ(again.messages, expected.messages);
}

}  // namespace
}  // namespace mervik

namespace mervik {
namespace {

// A host may call from a thread with a small stack: a whole run must not need a large one (the
// model's tables live in the heap-allocated run, never in copies on the stack).
TEST(RunSequence, RunsOnASmallThreadStack) {
    TempDir dir;
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("input.lp6", kValidInput);
    struct Job {
        const TempDir* dir;
        int result = -1;
    } job{&dir};
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 * 1024);
    pthread_t thread;
    auto body = [](void* p) -> void* {
        Job& j = *static_cast<Job*>(p);
        auto run = std::make_unique<mervik::Run>();
        j.result = runInDir(*j.dir, *run);
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, body, &job), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
    EXPECT_EQ(job.result, 0);
}

}  // namespace
}  // namespace mervik
