// The discretised pile of the lateral analysis: the node arrays of the load case being solved,
// the state of the finite-difference solver, the boundary conditions of the case and the
// procedures of the node set-up, the solver, the iteration of a load case and its report.
#pragma once
#include <array>

#include "engine/capacities.hpp"

namespace mervik {

struct Run;
struct DistributedLoad;

inline constexpr int kMaxSolverNodes = 576;  // capacity of the solver's coefficient arrays
inline constexpr int kMaxLayerSlots = 80;    // capacity of the layer-node table

// Node arrays of the pile, indices 1..M (M = N + 1 nodes). Deflections also exist at the two
// fictitious nodes above the head (y(0), y(-1)) and the one below the tip (y(M + 1)).
struct PileNodes {
    int M = 0;         // number of nodes
    double h = 0.0;    // increment length L / N
    double L = 0.0;    // pile length used for this set-up
    Table<double, kMaxNodes> x{};        // depth along the pile below the head
    Table<double, kMaxNodes> z{};        // vertical depth below the head
    Table<double, kMaxNodes> EI{};       // flexural rigidity
    Table<double, kMaxNodes> Es{};       // secant soil modulus
    Table<double, kMaxNodes> q{};        // nodal distributed lateral load
    Table<double, kMaxNodes> ys{};       // free-field soil movement
    Table<double, kMaxNodes> Q{};        // load term of the solver with a soil-movement profile, ys·Es + q
    Table<int, kMaxNodes> section{};     // pile section of the node
    Table<double, kMaxNodes> plasticMoment{};  // elastic-plastic sections
    Table<double, kMaxNodes> moment{}, slope{}, shear{}, soilReaction{}, totalStress{};
    Table<bool, kMaxNodes> beyondRelation{};   // curvature beyond the node's moment-curvature relation
    bool pileBeyondRelation = false;

    // Layer-node table: first and last node of every layer (0 when the layer holds no node).
    Table<int, kMaxLayerSlots> firstNode{};
    Table<int, kMaxLayerSlots> i_BottomNodeInLayer{};

