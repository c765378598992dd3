// Sand p-y curves after Reese et al.: ultimate resistance with depth, the four branches of the
// curve, the default subgrade modulus, sloping ground, the layering correction, the messages and
// errors, and the printed curve of the report pass.
//
// The fixture is a 20 in pile in one sand layer 0 to 600 in (US units, computation inches):
// phi = 30 deg, gamma' = 0.04 pci, k = 100 pci, nodes every 30 in. For phi = 30 deg the wedge
// resistance reduces by hand (alpha = 15, beta = 60 deg, tan(beta) / tan(beta - phi) = Kp = 3,
// Ka = 1/3, tan(phi) sin(beta) = 1/2) to
//     Pst = gamma' x (a2 x + (Kp - Ka) b),
//     a2  = 0.4 (1/2) / (tan 30 cos 15) + 3 sqrt(3) tan 15 + 0.4 sqrt(3) (1/2 - tan 15),
// and the flow resistance to Psd = (0.4 tan 30 * 9 + (81 - 1) / 3) b gamma' x.
// The two cross at x = (cd b - (8/3) b) / a2 = 272.83 in.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "engine/errors.hpp"
#include "support/py_model_test.hpp"

namespace mervik {
namespace {

using testing::PyModelTest;

constexpr double kPi = 3.141592653589793;
constexpr double kB = 20.0;
constexpr double kGamma = 0.04;
constexpr double kK = 100.0;
constexpr double kH = 30.0;
constexpr int kNodes = 21;

// Hand reduction for phi = 30 deg (see the head of the file).
double wedgeHand(double x) {
    const double t15 = std::tan(15.0 * kPi / 180.0);
    const double a2 = 0.4 * 0.5 / (std::tan(kPi / 6.0) * std::cos(15.0 * kPi / 180.0)) + 3.0 * std::sqrt(3.0) * t15 +
                      0.4 * std::sqrt(3.0) * (0.5 - t15);
    return kGamma * x * (a2 * x + (3.0 - 1.0 / 3.0) * kB);
}
double flowHand(double x) { return (0.4 * std::tan(kPi / 6.0) * 9.0 + 80.0 / 3.0) * kB * kGamma * x; }

// A and B read by hand from the coefficient tables.
struct Factors {
    double A, B;
};

// The curve of the Reese criteria built from pu, pm, kx and b.
struct HandCurve {
    double pu, pm, kx, ym, yu, m, n, C, yk;
    HandCurve(double puIn, double pmIn, double kxIn) : pu(puIn), pm(pmIn), kx(kxIn) {
        ym = kB / 60.0;
        yu = 3.0 * kB / 80.0;
        m = (pu - pm) / (yu - ym);
        n = pm / (m * ym);
        C = pm / std::pow(ym, 1.0 / n);
        yk = std::pow(C / kx, n / (n - 1.0));
    }
    double p(double y) const {
        double p = 0.0;
        if (y <= yk && y < ym) {
            p = kx * y;
        } else if (y <= ym) {
            p = C * std::pow(y, 1.0 / n);
        } else if (y <= yu) {
            p = pm + (y - ym) * m;
        } else {
            p = pu;
        }
        return std::min(p, kx * y);
    }
};

class SandTest : public PyModelTest {
protected:
    void SetUp() override {
        PyModelTest::SetUp();
        handProfile(kUSCS, kB, kNodes, kH);
        run->model.options.pileIncrements = kNodes - 1;
        layer(1, 0.0, 600.0, 30.0);
    }
    SoilLayer& layer(int L, double top, double bottom, double phi) {
        SoilLayer& s = placeLayer(L, kPySand, top, bottom);
        s.gamma = {kGamma, kGamma};
        s.phi = {phi, phi};
        s.kpy = {kK, kK};
        return s;
    }
    // Solve pass of layer 1 at a uniform deflection; the resistance p = Es y at node k.
    double pAt(int k, double y) {
        deflect(y);
        pySand(*run, 1);
        return run->nodes.Es[at(k)] * y;
    }
    // Report pass at one output depth of layer 1.
    std::string printAt(double depth) {
        run->py.reportPass = true;
        run->nodes.x[1] = depth;
        range(1, 1, 1);
        pySand(*run, 1);
        run->report.close();
        return run->report.memory();
    }
    static double ratio(double a, double b) { return a / b - 1.0; }
};

// ---------------------------------------------------------------- ultimate resistance

TEST_F(SandTest, UltimateResistanceIsWedgeAboveTheCrossingAndFlowBelow) {
    // Beyond yu = 0.75 in the curve is flat at pu = A min(Pst, Psd).
    struct Case {
        int node;
        bool cyclic;
        double A;
    };
    const Case cases[] = {
        {2, false, 1.76}, {2, true, 1.11},   // x/b = 1.5
        {3, false, 1.06}, {3, true, 0.94},   // x/b = 3
        {4, false, 0.89}, {4, true, 0.89},   // x/b = 4.5, halfway between 0.9 and 0.88
        {10, false, 0.88}, {10, true, 0.88}, // 270 in: just above the crossing, wedge
        {11, false, 0.88},                   // 300 in: flow
        {21, true, 0.88},                    // tip, flow
    };
    for (const Case& c : cases) {
        start();
        SetUp();
        run->model.options.cyclic = c.cyclic;
        const double x = kH * (c.node - 1);
        const double expected = c.A * std::min(wedgeHand(x), flowHand(x));
        EXPECT_NEAR(ratio(pAt(c.node, 10.0), expected), 0.0, 1E-12) << "node " << c.node << " cyclic " << c.cyclic;
        EXPECT_EQ(run->errorNumber, 0);
    }
    // Hand values at 30 in (static) and 300 in: 1.76 * 132.8214 and 0.88 * 6898.831 lb/in.
    start();
    SetUp();
    EXPECT_NEAR(pAt(2, 10.0), 233.7656, 1E-4);
    EXPECT_NEAR(pAt(11, 10.0), 6070.9710, 1E-4);
}

TEST_F(SandTest, PrintedResistanceNamesTheControllingMechanismAroundTheCrossingDepth) {
    EXPECT_NE(printAt(270.0).find("Ps = Pst (shallow controls)                            =     6150.530"),
              std::string::npos);
    start();
    SetUp();
    EXPECT_NE(printAt(300.0).find("Ps = Psd (deep controls)                               =     6898.831"),
              std::string::npos);
}

// ---------------------------------------------------------------- the curve

TEST_F(SandTest, CurveFollowsLineParabolaLineAndConstant) {
    struct Case {
        int node;
        bool cyclic;
        Factors f;
        double k;
    };
    const Case cases[] = {
        {2, false, {1.76, 1.27}, kK},  // x/b = 1.5
        {4, false, {0.89, 0.515}, kK}, // x/b = 4.5
        {2, true, {1.11, 0.86}, kK},
        {11, true, {0.88, 0.55}, kK},  // flow controls
        {2, false, {1.76, 1.27}, 1.0}, // soft initial line: k x caps the whole curve
    };
    for (const Case& c : cases) {
        const double x = kH * (c.node - 1);
        const double ps = std::min(wedgeHand(x), flowHand(x));
        const HandCurve h(c.f.A * ps, c.f.B * ps, c.k * x);
        const double deflections[] = {h.yk / 2.0, h.yk, (h.yk + h.ym) / 2.0, h.ym, (h.ym + h.yu) / 2.0, h.yu, 3.0 * h.yu};
        for (double y : deflections) {
            start();
            SetUp();
            run->model.options.cyclic = c.cyclic;
            run->model.soil.layer[1].kpy = {c.k, c.k};
            EXPECT_NEAR(ratio(pAt(c.node, y), h.p(y)), 0.0, 1E-12) << "node " << c.node << " y " << y;
        }
        // At zero deflection the modulus is the initial slope k x.
        start();
        SetUp();
        run->model.soil.layer[1].kpy = {c.k, c.k};
        deflect(0.0);
        pySand(*run, 1);
        EXPECT_DOUBLE_EQ(run->nodes.Es[at(c.node)], c.k * x);
    }
}

TEST_F(SandTest, MultipliersScaleResistanceAndDeflection) {
    PyModifierTable& t = run->model.pyModifiers;
    t.count = 2;
    t.depth[1] = 0.0;
    t.depth[2] = 1000.0;
    t.pMultiplier[1] = t.pMultiplier[2] = 0.5;
    t.yMultiplier[1] = t.yMultiplier[2] = 2.0;
    const double x = 90.0;
    const double ps = wedgeHand(x);
    const HandCurve h(0.89 * ps, 0.515 * ps, kK * x);
    // Es = pm p(y / ym) / y.
    EXPECT_NEAR(ratio(pAt(4, 0.4), 0.5 * h.p(0.2)), 0.0, 1E-12);
}

TEST_F(SandTest, SubgradeModulusIsInterpolatedOverTheLayer) {
    run->model.soil.layer[1].kpy = {50.0, 150.0};
    deflect(0.0);
    pySand(*run, 1);
    // At 90 in: k = 50 + 100 * 90 / 600 = 65 pci.
    EXPECT_DOUBLE_EQ(run->nodes.Es[4], 65.0 * 90.0);
}

TEST_F(SandTest, MissingSubgradeModulusUsesTheDefaultAndIsClearedForTheRun) {
    run->model.soil.layer[1].kpy = {0.0, 100.0};
    deflect(0.0);
    pySand(*run, 1);
    // US units, phi = 30 <= 40: k = 1.2098290369522147E-7 * 30^5.694468021392822
    // = 1.2098E-7 * 2.5788E8 = 31.20 pci.
    const double k = 1.2098290369522147E-7 * std::pow(30.0, 5.694468021392822);
    EXPECT_NEAR(k, 31.20, 0.01);
    EXPECT_DOUBLE_EQ(run->nodes.Es[4], k * 90.0);
    EXPECT_EQ(run->model.soil.layer[1].kpy.top, 0.0);
    EXPECT_EQ(run->model.soil.layer[1].kpy.bottom, 0.0);
    EXPECT_NE(printAt(90.0).find("The above p-y curve was computed using internal default values of k.\n\n"),
              std::string::npos);
}

TEST_F(SandTest, DefaultModulusInGeneralUnitsIsRuntimeError13) {
    run->model.options.IUNITS = kGeneral;
    run->units = makeUnitLabels(kGeneral);
    run->model.soil.layer[1].kpy = {0.0, 0.0};
    pySand(*run, 1);
    EXPECT_EQ(run->errorNumber, runtimeError(13));
}

// ---------------------------------------------------------------- sloping ground

TEST_F(SandTest, SlopingGroundChangesTheWedgeBySideOfLoading) {
    const double theta = 10.0 * kPi / 180.0;
    run->model.slope.groundSlope = theta;
    run->model.slope.effectiveSlope = theta;
    const double x = 90.0;
    const double phi = kPi / 6.0, a = phi / 2.0, be = kPi / 4.0 + phi / 2.0;
    const double c = std::cos(theta), D = c * c - std::cos(phi) * std::cos(phi);
    const double Ka = c * (c - std::sqrt(D)) / (c + std::sqrt(D));
    const auto wedge = [&](double F) {
        const double u = std::tan(theta) * std::tan(be) / F;
        const double G = 4 * u * u * u - 3 * u * u + 1;
        return kGamma * x *
               (0.4 * x * std::tan(phi) * std::sin(be) * G / (std::tan(be - phi) * std::cos(a)) +
                std::tan(be) / std::tan(be - phi) * (kB + x * std::tan(be) * std::tan(a) / F) / F +
                0.4 * x * std::tan(be) * (std::tan(phi) * std::sin(be) - std::tan(a)) * G - Ka * kB);
    };
    const double t = std::tan(theta) * std::tan(be);
    // Positive deflection with a positive slope: F = 1 + t; negative deflection: F = 1 - t.
    EXPECT_NEAR(ratio(pAt(4, 10.0), 0.89 * std::min(wedge(1.0 + t), flowHand(x))), 0.0, 1E-12);
    EXPECT_NEAR(ratio(-pAt(4, -10.0), 0.89 * std::min(wedge(1.0 - t), flowHand(x))), 0.0, 1E-12);
    // A deflection of exactly zero loads the same side as a negative one.
    const double FuNegative = run->py.Fu[1];
    pAt(4, 0.0);
    EXPECT_DOUBLE_EQ(run->py.Fu[1], FuNegative);
    pAt(4, 10.0);
    EXPECT_NE(run->py.Fu[1], FuNegative);
}

// ---------------------------------------------------------------- layering correction

// Layer 1 from 0 to 105 in (phi 30), layer 2 from 105 to 600 in (phi 38); no node lies on the
// interface, so the first node of layer 2 (120 in) takes phi = 38 deg.
class SandLayeringTest : public SandTest {
protected:
    void SetUp() override {
        SandTest::SetUp();
        layer(1, 0.0, 105.0, 30.0);
        layer(2, 105.0, 600.0, 38.0);
    }
    // The layer-2 wedge integrand A(x/b) gamma' x (c1 x + c2 b) for phi = 38 deg, static.
    static double q2(double x) {
        const double phi = 38.0 * kPi / 180.0, a = phi / 2.0, be = kPi / 4.0 + phi / 2.0;
        const double Kp = std::pow(std::tan(be), 2), Ka = std::pow(std::tan(kPi / 4.0 - phi / 2.0), 2);
        const double c1 =
            std::tan(be) * (std::tan(a) * Kp + 0.4 * (std::tan(phi) * std::sin(be) * (1.0 / std::cos(a) + 1.0) - std::tan(a)));
        const double r = x / kB;
        const double xs[] = {0, 0.5, 1, 1.5, 2, 2.5, 3, 4, 5, 6};
        const double As[] = {2.83, 2.48, 2.11, 1.76, 1.48, 1.23, 1.06, 0.9, 0.88, 0.88};
        double A = 0.88;
        for (int i = 1; i < 10; ++i) {
            if (r <= xs[i]) {
                A = As[i - 1] + (r - xs[i - 1]) * (As[i] - As[i - 1]) / (xs[i] - xs[i - 1]);
                break;
            }
        }
        return A * kGamma * x * (c1 * x + (Kp - Ka) * kB);
    }
    // Depth at which the integral of q2 from 0 reaches F, by fine Simpson steps.
    static double depthForResistance(double F) {
        double S = 0.0, x = 0.0;
        const double dx = 0.001;
        while (true) {
            const double next = S + dx / 6.0 * (q2(x) + 4.0 * q2(x + dx / 2.0) + q2(x + dx));
            if (next > F) return x + dx * (F - S) / (next - S);
            S = next;
            x += dx;
        }
    }
};

TEST_F(SandLayeringTest, LayerBelowStartsAtTheDepthCarryingTheResistanceAbove) {
    deflect(10.0);
    range(1, 1, 4);
    pySand(*run, 1);
    // Fu(1): trapezoids of pu over nodes 0, 30, 60, 90 in and pu(90) over the last 15 in.
    const double pu[] = {0.0, 1.76 * wedgeHand(30.0), 1.06 * wedgeHand(60.0), 0.89 * wedgeHand(90.0)};
    const double Fu = (pu[0] + pu[1]) * 15.0 + (pu[1] + pu[2]) * 15.0 + (pu[2] + pu[3]) * 15.0 + 15.0 * pu[3];
    EXPECT_NEAR(ratio(run->py.Fu[1], Fu), 0.0, 1E-12);

    range(2, 5, kNodes);
    pySand(*run, 2);
    const double xe = depthForResistance(Fu);
    EXPECT_NEAR(run->layers.xe[2], xe, 1E-3 * xe);
    // The layer's first node lies 15 in below its top, at 15 in + xe: initial slope k (15 + xe).
    deflect(0.0);
    pySand(*run, 2);
    EXPECT_DOUBLE_EQ(run->nodes.Es[5], kK * (15.0 + run->layers.xe[2]));

    // Computed once in a run: a changed resistance above leaves it alone.
    const double first = run->layers.xe[2];
    run->py.Fu[1] = 2.0 * Fu;
    pySand(*run, 2);
    EXPECT_EQ(run->layers.xe[2], first);
}

TEST_F(SandLayeringTest, ResistanceBeyondTheTransitionDepthIsExtendedLinearly) {
    // Xt = (cd - c2) b / c1 for phi = 38 deg; beyond it the resistance grows by
    // 0.88 xg cd gamma' b per unit depth, xg = 120 in for the layer's first node.
    const double phi = 38.0 * kPi / 180.0, a = phi / 2.0, be = kPi / 4.0 + phi / 2.0;
    const double Kp = std::pow(std::tan(be), 2), Ka = std::pow(std::tan(kPi / 4.0 - phi / 2.0), 2);
    const double c1 =
        std::tan(be) * (std::tan(a) * Kp + 0.4 * (std::tan(phi) * std::sin(be) * (1.0 / std::cos(a) + 1.0) - std::tan(a)));
    const double c2 = Kp - Ka, cd = Kp * Kp * (Kp + 0.4 * std::tan(phi)) - Ka;
    const double Xt = (cd - c2) * kB / c1;
    double S = 0.0;
    const int steps = 200000;
    for (int i = 0; i < steps; ++i) {
        const double x0 = Xt * i / steps, x1 = Xt * (i + 1) / steps;
        S += (x1 - x0) / 6.0 * (q2(x0) + 4.0 * q2((x0 + x1) / 2.0) + q2(x1));
    }
    const double F = 2.0 * S;
    run->py.Fu[1] = F;
    deflect(0.0);
    range(2, 5, kNodes);
    pySand(*run, 2);
    const double expected = Xt + (F - S) / (0.8799999952316284 * 120.0 * cd * kGamma * kB);
    EXPECT_NEAR(run->layers.xe[2], expected, 1E-4 * expected);
}

// ---------------------------------------------------------------- messages and errors

TEST_F(SandTest, FrictionAngleOutsideTwentyToFortyEightIsWarnedAndUsed) {
    run->model.soil.layer[1].phi = {19.0, 19.0};
    range(1, 4, 5);
    deflect(0.0);
    pySand(*run, 1);
    EXPECT_EQ(run->errorNumber, 0);
    EXPECT_EQ(run->warnings.counts[302], 2);  // once per evaluation
    const std::string text =
        "\n"
        "**** Warning ****\n"
        "\n"
        "An unreasonable value for friction angle was input for a Reese sand layer. \n"
        "The input value is either smaller than 20 degrees or higher than 48 degrees.\n"
        "The input data should be checked for correctness.\n"
        "\n"
        "The input value for friction angle was used in computations.\n"
        "\n";
    run->messages.close();
    EXPECT_EQ(run->messages.memory(), text + text);
    // The angle is used as given: k x unchanged, the resistance from phi = 19 deg.
    EXPECT_DOUBLE_EQ(run->nodes.Es[4], kK * 90.0);
}

TEST_F(SandTest, ZeroFrictionAngleIsInputError8) {
    run->model.soil.layer[1].phi = {0.0, 0.0};
    pySand(*run, 1);
    EXPECT_EQ(run->errorNumber, inputError(8));
    run->messages.close();
    EXPECT_EQ(run->messages.memory(),
              "**** Input Data Error No. 8 ****\n"
              "\n"
              "An error was detected in the input data for friction angle.\n"
              "Problem:  Zero was input for the friction angle for a sand when computing \n"
              "          a p-y curve using the Reese et al. criteria.\n"
              "\n"
              "Solution: Check values of soil strength values and revise the input data.\n"
              "\n");
    run->report.close();
    EXPECT_EQ(run->report.memory().find("Input Data Error No. 8"), std::string::npos);
}

TEST_F(SandTest, SlopeAtTheFrictionAngleIsInputError9) {
    run->model.slope.groundSlope = run->model.slope.effectiveSlope = 30.0 * kPi / 180.0;
    pySand(*run, 1);
    EXPECT_EQ(run->errorNumber, inputError(9));
    const std::string text =
        "**** Input Data Error No. 9 ****\n"
        "\n"
        "An error was found in the input data when computing a p-y curve using \n"
        "the Reese sand criteria for layer 1.\n"
        "\n"
        "Problem:  The angle of the ground slope can not be greater than the \n"
        "internal friction angle of the sand.\n"
        "\n"
        "Solution:  Set the value for slope angle to be less than the angle of friction.\n";
    run->messages.close();
    run->report.close();
    EXPECT_EQ(run->messages.memory().substr(0, text.size()), text);
    EXPECT_EQ(run->report.memory().substr(0, text.size()), text);
}

TEST_F(SandTest, NotANumberModulusIsRuntimeError31Or32) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        int error;
        double y;
        int node;
        const char* text;
    };
    const Case cases[] = {
        // A y-multiplier of NaN spoils the computed modulus.
        {31, 1.0, 1, "The computed value of soil modulus computed in Reese Sand is not-a-number for node number 1"},
        // An infinite k at the ground surface gives k x = inf * 0 at zero deflection.
        {32, 0.0, 1, "The default value of soil modulus computed in Reese Sand is not-a-number for node number 1"},
    };
    for (const Case& c : cases) {
        start();
        SetUp();
        if (c.error == 31) {
            PyModifierTable& t = run->model.pyModifiers;
            t.count = 2;
            t.depth[2] = 1000.0;
            t.pMultiplier[1] = t.pMultiplier[2] = 1.0;
            t.yMultiplier[1] = t.yMultiplier[2] = nan;
        } else {
            run->model.soil.layer[1].kpy = {inf, inf};
        }
        deflect(c.y);
        pySand(*run, 1);
        EXPECT_EQ(run->errorNumber, runtimeError(c.error));
        run->report.close();
        EXPECT_EQ(run->report.memory(), "**** Runtime Error No. " + std::to_string(c.error) + " ****\n\n" + c.text +
                                            "\n\nThis problem is usually due to a required soil property being left "
                                            "equal to zero.\n");
    }
}

