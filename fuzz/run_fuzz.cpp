// Fuzz target: any bytes as the input data file of a whole run, in memory: reader, echo,
// section analysis, lateral analysis and the report, plot and message files, as the host
// entries run them. Nothing may crash, hang, leak or write past a table; and a run that ends
// without an error must not have written a non-finite number (Not-a-Number or an infinity)
// into its report or plot file. Such a run is a finding: the target aborts with a message.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "engine/run.hpp"
#include "engine/run_sequence.hpp"
#include "input/model.hpp"

namespace {

// Bounds of the work of one input, so that the fuzzer spends its time on many inputs rather
// than on a few of the largest analyses the engine accepts. They hold only here: an input over
// a bound is left out of the campaign, the engine accepts it as before.
constexpr std::size_t kMaxInputBytes = 16384;
constexpr int kMaxPileIncrements = 200;
constexpr int kMaxIterations = 500;
constexpr int kMaxLoadCases = 8;
constexpr int kMaxLrfdCombinations = 8;
constexpr int kMaxThrusts = 8;
constexpr int kMaxSections = 4;

bool withinBounds(const mervik::AnalysisModel& model) {
    const mervik::ProgramOptions& o = model.options;
    return o.pileIncrements <= kMaxPileIncrements && o.maxIterations <= kMaxIterations &&
           model.loading.loadCaseCount <= kMaxLoadCases && model.lrfd.combinationCount <= kMaxLrfdCombinations &&
           model.axialThrusts.count <= kMaxThrusts && model.sections.count <= kMaxSections;
}

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_'; }

// The words the number formatting writes for a non-finite value ("NaN", "Infinity", "Inf",
// "Not-a-Number"), and the spellings of the C library ("nan", "inf"), as whole words; a sign
// in front belongs to the word.
constexpr std::string_view kNonFiniteWords[] = {"NaN", "nan", "Infinity", "infinity", "Inf", "inf", "Not-a-Number"};

// Whether `word` stands in `text` as a whole word (a leading sign allowed).
bool containsWord(std::string_view text, std::string_view word, std::size_t& at) {
    for (std::size_t k = text.find(word); k != std::string_view::npos; k = text.find(word, k + 1)) {
        std::size_t before = k;
        if (before > 0 && (text[before - 1] == '-' || text[before - 1] == '+')) --before;
        const bool startsWord = before == 0 || !isWordChar(text[before - 1]);
        const std::size_t end = k + word.size();
        const bool endsWord = end == text.size() || !isWordChar(text[end]);
        if (startsWord && endsWord) {
            at = k;
            return true;
        }
    }
    return false;
}

// The line of `text` around position `at`, for the message of a finding.
std::string_view lineAround(std::string_view text, std::size_t at) {
    const std::size_t first = text.rfind('\n', at);
    const std::size_t start = first == std::string_view::npos ? 0 : first + 1;
    const std::size_t last = text.find('\n', at);
    return text.substr(start, (last == std::string_view::npos ? text.size() : last) - start);
}

// Aborts when a file holds a non-finite word that the input does not hold itself (the reader
// takes no non-finite number, so such a word in the input is text, e.g. a title the report
// echoes).
void checkFinite(std::string_view file, std::string_view name, std::string_view input, std::int32_t result) {
    for (std::string_view word : kNonFiniteWords) {
        std::size_t at = 0;
        std::size_t ignored = 0;
        if (!containsWord(file, word, at) || containsWord(input, word, ignored)) continue;
        const std::string_view line = lineAround(file, at);
        std::fprintf(stderr, "\nFINDING: the run ended with result %d and the %.*s file holds \"%.*s\":\n%.*s\n",
                     static_cast<int>(result), static_cast<int>(name.size()), name.data(),
                     static_cast<int>(word.size()), word.data(), static_cast<int>(line.size()), line.data());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInputBytes) return -1;
    // One run object serves every input of the fuzzing process (the fuzzer is single-threaded);
    // the reset is the one every run makes, and reusing the object spares the fuzzer the page
    // faults of a fresh multi-megabyte allocation per input.
    static const std::unique_ptr<mervik::Run> run = std::make_unique<mervik::Run>();
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // A first read of the model only, to keep the work of the input within the bounds above.
    mervik::resetRun(*run);
    run->messages.openMemory();
    run->report.openMemory();
    run->plot.openMemory();
    run->input.content.assign(input);
    std::string tag;
    if (mervik::readFreeWord(run->input, 7, tag) && tag == "MERVIK6") {
        mervik::readInputData(*run);
        if (!run->failed() && !withinBounds(run->model)) return -1;
    }

    // The whole run, as the host entries make it once their files are open.
    mervik::resetRun(*run);
    run->messages.openMemory();
    run->report.openMemory();
    run->plot.openMemory();
    run->input.content.assign(input);
    const std::int32_t result = mervik::analyseOpenRun(*run);
    if (run->errorNumber == 0) {
        checkFinite(run->report.memory(), "report", input, result);
        checkFinite(run->plot.memory(), "plot", input, result);
    }
    return 0;
}
