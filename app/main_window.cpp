#include "app/main_window.h"

#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTime>
#include <QVBoxLayout>
#include <QWindow>

#include <chrono>
#include <iostream>

#include "app/big5_qt.h"
#include "app/error_text.h"
#include "app/status_text.h"
#include "core/draw/cell_text.h"
#include "core/grid/board_summary.h"
#include "core/grid/grid_cell.h"
#include "core/grid/grid_columns.h"
#include "core/grid/grid_fit.h"
#include "core/grid/row_order.h"
#include "core/grid/row_stock.h"
#include "core/price/price_state.h"
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"
#include "core/text/trim.h"
#include "core/views/view_catalogue.h"

namespace kivrel {
namespace {

// The window as designed: position and size when restored, 15 columns and
// 28 rows before start-up sizes the grid to the store, and the grid font's
// height before the first fitting (a character height of 11 pixels,
// written negative as the design keeps it).
constexpr int kDesignLeft = 207;
constexpr int kDesignTop = 146;
constexpr int kDesignWidth = 570;
constexpr int kDesignHeight = 376;
constexpr int kDesignRowCount = 28;
constexpr int kDesignFontHeight = -11;
constexpr float kFontRatio = 3.5F;
// The grid gets one row per 24 pixels of screen height, less one, until it is
// sized to the store.
constexpr int kScreenPixelsPerRow = 24;

// Menu items 重新讀取頁面 and 自動更新.
constexpr std::string_view kReadPagesMenuCaption = "\xAD\xAB\xB7s\xC5\xAA\xA8\xFA\xAD\xB6\xAD\xB1";
constexpr std::string_view kAutoUpdateMenuCaption = "\xA6\xDB\xB0\xCA\xA7\xF3\xB7s";

std::int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QString TimeNow() { return QTime::currentTime().toString("HH:mm:ss"); }

}  // namespace

TfrmMain::TfrmMain(const TWindowOptions& options, QWidget* parent)
    : QMainWindow(parent),
      folder_({.Reimport = options.Reimport,
               .Viewer = options.Viewer,
               .KeepDays = options.KeepDays,
               // The recorder's thread hands its news to this one.
               .HistoryFailed =
                   [this](std::exception_ptr error) {
                     QMetaObject::invokeMethod(this, [this, error] {
                       historyNote_ = TErrorText::NoHistory(error);
                       std::cerr << "kivrel: " << historyNote_.toStdString() << '\n';
                       ShowStatus();
                     });
                   },
               .HistoryRecorded =
                   [this] {
                     QMetaObject::invokeMethod(this, [this] {
                       if (!ChartWindow || !ChartWindow->isVisible()) return;
                       ChartWindow->SetHistory(HistoryReader());
                       ChartWindow->Refresh();
                     });
                   }}) {
  setWindowTitle(ToQString(kCaption));
  SetDesignFrame();
  CreateMenu();
  CreateGrid(options);

  follower_ = std::make_unique<TPageFollower>(folder_);
  connect(follower_.get(), &TPageFollower::PagesRead, this,
          [this](const TPageBatch& pages) { ApplyPages(std::move(*pages), TimeNow()); });
  marksTimer_.setSingleShot(true);
  connect(&marksTimer_, &QTimer::timeout, this, &TfrmMain::ExpireMarks);
  figuresTimer_.setSingleShot(true);
  connect(&figuresTimer_, &QTimer::timeout, this, &TfrmMain::RefreshFigures);

  DecimalUnderline = false;
  try {
    FormCreate();
  } catch (...) {
    startupError_ = std::current_exception();
  }
  if (!startupError_) {
    ViewPanel->Refresh(figures_);
    ViewPanel->setVisible(folder_.WatchLists().Count() > 0);
    splitter_->setSizes({ViewPanel->sizeHint().width(), kDesignWidth});  // the figures decide its width
    if (const std::optional<TView> view = FindView(folder_.WatchLists(), options.View); view && !options.View.empty())
      ViewPanel->Choose(*view);
  }
  if (options.Watch && !startupError_) AutoUpdate1->trigger();
  // From here on every size change refits the columns and the font.
  connect(GRID->View(), &TGridView::Resized, this, &TfrmMain::FormResize);
  FormResize();
}

void TfrmMain::SetDesignFrame() {
  // The design position and size are the window's outer frame; geometry is
  // the inside of it. The platform knows its frame once the window exists.
  create();
  const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
  setGeometry(QRect(kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight) - frame);
}

void TfrmMain::CreateMenu() {
  MainMenu1 = menuBar();
  Setup1 = MainMenu1->addMenu(ToQString(kSetupMenuCaption));
  N1 = Setup1->addAction(ToQString(kDecimalUnderlineMenuCaption));
  N1->setCheckable(true);
  N1->setChecked(false);
  // The captions carry no hot keys; the shortcuts show beside them, and F10
  // opens the menu.
  N1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
  connect(N1, &QAction::triggered, this, [this] { N1Click(); });
  ReadPages1 = Setup1->addAction(ToQString(kReadPagesMenuCaption));
  ReadPages1->setShortcut(QKeySequence(Qt::Key_F5));
  connect(ReadPages1, &QAction::triggered, this, [this] { ReadPages1Click(); });
  AutoUpdate1 = Setup1->addAction(ToQString(kAutoUpdateMenuCaption));
  AutoUpdate1->setCheckable(true);
  connect(AutoUpdate1, &QAction::triggered, this, [this] { AutoUpdate1Click(); });

  const auto shortcut = [this](QKeySequence keys, auto handler) {
    auto* action = new QAction(this);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
    addAction(action);
  };
  shortcut(Qt::Key_F10, [this] { MainMenu1->setActiveAction(Setup1->menuAction()); });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });
  shortcut(QKeySequence::Find, [this] { FindBar->Open(); });
  shortcut(Qt::Key_F3, [this] { FindNext(false); });
  shortcut(Qt::SHIFT | Qt::Key_F3, [this] { FindNext(true); });
  shortcut(Qt::Key_F9, [this] { ViewPanel->setVisible(!ViewPanel->isVisible()); });
}

