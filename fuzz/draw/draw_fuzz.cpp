// Arbitrary texts in arbitrary cells through DrawCellText and the three
// decimal-underline forms, drawn on the recording canvas; also SubtractRect
// and TextFormatFlags. Rectangles take any int32 edges, so every sum of an
// edge and a text width must stay defined. Checked: the cell's font height
// comes back; the drawings show every byte of the text but the first "."
// exactly once, in order; heights, underline and bold follow the passes;
// every drawing rectangle that can show something keeps the cell's top and
// bottom (the decimals' bottom 3 pixels higher); SubtractRect leaves a
// rectangle that still covers all of `a` outside `b`.
//
// Input, little-endian, missing bytes read as 0:
//   0  cell rectangle (Left, Top, Right, Bottom: int32)
//  16  a second rectangle, subtracted from the cell
//  32  HAlign, VAlign (any byte)
//  34  font height (int32)
//  38  glyph width per byte at the font height and (42) at the small height
//      (uint32, top bit dropped)
//  46  flags: 1 DecimalUnderline, 2 NoFill, 4/8/16/32 the font style found
//      (bold, italic, underline, strike-out)
//  47  the text, to the end
//
// With KIVREL_FUZZ_SEEDS=<folder> in the environment the target writes its
// seed inputs into that folder and exits without fuzzing.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/draw/alignment.h"
#include "core/draw/cell_text.h"
#include "core/draw/decimal_underline.h"
#include "core/draw/rect_arithmetic.h"
#include "core/draw/subtract_rect.h"
#include "core/io/file_io.h"
#include "support/recording_canvas.h"
#include "fuzz/seed_mode.h"

namespace {

using namespace kivrel;
using kivrel::testing::CanvasCall;
using kivrel::testing::CanvasRecord;
using kivrel::testing::RecordingCanvas;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

constexpr TColor kFontColor = clNavy;
constexpr TColor kBrushColor = clYellow;

struct DrawInput {
  TRect Cell;
  TRect Other;
  std::uint8_t HAlign = haLeft;
  std::uint8_t VAlign = vaCenter;
  std::int32_t FontHeight = 16;
  std::uint32_t FullWidth = 8;
  std::uint32_t SmallWidth = 7;
  std::uint8_t Flags = 0;
  std::string Text;

  bool Underline() const { return (Flags & 1) != 0; }
  bool NoFill() const { return (Flags & 2) != 0; }
  TFontStyles StyleFound() const {
    TFontStyles style;
    for (int bit = 0; bit < 4; ++bit) {
      if ((Flags >> (2 + bit)) & 1) style.Include(static_cast<TFontStyle>(bit));
    }
    return style;
  }
};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  template <class T>
  T Take() {
    unsigned char raw[sizeof(T)] = {};
    const std::size_t n = bytes_.size() < sizeof raw ? bytes_.size() : sizeof raw;
    std::memcpy(raw, bytes_.data(), n);
    bytes_.remove_prefix(n);
    T v;
    std::memcpy(&v, raw, sizeof v);
    return v;
  }
  TRect TakeRect() {
    TRect r;
    r.Left = Take<std::int32_t>();
    r.Top = Take<std::int32_t>();
    r.Right = Take<std::int32_t>();
    r.Bottom = Take<std::int32_t>();
    return r;
  }
  std::string_view Rest() const { return bytes_; }

 private:
  std::string_view bytes_;
};

