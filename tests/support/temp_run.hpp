// Test support: a temporary working directory in which a host's files are laid out, a run
// through the engine's entry, and the three output files read back.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "engine/run.hpp"

namespace mervik::testing {

// A fresh directory below the system temporary directory, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
std::string fixture(const std::string& name);  // the text of tests/fixtures/NAME

// The clock every run test uses: 10 December 2026, 9:05:03.
LocalTime fixedTime();

struct HostRun {
    std::int32_t result = 0;
    std::string report, plot, messages;
};

// Lays out NAMES.DAT (input.lp6, report.out, plot.plt, messages.msg), the input text and an
// empty M_vs_EI_report_names.txt in dir, runs as MGO does there with the fixed clock, and
// reads back the outputs.
HostRun runHost(const TempDir& dir, const std::string& input);
// Runs as MGO does in dir, with whatever files are there.
std::int32_t runInDir(const TempDir& dir, Run& run);

// The lines of a text, without their line ends.
std::vector<std::string> lines(const std::string& text);

// Runs the bundled example input file as the host does, in dir; the result code of the run.
int runExample(const TempDir& dir, const std::string& example, Run& run);
// The same for the fixture input tests/fixtures/NAME.
int runFixture(const TempDir& dir, const std::string& name, Run& run);
// Soil reaction over the pile, the integral of Es (y − ys) along it by the trapezoidal rule (ys
// the free-field soil movement, zero without one): with no tip shear and no distributed load it
// balances the pile-head shear.
double soilReaction(const PileNodes& nodes);

}  // namespace mervik::testing
