// After the load cases: the summary table of the responses with plot records 13, checked byte
// for byte against hand-built case records; and the pile-head stiffness matrix of a long
// elastic pile in an elastic subgrade against the closed form of a beam on an elastic
// foundation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/run.hpp"
#include "engine/run_sequence.hpp"
#include "engine/units.hpp"
#include "input/convert.hpp"
#include "report/echo.hpp"
#include "solver/pile.hpp"
#include "support/memory_run.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

std::string joined(const std::vector<std::string>& all) {
    std::string text;
    for (const std::string& line : all) text += line + "\n";
    return text;
}

// Two reported cases of a US run:
//  case 1, type 1: V = 10000 lbs, M = 0, P = 0; y(1) = 0.5 in, S(1) = -0.0025,
//          V(1) = 10000 lbs, max. moment 3.4e6 in-lbs, max. shear -5000.5 lbs;
//  case 2, type 4: y = 0.25 in, M = -250000 in-lbs, P = 1.5e6 lbs; y(1) = 0.25 in,
//          S(1) = 0.001234567, V(1) = 12345.678 lbs, max. moment -1234567 in-lbs,
//          max. shear 2e-7 lbs.
class ResponseSummary : public testing::MemoryRunTest {
protected:
    void SetUp() override {
        testing::MemoryRunTest::SetUp();
        run->model.options.IUNITS = kUSCS;
        run->model.options.i_Analysis_Type = 3;
        Loading& loading = run->model.loading;
        loading.loadCaseCount = 2;
        loading.loadCase[1] = {1, 10000.0, 0.0, 0.0, false};
        loading.loadCase[2] = {4, 0.25, -250000.0, 1.5e6, false};
        LoadCaseSummary& a = run->caseResults.cases[1];
        a.headDeflection = 0.5;
        a.headSlope = -0.0025;
        a.headShear = 10000.0;
        a.maxMoment = 3.4e6;
        a.maxShear = -5000.5;
        LoadCaseSummary& b = run->caseResults.cases[2];
        b.headDeflection = 0.25;
        b.headSlope = 0.001234567;
        b.headShear = 12345.678;
        b.maxMoment = -1234567.0;
        b.maxShear = 2e-7;
    }
};

// Row fields (adaptive real writer: one blank, then the field of W - 1 characters):
//  W = 11: 10000 -> F10.4 "10000.0000"; 0 -> F10.3 "0.000"; 0.25 -> F10.4 "0.2500";
//          -250000 -> F10.0 "-250000."; -5000.5 -> F10.4 "-5000.5000"; 2e-7 (< 1e-4) ->
//          ES10.3 "2.000E-07".
//  W = 15: 0 -> F14.7 "0.0000000"; 0.5 -> F14.8 "0.50000000"; 3.4e6 -> F14.0 "3400000.";
//          1.5e6 -> F14.0 "1500000."; -1234567 -> F14.0 "-1234567.".
//  Rotation F15.8: -0.0025 -> "-0.00250000"; 0.001234567 -> "0.00123457".
TEST_F(ResponseSummary, TableAndPlotRecordsOfTwoCasesInUsUnits) {
    writeResponseSummary(*run);
    run->report.close();
    run->plot.close();
    const std::string rule(80, '-');
    const std::string expected = joined({
        "", "", "", rule, std::string(27, ' ') + "Summary of Pile Response(s)", rule, "", "",
        "Definitions of Pile-head Loading Conditions:", "",
        "Load Type 1: Load 1 = Shear, lbs, and Load 2 = Moment, in-lbs",
        "Load Type 2: Load 1 = Shear, lbs, and Load 2 = Slope, radians",
        "Load Type 3: Load 1 = Shear, lbs, and Load 2 = Rotational Stiffness, in-lbs/radian",
        "Load Type 4: Load 1 = Top Deflection, inches, and Load 2 = Moment, in-lbs",
        "Load Type 5: Load 1 = Top Deflection, inches, and Load 2 = Slope, radians", "", "",
        "               Pile-head      Pile-head                                      Maximum        Maximum                  ",
        "Load  Load    Condition 1    Condition 2        Axial        Pile-head       Moment          Shear        Pile-head  ",
        "Case  Type    V(lbs) or     in-lb, rad.,       Loading      Deflection       in Pile        in Pile       Rotation   ",
        " No.   No.    y(inches)     or in-lb/rad.        lbs          inches         in-lbs           lbs          radians   ",
        "----  ----  --------------  --------------  -------------  -------------  -------------  -------------  -------------",
        "  1     1   V = 10000.0000  M =      0.000      0.0000000     0.50000000       3400000.     -5000.5000    -0.00250000",
        "  2     4   y =     0.2500  M =   -250000.       1500000.     0.25000000      -1234567.      2.000E-07     0.00123457",
    });
    EXPECT_EQ(run->report.memory(), expected);

    const std::string comment = "Line 13: TopV(lbs), TopY(in), Max Moment(in-lbs), Max Shear(lbs), Rotation(rad)";
    const std::string pad(5, ' ');  // five fields of 15 end at column 75; the text starts at 81
    EXPECT_EQ(run->plot.memory(),
              joined({"  1.0000000E+04  5.0000000E-01  3.4000000E+06 -5.0005000E+03 -2.5000000E-03" + pad + comment,
                      "  1.2345678E+04  2.5000000E-01 -1.2345670E+06  2.0000000E-07  1.2345670E-03" + pad + comment}));
}

