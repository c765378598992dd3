// LRFD load combinations: sums the unfactored loading groups by load type, factors them for
// every combination, turns the factored forces across and along a battered pile and derives
// the distinct factored axial thrusts for the section analysis. The report block written here
// stands in the input echo where the pile-head load cases stand in other runs.
#include "solver/lrfd.hpp"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

#include "engine/run.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

constexpr double kPi = 3.141592653589793;
// A batter of this size or less (radians) counts as a vertical pile.
constexpr double kVerticalBatter = 1e-6;
// Factored thrusts closer than this are one thrust.
constexpr double kSameThrust = 1e-15;
// Resistance factor shown for a combination whose factor is zero or less.
constexpr double kDefaultResistanceFactor = 0.75;
constexpr std::size_t kNameWidth = 256;  // combination names are 256-character fields
constexpr std::size_t kTypeNameWidth = 30;

// Label of a load type in the table of loading groups.
constexpr Table<std::string_view, kLrfdTypes> kGroupTypeLabels{{
    "",
    "Dead Load   (DL)",
    "Live Load   (LL)",
    "Earthquake  (EQ)",
    "Impact Load (IM)",
    "Wind Load    (W)",
    "Water Load  (HW)",
    "Ice Load   (Ice)",
    "Horiz. Soil (Hs)",
    "Live Roof   (Lr)",
    "Rain Load   (DL)",
    "Snow Load   (DL)",
    "Temperature (Tm)",
    "Special     (Sp)",
}};

// Row label of a load type in the table of unfactored totals.
constexpr Table<std::string_view, kLrfdTypes> kTotalsTypeLabels{{
    "",
    "Dead Loads   (DL)",
    "Live Loads   (LL)",
    "Earthquake   (EQ)",
    "Impact Load  (IM)",
    "Wind Loads    (W)",
    "Water Loads  (HW)",
    "Ice Loads   (Ice)",
    "Horiz. Soil  (Hs)",
    "Live Roof    (Lr)",
    "Rain Loads   (Rn)",
    "Snow Loads   (Sn)",
    "Temperature  (Tm)",
    "Special      (Sp)",
}};

// Names of the load types in the reports of distributed loads (LrfdLoadTypeNames).
constexpr Table<std::string_view, kLrfdTypes> LrfdLoadTypeNames{{
    "",
    "Dead Loads",
    "Live Loads",
    "Earthquake Loads",
    "Impact Loads",
    "Wind Loads",
    "Water Loads",
    "Ice Loads",
    "Horizontal Soil Pressures",
    "Live Roof Loads",
    "Rain Loads",
    "Snow Loads",
    "Temperature Loads",
    "Special Loads",
}};

bool isLoadType(int type) { return type >= 1 && type <= kLrfdTypes; }

std::string padded(std::string_view text, std::size_t width) {
    std::string field(text.substr(0, width));
    field.resize(width, ' ');
    return field;
}

std::string dashes(int count) { return std::string(static_cast<std::size_t>(count), '-'); }

// Term of a load type in the "Factored Load = " line: "*" and the symbol in at least two
// characters ("*W ", "*Ice").
std::string factorSymbol(int type) {
    std::string symbol(kLrfdLoadTypes[type].symbol);
    if (symbol.size() < 2) symbol.resize(2, ' ');
    return "*" + symbol;
}

int clampCount(int count) { return std::clamp(count, 0, kMaxLrfd); }

