#include "app/grid_model.h"

#include <QFontMetrics>

#include <algorithm>

#include "app/big5_qt.h"
#include "app/qt_canvas.h"
#include "core/draw/alignment.h"
#include "core/draw/cell_text.h"
#include "core/grid/grid_cell.h"
#include "core/grid/grid_columns.h"
#include "core/grid/row_stock.h"
#include "core/grid/stock_tooltip.h"

namespace kivrel {
namespace {

int ModelRows(int gridRows) { return std::max(0, gridRows - 1); }

}  // namespace

TGridModel::TGridModel(const TStringGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

int TGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ModelRows(grid_.RowCount()); }

int TGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.ColCount(); }

int TGridModel::GridRow(int modelRow) const {
  return order_.empty() ? modelRow + 1 : order_[static_cast<std::size_t>(modelRow)];
}

int TGridModel::ModelRow(int gridRow) const {
  return order_.empty() ? gridRow - 1 : modelRowOf_[static_cast<std::size_t>(gridRow)];
}

void TGridModel::SetOrder(std::vector<int> order) {
  order_ = std::move(order);
  modelRowOf_.assign(order_.empty() ? 0 : static_cast<std::size_t>(grid_.RowCount()), 0);
  for (std::size_t r = 0; r < order_.size(); ++r)
    modelRowOf_[static_cast<std::size_t>(order_[r])] = static_cast<int>(r);
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  const int col = index.column();
  const int row = GridRow(index.row());
  switch (role) {
    case Qt::DisplayRole: return ToQString(grid_.Cells(col, row));
    case GridRowRole: return row;
    case CopyTextRole: return ToQString(CopyText(col, row));
    case Qt::ToolTipRole: return ToolTip(col, row);
    case Qt::AccessibleTextRole:
    case Qt::TextAlignmentRole:
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: break;
    default: return {};
  }
  const TTextRectInfo info = MakeGridCellInfo(grid_, col, row, TRect{});
  switch (role) {
    case Qt::AccessibleTextRole: return ToQString(info.Text);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(TQtCanvas::AlignmentOf(TextFormatFlags(info.HAlign, info.VAlign)));
    case Qt::ForegroundRole: return TQtCanvas::ToQColor(info.FontColor);
    default: return TQtCanvas::ToQColor(info.BrushColor);
  }
}

std::string TGridModel::CopyText(int col, int gridRow) const {
  const TStock* stock = RowStock(grid_, gridRow);
  const TGridColumn* column = ColumnAt(col);
  if (stock == nullptr || column == nullptr || !grid_.ShowsObjectTexts(gridRow)) return grid_.Cells(col, gridRow);
  return ColumnValueText(*column, TRowValues(*stock));
}

QString TGridModel::ToolTip(int col, int gridRow) const {
  const TStock* stock = RowStock(grid_, gridRow);
  const TGridColumn* column = ColumnAt(col);
  if (stock != nullptr && column != nullptr && column->Kind != TColumnKind::Number) {
    return ToQString(StockToolTip(stock->Payload));
  }
  // The text as drawn, measured in the font it is drawn in.
  const std::string text = MakeGridCellInfo(grid_, col, gridRow, TRect{}).Text;
  TFont font = grid_.Font();
  ChooseCellFont(font, IsChineseText(text));
  const QString shown = ToQString(text);
  if (QFontMetrics(TQtCanvas::ToQFont(font)).horizontalAdvance(shown) <= grid_.DefaultColWidth()) return {};
  return shown;
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

void TGridModel::SortBy(int col, std::optional<TSortDirection> direction) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int> gridRows;
  gridRows.reserve(static_cast<std::size_t>(before.size()));
  for (const QModelIndex& index : before) gridRows.push_back(GridRow(index.row()));

  sortColumn_ = direction ? col : -1;
  if (direction) sortDirection_ = *direction;
  SetOrder(direction ? SortRows(grid_, col, *direction) : std::vector<int>());
  QModelIndexList after;
  after.reserve(before.size());
  for (qsizetype i = 0; i < before.size(); ++i) {
    after.push_back(index(ModelRow(gridRows[static_cast<std::size_t>(i)]), before[i].column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TGridModel::Resort() {
  if (sortColumn_ >= 0) SortBy(sortColumn_, sortDirection_);
}

void TGridModel::RowCountChanging(int oldGridRows, int newGridRows) {
  const int from = ModelRows(oldGridRows);
  const int to = ModelRows(newGridRows);
  pending_ = Pending::None;
  if (!order_.empty()) {
    // The sorted order is of the rows that go: start again in grid order.
    beginResetModel();
    SetOrder({});
    sortColumn_ = -1;
    pending_ = Pending::Reset;
  } else if (to > from) {
    beginInsertRows(QModelIndex(), from, to - 1);
    pending_ = Pending::Insert;
  } else if (to < from) {
    beginRemoveRows(QModelIndex(), to, from - 1);
    pending_ = Pending::Remove;
  }
}

void TGridModel::RowCountChanged() {
  switch (pending_) {
    case Pending::Insert: endInsertRows(); break;
    case Pending::Remove: endRemoveRows(); break;
    case Pending::Reset: endResetModel(); break;
    case Pending::None: break;
  }
  pending_ = Pending::None;
}

void TGridModel::RowsInserting(int firstGridRow, int count) {
  // Sorted, new rows come at the end until the next sort puts them in place.
  const int first = order_.empty() ? firstGridRow - 1 : rowCount();
  beginInsertRows(QModelIndex(), first, first + count - 1);
}

void TGridModel::RowsInserted(int firstGridRow, int count) {
  if (!order_.empty()) {
    std::vector<int> order = std::move(order_);
    for (int& gridRow : order) {
      if (gridRow >= firstGridRow) gridRow += count;
    }
    for (int i = 0; i < count; ++i) order.push_back(firstGridRow + i);
    SetOrder(std::move(order));
  }
  endInsertRows();
}

void TGridModel::CellsChanged(int firstCol, int lastCol, int firstGridRow, int lastGridRow) {
  if (rowCount() == 0) return;
  if (!order_.empty()) {
    // Sorted, the changed rows may stand anywhere: each is told apart, or,
    // when many changed, the whole table at once.
    constexpr int kRowsToldApart = 64;
    if (lastGridRow - firstGridRow >= kRowsToldApart) {
      emit dataChanged(index(0, firstCol), index(rowCount() - 1, lastCol));
      return;
    }
    for (int gridRow = std::max(firstGridRow, 1); gridRow <= std::min(lastGridRow, rowCount()); ++gridRow) {
      const int row = ModelRow(gridRow);
      emit dataChanged(index(row, firstCol), index(row, lastCol));
    }
    return;
  }
  const int first = std::max(firstGridRow, 1) - 1;
  const int last = std::min(lastGridRow - 1, rowCount() - 1);
  if (last >= first) emit dataChanged(index(first, firstCol), index(last, lastCol));
}

void TGridModel::ResetBegun() {
  beginResetModel();
  SetOrder({});
  sortColumn_ = -1;
}

}  // namespace kivrel
