// Finite-difference solution of the beam-column equation of the pile,
//
//     EI·y'''' + P·y'' + Es·y − q = 0,
//
// for fixed soil moduli, flexural rigidities and loads. The load term is the distributed load
// q(k), or, when a soil-movement profile is given, Q(k) = ys(k)·Es(k) + q(k) of the p-y
// routines: the soil springs, anchored in the moving soil, push the pile along with it. The
// pentadiagonal system of the pile is
// never assembled: a recursion y(k) = B(k)·y(k−1) − A(k)·y(k−2) + C(k) + E(k) is built from
// the tip upward (the two tip conditions, zero moment and the tip shear, eliminate the nodes
// below the tip), the two head conditions of the load case close a small system for the
// deflections at and above the head, and the recursion is then run back down the pile. One
// call is O(M) and uses only the preallocated arrays of the solver state.
//
// Sign conventions of the difference formulas (R = EI):
//   moment M = R·(y(k+1) − 2y(k) + y(k−1))/h²
//   slope  S = (y(k+1) − y(k−1))/(2h)
//   shear  V = R·(y(k+2) − 2y(k+1) + 2y(k−1) − y(k−2))/(2h³) + P·(y(k+1) − y(k−1))/(2h)
#include <cmath>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "input/sections.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

// Smallest pivot magnitude the head-system elimination accepts.
constexpr double kSmallPivot = 1e-50;

// Entry (i, j) of the head system, stored by columns with a stride of 5.
double& headMatrix(SolverState& s, int i, int j) { return s.F[static_cast<std::size_t>((j - 1) * 5 + i)]; }

// Flexural rigidity R(k) of the difference scheme; the fictitious node above the head takes
// the rigidity of the head node.
double rigidity(const PileNodes& nodes, int k) { return nodes.EI[static_cast<std::size_t>(k < 1 ? 1 : k)]; }

// Tip shear force from the tip-shear curve at the tip deflection of the previous solution.
// The resistance follows the tip: its sign is that of the tip deflection.
double tipShearForce(const Run& run, double tipDeflection) {
    const TipShearCurve& curve = run.model.tipShear;
    const int n = curve.count < kMaxTipShearPoints ? curve.count : kMaxTipShearPoints;
    if (n <= 0) return 0.0;
    const double u = std::fabs(tipDeflection);
    double V = curve.shear[static_cast<std::size_t>(n)];  // beyond the last displacement: last force
    if (n > 1) {
        for (int i = 2; i <= n; ++i) {
            const auto ui = static_cast<std::size_t>(i);
            if (u <= curve.displacement[ui]) {
                V = curve.shear[ui - 1] + (u - curve.displacement[ui - 1]) *
                                              (curve.shear[ui] - curve.shear[ui - 1]) /
                                              (curve.displacement[ui] - curve.displacement[ui - 1]);
                break;
            }
        }
    }
    // A single point (whose displacement is zero, as the input check requires) is a constant
    // resistance: its force applies at every tip deflection, including a tip that has not
    // moved, so the value never depends on an earlier solution or load case.
    if (tipDeflection < 0.0) V = -V;
    return V;
}

