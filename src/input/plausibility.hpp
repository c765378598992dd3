// Physical plausibility of the input model, checked once after the echo and before any
// analysis: values that no pile, soil or load can have (a modulus, length or concrete strength
// of zero or less where the section needs it, a boundary-condition type outside 1 to 5, soil
// layers that overlap or run upwards, magnitudes that overflow the arithmetic) end the run with
// a numbered input error instead of a non-finite or meaningless result.
#pragma once

namespace mervik {

struct Run;

inline constexpr int kErrNonPositiveSectionValue = 80;  // a section value that must be above zero
inline constexpr int kErrLoadType = 81;                 // a load case whose type is outside 1 to 5
inline constexpr int kErrInvertedLayer = 82;            // a soil layer whose bottom lies above its top
inline constexpr int kErrOverlappingLayers = 83;        // a soil layer that begins above the bottom of the one above
inline constexpr int kErrValueTooLarge = 84;            // a value that is not finite or larger than kMaxInputMagnitude

// No property of a pile, a soil or a load reaches this magnitude in any unit system; larger
// values overflow the products and powers of the analysis.
inline constexpr double kMaxInputMagnitude = 1.0e20;

// Raises the first of the errors above that the model shows (its text names the item, its input
// line and the value); nothing when it is sound.
void checkInputPlausibility(Run& run);

}  // namespace mervik
