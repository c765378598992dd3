// Cemented silt (code 11): the frictional and cohesive ultimate resistances and their failure
// modes with depth, the curve of the sand kind with its branches, the small-deflection modulus
// and the multipliers, sloping ground, the default eps50 and k, the errors, the layer resistance,
// the equivalent depth below sand, the strength at layer interfaces, the printed curves and a
// whole run.
//
// Hand profile unless a test says otherwise (generic units): b = 10, c = 2, gamma' = 1,
// phi = 30 degrees, k = 1000, eps50 = 0.01, one layer from 0 to 200, nodes at 0, 5, 8, 20, 80 and
// 200.
//
// phi = 30 degrees makes the sand terms simple: alpha = 15, beta = 60 degrees, tan(beta) = sqrt3,
// tan(beta - phi) = 1/sqrt3, tan(alpha) = 2 - sqrt3, sin(beta) = sqrt3/2, cos(alpha) =
// (sqrt6 + sqrt2)/4, Ka0 = 1/3, Kp = 3. On level ground
//   wedge  Pst = gamma' x (C1 x + C2 b), C1 = K0 (sqrt3/2 / cos15 + 3 - 1.5 sqrt3) + 3 (2 sqrt3 - 3)
//              = 0.51940 + 1.39230 = 1.91170, C2 = 3 - 1/3 = 8/3,
//   flow   Psd = C3 b gamma' xg, C3 = 3 sqrt3 K0 + 80/3 = 28.74513,
// so the wedge governs above x = (C3 - C2) b / C1 = 13.641 b. The cohesive resistance is
// Np b c with Np = 3 + gamma' x / c + x / (2 b), limited to 9 b c = 180 (from x = 10.909 on).
// The curve: pu = A ps + pc, pm = 1.5 (ps + pc), ym = b/60 = 1/6, yu = 3b/80 = 0.375,
// m = (pu - pm)/(yu - ym), n = pm/(m ym), C = pm / ym^(1/n), yk = (C / (k x))^(n/(n - 1)).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "engine/errors.hpp"
#include "support/py_model_test.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

using testing::expectRelative;
using testing::labelValue;
using testing::plottedPoints;
using testing::printedPoints;
using testing::PyModelTest;
using testing::row;

constexpr double kPi = 3.141592653589793;
constexpr double kK0 = 0.4000000059604645;
const double kSqrt3 = std::sqrt(3.0);
const double kCos15 = (std::sqrt(6.0) + std::sqrt(2.0)) / 4.0;
const double kC1 = kK0 * (kSqrt3 / 2.0 / kCos15 + 3.0 - 1.5 * kSqrt3) + 3.0 * (2.0 * kSqrt3 - 3.0);
const double kC2 = 8.0 / 3.0;
const double kC3 = 3.0 * kSqrt3 * kK0 + 80.0 / 3.0;

// The A and B tables as single-precision values against x/b, the first segment continued below
// 0 and the last value beyond 6.
constexpr std::array<double, 10> kRatios = {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0};
constexpr std::array<float, 10> kAStatic = {2.83f, 2.48f, 2.11f, 1.76f, 1.48f, 1.23f, 1.06f, 0.9f, 0.88f, 0.88f};
constexpr std::array<float, 10> kBStatic = {2.14f, 1.83f, 1.54f, 1.27f, 1.05f, 0.86f, 0.71f, 0.53f, 0.5f, 0.5f};
constexpr std::array<float, 10> kACyclic = {0.75f, 0.93f, 1.07f, 1.11f, 1.03f, 0.98f, 0.94f, 0.9f, 0.88f, 0.88f};
constexpr std::array<float, 10> kBCyclic = {0.53f, 0.72f, 0.83f, 0.86f, 0.82f, 0.77f, 0.7f, 0.55f, 0.55f, 0.55f};

double factor(const std::array<float, 10>& v, double r) {
    std::size_t i = 1;
    while (i < 9 && r > kRatios[i]) ++i;
    if (r > 6.0) return v[9];
    return v[i - 1] + (r - kRatios[i - 1]) * (double(v[i]) - v[i - 1]) / (kRatios[i] - kRatios[i - 1]);
}

// The curve of the hand profile (phi = 30, level ground) at curve depth x, true depth xg.
struct Hand {
    double Pst, Psd, ps, Np, pc, A, B, pu, pm, yM, yu, m, n, C, yk, kx;

    double p(double y) const {
        double q = pu;
        if (y <= yk) {
            q = kx * y;
        } else if (y <= yM) {
            q = C * std::pow(y, 1.0 / n);
        } else if (y <= yu) {
            q = pm + m * (y - yM);
        }
        return std::min(q, kx * y);
    }
};

Hand hand(double x, double xg, bool cyclic, double b = 10.0, double c = 2.0, double gamma = 1.0, double k = 1000.0) {
    Hand h{};
    h.Pst = gamma * x * (kC1 * x + kC2 * b);
    h.Psd = kC3 * b * gamma * xg;
    h.ps = std::min(h.Pst, h.Psd);
    h.Np = 3.0 + gamma * x / c + x / (2.0 * b);
    h.pc = std::min(h.Np, 9.0) * b * c;
    h.A = factor(cyclic ? kACyclic : kAStatic, x / b);
    h.B = factor(cyclic ? kBCyclic : kBStatic, x / b);
    h.pu = h.A * h.ps + h.pc;
    h.pm = 1.5 * (h.ps + h.pc);
    h.yM = b / 60.0;
    h.yu = 3.0 * b / 80.0;
    h.m = (h.pu - h.pm) / (h.yu - h.yM);
    h.n = h.pm / (h.m * h.yM);
    h.C = h.pm / std::pow(h.yM, 1.0 / h.n);
    h.kx = k * x;
    h.yk = h.kx > 0.0 ? std::pow(h.C / h.kx, h.n / (h.n - 1.0)) : 0.0;
    return h;
}

// Deflection of printed point j: twelve steps to ym, then yu, 1.05, 1.10 and 1.15 yu.
double printedY(const Hand& h, int j) {
    return j <= 13 ? (j - 1) * h.yM / 12.0 : h.yu * (1.0 + (j - 14) * 0.05000000074505806);
}

