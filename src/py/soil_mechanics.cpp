// Soil mechanics shared by the p-y models: sand wedge and flow resistances with their empirical
// factors, the sand layering-correction integral and default modulus, the clay bearing factor,
// transition depth, default strain factor, slope factor and stiff clay default modulus, and the
// cemented silt defaults and layering-correction integral.
#include "py/soil_mechanics.hpp"

#include <array>
#include <cmath>
#include <cstddef>

namespace mervik {

namespace {

constexpr double kQuarterPi = 0.7853981633974483;
constexpr int kCorrectionSteps = 500;
constexpr double kDeepA = 0.8799999952316284;  // A of the sand tables at great depth
constexpr int kUSCS = 1, kSI = 2;

double square(double v) { return v * v; }

constexpr std::array<double, 10> kRatio = {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0};
constexpr std::array<double, 10> kAStatic = {2.83, 2.48, 2.11, 1.76, 1.48, 1.23, 1.06, 0.9, 0.88, 0.88};
constexpr std::array<double, 10> kBStatic = {2.14, 1.83, 1.54, 1.27, 1.05, 0.86, 0.71, 0.53, 0.5, 0.5};
constexpr std::array<double, 10> kACyclic = {0.75, 0.93, 1.07, 1.11, 1.03, 0.98, 0.94, 0.9, 0.88, 0.88};
constexpr std::array<double, 10> kBCyclic = {0.53, 0.72, 0.83, 0.86, 0.82, 0.77, 0.7, 0.55, 0.55, 0.55};

// The factor tables held as single-precision numbers (2.83 as 2.8299999237060547).
constexpr std::array<double, 10> singlePrecision(const std::array<double, 10>& v) {
    std::array<double, 10> r{};
    for (std::size_t i = 0; i < v.size(); ++i) r[i] = static_cast<double>(static_cast<float>(v[i]));
    return r;
}
constexpr std::array<double, 10> kAStaticSingle = singlePrecision(kAStatic);
constexpr std::array<double, 10> kBStaticSingle = singlePrecision(kBStatic);
constexpr std::array<double, 10> kACyclicSingle = singlePrecision(kACyclic);
constexpr std::array<double, 10> kBCyclicSingle = singlePrecision(kBCyclic);

// Linear interpolation against x/b; the end values hold outside the table (and for a ratio
// that does not compare), except that a negative ratio may follow the first segment.
double tableValue(const std::array<double, 10>& v, double ratio, bool extrapolateBelow = false) {
    if (extrapolateBelow && ratio < kRatio[0]) return v[0] + (ratio - kRatio[0]) * (v[1] - v[0]) / (kRatio[1] - kRatio[0]);
    if (!(ratio > kRatio.front())) return v.front();
    for (std::size_t i = 1; i < kRatio.size(); ++i) {
        if (ratio <= kRatio[i]) return v[i - 1] + (ratio - kRatio[i - 1]) * (v[i] - v[i - 1]) / (kRatio[i] - kRatio[i - 1]);
    }
    return v.back();
}

// Soft clay eps50 by strength bands of 500, 1000, 2000 and 4000 psf (psi and kPa,
// single-precision values).
struct Eps50Band {
    double uscsBelow, siBelow, eps50;
};
constexpr std::array<Eps50Band, 4> kEps50Bands = {{
    {3.472222328186035, 23.940128326416016, 0.019999999552965164},
    {6.94444465637207, 47.88025665283203, 0.009999999776482582},
    {13.88888931274414, 95.76051330566406, 0.004999999888241291},
    {27.77777862548828, 191.52102661132812, 0.004999999888241291},
}};
constexpr double kEps50Stiffest = 0.004000000189989805;

// Stiff clay default modulus by strength band (limits of 1000, 2000 and 4000 psf).
constexpr std::array<double, 3> kStiffBandUS = {6.940000057220459, 13.880000114440918, 27.780000686645508};
constexpr std::array<double, 3> kStiffBandSI = {47.8927001953125, 95.785400390625, 191.57080078125};
constexpr std::array<double, 4> kStiffKStaticUS = {250.0, 500.0, 1000.0, 2000.0};
constexpr std::array<double, 4> kStiffKCyclicUS = {100.0, 200.0, 400.0, 800.0};
constexpr std::array<double, 4> kStiffKStaticSI = {67861.796875, 135723.59375, 271447.1875, 542894.375};
constexpr std::array<double, 4> kStiffKCyclicSI = {27144.7109375, 54289.3984375, 108578.8984375, 217157.703125};

// Cemented silt eps50 by strength bands from..below (psi, kPa); the SI bands leave narrow gaps.
struct SiltEps50Band {
    double from, below, eps50;
};
constexpr double kNoLimit = 1E300;
constexpr std::array<SiltEps50Band, 5> kSiltEps50US = {{
    {-kNoLimit, 3.472222328186035, 0.019999999552965164},
    {3.472222328186035, 6.94444465637207, 0.009999999776482582},
    {6.94444465637207, 13.88888931274414, 0.004999999888241291},
    {13.88888931274414, 27.77777862548828, 0.004999999888241291},
    {27.77777862548828, kNoLimit, 0.004000000189989805},
}};
constexpr std::array<SiltEps50Band, 5> kSiltEps50SI = {{
    {-kNoLimit, 23.94013023376465, 0.019999999552965164},
    {23.94013023376465, 47.88020706176758, 0.009999999776482582},
    {47.8802604675293, 95.76041412353516, 0.004999999888241291},
    {95.7605209350586, 191.5208282470703, 0.004999999888241291},
    {191.5210418701172, kNoLimit, 0.004000000189989805},
}};

// Frictional part of the cemented silt default modulus by friction angle (up to 30, up to 36
// degrees, above) and unit weight above or at and below the limit.
struct SiltFrictionModulus {
    double above, atOrBelow;
};
constexpr std::array<SiltFrictionModulus, 3> kSiltKPhiUS = {{{25.0, 20.0}, {90.0, 60.0}, {225.0, 125.0}}};
constexpr std::array<SiltFrictionModulus, 3> kSiltKPhiSI = {{{6786.18017578125, 5428.93994140625},
                                                            {24430.240234375, 16286.830078125},
                                                            {61075.6015625, 33930.8984375}}};
constexpr double kSiltUnitWeightLimitUS = 0.04500000178813934;  // pci
constexpr double kSiltUnitWeightLimitSI = 12.225000381469727;   // kN/m3

}  // namespace

// ---------------------------------------------------------------- sand

SandAngles sandAngles(double phi) {
    SandAngles s;
    s.phi = phi;
    s.alpha = phi / 2.0;
    s.beta = kQuarterPi + phi / 2.0;
    s.Ka = std::pow(std::tan(kQuarterPi - phi / 2.0), 2);
    s.Kp = std::pow(std::tan(s.beta), 2);
    s.tanPhi = std::tan(phi);
    s.tanAlpha = std::tan(s.alpha);
    s.tanBeta = std::tan(s.beta);
    s.sinBeta = std::sin(s.beta);
    s.cosAlpha = std::cos(s.alpha);
    s.tanBetaMinusPhi = std::tan(s.beta - phi);
    return s;
}

double slopeFrictionMargin(double absTheta, double phi) {
    return std::pow(std::cos(absTheta), 2) - std::pow(std::cos(phi), 2);
}

double slopingActiveCoefficient(double absTheta, double phi) {
    const double c = std::cos(absTheta);
    const double D = slopeFrictionMargin(absTheta, phi);
    return c * (c - std::sqrt(D)) / (c + std::sqrt(D));
}

double sandFactorA(bool cyclic, double ratio) { return tableValue(cyclic ? kACyclic : kAStatic, ratio); }
double sandFactorB(bool cyclic, double ratio) { return tableValue(cyclic ? kBCyclic : kBStatic, ratio); }

double sandWedgeResistance(const SandAngles& s, double K0, double Ka, double gamma, double x, double b) {
    return gamma * x *
           (K0 * x * s.tanPhi * s.sinBeta / (s.tanBetaMinusPhi * s.cosAlpha) +
            s.tanBeta / s.tanBetaMinusPhi * (b + x * s.tanBeta * s.tanAlpha) +
            K0 * x * s.tanBeta * (s.tanPhi * s.sinBeta - s.tanAlpha) - Ka * b);
}

double sandSlopingWedgeResistance(const SandAngles& s, double K0, double Ka, double gamma, double x, double b,
                                  double t, double F) {
    const double u = t / F;
    const double G = 4.0 * u * u * u - 3.0 * u * u + 1.0;
    return gamma * x *
           (K0 * x * s.tanPhi * s.sinBeta * G / (s.tanBetaMinusPhi * s.cosAlpha) +
            s.tanBeta / s.tanBetaMinusPhi * (b + x * s.tanBeta * s.tanAlpha / F) / F +
            K0 * x * s.tanBeta * (s.tanPhi * s.sinBeta - s.tanAlpha) * G - Ka * b);
}

double sandFlowFactor(const SandAngles& s, double K0, double Ka) {
    const double tb4 = square(square(s.tanBeta));
    return K0 * s.tanPhi * tb4 + (square(tb4) - 1.0) * Ka;
}

SandCoefficients sandCoefficients(const SandAngles& s, double K0, double Ka) {
    SandCoefficients c;
    c.C1 = s.tanBeta * (s.tanAlpha * s.Kp + K0 * (s.tanPhi * s.sinBeta * (1.0 / s.cosAlpha + 1.0) - s.tanAlpha));
    c.C2 = s.Kp - Ka;
    c.C3 = square(s.Kp) * (s.Kp + K0 * s.tanPhi) - Ka;
    return c;
}

double sandEquivalentDepth(const SandCoefficients& c, double b, double gamma, double xg, bool cyclic, double F) {
    const double G = gamma * b * b;
    const double Xt = (c.C3 - c.C2) * b / c.C1;
    const double step = Xt / kCorrectionSteps;
    double S = 0.0;
    double qPrevious = 0.0;  // the integrand is 0 at the ground surface
    for (int i = 1; i <= kCorrectionSteps; ++i) {
        const double xi = i * step;
        const double r = xi / b;
        const double q = sandFactorA(cyclic, r) * G * (c.C1 * r * r + c.C2 * r);
        const double Snext = S + (qPrevious + q) * step / 2.0;
        if (Snext > F) return xi - step * (Snext - F) / (Snext - S);
        S = Snext;
        qPrevious = q;
    }
    return Xt + (F - S) / (kDeepA * xg * c.C3 * G / b);
}

bool defaultSandModulus(int IUNITS, double phiDegrees, double gammaAvg, double& k) {
    switch (IUNITS) {
        case kUSCS:
            k = phiDegrees <= 40.0 ? 1.2098290369522147E-7 * std::pow(phiDegrees, 5.694468021392822) : 160.54745483398438;
            return true;
        case kSI:
            if (gammaAvg <= 12.225000381469727) {
                k = phiDegrees <= 40.0 ? 3.284046397311613E-5 * std::pow(phiDegrees, 5.694468021392822) : 43580.1484375;
            } else {
                k = phiDegrees <= 40.0 ? 4.14174883189844E-6 * std::pow(phiDegrees, 6.416118144989014) : 78739.0078125;
            }
            return true;
        default:
            k = 0.0;
            return false;
    }
}

// ---------------------------------------------------------------- clay

double clayBearingFactor(double c, double gamma, double J, double b, double x) { return 3.0 + gamma * x / c + J * x / b; }

double clayTransitionDepth(double c, double gamma, double J, double b) { return 6.0 * b * c / (J * c + gamma * b); }

bool defaultSoftClayEps50(int IUNITS, double c, double& eps50) {
    if (IUNITS != kUSCS && IUNITS != kSI) return false;
    for (const Eps50Band& band : kEps50Bands) {
        if (c < (IUNITS == kUSCS ? band.uscsBelow : band.siBelow)) {
            eps50 = band.eps50;
            return true;
        }
    }
    eps50 = kEps50Stiffest;
    return true;
}

double claySlopeFactor(double theta, double y) {
    if (std::fabs(theta) <= 1E-20 || std::fabs(y) <= 1E-20) return 1.0;
    const double a = std::fabs(theta);
    const bool sameSign = (y > 1E-20 && theta > 1E-20) || (y < -1E-20 && theta < -1E-20);
    if (sameSign) return 1.0 / (1.0 + std::tan(a));
    return 0.7071067690849304 * std::cos(a) / std::cos(a + 0.7853981633974483);
}

int stiffClayStrengthBand(int IUNITS, double c) {
    const std::array<double, 3>& limits = IUNITS == kUSCS ? kStiffBandUS : kStiffBandSI;
    int band = 0;
    while (band < 3 && !(c < limits[static_cast<std::size_t>(band)])) ++band;
    return band;
}

bool stiffClayDefaultModulus(int IUNITS, bool cyclic, double c, double& k) {
    if (IUNITS != kUSCS && IUNITS != kSI) {
        k = 0.0;
        return false;
    }
    const std::array<double, 4>& table = IUNITS == kUSCS ? (cyclic ? kStiffKCyclicUS : kStiffKStaticUS)
                                                         : (cyclic ? kStiffKCyclicSI : kStiffKStaticSI);
    k = table[static_cast<std::size_t>(stiffClayStrengthBand(IUNITS, c))];
    return true;
}

// ---------------------------------------------------------------- cemented silt

double siltFactorA(bool cyclic, double ratio) { return tableValue(cyclic ? kACyclicSingle : kAStaticSingle, ratio, true); }
double siltFactorB(bool cyclic, double ratio) { return tableValue(cyclic ? kBCyclicSingle : kBStaticSingle, ratio, true); }

bool defaultSiltEps50(int IUNITS, double c, double& eps50) {
    if (IUNITS != kUSCS && IUNITS != kSI) return false;
    for (const SiltEps50Band& band : IUNITS == kUSCS ? kSiltEps50US : kSiltEps50SI) {
        if (c >= band.from && c < band.below) {
            eps50 = band.eps50;
            return true;
        }
    }
    return false;
}

bool siltFrictionSubgradeModulus(int IUNITS, double phiDegrees, double gammaAvg, double& k) {
    if (IUNITS != kUSCS && IUNITS != kSI) {
        k = 0.0;
        return false;
    }
    const std::size_t row = phiDegrees <= 30.0 ? 0 : phiDegrees <= 36.0 ? 1 : 2;
    const SiltFrictionModulus& v = (IUNITS == kUSCS ? kSiltKPhiUS : kSiltKPhiSI)[row];
    k = gammaAvg > (IUNITS == kUSCS ? kSiltUnitWeightLimitUS : kSiltUnitWeightLimitSI) ? v.above : v.atOrBelow;
    return true;
}

double siltEquivalentDepth(const SandCoefficients& s, double b, double gamma, double c, double xg, bool cyclic,
                           double F) {
    const double X0 = (s.C3 - s.C2) * b / s.C1;
    const double step = X0 / kCorrectionSteps;
    double T = 0.0;
    for (int i = 1; i <= kCorrectionSteps; ++i) {
        const double xi = i * step;
        const double r = xi / b;
        const double clay = (gamma * b + 0.5 * c) * xi + 3.0 * b * c;
        const double Tnext = T + (clay + siltFactorA(cyclic, r) * gamma * b * b * (s.C1 * r * r + s.C2 * r)) * step;
        if (F < Tnext) return xi - step * (Tnext - F) / (Tnext - T);
        T = Tnext;
    }
    return X0 + (F - T) / (kDeepA * xg * s.C3 * gamma * b * b / b + 9.0 * b * c);
}

}  // namespace mervik
