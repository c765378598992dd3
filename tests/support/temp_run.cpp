// Test support: temporary directories and host-style runs.
#include "support/temp_run.hpp"

#include <fstream>
#include <memory>
#include <random>
#include <sstream>

#include "engine/run_sequence.hpp"

namespace mervik::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (;;) {
        path_ = fs::temp_directory_path() / ("mervik-test-" + std::to_string(random()));
        if (fs::create_directory(path_)) break;
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void TempDir::write(const std::string& name, const std::string& content) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out << content;
}

std::string TempDir::read(const std::string& name) const { return readFile(path_ / name); }
bool TempDir::exists(const std::string& name) const { return fs::exists(path_ / name); }

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string fixture(const std::string& name) { return readFile(fs::path(MERVIK_FIXTURES) / name); }

LocalTime fixedTime() { return {2026, 12, 10, 9, 5, 3}; }

std::int32_t runInDir(const TempDir& dir, Run& run) {
    run.clock.fixed = fixedTime();
    return runFromNamesFile(run, dir.path());
}

HostRun runHost(const TempDir& dir, const std::string& input) {
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("input.lp6", input);
    auto run = std::make_unique<Run>();
    HostRun out;
    out.result = runInDir(dir, *run);
    out.report = dir.read("report.out");
    out.plot = dir.read("plot.plt");
    out.messages = dir.read("messages.msg");
    return out;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

namespace {
// Lays out the host's files for the input text in dir and runs as the host does.
int runInput(const TempDir& dir, const std::string& input, Run& run) {
    dir.write("NAMES.DAT", "input.lp6\nreport.out\nplot.plt\nmessages.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("input.lp6", input);
    return runInDir(dir, run);
}
}  // namespace

int runExample(const TempDir& dir, const std::string& example, Run& run) {
    return runInput(dir, readFile(std::filesystem::path(MERVIK_EXAMPLES) / example), run);
}

int runFixture(const TempDir& dir, const std::string& name, Run& run) { return runInput(dir, fixture(name), run); }

double soilReaction(const PileNodes& nodes) {
    double total = 0.0;
    for (int n = 1; n < nodes.M; ++n) {
        const auto a = static_cast<std::size_t>(n), b = static_cast<std::size_t>(n + 1);
        total += 0.5 * nodes.h * (nodes.Es[a] * (nodes.y(n) - nodes.ys[a]) + nodes.Es[b] * (nodes.y(n + 1) - nodes.ys[b]));
    }
    return total;
}

}  // namespace mervik::testing
