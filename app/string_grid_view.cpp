#include "app/string_grid_view.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "app/big5_qt.h"
#include "app/qt_canvas.h"

namespace kivrel {
namespace {

// Grid lines take one pixel after each cell, as the cells of a string grid
// are DefaultColWidth by DefaultRowHeight pixels inside their lines.
constexpr int kGridLineWidth = 1;

class TGridDelegate final : public QAbstractItemDelegate {
 public:
  TGridDelegate(TQtStringGrid& grid) : QAbstractItemDelegate(&grid), grid_(grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    grid_.PaintCell(*painter, index.column(), index.row() + 1, option.rect);
    if (option.state & QStyle::State_Selected) {
      // The focus frame around the selected row.
      painter->save();
      painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
      const QRect r = option.rect.adjusted(0, 0, -1, -1);
      painter->drawLine(r.topLeft(), r.topRight());
      painter->drawLine(r.bottomLeft(), r.bottomRight());
      if (index.column() == 0) painter->drawLine(r.topLeft(), r.bottomLeft());
      if (index.column() == grid_.ColCount() - 1) painter->drawLine(r.topRight(), r.bottomRight());
      painter->restore();
    }
  }
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {grid_.DefaultColWidth(), grid_.DefaultRowHeight()};
  }

 private:
  TQtStringGrid& grid_;
};

// The title row: grid row 0, owner-drawn like every other row.
class TGridHeader final : public QHeaderView {
 public:
  TGridHeader(TQtStringGrid& grid) : QHeaderView(Qt::Horizontal, &grid), grid_(grid) {}

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
    const QRect cell(rect.left(), rect.top(), rect.width() - kGridLineWidth, rect.height() - kGridLineWidth);
    grid_.PaintCell(*painter, logicalIndex, 0, cell);
    painter->save();
    painter->setPen(QApplication::palette().color(QPalette::Mid));
    painter->drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
    painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    painter->restore();
  }

 private:
  TQtStringGrid& grid_;
};

}  // namespace

TGridModel::TGridModel(TQtStringGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

int TGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, grid_.RowCount() - 1);
}

int TGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.ColCount(); }

QVariant TGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
  return ToQString(grid_.Cells(index.column(), index.row() + 1));
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= grid_.ColCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  return ToQString(grid_.TitleText(section));
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;  // never editable
}

TQtStringGrid::TQtStringGrid(int colCount, int rowCount, QWidget* parent)
    : QTableView(parent), TStringGrid(colCount, rowCount), model_(*this, this) {
  setHorizontalHeader(new TGridHeader(*this));
  setModel(&model_);
  setItemDelegate(new TGridDelegate(*this));
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setMinimumSectionSize(0);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setFixedHeight(DefaultRowHeight() + kGridLineWidth);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(0);
  verticalHeader()->setDefaultSectionSize(DefaultRowHeight() + kGridLineWidth);
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
  face.setColor(QPalette::Base, TQtCanvas::ToQColor(Color()));
  setPalette(face);
  LayoutChanged();
}

int TQtStringGrid::ClientWidth() const { return viewport()->width(); }

void TQtStringGrid::Invalidate() {
  TStringGrid::Invalidate();
  viewport()->update();
  horizontalHeader()->viewport()->update();
}

void TQtStringGrid::PaintCell(QPainter& painter, int col, int row, const QRect& cellRect) const {
  TQtCanvas canvas(painter);
  canvas.Font = Font();
  canvas.Font.Style = TFontStyles();
  const TRect rect{cellRect.left(), cellRect.top(), cellRect.left() + cellRect.width(),
                   cellRect.top() + cellRect.height()};
  if (onDrawCell_) onDrawCell_(canvas, col, row, rect);
}

QString TQtStringGrid::SelectedRowsText() const {
  QString text;
  for (const QModelIndex& rowIndex : selectionModel()->selectedRows()) {
    QStringList cells;
    for (int col = 0; col < ColCount(); ++col) cells << ToQString(Cells(col, rowIndex.row() + 1));
    text += cells.join('\t') + '\n';
  }
  return text;
}

void TQtStringGrid::RowCountChanged() { model_.Reset(); }

void TQtStringGrid::CellChanged(int, int) { viewport()->update(); }

void TQtStringGrid::LayoutChanged() {
  horizontalHeader()->setDefaultSectionSize(DefaultColWidth() + kGridLineWidth);
  for (int col = 0; col < ColCount(); ++col) horizontalHeader()->resizeSection(col, DefaultColWidth() + kGridLineWidth);
  viewport()->update();
  horizontalHeader()->viewport()->update();
}

void TQtStringGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  if (onResize_) onResize_();
}

QModelIndex TQtStringGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
  if ((cursorAction == MoveHome || cursorAction == MoveEnd) && model_.rowCount() > 0) {
    const int column = std::max(0, currentIndex().column());
    return model_.index(cursorAction == MoveHome ? 0 : model_.rowCount() - 1, column);
  }
  return QTableView::moveCursor(cursorAction, modifiers);
}

void TQtStringGrid::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    QApplication::clipboard()->setText(SelectedRowsText());
    return;
  }
  QTableView::keyPressEvent(event);
}

}  // namespace kivrel
