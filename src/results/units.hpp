// Unit names of the values in a plot file, by unit system. The plot file holds computation
// units: inches and pounds in US customary units (the moment-curvature records in kips),
// meters and kilonewtons in SI, the user's own length L and force F in general units.
#pragma once
#include <string>

#include "results/plot_file.hpp"

namespace mervik::results {

struct UnitNames {
    std::string length;       // depths, deflections, pile lengths
    std::string force;        // shear
    std::string moment;       // bending moment of the node records
    std::string lineLoad;     // soil reaction p
    std::string modulus;      // soil modulus Es = p / y (force per length squared)
    std::string EI;           // bending stiffness of the node records
    std::string rotation;     // rad
    // Moment-curvature records (kips in US customary units).
    std::string sectionForce, sectionMoment, sectionEI, curvature;
    // Pile-head stiffness terms.
    std::string K22, K23, K32, K33;
};

UnitNames unitNames(UnitSystem units);

}  // namespace mervik::results