// ---------------------------------------------------------------- report pass

TEST_F(SandTest, PrintedCurveAtNinetyInchesStatic) {
    // Hand values at 90 in: Pst = 811.392, Psd = 2069.649, A = 0.89, B = 0.515, pu = 722.139,
    // pm = 417.867, m = (pu - pm) / (0.75 - 1/3) = 730.253, n = pm / (m / 3) = 1.7167,
    // C = pm / (1/3)^(1/n) = 792.452, yk = (C / 9000)^(n / (n - 1)) = 0.0029666,
    // pk = C yk^(1/n) = 26.700. Normal shape: points 2 to 12 from yk to ym in 11 steps, then
    // ym, 13 b / 480, yu and yu (1 + 0.025 j).
    const std::string expected =
        "\n"
        "\n"
        "p-y Curve in Sand Computed Using Reese Criteria for Static Loading Conditions\n"
        "\n"
        "Soil Layer Number                                      =            1\n"
        "Depth below pile head                                  =        7.500 ft\n"
        "Depth below ground surface                             =        7.500 ft\n"
        "Equivalent Depth (see note)                            =        7.500 ft\n"
        "Ground Slope Angle                                     =        0.000 degrees\n"
        "Pile Batter                                            =        0.000 degrees\n"
        "Effective Slope                                        =        0.000 degrees\n"
        "Pile Diameter, b                                       =       20.000 in \n"
        "Angle of Friction                                      =       30.000 degrees\n"
        "Avg. Eff. Unit Weight                                  =     69.12000 pcf  \n"
        "kpy                                                    =      100.000 pci  \n"
        "K active                                               =        0.333\n"
        "K passive                                              =        3.000\n"
        "K0                                                     =        0.400\n"
        "Pst                                                    =      811.392 lbs/in \n"
        "Psd                                                    =     2069.649 lbs/in \n"
        "Ps = Pst (shallow controls)                            =      811.392 lbs/in \n"
        "A (static)                                             =       0.8900\n"
        "B (static)                                             =       0.5150\n"
        "C = Pm/(Ym^(1/n))                                      =     792.4517\n"
        "n = Pm/(m Ym)                                          =       1.7167\n"
        "m = (Pu-Pm)/(Yu-Ym)                                    =     730.2530\n"
        "Yk = [c/(kx)]^(n/(n-1))                                =       0.0030 in \n"
        "Pk                                                     =       26.700 lb/in\n"
        "Ym = b/60                                              =       0.3333 in \n"
        "Pm = B ps                                              =      417.867 lb/in\n"
        "Yu = 3b/80                                             =       0.7500 in \n"
        "Pu = A Ps                                              =      722.139 lb/in\n"
        "Es,lim                                                 =     9000.000 lbs/in /in \n"
        "p-multiplier                                           =      1.00000\n"
        "y-multiplier                                           =      1.00000\n"
        "\n"
        "This p-y curve is computed using the equivalent depth.\n"
        "\n"
        "This curve has the normal shape for a Reese sand p-y curve where Yk < Ym < Yu.\n"
        "\n"
        "         y, in           p, lbs/in \n"
        "----------------    -----------------\n"
        "         0.0000           0.0000\n"
        "        0.00297         26.69952   *\n"
        "        0.03300        108.63527\n"
        "        0.06303        158.37739\n"
        "        0.09307        198.73313\n"
        "        0.12310        233.89771\n"
        "        0.15313        265.61714\n"
        "        0.18317        294.82407\n"
        "        0.21320        322.08837\n"
        "        0.24323        347.78940\n"
        "        0.27327        372.19527\n"
        "        0.30330        395.50403\n"
        "        0.33333        417.86702\n"
        "        0.54167        570.00307\n"
        "        0.75000        722.13912\n"
        "        0.76875        722.13912\n"
        "        0.78750        722.13912\n"
        "\n"
        "* p value(s) computed using p = k * Eff x * y \n"
        "\n";
    EXPECT_EQ(printAt(90.0), expected);
    run->plot.close();
    const std::string& plot = run->plot.memory();
    EXPECT_NE(plot.find("Line 7:  p-y curve depth in sand"), std::string::npos);
    EXPECT_NE(plot.find("Line 8(17): y, p, for sand"), std::string::npos);
    EXPECT_EQ(plot.find("Line 8(18)"), std::string::npos);
    // The report pass sets no modulus and adds no resistance.
    EXPECT_EQ(run->nodes.Es[1], 0.0);
    EXPECT_EQ(run->py.Fu[1], 0.0);
}

