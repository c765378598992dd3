// Piedmont residual soil p-y curves, model code 10. The curve comes from one in-situ field test
// per layer, named by the test type at the layer top: the standard penetration test (N60), the
// cone penetration test (qc), the dilatometer (Ed) or the pressuremeter (Ep). The test value,
// interpolated over the layer, gives an initial subgrade modulus Ei; the curve is the line
// p = Ei b y up to y1 = 0.001 b, then p = Ei b y (1 - 0.2162 ln(1000 y / b)) up to yu = 0.0375 b,
// and flat at pu = 0.008112 Ei b^2 beyond. The correlations are dimensional (US customary or
// SI). The layer counts as rock-like for the layers below it; it has no layering correction and
// no layer resistance. The curve takes the deflection relative to the free-field soil movement
// and, like the soils, passes the movement on to the pile as a load.
#include <cmath>
#include <cstddef>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "py/py_node_loop.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

// Initial modulus Ei per unit of the test value. US customary: pci per blow/ft (SPT) and per psi
// (CPT, DMT, PMT). SI: the same correlations carried over to kN/m3 from blows/0.3 m and kPa
// (kPa to psi, then the modulus per metre instead of per inch).
constexpr double kSptUS = 22.0;
constexpr double kSptSI = 151.68465995788574;
constexpr double kCpt = 0.8135813628874473;
constexpr double kDmtUS = 0.07599999755620956;
constexpr double kDmtSI = 0.5240015357324452;
constexpr double kPmtUS = 0.23499999940395355;
constexpr double kPmtSI = 1.6202679545314567;
constexpr double kMetresPerInch = 0.02539999969303608;
constexpr double kKpaPerPsi = 6.894757270812988;

constexpr double kLinearEnd = 0.0010000000474974513;   // y1 / b
constexpr double kUltimateAt = 0.03750000149011612;    // yu / b
constexpr double kUltimate = 0.008112028136109242;     // pu / (Ei b^2)
constexpr double kLogSlope = 0.21624703162973105;
constexpr double kZeroDeflection = 9.9999998245167E-15;
constexpr double kLastPoint = 1.0499999523162842;      // last printed deflection / yu
constexpr int kPrintedPoints = 17;

// Input error of field test data the curve cannot be built from: general units, a test type
// outside 1 to 4, a negative value of the named test.
constexpr int kFieldTestError = 76;

struct PiedmontDepth {
    int test = 0;     // the layer's test type (top value)
    double v = 0.0;   // test value at the node
    double Ei = 0.0;  // initial modulus
};

struct PiedmontCurve {
    double Ei = 0.0, b = 0.0, Ki = 0.0, y1 = 0.0, yu = 0.0, pu = 0.0, ym = 1.0;
};

double piedmontP(const PiedmontCurve& c, double y) {
    if (y < c.y1) return c.Ki * y;
    if (y < c.yu) return c.Ei * c.b * y * (1.0 - kLogSlope * std::log(1000.0 * y / c.b));
    return c.pu;
}

double initialModulus(int IUNITS, int test, double v) {
    const bool us = IUNITS == kUSCS;
    switch (test) {
        case kPiedmontSpt: return us ? kSptUS * v : v * kSptSI / kMetresPerInch;
        case kPiedmontCpt: return us ? v * kCpt : v * kCpt / kMetresPerInch;
        case kPiedmontDmt: return us ? v * kDmtUS : v / kKpaPerPsi * kDmtSI / kMetresPerInch;
        case kPiedmontPmt: return us ? v * kPmtUS : v / kKpaPerPsi * kPmtSI / kMetresPerInch;
        default: return 0.0;
    }
}

const TopBottom<double>* testValues(const SoilLayer& s, int test) {
    switch (test) {
        case kPiedmontSpt: return &s.sptN60;
        case kPiedmontCpt: return &s.coneTip;
        case kPiedmontDmt: return &s.dmtModulus;
        case kPiedmontPmt: return &s.pmtModulus;
        default: return nullptr;
    }
}

// Name of the test value in the printed curve and in the error text.
std::string_view testValueName(int test) {
    switch (test) {
        case kPiedmontSpt: return "SPT N60-value";
        case kPiedmontCpt: return "CPT qc";
        case kPiedmontDmt: return "dilatometer modulus";
        default: return "pressuremeter modulus";
    }
}

// The field test data of layer L checked once at each node's first evaluation: the correlations
// exist only in US customary and SI units, for the four tests, and a negative test value would
// make the soil push the pile.
void raiseFieldTestError(Run& run, const PyPoint& at, const SoilLayer& s, const TopBottom<double>* values) {
    const int IUNITS = run.model.options.IUNITS;
    const auto write = [&](Channel& c) {
        writeInputErrorHeading(c, kFieldTestError);
        writeTextLines(c, {"", "An error was detected in the field test data of a layer of Piedmont residual soil.", ""});
        if (IUNITS != kUSCS && IUNITS != kSI) {
            writeTextLines(c, {"Problem:  General units have been selected.  The initial modulus of the p-y curve",
                               "          is computed from the field test value in US customary or SI units only.", "",
                               "Solution:  Select US customary or SI units."});
        } else if (values == nullptr) {
            Line(c).text("Problem:  The type of field test is ").i(s.testType.top, 0).text(".").end();
            writeTextLines(c, {"          It must be 1 (SPT), 2 (CPT), 3 (DMT) or 4 (PMT).", "",
                               "Solution:  Correct the type of field test at the top of the layer."});
        } else {
            const bool top = values->top < 0.0;
            Line(c)
                .text("Problem:  The ")
                .text(testValueName(s.testType.top))
                .text(top ? " at the top of the layer is " : " at the bottom of the layer is ")
                .es(top ? values->top : values->bottom, 12, 4)
                .text(", less than zero.")
                .end();
            writeTextLines(c, {"", "Solution:  Correct the field test values of the layer."});
        }
        writeBlankLines(c, 1);
        Line(c).text("Layer no. = ").i(at.L, 0).text(", Depth = ").f(at.d.zs, 10, 3).end();
        writeBlankLines(c, 1);
    };
    write(run.messages);
    write(run.report);
    raiseInputError(run, kFieldTestError);
}

