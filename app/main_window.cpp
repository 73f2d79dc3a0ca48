#include "app/main_window.h"

#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
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
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"

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
    : QMainWindow(parent), folder_({.Reimport = options.Reimport, .Viewer = options.Viewer}) {
  setWindowTitle(ToQString(kCaption));
  SetDesignFrame();
  CreateMenu();
  CreateGrid(options);

  follower_ = std::make_unique<TPageFollower>(folder_);
  connect(follower_.get(), &TPageFollower::PagesRead, this,
          [this](const TPageBatch& pages) { ApplyPages(std::move(*pages), TimeNow()); });
  marksTimer_.setSingleShot(true);
  connect(&marksTimer_, &QTimer::timeout, this, &TfrmMain::ExpireMarks);

  DecimalUnderline = false;
  try {
    FormCreate();
  } catch (...) {
    startupError_ = std::current_exception();
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
}

void TfrmMain::CreateGrid(const TWindowOptions& options) {
  GRID = std::make_unique<TQtStringGrid>(kGridColumnCount, kDesignRowCount, this);
  GRID->SetFontName(std::string(kChineseFontName));
  GRID->SetFontHeight(kDesignFontHeight);
  GRID->SetObjectText(&StockColumnText);
  GRID->View()->SetOnDrawCell(
      [this](TCanvas& canvas, int col, int row, const TRect& rect) { GRIDDrawCell(canvas, col, row, rect); });
  auto* centre = new QWidget(this);
  auto* layout = new QVBoxLayout(centre);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(GRID->View(), 1);
  FindBar = new TFindBar(centre);
  layout->addWidget(FindBar);
  setCentralWidget(centre);
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
  GRID->BeginUpdate();
  GRID->SetRowCount(screenHeight / kScreenPixelsPerRow - 1);
  FormResize();
  FillGridObjects();
  FillGridRows();
  GRID->EndUpdate();
  IndexRows();
  if (folder_.StockList().Count() > 0) GRID->View()->selectRow(0);
  ShowStatus();
}

void TfrmMain::IndexRows() {
  gridRowOf_.clear();
  for (int row = 1; row < GRID->RowCount(); ++row) {
    if (const TObject* stock = GRID->Objects(0, row)) gridRowOf_[stock] = row;
  }
}

void TfrmMain::ShowStatus() {
  StatusSummary->setText(TStatusText::Summary(SummarizeBoard(*GRID)));
  QStringList notes;
  const TNoSave noSave = folder_.SavePolicy();
  if (const QString text = TErrorText::WillNotSave(noSave, folder_.Paths()); !text.isEmpty()) notes << text;
  const TOpenReport& opened = folder_.OpenReport();
  if (opened.QuoteFile.NotQuotes > 0 && noSave.Reason != TNoSave::TReason::NotQuotes && importNote_.isEmpty())
    notes << TErrorText::NotQuotes(opened.QuoteFile.NotQuotes, folder_.Paths().QuoteFile);
  if (opened.Import && !opened.Import->EmptyPages.empty() && importNote_.isEmpty())
    notes << TStatusText::EmptyPages(opened.Import->EmptyPages.size());
  if (!importNote_.isEmpty()) notes << importNote_;
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

  const TStringList& store = folder_.StockList();
  if (!changes.Added.empty()) {
    if (GRID->Objects(0, 1) == nullptr) {
      // The board was empty: it is filled anew.
      GRID->BeginUpdate();
      FillGridObjects();
      FillGridRows();
      GRID->EndUpdate();
      if (store.Count() > 0) view.selectRow(0);
    } else {
      // Rows follow the store's key order: each new stock goes to the row of
      // its index, taken in key order, runs of neighbours at once.
      std::vector<int> indexes;
      for (const TStock* stock : changes.Added) {
        int index = 0;
        if (store.Find(stock->GetKey(), index)) indexes.push_back(index);
      }
      std::sort(indexes.begin(), indexes.end());
      for (std::size_t run = 0; run < indexes.size();) {
        std::size_t end = run + 1;
        while (end < indexes.size() && indexes[end] == indexes[end - 1] + 1) ++end;
        std::vector<TObject*> objects;
        for (std::size_t i = run; i < end; ++i) objects.push_back(store.Objects(indexes[i]));
        GRID->InsertRows(indexes[run] + 1, objects);
        run = end;
      }
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
  marksTimer_.stop();
  marks_.Clear();
  GRID->View()->SetOnDrawCell(nullptr);
  GRID->SetRowCount(0);  // the rows point to stocks about to be freed with the folder
  gridRowOf_.clear();
  return folder_.Save();
}

void TfrmMain::FormResize() {
  FitColumnWidths(*GRID);
  FitGridFont(*GRID, kFontRatio);
}

void TfrmMain::FillGridObjects() {
  const TStringList& store = folder_.StockList();
  if (store.Count() == 0) {
    GRID->SetRowCount(2);
    GRID->SetObjects(0, 1, nullptr);
    return;
  }
  GRID->SetRowCount(store.Count() + 1);
  for (int i = 0; i < store.Count(); ++i) {
    if (TObject* stock = store.Objects(i)) GRID->SetObjects(0, i + 1, stock);
  }
}

void TfrmMain::FillGridRows() {
  for (int row = 1; row < GRID->RowCount(); ++row) FillGridRow(row);
}

void TfrmMain::FillGridRow(int row) {
  if (row <= 0 || row >= GRID->RowCount()) return;
  if (dynamic_cast<const TStock*>(GRID->Objects(0, row)) == nullptr) return;
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
