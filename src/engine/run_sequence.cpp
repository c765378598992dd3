// Run control: the order of a run from the hand-over files to the result code.
#include "engine/run_sequence.hpp"

#include <array>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <system_error>

#include "engine/errors.hpp"
#include "engine/plot.hpp"
#include "input/convert.hpp"
#include "input/plausibility.hpp"
#include "input/soil.hpp"
#include "py/py_framework.hpp"
#include "py/py_models.hpp"
#include "solver/length_series.hpp"
#include "solver/lrfd_cases.hpp"
#include "solver/pile.hpp"
#include "report/echo.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kVersion = "2012-06.037";
constexpr std::size_t kNameLength = 256;  // file names are fields of 256 characters
constexpr const char* kNamesFile = "NAMES.DAT";
constexpr const char* kReportNamesFile = "M_vs_EI_report_names.txt";

std::string trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

// One line of a hand-over file into a field of 256 characters (longer lines are cut); a line
// with a NUL byte is no text and counts as a read failure. False at the end of the file.
enum class NameRead { Ok, End, Failed };
NameRead readNameLine(std::istream& in, std::string& name) {
    std::string line;
    if (!std::getline(in, line)) return in.bad() ? NameRead::Failed : NameRead::End;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find('\0') != std::string::npos) return NameRead::Failed;
    if (line.size() > kNameLength) line.resize(kNameLength);
    name = trimmed(line);
    return NameRead::Ok;
}

fs::path fullPath(const fs::path& workDir, const std::string& name) {
    fs::path p(name);
    if (p.is_relative()) p = workDir / p;
    return p.lexically_normal();
}

// Headlines of runtime errors 2 to 6.
constexpr std::array<std::string_view, 5> kNamesFileHeadlines = {
    "Contents of file NAMES.DAT is corrupted.",
    "The name of the input data file is corrupted.",
    "The name of the output report file is corrupted.",
    "The name of the plot output file is corrupted.",
    "Name of runtime message file is corrupted",
};

// Texts of runtime error 17, by the empty name: input, report, plot, message file.
constexpr std::array<std::string_view, 4> kEmptyNameTexts = {
    "Input data filename information corrupted. No analysis was performed.",
    "Output filename information is corrupted. No analysis was performed.",
    "Plot output filename information is corrupted. No analysis was performed.",
    "Run message filename information is corrupted. No analysis performed.",
};

constexpr std::array<std::string_view, 12> kMonths = {"January", "February", "March",     "April",   "May",      "June",
                                                      "July",    "August",   "September", "October", "November", "December"};

// Runtime errors 2 to 6: NAMES.DAT cannot be opened or one of its lines cannot be read.
void namesFileError(Run& run, int n) {
    writeBlankLines(run.messages, 2);
    writeRuntimeErrorHeading(run.messages, n);
    writeBlankLines(run.messages, 1);
    writeTextLine(run.messages, kNamesFileHeadlines[static_cast<std::size_t>(n - 2)]);
    raiseRuntimeError(run, n);
}

// Runtime error 17: a name in NAMES.DAT is empty. No file is open yet, so the message channel
// is still the standard error stream.
void emptyNameError(Run& run, int which) {
    writeRuntimeErrorHeading(run.messages, 17);
    writeBlankLines(run.messages, 1);
    writeTextLine(run.messages, kEmptyNameTexts[static_cast<std::size_t>(which)]);
    raiseRuntimeError(run, 17);
}

// Errors of the engine's own file handling: heading, problem statement and the file name, to
// the message file and the report.
void fileError(Run& run, int n, std::string_view problem, const std::string& path) {
    for (Channel* channel : {&run.messages, &run.report}) {
        writeBlankLines(*channel, 2);
        writeRuntimeErrorHeading(*channel, n);
        writeBlankLines(*channel, 1);
        writeTextLine(*channel, problem);
        writeLayout(*channel, R"("File: ",A)", {path});
        writeBlankLines(*channel, 1);
    }
    raiseRuntimeError(run, n);
}

