#include "app/grid_view.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>

#include "app/grid_delegate.h"
#include "app/qt_canvas.h"

namespace kivrel {
namespace {

// Grid lines take one pixel after each cell, as the cells of a string grid
// are DefaultColWidth by DefaultRowHeight pixels inside their lines.
constexpr int kGridLineWidth = 1;

}  // namespace

TGridView::TGridView(const TStringGrid& grid, QWidget* parent) : QTableView(parent), painter_(grid) {
  setHorizontalHeader(new TGridHeader(painter_, this));
  setItemDelegate(new TGridDelegate(painter_, this));
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setMinimumSectionSize(0);
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(0);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setShowGrid(true);
  setFrameShape(QFrame::NoFrame);
  // Beyond the last row the grid shows its own colour, the button face.
  QPalette face = palette();
  face.setColor(QPalette::Base, TQtCanvas::ToQColor(grid.Color()));
  setPalette(face);
}

void TGridView::ApplyLayout(int colWidth, int rowHeight) {
  const int width = std::max(0, colWidth) + kGridLineWidth;
  horizontalHeader()->setDefaultSectionSize(width);
  for (int col = 0; col < horizontalHeader()->count(); ++col) horizontalHeader()->resizeSection(col, width);
  horizontalHeader()->setFixedHeight(rowHeight + kGridLineWidth);
  verticalHeader()->setDefaultSectionSize(rowHeight + kGridLineWidth);
  viewport()->update();
  horizontalHeader()->viewport()->update();
}

QString TGridView::SelectedRowsText() const {
  QString text;
  if (model() == nullptr) return text;
  for (const QModelIndex& rowIndex : selectionModel()->selectedRows()) {
    QStringList cells;
    for (int col = 0; col < model()->columnCount(); ++col) {
      cells << model()->index(rowIndex.row(), col).data(Qt::DisplayRole).toString();
    }
    text += cells.join('\t') + '\n';
  }
  return text;
}

void TGridView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  emit Resized();
}

QModelIndex TGridView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
  const int rows = model() != nullptr ? model()->rowCount() : 0;
  if ((cursorAction == MoveHome || cursorAction == MoveEnd) && rows > 0) {
    const int column = std::max(0, currentIndex().column());
    return model()->index(cursorAction == MoveHome ? 0 : rows - 1, column);
  }
  return QTableView::moveCursor(cursorAction, modifiers);
}

void TGridView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    QApplication::clipboard()->setText(SelectedRowsText());
    return;
  }
  QTableView::keyPressEvent(event);
}

}  // namespace kivrel