class CementedSiltTest : public PyModelTest {
protected:
    void SetUp() override {
        PyModelTest::SetUp();
        units(kGeneral);
        run->model.soil.groundSurface = 0.0;
        width(10.0);
        nodes({0.0, 5.0, 8.0, 20.0, 80.0, 200.0}, 20.0, 200.0);
        range(1, 1, 6);
        silt(1, 0.0, 200.0, 2.0, 1000.0);
    }
    // A cemented silt layer of the hand profile with cohesion c and subgrade modulus k.
    SoilLayer& silt(int L, double top, double bottom, double c, double k, double phi = 30.0) {
        SoilLayer& s = placeLayer(L, kPyCementedSilt, top, bottom);
        s.cohesion = {c, c};
        s.gamma = {1.0, 1.0};
        s.phi = {phi, phi};
        s.eps50 = {0.01, 0.01};
        s.kpy = {k, k};
        return s;
    }
    // The report pass at one output depth of layer L, with the deflection of node 1.
    void printAt(double depth, int L = 1, double y = 0.0) {
        run->py.reportPass = true;
        range(L, 1, 1);
        run->nodes.x[1] = depth;
        run->nodes.y(1) = y;
        pyCementedSilt(*run, L);
        run->report.close();
        run->plot.close();
    }
};

void expectPoints(const std::string& report, const std::string& plot, const std::vector<testing::CurvePoint>& expected) {
    const auto printed = printedPoints(report);
    const auto plotted = plottedPoints(plot);
    ASSERT_EQ(printed.size(), expected.size());
    ASSERT_EQ(plotted.size(), expected.size());
    for (std::size_t j = 0; j < expected.size(); ++j) {
        const auto [y, p] = expected[j];
        EXPECT_NEAR(plotted[j].y, y, 1E-7 * std::fabs(y)) << "point " << j + 1;
        EXPECT_NEAR(plotted[j].p, p, 1E-7 * std::fabs(p)) << "point " << j + 1;
        // The adaptive writer prints five significant digits.
        EXPECT_NEAR(printed[j].y, y, 5E-5 * std::fabs(y) + 6E-6) << "point " << j + 1;
        EXPECT_NEAR(printed[j].p, p, 5E-5 * std::fabs(p) + 6E-6) << "point " << j + 1;
    }
}

// ---------------------------------------------------------------- ultimate resistance

TEST_F(CementedSiltTest, UltimateResistanceChangesItsFailureModesWithDepth) {
    // Far beyond yu the curve is pu (k x y lies far above it): Es = pu / 10. Static hand values:
    //  x = 5:   Pst = 5 (9.5585 + 26.6667) = 181.126 (< Psd = 1437.3), Np = 5.75: pc = 115,
    //           A = 2.48: pu = 564.192
    //  x = 8:   Pst = 335.682, Np = 7.4: pc = 148, A = 2.48 + 0.6 (2.11 - 2.48) = 2.258: 905.971
    //  x = 20:  Pst = 1298.015, Np = 14: pc = 9 b c = 180, A = 1.48: 2101.063
    //  x = 80:  Pst = 14368.24 (< Psd = 22996), x/b = 8 beyond the table: A = 0.88: 12824.05
    //  x = 200: Pst = 81802 > Psd = 57490.26: flow, 0.88 Psd + 180 = 50771.42
    // At the ground surface k x = 0 caps the curve: Es = 0.
    const struct {
        bool cyclic;
        std::array<double, 5> pu;  // nodes 2 to 6
    } cases[] = {
        {false, {564.1924, 905.9709, 2101.0625, 12824.0533, 50771.4244}},
        // Cyclic A = 0.93, 1.014, 1.03, 0.88, 0.88.
        {true, {283.4471, 488.3820, 1516.9556, 12824.0533, 50771.4244}},
    };
    const double depths[] = {5.0, 8.0, 20.0, 80.0, 200.0};
    for (const auto& c : cases) {
        run->model.options.cyclic = c.cyclic;
        deflect(10.0);
        pyCementedSilt(*run, 1);
        ASSERT_FALSE(run->failed());
        EXPECT_EQ(Es(1), 0.0);
        for (int i = 0; i < 5; ++i) {
            const double x = depths[i];
            EXPECT_NEAR(hand(x, x, c.cyclic).pu, c.pu[static_cast<std::size_t>(i)], 1E-4) << x;
            expectRelative(Es(i + 2), hand(x, x, c.cyclic).pu / 10.0, 1E-12);
        }
    }
}

// ---------------------------------------------------------------- curve

TEST_F(CementedSiltTest, StaticCurveNearTheSurfaceRisesOnTheLineTheParabolaAndTheStraightLine) {
    // Node 2 (x = 5, static): pu = 564.192, pm = 444.189, m = 576.017, n = 4.62684,
    // C = 654.259, k x = 5000, yk = 0.07469. Hand values: y = 0.05 on the line 250;
    // y = 0.1 the parabola 654.259 * 0.1^(1/4.62684) = 397.758; y = 0.25 the straight line
    // 444.189 + 576.017 (0.25 - 1/6) = 492.190; y = 1 the ultimate 564.192.
    const Hand h = hand(5.0, 5.0, false);
    EXPECT_NEAR(h.yk, 0.07469, 1E-5);
    const struct {
        double y, p;
    } cases[] = {{0.05, 250.0}, {0.1, 397.75849}, {0.25, 492.19029}, {1.0, 564.19235}};
    for (const auto& c : cases) {
        EXPECT_NEAR(h.p(c.y), c.p, 1E-5) << c.y;
        run->nodes.y(2) = -c.y;  // the sign of the deflection does not matter on level ground
        pyCementedSilt(*run, 1);
        ASSERT_FALSE(run->failed());
        expectRelative(Es(2), h.p(c.y) / c.y, 1E-12);
    }
}

TEST_F(CementedSiltTest, MultipliersApplyAboveTheSmallDeflectionOnlyAndSoilMovementSetsItsLoad) {
    const Hand h = hand(5.0, 5.0, false);
    multipliers(0.5, 2.0);
    const struct {
        double y, Es;
    } cases[] = {
        {0.0, 5000.0},                            // k x, no multipliers
        {2.0 * 0.9E-14, 5000.0},                  // yc = y / 2 below 1E-14
        {0.2, 0.5 * h.p(0.1) / (2.0 * 0.1)},      // yc = 0.1: pm p(yc) / (ym yc)
    };
    for (const auto& c : cases) {
        run->nodes.y(2) = c.y;
        pyCementedSilt(*run, 1);
        ASSERT_FALSE(run->failed());
        expectRelative(Es(2), c.Es, 1E-12);
    }
    // The curve follows the deflection relative to the soil: y - ys = 0.2 (yc = 0.1).
    run->model.soilMovement.count = 1;
    run->nodes.ys[2] = 0.5;
    run->nodes.q[2] = 3.0;
    run->nodes.y(2) = 0.7;
    pyCementedSilt(*run, 1);
    ASSERT_FALSE(run->failed());
    expectRelative(Es(2), 0.5 * h.p(0.1) / 0.2, 1E-12);
    expectRelative(run->nodes.Q[2], 0.5 * Es(2) + 3.0, 1E-12);
}