// Opens the four run files; the three output files are created even when the input data file
// cannot be opened, so that the failure is reported where the host looks for it.
void openRunFiles(Run& run, const RunFiles& files, const fs::path& workDir) {
    run.inputPath = fullPath(workDir, files.input).string();
    run.reportPath = fullPath(workDir, files.report).string();
    run.plotPath = fullPath(workDir, files.plot).string();
    run.messagesPath = fullPath(workDir, files.messages).string();

    const bool messagesOpen = run.messages.openFile(run.messagesPath);
    if (!messagesOpen) run.messages.openStdErr();
    const bool reportOpen = run.report.openFile(run.reportPath);
    const bool plotOpen = run.plot.openFile(run.plotPath);

    std::error_code ec;
    bool inputOpen = false;
    if (!fs::is_directory(run.inputPath, ec)) {
        std::ifstream in(run.inputPath, std::ios::binary);
        if (in) {
            run.input.content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            inputOpen = !in.bad();
        }
    }

    if (!messagesOpen) fileError(run, kErrOutputFile, "The runtime message file cannot be created.", run.messagesPath);
    else if (!reportOpen) fileError(run, kErrOutputFile, "The output report file cannot be created.", run.reportPath);
    else if (!plotOpen) fileError(run, kErrOutputFile, "The plot output file cannot be created.", run.plotPath);
    else if (!inputOpen) fileError(run, kErrInputFile, "The input data file cannot be opened.", run.inputPath);
}

// Reads the names of the moment-curvature relation files, then deletes the list.
void readReportNames(Run& run, const fs::path& workDir) {
    const fs::path listPath = workDir / kReportNamesFile;
    std::ifstream list(listPath, std::ios::binary);
    if (!list) {
        fileError(run, kErrNameList, "The list of moment-curvature file names cannot be opened.", listPath.string());
        return;
    }
    std::string name;
    MomentCurvatureReportNames& names = run.momentCurvatureNames;
    // Relative names are taken from the working directory, like those of NAMES.DAT.
    while (names.count < kMaxMomentCurvatureNames && readNameLine(list, name) == NameRead::Ok) {
        ++names.count;
        names.names[static_cast<std::size_t>(names.count)] = name.empty() ? name : fullPath(workDir, name).string();
    }
    list.close();
    std::error_code ec;
    fs::remove(listPath, ec);
}

// The load cases one after the other: node set-up, iteration, report.
void runLoadCases(Run& run) {
    const int cases = loadCaseLimit(run);
    for (int j = 1; j <= cases; ++j) {
        setupLoadCaseNodes(run, j);
        if (run.failed()) return;
        writeLayout(run.messages, R"("Computing lateral response of pile for load number ",I0)", {j});
        clearWarningCounts(run.warnings);
        const int iterations = iterateLoadCase(run, j);
        // A case of imposed head deflection that did not converge is reported before the run
        // ends; every other failure ends the run at once.
        const bool reportAnyway = run.errorNumber == runtimeError(10) && run.loadCase.type == 4;
        if (run.failed() && !reportAnyway) return;
        writeLayout(run.messages, R"("The convergence criteria have been met for load case ",I0)", {j});
        if (j == 1) {
            const PyOutputDepths& depths = run.model.pyOutputDepths;
            if (depths.enabled && depths.count > 0) {
                computePyCurvesAtUserDepths(run);
                if (run.failed()) return;
            } else {
                plotRecord6(run, 0);
            }
        }
        writeLoadCaseReport(run, j, iterations);
        runLengthSeriesOfCase(run, j);
        if (run.failed() && !reportAnyway) return;
        writeLayout(run.messages, R"("Completed Analysis ",I0,/)", {j});
        if (run.failed()) return;
    }
}

// Steps after the files are open: size check, file tag, input, header and the phases.
void analyse(Run& run) {
    if (run.input.content.empty()) {
        writeLayout(run.messages,
                    R"(//,"**** Input Data Error No. 25 ****",//,"Size of input data file is 0 bytes.  No analysis performed.",/)");
        raiseInputError(run, 25);
        return;
    }

    std::string tag = "3      ";
    if (!readFreeWord(run.input, 7, tag)) tag = "3      ";
    if (tag == "MERVIK6") readInputData(run);
    if (run.failed()) return;
    writeLayout(run.messages, R"("Input of data completed",/)");

    run.units = makeUnitLabels(run.model.options.IUNITS);
    run.report.rewind();
    writeReportHeader(run);
    if (run.failed()) return;

    echoInput(run);
    if (run.failed()) return;
    checkInputPlausibility(run);
    if (run.failed()) return;
    if (tag == "MERVIK6") convertToComputationUnits(run);

    const ProgramOptions& options = run.model.options;
    if (options.i_Analysis_Type == 2) {
        plotRecord2(run, run.model.sections.count);
        runSectionLoop(run);
    } else if (options.i_Analysis_Type == 3) {
        // The echo has made the soil layers contiguous.
        plotRecord2(run, run.model.sections.count);
        setupRunNodes(run);
        runSectionLoop(run);
        if (run.failed()) return;
        runLoadCases(run);
        if (run.failed()) return;
        writeResponseSummary(run);
        if (run.failed()) return;
        computeStiffnessMatrix(run);
    }
}

