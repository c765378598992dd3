// Per-section driver of the section analysis and the section-property report.
//
// For every pile section the driver sets up the working data (shape, steel model, dimensions,
// material values in kips/ksi or kN/kPa), writes the "Dimensions and Properties" block with the
// derived quantities, the axial and tensile capacities, the bar or strand tables, and then hands
// the section to the moment-curvature computation or to the elastic, elastic-plastic and input
// M-EI tables.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/run.hpp"
#include "input/model.hpp"
#include "input/sections.hpp"
#include "report/layout.hpp"
#include "section/materials.hpp"
#include "section/section_analysis.hpp"
#include "section/slicing.hpp"

namespace mervik {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kLabelColumn = 56;
// Width of the adaptive real writer for property values: values between 1e-4 and 1e4 get six
// decimals (a modulus of rupture of -0.530330 ksi).
constexpr int kValueWidth = 13;
constexpr double kConcreteBlockFactor = 0.8500000238418579;  // 0.85 f'c, single precision
// Modulus of rupture and concrete modulus in SI from f'c in kPa.
constexpr double kRuptureSiReport = 51.71067877581686;
constexpr double kRuptureSi = 51.71067953109741;
constexpr double kEcSi = 393001.16443634033;
constexpr double kPsiPerKpa = 0.14503774046897888;
// Bar ordinates this close to zero are printed as zero.
constexpr double kZeroOrdinate = 9.9999e-06;
// Smallest clear spacing that counts as a spacing between two bars (single precision 1e-4).
constexpr double kMinimumClearSpacing = 9.999999747378752e-05;

double square(double v) { return v * v; }
double discArea(double d) { return kPi * d * d / 4.0; }
double ringArea(double D, double t) { return kPi / 4.0 * (square(D) - square(D - 2.0 * t)); }
double ringInertia(double D, double t) { return kPi / 64.0 * (std::pow(D, 4) - std::pow(D - 2.0 * t, 4)); }

bool usCustomary(const Run& run) { return run.model.options.IUNITS == kUSCS; }

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

const PileSection& sectionOf(const Run& run) {
    const int s = std::clamp(run.section.section, 1, kMaxSections);
    return run.model.sections.section[static_cast<std::size_t>(s)];
}

// "label", tab 56, "= ", the value by the adaptive writer, the unit text.
void labelLine(Channel& out, std::string_view label, double value, std::string_view unit) {
    Line(out).text(label).tab(kLabelColumn).text("= ").real(value, kValueWidth).text(unit).end();
}

// "label", tab 56, "= ", the value as Fw.d, the unit text.
void fixedLine(Channel& out, std::string_view label, double value, int w, int d, std::string_view unit) {
    Line(out).text(label).tab(kLabelColumn).text("= ").f(value, w, d).text(unit).end();
}

// "Number of Reinforcing Bars" with " bar" or " bars".
void barCountLine(Channel& out, int count) {
    Line(out)
        .text("Number of Reinforcing Bars")
        .tab(kLabelColumn)
        .text("= ")
        .integer(count, kValueWidth)
        .text(count == 1 ? " bar" : " bars")
        .end();
}

void titleLines(Channel& out, std::string_view title) {
    writeTextLine(out, title);
    writeTextLine(out, std::string(title.size(), '-'));
}

void lengthOfSectionLine(Run& run, const PileSection& p) {
    const bool us = usCustomary(run);
    labelLine(run.report, "Length of Section", us ? p.sectionLength / 12.0 : p.sectionLength, us ? " ft" : " m");
}

// Total area of the reinforcing bars: count times the single-bar area for bars on a circle, the
// sum of the bar table otherwise.
double totalBarArea(const PileSection& p) {
    if (p.barsInCircle) return p.barCount * p.barArea;
    double As = 0.0;
    const int n = std::clamp(p.barCount, 0, kMaxBars);
    for (int j = 1; j <= n; ++j) As += p.bar[static_cast<std::size_t>(j)].area;
    return As;
}

// Clear spacing between two neighbouring bars of the cage: bars 1 and 2 for single bars, 2 and 3
// for bundles of two (the closest bars of neighbouring positions), 2 and 4 for bundles of three.
double edgeToEdgeBarSpacing(const PileSection& p) {
    int i = 1, j = 2;
    if (p.barsInCircle && p.barsPerBundle == 2) i = 2, j = 3;
    if (p.barsInCircle && p.barsPerBundle == 3) i = 2, j = 4;
    if (j > std::min(p.barCount, kMaxBars)) return 0.0;
    const ReinforcingBar& a = p.bar[static_cast<std::size_t>(i)];
    const ReinforcingBar& b = p.bar[static_cast<std::size_t>(j)];
    return std::hypot(b.x - a.x, b.y - a.y) - (a.diameter + b.diameter) / 2.0;
}

double ratioToAggregate(double spacing, double aggregate) { return aggregate > 0.0 ? spacing / aggregate : 0.0; }

double singleBarArea(const PileSection& p) {
    if (p.barsInCircle) return p.barArea;
    return p.barCount >= 1 ? p.bar[1].area : 0.0;
}

// Net concrete area of the section: gross less all steel, and less the void of a hollow core.
double netConcreteArea(const SectionGeometry& g, double As) {
    switch (g.shape) {
        case SectionShape::Rectangle: return g.D * g.B - As;
        case SectionShape::Circle: return discArea(g.D) - As;
        case SectionShape::CircleWithCasing: return discArea(g.D) - ringArea(g.D, g.t) - As;
        case SectionShape::CircleWithCasingAndCore: {
            const double hollow = g.b_FillCoreWithConcrete ? ringArea(g.Dv, g.tv) : discArea(g.Dv);
            return discArea(g.D) - ringArea(g.D, g.t) - hollow - As;
        }
        default: return 0.0;
    }
}

// ------------------------------------------------------------------ dimension blocks

void rectangularPileBlock(Run& run, const PileSection& p) {
    SectionWork& w = run.section;
    const SectionUnitTexts& u = w.units;
    const MaterialConstants& m = w.materials;
    Channel& out = run.report;
    const double fc = m.concrete.fc;
    const double rupture = usCustomary(run) ? -0.0075 * std::sqrt(1000.0 * fc)
                                            : -kRuptureSiReport * std::sqrt(1000.0 * fc / kKpaPerKsi);
    const double gross = p.depth * p.width;
    const double As = totalBarArea(p);

    titleLines(out, "Dimensions and Properties of Rectangular Concrete Pile:");
    lengthOfSectionLine(run, p);
    labelLine(out, "Depth of Section", p.depth, u.length);
    labelLine(out, "Width of Section", p.width, u.length);
    barCountLine(out, p.barCount);
    labelLine(out, "Yield Stress of Reinforcing Bars", m.fy, u.stress);
    labelLine(out, "Modulus of Elasticity of Reinforcing Bars", m.Es, u.stress);
    labelLine(out, "Compressive Strength of Concrete", fc, u.stress);
    labelLine(out, "Modulus of Rupture of Concrete", rupture, u.stress);
    labelLine(out, "Gross Area of Pile", gross, u.area);
    labelLine(out, "Total Area of Reinforcing Steel", As, u.area);
    labelLine(out, "Area Ratio of Steel Reinforcement", As / (0.01 * gross), " percent");

    w.AsTotal = As;
    writeAxialCapacities(run);
    writeTensileCapacities(run);

    writeTextLine(out, "Reinforcing Bar Details:");
    writeBlankLines(out, 1);
    writeTextLine(out, "   Bar              Bar           Bar Diam.        Bar Area          Bar X            Bar Y");
    Line(out)
        .text("  Number           Index")
        .tab(38)
        .text(trimmed(u.length))
        .tab(53)
        .text(trimmed(u.area))
        .tab(73)
        .text(trimmed(u.length))
        .tab(89)
        .text(trimmed(u.length))
        .end();
    writeTextLine(out, "----------     ------------     ------------     ------------     ------------     ------------");
    const int n = std::clamp(p.barCount, 0, kMaxBars);
    for (int j = 1; j <= n; ++j) {
        const ReinforcingBar& b = p.bar[static_cast<std::size_t>(j)];
        Line(out)
            .i(j, 5)
            .i(b.sizeIndex, 17)
            .x(5)
            .x(5)
            .f(b.diameter, 12, 6)
            .x(5)
            .f(b.area, 12, 6)
            .x(5)
            .f(b.x, 12, 6)
            .x(5)
            .f(b.y, 12, 6)
            .end();
    }
}

// Drilled shafts: plain, with permanent casing, with casing and core.
void drilledShaftBlock(Run& run, const PileSection& p) {
    SectionWork& w = run.section;
    const SectionUnitTexts& u = w.units;
    const MaterialConstants& m = w.materials;
    const SectionGeometry& g = w.geometry;
    Channel& out = run.report;
    const double gross = discArea(g.D);
    const double As = totalBarArea(p);
    const double spacing = edgeToEdgeBarSpacing(p);
    const double spacingRatio = ratioToAggregate(spacing, p.aggregateSize);
    const double concrete = netConcreteArea(g, As);

    if (p.sectionType == kDrilledShaft) {
        titleLines(out, "Dimensions and Properties of Drilled Shaft (Bored Pile):");
        lengthOfSectionLine(run, p);
        labelLine(out, "Shaft Diameter ", g.D, u.length);
        labelLine(out, "Concrete Cover Thickness", p.barCover, u.length);
        barCountLine(out, p.barCount);
        labelLine(out, "Yield Stress of Reinforcing Bars", m.fy, u.stress);
        labelLine(out, "Modulus of Elasticity of Reinforcing Bars", m.Es, u.stress);
        labelLine(out, "Gross Area of Shaft", gross, u.area);
        labelLine(out, "Total Area of Reinforcing Steel", As, u.area);
        fixedLine(out, "Area Ratio of Steel Reinforcement ", As / (0.01 * gross), 15, 2, " percent");
        labelLine(out, "Edge-to-Edge Bar Spacing", spacing, u.length);
        labelLine(out, "Maximum Concrete Aggregate Size", p.aggregateSize, u.length);
        fixedLine(out, "Ratio of Bar Spacing to Aggregate Size", spacingRatio, 15, 2, "");
        labelLine(out, "Offset of Rebar Cage Center from Center of Pile", p.cageOffset, u.length);
    } else if (p.sectionType == kDrilledShaftWithCasing) {
        const double Acas = ringArea(g.D, g.t);
        titleLines(out, "Dimensions and Properties of Drilled Shaft (Bored Pile) with Permanent Casing:");
        lengthOfSectionLine(run, p);
        labelLine(out, "Outer Diameter of Casing", g.D, u.length);
        labelLine(out, "Concrete Cover Thickness Inside Casing", p.barCover, u.length);
        labelLine(out, "Casing Wall Thickness", g.t, u.length);
        labelLine(out, "Moment of Inertia of Steel Casing", ringInertia(g.D, g.t), u.inertia);
        labelLine(out, "Yield Stress of Casing", m.casingYield, u.stress);
        labelLine(out, "Elastic Modulus of Casing", m.casingModulus, u.stress);
        barCountLine(out, p.barCount);
        labelLine(out, "Area of Single Reinforcing Bar", singleBarArea(p), u.area);
        labelLine(out, "Edge-to-Edge Bar Spacing", spacing, u.length);
        labelLine(out, "Maximum Concrete Aggregate Size", p.aggregateSize, u.length);
        labelLine(out, "Ratio of Bar Spacing to Aggregate Size", spacingRatio, "");
        labelLine(out, "Offset of Rebar Cage Center from Center of Pile", p.cageOffset, u.length);
        labelLine(out, "Yield Stress of Reinforcing Bars", m.fy, u.stress);
        labelLine(out, "Elastic Modulus of Reinforcing Bars", m.Es, u.stress);
        labelLine(out, "Area of Concrete", concrete, u.area);
        labelLine(out, "Cross-sectional Area of Steel Casing", Acas, u.area);
        labelLine(out, "Area of All Steel (Casing and Bars)", Acas + As, u.area);
        fixedLine(out, "Area Ratio of All Steel", (Acas + As) / (0.01 * gross), 15, 2, " percent");
    } else {
        const double Acas = ringArea(g.D, g.t);
        const double Acore = ringArea(g.Dv, g.tv);
        titleLines(out, g.b_FillCoreWithConcrete
                            ? "Dimensions and Properties of Drilled Shaft (Bored Pile) with Casing and Filled Core:"
                            : "Dimensions and Properties of Drilled Shaft (Bored Pile) with Casing and Hollow Core:");
        lengthOfSectionLine(run, p);
        labelLine(out, "Outside Diameter of Casing", g.D, u.length);
        labelLine(out, "Concrete Cover Thickness Inside Casing", p.barCover, u.length);
        labelLine(out, "Casing Wall Thickness", g.t, u.length);
        labelLine(out, "Moment of Inertia of Steel Casing", ringInertia(g.D, g.t), u.inertia);
        labelLine(out, "Outside Diameter of Core", g.Dv, u.length);
        labelLine(out, "Core Wall Thickness", g.tv, u.length);
        labelLine(out, "Moment of Inertia of Steel Core", ringInertia(g.Dv, g.tv), u.inertia);
        labelLine(out, "Yield Stress of Casing and Core", m.casingYield, u.stress);
        labelLine(out, "Elastic Modulus of Casing and Core", m.casingModulus, u.stress);
        barCountLine(out, p.barCount);
        labelLine(out, "Area of Single Reinforcing Bar", singleBarArea(p), u.area);
        labelLine(out, "Area of All Reinforcing Bars", As, u.area);
        labelLine(out, "Edge-to-Edge Bar Spacing", spacing, u.length);
        labelLine(out, "Maximum Concrete Aggregate Size", p.aggregateSize, u.length);
        labelLine(out, "Ratio of Bar Spacing to Aggregate Size", spacingRatio, "");
        labelLine(out, "Offset of Rebar Cage Center from Center of Pile", p.cageOffset, u.length);
        labelLine(out, "Yield Stress of Reinforcing Bars", m.fy, u.stress);
        labelLine(out, "Elastic Modulus of Reinforcing Bars", m.Es, u.stress);
        labelLine(out, "Area of Concrete", concrete, u.area);
        labelLine(out, "Cross-sectional Area of Steel Casing", Acas, u.area);
        labelLine(out, "Cross-sectional Area of Steel Core", Acore, u.area);
        labelLine(out, "Area of All Steel (Casing, Core, and Bars)", Acas + Acore + As, u.area);
        labelLine(out, "Area Ratio of All Steel", (Acas + Acore + As) / (0.01 * gross), " percent");
        writeTextLine(out, g.b_FillCoreWithConcrete ? "Note that the core is assumed to be filled with concrete"
                                                    : "Note that the core is assumed to be void of concrete");
    }

    w.AsTotal = As;
    writeAxialCapacities(run);
    writeTensileCapacities(run);
    writeBarPositions(run);
}

void steelPipeBlock(Run& run, const PileSection& p) {
    SectionWork& w = run.section;
    const SectionUnitTexts& u = w.units;
    const MaterialConstants& m = w.materials;
    Channel& out = run.report;
    const double D = p.diameter;
    const double Di = D - 2.0 * p.casingThickness;
    const double A = kPi / 4.0 * (square(D) - square(Di));
    const double I = kPi / 64.0 * (std::pow(D, 4) - std::pow(Di, 4));
    const double Z = std::pow(D, 3) / 6.0 - std::pow(Di, 3) / 6.0;

    titleLines(out, "Dimensions and Properties of Steel Pipe Pile:");
    lengthOfSectionLine(run, p);
    labelLine(out, "Outer Diameter of Pipe", D, u.length);
    labelLine(out, "Pipe Wall Thickness", p.casingThickness, u.length);
    labelLine(out, "Yield Stress of Pipe", m.casingYield, u.stress);
    labelLine(out, "Elastic Modulus", m.casingModulus, u.stress);
    labelLine(out, "Cross-sectional Area", A, u.area);
    labelLine(out, "Moment of Inertia", I, u.inertia);
    labelLine(out, "Elastic Bending Stiffness", m.casingModulus * I, " " + u.stiffness);
    labelLine(out, "Plastic Modulus, Z", Z, " " + std::string(trimmed(u.length)) + "^3");
    labelLine(out, "Plastic Moment Capacity = Fy Z", m.casingYield * Z, u.moment);

    w.AsTotal = 0.0;
    w.Pcr = 0.0;
    writeAxialCapacities(run);
    writeTensileCapacities(run);
}

void prestressedPileBlock(Run& run, const PileSection& p) {
    const SectionUnitTexts& u = run.section.units;
    Channel& out = run.report;
    const std::string_view length = u.length;
    const std::string_view shortLength = length.substr(0, std::min<std::size_t>(4, length.size()));  // A4
    switch (p.sectionType) {
        case kCircularSolidPrestressed:
            titleLines(out, "Dimensions and Properties of Circular Prestressed Pile:");
            lengthOfSectionLine(run, p);
            fixedLine(out, "Diameter", p.diameter, 10, 3, length);
            writeBlankLines(out, 1);
            break;
        case kCircularHollowPrestressed:
            titleLines(out, "Dimensions and Properties of Hollow Core Circular Prestressed Pile:");
            lengthOfSectionLine(run, p);
            fixedLine(out, "Outside Diameter", p.diameter, 10, 3, length);
            fixedLine(out, "Inside Diameter", p.voidDiameter, 10, 3, length);
            break;
        case kSquareSolidPrestressed:
            titleLines(out, "Dimensions of Square Prestressed Pile Section:");
            lengthOfSectionLine(run, p);
            fixedLine(out, "Pile Width", p.diameter, 10, 3, shortLength);
            fixedLine(out, "Corner Chamfer", p.chamfer, 10, 3, shortLength);
            break;
        case kSquareHollowPrestressed:
            titleLines(out, "Dimensions and Properties of Square Prestressed Pile Section with Hollow Core:");
            lengthOfSectionLine(run, p);
            fixedLine(out, "Pile Width", p.diameter, 10, 3, length);
            fixedLine(out, "Corner Chamfer", p.chamfer, 10, 3, length);
            fixedLine(out, "Inside Void Diameter", p.voidDiameter, 10, 3, length);
            break;
        case kOctagonalSolidPrestressed:
            titleLines(out, "Dimensions and Properties of Octagonal Prestressed Pile:");
            lengthOfSectionLine(run, p);
            fixedLine(out, "Pile Width", p.diameter, 10, 3, length);
            break;
        default:
            titleLines(out, "Dimensions and Properties of Octagonal Prestressed Pile Section with Hollow Core:");
            lengthOfSectionLine(run, p);
            fixedLine(out, "Pile Width", p.diameter, 10, 3, length);
            fixedLine(out, "Inside Void Diameter", p.voidDiameter, 10, 3, length);
            break;
    }
    writePrestressingStrandDetails(run);
}

}  // namespace

