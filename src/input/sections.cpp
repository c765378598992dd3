// Reader of the SECTIONS block: the pile sections with their concrete, bar, strand, elastic and
// user EI data, the bar and strand positions, and the pile property points.
#include "input/sections.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "input/reader.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

// Error number of every fatal error raised while the block is read.
inline constexpr int kSectionInputError = 95;

inline constexpr double kMillimetersPerMeter = 1000.0;
inline constexpr double kSquareMillimetersPerSquareMeter = 1000000.0;
// Inch in meters, held in single precision as in the strand table.
inline constexpr double kStrandInchToMeter = 0.02539999969303608;
// Strand moduli in SI (kPa) for grades 0-2 and 3-5.
inline constexpr double kStrandModulusSI_0to2 = 193053200.0;
inline constexpr double kStrandModulusSI_3to5 = 199947760.0;

inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kSin60 = 0.8660254037844386;
inline constexpr double kPiOver64 = 0.04908738521234052;
inline constexpr double kPiOver4 = 0.7853981633974483;

bool isSI(const Run& run) { return run.model.options.IUNITS == kSI; }

// ---------------------------------------------------------------------------------------------
// Strand table. Diameters and areas are the single-precision constants of the table.

struct StrandSize {
    float diameter, area, fpu;  // fpu: grade 5 only (the other grades have one fpu)
};

inline constexpr StrandSize kGrade0[] = {{0.34f, 0.058f, 0}, {0.25f, 0.036f, 0},   {0.3125f, 0.058f, 0},
                                         {0.375f, 0.08f, 0}, {0.4375f, 0.108f, 0}, {0.5f, 0.144f, 0},
                                         {0.6f, 0.216f, 0}};
inline constexpr StrandSize kGrade1[] = {{0.34f, 0.058f, 0},   {0.375f, 0.085f, 0}, {0.4375f, 0.115f, 0},
                                         {0.5f, 0.153f, 0},    {0.5f, 0.167f, 0},   {0.5625f, 0.192f, 0},
                                         {0.6f, 0.217f, 0},    {0.7f, 0.294f, 0}};
inline constexpr StrandSize kGrade2[] = {{0.375f, 0.085f, 0}, {0.438f, 0.115f, 0}, {0.5f, 0.153f, 0},
                                         {0.5f, 0.167f, 0},   {0.6f, 0.217f, 0}};
inline constexpr StrandSize kSmoothBars[] = {{0.75f, 0.442f, 0},  {0.875f, 0.601f, 0}, {1.0f, 0.785f, 0},
                                             {1.125f, 0.994f, 0}, {1.25f, 1.227f, 0},  {1.375f, 1.485f, 0}};
inline constexpr StrandSize kDeformedBars[] = {{0.625f, 0.28f, 157000}, {1.0f, 0.85f, 150000},
                                               {1.0f, 0.85f, 160000},   {1.25f, 1.25f, 150000},
                                               {1.25f, 1.25f, 160000},  {1.375f, 1.58f, 150000}};

template <std::size_t N>
bool lookUp(const StrandSize (&sizes)[N], int sizeCode, StrandSize& size) {
    if (sizeCode < 0 || sizeCode >= static_cast<int>(N)) return false;
    size = sizes[sizeCode];
    return true;
}

// ---------------------------------------------------------------------------------------------
// Reading helpers.

// Reads one real per line into each target in turn.
bool readLines(Run& run, std::initializer_list<double*> targets) {
    for (double* target : targets)
        if (!readReal(run, *target)) return false;
    return true;
}

// Dimensions the file gives in millimeters in SI are stored in meters.
void millimetersToMeters(const Run& run, std::initializer_list<double*> values) {
    if (!isSI(run)) return;
    for (double* v : values) *v /= kMillimetersPerMeter;
}
void squareMillimetersToSquareMeters(const Run& run, double& value) {
    if (isSI(run)) value /= kSquareMillimetersPerSquareMeter;
}

