// Conversion of US customary input to computation units.
#include "input/convert.hpp"

#include "engine/run.hpp"

namespace mervik {

namespace {

constexpr double kInchesPerFoot = 12.0;
constexpr double kCubicInchesPerCubicFoot = 1728.0;
constexpr double kSquareInchesPerSquareFoot = 144.0;

// Scales entries 1..count of a 1-based table.
template <class Table>
void scale(Table& table, int count, double factor) {
    for (std::size_t k = 1; k < table.size() && static_cast<int>(k) <= count; ++k) table[k] *= factor;
}

}  // namespace

void convertToComputationUnits(Run& run) {
    AnalysisModel& m = run.model;
    if (m.options.IUNITS != kUSCS || m.convertedToComputationUnits) return;
    m.convertedToComputationUnits = true;
    constexpr double ft = kInchesPerFoot;

    PileSections& piles = m.sections;
    piles.pileLength *= ft;
    for (int s = 1; s <= piles.count && s <= kMaxSections; ++s) {
        PileSection& section = piles.section[static_cast<std::size_t>(s)];
        section.sectionLength *= ft;
        section.topDepthX *= ft;
        section.bottomDepthX *= ft;
    }
    for (int p = 1; p <= piles.propertyPointCount && p <= 2 * kMaxSections; ++p) {
        piles.point[static_cast<std::size_t>(p)].depth *= ft;
    }

    SoilProfile& soil = m.soil;
    soil.groundSurface *= ft;
    scale(soil.propertyDepth, soil.propertyPointCount, ft);
    for (int k = 1; k <= soil.layerCount && k <= kMaxLayers; ++k) {
        SoilLayer& layer = soil.layer[static_cast<std::size_t>(k)];
        layer.depthTop *= ft;
        layer.depthBottom *= ft;
        layer.userCurveTop.depth *= ft;
        layer.userCurveBottom.depth *= ft;
        layer.gamma.top /= kCubicInchesPerCubicFoot;
        layer.gamma.bottom /= kCubicInchesPerCubicFoot;
        if (layer.modelCode != kPyWeakRock && layer.modelCode != kPyVuggyLimestone) {
            layer.cohesion.top /= kSquareInchesPerSquareFoot;
            layer.cohesion.bottom /= kSquareInchesPerSquareFoot;
        }
    }

    scale(m.pyModifiers.depth, m.pyModifiers.count, ft);
    scale(m.soilMovement.depth, m.soilMovement.count, ft);
    scale(m.pyOutputDepths.depth, m.pyOutputDepths.count, ft);
}

}  // namespace mervik