struct Piedmont {
    using Depth = PiedmontDepth;
    using Curve = PiedmontCurve;
    static constexpr PyLawRules kRules{};

    static void repeatWarnings(Run&, const PiedmontDepth&) {}

    // The test value at zs, linear between the layer's own top and bottom values over its
    // property points (no averaging with the layer above or below), and Ei from it.
    static bool lookUp(Run& run, const PyPoint& at, PiedmontDepth& v) {
        const auto L = static_cast<std::size_t>(at.L);
        const SoilLayer& s = run.model.soil.layer[L];
        const int IUNITS = run.model.options.IUNITS;
        v.test = s.testType.top;
        const TopBottom<double>* values = testValues(s, v.test);
        if ((IUNITS != kUSCS && IUNITS != kSI) || values == nullptr || values->top < 0.0 || values->bottom < 0.0) {
            raiseFieldTestError(run, at, s, values);
            return false;
        }
        const SoilProfile& soil = run.model.soil;
        v.v = valueInLayer(values->top, values->bottom, soil.propertyDepth[2 * L - 1], soil.propertyDepth[2 * L], at.d.zs);
        v.Ei = initialModulus(IUNITS, v.test, v.v);
        return true;
    }

    static void curve(Run&, const PyPoint& at, const PiedmontDepth& v, const PiedmontCurve&, PiedmontCurve& c) {
        c.Ei = v.Ei;
        c.b = at.b;
        c.Ki = v.Ei * at.b;
        c.y1 = kLinearEnd * at.b;
        c.yu = kUltimateAt * at.b;
        c.pu = kUltimate * v.Ei * at.b * at.b;
        c.ym = at.ym;
    }

    // At zero deflection the initial slope, divided by the y-multiplier.
    static double threshold(const PiedmontCurve&) { return kZeroDeflection; }
    static double limitingModulus(const PiedmontCurve& c) { return c.Ki / c.ym; }
    static double p(const PiedmontCurve& c, double y) { return piedmontP(c, y); }

    static void print(Run& run, const PyPoint& at, const PiedmontDepth& v, const PiedmontCurve& c);
};

void writeTestLines(Run& run, const PiedmontDepth& v) {
    Channel& r = run.report;
    const bool us = run.model.options.IUNITS == kUSCS;
    const auto type = [&](std::string_view name) { Line(r).text("Type of Field Test").tab(56).text("= ").text(name).end(); };
    const std::string_view stress = us ? "psi" : "kPa";
    switch (v.test) {
        case kPiedmontSpt:
            type("Standard Penetration Test");
            writeCurveLabelLine(r, "SPT  N60-value", v.v, 12, 3, us ? "blows/ft" : "blows/0.3 m");
            break;
        case kPiedmontCpt:
            type("Cone Penetration Test");
            writeCurveLabelLine(r, "CPT qc", v.v, 12, 3, stress);
            break;
        case kPiedmontDmt:
            type("Dilatometer Test");
            writeCurveLabelLine(r, "DMT Edmt", v.v, 12, 3, stress);
            break;
        case kPiedmontPmt:
            type("Pressuremeter Test");
            writeCurveLabelLine(r, "DMT Epmt", v.v, 12, 3, stress);
            break;
        default: break;
    }
}

void Piedmont::print(Run& run, const PyPoint& at, const PiedmontDepth& v, const PiedmontCurve& c) {
    const UnitLabels& u = run.units;
    writeShaftCurveHeading(run, at, "p-y Curve Computed Using the Piedmont Residual Soil Criteria");
    writeTestLines(run, v);
    writeCurveLabelLine(run.report, "Initial p-y Modulus from Field Tests", v.Ei, 12, 3, u.StressUnit + u.slash + u.DeflectionUnit);
    writeShortCurveTableHeading(run, at, kPrintedPoints);

    // 0, y1, then 13 steps of s = (yu - y1) / 14, yu and a point on the flat part past yu.
    const double s = (c.yu - c.y1) / 14.0;
    double y = 0.0;
    for (int i = 1; i <= kPrintedPoints; ++i) {
        if (i == 2) y = c.y1;
        if (i >= 3 && i <= 15) y += s;
        if (i == 16) y = c.yu;
        if (i == 17) y = kLastPoint * c.yu;
        writeCurvePoint(run, at, at.ym * y, at.pm * piedmontP(c, y), i);
    }
}

}  // namespace

void pyPiedmont(Run& run, int L) { runPyModel<Piedmont>(run, L); }

}  // namespace mervik
