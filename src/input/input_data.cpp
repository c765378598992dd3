// The input data file as a whole: the loop over its sections, the small sections read directly
// here, and the list of distinct axial thrusts built once END has been read.
#include <algorithm>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "input/model.hpp"
#include "input/options.hpp"
#include "input/reader.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

constexpr double kPi = 3.141592653589793;

void readTitle(Run& run) {
    writeTextLine(run.messages, "Reading title data");
    for (int k = 1; k <= 5; ++k) {
        if (!readTextLine(run, run.model.title[static_cast<std::size_t>(k)])) return;
    }
}

// Axial thrusts of a run that computes the section capacities and stiffnesses only; they take
// the place of the load cases' thrust column.
void readAxialThrustLoads(Run& run) {
    Loading& loading = run.model.loading;
    int n = 0;
    if (!readInt(run, n)) return;
    if (n < 1) {
        loading.loadCaseCount = 1;
        return;
    }
    if (!checkCapacity(run, n, kMaxLoadCases, "axial thrust loads")) return;
    writeTextLine(run.messages, "Reading axial thrust force data for EI-only computations");
    int entry = 0;
    for (int k = 1; k <= n; ++k) {
        if (!readFree(run, {intItem(entry), realItem(loading.loadCase[static_cast<std::size_t>(k)].axialThrust)})) return;
    }
    loading.loadCaseCount = n;
    // Only the thrust column is put in ascending order.
    Table<double, kMaxLoadCases> thrust{};
    for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k) thrust[k] = loading.loadCase[k].axialThrust;
    std::sort(thrust.begin() + 1, thrust.begin() + 1 + n);
    for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k) loading.loadCase[k].axialThrust = thrust[k];
}

void readTipShear(Run& run) {
    TipShearCurve& tip = run.model.tipShear;
    int n = 0;
    if (!readInt(run, n)) return;
    if (!checkCapacity(run, n, kMaxTipShearPoints, "tip shear points")) return;
    tip.count = std::max(n, 0);
    if (n <= 0) return;
    writeTextLine(run.messages, "Reading tip shear data");
    int point = 0;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k) {
        if (!readFree(run, {intItem(point), realItem(tip.displacement[k]), realItem(tip.shear[k])})) return;
    }
}

// The first line holds the ground slope, the second the pile batter, both in degrees.
void readBatterAndSlope(Run& run) {
    writeTextLine(run.messages, "Reading pile batter and ground slope angles");
    double slope = 0.0, batter = 0.0;
    if (!readReal(run, slope)) return;
    if (!readReal(run, batter)) return;
    SlopeAngles& angles = run.model.slope;
    angles.groundSlope = slope * kPi / 180.0;
    angles.pileBatter = batter * kPi / 180.0;
    angles.effectiveSlope = angles.groundSlope - angles.pileBatter;
}

void readPyModifiers(Run& run) {
    PyModifierTable& table = run.model.pyModifiers;
    int n = 0;
    if (!readInt(run, n)) return;
    if (!checkCapacity(run, n, kMaxPyModifierPoints, "p-y multiplier points")) return;
    table.count = n;
    if (n <= 0) return;
    writeTextLine(run.messages, "Reading p-y multiplier data");
    int point = 0;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k) {
        if (!readFree(run, {intItem(point), realItem(table.depth[k]), realItem(table.pMultiplier[k]),
                            realItem(table.yMultiplier[k])}))
            return;
    }
}

void readSoilMovements(Run& run) {
    if (!run.model.options.useSoilMovement) return;
    writeTextLine(run.messages, "Reading soil movement data");
    int n = 0;
    if (!readInt(run, n)) return;
    if (n < 2 || n > kMaxSoilMovementPoints) {
        for (Channel* channel : {&run.messages, &run.report}) {
            writeInputErrorHeading(*channel, 53);
            writeBlankLines(*channel, 1);
            writeLayout(*channel, R"("Number of lines specified for soil movement data = ",I0)", {n});
            writeTextLine(*channel, "The number of lines of soil movement data cannot be less than 2 or exceed 100.");
            writeBlankLines(*channel, 1);
        }
        raiseInputError(run, 53);
        return;
    }
    SoilMovementProfile& profile = run.model.soilMovement;
    int point = 0;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k) {
        if (!readFree(run, {intItem(point), realItem(profile.depth[k]), realItem(profile.movement[k])})) return;
        // Movements are given in millimeters in SI and kept in meters.
        if (run.model.options.IUNITS == kSI) profile.movement[k] /= 1000.0;
    }
    profile.count = n;
}

