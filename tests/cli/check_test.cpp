// mervik check: the input read as the engine reads it, and what the engine would accept but a
// designer almost certainly did not mean, each finding with its section, input line and value.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_run.hpp"

namespace mervik {
namespace {

using testing::CliOutcome;
using testing::TempDir;
using testing::contains;
using testing::runCli;

std::string example(const std::string& name) {
    return testing::readFile(std::filesystem::path(MERVIK_EXAMPLES) / name);
}

// The text with its line `number` (1-based) replaced.
std::string withLine(const std::string& text, int number, const std::string& line) {
    std::vector<std::string> all = testing::lines(text);
    all.at(static_cast<std::size_t>(number - 1)) = line;
    std::string joined;
    for (const std::string& l : all) joined += l + "\n";
    return joined;
}

CliOutcome check(const TempDir& dir, const std::string& text) {
    dir.write("pile.lp6", text);
    return runCli("check " + (dir / "pile.lp6").string());
}

TEST(InputCheck, NoFindingOnAnyBundledExample) {
    for (const auto& entry : std::filesystem::directory_iterator(MERVIK_EXAMPLES)) {
        if (entry.path().extension() != ".lp6") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const CliOutcome ok = runCli("check " + entry.path().string());
        EXPECT_EQ(ok.status, 0);
        EXPECT_EQ(ok.out, entry.path().string() + ": no findings\n");
    }
}

// Lines of examples/pipe_pile_clay_over_sand.lp6 (US units): 29 length, 30 outside diameter,
// 31 wall thickness, 33 steel modulus of the pipe; 36 and 39 the layer lines (soft clay from 0
// to 15 ft, sand from 15 to 70 ft), 37 and 40 their top property lines, 41 the bottom line of
// the sand. Lines of examples/drilled_shaft_sand_si.lp6 (SI): 30 shaft diameter (mm), 48 top
// property line of the sand.
TEST(InputCheck, EachPhysicalCheckNamesTheSectionTheLineAndTheValue) {
    struct Case {
        const char* example;
        int line;
        const char* replacement;
        const char* finding;  // the finding's first line, after "FILE:"
        int error;            // the engine's input error for this input, 0 when it accepts it
    };
    const Case cases[] = {
        {"pipe_pile_clay_over_sand.lp6", 29, "0.0", "29: The length of pile section 1 (SECTIONS section, line 29) is 0.", 80},
        {"pipe_pile_clay_over_sand.lp6", 30, "0.0",
         "30: The outside diameter of pile section 1 (SECTIONS section, line 30) is 0 in.", 27},
        {"pipe_pile_clay_over_sand.lp6", 31, "-0.5",
         "31: The wall thickness of pile section 1 (SECTIONS section, line 31) is -0.5 in.", 0},
        {"pipe_pile_clay_over_sand.lp6", 31, "12.0",
         "31: The wall thickness of pile section 1 (SECTIONS section, line 31) is 12 in, at or above the radius 12 in.", 0},
        {"pipe_pile_clay_over_sand.lp6", 33, "-29000000.0",
         "33: The steel modulus of elasticity of pile section 1 (SECTIONS section, line 33) is -2.9E+07.", 80},
        {"pipe_pile_clay_over_sand.lp6", 37, "50.0 500.0 0.2",
         "37: The strain factor e50 at the top of soil layer 1 (SOIL LAYERS section, line 37) is 0.2.", 0},
        {"pipe_pile_clay_over_sand.lp6", 41, "200.0 34.0 60.0",
         "41: The effective unit weight at the bottom of soil layer 2 (SOIL LAYERS section, line 41) is 200 pcf.", 0},
        {"pipe_pile_clay_over_sand.lp6", 40, "60.0 60.0 60.0",
         "40: The friction angle at the top of soil layer 2 (SOIL LAYERS section, line 40) is 60 degrees.", 0},
        {"pipe_pile_clay_over_sand.lp6", 36, "1 15.0 0.0",
         "36: The bottom of soil layer 1 (SOIL LAYERS section, line 36) at 0 lies above its top at 15.", 82},
        {"pipe_pile_clay_over_sand.lp6", 39, "5 10.0 70.0",
         "39: The top of soil layer 2 (SOIL LAYERS section, line 39) at 10 lies above the bottom of soil layer 1 at 15.", 83},
        {"pipe_pile_clay_over_sand.lp6", 39, "5 20.0 70.0",
         "39: The top of soil layer 2 (SOIL LAYERS section, line 39) at 20 lies below the bottom of soil layer 1 at 15.", 0},
        {"drilled_shaft_sand_si.lp6", 30, "0.0", "30: The diameter of pile section 1 (SECTIONS section, line 30) is 0 mm.", 27},
        {"drilled_shaft_sand_si.lp6", 48, "30.0 35.0 24430.0",
         "48: The effective unit weight at the top of soil layer 1 (SOIL LAYERS section, line 48) is 30 kN/m3.", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.finding);
        TempDir dir;
        const CliOutcome found = check(dir, withLine(example(c.example), c.line, c.replacement));
        EXPECT_EQ(found.status, 1);
        EXPECT_TRUE(contains(found.out, (dir / "pile.lp6").string() + ":" + c.finding + "\n")) << found.out;
        const std::string refused = "The engine ends the run with input error " + std::to_string(c.error) + ".";
        EXPECT_EQ(contains(found.out, refused), c.error != 0) << found.out;
    }
    // The SI range is the US one converted: 30 to 150 pcf.
    TempDir dir;
    const CliOutcome si = check(dir, withLine(example("drilled_shaft_sand_si.lp6"), 48, "30.0 35.0 24430.0"));
    EXPECT_TRUE(contains(si.out, "Published values lie between 4.71262 kN/m3 and 23.5631 kN/m3.")) << si.out;
}

// OPTIONS lines are read by their place: a label that names another line, a misspelt label or
// a missing one is found on its line.
TEST(InputCheck, OptionsLabelsThatDoNotMatchTheirLine) {
    TempDir dir;
    const std::string base = example("pipe_pile_clay_over_sand.lp6");
    const std::string file = (dir / "pile.lp6").string();
    // Lines 17 (MaxIterations 100) and 20 (Increments 100) swapped: the engine runs as before.
    const CliOutcome swapped = check(dir, withLine(withLine(base, 17, "Increments 100"), 20, "MaxIterations 100"));
    EXPECT_EQ(swapped.status, 1);
    EXPECT_TRUE(contains(swapped.out, file + ":17: The label \"Increments\" (OPTIONS section, line 17) names the number of "
                                             "pile increments, but the value of this line is read as the maximum number "
                                             "of iterations.\n"))
        << swapped.out;
    EXPECT_TRUE(contains(swapped.out, file + ":20: The label \"MaxIterations\" (OPTIONS section, line 20) names the "
                                             "maximum number of iterations, but the value of this line is read as the "
                                             "number of pile increments.\n"));
    EXPECT_TRUE(contains(swapped.out, file + ": 2 findings\n"));
    // The check analyses nothing and writes nothing beside the input.
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) files += entry.path() != dir / "pile.lp6";
    EXPECT_EQ(files, 0u);

