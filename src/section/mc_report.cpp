// Report blocks of the moment-curvature computation of one nonlinear pile section: the list of
// axial thrusts, the definitions of the run messages, one moment-curvature table per thrust,
// the point-limit warning, the summary of nominal and factored moment capacities, and the texts
// of the axial-capacity errors of the thrust checks.
#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "report/layout.hpp"
#include "section/section_analysis.hpp"

namespace mervik {
namespace {

constexpr int kColumnWidth = 14;  // width of every value column of a moment-curvature table

// Resistance factors of the factored capacity table, held in single precision (0.65, 0.70,
// 0.75).
constexpr std::array<double, 3> kResistanceFactors = {0.6499999761581421, 0.699999988079071, 0.75};

// Value columns of a moment-curvature table after curvature, moment, stiffness and depth to the
// neutral axis.
enum class Column { CompStrain, TensStrain, ConcreteStress, SteelStress, CasingStress, CoreStress, TotalStress };

// One column of the table heading: its two title cells (already laid out in 14 characters) and
// its unit in US customary and SI units.
struct ColumnHeading {
    std::string_view title1, title2, unitUS, unitSI;
};

constexpr std::array<ColumnHeading, 4> kLeadingHeadings = {{
    {"    Bending   ", "   Curvature  ", "rad/in.", "rad/m"},
    {"    Bending   ", "    Moment    ", "in-kip", "kN-m"},
    {"    Bending   ", "   Stiffness  ", "kip-in2", "kN-m2"},
    {"    Depth to  ", "     N Axis   ", "in", "m"},
}};

ColumnHeading headingOf(Column c) {
    switch (c) {
        case Column::CompStrain: return {"    Max Comp  ", "     Strain   ", "in/in", "m/m"};
        case Column::TensStrain: return {"    Max Tens  ", "     Strain   ", "in/in", "m/m"};
        case Column::ConcreteStress: return {"  Max Concrete", "     Stress   ", "ksi", "kPa"};
        case Column::SteelStress: return {"   Max Steel  ", "     Stress   ", "ksi", "kPa"};
        case Column::CasingStress: return {"   Max Casing ", "     Stress   ", "ksi", "kPa"};
        case Column::CoreStress: return {"    Max Core  ", "     Stress   ", "ksi", "kPa"};
        case Column::TotalStress: return {"   Max Total  ", "     Stress   ", "ksi", "kPa"};
    }
    return {};
}

double valueOf(const MomentCurvatureTable& t, Column c, int k) {
    switch (c) {
        case Column::CompStrain: return t.epsTop[k];
        case Column::TensStrain: return t.epsBot[k];
        case Column::ConcreteStress: return t.sigmaC[k];
        case Column::SteelStress: return t.sigmaS[k];
        case Column::CasingStress: return t.sigmaCas[k];  // the pipe wall of a steel pipe too
        case Column::CoreStress: return t.sigmaCore[k];
        case Column::TotalStress: return t.sigmaCas[k];
    }
    return 0.0;
}

constexpr std::array<Column, 1> kPipeColumns = {Column::TotalStress};
constexpr std::array<Column, 4> kConcreteColumns = {Column::CompStrain, Column::TensStrain, Column::ConcreteStress,
                                                    Column::SteelStress};
constexpr std::array<Column, 5> kCasingColumns = {Column::CompStrain, Column::TensStrain, Column::ConcreteStress,
                                                  Column::SteelStress, Column::CasingStress};
constexpr std::array<Column, 6> kCasingAndCoreColumns = {Column::CompStrain,     Column::TensStrain,
                                                         Column::ConcreteStress, Column::SteelStress,
                                                         Column::CasingStress,   Column::CoreStress};

// The value columns of the section's table: the pipe shows its largest wall stress only; the
// concrete sections show strains and stresses, with the casing of a mild-steel shaft and the
// casing and core of a shaft with a steel core added.
std::span<const Column> columnsOf(const SectionWork& section) {
    switch (section.shape) {
        case SectionShape::SteelPipe: return kPipeColumns;
        case SectionShape::CircleWithCasingAndCore: return kCasingAndCoreColumns;
        case SectionShape::CircleWithCasing:
            if (section.materials.steelModel == SteelModel::MildSteel) return kCasingColumns;
            return kConcreteColumns;
        default: return kConcreteColumns;
    }
}

// A unit text centred in a column of 14 characters; when the blanks do not split evenly the
// extra blank goes to the left, next to the right-aligned number of the column before.
std::string centred(std::string_view unit) {
    const int len = static_cast<int>(unit.size());
    const int left = len >= kColumnWidth ? 0 : (kColumnWidth - len + 1) / 2;
    std::string cell(static_cast<std::size_t>(left), ' ');
    cell += unit;
    if (static_cast<int>(cell.size()) < kColumnWidth) cell.resize(kColumnWidth, ' ');
    return cell;
}

// Counts bounded by the table capacities, so that no row is read past a table.
int thrustCountOf(const SectionWork& s) { return std::clamp(s.thrustCount, 0, kMaxAxialThrusts); }
int pointCountOf(const MomentCurvatureTable& t) { return std::clamp(t.n, 0, kMaxCurvePoints); }

// Bending stiffness of a relation at the moment Mf, interpolated linearly in the moment between
// the first point k >= 2 whose moment reaches Mf and the point before it (points 1 and 2 when
// Mf is at most M(2); the last two points when no point reaches it).
double stiffnessAtMoment(const MomentCurvatureTable& t, double Mf) {
    const int n = pointCountOf(t);
    if (n < 2) return n == 1 ? t.EI[1] : 0.0;
    int k = 2;
    while (k < n && t.M[k] < Mf) ++k;
    const double dM = t.M[k] - t.M[k - 1];
    if (dM == 0.0) return t.EI[k];
    return t.EI[k - 1] + (t.EI[k] - t.EI[k - 1]) * (Mf - t.M[k - 1]) / dM;
}

char messageChar(char c) { return c == '\0' ? ' ' : c; }

void writeDashes(Channel& out, int count) { writeTextLine(out, std::string(static_cast<std::size_t>(count), '-')); }

void writePipeSummary(Run& run) {
    Channel& out = run.report;
    const SectionWork& s = run.section;
    writeTextLine(out, " Load           Axial Thrust        Nominal Mom. Cap.");
    Line(out).text("  No.              ").a(s.units.force, 7).text("              ").a(s.units.moment, 7).end();
    writeTextLine(out, " ----         ----------------     ------------------");
    for (int i = 1; i <= thrustCountOf(s); ++i) {
        Line(out).i(i, 4).f(s.thrust[i], 22, 3).f(s.table[i].Mn, 22, 1).end();
    }
    writeBlankLines(out, 1);
    writeTextLine(out, "Note that the values in the above table are not factored by a strength");
    writeTextLine(out, "reduction factor for LRFD.");
    writeBlankLines(out, 1);
    writeTextLine(out, "The value of the strength reduction factor depends on the provisions of the ");
    writeTextLine(out, "LRFD code being followed.");
    writeBlankLines(out, 1);
    writeTextLine(out, "The above values should be multiplied by the appropriate strength reduction ");
    writeTextLine(out, "factor to compute ultimate moment capacity according to the LRFD structural ");
    writeTextLine(out, "design standard being followed.");
    writeBlankLines(out, 2);
}

void writeFactoredCapacityTable(Run& run) {
    Channel& out = run.report;
    const SectionWork& s = run.section;
    writeBlankLines(out, 1);
    writeTextLine(out, " Axial     Resistance           Nominal           Ultimate (Factored)     Ultimate (Factored)     "
                       "Bending Stiffness");
    writeTextLine(out, " Load        Factor         Moment Capacity          Axial Thrust           Moment Capacity       "
                       "at Ult. Mom. Cap.");
    Line(out)
        .text("  No.      for Moment")
        .tab(32)
        .text(s.units.moment)
        .tab(57)
        .text(s.units.force)
        .tab(80)
        .text(s.units.moment)
        .tab(104)
        .text(s.units.stiffness)
        .end();
    writeTextLine(out, " -----     ----------     -------------------     -------------------     -------------------     "
                       "-------------------");
    for (std::size_t b = 0; b < kResistanceFactors.size(); ++b) {
        const double f = kResistanceFactors[b];
        if (b > 0) writeTextLine(out, " ");
        for (int i = 1; i <= thrustCountOf(s); ++i) {
            const MomentCurvatureTable& t = s.table[i];
            const double fMn = f * t.Mn;
            Line(out)
                .i(i, 4)
                .tab(14)
                .f(f, 5, 2)
                .f(t.Mn, 24, 3)
                .f(f * s.thrust[i], 24, 3)
                .f(fMn, 24, 3)
                .f(stiffnessAtMoment(t, fMn), 24, 3)
                .end();
        }
    }
}

void writeConcreteSummary(Run& run) {
    Channel& out = run.report;
    const SectionWork& s = run.section;
    writeTextLine(out, "Moment values interpolated at maximum compressive strain = 0.003");
    writeTextLine(out, "or maximum developed moment if pile fails at smaller strains.");
    writeBlankLines(out, 1);
    writeTextLine(out, " Load           Axial Thrust        Nominal Mom. Cap.      Max. Comp.");
    Line(out).text("  No.").tab(20).text(s.units.force).tab(41).text(s.units.moment).tab(62).text("Strain").end();
    writeTextLine(out, " ----         ----------------     ------------------     ------------");
    for (int i = 1; i <= thrustCountOf(s); ++i) {
        Line(out).i(i, 4).f(s.thrust[i], 22, 3).f(s.table[i].Mn, 22, 3).f(s.table[i].epsN, 21, 8).end();
    }
    writeBlankLines(out, 1);
    writeTextLine(out, "Note note that the values of moment capacity in the table above are not ");
    writeTextLine(out, "factored by a strength reduction factor (phi-factor).");
    writeBlankLines(out, 1);
    writeTextLine(out, "In ACI 318-08, the value of the strength reduction factor depends on whether ");
    writeTextLine(out, "the transverse reinforcing steel bars are tied hoops (0.65) or spirals (0.70).");
    writeBlankLines(out, 1);
    writeTextLine(out, "The above values should be multiplied by the appropriate strength reduction ");
    writeTextLine(out, "factor to compute ultimate moment capacity according to ACI 318-08, Section ");
    writeTextLine(out, "9.3.2.2 or the value required by the design standard being followed.");
    writeBlankLines(out, 1);
    writeTextLine(out, "The following table presents factored moment capacities and corresponding ");
    writeTextLine(out, "bending stiffnesses computed for common resistance factor values used for ");
    writeTextLine(out, "reinforced concrete sections.");
    writeFactoredCapacityTable(run);
}

void writeAxialThrustErrorText(Channel& out, const std::string& forceUnit, int errorNumber, int position, double P,
                               double capacity) {
    const bool lrfd = errorNumber == 26 || errorNumber == 27;
    const bool tension = errorNumber == 25 || errorNumber == 27;
    writeBlankLines(out, 2);
    writeRuntimeErrorHeading(out, errorNumber);
    writeBlankLines(out, 1);
    Line(out)
        .text(lrfd ? "PROBLEM:  The axial thrust load for LRFD load case no. "
                   : "PROBLEM:  The axial thrust load for load case no. ")
        .i(position, 0)
        .text(tension ? " exceeds the axial structural capacity in tension."
                      : " exceeds the axial structural capacity in compression.")
        .end();
    std::string_view loadLabel, capacityLabel;
    switch (errorNumber) {
        case 24:
            loadLabel = "          Axial thrust load                  = ";
            capacityLabel = "          Nominal axial compressive capacity = ";
            break;
        case 25:
            loadLabel = "          Axial thrust load              = ";
            capacityLabel = "          Nominal axial tensile capacity = ";
            break;
        case 26:
            loadLabel = "          Factored axial thrust load     = ";
            capacityLabel = "          Nominal axial compressive capacity = ";
            break;
        default:
            loadLabel = "          Factored axial thrust load     = ";
            capacityLabel = "          Nominal axial tensile capacity = ";
            break;
    }
    Line(out).text(loadLabel).f(P, 15, 3).text(forceUnit).end();
    Line(out).text(capacityLabel).f(capacity, 15, 3).text(forceUnit).end();
    writeBlankLines(out, 1);
    writeTextLine(out, "SOLUTION: Change the properties of the section to increase the axial structural capacity.");
    writeBlankLines(out, 1);
}

}  // namespace

void writeThrustSelection(Run& run, bool thrustsDropped) {
    Channel& out = run.report;
    const ProgramOptions& o = run.model.options;
    const int count = run.section.thrustCount;
    if (o.i_Analysis_Type == 2) {
        if (thrustsDropped) {
            writeBlankLines(out, 1);
            writeTextLine(out, "The following computations were performed only for the axial thrust values in the valid range.");
        }
        writeBlankLines(out, 2);
        writeTextLine(out, "Input Axial Thrust Forces:");
        writeDashes(out, 26);
        writeBlankLines(out, 1);
        Line(out).text("Number of Axial Thrust Force Values Determined from Input Data = ").i(count, 0).end();
    } else {
        writeBlankLines(out, 2);
        Line(out)
            .text(o.useLrfd ? "Number of Axial Thrust Force Values Determined from LRFD Pile-head Loadings = "
                            : "Number of Axial Thrust Force Values Determined from Pile-head Loadings = ")
            .i(count, 0)
            .end();
    }
    writeBlankLines(out, 1);
}

void writeThrustTable(Run& run) {
    Channel& out = run.report;
    const SectionWork& s = run.section;
    writeTextLine(out, "   Number     Axial Thrust Force");
    Line(out).tab(20).text(s.units.force).end();
    writeTextLine(out, "   ------     ------------------");
    for (int i = 1; i <= thrustCountOf(s); ++i) Line(out).i(i, 7).x(9).f(s.thrust[i], 12, 3).end();
}

void writeRunMessageDefinitions(Run& run) {
    Channel& out = run.report;
    if (run.section.shape == SectionShape::SteelPipe) {
        writeBlankLines(out, 1);
        writeTextLine(out, "Definition of Run Messages:");
        writeBlankLines(out, 1);
        writeTextLine(out, "   Y = part of pipe section has yielded.");
        return;
    }
    writeBlankLines(out, 2);
    writeTextLine(out, "Definitions of Run Messages and Notes:");
    writeDashes(out, 38);
    writeBlankLines(out, 1);
    writeTextLine(out, "   C = concrete in section has cracked in tension.");
    writeTextLine(out, "   Y = stress in reinforcing steel has reached yield stress.");
    writeTextLine(out, "   T = ACI 318-08 criteria for tension-controlled section met, tensile strain in ");
    writeTextLine(out, "       reinforcement exceeds 0.005 while simultaneously compressive strain in ");
    writeTextLine(out, "       concrete more than than 0.003. See ACI 318-08, Section 10.3.4.");
    writeTextLine(out, "   Z = depth of tensile zone in concrete section is less than 10 percent of section depth.");
    writeBlankLines(out, 1);
    writeTextLine(out, "Bending Stiffness (EI) = Computed Bending Moment / Curvature.");
    writeTextLine(out, "Position of neutral axis is measured from edge of compression side of pile.");
    writeTextLine(out, "Compressive stresses and strains are positive in sign.");
    writeTextLine(out, "Tensile stresses and strains are negative in sign.");
}

void writeMomentCurvatureHeading(Run& run, int i) {
    Channel& out = run.report;
    const SectionWork& s = run.section;
    // As everywhere in the section analysis, every unit system other than US customary is
    // labelled in SI units.
    const bool si = run.model.options.IUNITS != kUSCS;
    writeBlankLines(out, 2);
    Line(out).text("Axial Thrust Force = ").f(s.thrust[i], 10, 3).a(s.units.force, 7).end();
    writeBlankLines(out, 1);

    // Four heading lines, one 14-character cell per column, then the run-message column.
    std::string titles1, titles2, unitLine, dashLine;
    auto addColumn = [&](const ColumnHeading& h) {
        titles1 += h.title1;
        titles2 += h.title2;
        unitLine += centred(si ? h.unitSI : h.unitUS);
        dashLine += " -------------";
    };
    for (const ColumnHeading& h : kLeadingHeadings) addColumn(h);
    for (Column c : columnsOf(s)) addColumn(headingOf(c));
    writeTextLine(out, titles1 + "  Run");
    writeTextLine(out, titles2 + "  Msg");
    writeTextLine(out, unitLine);
    writeTextLine(out, dashLine + "  ---");
}

void writeMomentCurvatureRows(Run& run, int i) {
    Channel& out = run.report;
    const SectionWork& s = run.section;
    const MomentCurvatureTable& t = s.table[i];
    const std::span<const Column> columns = columnsOf(s);
    for (int k = 1; k <= pointCountOf(t); ++k) {
        Line row(out);
        row.real(t.phi[k], kColumnWidth).real(t.M[k], kColumnWidth).real(t.EI[k], kColumnWidth).real(t.yN[k], kColumnWidth);
        for (Column c : columns) row.real(valueOf(t, c, k), kColumnWidth);
        const std::array<char, 3>& m = t.msg[k];
        const std::string message = {messageChar(m[0]), messageChar(m[1]), messageChar(m[2])};
        row.blanks(2).text(message).end();
    }
}

void writePointLimitWarning(Run& run) {
    Channel& out = run.report;
    writeBlankLines(out, 1);
    Line(out).text("Warning: ").i(kMaxCurvePoints, 0).text(" values were calculated for moment-curvature.").end();
    writeTextLine(out,
                  "This usually indicates that the pile is too weak or is under-reinforced, where all reinforcing steel "
                  "has yielded.");
    writeBlankLines(out, 1);
    writeTextLine(out, "The input data should be examined and the amount of steel reinforcement should be increased if "
                       "necessary.");
    writeBlankLines(out, 1);
}

void writeCapacitySummary(Run& run) {
    Channel& out = run.report;
    writeBlankLines(out, 2);
    writeDashes(out, 80);
    Line(out)
        .text("   Summary of Results for Nominal (Unfactored) Moment Capacity for Section ")
        .i(run.section.section, 0)
        .end();
    writeDashes(out, 80);
    writeBlankLines(out, 1);
    if (run.section.shape == SectionShape::SteelPipe) {
        writePipeSummary(run);
    } else {
        writeConcreteSummary(run);
    }
}

void writeAxialThrustError(Run& run, int errorNumber, int position, double P, double capacity) {
    const std::string& unit = run.section.units.force;
    writeAxialThrustErrorText(run.messages, unit, errorNumber, position, P, capacity);
    writeAxialThrustErrorText(run.report, unit, errorNumber, position, P, capacity);
}

}  // namespace mervik
