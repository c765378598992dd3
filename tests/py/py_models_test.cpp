// The p-y model table against the model lists of the engine: the names of the twenty codes,
// the rock-mark rule of the layer loop, the strength class at a layer interface, which models
// run and which are refused, and the look-up by name.
#include <gtest/gtest.h>

#include <string>

#include "engine/units.hpp"
#include "input/soil.hpp"
#include "py/py_models.hpp"
#include "report/layout.hpp"

namespace mervik {
namespace {

TEST(PyModelTable, EveryCodeHasItsNameMarkRuleAndStrengthClass) {
    using M = RockMarkRule;
    using S = StrengthClass;
    struct Case {
        int code;
        const char* name;
        M mark;
        S strength;
        bool runs, refused;
    };
    const Case cases[] = {
        {1, "SoftClay", M::MarkIfRockAbove, S::Cohesive, true, false},
        {2, "StfClyBW", M::MarkIfRockAbove, S::Cohesive, true, false},
        {3, "StfClyAW", M::MarkIfRockAbove, S::Cohesive, true, false},
        {4, "StfClyAK", M::MarkIfRockAbove, S::Cohesive, true, false},
        {5, "Sand", M::MarkIfRockAbove, S::Cohesionless, true, false},
        {6, "API Sand", M::MarkIfRockAbove, S::Cohesionless, true, false},
        {7, "Liq Sand", M::MarkIfRockAbove, S::Cohesionless, true, false},
        {8, "WeakRock", M::CountThenMark, S::Rock, true, false},
        {9, "Vuggy LS", M::MarkThenCount, S::Rock, true, false},
        {10, "Piedmont", M::MarkThenCount, S::Cohesionless, true, false},
        {11, "Cem Silt", M::MarkIfRockAbove, S::ByStrength, true, false},
        {12, "KS Loess", M::MarkIfRockAbove, S::Cohesionless, true, false},
        {13, "Elast SG", M::MarkThenCount, S::ElasticSubgrade, true, false},
        {14, "User p-y", M::None, S::UserCurves, true, false},
        {15, "SoftClyJ", M::MarkIfRockAbove, S::Cohesive, true, false},
        {16, "MassRock", M::MarkThenCount, S::Rock, true, false},
        {17, "Frz Soil", M::None, S::Other, false, false},
        {18, "Undefined", M::None, S::Other, false, false},
        {19, "Undefined", M::None, S::Other, false, false},
        {20, "Undefined", M::None, S::Other, false, false},
    };
    const PyModelNames names = makePyModelNames();
    for (const Case& c : cases) {
        const PyModelRow* row = pyModelRowOfCode(c.code);
        ASSERT_NE(row, nullptr) << c.code;
        EXPECT_EQ(row->code, c.code);
        EXPECT_EQ(row->name, c.name);
        EXPECT_EQ(withoutTrailingBlanks(names[static_cast<std::size_t>(c.code)]), c.name);
        EXPECT_EQ(row->mark, c.mark) << c.code;
        EXPECT_EQ(row->strength, c.strength) << c.code;
        EXPECT_EQ(row->routine != nullptr, c.runs) << c.code;
        EXPECT_EQ(pyModelNotBuilt(c.code), c.refused) << c.code;
        // A model that runs names its curves in the plot records (massive rock prints none).
        if (c.runs && c.code != kPyMassiveRock) {
            EXPECT_FALSE(row->curveText.empty() || row->pointText.empty()) << c.code;
        }
    }
    EXPECT_EQ(pyModelRowOfCode(0), nullptr);
    EXPECT_EQ(pyModelRowOfCode(21), nullptr);
    EXPECT_FALSE(pyModelNotBuilt(21));
}

TEST(PyModelTable, NamesFindTheirModelWithOrWithoutPadding) {
    EXPECT_EQ(pyModelRow("API Sand  ")->code, 6);
    EXPECT_EQ(pyModelRow("SoftClyJ")->code, 15);
    // Names without a p-y model find none: their layers are passed over.
    EXPECT_EQ(pyModelRow("Frz Soil  "), nullptr);
    EXPECT_EQ(pyModelRow("Undefined "), nullptr);
    EXPECT_EQ(pyModelRow("Sand J"), nullptr);
}

TEST(PyModelTable, EchoNamesOfTheCodes) {
    EXPECT_EQ(modelLongName(5), "Sand (Reese, et al.)              ");
    EXPECT_EQ(modelLongName(15), "Soft Clay with User-defined J     ");
    EXPECT_EQ(modelLongName(18), std::string(34, ' '));
}

}  // namespace
}  // namespace mervik