void writeFileBlock(Channel& channel, const Run& run, bool withHeading) {
    if (withHeading) {
        writeLayout(channel, R"(80("-"),/,28X,"Files Used for Analysis",/,80("-"),/)");
    } else {
        writeTextLine(channel, "File Path and Names Used for Analysis:");
    }
    const fs::path input(run.inputPath);
    writeLayout(channel, R"("Path to file locations:        ",A)", {input.parent_path().string() + "/"});
    writeLayout(channel, R"("Name of input data file:       ",A)", {input.filename().string()});
    writeLayout(channel, R"("Name of output report file:    ",A)", {fs::path(run.reportPath).filename().string()});
    writeLayout(channel, R"("Name of plot output file:      ",A)", {fs::path(run.plotPath).filename().string()});
    writeLayout(channel, R"("Name of runtime messeage file: ",A,//)", {fs::path(run.messagesPath).filename().string()});
}

void writeDateBlock(Run& run) {
    writeLayout(run.report, R"(80("-"),/,27X,"Date and Time of Analysis",/,80("-"))");
    const LocalTime t = run.clock.now();
    if (t.month < 1 || t.month > 12) return;
    writeBlankLines(run.report, 1);
    writeLayout(run.report, R"(15X,"Date:  ",A,1X,I0,", ",I4,5X,"Time:  ",I2,":",I2.2,":",I2.2)",
                {kMonths[static_cast<std::size_t>(t.month - 1)], t.day, t.year, t.hour, t.minute, t.second});
}

}  // namespace