void TfrmMain::CreateGrid(const TWindowOptions& options) {
  GRID = std::make_unique<TQtStringGrid>(kGridColumnCount, kDesignRowCount, this);
  GRID->SetFontName(std::string(kChineseFontName));
  GRID->SetFontHeight(kDesignFontHeight);
  GRID->SetObjectText(&StockColumnText);
  GRID->View()->SetOnDrawCell(
      [this](TCanvas& canvas, int col, int row, const TRect& rect) { GRIDDrawCell(canvas, col, row, rect); });
  splitter_ = new QSplitter(this);
  ViewPanel = new TViewPanel(folder_.WatchLists(), splitter_);
  auto* centre = new QWidget(splitter_);
  auto* layout = new QVBoxLayout(centre);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(GRID->View(), 1);
  FindBar = new TFindBar(centre);
  layout->addWidget(FindBar);
  splitter_->addWidget(ViewPanel);
  splitter_->addWidget(centre);
  splitter_->setStretchFactor(1, 1);
  setCentralWidget(splitter_);
  connect(ViewPanel, &TViewPanel::ViewChosen, this, &TfrmMain::ShowView);
  connect(ViewPanel, &TViewPanel::ListsChanged, this, [this] {
    SaveWatchLists();
    view_ = ViewPanel->Chosen();
    if (view_.Kind == TViewKind::vkWatchList) ShowListRows();
    RefreshFigures();
  });
  // The watch list keys act on the grid's selected stock.
  const auto gridKey = [this](QKeySequence keys, auto handler) {
    auto* action = new QAction(GRID->View());
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, handler);
    GRID->View()->addAction(action);
  };
  gridKey(Qt::Key_Insert, [this] { AddToWatchList(); });
  gridKey(Qt::Key_Delete, [this] { RemoveFromWatchList(); });
  gridKey(Qt::CTRL | Qt::Key_Up, [this] { MoveInWatchList(TMoveDirection::mdUp); });
  gridKey(Qt::CTRL | Qt::Key_Down, [this] { MoveInWatchList(TMoveDirection::mdDown); });
  gridKey(Qt::Key_Return, [this] { OpenChart(); });
  gridKey(Qt::Key_Enter, [this] { OpenChart(); });
  connect(GRID->View(), &QAbstractItemView::doubleClicked, this, [this] { OpenChart(); });
  StatusSummary = new QLabel(this);
  statusBar()->addWidget(StatusSummary, 1);
  StatusNote = new QLabel(this);
  StatusNote->hide();
  statusBar()->addPermanentWidget(StatusNote);
  EmptyHint = new QLabel(GRID->View()->viewport());
  EmptyHint->setAlignment(Qt::AlignCenter);
  EmptyHint->setTextInteractionFlags(Qt::TextSelectableByMouse);
  EmptyHint->hide();
  if (options.WatchGridModel) options.WatchGridModel(GRID->Model());

  connect(FindBar, &TFindBar::FindNext, this, [this] { FindNext(false); });
  connect(FindBar->Query(), &QLineEdit::textEdited, this, [this] { FindNext(false, /*fromCurrent=*/true); });
  connect(FindBar, &TFindBar::Closed, GRID->View(), [this] { GRID->View()->setFocus(); });
  connect(GRID->View()->horizontalHeader(), &QHeaderView::sectionClicked, this, &TfrmMain::SortByColumn);
  connect(GRID->View(), &TGridView::Resized, EmptyHint,
          [this] { EmptyHint->setGeometry(GRID->View()->viewport()->rect()); });
}

