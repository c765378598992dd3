// Echo of the ground slope and pile batter, of the soil and rock layers (with the notes on
// internal defaults, the liquefied-sand depth warning, the rock type of massive rock and the
// unit-weight plausibility warning), of the summary table of soil properties, and the checks of
// the soil profile depths against the pile tip and the ground surface.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "engine/warnings.hpp"
#include "input/soil.hpp"
#include "report/echo.hpp"
#include "report/echo_common.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kZeroProperty = 1E-10;                 // a property given as zero asks for a default
constexpr double kLiquefiedSandLimitFeet = 19.685039520263672;  // 6 m in feet, single precision
constexpr double kLiquefiedSandLimitMeters = 6.0;
constexpr double kUsMinUnitWeight = 20.0;               // pcf
constexpr double kUsMaxUnitWeight = 140.0;              // pcf
constexpr double kSiMinUnitWeight = 3.1500000953674316; // kN/m3, single precision 3.15
constexpr double kSiMaxUnitWeight = 22.0;               // kN/m3
constexpr int kLiquefiedSandWarning = -354;

const SoilLayer& layerAt(const SoilProfile& soil, int k) { return soil.layer[static_cast<std::size_t>(k)]; }

// Layers in use: never more than the table holds, whatever the count says.
int layerCountOf(const SoilProfile& soil) { return std::clamp(soil.layerCount, 0, kMaxLayers); }

bool isZero(double v) { return std::fabs(v) <= kZeroProperty; }

// Label line: the label, "= " at column 56, the value by the adaptive writer (width 12), then
// the unit text, which carries its own leading blank (empty for a number without unit).
void writeLabelValue(Channel& channel, std::string_view label, double value, std::string_view unit) {
    Line(channel).text(label).tab(56).text("= ").real(value, 12).text(unit).end();
}

// The two label lines of a property given at the top and at the bottom of a layer.
void writeTopBottom(Channel& channel, std::string_view property, const TopBottom<double>& pair, std::string_view unit) {
    const std::string label = "   " + std::string(property);
    writeLabelValue(channel, label + " at top of layer", pair.top, unit);
    writeLabelValue(channel, label + " at bottom of layer", pair.bottom, unit);
}

// Description of a layer's model after "Layer k". Frozen soil has no text of its own and is
// described by its long model name.
std::string_view modelDescription(int code) {
    switch (code) {
        case kPySoftClay: return " is soft clay, p-y criteria by Matlock, 1970";
        case kPySoftClayJ: return " is soft clay with user-defined J, p-y criteria by Matlock, 1970";
        case kPyStiffClayFreeWater: return " is stiff clay with water-induced erosion";
        case kPyStiffClayNoFreeWater: return " is stiff clay without free water";
        case kPyStiffClayNoFreeWaterK: return " is stiff clay with water-induced erosion";
        case kPySand: return " is sand, p-y criteria by Reese et al., 1974";
        case kPyApiSand: return " is sand, p-y criteria by API RP-2A, 1987";
        case kPyLiquefiedSand: return " is liquefiable sand, by Rollins et al., 2004";
        case kPyWeakRock: return " is weak rock, p-y criteria by Reese, 1997";
        case kPyVuggyLimestone: return " is strong rock (vuggy limestone)";
        case kPyCementedSilt: return " is cemented silt with cohesion and friction";
        case kPyLoess: return " is loess silt";
        case kPyPiedmont: return " is Piedmont residual soil";
        case kPyElasticSubgrade: return " is modelled using an elastic subgrade modulus";
        case kPyUserCurves: return " is modelled using user-specified p-y curves";
        case kPyMassiveRock: return " is massive rock, p-y criteria by Liang et al., 2009";
        default: return {};
    }
}

// Unit texts of the layer lines, each with its leading blank; labels at their table width.
struct LayerUnits {
    std::string depth, unitWeight, soilStress, stress, subgrade, elasticSubgrade, blowCount;
};

LayerUnits layerUnits(const Run& run) {
    const UnitLabels& u = run.units;
    LayerUnits t;
    t.depth = " " + u.DepthUnit;
    t.unitWeight = " " + u.UnitWeightUnit;
    t.soilStress = " " + u.SoilStressUnit;
    t.stress = " " + u.StressUnit;
    t.subgrade = " " + u.SubgradeUnit;
    t.elasticSubgrade = " " + u.ForceUnit + u.slash + u.DeflectionUnit + u.power + u.three;
    const int units = run.model.options.IUNITS;
    t.blowCount = units == kUSCS ? " blows/ft" : units == kSI ? " blows/0.3 m" : "";
    return t;
}

