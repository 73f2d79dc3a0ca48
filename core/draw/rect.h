#pragma once
// Rectangles in pixels, and the arithmetic on their edges. Cell geometry adds
// text widths to edges and takes pixels off them; with edges near the ends
// of the int32 range those sums leave it, so they are formed in int64 and
// clamped back.

#include <cstdint>
#include <limits>

namespace kivrel {

// Right and Bottom lie just outside the rectangle.
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

// A pixel position.
struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

constexpr std::int32_t ClampToInt32(std::int64_t v) {
  constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v < lo ? lo : (v > hi ? hi : v));
}

// Right - Left, or 0 when that is negative: up to 2^32 - 1, so in 64 bits.
constexpr std::int64_t RectWidth(const TRect& r) {
  const std::int64_t w = static_cast<std::int64_t>(r.Right) - r.Left;
  return w < 0 ? 0 : w;
}

}  // namespace kivrel
