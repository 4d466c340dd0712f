#pragma once
// Float-to-int conversions of pixel arithmetic: truncation toward zero, as
// the chart's geometry is defined, but saturating instead of overflowing.

#include <cmath>
#include <cstdint>
#include <limits>

inline int TruncSat(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

inline std::int64_t TruncSat64(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
    if (v <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(v);
}

// Rounding as the chart means it: 0.5 added, then truncated.
inline int RoundSat(double v) {
    return TruncSat(v + 0.5);
}
