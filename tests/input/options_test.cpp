// The OPTIONS block: its fixed line sequence, the values it stores and the limits it checks.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "engine/run.hpp"
#include "input/options.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

// The sixteen lines of an OPTIONS block; tests replace single lines by their number.
std::string optionsBlock(const std::map<int, std::string>& replaced = {}) {
    std::map<int, std::string> lines = {
        {1, "Units USCS"},          {2, "UseLRFD NO"},          {3, "ComputeKmatrix YES"},
        {4, "UseTipShear NO"},      {5, "UseSoilMovement NO"},  {6, "UsePYModifiers YES"},
        {7, "ComputeEIOnly NO"},    {8, "Loading CYCLIC   100"}, {9, "MaxIterations 100"},
        {10, "MaxDefl 50.0"},       {11, "Tolerance 1.0E-5"},   {12, "Increments 100"},
        {13, "PrintSummaryOnly NO"}, {14, "PrintIncrement 2"},  {15, "PrintPYCurves YES"},
        {16, "ComputeInteraction NO"}};
    for (const auto& [k, text] : replaced) lines[k] = text;
    std::string block;
    for (const auto& [k, text] : lines) block += text + "\n";
    return block;
}

struct OptionsTest : testing::MemoryRunTest {
    void read(const std::string& text) {
        setInput(text);
        readOptions(*run);
    }
};

TEST_F(OptionsTest, StoresEveryLine) {
    read(optionsBlock() + "NEXT\n");
    ASSERT_FALSE(run->failed());
    const ProgramOptions& o = run->model.options;
    EXPECT_EQ(o.IUNITS, kUSCS);
    EXPECT_FALSE(o.useLrfd);
    EXPECT_TRUE(o.ib_ComputeKmatrix_1T0F);
    EXPECT_FALSE(o.useTipShear);
    EXPECT_FALSE(o.useSoilMovement);
    EXPECT_TRUE(o.usePyModifiers);
    EXPECT_EQ(run->model.pyModifiers.count, 1);
    EXPECT_EQ(o.i_Analysis_Type, 3);
    EXPECT_TRUE(o.cyclic);
    EXPECT_EQ(o.numberOfCycles, 100.0);
    EXPECT_EQ(o.maxIterations, 100);
    EXPECT_EQ(o.maxDeflection, 50.0);
    EXPECT_EQ(o.convergenceTolerance, 1.0e-5);
    EXPECT_EQ(o.pileIncrements, 100);
    EXPECT_FALSE(o.printSummaryOnly);
    EXPECT_EQ(o.printIncrement, 2);
    EXPECT_TRUE(run->model.pyOutputDepths.enabled);
    EXPECT_FALSE(o.computeInteraction);
    EXPECT_EQ(messages(), "Reading analysis options\n");
    // "ComputeInteraction NO" ends the block: the next line is left for the section loop.
    std::string next;
    ASSERT_TRUE(run->input.nextLine(next));
    EXPECT_EQ(next, "NEXT");
}

TEST_F(OptionsTest, UnitLines) {
    struct Case {
        const char* line;
        int units;  // 0: refused with error 99
    };
    for (const Case& c : {Case{"Units SI ", kSI}, Case{"Units GENERAL", kGeneral}, Case{"units SI", 0},
                          Case{" Units SI", 0}, Case{"Units  SI", 0}}) {
        start();
        read(optionsBlock({{1, c.line}}));
        if (c.units != 0) {
            EXPECT_FALSE(run->failed()) << c.line;
            EXPECT_EQ(run->model.options.IUNITS, c.units) << c.line;
            continue;
        }
        EXPECT_EQ(run->errorNumber, 199) << c.line;
        std::string field = c.line;
        field.resize(256, ' ');
        const std::string expected =
            "\n\n***** INPUT ERROR *****\n\nThe following line is unrecognized or is out-of-order\n\n" + field + "\n\n\n";
        EXPECT_EQ(messages(), "Reading analysis options\n" + expected) << c.line;
        EXPECT_EQ(report(), expected + "\n\nMervik ended prematurely due to input error number INP00099\n") << c.line;
    }
}

