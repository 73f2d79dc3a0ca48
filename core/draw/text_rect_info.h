#pragma once
// One cell to draw: where, what, in which colours and how aligned.

#include <cstdint>
#include <string>
#include <utility>

#include "core/color/colors.h"
#include "core/draw/alignment.h"
#include "core/draw/rect.h"

namespace kivrel {

struct TTextRectInfo {
  TRect Rect;
  std::string Text;  // Big5
  TColor FontColor = clBlack;
  TColor BrushColor = clBtnFace;
  std::uint8_t HAlign = haLeft;  // haLeft, haRight, haCenter
  std::uint8_t VAlign = vaTop;   // vaTop, vaCenter, vaBottom
  bool NoFill = false;           // true: the text goes onto the background as it is
  friend bool operator==(const TTextRectInfo&, const TTextRectInfo&) = default;
};

inline TTextRectInfo MakeTextRectInfo(const TRect& rect, std::string text, TColor fontColor, TColor brushColor,
                                      std::uint8_t hAlign, std::uint8_t vAlign, bool noFill) {
  return TTextRectInfo{rect, std::move(text), fontColor, brushColor, hAlign, vAlign, noFill};
}

}  // namespace kivrel