// pm = 1.5 (ps + pc) lies above pu = A ps + pc whenever (A - 1.5) ps < pc / 2: always under
// cyclic loading (A <= 1.11) and below x/b = 1.7 or so under static loading. Then m and n are
// negative and the curve, as the criteria state it, rises on the initial line to yk and falls
// from there: at x = 5 (cyclic) k x yk = 5000 * 0.102316 = 511.58, pm = 444.19 at ym and pu =
// 283.45 at yu. Where yk lies beyond ym (x = 80, static: yk = 0.24140) the line holds up to yk
// and the resistance then drops at once from k x yk = 19312.05 to pm + m (yk - ym) = 18594.46.
TEST_F(CementedSiltTest, NegativeExponentMakesTheCurveFallBeyondTheInitialLine) {
    const struct {
        int node;
        bool cyclic;
        double y, p;
    } cases[] = {
        {2, true, 0.10231619567712684, 511.58098},
        {2, true, 1.0 / 6.0, 444.18892},
        {2, true, 0.375, 283.44713},
        {5, false, 0.2414006133426208 * (1.0 - 1E-9), 19312.04905},
        {5, false, 0.2414006133426208 * (1.0 + 1E-9), 18594.4633},
    };
    for (const auto& c : cases) {
        const Hand h = hand(c.node == 2 ? 5.0 : 80.0, c.node == 2 ? 5.0 : 80.0, c.cyclic);
        EXPECT_LT(h.n, 0.0);
        EXPECT_NEAR(h.p(c.y), c.p, 1E-3);
        run->model.options.cyclic = c.cyclic;
        run->nodes.y(c.node) = c.y;
        pyCementedSilt(*run, 1);
        ASSERT_FALSE(run->failed());
        EXPECT_NEAR(Es(c.node) * c.y, c.p, 1E-3) << c.node << " " << c.y;
    }
}

// ---------------------------------------------------------------- sloping ground

// tan(theta) = 1/(2 sqrt3) (16.10 degrees): t = tan(theta) tan(beta) = 1/2, so the wedge factor
// F is 1.5 (u = 1/3, G = 4/27 - 1/3 + 1 = 22/27) or 0.5 (u = 1, G = 2). cos^2(theta) = 12/13,
// D = 12/13 - 3/4 = 9/52: Ka = cos(theta) (cos(theta) - 3/sqrt52) / (cos(theta) + 3/sqrt52) = 0.380139.
// At x = 5: Pst = x [3 (b + x (2 sqrt3 - 3)/F)/F - Ka b + K0 x (sqrt3/2/cos15 + 3 - 1.5 sqrt3) G]
// = 107.044 (F = 1.5), 446.194 (F = 0.5), 175.540 (F = 1, u = 1/2, G = 3/4).
// Cohesive: Np = 5.75 times 1/(1 + tan(theta)) = 0.775999 (same side) or
// 0.7071067690849304 cos(theta) / cos(theta + 45 degrees) = 1.405827 (opposite side).
TEST_F(CementedSiltTest, SlopingGroundScalesBothResistancesByTheSideOfLoading) {
    const double tanTheta = 1.0 / (2.0 * kSqrt3);
    const double theta = std::atan(tanTheta);
    const double cosT = std::sqrt(12.0 / 13.0), sinT = tanTheta * cosT, rootD = 3.0 / std::sqrt(52.0);
    const double Ka = cosT * (cosT - rootD) / (cosT + rootD);
    const double x = 5.0, b = 10.0;
    const auto wedge = [&](double F, double G) {
        return x * (3.0 * (b + x * (2.0 * kSqrt3 - 3.0) / F) / F - Ka * b +
                    kK0 * x * (kSqrt3 / 2.0 / kCos15 + 3.0 - 1.5 * kSqrt3) * G);
    };
    const double up = wedge(1.5, 22.0 / 27.0), down = wedge(0.5, 2.0), level = wedge(1.0, 0.75);
    EXPECT_NEAR(Ka, 0.380139, 1E-6);
    EXPECT_NEAR(up, 107.044, 1E-3);
    EXPECT_NEAR(down, 446.194, 1E-3);
    EXPECT_NEAR(level, 175.540, 1E-3);
    const double same = 1.0 / (1.0 + tanTheta);
    const double opposite = 0.7071067690849304 * cosT / ((cosT - sinT) * std::sqrt(0.5));
    EXPECT_NEAR(opposite, 1.405827, 1E-6);
    const struct {
        double theta, yd, ps, Fs;
    } cases[] = {
        {theta, 1.0, up, same},
        {theta, -1.0, down, opposite},
        {theta, 0.0, down, opposite},   // a deflection of 0 counts as negative
        {theta, 1E-14, level, same},    // exactly 1E-14 leaves the wedge factor at 1
        {-theta, 1.0, down, opposite},
        {-theta, -1.0, up, same},
        {-theta, 0.0, up, same},
    };
    for (const auto& c : cases) {
        SetUp();
        run->model.slope.effectiveSlope = c.theta;
        printAt(x, 1, c.yd);
        ASSERT_FALSE(run->failed());
        EXPECT_NEAR(labelValue(report(), "Pu,phi"), c.ps, 6E-4) << c.theta << " " << c.yd;
        EXPECT_NEAR(labelValue(report(), "Pu,c"), 5.75 * c.Fs * 20.0, 6E-4) << c.theta << " " << c.yd;
    }
    // A slope as steep as the friction angle leaves no wedge on the down-slope side (F = 1 - t
    // = 0): the flow resistance 28.745 * 10 * 5 = 1437.26 governs.
    SetUp();
    run->model.slope.effectiveSlope = 30.0 * kPi / 180.0;
    printAt(x, 1, -1.0);
    ASSERT_FALSE(run->failed());
    EXPECT_NEAR(labelValue(report(), "Pu,phi"), kC3 * b * x, 6E-4);
}

// ---------------------------------------------------------------- defaults

