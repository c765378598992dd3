// Material laws of the section analysis: the concrete constants in US customary and SI units,
// the stress-strain laws of concrete, core concrete, mild steel, every strand grade and the
// steel shells at their characteristic strains, the prestress strains and capacities with
// their report block, and runtime errors 14 and 15.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/run.hpp"
#include "input/model.hpp"
#include "input/sections.hpp"
#include "section/materials.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

constexpr double kPsiToKpa = 6.89475732421875;  // one psi in kPa
constexpr double kKsi = 6894.75732421875;       // one ksi in kPa

double single(float v) { return static_cast<double>(v); }

// A section of the given type with f'c in psi (kPa for SI sections built by the caller).
std::unique_ptr<PileSection> makeSection(int type, double fc) {
    auto s = std::make_unique<PileSection>();
    s->sectionType = type;
    s->concreteStrength = fc;
    return s;
}

// Concrete constants of f'c = 4 ksi worked by hand: sqrt(4000) = 63.245553,
// Ec = 57 * 63.245553 = 3604.9965, eps0 = 1.7 * 4 / Ec = 0.00188627,
// ft = -0.0075 * 63.245553 = -0.474342 (mild steel) or -0.004 * 63.245553 = -0.252982,
// epsCr = -(1 - sqrt(1 - 0.474342 / 4)) * eps0 = -0.000115370.
ConcreteConstants fourKsiConcrete() {
    return setConcreteConstants(*makeSection(kDrilledShaft, 4000.0), kUSCS);
}

// ---------------------------------------------------------------------------------------------
// Constants.

TEST(MaterialsConstants, ConcreteOfFourKsiInUsCustomaryUnits) {
    const ConcreteConstants c = fourKsiConcrete();
    EXPECT_DOUBLE_EQ(c.fc, 4.0);
    EXPECT_NEAR(c.rt, 63.245553, 1e-6);
    EXPECT_NEAR(c.Ec, 3604.997, 1e-3);
    EXPECT_NEAR(c.eps0, 0.00188627, 1e-8);
    EXPECT_NEAR(c.ft, -0.474342, 1e-6);
    EXPECT_NEAR(c.epsCr, -0.000115370, 1e-9);
    EXPECT_EQ(c.epsU, 0.003800000064074993);
    EXPECT_NEAR(c.deltaF, 0.6, 1e-7);
    EXPECT_EQ(c.fres, 0.0010000000474974513);

    // Prestressed piles take the lower tensile strength.
    const ConcreteConstants p = setConcreteConstants(*makeSection(kCircularSolidPrestressed, 4000.0), kUSCS);
    EXPECT_NEAR(p.ft, -0.252982, 1e-6);
    EXPECT_NEAR(p.Ec, 3604.997, 1e-3);

    // A steel pipe has no concrete.
    const ConcreteConstants pipe = setConcreteConstants(*makeSection(kSteelPipePile, 4000.0), kUSCS);
    EXPECT_EQ(pipe.Ec, 0.0);
    EXPECT_EQ(pipe.fc, 0.0);
    EXPECT_EQ(pipe.eps0, 0.0);
}

TEST(MaterialsConstants, ConcreteOfFiveKsiInBothUnitSystems) {
    // 57 sqrt(5000) = 4030.5087 ksi; modulus of rupture -0.0075 sqrt(5000) = -0.530330 ksi.
    const ConcreteConstants us = setConcreteConstants(*makeSection(kRectangularConcretePile, 5000.0), kUSCS);
    EXPECT_NEAR(us.Ec, 4030.5087, 1e-4);
    EXPECT_NEAR(us.ft, -0.530330, 1e-6);

    // The same concrete given in kPa: the stresses are the ksi values times 6894.757, the
    // strains are unchanged.
    const ConcreteConstants si =
        setConcreteConstants(*makeSection(kRectangularConcretePile, 5000.0 * kPsiToKpa), kSI);
    EXPECT_DOUBLE_EQ(si.fc, 5.0 * kKsi);
    EXPECT_NEAR(si.Ec / (4030.508652763321 * kKsi), 1.0, 1e-12);
    EXPECT_NEAR(si.ft / (-0.5303300740361095 * kKsi), 1.0, 1e-7);
    EXPECT_NEAR(si.deltaF, 0.75 * kKsi, 1e-3);
    EXPECT_NEAR(si.eps0 / us.eps0, 1.0, 1e-12);
    EXPECT_NEAR(si.epsCr / us.epsCr, 1.0, 1e-9);
    EXPECT_EQ(si.fres, us.fres);
}

