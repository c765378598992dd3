// The echo of the input data in the report, block by block, with the checks made on the input
// as it is echoed. All values are printed in input units, before the US units are converted.
#pragma once

namespace mervik {

struct Run;

// The whole echo: progress lines, contiguous soil layers, the blocks and the closing checks.
// Returns early when a check raises a fatal input error.
void echoInput(Run& run);

// Blocks, in report order. Each writes to the report and returns early after a fatal error.
void echoTitle(Run& run);            // problem title
void echoProgramOptions(Run& run);   // program options, with the convergence tolerance reset
void echoPileProperties(Run& run);   // pile structural properties and geometry, pile diameter check
void echoSlopeAndBatter(Run& run);   // ground slope and pile batter angles
void echoSoilLayers(Run& run);       // soil and rock layering, notes and plausibility warnings
void echoSoilSummary(Run& run);      // summary of soil properties (US and SI units only)
void echoPyModifiers(Run& run);      // p-y modification factors for group action
void echoSoilMovements(Run& run);    // lateral soil movements
void echoLoadingType(Run& run);      // static or cyclic loading, number of cycles check
void echoDistributedLoad(Run& run);  // distributed lateral loading
void echoPileHeadLoads(Run& run);    // pile-head loading and fixity conditions (not LRFD)
void echoTipShear(Run& run);         // shear resistance curve at the pile tip and its check
void echoPyOutputDepths(Run& run);   // depths of printed p-y curves, checked and rebuilt

// Checks made after the blocks, in this order.
void checkPilePointCount(Run& run);     // 2 to 40 pile property points
void checkSoilProfileDepths(Run& run);  // soil profile against the pile tip and the ground surface
void checkPyModifierStart(Run& run);    // first p-multiplier depth against the ground surface
void checkCyclicLoading(Run& run);      // cycles of cyclic loading

}  // namespace mervik