// Table of the unfactored loading groups, then the distributed-load table of every group that
// has one.
void writeLoadingGroups(Run& run) {
    Channel& report = run.report;
    const Lrfd& lrfd = run.model.lrfd;
    const bool uscs = run.model.options.IUNITS == kUSCS;
    const int groups = clampCount(lrfd.groupCount);

    writeBlankLines(report, 3);
    writeTextLine(report, dashes(79));
    writeTextLine(report, "                  Unfactored Loading Groups for LRFD Analysis");
    writeTextLine(report, dashes(79));
    writeBlankLines(report, 1);
    Line(report).text("Number of Loading Groups = ").i(groups, 0).end();
    writeBlankLines(report, 1);
    writeTextLine(report,
                  "      Load                    Load                Horiz. Force               Moment      "
                  "          Axial Force           Number of ");
    writeTextLine(report, uscs ? "      Group                   Type                     lbs                  inch-lbs"
                                 "                   lbs             Distrib. Lds. "
                               : "      Group                   Type                     kN                     kN-m  "
                                 "                   kN              Distrib. Lds. ");
    writeTextLine(report,
                  "-----------------      ------------------      ------------------      ------------------      "
                  "------------------      -------------");
    for (int g = 1; g <= groups; ++g) {
        const LrfdLoadGroup& group = lrfd.group[g];
        Line row(report);
        row.i(g, 9).blanks(15);
        if (isLoadType(group.lrfdLoadType)) row.text(kGroupTypeLabels[group.lrfdLoadType]);
        row.f(group.horizontalForce, 24, 2).f(group.headMoment, 24, 2).f(group.axialLoad, 24, 2);
        row.i(group.distPointCount, 14).end();
    }

    for (int g = 1; g <= groups; ++g) {
        const LrfdLoadGroup& group = lrfd.group[g];
        if (group.distPointCount <= 0) continue;
        writeBlankLines(report, 2);
        Line(report)
            .text("Number of Distributed Loading Points Input for Load Group ")
            .i(g, 0)
            .text(" = ")
            .i(group.distPointCount, 0)
            .end();
        writeBlankLines(report, 1);
        writeTextLine(report, "Point           Depth          Distributed Load");
        writeTextLine(report, uscs ? "                  ft               lb/inch   "
                                   : "                  m                kN/m      ");
        writeTextLine(report, "-----     ----------------     ----------------");
        const int points = std::min(group.distPointCount, kMaxDistributedPoints);
        for (int k = 1; k <= points; ++k) {
            Line(report).i(k, 4).f(group.distDepth[k], 21, 2).f(group.distLoad[k], 21, 2).end();
        }
    }
}

// Sums the groups by load type and writes the table of the sums.
void sumAndWriteTypeTotals(Run& run) {
    Channel& report = run.report;
    const Lrfd& lrfd = run.model.lrfd;
    LrfdTypeTotals& totals = run.lrfd.totals;
    const int groups = clampCount(lrfd.groupCount);

    for (int g = 1; g <= groups; ++g) {
        const LrfdLoadGroup& group = lrfd.group[g];
        if (!isLoadType(group.lrfdLoadType)) continue;
        const int t = group.lrfdLoadType;
        totals.horizontal[t] += group.horizontalForce;
        totals.moment[t] += group.headMoment;
        totals.axial[t] += group.axialLoad;
        totals.groupCount[t] += 1;
    }

    writeBlankLines(report, 2);
    writeTextLine(report, "Totals of Unfactored Loads by Load Type for LRFD Analyses:");
    writeTextLine(report, dashes(58));
    writeBlankLines(report, 1);
    Line(report).text("Number of Defined Unfactored Load Cases = ").i(groups, 0).end();
    writeBlankLines(report, 1);
    writeTextLine(report, "The following table presents the sum of unfactored pile-head loads for each load type.");
    writeBlankLines(report, 1);
    writeTextLine(report,
                  "      Load                Horiz. Force               Moment                Axial Force       "
                  "    Number of ");
    writeTextLine(report, run.model.options.IUNITS == kUSCS
                              ? "      Type                     lbs                  inch-lbs                   lbs"
                                "                 Loads   "
                              : "      Type                     Kn                     Kn-M                     kN "
                                "                 Loads   ");
    writeTextLine(report,
                  "-----------------      ------------------      ------------------      ------------------      "
                  "------------");
    for (int t = 1; t <= kLrfdTypes; ++t) {
        Line(report)
            .text(kTotalsTypeLabels[t])
            .f(totals.horizontal[t], 24, 2)
            .f(totals.moment[t], 24, 2)
            .f(totals.axial[t], 24, 2)
            .i(totals.groupCount[t], 12)
            .end();
    }
    writeBlankLines(report, 3);
}

