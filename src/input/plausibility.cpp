// Physical plausibility of the input model: the checks made once after the echo, before the
// section and lateral analyses. The first impossible value found ends the run.
#include "input/plausibility.hpp"

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "input/findings.hpp"
#include "report/layout.hpp"

namespace mervik {

void checkInputPlausibility(Run& run) {
    InputFindings findings;
    findImpossibleInput(run, findings);
    if (findings.empty()) return;
    // The two lines of the problem and the solution line, to the message file and the report.
    const InputFinding& first = findings.front();
    for (Channel* channel : {&run.messages, &run.report}) {
        writeBlankLines(*channel, 1);
        writeInputErrorHeading(*channel, first.error);
        writeBlankLines(*channel, 1);
        writeTextLine(*channel, "Problem:  " + first.problem);
        writeTextLine(*channel, "          " + first.detail);
        writeTextLine(*channel, "Solution:  Correct the value in the input data.");
        writeBlankLines(*channel, 1);
    }
    raiseInputError(run, first.error);
}

}  // namespace mervik
