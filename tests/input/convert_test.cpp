// Conversion of US customary input to computation units: feet to inches, pcf to pci, psf to
// psi, rock strengths kept in psi, loads untouched, and made only once.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "input/convert.hpp"
#include "input/model.hpp"
#include "support/memory_run.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

// A pipe pile of two sections over soft clay, weak rock and vuggy limestone, with p-multipliers,
// soil movements and output depths.
const std::string kInput = R"(OPTIONS
Units USCS
UseLRFD NO
ComputeKmatrix NO
UseTipShear NO
UseSoilMovement YES
UsePYModifiers YES
ComputeEIOnly NO
Loading STATIC
MaxIterations 100
MaxDefl 50.0
Tolerance 1.0E-5
Increments 100
PrintSummaryOnly NO
PrintIncrement 1
PrintPYCurves YES
ComputeInteraction NO
SECTIONS
2
1
4
20.0
24.0
0.5
36000
29000000
2
4
30.0
24.0
0.75
36000
29000000
SOIL LAYERS
3
1 2.0 20.0
115.2 288 0.02
57.6 576 0.01
8 20.0 40.0
144 500 10000 50 0.0005
144 600 10000 50 0.0005
9 40.0 60.0
144 1500
144 2000
GROUPEFF
2
1 2.0 0.8 1.0
2 10.0 1.0 1.0
SOIL MOVEMENTS
2
1 2.0 1.5
2 12.0 0.0
DEPTHS OF PRINTED P-Y CURVES
1
1 5.5
LOADING
1
1 1 20000 100000 50000 1
2
1 0.0 10.0
2 10.0 0.0
END
)";

class ConvertTest : public testing::MemoryRunTest {
protected:
    void SetUp() override {
        start();
        setInput(kInput);
        readInputData(*run);
        ASSERT_FALSE(run->failed()) << report();
    }
};

TEST_F(ConvertTest, FeetPcfAndPsfBecomeInchesPciAndPsi) {
    convertToComputationUnits(*run);
    const AnalysisModel& m = run->model;
    EXPECT_EQ(m.sections.pileLength, 600.0);
    EXPECT_EQ(m.sections.section[1].sectionLength, 240.0);
    EXPECT_EQ(m.sections.section[2].topDepthX, 240.0);
    EXPECT_EQ(m.sections.section[2].bottomDepthX, 600.0);
    EXPECT_EQ(m.sections.point[4].depth, 600.0);
    // Cross-section dimensions are inches already.
    EXPECT_EQ(m.sections.section[2].diameter, 24.0);

    EXPECT_EQ(m.soil.groundSurface, 24.0);
    EXPECT_EQ(m.soil.layer[1].depthTop, 24.0);
    EXPECT_EQ(m.soil.layer[3].depthBottom, 720.0);
    EXPECT_EQ(m.soil.propertyDepth[6], 720.0);
    EXPECT_EQ(m.soil.layer[1].gamma.top, 115.2 / 1728.0);
    EXPECT_EQ(m.soil.layer[1].gamma.bottom, 57.6 / 1728.0);
    EXPECT_EQ(m.soil.layer[1].cohesion.top, 2.0);
    EXPECT_EQ(m.soil.layer[1].cohesion.bottom, 4.0);
    EXPECT_EQ(m.soil.layer[1].eps50.top, 0.02);
    // Rock strengths are given in psi.
    EXPECT_EQ(m.soil.layer[2].cohesion.top, 500.0);
    EXPECT_EQ(m.soil.layer[2].gamma.top, 144.0 / 1728.0);
    EXPECT_EQ(m.soil.layer[3].cohesion.bottom, 2000.0);

    EXPECT_EQ(m.pyModifiers.depth[1], 24.0);
    EXPECT_EQ(m.pyModifiers.depth[2], 120.0);
    EXPECT_EQ(m.soilMovement.depth[2], 144.0);
    EXPECT_EQ(m.soilMovement.movement[1], 1.5);  // inches as given
    EXPECT_EQ(m.pyOutputDepths.depth[1], 66.0);

    // Loads and the distributed-load table are not converted.
    EXPECT_EQ(m.loading.loadCase[1].condition1, 20000.0);
    EXPECT_EQ(m.loading.loadCase[1].condition2, 100000.0);
    EXPECT_EQ(m.loading.distributed.depth[2], 10.0);
}

TEST_F(ConvertTest, MadeOnlyOnce) {
    convertToComputationUnits(*run);
    convertToComputationUnits(*run);
    EXPECT_EQ(run->model.sections.pileLength, 600.0);
    EXPECT_EQ(run->model.soil.layer[1].gamma.top, 115.2 / 1728.0);
    EXPECT_EQ(run->model.soil.layer[1].cohesion.top, 2.0);
}

TEST_F(ConvertTest, NothingIsConvertedInOtherUnitSystems) {
    for (int units : {kSI, kGeneral}) {
        SetUp();
        run->model.options.IUNITS = units;
        convertToComputationUnits(*run);
        EXPECT_EQ(run->model.sections.pileLength, 50.0) << units;
        EXPECT_EQ(run->model.soil.layer[1].gamma.top, 115.2) << units;
        EXPECT_EQ(run->model.soil.layer[1].cohesion.top, 288.0) << units;
    }
}

}  // namespace
}  // namespace mervik

namespace mervik {
namespace {

// A whole run converts once, after the echo: the report shows feet and psf, the model ends in
// inches and psi.
TEST(ConvertRun, WholeRunConvertsAfterTheEcho) {
    testing::TempDir dir;
    const std::string input = testing::readFile(std::filesystem::path(MERVIK_EXAMPLES) / "pipe_pile_soft_clay.lp6");
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("input.lp6", input);
    auto run = std::make_unique<mervik::Run>();
    // Whatever the analysis then does, the conversion is made right after the echo.
    testing::runInDir(dir, *run);
    EXPECT_EQ(run->model.sections.pileLength, 720.0);
    EXPECT_EQ(run->model.soil.layer[1].depthBottom, 840.0);
    EXPECT_EQ(run->model.soil.layer[1].gamma.top, 50.0 / 1728.0);
    EXPECT_EQ(run->model.soil.layer[1].cohesion.top, 500.0 / 144.0);
    const std::string report = dir.read("report.out");
    EXPECT_NE(report.find("Total length of pile                                   =      60.00 ft\n"), std::string::npos);
    EXPECT_NE(report.find("   Undrained cohesion at top of layer                  =    500.00000 psf \n"), std::string::npos);
}

}  // namespace
}  // namespace mervik
