// The in-memory model of one run: everything the input data file says. Tables are 1-based and
// sized to their capacities; counts say how many entries are in use.
#pragma once
#include <string>

#include "engine/capacities.hpp"
#include "input/loading.hpp"
#include "input/sections.hpp"
#include "input/soil.hpp"

namespace mervik {

enum UnitSystem : int { kUnitsUnset = 0, kUSCS = 1, kSI = 2, kGeneral = 3 };

inline constexpr int kMaxTipShearPoints = 50;
inline constexpr int kMaxPyModifierPoints = 80;
inline constexpr int kMaxSoilMovementPoints = 100;
inline constexpr int kMaxPyOutputDepths = 100;

struct ProgramOptions {
    int IUNITS = kUnitsUnset;
    bool useLrfd = false;
    bool ib_ComputeKmatrix_1T0F = false;
    bool useTipShear = false;
    bool useSoilMovement = false;
    bool usePyModifiers = false;
    int i_Analysis_Type = 0;        // 2 = section capacity and stiffness only, 3 = lateral analysis
    bool cyclic = false;
    double numberOfCycles = 0.0;
    int maxIterations = 0;
    double maxDeflection = 0.0;
    double convergenceTolerance = 0.0;
    int pileIncrements = 0;
    bool printSummaryOnly = false;
    int printIncrement = 0;
    bool computeInteraction = false;
    int designCode = 0;             // 1 AASHTO, 2 ACI318, 3 Eurocode2
};

// Shear resistance at the pile tip versus tip displacement.
struct TipShearCurve {
    int count = 0;
    Table<double, kMaxTipShearPoints> displacement{};
    Table<double, kMaxTipShearPoints> shear{};
};

// Ground slope and pile batter, in radians.
struct SlopeAngles {
    double groundSlope = 0.0;
    double pileBatter = 0.0;
    double effectiveSlope = 0.0;  // ground slope - pile batter
};

// p- and y-multipliers for group action, by depth below the pile head.
struct PyModifierTable {
    int count = 0;
    Table<double, kMaxPyModifierPoints> depth{};
    Table<double, kMaxPyModifierPoints> pMultiplier{};
    Table<double, kMaxPyModifierPoints> yMultiplier{};
};

// Free-field lateral soil movement by depth below the pile head.
struct SoilMovementProfile {
    int count = 0;
    Table<double, kMaxSoilMovementPoints> depth{};
    Table<double, kMaxSoilMovementPoints> movement{};
};

// Depths below the pile head at which p-y curves are printed.
struct PyOutputDepths {
    bool enabled = false;
    int count = 0;
    Table<double, kMaxPyOutputDepths> depth{};
};

// Distinct axial thrusts, ascending, for which the section analysis computes relations.
struct AxialThrustList {
    int count = 0;
    Table<double, kMaxAxialThrusts> thrust{};
};

struct AnalysisModel {
    Table<std::string, 5> title{};
    ProgramOptions options;
    PileSections sections;
    SoilProfile soil;
    Loading loading;
    Lrfd lrfd;
    TipShearCurve tipShear;
    SlopeAngles slope;
    PyModifierTable pyModifiers;
    SoilMovementProfile soilMovement;
    PyOutputDepths pyOutputDepths;
    AxialThrustList axialThrusts;
    bool convertedToComputationUnits = false;  // US input converted to inches, psi and pci
};

// Reads the input data file after its tag, section by section up to END, and builds the
// axial-thrust list.
void readInputData(Run& run);

}  // namespace mervik
