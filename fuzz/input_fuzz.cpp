// Fuzz target: any bytes as an input data file. The file tag and the whole section loop are
// read and the model is echoed with its checks; nothing may crash, hang, leak or write past a
// table, whatever the file holds.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/run.hpp"
#include "engine/run_sequence.hpp"
#include "input/model.hpp"
#include "report/echo.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One run object serves every input of the fuzzing process (the fuzzer is single-threaded);
    // the reset at the start of each input is the one every analysis makes, and reusing the
    // object spares the fuzzer the page faults of a fresh multi-megabyte allocation per input.
    static const std::unique_ptr<mervik::Run> run = std::make_unique<mervik::Run>();
    mervik::resetRun(*run);
    run->report.openMemory();
    run->messages.openMemory();
    run->plot.openMemory();
    run->input.content.assign(reinterpret_cast<const char*>(data), size);
    std::string tag;
    if (!mervik::readFreeWord(run->input, 7, tag) || tag != "MERVIK6") return 0;
    mervik::readInputData(*run);
    if (run->failed()) return 0;
    run->units = mervik::makeUnitLabels(run->model.options.IUNITS);
    mervik::echoInput(*run);
    return 0;
}