TfrmMain::~TfrmMain() {
  try {
    FormDestroy();
  } catch (const std::exception& e) {
    std::cerr << "kivrel: " << TErrorText::Describe(std::current_exception()).OneLine().toStdString() << '\n';
  }
}

void TfrmMain::FormCreate() {
  folder_.Open();
  WindowSetUp();
}

void TfrmMain::WindowSetUp() {
  setWindowState(windowState() | Qt::WindowMaximized);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int screenHeight = screen != nullptr ? screen->geometry().height() : 768;
  // The whole fill reaches the view as one reset.
  rows_ = ViewStocks(folder_.StockList(), view_, folder_.WatchLists());
  GRID->BeginUpdate();
  GRID->SetRowCount(screenHeight / kScreenPixelsPerRow - 1);
  FormResize();
  FillGridObjects();
  FillGridRows();
  GRID->EndUpdate();
  IndexRows();
  if (!rows_.Stocks.empty()) GRID->View()->selectRow(0);
  RefreshFigures();
}

void TfrmMain::ShowView(const TView& view) {
  view_ = view;
  TViewRows old = std::exchange(rows_, ViewStocks(folder_.StockList(), view_, folder_.WatchLists()));
  GRID->BeginUpdate();  // one reset; the rows stand in the view's order again
  FillGridObjects();
  FillGridRows();
  GRID->EndUpdate();
  IndexRows();
  sortColumn_ = -1;
  GRID->View()->horizontalHeader()->setSortIndicatorShown(false);
  if (!rows_.Stocks.empty()) GRID->View()->selectRow(0);
  RefreshFigures();
}

void TfrmMain::RefreshFigures() {
  figuresTimer_.stop();
  figures_ = SummarizeViews(folder_.StockList(), folder_.WatchLists());
  if (ViewPanel->isVisible() || ViewPanel->topLevelItemCount() > 0) ViewPanel->Refresh(figures_);
  ShowStatus();
}

const TStock* TfrmMain::SelectedStock() const {
  const QModelIndex current = GRID->View()->currentIndex();
  if (!current.isValid()) return nullptr;
  return RowStock(*GRID, GRID->Model().GridRow(current.row()));
}

void TfrmMain::SaveWatchLists() {
  try {
    const TNoSave noSave = folder_.SaveWatchLists();
    if (noSave.Reason != TNoSave::TReason::None) importNote_ = TErrorText::ListsWillNotSave(noSave, folder_.Paths());
  } catch (...) {
    importNote_ = TErrorText::Describe(std::current_exception()).Text;
  }
}

void TfrmMain::ShowListRows() {
  const TStock* selected = SelectedStock();
  TViewRows old = std::exchange(rows_, ViewStocks(folder_.StockList(), view_, folder_.WatchLists()));
  GRID->BeginUpdate();
  FillGridObjects();
  FillGridRows();
  GRID->EndUpdate();
  IndexRows();
  GRID->Model().Resort();
  if (const auto it = gridRowOf_.find(selected); it != gridRowOf_.end()) {
    GRID->View()->selectRow(GRID->Model().ModelRow(it->second));
  } else if (!rows_.Stocks.empty()) {
    GRID->View()->selectRow(0);
  }
}

THistory* TfrmMain::HistoryReader() {
  if (!historyReader_) {
    try {
      historyReader_ = std::make_unique<THistory>(folder_.Paths().History, THistory::TAccess::ReadOnly);
    } catch (const THistoryError&) {
      // No history yet (its writer has not made it) or none to read: the
      // window says it has no quotes, and tries again after a recording.
    }
  }
  return historyReader_.get();
}

