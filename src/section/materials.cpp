// Material stress-strain laws and material constants of the section analysis, and the strains
// from the effective prestress of prestressed piles.
#include "section/materials.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "input/model.hpp"
#include "input/sections.hpp"
#include "report/layout.hpp"
#include "report/numfmt.hpp"

namespace mervik {
namespace {

// The material constants are single-precision values used in double-precision arithmetic.
constexpr double single(float v) { return static_cast<double>(v); }

// Concrete.
constexpr double kEcFactor = 57.0;                        // Ec = 57 sqrt(f'c psi) ksi
constexpr double kRuptureMildSteel = single(0.0075f);     // ft = -0.0075 sqrt(f'c psi) ksi
constexpr double kRupturePrestressed = single(0.004f);    // ft = -0.004 sqrt(f'c psi) ksi
constexpr double kPeakStrainFactor = single(1.7f);        // eps0 = 1.7 f'c / Ec
constexpr double kUltimateStrain = single(0.0038f);       // end of the compression curve
constexpr double kStressDropFactor = single(0.15f);       // stress drop from eps0 to epsU
constexpr double kResidualStress = single(0.001f);        // beyond epsU

// Elastic moduli of the strand laws, ksi.
constexpr double kStrandModulus = 28500.0;
constexpr double kBarModulus = 29000.0;

// Prestress capacities (PCI equations).
constexpr double kPnConcrete = single(0.85f);
constexpr double kPnPrestress = single(0.60f);
constexpr double kNConcrete = single(0.33f);
constexpr double kNPrestress = single(0.27f);

bool isUsCustomary(int IUNITS) { return IUNITS == kUSCS; }


// Laws of the prestressed models, ksi. Each curved branch approaches its limit smoothly and is
// cut at the limit.
double pci250(double x) {
    const double limit = single(0.0076f);
    if (x <= -limit) return std::max(-250.0 + single(0.04f) / (std::fabs(x) - single(0.0064f)), -250.0);
    if (x <= limit) return kStrandModulus * x;
    return std::min(250.0 - single(0.04f) / (x - single(0.0064f)), 250.0);
}

double pci270(double x) {
    const double limit = single(0.0086f);
    if (x < -limit) return std::max(-270.0 + single(0.04f) / (std::fabs(x) - single(0.007f)), -270.0);
    if (x <= limit) return kStrandModulus * x;
    return std::min(270.0 - single(0.04f) / (x - single(0.007f)), 270.0);
}

double pci300(double x) {
    const double limit = single(0.0088846f);
    if (x <= -limit) return std::max(-300.0 + single(0.0835f) / (std::fabs(x) - single(0.0071f)), -300.0);
    if (x <= limit) return kStrandModulus * x;
    return std::min(300.0 - single(0.0835f) / (x - single(0.0071f)), 300.0);
}

// Elastic bar up to the yield strain, then the strength with the sign of the strain.
double elasticBar(double x, double yieldStrain, double strength) {
    if (std::fabs(x) <= yieldStrain) return kBarModulus * x;
    return x > 0.0 ? strength : -strength;
}

// Strength of deformed high-strength bars by their code, ksi.
double deformedBarStrength(int code) {
    if (code == 1) return 157.0;
    if (code == 3 || code == 5) return 160.0;
    return 150.0;
}

// ---------------------------------------------------------------------------------------------
// Report texts of the section analysis, 8 characters each.

struct ReportUnits {
    std::string_view length, stress, force, moment;
};

ReportUnits reportUnits(bool usCustomary) {
    if (usCustomary) return {" in     ", " ksi    ", " kips   ", " in-kip "};
    return {" m      ", " kPa    ", " kN     ", " kN-m   "};
}

// Estimated nominal moment capacity Mn = k D As fpu by pile type, with the text of its formula.
struct MomentEstimate {
    double k;
    std::string_view formula;
};

MomentEstimate momentEstimate(int sectionType) {
    switch (sectionType) {
        case kCircularSolidPrestressed: return {single(0.32f), "Mn = 0.32 D As fpu "};
        case kCircularHollowPrestressed: return {single(0.34f), "Mn = 0.34 D As fpu"};
        case kSquareSolidPrestressed: return {single(0.37f), "Mn = 0.37 D As fpu"};
        case kSquareHollowPrestressed: return {single(0.38f), "Mn = 0.38 D As fpu"};
        case kOctagonalSolidPrestressed: return {single(0.32f), "Mn = 0.32 D As fpu"};
        case kOctagonalHollowPrestressed: return {single(0.34f), "Mn = 0.34 D As fpu"};
        default: return {0.0, ""};
    }
}

// Runtime errors 14 and 15: the message to the run message file and the report, then the error.
void prestressAreaError(Run& run, int n, std::string_view what, double area) {
    for (Channel* channel : {&run.messages, &run.report}) {
        writeRuntimeErrorHeading(*channel, n);
        writeBlankLines(*channel, 1);
        writeTextLine(*channel, "An error occurred in prestressing computations");
        Line(*channel).text("The computed area of ").text(what).text(" in the section is less than 0.0 = ")
            .f(area, 15, 5).end();
    }
    raiseRuntimeError(run, n);
}

// One quantity: the label, tab to column 56, "= ", the value (F15.d), then the unit text.
void valueLine(Channel& out, std::string_view label, double value, int decimals, std::string_view unit = {}) {
    Line(out).text(label).tab(56).text("= ").f(value, 15, decimals).text(unit).end();
}

void writePrestressReport(Run& run, const MaterialConstants& m, const PrestressStrains& p) {
    Channel& out = run.report;
    const ReportUnits u = reportUnits(m.usCustomary);
    const std::string force5 = formatA(u.force, 5);
    const std::string force7 = formatA(u.force, 7);
    const std::string area = " Sq." + formatA(u.length, 5);
    const double Pi = m.prestressForce;
    const double L = m.prestressLoss;
    const int areaDecimals = m.usCustomary ? 3 : 6;

    writeBlankLines(out, 1);
    writeTextLine(out, "Computation of Loss of Prestress:");
    writeTextLine(out, std::string(33, '-'));
    writeBlankLines(out, 1);
    // The forces are printed divided by 1000 (pounds to kips) in both unit systems.
    valueLine(out, "Initial Prestressing Force", Pi / 1000.0, 3, force5);
    valueLine(out, "Fraction of Loss of Prestress", L, 3);
    valueLine(out, "Effective Prestressing Force", Pi * (1.0 - L) / 1000.0, 3, force5);
    valueLine(out, "Area of Concrete, Ac      ", p.Ac, areaDecimals, area);
    valueLine(out, "Area of Steel, As         ", p.As, areaDecimals, area);
    valueLine(out, "Stress in Concrete After Losses, f_pc", p.fpc, 3, " " + std::string(u.stress));
    valueLine(out, "Stress in Steel After Losses", p.epsPs * m.Es, 3, u.stress);
    valueLine(out, "Compressive Strain in Concrete", p.epsC0, 7);
    valueLine(out, "Tensile Strain in Steel  ", p.epsPs, 7);
    writeBlankLines(out, 1);

    writeTextLine(out, "Estimated Structural Capacities Computed Using PCI Equations:");
    writeTextLine(out, std::string(61, '-'));
    writeBlankLines(out, 1);
    valueLine(out, "Nom. Axial Cap., Pn = (0.85 f'c - 0.60 f_pc) Ag", p.Pn, 3, force5);
    valueLine(out, "Unfac. Axial Load Cap. N  = (0.33 f'c - 0.27 f_pc) Ag", p.N, 3, force5);
    valueLine(out, "Axial Capacity in Tension, Nt = As fpu", p.Nt, 3, force7);
    valueLine(out, "Nom. Moment Capacity, " + std::string(momentEstimate(m.sectionType).formula), p.Mn, 3,
              formatA(u.moment, 7));
    writeBlankLines(out, 1);

    writeTextLine(out, "Note:  The above value of nominal moment capacity is based on equations that");
    writeTextLine(out, "assume a concrete compressive strength of 6,000 psi (41.4 MPa), a prestressing");
    writeTextLine(out, "level after losses of 700 psi (4.83 MPa), and an axial thrust loading of zero. ");
    writeTextLine(out, "When different values for these factors are input, the estimated value of Mn ");
    writeTextLine(out, "may differ greatly from the capacity computed by Mervik and should be considered ");
    writeTextLine(out, "only as an approximate check.");
    writeBlankLines(out, 1);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Constants.

SteelModel steelModelOf(const PileSection& section) {
    switch (section.sectionType) {
        case kRectangularConcretePile:
        case kDrilledShaft:
        case kDrilledShaftWithCasing:
        case kDrilledShaftWithCasingAndCore: return SteelModel::MildSteel;
        case kCircularSolidPrestressed:
        case kCircularHollowPrestressed:
        case kSquareSolidPrestressed:
        case kSquareHollowPrestressed:
        case kOctagonalSolidPrestressed:
        case kOctagonalHollowPrestressed:
            switch (section.strandGrade) {
                case 1: return SteelModel::Pci270;
                case 2: return SteelModel::Pci300;
                case 3: return SteelModel::Smooth145;
                case 4: return SteelModel::Smooth160;
                case 5: return SteelModel::DeformedBar;
                // Grade 0, and grades outside the strand table, which has no law of its own
                // for them: PCI 250, so the section is still treated as prestressed.
                default: return SteelModel::Pci250;
            }
        default: return SteelModel::NoBars;
    }
}

ConcreteConstants setConcreteConstants(const PileSection& section, int IUNITS) {
    ConcreteConstants c;
    const SteelModel model = steelModelOf(section);
    if (model == SteelModel::NoBars) return c;  // no concrete: Ec = 0

    // The constants are derived in ksi; in SI the strength is first expressed in ksi and the
    // derived stresses are brought back to kPa.
    const bool us = isUsCustomary(IUNITS);
    const double back = us ? 1.0 : kKpaPerKsi;
    const double fc = us ? section.concreteStrength / 1000.0 : section.concreteStrength / kKpaPerKsi;

    c.rt = std::sqrt(1000.0 * fc);
    const double Ec = kEcFactor * c.rt;
    const double ft = -(model == SteelModel::MildSteel ? kRuptureMildSteel : kRupturePrestressed) * c.rt;
    c.eps0 = kPeakStrainFactor * fc / Ec;
    c.epsCr = -(1.0 - std::sqrt(ft / fc + 1.0)) * c.eps0;
    c.epsU = kUltimateStrain;
    c.fres = kResidualStress;

    c.fc = fc * back;
    c.Ec = Ec * back;
    c.ft = ft * back;
    c.deltaF = kStressDropFactor * fc * back;
    return c;
}

MaterialConstants setMaterialConstants(const PileSection& section, int IUNITS) {
    MaterialConstants m;
    m.sectionType = section.sectionType;
    m.steelModel = steelModelOf(section);
    m.usCustomary = isUsCustomary(IUNITS);
    m.stressPerKsi = m.usCustomary ? 1.0 : kKpaPerKsi;
    m.concrete = setConcreteConstants(section, IUNITS);

    // Input stresses are in psi (US customary) or kPa. In SI the bar values pass through ksi
    // with the concrete constants and come back to kPa.
    const auto psiOrKpa = [&](double v) { return m.usCustomary ? v / 1000.0 : v / kKpaPerKsi * kKpaPerKsi; };

    m.hasBars = section.barCount >= 1;
    if (m.steelModel == SteelModel::MildSteel) {
        m.fy = psiOrKpa(section.barYield);
        m.Es = psiOrKpa(section.barModulus);
    } else if (isPrestressed(m.steelModel)) {
        // The strand table gives the modulus in ksi (kPa in SI) and fpu in psi in both systems.
        m.Es = m.usCustomary ? section.barModulus : section.barModulus / kKpaPerKsi * kKpaPerKsi;
        m.fpu = m.usCustomary ? section.strandFpu / 1000.0 : section.strandFpu * kKpaPerKsi / 1000.0;
        m.deformedBarCode = section.strandSizeCode;
        m.prestressForce = section.prestressForce;
        m.prestressLoss = section.prestressLoss;
    }

    // Casing or pipe wall; the core of a cased shaft works with the casing's yield stress and
    // modulus (one steel for casing and core).
    const double steelDivisor = m.usCustomary ? 1000.0 : 1.0;
    m.casingYield = section.casingYield / steelDivisor;
    m.casingModulus = section.casingModulus / steelDivisor;
    if (section.sectionType == kDrilledShaftWithCasingAndCore) {
        m.coreYield = m.casingYield;
        m.coreModulus = m.casingModulus;
    }
    m.diameter = section.diameter;
    return m;
}

// ---------------------------------------------------------------------------------------------
// Concrete.


bool concreteStresses(std::span<const double> strain, double epsBottom, const ConcreteConstants& c,
                      bool wholeTension, std::span<double> stress) {
    bool cracked = epsBottom < c.epsCr;
    const std::size_t n = std::min(strain.size(), stress.size());
    for (std::size_t k = 0; k < n; ++k) stress[k] = concreteStress(strain[k], c, wholeTension, cracked);
    return cracked;
}


void coreConcreteStresses(std::span<const double> strain, double epsBottom, const ConcreteConstants& c,
                          bool wholeTension, bool& cracked, std::span<double> stress) {
    if (epsBottom < c.epsCr) cracked = true;
    const std::size_t n = std::min(strain.size(), stress.size());
    for (std::size_t k = 0; k < n; ++k) stress[k] = coreConcreteStress(strain[k], c, wholeTension, cracked);
}

// ---------------------------------------------------------------------------------------------
// Steel.


double strandStressKsi(SteelModel model, double x, int deformedBarCode) {
    switch (model) {
        case SteelModel::Pci250: return pci250(x);
        case SteelModel::Pci270: return pci270(x);
        case SteelModel::Pci300: return pci300(x);
        case SteelModel::Smooth145: return elasticBar(x, single(0.005f), 145.0);
        case SteelModel::Smooth160: return elasticBar(x, 0.005517241379310344, 160.0);
        case SteelModel::DeformedBar: {
            const double fpu = deformedBarStrength(deformedBarCode);
            return elasticBar(x, fpu / kBarModulus, fpu);
        }
        case SteelModel::NoBars:
        case SteelModel::MildSteel: break;
    }
    return 0.0;
}


void barStresses(std::span<const double> strain, double epsPs, const MaterialConstants& m, bool& yielded,
                 std::span<double> stress) {
    const std::size_t n = std::min(strain.size(), stress.size());
    for (std::size_t k = 0; k < n; ++k) stress[k] = barStress(strain[k], epsPs, m, yielded);
}

void casingStresses(std::span<const double> strain, const MaterialConstants& m, bool& yielded,
                    std::span<double> stress) {
    const std::size_t n = std::min(strain.size(), stress.size());
    for (std::size_t k = 0; k < n; ++k)
        stress[k] = elasticPlasticSteelStress(strain[k], m.casingYield, m.casingModulus, yielded);
}

void coreSteelStresses(std::span<const double> strain, const MaterialConstants& m, bool& yielded,
                       std::span<double> stress) {
    const std::size_t n = std::min(strain.size(), stress.size());
    for (std::size_t k = 0; k < n; ++k)
        stress[k] = elasticPlasticSteelStress(strain[k], m.coreYield, m.coreModulus, yielded);
}

// ---------------------------------------------------------------------------------------------
// Prestress.

void Calculate_Strains_Due_To_Prestressing(Run& run, const MaterialConstants& m, std::span<const double> sliceAc,
                                           std::span<const double> sliceAs, bool writeReport,
                                           PrestressStrains& out) {
    PrestressStrains p;
    for (double a : sliceAc) p.Ac += a;
    for (double a : sliceAs) p.As += a;
    if (p.Ac <= 0.0) {
        prestressAreaError(run, 14, "concrete", p.Ac);
        return;
    }
    if (p.As <= 0.0) {
        prestressAreaError(run, 15, "steel", p.As);
        return;
    }

    const double Ec = m.concrete.Ec;
    const double fc = m.concrete.fc;
    p.Pe = (1.0 - m.prestressLoss) * m.prestressForce;
    // In US customary units the force is in pounds and the moduli in ksi.
    if (m.usCustomary) {
        p.epsPs = p.Pe / (-(m.Es * 1000.0) * p.As);
        p.epsC0 = p.Pe / (p.Ac * 1000.0 * Ec);
    } else {
        p.epsPs = p.Pe / (-m.Es * p.As);
        p.epsC0 = p.Pe / (p.Ac * Ec);
    }
    p.fpc = p.epsC0 * Ec;

    const double Ag = p.Ac + p.As;
    p.Pn = (kPnConcrete * fc - kPnPrestress * p.fpc) * Ag;
    p.Nt = -p.As * m.fpu;
    p.N = Ag * (kNConcrete * fc - kNPrestress * p.fpc);
    p.Mn = momentEstimate(m.sectionType).k * m.diameter * p.As * m.fpu;

    out = p;
    if (writeReport) writePrestressReport(run, m, p);
}

}  // namespace mervik
