#pragma once
// A canvas that draws nothing and records every fill, text and line drawing,
// with the font, brush and pen of that moment. Every byte of a text is WidthPerByte
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
inline void PrintTo(const TPoint& p, std::ostream* os) { *os << '(' << p.X << ", " << p.Y << ')'; }

}  // namespace kivrel

namespace kivrel::testing {

struct Drawn {
  bool Fill = false;  // a FillRect, else a DrawText or a line
  TRect Rect;
  std::string Text;
  std::uint32_t Flags = 0;
  TFont Font;
  TColor Brush = 0;
  std::vector<TPoint> Points;  // of a line (two) or polyline
  TColor Pen = 0;
  int PenWidth = 0;
};

class RecordingCanvas : public TCanvas {
 public:
  int WidthPerByte = 8;
  std::map<int, int> WidthAtHeight;
  std::vector<Drawn> Records;

  void FillRect(const TRect& rect) override { Records.push_back({true, rect, {}, 0, Font, BrushColor, {}, 0, 0}); }
  int TextWidth(std::string_view text) override {
    const auto it = WidthAtHeight.find(Font.Height);
    return static_cast<int>(text.size()) * (it != WidthAtHeight.end() ? it->second : WidthPerByte);
  }
  void DrawText(std::string_view text, const TRect& rect, std::uint32_t flags) override {
    Records.push_back({false, rect, std::string(text), flags, Font, BrushColor, {}, 0, 0});
  }
  void DrawLine(TPoint from, TPoint to) override { Lines({from, to}); }
  void DrawPolyline(std::span<const TPoint> points) override { Lines({points.begin(), points.end()}); }

 private:
  void Lines(std::vector<TPoint> points) {
    Records.push_back({false, {}, {}, 0, Font, BrushColor, std::move(points), PenColor, PenWidth});
  }
};

}  // namespace kivrel::testing
