// Reading the LOADING, LRFD LOADS and LRFD FACTORS AND CASES blocks: the records filled, the
// defaults, the checks with their error texts, and the capacity limits of the tables.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "input/loading.hpp"
#include "input/reader.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

using Reader = void (*)(mervik::Run&);

class LoadingInput : public testing::MemoryRunTest {
protected:
    // Reads one block (the lines after its header).
    void read(Reader reader, const std::string& text) {
        setInput(text);
        reader(*run);
    }
    const Loading& loading() const { return run->model.loading; }
    const Lrfd& lrfd() const { return run->model.lrfd; }
};

// The report text of an LRFD input error: two empty lines, the five-asterisk heading, an empty
// line, the body lines, two empty lines; then the premature-end line of the error.
std::string lrfdError(int n, const std::string& body) {
    return "\n\n***** Input Data Error No. " + std::to_string(n) + " *****\n\n" + body + "\n\n\n";
}
std::string prematureEnd(int n) {
    return "\n\nMervik ended prematurely due to input error number INP000" + std::to_string(n) + "\n";
}

// ---------------------------------------------------------------------------------------------
// LOADING

TEST_F(LoadingInput, LoadCasesAndDistributedLoadAreReadFieldByField) {
    read(readLoading,
         "4\n"
         "1 1 1500.0 -2.5E4 100000 0\n"
         "2, 2, 12.5, 0.001, 0.0, 1\n"
         "3 5 0.25 -0.002 -3D3 2   extra values are ignored\n"
         "4 7 1 2\n"
         "  3 -1\n"
         "2\n"
         "1 0.0 10.0\n"
         "2 30.0 -4.5\n");
    EXPECT_FALSE(run->failed());
    EXPECT_EQ(messages(), "Reading pile head loading data\n");
    EXPECT_EQ(report(), "");

    ASSERT_EQ(loading().loadCaseCount, 4);
    const auto& c = loading().loadCase;
    EXPECT_EQ(c[1].loadType, 1);
    EXPECT_DOUBLE_EQ(c[1].condition1, 1500.0);
    EXPECT_DOUBLE_EQ(c[1].condition2, -25000.0);
    EXPECT_DOUBLE_EQ(c[1].axialThrust, 100000.0);
    EXPECT_TRUE(c[1].computeTopYvsLength);    // flag 0
    EXPECT_EQ(c[2].loadType, 2);
    EXPECT_DOUBLE_EQ(c[2].condition1, 12.5);
    EXPECT_DOUBLE_EQ(c[2].condition2, 0.001);
    EXPECT_DOUBLE_EQ(c[2].axialThrust, 0.0);
    EXPECT_FALSE(c[2].computeTopYvsLength);   // flag 1
    EXPECT_EQ(c[3].loadType, 5);
    EXPECT_DOUBLE_EQ(c[3].condition1, 0.25);
    EXPECT_DOUBLE_EQ(c[3].condition2, -0.002);
    EXPECT_DOUBLE_EQ(c[3].axialThrust, -3000.0);
    EXPECT_TRUE(c[3].computeTopYvsLength);    // flag 2
    // A type outside 1 to 5 is kept as read; a line may run on to the next one.
    EXPECT_EQ(c[4].loadType, 7);
    EXPECT_DOUBLE_EQ(c[4].condition1, 1.0);
    EXPECT_DOUBLE_EQ(c[4].condition2, 2.0);
    EXPECT_DOUBLE_EQ(c[4].axialThrust, 3.0);
    EXPECT_TRUE(c[4].computeTopYvsLength);    // flag -1

    const DistributedLoad& d = loading().distributed;
    ASSERT_EQ(d.count, 2);
    EXPECT_DOUBLE_EQ(d.depth[1], 0.0);
    EXPECT_DOUBLE_EQ(d.load[1], 10.0);
    EXPECT_DOUBLE_EQ(d.depth[2], 30.0);
    EXPECT_DOUBLE_EQ(d.load[2], -4.5);
    EXPECT_TRUE(run->input.atEnd());
}

TEST_F(LoadingInput, NoDistributedLoadClearsTheFirstTwoPoints) {
    for (int count : {0, -3}) {
        SCOPED_TRACE(count);
        run = std::make_unique<mervik::Run>();
        start();
        DistributedLoad& d = run->model.loading.distributed;
        d.count = 3;
        for (int k = 1; k <= 3; ++k) {
            d.depth[k] = 10.0 * k;
            d.load[k] = 5.0 * k;
        }
        read(readLoading, "1\n1 1 100.0 0.0 0.0 1\n" + std::to_string(count) + "\n");
        EXPECT_FALSE(run->failed());
        EXPECT_EQ(d.count, count);
        EXPECT_EQ(d.depth[1], 0.0);
        EXPECT_EQ(d.load[1], 0.0);
        EXPECT_EQ(d.depth[2], 0.0);
        EXPECT_EQ(d.load[2], 0.0);
        EXPECT_EQ(d.depth[3], 30.0);  // only the first two points are cleared
        EXPECT_EQ(d.load[3], 15.0);
    }
}