// Piedmont residual soil: the field test named by the test type at the top of the layer and
// its values; a test type outside 1 to 4 prints neither.
void writePiedmontTest(Channel& channel, const SoilLayer& layer, const LayerUnits& units) {
    switch (layer.testType.top) {
        case kPiedmontSpt:
            writeTextLine(channel, "   The type of field test is the Standard Penetration Test (SPT)");
            writeTopBottom(channel, "SPT N60", layer.sptN60, units.blowCount);
            break;
        case kPiedmontCpt:
            writeTextLine(channel, "   The type of field test is the Cone Penetration Test (CPT)");
            writeTopBottom(channel, "Cone tip resistance", layer.coneTip, units.stress);
            break;
        case kPiedmontDmt:
            writeTextLine(channel, "   The type of field test is the Dilatometer Test (DMT)");
            writeTopBottom(channel, "Dilatometer modulus", layer.dmtModulus, units.stress);
            break;
        case kPiedmontPmt:
            writeTextLine(channel, "   The type of field test is the Pressuremeter Test (DMT)");
            writeTopBottom(channel, "Pressuremeter modulus", layer.pmtModulus, units.stress);
            break;
        default: break;
    }
}

// One user-input p-y curve: title line with the curve depth, column heads and the points.
void writeUserCurve(Run& run, int k, const UserPyCurve& curve, bool top) {
    Channel& channel = run.report;
    const UnitLabels& u = run.units;
    if (top) {
        writeBlankLines(channel, 2);
        Line(channel).text("User-input p-y curve at top of layer ").i(k, 0).text(",    Depth = ");
    } else {
        writeBlankLines(channel, 1);
        Line(channel).text("User-input p-y curve at bottom of layer ").i(k, 0).text(", Depth = ");
    }
    Line(channel).f(curve.depth, 10, 3).text(" ").text(u.DepthUnit).end();
    writeBlankLines(channel, 1);
    writeTextLine(channel, "Point                y                     p     ");
    Line(channel).text(" No.").tab(22).text(u.DeflectionUnit).tab(42).text(u.LineLoadUnit).end();
    writeTextLine(channel, "-----          ------------          ------------");
    const int count = std::clamp(curve.count, 0, kMaxUserPyPoints);
    for (int j = 1; j <= count; ++j) {
        const auto p = static_cast<std::size_t>(j);
        Line(channel).integer(j, 3).blanks(12).real(curve.y[p], 12).blanks(10).real(curve.p[p], 12).end();
    }
}

// The rock type of a massive rock layer, from the code at its top: sets the Hoek-Brown mi of
// the layer and prints it. A code outside the table leaves mi as it is and prints nothing.
void echoRockType(Channel& channel, SoilLayer& layer) {
    const auto rock = rockTypeOf(layer.rockType.top);
    if (!rock) return;
    layer.hoekBrownMi = rock->mi;
    Line line(channel);
    line.text(" The rock type is (").text(rock->group).text(") ").text(rock->name);
    // Unclassified rock reads "User-defined Hoek-Brown ...", without a comma.
    line.text(rock->group == "unclassified" ? " " : ", ");
    line.text("Hoek-Brown Material Constant mi = ").real(layer.hoekBrownMi, 12).end();
}

// Liquefied sand deeper than 6 m below the ground surface is beyond the range the criteria
// were derived from: warning 354. Not checked in general units.
void checkLiquefiedSandDepth(Run& run, const SoilLayer& layer) {
    const int units = run.model.options.IUNITS;
    const double depth = layer.depthBottom - run.model.soil.groundSurface;
    const bool tooDeep = (units == kUSCS && depth > kLiquefiedSandLimitFeet) || (units == kSI && depth > kLiquefiedSandLimitMeters);
    if (!tooDeep) return;
    recordWarning(run.warnings, kLiquefiedSandWarning);
    for (Channel* channel : {&run.report, &run.messages}) {
        if (units == kUSCS) {
            writeTextLine(*channel, "   Warning : The depth of this layer is deeper than the recommended depth limit ");
            writeTextLine(*channel, "             for using the p-y criteria for liquefied sand.");
            writeBlankLines(*channel, 1);
            writeTextLine(*channel, "   Please consult the Mervik Technical Manual for additional background ");
            writeTextLine(*channel, "   information regarding limitations on the use of the liquefied sand criteria.");
        } else {
            writeTextLine(*channel, "   Warning : The depth of this layer is deeper than the recommended depth ");
            writeTextLine(*channel, "             limit for using the p-y criteria for liquefied sand.");
            writeBlankLines(*channel, 1);
            writeTextLine(*channel, "   Please consult the Mervik Technical Manual for additional background ");
            writeTextLine(*channel, "   information regarding limitations on the use of the liquefied sand ");
            writeTextLine(*channel, "   criteria.");
        }
        writeBlankLines(*channel, 1);
    }
}