void TfrmMain::OpenChart() {
  const TStock* stock = SelectedStock();
  if (stock == nullptr) return;
  if (!ChartWindow) ChartWindow = std::make_unique<TChartWindow>(nullptr);
  ChartWindow->SetHistory(HistoryReader());
  const TPriceLimits limits(*stock);
  const std::string caption =
      std::string(TrimView(stock->Payload.Code())) + " " + std::string(TrimView(stock->Payload.Name()));
  ChartWindow->Show(HistoryStockOf(stock->Payload), caption,
                    TDayChartPrices{limits.PrevClose(), limits.LimitUp(), limits.LimitDown()});
  ChartWindow->show();
  ChartWindow->raise();
  ChartWindow->activateWindow();
}

void TfrmMain::AddToWatchList() {
  const TStock* stock = SelectedStock();
  if (stock == nullptr) return;
  TWatchLists& lists = folder_.WatchLists();
  int list = -1;
  const int before = lists.Count();
  const std::string code(TrimView(stock->Payload.Code()));
  switch (lists.AddToCurrent(code, list)) {
    case TAddCode::acAdded: break;
    case TAddCode::acAlreadyListed: return;
    case TAddCode::acNotACode:
      importNote_ = TStatusText::NotAWatchCode(ToQString(code));
      ShowStatus();
      return;
  }
  SaveWatchLists();
  if (lists.Count() != before) ViewPanel->show();  // a first list was made
  if (view_ == WatchListView(list)) ShowListRows();
  RefreshFigures();
}

void TfrmMain::RemoveFromWatchList() {
  const TStock* stock = SelectedStock();
  if (stock == nullptr || view_.Kind != TViewKind::vkWatchList) return;
  if (!folder_.WatchLists().RemoveCode(view_.Index, TrimView(stock->Payload.Code()))) return;
  SaveWatchLists();
  ShowListRows();
  RefreshFigures();
}

void TfrmMain::MoveInWatchList(TMoveDirection direction) {
  const TStock* stock = SelectedStock();
  if (stock == nullptr || view_.Kind != TViewKind::vkWatchList) return;
  if (!folder_.WatchLists().MoveCode(view_.Index, TrimView(stock->Payload.Code()), direction)) return;
  SaveWatchLists();
  ShowListRows();
  RefreshFigures();
}

void TfrmMain::IndexRows() {
  gridRowOf_.clear();
  for (int row = 1; row < GRID->RowCount(); ++row) {
    if (const TObject* stock = GRID->Objects(0, row)) gridRowOf_[stock] = row;
  }
}

void TfrmMain::ShowStatus() {
  const std::vector<TView> views = ViewCatalogue(folder_.WatchLists());
  const auto at = std::find(views.begin(), views.end(), view_);
  const TBoardSummary summary = at != views.end() && figures_.size() == views.size()
                                    ? figures_[static_cast<std::size_t>(at - views.begin())].Counts
                                    : TBoardSummary();
  StatusSummary->setText(
      TStatusText::Summary(summary, QString::fromStdString(ViewNameUtf8(view_, folder_.WatchLists()))));
  QStringList notes;
  const TNoSave noSave = folder_.SavePolicy();
  if (const QString text = TErrorText::WillNotSave(noSave, folder_.Paths()); !text.isEmpty()) notes << text;
  const TOpenReport& opened = folder_.OpenReport();
  if (opened.QuoteFile.NotQuotes > 0 && noSave.Reason != TNoSave::TReason::NotQuotes && importNote_.isEmpty())
    notes << TErrorText::NotQuotes(opened.QuoteFile.NotQuotes, folder_.Paths().QuoteFile);
  if (opened.Import && !opened.Import->EmptyPages.empty() && importNote_.isEmpty())
    notes << TStatusText::EmptyPages(opened.Import->EmptyPages.size());
  if (!importNote_.isEmpty()) notes << importNote_;
  if (!historyNote_.isEmpty()) notes << historyNote_;
  StatusNote->setText(notes.join("   "));
  StatusNote->setVisible(!notes.isEmpty());
  ShowEmptyHint();
}

