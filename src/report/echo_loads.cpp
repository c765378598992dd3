// Echo of the loading-related input: p-y multipliers, soil movements, loading type, distributed
// load, pile-head loads, tip shear and the depths of printed p-y curves, with the checks made
// on these data as they are echoed (p-multiplier start depth, number of cycles, tip shear
// curve, p-y output depths).
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "report/echo.hpp"
#include "report/echo_common.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

// Entries of a table that may be read: never beyond the table, never below zero.
int boundedCount(int count, int capacity) { return std::clamp(count, 0, capacity); }

// The number of cycles of loading as an integer, truncated toward zero. Values beyond the
// integer range (only nonsense input) are held at its ends, so the conversion is always defined.
long long truncatedCycles(double cycles) {
    if (std::isnan(cycles)) return 0;
    const double t = std::trunc(std::clamp(cycles, -2147483648.0, 2147483647.0));
    return static_cast<long long>(t);
}

// Unit texts of the two pile-head conditions of a load type, without trailing blanks.
struct ConditionUnits {
    std::string first, second;
};

ConditionUnits conditionUnits(const UnitLabels& u, int loadType) {
    const std::string force(withoutTrailingBlanks(u.ForceUnit));
    const std::string deflection(withoutTrailingBlanks(u.DeflectionUnit));
    const std::string moment = deflection + "-" + force;
    const std::string slope = deflection + "/" + deflection;
    switch (loadType) {
        case 1: return {force, moment};
        case 2: return {force, slope};
        case 3: return {force, moment};
        case 4: return {deflection, moment};
        case 5: return {deflection, slope};
        default: return {};
    }
}

}  // namespace

void echoPyModifiers(Run& run) {
    const PyModifierTable& table = run.model.pyModifiers;
    if (table.count <= 0) return;
    Channel& out = run.report;
    writeEchoHeading(out, 3, 19, "p-y Modification Factors for Group Action");
    Line(out).text("Distribution of p-y modifiers with depth defined using ").i(table.count, 0).text(" points").end();
    writeBlankLines(out, 1);
    writeTextLine(out, "Point      Depth X         p-mult         y-mult");
    Line(out).text(" No.          ").text(run.units.DepthUnit).end();
    writeTextLine(out, "-----     ----------     ----------     ----------");
    const int n = boundedCount(table.count, kMaxPyModifierPoints);
    for (int k = 1; k <= n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        Line(out).i(k, 3).f(table.depth[i], 17, 3).f(table.pMultiplier[i], 15, 4).f(table.yMultiplier[i], 15, 4).end();
    }
}

void echoSoilMovements(Run& run) {
    const SoilMovementProfile& profile = run.model.soilMovement;
    // A single point is no profile: nothing to echo.
    if (profile.count <= 1) return;
    Channel& out = run.report;
    writeEchoHeading(out, 3, 29, "Lateral Soil Movements");
    writeBlankLines(out, 1);
    Line(out).text("Profile of soil movement with depth defined using ").i(profile.count, 0).text(" points").end();
    writeBlankLines(out, 1);
    writeTextLine(out, "Point       Depth X     Soil Movement");
    Line(out).text(" No.").tab(16).a(run.units.DepthUnit, 2).tab(31).a(run.units.DeflectionUnit, 2).end();
    writeTextLine(out, "-----     ----------    -------------");
    const int n = boundedCount(profile.count, kMaxSoilMovementPoints);
    for (int k = 1; k <= n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        Line(out).i(k, 3).x(2).f(profile.depth[i], 15, 5).f(profile.movement[i], 15, 5).end();
    }
}