// One layer of block 5: description, label lines of its model, notes and warnings.
void echoLayer(Run& run, int k, const LayerUnits& units) {
    Channel& channel = run.report;
    SoilLayer& layer = run.model.soil.layer[static_cast<std::size_t>(k)];
    const int code = layer.modelCode;

    const std::string_view description = modelDescription(code);
    if (!description.empty()) {
        Line(channel).text("Layer ").i(k, 0).text(description).end();
    } else {
        Line(channel).text("Layer ").i(k, 0).text(" is ").modelName(code).end();
    }
    writeBlankLines(channel, 1);

    writeLabelValue(channel, "   Distance from top of pile to top of layer", layer.depthTop, units.depth);
    writeLabelValue(channel, "   Distance from top of pile to bottom of layer", layer.depthBottom, units.depth);
    if (description.empty()) return;  // frozen soil: no properties were read
    writeLabelValue(channel, "   Effective unit weight at top of layer", layer.gamma.top, units.unitWeight);
    writeLabelValue(channel, "   Effective unit weight at bottom of layer", layer.gamma.bottom, units.unitWeight);

    switch (code) {
        case kPySoftClay:
        case kPyStiffClayNoFreeWater:
            writeTopBottom(channel, "Undrained cohesion", layer.cohesion, units.soilStress);
            writeTopBottom(channel, "Epsilon-50", layer.eps50, "");
            break;
        case kPySoftClayJ:
            writeTopBottom(channel, "Undrained cohesion", layer.cohesion, units.soilStress);
            writeTopBottom(channel, "Epsilon-50", layer.eps50, "");
            writeTopBottom(channel, "p-y J factor", layer.jFactor, "");
            break;
        case kPyStiffClayFreeWater:
        case kPyStiffClayNoFreeWaterK:
            writeTopBottom(channel, "Undrained cohesion", layer.cohesion, units.soilStress);
            writeTopBottom(channel, "Epsilon-50", layer.eps50, "");
            writeTopBottom(channel, "Subgrade k", layer.kpy, units.subgrade);
            break;
        case kPySand:
        case kPyApiSand:
            writeTopBottom(channel, "Friction angle", layer.phi, " deg.");
            writeTopBottom(channel, "Subgrade k", layer.kpy, units.subgrade);
            break;
        case kPyWeakRock:
            writeTopBottom(channel, "Uniaxial compressive strength", layer.cohesion, units.stress);
            writeTopBottom(channel, "Initial modulus of rock", layer.kpy, units.stress);
            writeTopBottom(channel, "RQD of rock", layer.rqd, " %");
            writeTopBottom(channel, "k rm of rock", layer.eps50, "");
            break;
        case kPyVuggyLimestone:
            writeTopBottom(channel, "Uniaxial compressive strength", layer.cohesion, units.stress);
            break;
        case kPyCementedSilt:
            writeTopBottom(channel, "Undrained cohesion", layer.cohesion, units.soilStress);
            writeTopBottom(channel, "Friction angle", layer.phi, " deg.");
            writeTopBottom(channel, "Epsilon-50", layer.eps50, "");
            writeTopBottom(channel, "Subgrade k", layer.kpy, units.subgrade);
            break;
        case kPyLoess:
            writeTopBottom(channel, "Cone tip resistance", layer.coneTip, units.stress);
            break;
        case kPyPiedmont:
            writePiedmontTest(channel, layer, units);
            break;
        case kPyElasticSubgrade:
            writeTopBottom(channel, "Elastic subgrade", layer.elasticSubgrade, units.elasticSubgrade);
            break;
        case kPyUserCurves:
            writeUserCurve(run, k, layer.userCurveTop, true);
            writeUserCurve(run, k, layer.userCurveBottom, false);
            break;
        case kPyMassiveRock:
            echoRockType(channel, layer);
            break;
        case kPyLiquefiedSand:
            checkLiquefiedSandDepth(run, layer);
            break;
        default: break;
    }

    // The clay models compute their own strain factor when the top value is zero.
    const bool clay = code == kPySoftClay || code == kPyStiffClayFreeWater || code == kPyStiffClayNoFreeWater ||
                      code == kPyStiffClayNoFreeWaterK || code == kPySoftClayJ;
    if (clay && isZero(layer.eps50.top)) {
        writeTextLine(channel, "   NOTE: Internal default values for Epsilon-50 will be computed for");
        writeTextLine(channel, "         the above soil layer.");
    }
    // Models with a subgrade modulus use their default when none is given for the layer.
    const bool withK = code == kPyStiffClayFreeWater || code == kPyStiffClayNoFreeWaterK || code == kPySand ||
                       code == kPyApiSand || code == kPyCementedSilt;
    if (withK && isZero(layer.kpy.top) && isZero(layer.kpy.bottom)) {
        writeTextLine(channel, "   NOTE: Internal default values for subgrade k will be computed for");
        writeTextLine(channel, "         the above soil layer.");
    }
}

