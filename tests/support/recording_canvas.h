#pragma once
// A canvas that draws nothing and records every fill and text drawing, with
// the font and brush of that moment. Every byte of a text is WidthPerByte
// pixels wide, or what WidthAtHeight gives at the font height of the moment.

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "core/draw/canvas.h"

namespace kivrel {

inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << '(' << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ')';
}

}  // namespace kivrel

namespace kivrel::testing {

struct Drawn {
  bool Fill = false;  // a FillRect, else a DrawText
  TRect Rect;
  std::string Text;
  std::uint32_t Flags = 0;
  TFont Font;
  TColor Brush = 0;
};

class RecordingCanvas : public TCanvas {
 public:
  int WidthPerByte = 8;
  std::map<int, int> WidthAtHeight;
  std::vector<Drawn> Records;

  void FillRect(const TRect& rect) override { Records.push_back({true, rect, {}, 0, Font, BrushColor}); }
  int TextWidth(std::string_view text) override {
    const auto it = WidthAtHeight.find(Font.Height);
    return static_cast<int>(text.size()) * (it != WidthAtHeight.end() ? it->second : WidthPerByte);
  }
  void DrawText(std::string_view text, const TRect& rect, std::uint32_t flags) override {
    Records.push_back({false, rect, std::string(text), flags, Font, BrushColor});
  }
};

}  // namespace kivrel::testing
