// Echo of the first three input blocks: problem title, program options (with the reset of an
// unusable convergence tolerance) and the pile structural properties, with the checks on the
// pile property points.
#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "report/echo.hpp"
#include "report/echo_common.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

inline constexpr int kLabelColumn = 56;
inline constexpr int kTitleWidth = 256;
inline constexpr int kDimensionWidth = 15;   // adaptive writer width of section dimensions
inline constexpr int kMinPilePoints = 2;
inline constexpr int kMaxPilePoints = 2 * kMaxSections;

// Tolerances that replace a convergence tolerance of zero or less: the single-precision values
// of 1E-6 inches and of 2.54E-8 meters.
inline constexpr double kResetToleranceUSCS = 9.999999974752427E-07;
inline constexpr double kResetToleranceOther = 2.5400000325248584E-08;

// ---------------------------------------------------------------------------------------------
// Common pieces.

void writeRule(Channel& channel, int length, char c) {
    writeTextLine(channel, std::string(static_cast<std::size_t>(length), c));
}

// ---------------------------------------------------------------------------------------------
// Program options.

void writeOptionLine(Channel& channel, bool set, std::string_view whenSet, std::string_view whenNotSet) {
    writeTextLine(channel, set ? whenSet : whenNotSet);
}

void writeComputationOptions(Run& run) {
    Channel& out = run.report;
    const AnalysisModel& m = run.model;
    const ProgramOptions& o = m.options;
    writeTextLine(out, "Computation Options:");
    writeOptionLine(out, m.pyModifiers.count > 0, "- Analysis uses p-y multiplers for group action",
                    "- Analysis does not use p-y multipliers (individual pile or shaft only)");
    writeOptionLine(out, m.tipShear.count > 0, "- Analysis uses tip shear resistance for short pile or shaft",
                    "- Analysis assumes no shear resistance at pile tip");
    writeTextLine(out, "- Analysis for fixed-length pile or shaft only");
    writeOptionLine(out, o.ib_ComputeKmatrix_1T0F,
                    "- Analysis includes computation of foundation stiffness matrix values ",
                    "- No computation of foundation stiffness matrix values");
    if (o.printSummaryOnly) {
        writeTextLine(out, "- Report summary table of pile-top values for deflection, maximum bending ");
        writeTextLine(out, "  moment, and shear force only");
    } else {
        writeTextLine(out, "- Report pile response for full length of pile");
    }
    writeOptionLine(out, o.useSoilMovement, "- Analysis includes loading by soil movements acting on pile",
                    "- Analysis assumes no loading by soil movements acting on pile");
    writeOptionLine(out, m.pyOutputDepths.enabled, "- p-y curves computed and reported at user-specified depths",
                    "- No p-y curves to be computed and reported for user-specified depths");
    writeBlankLines(out, 1);
}

// A tolerance of zero or less would stop the iteration from ever converging (or converge at
// once), so a small positive one takes its place and the report says so.
void resetConvergenceTolerance(Run& run) {
    ProgramOptions& o = run.model.options;
    if (o.convergenceTolerance > 0.0) return;
    const bool uscs = o.IUNITS == kUSCS;
    o.convergenceTolerance = uscs ? kResetToleranceUSCS : kResetToleranceOther;
    Line(run.report)
        .text("(Specified convergence tolerance of 0 reset by program to")
        .es(o.convergenceTolerance, 11, 4)
        .text(uscs ? " inches)" : " meters)")
        .end();
    writeBlankLines(run.report, 1);
}

void writeSolutionControl(Run& run) {
    Channel& out = run.report;
    const ProgramOptions& o = run.model.options;
    const std::string& unit = run.units.DeflectionUnit;
    writeTextLine(out, "Solution Control Parameters:");
    Line(out).text("- Number of pile increments").tab(kLabelColumn).text("= ").i(o.pileIncrements, 12).end();
    Line(out).text("- Maximum number of iterations allowed").tab(kLabelColumn).text("= ").i(o.maxIterations, 12).end();
    Line(out)
        .text("- Deflection tolerance for convergence")
        .tab(kLabelColumn)
        .text("= ")
        .es(o.convergenceTolerance, 12, 4)
        .text(" ")
        .text(unit)
        .end();
    Line(out)
        .text("- Maximum allowable deflection")
        .tab(kLabelColumn)
        .text("= ")
        .f(o.maxDeflection, 12, 4)
        .text(" ")
        .text(unit)
        .end();
    writeBlankLines(out, 1);
    resetConvergenceTolerance(run);
}