// Effective unit weights far outside the usual range of soils point to an input mistake (a
// unit system mix-up, a total instead of a buoyant weight); they are reported, not rejected.
// In general units there is no range to compare with.
void checkUnitWeights(Run& run) {
    const SoilProfile& soil = run.model.soil;
    const int units = run.model.options.IUNITS;
    if (units == kGeneral) {
        for (Channel* channel : {&run.report, &run.messages}) {
            writeBlankLines(*channel, 1);
            writeTextLine(*channel, "**** Warning ****");
            writeBlankLines(*channel, 1);
            writeTextLine(*channel, "Values of effective unit weight cannot be checked because ");
            writeTextLine(*channel, "general units have been selected.");
        }
        return;
    }
    const int n = layerCountOf(soil);
    if (n < 1 || (units != kUSCS && units != kSI)) return;
    double lowest = layerAt(soil, 1).gamma.top, highest = lowest;
    for (int k = 1; k <= n; ++k) {
        const TopBottom<double>& gamma = layerAt(soil, k).gamma;
        lowest = std::min({lowest, gamma.top, gamma.bottom});
        highest = std::max({highest, gamma.top, gamma.bottom});
    }
    const bool us = units == kUSCS;
    const bool outside = us ? (lowest <= kUsMinUnitWeight || highest >= kUsMaxUnitWeight)
                            : (lowest <= kSiMinUnitWeight || highest >= kSiMaxUnitWeight);
    if (!outside) return;
    for (Channel* channel : {&run.report, &run.messages}) {
        writeBlankLines(*channel, 1);
        writeTextLine(*channel, "**** Warning - Possible Input Data Error ****");
        writeBlankLines(*channel, 1);
        writeTextLine(*channel, "Values entered for effective unit weights of soil were outside");
        if (us) {
            writeTextLine(*channel, "the limits of 0.011574 pci (20 pcf) or 0.0810019 pci (140 pcf)");
            writeTextLine(*channel, "This data may be erroneous.  Please check your data.");
        } else {
            writeTextLine(*channel, "the limits of 3.15 kN/m3 or 22 kN/m3.");
            writeTextLine(*channel, channel == &run.report
                                        ? "The input data may be erroneous. Please check your data."
                                        : "The input data for effective unit weight may be erroneous. Please check your data.");
        }
    }
}

// ---------------------------------------------------------------- summary of soil properties

// Optional column groups of the summary, in table order.
enum class SummaryColumn { Cohesion, Friction, RockQu, RqdGsi, Eps50, J, Kpy, RockModulus, Krm, TestType, TestValue, ElasticSubgrade };

constexpr std::array kSummaryColumns = {SummaryColumn::Cohesion, SummaryColumn::Friction, SummaryColumn::RockQu,
                                        SummaryColumn::RqdGsi,   SummaryColumn::Eps50,    SummaryColumn::J,
                                        SummaryColumn::Kpy,      SummaryColumn::RockModulus, SummaryColumn::Krm,
                                        SummaryColumn::TestType, SummaryColumn::TestValue, SummaryColumn::ElasticSubgrade};

