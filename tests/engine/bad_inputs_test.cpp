// Inputs that once ended normally with results an engineer must not sign (non-finite numbers,
// impossible physical values, an internal error): each now ends with a numbered error whose
// text names the item and the value, and no file of the run holds a non-finite number.
#include <gtest/gtest.h>

#include <limits>
#include <regex>
#include <string>
#include <vector>

#include "engine/errors.hpp"
#include "engine/run_sequence.hpp"
#include "report/layout.hpp"
#include "support/memory_run.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

using mervik::testing::HostRun;
using mervik::testing::TempDir;
using mervik::testing::fixture;
using mervik::testing::runHost;

struct BadInput {
    const char* name;
    int result;                      // 100 + n for input error n, 200 + n for runtime error n
    bool inMessages;                 // input errors are written to the message file as well
    std::vector<std::string> lines;  // the error text, line for line
};

// The values in the texts are those of the input files: ε50 1E308 at the bottom of layer 2,
// k 1E308 at the top of layer 1, a pipe modulus of -1, a section length of -1, f'c of 0, an
// elastic-plastic modulus of 0, load type 0, layer 2 given from 0 to 70 below layer 1 from 0 to
// 15, and a moment-curvature table whose first pair is (0, 0), so that EI = 0/0 at point 1. The
// line numbers are those of the value in the file (the layer line for the depths of a layer).
const std::vector<BadInput> kBadInputs = {
    {"clay_eps50_1e308_nan_py", 184, true,
     {"**** Input Data Error No. 84 ****", "",
      "Problem:  The strain factor (or k rm) at the bottom of soil layer 2 (SOIL LAYERS section, line 45) is 1E+308.",
      "          No value may be larger than 1.0000E+20 in magnitude or other than a finite number."}},
    {"sand_k_1e308_infinity", 184, true,
     {"Problem:  The subgrade modulus (or initial rock modulus) at the top of soil layer 1 (SOIL LAYERS section, line 37) is 1E+308."}},
    {"negative_pipe_modulus", 180, true,
     {"**** Input Data Error No. 80 ****", "",
      "Problem:  The steel modulus of elasticity of pile section 1 (SECTIONS section, line 33) is -1.",
      "          This value must be greater than zero.", "Solution:  Correct the value in the input data."}},
    {"negative_section_length", 180, true,
     {"Problem:  The length of pile section 1 (SECTIONS section, line 29) is -1."}},
    {"prestressed_fc_zero_nan", 180, true,
     {"Problem:  The concrete compressive strength of pile section 1 (SECTIONS section, line 32) is 0."}},
    {"elastic_plastic_modulus_zero_nan_plot", 180, true,
     {"Problem:  The modulus of elasticity of pile section 1 (SECTIONS section, line 31) is 0."}},
    {"load_type_zero", 181, true,
     {"**** Input Data Error No. 81 ****", "",
      "Problem:  The type of pile-head loading of load case 1 (LOADING section, line 41) is 0.",
      "          The type of pile-head loading must be 1, 2, 3, 4 or 5."}},
    {"overlapping_layers_internal_999", 183, true,
     {"**** Input Data Error No. 83 ****", "",
      "Problem:  The top of soil layer 2 (SOIL LAYERS section, line 39) at 0 lies above the bottom of soil layer 1 at 15.",
      "          Soil layers must not overlap: each layer begins at or below the bottom of the one above."}},
    {"user_mcurvature_origin_nan", 228, false,
     {"**** Runtime Error No. 28 ****", "",
      "Bending curvature is Not-A-Number at point 1 of the input M-EI relation of section 1 for axial thrust 1.",
      "The bending stiffness at this point is zero or not a number."}},
};

bool containsLines(const std::string& text, const std::vector<std::string>& expected) {
    const std::vector<std::string> all = mervik::testing::lines(text);
    for (std::size_t i = 0; i + expected.size() <= all.size(); ++i) {
        bool match = true;
        for (std::size_t k = 0; k < expected.size() && match; ++k) match = all[i + k] == expected[k];
        if (match) return true;
    }
    return false;
}

bool hasNonFinite(const std::string& text) {
    const std::regex kNonFinite(R"(\b(NaN|nan|NAN|Inf|inf|INF|Infinity)\b)");
    return std::regex_search(text, kNonFinite);
}

TEST(BadInputs, EndWithANumberedErrorNamingTheValueAndNoNonFiniteNumber) {
    for (const BadInput& bad : kBadInputs) {
        SCOPED_TRACE(bad.name);
        TempDir dir;
        const HostRun out = runHost(dir, fixture(std::string("bad_inputs/") + bad.name + ".lp6"));
        EXPECT_EQ(out.result, bad.result);
        EXPECT_TRUE(containsLines(out.report, bad.lines));
        EXPECT_EQ(containsLines(out.messages, bad.lines), bad.inMessages);
        const int n = bad.result % 100;
        const std::string closing = std::string("The analysis ended due to ") + (bad.result < 200 ? "input" : "runtime") +
                                    " error No. " + std::to_string(n) + ".";
        EXPECT_TRUE(containsLines(out.report, {closing}));
        EXPECT_EQ(out.report.find("The analysis ended normally."), std::string::npos);
        EXPECT_FALSE(hasNonFinite(out.report));
        EXPECT_FALSE(hasNonFinite(out.plot));
        EXPECT_FALSE(hasNonFinite(out.messages));
    }
}

}  // namespace
}  // namespace mervik

namespace mervik {
namespace {

// The last guard of a run: a result that is not finite in the report or the plot file ends the
// run with runtime error 40, whatever wrote it; messages may hold such values (the progress
// lines before runtime error 28) and do not count.
class NonFiniteResultTest : public testing::MemoryRunTest {};

TEST_F(NonFiniteResultTest, AResultThatIsNotFiniteEndsTheRunWithRuntimeError40) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        void (*write)(mervik::Run&, double);
        double value;
        int error;
    };
    const Case cases[] = {
        {"finite F value in the report", [](mervik::Run& r, double v) { Line(r.report).f(v, 12, 3).end(); }, 1.5, 0},
        {"NaN as F in the report", [](mervik::Run& r, double v) { Line(r.report).f(v, 12, 3).end(); }, nan, 240},
        {"infinity as ES in the plot file", [](mervik::Run& r, double v) { Line(r.plot).es(v, 15, 7).end(); }, inf, 240},
        {"NaN by the adaptive writer", [](mervik::Run& r, double v) { Line(r.report).real(v, 12).end(); }, nan, 240},
        {"NaN in free form", [](mervik::Run& r, double v) { writeFreeForm(r.report, {"x =", v}); }, nan, 240},
        {"NaN in the message file only", [](mervik::Run& r, double v) { Line(r.messages).f(v, 12, 3).end(); }, nan, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start();
        c.write(*run, c.value);
        refuseNonFiniteResults(*run);
        EXPECT_EQ(run->errorNumber, c.error);
        run->report.close();
        const bool raised = report().find("**** Runtime Error No. 40 ****") != std::string::npos;
        EXPECT_EQ(raised, c.error != 0);
    }
    // Rewinding the report (the header is rewritten at the start of a run) forgets what it held.
    start();
    Line(run->report).f(nan, 12, 3).end();
    run->report.rewind();
    refuseNonFiniteResults(*run);
    EXPECT_EQ(run->errorNumber, 0);
}

}  // namespace
}  // namespace mervik
