// Test support: a fresh run whose report, plot and message channels are held in memory, for
// tests that call single procedures of the engine.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/run.hpp"
#include "engine/run_sequence.hpp"
#include "py/py_models.hpp"
#include "py/soil_mechanics.hpp"

namespace mervik::testing {

class MemoryRunTest : public ::testing::Test {
protected:
    void SetUp() override { start(); }

    // A fresh run (each case of a table may start one).
    void start() {
        run = std::make_unique<mervik::Run>();
        resetRun(*run);
        run->report.openMemory();
        run->plot.openMemory();
        run->messages.openMemory();
    }
    // The input text the readers take their lines from.
    void setInput(const std::string& text) {
        run->input = InputText{};
        run->input.content = text;
    }
    // Soil or pile data changed by a test between two evaluations at the same depths: the values
    // the p-y models keep for a load case are computed anew, as in the next load case.
    void newLoadCase() { ++run->py.depthGeneration; }
    // The complete lines written so far.
    const std::string& report() const { return run->report.memory(); }
    const std::string& plot() const { return run->plot.memory(); }
    const std::string& messages() const { return run->messages.memory(); }

    std::unique_ptr<mervik::Run> run;
};

}  // namespace mervik::testing