    const CliOutcome misspelt = check(dir, withLine(base, 19, "Tolerence 1.0E-5"));
    EXPECT_TRUE(contains(misspelt.out, file + ":19: The label \"Tolerence\" (OPTIONS section, line 19) is not a label of "
                                              "the convergence tolerance, which the reader takes from this line.\n"))
        << misspelt.out;

    // Without its label the number is the label and the next line's label the value: the
    // reader stops with input error 91, and the check says why.
    const CliOutcome missing = check(dir, withLine(base, 17, "100"));
    EXPECT_TRUE(contains(missing.out, file + ":17: The label of the maximum number of iterations (OPTIONS section, line "
                                             "17) is missing: \"100\" is taken as the label"))
        << missing.out;
    EXPECT_TRUE(contains(missing.out, file + ":18: The engine ends the run with input error 91 while reading the input:\n"));
    EXPECT_TRUE(contains(missing.out, "Problem:  The value \"MaxDeflection\" cannot be read as a whole number"));
}

// The reader looks for the tag as the first word of the file: a byte-order mark, text before
// the tag, other letters or no tag at all make it read nothing (input error 17 follows).
TEST(InputCheck, FileTagHints) {
    const std::string base = example("pipe_pile_clay_over_sand.lp6");
    struct Case {
        std::string text;
        const char* finding;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF" + base,
         "1: The file begins with a UTF-8 byte-order mark (the bytes EF BB BF) before the tag MERVIK6 on line 1."},
        {withLine(base, 1, "mervik6"), "1: The file tag on line 1 is written \"mervik6\"."},
        {"Pile input\n" + base, "2: The tag MERVIK6 stands on line 2, after \"Pile\" on line 1."},
        {base.substr(base.find('\n') + 1), "1: The file does not begin with the tag MERVIK6: its first word, on line 1, is \"TITLE\"."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.finding);
        TempDir dir;
        const CliOutcome found = check(dir, c.text);
        EXPECT_EQ(found.status, 1);
        EXPECT_TRUE(contains(found.out, (dir / "pile.lp6").string() + ":" + c.finding + "\n")) << found.out;
        EXPECT_TRUE(contains(found.out, "The engine ends the run with input error 17."));
        EXPECT_TRUE(contains(found.out, ": 1 finding\n")) << found.out;
    }
}

// mervik run prints the same findings as notes on standard error, then runs as the engine does.
TEST(InputCheck, RunPrintsTheFindingsAsNotesAndStillRuns) {
    TempDir dir;
    dir.write("pile.lp6", "\xEF\xBB\xBF" + example("pipe_pile_clay_over_sand.lp6"));
    const CliOutcome ran = runCli("run " + (dir / "pile.lp6").string());
    EXPECT_TRUE(contains(ran.err, (dir / "pile.lp6").string() + ":1: note: The file begins with a UTF-8 byte-order mark"))
        << ran.err;
    EXPECT_EQ(testing::lastLine(ran.out), "MGO returned 117");
    EXPECT_TRUE(dir.exists("pile.out"));
}

}  // namespace
}  // namespace mervik
