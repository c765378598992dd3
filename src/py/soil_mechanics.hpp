// Soil mechanics shared by several p-y models, as pure functions of plain values: the sand
// earth-pressure angles and coefficients, the wedge and flow resistances, the empirical factors
// A and B, the sand layering-correction integral and default subgrade modulus; the clay bearing
// factor, transition depth, default strain factor, slope factor and the stiff clay default
// modulus; the defaults and layering-correction integral of the cemented silt, a soil with
// cohesion and friction. Rock mechanics shared by the rock models belongs here too. No function
// reads the run.
#pragma once

namespace mervik {

// ---------------------------------------------------------------- sand

// Friction angle phi (radians), the wedge angles alpha = phi/2 and beta = pi/4 + phi/2, the
// level-ground active and passive coefficients, and the trigonometric values the wedge and flow
// resistances use.
struct SandAngles {
    double phi = 0.0, alpha = 0.0, beta = 0.0;
    double Ka = 0.0, Kp = 0.0;                         // tan^2(pi/4 - phi/2), tan^2(beta)
    double tanPhi = 0.0, tanAlpha = 0.0, tanBeta = 0.0;
    double sinBeta = 0.0, cosAlpha = 0.0, tanBetaMinusPhi = 0.0;
};
SandAngles sandAngles(double phi);

// Active coefficient on ground sloping at |theta|: cos|theta| (cos|theta| - sqrt D)/(cos|theta| +
// sqrt D) with D = cos^2|theta| - cos^2 phi (the caller rejects D < 1E-10 where it must).
double slopingActiveCoefficient(double absTheta, double phi);
// D = cos^2|theta| - cos^2 phi: negative when the slope is steeper than the friction angle.
double slopeFrictionMargin(double absTheta, double phi);

// Empirical factors of the sand criteria against x/b (linear between the tabulated ratios, the
// end values outside them).
double sandFactorA(bool cyclic, double ratio);
double sandFactorB(bool cyclic, double ratio);

// Wedge (shallow) resistance on level ground at depth x, active coefficient Ka, at-rest K0.
double sandWedgeResistance(const SandAngles& s, double K0, double Ka, double gamma, double x, double b);
// Wedge resistance on sloping ground: t = tan|theta| tan(beta), F the slope factor of the side
// of loading.
double sandSlopingWedgeResistance(const SandAngles& s, double K0, double Ka, double gamma, double x, double b,
                                  double t, double F);
// Flow-around (deep) resistance per unit of b gamma' x: K0 tan(phi) tan^4(beta) + (tan^8(beta) - 1) Ka.
double sandFlowFactor(const SandAngles& s, double K0, double Ka);

// Coefficients of the shallow and deep resistances: pus = (C1 x + C2 b) gamma' x,
// pud = C3 b gamma' x.
struct SandCoefficients {
    double C1 = 0.0, C2 = 0.0, C3 = 0.0;
};
SandCoefficients sandCoefficients(const SandAngles& s, double K0, double Ka);

// Depth at which the sand's own ultimate resistance, integrated from the ground surface, reaches
// F: A times the shallow resistance down to the transition depth (500 trapezoids), then the deep
// resistance with A = 0.88 at the depth xg of the layer's first node below the ground surface.
double sandEquivalentDepth(const SandCoefficients& c, double b, double gamma, double xg, bool cyclic, double F);

// Default subgrade modulus of sand for the unit system (1 US customary, 2 SI) from the friction
// angle in degrees and the average effective unit weight; false in units without a default.
bool defaultSandModulus(int IUNITS, double phiDegrees, double gammaAvg, double& k);

// ---------------------------------------------------------------- clay

// Bearing factor of the wedge failure at curve depth x: 3 + gamma' x / c + J x / b.
double clayBearingFactor(double c, double gamma, double J, double b, double x);
// Depth at which the wedge reaches the flow-around resistance 9 c b: 6 b c / (J c + gamma' b).
double clayTransitionDepth(double c, double gamma, double J, double b);
// Default eps50 of soft clay by undrained strength c (psi or kPa); false in units without one.
bool defaultSoftClayEps50(int IUNITS, double c, double& eps50);
// Factor on the clay bearing factor for the effective slope angle theta and node deflection y:
// 1/(1 + tan|theta|) pushing up-slope, 0.7071 cos|theta| / cos(|theta| + pi/4) down-slope.
double claySlopeFactor(double theta, double y);
// Strength band of the stiff clay defaults: 0 to 3 for c below 1000, 2000 and 4000 psf and above
// (the single-precision limits 6.94, 13.88, 27.78 psi and 47.89, 95.79, 191.57 kPa).
int stiffClayStrengthBand(int IUNITS, double c);
// Default subgrade modulus of stiff clay by strength band and loading (pci or kN/m3); false in
// units without one.
bool stiffClayDefaultModulus(int IUNITS, bool cyclic, double c, double& k);

// ---------------------------------------------------------------- cemented silt (c and phi)

// The empirical factors A and B of the sand criteria as single-precision table values, linear
// between the tabulated x/b, along the first segment for a negative x/b and the last value beyond
// x/b = 6.
double siltFactorA(bool cyclic, double ratio);
double siltFactorB(bool cyclic, double ratio);
// Default eps50 of cemented silt by strength c (psi or kPa); false in general units and for the
// SI strengths that fall in the narrow gaps between two bands.
bool defaultSiltEps50(int IUNITS, double c, double& eps50);
// Frictional part of the default subgrade modulus of cemented silt, from the friction angle in
// degrees and the average effective unit weight (pci or kN/m3); false in units without one. The
// cohesive part is the stiff clay default modulus.
bool siltFrictionSubgradeModulus(int IUNITS, double phiDegrees, double gammaAvg, double& k);
// Depth at which the silt's own ultimate resistance, integrated from the ground surface, reaches
// F: the unlimited clay wedge (3 b c + (gamma' b + c/2) x) plus A times the shallow sand
// resistance, in 500 steps down to the transition depth of the sand criteria; beyond it the deep
// sand resistance with A = 0.88 at the depth xg of the layer's first node plus 9 b c.
double siltEquivalentDepth(const SandCoefficients& s, double b, double gamma, double c, double xg, bool cyclic,
                           double F);

}  // namespace mervik