TEST(MaterialsConstants, SteelModelBySectionTypeAndStrandGrade) {
    struct Case {
        int type, grade;
        SteelModel model;
    };
    const Case cases[] = {
        {kRectangularConcretePile, 0, SteelModel::MildSteel}, {kDrilledShaft, 0, SteelModel::MildSteel},
        {kDrilledShaftWithCasing, 0, SteelModel::MildSteel},  {kDrilledShaftWithCasingAndCore, 0, SteelModel::MildSteel},
        {kSteelPipePile, 0, SteelModel::NoBars},              {kCircularSolidPrestressed, 0, SteelModel::Pci250},
        {kCircularHollowPrestressed, 1, SteelModel::Pci270},  {kSquareSolidPrestressed, 2, SteelModel::Pci300},
        {kSquareHollowPrestressed, 3, SteelModel::Smooth145}, {kOctagonalSolidPrestressed, 4, SteelModel::Smooth160},
        {kOctagonalHollowPrestressed, 5, SteelModel::DeformedBar}, {kElasticPile, 0, SteelModel::NoBars},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        auto s = makeSection(c.type, 5000.0);
        s->strandGrade = c.grade;
        EXPECT_EQ(steelModelOf(*s), c.model);
        EXPECT_EQ(isPrestressed(c.model), c.type >= kCircularSolidPrestressed && c.type <= kOctagonalHollowPrestressed);
    }
}

TEST(MaterialsConstants, SteelValuesInTheUnitsOfTheAnalysis) {
    // Cased shaft with core, US customary: psi to ksi; the core works with the casing steel.
    auto shaft = makeSection(kDrilledShaftWithCasingAndCore, 4000.0);
    shaft->barCount = 8;
    shaft->barYield = 60000.0;
    shaft->barModulus = 29000000.0;
    shaft->casingYield = 36000.0;
    shaft->casingModulus = 29000000.0;
    shaft->coreYield = 50000.0;
    shaft->coreModulus = 30000000.0;
    const MaterialConstants m = setMaterialConstants(*shaft, kUSCS);
    EXPECT_EQ(m.steelModel, SteelModel::MildSteel);
    EXPECT_TRUE(m.hasBars);
    EXPECT_DOUBLE_EQ(m.fy, 60.0);
    EXPECT_DOUBLE_EQ(m.Es, 29000.0);
    EXPECT_DOUBLE_EQ(m.casingYield, 36.0);
    EXPECT_DOUBLE_EQ(m.casingModulus, 29000.0);
    EXPECT_DOUBLE_EQ(m.coreYield, 36.0);
    EXPECT_DOUBLE_EQ(m.coreModulus, 29000.0);

    // SI bars stay in kPa.
    auto si = makeSection(kDrilledShaft, 30000.0);
    si->barYield = 420000.0;
    si->barModulus = 200000000.0;
    const MaterialConstants msi = setMaterialConstants(*si, kSI);
    EXPECT_NEAR(msi.fy, 420000.0, 1e-6);
    EXPECT_NEAR(msi.Es, 200000000.0, 1e-4);
    EXPECT_FALSE(msi.hasBars);

    // Strands: the strand table's modulus (ksi or kPa) is kept, fpu goes from psi to ksi or kPa.
    auto strands = makeSection(kSquareSolidPrestressed, 6000.0);
    strands->strandGrade = 5;
    strands->strandSizeCode = 3;
    strands->barModulus = 29000.0;
    strands->strandFpu = 150000.0;
    strands->prestressForce = 100000.0;
    strands->prestressLoss = 0.2;
    strands->diameter = 12.0;
    const MaterialConstants ps = setMaterialConstants(*strands, kUSCS);
    EXPECT_EQ(ps.steelModel, SteelModel::DeformedBar);
    EXPECT_DOUBLE_EQ(ps.Es, 29000.0);
    EXPECT_DOUBLE_EQ(ps.fpu, 150.0);
    EXPECT_EQ(ps.deformedBarCode, 3);
    EXPECT_DOUBLE_EQ(ps.prestressForce, 100000.0);
    EXPECT_DOUBLE_EQ(ps.prestressLoss, 0.2);
    EXPECT_DOUBLE_EQ(ps.diameter, 12.0);

    strands->barModulus = 199947760.0;
    strands->concreteStrength = 6000.0 * kPsiToKpa;
    const MaterialConstants pssi = setMaterialConstants(*strands, kSI);
    EXPECT_NEAR(pssi.Es, 199947760.0, 1e-3);
    EXPECT_NEAR(pssi.fpu, 150.0 * kKsi, 1e-6);
    EXPECT_DOUBLE_EQ(pssi.stressPerKsi, kKsi);
}

