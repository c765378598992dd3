// Runs one input text as a complete engine run per benchmark iteration, in a temporary folder
// of its own, with one run object reused across iterations as a batch host would.
#pragma once
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/run.hpp"
#include "engine/run_sequence.hpp"

namespace mervik::bench {

// A run ending with an error other than expectedError (0: none) stops the benchmark.
inline void runInput(benchmark::State& state, const std::string& input, int expectedError = 0) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("mervik-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    { std::ofstream(dir / "in.lp6") << input; }
    const RunFiles files{(dir / "in.lp6").string(), (dir / "in.out").string(), (dir / "in.plt").string(),
                         (dir / "in.msg").string()};
    auto run = std::make_unique<Run>();
    for (auto _ : state) {
        const int result = runWithFiles(*run, files, dir);
        if (result > 0 && result != expectedError) state.SkipWithError(("run ended with result " + std::to_string(result)).c_str());
        benchmark::DoNotOptimize(result);
    }
    fs::remove_all(dir);
}

// The text of a file (an input bundled with the benchmarks).
inline std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace mervik::bench