// Table of the load and resistance factors of every combination.
void writeFactorTable(Run& run) {
    Channel& report = run.report;
    const Lrfd& lrfd = run.model.lrfd;
    const int combinations = clampCount(lrfd.combinationCount);

    writeTextLine(report, dashes(77));
    writeTextLine(report, "     Load and Resistance Factors by Load Combinations for LRFD Analyses      ");
    writeTextLine(report, dashes(77));
    writeBlankLines(report, 1);
    Line(report).text("Number of Factored Load Combinations = ").i(combinations, 0).end();
    writeBlankLines(report, 1);
    writeTextLine(report, "Summary of Load and Resistance Factors:");
    writeTextLine(report, dashes(39));
    writeBlankLines(report, 1);
    writeTextLine(report,
                  " No.    DL     LL     EQ     IM    Wind   Watr    Ice   Soil   Roof   Rain   Snow   Temp   Spec"
                  "   M RF   V RF   Name");
    writeTextLine(report,
                  "----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----   ----"
                  "   ----   ----   ---------------------");
    for (int c = 1; c <= combinations; ++c) {
        const LrfdCombination& combination = lrfd.combination[c];
        Line row(report);
        row.i(c, 3).blanks(1);
        for (int t = 1; t <= kLrfdTypes; ++t) {
            const double factor = combination.loadFactors[t];
            if (factor > 0.0) row.f(factor, 7, 2);
            else row.text("    -- ");
        }
        row.f(combination.flexureResistanceFactor, 7, 2).f(combination.shearResistanceFactor, 7, 2);
        row.blanks(3).text(padded(combination.combinationName, kNameWidth)).end();
    }
}

// Factors the type totals for every combination and writes the factored loads of each.
void factorAndWriteCombinations(Run& run) {
    Channel& report = run.report;
    const Lrfd& lrfd = run.model.lrfd;
    const LrfdTypeTotals& totals = run.lrfd.totals;
    FactoredLoads& factored = run.lrfd.factored;
    const bool uscs = run.model.options.IUNITS == kUSCS;
    const int combinations = clampCount(lrfd.combinationCount);

    writeBlankLines(report, 3);
    writeTextLine(report, dashes(78));
    Line(report).blanks(18).text("Computed Factored Loads for LRFD Analyses").end();
    writeTextLine(report, dashes(78));
    writeBlankLines(report, 1);

    for (int c = 1; c <= combinations; ++c) {
        const LrfdCombination& combination = lrfd.combination[c];
        Line(report).text("Factored Load Combination No. ").i(c, 0).end();
        writeTextLine(report, dashes(33));
        writeBlankLines(report, 1);
        Line(report).text("Load Combination Name = ").text(padded(combination.combinationName, kNameWidth)).end();
        writeBlankLines(report, 1);

        const auto shown = [](double factor) { return factor > 0.0 ? factor : kDefaultResistanceFactor; };
        Line(report)
            .text("Structural Resistance Factor for Flexure =")
            .f(shown(combination.flexureResistanceFactor), 6, 3)
            .end();
        Line(report)
            .text("Structural Resistance Factor for Shear   =")
            .f(shown(combination.shearResistanceFactor), 6, 3)
            .end();
        writeBlankLines(report, 1);

        // Only the factors greater than zero are listed; all of them enter the sums.
        Line terms(report);
        terms.text("Factored Load = ");
        for (int t = 1; t <= kLrfdTypes; ++t) {
            const double factor = combination.loadFactors[t];
            if (factor <= 0.0) continue;
            if (t > 1) terms.text(" +");
            terms.f(factor, 5, 2).text(factorSymbol(t));
        }
        terms.text(" ").end();
        writeBlankLines(report, 1);

        double h = 0.0, m = 0.0, p = 0.0;
        for (int t = 1; t <= kLrfdTypes; ++t) {
            const double factor = combination.loadFactors[t];
            h += factor * totals.horizontal[t];
            m += factor * totals.moment[t];
            p += factor * totals.axial[t];
        }
        factored.shear[c] = h;
        factored.moment[c] = m;
        factored.axial[c] = p;

        Line(report).text("Factored Horizontal Force = ").f(h, 24, 2).text(uscs ? " lbs" : " kN").end();
        Line(report).text("Factored Vertical Force   = ").f(p, 24, 2).text(uscs ? " lbs" : " kN").end();
        Line(report).text("Factored Moment           = ").f(m, 24, 2).text(uscs ? " in-lbs" : " kN-m").end();
        writeBlankLines(report, 1);
    }
}

