// Pile sections: the stack of up to 20 sections from the pile head down, as read from the
// SECTIONS block of the input data file, and the pile property points derived from them.
//
// Lengths along the pile are in the depth unit (feet, meters). Cross-section dimensions are in
// inches in US customary units and in meters in SI: the file gives them in millimeters and the
// reader converts them. Stresses and moduli are kept as given (psi, kPa), except the strand
// modulus and fpu that the strand table sets. The elastic, elastic-plastic and user EI blocks are stored
// as given, in the internal units of the run.
#pragma once
#include <vector>

#include "engine/capacities.hpp"

namespace mervik {

struct Run;

inline constexpr int kMaxBars = 300;                 // reinforcing bars or strands per section
inline constexpr int kMaxConcreteCurvePoints = 50;   // points of a user concrete stress-strain curve
inline constexpr int kMaxUserEiThrusts = kMaxAxialThrusts;  // user EI tables per section
inline constexpr int kMaxUserEiPoints = kMaxCurvePoints;    // points of one user EI table

// Section type codes (`sectionType`). Codes -3 and -13 of the input are stored as 3 and 13
// with the sub-option in `filledCore` and `userEiForm`.
inline constexpr int kRectangularConcretePile = 0;
inline constexpr int kDrilledShaft = 1;
inline constexpr int kDrilledShaftWithCasing = 2;
inline constexpr int kDrilledShaftWithCasingAndCore = 3;
inline constexpr int kSteelPipePile = 4;
inline constexpr int kCircularSolidPrestressed = 5;
inline constexpr int kCircularHollowPrestressed = 6;
inline constexpr int kSquareSolidPrestressed = 7;
inline constexpr int kSquareHollowPrestressed = 8;
inline constexpr int kOctagonalSolidPrestressed = 9;
inline constexpr int kOctagonalHollowPrestressed = 10;
inline constexpr int kElasticPile = 11;
inline constexpr int kElasticPlasticPile = 12;
inline constexpr int kUserEiPile = 13;
inline constexpr int kMicropile = 14;

// Cross-sectional shapes of elastic and elastic-plastic sections (`elasticShape`).
inline constexpr int kShapeRectangular = 1;
inline constexpr int kShapeCircular = 2;
inline constexpr int kShapeCircularPipe = 3;
inline constexpr int kShapeStrongHPile = 4;
inline constexpr int kShapeWeakHPile = 5;
inline constexpr int kShapeEmbeddedPole = 6;

// One reinforcing bar or prestressing strand: size index (printed only), diameter, area and
// position in section coordinates (x horizontal, y up, origin at the section centre).
struct ReinforcingBar {
    int sizeIndex = 0;
    double diameter = 0.0;
    double area = 0.0;
    double x = 0.0, y = 0.0;
};

enum class UserEiForm { MomentVersusEi, MomentVersusCurvature };

// One user table of nonlinear bending stiffness for one axial thrust. The reader fills the
// moment and the column given in the file (EI, or curvature); the other column is formed from
// the two later (EI = M / curvature).
struct UserEiCurve {
    double thrust = 0.0;
    int pointCount = 0;
    Table<double, kMaxUserEiPoints> moment{};
    Table<double, kMaxUserEiPoints> stiffness{};
    Table<double, kMaxUserEiPoints> curvature{};
};

struct PileSection {
    int sectionType = 0;
    double sectionLength = 0.0;

    // Dimensions.
    double width = 0.0;           // rectangular section
    double diameter = 0.0;        // depth of a rectangle, shaft or pile diameter, outside
                                  // diameter of casing or pipe, width of square and octagonal
                                  // piles, hole diameter of an embedded pole
    double depth = 0.0;           // rectangular section
    double chamfer = 0.0;         // square prestressed piles
    double casingThickness = 0.0, casingYield = 0.0, casingModulus = 0.0;  // casing or pipe
    double coreDiameter = 0.0, coreThickness = 0.0, coreYield = 0.0, coreModulus = 0.0;
    bool filledCore = false;      // type 3: core filled with concrete (true) or void (false)
    double voidDiameter = 0.0;    // hollow prestressed piles

    // Concrete.
    double concreteStrength = 0.0;   // f'c
    double aggregateSize = 0.0;
    bool defaultTensileStrength = false;
    double tensileStrength = 0.0;
    bool userConcreteCurve = false;
    int concreteCurvePointCount = 0;
    Table<double, kMaxConcreteCurvePoints> concreteStrain{};
    Table<double, kMaxConcreteCurvePoints> concreteStress{};

