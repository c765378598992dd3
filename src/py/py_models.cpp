// The p-y model table, one row per model code, and its look-ups.
#include "py/py_models.hpp"

#include <array>
#include <cstddef>

#include "engine/run.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

// code, name, echo name, has a model, routine, rock mark, strength class;
// then, for the models that print curves: texts of plot records 7 and 8, their wording and
// layout, the Not-a-Number errors at the limiting and a computed modulus, the model's name in
// that message and a heading of its own, or the note of a model that goes on with it.
constexpr std::array<PyModelRow, kPyModelCount> kPyModels = {{
    {1, "SoftClay", "Soft Clay", true, pySoftClay, RockMarkRule::MarkIfRockAbove, StrengthClass::Cohesive, "soft clay", "soft clay", false, false, 33, 34, "soft clay", "", ""},
    {2, "StfClyBW", "Stiff Clay with Free Water", true, pyStiffClayWater, RockMarkRule::MarkIfRockAbove, StrengthClass::Cohesive, "stiff clay with free water", "stiff clay with free water", false, false, 0, 0, "", "", "Error in stiff clay with water at line 502"},
    {3, "StfClyAW", "Stiff Clay w/o Free Water", true, pyStiffClayDry, RockMarkRule::MarkIfRockAbove, StrengthClass::Cohesive, "stiff clay w/o free water", "stiff clay w/o water", false, false, 0, 0, "", "", ""},
    {4, "StfClyAK", "Stiff Clay w/o Free Water, using k", true, pyStiffClayDry, RockMarkRule::MarkIfRockAbove, StrengthClass::Cohesive, "stiff clay w/o free water with k", "stiff clay with k", false, false, 0, 0, "", "", ""},
    {5, "Sand", "Sand (Reese, et al.)", true, pySand, RockMarkRule::MarkIfRockAbove, StrengthClass::Cohesionless, "sand", "sand", false, false, 32, 31, "Reese Sand", "", ""},
    {6, "API Sand", "API Sand", true, pyApiSand, RockMarkRule::MarkIfRockAbove, StrengthClass::Cohesionless, "API sand", "API sand", false, false, 0, 0, "", "", ""},
    {7, "Liq Sand", "Liquefied Sand", true, pyLiquefiedSand, RockMarkRule::MarkIfRockAbove, StrengthClass::Cohesionless, "liquefied sand", "liquefied sand", false, true, 0, 0, "", "", ""},
    {8, "WeakRock", "Weak Rock", true, pyWeakRock, RockMarkRule::CountThenMark, StrengthClass::Rock, "weak rock", "weak rock", false, false, 0, 0, "", "", ""},
    {9, "Vuggy LS", "Vuggy Limestone", true, pyVuggyLimestone, RockMarkRule::MarkThenCount, StrengthClass::Rock, "vuggy limestone", "vuggy limestone rock", false, false, 0, 0, "", "", ""},
    {10, "Piedmont", "Piedmont Residual", true, pyPiedmont, RockMarkRule::MarkThenCount, StrengthClass::Cohesionless, "Piedmont residual soil", "Piedmont residual soil", false, false, 0, 0, "", "", ""},
    {11, "Cem Silt", "Cemented Silt", true, pyCementedSilt, RockMarkRule::MarkIfRockAbove, StrengthClass::ByStrength, "cemented silt (in)", "cemented c-phi", false, false, 0, 0, "", "", ""},
    {12, "KS Loess", "Loess", true, pyLoess, RockMarkRule::MarkIfRockAbove, StrengthClass::Cohesionless, "Piedmont residual soil", "Loess", false, false, 0, 0, "", "", ""},
    {13, "Elast SG", "Elastic Subgrade", true, pyElasticSubgrade, RockMarkRule::MarkThenCount, StrengthClass::ElasticSubgrade, "elastic subgrade soil", "elastic subgrade", false, false, 0, 0, "", "", ""},
    {14, "User p-y", "User Input p-y Curves", true, pyUserCurves, RockMarkRule::None, StrengthClass::UserCurves, "user-input p-y curve", "user-input p-y curve", false, true, 0, 0, "", "", ""},
    {15, "SoftClyJ", "Soft Clay with User-defined J", true, pySoftClay, RockMarkRule::MarkIfRockAbove, StrengthClass::Cohesive, "soft clay with J", "API soft clay", true, false, 35, 36, "API soft clay", "**** Runtime Error No 36. ****", ""},
    {16, "MassRock", "Massive Rock", true, pyMassiveRock, RockMarkRule::MarkThenCount, StrengthClass::Rock, "", "", false, false, 0, 0, "", "", ""},
    {17, "Frz Soil", "Frozen Soil", false, nullptr, RockMarkRule::None, StrengthClass::Other, "", "", false, false, 0, 0, "", "", ""},
    {18, "Undefined", "", false, nullptr, RockMarkRule::None, StrengthClass::Other, "", "", false, false, 0, 0, "", "", ""},
    {19, "Undefined", "", false, nullptr, RockMarkRule::None, StrengthClass::Other, "", "", false, false, 0, 0, "", "", ""},
    {20, "Undefined", "", false, nullptr, RockMarkRule::None, StrengthClass::Other, "", "", false, false, 0, 0, "", "", ""},
}};

}  // namespace

const PyModelRow* pyModelRowOfCode(int code) {
    if (code < 1 || code > kPyModelCount) return nullptr;
    return &kPyModels[static_cast<std::size_t>(code - 1)];
}

const PyModelRow* pyModelRow(std::string_view name) {
    const std::string_view bare = withoutTrailingBlanks(name);
    for (const PyModelRow& row : kPyModels) {
        if (row.hasModel && row.name == bare) return &row;
    }
    return nullptr;
}

const PyModelRow* pyModelRowOfLayer(const Run& run, int L) {
    const int code = run.model.soil.layer[static_cast<std::size_t>(L)].modelCode;
    if (code < 1 || code > kPyModelCount) return nullptr;
    return pyModelRow(run.pyModelNames[static_cast<std::size_t>(code)]);
}


}  // namespace mervik