std::string loadCaseLines(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += std::to_string(i) + " 1 " + std::to_string(i) + ".0 0.0 0.0 1\n";
    return text;
}

std::string pointLines(int n) {
    std::string text;
    for (int k = 1; k <= n; ++k) text += std::to_string(k) + " " + std::to_string(k) + ".0 2.0\n";
    return text;
}

TEST_F(LoadingInput, FullTablesAreAccepted) {
    read(readLoading, "100\n" + loadCaseLines(100) + "50\n" + pointLines(50));
    EXPECT_FALSE(run->failed());
    EXPECT_EQ(loading().loadCaseCount, 100);
    EXPECT_DOUBLE_EQ(loading().loadCase[100].condition1, 100.0);
    EXPECT_EQ(loading().distributed.count, 50);
    EXPECT_DOUBLE_EQ(loading().distributed.depth[50], 50.0);
}

TEST_F(LoadingInput, TooManyLoadCasesIsACapacityErrorBeforeAnythingIsStored) {
    read(readLoading, "101\n" + loadCaseLines(101) + "0\n");
    EXPECT_EQ(run->errorNumber, inputError(kErrCapacity));
    EXPECT_EQ(loading().loadCaseCount, 0);
    EXPECT_EQ(loading().loadCase[1].condition1, 0.0);
    EXPECT_NE(report().find("The number of pile-head load cases given in the LOADING section is 101,"),
              std::string::npos);
}