// ------------------------------------------------------------------ public procedures

SectionUnitTexts makeSectionUnitTexts(int IUNITS) {
    const bool us = IUNITS == kUSCS;
    auto padded = [](std::string_view text) {
        std::string s(text);
        s.resize(std::max<std::size_t>(s.size(), 8), ' ');
        return s;
    };
    SectionUnitTexts u;
    u.length = padded(us ? " in" : " m");
    u.stress = padded(us ? " ksi" : " kPa");
    u.force = padded(us ? " kips" : " kN");
    u.curvature = padded(us ? " rad/in" : " rad/m");
    u.moment = padded(us ? " in-kip" : " kN-m");
    u.area = padded(us ? " sq. in." : " sq. m");
    u.inertia = padded(us ? " in^4" : " m^4");
    u.stiffness = padded(us ? "kip-in^2" : "kN-m^2");
    return u;
}

void analyseSection(Run& run, int s) {
    if (s < 1 || s > kMaxSections) return;
    const PileSection& p = run.model.sections.section[static_cast<std::size_t>(s)];
    const int IUNITS = run.model.options.IUNITS;

    // Working data of the section; the capacities stay until a section sets them again.
    SectionWork& w = run.section;
    w.section = s;
    w.units = makeSectionUnitTexts(IUNITS);
    w.prestress = PrestressStrains{};
    w.prestressReported = false;
    const auto shape = sectionShapeOf(p);
    w.sliced = shape.has_value();
    if (shape) {
        w.shape = *shape;
        w.geometry = sectionGeometryOf(p, *shape);
        w.materials = setMaterialConstants(p, IUNITS);
    }

    const int type = p.sectionType;
    if (shape) {
        if (type == kRectangularConcretePile) {
            rectangularPileBlock(run, p);
        } else if (type >= kDrilledShaft && type <= kDrilledShaftWithCasingAndCore) {
            drilledShaftBlock(run, p);
        } else if (type == kSteelPipePile) {
            steelPipeBlock(run, p);
        } else {
            prestressedPileBlock(run, p);
        }
        if (run.failed()) return;
    }

    switch (type) {
        case kElasticPile: elasticSectionTables(run, s); break;
        case kElasticPlasticPile: elasticPlasticSectionTables(run, s); break;
        case kUserEiPile: inputMEISectionTables(run, s); break;
        default:
            // Types 0 to 10, and the micropile, for which no working data are set up.
            if (shape || type == kMicropile) computeMomentCurvature(run, s);
            break;
    }
}