LocalTime Clock::now() const {
    if (fixed) return *fixed;
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

void resetRun(Run& run) {
    const Clock clock = run.clock;
    // Rebuilt in place: the run is large, and a host may call from a thread with a small stack,
    // so no fresh run is built on the stack and assigned.
    std::destroy_at(&run);
    std::construct_at(&run);
    run.clock = clock;
    // Until the named files are open, message texts go to the standard error stream.
    run.messages.openStdErr();
}

void writeReportHeader(Run& run) {
    Channel& report = run.report;
    writeLayout(report, R"(80("="),/)");
    writeLayout(report, R"(15X,"   Mervik for Windows, Version ",A,/)", {kVersion});
    writeLayout(report, R"(15X," Analysis of Individual Piles and Drilled Shafts ")");
    writeLayout(report, R"(15X,"Subjected to Lateral Loading Using the p-y Method",/)");
    writeLayout(report, R"(80("="),/)");
    writeFileBlock(report, run, true);
    writeFileBlock(run.messages, run, false);
    writeDateBlock(run);
    const ProgramOptions& options = run.model.options;
    plotRecord1(run, options.i_Analysis_Type, options.IUNITS, 0, options.ib_ComputeKmatrix_1T0F ? 1 : 0);
}

void runSectionLoop(Run& run) {
    const ProgramOptions& options = run.model.options;
    for (int s = 1; s <= run.model.sections.count; ++s) {
        writeLayout(run.messages, R"("Computing nonlinear bending stiffness of section ",I0)", {s});
        if (s == 1) {
            writeLayout(run.report, R"(//,80("-"),/,4X,"Computations of Nominal Moment Capacity and Nonlinear Bending Stiffness",/,80("-"),/)");
            if (options.computeInteraction) {
                writeLayout(run.report, R"("Axial thrust force values were determined from input values",/)");
            } else if (options.useLrfd) {
                writeLayout(run.report, R"("Axial thrust force values were determined from LRFD load combinations",/)");
            } else {
                writeLayout(run.report, R"("Axial thrust force values were determined from pile-head loading conditions",/)");
            }
            writeLayout(run.report, R"("Number of Pile Sections Analyzed = ",I0,/)", {run.model.sections.count});
        }
        writeLayout(run.report, R"("Pile Section No. ",I0,":",/,19("-"))", {s});
        analyseSection(run, s);
        if (run.failed()) return;
        writeLayout(run.messages, R"("Completed computing nonlinear bending stiffness of section ",I0,/)", {s});
    }
}

void endOfRun(Run& run) {
    writeErrorClosingLines(run);
    if (run.warnings.anyWarning) {
        writeLayout(run.messages,
                    R"(//,"The analysis ended with one or more warning messages. See the output report file for more details.",//)");
        writeWarningSummary(run.warnings, run.report);
    }
    if (run.errorNumber == 0) {
        writeLayout(run.messages, R"(/,"The analysis ended normally. ",/)");
        writeLayout(run.report, R"(/,"The analysis ended normally. ",/)");
    }
    run.report.close();
    run.plot.close();
    run.messages.close();
}

std::int32_t resultCode(const Run& run) {
    if (run.errorNumber > 0) return run.errorNumber;
    switch (distinctWarnings(run.warnings)) {
        case 0: return 0;
        case 1: return -firstWarning(run.warnings);
        default: return -300;
    }
}

namespace {

// Steps 4 onwards: the names are checked, the files opened and the list of moment-curvature
// file names read (MGO only).
void openOnFiles(Run& run, const RunFiles& files, const fs::path& workDir, bool readNameList) {
    const std::array<const std::string*, 4> names = {&files.input, &files.report, &files.plot, &files.messages};
    for (int k = 0; k < 4 && !run.failed(); ++k)
        if (names[static_cast<std::size_t>(k)]->empty()) emptyNameError(run, k);
    if (run.failed()) return;
    openRunFiles(run, files, workDir);
    if (readNameList) {
        // The list is removed even when a run file failed, so that no stale list is left for
        // the next run.
        if (run.failed()) {
            std::error_code ec;
            fs::remove(workDir / kReportNamesFile, ec);
        } else {
            readReportNames(run, workDir);
        }
    }
}

}  // namespace

std::int32_t runFromNamesFile(Run& run, const fs::path& workDir) {
    resetRun(run);
    std::ifstream names(workDir / kNamesFile, std::ios::binary);
    if (!names) {
        namesFileError(run, 2);
    } else {
        RunFiles files;
        const std::array<std::string*, 4> fields = {&files.input, &files.report, &files.plot, &files.messages};
        for (int k = 0; k < 4 && !run.failed(); ++k) {
            const NameRead r = readNameLine(names, *fields[static_cast<std::size_t>(k)]);
            if (r == NameRead::Failed) namesFileError(run, 3 + k);
            if (r != NameRead::Ok) break;  // at the end of the file the names not given stay empty
        }
        names.close();
        if (!run.failed()) openOnFiles(run, files, workDir, true);
    }
    return analyseOpenRun(run);
}

std::int32_t runWithFiles(Run& run, const RunFiles& files, const fs::path& workDir) {
    resetRun(run);
    openOnFiles(run, files, workDir, false);
    return analyseOpenRun(run);
}

// A run whose files hold a result that is not a finite number has not ended normally, even when
// no step of the analysis caught it.
void refuseNonFiniteResults(Run& run) {
    const std::size_t count = run.report.nonFiniteValues() + run.plot.nonFiniteValues();
    if (run.failed() || count == 0) return;
    for (Channel* channel : {&run.report, &run.messages}) {
        writeBlankLines(*channel, 2);
        writeRuntimeErrorHeading(*channel, kErrNonFiniteResult);
        writeBlankLines(*channel, 1);
        writeLayout(*channel, R"("Problem:  ",I0," computed value(s) in the output report or the plot file are not finite")",
                    {static_cast<long long>(count)});
        writeTextLine(*channel, "          numbers (Not-a-Number or infinite). The results of this run must not be used.");
        writeBlankLines(*channel, 1);
        writeTextLine(*channel, "Solution:  Check the input data for values that are zero, negative or extremely large.");
        writeBlankLines(*channel, 1);
    }
    raiseRuntimeError(run, kErrNonFiniteResult);
}

std::int32_t analyseOpenRun(Run& run) {
    if (!run.failed()) analyse(run);
    refuseNonFiniteResults(run);
    endOfRun(run);
    return resultCode(run);
}

}  // namespace mervik
