#pragma once
// The chart window: one stock's day chart or, after Tab, its daily chart,
// read from the quote history and drawn with the core's chart geometry.
// One window serves every stock; Escape closes it.

#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/chart/day_chart.h"
#include "core/history/history.h"

namespace kivrel {

class TChartWindow final : public QWidget {
  Q_OBJECT

 public:
  enum class TView { Day, Daily };

  // `history` (not owned; may be null, for a board without history) is read
  // on the thread of the window.
  explicit TChartWindow(THistory* history, QWidget* parent = nullptr);

  void SetHistory(THistory* history);
  // Shows the stock's latest kept day (the view stays as it was), with the
  // caption (Big5) in the title and the stock's levels on the day chart.
  void Show(const THistoryStock& stock, const std::string& caption, const TDayChartPrices& prices);
  // Reads the stock's rows again, for a new import, and repaints.
  void Refresh();

  TView View() const { return view_; }
  void SetView(TView view);
  // The chart as last painted.
  const TChartGeometry& Geometry() const { return geometry_; }
  // The text of the last read error, empty after a good read.
  const QString& ReadError() const { return readError_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  // Tab switches the chart instead of moving the focus.
  bool focusNextPrevChild(bool next) override;

 private:
  void UpdateTitle();

  THistory* history_;
  THistoryStock stock_;
  std::string caption_;
  TDayChartPrices prices_;
  std::optional<std::int32_t> day_;
  std::vector<TQuoteRow> dayRows_;
  std::vector<TDailyRow> dailyRows_;
  TView view_ = TView::Day;
  std::optional<QPoint> pointer_;
  TChartGeometry geometry_;
  QString readError_;
};

}  // namespace kivrel