TEST_F(OptionsTest, UnrecognizedOptionLinesGiveError95WithTheirReportText) {
    struct Case {
        int line;
        const char* text;
        const char* reportText;
    };
    const Case cases[] = {
        {2, "UseLRFD yes", "\nINPUT ERROR - Unrecognized command for LRFD analysis option\n"},
        {3, "ComputeKmatrix", "\nINPUT ERROR - Unrecognized command for compute pile-head stiffness matrix option\n"},
        {4, "UseTipShear N", "\nINPUT ERROR - Unrecognized command for tip shear option\n"},
        {5, "UseSoilMovement", "\nINPUT ERROR - Unrecognized command for soil movement option\n\n"},
        {6, "UsePYModifier YES", "\nINPUT ERROR - Unrecognized command for use of p-y modifiers option\n"},
        {7, "ComputeEIOnly  NO", "\nINPUT ERROR - Unrecognized command for compute nonlinear EI only option\n"},
        {8, "Loading cyclic   100", "INPUT ERROR - Unrecognized command for loading type option\n"},
        {13, "PrintSummaryOnly", "\nINPUT ERROR - Unrecognized command for print summary only option\n"},
        {15, "PrintPYCurves 1", "\nINPUT ERROR - Unrecognized command for p-y curve output depths option\n"},
        {16, "ComputeInteraction", "INPUT ERROR - Unrecognized command for compute interaction option\n"},
    };
    for (const Case& c : cases) {
        start();
        read(optionsBlock({{c.line, c.text}}));
        EXPECT_EQ(run->errorNumber, 195) << c.text;
        EXPECT_EQ(report(), std::string(c.reportText) + "\n\nMervik ended prematurely due to input error number INP00095\n")
            << c.text;
    }
}

TEST_F(OptionsTest, LoadingLineColumns) {
    struct Case {
        const char* line;
        bool cyclic;
        double cycles;
    };
    for (const Case& c : {Case{"Loading STATIC", false, 0.0}, Case{"Loading STATIC      ", false, 0.0},
                          Case{"xxxxxxxxCYCLIC  1 0", true, 10.0}, Case{"Loading CYCLIC  2.5", true, 2.5},
                          Case{"Loading CYCLIC   100trailing", true, 100.0}}) {
        start();
        read(optionsBlock({{8, c.line}}));
        ASSERT_FALSE(run->failed()) << c.line;
        EXPECT_EQ(run->model.options.cyclic, c.cyclic) << c.line;
        EXPECT_EQ(run->model.options.numberOfCycles, c.cycles) << c.line;
    }
    SetUp();
    read(optionsBlock({{8, "Loading CYCLIC   1x0"}}));
    EXPECT_EQ(run->errorNumber, 191);
}

TEST_F(OptionsTest, IterationLimits) {
    struct Case {
        int iterations;
        const char* reportText;  // nullptr: accepted
    };
    const Case cases[] = {
        {30, nullptr},
        {1000, nullptr},
        {29,
         "***** Input Data Error No. 95 *****\n\nProblem: Input value for iterations limit = 29 and is less than 30 "
         "iteractions\nSolution:  Correct input value to be between 30 and 1000 iterations.\n\n\n"},
        {1001,
         "***** Input Data Error No. 95 *****\n\nProblem: Input value for iterations limit = 1001 and is more than 1,000 "
         "iteractions\nSolution:  Correct input value to be between 30 and 1000 iterations.\n\n\n"},
    };
    for (const Case& c : cases) {
        start();
        read(optionsBlock({{9, "MaxIterations " + std::to_string(c.iterations)}}));
        if (c.reportText == nullptr) {
            EXPECT_FALSE(run->failed()) << c.iterations;
            continue;
        }
        EXPECT_EQ(run->errorNumber, 195);
        EXPECT_EQ(report(), std::string(c.reportText) + "\n\nMervik ended prematurely due to input error number INP00095\n");
    }
}

