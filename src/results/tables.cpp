#include "results/tables.hpp"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "results/numbers.hpp"
#include "results/units.hpp"

namespace fs = std::filesystem;

namespace mervik::results {

std::string csvCell(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

namespace {

std::string with(const char* name, const std::string& unit) { return std::string(name) + " (" + unit + ")"; }

std::string n(double value) { return roundTripNumber(value); }
std::string n(int value) { return std::to_string(value); }
std::string n(std::size_t value) { return std::to_string(value); }

}  // namespace

std::vector<CsvTable> buildTables(const PlotRecords& r) {
    const UnitNames u = unitNames(r.units());
    std::vector<CsvTable> tables;

    for (const LoadCaseRecords& lc : r.loadCases) {
        CsvTable t{"nodes_case_" + std::to_string(lc.number) + ".csv",
                   {"node", with("depth x", u.length), with("deflection y", u.length), with("moment M", u.moment),
                    with("shear V", u.force), with("soil reaction p", u.lineLoad), with("EI", u.EI)},
                   {}};
        for (std::size_t k = 0; k < lc.nodes.size(); ++k) {
            const NodeRow& row = lc.nodes[k];
            t.rows.push_back({n(k + 1), n(row.x), n(row.y), n(row.M), n(row.V), n(row.p), n(row.EI)});
        }
        tables.push_back(std::move(t));
    }

    CsvTable summary{"summary.csv",
                     {"load case", with("pile-head shear", u.force), with("pile-head deflection", u.length),
                      with("maximum moment", u.moment), with("maximum shear", u.force),
                      with("pile-head rotation", u.rotation)},
                     {}};
    for (std::size_t j = 0; j < r.summary.size(); ++j) {
        const SummaryRow& s = r.summary[j];
        summary.rows.push_back({n(j + 1), n(s.topShear), n(s.yTop), n(s.maxMoment), n(s.maxShear), n(s.rotation)});
    }
    tables.push_back(std::move(summary));

    CsvTable py{"py_curves.csv",
                {"curve", with("depth", u.length), "model", "point", with("y", u.length), with("p", u.lineLoad)},
                {}};
    for (std::size_t c = 0; c < r.pyCurves.size(); ++c) {
        const PyCurveRecords& curve = r.pyCurves[c];
        for (std::size_t k = 0; k < curve.points.size(); ++k) {
            py.rows.push_back({n(c + 1), n(curve.depth), csvCell(curve.aboveGround ? "above the ground" : curve.model),
                               n(k + 1), n(curve.points[k].y), n(curve.points[k].p)});
        }
    }
    tables.push_back(std::move(py));

    CsvTable mc{"moment_curvature.csv",
                {"section", "thrust number", with("axial thrust", u.sectionForce),
                 with("nominal moment capacity", u.sectionMoment), "point", with("moment", u.sectionMoment),
                 with("EI", u.sectionEI), with("curvature", u.curvature)},
                {}};
    for (const SectionRelations& s : r.sections) {
        for (const MomentCurvatureRelation& rel : s.relations) {
            for (std::size_t k = 0; k < rel.points.size(); ++k) {
                const MomentCurvaturePoint& p = rel.points[k];
                mc.rows.push_back({n(rel.section), n(rel.thrustNumber), n(rel.thrust), n(rel.nominalMoment), n(k + 1),
                                   n(p.moment), n(p.EI), n(p.curvature)});
            }
        }
    }
    tables.push_back(std::move(mc));

    CsvTable k{"stiffness_matrix.csv",
               {"row", with("V", u.force), with("M", u.moment), with("K22", u.K22), with("K23", u.K23),
                with("K32", u.K32), with("K33", u.K33), with("pile-head deflection", u.length),
                with("pile-head rotation", u.rotation)},
               {}};
    for (std::size_t i = 0; i < r.stiffness.size(); ++i) {
        const StiffnessRow& s = r.stiffness[i];
        k.rows.push_back({n(i + 1), n(s.V), n(s.M), n(s.K22), n(s.K23), n(s.K32), n(s.K33), n(s.yTop), n(s.theta)});
    }
    tables.push_back(std::move(k));

    CsvTable length{"length_series.csv",
                    {"load case", "point", with("pile length", u.length), with("pile-head deflection", u.length),
                     with("maximum moment", u.moment), with("maximum shear", u.force)},
                    {}};
    for (const LoadCaseRecords& lc : r.loadCases) {
        for (std::size_t i = 0; i < lc.lengthSeries.size(); ++i) {
            const LengthPoint& p = lc.lengthSeries[i];
            length.rows.push_back({n(lc.number), n(i + 1), n(p.pileLength), n(p.yTop), n(p.maxMoment), n(p.maxShear)});
        }
    }
    tables.push_back(std::move(length));

    std::erase_if(tables, [](const CsvTable& t) { return t.rows.empty(); });
    return tables;
}

std::string csvText(const CsvTable& table) {
    std::string text;
    for (std::size_t c = 0; c < table.header.size(); ++c) text += (c > 0 ? "," : "") + csvCell(table.header[c]);
    text += '\n';
    for (const std::vector<std::string>& row : table.rows) {
        for (std::size_t c = 0; c < row.size(); ++c) text += (c > 0 ? "," : "") + row[c];
        text += '\n';
    }
    return text;
}

std::vector<fs::path> writeTables(const PlotRecords& records, const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    std::vector<fs::path> written;
    for (const CsvTable& t : buildTables(records)) {
        const fs::path path = dir / t.file;
        std::ofstream out(path, std::ios::binary);
        out << csvText(t);
        if (!out) throw std::runtime_error(path.string() + ": cannot be written");
        written.push_back(path);
    }
    return written;
}

}  // namespace mervik::results
