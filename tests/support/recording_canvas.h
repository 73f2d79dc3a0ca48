#pragma once
// A canvas that draws nothing and records every text drawing, with the font
// of that moment. Every byte of a text is WidthPerByte pixels wide, or what
// WidthAtHeight gives at the font height of the moment.

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
  TRect Rect;
  std::string Text;
  std::uint32_t Flags = 0;
  TFont Font;
};

class RecordingCanvas : public TCanvas {
 public:
  int WidthPerByte = 8;
  std::map<int, int> WidthAtHeight;
  std::vector<Drawn> Records;

  void FillRect(const TRect& /*rect*/) override {}
  int TextWidth(std::string_view text) override {
    const auto it = WidthAtHeight.find(Font.Height);
    return static_cast<int>(text.size()) * (it != WidthAtHeight.end() ? it->second : WidthPerByte);
  }
  void DrawText(std::string_view text, const TRect& rect, std::uint32_t flags) override {
    Records.push_back({rect, std::string(text), flags, Font});
  }
};

}  // namespace kivrel::testing
