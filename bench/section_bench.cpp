// Benchmarks of whole capacity-and-stiffness runs (input, echo, section analysis, report):
//   DrilledShaft10Thrusts  one drilled shaft with 10 axial thrusts
//   CapacityLimit          20 sections of mixed nonlinear types with 100 thrusts each
// Each iteration is one complete run on files in a temporary directory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench_run.hpp"

namespace {

using mervik::bench::runInput;

std::string options() {
    return "OPTIONS\nUnits USCS\nUseLRFD NO\nComputeKmatrix NO\nUseTipShear NO\nUseSoilMovement NO\n"
           "UsePYModifiers NO\nComputeEIOnly YES\nLoading STATIC\nMaxIterations 100\nMaxDefl 50.0\n"
           "Tolerance 1.0E-5\nIncrements 100\nPrintSummaryOnly NO\nPrintIncrement 1\nPrintPYCurves NO\n"
           "ComputeInteraction NO\n";
}

// A 36 in drilled shaft, 12 #9 bars in a circle, 3 in cover.
std::string drilledShaft(int number, double length) {
    return std::to_string(number) + "\n1\n" + std::to_string(length) +
           "\n36.0\n4000\n0.75\nUse default concrete tensile strength\nUse internal stress-strain curve for concrete\n"
           "Rebar Arrangement Not Same As Section Above\nRebar in circle\n60000\n29000000\n12\n1\n1.128\n1.0\n3.0\n0.0\n";
}

std::string steelPipe(int number, double length) {
    return std::to_string(number) + "\n4\n" + std::to_string(length) + "\n24.0\n0.5\n36000\n29000000\n";
}

std::string cased(int number, double length) {
    return std::to_string(number) + "\n2\n" + std::to_string(length) +
           "\n36.0\n0.5\n36000\n29000000\n4000\n0.75\nUse default concrete tensile strength\n"
           "Use internal stress-strain curve for concrete\nRebar Arrangement Not Same As Section Above\n"
           "Rebar in circle\n60000\n29000000\n10\n1\n1.0\n0.79\n3.0\n0.0\n";
}

std::string rectangular(int number, double length) {
    return std::to_string(number) + "\n0\n" + std::to_string(length) +
           "\n24.0\n18.0\n5000\n0.75\nUse default concrete tensile strength\n"
           "Use internal stress-strain curve for concrete\nRebar Arrangement Not Same As Section Above\n"
           "Rebar in noncircular pattern\n60000\n29000000\n4\n1 8 1.0 0.79 -6.0 -9.0\n2 8 1.0 0.79 6.0 -9.0\n"
           "3 8 1.0 0.79 6.0 9.0\n4 8 1.0 0.79 -6.0 9.0\n";
}

std::string thrusts(int count, double step) {
    std::string text = "AXIAL THRUST LOADS\n" + std::to_string(count) + "\n";
    for (int k = 1; k <= count; ++k) text += std::to_string(k) + " " + std::to_string(step * k) + "\n";
    return text;
}


void DrilledShaft10Thrusts(benchmark::State& state) {
    runInput(state, "MERVIK6\n" + options() + "SECTIONS\n1\n" + drilledShaft(1, 60.0) + thrusts(10, 50000.0) + "END\n");
}

void CapacityLimit(benchmark::State& state) {
    std::string sections = "SECTIONS\n20\n";
    for (int s = 1; s <= 20; ++s) {
        switch (s % 4) {
            case 0: sections += drilledShaft(s, 5.0); break;
            case 1: sections += steelPipe(s, 5.0); break;
            case 2: sections += cased(s, 5.0); break;
            default: sections += rectangular(s, 5.0); break;
        }
    }
    runInput(state, "MERVIK6\n" + options() + sections + thrusts(100, 2000.0) + "END\n");
}

}  // namespace

BENCHMARK(DrilledShaft10Thrusts)->Unit(benchmark::kMillisecond);
BENCHMARK(CapacityLimit)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
