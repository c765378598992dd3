// Moment-curvature relations of a sliced pile section. For every axial thrust the curvature is
// raised step by step; at each step the neutral axis that balances the thrust is found by a
// Newton iteration on the internal axial force, and the moment of the slice forces about the
// centre of the section gives one point of the relation. From each relation follow the secant
// bending stiffness EI = M / phi and the nominal moment capacity at a compressive concrete strain
// of 0.003. The relations are kept for the load-case solution, written to the plot file and to
// one text file per section and thrust.
//
// Everything works on the fixed tables of run.section; nothing is allocated while the force
// function is evaluated.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "engine/errors.hpp"
#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "engine/warnings.hpp"
#include "report/layout.hpp"
#include "section/section_analysis.hpp"

namespace mervik {

namespace {

constexpr double kPi = 3.141592653589793;

// Neutral-axis search: numerical-derivative step and convergence tolerance on the depth, in
// inches (US customary) or meters, held in single precision.
constexpr double kDepthStepUS = 1.0000000116860974e-07;
constexpr double kDepthToleranceUS = 9.999999974752427e-07;
constexpr double kDepthStepSI = 2.5399999881159374e-09;
constexpr double kDepthToleranceSI = 2.5400000325248584e-08;
constexpr double kZeroSlopeStep = 9.99999993922529e-09;  // depth change when the force is flat
constexpr int kMaxNeutralAxisIterations = 1000;

// Base curvature increment: 1.25e-6 rad/in for sections up to 24 in deep, divided by the depth
// in multiples of 24 in; the SI value is the same per meter.
constexpr double kBaseCurvatureUS = 1.25e-6;
constexpr double kBaseCurvatureSI = 4.921259901994065e-05;
constexpr double kMetersPerInch = 0.02539999969303608;
constexpr double kPipeFirstYieldFactor = 1.7000000476837158;  // 80 base steps = 1.7 x first yield

// Limits of a relation.
constexpr double kCrushingStrain = 0.003800000064074993;    // end of the concrete curve
constexpr double kShallowTensionZone = 0.10000000149011612;  // neutral axis above 0.1 D
constexpr double kNominalStrain = 0.003;                     // strain of the nominal capacity
constexpr double kTensionControlledSteel = -0.004999999888241291;
constexpr double kTensionControlledConcrete = 0.003000000026077032;

using SliceTable = Table<double, kSliceCount>;

std::span<double> slicesOf(SliceTable& t) { return std::span<double>(t.data() + 1, kSliceCount); }
std::span<const double> slicesOf(const SliceTable& t) { return std::span<const double>(t.data() + 1, kSliceCount); }

bool usCustomary(const Run& run) { return run.section.materials.usCustomary; }

// Which components of the section carry force, by shape.
struct Components {
    bool concrete = false, bars = false, casing = false, coreSteel = false, coreConcrete = false;
};

Components componentsOf(const SectionWork& w) {
    const SectionGeometry& g = w.geometry;
    Components c;
    switch (w.shape) {
        case SectionShape::Rectangle:
        case SectionShape::Circle:
        case SectionShape::Polygon:
        case SectionShape::PolygonWithVoids:
            c.concrete = c.bars = true;
            break;
        case SectionShape::RectangleWithVoid:
        case SectionShape::CircleWithVoid:
            c.concrete = c.bars = c.coreSteel = true;
            break;
        case SectionShape::CircleWithCasing:
            c.concrete = c.bars = c.casing = true;
            break;
        case SectionShape::CircleWithCasingAndCore:
            c.concrete = c.bars = c.casing = c.coreSteel = c.coreConcrete = true;
            break;
        case SectionShape::SteelPipe:
            c.casing = true;
            break;
    }
    // A casing or pipe wall of no thickness carries nothing; a void without a steel wall keeps
    // its area in the core table but carries no stress.
    c.casing = c.casing && g.t > 0.0;
    c.coreSteel = c.coreSteel && g.Dv > 0.0 && g.tv > 0.0;
    return c;
}

// Precompression strain of the concrete from the prestress (0 without prestress).
double precompression(const SectionWork& w) {
    return isPrestressed(w.materials.steelModel) ? w.prestress.epsC0 : 0.0;
}

// Cross-sectional area of the pipe wall.
double pipeArea(const SectionGeometry& g) {
    const double Di = g.D - 2.0 * g.t;
    return kPi * (g.D * g.D - Di * Di) / 4.0;
}

// Value of largest magnitude over slices first..last, sign kept.
double largestMagnitude(const SliceTable& t, int first, int last) {
    double v = 0.0;
    for (int k = first; k <= last; ++k)
        if (std::fabs(t[k]) > std::fabs(v)) v = t[k];
    return v;
}

// Base curvature increment of a concrete section: the depth in multiples of 24 inches, rounded
// to the nearest integer with halves away from zero, divides the increment of a 24-inch section.
// A rectangular pile always uses the undivided increment.
double baseCurvatureIncrement(const Run& run) {
    const SectionWork& w = run.section;
    const double D = w.materials.sectionType == kRectangularConcretePile ? 0.0 : w.geometry.D;
    if (usCustomary(run)) {
        const long m = std::lround(D / 24.0);
        return kBaseCurvatureUS / static_cast<double>(std::max(1L, m));
    }
    const long m = std::lround((D / kMetersPerInch) / 24.0);
    return kBaseCurvatureSI / static_cast<double>(std::max(1L, m));
}

// Strain of first yield of the pipe wall under the thrust P, reduced by the axial strain.
double pipeAxialStrain(const SectionWork& w, double P) {
    const MaterialConstants& m = w.materials;
    return P / (pipeArea(w.geometry) * m.casingModulus);
}

// Moment of the slice forces of the last force evaluation about the centre of the section.
double sliceMoment(const SectionWork& w) {
    const SectionSlices& sl = w.slices;
    const Components c = componentsOf(w);
    const double half = w.geometry.D / 2.0;
    double M = 0.0;
    for (int j = 1; j <= kSliceCount; ++j) {
        double F = 0.0;
        if (c.concrete) F += w.sigmaC[j] * sl.Ac[j];
        if (c.bars) F += w.sigmaS[j] * sl.As[j];
        if (c.casing) F += w.sigmaCas[j] * sl.Acas[j];
        if (c.coreSteel && j >= sl.coreFirstSlice && j <= sl.coreLastSlice) F += w.sigmaCore[j] * sl.Acore[j];
        if (c.coreConcrete) F += w.sigmaCC[j] * sl.Acc[j];
        M += (half - sl.yc[j]) * F;
    }
    return M;
}

// Strain of the most tensile bar at neutral-axis depth yN and curvature phi (bars measured from
// the centre of the section, strains compression positive).
double extremeBarStrain(const SectionWork& w, double yN, double phi) {
    const SectionGeometry& g = w.geometry;
    double eps = 0.0;
    for (int j = 1; j <= std::clamp(g.barCount, 0, kMaxBars); ++j) {
        const double barDepth = g.D / 2.0 - g.bar[j].y;
        const double e = (yN - barDepth) * phi;
        if (j == 1 || e < eps) eps = e;
    }
    return eps;
}

// Nominal moment capacity of a relation of a concrete section: the moment at a compressive
// strain of 0.003, interpolated in strain between the points that bracket it, or, when the
// section never reaches that strain, the moment of the last point examined. Returns whether the
// capacity was reached at the strain of 0.003.
bool nominalCapacity(MomentCurvatureTable& t) {
    const int n = t.n;
    int j = 1;
    while (t.epsTop[j + 1] < kNominalStrain && j + 1 < n) ++j;
    j = std::min(j, kMaxCurvePoints - 1);
    if (t.epsTop[j + 1] > kNominalStrain && t.M[j + 1] > 0.0) {
        t.epsN = kNominalStrain;
        t.Mn = t.M[j] + (t.M[j + 1] - t.M[j]) * (kNominalStrain - t.epsTop[j]) / (t.epsTop[j + 1] - t.epsTop[j]);
        return true;
    }
    t.Mn = t.M[j];
    t.epsN = t.epsTop[j];
    return false;
}

// The relation file of section s and thrust i, when the name list has an entry for it: one line
// per point with the moment (inch-pounds in US customary units) and the curvature.
void writeRelationFile(Run& run, int s, int i, int T) {
    const MomentCurvatureReportNames& list = run.momentCurvatureNames;
    const int entry = (s - 1) * T + i;
    if (entry < 1 || entry > std::min(list.count, kMaxMomentCurvatureNames)) return;
    const std::string name(withoutTrailingBlanks(list.names[static_cast<std::size_t>(entry)]));
    if (name.empty()) return;

    Channel file;
    if (!file.openFile(name)) return;
    const MomentCurvatureTable& t = run.section.table[i];
    const double scale = usCustomary(run) ? 1000.0 : 1.0;
    for (int k = 1; k <= t.n; ++k) Line(file).es(t.M[k] * scale, 15, 8).es(t.phi[k], 15, 8).end();
    file.close();
}

// Thrust list of the section and the checks against the axial capacities. Analysis type 2 keeps
// only the thrusts strictly inside the capacities and shortens the run's thrust list; a full
// analysis stops at the first thrust beyond them. False when an error was raised.
bool selectThrusts(Run& run, int s) {
    SectionWork& w = run.section;
    AxialThrustList& list = run.model.axialThrusts;
    const ProgramOptions& o = run.model.options;
    const int count = std::clamp(list.count, 0, kMaxAxialThrusts);

    w.thrustCount = 0;
    if (o.i_Analysis_Type == 2) {
        bool dropped = false;
        for (int i = 1; i <= count; ++i) {
            const double P = list.thrust[i];
            if (w.Nt < P && P < w.Pn) {
                w.thrust[++w.thrustCount] = P;
            } else {
                dropped = true;
            }
        }
        list.count = w.thrustCount;
        writeThrustSelection(run, dropped);
        if (s == 1) plotRecord3(run, PlotSectionKind::EIOnlyThrusts, w.thrustCount);
        return true;
    }

    for (int i = 1; i <= count; ++i) {
        const double P = list.thrust[i];
        if (P > w.Pn) {
            const int n = o.useLrfd ? 26 : 24;
            writeAxialThrustError(run, n, i, P, w.Pn);
            raiseRuntimeError(run, n);
            return false;
        }
        if (P < w.Nt) {
            const int n = o.useLrfd ? 27 : 25;
            writeAxialThrustError(run, n, i, P, w.Nt);
            raiseRuntimeError(run, n);
            return false;
        }
        w.thrust[++w.thrustCount] = P;
    }
    writeThrustSelection(run, false);
    if (s == 1) plotRecord3(run, o.useLrfd ? PlotSectionKind::Lrfd : PlotSectionKind::Nonlinear, w.thrustCount);
    return true;
}

// The relation of thrust i: curvature steps until a limit of the section is reached. Returns
// false when the neutral axis could not be found (the points before stay in the table).
bool curvatureLoop(Run& run, int i) {
    SectionWork& w = run.section;
    MomentCurvatureTable& t = w.table[i];
    const SectionGeometry& g = w.geometry;
    const MaterialConstants& m = w.materials;
    const bool pipe = w.shape == SectionShape::SteelPipe;
    const bool prestressed = isPrestressed(m.steelModel);
    const bool shaftWithMildSteel = w.shape == SectionShape::Circle && m.steelModel == SteelModel::MildSteel;
    const Components c = componentsOf(w);
    const double P = t.P;
    const double epsC0 = precompression(w);
    // Strain limit of the pipe wall: five times the yield strain, less the axial strain.
    const double pipeStrainLimit = pipe ? 5.0 * m.casingYield / m.casingModulus - pipeAxialStrain(w, P) : 0.0;

    double step = w.baseCurvatureIncrement;
    for (int k = 1; k <= kMaxCurvePoints; ++k) {
        if (k == 1) {
            t.phi[k] = step;
        } else {
            if (k == 40) step *= 2.0;
            if (k == 80) step *= 4.0;
            if (k == 120) step *= 6.0;
            t.phi[k] = t.phi[k - 1] + step;
        }
        const double phi = t.phi[k];

        Find_Neutral_Axis(run, i, k, phi);
        if (run.failed()) {
            t.n = k - 1;
            return false;
        }
        const double yN = t.yN[k];

        // Largest stresses of the last force evaluation.
        t.sigmaC[k] = 0.0;
        if (c.concrete) t.sigmaC[k] = *std::max_element(w.sigmaC.begin() + 1, w.sigmaC.end());
        t.sigmaS[k] = c.bars ? largestMagnitude(w.sigmaS, 1, kSliceCount) : 0.0;
        t.sigmaCas[k] = c.casing ? largestMagnitude(w.sigmaCas, 1, kSliceCount) : 0.0;
        t.sigmaCore[k] = c.coreSteel ? largestMagnitude(w.sigmaCore, w.slices.coreFirstSlice, w.slices.coreLastSlice) : 0.0;
        t.epsS[k] = shaftWithMildSteel ? extremeBarStrain(w, yN, phi) : 0.0;

        // Moment, never falling below the moment of the point before (except for the pipe).
        const double Mraw = sliceMoment(w);
        t.M[k] = (k >= 2 && !pipe) ? std::max(Mraw, t.M[k - 1]) : Mraw;
        t.EI[k] = t.M[k] / phi;
        t.epsTop[k] = pipe ? phi * yN : epsC0 + phi * yN;
        t.epsBot[k] = phi * (yN - g.D);

        std::array<char, 3>& msg = t.msg[k];
        msg = {w.cracked ? 'C' : ' ', w.yielded ? 'Y' : ' ', ' '};
        if (shaftWithMildSteel && t.epsS[k] < kTensionControlledSteel && t.epsTop[k] >= kTensionControlledConcrete)
            msg[2] = 'T';

        bool stop = false;
        if (pipe) {
            stop = std::max(std::fabs(t.epsTop[k]), std::fabs(t.epsBot[k])) >= pipeStrainLimit;
        } else {
            if (t.epsTop[k] >= kCrushingStrain) stop = true;
            if (prestressed && yN < kShallowTensionZone * g.D) {
                msg[1] = 'Z';
                stop = true;
            }
        }
        if (t.M[k] <= 0.0 || k == kMaxCurvePoints) stop = true;
        if (stop) {
            w.stop = true;
            t.n = k;
            return true;
        }
    }
    t.n = kMaxCurvePoints;
    return true;
}

// Relations of thrusts 1..T of section s into the run's tables, the plot file and the relation
// files.
void storeRelations(Run& run, int s, int T) {
    SectionWork& w = run.section;
    SectionEITables& ei = run.eiTables;
    const double scale = usCustomary(run) ? 1000.0 : 1.0;
    ei.thrustCount = T;
    for (int i = 1; i <= T; ++i) {
        const MomentCurvatureTable& t = w.table[i];
        ei.pointCount[s][i] = t.n;
        ei.Mn[s][i] = t.Mn * scale;
        ei.thrust[i] = t.P;
        run.model.axialThrusts.thrust[i] = t.P;
        plotRecord4(run, PlotSectionKind::Nonlinear, t.n, t.P, t.Mn, s);
        for (int k = 1; k <= t.n; ++k) {
            ei.M[s][i][k] = t.M[k];
            ei.EI[s][i][k] = t.EI[k];
            ei.phi[s][i][k] = t.phi[k];
            plotRecord5(run, PlotSectionKind::Nonlinear, t.M[k], t.EI[k], t.phi[k], s, i, k);
        }
        writeRelationFile(run, s, i, T);
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Slices and equilibrium.

void Initialize_EI_Vars(Run& run, int s) {
    SectionWork& w = run.section;
    w.section = s;
    w.sliced = false;
    if (s < 1 || s > kMaxSections) return;
    const PileSection& section = run.model.sections.section[s];
    const std::optional<SectionShape> shape = sectionShapeOf(section);
    if (!shape) return;  // elastic, user EI and micropile sections are not sliced

    w.sliced = true;
    w.shape = *shape;
    w.geometry = sectionGeometryOf(section, w.shape);
    buildSectionSlices(run.report, w.geometry, w.slices);
    w.materials = setMaterialConstants(section, run.model.options.IUNITS);

    // Components absent from the section keep zero stresses.
    w.strain.fill(0.0);
    w.sigmaC.fill(0.0);
    w.sigmaS.fill(0.0);
    w.sigmaCas.fill(0.0);
    w.sigmaCore.fill(0.0);
    w.sigmaCC.fill(0.0);

    w.prestress = PrestressStrains{};
    if (isPrestressed(w.materials.steelModel)) {
        Calculate_Strains_Due_To_Prestressing(run, w.materials, slicesOf(std::as_const(w.slices.Ac)),
                                              slicesOf(std::as_const(w.slices.As)), !w.prestressReported,
                                              w.prestress);
        if (run.failed()) return;
        w.prestressReported = true;
        // The capacities of a prestressed pile for the thrust checks.
        w.Pn = w.prestress.Pn;
        w.Nt = w.prestress.Nt;
    }
}

namespace {

// Slice strains at neutral-axis depth yN and curvature phi, and the stresses and forces of the
// concrete, the casing or pipe wall and the bars, in one pass from the top slice down. Each
// component keeps its own sum in slice order and its own state (the cracked flag of the concrete
// runs down the slices; the yield flag is only ever set), so the pass gives the values of taking
// the components one after the other; it only spares the repeated sweeps over the slice tables,
// which dominate the neutral-axis search.
template <bool Concrete, bool Casing, bool Bars>
void mainComponentForces(SectionWork& w, double yN, double phi, double epsBottom, double& Fc, double& Fcas,
                         double& Fs) {
    const SectionSlices& sl = w.slices;
    // Local copies of the constants and of the sums: the stores into the stress tables cannot
    // then touch them, so they stay in registers through the pass.
    const MaterialConstants m = w.materials;
    const ConcreteConstants concrete = m.concrete;
    const bool wholeTension = w.wholeTension;
    const double epsPs = w.prestress.epsPs;
    bool cracked = Concrete && epsBottom < concrete.epsCr;
    bool yielded = w.yielded;
    double sumC = Fc, sumCas = Fcas, sumS = Fs;
    for (int k = 1; k <= kSliceCount; ++k) {
        const double eps = (yN - sl.yc[k]) * phi;
        w.strain[k] = eps;
        if constexpr (Concrete) {
            const double sigma = concreteStress(eps, concrete, wholeTension, cracked);
            w.sigmaC[k] = sigma;
            sumC += sigma * sl.Ac[k];
        }
        if constexpr (Casing) {
            const double sigma = elasticPlasticSteelStress(eps, m.casingYield, m.casingModulus, yielded);
            w.sigmaCas[k] = sigma;
            sumCas += sigma * sl.Acas[k];
        }
        if constexpr (Bars) {
            const double sigma = barStress(eps, epsPs, m, yielded);
            w.sigmaS[k] = sigma;
            sumS += sigma * sl.As[k];
        }
    }
    Fc = sumC;
    Fcas = sumCas;
    Fs = sumS;
    w.cracked = cracked;
    w.yielded = yielded;
}

}  // namespace

double axialForce(Run& run, double yN, double phi) {
    SectionWork& w = run.section;
    const SectionSlices& sl = w.slices;
    const MaterialConstants& m = w.materials;
    const Components c = componentsOf(w);

    const double epsBottom = (yN - w.geometry.D) * phi + precompression(w);
    double Fc = 0.0, Fs = 0.0, Fcas = 0.0, Fcore = 0.0, Fcc = 0.0;
    switch ((c.concrete ? 4 : 0) + (c.casing ? 2 : 0) + (c.bars ? 1 : 0)) {
        case 0: mainComponentForces<false, false, false>(w, yN, phi, epsBottom, Fc, Fcas, Fs); break;
        case 1: mainComponentForces<false, false, true>(w, yN, phi, epsBottom, Fc, Fcas, Fs); break;
        case 2: mainComponentForces<false, true, false>(w, yN, phi, epsBottom, Fc, Fcas, Fs); break;
        case 3: mainComponentForces<false, true, true>(w, yN, phi, epsBottom, Fc, Fcas, Fs); break;
        case 4: mainComponentForces<true, false, false>(w, yN, phi, epsBottom, Fc, Fcas, Fs); break;
        case 5: mainComponentForces<true, false, true>(w, yN, phi, epsBottom, Fc, Fcas, Fs); break;
        case 6: mainComponentForces<true, true, false>(w, yN, phi, epsBottom, Fc, Fcas, Fs); break;
        default: mainComponentForces<true, true, true>(w, yN, phi, epsBottom, Fc, Fcas, Fs); break;
    }
    const std::span<const double> strain = slicesOf(std::as_const(w.strain));
    if (c.coreSteel && sl.coreFirstSlice >= 1 && sl.coreLastSlice >= sl.coreFirstSlice &&
        sl.coreLastSlice <= kSliceCount) {
        const auto first = static_cast<std::size_t>(sl.coreFirstSlice - 1);
        const auto count = static_cast<std::size_t>(sl.coreLastSlice - sl.coreFirstSlice + 1);
        coreSteelStresses(strain.subspan(first, count), m, w.yielded, slicesOf(w.sigmaCore).subspan(first, count));
        for (int k = sl.coreFirstSlice; k <= sl.coreLastSlice; ++k) Fcore += w.sigmaCore[k] * sl.Acore[k];
    }
    if (c.coreConcrete) {
        coreConcreteStresses(strain, epsBottom, m.concrete, w.wholeTension, w.cracked, slicesOf(w.sigmaCC));
        for (int k = 1; k <= kSliceCount; ++k) Fcc += w.sigmaCC[k] * sl.Acc[k];
    }

    switch (w.shape) {
        case SectionShape::SteelPipe: return Fcas;
        case SectionShape::CircleWithCasing: return Fc + Fcas + Fs;
        case SectionShape::CircleWithCasingAndCore: return Fcas + Fcore + Fcc + Fc + Fs;
        case SectionShape::RectangleWithVoid: return Fc + Fs + Fcore;
        case SectionShape::CircleWithVoid: return Fc + Fs + Fcore + Fcc;
        default: return Fc + Fs;
    }
}

void Find_Neutral_Axis(Run& run, int i, int k, double phi) {
    SectionWork& w = run.section;
    const bool us = usCustomary(run);
    const double h = us ? kDepthStepUS : kDepthStepSI;
    const double tolerance = us ? kDepthToleranceUS : kDepthToleranceSI;
    const double D = w.geometry.D;
    const double P = w.thrust[i];

    w.stop = false;
    if (std::fabs(w.yN0) > D) w.yN0 = D / 2.0;

    double rBest = 0.0, yBest = w.yN0;
    int n = 0;
    while (true) {
        ++n;
        w.neutralAxisIterations = n;
        const double r = axialForce(run, w.yN0, phi) - P;
        const double Fminus = axialForce(run, w.yN0 - h, phi);
        const double Fplus = axialForce(run, w.yN0 + h, phi);
        if (n == 1 || std::fabs(r) < std::fabs(rBest)) {
            rBest = r;
            yBest = w.yN0;
        }
        const double slope = (Fplus - Fminus) * 0.5 / h;
        const double dy = slope == 0.0 ? kZeroSlopeStep : -r / slope;
        w.yN0 += dy;
        if (n >= kMaxNeutralAxisIterations) {
            writeRuntimeErrorHeading(run.report, 16);
            writeBlankLines(run.report, 1);
            writeTextLine(run.report, "Location of neutral axis was not found within 1,000 iterations.");
            raiseRuntimeError(run, 16);
            return;
        }
        if (std::fabs(dy) > tolerance) continue;
        // Converged: accept unless an earlier depth balanced the thrust better, in which case
        // the search goes on from there.
        if (std::fabs(r) <= std::fabs(rBest)) break;
        w.yN0 = yBest;
    }
    if (i >= 1 && i <= kMaxAxialThrusts && k >= 1 && k <= kMaxCurvePoints) w.table[i].yN[k] = w.yN0;
}

// ---------------------------------------------------------------------------------------------
// Moment-curvature relations of a section.

void computeMomentCurvature(Run& run, int s) {
    SectionWork& w = run.section;
    w.prestressReported = false;
    Initialize_EI_Vars(run, s);
    if (run.failed() || !w.sliced) return;

    const bool pipe = w.shape == SectionShape::SteelPipe;
    if (!pipe) writeConcreteProperties(run);
    if (run.failed()) return;

    if (!selectThrusts(run, s)) return;
    writeThrustTable(run);
    writeRunMessageDefinitions(run);

    const double concreteIncrement = baseCurvatureIncrement(run);
    int T = w.thrustCount;
    for (int i = 1; i <= w.thrustCount; ++i) {
        MomentCurvatureTable& t = w.table[i];
        t = MomentCurvatureTable{};
        t.P = w.thrust[i];
        const double P = t.P;

        w.stop = w.cracked = w.yielded = false;
        // A net tension beyond the cracking load: the concrete carries no tension at all, and
        // the strands take their strain from the thrust alone.
        w.wholeTension = !pipe && P < 0.0 && P < w.Pcr;
        if (w.wholeTension && isPrestressed(w.materials.steelModel)) {
            const double As = w.AsTotal > 0.0 ? w.AsTotal : w.prestress.As;
            if (As > 0.0 && w.materials.Es > 0.0) w.prestress.epsPs = P / (As * w.materials.Es);
        }

        if (pipe) {
            const MaterialConstants& m = w.materials;
            w.baseCurvatureIncrement = ((kPipeFirstYieldFactor * m.casingYield / m.casingModulus -
                                         pipeAxialStrain(w, P)) /
                                        (w.geometry.D / 2.0)) /
                                       80.0;
        } else {
            w.baseCurvatureIncrement = concreteIncrement;
        }

        w.yN0 = w.geometry.D / 2.0;
        writeMomentCurvatureHeading(run, i);

        const bool found = curvatureLoop(run, i);

        if (t.n >= 1) {
            if (pipe) {
                t.Mn = t.M[t.n];
                t.epsN = t.epsTop[t.n];
            } else if (!nominalCapacity(t) && P > 0.0) {
                recordWarning(run.warnings, -355);
            }
        }
        writeMomentCurvatureRows(run, i);
        if (!pipe && t.n == kMaxCurvePoints) {
            writePointLimitWarning(run);
            recordWarning(run.warnings, -305);
        }
        if (!found) {
            // The neutral axis was lost: the relations computed so far are kept and written,
            // and the run ends.
            T = i;
            w.thrustCount = i;
            break;
        }
        // The next thrust starts from the section's own prestress strains again.
        if (i < w.thrustCount && w.thrust[i + 1] != P) {
            Initialize_EI_Vars(run, s);
            if (run.failed()) return;
        }
    }

    storeRelations(run, s, T);
    writeCapacitySummary(run);
}

}  // namespace mervik
