// The input data file as a whole: the section headers, the small sections, the errors of the
// section loop and the list of distinct axial thrusts.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/run.hpp"
#include "engine/run_sequence.hpp"
#include "input/model.hpp"
#include "support/memory_run.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

constexpr const char* kOptionsUSCS =
    "OPTIONS\nUnits USCS\nUseLRFD NO\nComputeKmatrix NO\nUseTipShear NO\nUseSoilMovement YES\nUsePYModifiers NO\n"
    "ComputeEIOnly NO\nLoading STATIC\nMaxIterations 100\nMaxDefl 50.0\nTolerance 1.0E-5\nIncrements 100\n"
    "PrintSummaryOnly NO\nPrintIncrement 1\nPrintPYCurves YES\nComputeInteraction NO\n";

struct InputDataTest : testing::MemoryRunTest {
    void read(const std::string& text) {
        setInput(text);
        readInputData(*run);
    }
};

std::string unrecognized(const std::string& line) {
    std::string field = line;
    field.resize(256, ' ');
    return "\n\n***** INPUT ERROR *****\n\nThe following line is unrecognized or is out-of-order\n\n" + field + "\n\n\n";
}

TEST_F(InputDataTest, HeadersMustBeWrittenExactly) {
    for (const std::string& bad : {std::string(" TITLE"), std::string("title"), std::string("TITLE data"),
                                   std::string(""), std::string("ENDE")}) {
        start();
        read("TITLE\n1\n2\n3\n4\n5\n" + bad + "\nEND\n");
        EXPECT_EQ(run->errorNumber, 199) << bad;
        EXPECT_EQ(report(), unrecognized(bad) + "\n\nMervik ended prematurely due to input error number INP00099\n") << bad;
    }
    SetUp();
    read("TITLE   \nline one\n\n3\n4\nline five\nEND   \nnot read\n");
    EXPECT_FALSE(run->failed());
    EXPECT_EQ(run->model.title[1], "line one");
    EXPECT_EQ(run->model.title[2], "");
    EXPECT_EQ(run->model.title[5], "line five");
    EXPECT_EQ(messages(), "Input of data begun\nReading title data\n");
}

TEST_F(InputDataTest, EndOfFileBeforeEndIsAnOrderlyError) {
    read("TITLE\n1\n2\n3\n4\n5\n");
    EXPECT_EQ(run->errorNumber, 190);
    EXPECT_NE(messages().find("Problem:  The input data file ended before the line END was found."), std::string::npos);
    SetUp();
    read("TITLE\n1\n2\n");
    EXPECT_NE(messages().find("The input data file ended while the TITLE section was being read."), std::string::npos);
}

TEST_F(InputDataTest, SoilMovementDataNeedTheirOption) {
    std::string options = kOptionsUSCS;
    options.replace(options.find("UseSoilMovement YES"), 19, "UseSoilMovement NO");
    read(options + "SOIL MOVEMENTS\n2\n1 0.0 1.0\n2 10.0 0.0\nEND\n");
    EXPECT_EQ(run->errorNumber, 199);
    EXPECT_NE(report().find(unrecognized("2")), std::string::npos);
}

TEST_F(InputDataTest, SoilMovementCounts) {
    for (int n : {1, 101}) {
        start();
        read(std::string(kOptionsUSCS) + "SOIL MOVEMENTS\n" + std::to_string(n) + "\n");
        EXPECT_EQ(run->errorNumber, 153) << n;
        const std::string text = "**** Input Data Error No. 53 ****\n\nNumber of lines specified for soil movement data = " +
                                 std::to_string(n) +
                                 "\nThe number of lines of soil movement data cannot be less than 2 or exceed 100.\n\n";
        EXPECT_NE(messages().find("Reading soil movement data\n" + text), std::string::npos) << n;
        EXPECT_EQ(report(), text + "\n\nMervik ended prematurely due to input error number INP00053\n") << n;
    }
    for (int n : {2, 100}) {
        start();
        std::string data = std::string(kOptionsUSCS) + "SOIL MOVEMENTS\n" + std::to_string(n) + "\n";
        for (int k = 1; k <= n; ++k) data += std::to_string(k) + " " + std::to_string(k) + ".0 0.5\n";
        read(data + "END\n");
        EXPECT_FALSE(run->failed()) << n;
        EXPECT_EQ(run->model.soilMovement.count, n);
        EXPECT_EQ(run->model.soilMovement.depth[static_cast<std::size_t>(n)], n);
        EXPECT_EQ(run->model.soilMovement.movement[1], 0.5);
    }
}

