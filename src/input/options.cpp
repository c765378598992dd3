// The OPTIONS block of the input data file.
#include "input/options.hpp"

#include <cctype>
#include <string>
#include <string_view>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "input/item_lines.hpp"
#include "input/reader.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

// A YES/NO option line; anything else is input error 95 with the option's report text.
bool readYesNo(Run& run, std::string_view keyword, bool& flag, std::string_view errorLayout) {
    std::string line;
    if (!readTextLine(run, line)) return false;
    const std::string yes = std::string(keyword) + " YES";
    const std::string no = std::string(keyword) + " NO";
    if (sameText(line, yes)) {
        flag = true;
    } else if (sameText(line, no)) {
        flag = false;
    } else {
        writeLayout(run.report, errorLayout);
        raiseInputError(run, 95);
        return false;
    }
    return true;
}

// Columns 15 to 20 of the loading line: a real number in a six-character field in which
// blanks count as nothing; an empty field is 0.
bool cyclesField(std::string_view field, double& value) {
    std::string digits;
    for (char c : field)
        if (c != ' ') digits.push_back(c);
    if (digits.empty()) {
        value = 0.0;
        return true;
    }
    char* end = nullptr;
    const double v = std::strtod(digits.c_str(), &end);
    if (end != digits.c_str() + digits.size()) return false;
    if (!(std::isdigit(static_cast<unsigned char>(digits.back())) || digits.back() == '.')) return false;
    value = v;
    return true;
}

void toleranceError(Run& run, int n, std::string_view problem, std::string_view recommendation) {
    for (Channel* channel : {&run.messages, &run.report}) {
        writeBlankLines(*channel, 1);
        writeInputErrorHeading(*channel, n);
        writeBlankLines(*channel, 1);
        writeTextLine(*channel, problem);
        writeTextLine(*channel, recommendation);
        writeBlankLines(*channel, 1);
    }
    raiseInputError(run, n);
}

void incrementsError(Run& run, int n, std::string_view problem, std::string_view solution) {
    for (Channel* channel : {&run.messages, &run.report}) {
        writeInputErrorHeading(*channel, n);
        writeBlankLines(*channel, 1);
        writeTextLine(*channel, problem);
        writeBlankLines(*channel, 1);
        writeTextLine(*channel, solution);
    }
    raiseInputError(run, n);
}

}  // namespace

void unrecognizedLineError(Run& run, const std::string& line) {
    std::string field = line;
    field.resize(kTextLineLength, ' ');
    for (Channel* channel : {&run.report, &run.messages}) {
        writeLayout(*channel, R"(//,"***** INPUT ERROR *****",//,"The following line is unrecognized or is out-of-order",//,A,//)",
                    {field});
    }
    raiseInputError(run, 99);
}