// ---------------------------------------------------------------------------------------------
// Concrete.

TEST(MaterialsConcrete, StressAtCharacteristicStrains) {
    const ConcreteConstants c = fourKsiConcrete();
    const double e0 = c.eps0, eu = c.epsU;
    struct Case {
        const char* what;
        double eps, stress;
    };
    const Case cases[] = {
        {"zero", 0.0, 0.0},
        {"half the peak strain: 0.75 f'c", 0.5 * e0, 3.0},
        {"peak", e0, 4.0},
        // 4 - 0.6 * (0.5 e0) / (epsU - e0) = 4 - 0.6 * 0.000943135 / 0.00191373
        {"1.5 eps0 on the descending line", 1.5 * e0, 3.704304},
        {"midway between peak and end: f'c - 0.3", 0.5 * (e0 + eu), 3.7},
        {"end of the curve: 0.85 f'c", eu, 3.4},
        {"beyond the end: residual stress", 0.004, 0.001},
        {"far beyond the end", 0.05, 0.001},
        // u = 0.0305826: -4 (2u - u^2) = -0.240912
        {"tension at half the cracking strain", 0.5 * c.epsCr, -0.240912},
        {"tension beyond ft", 2.0 * c.epsCr, 0.0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        bool cracked = false;
        EXPECT_NEAR(concreteStress(k.eps, c, false, cracked), k.stress, 1e-6);
        EXPECT_EQ(cracked, k.eps == 2.0 * c.epsCr);
    }
    // At the cracking strain the tension parabola meets ft.
    bool cracked = false;
    EXPECT_NEAR(concreteStress(c.epsCr * (1.0 - 1e-9), c, false, cracked), c.ft, 1e-6);
    EXPECT_FALSE(cracked);
}

TEST(MaterialsConcrete, BranchesMeetAtZeroAndAtThePeak) {
    const ConcreteConstants c = fourKsiConcrete();
    bool cracked = false;
    const double d = 1e-10;
    EXPECT_NEAR(concreteStress(c.eps0 - d, c, false, cracked), concreteStress(c.eps0 + d, c, false, cracked), 1e-6);
    EXPECT_NEAR(concreteStress(-d, c, false, cracked), concreteStress(d, c, false, cracked), 1e-6);
    EXPECT_FALSE(cracked);
}

TEST(MaterialsConcrete, CrackingOfTheSliceColumn) {
    const ConcreteConstants c = fourKsiConcrete();
    const double small = 0.5 * c.epsCr;   // tension within the tensile strength
    const double large = 2.0 * c.epsCr;   // tension beyond it
    std::vector<double> stress(4);

    // A slice beyond ft cracks the section: every tension slice below it carries nothing, the
    // one above keeps its tension stress, compression is unaffected.
    std::vector<double> strain{0.5 * c.eps0, small, large, small};
    EXPECT_TRUE(concreteStresses(strain, small, c, false, stress));
    EXPECT_NEAR(stress[0], 3.0, 1e-9);
    EXPECT_NEAR(stress[1], -0.240912, 1e-6);
    EXPECT_EQ(stress[2], 0.0);
    EXPECT_EQ(stress[3], 0.0);

    // A bottom edge beyond the cracking strain cracks the section although no slice reached ft.
    strain = {0.5 * c.eps0, small, small, small};
    EXPECT_TRUE(concreteStresses(strain, large, c, false, stress));
    EXPECT_NEAR(stress[0], 3.0, 1e-9);
    EXPECT_EQ(stress[1], 0.0);
    EXPECT_EQ(stress[3], 0.0);

    // The next evaluation starts afresh: an uncracked strain plane gives uncracked slices.
    EXPECT_FALSE(concreteStresses(strain, small, c, false, stress));
    EXPECT_NEAR(stress[1], -0.240912, 1e-6);

    // With the whole section in tension the concrete carries no tension at all.
    EXPECT_TRUE(concreteStresses(strain, small, c, true, stress));
    EXPECT_NEAR(stress[0], 3.0, 1e-9);
    EXPECT_EQ(stress[1], 0.0);
}

TEST(MaterialsConcrete, CoreConcreteKeepsTheParabolaAndSharesTheCrackedFlag) {
    const ConcreteConstants c = fourKsiConcrete();
    bool cracked = false;
    // u = 1.5: 4 (3 - 2.25) = 3.0, where the unconfined concrete is on its descending line.
    EXPECT_NEAR(coreConcreteStress(1.5 * c.eps0, c, false, cracked), 3.0, 1e-9);
    EXPECT_NEAR(coreConcreteStress(c.eps0, c, false, cracked), 4.0, 1e-9);
    EXPECT_NEAR(coreConcreteStress(0.5 * c.eps0, c, false, cracked), 3.0, 1e-9);
    EXPECT_EQ(coreConcreteStress(0.004, c, false, cracked), c.fres);
    EXPECT_NEAR(coreConcreteStress(0.5 * c.epsCr, c, false, cracked), -0.240912, 1e-6);
    EXPECT_FALSE(cracked);

    // A section cracked by the outer concrete stays cracked in the core.
    std::vector<double> strain{0.5 * c.eps0, 0.5 * c.epsCr};
    std::vector<double> stress(2);
    cracked = true;
    coreConcreteStresses(strain, 0.0, c, false, cracked, stress);
    EXPECT_TRUE(cracked);
    EXPECT_NEAR(stress[0], 3.0, 1e-9);
    EXPECT_EQ(stress[1], 0.0);

    // The bottom edge beyond the cracking strain sets the flag.
    cracked = false;
    coreConcreteStresses(strain, 2.0 * c.epsCr, c, false, cracked, stress);
    EXPECT_TRUE(cracked);
    EXPECT_EQ(stress[1], 0.0);
}

// ---------------------------------------------------------------------------------------------
// Steel.

MaterialConstants mildSteel(bool withBars) {
    MaterialConstants m;
    m.steelModel = SteelModel::MildSteel;
    m.hasBars = withBars;
    m.fy = 60.0;
    m.Es = 29000.0;
    return m;
}

TEST(MaterialsSteel, MildSteelIsElasticPerfectlyPlastic) {
    const MaterialConstants m = mildSteel(true);
    struct Case {
        double eps, stress;
        bool yields;
    };
    const Case cases[] = {
        {0.0, 0.0, false},      {0.001, 29.0, false},   {-0.001, -29.0, false},
        {0.002, 58.0, false},   {0.0021, 60.0, true},   {0.01, 60.0, true},
        {-0.0021, -60.0, true}, {-0.05, -60.0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.eps);
        bool yielded = false;
        EXPECT_NEAR(barStress(c.eps, -0.5, m, yielded), c.stress, 1e-9);  // no prestress offset
        EXPECT_EQ(yielded, c.yields);
    }
    // Without bars the limit raises no flag; a set flag is never cleared.
    bool yielded = false;
    EXPECT_EQ(barStress(0.01, 0.0, mildSteel(false), yielded), 60.0);
    EXPECT_FALSE(yielded);
    yielded = true;
    barStress(0.0, 0.0, m, yielded);
    EXPECT_TRUE(yielded);
}

TEST(MaterialsSteel, StrandGradesAtCharacteristicStrains) {
    struct Case {
        SteelModel model;
        int code;
        double x, stress;
    };
    const Case cases[] = {
        // PCI 250: 28500 x up to 0.0076, then 250 - 0.04 / (x - 0.0064).
        {SteelModel::Pci250, 0, 0.0, 0.0},
        {SteelModel::Pci250, 0, 0.005, 142.5},
        {SteelModel::Pci250, 0, -0.005, -142.5},
        {SteelModel::Pci250, 0, 0.01, 238.888889},   // 250 - 0.04 / 0.0036
        {SteelModel::Pci250, 0, -0.01, -238.888889},
        // PCI 270: 270 - 0.04 / (x - 0.007) beyond 0.0086.
        {SteelModel::Pci270, 0, 0.008, 228.0},
        {SteelModel::Pci270, 0, 0.01, 256.666667},   // 270 - 0.04 / 0.003
        {SteelModel::Pci270, 0, -0.01, -256.666667},
        // PCI 300: 300 - 0.0835 / (x - 0.0071) beyond 0.0088846.
        {SteelModel::Pci300, 0, 0.008, 228.0},
        {SteelModel::Pci300, 0, 0.01, 271.206897},   // 300 - 0.0835 / 0.0029
        {SteelModel::Pci300, 0, -0.01, -271.206897},
        // Smooth bars: 29000 x up to the strength.
        {SteelModel::Smooth145, 0, 0.004, 116.0},
        {SteelModel::Smooth145, 0, 0.006, 145.0},
        {SteelModel::Smooth145, 0, -0.006, -145.0},
        {SteelModel::Smooth160, 0, 0.005, 145.0},
        {SteelModel::Smooth160, 0, 0.006, 160.0},
        {SteelModel::Smooth160, 0, -0.0056, -160.0},
        // Deformed bars: 157 ksi for code 1, 160 for codes 3 and 5, 150 otherwise.
        {SteelModel::DeformedBar, 1, 0.005, 145.0},
        {SteelModel::DeformedBar, 1, 0.01, 157.0},
        {SteelModel::DeformedBar, 3, 0.01, 160.0},
        {SteelModel::DeformedBar, 5, -0.01, -160.0},
        {SteelModel::DeformedBar, 0, 0.01, 150.0},
        {SteelModel::DeformedBar, 2, 0.01, 150.0},
        {SteelModel::DeformedBar, 4, 0.01, 150.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.model) << " code " << c.code << " x " << c.x);
        EXPECT_NEAR(strandStressKsi(c.model, c.x, c.code), c.stress, 1e-5);
    }
}

