// Finite-difference beam-column solver: head and tip conditions, the change measures, the
// small-pivot failure, and the check against the closed-form beam on elastic foundation.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "engine/errors.hpp"
#include "input/sections.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

class SolverTest : public testing::MemoryRunTest {
protected:
    // A pile of N increments over length L, one section of the given type, uniform EI and Es,
    // no loads; load case type 1 with all values zero.
    void uniformPile(int N, double L, double EI, double Es, int sectionType = kSteelPipePile) {
        PileNodes& nd = run->nodes;
        nd.M = N + 1;
        nd.L = L;
        nd.h = L / N;
        run->model.sections.count = 1;
        run->model.sections.section[1].sectionType = sectionType;
        for (int k = 1; k <= nd.M; ++k) {
            nd.x[k] = (k - 1) * nd.h;
            nd.EI[k] = EI;
            nd.Es[k] = Es;
            nd.q[k] = 0.0;
            nd.ys[k] = 0.0;
            nd.section[k] = 1;
        }
        run->loadCase = LoadCaseConditions{};
        run->loadCase.type = 1;
    }

    // A pile that exercises every term of the scheme: a step in EI at node 20, soil modulus
    // growing with depth, a distributed load over part of the pile, axial thrust.
    void irregularPile() {
        uniformPile(60, 600.0, 1.0e9, 0.0);
        PileNodes& nd = run->nodes;
        for (int k = 1; k <= nd.M; ++k) {
            nd.EI[k] = k <= 20 ? 2.0e9 : 1.0e9;
            nd.Es[k] = 40.0 * k;
            nd.q[k] = (k >= 5 && k <= 15) ? 8.0 : 0.0;
        }
        run->loadCase.P = 30000.0;
    }

    double y(int k) const { return run->nodes.y(k); }
    double R(int k) const { return run->nodes.EI[static_cast<std::size_t>(k < 1 ? 1 : k)]; }
    double h() const { return run->nodes.h; }
    // Head quantities by the difference formulas of the solver's sign convention.
    double headMoment() const { return R(1) * (y(2) - 2.0 * y(1) + y(0)) / (h() * h()); }
    double headSlope() const { return (y(2) - y(0)) / (2.0 * h()); }
    double headShear() const {
        return R(1) * (y(3) - 2.0 * y(2) + 2.0 * y(0) - y(-1)) / (2.0 * h() * h() * h()) +
               run->loadCase.P * (y(2) - y(0)) / (2.0 * h());
    }
    double moment(int k) const { return R(k) * (y(k + 1) - 2.0 * y(k) + y(k - 1)) / (h() * h()); }

    // Residual of the difference equation at node k, relative to the size of its terms:
    //   R(k−1)y(k−2) + (−2R(k−1) − 2R(k) + Pp)y(k−1) + (R(k−1) + 4R(k) + R(k+1) − 2Pp + Es·h⁴)y(k)
    //   + (−2R(k) − 2R(k+1) + Pp)y(k+1) + R(k+1)y(k+2) = q·h⁴
    double equationResidual(int k) const {
        const PileNodes& nd = run->nodes;
        const double Pp = run->loadCase.P * h() * h();
        const double h4 = std::pow(h(), 4);
        const double t[] = {R(k - 1) * y(k - 2),
                            (-2.0 * R(k - 1) - 2.0 * R(k) + Pp) * y(k - 1),
                            (R(k - 1) + 4.0 * R(k) + R(k + 1) - 2.0 * Pp + nd.Es[k] * h4) * y(k),
                            (-2.0 * R(k) - 2.0 * R(k + 1) + Pp) * y(k + 1),
                            R(k + 1) * y(k + 2),
                            -nd.q[k] * h4};
        double sum = 0.0, size = 0.0;
        for (double v : t) {
            sum += v;
            size += std::fabs(v);
        }
        return size == 0.0 ? 0.0 : std::fabs(sum) / size;
    }
};

// ------------------------------------------------------------------ head and tip conditions