TEST_F(CementedSiltTest, DefaultEps50FollowsTheStrengthBandsAndKeepsItsValueBetweenTheSiBands) {
    const struct {
        int IUNITS;
        double c, eps50Input, printed;
    } cases[] = {
        {kUSCS, 3.47, 0.0, 0.02},
        {kUSCS, 3.472222328186035, 0.0, 0.01},
        {kUSCS, 6.944444, 0.0, 0.01},
        {kUSCS, 6.94444465637207, 0.0, 0.005},
        {kUSCS, 10.0, 0.0, 0.005},
        {kUSCS, 27.7777, 0.0, 0.005},
        {kUSCS, 27.77777862548828, 0.0, 0.004},
        {kUSCS, 10.0, 0.0123, 0.0123},  // a given value is used
        {kSI, 23.94, 0.0, 0.02},
        {kSI, 23.94013023376465, 0.0, 0.01},
        {kSI, 47.8802, 0.0, 0.01},
        {kSI, 47.88021, 0.0, 0.0},      // between 47.88020706 and 47.88026047: no default
        {kSI, 47.8802604675293, 0.0, 0.005},
        {kSI, 95.76045, 0.0, 0.0},      // between 95.76041412 and 95.76052094
        {kSI, 95.7605209350586, 0.0, 0.005},
        {kSI, 191.5209, 0.0, 0.0},      // between 191.52082825 and 191.52104187
        {kSI, 191.5210418701172, 0.0, 0.004},
        {kGeneral, 2.0, 0.0, 0.0},      // no default in general units (eps50 is printed only)
    };
    for (const auto& c : cases) {
        SetUp();
        units(c.IUNITS);
        SoilLayer& s = silt(1, 0.0, 200.0, c.c, 1000.0);
        s.eps50 = {c.eps50Input, c.eps50Input};
        printAt(20.0);
        ASSERT_FALSE(run->failed()) << c.c;
        EXPECT_NEAR(labelValue(report(), "Epsilon50 (interp.)"), c.printed, 5E-6) << c.IUNITS << " " << c.c;
    }
}

TEST_F(CementedSiltTest, DefaultKIsTheCohesiveAndTheFrictionalPartTogether) {
    const struct {
        int IUNITS;
        bool cyclic;
        double c, phi, gamma, k;
    } cases[] = {
        {kUSCS, false, 5.0, 33.0, 0.06, 250.0 + 90.0},  // 340 pci
        {kUSCS, false, 6.9399, 30.0, 0.046, 250.0 + 25.0},
        {kUSCS, true, 6.940000057220459, 30.0, 0.04500000178813934, 200.0 + 20.0},  // gamma' at the limit
        {kUSCS, false, 13.880000114440918, 36.0, 0.046, 1000.0 + 90.0},
        {kUSCS, true, 27.780000686645508, 36.01, 0.04, 800.0 + 125.0},
        {kUSCS, false, 27.780000686645508, 30.01, 0.03, 2000.0 + 60.0},
        {kUSCS, false, 40.0, 40.0, 0.05, 2000.0 + 225.0},
        {kSI, false, 47.8927001953125, 30.0, 12.225000381469727, 135723.59375 + 5428.93994140625},
        {kSI, true, 47.89, 20.0, 10.0, 27144.7109375 + 5428.93994140625},
        {kSI, false, 95.785400390625, 33.0, 12.3, 271447.1875 + 24430.240234375},
        {kSI, true, 191.57080078125, 40.0, 13.0, 217157.703125 + 61075.6015625},
        {kSI, true, 100.0, 33.0, 12.0, 108578.8984375 + 16286.830078125},
        {kSI, false, 20.0, 37.0, 9.0, 67861.796875 + 33930.8984375},
    };
    for (const auto& c : cases) {
        SetUp();
        units(c.IUNITS);
        run->model.options.cyclic = c.cyclic;
        SoilLayer& s = silt(1, 0.0, 200.0, c.c, 0.0, c.phi);
        s.gamma = {c.gamma, c.gamma};
        s.kpy.bottom = 500.0;  // a bottom value without a top value is not used
        printAt(0.0);          // at the surface gamma' is the layer's value itself
        ASSERT_FALSE(run->failed());
        EXPECT_NEAR(labelValue(report(), "k (interp. from input)"), c.k, 6E-4) << c.IUNITS << " " << c.c << " " << c.phi;
        EXPECT_EQ(s.kpy.top, 0.0);  // the layer values are left as they are
        EXPECT_EQ(s.kpy.bottom, 500.0);
    }
    // The curves use it: k x at zero deflection (node 2, x = 5).
    SetUp();
    units(kUSCS);
    SoilLayer& s = silt(1, 0.0, 200.0, 5.0, 0.0, 33.0);
    s.gamma = {0.06, 0.06};
    deflect(0.0);
    pyCementedSilt(*run, 1);
    ASSERT_FALSE(run->failed());
    EXPECT_DOUBLE_EQ(Es(2), 340.0 * 5.0);
}

TEST_F(CementedSiltTest, InputKIsLinearInTheLayerAndAMissingBottomValueIsTheTopValue) {
    const struct {
        double bottom, stored, kAt80;
    } cases[] = {
        {300.0, 300.0, 100.0 + 200.0 * 80.0 / 200.0},
        {0.0, 100.0, 100.0},
        // A negative bottom value would make k, and the resistance, negative in the lower part
        // of the layer: it is taken as missing too.
        {-50.0, 100.0, 100.0},
    };
    for (const auto& c : cases) {
        SetUp();
        SoilLayer& s = silt(1, 0.0, 200.0, 2.0, 100.0);
        s.kpy.bottom = c.bottom;
        deflect(0.0);
        pyCementedSilt(*run, 1);
        ASSERT_FALSE(run->failed());
        EXPECT_DOUBLE_EQ(Es(5), c.kAt80 * 80.0) << c.bottom;
        EXPECT_EQ(s.kpy.bottom, c.stored);  // for the rest of the run
    }
}

// ---------------------------------------------------------------- errors

