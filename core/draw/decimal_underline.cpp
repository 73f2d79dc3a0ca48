#include "core/draw/decimal_underline.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "core/draw/alignment.h"
#include "core/draw/subtract_rect.h"
#include "core/text/if_then.h"

namespace kivrel {
namespace {

// What the three forms begin with: the font height found on entry, the
// decimals' height and the text's parts.
struct TDecimalStart {
  int FullHeight;
  int SmallHeight;
  TDecimalParts Parts;
};

// A text without "." is drawn whole into `rect` with `flags` at the height
// found, and there is nothing more to do.
std::optional<TDecimalStart> StartDecimal(TCanvas& canvas, const TRect& rect, const std::string& text,
                                          std::uint32_t flags) {
  std::optional<TDecimalParts> parts = SplitDecimalText(text);
  if (!parts) {
    canvas.DrawText(text, rect, flags);
    return std::nullopt;
  }
  const int fullHeight = canvas.Font.Height;
  return TDecimalStart{fullHeight, SmallFontHeight(fullHeight), std::move(*parts)};
}

struct TDecimalRects {
  TRect IntRect;
  TRect FracRect;
  TRect PercentRect;
};

// Percent rule of the left and centred forms: the decimals keep the left part
// of `rects.FracRect` as wide as they are at the small height, the "%" gets
// the rest.
void SplitOffPercentBox(TCanvas& canvas, const TDecimalParts& parts, TDecimalRects& rects) {
  if (parts.PercentPart.empty()) return;
  const TRect t = rects.FracRect;
  rects.FracRect =
      TRect{t.Left, t.Top, ClampToInt32(std::int64_t{t.Left} + canvas.TextWidth(parts.FracPart)), t.Bottom};
  rects.PercentRect = SubtractRect(t, rects.FracRect);
}

// The decimals stand 3 pixels higher so that their underline clears the
// cell's bottom; the integer part and the "%" keep the full height.
void RaiseDecimals(TDecimalRects& rects) {
  rects.FracRect.Bottom = ClampToInt32(std::int64_t{rects.FracRect.Bottom} - 3);
}

// Three passes: the integer part at full height, the decimals small and
// underlined, the "%" small. Every pass sets style and height first, also the
// third when there is no "%".
void DrawParts(TCanvas& canvas, const TDecimalStart& start, const TDecimalRects& rects, std::uint32_t intFlags,
               std::uint32_t fracFlags) {
  const TDecimalParts& parts = start.Parts;
  for (int pass = 1; pass <= 3; ++pass) {
    canvas.Font.Style.Exclude(TFontStyle::fsUnderline);
    if (pass == 2) canvas.Font.Style.Include(TFontStyle::fsUnderline);
    canvas.Font.Height = IfThenInt(pass == 1, start.FullHeight, start.SmallHeight);
    if (pass == 1) {
      canvas.DrawText(parts.IntPart, rects.IntRect, intFlags);
    } else if (pass == 2) {
      canvas.DrawText(parts.FracPart, rects.FracRect, fracFlags);
    } else if (!parts.PercentPart.empty()) {
      canvas.DrawText(parts.PercentPart, rects.PercentRect, fracFlags);
    }
  }
}

// Round(width * intBytes / allBytes), a half going to the even integer. The
// product is formed in long double, exact for any width a rectangle can have
// and any text shorter than 4 GB, so the ties come out exactly; it cannot
// wrap as a 32-bit product would.
std::int64_t ProportionalSplit(std::int64_t width, std::size_t intBytes, std::size_t allBytes) {
  const long double share =
      static_cast<long double>(width) * static_cast<long double>(intBytes) / static_cast<long double>(allBytes);
  return static_cast<std::int64_t>(std::nearbyint(share));
}

}  // namespace

std::optional<TDecimalParts> SplitDecimalText(std::string_view text) {
  const std::size_t dot = text.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  TDecimalParts parts{std::string(text.substr(0, dot)), std::string(text.substr(dot + 1)), {}};
  if (parts.FracPart.size() >= 2 && parts.FracPart.back() == '%') {
    parts.FracPart.pop_back();
    parts.PercentPart.push_back('%');
  }
  return parts;
}

int SmallFontHeight(int fullHeight) { return static_cast<int>(std::int64_t{fullHeight} * 9 / 10); }

void DrawDecimalLeft(TCanvas& canvas, const TRect& rect, const std::string& text, TColor /*fontColor*/,
                     TColor /*brushColor*/, std::uint8_t hAlign, std::uint8_t vAlign) {
  const std::uint32_t flags = TextFormatFlags(hAlign, vAlign);
  const std::optional<TDecimalStart> start = StartDecimal(canvas, rect, text, flags);
  if (!start) return;
  const TDecimalParts& parts = start->Parts;

  TDecimalRects rects;
  rects.IntRect =
      TRect{rect.Left, rect.Top, ClampToInt32(std::int64_t{rect.Left} + canvas.TextWidth(parts.IntPart)), rect.Bottom};
  rects.FracRect = SubtractRect(rect, rects.IntRect);
  canvas.Font.Height = start->SmallHeight;
  SplitOffPercentBox(canvas, parts, rects);
  RaiseDecimals(rects);

  DrawParts(canvas, *start, rects, flags, flags);
}

void DrawDecimalRight(TCanvas& canvas, const TRect& rect, const std::string& text, TColor /*fontColor*/,
                      TColor /*brushColor*/, std::uint8_t hAlign, std::uint8_t vAlign) {
  const std::uint32_t flags = TextFormatFlags(hAlign, vAlign);
  const std::optional<TDecimalStart> start = StartDecimal(canvas, rect, text, flags);
  if (!start) return;
  const TDecimalParts& parts = start->Parts;

  TDecimalRects rects;
  canvas.Font.Height = start->SmallHeight;
  // Measured with the "%" still on: the decimals and the "%" together take
  // the right end of the cell, and may reach beyond its left edge.
  const int fracWidth = canvas.TextWidth(parts.FracPart + parts.PercentPart);
  rects.FracRect =
      TRect{ClampToInt32(std::int64_t{rect.Left} + RectWidth(rect) - fracWidth), rect.Top, rect.Right, rect.Bottom};
  rects.IntRect = SubtractRect(rect, rects.FracRect);
  if (!parts.PercentPart.empty()) {
    const TRect f = rects.FracRect;
    rects.PercentRect = TRect{ClampToInt32(std::int64_t{f.Left} + RectWidth(f) - canvas.TextWidth(parts.PercentPart)),
                              f.Top, f.Right, f.Bottom};
    rects.FracRect = SubtractRect(f, rects.PercentRect);
  }
  RaiseDecimals(rects);

  DrawParts(canvas, *start, rects, flags, flags);
}

void DrawDecimalCenter(TCanvas& canvas, const TRect& rect, const std::string& text, TColor /*fontColor*/,
                       TColor /*brushColor*/, std::uint8_t hAlign, std::uint8_t vAlign) {
  const std::optional<TDecimalStart> start = StartDecimal(canvas, rect, text, TextFormatFlags(hAlign, vAlign));
  if (!start) return;
  const TDecimalParts& parts = start->Parts;

  TDecimalRects rects{rect, rect, {}};
  const std::int64_t width = RectWidth(rect);
  // The "%" counts: the split follows the bytes of the text as written.
  const std::size_t allBytes = parts.IntPart.size() + parts.FracPart.size() + parts.PercentPart.size();
  if (allBytes > 0) {
    rects.IntRect.Right =
        ClampToInt32(std::int64_t{rect.Left} + ProportionalSplit(width, parts.IntPart.size(), allBytes));
  }
  const std::int64_t intWidth = RectWidth(rects.IntRect);
  rects.FracRect.Left = ClampToInt32(std::int64_t{rects.IntRect.Left} + intWidth);
  rects.FracRect.Right = ClampToInt32(std::int64_t{rects.FracRect.Left} + width - intWidth);
  canvas.Font.Height = start->SmallHeight;
  SplitOffPercentBox(canvas, parts, rects);
  RaiseDecimals(rects);

  DrawParts(canvas, *start, rects, TextFormatFlags(haRight, vAlign), TextFormatFlags(haLeft, vAlign));
}

}  // namespace kivrel