TEST(MaterialsSteel, StrandCurvesAtTheirBranchPointsAndLimits) {
    // PCI 250 at -0.0076 is on the curve: -250 + 0.04 / 0.0012 = -216.667 (elastic: -216.6).
    const double x250 = single(0.0076f);
    EXPECT_NEAR(strandStressKsi(SteelModel::Pci250, -x250, 0), -216.667, 1e-3);
    EXPECT_NEAR(strandStressKsi(SteelModel::Pci250, x250, 0), 216.6, 1e-3);
    // PCI 270 at -0.0086 is still elastic (-245.1); just beyond, the curve starts at -245.0.
    const double x270 = single(0.0086f);
    EXPECT_NEAR(strandStressKsi(SteelModel::Pci270, -x270, 0), -245.1, 1e-3);
    EXPECT_NEAR(strandStressKsi(SteelModel::Pci270, -x270 * (1.0 + 1e-9), 0), -245.0, 1e-3);
    EXPECT_NEAR(strandStressKsi(SteelModel::Pci270, x270 * (1.0 + 1e-9), 0), 245.0, 1e-3);
    // PCI 300 at -0.0088846: -300 + 0.0835 / 0.0017846 = -253.211.
    EXPECT_NEAR(strandStressKsi(SteelModel::Pci300, -single(0.0088846f), 0), -253.211, 1e-3);
    // Far out, each curve approaches its limit from inside.
    const struct {
        SteelModel model;
        double limit;
    } limits[] = {{SteelModel::Pci250, 250.0}, {SteelModel::Pci270, 270.0}, {SteelModel::Pci300, 300.0}};
    for (const auto& l : limits) {
        const double far = strandStressKsi(l.model, 1.0, 0);
        EXPECT_LT(far, l.limit);
        EXPECT_GT(far, l.limit - 0.1);
        EXPECT_EQ(strandStressKsi(l.model, -1.0, 0), -far);
    }
    // The bars are continuous at their yield strain.
    EXPECT_NEAR(strandStressKsi(SteelModel::Smooth145, single(0.005f), 0), 145.0, 1e-5);
    EXPECT_NEAR(strandStressKsi(SteelModel::Smooth160, 160.0 / 29000.0, 0), 160.0, 1e-9);
    // Mild steel and pipes have no strand law.
    EXPECT_EQ(strandStressKsi(SteelModel::MildSteel, 0.01, 0), 0.0);
    EXPECT_EQ(strandStressKsi(SteelModel::NoBars, 0.01, 0), 0.0);
}

