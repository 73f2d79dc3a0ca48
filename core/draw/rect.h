#pragma once

#include <cstdint>

namespace kivrel {

// A rectangle in pixels; Right and Bottom lie just outside it.
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

// Right - Left, or 0 when that is negative; a width beyond the int range
// (only from extreme coordinates) is clamped to it.
inline int RectWidth(const TRect& r) {
  const std::int64_t w = static_cast<std::int64_t>(r.Right) - r.Left;
  if (w < 0) return 0;
  return w > INT32_MAX ? INT32_MAX : static_cast<int>(w);
}

}  // namespace kivrel
