// Readers of the pile-head loading block and the two LRFD blocks of the input data file.
#include "input/loading.hpp"

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "input/reader.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

inline constexpr int kMaxLrfdDistributedPoints = 100;  // largest count the LRFD format allows
inline constexpr double kDefaultResistanceFactor = 0.75;

// The LRFD error texts open with two empty lines and a heading with five asterisks on each
// side, and close with two empty lines; they go to the report only.
void writeLrfdErrorHeading(Run& run, int n) {
    writeBlankLines(run.report, 2);
    Line(run.report).text("***** Input Data Error No. ").i(n, 0).text(" *****").end();
    writeBlankLines(run.report, 1);
}

void lrfdGroupCountError(Run& run, int count) {
    writeLrfdErrorHeading(run, 98);
    Line(run.report).text("Number of LRFD loads specified is ").i(count, 0).end();
    writeTextLine(run.report, "This is outside of the valid range to 1 to 100");
    writeBlankLines(run.report, 2);
    raiseInputError(run, 98);
}

void lrfdGroupOrderError(Run& run, int input, int expected) {
    writeLrfdErrorHeading(run, 97);
    writeTextLine(run.report, "Input appears to be out-of-order for LRFD loading");
    Line(run.report)
        .text("Input load number is ").i(input, 0)
        .text(" and the expected load number is ").i(expected, 0)
        .end();
    writeBlankLines(run.report, 2);
    raiseInputError(run, 97);
}

void lrfdPointOrderError(Run& run, int group, int input, int expected) {
    writeLrfdErrorHeading(run, 96);
    Line(run.report).text("Input appears to be out-of-order for LRFD distributed load ").i(group, 0).end();
    writeBlankLines(run.report, 1);
    Line(run.report).text("Input distributed load point is ").i(input, 0).end();
    Line(run.report).text(" and the expected point number is ").i(expected, 0).end();
    writeBlankLines(run.report, 2);
    raiseInputError(run, 96);
}

void lrfdPointCountError(Run& run, int group, int count) {
    writeLrfdErrorHeading(run, 95);
    Line(run.report)
        .text("Number of distributed load points for LRFD load number ").i(group, 0)
        .text(" is outside of the valid range of 0 or 2 to 100.")
        .end();
    writeBlankLines(run.report, 1);
    Line(run.report).text("The input number of distributed load points is ").i(count, 0).end();
    writeBlankLines(run.report, 2);
    raiseInputError(run, 95);
}

void lrfdCombinationCountError(Run& run, int count) {
    writeLrfdErrorHeading(run, 94);
    writeTextLine(run.report, "Number of LRFD load combinations outside of the valid range of 1 to 100.");
    writeBlankLines(run.report, 1);
    Line(run.report).text("Number of LRFD load combinations input is ").i(count, 0).end();
    writeBlankLines(run.report, 2);
    raiseInputError(run, 94);
}

// Only the text: error 72 is raised once, after the whole block has been read.
void writeZeroFactorsMessage(Run& run, int combination) {
    writeLrfdErrorHeading(run, 72);
    writeTextLine(run.report, "All input load factors for LRFD analysis are zero.");
    writeBlankLines(run.report, 1);
    Line(run.report).text("The number of the LRFD load combination in error is ").i(combination, 0).end();
    writeBlankLines(run.report, 2);
}

}  // namespace

void readLoading(Run& run) {
    setInputSection(run, "LOADING");
    writeTextLine(run.messages, "Reading pile head loading data");
    Loading& loading = run.model.loading;

    int caseCount = 0;
    if (!readInt(run, caseCount)) return;
    if (!checkCapacity(run, caseCount, kMaxLoadCases, "pile-head load cases")) return;
    loading.loadCaseCount = caseCount;

    for (int i = 1; i <= caseCount; ++i) {
        PileHeadLoad& load = loading.loadCase[i];
        int loadNumber = 0;
        // A flag of 1 switches the deflection-versus-length computation off; anything else
        // switches it on. Starting from the stored state keeps it when the line ends early.
        int flag = load.computeTopYvsLength ? 0 : 1;
        if (!readFree(run, {intItem(loadNumber), intItem(load.loadType), realItem(load.condition1),
                            realItem(load.condition2), realItem(load.axialThrust), intItem(flag)}))
            return;
        load.computeTopYvsLength = flag != 1;
    }

    DistributedLoad& distributed = loading.distributed;
    int pointCount = 0;
    if (!readInt(run, pointCount)) return;
    if (pointCount <= 0) {
        distributed.count = pointCount;
        for (int k = 1; k <= 2; ++k) {
            distributed.depth[k] = 0.0;
            distributed.load[k] = 0.0;
        }
        return;
    }
    if (!checkCapacity(run, pointCount, kMaxDistributedPoints, "distributed load points")) return;
    distributed.count = pointCount;
    for (int k = 1; k <= pointCount; ++k) {
        int pointNumber = 0;
        if (!readFree(run, {intItem(pointNumber), realItem(distributed.depth[k]), realItem(distributed.load[k])}))
            return;
    }
}

