// Material stress-strain laws of the section analysis: unconfined concrete, concrete inside a
// filled steel core, mild reinforcing steel, prestressing strands and high-strength bars, and
// the elastic-perfectly plastic steel of casings, cores and pipe walls; the material constants
// derived once per section; the strains caused by the effective prestress.
//
// Sign convention: compressive strains and stresses are positive, tensile ones negative.
// Stresses are in ksi in US customary units and in kPa otherwise; forces in kips or kN.
//
// The stress laws are pure functions of the strain and the constants: they are evaluated for
// every slice at every trial depth of the neutral axis, so they allocate nothing and touch no
// run state. Slice arrays are passed as spans over slices 1..N (the caller passes the used part
// of its 1-based tables, for example std::span(table).subspan(1, N)).
#pragma once
#include <cmath>
#include <span>

namespace mervik {

struct PileSection;
struct Run;

// Law for the bars or strands of a section. The models from Pci250 on are the prestressed
// models; a section with one of them is a prestressed section.
enum class SteelModel { NoBars, MildSteel, Pci250, Pci270, Pci300, Smooth145, Smooth160, DeformedBar };

inline constexpr bool isPrestressed(SteelModel model) { return model >= SteelModel::Pci250; }

// Steel model of a section by its type: steel pipe NoBars, rectangular piles and drilled
// shafts MildSteel, prestressed piles the model of their strand grade (0 PCI 250 ... 5
// deformed bars). Other section types (elastic, user EI, micropile) get NoBars.
SteelModel steelModelOf(const PileSection& section);

// One ksi in kPa.
inline constexpr double kKpaPerKsi = 6894.75732421875;

// Concrete constants of a section, in the stress unit of the section analysis.
struct ConcreteConstants {
    double fc = 0.0;      // compressive strength f'c
    double rt = 0.0;      // square root of f'c in psi
    double Ec = 0.0;      // modulus, 57000 sqrt(f'c psi) psi; 0 for a steel pipe pile
    double ft = 0.0;      // tensile strength (modulus of rupture), negative
    double eps0 = 0.0;    // strain at peak stress
    double epsCr = 0.0;   // cracking strain, negative
    double epsU = 0.0;    // end of the compression curve
    double deltaF = 0.0;  // drop of stress from eps0 to epsU, 0.15 f'c
    double fres = 0.0;    // residual stress beyond epsU
};

// The material values of one section in the units of the section analysis.
struct MaterialConstants {
    int sectionType = 0;
    SteelModel steelModel = SteelModel::NoBars;
    bool usCustomary = true;        // ksi and kips; otherwise kPa and kN
    double stressPerKsi = 1.0;      // 1 in US customary units, kKpaPerKsi otherwise

    ConcreteConstants concrete;

    // Bars or strands.
    bool hasBars = false;           // at least one bar: mild steel may raise the yield flag
    double fy = 0.0;                // yield stress of mild steel bars
    double Es = 0.0;                // modulus of the bars or strands
    double fpu = 0.0;               // ultimate strength of the strands
    int deformedBarCode = 0;        // code selecting the strength of deformed bars

    // Steel shells: casing or pipe wall, steel core.
    double casingYield = 0.0, casingModulus = 0.0;
    double coreYield = 0.0, coreModulus = 0.0;

