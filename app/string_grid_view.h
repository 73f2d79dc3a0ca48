#pragma once
// GRID: the string grid shown with Qt's model/view. Row 0, the title row, is
// the horizontal header, so it stays visible while the data rows scroll.
// Every cell, titles included, is painted by the owner-draw handler, with
// the canvas font reset to the grid's font before each cell.

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTableView>

#include <functional>
#include <string>

#include "core/grid/string_grid.h"

namespace kivrel {

class TQtStringGrid;

// Forwards the grid's cells to Qt (Unicode texts for screen readers, copying
// and tests); data row r of the model is grid row r + 1.
class TGridModel final : public QAbstractTableModel {
 public:
  explicit TGridModel(TQtStringGrid& grid, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void Reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  TQtStringGrid& grid_;
};

class TQtStringGrid final : public QTableView, public TStringGrid {
 public:
  using DrawCellHandler = std::function<void(TCanvas& canvas, int col, int row, const TRect& rect)>;

  TQtStringGrid(int colCount, int rowCount, QWidget* parent = nullptr);

  void SetOnDrawCell(DrawCellHandler handler) { onDrawCell_ = std::move(handler); }
  void SetOnResize(std::function<void()> handler) { onResize_ = std::move(handler); }
  // Texts the title row shows, for screen readers and copying.
  void SetTitleText(std::function<std::string(int col)> titleText) { titleText_ = std::move(titleText); }
  std::string TitleText(int col) const { return titleText_ ? titleText_(col) : std::string(); }

  int ClientWidth() const override;
  // The grid may be made as small as the window allows, down to nothing.
  QSize minimumSizeHint() const override { return {0, 0}; }
  void Invalidate() override;

  // Paints grid cell (col, row) into `cellRect` of the painter's device.
  void PaintCell(QPainter& painter, int col, int row, const QRect& cellRect) const;
  // The selected data rows as tab-separated lines of UTF-8 text.
  QString SelectedRowsText() const;
  TGridModel& Model() { return model_; }

 protected:
  void RowCountChanged() override;
  void CellChanged(int col, int row) override;
  void LayoutChanged() override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Rows are selected whole, so Home and End go to the first and last row.
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

 private:
  TGridModel model_;
  DrawCellHandler onDrawCell_;
  std::function<void()> onResize_;
  std::function<std::string(int)> titleText_;
};

}  // namespace kivrel
