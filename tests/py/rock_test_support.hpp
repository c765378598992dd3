// Test support for the rock p-y models: rock layers placed with a unit weight, the first one at
// the ground surface, and the report pass of a layer at one output depth.
#pragma once
#include "support/py_model_test.hpp"

namespace mervik::testing {

class RockRunTest : public PyModelTest {
public:
    // Layer L from top to bottom with its model code and a unit weight; layer 1 starts at the
    // ground surface.
    SoilLayer& layer(int L, int code, double top, double bottom, double gamma = 0.5) {
        SoilLayer& s = placeLayer(L, code, top, bottom);
        s.gamma = {gamma, gamma};
        if (L == 1) run->model.soil.groundSurface = top;
        return s;
    }
    // The report pass of layer L at one output depth (entry 1 of the output list).
    void printAt(void (*routine)(mervik::Run&, int), int L, double depth) {
        run->py.reportPass = true;
        run->nodes.x[1] = depth;
        range(L, 1, 1);
        routine(*run, L);
        run->py.reportPass = false;
    }
};

}  // namespace mervik::testing