void readLrfdLoads(Run& run) {
    setInputSection(run, "LRFD LOADS");
    writeTextLine(run.messages, "Reading LRFD unfactored load data");
    Lrfd& lrfd = run.model.lrfd;

    int groupCount = 0;
    if (!readInt(run, groupCount)) return;
    if (groupCount < 1 || groupCount > kMaxLrfd) {
        lrfdGroupCountError(run, groupCount);
        return;
    }
    lrfd.groupCount = groupCount;

    for (int i = 1; i <= groupCount; ++i) {
        LrfdLoadGroup& group = lrfd.group[i];
        int groupNumber = 0;
        // The point count is stored only once it is known to fit the tables.
        int pointCount = group.distPointCount;
        if (!readFree(run, {intItem(groupNumber), intItem(group.lrfdLoadType), realItem(group.horizontalForce),
                            realItem(group.headMoment), realItem(group.axialLoad), intItem(pointCount)}))
            return;
        if (groupNumber != i) {
            lrfdGroupOrderError(run, groupNumber, i);
            return;
        }
        if (pointCount == 0) {
            group.distPointCount = 0;
            continue;
        }
        if (pointCount < 2 || pointCount > kMaxLrfdDistributedPoints) {
            lrfdPointCountError(run, i, pointCount);
            return;
        }
        if (!checkCapacity(run, pointCount, kMaxDistributedPoints, "distributed load points")) return;
        group.distPointCount = pointCount;
        for (int k = 1; k <= pointCount; ++k) {
            int pointNumber = 0;
            if (!readFree(run, {intItem(pointNumber), realItem(group.distDepth[k]), realItem(group.distLoad[k])}))
                return;
            if (pointNumber != k) {
                lrfdPointOrderError(run, i, pointNumber, k);
                return;
            }
        }
    }
}

void readLrfdCombinations(Run& run) {
    setInputSection(run, "LRFD FACTORS AND CASES");
    writeTextLine(run.messages, "Reading LRFD load and resistance factor data ");
    Lrfd& lrfd = run.model.lrfd;

    int combinationCount = 0;
    if (!readInt(run, combinationCount)) return;
    if (combinationCount < 1 || combinationCount > kMaxLrfd) {
        lrfdCombinationCountError(run, combinationCount);
        return;
    }
    lrfd.combinationCount = combinationCount;

    // A combination whose load factors add up to zero or less is reported at once, but the
    // block is read to its end so that every such combination is reported; the error is
    // raised once, after the last combination.
    bool zeroFactorSum = false;
    for (int i = 1; i <= combinationCount; ++i) {
        LrfdCombination& combination = lrfd.combination[i];
        auto& f = combination.loadFactors;
        int combinationNumber = 0;
        if (!readFree(run, {intItem(combinationNumber), realItem(f[1]), realItem(f[2]), realItem(f[3]),
                            realItem(f[4]), realItem(f[5]), realItem(f[6]), realItem(f[7]), realItem(f[8]),
                            realItem(f[9]), realItem(f[10]), realItem(f[11]), realItem(f[12]), realItem(f[13]),
                            realItem(combination.flexureResistanceFactor),
                            realItem(combination.shearResistanceFactor)}))
            return;
        if (!readTextLine(run, combination.combinationName)) return;

        if (combination.flexureResistanceFactor <= 0.0) combination.flexureResistanceFactor = kDefaultResistanceFactor;
        if (combination.shearResistanceFactor <= 0.0) combination.shearResistanceFactor = kDefaultResistanceFactor;

        double factorSum = 0.0;
        for (int t = 1; t <= kLrfdLoadTypeCount; ++t) factorSum += f[t];
        if (factorSum <= 0.0) {
            writeZeroFactorsMessage(run, i);
            zeroFactorSum = true;
        }
    }
    if (zeroFactorSum) raiseInputError(run, 72);
}

}  // namespace mervik