    // Prestress.
    double diameter = 0.0;          // section depth D for the estimated moment capacity
    double prestressForce = 0.0;    // initial prestressing force Pi (pounds or kN)
    double prestressLoss = 0.0;     // fraction of loss of prestress
};

// Concrete constants of a section (f'c from the section, psi or kPa). For a steel pipe pile
// only Ec is set, to 0.
ConcreteConstants setConcreteConstants(const PileSection& section, int IUNITS);

// All material values of a section: strengths and moduli converted from the section's input
// units (psi, kPa; strand modulus ksi or kPa; fpu psi) to the stress unit of the analysis.
MaterialConstants setMaterialConstants(const PileSection& section, int IUNITS);

// ---------------------------------------------------------------------------------------------
// Concrete.

// The concrete curve beyond the tension side: the parabola up to eps0, then the linear drop
// (unconfined concrete) or the parabola again (core concrete), then the residual stress.
inline double tensionStress(double eps, const ConcreteConstants& c, bool wholeTension, bool& cracked) {
    if (cracked) return 0.0;
    const double u = std::fabs(eps / c.eps0);
    const double sigma = -c.fc * (2.0 * u - u * u);
    if (sigma < c.ft || wholeTension) {
        cracked = true;
        return 0.0;
    }
    return sigma;
}

// Stress of unconfined concrete at strain eps. In tension the parabola of the compression
// curve applies until the stress falls below ft; from then on, or when the section is cracked
// already or the whole section is in tension, tension slices carry nothing and `cracked` is set.
inline double concreteStress(double eps, const ConcreteConstants& c, bool wholeTension, bool& cracked) {
    if (eps <= 0.0) return tensionStress(eps, c, wholeTension, cracked);
    if (eps <= c.epsU) {
        const double u = eps / c.eps0;
        if (u < 1.0) return c.fc * (2.0 * u - u * u);
        return c.fc - ((eps - c.eps0) / (c.epsU - c.eps0)) * c.deltaF;
    }
    return c.fres;
}

// Stresses of the concrete slices, top to bottom. The section starts cracked when the strain
// at the bottom edge is beyond the cracking strain. Returns the cracked state after the slices.
bool concreteStresses(std::span<const double> strain, double epsBottom, const ConcreteConstants& c,
                      bool wholeTension, std::span<double> stress);

// Stress of concrete inside a filled steel core: the parabola over the whole compression range
// (no descending branch), residual stress beyond epsU, tension as for unconfined concrete.
inline double coreConcreteStress(double eps, const ConcreteConstants& c, bool wholeTension, bool& cracked) {
    if (eps <= 0.0) return tensionStress(eps, c, wholeTension, cracked);
    if (eps <= c.epsU) {
        const double u = eps / c.eps0;
        return c.fc * (2.0 * u - u * u);
    }
    return c.fres;
}

// Stresses of the core concrete slices. The cracked flag is shared with the concrete outside
// the core: it is set here when the bottom edge is beyond the cracking strain, never cleared.
void coreConcreteStresses(std::span<const double> strain, double epsBottom, const ConcreteConstants& c,
                          bool wholeTension, bool& cracked, std::span<double> stress);

// ---------------------------------------------------------------------------------------------
// Bars, strands and steel shells. `yielded` is only ever set, never cleared.

// Elastic-perfectly plastic steel: E eps limited to +-fy; `limited` is set when the limit applies.
inline double elasticPlasticSteelStress(double eps, double fy, double E, bool& limited) {
    const double sigma = E * eps;
    if (sigma > fy) {
        limited = true;
        return fy;
    }
    if (sigma < -fy) {
        limited = true;
        return -fy;
    }
    return sigma;
}

// Strand or high-strength bar stress in ksi at the total strand strain x (slice strain plus
// the prestress offset), by the law of the model; 0 for NoBars and MildSteel.
double strandStressKsi(SteelModel model, double x, int deformedBarCode);

// Stress of the bars or strands of a slice at slice strain eps, in the stress unit of the
// section. Mild steel sets `yielded` at its limit when the section has bars; the strand laws
// add the prestress offset epsPs to the strain and set no flag.
inline double barStress(double eps, double epsPs, const MaterialConstants& m, bool& yielded) {
    if (m.steelModel == SteelModel::MildSteel) {
        bool limited = false;
        const double sigma = elasticPlasticSteelStress(eps, m.fy, m.Es, limited);
        if (limited && m.hasBars) yielded = true;
        return sigma;
    }
    if (isPrestressed(m.steelModel))
        return strandStressKsi(m.steelModel, eps + epsPs, m.deformedBarCode) * m.stressPerKsi;
    return 0.0;
}
void barStresses(std::span<const double> strain, double epsPs, const MaterialConstants& m, bool& yielded,
                 std::span<double> stress);

// Casing or pipe wall, and steel core ring (the caller passes the core slice range).
void casingStresses(std::span<const double> strain, const MaterialConstants& m, bool& yielded,
                    std::span<double> stress);
void coreSteelStresses(std::span<const double> strain, const MaterialConstants& m, bool& yielded,
                       std::span<double> stress);

// ---------------------------------------------------------------------------------------------
// Prestress.

// Strains from the effective prestress and the capacities estimated for a prestressed pile.
struct PrestressStrains {
    double Ac = 0.0, As = 0.0;   // net concrete and strand areas of the slices
    double Pe = 0.0;             // effective prestressing force (pounds or kN)
    double epsPs = 0.0;          // strain offset of the strands, negative ("Tensile Strain in Steel")
    double epsC0 = 0.0;          // precompression strain of the concrete
    double fpc = 0.0;            // concrete stress after losses
    double Pn = 0.0;             // nominal axial capacity in compression
    double N = 0.0;              // unfactored axial load capacity
    double Nt = 0.0;             // axial capacity in tension, negative
    double Mn = 0.0;             // estimated nominal moment capacity
};

// Computes the prestress strains and capacities from the slice areas of concrete and strands
// (slices 1..N). With `writeReport` (the first computation for the section) the block
// "Computation of Loss of Prestress:" is written to the report. A concrete or strand area of
// zero or less raises runtime error 14 or 15; the caller then tests run.failed().
void Calculate_Strains_Due_To_Prestressing(Run& run, const MaterialConstants& m, std::span<const double> sliceAc,
                                           std::span<const double> sliceAs, bool writeReport,
                                           PrestressStrains& out);

}  // namespace mervik