template <class T>
void Put(std::string& out, T v) {
  out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

void PutRect(std::string& out, const TRect& r) {
  for (std::int32_t v : {r.Left, r.Top, r.Right, r.Bottom}) Put(out, v);
}

DrawInput Decode(std::string_view bytes) {
  Reader r(bytes);
  DrawInput in;
  in.Cell = r.TakeRect();
  in.Other = r.TakeRect();
  in.HAlign = r.Take<std::uint8_t>();
  in.VAlign = r.Take<std::uint8_t>();
  in.FontHeight = r.Take<std::int32_t>();
  in.FullWidth = r.Take<std::uint32_t>() & 0x7FFFFFFF;
  in.SmallWidth = r.Take<std::uint32_t>() & 0x7FFFFFFF;
  in.Flags = r.Take<std::uint8_t>();
  in.Text = std::string(r.Rest());
  return in;
}

std::string Encode(const DrawInput& in) {
  std::string out;
  PutRect(out, in.Cell);
  PutRect(out, in.Other);
  Put(out, in.HAlign);
  Put(out, in.VAlign);
  Put(out, in.FontHeight);
  Put(out, in.FullWidth);
  Put(out, in.SmallWidth);
  Put(out, in.Flags);
  return out + in.Text;
}

// A canvas as the grid hands it over: the grid font's name, height and style.
void Prepare(RecordingCanvas& canvas, const DrawInput& in) {
  canvas.Clear();
  canvas.Font = TFont{"MS Sans Serif", in.FontHeight, clBlack, in.StyleFound()};
  canvas.BrushColor = clBtnFace;
  canvas.WidthPerByte = static_cast<int>(in.FullWidth);
  canvas.WidthPerByteAtHeight.clear();
  canvas.WidthPerByteAtHeight[SmallFontHeight(in.FontHeight)] = static_cast<int>(in.SmallWidth);
}

bool HasBig5Byte(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

bool SameStyleBut(TFontStyles a, TFontStyles b, TFontStyle except) {
  a.Exclude(except);
  b.Exclude(except);
  return a == b;
}

// A drawing rectangle that can show something keeps the cell's top and
// bottom; the decimals' bottom lies 3 pixels higher.
void CheckVertical(const TRect& cell, const TRect& drawn, bool decimals) {
  if (IsRectEmpty(drawn)) return;
  Check(drawn.Top == cell.Top);
  Check(drawn.Bottom == (decimals ? ClampToInt32(std::int64_t{cell.Bottom} - 3) : cell.Bottom));
}

enum class Form { Left, Right, Center };

// The drawings of one decimal-underline form, called with the font as found
// plus bold.
void CheckDecimalDrawing(const std::vector<CanvasRecord>& draws, const DrawInput& in, Form form,
                         TFontStyles styleFound) {
  for (const CanvasRecord& d : draws) Check(d.Font.Style.Has(TFontStyle::fsBold));
  const std::uint32_t flags = TextFormatFlags(in.HAlign, in.VAlign);
  const std::size_t dot = in.Text.find('.');
  if (dot == std::string::npos) {
    Check(draws.size() == 1);
    Check(draws[0].Text == in.Text && draws[0].Rect == in.Cell && draws[0].Flags == flags);
    Check(draws[0].Font.Height == in.FontHeight && draws[0].Font.Style == styleFound);
    return;
  }
  // Integer part, decimals, and a "%" split off the decimals.
  Check(draws.size() == 2 || draws.size() == 3);
  std::string shown;
  for (const CanvasRecord& d : draws) shown += d.Text;
  Check(shown == in.Text.substr(0, dot) + in.Text.substr(dot + 1));
  const int small = SmallFontHeight(in.FontHeight);
  for (std::size_t pass = 0; pass < draws.size(); ++pass) {
    const CanvasRecord& d = draws[pass];
    Check(d.Font.Height == (pass == 0 ? in.FontHeight : small));
    Check(d.Font.Style.Has(TFontStyle::fsUnderline) == (pass == 1));
    Check(SameStyleBut(d.Font.Style, styleFound, TFontStyle::fsUnderline));
    CheckVertical(in.Cell, d.Rect, pass == 1);
    const std::uint32_t passFlags =
        form != Form::Center ? flags : TextFormatFlags(pass == 0 ? haRight : haLeft, in.VAlign);
    Check(d.Flags == passFlags);
  }
  if (draws.size() == 3) Check(draws[2].Text == "%" && !draws[1].Text.empty());
}

void CheckCellText(RecordingCanvas& canvas, const DrawInput& in) {
  Prepare(canvas, in);
  DecimalUnderline = in.Underline();
  DrawCellText(canvas, in.Cell, in.Text, kFontColor, kBrushColor, in.HAlign, in.VAlign, in.NoFill());

  Check(canvas.Font.Height == in.FontHeight);
  Check(canvas.Font.Color == kFontColor && canvas.BrushColor == kBrushColor);
  const bool chinese = canvas.Font.Name == ChineseFontName;
  Check(chinese || canvas.Font.Name == LatinFontName);
  if (chinese) Check(HasBig5Byte(in.Text));

  const std::vector<CanvasRecord> fills = canvas.Calls(CanvasCall::FillRect);
  Check(fills.size() == (in.NoFill() ? 0u : 1u));
  if (!fills.empty()) Check(canvas.Records.front().Call == CanvasCall::FillRect && fills[0].Rect == in.Cell);
  for (const CanvasRecord& f : fills) Check(f.BrushColor == kBrushColor);

  const std::vector<CanvasRecord> draws = canvas.Calls(CanvasCall::DrawText);
  for (const CanvasRecord& d : draws) Check(d.Font.Color == kFontColor && d.Font.Name == canvas.Font.Name);
  if (!in.Underline() || chinese) {
    Check(draws.size() == 1);
    Check(draws[0].Text == in.Text && draws[0].Rect == in.Cell);
    Check(draws[0].Flags == TextFormatFlags(in.HAlign, in.VAlign));
    Check(draws[0].Font.Style == in.StyleFound() && draws[0].Font.Height == in.FontHeight);
    Check(canvas.Font.Style == in.StyleFound());
    return;
  }
  TFontStyles bold = in.StyleFound();
  bold.Include(TFontStyle::fsBold);
  const Form form = in.HAlign == haLeft ? Form::Left : (in.HAlign == haRight ? Form::Right : Form::Center);
  CheckDecimalDrawing(draws, in, form, bold);
  const bool split = in.Text.find('.') != std::string::npos;
  Check(canvas.Font.Style.Has(TFontStyle::fsUnderline) == (!split && in.StyleFound().Has(TFontStyle::fsUnderline)));
  Check(SameStyleBut(canvas.Font.Style, bold, TFontStyle::fsUnderline));
}

void CheckDecimalForm(RecordingCanvas& canvas, const DrawInput& in, Form form) {
  Prepare(canvas, in);
  canvas.Font.Style.Include(TFontStyle::fsBold);
  const TFontStyles bold = canvas.Font.Style;
  switch (form) {
    case Form::Left: DrawDecimalLeft(canvas, in.Cell, in.Text, kFontColor, kBrushColor, in.HAlign, in.VAlign); break;
    case Form::Right: DrawDecimalRight(canvas, in.Cell, in.Text, kFontColor, kBrushColor, in.HAlign, in.VAlign); break;
    case Form::Center:
      DrawDecimalCenter(canvas, in.Cell, in.Text, kFontColor, kBrushColor, in.HAlign, in.VAlign);
      break;
  }
  Check(canvas.Calls(CanvasCall::FillRect).empty());
  CheckDecimalDrawing(canvas.Calls(CanvasCall::DrawText), in, form, bold);
  const bool split = in.Text.find('.') != std::string::npos;
  Check(canvas.Font.Height == (split ? SmallFontHeight(in.FontHeight) : in.FontHeight));
}

bool Contains(const TRect& outer, const TRect& inner) {
  return outer.Left <= inner.Left && outer.Top <= inner.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

// What is cut off `a` on the way to the result lies inside `b`.
void CheckSubtraction(const TRect& a, const TRect& b) {
  const TRect r = SubtractRect(a, b);
  if (IsRectEmpty(a)) {
    Check(r == TRect{});
    return;
  }
  if (r == TRect{}) {
    Check(Contains(b, a));
    return;
  }
  Check(r == a ||
        (r.Top == a.Top && r.Bottom == a.Bottom && a.Left <= r.Left && r.Left < r.Right && r.Right <= a.Right));
  const TRect leftCut{a.Left, a.Top, r.Left, a.Bottom};
  const TRect rightCut{r.Right, a.Top, a.Right, a.Bottom};
  if (!IsRectEmpty(leftCut)) Check(Contains(b, leftCut));
  if (!IsRectEmpty(rightCut)) Check(Contains(b, rightCut));
  // A rectangle that does not overlap `a` takes nothing off.
  const bool overlap = !IsRectEmpty(b) && b.Left < a.Right && a.Left < b.Right && b.Top < a.Bottom && a.Top < b.Bottom;
  if (!overlap) Check(r == a);
}

void CheckFlags(std::uint8_t hAlign, std::uint8_t vAlign) {
  const std::uint32_t flags = TextFormatFlags(hAlign, vAlign);
  Check((flags & ~0x2Fu) == 0 && (flags & DT_SINGLELINE) != 0);
  Check((flags & 0x3u) != 0x3u && (flags & 0xCu) != 0xCu);
  // Codes beyond the three centre.
  if (hAlign > haCenter) Check((flags & 0x3u) == DT_CENTER);
  if (vAlign > vaBottom) Check((flags & 0xCu) == DT_VCENTER);
}

// Seeds ----------------------------------------------------------------------

std::vector<DrawInput> SeedInputs() {
  constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
  // Numbers with and without decimals or "%", a code, the name 台泥 and the
  // arrow ↑ in Big5, and an "&" prefix.
  const std::string texts[] = {"12.35", "1.25%",         "3.5%",     "5.%",    ".5", "5.",
                               ".",     "1.2.3",         "-9.31",    "+10.65", "",   "1101",
                               "12345", "\xA5x\xAA\x64", "\xA1\xF4", "&1.5"};
  const TRect cells[] = {{0, 0, 80, 24}, {0, 0, 90, 24}, {lo, lo, hi, hi}, {hi - 5, 0, hi, 24}, {10, 24, 0, 0}};
  std::vector<DrawInput> seeds;
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    DrawInput in;
    in.Cell = cells[i % std::size(cells)];
    in.Other = TRect{in.Cell.Left, in.Cell.Top, ClampToInt32(std::int64_t{in.Cell.Left} + 20), in.Cell.Bottom};
    in.HAlign = static_cast<std::uint8_t>(i % 4);
    in.VAlign = vaCenter;
    in.FontHeight = i % 3 == 0 ? 15 : 16;
    in.Flags = static_cast<std::uint8_t>(i % 2 == 0 ? 1 : 3);
    in.Text = texts[i];
    seeds.push_back(in);
  }
  return seeds;
}

void WriteSeeds(const std::string& folder) {
  kivrel::fuzzing::WriteNumberedSeeds(folder, SeedInputs(), [](const DrawInput& in) { return Encode(in); });
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  kivrel::fuzzing::WriteSeedsWhenAsked("fuzz_draw", [](const std::string& folder) { WriteSeeds(folder); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const DrawInput in = Decode(std::string_view(reinterpret_cast<const char*>(data), size));
  RecordingCanvas canvas;
  CheckCellText(canvas, in);
  for (Form form : {Form::Left, Form::Right, Form::Center}) CheckDecimalForm(canvas, in, form);
  CheckSubtraction(in.Cell, in.Other);
  CheckSubtraction(in.Other, in.Cell);
  CheckFlags(in.HAlign, in.VAlign);
  return 0;
}