TEST_F(SolverTest, ZeroLoadGivesZeroDeflectionForEveryBoundaryType) {
    for (int type = 1; type <= 5; ++type) {
        start();
        irregularPile();
        for (int k = 1; k <= run->nodes.M; ++k) run->nodes.q[k] = 0.0;
        run->loadCase.type = type;
        solvePile(*run, 1);
        ASSERT_FALSE(run->failed());
        for (int k = -1; k <= run->nodes.M + 1; ++k) EXPECT_EQ(y(k), 0.0) << "type " << type << " node " << k;
        EXPECT_EQ(run->solver.dYmax, 0.0);
    }
}

// Every boundary type reproduces its two head conditions through the difference formulas, and
// the difference equation holds at every node from the head to the node above the tip (the
// fictitious nodes y(0), y(−1) and y(M+1) included).
TEST_F(SolverTest, HeadConditionsAndDifferenceEquationHold) {
    enum class Check { Shear, Moment, Slope, Spring, Deflection };
    struct Case {
        int type;
        double V0, M0, S0, Ktheta, Y0;
        Check first, second;
    };
    const Case cases[] = {
        {1, 5000.0, 2.0e5, 0.0, 0.0, 0.0, Check::Shear, Check::Moment},
        {2, 5000.0, 0.0, -0.001, 0.0, 0.0, Check::Shear, Check::Slope},
        {3, 5000.0, 0.0, 0.0, 1.0e8, 0.0, Check::Shear, Check::Spring},
        {4, 0.0, 2.0e5, 0.0, 0.0, 0.5, Check::Deflection, Check::Moment},
        {5, 0.0, 0.0, 0.001, 0.0, 0.2, Check::Deflection, Check::Slope},
    };
    for (const Case& c : cases) {
        start();
        irregularPile();
        run->nodes.ys[1] = 0.03;  // soil movement at the head: only type 5 adds it
        run->loadCase.type = c.type;
        run->loadCase.V0 = c.V0;
        run->loadCase.M0 = c.M0;
        run->loadCase.S0 = c.S0;
        run->loadCase.Ktheta = c.Ktheta;
        run->loadCase.Y0 = c.Y0;
        solvePile(*run, 1);
        ASSERT_FALSE(run->failed());
        SCOPED_TRACE("type " + std::to_string(c.type));
        for (Check check : {c.first, c.second}) {
            switch (check) {
                case Check::Shear: EXPECT_NEAR(headShear(), c.V0, 1e-6 * c.V0); break;
                case Check::Moment: EXPECT_NEAR(headMoment(), c.M0, 1e-6 * c.M0); break;
                case Check::Slope: EXPECT_NEAR(headSlope(), c.S0, 1e-6 * std::fabs(c.S0)); break;
                case Check::Spring:  // M = Kθ·S
                    EXPECT_NEAR(headMoment(), c.Ktheta * headSlope(), 1e-6 * std::fabs(headMoment()));
                    EXPECT_GT(std::fabs(headMoment()), 1.0);
                    break;
                case Check::Deflection:
                    EXPECT_EQ(y(1), c.type == 5 ? c.Y0 + 0.03 : c.Y0);
                    break;
            }
        }
        for (int k = 1; k <= run->nodes.M - 1; ++k) EXPECT_LT(equationResidual(k), 1e-10) << "node " << k;
        EXPECT_EQ(y(run->nodes.M + 1), 2.0 * y(run->nodes.M) - y(run->nodes.M - 1));
    }
}

TEST_F(SolverTest, RotationalStiffnessZeroEqualsFreeHeadWithoutMoment) {
    irregularPile();
    run->loadCase.type = 1;
    run->loadCase.V0 = 7000.0;
    solvePile(*run, 1);
    std::vector<double> freeHead;
    for (int k = -1; k <= run->nodes.M + 1; ++k) freeHead.push_back(y(k));

    start();
    irregularPile();
    run->loadCase.type = 3;
    run->loadCase.V0 = 7000.0;
    run->loadCase.Ktheta = 0.0;
    solvePile(*run, 1);
    for (int k = -1; k <= run->nodes.M + 1; ++k) EXPECT_EQ(y(k), freeHead[static_cast<std::size_t>(k + 1)]);
}