TEST_F(InputDataTest, SoilMovementInSIIsKeptInMeters) {
    std::string options = kOptionsUSCS;
    options.replace(options.find("Units USCS"), 10, "Units SI");
    options.replace(options.find("Tolerance 1.0E-5"), 16, "Tolerance 2.5E-7");
    read(options + "SOIL MOVEMENTS\n2\n1 0.0 25\n2 3.0 0\nEND\n");
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(run->model.soilMovement.movement[1], 0.025);
    EXPECT_EQ(run->model.soilMovement.depth[2], 3.0);
}

TEST_F(InputDataTest, SmallSections) {
    read("PILE BATTER AND SLOPE\n10\n0\nTIP SHEAR\n2\n1 0.0 0.0\n2 0.5 1500\nGROUP EFFECT FACTORS\n1\n1 2.5 0.8 1.2\n"
         "END\n");
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(run->model.slope.groundSlope, 0.17453292519943295);
    EXPECT_EQ(run->model.slope.pileBatter, 0.0);
    EXPECT_EQ(run->model.slope.effectiveSlope, 0.17453292519943295);
    EXPECT_EQ(run->model.tipShear.count, 2);
    EXPECT_EQ(run->model.tipShear.displacement[2], 0.5);
    EXPECT_EQ(run->model.tipShear.shear[2], 1500.0);
    EXPECT_EQ(run->model.pyModifiers.count, 1);
    EXPECT_EQ(run->model.pyModifiers.depth[1], 2.5);
    EXPECT_EQ(run->model.pyModifiers.pMultiplier[1], 0.8);
    EXPECT_EQ(run->model.pyModifiers.yMultiplier[1], 1.2);
    EXPECT_EQ(messages(),
              "Input of data begun\nReading pile batter and ground slope angles\nReading tip shear data\nReading p-y "
              "multiplier data\n");
}

TEST_F(InputDataTest, PyOutputDepthsNeedTheirOption) {
    read(std::string(kOptionsUSCS) + "DEPTHS OF PRINTED P-Y CURVES\n2\n1 5.0\n2 12.5\nEND\n");
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(run->model.pyOutputDepths.count, 2);
    EXPECT_EQ(run->model.pyOutputDepths.depth[2], 12.5);
}

TEST_F(InputDataTest, CountsBeyondTheSmallTablesAreRefused) {
    struct Case {
        const char* text;
    };
    for (const char* text : {"TIP SHEAR\n51\n", "GROUPEFF\n81\n", "AXIAL THRUST LOADS\n101\n"}) {
        start();
        read(text);
        EXPECT_EQ(run->errorNumber, 192) << text;
    }
    SetUp();
    read(std::string(kOptionsUSCS) + "DEPTHS OF PRINTED P-Y CURVES\n101\n");
    EXPECT_EQ(run->errorNumber, 192);
}

