#pragma once
// The string grid as a Qt table model. Model row r is grid row r + 1: grid
// row 0, the titles, is the horizontal header. The model reads the grid and
// the cell decisions the painting uses; it never holds a view. The grid's
// face (TQtStringGrid) tells it of every change, and it passes each on as
// the signals Qt's views and tools expect.

#include <QAbstractTableModel>

#include "core/grid/string_grid.h"

namespace kivrel {

class TGridModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The grid row of an index, also through a proxy model in between.
  static constexpr int GridRowRole = Qt::UserRole + 1;

  explicit TGridModel(const TStringGrid& grid, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  // Display: the cell text; AccessibleText: the text as drawn, limit mark
  // included; TextAlignment, Foreground and Background as the cell is drawn.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Announcements of the grid's face, in grid rows.
  void RowCountChanging(int oldGridRows, int newGridRows);
  void RowCountChanged();
  void CellsChanged(int firstCol, int lastCol, int firstGridRow, int lastGridRow);
  void ResetBegun() { beginResetModel(); }
  void ResetEnded() { endResetModel(); }

 private:
  const TStringGrid& grid_;
  enum class Pending { None, Insert, Remove } pending_ = Pending::None;
};

}  // namespace kivrel