void echoLoadingType(Run& run) {
    const ProgramOptions& options = run.model.options;
    Channel& out = run.report;
    if (!options.cyclic) {
        writeEchoHeading(out, 3, 33, "Loading Type");
        writeBlankLines(out, 1);
        writeTextLine(out, "Static loading criteria were used when computing p-y curves for all analyses.");
        return;
    }
    const long long cycles = truncatedCycles(options.numberOfCycles);
    writeEchoHeading(out, 3, 34, "Loading Type");
    writeBlankLines(out, 1);
    writeTextLine(out, "Cyclic loading criteria were used for computation of p-y curves for all analyses.");
    writeBlankLines(out, 1);
    Line(out).text("Number of cycles of loading = ").i(cycles, 0).end();

    // Cyclic criteria are defined for 2 to 5,000 cycles (the unrounded number is compared).
    if (options.numberOfCycles >= 2.0 && options.numberOfCycles <= 5000.0) return;
    writeToBothFiles(run, [cycles](Channel& c) {
        writeBlankLines(c, 2);
        writeInputErrorHeading(c, 28);
        writeBlankLines(c, 1);
        writeTextLine(c, "Problem:  Cyclic loading type was specified and the number of cycles of loading");
        writeTextLine(c, "are outside the valid range of 2 to 5,000.");
        writeBlankLines(c, 1);
        writeTextLine(c, "Solution:  Either correct the number of cycles of loading to be within 2 to 5,000");
        writeTextLine(c, "or specify static loading.");
        Line(c).text("Number of cycles of loading = ").i(cycles, 0).end();
    });
    raiseInputError(run, 28);
}

void echoDistributedLoad(Run& run) {
    const DistributedLoad& load = run.model.loading.distributed;
    if (load.count <= 0) return;
    Channel& out = run.report;
    const UnitLabels& u = run.units;
    writeEchoHeading(out, 3, 27, "Distributed Lateral Loading");
    Line(out).text("Distributed lateral load intensity defined using ").i(load.count, 0).text(" points").end();
    writeBlankLines(out, 1);
    writeTextLine(out, "Point           Depth X            Dist. Load");
    Line(out).text(" No.").tab(20).text(u.DepthUnit).tab(38).text(u.ForceUnit).text(u.slash).text(u.DeflectionUnit).end();
    writeTextLine(out, "-----          ----------          ----------");
    const int n = boundedCount(load.count, kMaxDistributedPoints);
    for (int k = 1; k <= n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        Line(out).i(k, 3).f(load.depth[i], 20, 3).f(load.load[i], 20, 3).end();
    }
}

void echoPileHeadLoads(Run& run) {
    const Loading& loading = run.model.loading;
    Channel& out = run.report;
    writeEchoHeading(out, 3, 15, "Pile-head Loading and Pile-head Fixity Conditions");
    Line(out).text("Number of loads specified = ").i(loading.loadCaseCount, 0).end();
    writeBlankLines(out, 1);
    writeTextLine(out, "Load    Load         Condition               Condition            Axial Thrust            Compute");
    Line(out)
        .text(" No.    Type             1                       2                 Force, ")
        .text(run.units.ForceUnit)
        .tab(84)
        .text("Top y vs. Pile Length")
        .end();
    writeTextLine(out, "-----   ----   --------------------   -----------------------   ----------------   ---------------------");

    const int n = boundedCount(loading.loadCaseCount, kMaxLoadCases);
    for (int k = 1; k <= n; ++k) {
        const PileHeadLoad& load = loading.loadCase[static_cast<std::size_t>(k)];
        const char* condition = nullptr;   // type column and the symbol of the first value
        const char* secondSymbol = nullptr;
        switch (load.loadType) {
            case 1: condition = "     1     V = "; secondSymbol = "M = "; break;
            case 2: condition = "     2     V = "; secondSymbol = "S = "; break;
            case 3: condition = "     3     V = "; secondSymbol = "R = "; break;
            case 4: condition = "     4     y = "; secondSymbol = "M = "; break;
            case 5: condition = "     5     y = "; secondSymbol = "S = "; break;
            default: continue;  // no pile-head condition of that kind: no row
        }
        const ConditionUnits units = conditionUnits(run.units, load.loadType);
        // The row is built from successive writes on one line; the tabs of each write count
        // from the column where that write began.
        Line(out).i(k, 4).text(condition).real(load.condition1, 12).open();
        Line(out).blanks(1).text(units.first).tab(8).text(secondSymbol).real(load.condition2, 12).open();
        Line(out).blanks(1).text(units.second).tab(10).blanks(1).real(load.axialThrust, 15).text(load.computeTopYvsLength ? " Yes " : " No  ").end();
    }

    writeBlankLines(out, 1);
    writeTextLine(out, "V = perpendicular shear force applied to pile head");
    writeTextLine(out, "M = bending moment applied to pile head");
    writeTextLine(out, "y = lateral deflection relative to pile axis");
    writeTextLine(out, "S = pile slope relative to original pile batter angle");
    writeTextLine(out, "R = rotational stiffness applie to pile head");
    writeTextLine(out, "Axial thrust is assumed to be acting axially for all pile batter angles.");
}