TEST(MaterialsSteel, StrandSlicesAddThePrestressOffsetAndScaleToKpa) {
    MaterialConstants m;
    m.steelModel = SteelModel::Pci270;
    m.hasBars = true;
    // Slice in compression 0.002 with a prestress offset of -0.012: x = -0.01.
    std::vector<double> strain{0.002, 0.017, -0.003};
    std::vector<double> stress(3);
    bool yielded = false;
    barStresses(strain, -0.012, m, yielded, stress);
    EXPECT_NEAR(stress[0], -256.666667, 1e-5);
    EXPECT_NEAR(stress[1], 28500.0 * 0.005, 1e-9);
    EXPECT_NEAR(stress[2], -270.0 + 0.04 / 0.008, 1e-5);
    EXPECT_FALSE(yielded);

    m.stressPerKsi = kKsi;
    EXPECT_NEAR(barStress(0.002, -0.012, m, yielded), -256.666667 * kKsi, 1e-1);
}

TEST(MaterialsSteel, CasingAndCoreSteelWithTheirOwnValues) {
    MaterialConstants m;
    m.casingYield = 36.0;
    m.casingModulus = 29000.0;
    m.coreYield = 50.0;
    m.coreModulus = 30000.0;
    std::vector<double> strain{0.002, 0.001, -0.001, -0.002};
    std::vector<double> stress(4);
    bool yielded = false;
    casingStresses(std::span(strain).subspan(1, 2), m, yielded, std::span(stress).subspan(1, 2));
    EXPECT_NEAR(stress[1], 29.0, 1e-9);
    EXPECT_NEAR(stress[2], -29.0, 1e-9);
    EXPECT_FALSE(yielded);
    casingStresses(strain, m, yielded, stress);
    EXPECT_EQ(stress[0], 36.0);
    EXPECT_EQ(stress[3], -36.0);
    EXPECT_TRUE(yielded);

    yielded = false;
    coreSteelStresses(strain, m, yielded, stress);
    EXPECT_EQ(stress[0], 50.0);   // 60 limited to 50
    EXPECT_NEAR(stress[1], 30.0, 1e-9);
    EXPECT_EQ(stress[3], -50.0);
    EXPECT_TRUE(yielded);
}

