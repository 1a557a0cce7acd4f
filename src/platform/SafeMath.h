// Arithmetic on values read from files, which may hold anything an int can.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

// Coordinates are kept within this distance of the screen: far off it, yet far from int's limits,
// so offsets added to them afterwards never overflow.
constexpr int CoordinateLimit = 100000;
constexpr int OffsetCoordinate(std::int64_t value, std::int64_t by = 0) {
  return static_cast<int>(std::clamp<std::int64_t>(value + by, -CoordinateLimit, CoordinateLimit));
}
// Counters only grow by what a child earns; at INT_MAX they stay there
// instead of wrapping negative.
constexpr int AddClamped(int counter, int by) {
  return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{counter} + by, INT_MIN, INT_MAX));
}
