// Sections that are not sliced: the elastic pile (constant EI), the elastic pile with a
// specified plastic moment (elastic-plastic) and the pile with user tables of moment versus
// bending stiffness. Each fills the run-wide moment-curvature tables exactly where a sliced
// section would, so that the load-case iteration and the summaries find a relation for every
// section and thrust, and writes the same plot records 3, 4 and 5.
//
// Units: the stored M and EI are in in-kips and kip-in^2 in US customary units (the section
// data are in inch-pounds, hence the division by 1000) and the stored nominal moment capacity
// in inch-pounds; SI and generic units are stored as computed.
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "engine/errors.hpp"
#include "engine/plot.hpp"
#include "engine/run.hpp"
#include "report/layout.hpp"
#include "section/section_analysis.hpp"

namespace mervik {

namespace {

constexpr int kTablePoints = kMaxCurvePoints;  // points of an elastic or elastic-plastic table
constexpr int kLinearPoints = 100;             // elastic-plastic: points up to the plastic moment
constexpr double kZeroMoment = 9.9999e-99;     // moments below this magnitude are stored as 0

bool usUnits(const Run& run) { return run.model.options.IUNITS == kUSCS; }

// Number of thrusts of the elastic types: one relation per entry of the axial-thrust list. For
// LRFD runs the echo has already replaced that list by the distinct factored thrusts.
int elasticThrustCount(const Run& run) { return std::clamp(run.model.axialThrusts.count, 0, kMaxAxialThrusts); }

// Records the run-wide thrust list of the relations, as a sliced section does.
void storeThrustList(Run& run, int T) {
    run.eiTables.thrustCount = T;
    for (int i = 1; i <= T; ++i) run.eiTables.thrust[i] = run.model.axialThrusts.thrust[i];
}

// Plot records 4 and 5 of thrust i of section s, from the stored tables.
void writeStoredRelation(Run& run, PlotSectionKind kind, int s, int i, double thrust, double plottedMn) {
    SectionEITables& t = run.eiTables;
    const int n = t.pointCount[s][i];
    plotRecord4(run, kind, n, thrust, plottedMn, s);
    for (int k = 1; k <= n; ++k) plotRecord5(run, kind, t.M[s][i][k], t.EI[s][i][k], t.phi[s][i][k], s, i, k);
}

// Plot records of an elastic or elastic-plastic section: record 3 for the first section, then
// per thrust record 4 (nominal capacity in in-kips or kN-m, that is M(150) as stored) and the
// records 5 of its points.
void writeElasticPlot(Run& run, PlotSectionKind kind, int s, int T) {
    if (s == 1) plotRecord3(run, kind, run.model.axialThrusts.count);
    for (int i = 1; i <= T; ++i) {
        writeStoredRelation(run, kind, s, i, run.model.axialThrusts.thrust[i], run.eiTables.M[s][i][kTablePoints]);
    }
}

}  // namespace

void elasticSectionTables(Run& run, int s) {
    const PileSection& section = run.model.sections.section[s];
    const double EIt = section.elasticModulus * section.topInertia;
    const double unit = usUnits(run) ? 1000.0 : 1.0;
    const int T = elasticThrustCount(run);
    SectionEITables& t = run.eiTables;

    for (int i = 1; i <= T; ++i) {
        t.pointCount[s][i] = kTablePoints;
        for (int k = 1; k <= kTablePoints; ++k) {
            const double phi = 10.0 * k;
            const double M = std::fabs(10.0 * k * EIt) < kZeroMoment ? 0.0 : phi * EIt;
            t.phi[s][i][k] = phi;
            t.M[s][i][k] = M / unit;
            t.EI[s][i][k] = EIt / unit;
        }
        t.Mn[s][i] = t.M[s][i][kTablePoints] * unit;
    }
    storeThrustList(run, T);

    writeElasticPlot(run, PlotSectionKind::Elastic, s, T);
    writeTextLine(run.report, "Moment-curvature properties were derived from elastic section properties");
    writeBlankLines(run.report, 1);
}

void elasticPlasticSectionTables(Run& run, int s) {
    const PileSection& section = run.model.sections.section[s];
    const double EIt = section.elasticModulus * section.topInertia;
    const double Mpt = section.topPlasticMoment;
    const double unit = usUnits(run) ? 1000.0 : 1.0;
    const int T = elasticThrustCount(run);
    SectionEITables& t = run.eiTables;

    // The nodal plastic moments are not set here: the run holds no pile nodes yet. They are
    // set by setNodalPlasticMoments, which still has to be called for every section of this
    // type once the nodes of the lateral analysis exist (before the first load case).

    // Linear up to the curvature at which the top plastic moment is reached, in 100 equal
    // steps; beyond it the moment stays at Mpt over 50 steps of 20 times that size, the secant
    // stiffness falling as Mpt/phi.
    const double step = (Mpt / EIt) / kLinearPoints;
    for (int i = 1; i <= T; ++i) {
        t.pointCount[s][i] = kTablePoints;
        for (int k = 1; k <= kLinearPoints; ++k) {
            const double phi = k * step;
            t.phi[s][i][k] = phi;
            t.M[s][i][k] = (std::fabs(k * step * EIt) < kZeroMoment ? 0.0 : phi * EIt) / unit;
            t.EI[s][i][k] = EIt / unit;
        }
        for (int m = 1; m <= kTablePoints - kLinearPoints; ++m) {
            const int k = kLinearPoints + m;
            const double phi = kLinearPoints * step + 20.0 * m * step;
            t.phi[s][i][k] = phi;
            t.M[s][i][k] = Mpt / unit;
            t.EI[s][i][k] = (Mpt / phi) / unit;
        }
        t.Mn[s][i] = t.M[s][i][kTablePoints] * unit;
    }
    storeThrustList(run, T);

    writeElasticPlot(run, PlotSectionKind::ElasticPlastic, s, T);
    writeTextLine(run.report, "Moment-curvature properties were derived from elastic-plastic section properties");
    writeBlankLines(run.report, 1);
}

void setNodalPlasticMoments(const Run& run, int s, int nodeCount, std::span<const double> nodeDepth,
                            std::span<double> plasticMoment) {
    const PileSection& section = run.model.sections.section[s];
    const double zt = section.topDepthX, zb = section.bottomDepthX;
    const double Mpt = section.topPlasticMoment, Mpb = section.bottomPlasticMoment;
    const double slope = (Mpb - Mpt) / section.sectionLength;
    const std::size_t last = std::min({static_cast<std::size_t>(std::max(nodeCount, 0)),
                                       nodeDepth.empty() ? 0 : nodeDepth.size() - 1,
                                       plasticMoment.empty() ? 0 : plasticMoment.size() - 1});
    for (std::size_t k = 1; k <= last; ++k) {
        const double z = nodeDepth[k];
        if (zt < z && z <= zb) plasticMoment[k] = Mpb - (zb - z) * slope;
    }
    // The pile-head node lies at depth 0, outside every section's half-open depth range: the
    // top section gives it its top plastic moment.
    if (s == 1 && last >= 1) plasticMoment[1] = Mpt;
}

namespace {

// A relation whose curvature M/EI is not a number (a point of zero stiffness at zero moment)
// cannot be solved: it is reported as the Not-a-Number failure of the solution, before any
// point of it is written to the plot file. True when every point is a finite number.
bool finiteRelation(Run& run, int s, int j) {
    const SectionEITables& t = run.eiTables;
    for (int k = 1; k <= t.pointCount[s][j]; ++k) {
        if (std::isfinite(t.M[s][j][k]) && std::isfinite(t.EI[s][j][k]) && std::isfinite(t.phi[s][j][k])) continue;
        writeRuntimeErrorHeading(run.report, 28);
        writeBlankLines(run.report, 1);
        Line(run.report)
            .text("Bending curvature is Not-A-Number at point ")
            .i(k, 0)
            .text(" of the input M-EI relation of section ")
            .i(s, 0)
            .text(" for axial thrust ")
            .i(j, 0)
            .text(".")
            .end();
        writeTextLine(run.report, "The bending stiffness at this point is zero or not a number.");
        writeTextLine(run.report, "Solution:  Give every point of the table a bending stiffness greater than zero.");
        storeErrorNumber(run, runtimeError(28));
        return false;
    }
    return true;
}

}  // namespace

void inputMEISectionTables(Run& run, int s) {
    const PileSection& section = run.model.sections.section[s];
    const int available = section.userEi.empty() ? 0 : static_cast<int>(section.userEi.size()) - 1;
    const int tables = std::clamp(std::min(section.userEiThrustCount, available), 0, kMaxAxialThrusts);
    SectionEITables& t = run.eiTables;
    Table<bool, kMaxAxialThrusts> built{};  // relations computed here (not kept from before)

    for (int j = 1; j <= tables; ++j) {
        const UserEiCurve& curve = section.userEi[j];
        const int m0 = std::clamp(curve.pointCount, 0, kMaxUserEiPoints);

        // Pairs of the relation: a zero-moment pair with the first stiffness leads when the
        // table does not start at zero moment.
        Table<double, kMaxUserEiPoints + 1> pairM{}, pairEI{};
        int m = 0;
        if (m0 >= 1 && curve.moment[1] != 0.0) {
            m = 1;
            pairM[1] = 0.0;
            pairEI[1] = curve.stiffness[1];
        }
        for (int p = 1; p <= m0; ++p) {
            ++m;
            pairM[m] = curve.moment[p];
            pairEI[m] = curve.stiffness[p];
        }

        // Points inserted per interval so that the relation has close to 150 points. A single
        // pair at zero moment has no interval and is kept as it is. An empty table (q < 0) keeps
        // the relation already stored for this section and thrust.
        const int q = m >= 2 ? (kMaxCurvePoints - m0) / (m - 1) : (m0 >= 1 ? 0 : -1);
        if (q >= 1) {
            int k = 0;
            for (int p = 1; p < m; ++p) {
                const double dM = (pairM[p + 1] - pairM[p]) / q;
                const double dEI = (pairEI[p + 1] - pairEI[p]) / q;
                ++k;
                t.M[s][j][k] = pairM[p];
                t.EI[s][j][k] = pairEI[p];
                for (int r = 1; r < q; ++r) {
                    ++k;
                    t.M[s][j][k] = t.M[s][j][k - 1] + dM;
                    t.EI[s][j][k] = t.EI[s][j][k - 1] + dEI;
                }
            }
            ++k;
            t.M[s][j][k] = pairM[m];
            t.EI[s][j][k] = pairEI[m];
            t.pointCount[s][j] = k;  // (m - 1)·q + 1
        } else if (q == 0) {
            for (int p = 1; p <= m0; ++p) {
                t.M[s][j][p] = curve.moment[p];
                t.EI[s][j][p] = curve.stiffness[p];
            }
            t.pointCount[s][j] = m0;
        }
        built[j] = q >= 0;
        if (built[j]) {
            const int n = t.pointCount[s][j];
            for (int k = 1; k <= n; ++k) t.phi[s][j][k] = t.M[s][j][k] / t.EI[s][j][k];
            double Mn = t.M[s][j][1];
            for (int k = 2; k <= n; ++k) Mn = std::max(Mn, t.M[s][j][k]);
            t.Mn[s][j] = Mn;
        }

        Line(run.report)
            .text("Moment-Curvature properties for Section ")
            .i(s, 0)
            .text(" derived from input values for nonlinear M-EI properties")
            .end();
        writeBlankLines(run.report, 2);
    }

    for (int j = 1; j <= tables; ++j) {
        if (built[j] && !finiteRelation(run, s, j)) return;
    }

    // Plot records in the units of the input tables (inch-pounds in US customary units).
    if (s == 1) plotRecord3(run, PlotSectionKind::InputMEI, tables);
    for (int j = 1; j <= tables; ++j) {
        writeStoredRelation(run, PlotSectionKind::InputMEI, s, j, run.model.axialThrusts.thrust[j], t.Mn[s][j]);
    }

    // Stored relations in kip units, as for every other section; Mn stays in inch-pounds.
    if (usUnits(run)) {
        for (int j = 1; j <= tables; ++j) {
            if (!built[j]) continue;
            for (int k = 1; k <= t.pointCount[s][j]; ++k) {
                t.M[s][j][k] /= 1000.0;
                t.EI[s][j][k] /= 1000.0;
            }
        }
    }
}

}  // namespace mervik
