#pragma once
// The drawing surface that cell painting works against. The font and brush
// are plain state read by the next measuring or drawing; the app supplies a
// QPainter-backed canvas, tests a recording one.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/color/colors.h"
#include "core/draw/rect.h"

namespace kivrel {

enum class TFontStyle : std::uint8_t { fsBold = 0, fsItalic = 1, fsUnderline = 2, fsStrikeOut = 3 };

class TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr bool Has(TFontStyle s) const { return (bits_ & Bit(s)) != 0; }
  constexpr void Include(TFontStyle s) { bits_ = static_cast<std::uint8_t>(bits_ | Bit(s)); }
  constexpr void Exclude(TFontStyle s) { bits_ = static_cast<std::uint8_t>(bits_ & ~Bit(s)); }
  friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

 private:
  static constexpr std::uint8_t Bit(TFontStyle s) { return static_cast<std::uint8_t>(1u << static_cast<unsigned>(s)); }
  std::uint8_t bits_ = 0;
};

struct TFont {
  std::string Name;  // Big5
  // Positive: the character-cell height (ascent + descent) in pixels;
  // 0 leaves the size to the font system.
  int Height = 0;
  TColor Color = clBlack;
  TFontStyles Style;
};

// Text-drawing flags, under the names the system gives them: where a single
// line of text stands in its rectangle, across (left, centre, right) and down
// (top, centre, bottom).
inline constexpr std::uint32_t DT_LEFT = 0x00;
inline constexpr std::uint32_t DT_CENTER = 0x01;
inline constexpr std::uint32_t DT_RIGHT = 0x02;
inline constexpr std::uint32_t DT_TOP = 0x00;
inline constexpr std::uint32_t DT_VCENTER = 0x04;
inline constexpr std::uint32_t DT_BOTTOM = 0x08;
inline constexpr std::uint32_t DT_SINGLELINE = 0x20;

class TCanvas {
 public:
  TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  virtual ~TCanvas() = default;

  TFont Font;
  TColor BrushColor = clBtnFace;
  // Lines are drawn in PenColor, PenWidth pixels wide.
  TColor PenColor = clBlack;
  int PenWidth = 1;

  // Fills with BrushColor; the right and bottom edges lie outside.
  virtual void FillRect(const TRect& rect) = 0;
  // Width in pixels of a Big5 text in the current font.
  virtual int TextWidth(std::string_view text) = 0;
  // Draws the whole Big5 text on one line, placed in `rect` by the flags and
  // clipped to it; "&" underlines the character after it and "&&" shows one
  // "&"; an empty text draws nothing.
  virtual void DrawText(std::string_view text, const TRect& rect, std::uint32_t flags) = 0;
  // A straight line with the pen.
  virtual void DrawLine(TPoint from, TPoint to) = 0;
  // Straight lines with the pen through the points in turn.
  virtual void DrawPolyline(std::span<const TPoint> points) = 0;
};

}  // namespace kivrel
