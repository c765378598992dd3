// LRFD load combinations: the unfactored sums by load type, the factored loads of every
// combination, the batter transformation, the distinct factored thrusts with the index of each
// combination, and the report block, checked line for line against the layouts.
#include "solver/lrfd.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "engine/run.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

constexpr double kDegree = 3.141592653589793 / 180.0;

// Pieces of the expected report lines.
std::string sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
std::string dashes(int n) { return std::string(static_cast<std::size_t>(n), '-'); }
// A hand-written field text right-aligned in w characters.
std::string r(const std::string& text, int w) { return sp(w - static_cast<int>(text.size())) + text; }
// A combination name in its 256-character field.
std::string name256(const std::string& name) { return name + sp(256 - static_cast<int>(name.size())); }
std::string lines(const std::vector<std::string>& all) {
    std::string text;
    for (const std::string& line : all) text += line + "\n";
    return text;
}

const std::string kNoFactor = "    -- ";

class LrfdLoads : public testing::MemoryRunTest {
protected:
    void group(int g, int type, double h, double m, double p,
               std::initializer_list<std::pair<double, double>> dist = {}) {
        LrfdLoadGroup& entry = run->model.lrfd.group[static_cast<std::size_t>(g)];
        entry.lrfdLoadType = type;
        entry.horizontalForce = h;
        entry.headMoment = m;
        entry.axialLoad = p;
        entry.distPointCount = static_cast<int>(dist.size());
        int k = 0;
        for (const auto& [depth, load] : dist) {
            ++k;
            entry.distDepth[static_cast<std::size_t>(k)] = depth;
            entry.distLoad[static_cast<std::size_t>(k)] = load;
        }
        run->model.lrfd.groupCount = std::max(run->model.lrfd.groupCount, g);
    }
    // Factors given as (type, factor) pairs; all others 0.
    void combination(int c, std::initializer_list<std::pair<int, double>> factors, double flexure, double shear,
                     const std::string& name) {
        LrfdCombination& entry = run->model.lrfd.combination[static_cast<std::size_t>(c)];
        for (const auto& [type, factor] : factors) entry.loadFactors[static_cast<std::size_t>(type)] = factor;
        entry.flexureResistanceFactor = flexure;
        entry.shearResistanceFactor = shear;
        entry.combinationName = name;
        run->model.lrfd.combinationCount = std::max(run->model.lrfd.combinationCount, c);
    }
    std::string compute() {
        computeLrfdLoads(*run);
        run->report.close();
        return report();
    }
    const LrfdResults& results() const { return run->lrfd; }
    const AxialThrustList& thrusts() const { return run->model.axialThrusts; }
};

// Totals rows of the types without groups.
std::string zeroTotals(const std::string& label) {
    return label + r("0.00", 24) + r("0.00", 24) + r("0.00", 24) + r("0", 12);
}

// ---------------------------------------------------------------------------------------------
// US units: two dead-load groups, a live-load group with a distributed load, a wind group and a
// group of an unknown type; four combinations with a negative factor, a dead-load factor of 0,
// a flexure factor of 0 and a repeated thrust. The batter of 1e-6 rad counts as vertical.