TEST_F(OptionsTest, IncrementLimits) {
    struct Case {
        int increments, error;
        const char* text;
    };
    const Case cases[] = {
        {40, 0, nullptr},
        {500, 0, nullptr},
        {39, 155,
         "**** Input Data Error No. 55 ****\n\nProblem:  The number of pile increments is less than 40.\n\nSolution: "
         "Increase the number of pile increments to more than 40, preferably more than 100 increments.\n"},
        {501, 156,
         "**** Input Data Error No. 56 ****\n\nProblem:  The number of pile increments is more than 500.\n\nSolution: "
         "Limit the number of pile increments to 500 or less.\n"},
    };
    for (const Case& c : cases) {
        start();
        read(optionsBlock({{12, "Increments " + std::to_string(c.increments)}}));
        EXPECT_EQ(run->errorNumber, c.error) << c.increments;
        if (c.text == nullptr) continue;
        EXPECT_EQ(messages(), std::string("Reading analysis options\n") + c.text);
        EXPECT_EQ(report().rfind(c.text, 0), 0u);
    }
}

TEST_F(OptionsTest, ToleranceBoundsByUnitSystem) {
    struct Case {
        const char* units;
        const char* tolerance;
        int error;
    };
    const Case cases[] = {
        {"Units USCS", "0.1", 0},          {"Units USCS", "0.1000001", 166}, {"Units USCS", "1E-10", 0},
        {"Units USCS", "9E-11", 165},      {"Units SI", "0.00254", 0},       {"Units SI", "0.0025401", 168},
        {"Units SI", "2.5E-12", 0},        {"Units SI", "1E-13", 167},       {"Units GENERAL", "0", 0},
        {"Units GENERAL", "-1", 0},        {"Units GENERAL", "5", 0},
    };
    for (const Case& c : cases) {
        start();
        read(optionsBlock({{1, c.units}, {11, std::string("Tolerance ") + c.tolerance}}));
        EXPECT_EQ(run->errorNumber, c.error) << c.units << " " << c.tolerance;
    }
    SetUp();
    read(optionsBlock({{11, "Tolerance 0.2"}}));
    const std::string expected =
        "\n**** Input Data Error No. 66 ****\n\nInput value for convergence tolerance is too large (more than 0.1 "
        "inches). \nThe recommended value for convergence tolerance is 0.00001 inches.\n\n";
    EXPECT_EQ(messages(), "Reading analysis options\n" + expected);
    EXPECT_EQ(report().rfind(expected, 0), 0u);
}

TEST_F(OptionsTest, InteractionDesignCode) {
    struct Case {
        const char* line;
        int code;  // 0: refused
    };
    for (const Case& c : {Case{"Code AASHTO", 1}, Case{"DesignCode ACI318", 2}, Case{"'Design code' Eurocode2", 3},
                          Case{"Code ACI-318", 0}}) {
        start();
        read(optionsBlock({{16, "ComputeInteraction YES"}}) + c.line + "\n");
        EXPECT_TRUE(run->model.options.computeInteraction);
        if (c.code == 0) {
            EXPECT_EQ(run->errorNumber, 195);
            EXPECT_NE(report().find("INPUT ERROR - Unrecognized command for interaction code option\n"), std::string::npos);
        } else {
            EXPECT_FALSE(run->failed()) << c.line;
            EXPECT_EQ(run->model.options.designCode, c.code) << c.line;
        }
    }
}

TEST_F(OptionsTest, EIOnlyAndModifierCount) {
    read(optionsBlock({{6, "UsePYModifiers NO"}, {7, "ComputeEIOnly YES"}}));
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(run->model.options.i_Analysis_Type, 2);
    EXPECT_EQ(run->model.pyModifiers.count, 0);
}

}  // namespace
}  // namespace mervik