// Generic units: the definitions line, but no type definitions and no column heading.
TEST_F(ResponseSummary, GenericUnitsGoStraightToTheRows) {
    run->model.options.IUNITS = kGeneral;
    writeResponseSummary(*run);
    run->report.close();
    const std::vector<std::string> out = testing::lines(run->report.memory());
    // Heading lines 0 to 7, then the definitions line, a blank line, the rule and two rows.
    ASSERT_EQ(out.size(), 13u);
    EXPECT_EQ(out[8], "Definitions of Pile-head Loading Conditions:");
    EXPECT_EQ(out[9], "");
    EXPECT_EQ(out[10].substr(0, 12), "----  ----  ");
    EXPECT_EQ(out[11].substr(0, 15), "  1     1   V =");
    EXPECT_EQ(out[12].substr(0, 15), "  2     4   y =");
}

TEST_F(ResponseSummary, NothingWhileTheStiffnessCasesRun) {
    run->caseResults.stiffnessMode = true;
    writeResponseSummary(*run);
    run->report.close();
    run->plot.close();
    EXPECT_EQ(run->report.memory(), "");
    EXPECT_EQ(run->plot.memory(), "");
}

// ---------------------------------------------------------------- stiffness matrix

// The steel pipe of the example (24 in x 0.5 in, E = 29e6 psi, 60 ft, 200 increments) in an
// elastic subgrade of 100 pci (k = 2400 psi), load case 1 V = 10000 lbs, M = 0: the input is
// read, echoed and converted, the section analysed, load case 1 solved and reported, then the
// summary and the stiffness matrix, as the run sequence does.
class HeadStiffness : public testing::MemoryRunTest {
protected:
    void analyseCaseOne() {
        std::string text =
            testing::readFile(std::filesystem::path(MERVIK_EXAMPLES) / "pipe_pile_elastic_subgrade.lp6");
        const std::string off = "ComputeKmatrix NO";
        text.replace(text.find(off), off.size(), "ComputeKmatrix YES");
        setInput(text);
        std::string tag;
        ASSERT_TRUE(readFreeWord(run->input, 7, tag));
        ASSERT_EQ(tag, "MERVIK6");
        readInputData(*run);
        ASSERT_FALSE(run->failed()) << messages();
        run->units = makeUnitLabels(run->model.options.IUNITS);
        echoInput(*run);
        ASSERT_FALSE(run->failed()) << report();
        convertToComputationUnits(*run);
        setupRunNodes(*run);
        runSectionLoop(*run);
        ASSERT_FALSE(run->failed()) << report();
        setupLoadCaseNodes(*run, 1);
        const int iterations = iterateLoadCase(*run, 1);
        ASSERT_FALSE(run->failed()) << report();
        writeLoadCaseReport(*run, 1, iterations);
        writeResponseSummary(*run);
        ASSERT_FALSE(run->failed());
    }

    // The fields of the plot records 14.
    std::vector<std::vector<double>> records14() {
        std::vector<std::vector<double>> records;
        for (const std::string& line : testing::lines(plot())) {
            if (line.find("Line 14:") == std::string::npos) continue;
            std::vector<double> fields;
            for (std::size_t at = 0; at + 15 <= 120; at += 15) fields.push_back(std::strtod(line.substr(at, 15).c_str(), nullptr));
            records.push_back(fields);
        }
        return records;
    }
};

