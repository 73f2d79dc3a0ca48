#pragma once
// The string grid as a Qt table model. Grid row 0, the titles, is the
// horizontal header; the data rows are shown in the grid's order (the store's
// key order) or sorted by a column. The model reads the grid and the cell
// decisions the painting uses; it never holds a view. The grid's face
// (TQtStringGrid) tells it of every change, and it passes each on as the
// signals Qt's views and tools expect.

#include <QAbstractTableModel>

#include <optional>
#include <string>
#include <vector>

#include "core/grid/row_order.h"
#include "core/grid/string_grid.h"

namespace kivrel {

class TGridModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The grid row that a model row shows.
  static constexpr int GridRowRole = Qt::UserRole + 1;
  // The cell's text as a spreadsheet takes it (ColumnValueText): the limit-
  // down price positive where the grid shows it negated.
  static constexpr int CopyTextRole = Qt::UserRole + 2;

  explicit TGridModel(const TStringGrid& grid, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  // Display: the cell text; AccessibleText: the text as drawn, limit mark
  // included; TextAlignment, Foreground and Background as the cell is drawn;
  // ToolTip: for the code and name the stock's name, code, market and
  // category, for other cells the whole text when the cell cuts it.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  int GridRow(int modelRow) const;
  // The model row showing a grid row.
  int ModelRow(int gridRow) const;
  // Shows the rows sorted by column `col`, or, without a direction, in the
  // grid's order again. Views keep their selection on the same stock.
  void SortBy(int col, std::optional<TSortDirection> direction);
  // Sorts again by the same column after values changed; nothing when the
  // rows stand in the grid's order.
  void Resort();

  // Announcements of the grid's face, in grid rows.
  void RowCountChanging(int oldGridRows, int newGridRows);
  void RowCountChanged();
  void RowsInserting(int firstGridRow, int count);
  void RowsInserted(int firstGridRow, int count);
  void CellsChanged(int firstCol, int lastCol, int firstGridRow, int lastGridRow);
  void ResetBegun();
  void ResetEnded() { endResetModel(); }

 private:
  std::string CopyText(int col, int gridRow) const;
  QString ToolTip(int col, int gridRow) const;

  void SetOrder(std::vector<int> order);

  const TStringGrid& grid_;
  std::vector<int> order_;       // model row to grid row; empty: the grid's order
  std::vector<int> modelRowOf_;  // grid row to model row, while sorted
  int sortColumn_ = -1;
  TSortDirection sortDirection_ = TSortDirection::Ascending;
  enum class Pending { None, Insert, Remove, Reset } pending_ = Pending::None;
};

}  // namespace kivrel
