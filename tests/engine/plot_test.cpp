// Plot records: fields at their columns and the comment texts the host reads.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

class PlotRecords : public testing::MemoryRunTest {
protected:
    std::string text() const { return plot(); }
    static std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
};

TEST_F(PlotRecords, Record1IntegersThenComment) {
    plotRecord1(*run, 3, 1, 0, 1);
    EXPECT_EQ(text(), "    3    1    0    1" + blanks(60) + "Line 1 : i_Analysis_Type, IUNITS, KYL, ib_ComputeKmatrix_1T0F\n");
}

TEST_F(PlotRecords, CountRecordsStartTheirCommentAtColumn81) {
    plotRecord2(*run, 2);
    plotRecord6(*run, 0);
    plotRecord3(*run, PlotSectionKind::Elastic, 4);
    EXPECT_EQ(text(), "    2" + blanks(75) + "Line 2 : Total number of sections\n" +
                          "    0" + blanks(75) + "Line 6 : number of output p-y curves\n" +
                          "    4" + blanks(75) + "Line 3 : Total number of axial thrusts for elastic section\n");
}

TEST_F(PlotRecords, Record10NodeNumberInThreeCharacters) {
    plotRecord10(*run, 5, 12.0, 0.5, -1.5e6, 2.0e4, -30.0, 4.35e10);
    const std::string expected = "  1.2000000E+01  5.0000000E-01 -1.5000000E+06  2.0000000E+04 -3.0000000E+01  4.3500000E+10" +
                                 blanks(1) + "Line 10(  5): nodal depth, y, M, V, p, EI\n";
    EXPECT_EQ(text(), expected);
}

TEST_F(PlotRecords, MomentCurvatureRecordsByUnitSystem) {
    run->model.options.IUNITS = kUSCS;
    plotRecord4(*run, PlotSectionKind::Nonlinear, 20, 100.0, 2.5e4, 1);
    plotRecord5(*run, PlotSectionKind::Nonlinear, 1.0, 2.0, 3.0e-5, 1, 2, 17);
    run->model.options.IUNITS = kSI;
    plotRecord4(*run, PlotSectionKind::Elastic, 2, 0.0, 0.0, 1);
    const std::string expected =
        "   20" + blanks(10) + "  1.0000000E+02  2.5000000E+04" + blanks(35) +
        "Line 4 : Num. M-EI-Crv Points, Axial Thrust Load (kips), Nom. Moment Cap. (in-kips), Section 1\n" +
        "  1.0000000E+00  2.0000000E+00  3.0000000E-05" + blanks(35) +
        "Line 5 : Moment (in-kips), EI (kip-in^2), Curvature (rad/in) for Sect#=1, AxLd#=2, CurvPnt#=17\n" +
        "    2" + blanks(10) + "  0.0000000E+00  0.0000000E+00" + blanks(35) +
        "Line 4 : Num. Elas. M-EI-Crv Points, Axial Thrust Load (kN) , Nom. Moment Cap. (kN-m) for linear EI pile at "
        "top of section\n";
    EXPECT_EQ(text(), expected);
}

TEST_F(PlotRecords, PyCurveRecords) {
    plotRecord7(*run, 120.0, 3, "soft clay", 1);
    plotRecord8(*run, 0.1, 25.0, 2, "soft clay");
    plotRecord8(*run, 0.1, 25.0, 2, "liquefied sand", true);
    plotRecord7AboveGround(*run, -12.0, 0);
    const std::string expected =
        "  1.2000000E+02    3" + blanks(60) + "Line 7:  p-y curve depth in soft clay, no. p-y points on curve no. 1\n" +
        "  1.0000000E-01  2.5000000E+01" + blanks(50) + "Line 8(2): y, p, for soft clay\n" +
        "  1.0000000E-01  2.5000000E+01" + blanks(20) + "Line 8( 2): y, p, for liquefied sand\n" +
        " -1.2000000E+01    0" + blanks(60) + "Line 7:  p-y curve depth, no. p-y points\n";
    EXPECT_EQ(text(), expected);
}

TEST_F(PlotRecords, GeneralUnitsCarryTheSITexts) {
    run->model.options.IUNITS = kGeneral;
    plotRecord12(*run, 1.0, 2.0, 3.0, 4.0);
    plotRecord13(*run, 1.0, 2.0, 3.0, 4.0, 5.0);
    run->model.options.IUNITS = kUSCS;
    plotRecord13(*run, 1.0, 2.0, 3.0, 4.0, 5.0);
    const std::string values4 = "  1.0000000E+00  2.0000000E+00  3.0000000E+00  4.0000000E+00";
    const std::string values5 = values4 + "  5.0000000E+00";
    EXPECT_EQ(text(), values4 + blanks(20) + "Line 12: pile length (m), Ytop (m), Max Moment(kN-m), Max Shear(kN)\n" +
                          values5 + blanks(5) + "Line 13: TopV(kN) TopY(m), Max Moment(kN-m), Max Shear(kN), Rotation(rad)\n" +
                          values5 + blanks(5) +
                          "Line 13: TopV(lbs), TopY(in), Max Moment(in-lbs), Max Shear(lbs), Rotation(rad)\n");
}

TEST_F(PlotRecords, Records9_11And14) {
    plotRecord9(*run, 2, 101, 1);
    plotRecord11(*run, PlotRecord11Kind::NoCurveLrfd, 0, 3);
    plotRecord14(*run, 1, 2, 3, 4, 5, 6, 7, 8);
    std::string values;
    for (int k = 1; k <= 8; ++k) values += "  " + std::to_string(k) + ".0000000E+00";
    EXPECT_EQ(text(), "    2  101    1" + blanks(65) + "Line 9:  No. loads, No. nodes, iunits: 1 = USCS, 2 = SI\n" +
                          "    0" + blanks(75) + "Line 11: Num. points on Ytop vs. Length curve for LRFD load case 3\n" +
                          values + "  Line 14: V, M, K22, K23, K32, K33, ytop, theta\n");
}

}  // namespace
}  // namespace mervik