void echoTipShear(Run& run) {
    const TipShearCurve& curve = run.model.tipShear;
    const int n = boundedCount(curve.count, kMaxTipShearPoints);
    if (n > 0) {
        Channel& out = run.report;
        writeEchoHeading(out, 3, 22, "Shear Resistance Curve at Pile Tip ");
        writeBlankLines(out, 1);
        writeTextLine(out, "Point     Displacement     Tip Shear Force");
        Line(out).text(" No.").tab(16).a(run.units.DeflectionUnit, 2).tab(36).text(run.units.ForceUnit).end();
        writeTextLine(out, "-----     ------------     ---------------");
        for (int k = 1; k <= n; ++k) {
            const auto i = static_cast<std::size_t>(k);
            Line(out).i(k, 4).x(5).f(curve.displacement[i], 10, 3).x(10).f(curve.shear[i], 10, 3).end();
        }
    }

    // The curve must start at zero displacement and rise strictly. The first point is tested
    // even without a curve: the stored zero of an absent curve passes.
    int badPoint = 0;
    if (curve.displacement[1] != 0.0) {
        badPoint = 1;
    } else {
        for (int k = 2; k <= n; ++k) {
            const auto i = static_cast<std::size_t>(k);
            if (!(curve.displacement[i] > curve.displacement[i - 1])) {
                badPoint = k;
                break;
            }
        }
    }
    if (badPoint == 0) return;
    writeToBothFiles(run, [badPoint](Channel& c) {
        writeInputErrorHeading(c, 50);
        writeBlankLines(c, 1);
        Line(c)
            .text("Problem:   The input data for shear resistance at the pile tip appears to be in error at point ")
            .i(badPoint, 0)
            .text(".")
            .end();
        writeBlankLines(c, 1);
        writeTextLine(c, "Solution:  Check that the first point is (0,0) and that the x-values sucessively increase in deflection and magnitude.");
    });
    raiseInputError(run, 50);
}

