// The board on a 1920x1080 off-screen display: start-up to the first
// complete paint beside the bare load and save of the same quote file (30,000
// and 1,000,000 stocks), one full repaint scrolled to the middle, both beside
// a plain QTableView showing the same texts with Qt's default delegate, a
// sort of 30,000 rows, and the memory the board takes per stock.
#include <QAbstractTableModel>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QPixmap>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <vector>

#include "app/big5_qt.h"
#include "app/main_window.h"
#include "app/offscreen_screen.h"
#include "app/program.h"
#include "core/draw/cell_text.h"
#include "core/grid/grid_columns.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

// A quote file of `stocks` stocks over both markets, with every price state.
std::string QuoteFileBytes(int stocks) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(stocks) * StockRecord::kSize);
  for (int i = 0; i < stocks; ++i) {
    StockRecord r;
    r.SetMarket(static_cast<std::uint8_t>(i >= stocks / 2));
    r.SetCategory(static_cast<std::uint8_t>((i / 600) % 25));
    r.SetCode(std::to_string(1000000 + i));
    r.SetName(i % 3 ? "\xA5x\xAA"
                      "d"
                    : "\xA5x\xBFn\xB9q");
    const float prev = 10.0F + static_cast<float>(i % 500);
    const float last = prev * (0.93F + 0.01F * static_cast<float>(i % 15));
    r.SetPrevClose(prev);
    r.SetLast(last);
    r.SetBid(last - 0.05F);
    r.SetAsk(last);
    r.SetChange(last - prev);
    r.SetOpen(prev);
    r.SetHigh(last + 0.5F);
    r.SetLow(prev - 0.5F);
    r.SetVolume(static_cast<float>(1000 + i));
    bytes.append(reinterpret_cast<const char*>(r.Bytes()), StockRecord::kSize);
  }
  return bytes;
}

// A working folder with DATA/STOCK.LST of `stocks` stocks, made once.
const testing::TempDir& Folder(int stocks) {
  static std::map<int, std::unique_ptr<testing::TempDir>> folders;
  auto& dir = folders[stocks];
  if (!dir) {
    dir = std::make_unique<testing::TempDir>();
    std::filesystem::create_directories(dir->path() / "DATA/SOURCE");
    testing::WriteBytes(*dir / "DATA/STOCK.LST", QuoteFileBytes(stocks));
  }
  std::filesystem::current_path(dir->path());
  return *dir;
}

// The plain board: the same 15 texts per row, converted once, shown by Qt's
// default delegate.
class PlainModel final : public QAbstractTableModel {
 public:
  explicit PlainModel(const TStringList& store) {
    rows_.reserve(static_cast<std::size_t>(store.Count()));
    for (int i = 0; i < store.Count(); ++i) {
      const TRowValues values(StockAt(store, i));
      std::array<QString, kGridColumnCount> row;
      for (std::size_t c = 0; c < row.size(); ++c) row[c] = ToQString(ColumnText(kGridColumns[c], values));
      rows_.push_back(std::move(row));
    }
  }
  int rowCount(const QModelIndex& = QModelIndex()) const override { return static_cast<int>(rows_.size()); }
  int columnCount(const QModelIndex& = QModelIndex()) const override { return kGridColumnCount; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    return rows_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
  }

 private:
  std::vector<std::array<QString, kGridColumnCount>> rows_;
};

struct PlainBoard {
  TStockListPtr store = NewStockList();
  std::unique_ptr<PlainModel> model;
  QTableView view;
  PlainBoard() {
    LoadStockFile(*store, "DATA/STOCK.LST");
    model = std::make_unique<PlainModel>(*store);
    view.setModel(model.get());
    view.verticalHeader()->setDefaultSectionSize(25);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.showMaximized();
  }
};

void Paint(QWidget& widget) {
  QPixmap picture(widget.size());
  widget.render(&picture);
  benchmark::DoNotOptimize(picture.cacheKey());
}