// The load term is q(k) without a soil-movement profile and Q(k) with one. A free pile in
// uniform soil under a uniform load term w translates without bending: y = w/Es at every node
// (the difference equation reduces to Es·y = w, both head and tip conditions hold).
TEST_F(SolverTest, LoadTermIsQWithASoilMovementProfile) {
    const double w = 6.0, Es = 120.0;
    const struct {
        int profilePoints;
        double q, Q;
        double expected;
    } cases[] = {
        {0, w, 0.0, w / Es},
        {0, 0.0, w, 0.0},
        {1, 0.0, w, w / Es},
        {1, w, 0.0, 0.0},
        {2, 2.0 * w, w, w / Es},
    };
    for (const auto& c : cases) {
        start();
        uniformPile(40, 400.0, 1.0e9, Es);
        run->model.soilMovement.count = c.profilePoints;
        for (int k = 1; k <= run->nodes.M; ++k) {
            run->nodes.q[k] = c.q;
            run->nodes.Q[k] = c.Q;
        }
        solvePile(*run, 1);
        ASSERT_FALSE(run->failed());
        for (int k = -1; k <= run->nodes.M + 1; ++k)
            EXPECT_NEAR(y(k), c.expected, 1e-9 * w / Es) << c.profilePoints << " profile points, node " << k;
    }
}

// On a pile that uses every term of the scheme, the solution under a profile is that of the
// load Q(k) given as q(k) without one.
TEST_F(SolverTest, SolutionUnderAProfileIsThatOfTheLoadQ) {
    irregularPile();
    run->loadCase.V0 = 3000.0;
    std::vector<double> load;
    for (int k = 1; k <= run->nodes.M; ++k) load.push_back(run->nodes.q[k] + 0.5 * k);
    for (int k = 1; k <= run->nodes.M; ++k) run->nodes.q[k] = load[static_cast<std::size_t>(k - 1)];
    solvePile(*run, 1);
    std::vector<double> expected;
    for (int k = -1; k <= run->nodes.M + 1; ++k) expected.push_back(y(k));

    start();
    irregularPile();
    run->loadCase.V0 = 3000.0;
    run->model.soilMovement.count = 3;
    for (int k = 1; k <= run->nodes.M; ++k) run->nodes.Q[k] = load[static_cast<std::size_t>(k - 1)];
    solvePile(*run, 1);
    for (int k = -1; k <= run->nodes.M + 1; ++k) EXPECT_EQ(y(k), expected[static_cast<std::size_t>(k + 1)]) << "node " << k;
}

// The head increment is made uniform (R(2) = R(1)) except for elastic and elastic-plastic
// sections at node 2.
TEST_F(SolverTest, RigidityOfNodeTwo) {
    const struct {
        int sectionType;
        double expected;
    } cases[] = {{kSteelPipePile, 1.0e9}, {kDrilledShaft, 1.0e9}, {kUserEiPile, 1.0e9},
                 {kElasticPile, 3.0e9}, {kElasticPlasticPile, 3.0e9}};
    for (const auto& c : cases) {
        start();
        uniformPile(40, 400.0, 1.0e9, 100.0, c.sectionType);
        run->nodes.EI[2] = 3.0e9;
        run->loadCase.V0 = 1000.0;
        solvePile(*run, 1);
        EXPECT_EQ(run->nodes.EI[2], c.expected) << "section type " << c.sectionType;
        EXPECT_EQ(run->nodes.EI[3], 1.0e9);
    }
}

