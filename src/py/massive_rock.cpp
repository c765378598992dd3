// Massive rock (code 16, Hoek-Brown data). The engine has no p-y criterion for massive rock: the
// routine checks the data of the layer at its first node (pile width, unit weight, compressive
// strength) and then ends the analysis with result 99, without an error text and without the
// closing line of a normal run. The layers above are evaluated once before, in the same pass;
// a layer wholly below the pile tip holds no node and is never visited.
#include <string>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "py/py_framework.hpp"
#include "py/py_models.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

// Input error 5 of the rock strength: the pile reaches below the compressive strength data.
// The two files word the opening and the solution with different line breaks.
void writeBelowRockStrength(Run& run, Channel& c, double x, double deepest, bool reportFile) {
    const std::string& unit = run.units.DeflectionUnit;
    writeInputErrorHeading(c, 5);
    if (reportFile) {
        writeTextLines(c, {"", "An error was detected that is related to an incompatibility between ",
                           "the input data defining pile embedment depth and values of uniaxial ",
                           "compressive strength of rock versus depth.", ""});
    } else {
        writeTextLines(c, {"", "An error was detected that is related to an incompatibility ",
                           "between the input data defining pile embedment depth and rock ",
                           "uniaxial compressive strength values versus depth.", ""});
    }
    Line(c).text("Problem:  The value for a pile station depth is ").es(x, 12, 4).text(" ").text(unit).end();
    Line(c).text("This depth is below the deepest extent of the input curve for ").end();
    Line(c).text("uniaxial compressive strength versus depth at ").f(deepest, 10, 3).text(" ").text(unit).end();
    if (reportFile) {
        writeTextLines(c, {"", "Solution:  Please revise the input data by either extending the ",
                           "maximum depth for uniaxial compressive strength or shorten the ",
                           "pile to be entirely within the defined soil layers.", ""});
    } else {
        writeTextLines(c, {"", "Solution:  Please revise the input data by either extending ",
                           "the maximum depth for uniaxial compressive strength or shorten the ",
                           "pile to be entirely within the defined soil layers.", ""});
    }
}

constexpr StrengthLookupTexts kRockStrengthTexts{
    writeBelowRockStrength,
    "Please report this error in fn_HB_qu_at_DepthX, with the input data file, to the program support contact.",
    "X value for f(qu) =",
    "b_XElevAtLayerInterface         =",
    "b_XElevInPileMiddle            =",
    "b_XElevAtPileTip               ="};

}  // namespace

double fn_HB_qu_at_DepthX(Run& run, double x) { return strengthAtDepth(run, x, kRockStrengthTexts); }

void pyMassiveRock(Run& run, int L) {
    PyWork& py = run.py;
    if (py.lastNode < py.firstNode) return;
    if (!py.reportPass) py.Fu[static_cast<std::size_t>(L)] = 0.0;
    // The first node of the layer only: there is no curve to build along the layer.
    const PyCurveDepths d = curveDepths(run, L, py.firstNode, false);
    pileWidthAt(run, d.xp);
    if (run.failed()) return;
    averageUnitWeight(run, d.zs);
    if (run.failed()) return;
    fn_HB_qu_at_DepthX(run, d.zs);
    if (run.failed()) return;
    storeErrorNumber(run, kMassiveRockEnd);
}

}  // namespace mervik
