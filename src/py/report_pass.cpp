// Report pass of one layer: the model routine of the layer's model name, called while the node
// list holds the output depths of the printed p-y curves. The names are tried in the order of
// the printing pass; every name has its own routine, so the order decides nothing beyond that.
#include <cstddef>
#include <string_view>

#include "engine/run.hpp"
#include "py/py_framework.hpp"

namespace mervik {

void printLayerCurves(Run& run, int L) {
    const int code = run.model.soil.layer[static_cast<std::size_t>(L)].modelCode;
    if (code < 1 || code > kPyModelCount) return;
    std::string_view name = run.pyModelNames[static_cast<std::size_t>(code)];
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);

    if (name == "SoftClay" || name == "SoftClyJ") {
        pySoftClay(run, L);
        return;
    }
    // "StfClyBW", "StfClyAW", "StfClyAK": the stiff clay routines plug in here.
    if (name == "Sand") {
        pySand(run, L);
        return;
    }
    if (name == "API Sand") {
        pyApiSand(run, L);
        return;
    }
    // "Liq Sand", "WeakRock", "Vuggy LS", "Cem Silt": their routines plug in here.
    if (name == "User p-y") {
        pyUserCurves(run, L);
        return;
    }
    // "KS Loess", "Piedmont": their routines plug in here.
    if (name == "Elast SG") {
        pyElasticSubgrade(run, L);
        return;
    }
    // "MassRock": its routine plugs in here. The names without a p-y model (codes 17 to 20)
    // print nothing.
}

}  // namespace mervik