void writeResponseOutputOptions(Run& run) {
    Channel& out = run.report;
    const ProgramOptions& o = run.model.options;
    writeTextLine(out, "Pile Response Output Options:");
    if (o.printSummaryOnly) {
        writeTextLine(out, "- Only summary tables of pile-head deflection, maximum bending moment,");
        writeTextLine(out, "  and maximum shear force are to be written to output report file.");
    } else {
        writeTextLine(out, "- Values of pile-head deflection, bending moment, shear force, and ");
        writeTextLine(out, "  soil reaction are printed for full length of pile.");
        Line(out)
            .text("- Printing Increment (nodal spacing of output points)")
            .tab(kLabelColumn)
            .text("= ")
            .i(o.printIncrement, 0)
            .end();
    }
    writeBlankLines(out, 2);
}

// ---------------------------------------------------------------------------------------------
// Pile structural properties.

// Unit texts of the section lines, composed from the unit labels without their trailing blanks.
struct SectionUnits {
    std::string length, dimension, area, inertia, modulus, moment, force;
    std::string bendingMoment, bendingStiffness, curvature;  // user EI tables
};

SectionUnits makeSectionUnits(const UnitLabels& u) {
    const std::string depth(withoutTrailingBlanks(u.DepthUnit));
    const std::string dimension(withoutTrailingBlanks(u.DeflectionUnit));
    const std::string force(withoutTrailingBlanks(u.ForceUnit));
    SectionUnits s;
    s.length = depth;
    s.dimension = dimension;
    s.area = "Sq. " + dimension;
    s.inertia = dimension + "^4";
    s.modulus = force + "/" + dimension + "^2";
    s.moment = std::string(withoutTrailingBlanks(u.MomentUnit));
    s.force = force;
    s.bendingMoment = force + "-" + dimension;
    s.bendingStiffness = force + "-" + dimension + "^2";
    s.curvature = "Radians/" + dimension;
    return s;
}

// Label line of a section: label, "= ", the value (adaptive writer, width 15), a blank, the unit.
void writeDimension(Channel& out, std::string_view label, double value, std::string_view unit) {
    Line(out).text(label).tab(kLabelColumn).text("= ").real(value, kDimensionWidth).text(" ").text(unit).end();
}

void writeTypeLine(Channel& out, std::string_view typeText) {
    Line(out).text("   Section Type").tab(kLabelColumn).text(typeText).end();
}

void writeElasticShape(Channel& out, const PileSection& s, const SectionUnits& u, bool plastic) {
    const char* shapeText = nullptr;
    switch (s.elasticShape) {
        case kShapeRectangular: shapeText = "=     Rectangular"; break;
        case kShapeCircular: shapeText = "=        Circular"; break;
        case kShapeCircularPipe: shapeText = "=   Circular Pipe"; break;
        case kShapeStrongHPile: shapeText = "=   Strong H-Pile"; break;
        case kShapeWeakHPile: shapeText = "=     Weak H-Pile"; break;
        case kShapeEmbeddedPole: shapeText = "= Embedded Circular Pole"; break;
        default: return;  // no shape was read: nothing to describe
    }
    Line(out).text("   Cross-sectional Shape").tab(kLabelColumn).text(shapeText).end();

    writeDimension(out, "   Section Length", s.sectionLength, u.length);
    if (s.elasticShape == kShapeStrongHPile || s.elasticShape == kShapeWeakHPile) {
        // Prismatic H-pile: one set of plate dimensions and properties.
        writeDimension(out, "   Flange Width", s.topWidth, u.dimension);
        writeDimension(out, "   Section Depth", s.topDepth, u.dimension);
        writeDimension(out, "   Flange Thickness", s.flangeThickness, u.dimension);
        writeDimension(out, "   Web Thickness", s.webThickness, u.dimension);
        writeDimension(out, "   Section Area", s.topArea, u.area);
        writeDimension(out, "   Moment of Inertia", s.topInertia, u.inertia);
        writeDimension(out, "   Elastic Modulus", s.elasticModulus, u.modulus);
        if (plastic) writeDimension(out, "   Plastic Moment Capacity", s.topPlasticMoment, u.moment);
        return;
    }
    // Tapered sections: values at the top and at the bottom.
    writeDimension(out, "   Top Width", s.topWidth, u.dimension);
    writeDimension(out, "   Bottom Width", s.bottomWidth, u.dimension);
    if (s.elasticShape == kShapeRectangular) {
        writeDimension(out, "   Top Section Depth", s.topDepth, u.dimension);
        writeDimension(out, "   Bottom Section Depth", s.bottomDepth, u.dimension);
    } else if (s.elasticShape == kShapeCircularPipe) {
        writeDimension(out, "   Wall Thickness at Top", s.topDepth, u.dimension);
        writeDimension(out, "   Wall Thickness at Bottom", s.bottomDepth, u.dimension);
    }
    writeDimension(out, "   Top Area", s.topArea, u.area);
    writeDimension(out, "   Bottom Area", s.bottomArea, u.area);
    writeDimension(out, "   Moment of Inertia at Top", s.topInertia, u.inertia);
    writeDimension(out, "   Moment of Inertia at Bottom", s.bottomInertia, u.inertia);
    if (s.elasticShape == kShapeEmbeddedPole) writeDimension(out, "   Drilled Hole Diameter", s.holeDiameter, u.dimension);
    writeDimension(out, "   Elastic Modulus", s.elasticModulus, u.modulus);
    if (plastic) {
        writeDimension(out, "   Top Plastic Moment Capacity", s.topPlasticMoment, u.moment);
        writeDimension(out, "   Bot Plastic Moment Capacity", s.bottomPlasticMoment, u.moment);
    }
}

