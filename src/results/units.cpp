#include "results/units.hpp"

namespace mervik::results {

UnitNames unitNames(UnitSystem units) {
    switch (units) {
        case UnitSystem::SI:
            return {"m",      "kN",     "kN-m", "kN/m",     "kN/m^2", "kN-m^2", "rad",  "kN",
                    "kN-m",   "kN-m^2", "rad/m", "kN/m",    "kN/rad", "kN-m/m", "kN-m/rad"};
        case UnitSystem::General:
            return {"L",   "F",     "F-L",   "F/L", "F/L^2", "F-L^2", "rad", "F",
                    "F-L", "F-L^2", "rad/L", "F/L", "F/rad", "F-L/L", "F-L/rad"};
        case UnitSystem::USCS:
        default:
            return {"in",     "lbs",      "in-lb",  "lb/in",     "lb/in^2", "lb-in^2", "rad",     "kips",
                    "in-kips", "kip-in^2", "rad/in", "lb/in",    "lb/rad",  "in-lb/in", "in-lb/rad"};
    }
}

}  // namespace mervik::results