// ---------------------------------------------------------------------------------------------
// Prestress.

class MaterialsPrestress : public testing::MemoryRunTest {
protected:
    // Square solid pile, 12 in, f'c = 6 ksi, PCI 270 strands (28000 ksi, fpu 270 ksi),
    // Pi = 100 kips (in pounds) with 20 percent loss.
    MaterialConstants usPile() {
        auto s = makeSection(kSquareSolidPrestressed, 6000.0);
        s->strandGrade = 1;
        s->barModulus = 28000.0;
        s->strandFpu = 270000.0;
        s->prestressForce = 100000.0;
        s->prestressLoss = 0.2;
        s->diameter = 12.0;
        return setMaterialConstants(*s, kUSCS);
    }
    // Two slices: Ac = 70 + 73.388 = 143.388, As = 2 * 0.306 = 0.612, Ag = 144.
    std::vector<double> ac{70.0, 73.388};
    std::vector<double> as{0.306, 0.306};
};

// Label line of the prestress block: label, tab 56, "= ", value text.
std::string row(const std::string& label, const std::string& rest) {
    return label + std::string(55 - label.size(), ' ') + "= " + rest + "\n";
}

TEST_F(MaterialsPrestress, StrainsAndCapacitiesOfASquarePile) {
    const MaterialConstants m = usPile();
    PrestressStrains p;
    Calculate_Strains_Due_To_Prestressing(*run, m, ac, as, false, p);
    ASSERT_FALSE(run->failed());
    EXPECT_TRUE(report().empty());
    EXPECT_NEAR(p.Ac, 143.388, 1e-12);
    EXPECT_NEAR(p.As, 0.612, 1e-12);
    EXPECT_DOUBLE_EQ(p.Pe, 80000.0);
    // Strand strain -80 kips / (28000 ksi * 0.612) = -0.00466853.
    EXPECT_NEAR(p.epsPs, -0.00466853, 1e-8);
    // Concrete stress 80 / 143.388 = 0.557927 ksi; strain f_pc / (57 sqrt(6000)) = 0.000126365.
    EXPECT_NEAR(p.fpc, 0.557927, 1e-6);
    EXPECT_NEAR(p.epsC0, 0.000126365, 1e-9);
    // Pn = (5.1 - 0.334756) * 144 = 686.195; N = (1.98 - 0.150640) * 144 = 263.428;
    // Nt = -0.612 * 270 = -165.24; Mn = 0.37 * 12 * 0.612 * 270 = 733.666.
    EXPECT_NEAR(p.Pn, 686.195, 1e-3);
    EXPECT_NEAR(p.N, 263.428, 1e-3);
    EXPECT_NEAR(p.Nt, -165.24, 1e-9);
    EXPECT_NEAR(p.Mn, 733.666, 1e-3);
}

