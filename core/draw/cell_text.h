#pragma once
// Drawing one cell's text: font by the kind of text, background, and either
// plain placement by the alignment flags or, in decimal-underline mode, the
// decimal-underline forms.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/color/colors.h"
#include "core/draw/canvas.h"
#include "core/draw/rect.h"
#include "core/text/fixed_texts.h"

namespace kivrel {

// Decimal-underline display mode; false at start, not saved. The menu
// command is its only writer.
extern bool DecimalUnderline;

// Font of texts holding Big5 characters (標楷體), and of all others.
inline constexpr std::string_view ChineseFontName = kChineseFontName;
inline constexpr std::string_view LatinFontName = "ARIAL";

// A text is Chinese when a byte before its last one is 0x80 or above: in Big5
// every double-byte character starts before the last position. The last byte
// is not looked at, so a one-byte text is Latin, as are the empty text, "."
// and the arrows "↑" and "↓".
bool IsChineseText(std::string_view text);

// The face of a cell's text, set on `font`: ChineseFontName for a Chinese
// text, LatinFontName for any other; in decimal-underline mode a Latin text
// is bold as well. The cell drawing and the width a tooltip measures both
// take the font from here.
void ChooseCellFont(TFont& font, bool chinese);

// Sets the font colour, brush colour and ChooseCellFont, fills `rect` unless
// `noFill`, then draws `text`. In decimal-underline mode a Latin text is drawn
// by DrawDecimalLeft (hAlign haLeft), DrawDecimalRight (haRight) or
// DrawDecimalCenter (any other code). The font height found on entry is put
// back on return, also when the canvas throws; colour, name, style and brush
// stay as set here.
void DrawCellText(TCanvas& canvas, const TRect& rect, const std::string& text, TColor fontColor, TColor brushColor,
                  std::uint8_t hAlign, std::uint8_t vAlign, bool noFill);

}  // namespace kivrel
