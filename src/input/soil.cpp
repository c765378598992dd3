// Reading the SOIL LAYERS block: the layer count, then per layer its model line and the
// property lines of its p-y model, and the profile values derived from the layers; the rock
// type table of the massive rock model.
#include "input/soil.hpp"

#include <array>
#include <string>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "input/item_lines.hpp"
#include "input/reader.hpp"
#include "report/layout.hpp"

namespace mervik {
namespace {

void writeUnknownModelMessage(Channel& channel, int layer, int code) {
    writeInputErrorHeading(channel, kErrUnknownModel);
    writeBlankLines(channel, 1);
    writeLayout(channel, R"("Problem:  Soil layer ",I0," has the p-y model code ",I0,", which is not one of the codes 1 to 17.")",
                {layer, code});
    writeTextLine(channel, "Solution:  Correct the model code of the layer.");
}

// Free-format targets by type, for the property reads below.
FreeItem item(double& v) { return realItem(v); }
FreeItem item(int& v) { return intItem(v); }

// One user-input curve: the line with the unit weight and the point count, then one line per
// point. The count is checked against the table before any point is stored.
bool readUserCurve(Run& run, double& gamma, UserPyCurve& curve, double depth) {
    int count = 0;
    if (!readFree(run, {realItem(gamma), intItem(count)})) return false;
    if (!checkCapacity(run, count, kMaxUserPyPoints, "points of a user-input p-y curve")) return false;
    curve.depth = depth;
    curve.count = count > 0 ? count : 0;  // a count below 1 reads no points
    for (int j = 1; j <= curve.count; ++j) {
        const auto k = static_cast<std::size_t>(j);
        if (!readFree(run, {realItem(curve.y[k]), realItem(curve.p[k])})) return false;
    }
    return true;
}

// The property lines of one layer's model, the values at the top first, then those at the
// bottom. Each line is one free-format read.
bool readProperties(Run& run, SoilLayer& s) {
    // Reads the same items from the top line and then from the bottom line.
    auto both = [&run](auto&&... pairs) {
        return readFree(run, {item(pairs.top)...}) && readFree(run, {item(pairs.bottom)...});
    };
    switch (s.modelCode) {
        case kPySoftClay:
        case kPyStiffClayNoFreeWater:
            return both(s.gamma, s.cohesion, s.eps50);
        case kPySoftClayJ:
            return both(s.gamma, s.cohesion, s.eps50, s.jFactor);
        case kPyStiffClayFreeWater:
        case kPyStiffClayNoFreeWaterK:
            return both(s.gamma, s.cohesion, s.eps50, s.kpy);
        case kPySand:
        case kPyApiSand:
            return both(s.gamma, s.phi, s.kpy);
        case kPyLiquefiedSand:
            return both(s.gamma);
        case kPyWeakRock:  // unit weight, qu, initial rock modulus, RQD, krm
            return both(s.gamma, s.cohesion, s.kpy, s.rqd, s.eps50);
        case kPyVuggyLimestone:  // unit weight, qu
            return both(s.gamma, s.cohesion);
        case kPyPiedmont:  // all four test values are given whichever test is named
            return both(s.gamma, s.testType, s.sptN60, s.coneTip, s.dmtModulus, s.pmtModulus);
        case kPyCementedSilt:
            return both(s.gamma, s.cohesion, s.phi, s.eps50, s.kpy);
        case kPyLoess:
            return both(s.gamma, s.coneTip);
        case kPyElasticSubgrade:
            return both(s.gamma, s.elasticSubgrade);
        case kPyUserCurves:
            return readUserCurve(run, s.gamma.top, s.userCurveTop, s.depthTop) &&
                   readUserCurve(run, s.gamma.bottom, s.userCurveBottom, s.depthBottom);
        case kPyMassiveRock:  // unit weight, qu, rock type, GSI, a fourth value kept as read
            return both(s.gamma, s.rockQu, s.rockType, s.gsi, s.massRockValue4);
        default:  // Frz Soil: no property lines
            return true;
    }
}

}  // namespace

void readSoilLayers(Run& run) {
    setInputSection(run, "SOIL LAYERS");
    writeTextLine(run.messages, "Reading soil layering data");
    SoilProfile& profile = run.model.soil;

    int count = 0;
    if (!readInt(run, count)) return;
    if (!checkCapacity(run, count, kMaxLayers, "soil layers")) return;

    int accepted = 0;
    for (int i = 1; i <= count; ++i) {
        int code = 0;
        double top = 0.0, bottom = 0.0;
        if (!readFree(run, {intItem(code), realItem(top), realItem(bottom)})) return;
        const int layerLine = run.input.lineNumber;
        if (code < kFirstPyModelCode || code > kLastPyModelCode) {
            // A layer without a model would leave the layers after it out of step with their
            // property lines, so the file is rejected here.
            writeUnknownModelMessage(run.messages, i, code);
            writeUnknownModelMessage(run.report, i, code);
            raiseInputError(run, kErrUnknownModel);
            return;
        }
        // A layer read again (a second SOIL LAYERS block) starts from a blank record, so that
        // no property of a previous model survives.
        SoilLayer& layer = profile.layer[static_cast<std::size_t>(i)];
        layer = SoilLayer{};
        layer.modelCode = code;
        layer.depthTop = top;
        layer.depthBottom = bottom;
        for (const void* item : {static_cast<const void*>(&layer.modelCode), static_cast<const void*>(&layer.depthTop),
                                 static_cast<const void*>(&layer.depthBottom)})
            recordItemLine(run, item, layerLine);
        if (!readProperties(run, layer)) return;

        ++accepted;
        profile.propertyDepth[static_cast<std::size_t>(2 * accepted - 1)] = top;
        profile.propertyDepth[static_cast<std::size_t>(2 * accepted)] = bottom;
    }

    profile.layerCount = accepted;
    profile.propertyPointCount = 2 * accepted;
    profile.groundSurface = profile.layer[1].depthTop;
}

namespace {

struct RockTypeEntry {
    std::string_view name;
    int mi;
};

// Named rock types 1 to 42 with their Hoek-Brown mi.
constexpr std::array<RockTypeEntry, 42> kNamedRockTypes = {{
    {"anhydrite", 12}, {"breccias", 20}, {"chalk", 7}, {"claystones", 4}, {"conglomerates", 21},
    {"dolomites", 9}, {"greywackes", 18}, {"gypsum", 10}, {"marls", 7}, {"sandstones", 17},
    {"siltstones", 7}, {"shales", 6}, {"crystalline limestones", 12}, {"micritic limestones", 8},
    {"sparitic limestones", 10},
    {"amphibolites", 26}, {"gneiss", 28}, {"hornfels", 19}, {"marble", 9}, {"metasandstone", 19},
    {"migmatite", 29}, {"phyllites", 7}, {"quartzites", 20}, {"schists", 10}, {"slates", 7},
    {"agglomerate", 19}, {"andesite", 25}, {"basalt", 25}, {"breccia", 19}, {"dacite", 25},
    {"diabase", 15}, {"diorite", 25}, {"dolerite", 16}, {"gabbro", 27}, {"granite", 32},
    {"granodiorite", 29}, {"norite", 20}, {"obsidian", 19}, {"perioditite", 25}, {"porphyries", 20},
    {"rhyolite", 25}, {"tuff", 13},
}};

constexpr int kLastSedimentary = 15;
constexpr int kLastMetamorphic = 25;
constexpr int kLastIgneous = 42;
constexpr int kLastRockType = 71;

}  // namespace

std::optional<RockType> rockTypeOf(int code) {
    if (code < 1 || code > kLastRockType) return std::nullopt;
    // Unclassified rock: the code itself carries mi, from 4 (code 43) to 32 (code 71).
    if (code > kLastIgneous) return RockType{"unclassified", "User-defined", static_cast<double>(code - 39)};
    const RockTypeEntry& entry = kNamedRockTypes[static_cast<std::size_t>(code - 1)];
    const std::string_view group = code <= kLastSedimentary   ? "sedimentary"
                                   : code <= kLastMetamorphic ? "metamorphic"
                                                              : "igneous";
    return RockType{group, entry.name, static_cast<double>(entry.mi)};
}

std::optional<double> hoekBrownMiForRockType(int code) {
    if (const auto rock = rockTypeOf(code)) return rock->mi;
    return std::nullopt;
}

}  // namespace mervik
