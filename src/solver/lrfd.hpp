// LRFD load combinations: the unfactored loading groups summed by load type, the factored loads
// of every combination and the distinct factored axial thrusts of the section analysis.
#pragma once
#include <string>

#include "engine/capacities.hpp"
#include "input/loading.hpp"

namespace mervik {

struct Run;

inline constexpr int kLrfdTypes = kLrfdLoadTypeCount;

// Sums of the unfactored groups by load type (force and moment units as input, never
// converted), and the number of groups of each type. A group whose type lies outside 1 to 13
// belongs to no type and is left out of the sums.
struct LrfdTypeTotals {
    Table<double, kLrfdTypes> horizontal{}, moment{}, axial{};
    Table<int, kLrfdTypes> groupCount{};
};

// Factored loads of every combination, in input units: shear V (the factored horizontal force,
// turned across the pile when it is battered), moment M and axial force P (the factored
// vertical force, turned along the pile axis when it is battered). The load case of a
// combination takes V, M and P from here.
struct FactoredLoads {
    Table<double, kMaxLrfd> shear{}, moment{}, axial{};
};

// Entries of the distributed lateral load of one load type: one per pile node, with room to
// spare beyond the node capacity.
inline constexpr int kTypeNodalLoadEntries = 505;

struct LrfdResults {
    LrfdTypeTotals totals;
    FactoredLoads factored;
    // Position of P(c) in the distinct factored thrusts, that is in the axial-thrust list.
    Table<int, kMaxLrfd> combinationThrustIndex{};
    // Distributed lateral load q_t(k) (force per length) that the groups of load type t put on
    // node k, rebuilt for every LRFD load case.
    OnDemandTable<Table<double, kTypeNodalLoadEntries>, kLrfdTypes> typeNodalLoads{};
};

// Builds the factored loads and their report block during the input echo, in place of the echo
// of the pile-head load cases, and replaces the axial-thrust list by the distinct factored
// thrusts (kips in US units). Runs before the US input units are converted.
void computeLrfdLoads(Run& run);

// Name of LRFD load type 1 to 13 for the reports, blank padded to 30 characters ("Dead Loads",
// "Horizontal Soil Pressures", ...); 30 blanks for any other type.
std::string lrfdLoadTypeName(int type);

}  // namespace mervik
