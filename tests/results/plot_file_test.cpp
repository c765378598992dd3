// The plot-file reader: typed records from hand-written files and from an engine run, and the
// message that names the line of a broken file.
#include "results/plot_file.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_run.hpp"

namespace mervik::results {
namespace {

// A record line: its numeric fields, blanks up to the comment column, the comment.
std::string rec(const std::string& fields, std::size_t commentColumn, const std::string& comment) {
    std::string line = fields;
    if (line.size() < commentColumn - 1) line.resize(commentColumn - 1, ' ');
    return line + comment + "\n";
}

// A lateral run in US units, written by hand: two sections (the second an elastic one whose
// record 4 names no section), a p-y curve above the ground and one of the wide layout, one load
// case of two nodes with one pile-length point, the summary and one stiffness row. Three-digit
// exponents are written without the E.
std::vector<std::string> handWrittenLines() {
    const std::string c5 = "Line 5 : Moment (in-kips), EI (kip-in^2), Curvature (rad/in) for ";
    return {
        rec("    3    1    0    1", 81, "Line 1 : i_Analysis_Type, IUNITS, KYL, ib_ComputeKmatrix_1T0F"),
        rec("    2", 81, "Line 2 : Total number of sections"),
        rec("    1", 81, "Line 3 : Total number of axial thrusts"),
        rec("    2            1.0000000E+02  9.7869828E+03", 81,
            "Line 4 : Num. M-EI-Crv Points, Axial Thrust Load (kips), Nom. Moment Cap. (in-kips), Section 1"),
        rec("  1.5532598E+02  7.3930634E+07  2.1009692E-06", 81, c5 + "Sect#=1, AxLd#=1, CurvPnt#=1"),
        rec("  9.7869828E+03  2.0889319E+07  4.6851612E-04", 81, c5 + "Sect#=1, AxLd#=1, CurvPnt#=2"),
        rec("    1            1.0000000E+02  5.0000000E+03", 81,
            "Line 4 : Num. Elas. M-EI-Crv Points, Axial Thrust Load (kips), Nom. Moment Cap. (in-kips) for linear EI "
            "pile at top of section"),
        rec("  5.0000000E+03  5.0000000E+07  1.0000000-100", 81,
            "Line 5 : Elastic Moment (in-kips), EI (kip-in^2), Curvature (rad/in) for Sect#=2, AxLd#=1, CurvPnt#=1"),
        rec("    2", 81, "Line 6 : number of output p-y curves"),
        rec(" -1.2000000E+01    1", 81, "Line 7:  p-y curve depth, no. p-y points"),
        rec("  0.0000000E+00  0.0000000E+00", 81, "Line 8(1): y, p, for soft clay"),
        rec("  6.0000000E+01    2", 81, "Line 7:  p-y curve depth in user-input p-y curve, no. p-y points on curve no. 2"),
        rec("  0.0000000E+00  0.0000000E+00", 51, "Line 8( 1): y, p, for user-input p-y curve"),
        rec("  2.4000000E+00 -1.0000000+308", 51, "Line 8( 2): y, p, for user-input p-y curve"),
        rec("    1    2    1", 81, "Line 9:  No. loads, No. nodes, iunits: 1 = USCS, 2 = SI"),
        rec("  0.0000000E+00  4.6292457E-01  2.4000000E+05  2.0000000E+04 -1.1464863E+02  7.3930634E+10", 92,
            "Line 10(  1): nodal depth, y, M, V, p, EI"),
        rec("  7.2000000E+00 -4.3587814E-01  3.8373295E+05 -1.9144218E+04  1.2306864E+02  7.3930634E+10", 92,
            "Line 10(  2): nodal depth, y, M, V, p, EI"),
        rec("    1", 81, "Line 11: Num. points on Ytop vs. pile length curve for load case 1"),
        rec("  6.0000000E+02  4.3175662E-01  1.3732627E+06  2.0000000E+04", 81,
            "Line 12: pile length (in), Ytop (in), Max Moment(in-lb), Max Shear(lbs)"),
        rec("  2.0000000E+04  4.6292457E-01  1.5671443E+06  2.0000000E+04 -3.7681351E-03", 81,
            "Line 13: TopV(lbs), TopY(in), Max Moment(in-lbs), Max Shear(lbs), Rotation(rad)"),
        rec("  1.0000000E+03  1.0000000E+01  2.5115007E+05  1.3167369E+07  1.3167369E+07  1.3908250E+09  "
            "3.9816832E-03  7.1899771E-09",
            121, "  Line 14: V, M, K22, K23, K32, K33, ytop, theta"),
    };
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line;
    return text;
}

TEST(PlotFileReader, HandWrittenLateralRunRoundTrips) {
    const PlotRecords r = parsePlotRecords(joined(handWrittenLines()));
    EXPECT_EQ(r.analysisType, 3);
    EXPECT_EQ(r.units(), UnitSystem::USCS);
    EXPECT_EQ(r.stiffnessOption, 1);
    EXPECT_EQ(r.sectionCount, 2);
    EXPECT_EQ(r.thrustCount, 1);

    ASSERT_EQ(r.sections.size(), 2u);
    ASSERT_EQ(r.sections[0].relations.size(), 1u);
    const MomentCurvatureRelation& first = r.sections[0].relations[0];
    EXPECT_EQ(first.section, 1);
    EXPECT_EQ(first.thrustNumber, 1);
    EXPECT_EQ(first.kind, RelationKind::SectionAnalysis);
    EXPECT_DOUBLE_EQ(first.thrust, 100.0);
    EXPECT_DOUBLE_EQ(first.nominalMoment, 9786.9828);
    ASSERT_EQ(first.points.size(), 2u);
    EXPECT_DOUBLE_EQ(first.points[1].moment, 9786.9828);
    EXPECT_DOUBLE_EQ(first.points[1].EI, 2.0889319e7);
    EXPECT_DOUBLE_EQ(first.points[1].curvature, 4.6851612e-4);
    // The elastic relation names no section in record 4: its record 5 does.
    const MomentCurvatureRelation& elastic = r.sections[1].relations.at(0);
    EXPECT_EQ(r.sections[1].section, 2);
    EXPECT_EQ(elastic.kind, RelationKind::Elastic);
    EXPECT_DOUBLE_EQ(elastic.points.at(0).curvature, 1.0e-100);

    ASSERT_TRUE(r.lateral);
    ASSERT_EQ(r.pyCurves.size(), 2u);
    EXPECT_TRUE(r.pyCurves[0].aboveGround);
    EXPECT_DOUBLE_EQ(r.pyCurves[0].depth, -12.0);
    EXPECT_FALSE(r.pyCurves[1].aboveGround);
    EXPECT_EQ(r.pyCurves[1].model, "user-input p-y curve");
    EXPECT_EQ(r.pyCurves[1].number, 2);
    ASSERT_EQ(r.pyCurves[1].points.size(), 2u);
    EXPECT_DOUBLE_EQ(r.pyCurves[1].points[1].y, 2.4);
    EXPECT_DOUBLE_EQ(r.pyCurves[1].points[1].p, -1.0e308);

    EXPECT_EQ(r.loadCaseCount, 1);
    EXPECT_EQ(r.nodeCount, 2);
    ASSERT_EQ(r.loadCases.size(), 1u);
    const LoadCaseRecords& lc = r.loadCases[0];
    EXPECT_EQ(lc.number, 1);
    EXPECT_FALSE(lc.lrfd);
    ASSERT_EQ(lc.nodes.size(), 2u);
    EXPECT_DOUBLE_EQ(lc.nodes[1].x, 7.2);
    EXPECT_DOUBLE_EQ(lc.nodes[1].y, -0.43587814);
    EXPECT_DOUBLE_EQ(lc.nodes[1].M, 383732.95);
    EXPECT_DOUBLE_EQ(lc.nodes[1].V, -19144.218);
    EXPECT_DOUBLE_EQ(lc.nodes[1].p, 123.06864);
    EXPECT_DOUBLE_EQ(lc.nodes[1].EI, 7.3930634e10);
    ASSERT_EQ(lc.lengthSeries.size(), 1u);
    EXPECT_DOUBLE_EQ(lc.lengthSeries[0].pileLength, 600.0);
    EXPECT_DOUBLE_EQ(lc.lengthSeries[0].maxMoment, 1.3732627e6);

    ASSERT_EQ(r.summary.size(), 1u);
    EXPECT_DOUBLE_EQ(r.summary[0].topShear, 20000.0);
    EXPECT_DOUBLE_EQ(r.summary[0].maxMoment, 1.5671443e6);
    EXPECT_DOUBLE_EQ(r.summary[0].rotation, -3.7681351e-3);
    ASSERT_EQ(r.stiffness.size(), 1u);
    EXPECT_DOUBLE_EQ(r.stiffness[0].K22, 2.5115007e5);
    EXPECT_DOUBLE_EQ(r.stiffness[0].K33, 1.3908250e9);
    EXPECT_DOUBLE_EQ(r.stiffness[0].theta, 7.1899771e-9);
}

TEST(PlotFileReader, CapacityRunEndsAfterTheRelations) {
    std::vector<std::string> lines = handWrittenLines();
    lines.resize(8);
    lines[0] = rec("    2    2    0    0", 81, "Line 1 : i_Analysis_Type, IUNITS, KYL, ib_ComputeKmatrix_1T0F");
    const PlotRecords r = parsePlotRecords(joined(lines));
    EXPECT_EQ(r.units(), UnitSystem::SI);
    EXPECT_FALSE(r.lateral);
    EXPECT_EQ(r.sections.size(), 2u);
    EXPECT_TRUE(r.loadCases.empty());
}

TEST(PlotFileReader, RealFieldsWithAndWithoutTheE) {
    const struct {
        const char* field;
        double value;
    } good[] = {
        {"  1.2345678E+02", 123.45678}, {" -1.2345678E-02", -0.012345678}, {"  1.2345678-100", 1.2345678e-100},
        {" -1.0000000+308", -1.0e308},  {"  0.0000000E+00", 0.0},          {"  5.0000000-400", 0.0},
        {"7.25", 7.25},                 {"  2.5D+01", 25.0},
    };
    for (const auto& c : good) {
        double value = -1;
        EXPECT_TRUE(parseFortranReal(c.field, value)) << c.field;
        EXPECT_DOUBLE_EQ(value, c.value) << c.field;
    }
    for (const char* bad : {"", "   ", "abc", "1.2.3", "NaN", "Infinity", "-Infinity", "***************", "1.0E+",
                            "9.9999999+999", "1.0E+02x", "E+02", "1.0 E+02"}) {
        double value = 0;
        EXPECT_FALSE(parseFortranReal(bad, value)) << '"' << bad << '"';
    }
}

// Every broken file gives a PlotFileError naming the line (worked out from the hand-written
// file above: line 16 and 17 are the node records, 20 the summary).
TEST(PlotFileReader, BrokenFilesNameTheLine) {
    const std::vector<std::string> base = handWrittenLines();
    const struct {
        const char* what;
        std::vector<std::string> lines;
        int line;
        const char* message;
    } cases[] = {
        {"line cut short", [&] { auto l = base; l[16] = l[16].substr(0, 40) + "\n"; return l; }(), 17, "truncated"},
        {"missing node record", [&] { auto l = base; l.erase(l.begin() + 16); return l; }(), 17,
         "record 10 (node 2 of 2 of load case 1 of 1) expected, found record 11"},
        {"garbage line", [&] { auto l = base; l[11] = "#### garbage ####\n"; return l; }(), 12, "not a plot record"},
        {"file ends early", [&] { auto l = base; l.resize(19); return l; }(), 20,
         "the file ends where record 13 (summary of load case 1 of 1) is expected"},
        {"unreadable number", [&] { auto l = base; l[4][5] = 'x'; return l; }(), 5,
         "columns 1-15 (moment of record 5): \"1.5x32598E+02\" is not a finite number"},
        {"points out of order", [&] { auto l = base; l[5].replace(l[5].find("CurvPnt#=2"), 10, "CurvPnt#=3"); return l; }(), 6,
         "point 2 expected"},
        {"empty file", {}, 1, "record 1"},
    };
    for (const auto& c : cases) {
        try {
            parsePlotRecords(joined(c.lines));
            ADD_FAILURE() << c.what << ": read without an error";
        } catch (const PlotFileError& e) {
            EXPECT_EQ(e.line(), c.line) << c.what << ": " << e.what();
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("line " + std::to_string(c.line) + ": ", 0), 0u) << c.what << ": " << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
        }
    }
}

TEST(PlotFileReader, FileErrorsStartWithThePath) {
    testing::TempDir dir;
    dir.write("cut.plt", joined(handWrittenLines()).substr(0, 300));
    try {
        readPlotFile(dir / "cut.plt");
        ADD_FAILURE() << "read without an error";
    } catch (const PlotFileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind((dir / "cut.plt").string() + ", line 3: ", 0), 0u) << e.what();
    }
    EXPECT_THROW(readPlotFile(dir / "none.plt"), PlotFileError);
}

