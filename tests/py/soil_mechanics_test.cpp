// Shared soil mechanics against values worked out by hand: the sand factors A and B from their
// tables, the wedge and flow resistances and the API coefficients at a friction angle of 30
// degrees (where the trigonometry reduces to surds), the sand layering-correction integral
// against an independent quadrature, the default sand modulus, and the clay bearing factor,
// transition depth and default strain factor.
#include <gtest/gtest.h>

#include <cmath>

#include "input/model.hpp"
#include "py/soil_mechanics.hpp"

namespace mervik {
namespace {

constexpr double kPi = 3.141592653589793;
const double kRoot3 = std::sqrt(3.0);

TEST(SandFactors, InterpolateTheirTablesAndHoldTheEndValues) {
    struct Case {
        bool cyclic;
        double ratio, A, B;
    };
    const Case cases[] = {
        {false, -1.0, 2.83, 2.14},  {false, 0.0, 2.83, 2.14}, {false, 0.75, 2.295, 1.685},
        {false, 3.5, 0.98, 0.62},   {false, 6.0, 0.88, 0.5},  {false, 40.0, 0.88, 0.5},
        {true, 0.0, 0.75, 0.53},    {true, 1.25, 1.09, 0.845}, {true, 4.5, 0.89, 0.55},
        {true, 9.0, 0.88, 0.55},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(sandFactorA(c.cyclic, c.ratio), c.A, 1E-12) << c.ratio;
        EXPECT_NEAR(sandFactorB(c.cyclic, c.ratio), c.B, 1E-12) << c.ratio;
    }
}

// At phi = 30 degrees: alpha = 15, beta = 60 degrees; Ka = 1/3, Kp = 3; tan(beta - phi) = tan 30;
// tan 60 tan 15 = 2 sqrt 3 - 3; sin 60 / cos 15 = 2 sqrt 3 / (sqrt 6 + sqrt 2);
// tan 30 sin 60 = 1/2; tan 15 = 2 - sqrt 3.
class Sand30 : public ::testing::Test {
protected:
    SandAngles s = sandAngles(30.0 * kPi / 180.0);
    // x-coefficient of the wedge resistance per gamma' x: K0 sin60/cos15 + 3 (2 sqrt3 - 3) +
    // K0 sqrt3 (1/2 - (2 - sqrt3)).
    double wedgeSlope(double K0) const {
        return K0 * 2.0 * kRoot3 / (std::sqrt(6.0) + std::sqrt(2.0)) + 3.0 * (2.0 * kRoot3 - 3.0) +
               K0 * kRoot3 * (kRoot3 - 1.5);
    }
};

TEST_F(Sand30, EarthPressureCoefficients) {
    EXPECT_NEAR(s.Ka, 1.0 / 3.0, 1E-14);
    EXPECT_NEAR(s.Kp, 3.0, 1E-13);
    EXPECT_NEAR(s.beta, kPi / 3.0, 1E-15);
}

TEST_F(Sand30, WedgeIsLinearInWidthAndQuadraticInDepth) {
    // gamma' x [ (tan60/tan30) b - Ka b + wedgeSlope x ] = gamma' x (8/3 b + wedgeSlope x)
    const double gamma = 0.06, x = 100.0, b = 24.0;
    EXPECT_NEAR(sandWedgeResistance(s, 0.4, s.Ka, gamma, x, b), gamma * x * (8.0 / 3.0 * b + wedgeSlope(0.4) * x), 1E-9);
    // On sloping ground with t = 0 and F = 1 the wedge is the level one.
    EXPECT_NEAR(sandSlopingWedgeResistance(s, 0.4, s.Ka, gamma, x, b, 0.0, 1.0),
                sandWedgeResistance(s, 0.4, s.Ka, gamma, x, b), 1E-9);
    // Pushing towards the falling ground (F = 1 + t) meets less resistance than pushing into the
    // rising ground (F = 1 - t).
    const double t = std::tan(0.1) * s.tanBeta;
    EXPECT_LT(sandSlopingWedgeResistance(s, 0.4, s.Ka, gamma, x, b, t, 1.0 + t),
              sandSlopingWedgeResistance(s, 0.4, s.Ka, gamma, x, b, t, 1.0 - t));
}

TEST_F(Sand30, FlowFactorAndApiCoefficients) {
    // K0 tan30 tan^4 60 + (tan^8 60 - 1) Ka = 0.4 * 9 / sqrt3 + 80 / 3
    EXPECT_NEAR(sandFlowFactor(s, 0.4, s.Ka), 3.6 / kRoot3 + 80.0 / 3.0, 1E-10);
    const SandCoefficients c = sandCoefficients(s, 0.4, s.Ka);
    EXPECT_NEAR(c.C1, wedgeSlope(0.4), 1E-12);  // the shallow resistance is the wedge's
    EXPECT_NEAR(c.C2, 8.0 / 3.0, 1E-12);
    EXPECT_NEAR(c.C3, 9.0 * (3.0 + 0.4 / kRoot3) - 1.0 / 3.0, 1E-10);  // = the flow factor
}

TEST_F(Sand30, EquivalentDepthIntegratesTheLayersOwnResistanceToF) {
    const SandCoefficients c = sandCoefficients(s, 0.4, s.Ka);
    const double b = 24.0, gamma = 0.06, xg = 300.0;
    const auto q = [&](double x) {
        const double r = x / b;
        return sandFactorA(false, r) * gamma * b * b * (c.C1 * r * r + c.C2 * r);
    };
    // Independent quadrature of the shallow resistance from the ground surface.
    const auto integral = [&](double X) {
        const int n = 20000;
        double S = 0.0;
        for (int i = 0; i < n; ++i) S += (q(X * i / n) + q(X * (i + 1) / n)) * 0.5 * X / n;
        return S;
    };
    EXPECT_DOUBLE_EQ(sandEquivalentDepth(c, b, gamma, xg, false, 0.0), 0.0);
    for (const double X : {10.0, 60.0, 150.0}) {
        const double F = integral(X);
        EXPECT_NEAR(sandEquivalentDepth(c, b, gamma, xg, false, F), X, 2E-3 * X) << X;
    }
    // Below the transition depth the deep resistance with A = 0.88 takes the rest.
    const double Xt = (c.C3 - c.C2) * b / c.C1;
    const double F1 = 10.0 * integral(Xt), F2 = F1 + 5.0E5;
    const double slope = (sandEquivalentDepth(c, b, gamma, xg, false, F2) - sandEquivalentDepth(c, b, gamma, xg, false, F1)) / 5.0E5;
    EXPECT_NEAR(slope, 1.0 / (0.8799999952316284 * xg * c.C3 * gamma * b), 1E-9);
}

TEST(DefaultSandModulus, ByUnitsFrictionAngleAndUnitWeight) {
    struct Case {
        int units;
        double phi, gamma, k;
    };
    const Case cases[] = {
        {kUSCS, 30.0, 0.0, 1.2098290369522147E-7 * std::pow(30.0, 5.694468021392822)},
        {kUSCS, 41.0, 0.0, 160.54745483398438},
        {kSI, 30.0, 10.0, 3.284046397311613E-5 * std::pow(30.0, 5.694468021392822)},
        {kSI, 42.0, 10.0, 43580.1484375},
        {kSI, 30.0, 12.5, 4.14174883189844E-6 * std::pow(30.0, 6.416118144989014)},
        {kSI, 42.0, 12.5, 78739.0078125},
    };
    for (const Case& c : cases) {
        double k = -1.0;
        EXPECT_TRUE(defaultSandModulus(c.units, c.phi, c.gamma, k));
        EXPECT_DOUBLE_EQ(k, c.k) << c.units << " " << c.phi;
    }
    // 30 degrees in US units: 31.2 pci, and continuous at 40 degrees.
    double k = 0.0;
    defaultSandModulus(kUSCS, 30.0, 0.0, k);
    EXPECT_NEAR(k, 31.199, 1E-3);
    defaultSandModulus(kUSCS, 40.0, 0.0, k);
    EXPECT_NEAR(k, 160.547, 1E-2);
    EXPECT_FALSE(defaultSandModulus(kGeneral, 30.0, 10.0, k));
}

TEST(ClayMechanics, BearingFactorAndTransitionDepth) {
    // c = 10, gamma' = 0.05, J = 0.5, b = 10: N = 3 + 0.05 x / 10 + 0.5 x / 10; at x = 50, 5.75.
    EXPECT_DOUBLE_EQ(clayBearingFactor(10.0, 0.05, 0.5, 10.0, 50.0), 5.75);
    // 6 b c / (J c + gamma' b) = 600 / 5.5; where 9 = 3 + 0.055 x.
    EXPECT_DOUBLE_EQ(clayTransitionDepth(10.0, 0.05, 0.5, 10.0), 600.0 / 5.5);
    EXPECT_NEAR(clayBearingFactor(10.0, 0.05, 0.5, 10.0, clayTransitionDepth(10.0, 0.05, 0.5, 10.0)), 9.0, 1E-12);
}

TEST(ClayMechanics, DefaultSoftClayEps50ByStrength) {
    struct Case {
        int units;
        double c, eps50;
    };
    // Bands below 500, 1000, 2000 and 4000 psf (3.47, 6.94, 13.9, 27.8 psi; 23.9, 47.9, 95.8,
    // 191.5 kPa).
    const Case cases[] = {
        {kUSCS, 3.0, 0.02},  {kUSCS, 5.0, 0.01},  {kUSCS, 10.0, 0.005}, {kUSCS, 20.0, 0.005}, {kUSCS, 30.0, 0.004},
        {kSI, 20.0, 0.02},   {kSI, 40.0, 0.01},   {kSI, 90.0, 0.005},   {kSI, 150.0, 0.005},  {kSI, 200.0, 0.004},
    };
    for (const Case& c : cases) {
        double eps50 = 0.0;
        EXPECT_TRUE(defaultSoftClayEps50(c.units, c.c, eps50));
        EXPECT_NEAR(eps50, c.eps50, 1E-9) << c.units << " " << c.c;
    }
    double eps50 = 0.0;
    EXPECT_FALSE(defaultSoftClayEps50(kGeneral, 5.0, eps50));
}

}  // namespace
}  // namespace mervik
