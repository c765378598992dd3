// Section analysis: the working data of the pile section being analysed, its moment-curvature
// relations, and the relations of every section and thrust kept for the whole run. The
// procedures are grouped by what they do: the per-section driver and property report, the
// neutral-axis search, the moment-curvature computation, its report, and the elastic,
// elastic-plastic and input M-EI sections.
#pragma once
#include <array>
#include <span>
#include <string>

#include "engine/capacities.hpp"
#include "section/materials.hpp"
#include "section/slicing.hpp"

namespace mervik {

struct Run;

// Unit texts of the section analysis, each blank padded to 8 characters: " in"/" m",
// " ksi"/" kPa", " kips"/" kN", " rad/in"/" rad/m", " in-kip"/" kN-m", " sq. in."/" sq. m",
// " in^4"/" m^4", "kip-in^2"/"kN-m^2".
struct SectionUnitTexts {
    std::string length, stress, force, curvature, moment, area, inertia, stiffness;
};
SectionUnitTexts makeSectionUnitTexts(int IUNITS);

// One moment-curvature relation of the section being analysed (one axial thrust).
struct MomentCurvatureTable {
    double P = 0.0;  // axial thrust, compression positive (kips or kN)
    int n = 0;       // points computed
    Table<double, kMaxCurvePoints> phi{}, M{}, EI{}, yN{};
    Table<double, kMaxCurvePoints> epsTop{}, epsBot{};
    Table<double, kMaxCurvePoints> sigmaC{}, sigmaS{}, sigmaCas{}, sigmaCore{};
    Table<double, kMaxCurvePoints> epsS{};              // bar strain for the T message
    Table<std::array<char, 3>, kMaxCurvePoints> msg{};  // C or blank; Y, Z or blank; T or blank
    double Mn = 0.0;                                    // nominal moment capacity
    double epsN = 0.0;                                  // compressive strain at Mn
};

// Working data of the section being analysed, rebuilt for every section.
struct SectionWork {
    int section = 0;  // section number s
    bool sliced = false;  // false for the elastic, elastic-plastic, input M-EI and micropile types
    SectionShape shape = SectionShape::Rectangle;
    SectionGeometry geometry;
    SectionSlices slices;
    MaterialConstants materials;
    PrestressStrains prestress;
    bool prestressReported = false;  // the loss-of-prestress block is written once per section
    SectionUnitTexts units;

    // Capacities of the section (property report).
    double Pn = 0.0;       // nominal axial structural capacity
    double Nt = 0.0;       // nominal axial tensile capacity (negative)
    double Pcr = 0.0;      // tensile load for cracking of concrete (negative)
    double AsTotal = 0.0;  // total bar area

    // Thrusts of this section and their relations.
    int thrustCount = 0;
    Table<double, kMaxAxialThrusts> thrust{};
    OnDemandTable<MomentCurvatureTable, kMaxAxialThrusts> table{};
    double baseCurvatureIncrement = 0.0;

    // State of the current thrust and of the last axial-force evaluation.
    double yN0 = 0.0;  // running estimate of the neutral-axis depth
    int neutralAxisIterations = 0;  // iterations of the last neutral-axis search
    bool stop = false, cracked = false, yielded = false, wholeTension = false;
    Table<double, kSliceCount> strain{};
    Table<double, kSliceCount> sigmaC{}, sigmaS{}, sigmaCas{}, sigmaCore{}, sigmaCC{};
};

// Moment-curvature relations of every section and thrust, kept for the whole run and read by
// the load-case iteration and the summaries. M, EI and phi in in-kips, kip-in^2 and rad/in in
// US units (Mn in inch-pounds), or kN-m, kN-m^2 and rad/m in SI.
struct SectionEITables {
    int thrustCount = 0;
    Table<double, kMaxAxialThrusts> thrust{};
    Table<Table<int, kMaxAxialThrusts>, kMaxSections> pointCount{};
    Table<Table<double, kMaxAxialThrusts>, kMaxSections> Mn{};
    Table<OnDemandTable<Table<double, kMaxCurvePoints>, kMaxAxialThrusts>, kMaxSections> M{}, EI{}, phi{};
};

// ----------------------------------------------------------------- per-section driver
// Sets up the working data of section s, writes its dimensions and properties block (with the
// capacities, bar positions and strand details) and hands it to the moment-curvature
// computation or to the elastic / elastic-plastic / input M-EI tables.
void analyseSection(Run& run, int s);
void writeAxialCapacities(Run& run);
void writeTensileCapacities(Run& run);
void writeBarPositions(Run& run);
void writePrestressingStrandDetails(Run& run);
void writeConcreteProperties(Run& run);

// ----------------------------------------------------------------- slices and equilibrium
// Builds the slices, the material constants and (prestressed sections) the prestress strains
// of the section for the moment-curvature computation.
void Initialize_EI_Vars(Run& run, int s);
// Internal axial force (compression positive) for the trial neutral-axis depth yN at the
// current curvature phi; leaves the slice stresses and the cracked and yield flags.
double axialForce(Run& run, double yN, double phi);
// Finds the neutral-axis depth that balances thrust i at point k (curvature phi) and stores it
// in the table of thrust i; runtime error 16 when it is not found in 1000 iterations.
void Find_Neutral_Axis(Run& run, int i, int k, double phi);

// ----------------------------------------------------------------- moment-curvature
// Moment-curvature relations and nominal moment capacities of section s for every thrust,
// stored in the run's SectionEITables, written to the plot file and to the relation files.
void computeMomentCurvature(Run& run, int s);

// ----------------------------------------------------------------- moment-curvature report
// Blocks of the report written by the moment-curvature computation, from run.section.
void writeThrustSelection(Run& run, bool thrustsDropped);
void writeThrustTable(Run& run);
void writeRunMessageDefinitions(Run& run);
void writeMomentCurvatureHeading(Run& run, int i);
void writeMomentCurvatureRows(Run& run, int i);
void writePointLimitWarning(Run& run);
void writeCapacitySummary(Run& run);
// Runtime errors 24 to 27: thrust number `position` of value P beyond the capacity.
void writeAxialThrustError(Run& run, int errorNumber, int position, double P, double capacity);

// ----------------------------------------------------------------- elastic sections
void elasticSectionTables(Run& run, int s);
void elasticPlasticSectionTables(Run& run, int s);
void inputMEISectionTables(Run& run, int s);
// Plastic moments of the pile nodes in elastic-plastic section s: every node k = 1..nodeCount
// with topDepthX < depth <= bottomDepthX gets the plastic moment interpolated linearly between
// the section's top and bottom values; node 1 (the pile head) gets the top value when s is the
// top section. Node arrays are 1-based (entry 0 unused); nothing is written past them. Called
// by the lateral analysis once the pile nodes exist.
void setNodalPlasticMoments(const Run& run, int s, int nodeCount, std::span<const double> nodeDepth,
                            std::span<double> plasticMoment);

}  // namespace mervik
