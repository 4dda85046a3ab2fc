// Numeric conversion to an integer, rounded with halves to even (2.5 -> 2,
// 3.5 -> 4), the rule every "rounded" conversion in the programs follows.
#pragma once
#include <cmath>
#include <cstdint>

inline int32_t RoundHalfEven(double v) {
    return static_cast<int32_t>(std::nearbyint(v));  // default FE_TONEAREST is ties-to-even
}