void writeProgress(Run& run, std::string_view text, int section) {
    Line(run.messages).text(text).i(section, 0).end();
}

// The block's input errors: the text lines to the report (an empty text is an empty line),
// then error 95. Returns false so that readers can return it.
bool sectionError(Run& run, std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) {
        if (line.empty()) writeBlankLines(run.report, 1);
        else writeTextLine(run.report, line);
    }
    raiseInputError(run, kSectionInputError);
    return false;
}

// Counts above the table capacity are rejected before anything is stored; a negative count
// stores no entries.
int entriesOf(int count) { return count > 0 ? count : 0; }

// ---------------------------------------------------------------------------------------------
// Concrete block.

bool readConcrete(Run& run, PileSection& s, int i) {
    writeProgress(run, "Reading concrete property data for Section ", i);
    if (!readLines(run, {&s.concreteStrength, &s.aggregateSize})) return false;
    millimetersToMeters(run, {&s.aggregateSize});

    std::string line;
    if (!readTextLine(run, line)) return false;
    if (sameText(line, "Use default concrete tensile strength")) {
        s.defaultTensileStrength = true;
    } else if (sameText(line, "Override concrete tensile strength")) {
        s.defaultTensileStrength = false;
        if (!readReal(run, s.tensileStrength)) return false;
    } else {
        return sectionError(run, {"", "INPUT ERROR - Unrecognized command for concrete tensile strength option"});
    }

    if (!readTextLine(run, line)) return false;
    if (sameText(line, "Use internal stress-strain curve for concrete")) {
        s.userConcreteCurve = false;
        return true;
    }
    if (!sameText(line, "Input stress-strain curve for concrete"))
        return sectionError(run, {"", "INPUT ERROR - Unrecognized input for concrete stress-strain option"});
    s.userConcreteCurve = true;
    int n = 0;
    if (!readInt(run, n)) return false;
    if (!checkCapacity(run, n, kMaxConcreteCurvePoints, "concrete stress-strain points")) return false;
    s.concreteCurvePointCount = entriesOf(n);
    for (int k = 1; k <= n; ++k) {
        int lineNumber = 0;
        double strain = s.concreteStrain[k], stress = s.concreteStress[k];
        if (!readFree(run, {intItem(lineNumber), realItem(strain), realItem(stress)})) return false;
        if (lineNumber != k) {
            writeBlankLines(run.report, 1);
            writeTextLine(run.report, "INPUT ERROR - Sequence error encountered when reading concrete stress-strain curve");
            writeBlankLines(run.report, 1);
            Line(run.report).text("Expecting line no. ").i(k, 0).text(" but line no. ").i(lineNumber, 0).text(" was read").end();
            return sectionError(run, {"", ""});
        }
        s.concreteStrain[k] = strain;
        s.concreteStress[k] = stress;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Bar block.

bool readBarsInCircle(Run& run, PileSection& s) {
    s.barsInCircle = true;
    if (!readLines(run, {&s.barYield, &s.barModulus})) return false;
    if (!readInt(run, s.barPositionCount) || !readInt(run, s.barsPerBundle)) return false;
    if (!readLines(run, {&s.barDiameter, &s.barArea, &s.barCover, &s.cageOffset})) return false;
    millimetersToMeters(run, {&s.barDiameter, &s.barCover, &s.cageOffset});
    squareMillimetersToSquareMeters(run, s.barArea);

    // Positions times bars per position; no bars when either is below 1 (two negative
    // numbers make no bars either).
    long long count = 0;
    if (s.barPositionCount >= 1 && s.barsPerBundle >= 1)
        count = static_cast<long long>(s.barPositionCount) * s.barsPerBundle;
    const int bars = static_cast<int>(std::min<long long>(count, std::numeric_limits<int>::max()));
    if (!checkCapacity(run, bars, kMaxBars, "reinforcing bars")) return false;
    s.barCount = bars;
    for (int k = 1; k <= s.barCount; ++k) {
        s.bar[k].diameter = s.barDiameter;
        s.bar[k].area = s.barArea;
    }
    placeBarsOnCircle(s.diameter, s.barCover, s.barDiameter, s.barPositionCount, s.barsPerBundle, s.bar);
    if (s.cageOffset != 0.0)
        for (int k = 1; k <= s.barCount; ++k) s.bar[k].y += s.cageOffset;
    return true;
}

bool readBarsByCoordinates(Run& run, PileSection& s) {
    s.barsInCircle = false;
    if (!readLines(run, {&s.barYield, &s.barModulus})) return false;
    int n = 0;
    if (!readInt(run, n)) return false;
    if (!checkCapacity(run, n, kMaxBars, "reinforcing bars")) return false;
    s.barCount = entriesOf(n);
    for (int k = 1; k <= n; ++k) {
        ReinforcingBar& b = s.bar[k];
        int lineNumber = 0;
        if (!readFree(run, {intItem(lineNumber), intItem(b.sizeIndex), realItem(b.diameter), realItem(b.area),
                            realItem(b.x), realItem(b.y)}))
            return false;
        millimetersToMeters(run, {&b.diameter, &b.x, &b.y});
        squareMillimetersToSquareMeters(run, b.area);
    }
    return true;
}

bool readBars(Run& run, PileSection& s, int i) {
    writeProgress(run, "Reading rebar property data for Section ", i);
    std::string line;
    if (!readTextLine(run, line)) return false;
    if (sameText(line, "No rebar")) {
        s.barCount = 0;
        return true;
    }
    if (sameText(line, "Rebar Arrangement Same As Section Above")) {
        s.sameBarsAsAbove = true;
    } else if (sameText(line, "Rebar Arrangement Not Same As Section Above")) {
        s.sameBarsAsAbove = false;
    } else {
        return sectionError(run, {"", "INPUT ERROR - Unrecognized command for rebar continuation from section above option"});
    }
    if (!readTextLine(run, line)) return false;
    if (sameText(line, "Rebar in circle")) return readBarsInCircle(run, s);
    if (sameText(line, "Rebar in noncircular pattern")) return readBarsByCoordinates(run, s);
    // Any other placement line leaves the bars as they were.
    return true;
}

// ---------------------------------------------------------------------------------------------
// Strand block.

// Strand k gets the diameter and area of its grade and size code; the section gets the
// grade's modulus and fpu. A size code outside the grade's list leaves the strand as it was.
void applyStrandTable(const Run& run, PileSection& s, int k, int grade, int sizeCode) {
    const StrandProperties p = strandTableEntry(grade, sizeCode);
    const bool si = isSI(run);
    if (p.gradeKnown) s.barModulus = si ? (grade <= 2 ? kStrandModulusSI_0to2 : kStrandModulusSI_3to5) : p.modulus;
    if (p.fpuKnown) s.strandFpu = p.fpu;
    if (p.sizeKnown) {
        s.bar[k].diameter = si ? p.diameter * kStrandInchToMeter : p.diameter;
        s.bar[k].area = si ? p.area * kStrandInchToMeter * kStrandInchToMeter : p.area;
    }
}

bool readAutomaticStrands(Run& run, PileSection& s) {
    s.strandAutoposition = true;
    int n = 0;
    if (!readInt(run, s.strandGrade) || !readInt(run, s.strandSizeCode) || !readInt(run, n)) return false;
    if (!readLines(run, {&s.prestressForce, &s.prestressLoss, &s.strandCover})) return false;
    if (!readInt(run, s.strandPattern)) return false;
    millimetersToMeters(run, {&s.strandCover});
    if (!checkCapacity(run, n, kMaxBars, "prestressing strands")) return false;
    s.strandCount = entriesOf(n);
    for (int k = 1; k <= s.strandCount; ++k) {
        s.bar[k].sizeIndex = s.strandSizeCode;
        applyStrandTable(run, s, k, s.strandGrade, s.strandSizeCode);
    }
    const double db = s.strandCount >= 1 ? s.bar[1].diameter : 0.0;
    if (s.strandPattern == 0) {
        placeBarsOnCircle(s.diameter, s.strandCover, db, s.strandCount, 1, s.bar);
    } else {
        // Patterns other than 1 and 2 place no strand: all stay at the centre.
        placeStrandsOnSquare(s.diameter, db, s.strandCover, s.strandCount, s.strandPattern, s.bar);
    }
    return true;
}

bool readManualStrands(Run& run, PileSection& s) {
    s.strandAutoposition = false;
    int n = 0;
    if (!readInt(run, s.strandGrade) || !readInt(run, n)) return false;
    if (!readLines(run, {&s.prestressForce, &s.prestressLoss})) return false;
    if (!checkCapacity(run, n, kMaxBars, "prestressing strands")) return false;
    s.strandCount = entriesOf(n);
    for (int k = 1; k <= s.strandCount; ++k) {
        ReinforcingBar& b = s.bar[k];
        int number = 0, grade = s.strandGrade, sizeCode = b.sizeIndex;
        double x = b.x, y = b.y;
        if (!readFree(run, {intItem(number), intItem(grade), intItem(sizeCode), realItem(x), realItem(y)}))
            return false;
        if (number != k) return sectionError(run, {"INPUT ERROR - Input out-of-order for strand no. "});
        s.strandGrade = grade;
        b.sizeIndex = sizeCode;
        applyStrandTable(run, s, k, grade, sizeCode);
        millimetersToMeters(run, {&x, &y});
        b.x = x;
        b.y = y;
    }
    return true;
}

bool readStrands(Run& run, PileSection& s, int i) {
    writeProgress(run, "Reading prestressing strand data for Section ", i);
    std::string line;
    if (!readTextLine(run, line)) return false;
    if (sameText(line, "Autoposition strands")) return readAutomaticStrands(run, s);
    if (sameText(line, "Manually-positioned strands")) return readManualStrands(run, s);
    // No strand is being read yet: the number written is that of the section.
    Line(run.report).text("INPUT ERROR - Unrecognized input for strand no. ").i(i, 0).end();
    return sectionError(run, {""});
}

// ---------------------------------------------------------------------------------------------
// Elastic and elastic-plastic blocks (values stored as given).

bool readElastic(Run& run, PileSection& s, int i, bool plastic) {
    writeProgress(run,
                  plastic ? "Reading elastic-plastic section properties for Section "
                          : "Reading elastic section properties for Section ",
                  i);
    if (!readInt(run, s.elasticShape)) return false;
    const int shape = s.elasticShape;
    if (shape < kShapeRectangular || shape > kShapeEmbeddedPole) return true;  // nothing more

    const bool hPile = shape == kShapeStrongHPile || shape == kShapeWeakHPile;
    if (!readReal(run, s.elasticModulus)) return false;
    if (plastic) {
        if (hPile) {
            // One plastic moment for the whole (prismatic) H-pile section.
            if (!readReal(run, s.topPlasticMoment)) return false;
            s.bottomPlasticMoment = s.topPlasticMoment;
        } else if (!readLines(run, {&s.topPlasticMoment, &s.bottomPlasticMoment})) {
            return false;
        }
    }
    switch (shape) {
        case kShapeRectangular:
        case kShapeCircularPipe:  // depths are the wall thicknesses of the pipe
            return readLines(run, {&s.topWidth, &s.bottomWidth, &s.topDepth, &s.bottomDepth, &s.topArea,
                                   &s.bottomArea, &s.topInertia, &s.bottomInertia});
        case kShapeCircular:
            return readLines(run, {&s.topWidth, &s.bottomWidth, &s.topArea, &s.bottomArea, &s.topInertia,
                                   &s.bottomInertia});
        case kShapeStrongHPile:
        case kShapeWeakHPile:
            if (!readLines(run, {&s.topWidth, &s.topDepth, &s.flangeThickness, &s.webThickness, &s.topArea,
                                 &s.topInertia}))
                return false;
            s.bottomDepth = s.topDepth;
            s.bottomArea = s.topArea;
            s.bottomInertia = s.topInertia;
            return true;
        default:  // embedded circular pole
            if (!readLines(run, {&s.topWidth, &s.bottomWidth, &s.topArea, &s.bottomArea, &s.topInertia,
                                 &s.bottomInertia, &s.holeDiameter}))
                return false;
            s.diameter = s.holeDiameter;
            return true;
    }
}

// ---------------------------------------------------------------------------------------------
// User EI block (values stored as given).

bool readUserEi(Run& run, PileSection& s) {
    int m = 0;
    if (!readInt(run, m)) return false;
    if (!checkCapacity(run, m, kMaxUserEiThrusts, "axial thrusts of user EI tables")) return false;
    s.userEiThrustCount = entriesOf(m);
    s.userEi.assign(static_cast<std::size_t>(s.userEiThrustCount) + 1, UserEiCurve{});
    const bool curvatureInput = s.userEiForm == UserEiForm::MomentVersusCurvature;
    for (int c = 1; c <= s.userEiThrustCount; ++c) {
        UserEiCurve& curve = s.userEi[static_cast<std::size_t>(c)];
        int p = 0;
        if (!readReal(run, curve.thrust) || !readInt(run, p)) return false;
        if (!checkCapacity(run, p, kMaxUserEiPoints, "points of a user EI table")) return false;
        curve.pointCount = entriesOf(p);
        for (int k = 1; k <= curve.pointCount; ++k) {
            double& second = curvatureInput ? curve.curvature[k] : curve.stiffness[k];
            if (!readLines(run, {&curve.moment[k], &second})) return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// The lines of one section after its type code.

bool readSectionLines(Run& run, PileSection& s, int i, int code) {
    switch (code) {
        case kRectangularConcretePile:
            if (!readLines(run, {&s.sectionLength, &s.depth, &s.width})) return false;
            millimetersToMeters(run, {&s.depth, &s.width});
            s.diameter = s.depth;
            return readConcrete(run, s, i) && readBars(run, s, i);
        case kDrilledShaft:
            if (!readLines(run, {&s.sectionLength, &s.diameter})) return false;
            millimetersToMeters(run, {&s.diameter});
            return readConcrete(run, s, i) && readBars(run, s, i);
        case kDrilledShaftWithCasing:
            // The casing diameter is given in millimeters like every other cross-section
            // dimension in SI, and is kept in meters with them.
            if (!readLines(run, {&s.sectionLength, &s.diameter, &s.casingThickness, &s.casingYield, &s.casingModulus}))
                return false;
            millimetersToMeters(run, {&s.diameter, &s.casingThickness});
            return readConcrete(run, s, i) && readBars(run, s, i);
        case kDrilledShaftWithCasingAndCore:
        case -kDrilledShaftWithCasingAndCore:
            s.filledCore = code > 0;
            if (!readLines(run, {&s.sectionLength, &s.diameter, &s.casingThickness, &s.casingYield, &s.casingModulus,
                                 &s.coreDiameter, &s.coreThickness, &s.coreYield, &s.coreModulus}))
                return false;
            millimetersToMeters(run, {&s.diameter, &s.casingThickness, &s.coreDiameter, &s.coreThickness});
            return readConcrete(run, s, i) && readBars(run, s, i);
        case kSteelPipePile:
            if (!readLines(run, {&s.sectionLength, &s.diameter, &s.casingThickness, &s.casingYield, &s.casingModulus}))
                return false;
            millimetersToMeters(run, {&s.diameter, &s.casingThickness});
            return true;
        case kCircularSolidPrestressed:
        case kOctagonalSolidPrestressed:
            if (!readLines(run, {&s.sectionLength, &s.diameter})) return false;
            millimetersToMeters(run, {&s.diameter});
            return readConcrete(run, s, i) && readStrands(run, s, i);
        case kCircularHollowPrestressed:
        case kOctagonalHollowPrestressed:
            if (!readLines(run, {&s.sectionLength, &s.diameter, &s.voidDiameter})) return false;
            millimetersToMeters(run, {&s.diameter, &s.voidDiameter});
            return readConcrete(run, s, i) && readStrands(run, s, i);
        case kSquareSolidPrestressed:
            if (!readLines(run, {&s.sectionLength, &s.diameter, &s.chamfer})) return false;
            millimetersToMeters(run, {&s.diameter, &s.chamfer});
            return readConcrete(run, s, i) && readStrands(run, s, i);
        case kSquareHollowPrestressed:
            if (!readLines(run, {&s.sectionLength, &s.diameter, &s.voidDiameter, &s.chamfer})) return false;
            millimetersToMeters(run, {&s.diameter, &s.voidDiameter, &s.chamfer});
            return readConcrete(run, s, i) && readStrands(run, s, i);
        case kElasticPile:
        case kElasticPlasticPile:
            if (!readReal(run, s.sectionLength)) return false;
            return readElastic(run, s, i, code == kElasticPlasticPile);
        case kUserEiPile:
        case -kUserEiPile:
            s.userEiForm = code > 0 ? UserEiForm::MomentVersusEi : UserEiForm::MomentVersusCurvature;
            if (!readLines(run, {&s.sectionLength, &s.diameter})) return false;
            millimetersToMeters(run, {&s.diameter});
            return readUserEi(run, s);
        case kMicropile:
            return readReal(run, s.sectionLength);
        default:
            // A code outside the list: the lines that follow cannot be interpreted.
            writeBlankLines(run.report, 1);
            Line(run.report).text("INPUT ERROR - Unrecognized section type ").i(code, 0).text(" for section ").i(i, 0).end();
            return sectionError(run, {""});
    }
}

// ---------------------------------------------------------------------------------------------
// Derived values: depths of the section and its two pile property points.

void deriveSectionValues(PileSections& piles, int i) {
    PileSection& s = piles.section[i];
    // The micropile takes no part in the pile length or the property points.
    if (s.sectionType == kMicropile) return;
    piles.pileLength += s.sectionLength;
    s.topDepthX = piles.pileLength - s.sectionLength;
    s.bottomDepthX = piles.pileLength;

    PilePropertyPoint top{s.topDepthX, s.diameter, 0.0, 0.0, 0.0};
    PilePropertyPoint bottom{s.bottomDepthX, s.diameter, 0.0, 0.0, 0.0};
    switch (s.sectionType) {
        case kRectangularConcretePile:
            top.diameter = bottom.diameter = s.width;
            break;
        case kSteelPipePile: {
            const double d = s.diameter;
            const double di = s.diameter - 2.0 * s.casingThickness;
            const double d2 = d * d, di2 = di * di;
            top.inertia = bottom.inertia = (d2 * d2 - di2 * di2) * kPiOver64;
            top.area = bottom.area = (d2 - di2) * kPiOver4;
            top.modulus = bottom.modulus = s.casingModulus;
            break;
        }
        case kElasticPile:
        case kElasticPlasticPile:
            switch (s.elasticShape) {
                case kShapeRectangular:
                case kShapeCircular:
                case kShapeCircularPipe:
                    top.diameter = s.topWidth;
                    bottom.diameter = s.bottomWidth;
                    break;
                case kShapeStrongHPile:
                    top.diameter = bottom.diameter = s.topWidth;   // flange width
                    break;
                case kShapeWeakHPile:
                    top.diameter = bottom.diameter = s.topDepth;   // section depth
                    break;
                case kShapeEmbeddedPole:
                    top.diameter = bottom.diameter = s.holeDiameter;
                    break;
                default:
                    top.diameter = bottom.diameter = 0.0;          // shape unknown: no diameter
                    break;
            }
            top.area = s.topArea;
            bottom.area = s.bottomArea;
            top.inertia = s.topInertia;
            bottom.inertia = s.bottomInertia;
            top.modulus = bottom.modulus = s.elasticModulus;
            break;
        default:
            break;
    }
    piles.point[2 * i - 1] = top;
    piles.point[2 * i] = bottom;
}

}  // namespace

// -------------------------------------------------------------------------------------------------
// Placement geometry.

// Placements that cannot be made are treated in an orderly way: fewer than 1 position or more
// bars than the table holds place nothing; a bundle size outside 1..3 leaves every bar at the
// centre; a circle radius R of zero or less (pile diameter below the bar diameter plus twice
// the cover, or a pile diameter of zero or less) has no circle to place bars on, so the bars
// that would lie on it stay at the centre and no angle db/R is formed. A zero or negative cover
// by itself is placed as given.
void placeBarsOnCircle(double pileDiameter, double cover, double barDiameter, int positions,
                       int barsPerPosition, Table<ReinforcingBar, kMaxBars>& bars) {
    for (ReinforcingBar& b : bars) b.x = b.y = 0.0;
    const int n = positions;
    const int per = barsPerPosition;
    if (n < 1 || per < 1 || per > 3 || static_cast<long long>(n) * per > kMaxBars) return;

    const double db = std::fabs(barDiameter) > 100.0 ? 0.0 : barDiameter;
    const double r = (pileDiameter - db) * 0.5 - cover;
    if (n == 1 && per == 1) return;  // single bar at the centre
    if (n == 1 && per == 2) {
        bars[1].x = -db / 2.0;
        bars[2].x = db / 2.0;
        return;
    }
    if (r <= 0.0) return;
    const double a = db / r;
    const double r3 = r - db * kSin60;
    const double delta = kTwoPi / n;
    for (int k = 1; k <= n; ++k) {
        const double theta = (k - 1) * delta;
        switch (per) {
            case 1:
                bars[k].x = r * std::cos(theta);
                bars[k].y = r * std::sin(theta);
                break;
            case 2:
                bars[2 * k - 1].x = r * std::cos(theta - a / 2.0);
                bars[2 * k - 1].y = r * std::sin(theta - a / 2.0);
                bars[2 * k].x = r * std::cos(theta + a / 2.0);
                bars[2 * k].y = r * std::sin(theta + a / 2.0);
                break;
            default:
                bars[3 * k - 2].x = r * std::cos(theta - a / 2.0);
                bars[3 * k - 2].y = r * std::sin(theta - a / 2.0);
                bars[3 * k - 1].x = r * std::cos(theta + a / 2.0);
                bars[3 * k - 1].y = r * std::sin(theta + a / 2.0);
                bars[3 * k].x = r3 * std::cos(theta);
                bars[3 * k].y = r3 * std::sin(theta);
                break;
        }
    }
}

void placeStrandsOnSquare(double pileWidth, double strandDiameter, double cover, int count,
                          int pattern, Table<ReinforcingBar, kMaxBars>& bars) {
    for (ReinforcingBar& b : bars) b.x = b.y = 0.0;
    const int n = count;
    if (n < 2 || n > kMaxBars || (pattern != 1 && pattern != 2)) return;  // none, or one at the centre
    const double a = (pileWidth - strandDiameter) * 0.5 - cover;
    if (n < 4) {
        // Two opposite corners (and the centre) in pattern 1; pattern 2 places none.
        if (pattern == 1) {
            bars[1].x = -a;
            bars[1].y = -a;
            bars[2].x = a;
            bars[2].y = a;
        }
        return;
    }
    const int ne = n % 2 == 0 ? n : n - 1;
    const int b = ne / 4;
    const int rest = ne - 4 * b;
    int nb = b + 1, j = b - 1;  // per horizontal side (corners included), per vertical side
    if (rest == 2) {
        if (pattern == 1) nb = b + 2;
        else j = b;
    }
    const double step = 2.0 * a / (nb - 1);
    const double l = 2.0 * a / (j + 1);
    const int kMid = (j - 1) / 2 + 1;
    int k = 0;
    for (int m = 0; m < nb; ++m) {  // bottom, left to right
        ++k;
        bars[k].x = -a + m * step;
        bars[k].y = -a;
    }
    for (int m = 0; m < j; ++m) {   // right, bottom to top
        ++k;
        bars[k].x = a;
        bars[k].y = (m + 1 - kMid) * l;
    }
    for (int m = 0; m < nb; ++m) {  // top, right to left
        ++k;
        bars[k].x = a - m * step;
        bars[k].y = a;
    }
    for (int m = 0; m < j; ++m) {   // left, top to bottom
        ++k;
        bars[k].x = -a;
        bars[k].y = kMid * l - (m + 1) * l;
    }
    // An odd count has its last strand at the centre, where the clearing left it.
}

StrandProperties strandTableEntry(int grade, int sizeCode) {
    StrandProperties p;
    if (grade < 0 || grade > 5) return p;
    p.gradeKnown = true;
    p.modulus = grade <= 2 ? 28000.0 : 29000.0;
    StrandSize size{};
    switch (grade) {
        case 0:
            p.fpuKnown = true;
            p.fpu = 250000.0;
            p.sizeKnown = lookUp(kGrade0, sizeCode, size);
            break;
        case 1:
            p.fpuKnown = true;
            p.fpu = 270000.0;
            p.sizeKnown = lookUp(kGrade1, sizeCode, size);
            break;
        case 2:
            p.fpuKnown = true;
            p.fpu = 300000.0;
            p.sizeKnown = lookUp(kGrade2, sizeCode, size);
            break;
        case 3:
        case 4:
            p.fpuKnown = true;
            p.fpu = grade == 3 ? 145000.0 : 160000.0;
            p.sizeKnown = lookUp(kSmoothBars, sizeCode, size);
            break;
        default:
            p.sizeKnown = lookUp(kDeformedBars, sizeCode, size);
            p.fpuKnown = p.sizeKnown;
            p.fpu = size.fpu;
            break;
    }
    if (p.sizeKnown) {
        p.diameter = size.diameter;
        p.area = size.area;
    }
    return p;
}

void readSections(Run& run) {
    setInputSection(run, "SECTIONS");
    PileSections& piles = run.model.sections;
    int n = 0;
    if (!readInt(run, n)) return;
    if (!checkCapacity(run, n, kMaxSections, "pile sections")) return;
    piles.count = n;
    piles.pileLength = 0.0;
    piles.propertyPointCount = 2 * n;
    for (int i = 1; i <= n; ++i) {
        writeProgress(run, "Reading section properties for Section ", i);
        int number = 0;
        if (!readInt(run, number)) return;
        if (number != i) {
            writeTextLine(run.report, "SECTION DATA OUT-OF-ORDER");
            writeBlankLines(run.report, 1);
            Line(run.report).text("Expecting section number ").i(i, 0).text(", but section number ").i(number, 0)
                .text(" was found").end();
            sectionError(run, {});
            return;
        }
        int code = 0;
        if (!readInt(run, code)) return;
        PileSection& s = piles.section[i];
        s.sectionType = (code == -kDrilledShaftWithCasingAndCore || code == -kUserEiPile) ? -code : code;
        if (!readSectionLines(run, s, i, code)) return;
        deriveSectionValues(piles, i);
    }
}

}  // namespace mervik