void TfrmMain::ShowEmptyHint() {
  const bool empty = folder_.StockList().Count() == 0 && !startupError_;
  if (empty) {
    EmptyHint->setText(TStatusText::EmptyBoard(
        QDir::cleanPath(QDir::current().absoluteFilePath(QString::fromStdString(folder_.Paths().Source)))));
    EmptyHint->setGeometry(GRID->View()->viewport()->rect());
  }
  EmptyHint->setVisible(empty);
}

void TfrmMain::ReadPages1Click() { ApplyPages(folder_.ReadPages(CurrentDate()), TimeNow()); }

void TfrmMain::AutoUpdate1Click() {
  if (AutoUpdate1->isChecked()) {
    follower_->Start();
  } else {
    follower_->Stop();
  }
}

void TfrmMain::ApplyPages(std::vector<TPageRead> pages, const QString& when) {
  TStoreChanges changes;
  const TImportReport report = folder_.ImportPages(std::move(pages), &changes);
  const std::int64_t now = NowMs();
  for (const TStoreChanges::TUpdated& updated : changes.Updated) marks_.Mark(*updated.Stock, updated.Before, now);
  ShowStoreChanges(changes);
  if (!marks_.Empty() && !marksTimer_.isActive())
    marksTimer_.start(static_cast<int>(std::max<std::int64_t>(0, marks_.NextExpiry() - now)));
  importNote_ = TStatusText::PagesRead(when, changes, report);
  ShowStatus();
  figuresTimer_.start(0);  // the views' figures once the event loop runs: updates coming together count once
}

void TfrmMain::ExpireMarks() {
  const std::int64_t now = NowMs();
  for (const TStock* stock : marks_.Expire(now)) {
    if (const auto it = gridRowOf_.find(stock); it != gridRowOf_.end()) GRID->RowsChanged(it->second, it->second);
  }
  if (!marks_.Empty()) marksTimer_.start(static_cast<int>(std::max<std::int64_t>(0, marks_.NextExpiry() - now)));
}

void TfrmMain::ShowStoreChanges(const TStoreChanges& changes) {
  TGridView& view = *GRID->View();
  TGridModel& model = GRID->Model();
  // The stock at the top of the view stays there.
  const int topRow = view.rowAt(0);
  const TObject* top = topRow >= 0 ? GRID->Objects(0, model.GridRow(topRow)) : nullptr;

  if (!changes.Added.empty()) {
    TViewRows fresh = ViewStocks(folder_.StockList(), view_, folder_.WatchLists());
    if (GRID->Objects(0, 1) == nullptr || view_.Kind == TViewKind::vkWatchList) {
      // An empty board is filled anew; a watch list keeps its rows, whose
      // placeholders may now be stocks.
      std::swap(rows_, fresh);
      if (GRID->Objects(0, 1) == nullptr) {
        GRID->BeginUpdate();
        FillGridObjects();
        FillGridRows();
        GRID->EndUpdate();
        if (!rows_.Stocks.empty()) view.selectRow(0);
      } else {
        for (std::size_t i = 0; i < rows_.Stocks.size(); ++i) {
          if (rows_.Stocks[i] == fresh.Stocks[i]) continue;
          GRID->SetObjects(0, static_cast<int>(i) + 1, rows_.Stocks[i]);
          GRID->ShowObjectTexts(static_cast<int>(i) + 1);
        }
      }
    } else {
      // The view's rows follow the store's key order: a new stock goes to
      // its place among them, runs of neighbours at once.
      const std::vector<TStock*>& was = rows_.Stocks;
      std::size_t kept = 0;
      for (std::size_t row = 0; row < fresh.Stocks.size();) {
        if (kept < was.size() && fresh.Stocks[row] == was[kept]) {
          ++kept;
          ++row;
          continue;
        }
        std::vector<TObject*> objects;
        const std::size_t first = row;
        while (row < fresh.Stocks.size() && (kept >= was.size() || fresh.Stocks[row] != was[kept]))
          objects.push_back(fresh.Stocks[row++]);
        GRID->InsertRows(static_cast<int>(first) + 1, objects);
      }
      rows_ = std::move(fresh);
    }
    IndexRows();
  }
  for (const TStoreChanges::TUpdated& updated : changes.Updated) {
    if (const auto it = gridRowOf_.find(updated.Stock); it != gridRowOf_.end())
      GRID->RowsChanged(it->second, it->second);
  }
  model.Resort();
  if (top != nullptr) {
    if (const auto it = gridRowOf_.find(top); it != gridRowOf_.end())
      view.verticalScrollBar()->setValue(model.ModelRow(it->second));
  }
}