// A number of the report with half a unit of its last printed digit ("7.393E+10": 5E+06).
struct ReportNumber {
    double value = 0, tolerance = 0;
};

ReportNumber reportNumber(const std::string& token) {
    const std::size_t e = token.find_first_of("Ee");
    const std::string mantissa = token.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    const int exponent = e == std::string::npos ? 0 : std::stoi(token.substr(e + 1));
    return {std::stod(token), 0.5 * std::pow(10.0, exponent - decimals)};
}

// The rows of whitespace-separated numbers below the first line of the report that starts
// with `heading` and the rule under it, up to the first blank line.
std::vector<std::vector<ReportNumber>> reportTable(const std::string& report, const std::string& heading) {
    std::vector<std::vector<ReportNumber>> rows;
    const std::vector<std::string> lines = testing::lines(report);
    std::size_t k = 0;
    while (k < lines.size() && lines[k].rfind(heading, 0) != 0) ++k;
    for (k += 2; k < lines.size() && lines[k].find_first_not_of(' ') != std::string::npos; ++k) {
        std::istringstream in(lines[k]);
        std::vector<ReportNumber> row;
        for (std::string token; in >> token;) row.push_back(reportNumber(token));
        rows.push_back(row);
    }
    return rows;
}

// An engine run of a 30 ft pipe pile (OD 24 in, wall 0.5 in) in an elastic subgrade of
// 100 pci, 40 increments of 9 in: the records read back hold what the input and the report say.
TEST(PlotFileReader, EngineRunOfASmallFixture) {
    testing::TempDir dir;
    const testing::HostRun out = testing::runHost(dir, testing::fixture("results_small.lp6"));
    ASSERT_EQ(out.result, 0) << out.messages;
    const PlotRecords r = parsePlotRecords(out.plot);
    EXPECT_EQ(r.stiffnessOption, 1);
    ASSERT_EQ(r.sections.size(), 1u);
    EXPECT_DOUBLE_EQ(r.sections[0].relations.at(0).thrust, 0.0);

    // p = k b y = 100 * 24 * y on the printed curve at 5 ft.
    ASSERT_EQ(r.pyCurves.size(), 1u);
    EXPECT_DOUBLE_EQ(r.pyCurves[0].depth, 60.0);
    EXPECT_EQ(r.pyCurves[0].model, "elastic subgrade soil");
    for (const PyPoint& p : r.pyCurves[0].points) EXPECT_NEAR(p.p, 2400.0 * p.y, 1e-3 * (1 + p.p));

    ASSERT_EQ(r.loadCases.size(), 2u);
    for (const LoadCaseRecords& lc : r.loadCases) {
        ASSERT_EQ(lc.nodes.size(), 41u);
        for (std::size_t k = 0; k < lc.nodes.size(); ++k) EXPECT_NEAR(lc.nodes[k].x, 9.0 * k, 1e-5);
    }
    // Case 1 asked for the series: 20 lengths from 360 in down by 5 % of 360 each.
    ASSERT_EQ(r.loadCases[0].lengthSeries.size(), 20u);
    for (std::size_t i = 0; i < 20; ++i) EXPECT_NEAR(r.loadCases[0].lengthSeries[i].pileLength, 360.0 - 18.0 * i, 1e-4);
    EXPECT_TRUE(r.loadCases[1].lengthSeries.empty());

    // The node table of case 1 in the report (every node printed): depth in feet, deflection,
    // moment, shear, slope, stress, EI, soil reaction.
    const std::vector<std::vector<ReportNumber>> table = reportTable(out.report, "   feet      inches");
    ASSERT_EQ(table.size(), 41u);
    for (std::size_t k = 0; k < table.size(); ++k) {
        const NodeRow& n = r.loadCases[0].nodes[k];
        ASSERT_EQ(table[k].size(), 10u) << k;
        EXPECT_NEAR(n.x, 12.0 * table[k][0].value, 12.0 * table[k][0].tolerance) << k;
        EXPECT_NEAR(n.y, table[k][1].value, table[k][1].tolerance) << k;
        EXPECT_NEAR(n.M, table[k][2].value, table[k][2].tolerance) << k;
        EXPECT_NEAR(n.V, table[k][3].value, table[k][3].tolerance) << k;
        EXPECT_NEAR(n.EI, table[k][6].value, table[k][6].tolerance) << k;
        EXPECT_NEAR(n.p, table[k][7].value, table[k][7].tolerance) << k;
    }

    // Both cases carry 10000 lbs at the head; case 2 is fixed.
    ASSERT_EQ(r.summary.size(), 2u);
    EXPECT_DOUBLE_EQ(r.summary[0].topShear, 10000.0);
    EXPECT_DOUBLE_EQ(r.summary[1].topShear, 10000.0);
    EXPECT_NEAR(r.summary[1].rotation, 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(r.summary[0].yTop, r.loadCases[0].nodes[0].y);

    // The ten stiffness steps: V = 10000 f(k) and, with no moment given, M = 100 f(k), with
    // f(1) = 0.1 and f(k) = log10 k.
    ASSERT_EQ(r.stiffness.size(), 10u);
    for (int k = 1; k <= 10; ++k) {
        const double f = k == 1 ? 0.1 : std::log10(k);
        EXPECT_NEAR(r.stiffness[k - 1].V, 10000.0 * f, 1e-3) << k;
        EXPECT_NEAR(r.stiffness[k - 1].M, 100.0 * f, 1e-5) << k;
    }
    // The report's table of K22 and K32: pile-head deflection, shear, moment, K22, K32.
    const std::vector<std::vector<ReportNumber>> k22 = reportTable(out.report, "     inches          lbs            in-lbs          lb/in.");
    ASSERT_EQ(k22.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_NEAR(r.stiffness[i].yTop, k22[i][0].value, k22[i][0].tolerance) << i;
        EXPECT_NEAR(r.stiffness[i].K22, k22[i][3].value, k22[i][3].tolerance) << i;
        EXPECT_NEAR(r.stiffness[i].K32, k22[i][4].value, k22[i][4].tolerance) << i;
    }
}

}  // namespace
}  // namespace mervik::results