    // Deflection of node k, k = -1 .. M + 1.
    double& y(int k) { return deflection[static_cast<std::size_t>(k + 2)]; }
    double y(int k) const { return deflection[static_cast<std::size_t>(k + 2)]; }
    std::array<double, kMaxNodes + 4> deflection{};
};

// Boundary conditions and thrust of the load case being solved.
struct LoadCaseConditions {
    int caseNumber = 0;
    int type = 0;             // 1 V,M  2 V,S  3 V,Ktheta  4 y,M  5 y,S
    double V0 = 0.0, M0 = 0.0, S0 = 0.0, Ktheta = 0.0, Y0 = 0.0;
    double P = 0.0;           // axial thrust
    bool lrfd = false;        // a factored LRFD combination
};

// Largest bending moment and shear of one pile section in a load case, with their nodes.
struct SectionMaxima {
    double moment = 0.0;   // signed value of largest magnitude
    int momentNode = 0;
    double shear = 0.0;
    int shearNode = 0;
};

// Figures of one reported load case, kept for the summary of responses, the LRFD performance
// table and the pile-head stiffness matrix.
struct LoadCaseSummary {
    double headDeflection = 0.0;  // y(1)
    double headSlope = 0.0;       // reported slope at the head (the prescribed slope for type 5)
    double headShear = 0.0;       // V(1)
    double headMoment = 0.0;      // M(1)
    double maxMoment = 0.0, maxShear = 0.0;            // signed values of largest magnitude
    double maxMomentDepth = 0.0, maxShearDepth = 0.0;  // depth along the pile below the head
    double maxTotalStress = 0.0;
    Table<SectionMaxima, kMaxSections> sections{};
};

// Results of the load cases: the maxima of the case being reported, the output verification
// of its report and the stored record of every reported case.
struct CaseResults {
    // Maxima of the current case, collected by computeNodeQuantities while the case is
    // reported (the iteration leaves them alone).
    double maxMoment = 0.0, maxMomentDepth = 0.0;
    double maxShear = 0.0, maxShearDepth = 0.0;
    double maxTotalStress = 0.0;
    Table<SectionMaxima, kMaxSections> sectionMaxima{};
    // Head values saved when node 1 is reported.
    double headDeflection = 0.0, headSlope = 0.0, headShear = 0.0, headMoment = 0.0;
    // Output verification: imbalances of largest magnitude, signed, with the step that gave them.
    double maxMomentImbalance = 0.0;
    int momentImbalanceNode = 0;
    double maxForceImbalance = 0.0;
    int forceImbalanceNode = 0;
    // Set by the pile-head stiffness computation while it runs its cases: no tables, no plot
    // records, only the record of the case.
    bool stiffnessMode = false;
    OnDemandTable<LoadCaseSummary, kMaxLoadCases> cases{};
};

// State of the finite-difference solver kept between its calls.
struct SolverState {
    Table<double, kMaxSolverNodes> D{}, A{}, B{}, C{}, E{};
    double tipShear = 0.0;     // tip shear V of the last call
    double previousDYmax = 0.0;
    std::array<double, 26> F{};   // head system, 5 x 5 stored by columns, F(i,j) = F[(j-1)*5 + i]
    std::array<double, 6> G{}, YG{};
    double dYmax = 0.0;        // largest change of a node deflection against the previous call
    int dYmaxNode = 0;
    double deltaDYmax = 0.0;   // change of dYmax against the previous call
    Table<double, kMaxNodes> previous{};  // deflections of the previous call, nodes 1..M
};

// ---------------------------------------------------------------- node set-up
// Nodes of the run: M, h and x(k) once after the input is read.
void setupRunNodes(Run& run);
// Nodes of load case j: depths, distributed loads, rigidities, sections, layers, soil movement
// and starting soil moduli.
void setupLoadCaseNodes(Run& run, int j);
// Integral of a distributed-load table (depths along the pile, piecewise linear, zero outside
// its ends) over the tributary length of node k: half an increment each side, cut at the head
// and the tip.
double tributaryLoadIntegral(const Run& run, const DistributedLoad& table, int k);
// Layer-node table by vertical depth (the solution) or by depth along the pile (p-y curves at
// user depths).
void assignLayers(Run& run, bool byVerticalDepth);
// Flexural rigidity and pile width at a depth along the pile, from the pile property points.
double flexuralRigidityAt(const Run& run, double x);
double pileWidthAt(const Run& run, double x);
// Runtime error 29 for layer i when it holds no node (true when the error was raised).
bool checkLayerHoldsNode(Run& run, int i);

// ---------------------------------------------------------------- solver
// One solution of the beam-column equations for the current moduli and rigidities.
void solvePile(Run& run, int iteration);
// Gaussian elimination of the n x n head system F, G into YG; false after the small-pivot error.
bool solveHeadSystem(Run& run, int n);

// ---------------------------------------------------------------- iteration
// Iterates load case j to convergence; returns the number of iterations made.
int iterateLoadCase(Run& run, int j);
// The start of the iteration of a pile: the straight pile (deflections and the solver's previous
// ones cleared) with its boundary values already selected by the caller; then startingCurves
// evaluates the vuggy limestone layers, the curves of every layer (with the given iteration
// number) and, for nonlinear bending, the stiffness at the case's thrust. False after an error.
void straightenPile(Run& run);
bool startingCurves(Run& run, int curvesIteration);
// Boundary values and thrust of load case j into the conditions the solver reads.
void selectBoundaryValues(Run& run, int j);
// Position of the largest thrust of the axial-thrust list not greater than P.
int thrustIndexFor(const Run& run, double P);
// Secant flexural rigidities of all nodes from the moment-curvature relations, for thrust t.
void updateBendingStiffness(Run& run, int t);
// Failure texts of the iteration; each writes its message and raises its error.
// Runtime error 28: the top deflection (or else the largest change) is Not-a-Number.
void writeNotANumberError(Run& run, int iteration, bool topDeflection);
// Runtime error 9: the pile-head deflection yTop reached the excess deflection limit.
void writeExcessDeflectionError(Run& run, double yTop, double yLimit);
// Runtime error 10: no convergence within maxIterations, with the analysis of convergence
// performance from the last dYmax, its change and the tolerance.
void writeNoConvergenceError(Run& run, int maxIterations, double dYmax, double deltaDYmax, double tol);

// ---------------------------------------------------------------- results
// Bending moment at node k from the deflections, EI·y'' (0 at the free tip). At nodes 1 and 2
// it first gives the head increment the rigidity of the head, as the solver does.
double bendingMomentAt(Run& run, int k);
// Bending moment, slope, shear, soil reaction and stress of node k from the deflections, and
// the maxima of the case with them.
void computeNodeQuantities(Run& run, int k);
// Report and plot records 9 and 10 of load case j after convergence.
void writeLoadCaseReport(Run& run, int j, int iterations);
// The results of the load cases of the run.
CaseResults& caseResults(Run& run);
const CaseResults& caseResults(const Run& run);
// Clears the maxima of the current case (whole pile and per section) before its nodes are
// computed.
void clearCaseMaxima(Run& run);

// ---------------------------------------------------------------- after the load cases
// Summary of pile responses of all cases (plot records 13).
void writeResponseSummary(Run& run);
// Pile-head stiffness matrix from load case 1 (plot records 14); case 1 is saved and restored.
void computeStiffnessMatrix(Run& run);

}  // namespace mervik
