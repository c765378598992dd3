// Loading by lateral soil movement: the free-field movement of the soil at every node, from the
// profile of movement with depth. The p-y routines take the pile deflection relative to it and
// turn it into the load term ys·Es + q of the solver.
#pragma once

#include "input/model.hpp"

namespace mervik {

struct Run;

// Free-field movement at depth x along the pile below the head: linear between the profile
// points, the mean of the two movements at a step (two points at the same depth), and zero
// above the first point and below the last. Depths are expected in ascending order; other
// orders give some value of the profile, never a read outside it.
double soilMovementAt(const SoilMovementProfile& profile, double x);

// ys(1..M) of the nodes from the run's profile.
void computeSoilMovement(Run& run, int M);

}  // namespace mervik
