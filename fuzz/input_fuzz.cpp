// Fuzz target: any bytes as an input data file. The file tag and the whole section loop are
// read; nothing may crash, hang, leak or write past a table, whatever the file holds.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/run.hpp"
#include "engine/run_sequence.hpp"
#include "input/model.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto run = std::make_unique<mervik::Run>();
    mervik::resetRun(*run);
    run->report.openMemory();
    run->messages.openMemory();
    run->plot.openMemory();
    run->input.content.assign(reinterpret_cast<const char*>(data), size);
    std::string tag;
    if (mervik::readFreeWord(run->input, 7, tag) && tag == "MERVIK6") mervik::readInputData(*run);
    return 0;
}