// The reader keeps the column the file gives (EI or curvature); the other one follows from the
// moment: EI = M / curvature, curvature = M / EI. A zero divisor leaves the value at zero.
void completeUserEiCurve(UserEiCurve& curve, UserEiForm form, int points) {
    for (int k = 1; k <= points; ++k) {
        const double m = curve.moment[k];
        if (form == UserEiForm::MomentVersusCurvature) {
            const double phi = curve.curvature[k];
            curve.stiffness[k] = phi != 0.0 ? m / phi : 0.0;
        } else {
            const double ei = curve.stiffness[k];
            curve.curvature[k] = ei != 0.0 ? m / ei : 0.0;
        }
    }
}

void writeUserEiTables(Channel& out, PileSection& s, const SectionUnits& u) {
    const int available = s.userEi.empty() ? 0 : static_cast<int>(s.userEi.size()) - 1;
    const int thrusts = std::clamp(s.userEiThrustCount, 0, std::min(available, kMaxUserEiThrusts));
    const bool curvatureInput = s.userEiForm == UserEiForm::MomentVersusCurvature;
    Line(out).text("   Number of Axial Thrusts").tab(kLabelColumn).text("= ").i(s.userEiThrustCount, kDimensionWidth).end();
    for (int c = 1; c <= thrusts; ++c) {
        UserEiCurve& curve = s.userEi[static_cast<std::size_t>(c)];
        const int points = std::clamp(curve.pointCount, 0, kMaxUserEiPoints);
        completeUserEiCurve(curve, s.userEiForm, points);

        writeBlankLines(out, 1);
        writeDimension(out, "   Axial Thrust", curve.thrust, u.force);
        Line(out)
            .text(curvatureInput ? "   Number of Moment-vs.-Curvature Points" : "   Number of Moment-vs.-EI Points")
            .tab(kLabelColumn)
            .text("= ")
            .i(curve.pointCount, kDimensionWidth)
            .end();
        writeBlankLines(out, 1);
        writeTextLine(out, "   Point         Bending Moment         Bending Stiffness         Bending Curvature");
        Line(out)
            .text("    No.            ")
            .text(u.bendingMoment)
            .tab(46)
            .text(u.bendingStiffness)
            .tab(71)
            .text(u.curvature)
            .end();
        writeTextLine(out, "   -----      --------------------     --------------------     --------------------");
        for (int k = 1; k <= points; ++k) {
            Line(out)
                .blanks(3)
                .integer(k, 4)
                .blanks(7)
                .real(curve.moment[k], 20)
                .blanks(5)
                .real(curve.stiffness[k], 20)
                .blanks(5)
                .real(curve.curvature[k], 20)
                .end();
        }
    }
}