    // Reinforcing bars; the bar table also holds the prestressing strands.
    int barCount = 0;
    bool sameBarsAsAbove = false;
    bool barsInCircle = false;
    double barYield = 0.0, barModulus = 0.0;
    int barPositionCount = 0, barsPerBundle = 0;
    double barDiameter = 0.0, barArea = 0.0, barCover = 0.0;
    double cageOffset = 0.0;
    Table<ReinforcingBar, kMaxBars> bar{};

    // Prestressing strands.
    bool strandAutoposition = false;
    int strandGrade = 0;
    int strandSizeCode = 0;
    int strandCount = 0;
    double prestressForce = 0.0;     // initial prestressing force Pi
    double prestressLoss = 0.0;      // fraction of loss of prestress
    double strandCover = 0.0;
    int strandPattern = 0;           // 0 circle, 1 and 2 square perimeter
    double strandFpu = 0.0;          // psi, also in SI

    // Elastic and elastic-plastic sections.
    int elasticShape = 0;
    double elasticModulus = 0.0;
    double topWidth = 0.0, bottomWidth = 0.0;
    double topDepth = 0.0, bottomDepth = 0.0;   // section depth, or pipe wall thickness
    double flangeThickness = 0.0, webThickness = 0.0;
    double topArea = 0.0, bottomArea = 0.0;
    double topInertia = 0.0, bottomInertia = 0.0;
    double holeDiameter = 0.0;       // embedded circular pole; also stored in `diameter`
    double topPlasticMoment = 0.0, bottomPlasticMoment = 0.0;

    // User-defined nonlinear EI: tables 1..userEiThrustCount (entry 0 unused). Held on the heap
    // and sized to the tables read, so that a section without them costs nothing.
    UserEiForm userEiForm = UserEiForm::MomentVersusEi;
    int userEiThrustCount = 0;
    std::vector<UserEiCurve> userEi;

    // Derived: depth below the pile head of the top and bottom of the section.
    double topDepthX = 0.0, bottomDepthX = 0.0;
};

// Two points per section, at its top and bottom: the diameter for the p-y curves and, for steel
// pipes and elastic sections, the area, moment of inertia and modulus of the linear bending
// stiffness.
struct PilePropertyPoint {
    double depth = 0.0;
    double diameter = 0.0;
    double area = 0.0;
    double inertia = 0.0;
    double modulus = 0.0;
};

struct PileSections {
    int count = 0;
    OnDemandTable<PileSection, kMaxSections> section{};
    double pileLength = 0.0;
    int propertyPointCount = 0;
    Table<PilePropertyPoint, 2 * kMaxSections> point{};
};

// Reads the SECTIONS block (after its header line) into run.model.sections.
void readSections(Run& run);

// Geometry of bar and strand placement. Both write the x and y of the bar table only: they
// first clear all 300 positions, then place bars 1..n; nothing is written past the table.

// Bars on a circle of radius R = (D - db)/2 - cover about the section centre, `positions`
// positions starting at angle 0 and going anticlockwise, 1, 2 or 3 bars per position (1 for
// strands). Other bundle sizes leave every bar at the centre.
void placeBarsOnCircle(double pileDiameter, double cover, double barDiameter, int positions,
                       int barsPerPosition, Table<ReinforcingBar, kMaxBars>& bars);

// Strands on the perimeter of a square with corners (±a, ±a), a = (D - db)/2 - cover, in the
// two perimeter patterns (1 and 2) of automatic strand placement; an odd count puts the last
// strand at the centre.
void placeStrandsOnSquare(double pileWidth, double strandDiameter, double cover, int count,
                          int pattern, Table<ReinforcingBar, kMaxBars>& bars);

// One entry of the strand table: properties of a strand or high-strength bar by grade (0-5)
// and size code, in US customary units (inches, square inches, psi, ksi).
struct StrandProperties {
    bool gradeKnown = false;  // grade 0 to 5: modulus known
    bool fpuKnown = false;    // grade 0 to 4, or grade 5 with a size code of its list
    bool sizeKnown = false;   // size code in the grade's list: diameter and area known
    double diameter = 0.0;
    double area = 0.0;
    double fpu = 0.0;
    double modulus = 0.0;
};
StrandProperties strandTableEntry(int grade, int sizeCode);

}  // namespace mervik
