// Physical plausibility of the input model: the checks made once after the echo, before the
// section and lateral analyses.
#include "input/plausibility.hpp"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

// The value as the user wrote it, to six significant digits ("-1", "15", "1E+308").
std::string valueText(double value) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.6G", value);
    return text.data();
}

// Writes the two lines of the problem, the solution line, to the message file and the report,
// then raises input error n.
void plausibilityError(Run& run, int n, const std::string& problem, const std::string& detail) {
    for (Channel* channel : {&run.messages, &run.report}) {
        writeBlankLines(*channel, 1);
        writeInputErrorHeading(*channel, n);
        writeBlankLines(*channel, 1);
        writeTextLine(*channel, "Problem:  " + problem);
        writeTextLine(*channel, "          " + detail);
        writeTextLine(*channel, "Solution:  Correct the value in the input data.");
        writeBlankLines(*channel, 1);
    }
    raiseInputError(run, n);
}

// True when the value is finite and below the largest magnitude the analysis can carry.
bool representable(double value) { return std::fabs(value) <= kMaxInputMagnitude; }

bool checkMagnitude(Run& run, double value, std::string_view what, const std::string& where) {
    if (representable(value)) return true;
    plausibilityError(run, kErrValueTooLarge,
                      "The " + std::string(what) + " of " + where + " is " + valueText(value) + ".",
                      "No value may be larger than 1.0000E+20 in magnitude or other than a finite number.");
    return false;
}

bool checkPositive(Run& run, double value, std::string_view what, int section) {
    const std::string where = "pile section " + std::to_string(section) + " (SECTIONS section)";
    if (!checkMagnitude(run, value, what, where)) return false;
    if (value > 0.0) return true;
    plausibilityError(run, kErrNonPositiveSectionValue,
                      "The " + std::string(what) + " of " + where + " is " + valueText(value) + ".",
                      "This value must be greater than zero.");
    return false;
}

bool usesConcrete(int type) { return (type >= 0 && type <= 3) || (type >= 5 && type <= 10); }

bool checkSection(Run& run, const PileSection& s, int k) {
    const int type = s.sectionType;
    if (type == 14) return true;  // a micropile takes no part in the analysis
    if (!checkPositive(run, s.sectionLength, "length", k)) return false;
    if (usesConcrete(type) && !checkPositive(run, s.concreteStrength, "concrete compressive strength", k)) return false;
    if ((type == 2 || type == 3 || type == 4) && !checkPositive(run, s.casingModulus, "steel modulus of elasticity", k))
        return false;
    if (type >= 0 && type <= 3 && s.barCount > 0 &&
        !checkPositive(run, s.barModulus, "modulus of elasticity of the bars", k))
        return false;
    if ((type == 11 || type == 12) && !checkPositive(run, s.elasticModulus, "modulus of elasticity", k)) return false;
    return true;
}

// The real soil properties a layer can hold, with the names the error text gives them.
    struct Property {
        const TopBottom<double> SoilLayer::*field;
        std::string_view name;
    };
constexpr Property kProperties[] = {
        {&SoilLayer::gamma, "effective unit weight"},
        {&SoilLayer::cohesion, "cohesion or compressive strength"},
        {&SoilLayer::eps50, "strain factor (or k rm)"},
        {&SoilLayer::jFactor, "J factor"},
        {&SoilLayer::phi, "friction angle"},
        {&SoilLayer::kpy, "subgrade modulus (or initial rock modulus)"},
        {&SoilLayer::rqd, "RQD"},
        {&SoilLayer::sptN60, "SPT N60"},
        {&SoilLayer::coneTip, "cone tip resistance"},
        {&SoilLayer::dmtModulus, "dilatometer modulus"},
        {&SoilLayer::pmtModulus, "pressuremeter modulus"},
        {&SoilLayer::elasticSubgrade, "elastic subgrade modulus"},
        {&SoilLayer::rockQu, "uniaxial compressive strength"},
        {&SoilLayer::gsi, "geological strength index"},
        {&SoilLayer::massRockValue4, "fourth rock value"},
    };