// Tip shear from the curve at the tip deflection of the previous call: linear interpolation,
// the last force beyond the last displacement, the sign of the tip deflection.
TEST_F(SolverTest, TipShearFromCurve) {
    const struct {
        std::vector<std::pair<double, double>> curve;
        double previousTip;
        double expected;
    } cases[] = {
        {{}, 0.2, 0.0},
        {{{0.0, 0.0}, {0.1, 100.0}, {0.3, 200.0}}, 0.05, 50.0},
        {{{0.0, 0.0}, {0.1, 100.0}, {0.3, 200.0}}, 0.2, 150.0},
        {{{0.0, 0.0}, {0.1, 100.0}, {0.3, 200.0}}, 0.3, 200.0},
        {{{0.0, 0.0}, {0.1, 100.0}, {0.3, 200.0}}, 0.5, 200.0},    // beyond the last point
        {{{0.0, 0.0}, {0.1, 100.0}, {0.3, 200.0}}, -0.2, -150.0},  // sign of the tip deflection
        {{{0.0, 0.0}, {0.1, 100.0}, {0.3, 200.0}}, -0.5, -200.0},
        {{{0.0, 0.0}, {0.1, 100.0}, {0.3, 200.0}}, 0.0, 0.0},
        {{{0.0, 75.0}}, 0.2, 75.0},  // a single point is a constant resistance
        {{{0.0, 75.0}}, -0.2, -75.0},
        {{{0.0, 75.0}}, 0.0, 75.0},
    };
    for (const auto& c : cases) {
        start();
        uniformPile(40, 400.0, 1.0e9, 100.0);
        TipShearCurve& curve = run->model.tipShear;
        curve.count = static_cast<int>(c.curve.size());
        for (std::size_t i = 0; i < c.curve.size(); ++i) {
            curve.displacement[i + 1] = c.curve[i].first;
            curve.shear[i + 1] = c.curve[i].second;
        }
        const int M = run->nodes.M;
        run->nodes.y(M) = c.previousTip;
        run->solver.previous[static_cast<std::size_t>(M)] = c.previousTip;
        solvePile(*run, 2);
        EXPECT_NEAR(run->solver.tipShear, c.expected, 1e-9)
            << "points " << c.curve.size() << ", tip " << c.previousTip;
    }
}

// The tip shear enters the solution as the shear at the tip node. With uniform R near the tip,
// the difference equation at node M with y(M+1) = 2y(M) − y(M−1) (zero moment) and
// R·(y(M+2) − 2y(M+1) + 2y(M−1) − y(M−2))/(2h³) + P·(y(M+1) − y(M−1))/(2h) = V becomes
//   2R·y(M−2) + (−4R + 2Pp)·y(M−1) + (2R − 2Pp + Es·h⁴)·y(M) + 2V·h³ = q·h⁴.
TEST_F(SolverTest, TipShearActsAtTheTip) {
    irregularPile();
    TipShearCurve& curve = run->model.tipShear;
    curve.count = 2;
    curve.displacement[1] = 0.0; curve.shear[1] = 0.0;
    curve.displacement[2] = 1.0; curve.shear[2] = 4.0e5;
    const int M = run->nodes.M;
    run->nodes.y(M) = -0.01;
    run->solver.previous[static_cast<std::size_t>(M)] = -0.01;
    run->loadCase.V0 = 5000.0;
    solvePile(*run, 2);
    const double V = run->solver.tipShear;
    ASSERT_NEAR(V, -4000.0, 1e-9);
    const double Rt = R(M), Pp = run->loadCase.P * h() * h(), h4 = std::pow(h(), 4);
    const double terms[] = {2.0 * Rt * y(M - 2), (-4.0 * Rt + 2.0 * Pp) * y(M - 1),
                            (2.0 * Rt - 2.0 * Pp + run->nodes.Es[M] * h4) * y(M), 2.0 * V * std::pow(h(), 3)};
    double sum = -run->nodes.q[M] * h4, size = 0.0;
    for (double t : terms) {
        sum += t;
        size += std::fabs(t);
    }
    EXPECT_LT(std::fabs(sum), 1e-10 * size);
    EXPECT_GT(std::fabs(terms[3]), 1e-3 * size);  // the tip shear is not negligible here
}

// ------------------------------------------------------------------ change measures

TEST_F(SolverTest, ChangeOfDeflectionsAgainstThePreviousCall) {
    irregularPile();
    run->loadCase.V0 = 5000.0;
    solvePile(*run, 1);
    const int M = run->nodes.M;
    // First call: the previous deflections are zero, so dYmax is the largest |y(k)|. The free
    // head deflects most at node 1; the head pair is reported as node 2.
    double largest = 0.0;
    for (int k = 1; k <= M; ++k) largest = std::max(largest, std::fabs(y(k)));
    ASSERT_EQ(std::fabs(y(1)), largest);
    EXPECT_EQ(run->solver.dYmax, largest);
    EXPECT_EQ(run->solver.dYmaxNode, 2);
    EXPECT_EQ(run->solver.deltaDYmax, largest);
    for (int k = 1; k <= M; ++k) EXPECT_EQ(run->solver.previous[k], y(k));

    // Same moduli again: only the deflection displaced by hand at node 40 changes.
    run->solver.previous[40] += 5.0;
    run->nodes.y(40) += 5.0;
    solvePile(*run, 2);
    EXPECT_NEAR(run->solver.dYmax, 5.0, 1e-9);
    EXPECT_EQ(run->solver.dYmaxNode, 40);
    EXPECT_NEAR(run->solver.deltaDYmax, std::fabs(5.0 - largest), 1e-9);

    // Iteration 1 starts a new case: the change of dYmax is measured against zero.
    run->solver.previous[10] -= 2.0;
    run->nodes.y(10) -= 2.0;
    solvePile(*run, 1);
    EXPECT_NEAR(run->solver.dYmax, 2.0, 1e-9);
    EXPECT_EQ(run->solver.dYmaxNode, 10);
    EXPECT_EQ(run->solver.deltaDYmax, run->solver.dYmax);
}

