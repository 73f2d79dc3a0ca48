#include "app/main_window.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWindow>

#include <iostream>

#include "app/big5_qt.h"
#include "app/error_text.h"
#include "core/draw/cell_text.h"
#include "core/grid/board_summary.h"
#include "core/grid/grid_cell.h"
#include "core/grid/grid_columns.h"
#include "core/grid/grid_fit.h"
#include "core/grid/row_order.h"
#include "core/page/page_import.h"
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"

namespace kivrel {
namespace {

// The window as designed: position and size when restored, 15 columns and
// 28 rows before start-up sizes the grid to the store.
constexpr int kDesignLeft = 207;
constexpr int kDesignTop = 146;
constexpr int kDesignWidth = 570;
constexpr int kDesignHeight = 376;
constexpr int kDesignRowCount = 28;
constexpr int kDesignFontHeight = -11;
constexpr float kFontRatio = 3.5F;

}  // namespace

TfrmMain::TfrmMain(const TWindowOptions& options, QWidget* parent) : QMainWindow(parent), reimport_(options.Reimport) {
  setWindowTitle(ToQString(kCaption));
  SetDesignFrame();

  MainMenu1 = menuBar();
  Setup1 = MainMenu1->addMenu(ToQString(kSetupMenuCaption));
  N1 = Setup1->addAction(ToQString(kDecimalUnderlineMenuCaption));
  N1->setCheckable(true);
  N1->setChecked(false);
  // The captions carry no hot keys; Ctrl+U switches the mode, shown beside
  // its caption, and F10 opens the menu.
  N1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
  connect(N1, &QAction::triggered, this, [this] { N1Click(); });

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
  Summary = new QLabel(this);
  statusBar()->addWidget(Summary, 1);
  if (options.WatchGridModel) options.WatchGridModel(GRID->Model());

  const auto shortcut = [this](QKeySequence keys, auto handler) {
    auto* action = new QAction(this);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
    addAction(action);
  };
  shortcut(Qt::Key_F10, [this] { MainMenu1->setActiveAction(Setup1->menuAction()); });
  shortcut(QKeySequence::Find, [this] { FindBar->Open(); });
  shortcut(Qt::Key_F3, [this] { FindNext(false); });
  shortcut(Qt::SHIFT | Qt::Key_F3, [this] { FindNext(true); });
  connect(FindBar, &TFindBar::FindNext, this, [this] { FindNext(false); });
  connect(FindBar, &TFindBar::Closed, GRID->View(), [this] { GRID->View()->setFocus(); });
  connect(GRID->View()->horizontalHeader(), &QHeaderView::sectionClicked, this, &TfrmMain::SortByColumn);

  DecimalUnderline = false;
  try {
    FormCreate();
  } catch (...) {
    startupError_ = std::current_exception();
  }
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

TfrmMain::~TfrmMain() {
  try {
    FormDestroy();
  } catch (const std::exception& e) {
    std::cerr << "kivrel: " << e.what() << '\n';
  }
}

void TfrmMain::FormCreate() {
  if (!DirectoryExists(kDataDir)) CreateDirectory(kDataDir);
  if (!DirectoryExists(kSourceDir)) CreateDirectory(kSourceDir);
  lock_ = std::make_unique<TFileLock>(kLockFile);
  secondBoard_ = lock_->Busy();
  if (!secondBoard_) RemoveStaleTemporaryFiles(kQuoteFile);
  ListedCategories = NewSplitStrList(kListedCategoriesText);
  OtcCategories = NewSplitStrList(kOtcCategoriesText);
  StockList = NewStockList();
  quoteFileStamp_ = StampOf(kQuoteFile);
  if (PathExists(kQuoteFile) && !reimport_) {
    try {
      LoadStockFile(*StockList, kQuoteFile);
    } catch (...) {
      saveOnExit_ = false;  // never overwrite a quote file that could not be read
      throw;
    }
  } else {
    ImportSourcePages();
  }
  WindowSetUp();
}

void TfrmMain::ImportSourcePages() {
  kivrel::ImportSourcePages(*StockList, ListedCategories->GetList(), OtcCategories->GetList(), kSourceDir,
                            CurrentDate(), [this](const FileError& skipped) { skippedPages_.push_back(skipped); });
}

void TfrmMain::WindowSetUp() {
  setWindowState(windowState() | Qt::WindowMaximized);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int screenHeight = screen != nullptr ? screen->geometry().height() : 768;
  // The whole fill reaches the view as one reset.
  GRID->BeginUpdate();
  GRID->SetRowCount(screenHeight / 24 - 1);
  FormResize();
  FillGridObjects();
  FillGridRows();
  GRID->EndUpdate();
  ShowSummary();
}

void TfrmMain::ShowSummary() { Summary->setText(TMessages::Summary(SummarizeBoard(*GRID))); }

void TfrmMain::FindNext(bool backwards) {
  const QString query = FindBar->Query()->text();
  if (query.isEmpty()) {
    FindBar->Open();
    return;
  }
  const std::string big5 = Utf8ToBig5(query.toStdString());
  const TGridModel& model = GRID->Model();
  const int rows = model.rowCount();
  const int current = GRID->View()->currentIndex().isValid() ? GRID->View()->currentIndex().row() : -1;
  for (int step = 1; step <= rows; ++step) {
    const int row = ((backwards ? current - step : current + step) % rows + rows) % rows;
    if (!StockMatches(*GRID, model.GridRow(row), big5)) continue;
    const QModelIndex index = model.index(row, 0);
    GRID->View()->setCurrentIndex(index);
    GRID->View()->selectRow(row);
    GRID->View()->scrollTo(index, QAbstractItemView::EnsureVisible);
    FindBar->Note()->clear();
    return;
  }
  FindBar->Note()->setText(TMessages::NoMatch());
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
    return;
  }
  // Numbers first from the largest, texts from the smallest.
  const bool firstDescending = column->Kind == TColumnKind::Number;
  const bool descending = (sortClicks_ == 1) == firstDescending;
  GRID->Model().SortBy(col, descending ? TSortDirection::Descending : TSortDirection::Ascending);
  header->setSortIndicator(col, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  header->setSortIndicatorShown(true);
}

void TfrmMain::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  GRID->View()->SetOnDrawCell(nullptr);
  GRID->SetRowCount(0);                              // the rows point to stocks about to be freed
  const TStockListPtr store = std::move(StockList);  // freed with its stocks however this ends
  if (!store || !saveOnExit_ || secondBoard_) return;
  SaveStockFile(*store, kQuoteFile, RealFileSystem(), &quoteFileStamp_);
}

void TfrmMain::FormResize() {
  FitColumnWidths(*GRID);
  FitGridFont(*GRID, kFontRatio);
}

void TfrmMain::FillGridObjects() {
  if (StockList->Count() == 0) {
    GRID->SetRowCount(2);
    GRID->SetObjects(0, 1, nullptr);
    return;
  }
  GRID->SetRowCount(StockList->Count() + 1);
  for (int i = 0; i < StockList->Count(); ++i) {
    if (TObject* stock = StockList->Objects(i)) GRID->SetObjects(0, i + 1, stock);
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
}

}  // namespace kivrel
