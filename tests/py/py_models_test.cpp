// The p-y model table against the model lists of the engine: the names of the twenty codes,
// the rock-mark rule of the layer loop, the strength class at a layer interface, which models
// run, and the look-up by name.
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
        bool runs;
    };
    const Case cases[] = {
        {1, "SoftClay", M::MarkIfRockAbove, S::Cohesive, true},
        {2, "StfClyBW", M::MarkIfRockAbove, S::Cohesive, true},
        {3, "StfClyAW", M::MarkIfRockAbove, S::Cohesive, true},
        {4, "StfClyAK", M::MarkIfRockAbove, S::Cohesive, true},
        {5, "Sand", M::MarkIfRockAbove, S::Cohesionless, true},
        {6, "API Sand", M::MarkIfRockAbove, S::Cohesionless, true},
        {7, "Liq Sand", M::MarkIfRockAbove, S::Cohesionless, true},
        {8, "WeakRock", M::CountThenMark, S::Rock, true},
        {9, "Vuggy LS", M::MarkThenCount, S::Rock, true},
        {10, "Piedmont", M::MarkThenCount, S::Cohesionless, true},
        {11, "Cem Silt", M::MarkIfRockAbove, S::ByStrength, true},
        {12, "KS Loess", M::MarkIfRockAbove, S::Cohesionless, true},
        {13, "Elast SG", M::MarkThenCount, S::ElasticSubgrade, true},
        {14, "User p-y", M::None, S::UserCurves, true},
        {15, "SoftClyJ", M::MarkIfRockAbove, S::Cohesive, true},
        {16, "MassRock", M::MarkThenCount, S::Rock, true},
        {17, "Frz Soil", M::None, S::Other, false},
        {18, "Undefined", M::None, S::Other, false},
        {19, "Undefined", M::None, S::Other, false},
        {20, "Undefined", M::None, S::Other, false},
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
        // Every code with a model has its routine; the others have neither.
        EXPECT_EQ(row->routine != nullptr, c.runs) << c.code;
        EXPECT_EQ(row->hasModel, c.runs) << c.code;
        // A model that runs names its curves in the plot records (massive rock prints none).
        if (c.runs && c.code != kPyMassiveRock) {
            EXPECT_FALSE(row->curveText.empty() || row->pointText.empty()) << c.code;
        }
    }
    EXPECT_EQ(pyModelRowOfCode(0), nullptr);
    EXPECT_EQ(pyModelRowOfCode(21), nullptr);
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
