#pragma once
// The widget of GRID: a table view of the grid's model whose every cell,
// titles included, is painted by the owner-draw hook. The titles are the
// horizontal header, so they stay in view while the data rows scroll.

#include <QTableView>

#include "app/cell_painter.h"

namespace kivrel {

class TGridView final : public QTableView {
  Q_OBJECT

 public:
  TGridView(const TStringGrid& grid, QWidget* parent = nullptr);

  void SetOnDrawCell(TDrawCellHook hook) { painter_.SetHook(std::move(hook)); }

  // Every column `colWidth` and every row `rowHeight` pixels wide, inside
  // one-pixel grid lines.
  void ApplyLayout(int colWidth, int rowHeight);
  // The colour of the frame that marks the selected row: the selection blue
  // of Qt's light palette, plain to see on every cell colour.
  static QColor SelectionColor();
  // The selected rows as tab-separated lines of the cells' Unicode texts,
  // as a spreadsheet takes them (the model's CopyTextRole).
  QString SelectedRowsText() const;
  // Typing jumps to the next stock whose code starts with what was typed,
  // whichever cell of the row is current.
  void keyboardSearch(const QString& search) override;
  // The grid may be made as small as the window allows, down to nothing.
  QSize minimumSizeHint() const override { return {0, 0}; }

 signals:
  // After every change of the view's size.
  void Resized();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // Cells, then a frame around the selected row.
  void paintEvent(QPaintEvent* event) override;
  // The frame reaches past the row: that is repainted too.
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Scrolled to the end, the rows still start whole under the titles (Qt
  // would align the last row with the bottom edge and cut the first one).
  void scrollContentsBy(int dx, int dy) override;
  void updateGeometries() override;
  // Rows are selected whole, so Home and End go to the first and last row.
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

 private:
  void KeepTopRowWhole();

  TCellPainter painter_;
};

}  // namespace kivrel
