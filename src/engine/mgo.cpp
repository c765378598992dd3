// The exported entry points. Each call builds its own run object; an exception (out of memory,
// a file-system failure) never crosses the C boundary: it ends the run with a runtime error.
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

#include "engine/errors.hpp"
#include "engine/run_sequence.hpp"
#include "mervik/mervik.h"

namespace {

template <class Body>
int32_t guarded(Body body) {
    try {
        auto run = std::make_unique<mervik::Run>();
        return body(*run);
    } catch (...) {
        return mervik::runtimeError(mervik::kErrUnexpected);
    }
}

}  // namespace

extern "C" int32_t MGO(int32_t /*host_argument*/) {
    return guarded([](mervik::Run& run) {
        std::error_code ec;
        const std::filesystem::path workDir = std::filesystem::current_path(ec);
        if (ec) return mervik::runtimeError(mervik::kErrUnexpected);
        return mervik::runFromNamesFile(run, workDir);
    });
}

extern "C" int32_t mervik_run_files(const char* input_path, const char* report_path, const char* plot_path,
                                    const char* messages_path) {
    return guarded([&](mervik::Run& run) {
        std::error_code ec;
        const std::filesystem::path workDir = std::filesystem::current_path(ec);
        if (ec) return mervik::runtimeError(mervik::kErrUnexpected);
        auto text = [](const char* p) { return std::string(p != nullptr ? p : ""); };
        const mervik::RunFiles files{text(input_path), text(report_path), text(plot_path), text(messages_path)};
        return mervik::runWithFiles(run, files, workDir);
    });
}