void echoPyOutputDepths(Run& run) {
    PyOutputDepths& depths = run.model.pyOutputDepths;
    if (!depths.enabled) return;
    Channel& out = run.report;
    const double ground = run.model.soil.groundSurface;
    const double pileLength = run.model.sections.pileLength;
    writeEchoHeading(out, 3, 19, "Specified Depths for Output of p-y Curves");

    // Rebuild the list in input order from the depths between the ground surface and the pile
    // tip; the flag stays on only when a depth is kept. A depth outside that range stops the
    // run, leaving the list with the depths kept before it.
    const int n = boundedCount(depths.count, kMaxPyOutputDepths);
    depths.enabled = false;
    int kept = 0;
    for (int k = 1; k <= n; ++k) {
        const double d = depths.depth[static_cast<std::size_t>(k)];
        if (d < ground || d < 0.0) {
            depths.count = kept;
            writeToBothFiles(run, [](Channel& c) {
                writeInputErrorHeading(c, 29);
                writeBlankLines(c, 1);
                writeTextLine(c, "Problem:  A depth above the ground surface was specified for the printing");
                writeTextLine(c, "of a p-y curve.");
                writeBlankLines(c, 1);
                writeTextLine(c, "Solution:  Specify a depth between the ground surface and pile tip.");
                writeBlankLines(c, 1);
            });
            raiseInputError(run, 29);
            return;
        }
        if (d > pileLength) {
            depths.count = kept;
            const std::string& unit = run.units.DepthUnit;
            writeToBothFiles(run, [k, d, &unit](Channel& c) {
                writeInputErrorHeading(c, 30);
                writeBlankLines(c, 1);
                writeTextLine(c, "Problem:  Printing of a p-y curve was specified below the pile tip.");
                writeBlankLines(c, 1);
                writeTextLine(c, "Solution:  Specify printing depths only for depths above the pile tip.");
                writeBlankLines(c, 1);
                Line(c)
                    .text("Input Point ")
                    .i(k, 0)
                    .text(" at ")
                    .f(d, 7, 2)
                    .a(unit, 3)
                    .text(" was not printed because it is below the pile tip.")
                    .end();
            });
            raiseInputError(run, 30);
            return;
        }
        ++kept;
        depths.depth[static_cast<std::size_t>(kept)] = d;
        depths.enabled = true;
    }
    depths.count = kept;

    const std::string& unit = run.units.DepthUnit;
    Line(out).text("Lateral load-transfer (p-y) curves are computed and output at ").i(kept, 0).text(" depths.").end();
    writeTextLine(out, "(Note that these curves are independent from the curves used at nodal point depths)");
    writeBlankLines(out, 2);
    writeTextLine(out, "Depth      Depth Below Pile Head      Depth Below Ground Surface");
    Line(out).text(" No.").tab(22).text(unit).tab(49).text(unit).end();
    writeTextLine(out, "-----      ---------------------      --------------------------");
    for (int k = 1; k <= kept; ++k) {
        const double d = depths.depth[static_cast<std::size_t>(k)];
        Line(out).i(k, 3).f(d, 22, 3).f(d - ground, 27, 3).end();
    }
    writeBlankLines(out, 1);
    Line(out).text("Depth of ground surface below top of pile = ").f(ground, 10, 2).blanks(1).text(unit).end();
    writeBlankLines(out, 1);
}

void checkPyModifierStart(Run& run) {
    // Only a lateral analysis uses the multipliers.
    if (run.model.options.i_Analysis_Type == 2) return;
    const PyModifierTable& table = run.model.pyModifiers;
    if (table.count <= 0) return;
    const double first = table.depth[1];
    const double ground = run.model.soil.groundSurface;
    if (!(first < ground)) return;
    writeToBothFiles(run, [first, ground](Channel& c) {
        writeInputErrorHeading(c, 21);
        writeBlankLines(c, 1);
        writeTextLine(c, "Problem:  The depth for the first data for p-multipliers is ");
        Line(c).text("          located at ").es(first, 12, 4).text(" below the top of the pile.").end();
        Line(c).text("          The ground surface is located at ").es(ground, 12, 4).text(".").end();
        writeTextLine(c, "Solution:  Correct the input data so that the first depth for ");
        writeTextLine(c, "          the p-multiplier data is the same as the elevation as the ");
        writeTextLine(c, "          ground surface.");
    });
    raiseInputError(run, 21);
}

void checkCyclicLoading(Run& /*run*/) {
    // Nothing left to test here. The loading-type block already stops the run (input error
    // 28) for cyclic loading with fewer than 2 or more than 5,000 cycles, and that block is
    // written before this check runs; static loading uses no number of cycles. No further
    // condition on the cycles is defined, so this check can never fire.
}

}  // namespace mervik