void readPyOutputDepths(Run& run) {
    PyOutputDepths& depths = run.model.pyOutputDepths;
    if (!depths.enabled) return;
    writeTextLine(run.messages, "Reading p-y output depths data");
    int n = 0;
    if (!readInt(run, n)) return;
    if (!checkCapacity(run, n, kMaxPyOutputDepths, "p-y output depths")) return;
    depths.count = std::max(n, 0);
    int entry = 0;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(std::max(n, 0)); ++k) {
        if (!readFree(run, {intItem(entry), realItem(depths.depth[k])})) return;
    }
}

// The distinct axial thrusts, ascending, for which every section gets its moment-curvature
// relations: from the LRFD loading groups or from the load cases; kips in US units.
void buildAxialThrustList(Run& run) {
    AnalysisModel& m = run.model;
    if (m.options.computeInteraction || m.sections.count < 1) return;
    Table<double, kMaxAxialThrusts> work{};
    int n = 0;
    if (m.options.useLrfd) {
        n = std::clamp(m.lrfd.groupCount, 0, kMaxAxialThrusts);
        for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k) work[k] = m.lrfd.group[k].axialLoad;
    } else {
        n = std::clamp(m.loading.loadCaseCount, 0, kMaxAxialThrusts);
        for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k) work[k] = m.loading.loadCase[k].axialThrust;
    }
    if (m.options.IUNITS == kUSCS) {
        for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k) work[k] /= 1000.0;
    }
    std::sort(work.begin() + 1, work.begin() + 1 + n);
    AxialThrustList& list = m.axialThrusts;
    list = AxialThrustList{};
    for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k) {
        const bool repeated = std::find(list.thrust.begin() + 1, list.thrust.begin() + 1 + list.count, work[k]) !=
                              list.thrust.begin() + 1 + list.count;
        if (list.count > 0 && repeated) continue;
        list.thrust[static_cast<std::size_t>(++list.count)] = work[k];
    }
}

struct SectionReader {
    std::string_view header;
    void (*read)(Run&);
};

constexpr SectionReader kSectionReaders[] = {
    {"TITLE", readTitle},
    {"OPTIONS", readOptions},
    {"SECTIONS", readSections},
    {"AXIAL THRUST LOADS", readAxialThrustLoads},
    {"SOIL LAYERS", readSoilLayers},
    {"TIP SHEAR", readTipShear},
    {"PILE BATTER AND SLOPE", readBatterAndSlope},
    {"GROUPEFF", readPyModifiers},
    {"GROUP EFFECT FACTORS", readPyModifiers},
    {"LRFD LOADS", readLrfdLoads},
    {"LRFD FACTORS AND CASES", readLrfdCombinations},
    {"LOADING", readLoading},
    {"SOIL MOVEMENTS", readSoilMovements},
    {"DEPTHS OF PRINTED P-Y CURVES", readPyOutputDepths},
};

}  // namespace

void readInputData(Run& run) {
    writeTextLine(run.messages, "Input of data begun");
    std::string line;
    for (;;) {
        setInputSection(run, "");
        if (!readTextLine(run, line)) return;
        const SectionReader* reader = nullptr;
        for (const SectionReader& r : kSectionReaders)
            if (sameText(line, r.header)) reader = &r;
        if (reader == nullptr) break;
        setInputSection(run, reader->header);
        reader->read(run);
        if (run.failed()) return;
    }
    setInputSection(run, "");
    if (!sameText(line, "END")) {
        unrecognizedLineError(run, line);
        return;
    }
    buildAxialThrustList(run);
}

}  // namespace mervik
