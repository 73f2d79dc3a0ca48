#pragma once
// Decimal-underline drawing: a number such as 12.35 is drawn without its
// decimal point, the digits before it at the font's height and the digits
// after it smaller (9/10 of the height) and underlined, in a box that ends 3
// pixels above the cell's bottom. A "%" after the decimals is drawn small but
// not underlined, in the cell's full height.
//
// Each operation works on the canvas as DrawCellText leaves it (font name,
// colours, bold) and adds and removes underline only. A text without "." is
// drawn whole at the height found and leaves the font untouched; otherwise
// the font is left at the small height, underline off, and the caller puts
// the height back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/color/colors.h"
#include "core/draw/canvas.h"
#include "core/draw/rect.h"

namespace kivrel {

// The pieces of a text with a ".": IntPart before the first ".", FracPart
// after it (a second "." stays inside), the "." itself in neither. When
// FracPart has 2 bytes or more and ends in "%", that "%" moves to
// PercentPart; a FracPart of "%" alone stays decimals.
struct TDecimalParts {
  std::string IntPart;
  std::string FracPart;
  std::string PercentPart;
  friend bool operator==(const TDecimalParts&, const TDecimalParts&) = default;
};

// Empty when the text holds no ".".
std::optional<TDecimalParts> SplitDecimalText(std::string_view text);

// The decimals' height: fullHeight * 9 / 10 in integers, truncated toward zero
// (16 gives 14, 15 gives 13, 1 gives 0, which leaves the size to the font
// system).
int SmallFontHeight(int fullHeight);

// fontColor and brushColor are the cell's colours, which DrawCellText has
// already given the canvas; the parts are drawn in the canvas's colours.
// DrawDecimalLeft and DrawDecimalRight place both parts with
// TextFormatFlags(hAlign, vAlign); DrawDecimalLeft puts the decimals right
// after the integer part, DrawDecimalRight the integer part right before the
// decimals.
void DrawDecimalLeft(TCanvas& canvas, const TRect& rect, const std::string& text, TColor fontColor, TColor brushColor,
                     std::uint8_t hAlign, std::uint8_t vAlign);
void DrawDecimalRight(TCanvas& canvas, const TRect& rect, const std::string& text, TColor fontColor, TColor brushColor,
                      std::uint8_t hAlign, std::uint8_t vAlign);
// Splits the cell in proportion to the byte counts of the two parts (a half
// pixel going to the even side) and draws the integer part right-aligned
// against the split, the decimals left-aligned from it; hAlign places only
// a text without ".".
void DrawDecimalCenter(TCanvas& canvas, const TRect& rect, const std::string& text, TColor fontColor, TColor brushColor,
                       std::uint8_t hAlign, std::uint8_t vAlign);

}  // namespace kivrel