TEST_F(LoadingInput, TooManyDistributedPointsIsACapacityError) {
    read(readLoading, "1\n1 1 100.0 0.0 0.0 1\n51\n" + pointLines(51));
    EXPECT_EQ(run->errorNumber, inputError(kErrCapacity));
    EXPECT_EQ(loading().distributed.count, 0);
    EXPECT_EQ(loading().distributed.depth[1], 0.0);
    EXPECT_NE(report().find("The number of distributed load points given in the LOADING section is 51,"),
              std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// LRFD LOADS

TEST_F(LoadingInput, LrfdGroupsAreReadFieldByField) {
    read(readLrfdLoads,
         "2\n"
         "1 1 250.0 -1.5E3 80000.0 0\n"
         "2 13 -75.5 0.0 -12000 3\n"
         "1 0.0 4.0\n"
         "2 12.0 4.5\n"
         "3 36.0 0.0\n");
    EXPECT_FALSE(run->failed());
    EXPECT_EQ(messages(), "Reading LRFD unfactored load data\n");
    EXPECT_EQ(report(), "");

    ASSERT_EQ(lrfd().groupCount, 2);
    const LrfdLoadGroup& g1 = lrfd().group[1];
    EXPECT_EQ(g1.lrfdLoadType, 1);
    EXPECT_DOUBLE_EQ(g1.horizontalForce, 250.0);
    EXPECT_DOUBLE_EQ(g1.headMoment, -1500.0);
    EXPECT_DOUBLE_EQ(g1.axialLoad, 80000.0);
    EXPECT_EQ(g1.distPointCount, 0);
    const LrfdLoadGroup& g2 = lrfd().group[2];
    EXPECT_EQ(g2.lrfdLoadType, 13);
    EXPECT_DOUBLE_EQ(g2.horizontalForce, -75.5);
    EXPECT_DOUBLE_EQ(g2.headMoment, 0.0);
    EXPECT_DOUBLE_EQ(g2.axialLoad, -12000.0);
    ASSERT_EQ(g2.distPointCount, 3);
    EXPECT_DOUBLE_EQ(g2.distDepth[1], 0.0);
    EXPECT_DOUBLE_EQ(g2.distLoad[1], 4.0);
    EXPECT_DOUBLE_EQ(g2.distDepth[2], 12.0);
    EXPECT_DOUBLE_EQ(g2.distLoad[2], 4.5);
    EXPECT_DOUBLE_EQ(g2.distDepth[3], 36.0);
    EXPECT_DOUBLE_EQ(g2.distLoad[3], 0.0);
    EXPECT_TRUE(run->input.atEnd());
}

TEST_F(LoadingInput, LrfdGroupCountOutsideOneToHundredIsError98) {
    for (int count : {0, 101}) {
        SCOPED_TRACE(count);
        run = std::make_unique<mervik::Run>();
        start();
        read(readLrfdLoads, std::to_string(count) + "\n1 1 1.0 0.0 0.0 0\n");
        EXPECT_EQ(run->errorNumber, inputError(98));
        EXPECT_EQ(lrfd().groupCount, 0);
        EXPECT_EQ(lrfd().group[1].lrfdLoadType, 0);
        EXPECT_EQ(report(), lrfdError(98, "Number of LRFD loads specified is " + std::to_string(count) +
                                              "\nThis is outside of the valid range to 1 to 100") +
                                prematureEnd(98));
    }
}

TEST_F(LoadingInput, HundredLrfdGroupsAreAccepted) {
    std::string text = "100\n";
    for (int i = 1; i <= 100; ++i) text += std::to_string(i) + " 2 1.0 2.0 " + std::to_string(i) + ".0 0\n";
    read(readLrfdLoads, text);
    EXPECT_FALSE(run->failed());
    EXPECT_EQ(lrfd().groupCount, 100);
    EXPECT_DOUBLE_EQ(lrfd().group[100].axialLoad, 100.0);
}

TEST_F(LoadingInput, LrfdGroupOutOfOrderIsError97) {
    read(readLrfdLoads, "3\n1 1 1.0 0.0 0.0 0\n3 2 5.0 0.0 0.0 0\n2 2 5.0 0.0 0.0 0\n");
    EXPECT_EQ(run->errorNumber, inputError(97));
    EXPECT_EQ(report(), lrfdError(97, "Input appears to be out-of-order for LRFD loading\n"
                                      "Input load number is 3 and the expected load number is 2") +
                            prematureEnd(97));
}

TEST_F(LoadingInput, LrfdPointOutOfOrderIsError96) {
    read(readLrfdLoads, "2\n1 1 1.0 0.0 0.0 0\n2 5 1.0 0.0 0.0 3\n1 0.0 1.0\n3 5.0 1.0\n2 9.0 1.0\n");
    EXPECT_EQ(run->errorNumber, inputError(96));
    EXPECT_EQ(report(), lrfdError(96, "Input appears to be out-of-order for LRFD distributed load 2\n\n"
                                      "Input distributed load point is 3\n"
                                      " and the expected point number is 2") +
                            prematureEnd(96));
}

// Point counts: 0 and 2 to 50 are read; 1, negative and above 100 are outside the format
// (error 95); 51 to 100 are valid for the format but beyond the tables (capacity error).
TEST_F(LoadingInput, LrfdDistributedPointCounts) {
    struct Case {
        int count;
        int error;  // 0 = accepted
    };
    for (const Case& c : {Case{0, 0}, Case{2, 0}, Case{50, 0}, Case{1, 95}, Case{-1, 95}, Case{101, 95},
                          Case{51, kErrCapacity}, Case{100, kErrCapacity}}) {
        SCOPED_TRACE(c.count);
        run = std::make_unique<mervik::Run>();
        start();
        read(readLrfdLoads, "1\n1 3 1.0 0.0 0.0 " + std::to_string(c.count) + "\n" +
                                pointLines(c.count > 0 ? c.count : 0));
        if (c.error == 0) {
            EXPECT_FALSE(run->failed());
            EXPECT_EQ(lrfd().group[1].distPointCount, c.count);
            if (c.count > 0) {
                EXPECT_DOUBLE_EQ(lrfd().group[1].distDepth[c.count], c.count);
            }
            EXPECT_TRUE(run->input.atEnd());
        } else {
            EXPECT_EQ(run->errorNumber, inputError(c.error));
            EXPECT_EQ(lrfd().group[1].distPointCount, 0);  // never a count beyond the tables
            EXPECT_EQ(lrfd().group[1].distDepth[1], 0.0);
        }
    }
}

TEST_F(LoadingInput, Error95Text) {
    read(readLrfdLoads, "2\n1 1 1.0 0.0 0.0 0\n2 1 1.0 0.0 0.0 1\n1 0.0 1.0\n");
    EXPECT_EQ(run->errorNumber, inputError(95));
    EXPECT_EQ(report(),
              lrfdError(95, "Number of distributed load points for LRFD load number 2 is outside of the valid range "
                            "of 0 or 2 to 100.\n\nThe input number of distributed load points is 1") +
                  prematureEnd(95));
}

// ---------------------------------------------------------------------------------------------
// LRFD FACTORS AND CASES

TEST_F(LoadingInput, LrfdCombinationsAreReadWithDefaultResistanceFactors) {
    const std::string longName(300, 'N');
    read(readLrfdCombinations,
         "3\n"
         "1 1.25 1.75 0 0 0 0 0 0 0 0 0 0 0.5 0.9 0.85\n"
         "Strength I  \n"
         "2 0.9 0 0 0 1.4 0 0 0 0 0 0 0\n"
         "  -0.25 0.0 -1.0\n"
         + longName + "\n"
         "3 1 2 3 4 5 6 7 8 9 10 11 12 13 1.0 1.0\n"
         "\n");
    EXPECT_FALSE(run->failed());
    EXPECT_EQ(messages(), "Reading LRFD load and resistance factor data \n");
    EXPECT_EQ(report(), "");

    ASSERT_EQ(lrfd().combinationCount, 3);
    const LrfdCombination& c1 = lrfd().combination[1];
    const double f1[] = {1.25, 1.75, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5};
    for (int t = 1; t <= 13; ++t) EXPECT_DOUBLE_EQ(c1.loadFactors[t], f1[t - 1]) << t;
    EXPECT_DOUBLE_EQ(c1.flexureResistanceFactor, 0.9);
    EXPECT_DOUBLE_EQ(c1.shearResistanceFactor, 0.85);
    EXPECT_EQ(c1.combinationName, "Strength I  ");

    // Values running on to a second line; a negative factor; resistance factors 0 and -1.
    const LrfdCombination& c2 = lrfd().combination[2];
    EXPECT_DOUBLE_EQ(c2.loadFactors[1], 0.9);
    EXPECT_DOUBLE_EQ(c2.loadFactors[5], 1.4);
    EXPECT_DOUBLE_EQ(c2.loadFactors[12], 0.0);
    EXPECT_DOUBLE_EQ(c2.loadFactors[13], -0.25);
    EXPECT_EQ(c2.flexureResistanceFactor, 0.75);
    EXPECT_EQ(c2.shearResistanceFactor, 0.75);
    EXPECT_EQ(c2.combinationName, std::string(256, 'N'));

    const LrfdCombination& c3 = lrfd().combination[3];
    for (int t = 1; t <= 13; ++t) EXPECT_DOUBLE_EQ(c3.loadFactors[t], t) << t;
    EXPECT_EQ(c3.combinationName, "");
    EXPECT_TRUE(run->input.atEnd());
}

TEST_F(LoadingInput, CombinationsWithoutPositiveFactorSumAreAllReportedThenError72) {
    read(readLrfdCombinations,
         "4\n"
         "1 0 0 0 0 0 0 0 0 0 0 0 0 0.01 0.9 0.9\n"
         "Small but positive\n"
         "2 0 0 0 0 0 0 0 0 0 0 0 0 0 0.9 0.9\n"
         "All zero\n"
         "3 1.25 -1.25 0 0 0 0 0 0 0 0 0 0 0 0 0\n"
         "Sum zero\n"
         "4 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n"
         "Last\n");
    EXPECT_EQ(run->errorNumber, inputError(72));
    EXPECT_EQ(report(), lrfdError(72, "All input load factors for LRFD analysis are zero.\n\n"
                                      "The number of the LRFD load combination in error is 2") +
                            lrfdError(72, "All input load factors for LRFD analysis are zero.\n\n"
                                          "The number of the LRFD load combination in error is 3") +
                            prematureEnd(72));
    // The block was read to its end.
    EXPECT_EQ(lrfd().combinationCount, 4);
    EXPECT_EQ(lrfd().combination[3].flexureResistanceFactor, 0.75);
    EXPECT_EQ(lrfd().combination[4].combinationName, "Last");
    EXPECT_TRUE(run->input.atEnd());
}

std::string combinationLines(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += std::to_string(i) + " 1 0 0 0 0 0 0 0 0 0 0 0 0 0.9 0.9\nCase " + std::to_string(i) + "\n";
    return text;
}

TEST_F(LoadingInput, HundredCombinationsAreAccepted) {
    read(readLrfdCombinations, "100\n" + combinationLines(100));
    EXPECT_FALSE(run->failed());
    EXPECT_EQ(lrfd().combinationCount, 100);
    EXPECT_EQ(lrfd().combination[100].combinationName, "Case 100");
}

TEST_F(LoadingInput, CombinationCountOutsideOneToHundredIsError94BeforeAnyIsRead) {
    for (int count : {0, 101}) {
        SCOPED_TRACE(count);
        run = std::make_unique<mervik::Run>();
        start();
        read(readLrfdCombinations, std::to_string(count) + "\n" + combinationLines(101));
        EXPECT_EQ(run->errorNumber, inputError(94));
        EXPECT_EQ(lrfd().combinationCount, 0);
        EXPECT_EQ(lrfd().combination[1].loadFactors[1], 0.0);
        EXPECT_EQ(lrfd().combination[1].combinationName, "");
        EXPECT_EQ(run->input.lineNumber, 1);
        EXPECT_EQ(report(), lrfdError(94, "Number of LRFD load combinations outside of the valid range of 1 to 100.\n\n"
                                          "Number of LRFD load combinations input is " + std::to_string(count)) +
                                prematureEnd(94));
    }
}

}  // namespace
}  // namespace mervik