// Whether a layer of model `code` has the property of the column.
bool columnHasModel(SummaryColumn column, int code) {
    switch (column) {
        case SummaryColumn::Cohesion:
            return code == kPySoftClay || code == kPyStiffClayFreeWater || code == kPyStiffClayNoFreeWater ||
                   code == kPyStiffClayNoFreeWaterK || code == kPyCementedSilt || code == kPySoftClayJ;
        case SummaryColumn::Friction: return code == kPySand || code == kPyApiSand || code == kPyCementedSilt;
        case SummaryColumn::RockQu: return code == kPyVuggyLimestone || code == kPyWeakRock || code == kPyMassiveRock;
        case SummaryColumn::RqdGsi: return code == kPyWeakRock || code == kPyMassiveRock;
        case SummaryColumn::Eps50:
            return code == kPySoftClay || code == kPyStiffClayFreeWater || code == kPyStiffClayNoFreeWater ||
                   code == kPyStiffClayNoFreeWaterK || code == kPyCementedSilt;
        case SummaryColumn::J: return code == kPySoftClayJ;
        case SummaryColumn::Kpy:
            return code == kPySand || code == kPyApiSand || code == kPyStiffClayFreeWater ||
                   code == kPyStiffClayNoFreeWaterK || code == kPyCementedSilt;
        case SummaryColumn::RockModulus:
        case SummaryColumn::Krm: return code == kPyWeakRock;
        case SummaryColumn::TestType:
        case SummaryColumn::TestValue: return code == kPyPiedmont || code == kPyLoess;
        case SummaryColumn::ElasticSubgrade: return code == kPyElasticSubgrade;
    }
    return false;
}

// The three header lines of a column group, 13 characters each.
std::array<std::string_view, 3> columnHeader(SummaryColumn column, bool si) {
    switch (column) {
        case SummaryColumn::Cohesion: return {" Undrained   ", " Cohesion    ", si ? "    kPa      " : "    psf      "};
        case SummaryColumn::Friction: return {" Angle of    ", " Friction    ", "    deg.     "};
        case SummaryColumn::RockQu: return {"  Uniaxial   ", "    qu       ", si ? "    kPa      " : "    psi      "};
        case SummaryColumn::RqdGsi: return {"   RQD %     ", "     or      ", "    GSI      "};
        case SummaryColumn::Eps50: return {"  Strain     ", "  Factor     ", "Epsilon 50   "};
        case SummaryColumn::J: return {"             ", "   J         ", "             "};
        case SummaryColumn::Kpy: return {"             ", "   kpy       ", si ? "   kN/m3     " : "    pci      "};
        case SummaryColumn::RockModulus: return {" Rock Mass   ", "Rock Emass   ", si ? "    kPa      " : "    psi      "};
        case SummaryColumn::Krm: return {"             ", "   krm       ", "             "};
        case SummaryColumn::TestType: return {"  In-situ    ", "   Test      ", "   Type      "};
        case SummaryColumn::TestValue: return {"  In-situ    ", "   Test      ", " Property    "};
        case SummaryColumn::ElasticSubgrade: return {"  Elastic    ", " Subgrade    ", si ? " Mod. kPa    " : " Mod. pci    "};
    }
    return {};
}

constexpr std::string_view kNoValue = "    --    ";
constexpr std::string_view kDefaultValue = "  default ";

// The value of a Piedmont layer's named field test.
std::optional<double> piedmontTestValue(const SoilLayer& layer, bool top) {
    auto pick = [top](const TopBottom<double>& pair) { return top ? pair.top : pair.bottom; };
    switch (top ? layer.testType.top : layer.testType.bottom) {
        case kPiedmontSpt: return pick(layer.sptN60);
        case kPiedmontCpt: return pick(layer.coneTip);
        case kPiedmontDmt: return pick(layer.dmtModulus);
        case kPiedmontPmt: return pick(layer.pmtModulus);
        default: return std::nullopt;
    }
}

std::string_view testTypeCell(int testType) {
    switch (testType) {
        case kPiedmontSpt: return "    SPT      ";
        case kPiedmontCpt: return "    CPT      ";
        case kPiedmontDmt: return "    DMT      ";
        case kPiedmontPmt: return "    PMT      ";
        default: return "       --    ";
    }
}

