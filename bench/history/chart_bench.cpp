// The charts laid out and painted on an 800x500 off-screen picture through
// the QPainter canvas: a day of 270 one-minute quotes, and 250 daily rows
// with their averages; the window's whole repaint with a hover besides.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <benchmark/benchmark.h>

#include <random>

#include "app/chart_window.h"
#include "app/program.h"
#include "app/qt_canvas.h"
#include "core/chart/daily_chart.h"
#include "core/chart/day_chart.h"
#include "core/draw/cell_text.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

constexpr std::int32_t kDay = 45369;

std::vector<TQuoteRow> DayRows() {
  std::mt19937 rng(1);
  std::vector<TQuoteRow> rows;
  int cents = 1000;
  float volume = 0.0F;
  for (int minute = 0; minute < 270; ++minute) {
    cents = std::clamp(cents + static_cast<int>(rng() % 11) - 5, 932, 1064);
    volume += static_cast<float>(rng() % 500);
    TQuoteRow row;
    row.QuoteTime = JoinQuoteTime({kDay, 32400 + minute * 60});
    row.Last = static_cast<float>(cents) / 100.0F;
    row.Volume = volume;
    rows.push_back(row);
  }
  return rows;
}

std::vector<TDailyRow> DailyRows() {
  std::mt19937 rng(2);
  std::vector<TDailyRow> rows;
  float last = 50.0F;
  for (int day = 0; day < 250; ++day) {
    const float open = last;
    last = std::max(1.0F, last + static_cast<float>(static_cast<int>(rng() % 200) - 100) / 100.0F);
    rows.push_back({kDay - 250 + day, open, std::max(open, last) + 0.5F, std::min(open, last) - 0.5F, last,
                    static_cast<float>(rng() % 100000), open});
  }
  return rows;
}

// Layout and painting, as the window does it.
template <class Layout>
void Paint(benchmark::State& state, Layout layout) {
  QImage image(800, 500, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    TQtCanvas canvas(painter);
    canvas.Font.Name = LatinFontName;
    canvas.Font.Height = 14;
    const TChartMetrics metrics{canvas.TextWidth("0"), canvas.Font.Height};
    const TChartGeometry chart = layout(TRect{0, 0, image.width(), image.height()}, metrics);
    DrawChart(canvas, chart);
  }
}

void BM_PaintDayChart(benchmark::State& state) {
  const std::vector<TQuoteRow> rows = DayRows();
  Paint(state, [&](const TRect& area, const TChartMetrics& metrics) {
    return LayoutDayChart(rows, {10.0F, 10.65F, 9.31F}, area, metrics);
  });
}
BENCHMARK(BM_PaintDayChart)->Unit(benchmark::kMillisecond);

void BM_PaintDailyChart(benchmark::State& state) {
  const std::vector<TDailyRow> rows = DailyRows();
  Paint(state, [&](const TRect& area, const TChartMetrics& metrics) { return LayoutDailyChart(rows, area, metrics); });
}
BENCHMARK(BM_PaintDailyChart)->Unit(benchmark::kMillisecond);

// The window showing a full day read from a history file, repainted with
// the pointer over it.
void BM_ChartWindowRepaint(benchmark::State& state) {
  testing::TempDir dir;
  {
    THistory writer(dir / "history.db", THistory::TAccess::ReadWrite);
    StockRecord r;
    r.SetCode("1101");
    r.SetPrevClose(10.0F);
    for (const TQuoteRow& row : DayRows()) {
      r.SetQuoteTime(row.QuoteTime);
      r.SetLast(row.Last);
      r.SetVolume(row.Volume);
      writer.Record(std::span(&r, 1));
    }
  }
  THistory reader(dir / "history.db", THistory::TAccess::ReadOnly);
  TChartWindow window(&reader);
  window.Show({0, 0, "1101"}, "1101", {10.0F, 10.65F, 9.31F});
  QTest::mouseMove(&window, QPoint(400, 200));
  for (auto _ : state) benchmark::DoNotOptimize(window.grab());
}
BENCHMARK(BM_ChartWindowRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kivrel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kivrel::PrepareApplication(app);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
