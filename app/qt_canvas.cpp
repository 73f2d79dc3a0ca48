#include "app/qt_canvas.h"

#include <QApplication>
#include <QPalette>
#include <QPen>
#include <QPolygon>
#include <QStyle>
#include <QStyleFactory>

#include <cmath>
#include <map>
#include <memory>
#include <tuple>

#include "app/big5_qt.h"

namespace kivrel {
namespace {

// Pixel size that gives a font of this family a character cell (ascent +
// descent) of `cellHeight` pixels, measured once per family.
int PixelSizeForCellHeight(const QString& family, int cellHeight) {
  static std::map<QString, double> cellPerPixel;
  auto it = cellPerPixel.find(family);
  if (it == cellPerPixel.end()) {
    QFont probe(family);
    probe.setPixelSize(1000);
    const QFontMetricsF metrics(probe);
    const double ratio = (metrics.ascent() + metrics.descent()) / 1000.0;
    it = cellPerPixel.emplace(family, ratio > 0 ? ratio : 1.0).first;
  }
  return std::max(1, static_cast<int>(std::lround(cellHeight / it->second)));
}

}  // namespace

Qt::Alignment TQtCanvas::AlignmentOf(std::uint32_t flags) {
  Qt::Alignment a;
  if (flags & DT_RIGHT) {
    a |= Qt::AlignRight;
  } else if (flags & DT_CENTER) {
    a |= Qt::AlignHCenter;
  } else {
    a |= Qt::AlignLeft;
  }
  if (flags & DT_BOTTOM) {
    a |= Qt::AlignBottom;
  } else if (flags & DT_VCENTER) {
    a |= Qt::AlignVCenter;
  } else {
    a |= Qt::AlignTop;
  }
  return a;
}

namespace {

QPolygon ToQPolygon(std::span<const TPoint> points) {
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const TPoint& p : points) polygon.append(QPoint(p.X, p.Y));
  return polygon;
}

QRect ToQRect(const TRect& r) {
  const long long w = static_cast<long long>(r.Right) - r.Left;
  const long long h = static_cast<long long>(r.Bottom) - r.Top;
  return QRect(r.Left, r.Top, static_cast<int>(std::clamp(w, 0LL, 1LL << 24)),
               static_cast<int>(std::clamp(h, 0LL, 1LL << 24)));
}

}  // namespace

QColor TQtCanvas::ToQColor(TColor color) {
  if (color & 0x80000000u) {
    // The board's colour tables were chosen for a light button face, so
    // system colours come from Qt's own light palette whatever the desktop's
    // theme: on a dark face the fixed text colours would not be readable.
    static const QPalette palette = [] {
      const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
      return fusion != nullptr ? fusion->standardPalette() : QPalette(QColor(0xEF, 0xEF, 0xEF));
    }();
    switch (color & 0xFFu) {
      case 5: return palette.color(QPalette::Base);        // window
      case 8: return palette.color(QPalette::Text);        // window text
      case 13: return palette.color(QPalette::Highlight);  // highlight
      case 14: return palette.color(QPalette::HighlightedText);
      default: return palette.color(QPalette::Button);  // button face and the rest
    }
  }
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

const QFont& TQtCanvas::ToQFont(const TFont& font) {
  using Key = std::tuple<std::string, int, bool, bool, bool, bool>;
  static std::map<Key, QFont> cache;
  const Key key{font.Name,
                font.Height,
                font.Style.Has(TFontStyle::fsBold),
                font.Style.Has(TFontStyle::fsItalic),
                font.Style.Has(TFontStyle::fsUnderline),
                font.Style.Has(TFontStyle::fsStrikeOut)};
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  QFont q(ToQString(font.Name));
  if (font.Height > 0) q.setPixelSize(PixelSizeForCellHeight(q.family(), font.Height));
  q.setBold(std::get<2>(key));
  q.setItalic(std::get<3>(key));
  q.setUnderline(std::get<4>(key));
  q.setStrikeOut(std::get<5>(key));
  return cache.emplace(key, q).first->second;
}

void TQtCanvas::FillRect(const TRect& rect) {
  if (rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
  painter_.fillRect(ToQRect(rect), ToQColor(BrushColor));
}

int TQtCanvas::TextWidth(std::string_view text) {
  if (text.empty()) return 0;
  return QFontMetrics(ToQFont(Font)).horizontalAdvance(ToQString(text));
}

void TQtCanvas::DrawText(std::string_view text, const TRect& rect, std::uint32_t flags) {
  if (text.empty() || rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
  const QRect target = ToQRect(rect);
  painter_.save();
  painter_.setClipRect(target, Qt::IntersectClip);
  painter_.setFont(ToQFont(Font));
  painter_.setPen(ToQColor(Font.Color));
  // Single line, "&" underlines the next character and "&&" shows one "&".
  painter_.drawText(target, static_cast<int>(AlignmentOf(flags)) | Qt::TextSingleLine | Qt::TextShowMnemonic,
                    ToQString(text));
  painter_.restore();
}

// Lines are not smoothed, like the cells' edges: a chart's pixels stay
// exact, and a one-pixel line stays one pixel wide.
void TQtCanvas::DrawLine(TPoint from, TPoint to) {
  painter_.save();
  painter_.setPen(QPen(ToQColor(PenColor), std::max(1, PenWidth)));
  painter_.drawLine(QPoint(from.X, from.Y), QPoint(to.X, to.Y));
  painter_.restore();
}

void TQtCanvas::DrawPolyline(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  painter_.save();
  painter_.setPen(QPen(ToQColor(PenColor), std::max(1, PenWidth)));
  painter_.drawPolyline(ToQPolygon(points));
  painter_.restore();
}

}  // namespace kivrel
