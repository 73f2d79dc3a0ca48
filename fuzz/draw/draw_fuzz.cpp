// Any text in any cell (int32 edges, glyphs up to 2^31 px a byte) through
// DrawCellText with any alignment, in both display modes. Nothing may be
// undefined; the font height comes back; every byte of the text is drawn once
// in order, less the first "." of a text drawn in decimal-underline forms.
//
// Input: the cell's Left, Top, Right, Bottom and the font height (int32 each),
// the two alignment codes, the mode (1 decimal underline), then the text. A
// byte is as many pixels wide as the font is high (or as many less than 0).
#include "core/draw/cell_text.h"
#include "seed_mode.h"

using namespace kivrel;

struct CheckingCanvas : TCanvas {
  std::string Drawn;
  void FillRect(const TRect&) override {}
  int TextWidth(std::string_view t) override { return ClampToInt32(std::int64_t(t.size()) * Font.Height); }
  void DrawText(std::string_view text, const TRect&, std::uint32_t) override { Drawn += text; }
  void DrawLine(TPoint, TPoint) override {}
  void DrawPolyline(std::span<const TPoint>) override {}
};

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::WriteSeedsWhenAsked([] { return std::vector<std::string>(); });  // the fuzzer finds its own inputs
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::int32_t in[5] = {};  // Left, Top, Right, Bottom, font height; then the codes from byte 20, the text from 23
  if (size < 23) return 0;
  __builtin_memcpy(in, data, sizeof in);
  std::string text(reinterpret_cast<const char*>(data) + 23, size - 23);
  CheckingCanvas canvas;
  canvas.Font.Height = in[4];
  DecimalUnderline = (data[22] & 1) != 0;
  DrawCellText(canvas, {in[0], in[1], in[2], in[3]}, text, clBlack, clWhite, data[20], data[21], false);
  if (DecimalUnderline && !IsChineseText(text) && text.find('.') != std::string::npos) text.erase(text.find('.'), 1);
  if (canvas.Font.Height != in[4] || canvas.Drawn != text) __builtin_trap();
  return 0;
}
