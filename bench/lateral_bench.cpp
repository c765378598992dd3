// Benchmark of a lateral analysis: a steel pipe of 500 increments in user-input p-y curves (a
// softening curve, so every load case iterates on secant moduli) under 10 load cases of
// increasing pile-head shear (about 24 iterations per case). Each iteration of the benchmark is
// one complete run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "bench_run.hpp"

namespace {


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

void LateralPipe500Increments10Cases(benchmark::State& state) { mervik::bench::runInput(state, input()); }

// The bundled input of a pipe of 500 increments in Reese sand under three load cases.
void ReeseSand500Increments(benchmark::State& state) {
    mervik::bench::runInput(state, 
        mervik::bench::fileText(std::filesystem::path(MERVIK_BENCH_INPUTS) / "reese_sand_500.lp6"));
}

// The fixed cost of a run: an empty input file ends with input error 25 before any analysis,
// the three files written.
void FixedCostEmptyInput(benchmark::State& state) { mervik::bench::runInput(state, "", 125); }

// A typical run: a steel pipe of 100 increments in API sand under one load case (9 iterations).
void TypicalPipeApiSand100Increments(benchmark::State& state) {
    mervik::bench::runInput(state,
        mervik::bench::fileText(std::filesystem::path(MERVIK_BENCH_INPUTS) / "pipe_api_sand_100.lp6"));
}

}  // namespace

BENCHMARK(FixedCostEmptyInput)->Unit(benchmark::kMicrosecond);
BENCHMARK(TypicalPipeApiSand100Increments)->Unit(benchmark::kMicrosecond);
BENCHMARK(LateralPipe500Increments10Cases)->Unit(benchmark::kMillisecond);
BENCHMARK(ReeseSand500Increments)->Unit(benchmark::kMillisecond);
