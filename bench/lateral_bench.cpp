// Benchmark of a lateral analysis: a steel pipe of 500 increments in user-input p-y curves (a
// softening curve, so every load case iterates on secant moduli) under 10 load cases of
// increasing pile-head shear (about 24 iterations per case). Each iteration of the benchmark is
// one complete run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/run.hpp"
#include "engine/run_sequence.hpp"

namespace {

namespace fs = std::filesystem;

// p = pu·tanh(y/y50) sampled at 10 deflections: pu = 2000 lb/in, y50 = 0.4 in.
std::string userCurve() {
    const double y[] = {0.0, 0.05, 0.1, 0.2, 0.4, 0.7, 1.0, 1.5, 2.5, 5.0};
    std::string text;
    for (double v : y) text += std::to_string(v) + " " + std::to_string(2000.0 * std::tanh(v / 0.4)) + "\n";
    return text;
}

std::string input() {
    std::string text =
        "MERVIK6\nOPTIONS\nUnits USCS\nUseLRFD NO\nComputeKmatrix NO\nUseTipShear NO\nUseSoilMovement NO\n"
        "UsePYModifiers NO\nComputeEIOnly NO\nLoading STATIC\nMaxIterations 500\nMaxDefl 100.0\nTolerance 1.0E-5\n"
        "Increments 500\nPrintSummaryOnly NO\nPrintIncrement 1\nPrintPYCurves NO\nComputeInteraction NO\n"
        "SECTIONS\n1\n1\n4\n80.0\n36.0\n0.75\n50000\n29000000\n"
        "SOIL LAYERS\n1\n14 0.0 90.0\n60.0 10\n" + userCurve() + "60.0 10\n" + userCurve() +
        "LOADING\n10\n";
    for (int j = 1; j <= 10; ++j)
        text += std::to_string(j) + " 1 " + std::to_string(40000.0 * j) + " 0.0 100000.0 1\n";
    return text + "0\nEND\n";
}

void LateralPipe500Increments10Cases(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / ("mervik-lateral-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    { std::ofstream(dir / "in.lp6") << input(); }
    const mervik::RunFiles files{(dir / "in.lp6").string(), (dir / "in.out").string(), (dir / "in.plt").string(),
                                 (dir / "in.msg").string()};
    auto run = std::make_unique<mervik::Run>();
    for (auto _ : state) {
        const int result = mervik::runWithFiles(*run, files, dir);
        if (result > 0) state.SkipWithError(("run ended with result " + std::to_string(result)).c_str());
        benchmark::DoNotOptimize(result);
    }
    fs::remove_all(dir);
}

// The bundled input of a pipe of 500 increments in Reese sand under three load cases.
void ReeseSand500Increments(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / ("mervik-sand-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::copy_file(fs::path(MERVIK_BENCH_INPUTS) / "reese_sand_500.lp6", dir / "in.lp6", fs::copy_options::overwrite_existing);
    const mervik::RunFiles files{(dir / "in.lp6").string(), (dir / "in.out").string(), (dir / "in.plt").string(),
                                 (dir / "in.msg").string()};
    auto run = std::make_unique<mervik::Run>();
    for (auto _ : state) {
        const int result = mervik::runWithFiles(*run, files, dir);
        if (result > 0) state.SkipWithError(("run ended with result " + std::to_string(result)).c_str());
        benchmark::DoNotOptimize(result);
    }
    fs::remove_all(dir);
}

}  // namespace

BENCHMARK(LateralPipe500Increments10Cases)->Unit(benchmark::kMillisecond);
BENCHMARK(ReeseSand500Increments)->Unit(benchmark::kMillisecond);
