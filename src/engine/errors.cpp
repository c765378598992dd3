// Fatal errors: code texts, the premature-end lines and the closing lines.
#include "engine/errors.hpp"

#include "engine/run.hpp"
#include "report/layout.hpp"
#include "report/numfmt.hpp"

namespace mervik {

std::string errorCodeText(int errorNumber) {
    if (errorNumber == kInternalError) return "RUN00999";
    if (errorNumber >= 200) return "RUN" + formatI(errorNumber - 200, 0, 5);
    return "INP" + formatI(errorNumber - 100, 0, 5);
}

void raiseRunError(Run& run, std::string_view codeText, int errorNumber) {
    if (run.errorNumber > 0) return;
    if (errorNumber >= 1 && errorNumber <= 199) {
        writeLayout(run.report, R"(//,"Mervik ended prematurely due to input error number ",A)", {codeText});
    } else if (errorNumber >= 200) {
        writeLayout(run.report, R"(//,"Mervik ended prematurely due to runtime error number ",A)", {codeText});
    }
    if (errorNumber == inputError(25)) {
        writeLayout(run.report,
                    R"(/,"**** Input Data Error No. 25 ****",//,"Length of input file is 0 bytes.  No analysis can be performed.")");
    }
    run.errorNumber = errorNumber;
}

void raiseInputError(Run& run, int n) { raiseRunError(run, errorCodeText(inputError(n)), inputError(n)); }
void raiseRuntimeError(Run& run, int n) { raiseRunError(run, errorCodeText(runtimeError(n)), runtimeError(n)); }

void storeErrorNumber(Run& run, int errorNumber) {
    if (run.errorNumber == 0) run.errorNumber = errorNumber;
}

void writeInputErrorHeading(Channel& channel, int n) {
    writeLayout(channel, R"("**** Input Data Error No. ",I0," ****")", {n});
}

void writeRuntimeErrorHeading(Channel& channel, int n) {
    writeLayout(channel, R"("**** Runtime Error No. ",I0," ****")", {n});
}

void writeErrorClosingLines(Run& run) {
    const int e = run.errorNumber;
    const char* layout = nullptr;
    int n = 0;
    if (e >= 100 && e <= 199) {
        layout = R"(/,"The analysis ended due to input error No. ",I0,".",/)";
        n = e - 100;
    } else if (e >= 200 && e <= 299) {
        layout = R"(/,"The analysis ended due to runtime error No. ",I0,".",/)";
        n = e - 200;
    }
    if (layout == nullptr) return;
    writeLayout(run.messages, layout, {n});
    writeLayout(run.report, layout, {n});
}

}  // namespace mervik
