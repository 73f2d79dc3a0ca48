#pragma once
// The panel at the left of the grid: every view of the board (全部, the
// watch lists, 上市 and 上櫃 with their categories) with its number of
// stocks, how many are up and down, and a category's average change in
// the board's up and down colours. A click, or Enter on the entry the
// arrow keys reached, chooses a view; the context menu makes, renames and
// deletes watch lists.

#include <QMenu>
#include <QTreeWidget>

#include <memory>
#include <optional>
#include <vector>

#include "core/views/view_stocks.h"

namespace kivrel {

class TViewPanel : public QTreeWidget {
  Q_OBJECT

 public:
  enum Column { colName, colStocks, colUp, colDown, colAverage, colCount };

  // The panel edits `lists`, which must outlive it.
  explicit TViewPanel(TWatchLists& lists, QWidget* parent = nullptr);

  // Shows the figures, parallel to ViewCatalogue(lists) (SummarizeViews);
  // figures of another length leave the numbers empty. The chosen entry,
  // the current one and the open branches stay as they are.
  void Refresh(const std::vector<TViewSummary>& summaries);

  const TView& Chosen() const { return chosen_; }
  // Marks the view's entry as chosen, makes a watch list the one Insert adds
  // to, and emits ViewChosen.
  void Choose(const TView& view);

  // The context menu for the entry at `item` (nullptr: none): "New list"
  // always, "Rename" and "Delete" on a watch list.
  std::unique_ptr<QMenu> ContextMenu(QTreeWidgetItem* item);
  // The menu's actions. Each asks first, and on a change emits ListsChanged.
  void CreateList();
  void RenameList(int list);
  void DeleteList(int list);

  // The view of an entry of the panel.
  TView ViewOf(const QTreeWidgetItem* item) const;
  QTreeWidgetItem* ItemOf(const TView& view) const;

  // Wide enough for every figure and for names of six Chinese characters
  // (水泥, 自選股, 電子零組件); longer names are cut, their tooltip whole.
  QSize sizeHint() const override;

 signals:
  void ViewChosen(kivrel::TView view);
  // A list was made, renamed or deleted: time to save the file and refresh.
  void ListsChanged();

 protected:
  // The dialogs, in the user's language; tests answer them instead.
  virtual std::optional<QString> AskListName(const QString& title, const QString& name);
  virtual bool ConfirmDelete(const QString& question);
  virtual void Warn(const QString& message);

  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Items anew when the catalogue changed, otherwise only their texts.
  void Rebuild();
  void ShowFigures(QTreeWidgetItem* item, const TViewSummary* summary);
  void MarkChosen();
  // A name the user gives, checked; nullopt when cancelled or refused.
  std::optional<std::string> AskName(const QString& title, int renaming);

  TWatchLists& lists_;
  std::vector<TView> views_;  // item i's view: the item's data in colName
  std::vector<TViewSummary> summaries_;
  TView chosen_;
};

}  // namespace kivrel