TEST_F(CementedSiltTest, InputAndRuntimeErrorsWithTheirThresholds) {
    const double phi30 = kPi * 30.0 / 180.0;
    const std::string e48 = "**** Input Data Error No. 48 ****\n\n"
                            "Problem: A negative or zero value of cohesion was input for \n"
                            "a soil defined as a silt.\n\n";
    const std::string e48Tail = "\n\nSolution:  Please revise and correct the input data.  \n"
                                "Both cohesion and friction angle should be non-zero for silt soils.\n";
    const std::string e10 = "**** Input Data Error No. 10 ****\n\n"
                            "Problem:  A negative or zero value was input for the friction angle for a silt.\n\n"
                            "Solution:  Please revise and correct the input data.  \n"
                            "Both cohesion and friction angle must be non-zero for the cemented silt soil.\n";
    const std::string e23 = "**** Runtime Error No. 23 ****\n\n"
                            "A runtime error occurred due to the ground slope angle being\n"
                            "greater than the friction angle for silt for layer 1.\n\n"
                            "Problem:  The angle of the ground slope can not be greater \n"
                            "than the internal friction angle of silt.\n\n"
                            "Solution:  Set the value for slope angle to be less than \n"
                            "the angle of friction or convert the layer into an equivalent\n"
                            "strength clay layer.\n\n";
    const std::string e11 = "**** Input Data Error No. 11 ****\n\n"
                            "An error was detected in the input data when computing a p-y.\n"
                            "curve using the criteria for silt for layer 1.\n\n"
                            "Problem:  The angle of the ground slope can not be greater \n"
                            "than the internal friction angle of cohesionless silt.\n\n"
                            "Solution:  Set the value for slope angle to be less than \n"
                            "the angle of friction.\n\n";
    const std::string e32 = "**** Input Data Error No. 32 ****\n\n"
                            "An error was detected in the input data used to compute p-y curves in \n"
                            "cemented silt.\n\n"
                            "Problem:  General units are used and the value of k is zero or negative.\n"
                            "Default values cannot be computed in general units.\n\n"
                            "Solution:  Enter a positive value for the layer or select US customary or SI units.\n\n"
                            "Layer no. = 1, Depth =      0.000\n";
    const struct {
        double cTop, cBottom, phi, theta, k;
        int error;
        std::string block;
    } cases[] = {
        // Cohesion: 0 is accepted at the layer top only; the first node below it fails.
        {0.0, 2.0, 30.0, 0.0, 1000.0, 0, ""},
        {0.0, 0.0, 30.0, 0.0, 1000.0, 148, e48 + "Layer = 1, Depth =    5.00000000, c =  0.000E+00" + e48Tail},
        {1E-10, 1E-10, 30.0, 0.0, 1000.0, 0, ""},
        {0.99E-10, 0.99E-10, 30.0, 0.0, 1000.0, 148, e48 + "Layer = 1, Depth =    5.00000000, c =  9.900E-11" + e48Tail},
        // A negative cohesion is refused at the top too.
        {-1.0, -1.0, 30.0, 0.0, 1000.0, 148, e48 + "Layer = 1, Depth =    0.00000000, c = -1.000E+00" + e48Tail},
        // Friction angle below 1E-10 radians (5.73E-9 degrees).
        {2.0, 2.0, 5.8E-9, 0.0, 1000.0, 0, ""},
        {2.0, 2.0, 5.7E-9, 0.0, 1000.0, 110, e10},
        {2.0, 2.0, 0.0, 0.0, 1000.0, 110, e10},
        // Slope steeper than the friction angle; as steep is accepted with cohesion.
        {2.0, 2.0, 30.0, phi30 * (1.0 + 1E-12), 1000.0, 223, e23},
        {2.0, 2.0, 30.0, -phi30 * (1.0 + 1E-12), 1000.0, 223, e23},
        {2.0, 2.0, 30.0, phi30, 1000.0, 0, ""},
        {2.0, 2.0, 30.0, -phi30, 1000.0, 0, ""},
        // As steep without cohesion (at the layer top).
        {0.0, 2.0, 30.0, phi30, 1000.0, 111, e11},
        {0.0, 2.0, 30.0, phi30 * (1.0 - 1E-4), 1000.0, 0, ""},
        // General units cannot give the default k.
        {2.0, 2.0, 30.0, 0.0, 0.0, 132, e32},
    };
    for (const auto& c : cases) {
        SetUp();
        SoilLayer& s = silt(1, 0.0, 200.0, c.cTop, c.k, c.phi);
        s.cohesion.bottom = c.cBottom;
        run->model.slope.effectiveSlope = c.theta;
        deflect(0.1);
        pyCementedSilt(*run, 1);
        EXPECT_EQ(run->errorNumber, c.error) << c.cTop << " " << c.phi << " " << c.theta;
        run->report.close();
        run->messages.close();
        if (c.error == 0) {
            EXPECT_EQ(report(), "");
            EXPECT_EQ(messages(), "");
            EXPECT_GT(Es(6), 0.0);
            continue;
        }
        const std::string kind = c.error > 200 ? "runtime error number RUN" : "input error number INP";
        const std::string code = "000" + std::to_string(c.error % 100);
        EXPECT_EQ(messages(), c.block);
        EXPECT_EQ(report(), c.block + "\n\nMervik ended prematurely due to " + kind + code + "\n");
    }
}

// ---------------------------------------------------------------- layer resistance

TEST_F(CementedSiltTest, LayerResistanceIntegratesPuToTheLayerBottom) {
    // pu = 60 (3 b c at the surface), 564.192, 905.971, 2101.063, 12824.053, 50771.424 (static);
    // trapezoids with h = 20 and pu(200) over the 10 below the last node.
    silt(1, 0.0, 210.0, 2.0, 1000.0);
    run->py.Fu[1] = 12345.0;  // rebuilt from the first node
    pyCementedSilt(*run, 1);
    ASSERT_FALSE(run->failed());
    const double pu[] = {60.0, hand(5, 5, false).pu, hand(8, 8, false).pu, hand(20, 20, false).pu,
                         hand(80, 80, false).pu, hand(200, 200, false).pu};
    double Fu = 10.0 * pu[5];
    for (int i = 1; i < 6; ++i) Fu += 10.0 * (pu[i - 1] + pu[i]);
    EXPECT_NEAR(Fu, 10.0 * (624.19 + 1470.16 + 3007.03 + 14925.12 + 63595.48) + 507714.24, 0.1);
    expectRelative(run->py.Fu[1], Fu, 1E-12);

    // Ground surface 20 above the pile head: Fu(1) = (3 c b + pu) / 2 over the layer thickness,
    // pu of the last node (xg = xc = 220: 0.88 * 28.745 * 10 * 220 + 180 = 55830.57).
    run->model.soil.groundSurface = -20.0;
    silt(1, -20.0, 200.0, 2.0, 1000.0);
    newLoadCase();
    pyCementedSilt(*run, 1);
    ASSERT_FALSE(run->failed());
    const double last = 0.88f * kC3 * 10.0 * 220.0 + 180.0;
    EXPECT_NEAR(last, 55830.57, 0.01);
    expectRelative(run->py.Fu[1], (60.0 + last) * 0.5 * 220.0, 1E-12);
}

// ---------------------------------------------------------------- layering