// One cell of a column group: three blanks and the value (width 10) or a 10-character text;
// the test-type cell is one text of 13 characters.
void writeSummaryCell(Line& line, SummaryColumn column, const SoilLayer& layer, bool top) {
    const int code = layer.modelCode;
    if (!columnHasModel(column, code)) {
        line.blanks(3).text(kNoValue);
        return;
    }
    auto pick = [top](const TopBottom<double>& pair) { return top ? pair.top : pair.bottom; };
    auto value = [&line](double v) { line.blanks(3).real(v, 10); };
    auto valueOrDefault = [&line](double v) {
        if (isZero(v)) line.blanks(3).text(kDefaultValue);
        else line.blanks(3).real(v, 10);
    };
    switch (column) {
        case SummaryColumn::Cohesion: value(pick(layer.cohesion)); break;
        case SummaryColumn::Friction: value(pick(layer.phi)); break;
        case SummaryColumn::RockQu: value(code == kPyMassiveRock ? pick(layer.rockQu) : pick(layer.cohesion)); break;
        case SummaryColumn::RqdGsi: value(code == kPyMassiveRock ? pick(layer.gsi) : pick(layer.rqd)); break;
        case SummaryColumn::Eps50: valueOrDefault(pick(layer.eps50)); break;
        case SummaryColumn::J: value(pick(layer.jFactor)); break;
        case SummaryColumn::Kpy: valueOrDefault(pick(layer.kpy)); break;
        case SummaryColumn::RockModulus: value(pick(layer.kpy)); break;
        case SummaryColumn::Krm: value(pick(layer.eps50)); break;
        case SummaryColumn::TestType:
            line.text(code == kPyLoess ? testTypeCell(kPiedmontCpt)
                                       : testTypeCell(top ? layer.testType.top : layer.testType.bottom));
            break;
        case SummaryColumn::TestValue: {
            const auto v = code == kPyLoess ? std::optional<double>(pick(layer.coneTip)) : piedmontTestValue(layer, top);
            if (v) value(*v);
            else line.blanks(3).text(kNoValue);
            break;
        }
        case SummaryColumn::ElasticSubgrade: value(pick(layer.elasticSubgrade)); break;
    }
}

// ---------------------------------------------------------------- profile depth checks

}  // namespace

void echoSlopeAndBatter(Run& run) {
    Channel& channel = run.report;
    const SlopeAngles& angles = run.model.slope;
    writeEchoHeading(channel, 2, 22, "Ground Slope and Pile Batter Angles");
    auto angleLines = [&channel](std::string_view label, double radians) {
        Line(channel).text(label).tab(56).text("= ").f(radians * 180.0 / kPi, 12, 3).text(" degrees").end();
        Line(channel).tab(56).text("= ").f(radians, 12, 3).text(" radians").end();
    };
    angleLines("Ground Slope Angle", angles.groundSlope);
    writeBlankLines(channel, 1);
    angleLines("Pile Batter Angle", angles.pileBatter);
    writeBlankLines(channel, 2);
}

void echoSoilLayers(Run& run) {
    Channel& channel = run.report;
    const SoilProfile& soil = run.model.soil;
    const int n = layerCountOf(soil);
    writeEchoHeading(channel, 2, 23, "Soil and Rock Layering Information");
    Line(channel).text("The soil profile is modelled using ").i(n, 0).text(" layers").end();
    writeBlankLines(channel, 1);

    const LayerUnits units = layerUnits(run);
    for (int k = 1; k <= n; ++k) echoLayer(run, k, units);

    const double lowest = n >= 1 ? layerAt(soil, n).depthBottom : 0.0;
    Line(channel)
        .text("   (Depth of lowest soil layer extends ")
        .f(lowest - run.model.sections.pileLength, 7, 2)
        .text(" ")
        .text(run.units.DepthUnit)
        .text(" below pile tip)")
        .end();
    checkUnitWeights(run);
}

