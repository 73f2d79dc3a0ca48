#include "core/draw/cell_text.h"

#include <cstddef>

#include "core/draw/alignment.h"
#include "core/draw/decimal_underline.h"
#include "core/text/if_then.h"

namespace kivrel {

bool DecimalUnderline = false;

namespace {

// Big5 "↑" and "↓".
constexpr std::string_view kUpArrow = "\xA1\xF4";
constexpr std::string_view kDownArrow = "\xA1\xF5";

// Puts the canvas font's height back when the cell is done, however it ends.
class TFontHeightKeeper {
 public:
  explicit TFontHeightKeeper(TCanvas& canvas) : canvas_(canvas), height_(canvas.Font.Height) {}
  ~TFontHeightKeeper() { canvas_.Font.Height = height_; }
  TFontHeightKeeper(const TFontHeightKeeper&) = delete;
  TFontHeightKeeper& operator=(const TFontHeightKeeper&) = delete;

 private:
  TCanvas& canvas_;
  int height_;
};

bool HasHighByteBeforeLast(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) return true;
  }
  return false;
}

}  // namespace

bool IsChineseText(std::string_view text) {
  if (text.empty() || text == "." || text == kUpArrow || text == kDownArrow) return false;
  return HasHighByteBeforeLast(text);
}

void ChooseCellFont(TFont& font, bool chinese) {
  font.Name = IfThenStr(chinese, std::string(ChineseFontName), std::string(LatinFontName));
  if (DecimalUnderline && !chinese) font.Style.Include(TFontStyle::fsBold);
}

void DrawCellText(TCanvas& canvas, const TRect& rect, const std::string& text, TColor fontColor, TColor brushColor,
                  std::uint8_t hAlign, std::uint8_t vAlign, bool noFill) {
  const TFontHeightKeeper heightKeeper(canvas);
  canvas.Font.Color = fontColor;
  canvas.BrushColor = brushColor;
  const bool chinese = IsChineseText(text);
  ChooseCellFont(canvas.Font, chinese);
  if (!noFill) canvas.FillRect(rect);

  if (!DecimalUnderline || chinese) {
    canvas.DrawText(text, rect, TextFormatFlags(hAlign, vAlign));
    return;
  }
  if (hAlign == haLeft) {
    DrawDecimalLeft(canvas, rect, text, fontColor, brushColor, hAlign, vAlign);
  } else if (hAlign == haRight) {
    DrawDecimalRight(canvas, rect, text, fontColor, brushColor, hAlign, vAlign);
  } else {
    DrawDecimalCenter(canvas, rect, text, fontColor, brushColor, hAlign, vAlign);
  }
}

}  // namespace kivrel
