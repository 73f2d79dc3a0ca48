#include "core/draw/decimal_underline.h"

#include <gtest/gtest.h>

#include "core/draw/alignment.h"
#include "support/recording_canvas.h"

namespace kivrel {

constexpr TRect kCell{0, 0, 80, 24}, kWide{0, 0, 90, 24}, kAll{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};

enum Form { Left, Right, Center };  // each called with the alignment code of the same value

// Form, cell, text, and each pass's text[Left,Top,Right,Bottom] at 8 px a byte
// at the full height and 7 px at the small height. The integer part is
// drawn at the full height, the decimals small and underlined in a box raised
// 3 px, the "%" small; bold throughout. The centred form splits the cell by
// byte counts, "%" counted, a half going to even. A text without "." is drawn
// whole with the font as found. Edges near the ends of the int32 range clamp.
TEST(DecimalUnderline, GeometryAndFontOfEachPass) {
  const std::tuple<Form, TRect, const char*, const char*> rows[] = {
      {Right, kCell, "12.35", "12[0,0,66,24] 35[66,0,80,21]"},
      {Right, kCell, ".", "[0,0,80,24] [80,0,80,21]"},
      {Right, kCell, "5.", "5[0,0,80,24] [80,0,80,21]"},
      {Left, kCell, ".5", "[0,0,0,24] 5[0,0,80,21]"},
      {Right, kCell, "1.2.3", "1[0,0,59,24] 2.3[59,0,80,21]"},
      {Right, kCell, "5.%", "5[0,0,73,24] %[73,0,80,21]"},
      {Right, kCell, "3.5%", "3[0,0,66,24] 5[66,0,73,21] %[73,0,80,24]"},
      {Right, kCell, "", "[0,0,80,24]"},
      {Right, kCell, "1.234567890123", "1[0,0,0,0] 234567890123[-4,0,80,21]"},
      {Right, kCell, "12%", "12%[0,0,80,24]"},
      {Right, {10, 30, 90, 54}, "-9.31", "-9[10,30,76,54] 31[76,30,90,51]"},
      {Left, kCell, "1234", "1234[0,0,80,24]"},
      {Left, kCell, "12.35", "12[0,0,16,24] 35[16,0,80,21]"},
      {Center, kCell, "\xA1\xF4", "\xA1\xF4[0,0,80,24]"},
      {Left, kCell, "3.5%", "3[0,0,8,24] 5[8,0,15,21] %[15,0,80,24]"},
      {Left, kCell, "1234567890.5", "1234567890[0,0,80,24] 5[0,0,0,-3]"},
      {Left, kCell, "12345678901.5%", "12345678901[0,0,88,24] 5[0,0,7,-3] %[0,0,0,0]"},
      {Center, kWide, "1.25%", "1[0,0,22,24] 25[22,0,36,21] %[36,0,90,24]"},
      {Center, {0, 0, 70, 24}, "1.234", "1[0,0,18,24] 234[18,0,70,21]"},
      {Center, kWide, "1.234", "1[0,0,22,24] 234[22,0,90,21]"},
      {Center, kWide, ".", "[0,0,90,24] [90,0,90,21]"},
      {Center, {10, 5, 90, 29}, "12.34", "12[10,5,50,29] 34[50,5,90,26]"},
      {Center, {50, 0, 40, 24}, "1.5", "1[50,0,50,24] 5[50,0,50,21]"},
      {Right, kAll, "1.25%",
       "1[-2147483648,-2147483648,2147483626,2147483647] "
       "25[2147483626,-2147483648,2147483640,2147483644] "
       "%[2147483640,-2147483648,2147483647,2147483647]"},
      {Center, kAll, "1.25%",
       "1[-2147483648,-2147483648,-1073741824,2147483647] "
       "25[-1073741824,-2147483648,-1073741810,2147483644] "
       "%[-1073741810,-2147483648,2147483647,2147483647]"}};
  for (const auto& [form, rect, text, expected] : rows) {
    SCOPED_TRACE(std::to_string(form) + " " + text);
    testing::RecordingCanvas canvas;  // the font found 15 high (the decimals' 13.5 truncates to 13), bold, underlined
    canvas.Font = TFont{"ARIAL", 15, clRed, {}};
    canvas.Font.Style.Include(TFontStyle::fsBold), canvas.Font.Style.Include(TFontStyle::fsUnderline);
    canvas.WidthAtHeight = {{13, 7}};
    const auto draw = form == Left ? DrawDecimalLeft : form == Right ? DrawDecimalRight : DrawDecimalCenter;
    draw(canvas, rect, text, clRed, clWhite, static_cast<std::uint8_t>(form), vaCenter);
    const std::vector<testing::Drawn>& draws = canvas.Records;
    const bool split = std::string(text).find('.') != std::string::npos;
    std::string drawn;
    for (std::size_t i = 0; i < draws.size(); ++i) {
      const TRect& r = draws[i].Rect;
      drawn += (i ? " " : "") + draws[i].Text + "[" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
               std::to_string(r.Right) + "," + std::to_string(r.Bottom) + "]";
      const std::uint32_t flags = split && form == Center ? (i == 0 ? 0x26U : 0x24U) : TextFormatFlags(form, vaCenter);
      const TFontStyles style = draws[i].Font.Style;
      EXPECT_EQ(std::tuple(draws[i].Font.Height, style.Has(TFontStyle::fsUnderline), draws[i].Flags),
                std::tuple(i == 0 ? 15 : 13, !split || i == 1, flags))
          << i;
      EXPECT_TRUE(style.Has(TFontStyle::fsBold)) << i;
    }
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(canvas.Font.Height, split ? 13 : 15);  // DrawCellText puts the height back
    EXPECT_TRUE(canvas.Font.Style.Has(TFontStyle::fsBold) && canvas.Font.Style.Has(TFontStyle::fsUnderline) != split);
  }
}

}  // namespace kivrel
