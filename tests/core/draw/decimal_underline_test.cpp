#include "core/draw/decimal_underline.h"

#include <gtest/gtest.h>

#include "core/draw/alignment.h"
#include "core/draw/subtract_rect.h"
#include "support/recording_canvas.h"

namespace kivrel {

constexpr TRect kCell{0, 0, 80, 24}, kAll{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};

enum Form { Left, Right, Center };  // each called with the alignment code of the same value

// Form, cell, text, and each pass's text[Left,Top,Right,Bottom] at 8 px a byte
// at the full height and 7 px at the small height. The integer part is
// drawn at the full height, the decimals small and underlined in a box raised
// 3 px, the "%" small; bold throughout. The centred form splits the cell by
// byte counts, "%" counted, a half going to even. A text without "." is drawn
// whole with the font as found. Parts wider than the cell reach beyond it,
// and edges near the ends of the int32 range clamp.
TEST(DecimalUnderline, GeometryAndFontOfEachPass) {
  const std::tuple<Form, TRect, const char*, const char*> rows[] = {
      {Right, kCell, "12.35", "12[0,0,66,24] 35[66,0,80,21]"},
      {Right, kCell, "3.5%", "3[0,0,66,24] 5[66,0,73,21] %[73,0,80,24]"},
      {Right, kCell, "5.%", "5[0,0,73,24] %[73,0,80,21]"},
      {Right, kCell, "1.234567890123", "1[0,0,0,0] 234567890123[-4,0,80,21]"},
      {Left, kCell, "3.5%", "3[0,0,8,24] 5[8,0,15,21] %[15,0,80,24]"},
      {Center, {0, 0, 90, 24}, "1.25%", "1[0,0,22,24] 25[22,0,36,21] %[36,0,90,24]"},
      {Center, {10, 5, 90, 29}, "12.34", "12[10,5,50,29] 34[50,5,90,26]"},
      {Center, kCell, "\xA1\xF4", "\xA1\xF4[0,0,80,24]"},
      {Center, kAll, "1.25%",
       "1[-2147483648,-2147483648,-1073741824,2147483647] 25[-1073741824,-2147483648,-1073741810,2147483644] "
       "%[-1073741810,-2147483648,2147483647,2147483647]"},
  };
  for (const auto& [form, rect, text, expected] : rows) {
    testing::RecordingCanvas canvas;  // the font found 15 high (the decimals' 13.5 truncates to 13), bold, underlined
    canvas.Font = TFont{"ARIAL", 15, clRed, {}};
    canvas.Font.Style.Include(TFontStyle::fsBold);
    canvas.Font.Style.Include(TFontStyle::fsUnderline);
    canvas.WidthAtHeight = {{13, 7}};
    const auto draw = form == Left ? DrawDecimalLeft : form == Right ? DrawDecimalRight : DrawDecimalCenter;
    draw(canvas, rect, text, clRed, clWhite, static_cast<std::uint8_t>(form), vaCenter);
    const bool split = std::string(text).find('.') != std::string::npos;
    std::string drawn;
    for (std::size_t i = 0; i < canvas.Records.size(); ++i) {
      const testing::Drawn& d = canvas.Records[i];
      drawn += (i ? " " : "") + d.Text + "[" + std::to_string(d.Rect.Left) + "," + std::to_string(d.Rect.Top) + "," +
               std::to_string(d.Rect.Right) + "," + std::to_string(d.Rect.Bottom) + "]";
      const std::uint32_t flags = split && form == Center ? (i == 0 ? 0x26U : 0x24U) : TextFormatFlags(form, vaCenter);
      const TFontStyles style = d.Font.Style;
      EXPECT_EQ(std::tuple(d.Font.Height, style.Has(TFontStyle::fsUnderline), style.Has(TFontStyle::fsBold), d.Flags),
                std::tuple(i == 0 ? 15 : 13, !split || i == 1, true, flags))
          << text << " " << i;
    }
    EXPECT_EQ(drawn, expected);
  }
}

// The rectangles of the decimal forms are cut by full-height bands at the
// sides only: a rectangle of no width gives (0, 0, 0, 0), and one less a top
// band (touching its top edge alone) stays whole.
TEST(SubtractRect, CutsOnlyFullHeightBandsAtTheSides) {
  EXPECT_EQ(SubtractRect({5, 0, 5, 10}, {6, 0, 9, 9}), TRect{});
  EXPECT_EQ(SubtractRect(kCell, {0, 0, 80, 10}), kCell);
}

}  // namespace kivrel
