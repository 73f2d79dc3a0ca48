#include "core/draw/decimal_underline.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/draw/alignment.h"
#include "support/recording_canvas.h"

namespace kivrel {
namespace {

using testing::RecordingCanvas;
using testing::TextDraw;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// The glyphs: 8 px a byte at the full height 20, 7 px at the small height 18.
constexpr int kFull = 20;
constexpr int kSmall = 18;

enum class Form { Left, Right, Center };

void Draw(Form form, TCanvas& canvas, const TRect& rect, const std::string& text, std::uint8_t vAlign = vaCenter) {
  switch (form) {
    case Form::Left: DrawDecimalLeft(canvas, rect, text, clRed, clWhite, haLeft, vAlign); break;
    case Form::Right: DrawDecimalRight(canvas, rect, text, clRed, clWhite, haRight, vAlign); break;
    case Form::Center: DrawDecimalCenter(canvas, rect, text, clRed, clWhite, haCenter, vAlign); break;
  }
}

// Pass 1: the integer part, full height; pass 2: the decimals, small and
// underlined; pass 3: the "%", small.
TextDraw Int(std::string text, TRect rect, std::uint32_t flags) { return {std::move(text), rect, flags, kFull, false, false}; }
TextDraw Frac(std::string text, TRect rect, std::uint32_t flags) { return {std::move(text), rect, flags, kSmall, false, true}; }
TextDraw Pct(TRect rect, std::uint32_t flags) { return {"%", rect, flags, kSmall, false, false}; }

struct DrawCase {
  const char* what;
  Form form;
  TRect rect;
  std::string text;
  int smallWidthPerByte;
  std::vector<TextDraw> draws;
};

class DrawDecimal : public ::testing::Test {
 protected:
  void Run(const DrawCase& c) {
    RecordingCanvas canvas;
    canvas.Font.Height = kFull;
    canvas.WidthPerByte = 8;
    canvas.WidthPerByteAtHeight = {{kSmall, c.smallWidthPerByte}};
    Draw(c.form, canvas, c.rect, c.text);
    EXPECT_EQ(canvas.TextDraws(), c.draws) << c.what;
    EXPECT_TRUE(canvas.Fills().empty()) << c.what;
  }
};

TEST_F(DrawDecimal, RightFormTakesTheDecimalsFromTheRightEdge) {
  const TRect cell{0, 0, 80, 24};
  const std::uint32_t f = 0x26;
  const DrawCase cases[] = {
      {"12.35: decimals 14 wide", Form::Right, cell, "12.35", 7,
       {Int("12", {0, 0, 66, 24}, f), Frac("35", {66, 0, 80, 21}, f)}},
      {"sign stays with the integer part", Form::Right, cell, "-9.31", 7,
       {Int("-9", {0, 0, 66, 24}, f), Frac("31", {66, 0, 80, 21}, f)}},
      {"plus sign too", Form::Right, cell, "+10.65", 7,
       {Int("+10", {0, 0, 66, 24}, f), Frac("65", {66, 0, 80, 21}, f)}},
      {"only a point: nothing shows", Form::Right, cell, ".", 7,
       {Int("", cell, f), Frac("", {80, 0, 80, 21}, f)}},
      {"no decimals: the integer part at the right edge", Form::Right, cell, "5.", 7,
       {Int("5", cell, f), Frac("", {80, 0, 80, 21}, f)}},
      {"no integer part", Form::Right, cell, ".5", 7,
       {Int("", {0, 0, 73, 24}, f), Frac("5", {73, 0, 80, 21}, f)}},
      {"a second point stays in the decimals", Form::Right, cell, "1.2.3", 7,
       {Int("1", {0, 0, 59, 24}, f), Frac("2.3", {59, 0, 80, 21}, f)}},
      {"a lone % is drawn as decimals", Form::Right, cell, "5.%", 7,
       {Int("5", {0, 0, 73, 24}, f), Frac("%", {73, 0, 80, 21}, f)}},
      {"% split off the decimals, full height", Form::Right, cell, "3.5%", 7,
       {Int("3", {0, 0, 66, 24}, f), Frac("5", {66, 0, 73, 21}, f), Pct({73, 0, 80, 24}, f)}},
      {"decimals as wide as the cell hide the integer part", Form::Right, cell, "1.23456789012", 8,
       {Int("1", {0, 0, 0, 0}, f), Frac("23456789012", {-8, 0, 80, 21}, f)}},
      {"decimals exactly as wide as the cell", Form::Right, cell, "1.2345678901", 8,
       {Int("1", {0, 0, 0, 0}, f), Frac("2345678901", {0, 0, 80, 21}, f)}},
      {"a cell off the origin", Form::Right, {100, 30, 180, 54}, "12.35", 7,
       {Int("12", {100, 30, 166, 54}, f), Frac("35", {166, 30, 180, 51}, f)}},
  };
  for (const DrawCase& c : cases) Run(c);
}

TEST_F(DrawDecimal, LeftFormPutsTheDecimalsAfterTheIntegerPart) {
  const TRect cell{0, 0, 80, 24};
  const std::uint32_t f = 0x24;
  const DrawCase cases[] = {
      {"12.35", Form::Left, cell, "12.35", 7, {Int("12", {0, 0, 16, 24}, f), Frac("35", {16, 0, 80, 21}, f)}},
      {"no integer part: decimals from the left edge", Form::Left, cell, ".5", 7,
       {Int("", {0, 0, 0, 24}, f), Frac("5", {0, 0, 80, 21}, f)}},
      {"only a point", Form::Left, cell, ".", 7, {Int("", {0, 0, 0, 24}, f), Frac("", {0, 0, 80, 21}, f)}},
      {"no decimals", Form::Left, cell, "5.", 7, {Int("5", {0, 0, 8, 24}, f), Frac("", {8, 0, 80, 21}, f)}},
      {"a second point stays in the decimals", Form::Left, cell, "1.2.3", 7,
       {Int("1", {0, 0, 8, 24}, f), Frac("2.3", {8, 0, 80, 21}, f)}},
      {"a lone % is drawn as decimals", Form::Left, cell, "5.%", 7,
       {Int("5", {0, 0, 8, 24}, f), Frac("%", {8, 0, 80, 21}, f)}},
      {"% after the decimals", Form::Left, cell, "3.5%", 7,
       {Int("3", {0, 0, 8, 24}, f), Frac("5", {8, 0, 15, 21}, f), Pct({15, 0, 80, 24}, f)}},
      {"integer part as wide as the cell leaves no room", Form::Left, cell, "1234567890.5", 7,
       {Int("1234567890", cell, f), Frac("5", {0, 0, 0, -3}, f)}},
      {"integer part wider than the cell", Form::Left, cell, "12345678901.5%", 7,
       {Int("12345678901", {0, 0, 88, 24}, f), Frac("5", {0, 0, 7, -3}, f), Pct({0, 0, 0, 0}, f)}},
  };
  for (const DrawCase& c : cases) Run(c);
}

TEST_F(DrawDecimal, CenteredFormSplitsTheCellByByteCounts) {
  const std::uint32_t f1 = 0x26;  // integer part right-aligned against the split
  const std::uint32_t f2 = 0x24;  // decimals and "%" left-aligned from it
  const DrawCase cases[] = {
      {"1.25%: 22.5 goes to 22", Form::Center, {0, 0, 90, 24}, "1.25%", 6,
       {Int("1", {0, 0, 22, 24}, f1), Frac("25", {22, 0, 34, 21}, f2), Pct({34, 0, 90, 24}, f2)}},
      {"17.5 goes to 18", Form::Center, {0, 0, 70, 24}, "1.234", 6,
       {Int("1", {0, 0, 18, 24}, f1), Frac("234", {18, 0, 70, 21}, f2)}},
      {"the % counts as a byte", Form::Center, {0, 0, 70, 24}, "1.23%", 6,
       {Int("1", {0, 0, 18, 24}, f1), Frac("23", {18, 0, 30, 21}, f2), Pct({30, 0, 70, 24}, f2)}},
      {"22.5 goes to 22", Form::Center, {0, 0, 90, 24}, "1.234", 6,
       {Int("1", {0, 0, 22, 24}, f1), Frac("234", {22, 0, 90, 21}, f2)}},
      {"two and two bytes", Form::Center, {0, 0, 80, 24}, "12.34", 6,
       {Int("12", {0, 0, 40, 24}, f1), Frac("34", {40, 0, 80, 21}, f2)}},
      {"off the origin", Form::Center, {10, 5, 90, 29}, "12.34", 6,
       {Int("12", {10, 5, 50, 29}, f1), Frac("34", {50, 5, 90, 26}, f2)}},
      {"only a point keeps the whole cell for the integer part", Form::Center, {0, 0, 90, 24}, ".", 6,
       {Int("", {0, 0, 90, 24}, f1), Frac("", {90, 0, 90, 21}, f2)}},
      {"no integer part", Form::Center, {0, 0, 90, 24}, ".5", 6,
       {Int("", {0, 0, 0, 24}, f1), Frac("5", {0, 0, 90, 21}, f2)}},
      {"a cell turned inside out", Form::Center, {50, 0, 40, 24}, "1.5", 6,
       {Int("1", {50, 0, 50, 24}, f1), Frac("5", {50, 0, 50, 21}, f2)}},
  };
  for (const DrawCase& c : cases) Run(c);
}

TEST_F(DrawDecimal, TextWithoutPointIsDrawnWholeWithTheFontAsFound) {
  const TRect cell{0, 0, 80, 24};
  const char* texts[] = {"1234", "", "\xA1\xF4", "12%"};
  for (const char* text : texts) {
    for (const Form form : {Form::Left, Form::Right, Form::Center}) {
      RecordingCanvas canvas;
      canvas.Font.Height = kFull;
      canvas.Font.Style.Include(TFontStyle::fsBold);
      const TFont before = canvas.Font;
      Draw(form, canvas, cell, text, vaBottom);
      const std::uint32_t flags = form == Form::Left ? 0x28u : form == Form::Right ? 0x2Au : 0x29u;
      EXPECT_EQ(canvas.TextDraws(), (std::vector<TextDraw>{{text, cell, flags, kFull, true, false}})) << text;
      EXPECT_EQ(canvas.Calls(testing::CanvasCall::TextWidth).size(), 0u) << text;
      EXPECT_EQ(canvas.Font.Height, before.Height) << text;
      EXPECT_EQ(canvas.Font.Style, before.Style) << text;
    }
  }
}

TEST_F(DrawDecimal, KeepsBoldAndEndsAtTheSmallHeightWithoutUnderline) {
  for (const Form form : {Form::Left, Form::Right, Form::Center}) {
    RecordingCanvas canvas;
    canvas.Font.Height = kFull;
    canvas.Font.Style.Include(TFontStyle::fsBold);
    canvas.Font.Style.Include(TFontStyle::fsUnderline);  // taken off by the first pass
    Draw(form, canvas, {0, 0, 90, 24}, "3.5%");
    const std::vector<TextDraw> draws = canvas.TextDraws();
    ASSERT_EQ(draws.size(), 3u);
    for (const TextDraw& d : draws) EXPECT_TRUE(d.Bold);
    EXPECT_FALSE(draws[0].Underline);
    EXPECT_TRUE(draws[1].Underline);
    EXPECT_FALSE(draws[2].Underline);
    EXPECT_EQ(canvas.Font.Height, kSmall);
    EXPECT_TRUE(canvas.Font.Style.Has(TFontStyle::fsBold));
    EXPECT_FALSE(canvas.Font.Style.Has(TFontStyle::fsUnderline));
  }
}

TEST(DecimalSmallHeight, IsNineTenthsTruncatedTowardZero) {
  const std::pair<int, int> cases[] = {{22, 19}, {18, 16}, {16, 14}, {15, 13}, {10, 9}, {1, 0},
                                       {0, 0},   {-11, -9}, {kMax, 1932735282}, {kMin, -1932735283}};
  for (const auto& [full, small] : cases) EXPECT_EQ(SmallFontHeight(full), small) << full;
}

TEST(DecimalSplit, SplitsAtTheFirstPointAndTakesOffATrailingPercent) {
  struct Case {
    const char* text;
    const char* intPart;
    const char* fracPart;
    const char* percentPart;
  };
  const Case cases[] = {
      {"12.35", "12", "35", ""}, {".", "", "", ""},        {".5", "", "5", ""},       {"5.", "5", "", ""},
      {"1.2.3", "1", "2.3", ""}, {"5.%", "5", "%", ""},    {"3.5%", "3", "5", "%"},   {"1.25%", "1", "25", "%"},
      {"-9.31", "-9", "31", ""}, {"+10.65", "+10", "65", ""}, {".%%", "", "%", "%"}, {"1.%5", "1", "%5", ""},
      {"\xA4\xA4.\xA4\xE5", "\xA4\xA4", "\xA4\xE5", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitDecimalText(c.text), (TDecimalParts{c.intPart, c.fracPart, c.percentPart})) << c.text;
  }
  EXPECT_FALSE(SplitDecimalText("1234").has_value());
  EXPECT_FALSE(SplitDecimalText("").has_value());
  EXPECT_FALSE(SplitDecimalText("12%").has_value());
}

TEST(DrawDecimalExtremes, GeometryClampsToTheInt32Range) {
  const TRect huge{kMin, kMin, kMax, kMax};
  struct Case {
    const char* what;
    Form form;
    TRect rect;
    const char* text;
    int perByte;  // at every height; kMax and kMin saturate
    std::vector<TRect> rects;
  };
  const Case cases[] = {
      {"right form, whole range", Form::Right, huge, "1.25%", 7,
       {{kMin, kMin, kMax - 21, kMax}, {kMax - 21, kMin, kMax - 7, kMax - 3}, {kMax - 7, kMin, kMax, kMax}}},
      {"right form, decimals reaching below the range", Form::Right, {kMin, kMin, kMin + 5, kMin + 1}, "1.25", 14,
       {{0, 0, 0, 0}, {kMin, kMin, kMin + 5, kMin}}},
      {"left form, whole range", Form::Left, huge, "1.25%", 7,
       {{kMin, kMin, kMin + 7, kMax}, {kMin + 7, kMin, kMin + 21, kMax - 3}, {kMin + 21, kMin, kMax, kMax}}},
      {"left form, widths beyond the range", Form::Left, {kMax - 10, 0, kMax, 24}, "1.25%", kMax,
       {{kMax - 10, 0, kMax, 24}, {0, 0, kMax, -3}, {0, 0, 0, 0}}},
      {"left form, negative widths", Form::Left, {kMin, 0, kMin + 10, 24}, "1.25%", kMin,
       {{kMin, 0, kMin, 24}, {kMin, 0, kMin, 21}, {kMin, 0, kMin + 10, 24}}},
      {"centred form, whole range", Form::Center, huge, "1.25%", 7,
       {{kMin, kMin, -1073741824, kMax}, {-1073741824, kMin, -1073741810, kMax - 3}, {-1073741810, kMin, kMax, kMax}}},
  };
  for (const Case& c : cases) {
    RecordingCanvas canvas;
    canvas.Font.Height = kFull;
    canvas.WidthPerByte = c.perByte;
    Draw(c.form, canvas, c.rect, c.text);
    std::vector<TRect> rects;
    for (const TextDraw& d : canvas.TextDraws()) rects.push_back(d.Rect);
    EXPECT_EQ(rects, c.rects) << c.what;
  }
}

}  // namespace
}  // namespace kivrel