void writeSection(Channel& out, PileSection& s, const SectionUnits& u) {
    auto length = [&] { writeDimension(out, "   Section Length", s.sectionLength, u.length); };
    switch (s.sectionType) {
        case kRectangularConcretePile:
            writeTypeLine(out, "= Rectangular Concrete Pile");
            length();
            break;
        case kDrilledShaft:
            writeTypeLine(out, "= Drilled Shaft (Bored Pile)");
            length();
            writeDimension(out, "   Section Diameter", s.diameter, u.dimension);
            break;
        case kDrilledShaftWithCasing:
        case kDrilledShaftWithCasingAndCore:
            if (s.sectionType == kDrilledShaftWithCasing)
                writeTextLine(out, "   Section Type = Drilled Shaft with Permanent Casing  ");
            else if (s.filledCore)
                writeTextLine(out, "   Section Type = Drilled Shaft with Casing and Concrete-filled Core   ");
            else
                writeTextLine(out, "   Section Type = Drilled Shaft with Casing and Void Core   ");
            length();
            writeDimension(out, "   Section Diameter", s.diameter, u.dimension);
            break;
        case kSteelPipePile:
        case kCircularSolidPrestressed:
        case kCircularHollowPrestressed:
            if (s.sectionType == kSteelPipePile)
                writeTextLine(out, "   Section Type = Steel Pipe Pile            ");
            else if (s.sectionType == kCircularSolidPrestressed)
                writeTextLine(out, "   Section Type = Circular Solid Prestressed Pile    ");
            else
                writeTextLine(out, "   Section Type = Circular Hollow Prestressed Pile    ");
            length();
            writeDimension(out, "   Pile Diameter", s.diameter, u.dimension);
            if (s.sectionType == kCircularHollowPrestressed)
                writeDimension(out, "   Void Diameter", s.voidDiameter, u.dimension);
            break;
        case kSquareSolidPrestressed:
            writeTextLine(out, "   Section Type = Square Solid Prestressed Pile     ");
            length();
            writeDimension(out, "   Pile Width", s.diameter, u.dimension);
            writeDimension(out, "   Corner Chamfer", s.chamfer, u.dimension);
            break;
        case kSquareHollowPrestressed:
            writeTextLine(out, "   Section Type = Square Hollow Prestressed Pile     ");
            length();
            writeDimension(out, "   Pile Width", s.diameter, u.dimension);
            writeDimension(out, "   Void Diameter", s.voidDiameter, u.dimension);
            writeDimension(out, "   Corner Chamfer", s.chamfer, u.dimension);
            break;
        case kOctagonalSolidPrestressed:
        case kOctagonalHollowPrestressed:
            if (s.sectionType == kOctagonalSolidPrestressed)
                writeTextLine(out, "   Section Type = Octagonal Solid Prestressed Pile    ");
            else
                writeTextLine(out, "   Section Type = Octagonal Hollow Prestressed Pile   ");
            length();
            writeDimension(out, "   Pile Width", s.diameter, u.dimension);
            if (s.sectionType == kOctagonalHollowPrestressed)
                writeDimension(out, "   Void Diameter", s.voidDiameter, u.dimension);
            break;
        case kElasticPile:
            writeTypeLine(out, "=    Elastic Pile");
            writeElasticShape(out, s, u, false);
            break;
        case kElasticPlasticPile:
            writeTypeLine(out, "= Elastic with Specified Moment Capacity ");
            writeElasticShape(out, s, u, true);
            break;
        case kUserEiPile:
            writeTypeLine(out, "= Pile with User-defined Nonlinear EI");
            length();
            writeDimension(out, "   Section Diameter", s.diameter, u.dimension);
            writeUserEiTables(out, s, u);
            break;
        case kMicropile:
            writeTypeLine(out, "= Micropile");
            length();
            writeDimension(out, "   Section Width", s.width, u.dimension);
            break;
        default:
            break;  // the reader accepts no other code
    }
}

