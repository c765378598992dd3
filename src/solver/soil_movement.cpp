// Free-field soil movement at the nodes of the pile.
#include "solver/soil_movement.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "engine/run.hpp"
#include "solver/pile.hpp"

namespace mervik {

namespace {

// Two profile depths closer than this are one depth: a step in the movement.
constexpr double kSameDepth = 1e-5;

std::size_t at(int j) { return static_cast<std::size_t>(j); }

}  // namespace

double soilMovementAt(const SoilMovementProfile& profile, double x) {
    const int n = std::min(profile.count, kMaxSoilMovementPoints);
    if (n < 2) return 0.0;
    const auto& D = profile.depth;
    const auto& S = profile.movement;
    if (x < D[1] || x > D[at(n)]) return 0.0;

    // First point from the second on at or below x; D(n) >= x, so the search ends at n at most.
    int j = 2;
    while (j < n && D[at(j)] < x) ++j;

    // A step in the profile: at its depth the movement is the mean of the two sides. The
    // node may sit at the step's upper point (the next point shares its depth) or fall into
    // the vanishing interval between the two.
    if (j < n && std::fabs(D[at(j + 1)] - D[at(j)]) < kSameDepth && std::fabs(x - D[at(j)]) < kSameDepth)
        return (S[at(j)] + S[at(j + 1)]) / 2.0;
    const double span = D[at(j)] - D[at(j - 1)];
    if (std::fabs(span) < kSameDepth) return (S[at(j - 1)] + S[at(j)]) / 2.0;
    return S[at(j - 1)] + (x - D[at(j - 1)]) * (S[at(j)] - S[at(j - 1)]) / span;
}

void computeSoilMovement(Run& run, int M) {
    PileNodes& nodes = run.nodes;
    for (int k = 1; k <= std::min(M, kMaxNodes); ++k) nodes.ys[at(k)] = soilMovementAt(run.model.soilMovement, nodes.x[at(k)]);
}

}  // namespace mervik
