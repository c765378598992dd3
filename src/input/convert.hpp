// Conversion of US customary input to the computation units of the analysis.
#pragma once

namespace mervik {

struct Run;

// In US units, depths and lengths given in feet become inches (x 12), effective unit weights
// pcf become pci (/ 1728) and soil strengths psf become psi (/ 144); the rock strengths of weak
// rock and vuggy limestone are given in psi and keep their value. Loads and the distributed-load
// table are given in pounds and inches and are not touched. Made once in a run: a second call
// changes nothing.
void convertToComputationUnits(Run& run);

}  // namespace mervik