void writeAxialCapacities(Run& run) {
    SectionWork& w = run.section;
    const SectionGeometry& g = w.geometry;
    const MaterialConstants& m = w.materials;
    const PileSection& p = sectionOf(run);
    const double fc = m.concrete.fc;
    const double As = w.AsTotal;
    const double coreYield = usCustomary(run) ? p.coreYield / 1000.0 : p.coreYield;

    double Pn = 0.0;
    switch (w.shape) {
        case SectionShape::Rectangle: Pn = kConcreteBlockFactor * fc * (g.D * g.B - As) + m.fy * As; break;
        case SectionShape::Circle: Pn = kConcreteBlockFactor * fc * (discArea(g.D) - As) + m.fy * As; break;
        case SectionShape::CircleWithCasing: {
            const double Ai = discArea(g.D - 2.0 * g.t);
            Pn = m.casingYield * (discArea(g.D) - Ai) + kConcreteBlockFactor * fc * (Ai - As) + m.fy * As;
            break;
        }
        case SectionShape::CircleWithCasingAndCore: {
            const double Ai = discArea(g.D - 2.0 * g.t);
            const double Acas = ringArea(g.D, g.t);
            const double Acore = ringArea(g.Dv, g.tv);
            // A filled core deducts the casing area from the concrete (the established rule).
            const double Ad = g.b_FillCoreWithConcrete ? Acas : discArea(g.Dv);
            Pn = m.casingYield * Acas + coreYield * Acore + m.fy * As + kConcreteBlockFactor * fc * (Ai - Ad - As);
            break;
        }
        case SectionShape::SteelPipe: Pn = m.casingYield * ringArea(g.D, g.t); break;
        default: return;  // prestressed piles: capacities from the prestress computation
    }
    w.Pn = Pn;

    Channel& out = run.report;
    writeBlankLines(out, 1);
    writeTextLine(out, "Axial Structural Capacities:");
    writeTextLine(out, std::string(28, '-'));
    writeBlankLines(out, 1);
    fixedLine(out,
              w.shape == SectionShape::SteelPipe ? "Nom. Axial Structural Capacity = Fy As"
                                                 : "Nom. Axial Structural Capacity = 0.85 Fc Ac + Fy As",
              Pn, 15, 3, w.units.force);
}

