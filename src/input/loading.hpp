// Loads on the pile: pile-head load cases and the distributed lateral load (LOADING), and the
// unfactored LRFD loading groups and factored combinations.
#pragma once
#include <string>
#include <string_view>

#include "engine/capacities.hpp"

namespace mervik {

struct Run;

inline constexpr int kMaxDistributedPoints = 50;  // points of one distributed-load table
inline constexpr int kLrfdLoadTypeCount = 13;

// Pile-head boundary conditions of a load case (`loadType`):
//   1: V shear force,      M bending moment
//   2: V shear force,      S slope relative to the unloaded batter angle
//   3: V shear force,      R rotational stiffness (moment per radian)
//   4: y lateral deflection relative to the pile axis, M bending moment
//   5: y lateral deflection, S slope
// A type outside 1 to 5 is kept as read; later stages decide what to do with it.
struct PileHeadLoad {
    int loadType = 0;
    double condition1 = 0.0, condition2 = 0.0;
    double axialThrust = 0.0;           // force unit, acting along the pile axis
    bool computeTopYvsLength = false;   // pile-head deflection versus pile length for this case
};

// Distributed lateral load acting in every load case: depth below the pile head and load
// intensity (force per length) at each point. A count of 0 or less means no distributed load.
struct DistributedLoad {
    int count = 0;
    Table<double, kMaxDistributedPoints> depth{};
    Table<double, kMaxDistributedPoints> load{};
};

struct Loading {
    int loadCaseCount = 0;
    Table<PileHeadLoad, kMaxLoadCases> loadCase{};
    DistributedLoad distributed;
};

// One unfactored loading group of one LRFD load type (1 to 13, see kLrfdLoadTypes).
struct LrfdLoadGroup {
    int lrfdLoadType = 0;
    double horizontalForce = 0.0;  // at the pile head (force unit)
    double headMoment = 0.0;       // at the pile head (moment unit)
    double axialLoad = 0.0;        // force unit
    int distPointCount = 0;        // 0, or 2 up to the table capacity
    Table<double, kMaxDistributedPoints> distDepth{};
    Table<double, kMaxDistributedPoints> distLoad{};
};

// One factored load combination: a load factor per LRFD load type and the structural
// resistance factors for flexure ("M RF") and shear ("V RF").
struct LrfdCombination {
    Table<double, kLrfdLoadTypeCount> loadFactors{};
    double flexureResistanceFactor = 0.0;
    double shearResistanceFactor = 0.0;
    std::string combinationName;  // the text line as read, cut at 256 characters
};

struct Lrfd {
    int groupCount = 0;
    OnDemandTable<LrfdLoadGroup, kMaxLrfd> group{};
    int combinationCount = 0;
    OnDemandTable<LrfdCombination, kMaxLrfd> combination{};
};

// The LRFD load types, in the order of a combination's load factors.
struct LrfdLoadTypeName {
    std::string_view name;
    std::string_view symbol;
};

inline constexpr Table<LrfdLoadTypeName, kLrfdLoadTypeCount> kLrfdLoadTypes{{{
    {"", ""},
    {"Dead load", "DL"},
    {"Live load", "LL"},
    {"Earthquake", "EQ"},
    {"Impact load", "IM"},
    {"Wind load", "W"},
    {"Water load", "HW"},
    {"Ice load", "Ice"},
    {"Horizontal soil", "Hs"},
    {"Live roof", "Lr"},
    {"Rain", "Rn"},
    {"Snow", "Sn"},
    {"Temperature", "Tm"},
    {"Special", "Sp"},
}}};

// Readers of the three blocks (after their header lines), into run.model.loading and
// run.model.lrfd. Each writes its progress line to the message file; on a fatal input error
// the error is raised and the reader returns.
void readLoading(Run& run);
void readLrfdLoads(Run& run);
void readLrfdCombinations(Run& run);

}  // namespace mervik