// ------------------------------------------------------------------ head-system elimination

TEST_F(SolverTest, HeadSystemSolvedWithoutRowExchanges) {
    // F·x = G with x = (1, 2, 3, 4, 5).
    const double F[5][5] = {{4, 1, 0, 2, 0}, {1, 5, 1, 0, 1}, {0, 2, 6, 1, 0}, {1, 0, 1, 7, 2}, {0, 1, 0, 1, 3}};
    const double x[5] = {1, 2, 3, 4, 5};
    for (int i = 1; i <= 5; ++i) {
        double g = 0.0;
        for (int j = 1; j <= 5; ++j) {
            run->solver.F[static_cast<std::size_t>((j - 1) * 5 + i)] = F[i - 1][j - 1];
            g += F[i - 1][j - 1] * x[j - 1];
        }
        run->solver.G[static_cast<std::size_t>(i)] = g;
    }
    ASSERT_TRUE(solveHeadSystem(*run, 5));
    for (int i = 1; i <= 5; ++i) EXPECT_NEAR(run->solver.YG[static_cast<std::size_t>(i)], x[i - 1], 1e-12);
}

TEST_F(SolverTest, SmallPivotTextsAndDumps) {
    // After column 1 is eliminated, row 2 becomes (0, 0, 1, 0, 0): a zero pivot at row 2.
    auto set = [&](int i, int j, double v) { run->solver.F[static_cast<std::size_t>((j - 1) * 5 + i)] = v; };
    set(1, 1, 1.0); set(1, 2, 1.0);
    set(2, 1, 1.0); set(2, 2, 1.0); set(2, 3, 1.0);
    set(3, 3, 2.0); set(4, 4, 2.0); set(5, 5, 2.0);
    run->solver.G = {0.0, 1.0, 3.0, 4.0, 5.0, 6.0};
    run->solver.YG = {0.0, 0.5, 0.0, 0.0, 0.0, -0.25};
    EXPECT_FALSE(solveHeadSystem(*run, 5));
    EXPECT_EQ(run->errorNumber, runtimeError(11));

    const std::string text =
        "\n\n**** Runtime Error No. 11 ****\n\n"
        "Problem:  Solution failed due to small pivot value.\n"
        "          Node number = 2\n"
        "          Pivot value =  0.00000E+00\n\n"
        "Solution: This error usually occurs when a lateral bearing capacity failure occurs.  \n"
        "          Reduce the load on the pile and repeat the analysis.\n"
        "          You may also consider increasing pile diameter or pile length.\n";
    // F by columns after the elimination of column 1 (row 2 minus row 1); G alike.
    const std::string dumps =
        "\n\nF Matrix \n\n"
        "  1.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00\n"
        "  1.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00\n"
        "  0.0000E+00  1.0000E+00  2.0000E+00  0.0000E+00  0.0000E+00\n"
        "  0.0000E+00  0.0000E+00  0.0000E+00  2.0000E+00  0.0000E+00\n"
        "  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  2.0000E+00\n"
        "\n\nG Vector \n\n"
        "  1.0000E+00\n  2.0000E+00\n  4.0000E+00\n  5.0000E+00\n  6.0000E+00\n"
        "\n\nYG Vector\n\n"
        "  5.0000E-01\n  0.0000E+00\n  0.0000E+00\n  0.0000E+00\n -2.5000E-01\n";
    EXPECT_EQ(messages(), text);
    EXPECT_EQ(report().substr(0, text.size() + dumps.size()), text + dumps);
    EXPECT_NE(report().find("Mervik ended prematurely due to runtime error number RUN00011", text.size()),
              std::string::npos);
}

