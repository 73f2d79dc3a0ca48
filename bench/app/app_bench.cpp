// The window over 30,000 stocks on a 1920x1080 off-screen display, beside a
// plain QTableView with Qt's default delegate showing the same texts:
// start-up to the first complete paint, and one full repaint scrolled to the
// middle of the board.
#include <QAbstractTableModel>
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "app/big5_qt.h"
#include "app/main_window.h"
#include "app/program.h"
#include "core/draw/cell_text.h"
#include "core/grid/stock_cells.h"
#include "core/lists/list_functions.h"
#include "core/store/stock_store.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

constexpr int kStocks = 30000;

// A quote file of 30,000 stocks over both markets, with every price state.
std::string QuoteFileBytes() {
  std::string bytes;
  for (int i = 0; i < kStocks; ++i) {
    StockRecord r;
    r.SetMarket(static_cast<std::uint8_t>(i * 2 / kStocks));
    r.SetCategory(static_cast<std::uint8_t>((i / 600) % 25));
    r.SetCode(std::to_string(100000 + i));
    r.SetName(i % 3 ? "\xA5x\xAA" "d" : "\xA5x\xBFn\xB9q");
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

// The working folder with DATA/STOCK.LST, made once.
const testing::TempDir& Folder() {
  static testing::TempDir dir;
  static bool made = [] {
    std::filesystem::create_directories(dir.path() / "DATA/SOURCE");
    testing::WriteBytes(dir / "DATA/STOCK.LST", QuoteFileBytes());
    std::filesystem::current_path(dir.path());
    return true;
  }();
  (void)made;
  return dir;
}

// The plain board: the same 15 texts per row, converted once, shown by
// Qt's default delegate.
class PlainModel final : public QAbstractTableModel {
 public:
  explicit PlainModel(const TStringList& store) {
    rows_.reserve(static_cast<size_t>(store.Count()));
    for (int i = 0; i < store.Count(); ++i) {
      std::array<QString, kGridColumns> row;
      const auto texts = StockRowTexts(StockAt(store, i));
      for (int c = 0; c < kGridColumns; ++c) row[static_cast<size_t>(c)] = ToQString(texts[static_cast<size_t>(c)]);
      rows_.push_back(std::move(row));
    }
  }
  int rowCount(const QModelIndex& = QModelIndex()) const override { return static_cast<int>(rows_.size()); }
  int columnCount(const QModelIndex& = QModelIndex()) const override { return kGridColumns; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    return rows_[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())];
  }

 private:
  std::vector<std::array<QString, kGridColumns>> rows_;
};

struct PlainBoard {
  TStringListPtr store = NewStringList(true);
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
  ~PlainBoard() { FreeStringList(std::move(store), true); }
};

void Paint(QWidget& widget) {
  QPixmap picture(widget.size());
  widget.render(&picture);
  benchmark::DoNotOptimize(picture.cacheKey());
}

void BM_StartupToFirstPaint_Kivrel(benchmark::State& state) {
  Folder();
  for (auto _ : state) {
    auto window = std::make_unique<TfrmMain>();
    window->show();
    Paint(*window);
    state.PauseTiming();
    window.reset();  // shutdown saves the quote file: not part of start-up
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartupToFirstPaint_Kivrel)->Name("BM_StartupToFirstPaint/Kivrel")->Unit(benchmark::kMillisecond);

void BM_StartupToFirstPaint_Plain(benchmark::State& state) {
  Folder();
  for (auto _ : state) {
    auto board = std::make_unique<PlainBoard>();
    Paint(board->view);
    state.PauseTiming();
    board.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartupToFirstPaint_Plain)->Name("BM_StartupToFirstPaint/Plain")->Unit(benchmark::kMillisecond);

void ScrollToMiddle(QAbstractScrollArea& view) {
  view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
  QApplication::processEvents();
}

void BM_PaintScreen_Kivrel(benchmark::State& state) {
  Folder();
  TfrmMain window;
  window.show();
  if (state.range(0) != 0) window.N1->trigger();
  ScrollToMiddle(*window.GRID);
  for (auto _ : state) Paint(*window.GRID);
  state.SetLabel(state.range(0) ? "decimal underline" : "normal");
  DecimalUnderline = false;
}
BENCHMARK(BM_PaintScreen_Kivrel)->Name("BM_PaintScreen/Kivrel")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PaintScreen_Plain(benchmark::State& state) {
  Folder();
  PlainBoard board;
  QFont font = board.view.font();
  font.setBold(state.range(0) != 0);
  board.view.setFont(font);
  ScrollToMiddle(board.view);
  for (auto _ : state) Paint(board.view);
  state.SetLabel(state.range(0) ? "bold" : "normal");
}
BENCHMARK(BM_PaintScreen_Plain)->Name("BM_PaintScreen/Plain")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kivrel

int main(int argc, char** argv) {
  QTemporaryFile screens(QDir::tempPath() + "/kivrel-bench-XXXXXX.json");
  screens.open();
  screens.write(R"({"screens":[{"name":"bench","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"dpr":1}]})");
  screens.flush();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens.fileName()).toUtf8());
  QApplication app(argc, argv);
  kivrel::PrepareApplication(app);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