// Input error 27: every pile property point needs a positive diameter for the p-y curves.
void checkPileDiameters(Run& run) {
    const PileSections& piles = run.model.sections;
    const int points = std::clamp(piles.propertyPointCount, 0, kMaxPilePoints);
    bool zero = false;
    for (int k = 1; k <= points; ++k) zero = zero || piles.point[k].diameter <= 0.0;
    if (!zero) return;
    for (Channel* channel : {&run.messages, &run.report}) {
        writeBlankLines(*channel, 1);
        writeInputErrorHeading(*channel, 27);
        writeMessageLines(*channel, {"", "Problem:  Zero values for one of the following values were ",
                                     "entered for one or more values of pile diameter.", "",
                                     "Solution:  NONE of these values may be zero.  Correct the ",
                                     "pile property data in your input data.", ""});
    }
    raiseInputError(run, 27);
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void echoTitle(Run& run) {
    Channel& out = run.report;
    writeEchoHeading(out, 2, 32, "Problem Title");
    writeBlankLines(out, 1);
    for (int k = 1; k <= 5; ++k) {
        std::string line = run.model.title[static_cast<std::size_t>(k)];
        line.resize(kTitleWidth, ' ');
        writeTextLine(out, line);
    }
    writeBlankLines(out, 1);
}

void echoProgramOptions(Run& run) {
    Channel& out = run.report;
    const ProgramOptions& o = run.model.options;
    writeEchoHeading(out, 1, 31, "Program Options");
    switch (o.IUNITS) {
        case kUSCS: writeTextLine(out, "Engineering units are US Customary Units: pounds, inches, feet"); break;
        case kSI: writeTextLine(out, "Engineering units are SI Units: kilonewtons, meters, millimeters"); break;
        case kGeneral: writeTextLine(out, "Engineering units are Generic Units: force, length"); break;
        default: break;
    }
    if (o.IUNITS >= kUSCS && o.IUNITS <= kGeneral) writeBlankLines(out, 1);

    writeTextLine(out, "Basic Program Options:");
    writeBlankLines(out, 1);
    switch (o.i_Analysis_Type) {
        case 2:
            writeTextLine(out, "This analysis computes nominal moment capacity and nonlinear bending stiffness only.");
            writeBlankLines(out, 2);
            return;  // no lateral analysis: no computation, solution or output options
        case 3:
            writeTextLine(out, "This analysis computes pile response to lateral loading and will compute nonlinear ");
            writeTextLine(out, "moment-curvature and nominal moment capacity for section types with nonlinear properties.");
            writeBlankLines(out, 1);
            break;
        case 5:
            writeTextLine(out, "This analysis computes pile response using user-specified nonlinear bending stiffness.");
            writeBlankLines(out, 1);
            break;
        default:
            break;
    }
    writeComputationOptions(run);
    writeSolutionControl(run);
    writeResponseOutputOptions(run);
}

void echoPileProperties(Run& run) {
    Channel& out = run.report;
    PileSections& piles = run.model.sections;
    const UnitLabels& labels = run.units;

    writeEchoHeading(out, 0, 20, "Pile Structural Properties and Geometry");
    Line(out).text("Total number of pile sections").tab(kLabelColumn).text("= ").i(piles.count, 10).end();
    writeBlankLines(out, 1);
    Line(out)
        .text("Total length of pile ")
        .tab(kLabelColumn)
        .text("= ")
        .f(piles.pileLength, 10, 2)
        .text(" ")
        .text(labels.DepthUnit)
        .end();
    writeBlankLines(out, 1);
    Line(out)
        .text("Depth of ground surface below top of pile")
        .tab(kLabelColumn)
        .text("= ")
        .f(run.model.soil.groundSurface, 10, 2)
        .text(" ")
        .text(labels.DepthUnit)
        .end();
    writeBlankLines(out, 1);

    Line(out)
        .text("Pile diameter values used for p-y curve computations are defined using ")
        .i(piles.propertyPointCount, 0)
        .text(" points.")
        .end();
    writeBlankLines(out, 1);
    writeTextLine(out, "p-y curves are computed using pile diameter values interpolated with depth over ");
    writeTextLine(out, "the length of the pile.");
    writeBlankLines(out, 1);
    writeTextLine(out, "Point         Depth              Pile   ");
    writeTextLine(out, "                X              Diameter ");
    Line(out).tab(17).text(labels.DepthUnit).tab(35).text(labels.DeflectionUnit).end();
    writeTextLine(out, "-----       ---------        -----------");
    // The count is checked against the table later (input error 17); never read past it here.
    const int points = std::clamp(piles.propertyPointCount, 0, kMaxPilePoints);
    for (int k = 1; k <= points; ++k) {
        const PilePropertyPoint& p = piles.point[k];
        Line(out).integer(k, 3).blanks(5).real(p.depth, 13).blanks(5).real(p.diameter, 14).end();
    }

    writeBlankLines(out, 2);
    writeTextLine(out, "Input Structural Properties:");
    writeRule(out, 28, '-');
    const SectionUnits units = makeSectionUnits(labels);
    const int sections = std::clamp(piles.count, 0, kMaxSections);
    int lastUserEi = 0;
    for (int k = 1; k <= sections; ++k)
        if (piles.section[k].sectionType == kUserEiPile) lastUserEi = k;
    for (int k = 1; k <= sections; ++k) {
        writeBlankLines(out, 1);
        Line(out).text("Pile Section No. ").i(k, 0).text(":").end();
        writeBlankLines(out, 1);
        writeSection(out, piles.section[k], units);
        if (k == lastUserEi) writeBlankLines(out, 1);
    }

    checkPileDiameters(run);
}

void checkPilePointCount(Run& run) {
    const int n = run.model.sections.propertyPointCount;
    if (n >= kMinPilePoints && n <= kMaxPilePoints) return;
    for (Channel* channel : {&run.messages, &run.report}) {
        writeBlankLines(*channel, 2);
        writeInputErrorHeading(*channel, 17);
        writeBlankLines(*channel, 1);
        Line(*channel)
            .text("The number of points to define the pile properties is 2 to 40, not the input value of ")
            .i(n, 10)
            .end();
        writeBlankLines(*channel, 1);
    }
    raiseInputError(run, 17);
}

}  // namespace mervik