void writeTensileCapacities(Run& run) {
    SectionWork& w = run.section;
    const SectionGeometry& g = w.geometry;
    const MaterialConstants& m = w.materials;
    const PileSection& p = sectionOf(run);
    Channel& out = run.report;

    if (w.shape == SectionShape::SteelPipe) {
        w.Nt = -m.casingYield * ringArea(g.D, g.t);
        fixedLine(out, "Nominal Axial Tensile Capacity  ", w.Nt, 15, 3, w.units.force);
        writeBlankLines(out, 2);
        return;
    }
    if (w.shape != SectionShape::Rectangle && w.shape != SectionShape::Circle &&
        w.shape != SectionShape::CircleWithCasing && w.shape != SectionShape::CircleWithCasingAndCore)
        return;  // prestressed piles

    // Concrete modulus, tensile strength and cracking strain from f'c.
    const double fc = m.concrete.fc;
    const bool us = usCustomary(run);
    const double Ec = us ? 57.0 * std::sqrt(1000.0 * fc) : kEcSi * std::sqrt(kPsiPerKpa * fc);
    const double ft = us ? -0.0075 * std::sqrt(1000.0 * fc) : -kRuptureSi * std::sqrt(kPsiPerKpa * fc);
    const double eps0 = 1.7 * fc / Ec;
    const double epsCr = -(1.0 - std::sqrt(ft / fc + 1.0)) * eps0;

    const double As = w.AsTotal;
    const double An = netConcreteArea(g, As);
    const double coreYield = us ? p.coreYield / 1000.0 : p.coreYield;
    double Nt = 0.0, steelArea = As;
    switch (w.shape) {
        case SectionShape::CircleWithCasing: {
            const double Acas = ringArea(g.D, g.t);
            Nt = -(m.casingYield * Acas + m.fy * As);
            steelArea = Acas + As;
            break;
        }
        case SectionShape::CircleWithCasingAndCore: {
            const double Acas = ringArea(g.D, g.t);
            const double Acore = ringArea(g.Dv, g.tv);
            Nt = -(m.casingYield * Acas + coreYield * Acore + m.fy * As);
            steelArea = Acas + Acore + As;
            break;
        }
        default: Nt = -m.fy * As; break;
    }
    w.Nt = Nt;
    w.Pcr = (steelArea * m.Es + An * Ec) * epsCr;

    fixedLine(out, "Tensile Load for Cracking of Concrete", w.Pcr, 15, 3, w.units.force);
    fixedLine(out,
              w.shape == SectionShape::CircleWithCasing ? "Nominal Axial Tensile Capacity       "
                                                        : "Nominal Axial Tensile Capacity  ",
              Nt, 15, 3, w.units.force);
    writeBlankLines(out, 2);
}