TEST_F(LrfdLoads, UsUnitsReportFactoredLoadsAndThrustList) {
    run->model.options.IUNITS = kUSCS;
    run->model.slope.pileBatter = 1e-6;
    run->model.axialThrusts.count = 5;  // the list built from the groups is replaced
    run->model.axialThrusts.thrust[5] = 123.0;
    group(1, 1, 1000.0, 20000.0, 100000.0);
    group(2, 2, 500.0, -3000.0, 40000.0, {{0.0, 10.0}, {120.0, 5.0}});
    group(3, 1, 250.0, 5000.0, 20000.0);
    group(4, 5, 2000.0, 0.0, 0.0);
    group(5, 14, 7.0, 8.0, 9.0);
    combination(1, {{1, 1.25}, {2, 1.75}}, 0.9, 0.75, "Strength I");
    combination(2, {{1, 0.9}, {2, -0.5}, {5, 1.4}}, 0.75, 0.85, "Wind uplift");
    combination(3, {{2, 1.0}}, 0.0, 0.9, "Service");
    combination(4, {{1, 1.25}, {2, 1.75}}, 0.9, 0.75, "Strength I, repeat");

    const std::string text = compute();

    // DL: H 1250, M 25000, P 120000; LL: 500, -3000, 40000; W: 2000, 0, 0.
    // 1: H 1.25*1250 + 1.75*500 = 2437.5, M 31250 - 5250 = 26000, P 150000 + 70000 = 220000.
    // 2: H 1125 - 250 + 2800 = 3675, M 22500 + 1500 = 24000, P 108000 - 20000 = 88000.
    // 3: H 500, M -3000, P 40000.
    std::vector<std::string> expected = {
        "",
        "",
        "",
        dashes(79),
        "                  Unfactored Loading Groups for LRFD Analysis",
        dashes(79),
        "",
        "Number of Loading Groups = 5",
        "",
        "      Load                    Load                Horiz. Force               Moment                Axial "
        "Force           Number of ",
        "      Group                   Type                     lbs                  inch-lbs                   lbs  "
        "           Distrib. Lds. ",
        "-----------------      ------------------      ------------------      ------------------      "
        "------------------      -------------",
        r("1", 9) + sp(15) + "Dead Load   (DL)" + r("1000.00", 24) + r("20000.00", 24) + r("100000.00", 24) + r("0", 14),
        r("2", 9) + sp(15) + "Live Load   (LL)" + r("500.00", 24) + r("-3000.00", 24) + r("40000.00", 24) + r("2", 14),
        r("3", 9) + sp(15) + "Dead Load   (DL)" + r("250.00", 24) + r("5000.00", 24) + r("20000.00", 24) + r("0", 14),
        r("4", 9) + sp(15) + "Wind Load    (W)" + r("2000.00", 24) + r("0.00", 24) + r("0.00", 24) + r("0", 14),
        r("5", 9) + sp(15) + r("7.00", 24) + r("8.00", 24) + r("9.00", 24) + r("0", 14),
        "",
        "",
        "Number of Distributed Loading Points Input for Load Group 2 = 2",
        "",
        "Point           Depth          Distributed Load",
        "                  ft               lb/inch   ",
        "-----     ----------------     ----------------",
        r("1", 4) + r("0.00", 21) + r("10.00", 21),
        r("2", 4) + r("120.00", 21) + r("5.00", 21),
        "",
        "",
        "Totals of Unfactored Loads by Load Type for LRFD Analyses:",
        dashes(58),
        "",
        "Number of Defined Unfactored Load Cases = 5",
        "",
        "The following table presents the sum of unfactored pile-head loads for each load type.",
        "",
        "      Load                Horiz. Force               Moment                Axial Force           Number of ",
        "      Type                     lbs                  inch-lbs                   lbs                 Loads   ",
        "-----------------      ------------------      ------------------      ------------------      ------------",
        "Dead Loads   (DL)" + r("1250.00", 24) + r("25000.00", 24) + r("120000.00", 24) + r("2", 12),
        "Live Loads   (LL)" + r("500.00", 24) + r("-3000.00", 24) + r("40000.00", 24) + r("1", 12),
        zeroTotals("Earthquake   (EQ)"),
        zeroTotals("Impact Load  (IM)"),
        "Wind Loads    (W)" + r("2000.00", 24) + r("0.00", 24) + r("0.00", 24) + r("1", 12),
        zeroTotals("Water Loads  (HW)"),
        zeroTotals("Ice Loads   (Ice)"),
        zeroTotals("Horiz. Soil  (Hs)"),
        zeroTotals("Live Roof    (Lr)"),
        zeroTotals("Rain Loads   (Rn)"),
        zeroTotals("Snow Loads   (Sn)"),
        zeroTotals("Temperature  (Tm)"),
        zeroTotals("Special      (Sp)"),
        "",
        "",
        "",
        dashes(77),
        "     Load and Resistance Factors by Load Combinations for LRFD Analyses      ",
        dashes(77),
        "",
        "Number of Factored Load Combinations = 4",
        "",
        "Summary of Load and Resistance Factors:",
        dashes(39),
        "",
        " No.    DL     LL     EQ     IM    Wind   Watr    Ice   Soil   Roof   Rain   Snow   Temp   Spec   M RF   V RF"
        "   Name",
        "----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----"
        "   ---------------------",
    };
    std::string noFactors11;
    for (int k = 0; k < 11; ++k) noFactors11 += kNoFactor;
    std::string noFactors8;
    for (int k = 0; k < 8; ++k) noFactors8 += kNoFactor;
    const std::vector<std::string> rest = {
        "  1    1.25   1.75" + noFactors11 + "   0.90   0.75   " + name256("Strength I"),
        "  2    0.90" + kNoFactor + kNoFactor + kNoFactor + "   1.40" + noFactors8 + "   0.75   0.85   " +
            name256("Wind uplift"),
        "  3 " + kNoFactor + "   1.00" + noFactors11 + "   0.00   0.90   " + name256("Service"),
        "  4    1.25   1.75" + noFactors11 + "   0.90   0.75   " + name256("Strength I, repeat"),
        "",
        "",
        "",
        dashes(78),
        sp(18) + "Computed Factored Loads for LRFD Analyses",
        dashes(78),
        "",
        "Factored Load Combination No. 1",
        dashes(33),
        "",
        "Load Combination Name = " + name256("Strength I"),
        "",
        "Structural Resistance Factor for Flexure = 0.900",
        "Structural Resistance Factor for Shear   = 0.750",
        "",
        "Factored Load =  1.25*DL + 1.75*LL ",
        "",
        "Factored Horizontal Force = " + r("2437.50", 24) + " lbs",
        "Factored Vertical Force   = " + r("220000.00", 24) + " lbs",
        "Factored Moment           = " + r("26000.00", 24) + " in-lbs",
        "",
        "Factored Load Combination No. 2",
        dashes(33),
        "",
        "Load Combination Name = " + name256("Wind uplift"),
        "",
        "Structural Resistance Factor for Flexure = 0.750",
        "Structural Resistance Factor for Shear   = 0.850",
        "",
        "Factored Load =  0.90*DL + 1.40*W  ",
        "",
        "Factored Horizontal Force = " + r("3675.00", 24) + " lbs",
        "Factored Vertical Force   = " + r("88000.00", 24) + " lbs",
        "Factored Moment           = " + r("24000.00", 24) + " in-lbs",
        "",
        "Factored Load Combination No. 3",
        dashes(33),
        "",
        "Load Combination Name = " + name256("Service"),
        "",
        "Structural Resistance Factor for Flexure = 0.750",
        "Structural Resistance Factor for Shear   = 0.900",
        "",
        "Factored Load =  + 1.00*LL ",
        "",
        "Factored Horizontal Force = " + r("500.00", 24) + " lbs",
        "Factored Vertical Force   = " + r("40000.00", 24) + " lbs",
        "Factored Moment           = " + r("-3000.00", 24) + " in-lbs",
        "",
        "Factored Load Combination No. 4",
        dashes(33),
        "",
        "Load Combination Name = " + name256("Strength I, repeat"),
        "",
        "Structural Resistance Factor for Flexure = 0.900",
        "Structural Resistance Factor for Shear   = 0.750",
        "",
        "Factored Load =  1.25*DL + 1.75*LL ",
        "",
        "Factored Horizontal Force = " + r("2437.50", 24) + " lbs",
        "Factored Vertical Force   = " + r("220000.00", 24) + " lbs",
        "Factored Moment           = " + r("26000.00", 24) + " in-lbs",
        "",
        "",
        "Totals of Factored Loads by Load Combination:",
        dashes(45),
        "",
        "",
        "      Load             Factored           Factored           Factored      ",
        "   Combination       Horiz. Force          Moment           Vert. Force     Load Combination Name  ",
        "     Number               lbs              in-lbs               lbs        ",
        "----------------   ----------------   ----------------   ----------------   "
        "--------------------------------------------------------------",
        r("1", 9) + sp(7) + r("2437.50", 19) + r("26000.00", 19) + r("220000.00", 19) + sp(3) + name256("Strength I"),
        r("2", 9) + sp(7) + r("3675.00", 19) + r("24000.00", 19) + r("88000.00", 19) + sp(3) + name256("Wind uplift"),
        r("3", 9) + sp(7) + r("500.00", 19) + r("-3000.00", 19) + r("40000.00", 19) + sp(3) + name256("Service"),
        r("4", 9) + sp(7) + r("2437.50", 19) + r("26000.00", 19) + r("220000.00", 19) + sp(3) +
            name256("Strength I, repeat"),
        "",
        "",
        "Sorted Values of Axial Thrust Forces Sorted for LRFD Computations:",
        dashes(66),
        "",
        "Number of Unique Axial Thrust Values = 3",
        "",
        "Number   Factored Axial Thrust",
        "------   ---------------------",
        r("1", 4) + r("40000.000", 16),
        r("2", 4) + r("88000.000", 16),
        r("3", 4) + r("220000.000", 16),
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(text, lines(expected));

    const LrfdTypeTotals& totals = results().totals;
    EXPECT_DOUBLE_EQ(totals.axial[1], 120000.0);
    EXPECT_EQ(totals.groupCount[1], 2);
    EXPECT_EQ(totals.groupCount[5], 1);
    const FactoredLoads& factored = results().factored;
    const double shear[] = {2437.5, 3675.0, 500.0, 2437.5};
    const double moment[] = {26000.0, 24000.0, -3000.0, 26000.0};
    const double axial[] = {220000.0, 88000.0, 40000.0, 220000.0};
    const int index[] = {3, 2, 1, 3};
    for (int c = 1; c <= 4; ++c) {
        SCOPED_TRACE(c);
        EXPECT_DOUBLE_EQ(factored.shear[c], shear[c - 1]);
        EXPECT_DOUBLE_EQ(factored.moment[c], moment[c - 1]);
        EXPECT_DOUBLE_EQ(factored.axial[c], axial[c - 1]);
        EXPECT_EQ(results().combinationThrustIndex[c], index[c - 1]);
    }
    // Pounds in the report, kips in the list of the section analysis.
    ASSERT_EQ(thrusts().count, 3);
    EXPECT_DOUBLE_EQ(thrusts().thrust[1], 40.0);
    EXPECT_DOUBLE_EQ(thrusts().thrust[2], 88.0);
    EXPECT_DOUBLE_EQ(thrusts().thrust[3], 220.0);
    EXPECT_EQ(thrusts().thrust[5], 0.0);
    EXPECT_EQ(run->errorNumber, 0);
}

// ---------------------------------------------------------------------------------------------
// SI units and a batter of 10 degrees: H 100 and P 1000 become a shear of
// 100 cos 10 + 1000 sin 10 = 98.4808 + 173.6482 = 272.129 and an axial force of
// -100 sin 10 + 1000 cos 10 = -17.3648 + 984.8078 = 967.443; the moment stays 50.

class LrfdBatter : public LrfdLoads {
protected:
    void SetUp() override {
        LrfdLoads::SetUp();
        run->model.slope.pileBatter = 10.0 * kDegree;
        group(1, 1, 100.0, 50.0, 1000.0, {{0.0, 2.5}, {10.0, 2.5}});
        combination(1, {{1, 1.0}}, 0.9, 0.8, "Dead only");
    }

    static std::vector<std::string> siReport() {
        std::vector<std::string> text = {
            "",
            "",
            "",
            dashes(79),
            "                  Unfactored Loading Groups for LRFD Analysis",
            dashes(79),
            "",
            "Number of Loading Groups = 1",
            "",
            "      Load                    Load                Horiz. Force               Moment                Axial "
            "Force           Number of ",
            "      Group                   Type                     kN                     kN-m                     kN   "
            "           Distrib. Lds. ",
            "-----------------      ------------------      ------------------      ------------------      "
            "------------------      -------------",
            r("1", 9) + sp(15) + "Dead Load   (DL)" + r("100.00", 24) + r("50.00", 24) + r("1000.00", 24) + r("2", 14),
            "",
            "",
            "Number of Distributed Loading Points Input for Load Group 1 = 2",
            "",
            "Point           Depth          Distributed Load",
            "                  m                kN/m      ",
            "-----     ----------------     ----------------",
            r("1", 4) + r("0.00", 21) + r("2.50", 21),
            r("2", 4) + r("10.00", 21) + r("2.50", 21),
            "",
            "",
            "Totals of Unfactored Loads by Load Type for LRFD Analyses:",
            dashes(58),
            "",
            "Number of Defined Unfactored Load Cases = 1",
            "",
            "The following table presents the sum of unfactored pile-head loads for each load type.",
            "",
            "      Load                Horiz. Force               Moment                Axial Force           Number of ",
            "      Type                     Kn                     Kn-M                     kN                  Loads   ",
            "-----------------      ------------------      ------------------      ------------------      ------------",
            "Dead Loads   (DL)" + r("100.00", 24) + r("50.00", 24) + r("1000.00", 24) + r("1", 12),
        };
        for (const char* label : {"Live Loads   (LL)", "Earthquake   (EQ)", "Impact Load  (IM)", "Wind Loads    (W)",
                                  "Water Loads  (HW)", "Ice Loads   (Ice)", "Horiz. Soil  (Hs)", "Live Roof    (Lr)",
                                  "Rain Loads   (Rn)", "Snow Loads   (Sn)", "Temperature  (Tm)", "Special      (Sp)"})
            text.push_back(zeroTotals(label));
        std::string noFactors12;
        for (int k = 0; k < 12; ++k) noFactors12 += kNoFactor;
        const std::vector<std::string> rest = {
            "",
            "",
            "",
            dashes(77),
            "     Load and Resistance Factors by Load Combinations for LRFD Analyses      ",
            dashes(77),
            "",
            "Number of Factored Load Combinations = 1",
            "",
            "Summary of Load and Resistance Factors:",
            dashes(39),
            "",
            " No.    DL     LL     EQ     IM    Wind   Watr    Ice   Soil   Roof   Rain   Snow   Temp   Spec   M RF   V RF"
            "   Name",
            "----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----"
            "   ---------------------",
            "  1    1.00" + noFactors12 + "   0.90   0.80   " + name256("Dead only"),
            "",
            "",
            "",
            dashes(78),
            sp(18) + "Computed Factored Loads for LRFD Analyses",
            dashes(78),
            "",
            "Factored Load Combination No. 1",
            dashes(33),
            "",
            "Load Combination Name = " + name256("Dead only"),
            "",
            "Structural Resistance Factor for Flexure = 0.900",
            "Structural Resistance Factor for Shear   = 0.800",
            "",
            "Factored Load =  1.00*DL ",
            "",
            "Factored Horizontal Force = " + r("100.00", 24) + " kN",
            "Factored Vertical Force   = " + r("1000.00", 24) + " kN",
            "Factored Moment           = " + r("50.00", 24) + " kN-m",
            "",
            "",
            "Totals of Factored Loads by Load Combination:",
            dashes(45),
            "",
            "",
            "      Load             Factored           Factored           Factored      ",
            "   Combination       Horiz. Force          Moment           Vert. Force     Load Combination Name  ",
            "     Number               kN                kN-m                kN         ",
            "----------------   ----------------   ----------------   ----------------   "
            "--------------------------------------------------------------",
            r("1", 9) + sp(7) + r("100.00", 19) + r("50.00", 19) + r("1000.00", 19) + sp(3) + name256("Dead only"),
            "",
            "",
            "Factored Loads Transformed for Pile Batter by Load Combination:",
            dashes(63),
            "",
            "Horizontal and vertical loads are transformed into transverse shear and axial loads",
            "using the following:",
            "",
            "Pile PileBatter =  10.000 degrees",
            "",
            "Transformation Matrix and Equations:",
            "",
            "   T(1,1) =  Cos(PileBatter) =   0.9848   T(1,2) = Sin(PileBatter) =   0.1736",
            "",
            "   T(2,1) = -Sin(PileBatter) =  -0.1736   T(2,2) = Cos(PileBatter) =   0.9848",
            "",
            "",
            "   Shear Force = T(1,1) * Horiz. Force + T(1,2) * Vertical Force",
            "   Axial Force = T(2,1) * Horiz. Force + T(2,2) * Vertical Force",
            "",
            "",
            "      Load             Factored           Factored          Factored",
            "  Combination         Shear Force          Moment          Axial Force      Load Combination Name  ",
            "----------------   ----------------   ----------------   ----------------   "
            "--------------------------------------------------------------",
            r("1", 9) + sp(7) + r("272.13", 19) + r("50.00", 19) + r("967.44", 19) + name256("Dead only"),
            "",
            "",
            "Sorted Values of Axial Thrust Forces Sorted for LRFD Computations:",
            dashes(66),
            "",
            "Number of Unique Axial Thrust Values = 1",
            "",
            "Number   Factored Axial Thrust",
            "------   ---------------------",
            r("1", 4) + r("967.443", 16),
        };
        text.insert(text.end(), rest.begin(), rest.end());
        return text;
    }
};

TEST_F(LrfdBatter, SiUnitsTransformTheFactoredForcesAlongThePile) {
    run->model.options.IUNITS = kSI;
    EXPECT_EQ(compute(), lines(siReport()));

    EXPECT_NEAR(results().factored.shear[1], 272.128953, 1e-6);
    EXPECT_DOUBLE_EQ(results().factored.moment[1], 50.0);
    EXPECT_NEAR(results().factored.axial[1], 967.442935, 1e-6);
    EXPECT_EQ(results().combinationThrustIndex[1], 1);
    // The transformed axial force, in kN as input.
    ASSERT_EQ(thrusts().count, 1);
    EXPECT_NEAR(thrusts().thrust[1], 967.442935, 1e-6);
}

// Generic units use the SI texts, without the unit line of the factored totals.
TEST_F(LrfdBatter, GenericUnitsHaveNoUnitLineInTheFactoredTotals) {
    run->model.options.IUNITS = kGeneral;
    std::vector<std::string> expected = siReport();
    std::erase(expected, "     Number               kN                kN-m                kN         ");
    EXPECT_EQ(compute(), lines(expected));
}

// ---------------------------------------------------------------------------------------------
// Distinct thrusts. One dead-load group of axial load 1, so that P(c) is the dead-load factor
// of combination c; generic units keep the values as they are.

TEST_F(LrfdLoads, RepeatsAndNearRepeatsShareOneThrust) {
    run->model.options.IUNITS = kGeneral;
    group(1, 1, 0.0, 0.0, 1.0);
    // Sorted: 0, 5e-16, 1.2e-15, 2.5e-15, 2.5e-15. 5e-16 lies within 1e-15 of 0 and is dropped;
    // 1.2e-15 does not and is kept, although it lies within 1e-15 of the dropped 5e-16; the
    // second 2.5e-15 is dropped. 5e-16 takes the index of 0, the entry it was merged into.
    const double factor[] = {2.5e-15, 5e-16, 0.0, 2.5e-15, 1.2e-15};
    for (int c = 1; c <= 5; ++c) combination(c, {{1, factor[c - 1]}}, 0.75, 0.75, "C");

    computeLrfdLoads(*run);

    ASSERT_EQ(thrusts().count, 3);
    EXPECT_EQ(thrusts().thrust[1], 0.0);
    EXPECT_EQ(thrusts().thrust[2], 1.2e-15);
    EXPECT_EQ(thrusts().thrust[3], 2.5e-15);
    const int index[] = {3, 1, 1, 3, 2};
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(results().combinationThrustIndex[c], index[c - 1]) << "combination " << c;
}

// A second call starts from cleared sums: the totals are not added twice.
TEST_F(LrfdLoads, RepeatedCallStartsFromClearedTotals) {
    run->model.options.IUNITS = kGeneral;
    group(1, 3, 10.0, 20.0, 30.0);
    combination(1, {{3, 2.0}}, 0.75, 0.75, "EQ");
    computeLrfdLoads(*run);
    computeLrfdLoads(*run);
    EXPECT_EQ(results().totals.groupCount[3], 1);
    EXPECT_DOUBLE_EQ(results().factored.shear[1], 20.0);
    EXPECT_DOUBLE_EQ(results().factored.moment[1], 40.0);
    EXPECT_DOUBLE_EQ(results().factored.axial[1], 60.0);
}

TEST(LrfdLoadTypeNames, ThirtyCharacterNames) {
    EXPECT_EQ(lrfdLoadTypeName(1), "Dead Loads" + sp(20));
    EXPECT_EQ(lrfdLoadTypeName(8), "Horizontal Soil Pressures" + sp(5));
    EXPECT_EQ(lrfdLoadTypeName(13), "Special Loads" + sp(17));
    EXPECT_EQ(lrfdLoadTypeName(14), sp(30));
}

}  // namespace
}  // namespace mervik