// Long pile (βL ≈ 6.8) with β⁴ = k/(4EI):
//  fixed head (slope 0) under shear V: y = Vβ/k, head moment V/(2β), so
//    K22 = V/y = k/β = 4EIβ³ and K32 = M/y = k/(2β²) = 2EIβ²;
//  head held at y = 0 under moment M: shear Mβ, rotation 2Mβ³/k, so
//    K33 = M/θ = k/(2β³) = 2EIβ and K23 = Mβ/θ = k/(2β²) = 2EIβ².
// The problem is linear, so every one of the ten load steps gives the same terms.
TEST_F(HeadStiffness, LongElasticPileMatchesTheBeamOnElasticFoundation) {
    analyseCaseOne();
    run->plot.close();
    run->plot.openMemory();  // keep only what the stiffness computation writes
    computeStiffnessMatrix(*run);
    ASSERT_FALSE(run->failed()) << report();
    run->plot.close();

    const double pi = 3.141592653589793;
    const double k = 100.0 * 24.0;
    const double EI = 29.0e6 * pi / 64.0 * (std::pow(24.0, 4) - std::pow(23.0, 4));
    const double beta = std::pow(k / (4.0 * EI), 0.25);
    ASSERT_GT(beta * 720.0, 4.0);
    const double K22 = 4.0 * EI * beta * beta * beta;
    const double K23 = 2.0 * EI * beta * beta;
    const double K33 = 2.0 * EI * beta;

    const std::vector<std::vector<double>> records = records14();
    ASSERT_EQ(records.size(), 10u) << plot();
    const double factor[] = {0.1, std::log10(2.0), std::log10(3.0), std::log10(4.0), std::log10(5.0),
                             std::log10(6.0), std::log10(7.0), std::log10(8.0), std::log10(9.0), 1.0};
    for (int s = 0; s < 10; ++s) {
        const std::vector<double>& r = records[static_cast<std::size_t>(s)];
        SCOPED_TRACE("load step " + std::to_string(s + 1));
        // V, M, K22, K23, K32, K33, |y|, |S|; the moment of case 1 is 0, so the base moment
        // is the default 100 in-lbs.
        EXPECT_NEAR(r[0], 10000.0 * factor[s], 1e-6 * 10000.0);
        EXPECT_NEAR(r[1], 100.0 * factor[s], 1e-6 * 100.0);
        EXPECT_NEAR(std::abs(r[2]), K22, 0.01 * K22);
        EXPECT_NEAR(std::abs(r[3]), K23, 0.01 * K23);
        EXPECT_NEAR(std::abs(r[4]), K23, 0.01 * K23);
        EXPECT_NEAR(std::abs(r[5]), K33, 0.01 * K33);
        EXPECT_NEAR(r[6], 10000.0 * factor[s] * beta / k, 0.01 * 10000.0 * factor[s] * beta / k);
        EXPECT_NEAR(r[7], 100.0 * factor[s] / K33, 0.01 * 100.0 * factor[s] / K33);
    }

    // The report block and its two tables of ten rows; load case 1 and the case count restored.
    const std::vector<std::string> out = testing::lines(report());
    std::size_t heading = 0;
    while (heading < out.size() && out[heading] != std::string(19, ' ') + "Computed Pile-head Stiffness Matrix Values") ++heading;
    ASSERT_LE(heading + 40, out.size());
    EXPECT_EQ(out[heading + 4], "");
    EXPECT_EQ(out[heading + 5], "  K22 = abs(Shear Reaction/Top y)");
    EXPECT_EQ(out[heading + 10], "     inches          lbs            in-lbs          lb/in.         in-lb/in.  ");
    EXPECT_EQ(out[heading + 23], "  K23 = abs(Shear Reaction/Top Rotation) ");
    EXPECT_EQ(out[heading + 39].size(), 78u);  // last row: 14 + 4 x 16 characters
    EXPECT_EQ(out.size(), heading + 40);
    EXPECT_NE(messages().find("Computing pile-head stiffness matrix components.\n\n"), std::string::npos);
    const PileHeadLoad& one = run->model.loading.loadCase[1];
    EXPECT_EQ(run->model.loading.loadCaseCount, 1);
    EXPECT_EQ(one.loadType, 1);
    EXPECT_EQ(one.condition1, 10000.0);
    EXPECT_EQ(one.condition2, 0.0);
    EXPECT_FALSE(run->caseResults.stiffnessMode);
    EXPECT_FALSE(run->model.options.printSummaryOnly);
}

// A stiffness case that cannot converge (here: an iteration limit of 5, while a case is
// accepted only after its fifth iteration) stops the computation with its text and no error.
// The first case is the fixed-head case of shear 0.1·10000.
TEST_F(HeadStiffness, CaseWithoutConvergenceStopsTheComputationWithoutAnError) {
    analyseCaseOne();
    run->model.options.maxIterations = 5;
    const std::size_t before = report().size();
    computeStiffnessMatrix(*run);
    EXPECT_EQ(run->errorNumber, 0);
    run->report.close();
    EXPECT_EQ(run->report.memory().substr(before),
              joined({"", "", "", "Error in computing pile-head stiffness matrix", "i_Analysis = 1", "Iteration Count = 5", "",
                      "Shear Force =       1000.000", "Moment      =          0.000", ""}));
    EXPECT_EQ(run->model.loading.loadCaseCount, 1);
    EXPECT_EQ(run->model.loading.loadCase[1].condition1, 10000.0);
}

}  // namespace
}  // namespace mervik