// A head system that is singular by construction: with zero rigidity at nodes 2 and 3 (an
// elastic section at node 2 keeps it), no soil at node 2 and no thrust, D(2) = R(1), so
// A(2) = 1 and the type-4 system loses its third pivot. The head deflections are restored.
TEST_F(SolverTest, SmallPivotInTheSolverRestoresHeadDeflections) {
    uniformPile(40, 400.0, 1.0e9, 100.0, kElasticPile);
    run->nodes.EI[2] = 0.0;
    run->nodes.EI[3] = 0.0;
    run->nodes.Es[2] = 0.0;
    run->loadCase.type = 4;
    run->loadCase.Y0 = 0.5;
    const double before[] = {0.1, 0.2, 0.3, 0.4, 0.6};
    for (int k = -1; k <= 3; ++k) run->nodes.y(k) = before[k + 1];
    solvePile(*run, 1);
    EXPECT_EQ(run->errorNumber, runtimeError(11));
    for (int k = -1; k <= 3; ++k) EXPECT_EQ(y(k), before[k + 1]) << "node " << k;
    EXPECT_NE(report().find("          Node number = 3\n          Pivot value =  0.00000E+00\n"), std::string::npos);
    EXPECT_NE(report().find("F Matrix "), std::string::npos);
    EXPECT_EQ(messages().find("F Matrix "), std::string::npos);
}

// ------------------------------------------------------------------ theory check
//
// Long elastic pile, constant EI and soil modulus k (force/length²), P = 0: EI·y'''' + k·y = 0.
// With β = (k/(4EI))^(1/4) and u = βx the solution that decays with depth is
//   y = e^(−u)·(a·cos u + b·sin u),
//   y'   = β·e^(−u)·((b − a)·cos u − (a + b)·sin u),
//   y''  = 2β²·e^(−u)·(a·sin u − b·cos u),
//   y''' = 2β³·e^(−u)·((a + b)·cos u + (b − a)·sin u),
// so at the head y = a, y' = β(b − a), M = EI·y'' = −2EIβ²·b, V = EI·y''' = 2EIβ³·(a + b),
// in the sign convention of the solver's difference formulas (M = EI·y'', V = EI·y''' + P·y').
// With EI = k/(4β⁴):
//   free head, shear V:   b = 0, a = 2Vβ/k;  y0 = 2Vβ/k, slope −2Vβ²/k,
//                         M(x) = (V/β)·e^(−u)·sin u, largest at u = π/4:
//                         Mmax = (V/β)·e^(−π/4)·sin(π/4) at depth π/(4β);
//   head moment M0:       a = −b = M0/(2EIβ²);  y0 = 2M0β²/k, slope −4M0β³/k,
//                         M(x) = M0·e^(−u)·(cos u + sin u), largest at the head (M0);
//   fixed head, shear V:  a = b = Vβ/k;  y0 = Vβ/k, slope 0, M(0) = −V/(2β), which is the
//                         largest magnitude (M(x) ∝ e^(−u)(sin u − cos u));
//   deflection Y0, M = 0: the free-head shape with a = Y0: slope −βY0,
//                         Mmax = 2EIβ²·Y0·e^(−π/4)·sin(π/4) at π/(4β);
//   deflection Y0, S = 0: the fixed-head shape with a = b = Y0: M(0) = −2EIβ²·Y0.
//
// Here EI = 2.5e10 and k = 1000, so β = 0.01 and a pile of 1600 (βL = 16 > 4π) is long.
struct BeamResponse {
    double y0, slope, Mmax, depth;
};

class BeamOnElasticFoundation : public SolverTest {
protected:
    static constexpr double kEI = 2.5e10, kK = 1000.0, kBeta = 0.01, kLength = 1600.0;

