// CSV tables: a header naming each column with its unit, and values equal to the plot records;
// the plot and table commands on a plot file of an earlier run.
#include "results/tables.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "results/command.hpp"
#include "results/plot_file.hpp"
#include "support/temp_run.hpp"

namespace mervik::results {
namespace {

struct ReadCsv {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// Cells split at commas (the tables compared here hold no quoted cells).
ReadCsv readCsv(const std::string& text) {
    ReadCsv csv;
    bool first = true;
    for (const std::string& line : testing::lines(text)) {
        std::vector<std::string> cells;
        std::stringstream in(line);
        for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
        if (first) {
            csv.header = cells;
            first = false;
        } else {
            csv.rows.push_back(cells);
        }
    }
    return csv;
}

double number(const std::string& cell) {
    char* end = nullptr;
    const double v = std::strtod(cell.c_str(), &end);
    EXPECT_EQ(*end, '\0') << cell;
    return v;
}

const CsvTable* find(const std::vector<CsvTable>& tables, const std::string& file) {
    for (const CsvTable& t : tables)
        if (t.file == file) return &t;
    return nullptr;
}

// Row i of the table as numbers from column `from` on equal the given values exactly.
void expectRow(const ReadCsv& csv, std::size_t i, std::size_t from, const std::vector<double>& values) {
    ASSERT_LT(i, csv.rows.size());
    ASSERT_EQ(csv.rows[i].size(), from + values.size());
    for (std::size_t c = 0; c < values.size(); ++c) EXPECT_EQ(number(csv.rows[i][from + c]), values[c]) << i << "," << c;
}

TEST(Tables, ValuesEqualThePlotRecords) {
    testing::TempDir dir;
    const testing::HostRun run = testing::runHost(dir, testing::fixture("results_small.lp6"));
    ASSERT_EQ(run.result, 0) << run.messages;
    const PlotRecords r = parsePlotRecords(run.plot);
    const std::vector<CsvTable> tables = buildTables(r);

    for (const LoadCaseRecords& lc : r.loadCases) {
        const CsvTable* t = find(tables, "nodes_case_" + std::to_string(lc.number) + ".csv");
        ASSERT_NE(t, nullptr);
        const ReadCsv csv = readCsv(csvText(*t));
        EXPECT_EQ(csv.header, (std::vector<std::string>{"node", "depth x (in)", "deflection y (in)", "moment M (in-lb)",
                                                        "shear V (lbs)", "soil reaction p (lb/in)", "EI (lb-in^2)"}));
        ASSERT_EQ(csv.rows.size(), lc.nodes.size());
        for (std::size_t k = 0; k < lc.nodes.size(); ++k) {
            const NodeRow& n = lc.nodes[k];
            EXPECT_EQ(csv.rows[k][0], std::to_string(k + 1));
            expectRow(csv, k, 1, {n.x, n.y, n.M, n.V, n.p, n.EI});
        }
    }

    const ReadCsv summary = readCsv(csvText(*find(tables, "summary.csv")));
    EXPECT_EQ(summary.header[2], "pile-head deflection (in)");
    ASSERT_EQ(summary.rows.size(), 2u);
    for (std::size_t j = 0; j < 2; ++j) {
        const SummaryRow& s = r.summary[j];
        expectRow(summary, j, 1, {s.topShear, s.yTop, s.maxMoment, s.maxShear, s.rotation});
    }

    const ReadCsv py = readCsv(csvText(*find(tables, "py_curves.csv")));
    EXPECT_EQ(py.header, (std::vector<std::string>{"curve", "depth (in)", "model", "point", "y (in)", "p (lb/in)"}));
    ASSERT_EQ(py.rows.size(), r.pyCurves[0].points.size());
    for (std::size_t k = 0; k < py.rows.size(); ++k) {
        EXPECT_EQ(py.rows[k][2], "elastic subgrade soil");
        EXPECT_EQ(number(py.rows[k][1]), r.pyCurves[0].depth);
        expectRow(py, k, 4, {r.pyCurves[0].points[k].y, r.pyCurves[0].points[k].p});
    }

    const ReadCsv mc = readCsv(csvText(*find(tables, "moment_curvature.csv")));
    EXPECT_EQ(mc.header[6], "EI (kip-in^2)");
    const MomentCurvatureRelation& rel = r.sections[0].relations[0];
    ASSERT_EQ(mc.rows.size(), rel.points.size());
    for (std::size_t k = 0; k < rel.points.size(); ++k) {
        const MomentCurvaturePoint& p = rel.points[k];
        expectRow(mc, k, 0, {1, 1, rel.thrust, rel.nominalMoment, static_cast<double>(k + 1), p.moment, p.EI, p.curvature});
    }

    const ReadCsv k = readCsv(csvText(*find(tables, "stiffness_matrix.csv")));
    EXPECT_EQ(k.header[3], "K22 (lb/in)");
    ASSERT_EQ(k.rows.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        const StiffnessRow& s = r.stiffness[i];
        expectRow(k, i, 1, {s.V, s.M, s.K22, s.K23, s.K32, s.K33, s.yTop, s.theta});
    }

    const ReadCsv length = readCsv(csvText(*find(tables, "length_series.csv")));
    const std::vector<LengthPoint>& series = r.loadCases[0].lengthSeries;
    ASSERT_EQ(length.rows.size(), series.size());
    for (std::size_t i = 0; i < series.size(); ++i)
        expectRow(length, i, 2, {series[i].pileLength, series[i].yTop, series[i].maxMoment, series[i].maxShear});
}

TEST(Tables, SiUnitsAndTextCells) {
    PlotRecords r;
    r.IUNITS = 2;
    r.lateral = true;
    r.pyCurves.push_back({1.5, false, "clay, \"soft\"", 1, {{0.01, 2.5}}});
    r.loadCases.push_back({1, false, {{0, 0.01, 3, 4, -5, 6e4}}, {}});
    const std::vector<CsvTable> tables = buildTables(r);
    EXPECT_EQ(csvText(*find(tables, "py_curves.csv")),
              "curve,depth (m),model,point,y (m),p (kN/m)\n1,1.5,\"clay, \"\"soft\"\"\",1,0.01,2.5\n");
    EXPECT_EQ(csvText(*find(tables, "nodes_case_1.csv")),
              "node,depth x (m),deflection y (m),moment M (kN-m),shear V (kN),soil reaction p (kN/m),EI (kN-m^2)\n"
              "1,0,0.01,3,4,-5,60000\n");
    EXPECT_EQ(find(tables, "summary.csv"), nullptr);  // no rows, no file
}

TEST(Tables, CommandsOnThePlotFileOfAnEarlierRun) {
    testing::TempDir dir;
    ASSERT_EQ(testing::runMervik("run " MERVIK_FIXTURES "/results_small.lp6 --out " + dir.path().string()).status, 0);
    const std::string plot = (dir / "results_small.plt").string();

    const testing::CommandOutcome table = testing::runMervik("table " + plot);
    EXPECT_EQ(table.status, 0) << table.out;
    for (const char* f : {"summary.csv", "nodes_case_1.csv", "nodes_case_2.csv", "py_curves.csv", "moment_curvature.csv",
                          "stiffness_matrix.csv", "length_series.csv"})
        EXPECT_TRUE(dir.exists(std::string("results_small_tables/") + f)) << f;

    const testing::CommandOutcome figures = testing::runMervik("plot " + plot + " --out " + (dir / "f").string());
    EXPECT_EQ(figures.status, 0) << figures.out;
    EXPECT_NE(figures.out.find((dir / "f" / "index.html").string()), std::string::npos) << figures.out;
    // The page links the report beside the plot file.
    EXPECT_NE(dir.read("f/index.html").find("href=\"../results_small.out\""), std::string::npos);

    dir.write("cut.plt", dir.read("results_small.plt").substr(0, 5000));
    const testing::CommandOutcome cut = testing::runMervik("plot " + (dir / "cut.plt").string(), true);
    EXPECT_EQ(cut.status, 1);
    EXPECT_NE(cut.out.find("cut.plt, line "), std::string::npos) << cut.out;
    EXPECT_EQ(testing::runMervik("table").status, 2);
    EXPECT_EQ(testing::runMervik("plot a b").status, 2);
}

}  // namespace
}  // namespace mervik::results
