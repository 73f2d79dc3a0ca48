#include "app/chart_window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/big5_qt.h"
#include "app/qt_canvas.h"
#include "core/chart/chart_texts.h"
#include "core/chart/daily_chart.h"
#include "core/draw/cell_text.h"

namespace kivrel {

TChartWindow::TChartWindow(THistory* history, QWidget* parent) : QWidget(parent, Qt::Window), history_(history) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  resize(800, 500);
}

void TChartWindow::SetHistory(THistory* history) {
  history_ = history;
  Refresh();
}

void TChartWindow::Show(const THistoryStock& stock, const std::string& caption, const TDayChartPrices& prices) {
  stock_ = stock;
  caption_ = caption;
  prices_ = prices;
  Refresh();
  show();
  raise();
  activateWindow();
}

void TChartWindow::Refresh() {
  day_.reset();
  dayRows_.clear();
  dailyRows_.clear();
  readError_.clear();
  if (history_ != nullptr) {
    try {
      day_ = history_->LatestDay(stock_);
      if (day_) dayRows_ = history_->Day(stock_, *day_);
      dailyRows_ = history_->Daily(stock_);
    } catch (const THistoryError& e) {
      readError_ = QString::fromStdString(e.what());
    }
  }
  UpdateTitle();
  update();
}

void TChartWindow::SetView(TView view) {
  view_ = view;
  UpdateTitle();
  update();
}

void TChartWindow::UpdateTitle() {
  std::string title = caption_;
  if (view_ == TView::Daily) {
    title.append("  ").append(kChartDaily);
  } else if (day_) {
    title.append("  ").append(FullDateText(*day_));
  }
  setWindowTitle(ToQString(title));
}

void TChartWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  TQtCanvas canvas(painter);
  canvas.Font.Name = LatinFontName;
  canvas.Font.Height = 14;
  const TChartMetrics metrics{canvas.TextWidth("0"), canvas.Font.Height};
  const TRect area{0, 0, width(), height()};
  geometry_ = view_ == TView::Day ? LayoutDayChart(dayRows_, prices_, area, metrics)
                                  : LayoutDailyChart(dailyRows_, area, metrics);
  DrawChart(canvas, geometry_);
  if (!readError_.isEmpty()) {
    painter.setPen(Qt::black);
    painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, readError_);
    return;
  }
  if (!pointer_) return;
  const TPoint at{pointer_->x(), pointer_->y()};
  const std::optional<std::size_t> row = SpotAt(geometry_, at);
  if (!row) return;
  const std::string text = view_ == TView::Day ? DayHoverText(dayRows_, *row) : DailyHoverText(dailyRows_, *row);
  canvas.Font.Name = ChineseFontName;
  DrawHover(canvas, geometry_, metrics, *row, at, text);
}

void TChartWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: SetView(view_ == TView::Day ? TView::Daily : TView::Day); break;
    case Qt::Key_Escape: close(); break;
    default: QWidget::keyPressEvent(event);
  }
}

void TChartWindow::mouseMoveEvent(QMouseEvent* event) {
  pointer_ = event->position().toPoint();
  update();
}

void TChartWindow::leaveEvent(QEvent*) {
  pointer_.reset();
  update();
}

bool TChartWindow::focusNextPrevChild(bool) { return false; }

}  // namespace kivrel