TEST_F(SandTest, PrintedCurveUnderASoftInitialLineIsBiLinear) {
    // k = 1 pci at 30 in: kx = 30 lb/in/in is below the whole curve (bi-linear shape); s = pu/kx.
    run->model.soil.layer[1].kpy = {1.0, 1.0};
    const std::string text = printAt(30.0);
    const double pu = 1.76 * wedgeHand(30.0);
    const double s = pu / 30.0;
    EXPECT_NE(text.find("This curve has a bi-linear shape for a Reese sand p-y curve because Ym < Yu < Yk.\n\n"),
              std::string::npos);
    // Points 2 to 14 at (j - 1) s / 14 are printed on the initial line and starred; the last two
    // at s (1 + 0.025 j) carry pu without a star.
    char line[120];
    for (int j = 2; j <= 14; ++j) {
        std::snprintf(line, sizeof line, "\n   %12.5f     %12.5f   *\n", (j - 1) * s / 14.0, (j - 1) * pu / 14.0);
        EXPECT_NE(text.find(line), std::string::npos) << j;
    }
    std::snprintf(line, sizeof line, "   %12.5f     %12.5f\n   %12.5f     %12.5f\n\n", 1.025 * s, pu, 1.05 * s, pu);
    EXPECT_NE(text.find(line), std::string::npos) << text;
    EXPECT_NE(text.find("* p value(s) computed using p = k * Eff x * y \n"), std::string::npos);
}

}  // namespace
}  // namespace mervik
