// Number helpers shared by the arithmetic of assignments and the wround statement.
#pragma once

namespace vp {

// Rounds halves away from zero (v - 0.5 below zero, else v + 0.5, cut toward zero).
// Values outside the 32-bit range, infinities and NaN come back unchanged.
double round_half_away(double v);

}  // namespace vp