TEST_F(InputDataTest, AxialThrustLoadsAreSortedAndListedOnceInKips) {
    run->model.sections.count = 1;  // the thrust list is built for the sections of the pile
    read("OPTIONS\nUnits USCS\nUseLRFD NO\nComputeKmatrix NO\nUseTipShear NO\nUseSoilMovement NO\nUsePYModifiers NO\n"
         "ComputeEIOnly YES\nLoading STATIC\nMaxIterations 100\nMaxDefl 50.0\nTolerance 1.0E-5\nIncrements 100\n"
         "PrintSummaryOnly NO\nPrintIncrement 1\nPrintPYCurves NO\nComputeInteraction NO\n"
         "AXIAL THRUST LOADS\n4\n1 300\n2 100\n3 200\n4 100\nEND\n");
    ASSERT_FALSE(run->failed());
    const Loading& loading = run->model.loading;
    ASSERT_EQ(loading.loadCaseCount, 4);
    EXPECT_EQ(loading.loadCase[1].axialThrust, 100.0);
    EXPECT_EQ(loading.loadCase[2].axialThrust, 100.0);
    EXPECT_EQ(loading.loadCase[3].axialThrust, 200.0);
    EXPECT_EQ(loading.loadCase[4].axialThrust, 300.0);
    const AxialThrustList& list = run->model.axialThrusts;
    ASSERT_EQ(list.count, 3);
    EXPECT_EQ(list.thrust[1], 0.1);
    EXPECT_EQ(list.thrust[2], 0.2);
    EXPECT_EQ(list.thrust[3], 0.3);
}

TEST_F(InputDataTest, AxialThrustLoadsWithCountZeroKeepOneCase) {
    run->model.sections.count = 1;
    read("AXIAL THRUST LOADS\n0\nEND\n");
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(run->model.loading.loadCaseCount, 1);
    EXPECT_EQ(run->model.axialThrusts.count, 1);
    EXPECT_EQ(run->model.axialThrusts.thrust[1], 0.0);
}

TEST_F(InputDataTest, NoThrustListWithoutSectionsOrForInteraction) {
    read("AXIAL THRUST LOADS\n2\n1 5\n2 6\nEND\n");
    EXPECT_EQ(run->model.axialThrusts.count, 0);
    SetUp();
    run->model.sections.count = 1;
    run->model.options.computeInteraction = true;
    read("AXIAL THRUST LOADS\n2\n1 5\n2 6\nEND\n");
    EXPECT_EQ(run->model.axialThrusts.count, 0);
}

TEST_F(InputDataTest, LrfdThrustsWithoutRepeats) {
    run->model.sections.count = 1;
    run->model.options.useLrfd = true;
    run->model.options.IUNITS = kSI;
    run->model.lrfd.groupCount = 4;
    const double axial[] = {50.0, -20.0, 50.0, 10.0};
    for (std::size_t k = 1; k <= 4; ++k) run->model.lrfd.group[k].axialLoad = axial[k - 1];
    read("END\n");
    const AxialThrustList& list = run->model.axialThrusts;
    ASSERT_EQ(list.count, 3);
    EXPECT_EQ(list.thrust[1], -20.0);
    EXPECT_EQ(list.thrust[2], 10.0);
    EXPECT_EQ(list.thrust[3], 50.0);
}

TEST(InputRun, GeneralUnitsEndToEnd) {
    testing::TempDir dir;
    std::string options = kOptionsUSCS;
    options.replace(options.find("Units USCS"), 10, "Units GENERAL");
    options.replace(options.find("UseSoilMovement YES"), 19, "UseSoilMovement NO");
    options.replace(options.find("ComputeEIOnly NO"), 16, "ComputeEIOnly YES");
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("input.lp6", "MERVIK6\n" + options + "SECTIONS\n1\n1\n4\n40.0\n24.0\n0.5\n36000\n29000000\nEND\n");
    auto run = std::make_unique<mervik::Run>();
    EXPECT_EQ(testing::runInDir(dir, *run), 0);
    EXPECT_EQ(run->units.DeflectionUnit, "L  ");
    EXPECT_EQ(run->units.ForceUnit, "F  ");
    EXPECT_EQ(run->units.MomentUnit, "F-L     ");
    const auto plot = testing::lines(dir.read("plot.plt"));
    ASSERT_GE(plot.size(), 1u);
    EXPECT_EQ(plot[0].substr(0, 20), "    2    3    0    0");
    const std::string messages = dir.read("messages.msg");
    EXPECT_EQ(messages.rfind("Input of data begun\nReading analysis options\nReading section properties for Section 1\n"
                             "Input of data completed\n\n",
                             0),
              0u);
}

}  // namespace
}  // namespace mervik
