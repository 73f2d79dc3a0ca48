#pragma once
// The drawing canvas over a QPainter: fonts by name and character-cell
// height, brush fills, text measuring and text placed by the flags of
// core/draw/canvas.h.

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "core/draw/canvas.h"

namespace kivrel {

class TQtCanvas final : public TCanvas {
 public:
  explicit TQtCanvas(QPainter& painter) : painter_(painter) {}

  void FillRect(const TRect& rect) override;
  int TextWidth(std::string_view text) override;
  void DrawText(std::string_view text, const TRect& rect, std::uint32_t flags) override;
  void DrawLine(TPoint from, TPoint to) override;
  void DrawPolyline(std::span<const TPoint> points) override;

  // The Qt alignment that DrawText flags stand for.
  static Qt::Alignment AlignmentOf(std::uint32_t flags);
  // The Qt colour of a 0x00BBGGRR value; values with the top bit set are
  // system colours taken from the application palette.
  static QColor ToQColor(TColor color);
  // The Qt font for a canvas font: family through the font substitutions,
  // pixel size chosen so that ascent + descent is the height asked for.
  static const QFont& ToQFont(const TFont& font);

 private:
  QPainter& painter_;
};

}  // namespace kivrel
