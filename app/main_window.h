#pragma once
// The program's one window: the quote store, the grid showing it and the
// menu switch for the decimal-underline mode.

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <string>

#include "app/string_grid_view.h"
#include "core/lists/list_functions.h"
#include "core/lists/split_list.h"

namespace kivrel {

// Paths under the working folder.
inline constexpr const char* kDataDir = "DATA";
inline constexpr const char* kSourceDir = "DATA/SOURCE";
inline constexpr const char* kQuoteFile = "DATA/STOCK.LST";

class TfrmMain final : public QMainWindow {
 public:
  // Runs FormCreate. An error that stops start-up is kept (StartupError) for
  // the caller to show; the window opens all the same.
  explicit TfrmMain(QWidget* parent = nullptr);
  // Runs FormDestroy when the owner has not; errors go to standard error.
  ~TfrmMain() override;

  // Saves the store to the quote file (unless reading it failed at start-up)
  // and frees it. Runs once; a save error propagates.
  void FormDestroy();

  const std::string& StartupError() const { return startupError_; }  // Big5, empty when none

  void FormResize();
  void FillGridObjects();
  void FillGridRows();
  void FillGridRow(int row);
  // The menu item's handler: the item has inverted its check mark; the mode
  // follows it and every cell is painted again.
  void N1Click();
  void GRIDDrawCell(TCanvas& canvas, int col, int row, const TRect& rect);

  TQtStringGrid* GRID = nullptr;
  QMenuBar* MainMenu1 = nullptr;
  QMenu* Setup1 = nullptr;
  QAction* N1 = nullptr;

  const TStringList* Stocks() const { return StockList.get(); }

 private:
  void FormCreate();
  void WindowSetUp();
  void ImportSourcePages();

  ISplitStrListPtr ListedCategories;
  ISplitStrListPtr OtcCategories;
  TStringListPtr StockList;
  ISplitStrListPtr ColumnTitles;

  std::string startupError_;
  bool saveOnExit_ = true;  // false once reading an existing quote file failed
  bool destroyed_ = false;
};

}  // namespace kivrel