// Table of the factored horizontal force, moment and vertical force of every combination.
void writeCombinationTotals(Run& run) {
    Channel& report = run.report;
    const Lrfd& lrfd = run.model.lrfd;
    const FactoredLoads& factored = run.lrfd.factored;
    const int units = run.model.options.IUNITS;
    const int combinations = clampCount(lrfd.combinationCount);

    writeBlankLines(report, 1);
    writeTextLine(report, "Totals of Factored Loads by Load Combination:");
    writeTextLine(report, dashes(45));
    writeBlankLines(report, 2);
    writeTextLine(report, "      Load             Factored           Factored           Factored      ");
    writeTextLine(report,
                  "   Combination       Horiz. Force          Moment           Vert. Force     Load Combination Name  ");
    if (units == kUSCS)
        writeTextLine(report, "     Number               lbs              in-lbs               lbs        ");
    else if (units == kSI)
        writeTextLine(report, "     Number               kN                kN-m                kN         ");
    writeTextLine(report,
                  "----------------   ----------------   ----------------   ----------------   "
                  "--------------------------------------------------------------");
    for (int c = 1; c <= combinations; ++c) {
        Line(report)
            .i(c, 9)
            .blanks(7)
            .f(factored.shear[c], 19, 2)
            .f(factored.moment[c], 19, 2)
            .f(factored.axial[c], 19, 2)
            .blanks(3)
            .text(padded(lrfd.combination[c].combinationName, kNameWidth))
            .end();
    }
}

// On a battered pile the factored horizontal and vertical forces are turned into the shear
// across the pile and the axial force along it; the moment is unchanged.
void transformForBatter(Run& run) {
    const double batter = run.model.slope.pileBatter;
    if (std::abs(batter) <= kVerticalBatter) return;

    Channel& report = run.report;
    const Lrfd& lrfd = run.model.lrfd;
    FactoredLoads& factored = run.lrfd.factored;
    const int combinations = clampCount(lrfd.combinationCount);
    const double cb = std::cos(batter);
    const double sb = std::sin(batter);

    writeBlankLines(report, 2);
    writeTextLine(report, "Factored Loads Transformed for Pile Batter by Load Combination:");
    writeTextLine(report, dashes(63));
    writeBlankLines(report, 1);
    writeTextLine(report, "Horizontal and vertical loads are transformed into transverse shear and axial loads");
    writeTextLine(report, "using the following:");
    writeBlankLines(report, 1);
    Line(report).text("Pile PileBatter = ").f(batter * 180.0 / kPi, 7, 3).text(" degrees").end();
    writeBlankLines(report, 1);
    writeTextLine(report, "Transformation Matrix and Equations:");
    writeBlankLines(report, 1);
    Line(report)
        .text("   T(1,1) =  Cos(PileBatter) = ")
        .f(cb, 8, 4)
        .text("   T(1,2) = Sin(PileBatter) = ")
        .f(sb, 8, 4)
        .end();
    writeBlankLines(report, 1);
    Line(report)
        .text("   T(2,1) = -Sin(PileBatter) = ")
        .f(-sb, 8, 4)
        .text("   T(2,2) = Cos(PileBatter) = ")
        .f(cb, 8, 4)
        .end();
    writeBlankLines(report, 2);
    writeTextLine(report, "   Shear Force = T(1,1) * Horiz. Force + T(1,2) * Vertical Force");
    writeTextLine(report, "   Axial Force = T(2,1) * Horiz. Force + T(2,2) * Vertical Force");
    writeBlankLines(report, 2);
    writeTextLine(report, "      Load             Factored           Factored          Factored");
    writeTextLine(report,
                  "  Combination         Shear Force          Moment          Axial Force      Load Combination Name  ");
    writeTextLine(report,
                  "----------------   ----------------   ----------------   ----------------   "
                  "--------------------------------------------------------------");
    for (int c = 1; c <= combinations; ++c) {
        const double h = factored.shear[c];
        const double p = factored.axial[c];
        const double shear = h * cb + p * sb;
        const double axial = -h * sb + p * cb;
        factored.shear[c] = shear;
        factored.axial[c] = axial;
        Line(report)
            .i(c, 9)
            .blanks(7)
            .f(shear, 19, 2)
            .f(factored.moment[c], 19, 2)
            .f(axial, 19, 2)
            .text(padded(lrfd.combination[c].combinationName, kNameWidth))
            .end();
    }
}