void writeBarPositions(Run& run) {
    const PileSection& p = sectionOf(run);
    const bool us = usCustomary(run);
    Channel& out = run.report;
    const int n = std::clamp(p.barCount, 0, kMaxBars);

    writeTextLine(out, "Reinforcing Bar Dimensions and Positions Used in Computations:");
    writeBlankLines(out, 1);
    writeTextLine(out, "     Bar          Bar Diam.      Bar Area          X              Y     ");
    writeTextLine(out, us ? "    Number         inches         sq. in.        inches         inches  "
                          : "    Number         meters         sq. m.         meters         meters  ");
    writeTextLine(out, "  ----------     ----------     ----------     ----------     ----------");
    for (int j = 1; j <= n; ++j) {
        const ReinforcingBar& b = p.bar[static_cast<std::size_t>(j)];
        Line line(out);
        line.integer(j, 12).blanks(3).real(b.diameter, 12).blanks(3).real(p.barsInCircle ? p.barArea : b.area, 12);
        for (const double v : {b.x, b.y}) {
            line.blanks(3);
            if (std::fabs(v) <= kZeroOrdinate) {
                line.text("     0.00000");
            } else {
                line.real(v, 12);
            }
        }
        line.end();
    }
    writeBlankLines(out, 2);
    writeTextLine(out, p.barsInCircle ? "NOTE: The positions of the above rebars were computed by Mervik"
                                      : "NOTE: The positions of the above rebars were input by the user");
    if (n < 2) return;

    // Smallest clear distance between two bars; coincident or overlapping bars do not count.
    double best = 0.0;
    int bi = 0, bj = 0;
    for (int i = 1; i < n; ++i) {
        const ReinforcingBar& a = p.bar[static_cast<std::size_t>(i)];
        for (int j = i + 1; j <= n; ++j) {
            const ReinforcingBar& b = p.bar[static_cast<std::size_t>(j)];
            const double clear = std::hypot(b.x - a.x, b.y - a.y) - 0.5 * (a.diameter + b.diameter);
            if (clear > kMinimumClearSpacing && (bi == 0 || clear < best)) {
                best = clear;
                bi = i;
                bj = j;
            }
        }
    }
    if (bi == 0) return;
    Line(out)
        .text("Minimum spacing between any two bars not equal to zero = ")
        .real(best, kValueWidth)
        .text(us ? " inches between Bars " : " meters between Bars ")
        .i(bi, 0)
        .text(" and ")
        .i(bj, 0)
        .end();
    if (p.aggregateSize != 0.0) {
        Line(out).text("Spacing to aggregate size ratio = ").real(best / p.aggregateSize, kValueWidth).end();
        writeBlankLines(out, 2);
    }
}