void BM_StartupToFirstPaint(benchmark::State& state) {
  Folder(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto window = std::make_unique<TfrmMain>();
    window->show();
    Paint(*window);
    state.PauseTiming();
    window.reset();  // shutdown saves the quote file: not part of start-up
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartupToFirstPaint)->Arg(30000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// What the core alone does with the same file: load it, save it.
void BM_LoadSaveQuoteFile(benchmark::State& state) {
  Folder(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TStockListPtr store = NewStockList();
    LoadStockFile(*store, "DATA/STOCK.LST");
    SaveStockFile(*store, "DATA/STOCK.LST");
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadSaveQuoteFile)->Arg(30000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_StartupToFirstPaint_Plain(benchmark::State& state) {
  Folder(30000);
  for (auto _ : state) {
    auto board = std::make_unique<PlainBoard>();
    Paint(board->view);
    state.PauseTiming();
    board.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartupToFirstPaint_Plain)->Name("BM_StartupToFirstPaint/Plain/30000")->Unit(benchmark::kMillisecond);

void ScrollToMiddle(QAbstractScrollArea& view) {
  view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
  QApplication::processEvents();
}

void BM_PaintScreen(benchmark::State& state) {
  Folder(30000);
  TfrmMain window;
  window.show();
  if (state.range(0) != 0) window.N1->trigger();
  ScrollToMiddle(*window.GRID->View());
  for (auto _ : state) Paint(*window.GRID->View());
  state.SetLabel(state.range(0) ? "decimal underline" : "normal");
  DecimalUnderline = false;
}
BENCHMARK(BM_PaintScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PaintScreen_Plain(benchmark::State& state) {
  Folder(30000);
  PlainBoard board;
  ScrollToMiddle(board.view);
  for (auto _ : state) Paint(board.view);
}
BENCHMARK(BM_PaintScreen_Plain)->Name("BM_PaintScreen/Plain")->Unit(benchmark::kMillisecond);

// Sorting the 30,000 rows by a column: by the last price (numbers) and by
// the name (Big5 texts), with the model's layout change.
void BM_SortBoard(benchmark::State& state) {
  Folder(30000);
  TfrmMain window;
  window.show();
  bool descending = false;
  for (auto _ : state) {
    descending = !descending;
    window.GRID->Model().SortBy(static_cast<int>(state.range(0)),
                                descending ? TSortDirection::Descending : TSortDirection::Ascending);
  }
  state.SetLabel(state.range(0) == 1 ? "by name" : "by last price");
}
BENCHMARK(BM_SortBoard)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);

// Peak memory (KiB) of kivrel-shot run on a board of `stocks` stocks.
long ShotPeakKilobytes(int stocks) {
  Folder(stocks);
  const pid_t child = ::fork();
  if (child == 0) {
    ::execl(KIVREL_SHOT_BINARY, KIVREL_SHOT_BINARY, "/dev/null", "--size", "1920x1080", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  return usage.ru_maxrss;
}

// The board's memory per stock: the difference of kivrel-shot's peak between
// 1,000,000 and 10,000 stocks, over the 990,000 stocks between.
void BM_BoardMemoryPerStock(benchmark::State& state) {
  long small = 0;
  long large = 0;
  for (auto _ : state) {
    small = ShotPeakKilobytes(10000);
    large = ShotPeakKilobytes(1000000);
  }
  state.counters["peak_10k_MB"] = static_cast<double>(small) / 1024.0;
  state.counters["peak_1M_MB"] = static_cast<double>(large) / 1024.0;
  state.counters["bytes_per_stock"] = static_cast<double>(large - small) * 1024.0 / 990000.0;
}
BENCHMARK(BM_BoardMemoryPerStock)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kivrel

int main(int argc, char** argv) {
  kivrel::TOffscreenScreen screen;
  screen.Use(1920, 1080);
  QApplication app(argc, argv);
  kivrel::PrepareApplication(app);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
