// Any text in any cell (int32 edges, glyphs up to 2^31 px a byte) through
// DrawCellText with any alignment, in both display modes. Nothing may be
// undefined; the font height comes back; every byte of the text is drawn once
// in order, less the first "." of a text drawn in decimal-underline forms.
//
// Input: the cell's Left, Top, Right, Bottom, the font height and the width
// of a byte (int32 each), the two alignment codes, a mode byte (1 decimal
// underline, 2 NoFill), then the text.

#include <cstring>
#include <vector>

#include "core/draw/cell_text.h"
#include "seed_mode.h"

using namespace kivrel;

static void Check(bool ok) {
  if (!ok) __builtin_trap();
}

struct CheckingCanvas : TCanvas {
  std::int32_t In[6] = {};  // Left, Top, Right, Bottom, font height, width of a byte
  std::string Drawn;
  void FillRect(const TRect& /*rect*/) override {}
  int TextWidth(std::string_view t) override { return ClampToInt32(std::int64_t(t.size()) * (In[5] & INT32_MAX)); }
  void DrawText(std::string_view text, const TRect& /*rect*/, std::uint32_t /*flags*/) override { Drawn += text; }
};

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  fuzzing::WriteSeedsWhenAsked("fuzz_draw", [](const std::string& folder) {
    std::vector<std::string> seeds;
    for (const char* text : {"12.35", "1.25%", "5.%", ".", "1.2.3", "-9.31", "1101", "\245x\252d", "\241\364"}) {
      const std::int32_t cell[6] = {0, 0, 80, 24, 16, 8};
      const char align = static_cast<char>(seeds.size() % 3);  // then vertically centred, decimal-underline mode
      seeds.push_back(std::string(reinterpret_cast<const char*>(cell), sizeof cell) + align + "\1\1" + text);
    }
    fuzzing::WriteNumberedSeeds(folder, seeds, [](const std::string& seed) { return seed; });
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckingCanvas canvas;
  if (size < sizeof canvas.In + 3) return 0;
  std::memcpy(canvas.In, data, sizeof canvas.In);
  const std::uint8_t* codes = data + sizeof canvas.In;  // horizontal and vertical alignment, mode
  const std::string text(reinterpret_cast<const char*>(codes + 3), size - sizeof canvas.In - 3);
  canvas.Font.Height = canvas.In[4];
  DecimalUnderline = (codes[2] & 1) != 0;
  const TRect cell{canvas.In[0], canvas.In[1], canvas.In[2], canvas.In[3]};
  DrawCellText(canvas, cell, text, clBlack, clWhite, codes[0], codes[1], (codes[2] & 2) != 0);
  const std::size_t dot = text.find('.');
  const bool split = DecimalUnderline && !IsChineseText(text) && dot != std::string::npos;
  Check(canvas.Font.Height == canvas.In[4] &&
        canvas.Drawn == (split ? text.substr(0, dot) + text.substr(dot + 1) : text));
  return 0;
}