    BeamResponse solve(int N, const LoadCaseConditions& conditions) {
        start();
        uniformPile(N, kLength, kEI, kK);
        run->loadCase = conditions;
        solvePile(*run, 1);
        EXPECT_FALSE(run->failed());
        // Largest moment magnitude over the nodes; inside the pile its depth is the vertex of
        // the parabola through the three nodes around it.
        int best = 1;
        for (int k = 2; k < run->nodes.M; ++k)
            if (std::fabs(moment(k)) > std::fabs(moment(best))) best = k;
        double depth = (best - 1) * h(), Mmax = moment(best);
        if (best > 1) {
            const double m0 = moment(best - 1), m1 = moment(best), m2 = moment(best + 1);
            const double curvature = m0 - 2.0 * m1 + m2;
            const double offset = 0.5 * (m0 - m2) / curvature;
            depth += offset * h();
            Mmax = m1 - 0.25 * (m0 - m2) * offset;
        }
        return {y(1), headSlope(), Mmax, depth};
    }
};

TEST_F(BeamOnElasticFoundation, MatchesClosedFormAndConvergesWithMesh) {
    const double b = kBeta, k = kK, EI = kEI;
    const double V = 1.0e4, M0 = 1.0e6, Y0 = 0.2;
    const double peak = std::exp(-std::numbers::pi / 4.0) * std::sin(std::numbers::pi / 4.0);
    auto conditions = [](int type, double V0, double Mh, double S0, double Yh) {
        LoadCaseConditions c;
        c.type = type;
        c.V0 = V0;
        c.M0 = Mh;
        c.S0 = S0;
        c.Y0 = Yh;
        return c;
    };
    const struct {
        const char* name;
        LoadCaseConditions conditions;
        BeamResponse expected;
        double slopeScale;  // scale of the slope error where the exact slope is zero
    } cases[] = {
        {"free head, shear", conditions(1, V, 0.0, 0.0, 0.0),
         {2.0 * V * b / k, -2.0 * V * b * b / k, V / b * peak, std::numbers::pi / (4.0 * b)}, 0.0},
        {"free head, moment", conditions(1, 0.0, M0, 0.0, 0.0),
         {2.0 * M0 * b * b / k, -4.0 * M0 * b * b * b / k, M0, 0.0}, 0.0},
        {"fixed head, shear", conditions(2, V, 0.0, 0.0, 0.0), {V * b / k, 0.0, -V / (2.0 * b), 0.0}, V * b * b / k},
        {"deflection, zero moment", conditions(4, 0.0, 0.0, 0.0, Y0),
         {Y0, -b * Y0, 2.0 * EI * b * b * Y0 * peak, std::numbers::pi / (4.0 * b)}, 0.0},
        {"deflection, zero slope", conditions(5, 0.0, 0.0, 0.0, Y0), {Y0, 0.0, -2.0 * EI * b * b * Y0, 0.0}, b * Y0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BeamResponse& e = c.expected;
        const double slopeScale = c.slopeScale > 0.0 ? c.slopeScale : std::fabs(e.slope);
        struct Errors {
            double y0, slope, Mmax, depth;
        };
        std::vector<Errors> errors;
        for (int N : {100, 200, 400}) {
            const BeamResponse r = solve(N, c.conditions);
            errors.push_back({std::fabs(r.y0 - e.y0) / std::fabs(e.y0), std::fabs(r.slope - e.slope) / slopeScale,
                              std::fabs(r.Mmax - e.Mmax) / std::fabs(e.Mmax),
                              std::fabs(r.depth - e.depth) / (std::numbers::pi / (4.0 * b))});
        }
        const Errors& fine = errors.back();
        EXPECT_LT(fine.y0, 0.01);
        EXPECT_LT(fine.slope, 0.01);
        EXPECT_LT(fine.Mmax, 0.01);
        EXPECT_LT(fine.depth, 0.01);
        // Refinement: every error that is not already at round-off falls with each halving.
        for (std::size_t i = 1; i < errors.size(); ++i) {
            auto falls = [](double coarse, double finer) { return finer < coarse || coarse < 1e-12; };
            EXPECT_TRUE(falls(errors[i - 1].y0, errors[i].y0)) << "y0, step " << i;
            EXPECT_TRUE(falls(errors[i - 1].slope, errors[i].slope)) << "slope, step " << i;
            EXPECT_TRUE(falls(errors[i - 1].Mmax, errors[i].Mmax)) << "Mmax, step " << i;
        }
    }
}

}  // namespace
}  // namespace mervik
