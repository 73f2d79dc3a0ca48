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

  order_ = direction ? SortRows(grid_, col, *direction) : std::vector<int>();
  std::vector<int> modelRowOf(static_cast<std::size_t>(grid_.RowCount()), 0);
  for (int r = 0; r < rowCount(); ++r) modelRowOf[static_cast<std::size_t>(GridRow(r))] = r;
  QModelIndexList after;
  after.reserve(before.size());
  for (qsizetype i = 0; i < before.size(); ++i) {
    after.push_back(
        index(modelRowOf[static_cast<std::size_t>(gridRows[static_cast<std::size_t>(i)])], before[i].column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TGridModel::RowCountChanging(int oldGridRows, int newGridRows) {
  const int from = ModelRows(oldGridRows);
  const int to = ModelRows(newGridRows);
  pending_ = Pending::None;
  if (!order_.empty()) {
    // The sorted order is of the rows that go: start again in grid order.
    beginResetModel();
    order_.clear();
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

void TGridModel::CellsChanged(int firstCol, int lastCol, int firstGridRow, int lastGridRow) {
  if (rowCount() == 0) return;
  if (!order_.empty()) {
    // Sorted, the changed rows may stand anywhere.
    emit dataChanged(index(0, firstCol), index(rowCount() - 1, lastCol));
    return;
  }
  const int first = std::max(firstGridRow, 1) - 1;
  const int last = std::min(lastGridRow - 1, rowCount() - 1);
  if (last >= first) emit dataChanged(index(first, firstCol), index(last, lastCol));
}

void TGridModel::ResetBegun() {
  beginResetModel();
  order_.clear();
}

}  // namespace kivrel