// Recursion coefficients D, A, B, C, E from the tip (node M) up to the head (node 1).
void buildRecursion(Run& run, double V) {
    const PileNodes& nd = run.nodes;
    SolverState& s = run.solver;
    const int M = nd.M;
    const double h = nd.h;
    const double h3 = h * h * h;
    const double h4 = h3 * h;
    const double Pp = run.loadCase.P * h * h;
    auto R = [&](int k) { return rigidity(nd, k); };
    auto at = [](int k) { return static_cast<std::size_t>(k); };
    const auto& load = run.model.soilMovement.count >= 1 ? nd.Q : nd.q;

    // Tip node: zero moment, y(M+1) = 2y(M) − y(M−1), and the tip shear V.
    {
        const auto m = at(M);
        const double d = nd.Es[m] * h4 + R(M - 1) + R(M) - 2.0 * Pp;
        s.D[m] = d;
        s.A[m] = (R(M) + R(M - 1)) / d;
        s.B[m] = 2.0 * (R(M) + R(M - 1) - Pp) / d;
        s.C[m] = load[m] * h4 / d;
        s.E[m] = -2.0 * V * h3 / d;
    }
    // Node M − 1: the node below the tip is eliminated by the zero-moment condition.
    {
        const int k = M - 1;
        const auto m = at(k);
        const double Am = s.A[at(M)], Bm = s.B[at(M)];
        const double w = 2.0 * R(k) - Pp;
        const double d = 4.0 * R(k) + R(k - 1) + nd.Es[m] * h4 - 2.0 * Pp - Bm * w;
        s.D[m] = d;
        s.A[m] = R(k - 1) / d;
        s.B[m] = (2.0 * (R(k) * (1.0 - Am) + R(k - 1)) - (1.0 - Am) * Pp) / d;
        s.C[m] = (load[m] * h4 + s.C[at(M)] * w) / d;
        s.E[m] = s.E[at(M)] * w / d;
    }
    // General node: y(k+1) and y(k+2) of the difference equation replaced by their recursions.
    for (int k = M - 2; k >= 1; --k) {
        const auto m = at(k);
        const double A1 = s.A[m + 1], B1 = s.B[m + 1];
        const double A2 = s.A[m + 2], B2 = s.B[m + 2];
        const double W = 2.0 * R(k) + (2.0 - B2) * R(k + 1) - Pp;
        const double d = (2.0 * R(k) - Pp) * (2.0 - B1) + nd.Es[m] * h4 + R(k - 1) +
                         ((1.0 - A2) - B1 * (2.0 - B2)) * R(k + 1);
        s.D[m] = d;
        s.A[m] = R(k - 1) / d;
        s.B[m] = (2.0 * (R(k) + R(k - 1)) - (1.0 - A1) * Pp - (2.0 * R(k) + (2.0 - B2) * R(k + 1)) * A1) / d;
        s.C[m] = (load[m] * h4 + s.C[m + 1] * W - s.C[m + 2] * R(k + 1)) / d;
        s.E[m] = (s.E[m + 1] * W - s.E[m + 2] * R(k + 1)) / d;
    }
}

// Right-hand side of the recursion of node k.
double recursionLoad(const SolverState& s, int k) {
    return s.C[static_cast<std::size_t>(k)] + s.E[static_cast<std::size_t>(k)];
}

// Head system of boundary types 1 to 4 in F and G; returns its order (5, or 4 for type 4).
int buildHeadSystem(Run& run) {
    SolverState& s = run.solver;
    const PileNodes& nd = run.nodes;
    const LoadCaseConditions& lc = run.loadCase;
    const double h = nd.h;
    const double R1 = rigidity(nd, 1);
    const double Pp = lc.P * h * h;
    auto A = [&](int k) { return s.A[static_cast<std::size_t>(k)]; };
    auto B = [&](int k) { return s.B[static_cast<std::size_t>(k)]; };
    auto F = [&](int i, int j) -> double& { return headMatrix(s, i, j); };

    s.F.fill(0.0);
    s.G.fill(0.0);
    if (lc.type == 4) {
        // Unknowns y(2), y(1), y(0), y(−1).
        F(1, 1) = 1.0; F(1, 2) = -2.0; F(1, 3) = 1.0;           // moment
        s.G[1] = lc.M0 * h * h / R1;
        F(2, 2) = 1.0;                                           // deflection
        s.G[2] = lc.Y0;
        F(3, 1) = 1.0; F(3, 2) = -B(2); F(3, 3) = A(2);          // recursion of node 2
        s.G[3] = recursionLoad(s, 2);
        F(4, 2) = 1.0; F(4, 3) = -B(1); F(4, 4) = A(1);          // recursion of node 1
        s.G[4] = recursionLoad(s, 1);
        return 4;
    }
    // Types 1 to 3: unknowns y(3), y(2), y(1), y(0), y(−1).
    const double rho = Pp / R1;
    F(1, 1) = 1.0; F(1, 2) = -(2.0 - rho); F(1, 4) = 2.0 - rho; F(1, 5) = -1.0;   // shear
    s.G[1] = 2.0 * lc.V0 * h * h * h / R1;
    F(2, 1) = 1.0; F(2, 2) = -B(3); F(2, 3) = A(3);                              // node 3
    s.G[2] = recursionLoad(s, 3);
    F(3, 2) = 1.0; F(3, 3) = -B(2); F(3, 4) = A(2);                              // node 2
    s.G[3] = recursionLoad(s, 2);
    if (lc.type == 1) {                                                          // moment
        F(4, 2) = 1.0; F(4, 3) = -2.0; F(4, 4) = 1.0;
        s.G[4] = lc.M0 * h * h / R1;
    } else if (lc.type == 2) {                                                   // slope
        F(4, 2) = 1.0; F(4, 4) = -1.0;
        s.G[4] = 2.0 * h * lc.S0;
    } else {                                                                     // M = Kθ·S
        const double c = h * lc.Ktheta / (2.0 * R1);
        F(4, 2) = 1.0 - c; F(4, 3) = -2.0; F(4, 4) = 1.0 + c;
    }
    F(5, 3) = 1.0; F(5, 4) = -B(1); F(5, 5) = A(1);                              // node 1
    s.G[5] = recursionLoad(s, 1);
    return 5;
}

