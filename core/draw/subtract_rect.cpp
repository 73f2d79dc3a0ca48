#include "core/draw/subtract_rect.h"

#include <algorithm>

namespace kivrel {

bool IsRectEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

TRect SubtractRect(const TRect& a, const TRect& b) {
  if (IsRectEmpty(a)) return TRect{};
  const TRect i{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom)};
  if (IsRectEmpty(i)) return a;
  if (i == a) return TRect{};
  TRect result = a;
  if (i.Top == a.Top && i.Bottom == a.Bottom) {
    if (i.Left == a.Left) {
      result.Left = i.Right;
    } else if (i.Right == a.Right) {
      result.Right = i.Left;
    }
  }
  return result;
}

}  // namespace kivrel