void echoSoilSummary(Run& run) {
    const int units = run.model.options.IUNITS;
    if (units != kUSCS && units != kSI) return;  // no summary in general units
    const bool si = units == kSI;
    Channel& channel = run.report;
    const SoilProfile& soil = run.model.soil;
    const int n = layerCountOf(soil);

    std::vector<SummaryColumn> columns;
    for (SummaryColumn column : kSummaryColumns) {
        for (int k = 1; k <= n; ++k) {
            if (columnHasModel(column, layerAt(soil, k).modelCode)) {
                columns.push_back(column);
                break;
            }
        }
    }

    writeEchoHeading(channel, 2, 27, "Summary of Soil Properties");
    const std::array<std::string_view, 3> left = {
        "                      Layer                     Layer      Effective   ",
        "Layer               Soil Type                   Depth       Unit Wt.   ",
        si ? " Num.         (p-y Curve Criteria)                m          kN/m3     "
           : " Num.         (p-y Curve Criteria)               ft           pcf      "};
    for (std::size_t row = 0; row < left.size(); ++row) {
        Line line(channel);
        line.text(left[row]);
        for (SummaryColumn column : columns) line.text(columnHeader(column, si)[row]);
        line.end();
    }
    {
        Line line(channel);
        line.text("-----   ----------------------------------   ----------   ----------   ");
        for (std::size_t c = 0; c < columns.size(); ++c) line.text("----------   ");
        line.end();
    }

    for (int k = 1; k <= n; ++k) {
        const SoilLayer& layer = layerAt(soil, k);
        const bool frozen = modelDescription(layer.modelCode).empty();  // no properties read
        for (bool top : {true, false}) {
            Line line(channel);
            if (top) {
                line.integer(k, 3).blanks(5).modelName(layer.modelCode).blanks(3).real(layer.depthTop, 10);
            } else {
                line.blanks(45).real(layer.depthBottom, 10);
            }
            if (frozen) line.blanks(3).text(kNoValue);
            else line.blanks(3).real(top ? layer.gamma.top : layer.gamma.bottom, 10);
            for (SummaryColumn column : columns) writeSummaryCell(line, column, layer, top);
            line.end();
        }
    }
}

void checkSoilProfileDepths(Run& run) {
    if (run.model.options.i_Analysis_Type == 2) return;  // no soil in a capacity-only run
    const SoilProfile& soil = run.model.soil;
    const int n = layerCountOf(soil);
    const double profileBottom = n >= 1 ? layerAt(soil, n).depthBottom : 0.0;
    const double pileLength = run.model.sections.pileLength;

    if (pileLength > profileBottom) {
        writeToBothFiles(run, [&](Channel& channel) {
            writeInputErrorHeading(channel, 18);
            writeBlankLines(channel, 1);
            Line(channel).text("Problem: The depth at the bottom of the lowermost soil layer is ").es(profileBottom, 12, 4).end();
            Line(channel).text("         This depth is higher than the tip of the pile at ").es(pileLength, 12, 4).text(".").end();
            writeTextLine(channel, "Solution: Increase the depth of the soil profile or shorten the pile length.");
        });
        raiseInputError(run, 18);
        return;
    }

    const double firstDepth = soil.propertyDepth[1];
    const double ground = soil.groundSurface;
    if (ground < firstDepth) {
        writeToBothFiles(run, [&](Channel& channel) {
            writeInputErrorHeading(channel, 19);
            writeBlankLines(channel, 1);
            writeTextLine(channel, "The depth of the first point of the data for effective unit");
            Line(channel).text("is located at ").f(firstDepth, 12, 4).text(" below the top of the pile.").end();
            Line(channel).text("The ground surface is located at ").f(ground, 12, 4).text(".").end();
            writeTextLine(channel, "The first point for the effective unit weight should be located");
            writeTextLine(channel, "at the same elevation as the ground surface.");
        });
        raiseInputError(run, 19);
        return;
    }

    if (firstDepth != ground) {
        writeToBothFiles(run, [&](Channel& channel) {
            writeInputErrorHeading(channel, 20);
            writeBlankLines(channel, 1);
            Line(channel).text("Problem:  The first depth of the soil profile is located at ").f(firstDepth, 12, 4).end();
            writeTextLine(channel, "          below the top of the pile.");
            Line(channel).text("          The ground surface is elevation is ").f(ground, 12, 4).text(".").end();
            writeTextLine(channel, "Solution: Correct the input data so that the first depth of ");
            writeTextLine(channel, "          the soil profile data is be located at the same elevation as the ground surface.");
        });
        raiseInputError(run, 20);
        return;
    }
}

}  // namespace mervik
