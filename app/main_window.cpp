#include "app/main_window.h"

#include <QGuiApplication>
#include <QScreen>

#include <iostream>

#include "app/big5_qt.h"
#include "core/draw/cell_text.h"
#include "core/grid/grid_cell.h"
#include "core/grid/grid_columns.h"
#include "core/grid/grid_fit.h"
#include "core/page/page_import.h"
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

TfrmMain::TfrmMain(const TWindowOptions& options, QWidget* parent)
    : QMainWindow(parent), reimport_(options.Reimport) {
  setWindowTitle(ToQString(kCaption));
  setGeometry(kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight);
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);

  MainMenu1 = menuBar();
  Setup1 = MainMenu1->addMenu(ToQString(kSetupMenuCaption));
  N1 = Setup1->addAction(ToQString(kDecimalUnderlineMenuCaption));
  N1->setCheckable(true);
  N1->setChecked(false);
  connect(N1, &QAction::triggered, this, [this] { N1Click(); });

  GRID = std::make_unique<TQtStringGrid>(kGridColumnCount, kDesignRowCount, this);
  GRID->SetFontName(std::string(kChineseFontName));
  GRID->SetFontHeight(kDesignFontHeight);
  GRID->SetObjectText(&StockColumnText);
  GRID->View()->SetOnDrawCell(
      [this](TCanvas& canvas, int col, int row, const TRect& rect) { GRIDDrawCell(canvas, col, row, rect); });
  setCentralWidget(GRID->View());
  if (options.WatchGridModel) options.WatchGridModel(GRID->Model());

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
}

void TfrmMain::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  GRID->View()->SetOnDrawCell(nullptr);
  GRID->SetRowCount(0);  // the rows point to stocks about to be freed
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
