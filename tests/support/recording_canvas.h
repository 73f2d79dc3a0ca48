#pragma once
// A canvas that draws nothing and records everything: each FillRect,
// DrawText and TextWidth call, in order, with the font and brush as they
// stood at that moment. Glyphs have fixed widths: every byte is WidthPerByte
// pixels wide, or the width WidthPerByteAtHeight gives for the font height of
// the moment; Measure, when set, overrides both.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/draw/canvas.h"

namespace kivrel {

// Lets test failures show rectangles as (Left, Top, Right, Bottom).
inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << '(' << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ')';
}

}  // namespace kivrel

namespace kivrel::testing {

enum class CanvasCall { FillRect, DrawText, TextWidth };

struct CanvasRecord {
  CanvasCall Call;
  TRect Rect;                // FillRect, DrawText
  std::string Text;          // DrawText, TextWidth
  std::uint32_t Flags = 0;   // DrawText
  int Width = 0;             // TextWidth: what it returned
  TFont Font;
  TColor BrushColor = 0;
};

// One DrawText call, reduced to what the cell drawing decides.
struct TextDraw {
  std::string Text;
  TRect Rect;
  std::uint32_t Flags = 0;
  int Height = 0;
  bool Bold = false;
  bool Underline = false;
  friend bool operator==(const TextDraw&, const TextDraw&) = default;
};

inline void PrintTo(const TextDraw& d, std::ostream* os) {
  *os << '"' << d.Text << "\" in ";
  PrintTo(d.Rect, os);
  *os << " flags 0x" << std::hex << d.Flags << std::dec << " height " << d.Height << (d.Bold ? " bold" : "")
      << (d.Underline ? " underline" : "");
}

class RecordingCanvas : public TCanvas {
 public:
  int WidthPerByte = 8;
  std::map<int, int> WidthPerByteAtHeight;
  std::function<int(std::string_view text, const TFont& font)> Measure;

  // Called with each record right after it is stored; a test can throw from
  // here to check what survives an exception.
  std::function<void(const CanvasRecord&)> OnRecord;

  std::vector<CanvasRecord> Records;

  void FillRect(const TRect& rect) override { Store({CanvasCall::FillRect, rect, {}, 0, 0, Font, BrushColor}); }

  int TextWidth(std::string_view text) override {
    const int width = Width(text);
    Store({CanvasCall::TextWidth, {}, std::string(text), 0, width, Font, BrushColor});
    return width;
  }

  void DrawText(std::string_view text, const TRect& rect, std::uint32_t flags) override {
    Store({CanvasCall::DrawText, rect, std::string(text), flags, 0, Font, BrushColor});
  }

  std::vector<CanvasRecord> Calls(CanvasCall call) const {
    std::vector<CanvasRecord> out;
    for (const CanvasRecord& r : Records) {
      if (r.Call == call) out.push_back(r);
    }
    return out;
  }
  std::vector<CanvasRecord> Fills() const { return Calls(CanvasCall::FillRect); }

  // Every DrawText call, empty texts included.
  std::vector<TextDraw> TextDraws() const {
    std::vector<TextDraw> out;
    for (const CanvasRecord& r : Records) {
      if (r.Call != CanvasCall::DrawText) continue;
      out.push_back({r.Text, r.Rect, r.Flags, r.Font.Height, r.Font.Style.Has(TFontStyle::fsBold),
                     r.Font.Style.Has(TFontStyle::fsUnderline)});
    }
    return out;
  }

  // The DrawText calls that can show something: those with a text.
  std::vector<TextDraw> VisibleDraws() const {
    std::vector<TextDraw> out = TextDraws();
    std::erase_if(out, [](const TextDraw& d) { return d.Text.empty(); });
    return out;
  }

  void Clear() { Records.clear(); }

 private:
  void Store(CanvasRecord record) {
    Records.push_back(std::move(record));
    if (OnRecord) OnRecord(Records.back());
  }

  // Saturates instead of overflowing for very long texts or wide glyphs.
  int Width(std::string_view text) const {
    if (Measure) return Measure(text, Font);
    const auto it = WidthPerByteAtHeight.find(Font.Height);
    const std::int64_t perByte = it != WidthPerByteAtHeight.end() ? it->second : WidthPerByte;
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    constexpr std::int64_t kMin = std::numeric_limits<int>::min();
    const std::int64_t bytes = text.size() > static_cast<std::size_t>(kMax) ? kMax : static_cast<std::int64_t>(text.size());
    const std::int64_t width = perByte * bytes;
    return static_cast<int>(width > kMax ? kMax : (width < kMin ? kMin : width));
  }
};

}  // namespace kivrel::testing
