#include "core/draw/cell_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/draw/alignment.h"
#include "support/recording_canvas.h"

namespace kivrel {

// Throws when drawing at a font height other than the one found (20).
struct ThrowingCanvas : testing::RecordingCanvas {
  void DrawText(std::string_view text, const TRect& rect, std::uint32_t flags) override {
    if (Font.Height != 20) throw std::runtime_error("canvas lost");
    RecordingCanvas::DrawText(text, rect, flags);
  }
};

// Decimal-underline mode. Alignment code, text, and the first text drawn, its
// Right and whether it is Latin. A text is Chinese when a byte of 0x80 or
// above stands before its last position (one in the last position does not
// count): it is drawn whole in the Chinese font. A Latin one goes in bold to
// the form of its alignment, any code but left and right centring, at 8 px a
// byte: the integer part ends at 8, 64 or 20; 成交.5 is Chinese. The canvas
// throws at the decimals, and the font height comes back all the same.
TEST(CellText, FontByTheKindOfTextAndFormByTheAlignment) {
  const std::tuple<std::uint8_t, std::string, std::string, int, bool> rows[] = {
      {haLeft, "1.25", "1", 8, true},
      {haRight, "1.25", "1", 64, true},
      {7, "1.25\xA4", "1", 20, true},
      {haRight, "\xA6\xA8\xA5\xE6.5", "\xA6\xA8\xA5\xE6.5", 80, false}};
  DecimalUnderline = true;
  for (const auto& [h, text, first, right, latin] : rows) {
    ThrowingCanvas canvas;
    canvas.Font.Height = 20;
    try {
      DrawCellText(canvas, {0, 0, 80, 24}, text, clRed, clYellow, h, vaCenter, true);
    } catch (const std::runtime_error&) {
    }
    const testing::Drawn& d = canvas.Records.at(0);
    EXPECT_EQ(std::tuple(d.Text, d.Rect.Right, d.Font.Name, d.Font.Style.Has(TFontStyle::fsBold)),
              std::tuple(first, right, std::string(latin ? LatinFontName : ChineseFontName), latin));
    EXPECT_EQ(canvas.Font.Height, 20) << text;
  }
  DecimalUnderline = false;
}

}  // namespace kivrel
