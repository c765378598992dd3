// Reader of the engine's plot output file (.plt): numbered records "Line 1" to "Line 14", each
// one line of numeric fields at fixed columns followed by a comment that names the record. The
// reader checks every record against the order in which the engine writes them and turns the
// file into typed records grouped as the file groups them:
//
//   record 1, 2          run header, number of sections
//   record 3, 4, 5       thrust count; per section and thrust one moment-curvature relation
//   record 6, 7, 8       p-y curves at the printed depths (depth, model text, points)
//   record 9             number of load cases and of nodes
//   record 10, 11, 12    per load case its node rows, then its pile-length series
//   record 13            one summary row per load case
//   record 14            rows of the pile-head stiffness matrix
//
// Fields are read by column (I5 and ES15.7); an ES15.7 field with a three-digit exponent has no
// E ("1.2345678-100"). A file that breaks the layout or the order ends the reading with a
// PlotFileError naming the line. Host side: standard library only, nothing from the engine.
#pragma once
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mervik::results {

// A plot file that cannot be read; line() is the 1-based line number (one past the last line
// when the file ends early).
class PlotFileError : public std::runtime_error {
public:
    PlotFileError(int line, const std::string& message);
    int line() const { return line_; }

private:
    int line_;
};

// Who wrote a moment-curvature relation (from the text of record 4).
enum class RelationKind { SectionAnalysis, InputMEI, Elastic, ElasticPlastic };

struct MomentCurvaturePoint {
    double moment = 0, EI = 0, curvature = 0;
};

// Record 4 and its records 5: the relation of one section at one axial thrust. In US customary
// units thrust, moments and EI are in kips (in-kips, kip-in^2), curvature in rad/in; otherwise
// kN, kN-m, kN-m^2 and rad/m.
struct MomentCurvatureRelation {
    int section = 0;       // section number
    int thrustNumber = 0;  // position of the thrust in the section's list, from 1
    double thrust = 0, nominalMoment = 0;
    RelationKind kind = RelationKind::SectionAnalysis;
    std::vector<MomentCurvaturePoint> points;
};

struct SectionRelations {
    int section = 0;
    std::vector<MomentCurvatureRelation> relations;
};

struct PyPoint {
    double y = 0, p = 0;
};

// Record 7 and its records 8.
struct PyCurveRecords {
    double depth = 0;
    bool aboveGround = false;  // the curve of a depth above the ground surface (no model text)
    std::string model;         // model text of record 7 ("soft clay", "API sand", ...)
    int number = 0;            // curve number of record 7 (0 above the ground)
    std::vector<PyPoint> points;
};

// Record 10: one node of a load case, in computation units.
struct NodeRow {
    double x = 0, y = 0, M = 0, V = 0, p = 0, EI = 0;
};

// Record 12: one point of pile-head deflection versus pile length.
struct LengthPoint {
    double pileLength = 0, yTop = 0, maxMoment = 0, maxShear = 0;
};

struct LoadCaseRecords {
    int number = 0;
    bool lrfd = false;  // record 11 names an LRFD load case
    std::vector<NodeRow> nodes;
    std::vector<LengthPoint> lengthSeries;
};

// Record 13.
struct SummaryRow {
    double topShear = 0, yTop = 0, maxMoment = 0, maxShear = 0, rotation = 0;
};

// Record 14.
struct StiffnessRow {
    double V = 0, M = 0, K22 = 0, K23 = 0, K32 = 0, K33 = 0, yTop = 0, theta = 0;
};

enum class UnitSystem { USCS = 1, SI = 2, General = 3 };

struct PlotRecords {
    // Record 1.
    int analysisType = 0, IUNITS = 0, KYL = 0, stiffnessOption = 0;
    // Record 2 and 3.
    int sectionCount = 0;
    int thrustCount = 0;
    std::vector<SectionRelations> sections;  // in section order, only sections with records 4
    // Records 6 to 14: present in a lateral analysis (analysis type 3).
    bool lateral = false;
    std::vector<PyCurveRecords> pyCurves;
    int loadCaseCount = 0, nodeCount = 0;  // record 9
    std::vector<LoadCaseRecords> loadCases;
    std::vector<SummaryRow> summary;  // one per load case
    std::vector<StiffnessRow> stiffness;

    UnitSystem units() const { return IUNITS == 2 ? UnitSystem::SI : IUNITS == 3 ? UnitSystem::General : UnitSystem::USCS; }
};

// Reads the text of a plot file; throws PlotFileError.
PlotRecords parsePlotRecords(std::string_view text);
// Reads a plot file; throws PlotFileError whose message starts with the path.
PlotRecords readPlotFile(const std::filesystem::path& path);

// One ES15.7 (or any ES, E or F) field as the engine writes it, also with a three-digit exponent
// without the E; false for text that is not a finite number.
bool parseFortranReal(std::string_view field, double& value);

}  // namespace mervik::results