bool checkSoilLayer(Run& run, const SoilLayer& layer, int k) {
    const std::string where = "soil layer " + std::to_string(k) + " (SOIL LAYERS section)";
    for (const Property& p : kProperties) {
        const TopBottom<double>& value = layer.*p.field;
        if (!checkMagnitude(run, value.top, std::string(p.name) + " at the top", where)) return false;
        if (!checkMagnitude(run, value.bottom, std::string(p.name) + " at the bottom", where)) return false;
    }
    for (const UserPyCurve* curve : {&layer.userCurveTop, &layer.userCurveBottom}) {
        for (int i = 1; i <= curve->count && i <= kMaxUserPyPoints; ++i) {
            const auto n = static_cast<std::size_t>(i);
            const std::string point = "p-y point " + std::to_string(i);
            if (!checkMagnitude(run, curve->y[n], "y of " + point, where)) return false;
            if (!checkMagnitude(run, curve->p[n], "p of " + point, where)) return false;
        }
    }
    return true;
}

// The layer depths as read (the echo has made the layer tops contiguous since): every layer
// runs downwards and begins at or below the bottom of the layer above it.
bool checkLayerDepths(Run& run) {
    const SoilProfile& soil = run.model.soil;
    for (int k = 1; k <= soil.layerCount; ++k) {
        const double top = soil.propertyDepth[static_cast<std::size_t>(2 * k - 1)];
        const double bottom = soil.propertyDepth[static_cast<std::size_t>(2 * k)];
        const std::string where = "soil layer " + std::to_string(k) + " (SOIL LAYERS section)";
        if (!checkMagnitude(run, top, "depth of the top", where) ||
            !checkMagnitude(run, bottom, "depth of the bottom", where))
            return false;
        if (bottom < top) {
            plausibilityError(run, kErrInvertedLayer,
                              "The bottom of " + where + " at " + valueText(bottom) + " lies above its top at " +
                                  valueText(top) + ".",
                              "Every layer must have its bottom at or below its top.");
            return false;
        }
        if (k > 1) {
            const double bottomAbove = soil.propertyDepth[static_cast<std::size_t>(2 * k - 2)];
            if (top < bottomAbove) {
                plausibilityError(run, kErrOverlappingLayers,
                                  "The top of " + where + " at " + valueText(top) + " lies above the bottom of soil layer " +
                                      std::to_string(k - 1) + " at " + valueText(bottomAbove) + ".",
                                  "Soil layers must not overlap: each layer begins at or below the bottom of the one above.");
                return false;
            }
        }
    }
    return true;
}

bool checkLoadCases(Run& run) {
    const Loading& loading = run.model.loading;
    for (int j = 1; j <= loading.loadCaseCount && j <= kMaxLoadCases; ++j) {
        const PileHeadLoad& load = loading.loadCase[static_cast<std::size_t>(j)];
        const std::string where = "load case " + std::to_string(j) + " (LOADING section)";
        if (load.loadType < 1 || load.loadType > 5) {
            plausibilityError(run, kErrLoadType,
                              "The type of pile-head loading of " + where + " is " + std::to_string(load.loadType) + ".",
                              "The type of pile-head loading must be 1, 2, 3, 4 or 5.");
            return false;
        }
        if (!checkMagnitude(run, load.condition1, "first boundary condition", where) ||
            !checkMagnitude(run, load.condition2, "second boundary condition", where) ||
            !checkMagnitude(run, load.axialThrust, "axial thrust", where))
            return false;
    }
    return true;
}

}  // namespace

void checkInputPlausibility(Run& run) {
    const AnalysisModel& model = run.model;
    for (int k = 1; k <= model.sections.count; ++k) {
        if (!checkSection(run, model.sections.section[static_cast<std::size_t>(k)], k)) return;
    }
    if (model.options.i_Analysis_Type != 3) return;
    if (!checkLayerDepths(run)) return;
    for (int k = 1; k <= model.soil.layerCount; ++k) {
        if (!checkSoilLayer(run, model.soil.layer[static_cast<std::size_t>(k)], k)) return;
    }
    if (!model.options.useLrfd && !checkLoadCases(run)) return;
}

}  // namespace mervik