// Text of the small-pivot failure (to one channel).
void writeSmallPivotText(Channel& channel, int row, double pivot) {
    writeBlankLines(channel, 2);
    writeRuntimeErrorHeading(channel, 11);
    writeBlankLines(channel, 1);
    writeTextLine(channel, "Problem:  Solution failed due to small pivot value.");
    Line(channel).text("          Node number = ").i(row, 0).end();
    Line(channel).text("          Pivot value = ").es(pivot, 12, 5).end();
    writeBlankLines(channel, 1);
    writeTextLine(channel, "Solution: This error usually occurs when a lateral bearing capacity failure occurs.  ");
    writeTextLine(channel, "          Reduce the load on the pile and repeat the analysis.");
    writeTextLine(channel, "          You may also consider increasing pile diameter or pile length.");
}

// The head system as it stood when the elimination stopped, for the report.
void writeHeadSystemDump(Run& run) {
    SolverState& s = run.solver;
    Channel& report = run.report;
    writeBlankLines(report, 2);
    writeTextLine(report, "F Matrix ");
    writeBlankLines(report, 1);
    for (int j = 1; j <= 5; ++j) {
        Line line(report);
        for (int i = 1; i <= 5; ++i) line.es(headMatrix(s, i, j), 12, 4);
        line.end();
    }
    writeBlankLines(report, 2);
    writeTextLine(report, "G Vector ");
    writeBlankLines(report, 1);
    for (int i = 1; i <= 5; ++i) Line(report).es(s.G[static_cast<std::size_t>(i)], 12, 4).end();
    writeBlankLines(report, 2);
    writeTextLine(report, "YG Vector");
    writeBlankLines(report, 1);
    for (int i = 1; i <= 5; ++i) Line(report).es(s.YG[static_cast<std::size_t>(i)], 12, 4).end();
}

}  // namespace

bool solveHeadSystem(Run& run, int n) {
    SolverState& s = run.solver;
    auto F = [&](int i, int j) -> double& { return headMatrix(s, i, j); };
    auto G = [&](int i) -> double& { return s.G[static_cast<std::size_t>(i)]; };
    auto YG = [&](int i) -> double& { return s.YG[static_cast<std::size_t>(i)]; };

    // Forward elimination, column by column, without row exchanges.
    for (int i = 1; i <= n - 1; ++i) {
        const double pivot = F(i, i);
        if (std::fabs(pivot) < kSmallPivot) {
            writeSmallPivotText(run.report, i, pivot);
            writeSmallPivotText(run.messages, i, pivot);
            writeHeadSystemDump(run);
            raiseRuntimeError(run, 11);
            return false;
        }
        for (int r = i + 1; r <= n; ++r) {
            if (F(r, i) == 0.0) continue;
            const double factor = F(r, i) / pivot;
            for (int j = i; j <= n; ++j) F(r, j) -= factor * F(i, j);
            G(r) -= factor * G(i);
        }
    }
    // Back substitution; the last pivot is used as it stands.
    YG(n) = G(n) / F(n, n);
    for (int i = n - 1; i >= 1; --i) {
        double sum = G(i);
        for (int j = i + 1; j <= n; ++j) sum -= F(i, j) * YG(j);
        YG(i) = sum / F(i, i);
    }
    return true;
}