void writePrestressingStrandDetails(Run& run) {
    const PileSection& p = sectionOf(run);
    const SectionUnitTexts& u = run.section.units;
    const MaterialConstants& m = run.section.materials;
    const bool us = usCustomary(run);
    Channel& out = run.report;

    writeBlankLines(out, 1);
    writeTextLine(out, "Prestressing Strand Details:");
    writeTextLine(out, std::string(28, '-'));
    writeBlankLines(out, 1);
    const char* type = "= Deformed bars (150-160 ksi)";
    switch (p.strandGrade) {
        case 0: type = "=    PCI 250"; break;
        case 1: type = "=    PCI 270"; break;
        case 2: type = "=    PCI 300"; break;
        case 3: type = "= Smooth 145 ksi bars"; break;
        case 4: type = "= Smooth 160 ksi bars"; break;
        default: break;
    }
    Line(out).text("Strand Type").tab(kLabelColumn).text(type).end();
    fixedLine(out, "Yield Stress, fpu", m.fpu, 10, 0, u.stress);
    switch (p.strandGrade) {
        case 0:
            writeTextLine(out, "Stress-strain curve for reinforcement defined using PCI 250 Lo-lax equation");
            writeTextLine(out, "If eps > 0.008, fps = 248 - 0.058/(eps-0.006) < 0.98 fpu (ksi)");
            break;
        case 1:
            writeTextLine(out, "Stress-strain curve for reinforcement defined ssing PCI 270 Lo-lax equation");
            writeTextLine(out, "If eps > 0.008 fpu = 268 - 0.075/(eps-0.0065) < 0.98 fpu (ksi)");
            break;
        case 2:
            writeTextLine(out, "Stress-strain curve for reinforcement defined using grade 300 equation");
            writeTextLine(out, "If eps > 0.0088846 fpu = 300.0-(0.0835/(eps-0.0071))) < 300 (ksi)");
            break;
        default: break;
    }
    const int n = std::clamp(p.strandCount, 0, kMaxBars);
    Line(out).text("Number of Reinforcing Strands").tab(kLabelColumn).text("= ").i(n, 10).end();
    fixedLine(out, "Cross-sectional Area of Single Strand", n >= 1 ? p.bar[1].area : 0.0, 10, us ? 3 : 7, u.area);
    fixedLine(out, "Concrete Cover Thickness Over Strands", p.strandCover, 10, us ? 3 : 5, u.length);

    writeBlankLines(out, 1);
    writeTextLine(out, "Prestressing Strand Geometry:");
    writeTextLine(out, std::string(29, '-'));
    writeBlankLines(out, 1);
    writeTextLine(out, "Strand     Diameter       Area            X             Y");
    const std::string_view length = trimmed(u.length);
    Line(out).text("  No.").tab(12).text(length).tab(29).text("Sq. ").text(length).tab(43).text(length).tab(57).text(length).end();
    writeTextLine(out, "------    ---------    ----------    ----------    ----------");
    const int d = us ? 3 : 6;
    for (int j = 1; j <= n; ++j) {
        const ReinforcingBar& b = p.bar[static_cast<std::size_t>(j)];
        Line(out).i(j, 4).f(b.diameter, 14, d).f(b.area, 14, d).f(b.x, 14, d).f(b.y, 14, d).end();
    }
}

void writeConcreteProperties(Run& run) {
    const SectionWork& w = run.section;
    if (!w.sliced || w.shape == SectionShape::SteelPipe) return;
    const ConcreteConstants& c = w.materials.concrete;
    const SectionUnitTexts& u = w.units;
    Channel& out = run.report;

    writeBlankLines(out, 1);
    writeTextLine(out, "Concrete Properties:");
    writeTextLine(out, std::string(20, '-'));
    writeBlankLines(out, 1);
    labelLine(out, "Compressive Strength of Concrete", c.fc, u.stress);
    labelLine(out, "Modulus of Elasticity of Concrete", c.Ec, u.stress);
    labelLine(out,
              isPrestressed(w.materials.steelModel) ? "Modulus of Rupture of Prestressed Concrete"
                                                    : "Modulus of Rupture of Concrete",
              c.ft, u.stress);
    labelLine(out, "Compression Strain at Peak Stress", c.eps0, "");
    labelLine(out, "Tensile Strain at Fracture of Concrete", c.epsCr, "");
    labelLine(out, "Maximum Coarse Aggregate Size", sectionOf(run).aggregateSize, u.length);
}

}  // namespace mervik
