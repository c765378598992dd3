// Unit label texts of the run's unit system, and the short p-y model names by model code.
#pragma once
#include <string>

#include "engine/capacities.hpp"

namespace mervik {

// Every label is held blank padded to its fixed width, so that it prints as an A item.
struct UnitLabels {
    std::string DeflectionUnit, LineLoadUnit, SubgradeUnit, DepthUnit, DimensionUnit, ForceUnit,
        MomentUnit, UnitWeightUnit, UnitWeightComputeUnit, SoilStressUnit, StressUnit;
    // Pieces used to compose labels, the same in every unit system.
    std::string slash, dash, power, two, three, four;
};

// Fills the labels for IUNITS (1 USCS, 2 SI, 3 GENERAL); with any other value only the pieces
// are set and the labels are empty.
UnitLabels makeUnitLabels(int IUNITS);

// Short model names, 10 characters blank padded, by p-y model code 1..20.
using PyModelNames = Table<std::string, kPyModelCount>;
PyModelNames makePyModelNames();

}  // namespace mervik