void solvePile(Run& run, int iteration) {
    PileNodes& nd = run.nodes;
    SolverState& s = run.solver;
    const LoadCaseConditions& lc = run.loadCase;
    const int M = nd.M;
    // The node set-up gives 41 to 501 nodes; the recursion needs the three head nodes.
    if (M < 3 || M > kMaxNodes) return;
    auto at = [](int k) { return static_cast<std::size_t>(k); };

    // Bending stiffness at node 2: the head increment is taken as uniform, except for elastic
    // and elastic-plastic sections, whose node-2 rigidity is kept as set.
    {
        const int sec = nd.section[2];
        int sectionType = -1;
        if (sec >= 1 && sec <= kMaxSections) sectionType = run.model.sections.section[at(sec)].sectionType;
        if (sectionType != kElasticPile && sectionType != kElasticPlasticPile) nd.EI[2] = nd.EI[1];
    }

    if (iteration == 1) s.previousDYmax = 0.0;

    // Tip shear from the tip deflection of the previous solution. Whether the tip shear curve
    // is used follows from its count alone: the curve exists only when the input gave one,
    // and the input echo states "uses tip shear resistance" on the same test.
    const double V = tipShearForce(run, s.previous[at(M)]);
    s.tipShear = V;

    buildRecursion(run, V);

    // Head conditions: deflections at and above the head.
    double y2 = 0.0, y1 = 0.0, y0 = 0.0, ym1 = 0.0;
    if (lc.type == 5) {
        // Deflection and slope: closed form.
        const double sl = 2.0 * nd.h * lc.S0;
        y1 = lc.Y0 + nd.ys[1];
        y2 = (s.B[2] * y1 + s.A[2] * sl + recursionLoad(s, 2)) / (s.A[2] + 1.0);
        y0 = y2 - sl;
        ym1 = (y1 - s.B[1] * y0 - recursionLoad(s, 1)) / (-s.A[1]);
    } else {
        const int n = buildHeadSystem(run);
        // The head deflections are written only after a successful elimination, so after a
        // small pivot y(−1) to y(2) still hold their values from before the call.
        if (!solveHeadSystem(run, n)) return;
        const int first = n == 5 ? 2 : 1;  // position of y(2) among the unknowns
        y2 = s.YG[at(first)];
        y1 = s.YG[at(first + 1)];
        y0 = s.YG[at(first + 2)];
        ym1 = s.YG[at(first + 3)];
    }
    nd.y(-1) = ym1;
    nd.y(0) = y0;
    nd.y(1) = y1;
    nd.y(2) = y2;

    // Back substitution down the pile, measuring the change against the previous solution.
    // The head pair counts as node 2, whichever of the two changed more.
    const double d1 = std::fabs(y1 - s.previous[1]);
    const double d2 = std::fabs(y2 - s.previous[2]);
    double dYmax = d1 > d2 ? d1 : d2;
    int dYmaxNode = 2;
    for (int k = 3; k <= M; ++k) {
        const auto m = at(k);
        nd.y(k) = s.C[m] + s.E[m] + s.B[m] * nd.y(k - 1) - s.A[m] * nd.y(k - 2);
        const double change = std::fabs(nd.y(k) - s.previous[m]);
        if (change > dYmax) {
            dYmax = change;
            dYmaxNode = k;
        }
    }
    for (int k = 1; k <= M; ++k) s.previous[at(k)] = nd.y(k);

    s.dYmax = dYmax;
    s.dYmaxNode = dYmaxNode;
    s.deltaDYmax = std::fabs(dYmax - s.previousDYmax);
    s.previousDYmax = dYmax;

    nd.y(M + 1) = 2.0 * nd.y(M) - nd.y(M - 1);
}

}  // namespace mervik
