#pragma once
// Alignment codes of a cell's text, one byte each, and the text-drawing
// flags they stand for.

#include <cstdint>

#include "core/draw/canvas.h"

namespace kivrel {

inline constexpr std::uint8_t haLeft = 0;
inline constexpr std::uint8_t haRight = 1;
inline constexpr std::uint8_t haCenter = 2;

inline constexpr std::uint8_t vaTop = 0;
inline constexpr std::uint8_t vaCenter = 1;
inline constexpr std::uint8_t vaBottom = 2;

// Always one line (DT_SINGLELINE). A code above 2 centres in its direction,
// so 3 and 3 give 0x25.
constexpr std::uint32_t TextFormatFlags(std::uint8_t hAlign, std::uint8_t vAlign) {
  std::uint32_t flags = DT_SINGLELINE;
  if (hAlign == haLeft) {
    flags |= DT_LEFT;
  } else if (hAlign == haRight) {
    flags |= DT_RIGHT;
  } else {
    flags |= DT_CENTER;
  }
  if (vAlign == vaTop) {
    flags |= DT_TOP;
  } else if (vAlign == vaBottom) {
    flags |= DT_BOTTOM;
  } else {
    flags |= DT_VCENTER;
  }
  return flags;
}

}  // namespace kivrel
