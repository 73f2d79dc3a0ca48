#include "core/draw/cell_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/draw/alignment.h"
#include "core/draw/subtract_rect.h"
#include "support/recording_canvas.h"

namespace kivrel {

constexpr TRect kCell{0, 0, 80, 24};

// Decimal mode, NoFill, alignment codes, text, and the flags and Right of the
// first text drawn. Fill unless NoFill, then the whole text by the alignment,
// in the Chinese font when a byte of 0x80 or above stands before the last
// position ("." and the arrows are Latin). In decimal mode a Latin text goes in
// bold to the form of its alignment (the integer part of 1.25 ends at 8, 66 or
// 27), a Chinese one as in normal mode. The canvas font is found 20 high; 8 px
// a byte, 7 px at the small height 18.
TEST(CellText, FillThenTheTextByTheAlignmentOrTheDecimalForm) {
  const std::string chinese = "\xA6\xA8\xA5\xE6\xBB\xF9.5", up = "\xA1\xF4", down = "\xA1\xF5";  // 成交價.5 ↑ ↓
  const std::tuple<bool, bool, std::uint8_t, std::uint8_t, std::string, std::uint32_t, int> rows[] = {
      {false, false, haLeft, vaTop, "1.25", 0x20, 80},     {false, false, haRight, vaCenter, "", 0x26, 80},
      {false, true, haCenter, vaBottom, "1.25", 0x29, 80}, {false, false, 3, 3, chinese, 0x25, 80},
      {false, false, haLeft, vaTop, "12\xA4", 0x20, 80},   {false, false, haLeft, vaTop, "\xA4", 0x20, 80},
      {false, false, haLeft, vaTop, ".", 0x20, 80},        {false, false, haLeft, vaTop, down, 0x20, 80},
      {true, true, 255, vaTop, chinese, 0x21, 80},         {true, false, haRight, vaBottom, chinese, 0x2A, 80},
      {true, false, haLeft, vaCenter, "1.25", 0x24, 8},    {true, false, haRight, vaCenter, "1.25", 0x26, 66},
      {true, true, haCenter, vaCenter, "1.25", 0x26, 27},  {true, false, 7, vaTop, "1.25", 0x22, 27},
      {true, false, haRight, vaCenter, up, 0x26, 80}};
  for (const auto& [decimal, noFill, h, v, text, flags, right] : rows) {
    SCOPED_TRACE(text + " " + std::to_string(h) + " " + std::to_string(v) + (decimal ? " decimal" : ""));
    DecimalUnderline = decimal;
    testing::RecordingCanvas canvas;
    canvas.Font = TFont{"MS Sans Serif", 20, clBlack, {}};
    canvas.WidthAtHeight = {{18, 7}};
    DrawCellText(canvas, kCell, text, clRed, clYellow, h, v, noFill);
    DecimalUnderline = false;
    const bool whole = right == 80;
    ASSERT_EQ(canvas.Records.size(), (noFill ? 0U : 1U) + (whole ? 1U : 2U));
    EXPECT_TRUE(noFill || (canvas.Records[0].Fill && canvas.Records[0].Rect == kCell));
    for (const testing::Drawn& d : canvas.Records) EXPECT_TRUE(d.Brush == clYellow && d.Font.Color == clRed);
    const testing::Drawn& first = canvas.Records[noFill ? 0 : 1];
    EXPECT_TRUE(!first.Fill && first.Flags == flags && first.Rect.Right == right && first.Text == (whole ? text : "1"));
    EXPECT_EQ(std::pair(first.Font.Name, first.Font.Style.Has(TFontStyle::fsBold)),
              std::pair(std::string(text == chinese ? ChineseFontName : LatinFontName), decimal && text != chinese));
  }
}

// Throws when drawing at a font height other than the one found.
class ThrowingCanvas : public testing::RecordingCanvas {
 public:
  void DrawText(std::string_view text, const TRect& rect, std::uint32_t flags) override {
    if (Font.Height != 20) throw std::runtime_error("canvas lost");
    RecordingCanvas::DrawText(text, rect, flags);
  }
};

TEST(CellText, FontHeightIsPutBackAlsoWhenTheCanvasThrows) {
  for (const std::uint8_t h : {haLeft, haRight, haCenter}) {
    ThrowingCanvas canvas;
    canvas.Font.Height = 20;
    DecimalUnderline = true;
    EXPECT_THROW(DrawCellText(canvas, kCell, "12.35%", clBlack, clBtnFace, h, vaCenter, false), std::runtime_error);
    DecimalUnderline = false;
    EXPECT_EQ(canvas.Font.Height, 20) << int{h};
  }
}

// A, B, and A less B: an empty A; B touching A; full-height bands at the
// left and right; a corner, a top band, a band in the middle.
TEST(SubtractRect, CutsFullHeightBandsAtTheSidesAndKeepsTheRest) {
  const std::tuple<TRect, TRect, TRect> rows[] = {{{5, 0, 5, 10}, {0, 0, 1, 1}, {}},
                                                  {{0, 7, 80, 7}, {90, 0, 99, 9}, {}},
                                                  {kCell, {80, 0, 100, 24}, kCell},
                                                  {kCell, {-5, -5, 85, 29}, {}},
                                                  {kCell, {-9, -3, 16, 30}, {16, 0, 80, 24}},
                                                  {kCell, {70, 20, 90, 30}, kCell},
                                                  {kCell, {66, 0, 80, 24}, {0, 0, 66, 24}},
                                                  {kCell, {0, 0, 80, 10}, kCell},
                                                  {kCell, {20, 0, 30, 24}, kCell}};
  for (const auto& [a, b, result] : rows) {
    EXPECT_EQ(SubtractRect(a, b), result) << ::testing::PrintToString(a) << " less " << ::testing::PrintToString(b);
  }
}

}  // namespace kivrel
