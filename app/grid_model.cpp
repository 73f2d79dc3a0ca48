#include "app/grid_model.h"

#include <algorithm>

#include "app/big5_qt.h"
#include "app/qt_canvas.h"
#include "core/draw/alignment.h"
#include "core/grid/grid_cell.h"

namespace kivrel {
namespace {

int ModelRows(int gridRows) { return std::max(0, gridRows - 1); }

Qt::Alignment AlignmentOf(std::uint8_t hAlign, std::uint8_t vAlign) {
  return TQtCanvas::AlignmentOf(TextFormatFlags(hAlign, vAlign));
}

}  // namespace

TGridModel::TGridModel(const TStringGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

int TGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ModelRows(grid_.RowCount()); }

int TGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.ColCount(); }

QVariant TGridModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  const int col = index.column();
  const int row = index.row() + 1;
  switch (role) {
    case Qt::DisplayRole: return ToQString(grid_.Cells(col, row));
    case GridRowRole: return row;
    case Qt::AccessibleTextRole:
    case Qt::TextAlignmentRole:
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: break;
    default: return {};
  }
  const TTextRectInfo info = MakeGridCellInfo(grid_, col, row, TRect{});
  switch (role) {
    case Qt::AccessibleTextRole: return ToQString(info.Text);
    case Qt::TextAlignmentRole: return QVariant::fromValue(AlignmentOf(info.HAlign, info.VAlign));
    case Qt::ForegroundRole: return TQtCanvas::ToQColor(info.FontColor);
    default: return TQtCanvas::ToQColor(info.BrushColor);
  }
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= grid_.ColCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return ToQString(MakeGridCellInfo(grid_, section, 0, TRect{}).Text);
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default: return {};
  }
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;  // never editable
}

void TGridModel::RowCountChanging(int oldGridRows, int newGridRows) {
  const int from = ModelRows(oldGridRows);
  const int to = ModelRows(newGridRows);
  pending_ = Pending::None;
  if (to > from) {
    beginInsertRows(QModelIndex(), from, to - 1);
    pending_ = Pending::Insert;
  } else if (to < from) {
    beginRemoveRows(QModelIndex(), to, from - 1);
    pending_ = Pending::Remove;
  }
}

void TGridModel::RowCountChanged() {
  if (pending_ == Pending::Insert) endInsertRows();
  if (pending_ == Pending::Remove) endRemoveRows();
  pending_ = Pending::None;
}

void TGridModel::CellsChanged(int firstCol, int lastCol, int firstGridRow, int lastGridRow) {
  const int first = std::max(firstGridRow, 1) - 1;
  const int last = lastGridRow - 1;
  if (last < first || rowCount() == 0) return;
  emit dataChanged(index(first, firstCol), index(std::min(last, rowCount() - 1), lastCol));
}

}  // namespace kivrel
