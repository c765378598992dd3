// Soil and rock profile: the layers of the SOIL LAYERS block, each with its p-y model and its
// properties at the top and bottom of the layer, and the profile values derived from them.
//
// Values are held in the input units of the unit system: depths in feet or meters, unit
// weights in pcf or kN/m3, soil strengths in psf or kPa, rock strengths and moduli in psi or
// kPa, subgrade moduli in pci or kN/m3. US customary values are converted to computation units
// once, after the input echo.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "engine/capacities.hpp"

namespace mervik {

struct Run;

inline constexpr int kMaxUserPyPoints = 30;  // points of one user-input p-y curve

// p-y model codes of the SOIL LAYERS block (1 to 17; 18 to 20 are undefined names).
enum PyModelCode : int {
    kPySoftClay = 1,
    kPyStiffClayFreeWater = 2,     // "StfClyBW"
    kPyStiffClayNoFreeWater = 3,   // "StfClyAW"
    kPyStiffClayNoFreeWaterK = 4,  // "StfClyAK"
    kPySand = 5,
    kPyApiSand = 6,
    kPyLiquefiedSand = 7,
    kPyWeakRock = 8,
    kPyVuggyLimestone = 9,
    kPyPiedmont = 10,
    kPyCementedSilt = 11,
    kPyLoess = 12,
    kPyElasticSubgrade = 13,
    kPyUserCurves = 14,
    kPySoftClayJ = 15,
    kPyMassiveRock = 16,
    kPyFrozenSoil = 17,            // accepted, but no p-y model
};
inline constexpr int kFirstPyModelCode = 1;
inline constexpr int kLastPyModelCode = 17;

// Field test named by a Piedmont layer's test type.
enum PiedmontTest : int { kPiedmontSpt = 1, kPiedmontCpt = 2, kPiedmontDmt = 3, kPiedmontPmt = 4 };

// A property with one value at the top and one at the bottom of a layer.
template <class T>
struct TopBottom {
    T top{};
    T bottom{};
};

// A p-y curve given point by point in the input: its depth (the layer's top or bottom depth as
// read), the point count and the points, deflection y (deflection unit) and soil resistance p
// (force per length), in input order.
struct UserPyCurve {
    double depth = 0.0;
    int count = 0;
    Table<double, kMaxUserPyPoints> y{};
    Table<double, kMaxUserPyPoints> p{};
};

struct SoilLayer {
    int modelCode = 0;
    double depthTop = 0.0, depthBottom = 0.0;  // below the pile head

    TopBottom<double> gamma;            // effective unit weight
    TopBottom<double> cohesion;         // undrained cohesion; rock qu for weak rock and vuggy limestone
    TopBottom<double> eps50;            // strain factor; krm for weak rock
    TopBottom<double> jFactor;          // J of soft clay with user-defined J
    TopBottom<double> phi;              // friction angle, degrees
    TopBottom<double> kpy;              // subgrade modulus k; initial rock modulus for weak rock
    TopBottom<double> rqd;              // rock quality designation, percent
    TopBottom<int> testType;            // Piedmont field test, PiedmontTest
    TopBottom<double> sptN60;           // SPT blow count N60
    TopBottom<double> coneTip;          // cone tip resistance qc
    TopBottom<double> dmtModulus;       // dilatometer modulus
    TopBottom<double> pmtModulus;       // pressuremeter modulus
    TopBottom<double> elasticSubgrade;  // elastic subgrade modulus (never converted)
    TopBottom<double> rockQu;           // uniaxial compressive strength of massive rock
    TopBottom<int> rockType;            // massive rock type code 1 to 71
    TopBottom<double> gsi;              // geological strength index
    TopBottom<double> massRockValue4;   // fourth value of the massive-rock line, stored only
    double hoekBrownMi = 0.0;           // Hoek-Brown mi, set from rockType.top by the echo

    UserPyCurve userCurveTop, userCurveBottom;
};

struct SoilProfile {
    int layerCount = 0;
    OnDemandTable<SoilLayer, kMaxLayers> layer{};
    // Top and bottom depth of every layer in order (point 2L - 1 is the top, 2L the bottom of
    // layer L): the depth abscissae of the property pairs.
    int propertyPointCount = 0;
    Table<double, 2 * kMaxLayers> propertyDepth{};
    double groundSurface = 0.0;  // top of the first layer, below the pile head
};

// Reads the SOIL LAYERS block (after its header line) into run.model.soil.
void readSoilLayers(Run& run);

// Rock types of the massive rock model (Hoek-Brown): codes 1-15 sedimentary, 16-25
// metamorphic, 26-42 igneous, 43-71 unclassified ("User-defined", mi = code - 39).
struct RockType {
    std::string_view group;  // "sedimentary", "metamorphic", "igneous", "unclassified"
    std::string_view name;   // "anhydrite", ..., "User-defined"
    double mi = 0.0;         // Hoek-Brown material constant
};
// Nothing for a code outside 1 to 71: such a layer keeps its mi and prints no rock type.
std::optional<RockType> rockTypeOf(int code);
std::optional<double> hoekBrownMiForRockType(int code);

}  // namespace mervik
