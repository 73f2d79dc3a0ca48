#include "app/main_window.h"

#include <QGuiApplication>
#include <QScreen>

#include <iostream>

#include "app/big5_qt.h"
#include "core/draw/grid_cell.h"
#include "core/draw/cell_text.h"
#include "core/grid/grid_fit.h"
#include "core/grid/stock_cells.h"
#include "core/io/file_io.h"
#include "core/page/page_import.h"
#include "core/store/stock_store.h"
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

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
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

  GRID = new TQtStringGrid(kGridColumns, kDesignRowCount, this);
  GRID->SetFontName(std::string(kChineseFontName));
  GRID->SetFontHeight(kDesignFontHeight);
  GRID->SetOnDrawCell([this](TCanvas& canvas, int col, int row, const TRect& rect) {
    GRIDDrawCell(canvas, col, row, rect);
  });
  GRID->SetTitleText([this](int col) {
    return ColumnTitles && col < ColumnTitles->GetList().Count() ? ColumnTitles->GetList().Strings(col) : std::string();
  });
  setCentralWidget(GRID);

  DecimalUnderline = false;
  try {
    FormCreate();
  } catch (const std::exception& e) {
    startupError_ = e.what();
  }
  // From here on every size change refits the columns and the font.
  GRID->SetOnResize([this] { FormResize(); });
  FormResize();
}

TfrmMain::~TfrmMain() {
  // The grid outlives these members while QWidget tears the window down.
  GRID->SetOnResize(nullptr);
  GRID->SetTitleText(nullptr);
  try {
    FormDestroy();
  } catch (const std::exception& e) {
    std::cerr << "kivrel: " << Big5ToUtf8(e.what()) << '\n';
  }
}

void TfrmMain::FormCreate() {
  if (!DirectoryExists(kDataDir)) CreateDirectory(kDataDir);
  if (!DirectoryExists(kSourceDir)) CreateDirectory(kSourceDir);
  ListedCategories = NewSplitStrList(kListedCategoriesText);
  OtcCategories = NewSplitStrList(kOtcCategoriesText);
  ColumnTitles = NewSplitStrList(kColumnTitlesText);
  StockList = NewStringList(true);
  if (PathExists(kQuoteFile)) {
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
  kivrel::ImportSourcePages(*StockList, ListedCategories->GetList(), OtcCategories->GetList(), kSourceDir);
}

void TfrmMain::WindowSetUp() {
  setWindowState(windowState() | Qt::WindowMaximized);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int screenHeight = screen != nullptr ? screen->geometry().height() : 768;
  GRID->SetRowCount(screenHeight / 24 - 1);
  FormResize();
  FillGridObjects();
  FillGridRows();
}

void TfrmMain::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  GRID->SetOnDrawCell(nullptr);
  GRID->SetRowCount(0);  // the rows point to stocks about to be freed
  if (!StockList) return;  // start-up failed before the store existed
  TStringListPtr store = std::move(StockList);
  struct FreeStore {
    TStringListPtr& list;
    ~FreeStore() { FreeStringList(std::move(list), true); }
  } freeStore{store};
  if (saveOnExit_) SaveStockFile(*store, kQuoteFile);
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
  const auto* stock = dynamic_cast<const TStock*>(GRID->Objects(0, row));
  if (stock == nullptr) return;
  for (int col = 0; col < GRID->ColCount(); ++col) GRID->SetCells(col, row, StockCellText(*stock, col));
}

void TfrmMain::N1Click() {
  DecimalUnderline = N1->isChecked();
  GRID->Invalidate();
}

void TfrmMain::GRIDDrawCell(TCanvas& canvas, int col, int row, const TRect& rect) {
  if (!ColumnTitles) {  // start-up failed before the titles existed
    canvas.BrushColor = GRID->Color();
    canvas.FillRect(rect);
    return;
  }
  DrawGridCell(canvas, *GRID, ColumnTitles->GetList(), col, row, rect);
}

}  // namespace kivrel
