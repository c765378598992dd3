// The input echo as a whole: the order of its blocks and of the checks made after them.
#include "report/echo.hpp"

#include "report/echo_common.hpp"

#include "engine/run.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

// Soil layers follow one another without gaps: layer 1 begins at the ground surface and every
// further layer at the bottom of the one above it.
void makeLayersContiguous(Run& run) {
    SoilProfile& soil = run.model.soil;
    if (soil.layerCount < 1) return;
    soil.layer[1].depthTop = soil.groundSurface;
    for (int k = 2; k <= soil.layerCount; ++k) {
        soil.layer[static_cast<std::size_t>(k)].depthTop = soil.layer[static_cast<std::size_t>(k - 1)].depthBottom;
    }
}

using Block = void (*)(Run&);

}  // namespace

void writeEchoHeading(Channel& channel, int blankLinesBefore, int indent, std::string_view title) {
    const std::string rule(80, '-');
    writeBlankLines(channel, blankLinesBefore);
    writeTextLine(channel, rule);
    Line(channel).blanks(indent).text(title).end();
    writeTextLine(channel, rule);
    writeBlankLines(channel, 1);
}

void writeMessageLines(Channel& channel, std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) {
        if (line.empty()) writeBlankLines(channel, 1);
        else writeTextLine(channel, line);
    }
}

void echoInput(Run& run) {
    writeTextLine(run.messages, "Output of input data begun");
    makeLayersContiguous(run);

    const bool lateral = run.model.options.i_Analysis_Type != 2;
    for (Block block : {echoTitle, echoProgramOptions, echoPileProperties}) {
        block(run);
        if (run.failed()) return;
    }
    if (lateral) {
        const Block loads = run.model.options.useLrfd ? computeLrfdLoads : echoPileHeadLoads;
        for (Block block : {echoSlopeAndBatter, echoSoilLayers, echoSoilSummary, echoPyModifiers, echoSoilMovements,
                            echoLoadingType, echoDistributedLoad, loads, echoTipShear, echoPyOutputDepths}) {
            block(run);
            if (run.failed()) return;
        }
    }

    checkPilePointCount(run);
    if (run.failed()) return;
    if (lateral) {
        for (Block check : {checkSoilProfileDepths, checkPyModifierStart, checkCyclicLoading}) {
            check(run);
            if (run.failed()) return;
        }
    }
    writeLayout(run.messages, R"("Output of input data completed",/)");
}

}  // namespace mervik
