#pragma once
// The program's one window: the quote store, the grid showing it and the
// menu switch for the decimal-underline mode.

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <exception>
#include <functional>
#include <memory>

#include "app/find_bar.h"
#include "app/qt_string_grid.h"
#include "core/io/file_io.h"
#include "core/lists/split_list.h"
#include "core/store/stock_store.h"

namespace kivrel {

// Paths under the working folder.
inline constexpr const char* kDataDir = "DATA";
inline constexpr const char* kSourceDir = "DATA/SOURCE";
inline constexpr const char* kQuoteFile = "DATA/STOCK.LST";
// Held by the board that owns the data folder.
inline constexpr const char* kLockFile = "DATA/kivrel.lock";

struct TWindowOptions {
  // Read the pages even when a quote file exists; the file is replaced at exit.
  bool Reimport = false;
  // Called with the grid's model before start-up fills it, so that a model
  // checker sees every change.
  std::function<void(QAbstractItemModel&)> WatchGridModel;
};

class TfrmMain final : public QMainWindow {
  Q_OBJECT

 public:
  // Runs FormCreate. An error that stops start-up is kept (StartupError) for
  // the caller to show; the window opens all the same.
  explicit TfrmMain(const TWindowOptions& options = {}, QWidget* parent = nullptr);
  // Runs FormDestroy when the owner has not; errors go to standard error.
  ~TfrmMain() override;

  // Saves the store to the quote file, unless reading it failed at start-up
  // or another board holds the data folder, and frees it. Runs once; a save
  // error propagates.
  void FormDestroy();

  std::exception_ptr StartupError() const { return startupError_; }
  // Another board holds the data folder: this one shows the stored quotes
  // and saves nothing.
  bool SecondBoard() const { return secondBoard_; }
  // Page paths skipped at start-up because they hold no regular file.
  const std::vector<FileError>& SkippedPages() const { return skippedPages_; }

  void FormResize();
  void FillGridObjects();
  void FillGridRows();
  void FillGridRow(int row);
  // The menu item's handler: the item has inverted its check mark; the mode
  // follows it and every cell is painted again.
  void N1Click();
  void GRIDDrawCell(TCanvas& canvas, int col, int row, const TRect& rect);

  std::unique_ptr<TQtStringGrid> GRID;
  QMenuBar* MainMenu1 = nullptr;
  QMenu* Setup1 = nullptr;
  QAction* N1 = nullptr;

  // Beyond the grid: the find bar (Ctrl+F; F3 and Shift+F3 find the next and
  // previous match) and the status bar with the board's summary.
  TFindBar* FindBar = nullptr;
  QLabel* Summary = nullptr;
  // Goes to the next (or previous) row matching the find bar's text, in the
  // order shown, wrapping around; the note says when nothing matches.
  void FindNext(bool backwards);
  // A click on a column title: sorted descending for numbers and ascending
  // for texts, then the other way, then the store's order again.
  void SortByColumn(int col);

  const TStringList* Stocks() const { return StockList.get(); }

 private:
  void SetDesignFrame();
  void ShowSummary();
  void FormCreate();
  void WindowSetUp();
  void ImportSourcePages();

  ISplitStrListPtr ListedCategories;
  ISplitStrListPtr OtcCategories;
  TStockListPtr StockList;

  bool reimport_;
  std::unique_ptr<TFileLock> lock_;
  FileStamp quoteFileStamp_;  // the quote file as start-up found it
  std::vector<FileError> skippedPages_;
  std::exception_ptr startupError_;
  bool saveOnExit_ = true;  // false once reading an existing quote file failed
  bool secondBoard_ = false;
  bool destroyed_ = false;
  int sortColumn_ = -1;
  int sortClicks_ = 0;
};

}  // namespace kivrel