// The silt's own resistance from the ground surface as the layering correction integrates it
// (cohesion c, hand profile otherwise): 3 b c + (gamma' b + c/2) x + A(x/b) gamma' (C1 x^2 + C2 b x),
// and its integral from 0 to X by Simpson's rule on 20000 intervals.
double siltIntegrand(double x, double c) {
    const double b = 10.0;
    return 3.0 * b * c + (b + 0.5 * c) * x + factor(kAStatic, x / b) * (kC1 * x * x + kC2 * b * x);
}
double siltIntegral(double X, double c) {
    const int n = 20000;
    const double h = X / n;
    double s = siltIntegrand(0.0, c) + siltIntegrand(X, c);
    for (int i = 1; i < n; ++i) s += (i % 2 == 1 ? 4.0 : 2.0) * siltIntegrand(i * h, c);
    return s * h / 3.0;
}
// The depth at which the integral reaches F (bisection).
double depthOfIntegral(double F, double c, double X) {
    double lo = 0.0, hi = X;
    for (int i = 0; i < 60; ++i) {
        const double mid = 0.5 * (lo + hi);
        (siltIntegral(mid, c) < F ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// Sand (0 to 50) over cemented silt (50 to 100, c = 20), nodes every 25. The sand computes its
// layer resistance F; the silt's layer top then lies at the depth xe where its own resistance,
// integrated from the ground surface, reaches F. The layering correction sums the resistance S
// in 500 right-hand steps h to X0 = (C3 - C2) b / C1 = 136.41 (h = 0.2728): with S growing with
// depth the sum runs ahead of the integral by (h/2) (S(x) - S(0)) to first order, so xe lies
// (h/2) (S(xe) - S(0)) / S(xe) above the exact depth (0.118 here). Beyond X0 the rest of F is
// carried by the deep resistance 0.88 xg C3 gamma' b + 9 b c, xg = 50 of the layer's first node.
TEST_F(CementedSiltTest, EquivalentDepthBelowSandIsWhereTheSiltsOwnResistanceReachesTheSands) {
    nodes({0.0, 25.0, 50.0, 75.0, 100.0}, 25.0, 100.0);
    SoilLayer& sand = placeLayer(1, kPySand, 0.0, 50.0);
    sand.gamma = {1.0, 1.0};
    sand.phi = {30.0, 30.0};
    sand.kpy = {1000.0, 1000.0};
    silt(2, 50.0, 100.0, 20.0, 1000.0);
    deflect(10.0);
    range(1, 1, 2);
    pySand(*run, 1);
    ASSERT_FALSE(run->failed());
    const double F = run->py.Fu[1];
    ASSERT_GT(F, 0.0);
    range(2, 3, 5);
    pyCementedSilt(*run, 2);
    ASSERT_FALSE(run->failed());

    const double X0 = (kC3 - kC2) * 10.0 / kC1, h = X0 / 500.0;
    EXPECT_NEAR(X0, 136.41, 0.01);
    const double S0 = siltIntegrand(0.0, 20.0);
    const auto stepsAhead = [&](double F) {
        const double exact = depthOfIntegral(F, 20.0, X0);
        const double S = siltIntegrand(exact, 20.0);
        return exact - 0.5 * h * (S - S0) / S;
    };
    const double xe = run->layers.xe[2];
    EXPECT_NEAR(xe, stepsAhead(F), 0.01 * h);
    EXPECT_LT(xe, depthOfIntegral(F, 20.0, X0));
    // The silt's curves start there: its first node (at the interface the strength is the
    // silt's own, 20, sand lying above) has xc = xe and xg = 50, the next one xc = xe + 25.
    const double deflection = 10.0;
    expectRelative(Es(3), hand(xe, 50.0, false, 10.0, 20.0).pu / deflection, 1E-12);
    expectRelative(Es(4), hand(xe + 25.0, 75.0, false, 10.0, 20.0).pu / deflection, 1E-12);

    // Every solve pass computes the depth anew from the resistance above, also beyond X0.
    const double deepRate = 0.88f * 50.0 * kC3 * 10.0 + 9.0 * 10.0 * 20.0;
    const double ahead = 0.5 * h * (siltIntegrand(X0, 20.0) - S0);
    const struct {
        double F, xe;
    } passes[] = {
        {0.5 * F, stepsAhead(0.5 * F)},
        {siltIntegral(X0, 20.0) + 1E6, X0 + (1E6 - ahead) / deepRate},
    };
    for (const auto& p : passes) {
        run->py.Fu[1] = p.F;
        pyCementedSilt(*run, 2);
        ASSERT_FALSE(run->failed());
        EXPECT_NEAR(run->layers.xe[2], p.xe, 0.01 * h) << p.F;
        // Beyond X0 the flow around the pile governs, at the true depth xg = 50 of the node.
        expectRelative(Es(3), hand(run->layers.xe[2], 50.0, false, 10.0, 20.0).pu / deflection, 1E-12);
    }
    // The printed curve of the report pass uses the depth of the last solve pass.
    const double lastXe = run->layers.xe[2];
    printAt(75.0, 2);
    ASSERT_FALSE(run->failed());
    EXPECT_NEAR(labelValue(report(), "Equivalent Depth, x"), lastXe + 25.0, 6E-4);

    // Below a rock-like layer the true depth is used and xe is left alone.
    run->py.reportPass = false;
    range(2, 3, 5);
    run->py.rockCount = 1;
    run->layers.xe[2] = -10000.0;
    pyCementedSilt(*run, 2);
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(run->layers.xe[2], -10000.0);
    expectRelative(Es(4), hand(75.0, 75.0, false, 10.0, 20.0).pu / deflection, 1E-12);
}

// The strength at a node on an interface: a cemented silt layer counts as cohesive when its own
// strength there is above 0, as cohesionless otherwise.
TEST_F(CementedSiltTest, StrengthAtAnInterfaceClassesTheSiltByItsStrengthThere) {
    const struct {
        int upperCode;
        double upperBottomC;
        int lowerCode;
        double lowerTopC;
        int siltLayer;
        double c;   // expected strength at the interface
        int error;  // expected error number, or 0
    } cases[] = {
        {kPyCementedSilt, 4.0, kPySoftClay, 6.0, 1, 5.0, 0},    // cohesive over cohesive: the mean
        {kPyCementedSilt, 0.0, kPySoftClay, 6.0, 1, 6.0, 0},    // cohesionless over cohesive: the lower
        {kPySoftClay, 6.0, kPyCementedSilt, 2.0, 2, 4.0, 0},
        {kPySoftClay, 6.0, kPyCementedSilt, 0.0, 2, 6.0, 0},    // cohesive over cohesionless: the upper
        {kPySand, 0.0, kPyCementedSilt, 2.0, 2, 2.0, 0},        // the silt's own
        {kPyCementedSilt, 4.0, kPySand, 0.0, 1, 4.0, 0},
        {kPyWeakRock, 100.0, kPyCementedSilt, 2.0, 2, (2.0 * 2.0 + 100.0) * 0.5, 0},  // rock over cohesive
        // Two cohesionless layers meeting have no rule: runtime error 30.
        {kPySand, 0.0, kPyCementedSilt, 0.0, 2, 0.0, 230},
    };
    for (const auto& c : cases) {
        SetUp();
        SoilLayer& upper = c.upperCode == kPyCementedSilt ? silt(1, 0.0, 50.0, 2.0, 1000.0)
                                                          : placeLayer(1, c.upperCode, 0.0, 50.0);
        upper.cohesion = {2.0, c.upperBottomC};
        upper.gamma = {1.0, 1.0};
        upper.phi = {30.0, 30.0};
        SoilLayer& lower = c.lowerCode == kPyCementedSilt ? silt(2, 50.0, 200.0, 2.0, 1000.0)
                                                          : placeLayer(2, c.lowerCode, 50.0, 200.0);
        lower.cohesion = {c.lowerTopC, 2.0};
        lower.gamma = {1.0, 1.0};
        lower.phi = {30.0, 30.0};
        run->layers.xe[2] = 0.0;
        printAt(50.0, c.siltLayer);
        EXPECT_EQ(run->errorNumber, c.error) << c.upperCode << " " << c.lowerCode;
        if (c.error == 0) {
            EXPECT_NEAR(labelValue(report(), "Cohesion, c"), c.c, 5E-4) << c.upperCode << " " << c.lowerCode;
        }
    }
}

// ---------------------------------------------------------------- printed curves

// USCS, static: b = 12 in, c = 5 psi (720 psf), phi = 30, gamma' = 0.06 pci (103.68 pcf), eps50
// and k not given; output depth 60 in (5 ft). Defaults: eps50 = 0.01 (c between 3.47 and 6.94
// psi), k = 250 + 25 = 275 pci. x/b = 5: A = 0.88, B = 0.5. Pst = 0.06 * 60 (1.91170 * 60 + 32)
// = 528.128 (< Psd = 28.745 * 12 * 0.06 * 60 = 1241.79); Np = 3 + 0.72 + 2.5 = 6.22, pc = 373.2;
// pu = 0.88 * 528.128 + 373.2 = 837.953, pm = 1.5 * 901.328 = 1351.992; ym = 0.2, yu = 0.45,
// m = (837.953 - 1351.992) / 0.25 = -2056.158, n = 1351.992 / (-2056.158 * 0.2) = -3.28767,
// C = 1351.992 * 0.2^(1/3.28767) = 828.649, k x = 16500, yk = (828.649/16500)^(0.76677) =
// 0.10090. Points 2 to 7 lie on k x y (275, 550, ..., 1650 at y = 0.1), point 8 (0.11667) on
// the falling parabola 828.649 * 0.11667^(-0.30417) = 1592.85, point 13 at ym is pm, points 14
// to 17 at yu and beyond are pu.
TEST_F(CementedSiltTest, PrintedStaticCurveInUsUnits) {
    units(kUSCS);
    width(12.0);
    SoilLayer& s = silt(1, 0.0, 240.0, 5.0, 0.0);
    s.gamma = {0.06, 0.06};
    s.eps50 = {0.0, 0.0};
    printAt(60.0);
    ASSERT_FALSE(run->failed());
    const UnitLabels& u = run->units;
    const std::string lineLoad = u.ForceUnit + "/" + u.DeflectionUnit;
    const std::string head =
        "\n\np-y Curve Computed Using the Static Criteria for Cemented Silt\n\n" +
        row("Soil Layer Number", "           1") + row("Depth below pile head", "       5.000 " + u.DepthUnit) +
        row("Depth below ground surface", "       5.000 " + u.DepthUnit) +
        row("Equivalent Depth, x", "       5.000 " + u.DepthUnit) +
        row("Pile Diameter, B", "      12.000 " + u.DeflectionUnit) + row("Cohesion, c", "       5.000 " + u.StressUnit) +
        row("Cohesion, c", "     720.000 " + u.SoilStressUnit) + row("Angle of Friction, phi", "      30.000 deg.") +
        row("Avg. Eff. Unit Weight", "     0.06000 " + u.UnitWeightComputeUnit) +
        row("Avg. Eff. Unit Weight", "   103.68000 " + u.UnitWeightUnit) +
        row("k (interp. from input)", "     275.000 " + u.SubgradeUnit) + row("Epsilon50 (interp.)", "     0.01000") +
        row("x/B ratio", "       5.000") + row("A parameter = fn(x/B)", "     0.88000") +
        row("B parameter = fn(x/B)", "     0.50000") + row("m", " -2056.15791") + row("n", "    -3.28767") +
        row("Cbar", "   828.64884") + row("yk", "     0.10090 " + u.DeflectionUnit) +
        row("Pu", "     373.200 " + lineLoad) + row("Pc", "     528.128 " + lineLoad) +
        row("ym = b/60", "     0.20000 " + u.DeflectionUnit) + row("pm", "    1351.992 " + lineLoad) +
        row("yu = 3b/80", "     0.45000 " + u.DeflectionUnit) + row("Pu,c", "     373.200 " + lineLoad) +
        row("Pu,phi", "     528.128 " + lineLoad) + row("p-multiplier", "     1.00000") +
        row("y-multiplier", "     1.00000") + "\n\n" + "        y, " + u.DeflectionUnit + "             p, " + lineLoad +
        "\n----------------    -----------------\n";
    EXPECT_EQ(report().substr(0, head.size()), head);

    const Hand h = hand(60.0, 60.0, false, 12.0, 5.0, 0.06, 275.0);
    EXPECT_NEAR(h.yk, 0.10090, 1E-5);
    std::vector<testing::CurvePoint> expected;
    for (int j = 1; j <= 17; ++j) expected.push_back({printedY(h, j), h.p(printedY(h, j))});
    EXPECT_NEAR(expected[6].p, 1650.0, 1E-9);
    EXPECT_NEAR(expected[7].p, 1592.849, 1E-3);
    EXPECT_NEAR(expected[12].p, 1351.992, 1E-3);
    EXPECT_NEAR(expected[13].p, 837.953, 1E-3);
    EXPECT_NEAR(expected[16].y, 1.15 * 0.45, 1E-8);
    expectPoints(report(), plot(), expected);
    EXPECT_EQ(plot().rfind("  6.0000000E+01   17" + std::string(60, ' ') +
                               "Line 7:  p-y curve depth in cemented silt (in), no. p-y points on curve no. 1\n",
                           0),
              0u);
    EXPECT_NE(plot().find(std::string(50, ' ') + "Line 8(17): y, p, for cemented c-phi\n"), std::string::npos);
    EXPECT_EQ(Es(1), 0.0);  // the report pass sets no modulus
}

// Generic units, the hand profile, point by point: the normal static curve near the surface,
// the falling cyclic one, a static curve whose initial line reaches beyond ym (x = 80), the flow
// failure at depth (x = 200) and the multipliers.
TEST_F(CementedSiltTest, PrintedCurvesPointByPointAcrossTheBranches) {
    const struct {
        double depth;
        bool cyclic;
        double pm, ym;
    } cases[] = {
        {5.0, false, 1.0, 1.0}, {5.0, true, 1.0, 1.0}, {80.0, false, 1.0, 1.0}, {200.0, true, 1.0, 1.0},
        {8.0, false, 0.8, 1.5},
    };
    for (const auto& c : cases) {
        SetUp();
        run->model.options.cyclic = c.cyclic;
        if (c.pm != 1.0) multipliers(c.pm, c.ym);
        printAt(c.depth);
        ASSERT_FALSE(run->failed());
        SCOPED_TRACE(c.depth);
        const Hand h = hand(c.depth, c.depth, c.cyclic);
        std::vector<testing::CurvePoint> expected;
        for (int j = 1; j <= 17; ++j) expected.push_back({c.ym * printedY(h, j), c.pm * h.p(printedY(h, j))});
        expectPoints(report(), plot(), expected);
        EXPECT_EQ(report().rfind(std::string("\n\np-y Curve Computed Using the ") + (c.cyclic ? "Cyclic" : "Static") +
                                     " Criteria for Cemented Silt\n\n",
                                 0),
                  0u);
        EXPECT_NEAR(labelValue(report(), "A parameter = fn(x/B)"), h.A, 6E-6);
        EXPECT_NEAR(labelValue(report(), "B parameter = fn(x/B)"), h.B, 6E-6);
        EXPECT_NEAR(labelValue(report(), "Pu,c"), h.pc, 6E-4);
        EXPECT_NEAR(labelValue(report(), "Pu,phi"), h.ps, 6E-4);
        EXPECT_NEAR(labelValue(report(), "pm"), h.pm, 6E-4);
        EXPECT_NEAR(labelValue(report(), "n"), h.n, 6E-6);
        EXPECT_NE(plot().find("Line 7:  p-y curve depth in cemented silt (m), no. p-y points on curve no. 1\n"),
                  std::string::npos);
    }
}

// At the ground surface the curve is 0 (k x = 0) while the cohesive resistance is 3 b c; above
// the ground surface (curve depth -5, x/b = -0.5) A and B continue the first segment of their
// tables, m = n = 0 and yk = 2 b: the curve is the line k x y.
TEST_F(CementedSiltTest, CurveAtAndAboveTheGroundSurface) {
    printAt(0.0);
    ASSERT_FALSE(run->failed());
    EXPECT_NEAR(labelValue(report(), "Pu,c"), 60.0, 1E-9);
    EXPECT_NEAR(labelValue(report(), "Pu,phi"), 0.0, 1E-9);
    for (const auto& p : printedPoints(report())) EXPECT_EQ(p.p, 0.0);

    // Without cohesion at the surface both resistances vanish there, pm = pu = 0, m = 0 and the
    // exponent n = pm / (m ym) would be 0/0: the parabola is taken as its flat limit pm, so the
    // curve is 0 and the modulus a number.
    SetUp();
    SoilLayer& s = silt(1, 0.0, 200.0, 0.0, 1000.0);
    s.cohesion.bottom = 2.0;
    deflect(0.1);
    pyCementedSilt(*run, 1);
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(Es(1), 0.0);
    printAt(0.0);
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(labelValue(report(), "m"), 0.0);
    EXPECT_EQ(labelValue(report(), "n"), 0.0);
    EXPECT_EQ(labelValue(report(), "Pu,c"), 0.0);
    for (const auto& p : printedPoints(report())) EXPECT_EQ(p.p, 0.0);

    SetUp();
    run->model.soil.groundSurface = 20.0;
    silt(1, 20.0, 220.0, 2.0, 1000.0);
    printAt(15.0);
    ASSERT_FALSE(run->failed());
    // A = 2.83 - 0.5 (2.48 - 2.83) / 0.5 = 3.18, B = 2.14 + 0.31 = 2.45 (single precision).
    EXPECT_NEAR(labelValue(report(), "A parameter = fn(x/B)"), double(2.83f) + (double(2.83f) - double(2.48f)), 6E-6);
    EXPECT_NEAR(labelValue(report(), "B parameter = fn(x/B)"), double(2.14f) + (double(2.14f) - double(1.83f)), 6E-6);
    EXPECT_EQ(labelValue(report(), "m"), 0.0);
    EXPECT_EQ(labelValue(report(), "n"), 0.0);
    EXPECT_NEAR(labelValue(report(), "yk"), 20.0, 1E-9);
    const auto points = printedPoints(report());
    ASSERT_EQ(points.size(), 17u);
    EXPECT_NEAR(points[16].p, -5000.0 * points[16].y, 1E-3);
}

// ---------------------------------------------------------------- a whole run

// A 24 in steel pipe, 50 ft, in sand (0 to 8 ft) over cemented silt with default eps50 and k,
// under a 15 kip head shear. The converged soil reaction balances the head shear, the silt
// starts at an equivalent depth and its printed curve is the static one.
TEST(CementedSiltRun, SteelPipeInSandOverCementedSiltRunsToEquilibrium) {
    testing::TempDir dir;
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("input.lp6", testing::fixture("pipe_pile_sand_over_cemented_silt.lp6"));
    auto run = std::make_unique<mervik::Run>();
    ASSERT_EQ(testing::runInDir(dir, *run), 0) << dir.read("messages.msg");
    EXPECT_NEAR(testing::soilReaction(run->nodes), 15000.0, 0.01 * 15000.0);
    EXPECT_GT(run->layers.xe[2], 0.0);
    const std::string report = dir.read("report.out");
    EXPECT_NE(report.find("p-y Curve Computed Using the Static Criteria for Cemented Silt\n"), std::string::npos);
    // At 20 ft c = 300 + (500 - 300) 12/52 = 346.15 psf (2.404 psi), phi = 32 degrees, gamma' =
    // (110 * 8 + 60 * 12) / 20 = 80 pcf (0.0463 pci): k = 250 + 90 = 340 pci.
    EXPECT_NE(report.find(row("k (interp. from input)", "     340.000 " + run->units.SubgradeUnit)), std::string::npos);
    EXPECT_NE(dir.read("messages.msg").find("The analysis ended normally."), std::string::npos);
}

}  // namespace
}  // namespace mervik
