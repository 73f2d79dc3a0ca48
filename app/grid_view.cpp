#include "app/grid_view.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "app/grid_delegate.h"
#include "app/grid_header.h"
#include "app/grid_model.h"
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
  // Rows scroll whole: the first visible row is never cut by the titles.
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
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
      cells << model()->index(rowIndex.row(), col).data(TGridModel::CopyTextRole).toString();
    }
    text += cells.join('\t') + '\n';
  }
  return text;
}

QColor TGridView::SelectionColor() { return TQtCanvas::ToQColor(clHighlight); }

void TGridView::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  const QModelIndexList rows = selectionModel() != nullptr ? selectionModel()->selectedRows() : QModelIndexList();
  if (rows.isEmpty() || model() == nullptr) return;
  // Two pixels above and below the row, on and beside its grid lines, and
  // at its right end: the cells keep their colours, and the code's first
  // digit stays clear.
  const QModelIndex first = rows.front();
  const QRect row = visualRect(first).united(visualRect(model()->index(first.row(), model()->columnCount() - 1)));
  QPainter painter(viewport());
  const QColor colour = SelectionColor();
  painter.fillRect(QRect(row.left(), row.top() - 1, row.width() + 1, 2), colour);
  painter.fillRect(QRect(row.left(), row.bottom(), row.width() + 1, 2), colour);
  painter.fillRect(QRect(row.right(), row.top() - 1, 2, row.height() + 2), colour);
}

void TGridView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  QTableView::selectionChanged(selected, deselected);
  for (const QItemSelection* selection : {&selected, &deselected}) {
    viewport()->update(visualRegionForSelection(*selection).boundingRect().adjusted(-2, -2, 2, 2));
  }
}

void TGridView::keyboardSearch(const QString& search) {
  if (currentIndex().isValid()) setCurrentIndex(currentIndex().siblingAtColumn(0));
  QTableView::keyboardSearch(search);
}

void TGridView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  emit Resized();
}

void TGridView::KeepTopRowWhole() {
  const int top = verticalScrollBar()->value();
  const int wholeRowsOffset = verticalHeader()->sectionPosition(top);
  if (top > 0 && top == verticalScrollBar()->maximum() && verticalHeader()->offset() != wholeRowsOffset) {
    verticalHeader()->setOffset(wholeRowsOffset);
    viewport()->update();
  }
}

void TGridView::scrollContentsBy(int dx, int dy) {
  QTableView::scrollContentsBy(dx, dy);
  KeepTopRowWhole();
}

void TGridView::updateGeometries() {
  QTableView::updateGeometries();
  KeepTopRowWhole();
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
    // With no row selected the clipboard keeps what it holds.
    if (const QString text = SelectedRowsText(); !text.isEmpty()) QApplication::clipboard()->setText(text);
    return;
  }
  QTableView::keyPressEvent(event);
}

}  // namespace kivrel
