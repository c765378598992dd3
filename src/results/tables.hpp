// CSV tables of the plot records: a header line naming every column with its unit, then one
// row per record, every value written so that it reads back as the same number.
//
//   nodes_case_J.csv      node table of load case J (record 10)
//   summary.csv           summary of pile responses (record 13)
//   py_curves.csv         p-y curves at the printed depths (records 7 and 8)
//   moment_curvature.csv  moment-curvature relations (records 4 and 5)
//   stiffness_matrix.csv  pile-head stiffness matrix (record 14)
//   length_series.csv     pile-head deflection against pile length (records 11 and 12)
//
// Only the tables that have rows are written.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "results/plot_file.hpp"

namespace mervik::results {

struct CsvTable {
    std::string file;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// A text cell, quoted when it holds a comma, a quote or a line end.
std::string csvCell(const std::string& text);

std::vector<CsvTable> buildTables(const PlotRecords& records);
std::string csvText(const CsvTable& table);

// Writes the tables into dir (created when missing); the paths written. Throws
// std::runtime_error when a file cannot be written.
std::vector<std::filesystem::path> writeTables(const PlotRecords& records, const std::filesystem::path& dir);

}  // namespace mervik::results