void TfrmMain::FindNext(bool backwards, bool fromCurrent) {
  const QString query = FindBar->Query()->text();
  if (query.isEmpty()) {
    if (!fromCurrent) FindBar->Open();
    FindBar->Note()->clear();
    return;
  }
  const std::string big5 = Utf8ToBig5(query.toStdString());
  const TGridModel& model = GRID->Model();
  const int rows = model.rowCount();
  const int current = GRID->View()->currentIndex().isValid() ? GRID->View()->currentIndex().row() : -1;
  for (int step = fromCurrent ? 0 : 1; step <= rows; ++step) {
    const int row = ((backwards ? current - step : current + step) % rows + rows) % rows;
    if (!StockMatches(*GRID, model.GridRow(row), big5)) continue;
    const QModelIndex index = model.index(row, 0);
    GRID->View()->setCurrentIndex(index);
    GRID->View()->selectRow(row);
    GRID->View()->scrollTo(index, QAbstractItemView::PositionAtCenter);
    FindBar->Note()->clear();
    return;
  }
  FindBar->Note()->setText(TStatusText::NoMatch());
}

void TfrmMain::SortByColumn(int col) {
  const TGridColumn* column = ColumnAt(col);
  if (column == nullptr) return;
  sortClicks_ = col == sortColumn_ ? (sortClicks_ + 1) % 3 : 1;
  sortColumn_ = col;
  QHeaderView* header = GRID->View()->horizontalHeader();
  if (sortClicks_ == 0) {
    GRID->Model().SortBy(col, std::nullopt);
    header->setSortIndicatorShown(false);
  } else {
    // Numbers first from the largest, texts from the smallest.
    const bool firstDescending = column->Kind == TColumnKind::Number;
    const bool descending = (sortClicks_ == 1) == firstDescending;
    GRID->Model().SortBy(col, descending ? TSortDirection::Descending : TSortDirection::Ascending);
    header->setSortIndicator(col, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    header->setSortIndicatorShown(true);
  }
  // The first rows are what a user sorts for; the selection stays on its stock.
  GRID->View()->scrollToTop();
}

TNoSave TfrmMain::FormDestroy() {
  if (destroyed_) return {.Reason = TNoSave::TReason::Viewer};
  destroyed_ = true;
  follower_.reset();  // no page comes in any more
  ChartWindow.reset();
  historyReader_.reset();
  folder_.CloseHistory();  // its thread calls this window no more
  marksTimer_.stop();
  marks_.Clear();
  GRID->View()->SetOnDrawCell(nullptr);
  GRID->SetRowCount(0);  // the rows point to stocks about to be freed with the folder
  gridRowOf_.clear();
  rows_ = {};
  return folder_.Save();
}

void TfrmMain::FormResize() {
  FitColumnWidths(*GRID);
  FitGridFont(*GRID, kFontRatio);
}

void TfrmMain::FillGridObjects() {
  // The view's stocks, in its order: for 全部 the whole store in key order.
  const std::vector<TStock*>& stocks = rows_.Stocks;
  if (stocks.empty()) {
    GRID->SetRowCount(2);
    GRID->SetObjects(0, 1, nullptr);
    return;
  }
  GRID->SetRowCount(static_cast<int>(stocks.size()) + 1);
  for (std::size_t i = 0; i < stocks.size(); ++i) GRID->SetObjects(0, static_cast<int>(i) + 1, stocks[i]);
}

void TfrmMain::FillGridRows() {
  for (int row = 1; row < GRID->RowCount(); ++row) FillGridRow(row);
}

void TfrmMain::FillGridRow(int row) {
  if (row <= 0 || row >= GRID->RowCount()) return;
  if (RowStock(*GRID, row) == nullptr) return;
  // The row shows the texts of the column table for its stock, made when
  // they are read.
  GRID->ShowObjectTexts(row);
}

void TfrmMain::N1Click() {
  DecimalUnderline = N1->isChecked();
  GRID->Invalidate();
}

void TfrmMain::GRIDDrawCell(TCanvas& canvas, int col, int row, const TRect& rect) {
  DrawGridCell(canvas, *GRID, col, row, rect);
  DrawCellMarks(canvas, *GRID, col, row, rect, marks_, NowMs());
}

}  // namespace kivrel
