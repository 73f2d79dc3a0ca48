#pragma once
// The program's one window: the grid showing the quote store of the data
// folder, the menu 設定 with the decimal-underline switch and the reading
// of the pages, the find bar and the status bar.

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTimer>

#include <exception>
#include <functional>
#include <memory>
#include <unordered_map>

#include "app/chart_window.h"
#include "app/find_bar.h"
#include "app/page_follower.h"
#include "app/qt_string_grid.h"
#include "app/view_panel.h"
#include "core/folder/data_folder.h"
#include "core/grid/cell_marks.h"
#include "core/views/view_stocks.h"

namespace kivrel {

struct TWindowOptions {
  // Read the pages even when a quote file exists; the file is replaced at
  // exit when every page was read whole.
  bool Reimport = false;
  // Only look at the data folder (a picture of the board): nothing is
  // created, locked, cleaned or saved.
  bool Viewer = false;
  // Follow the page folder from the start (設定 > 自動更新 checked).
  bool Watch = false;
  // The view to start on, by its name (UTF-8); empty for 全部.
  std::string View{};
  // Trading days whose quotes the history keeps through the day.
  int KeepDays = 20;
  // Called with the grid's model before start-up fills it, so that a model
  // checker sees every change.
  std::function<void(QAbstractItemModel&)> WatchGridModel{};
};

class TfrmMain final : public QMainWindow {
  Q_OBJECT

 public:
  // Runs FormCreate. An error that stops start-up is kept (StartupError) for
  // the caller to show; the window opens all the same.
  explicit TfrmMain(const TWindowOptions& options = {}, QWidget* parent = nullptr);
  // Runs FormDestroy when the owner has not; errors go to standard error.
  ~TfrmMain() override;

  // Saves the store to the quote file when the data folder allows it, then
  // frees it; gives back why nothing was saved (None when it was). Runs
  // once; a save error propagates.
  TNoSave FormDestroy();

  std::exception_ptr StartupError() const { return startupError_; }
  const TDataFolder& DataFolder() const { return folder_; }

  void FormResize();
  void FillGridObjects();
  void FillGridRows();
  void FillGridRow(int row);
  // The menu item's handler: the item has inverted its check mark; the mode
  // follows it and every cell is painted again.
  void N1Click();
  void GRIDDrawCell(TCanvas& canvas, int col, int row, const TRect& rect);
  // F5 and 設定 > 重新讀取頁面: every page into the open store now.
  void ReadPages1Click();
  // 設定 > 自動更新: the check mark turns following the page folder on and off.
  void AutoUpdate1Click();
  // Pages read (by the follower's worker, or by F5) into the open store:
  // what changed is shown and marked, and the status bar says when. The
  // figures of the views follow when the event loop next runs.
  void ApplyPages(std::vector<TPageRead> pages, const QString& when);
  // The grid shows only the view's stocks, in its order.
  void ShowView(const TView& view);
  const TView& View() const { return view_; }
  // The figures of every view, in the panel and (the view shown) in the
  // status bar.
  void RefreshFigures();
  // Insert: the selected stock into the current watch list. Delete: out of
  // the watch list shown. Ctrl+Up and Ctrl+Down: one place up or down in it.
  void AddToWatchList();
  void RemoveFromWatchList();
  void MoveInWatchList(TMoveDirection direction);
  // Enter or a double click: the chart window of the selected stock.
  void OpenChart();

  std::unique_ptr<TQtStringGrid> GRID;
  QMenuBar* MainMenu1 = nullptr;
  QMenu* Setup1 = nullptr;
  QAction* N1 = nullptr;
  QAction* ReadPages1 = nullptr;
  QAction* AutoUpdate1 = nullptr;

  // Beyond the grid: the find bar (Ctrl+F; F3 and Shift+F3 find the next and
  // previous match), the status bar with the summary and a note (why the
  // quotes will not be saved, what the last reading of the pages found), and
  // the hint an empty board gives.
  TFindBar* FindBar = nullptr;
  TViewPanel* ViewPanel = nullptr;            // F9 shows and hides it
  std::unique_ptr<TChartWindow> ChartWindow;  // made at its first use, then reused
  QLabel* StatusSummary = nullptr;
  QLabel* StatusNote = nullptr;
  QLabel* EmptyHint = nullptr;
  // Goes to the next (or previous) row matching the find bar's text, in the
  // order shown, wrapping around; the note says when nothing matches. With
  // `fromCurrent`, the current row itself may be the match (typing).
  void FindNext(bool backwards, bool fromCurrent = false);
  // A click on a column title: sorted descending for numbers and ascending
  // for texts, then the other way, then the store's order again; the view
  // shows the top of the new order.
  void SortByColumn(int col);

 private:
  void SetDesignFrame();
  void CreateMenu();
  void CreateGrid(const TWindowOptions& options);
  void FormCreate();
  void WindowSetUp();
  void ShowStatus();
  void ShowEmptyHint();
  // Shows the store's changes: new stocks as inserted rows, changed ones as
  // changed rows, marked for a while; the selection, the current row, the
  // first stock in view and a sorted order stay.
  void ShowStoreChanges(const TStoreChanges& changes);
  void IndexRows();
  void ExpireMarks();
  // The view's rows again, after its watch list changed: the selection stays
  // on its stock.
  void ShowListRows();
  void SaveWatchLists();
  const TStock* SelectedStock() const;
  // The charts' connection to the history, opened at its first use.
  THistory* HistoryReader();

  TDataFolder folder_;
  TView view_;
  QSplitter* splitter_ = nullptr;  // the view panel beside the grid and the find bar
  TViewRows rows_;                 // the rows of the view shown, with the placeholders the grid points to
  std::vector<TViewSummary> figures_;
  QTimer figuresTimer_;
  std::unique_ptr<TPageFollower> follower_;
  std::unique_ptr<THistory> historyReader_;  // the charts' own connection, read-only
  QString historyNote_;                      // why the board keeps no history
  TChangeMarks marks_;
  QTimer marksTimer_;
  std::exception_ptr startupError_;
  std::unordered_map<const TObject*, int> gridRowOf_;  // the grid row showing each stock
  QString importNote_;                                 // what the last reading of the pages found
  bool destroyed_ = false;
  int sortColumn_ = -1;
  int sortClicks_ = 0;
};

}  // namespace kivrel
