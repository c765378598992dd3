// Discretisation of the pile into equally spaced finite-difference nodes, the nodal data of a
// load case (depths, distributed loads, rigidities, sections, starting soil moduli) and the
// assignment of nodes to soil layers, with the check for a layer too thin to hold a node.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "report/layout.hpp"
#include "solver/lrfd_cases.hpp"
#include "solver/pile.hpp"
#include "solver/soil_movement.hpp"

namespace mervik {

namespace {

// Soil modulus of every embedded node before the first p-y evaluation of a case.
constexpr double kStartingSoilModulus = 50000.0;

std::size_t at(int k) { return static_cast<std::size_t>(k); }

// Number of increments of the pile. The input checks hold it to 40..500; the clamp only keeps
// the node tables safe whatever reaches this point.
int incrementCount(const Run& run) {
    return std::clamp(run.model.options.pileIncrements, 1, kMaxNodes - 1);
}

// Depths x(1..M) along the pile for length L and N = M - 1 increments; the tip node sits at L
// exactly, free of the rounding of (M - 1)·h.
void placeNodes(PileNodes& nodes, double L, int N) {
    nodes.M = N + 1;
    nodes.L = L;
    nodes.h = L / N;
    for (int k = 1; k <= nodes.M; ++k) nodes.x[at(k)] = (k - 1) * nodes.h;
    nodes.x[at(nodes.M)] = L;
}

// Value of a pile property at depth x, linear between the property points (searched in order,
// so that at a section boundary the point of the upper section counts) and the tabulated value
// exactly at a point. Above the first point and below the last the end values hold.
template <class Value>
double lookupPileProperty(const Run& run, double x, Value value) {
    const PileSections& piles = run.model.sections;
    const int n = std::clamp(piles.propertyPointCount, 0, 2 * kMaxSections);
    if (n == 0) return 0.0;
    const auto& p = piles.point;
    if (x <= p[1].depth) return value(p[1]);
    for (int k = 1; k < n; ++k) {
        const PilePropertyPoint& lo = p[at(k)];
        const PilePropertyPoint& hi = p[at(k + 1)];
        if (x > hi.depth) continue;
        if (x == hi.depth) return value(hi);
        return value(lo) + (value(hi) - value(lo)) * (x - lo.depth) / (hi.depth - lo.depth);
    }
    return value(p[at(n)]);
}

// Integral of the distributed-load table over [a, b]: the table is piecewise linear between its
// points and zero outside its first and last depth, so every table segment that overlaps [a, b]
// contributes the trapezoid between its clipped ends. The table depths are compared with the
// node depths as they stand.
double distributedLoadIntegral(const DistributedLoad& table, double a, double b) {
    const int n = std::min(table.count, kMaxDistributedPoints);
    double sum = 0.0;
    for (int i = 1; i < n; ++i) {
        const double d1 = table.depth[at(i)], d2 = table.depth[at(i + 1)];
        if (d2 <= d1) continue;
        const double lo = std::max(a, d1), hi = std::min(b, d2);
        if (hi <= lo) continue;
        const double w1 = table.load[at(i)], w2 = table.load[at(i + 1)];
        const double slope = (w2 - w1) / (d2 - d1);
        const double wLo = w1 + slope * (lo - d1);
        const double wHi = w1 + slope * (hi - d1);
        sum += 0.5 * (wLo + wHi) * (hi - lo);
    }
    return sum;
}

// Mean distributed load over the tributary length of node k: half an increment each side,
// cut at the head and the tip, whose nodes therefore carry half an increment.
double tributaryLoad(const Run& run, int k) {
    const double length = (k == 1 || k == run.nodes.M) ? 0.5 * run.nodes.h : run.nodes.h;
    return tributaryLoadIntegral(run, run.model.loading.distributed, k) / length;
}

// Axial thrust of load case j in the force unit of the run.
double caseThrust(const Run& run, int j) {
    if (j < 1 || j > kMaxLoadCases) return 0.0;
    if (isLrfdCase(run)) return j <= kMaxLrfd ? run.lrfd.factored.axial[at(j)] : 0.0;
    return run.model.loading.loadCase[at(j)].axialThrust;
}

// Position in the axial-thrust list of the largest thrust not greater than P (1 when P is at or
// below the first, 0 for an empty list). The list is in kips in US units.
int thrustPosition(const Run& run, double P) {
    const AxialThrustList& list = run.model.axialThrusts;
    const int count = std::min(list.count, kMaxAxialThrusts);
    int t = count > 0 ? 1 : 0;
    for (int i = 2; i <= count; ++i) {
        if (list.thrust[at(i)] <= P) t = i;
    }
    return t;
}

// Sections whose property points carry modulus and moment of inertia: steel pipes, elastic and
// elastic-plastic members. The others take their stiffness from the moment-curvature relation.
bool hasLinearRigidity(int sectionType) {
    return sectionType == kSteelPipePile || sectionType == kElasticPile || sectionType == kElasticPlasticPile;
}

// Initial (uncracked) rigidity of section s from its moment-curvature relations at the case
// thrust P (kips in US units), interpolated between the two bracketing thrusts as the
// bending-stiffness update of the iteration does at zero curvature. Returns false when the
// section has no relation for the thrust.
bool initialRelationRigidity(const Run& run, int s, double P, double& EI) {
    const SectionEITables& ei = run.eiTables;
    const AxialThrustList& list = run.model.axialThrusts;
    const int t = thrustPosition(run, P);
    if (t < 1 || ei.pointCount[at(s)][at(t)] < 1) return false;
    EI = ei.EI[at(s)][at(t)][1];
    const int count = std::min(list.count, kMaxAxialThrusts);
    if (t < count && P > list.thrust[1] && ei.pointCount[at(s)][at(t + 1)] >= 1) {
        const double EIt = EI, EInext = ei.EI[at(s)][at(t + 1)][1];
        const double Tt = list.thrust[at(t)], Tnext = list.thrust[at(t + 1)];
        if (Tnext != Tt) EI = EInext - (EInext - EIt) * (Tnext - P) / (Tnext - Tt);
    }
    if (run.model.options.IUNITS == kUSCS) EI *= 1000.0;
    return true;
}

// Section of every node: node 1 belongs to section 1; a node further down belongs to the last
// section with top < x <= bottom. A node no section claims (only possible through rounding at
// the tip) keeps the section of the node above.
void assignSections(Run& run) {
    PileNodes& nodes = run.nodes;
    const PileSections& piles = run.model.sections;
    const int count = std::clamp(piles.count, 0, kMaxSections);
    nodes.section[1] = 1;
    for (int k = 2; k <= nodes.M; ++k) {
        const double x = nodes.x[at(k)];
        int s = nodes.section[at(k - 1)];
        for (int j = 1; j <= count; ++j) {
            const PileSection& section = piles.section[at(j)];
            if (section.topDepthX < x && x <= section.bottomDepthX) s = j;
        }
        nodes.section[at(k)] = s;
    }
}

// Runtime error 29 text to one channel; the two channels differ in the third line only.
void writeLayerWithoutNode(Run& run, Channel& out, int i, std::string_view consequence) {
    const SoilLayer& layer = run.model.soil.layer[at(i)];
    const PileNodes& nodes = run.nodes;
    const double thickness = layer.depthBottom - layer.depthTop;
    const double increment = nodes.L / (nodes.M - 1);
    // Estimated increments for one node in the layer, truncated; a layer of no thickness would
    // need an unbounded number, written as the largest integer.
    const double ratio = thickness > 0.0 ? std::trunc(nodes.L / thickness) : std::numeric_limits<double>::infinity();
    const int estimate = ratio < static_cast<double>(std::numeric_limits<int>::max())
                             ? static_cast<int>(ratio)
                             : std::numeric_limits<int>::max();
    const std::string& unit = run.units.DeflectionUnit;

    writeBlankLines(out, 2);
    writeRuntimeErrorHeading(out, 29);
    writeBlankLines(out, 1);
    writeLayout(out, R"("Problem:  The thickness of layer ",I0," was too thin to contain a nodal point.")", {i});
    writeTextLine(out, consequence);
    writeLayout(out,
                R"("          The thickness of layer ",I0," is ",F9.3," ",A," and the pile increment length is ",F9.3," ",A)",
                {i, thickness, unit, increment, unit});
    writeLayout(out, R"("          The current number of pile increments is ",I0,".")", {nodes.M - 1});
    writeLayout(out,
                R"("          The estimated minimum number of increments needed to get at least one nodal point in the layer is ",I0,".",/)",
                {estimate});
    writeTextLine(out, "Solution: Increase the number of pile increments. Up to 500 pile increments are allowed in Mervik.");
    writeTextLine(out, "          If this error occurs with the maximum number of pile increments, you will need to combine the thinnest");
    writeTextLine(out, "          soil layer with an adjacent layer.");
    writeBlankLines(out, 2);
}

}  // namespace

double tributaryLoadIntegral(const Run& run, const DistributedLoad& table, int k) {
    const PileNodes& nodes = run.nodes;
    const double h = nodes.h;
    const double a = std::max(0.0, nodes.x[at(k)] - 0.5 * h);
    const double b = std::min(nodes.L, nodes.x[at(k)] + 0.5 * h);
    return distributedLoadIntegral(table, a, b);
}

void setupRunNodes(Run& run) {
    placeNodes(run.nodes, run.model.sections.pileLength, incrementCount(run));
}

void setupLoadCaseNodes(Run& run, int j) {
    PileNodes& nodes = run.nodes;
    const AnalysisModel& m = run.model;

    // Depths along the pile and vertical depths. The vertical depth of the tip follows from
    // (M - 1)·h, as computed before the tip is set to L exactly.
    placeNodes(nodes, m.sections.pileLength, incrementCount(run));
    const double cosBatter = std::cos(m.slope.pileBatter);
    for (int k = 1; k <= nodes.M; ++k) nodes.z[at(k)] = (k - 1) * nodes.h * cosBatter;

    // Nodal distributed loads; an LRFD combination gets its own below, once the sections and
    // layers of the nodes are known.
    for (int k = 1; k <= nodes.M; ++k) nodes.q[at(k)] = isLrfdCase(run) ? 0.0 : tributaryLoad(run, k);
    // The soil-movement load term of the solver starts as the distributed load: the p-y
    // routines add ys(k)·Es(k) at the nodes of their layers, and a node none of them treats
    // (above the ground, in a layer without a model) keeps its own load, not that of an earlier
    // case.
    nodes.Q = nodes.q;

    // Elastic rigidity from the pile property points.
    for (int k = 1; k <= nodes.M; ++k) nodes.EI[at(k)] = flexuralRigidityAt(run, nodes.x[at(k)]);

    assignSections(run);

    // Sections whose property points carry no modulus and inertia (concrete, prestressed and
    // user-EI sections) start from the initial rigidity of their moment-curvature relation at
    // the thrust of the case. In US units the relations are in kip-in^2 and the thrust list in
    // kips, while the nodes and the case thrust are in lb-in^2 and pounds.
    double P = caseThrust(run, j);
    if (m.options.IUNITS == kUSCS) P /= 1000.0;
    for (int k = 1; k <= nodes.M; ++k) {
        const int s = nodes.section[at(k)];
        if (s < 1 || s > kMaxSections || hasLinearRigidity(m.sections.section[at(s)].sectionType)) continue;
        double EI = 0.0;
        if (initialRelationRigidity(run, s, P, EI)) nodes.EI[at(k)] = EI;
    }

    assignLayers(run, true);

    if (isLrfdCase(run)) setLrfdNodalLoads(run, j);

    // Free-field soil movement of the nodes; without a profile ys(k) stays zero.
    if (m.soilMovement.count > 1) computeSoilMovement(run, nodes.M);

    // Starting soil moduli: embedded nodes only.
    const double ground = m.soil.groundSurface;
    for (int k = 1; k <= nodes.M; ++k) nodes.Es[at(k)] = ground <= nodes.z[at(k)] ? kStartingSoilModulus : 0.0;
}

void assignLayers(Run& run, bool byVerticalDepth) {
    PileNodes& nodes = run.nodes;
    const SoilProfile& soil = run.model.soil;
    const int M = nodes.M;
    const int layers = std::clamp(soil.layerCount, 0, kMaxLayers);
    const auto depth = [&](int k) { return byVerticalDepth ? nodes.z[at(k)] : nodes.x[at(k)]; };

    nodes.firstNode.fill(0);
    nodes.i_BottomNodeInLayer.fill(0);
    if (layers == 0) {
        nodes.i_BottomNodeInLayer[1] = M;
        return;
    }

    // First node of every layer, down to the layer that reaches the tip node. A layer whose top
    // lies below every node holds none.
    int t = layers + 1;
    for (int i = 1; i <= layers; ++i) {
        const SoilLayer& layer = soil.layer[at(i)];
        int a = 1;
        while (a <= M && depth(a) < layer.depthTop) ++a;
        if (a > M || layer.depthBottom < depth(a)) continue;
        nodes.firstNode[at(i)] = a;
        if (layer.depthBottom >= depth(M)) {
            t = i;
            break;
        }
    }
    nodes.i_BottomNodeInLayer[at(t)] = M;

    // A layer ends one node above the first node of the next layer that holds one.
    for (int j = 1; j < t; ++j) {
        if (nodes.firstNode[at(j)] == 0) continue;
        int k = j + 1;
        while (k <= layers && nodes.firstNode[at(k)] == 0) ++k;
        if (k <= layers) {
            nodes.i_BottomNodeInLayer[at(j)] = nodes.firstNode[at(k)] - 1;
            continue;
        }
        nodes.i_BottomNodeInLayer[at(j)] = -1;
        writeLayout(run.report,
                    R"("ERROR 2 in computing i_BottomNodeInLayer",/,"Num_Nodes_To_Assign = ",I0,/,"ilayer = ",I0,/,)"
                    R"("klayer = ",I0,/,"jlayer = ",I0,/,"i_Number_of_Layers = ",I0)",
                    {M, j, k, t, layers});
    }
}

double flexuralRigidityAt(const Run& run, double x) {
    return lookupPileProperty(run, x, [](const PilePropertyPoint& p) { return p.modulus * p.inertia; });
}

double pileWidthAt(const Run& run, double x) {
    return lookupPileProperty(run, x, [](const PilePropertyPoint& p) { return p.diameter; });
}

bool checkLayerHoldsNode(Run& run, int i) {
    const SoilProfile& soil = run.model.soil;
    const PileNodes& nodes = run.nodes;
    // Only layers below the first are checked.
    if (i < 2 || i > std::min(soil.layerCount, kMaxLayers) || nodes.M < 2) return false;
    if (nodes.firstNode[at(i)] != 0) return false;
    if (soil.layer[at(i)].depthTop >= nodes.z[at(nodes.M)]) return false;
    if (run.layers.xe[at(i)] != kEquivalentDepthUnset || run.layers.marks[at(i)]) return false;

    writeLayerWithoutNode(run, run.report, i,
                          "          This layer lacks a nodal point and this prevents the correct computation of p-y curves for the layer . ");
    writeLayerWithoutNode(run, run.messages, i,
                          "          This layer lacks a nodal point and this prevents the correct computation of the layer's p-y curves. ");
    storeErrorNumber(run, runtimeError(29));
    return true;
}

}  // namespace mervik