// The distinct factored axial thrusts, ascending: written to the report, indexed for every
// combination and stored as the axial-thrust list of the section analysis.
void buildDistinctThrusts(Run& run) {
    Channel& report = run.report;
    const int combinations = clampCount(run.model.lrfd.combinationCount);
    const FactoredLoads& factored = run.lrfd.factored;

    Table<double, kMaxLrfd> thrust{};
    for (int c = 1; c <= combinations; ++c) thrust[c] = factored.axial[c];
    for (int i = 1; i < combinations; ++i)
        for (int j = i + 1; j <= combinations; ++j)
            if (thrust[i] > thrust[j]) std::swap(thrust[i], thrust[j]);

    // Every later entry within the tolerance of a kept entry is dropped.
    int count = combinations;
    for (int i = 1; i <= count; ++i) {
        int j = i + 1;
        while (j <= count) {
            if (std::abs(thrust[i] - thrust[j]) < kSameThrust) {
                for (int k = j; k < count; ++k) thrust[k] = thrust[k + 1];
                --count;
            } else {
                ++j;
            }
        }
    }

    writeBlankLines(report, 2);
    writeTextLine(report, "Sorted Values of Axial Thrust Forces Sorted for LRFD Computations:");
    writeTextLine(report, dashes(66));
    writeBlankLines(report, 1);
    Line(report).text("Number of Unique Axial Thrust Values = ").i(count, 0).end();
    writeBlankLines(report, 1);
    writeTextLine(report, "Number   Factored Axial Thrust");
    writeTextLine(report, "------   ---------------------");
    for (int i = 1; i <= count; ++i) Line(report).i(i, 4).f(thrust[i], 16, 3).end();

    // A thrust dropped as a repeat lies within the tolerance of the kept entry before all
    // others, so the first entry within the tolerance is the one it was merged into.
    for (int c = 1; c <= combinations; ++c) {
        const double p = factored.axial[c];
        int index = 0;
        for (int i = 1; i <= count && index == 0; ++i)
            if (thrust[i] == p || std::abs(thrust[i] - p) < kSameThrust) index = i;
        run.lrfd.combinationThrustIndex[c] = index;
    }

    // The section analysis works in kips in US units.
    AxialThrustList& list = run.model.axialThrusts;
    const double scale = run.model.options.IUNITS == kUSCS ? 1000.0 : 1.0;
    list.thrust.fill(0.0);
    for (int i = 1; i <= count; ++i) list.thrust[i] = thrust[i] / scale;
    list.count = count;
}

}  // namespace

std::string lrfdLoadTypeName(int type) {
    return padded(isLoadType(type) ? LrfdLoadTypeNames[type] : std::string_view{}, kTypeNameWidth);
}

void computeLrfdLoads(Run& run) {
    run.lrfd.factored = FactoredLoads{};
    run.lrfd.totals = LrfdTypeTotals{};
    run.lrfd.combinationThrustIndex.fill(0);

    writeLoadingGroups(run);
    sumAndWriteTypeTotals(run);
    writeFactorTable(run);
    factorAndWriteCombinations(run);
    writeCombinationTotals(run);
    transformForBatter(run);
    buildDistinctThrusts(run);
}

}  // namespace mervik
