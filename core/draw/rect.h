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

// Right - Left, or 0 when that is negative.
inline int RectWidth(const TRect& r) {
  const std::int64_t w = static_cast<std::int64_t>(r.Right) - r.Left;
  return w < 0 ? 0 : static_cast<int>(w);
}

}  // namespace kivrel
