// Unit label texts and short p-y model names.
#include "engine/units.hpp"

#include <array>
#include <string_view>

#include "py/py_models.hpp"


namespace mervik {

namespace {

std::string padded(std::string_view text, std::size_t width) {
    std::string s(text);
    s.resize(width, ' ');
    return s;
}

}  // namespace

UnitLabels makeUnitLabels(int IUNITS) {
    UnitLabels u;
    u.slash = "/";
    u.dash = "-";
    u.power = "**";
    u.two = "2";
    u.three = "3";
    u.four = "4";
    if (IUNITS < 1 || IUNITS > 3) return u;
    // Columns: USCS, SI, GENERAL.
    const std::size_t k = static_cast<std::size_t>(IUNITS - 1);
    auto pick = [k](std::size_t width, std::array<std::string_view, 3> texts) { return padded(texts[k], width); };
    u.DeflectionUnit = pick(3, {"in", "m", "L"});
    u.LineLoadUnit = pick(5, {"lb/in", "kN/m", "F/L"});
    u.SubgradeUnit = pick(5, {"pci", "kN/m3", "F/L3"});
    u.DepthUnit = pick(2, {"ft", "m", "L"});
    u.DimensionUnit = pick(2, {"in", "mm", "L"});
    u.ForceUnit = pick(3, {"lbs", "kN", "F"});
    u.MomentUnit = pick(8, {"in-lb", "kN-m", "F-L"});
    u.UnitWeightUnit = pick(5, {"pcf", "kN/m3", "F/L3"});
    u.UnitWeightComputeUnit = pick(5, {"pci", "kN/m3", "F/L3"});
    u.SoilStressUnit = pick(4, {"psf", "kPa", "F/L2"});
    u.StressUnit = pick(4, {"psi", "kPa", "F/L2"});
    return u;
}

PyModelNames makePyModelNames() {
    PyModelNames table{};
    for (int code = 1; code <= kPyModelCount; ++code)
        table[static_cast<std::size_t>(code)] = padded(pyModelRowOfCode(code)->name, 10);
    return table;
}

}  // namespace mervik
