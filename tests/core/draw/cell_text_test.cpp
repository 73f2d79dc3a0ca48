#include "core/draw/cell_text.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/draw/alignment.h"
#include "support/recording_canvas.h"

namespace kivrel {
namespace {

using testing::CanvasCall;
using testing::CanvasRecord;
using testing::RecordingCanvas;
using testing::TextDraw;

const std::string kArial = "ARIAL";
const std::string kKai{kChineseFontName};
// 台　泥, a name as the grid shows it.
const std::string kName = "\xA5x\xA1@\xAA" "d";
const std::string kUp = "\xA1\xF4";
const std::string kDown = "\xA1\xF5";

// Decimal-underline mode is a process-wide switch; every test starts and
// leaves it off.
class CellText : public ::testing::Test {
 protected:
  void SetUp() override {
    DecimalUnderline = false;
    canvas.Font.Height = 20;
    canvas.WidthPerByteAtHeight = {{18, 7}};
  }
  void TearDown() override { DecimalUnderline = false; }

  RecordingCanvas canvas;
  const TRect cell{0, 0, 80, 24};
};

TEST(CellTextFont, ChineseWhenAHighByteComesBeforeTheLastPosition) {
  struct Case {
    std::string text;
    bool chinese;
  };
  const Case cases[] = {
      {"", false},
      {".", false},
      {"..", false},
      {"1101", false},
      {"+10.65", false},
      {kUp, false},
      {kDown, false},
      {"\xA4", false},           // one byte of 0x80 or above
      {"12\xA4", false},         // ends in a high byte after ASCII only
      {"\xA1\xF6", true},        // the next character after the arrows
      {"\xA1\xF3", true},
      {kUp + kUp, true},
      {kUp + "1", true},
      {"\xA4" "A", true},
      {kName, true},
      {std::string(kColumnTitlesText.substr(0, 6)), true},
      {"A\x80" "B", true},
      {"A\x7F" "B", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsChineseText(c.text), c.chinese) << c.text;
}

TEST_F(CellText, FontByKindOfTextInBothModes) {
  struct Case {
    std::string text;
    const std::string& font;
  };
  const Case cases[] = {{"", kArial},          {".", kArial},       {kUp, kArial},       {kDown, kArial},
                        {"1101", kArial},      {"12.35", kArial},   {"\xA4", kArial},    {"12\xA4", kArial},
                        {kName, kKai},         {kUp + kDown, kKai}};
  for (const bool mode : {false, true}) {
    DecimalUnderline = mode;
    for (const Case& c : cases) {
      canvas.Font.Name = "MS Sans Serif";
      DrawCellText(canvas, cell, c.text, clBlack, clWhite, haRight, vaCenter, false);
      EXPECT_EQ(canvas.Font.Name, c.font) << c.text << " mode " << mode;
    }
  }
}

TEST_F(CellText, NormalModeFillsThenDrawsTheWholeTextWithTheAlignmentFlags) {
  canvas.Font.Name = "MS Sans Serif";
  DrawCellText(canvas, cell, "12.35", clRed, clYellow, haRight, vaCenter, false);

  ASSERT_EQ(canvas.Records.size(), 2u);
  const CanvasRecord& fill = canvas.Records[0];
  EXPECT_EQ(fill.Call, CanvasCall::FillRect);
  EXPECT_EQ(fill.Rect, cell);
  EXPECT_EQ(fill.BrushColor, clYellow);
  EXPECT_EQ(fill.Font.Color, clRed);
  EXPECT_EQ(fill.Font.Name, kArial);
  EXPECT_EQ(canvas.TextDraws(), (std::vector<TextDraw>{{"12.35", cell, 0x26, 20, false, false}}));
  EXPECT_EQ(canvas.Records[1].Font.Color, clRed);
  EXPECT_EQ(canvas.Records[1].BrushColor, clYellow);
}

TEST_F(CellText, NoFillDrawsOntoTheBackgroundAsItIs) {
  DrawCellText(canvas, cell, "1101", clBlue, clBtnFace, haLeft, vaTop, true);
  EXPECT_TRUE(canvas.Fills().empty());
  EXPECT_EQ(canvas.TextDraws(), (std::vector<TextDraw>{{"1101", cell, 0x20, 20, false, false}}));
  EXPECT_EQ(canvas.BrushColor, clBtnFace);  // set all the same
}

TEST_F(CellText, EmptyTextFillsAndShowsNothing) {
  for (const bool mode : {false, true}) {
    DecimalUnderline = mode;
    canvas.Clear();
    DrawCellText(canvas, cell, "", clBlack, clBtnFace, haRight, vaCenter, false);
    ASSERT_EQ(canvas.Fills().size(), 1u);
    EXPECT_EQ(canvas.Fills()[0].Rect, cell);
    EXPECT_TRUE(canvas.VisibleDraws().empty());
  }
}

TEST_F(CellText, DecimalModeHandsLatinTextsToTheFormOfTheirAlignment) {
  DecimalUnderline = true;
  struct Case {
    std::uint8_t hAlign;
    std::vector<TextDraw> draws;
  };
  // "1.25" in (0, 0, 80, 24): 8 px a byte at height 20, 7 px at 18.
  const Case cases[] = {
      {haLeft, {{"1", {0, 0, 8, 24}, 0x24, 20, true, false}, {"25", {8, 0, 80, 21}, 0x24, 18, true, true}}},
      {haRight, {{"1", {0, 0, 66, 24}, 0x26, 20, true, false}, {"25", {66, 0, 80, 21}, 0x26, 18, true, true}}},
      // 80 * 1 / 3 = 26.67 gives the split at 27.
      {haCenter, {{"1", {0, 0, 27, 24}, 0x26, 20, true, false}, {"25", {27, 0, 80, 21}, 0x24, 18, true, true}}},
      {3, {{"1", {0, 0, 27, 24}, 0x26, 20, true, false}, {"25", {27, 0, 80, 21}, 0x24, 18, true, true}}},
  };
  for (const Case& c : cases) {
    canvas.Clear();
    canvas.Font.Style = {};
    DrawCellText(canvas, cell, "1.25", clBlack, clBtnFace, c.hAlign, vaCenter, false);
    EXPECT_EQ(canvas.Fills().size(), 1u);
    EXPECT_EQ(canvas.TextDraws(), c.draws) << int{c.hAlign};
    EXPECT_EQ(canvas.Font.Height, 20) << int{c.hAlign};
    EXPECT_TRUE(canvas.Font.Style.Has(TFontStyle::fsBold)) << "bold stays after the cell";
  }
}

TEST_F(CellText, DecimalModeDrawsChineseTextsAsInNormalMode) {
  DecimalUnderline = true;
  const std::string title{kColumnTitlesText.substr(0, 6)};
  DrawCellText(canvas, cell, title, clBlack, clBtnFace, haCenter, vaCenter, false);
  EXPECT_EQ(canvas.TextDraws(), (std::vector<TextDraw>{{title, cell, 0x25, 20, false, false}}));
}

TEST_F(CellText, DecimalModeDrawsTextsWithoutPointWholeAndBold) {
  DecimalUnderline = true;
  for (const std::string& text : {std::string("1101"), kUp, kDown}) {
    canvas.Clear();
    canvas.Font.Style = {};
    DrawCellText(canvas, cell, text, clBlack, clBtnFace, haLeft, vaCenter, false);
    EXPECT_EQ(canvas.TextDraws(), (std::vector<TextDraw>{{text, cell, 0x24, 20, true, false}})) << text;
  }
}

TEST_F(CellText, FontHeightIsPutBackAlsoWhenTheCanvasThrows) {
  DecimalUnderline = true;
  struct Case {
    const char* what;
    CanvasCall call;
    int atHeight;
  };
  // The right form measures and draws the decimals at 18, with 20 found.
  const Case cases[] = {
      {"measuring the decimals", CanvasCall::TextWidth, 18},
      {"drawing the decimals", CanvasCall::DrawText, 18},
  };
  for (const Case& c : cases) {
    canvas.Font.Height = 20;
    canvas.OnRecord = [&c](const CanvasRecord& r) {
      if (r.Call == c.call && r.Font.Height == c.atHeight) throw std::runtime_error(c.what);
    };
    EXPECT_THROW(DrawCellText(canvas, cell, "12.35", clBlack, clBtnFace, haRight, vaCenter, false),
                 std::runtime_error)
        << c.what;
    EXPECT_EQ(canvas.Font.Height, 20) << c.what;
  }
}

}  // namespace
}  // namespace kivrel