void readOptions(Run& run) {
    writeTextLine(run.messages, "Reading analysis options");
    ProgramOptions& o = run.model.options;
    std::string line;

    if (!readTextLine(run, line)) return;
    if (sameText(line, "Units USCS")) {
        o.IUNITS = kUSCS;
    } else if (sameText(line, "Units SI")) {
        o.IUNITS = kSI;
    } else if (sameText(line, "Units GENERAL")) {
        o.IUNITS = kGeneral;
    } else {
        unrecognizedLineError(run, line);
        return;
    }

    if (!readYesNo(run, "UseLRFD", o.useLrfd, R"(/,"INPUT ERROR - Unrecognized command for LRFD analysis option")")) return;
    if (!readYesNo(run, "ComputeKmatrix", o.ib_ComputeKmatrix_1T0F,
                   R"(/,"INPUT ERROR - Unrecognized command for compute pile-head stiffness matrix option")"))
        return;
    if (!readYesNo(run, "UseTipShear", o.useTipShear, R"(/,"INPUT ERROR - Unrecognized command for tip shear option")"))
        return;
    if (!readYesNo(run, "UseSoilMovement", o.useSoilMovement,
                   R"(/,"INPUT ERROR - Unrecognized command for soil movement option",/)"))
        return;
    if (!readYesNo(run, "UsePYModifiers", o.usePyModifiers,
                   R"(/,"INPUT ERROR - Unrecognized command for use of p-y modifiers option")"))
        return;
    run.model.pyModifiers.count = o.usePyModifiers ? 1 : 0;
    bool eiOnly = false;
    if (!readYesNo(run, "ComputeEIOnly", eiOnly,
                   R"(/,"INPUT ERROR - Unrecognized command for compute nonlinear EI only option")"))
        return;
    o.i_Analysis_Type = eiOnly ? 2 : 3;

    // Loading line, fixed columns: 1-8 label, 9-14 CYCLIC or STATIC, 15-20 number of cycles.
    if (!readTextLine(run, line)) return;
    std::string padded = line;
    padded.resize(20, ' ');
    run.itemLines.optionLabel[8] = padded.substr(0, 8);
    recordItemLine(run, &run.itemLines.optionLabel[8]);
    const std::string_view kind = std::string_view(padded).substr(8, 6);
    if (kind == "CYCLIC") {
        o.cyclic = true;
    } else if (kind == "STATIC") {
        o.cyclic = false;
    } else {
        writeLayout(run.report, R"("INPUT ERROR - Unrecognized command for loading type option")");
        raiseInputError(run, 95);
        return;
    }
    if (!cyclesField(std::string_view(padded).substr(14, 6), o.numberOfCycles)) {
        for (Channel* channel : {&run.messages, &run.report}) {
            writeBlankLines(*channel, 1);
            writeInputErrorHeading(*channel, kErrBadValue);
            writeBlankLines(*channel, 1);
            writeLayout(*channel,
                        R"("Problem:  The number of cycles in columns 15 to 20 of the loading line cannot be read:")");
            writeTextLine(*channel, line);
            writeTextLine(*channel, "Solution:  Write the number of cycles within columns 15 to 20.");
            writeBlankLines(*channel, 1);
        }
        raiseInputError(run, kErrBadValue);
        return;
    }

    // The labels are kept with their lines, for the check of their order; the reader ignores them.
    Table<std::string, kOptionLineCount>& label = run.itemLines.optionLabel;
    if (!readFree(run, {wordItem(label[9], 16), intItem(o.maxIterations)})) return;
    if (o.maxIterations < 30 || o.maxIterations > 1000) {
        writeLayout(run.report,
                    o.maxIterations < 30
                        ? R"("***** Input Data Error No. 95 *****",//,"Problem: Input value for iterations limit = ",I0," and is less than 30 iteractions",/,"Solution:  Correct input value to be between 30 and 1000 iterations.",//)"
                        : R"("***** Input Data Error No. 95 *****",//,"Problem: Input value for iterations limit = ",I0," and is more than 1,000 iteractions",/,"Solution:  Correct input value to be between 30 and 1000 iterations.",//)",
                    {o.maxIterations});
        raiseInputError(run, 95);
        return;
    }
    if (!readFree(run, {wordItem(label[10], 16), realItem(o.maxDeflection)})) return;
    if (!readFree(run, {wordItem(label[11], 16), realItem(o.convergenceTolerance)})) return;
    const double tol = o.convergenceTolerance;
    if (o.IUNITS == kUSCS) {
        if (tol > kToleranceMaxUSCS) {
            toleranceError(run, 66, "Input value for convergence tolerance is too large (more than 0.1 inches). ",
                           "The recommended value for convergence tolerance is 0.00001 inches.");
            return;
        }
        if (tol < kToleranceMinUSCS) {
            toleranceError(run, 65, "Input value for convergence tolerance is too small (less than 1E-10 inches).",
                           "The recommended value for convergence tolerance is 0.00001 inches.");
            return;
        }
    } else if (o.IUNITS == kSI) {
        if (tol > kToleranceMaxSI) {
            toleranceError(run, 68, "Input value of convergence tolerance too large (more than 2.54E-3 meters). ",
                           "The recommended value for convergence tolerance is 2.54E-7 meters.");
            return;
        }
        if (tol < kToleranceMinSI) {
            toleranceError(run, 67, "Input value for convergence tolerance is too small (less than 2.5E-12 meters). ",
                           "The recommended value for convergence tolerance is 2.54E-7 meters.");
            return;
        }
    }
    if (!readFree(run, {wordItem(label[12], 16), intItem(o.pileIncrements)})) return;
    if (o.pileIncrements < 40) {
        incrementsError(run, 55, "Problem:  The number of pile increments is less than 40.",
                        "Solution: Increase the number of pile increments to more than 40, preferably more than 100 increments.");
        return;
    }
    if (o.pileIncrements > 500) {
        incrementsError(run, 56, "Problem:  The number of pile increments is more than 500.",
                        "Solution: Limit the number of pile increments to 500 or less.");
        return;
    }
    if (!readYesNo(run, "PrintSummaryOnly", o.printSummaryOnly,
                   R"(/,"INPUT ERROR - Unrecognized command for print summary only option")"))
        return;
    if (!readFree(run, {wordItem(label[14], 16), intItem(o.printIncrement)})) return;
    if (!readYesNo(run, "PrintPYCurves", run.model.pyOutputDepths.enabled,
                   R"(/,"INPUT ERROR - Unrecognized command for p-y curve output depths option")"))
        return;
    if (!readYesNo(run, "ComputeInteraction", o.computeInteraction,
                   R"("INPUT ERROR - Unrecognized command for compute interaction option")"))
        return;
    if (o.computeInteraction) {
        std::string code;
        if (!readFree(run, {wordItem(label[17], 11), wordItem(code, 11)})) return;
        if (sameText(code, "AASHTO")) {
            o.designCode = 1;
        } else if (sameText(code, "ACI318")) {
            o.designCode = 2;
        } else if (sameText(code, "Eurocode2")) {
            o.designCode = 3;
        } else {
            writeLayout(run.report, R"("INPUT ERROR - Unrecognized command for interaction code option")");
            raiseInputError(run, 95);
        }
    }
}

}  // namespace mervik