TEST_F(MaterialsPrestress, ReportBlockOfASquarePile) {
    PrestressStrains p;
    Calculate_Strains_Due_To_Prestressing(*run, usPile(), ac, as, true, p);
    ASSERT_FALSE(run->failed());
    const std::string expected =
        "\nComputation of Loss of Prestress:\n" + std::string(33, '-') + "\n\n" +
        row("Initial Prestressing Force", "        100.000 kips") +
        row("Fraction of Loss of Prestress", "          0.200") +
        row("Effective Prestressing Force", "         80.000 kips") +
        row("Area of Concrete, Ac      ", "        143.388 Sq. in  ") +
        row("Area of Steel, As         ", "          0.612 Sq. in  ") +
        row("Stress in Concrete After Losses, f_pc", "          0.558  ksi    ") +
        row("Stress in Steel After Losses", "       -130.719 ksi    ") +
        row("Compressive Strain in Concrete", "      0.0001264") +
        row("Tensile Strain in Steel  ", "     -0.0046685") + "\n" +
        "Estimated Structural Capacities Computed Using PCI Equations:\n" + std::string(61, '-') + "\n\n" +
        row("Nom. Axial Cap., Pn = (0.85 f'c - 0.60 f_pc) Ag", "        686.195 kips") +
        row("Unfac. Axial Load Cap. N  = (0.33 f'c - 0.27 f_pc) Ag", "        263.428 kips") +
        row("Axial Capacity in Tension, Nt = As fpu", "       -165.240 kips  ") +
        row("Nom. Moment Capacity, Mn = 0.37 D As fpu", "        733.666 in-kip") + "\n" +
        "Note:  The above value of nominal moment capacity is based on equations that\n"
        "assume a concrete compressive strength of 6,000 psi (41.4 MPa), a prestressing\n"
        "level after losses of 700 psi (4.83 MPa), and an axial thrust loading of zero. \n"
        "When different values for these factors are input, the estimated value of Mn \n"
        "may differ greatly from the capacity computed by Mervik and should be considered \n"
        "only as an approximate check.\n\n";
    EXPECT_EQ(report(), expected);
}

