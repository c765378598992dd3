// The in-memory model of one run: everything the input data file says. Tables are 1-based and
// sized to their capacities; counts say how many entries are in use.
#pragma once
#include <string>

#include "engine/capacities.hpp"

namespace mervik {

enum UnitSystem : int { kUnitsUnset = 0, kUSCS = 1, kSI = 2, kGeneral = 3 };

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

struct AnalysisModel {
    Table<std::string, 5> title{};
    ProgramOptions options;
    int sectionCount = 0;
    int layerCount = 0;
    int loadCaseCount = 0;
};

}  // namespace mervik
