// Unit labels by unit system and the short p-y model names.
#include <gtest/gtest.h>

#include "engine/units.hpp"

namespace mervik {
namespace {

TEST(UnitLabels, EachSystemPaddedToFixedWidths) {
    struct Case {
        int IUNITS;
        const char *deflection, *lineLoad, *subgrade, *depth, *dimension, *force, *moment, *unitWeight,
            *unitWeightCompute, *soilStress, *stress;
    };
    const Case cases[] = {
        {1, "in ", "lb/in", "pci  ", "ft", "in", "lbs", "in-lb   ", "pcf  ", "pci  ", "psf ", "psi "},
        {2, "m  ", "kN/m ", "kN/m3", "m ", "mm", "kN ", "kN-m    ", "kN/m3", "kN/m3", "kPa ", "kPa "},
        {3, "L  ", "F/L  ", "F/L3 ", "L ", "L ", "F  ", "F-L     ", "F/L3 ", "F/L3 ", "F/L2", "F/L2"},
    };
    for (const Case& c : cases) {
        const UnitLabels u = makeUnitLabels(c.IUNITS);
        EXPECT_EQ(u.DeflectionUnit, c.deflection) << c.IUNITS;
        EXPECT_EQ(u.LineLoadUnit, c.lineLoad) << c.IUNITS;
        EXPECT_EQ(u.SubgradeUnit, c.subgrade) << c.IUNITS;
        EXPECT_EQ(u.DepthUnit, c.depth) << c.IUNITS;
        EXPECT_EQ(u.DimensionUnit, c.dimension) << c.IUNITS;
        EXPECT_EQ(u.ForceUnit, c.force) << c.IUNITS;
        EXPECT_EQ(u.MomentUnit, c.moment) << c.IUNITS;
        EXPECT_EQ(u.UnitWeightUnit, c.unitWeight) << c.IUNITS;
        EXPECT_EQ(u.UnitWeightComputeUnit, c.unitWeightCompute) << c.IUNITS;
        EXPECT_EQ(u.SoilStressUnit, c.soilStress) << c.IUNITS;
        EXPECT_EQ(u.StressUnit, c.stress) << c.IUNITS;
        EXPECT_EQ(u.slash + u.dash + u.power + u.two + u.three + u.four, "/-**234");
    }
}

TEST(UnitLabels, UnknownSystemSetsOnlyThePieces) {
    const UnitLabels u = makeUnitLabels(0);
    EXPECT_EQ(u.DeflectionUnit, "");
    EXPECT_EQ(u.StressUnit, "");
    EXPECT_EQ(u.power, "**");
}

TEST(PyModelNames, TenCharactersByCode) {
    const PyModelNames names = makePyModelNames();
    EXPECT_EQ(names[1], "SoftClay  ");
    EXPECT_EQ(names[6], "API Sand  ");
    EXPECT_EQ(names[15], "SoftClyJ  ");
    EXPECT_EQ(names[17], "Frz Soil  ");
    EXPECT_EQ(names[18], "Undefined ");
    EXPECT_EQ(names[20], "Undefined ");
}

}  // namespace
}  // namespace mervik
