// Times two builds of the engine library in one process, as a batch host calls it: each input
// is analysed by mervik_run_files of the one library and then of the other, in turn, so that
// the load of a shared machine falls on both alike. Every call writes its three files. For
// each input the median time per run of each library and their ratio are printed, in elapsed
// and in thread CPU time, and the files of the last runs are compared (the report apart from
// its date line).
//   mervik_compare BASE_LIB THIS_LIB SECONDS INPUT...
// SECONDS is the time to spend on each input and library (at least 3 runs, at most 5000).
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using RunFiles = std::int32_t (*)(const char*, const char*, const char*, const char*);

struct Engine {
    std::string label;
    RunFiles run = nullptr;
    fs::path out;
    std::vector<double> wall, cpu;  // seconds per run
};

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

// One run of an engine on the input; returns the elapsed seconds.
double runOnce(Engine& e, const fs::path& input) {
    const std::string stem = input.stem().string();
    const std::string out = (e.out / (stem + ".out")).string(), plt = (e.out / (stem + ".plt")).string(),
                      msg = (e.out / (stem + ".msg")).string(), in = input.string();
    const double c0 = threadSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    e.run(in.c_str(), out.c_str(), plt.c_str(), msg.c_str());
    const auto t1 = std::chrono::steady_clock::now();
    const double c1 = threadSeconds();
    const double wall = std::chrono::duration<double>(t1 - t0).count();
    e.wall.push_back(wall);
    e.cpu.push_back(c1 - c0);
    return wall;
}

// The lines of a file without the date line of the report.
std::string withoutDate(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text, line;
    while (std::getline(in, line))
        if (line.find("Date:  ") == std::string::npos) text += line + '\n';
    return text;
}

Engine load(const char* path, const std::string& label, const fs::path& out) {
    // Each library keeps its own symbols: the two builds do not meet.
    void* lib = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (lib == nullptr) {
        std::fprintf(stderr, "cannot load %s: %s\n", path, dlerror());
        std::exit(2);
    }
    Engine e;
    e.label = label;
    e.run = reinterpret_cast<RunFiles>(dlsym(lib, "mervik_run_files"));
    if (e.run == nullptr) {
        std::fprintf(stderr, "%s has no mervik_run_files\n", path);
        std::exit(2);
    }
    e.out = out;
    fs::create_directories(out);
    return e;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s BASE_LIB THIS_LIB SECONDS INPUT...\n", argv[0]);
        return 2;
    }
    const fs::path work = fs::temp_directory_path() / ("mervik-compare-" + std::to_string(::getpid()));
    Engine base = load(argv[1], "base", work / "base");
    Engine mine = load(argv[2], "this", work / "this");
    const double seconds = std::stod(argv[3]);

    std::printf("%-34s %5s %12s %12s %8s %12s %12s %8s\n", "input", "runs", "base ms", "this ms", "ratio",
                "base cpu ms", "this cpu ms", "ratio");
    for (int a = 4; a < argc; ++a) {
        const fs::path input = fs::absolute(argv[a]);
        base.wall.clear(), base.cpu.clear(), mine.wall.clear(), mine.cpu.clear();
        // A first run of each warms the caches and sizes the number of runs.
        const double first = std::max(runOnce(base, input), runOnce(mine, input));
        base.wall.clear(), base.cpu.clear(), mine.wall.clear(), mine.cpu.clear();
        const int runs = static_cast<int>(std::clamp(seconds / std::max(first, 1e-6), 3.0, 5000.0));
        for (int r = 0; r < runs; ++r) {
            // The order alternates, so that neither always runs on a cache the other warmed.
            if (r % 2 == 0) {
                runOnce(base, input);
                runOnce(mine, input);
            } else {
                runOnce(mine, input);
                runOnce(base, input);
            }
        }
        const double bw = median(base.wall), tw = median(mine.wall), bc = median(base.cpu), tc = median(mine.cpu);
        std::printf("%-34s %5d %12.4f %12.4f %8.3f %12.4f %12.4f %8.3f\n", input.filename().string().c_str(), runs,
                    1e3 * bw, 1e3 * tw, tw / bw, 1e3 * bc, 1e3 * tc, tc / bc);
        const std::string stem = input.stem().string();
        for (const char* ext : {".out", ".plt", ".msg"})
            if (withoutDate(base.out / (stem + ext)) != withoutDate(mine.out / (stem + ext)))
                std::printf("  note: the %s files of the two libraries differ\n", ext);
    }
    fs::remove_all(work);
    return 0;
}
