// Findings on the input model as read: the impossible values the run refuses and the unlikely
// ones the input check reports.
#include "input/findings.hpp"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "engine/run.hpp"
#include "input/item_lines.hpp"
#include "input/plausibility.hpp"

namespace mervik {

namespace {

constexpr std::string_view kSections = "SECTIONS";
constexpr std::string_view kSoilLayers = "SOIL LAYERS";
constexpr std::string_view kLoading = "LOADING";
constexpr std::string_view kOptions = "OPTIONS";

void add(InputFindings& findings, int error, std::string_view section, int line, std::string problem,
         std::string detail) {
    findings.push_back({error, std::string(section), line, std::move(problem), std::move(detail)});
}

// ---------------------------------------------------------------------------------------------
// Impossible values (input errors 80 to 84).

// True when the value is finite and below the largest magnitude the analysis can carry.
bool representable(double value) { return std::fabs(value) <= kMaxInputMagnitude; }

// A value that is no finite number or too large: input error 84.
bool checkMagnitude(InputFindings& f, double value, std::string_view what, std::string_view section, int line,
                    const std::string& where) {
    if (representable(value)) return true;
    add(f, kErrValueTooLarge, section, line, "The " + std::string(what) + " of " + where + " is " + valueText(value) + ".",
        "No value may be larger than 1.0000E+20 in magnitude or other than a finite number.");
    return false;
}

// A section value that must be above zero: input error 84 or 80.
void checkPositive(const Run& run, InputFindings& f, const double& value, std::string_view what, int section) {
    const int line = itemLine(run, &value);
    const std::string where = itemPlace("pile section " + std::to_string(section), kSections, line);
    if (!checkMagnitude(f, value, what, kSections, line, where) || value > 0.0) return;
    add(f, kErrNonPositiveSectionValue, kSections, line,
        "The " + std::string(what) + " of " + where + " is " + valueText(value) + ".", "This value must be greater than zero.");
}

bool usesConcrete(int type) { return (type >= 0 && type <= 3) || (type >= 5 && type <= 10); }

void impossibleSection(const Run& run, InputFindings& f, const PileSection& s, int k) {
    const int type = s.sectionType;
    if (type == kMicropile) return;  // a micropile takes no part in the analysis
    checkPositive(run, f, s.sectionLength, "length", k);
    if (usesConcrete(type)) checkPositive(run, f, s.concreteStrength, "concrete compressive strength", k);
    if (type == 2 || type == 3 || type == 4) checkPositive(run, f, s.casingModulus, "steel modulus of elasticity", k);
    if (type >= 0 && type <= 3 && s.barCount > 0) checkPositive(run, f, s.barModulus, "modulus of elasticity of the bars", k);
    if (type == kElasticPile || type == kElasticPlasticPile) checkPositive(run, f, s.elasticModulus, "modulus of elasticity", k);
}

// The real soil properties a layer can hold, with the names the texts give them.
struct Property {
    TopBottom<double> SoilLayer::*field;
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

std::string layerName(int k) { return "soil layer " + std::to_string(k); }

void impossibleSoilLayer(const Run& run, InputFindings& f, const SoilLayer& layer, int k) {
    for (const Property& p : kProperties) {
        const TopBottom<double>& value = layer.*p.field;
        for (const auto& [v, end] : {std::pair{&value.top, " at the top"}, std::pair{&value.bottom, " at the bottom"}}) {
            const int line = itemLine(run, v);
            checkMagnitude(f, *v, std::string(p.name) + end, kSoilLayers, line, itemPlace(layerName(k), kSoilLayers, line));
        }
    }
    for (const UserPyCurve* curve : {&layer.userCurveTop, &layer.userCurveBottom}) {
        for (int i = 1; i <= curve->count && i <= kMaxUserPyPoints; ++i) {
            const auto n = static_cast<std::size_t>(i);
            const std::string point = "p-y point " + std::to_string(i);
            for (const auto& [v, what] : {std::pair{&curve->y[n], "y of "}, std::pair{&curve->p[n], "p of "}}) {
                const int line = itemLine(run, v);
                checkMagnitude(f, *v, what + point, kSoilLayers, line, itemPlace(layerName(k), kSoilLayers, line));
            }
        }
    }
}

// The layer depths as read (the echo makes the layer tops contiguous later): every layer runs
// downwards and begins at or below the bottom of the layer above it.
void impossibleLayerDepths(const Run& run, InputFindings& f) {
    const SoilProfile& soil = run.model.soil;
    for (int k = 1; k <= soil.layerCount; ++k) {
        const SoilLayer& layer = soil.layer[static_cast<std::size_t>(k)];
        const double top = soil.propertyDepth[static_cast<std::size_t>(2 * k - 1)];
        const double bottom = soil.propertyDepth[static_cast<std::size_t>(2 * k)];
        const int line = itemLine(run, &layer.depthTop);
        const std::string where = itemPlace(layerName(k), kSoilLayers, line);
        if (!checkMagnitude(f, top, "depth of the top", kSoilLayers, line, where) ||
            !checkMagnitude(f, bottom, "depth of the bottom", kSoilLayers, line, where))
            continue;
        if (bottom < top) {
            add(f, kErrInvertedLayer, kSoilLayers, line,
                "The bottom of " + where + " at " + valueText(bottom) + " lies above its top at " + valueText(top) + ".",
                "Every layer must have its bottom at or below its top.");
            continue;
        }
        if (k > 1) {
            const double bottomAbove = soil.propertyDepth[static_cast<std::size_t>(2 * k - 2)];
            if (top < bottomAbove) {
                add(f, kErrOverlappingLayers, kSoilLayers, line,
                    "The top of " + where + " at " + valueText(top) + " lies above the bottom of soil layer " +
                        std::to_string(k - 1) + " at " + valueText(bottomAbove) + ".",
                    "Soil layers must not overlap: each layer begins at or below the bottom of the one above.");
            }
        }
    }
}

void impossibleLoadCases(const Run& run, InputFindings& f) {
    const Loading& loading = run.model.loading;
    for (int j = 1; j <= loading.loadCaseCount && j <= kMaxLoadCases; ++j) {
        const PileHeadLoad& load = loading.loadCase[static_cast<std::size_t>(j)];
        const int line = itemLine(run, &load.loadType);
        const std::string where = itemPlace("load case " + std::to_string(j), kLoading, line);
        if (load.loadType < 1 || load.loadType > 5) {
            add(f, kErrLoadType, kLoading, line,
                "The type of pile-head loading of " + where + " is " + std::to_string(load.loadType) + ".",
                "The type of pile-head loading must be 1, 2, 3, 4 or 5.");
            continue;
        }
        checkMagnitude(f, load.condition1, "first boundary condition", kLoading, line, where) &&
            checkMagnitude(f, load.condition2, "second boundary condition", kLoading, line, where) &&
            checkMagnitude(f, load.axialThrust, "axial thrust", kLoading, line, where);
    }
}

// ---------------------------------------------------------------------------------------------
// Unlikely values.

// Cross-section dimensions are held in meters in SI; the user wrote millimeters.
std::string dimensionText(const Run& run, double value) {
    switch (run.model.options.IUNITS) {
        case kUSCS: return valueText(value) + " in";
        case kSI: return valueText(value * 1000.0) + " mm";
        default: return valueText(value);
    }
}

// Labels of the OPTIONS lines that carry one, as the engine's examples write them. A label
// fits a line when, without letter case, it is the start of one of that line's names (at least
// three letters: "MaxDefl", "Tol", "Iterations").
struct OptionLabel {
    int line;                               // place in the block
    std::array<std::string_view, 2> names;  // lower case
    std::string_view label;                 // as the reference writes it
    std::string_view meaning;
};
constexpr OptionLabel kOptionLabels[] = {
    {9, {"maxiterations", "iterations"}, "MaxIterations", "the maximum number of iterations"},
    {10, {"maxdeflection", "deflection"}, "MaxDeflection", "the maximum allowable deflection"},
    {11, {"tolerance", "convergencetolerance"}, "Tolerance", "the convergence tolerance"},
    {12, {"increments", "pileincrements"}, "Increments", "the number of pile increments"},
    {14, {"printincrement", "increment"}, "PrintIncrement", "the printing increment"},
};

std::string lowerWord(std::string_view text) {
    std::string word;
    for (char c : text)
        if (c != ' ') word.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return word;
}

bool labelFits(const std::string& label, const OptionLabel& option) {
    if (label.size() < 3) return false;
    for (std::string_view name : option.names)
        if (name.substr(0, label.size()) == label) return true;
    return false;
}

bool isNumber(const std::string& word) {
    return !word.empty() && (std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '-' || word[0] == '+' ||
                             word[0] == '.');
}

void unlikelyOptionLabels(const Run& run, InputFindings& f) {
    const Table<std::string, kOptionLineCount>& labels = run.itemLines.optionLabel;
    for (const OptionLabel& option : kOptionLabels) {
        const std::string& written = labels[static_cast<std::size_t>(option.line)];
        const int line = itemLine(run, &written);
        if (line == 0) continue;
        const std::string label = lowerWord(written);
        if (labelFits(label, option)) continue;
        const std::string shown = "\"" + written.substr(0, written.find_last_not_of(' ') + 1) + "\"";
        const std::string place = itemPlace("", kOptions, line).substr(1);
        const OptionLabel* other = nullptr;
        for (const OptionLabel& o : kOptionLabels)
            if (&o != &option && labelFits(label, o)) other = &o;
        std::string problem, detail;
        if (isNumber(label)) {
            problem = "The label of " + std::string(option.meaning) + " " + place + " is missing: " + shown +
                      " is taken as the label and the value is read from the next line.";
            detail = "Write the label before the value: " + std::string(option.label) + " and the value.";
        } else if (other != nullptr) {
            problem = "The label " + shown + " " + place + " names " + std::string(other->meaning) +
                      ", but the value of this line is read as " + std::string(option.meaning) + ".";
            detail = "OPTIONS lines are read by their place, not by their label: put them in the order of the reference "
                     "(line " + std::to_string(option.line) + " of the block is " + std::string(option.label) + ").";
        } else {
            problem = "The label " + shown + " " + place + " is not a label of " + std::string(option.meaning) +
                      ", which the reader takes from this line.";
            detail = "OPTIONS lines are read by their place, whatever their label says: line " +
                     std::to_string(option.line) + " of the block is " + std::string(option.label) + ".";
        }
        add(f, 0, kOptions, line, std::move(problem), std::move(detail));
    }
}

void nonPositiveDimension(const Run& run, InputFindings& f, const double& value, std::string_view what, int k,
                          int error) {
    if (value > 0.0 || !representable(value)) return;
    const int line = itemLine(run, &value);
    add(f, error, kSections, line,
        "The " + std::string(what) + " of " + itemPlace("pile section " + std::to_string(k), kSections, line) + " is " +
            dimensionText(run, value) + ".",
        "This value must be greater than zero.");
}

void wallAtRadius(const Run& run, InputFindings& f, const double& wall, double diameter, std::string_view what, int k) {
    if (wall <= 0.0 || diameter <= 0.0 || wall < 0.5 * diameter) return;
    const int line = itemLine(run, &wall);
    add(f, 0, kSections, line,
        "The " + std::string(what) + " of " + itemPlace("pile section " + std::to_string(k), kSections, line) + " is " +
            dimensionText(run, wall) + ", at or above the radius " + dimensionText(run, 0.5 * diameter) + ".",
        "A wall must be thinner than half the outside diameter.");
}

// Echo check of the width for the p-y curves.
constexpr int kErrNoWidth = 27;

void unlikelySection(const Run& run, InputFindings& f, const PileSection& s, int k) {
    switch (s.sectionType) {
        case kRectangularConcretePile:
            nonPositiveDimension(run, f, s.depth, "depth", k, 0);
            nonPositiveDimension(run, f, s.width, "width", k, kErrNoWidth);
            break;
        case kDrilledShaftWithCasing:
        case kDrilledShaftWithCasingAndCore:
        case kSteelPipePile:
            nonPositiveDimension(run, f, s.diameter, "outside diameter", k, kErrNoWidth);
            nonPositiveDimension(run, f, s.casingThickness, "wall thickness", k, 0);
            wallAtRadius(run, f, s.casingThickness, s.diameter, "wall thickness", k);
            if (s.sectionType == kDrilledShaftWithCasingAndCore) {
                nonPositiveDimension(run, f, s.coreDiameter, "core outside diameter", k, 0);
                nonPositiveDimension(run, f, s.coreThickness, "core wall thickness", k, 0);
                wallAtRadius(run, f, s.coreThickness, s.coreDiameter, "core wall thickness", k);
            }
            break;
        case kDrilledShaft:
        case kCircularSolidPrestressed:
        case kCircularHollowPrestressed:
        case kUserEiPile:
            nonPositiveDimension(run, f, s.diameter, "diameter", k, kErrNoWidth);
            break;
        case kSquareSolidPrestressed:
        case kSquareHollowPrestressed:
        case kOctagonalSolidPrestressed:
        case kOctagonalHollowPrestressed:
            nonPositiveDimension(run, f, s.diameter, "width", k, kErrNoWidth);
            break;
        default:
            break;
    }
}

// Published ranges of soil properties, in US units (the SI bounds are converted): effective
// unit weights of soils and rocks below and above the water table, 30 to 150 pcf; ε50 of clays
// in triaxial tests, 0.001 (very stiff) to 0.05 (very soft); friction angles of sands and
// cemented silts, 20 to 50 degrees.
constexpr double kUnitWeightMinPcf = 30.0, kUnitWeightMaxPcf = 150.0;
constexpr double kKiloNewtonPerCubicMeterPerPcf = 0.15708746;
constexpr double kEps50Min = 0.001, kEps50Max = 0.05;
constexpr double kPhiMin = 20.0, kPhiMax = 50.0;

bool hasEps50(int code) {
    return code == kPySoftClay || code == kPyStiffClayFreeWater || code == kPyStiffClayNoFreeWater ||
           code == kPyStiffClayNoFreeWaterK || code == kPySoftClayJ || code == kPyCementedSilt;
}
bool hasPhi(int code) { return code == kPySand || code == kPyApiSand || code == kPyCementedSilt; }

std::string rangeText(double low, double high, std::string_view unit) {
    const std::string u = unit.empty() ? std::string() : " " + std::string(unit);
    return valueText(low) + u + " and " + valueText(high) + u;
}

void outOfRange(const Run& run, InputFindings& f, const TopBottom<double>& value, std::string_view what, int k,
                double low, double high, std::string_view unit, bool zeroIsDefault) {
    for (const auto& [v, end] : {std::pair{&value.top, " at the top"}, std::pair{&value.bottom, " at the bottom"}}) {
        if ((zeroIsDefault && *v == 0.0) || (*v >= low && *v <= high) || !representable(*v)) continue;
        const int line = itemLine(run, v);
        const std::string u = unit.empty() ? std::string() : " " + std::string(unit);
        add(f, 0, kSoilLayers, line,
            "The " + std::string(what) + end + " of " + itemPlace(layerName(k), kSoilLayers, line) + " is " +
                valueText(*v) + u + ".",
            "Published values lie between " + rangeText(low, high, unit) + (zeroIsDefault ? " (0 takes the default)." : "."));
    }
}

void unlikelySoil(const Run& run, InputFindings& f) {
    const SoilProfile& soil = run.model.soil;
    const int units = run.model.options.IUNITS;
    for (int k = 1; k <= soil.layerCount; ++k) {
        const SoilLayer& layer = soil.layer[static_cast<std::size_t>(k)];
        if (k > 1) {
            const double top = soil.propertyDepth[static_cast<std::size_t>(2 * k - 1)];
            const double bottomAbove = soil.propertyDepth[static_cast<std::size_t>(2 * k - 2)];
            if (top > bottomAbove && representable(top)) {
                const int line = itemLine(run, &layer.depthTop);
                add(f, 0, kSoilLayers, line,
                    "The top of " + itemPlace(layerName(k), kSoilLayers, line) + " at " + valueText(top) +
                        " lies below the bottom of soil layer " + std::to_string(k - 1) + " at " + valueText(bottomAbove) + ".",
                    "The layers are taken as contiguous: the layer begins at the bottom of the one above, with the properties "
                    "written for its top.");
            }
        }
        const int code = layer.modelCode;
        if (code != kPyFrozenSoil && (units == kUSCS || units == kSI)) {
            const double scale = units == kSI ? kKiloNewtonPerCubicMeterPerPcf : 1.0;
            outOfRange(run, f, layer.gamma, "effective unit weight", k, kUnitWeightMinPcf * scale,
                       kUnitWeightMaxPcf * scale, units == kSI ? "kN/m3" : "pcf", false);
        }
        if (hasEps50(code)) outOfRange(run, f, layer.eps50, "strain factor e50", k, kEps50Min, kEps50Max, "", true);
        if (hasPhi(code)) outOfRange(run, f, layer.phi, "friction angle", k, kPhiMin, kPhiMax, "degrees", false);
    }
}

bool isBlankLine(std::string_view line) { return line.find_first_not_of(" \t\r") == std::string_view::npos; }

// The first word of a line, as the reader takes the tag: up to a blank, comma or slash.
std::string_view firstWord(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t stop = line.find_first_of(" \t,/\r", first);
    return line.substr(first, stop == std::string_view::npos ? std::string_view::npos : stop - first);
}

bool isTag(std::string_view word, bool anyCase) {
    constexpr std::string_view kTag = "MERVIK6";
    if (word.size() < kTag.size()) return false;
    for (std::size_t k = 0; k < kTag.size(); ++k) {
        const char c = anyCase ? static_cast<char>(std::toupper(static_cast<unsigned char>(word[k]))) : word[k];
        if (c != kTag[k]) return false;
    }
    return true;
}

}  // namespace

std::string itemPlace(std::string_view item, std::string_view section, int line) {
    std::string text = std::string(item) + " (" + std::string(section) + " section";
    if (line > 0) text += ", line " + std::to_string(line);
    return text + ")";
}

std::string valueText(double value) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.6G", value);
    return text.data();
}

void findImpossibleInput(const Run& run, InputFindings& findings) {
    const AnalysisModel& model = run.model;
    for (int k = 1; k <= model.sections.count; ++k)
        impossibleSection(run, findings, model.sections.section[static_cast<std::size_t>(k)], k);
    if (model.options.i_Analysis_Type != 3) return;
    impossibleLayerDepths(run, findings);
    for (int k = 1; k <= model.soil.layerCount; ++k)
        impossibleSoilLayer(run, findings, model.soil.layer[static_cast<std::size_t>(k)], k);
    if (!model.options.useLrfd) impossibleLoadCases(run, findings);
}

void findOptionLabelProblems(const Run& run, InputFindings& findings) { unlikelyOptionLabels(run, findings); }

void findUnlikelyInput(const Run& run, InputFindings& findings) {
    unlikelyOptionLabels(run, findings);
    const AnalysisModel& model = run.model;
    for (int k = 1; k <= model.sections.count; ++k)
        unlikelySection(run, findings, model.sections.section[static_cast<std::size_t>(k)], k);
    if (model.options.i_Analysis_Type == 3) unlikelySoil(run, findings);
}

void findFileTagProblems(std::string_view content, InputFindings& findings, int& tagLine, std::size_t& tagEnd) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::string_view kFile = "file tag";
    const std::string detail = "The reader reads nothing of a file that does not begin with the tag MERVIK6; the echo then "
                               "finds no pile property points.";
    tagLine = 0;
    tagEnd = 0;
    const bool mark = content.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    int line = 0;
    int firstTextLine = 0;
    std::string_view firstText;
    for (std::size_t start = 0; start < content.size();) {
        std::size_t stop = content.find('\n', start);
        if (stop == std::string_view::npos) stop = content.size();
        std::string_view text = content.substr(start, stop - start);
        ++line;
        if (line == 1 && mark) text.remove_prefix(kByteOrderMark.size());
        start = stop + 1;
        if (isBlankLine(text)) continue;
        const std::string_view word = firstWord(text);
        if (firstTextLine == 0) {
            firstTextLine = line;
            firstText = word;
        }
        if (!isTag(word, true)) continue;
        tagLine = line;
        tagEnd = std::min(start, content.size());
        break;
    }
    const auto quoted = [](std::string_view w) { return "\"" + std::string(w.substr(0, 40)) + "\""; };
    if (tagLine == 0) {
        add(findings, 17, kFile, firstTextLine,
            firstTextLine == 0 ? std::string("The file holds no text and no file tag MERVIK6.")
                               : "The file does not begin with the tag MERVIK6: its first word, on line " +
                                     std::to_string(firstTextLine) + ", is " + quoted(firstText) + ".",
            detail);
        return;
    }
    if (mark) {
        add(findings, 17, kFile, 1,
            "The file begins with a UTF-8 byte-order mark (the bytes EF BB BF) before the tag MERVIK6 on line " +
                std::to_string(tagLine) + ".",
            detail + " Save the file as plain text without a byte-order mark.");
    }
    if (tagLine != firstTextLine) {
        add(findings, 17, kFile, tagLine,
            "The tag MERVIK6 stands on line " + std::to_string(tagLine) + ", after " + quoted(firstText) + " on line " +
                std::to_string(firstTextLine) + ".",
            detail + " Make MERVIK6 the first line.");
    } else if (!isTag(firstText, false)) {
        add(findings, 17, kFile, tagLine, "The file tag on line " + std::to_string(tagLine) + " is written " + quoted(firstText) + ".",
            detail + " The tag is MERVIK6 in capitals.");
    }
}

}  // namespace mervik