TEST_F(MaterialsPrestress, StrainsInSiUnits) {
    // Circular solid pile 0.3 m, f'c = 6000 psi in kPa, PCI 270 strands 193053200 kPa,
    // Pi = 400 kN with 20 percent loss: Pe = 320 kN.
    auto s = makeSection(kCircularSolidPrestressed, 6000.0 * kPsiToKpa);
    s->strandGrade = 1;
    s->barModulus = 193053200.0;
    s->strandFpu = 270000.0;
    s->prestressForce = 400.0;
    s->prestressLoss = 0.2;
    s->diameter = 0.3;
    const MaterialConstants m = setMaterialConstants(*s, kSI);
    const std::vector<double> siAc{0.05, 0.0425};
    const std::vector<double> siAs{0.0002, 0.000195};
    PrestressStrains p;
    Calculate_Strains_Due_To_Prestressing(*run, m, siAc, siAs, true, p);
    ASSERT_FALSE(run->failed());
    // eps_ps = -320 / (193053200 * 0.000395) = -0.00419639; f_pc = 320 / 0.0925 = 3459.459 kPa.
    EXPECT_NEAR(p.epsPs, -0.00419639, 1e-8);
    EXPECT_NEAR(p.fpc, 3459.459459, 1e-5);
    EXPECT_NEAR(p.epsC0, 3459.459459 / (57.0 * std::sqrt(6000.0) * kKsi), 1e-12);
    // Nt = -0.000395 * 270 ksi in kPa; Mn = 0.32 * 0.3 * 0.000395 * 270 ksi.
    EXPECT_NEAR(p.Nt, -0.000395 * 270.0 * kKsi, 1e-6);
    EXPECT_NEAR(p.Mn, 0.32 * 0.3 * 0.000395 * 270.0 * kKsi, 1e-4);
    EXPECT_NE(report().find(row("Area of Concrete, Ac      ", "       0.092500 Sq. m   ")), std::string::npos);
    EXPECT_NE(report().find(row("Nom. Moment Capacity, Mn = 0.32 D As fpu ", "         70.591 kN-m  ")),
              std::string::npos)
        << report();
}

TEST_F(MaterialsPrestress, RuntimeErrors14And15ForAreasOfZeroOrLess) {
    struct Case {
        std::vector<double> ac, as;
        int n;
        std::string line;
    };
    const Case cases[] = {
        {{-1.5, 0.5}, {0.3}, 14, "The computed area of concrete in the section is less than 0.0 =        -1.00000"},
        {{0.0}, {0.3}, 14, "The computed area of concrete in the section is less than 0.0 =         0.00000"},
        {{140.0}, {0.0, 0.0}, 15, "The computed area of steel in the section is less than 0.0 =         0.00000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        start();
        PrestressStrains p;
        p.epsPs = 7.0;
        Calculate_Strains_Due_To_Prestressing(*run, usPile(), c.ac, c.as, true, p);
        EXPECT_EQ(run->errorNumber, 200 + c.n);
        EXPECT_EQ(p.epsPs, 7.0);  // nothing computed
        const std::string text = "**** Runtime Error No. " + std::to_string(c.n) +
                                 " ****\n\nAn error occurred in prestressing computations\n" + c.line + "\n";
        EXPECT_EQ(messages(), text);
        EXPECT_EQ(report(), text + "\n\nMervik ended prematurely due to runtime error number RUN000" +
                                std::to_string(c.n) + "\n");
    }
}

}  // namespace
}  // namespace mervik
