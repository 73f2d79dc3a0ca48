#include "core/grid/string_grid.h"

namespace kivrel {

TStringGrid::TStringGrid(int colCount, int rowCount, TColor color)
    : colCount_(colCount < 0 ? 0 : colCount), color_(color) {
  rows_.resize(static_cast<std::size_t>(rowCount < 0 ? 0 : rowCount));
}

void TStringGrid::SetRowCount(int rowCount) {
  if (rowCount < 0) rowCount = 0;
  const int oldCount = RowCount();
  if (rowCount == oldCount) return;
  if (updating_ == 0) RowCountChanging(oldCount, rowCount);
  rows_.resize(static_cast<std::size_t>(rowCount));
  if (updating_ == 0) RowCountChanged();
}

void TStringGrid::InsertRows(int row, const std::vector<TObject*>& objects) {
  if (row < 1 || row > RowCount() || objects.empty()) return;
  const int count = static_cast<int>(objects.size());
  if (updating_ == 0) RowsInserting(row, count);
  std::vector<Row> added;
  added.reserve(objects.size());
  for (TObject* object : objects) added.push_back({object, true});
  rows_.insert(rows_.begin() + row, added.begin(), added.end());
  if (updating_ == 0) RowsInserted(row, count);
}

void TStringGrid::RowsChanged(int firstRow, int lastRow) {
  if (updating_ == 0 && firstRow <= lastRow) CellsChanged(0, colCount_ - 1, firstRow, lastRow);
}

bool TStringGrid::InRange(int col, int row) const {
  return col >= 0 && col < colCount_ && row >= 0 && row < RowCount();
}

void TStringGrid::RowChanged(int row) {
  if (updating_ == 0) CellsChanged(0, colCount_ - 1, row, row);
}

std::string TStringGrid::Cells(int col, int row) const {
  if (objectText_ == nullptr || !InRange(col, row) || !ShowsObjectTexts(row)) return {};
  return objectText_(*this, col, row);
}

TObject* TStringGrid::Objects(int col, int row) const {
  return col == 0 && InRange(col, row) ? rows_[static_cast<std::size_t>(row)].Object : nullptr;
}

void TStringGrid::SetObjects(int col, int row, TObject* object) {
  if (col != 0 || !InRange(col, row)) return;
  rows_[static_cast<std::size_t>(row)].Object = object;
  RowChanged(row);  // a row's object decides its colours, and maybe its texts
}

void TStringGrid::ShowObjectTexts(int row) {
  if (row < 0 || row >= RowCount()) return;
  rows_[static_cast<std::size_t>(row)].ObjectTexts = true;
  RowChanged(row);
}

bool TStringGrid::ShowsObjectTexts(int row) const {
  return row >= 0 && row < RowCount() && rows_[static_cast<std::size_t>(row)].ObjectTexts;
}

void TStringGrid::SetDefaultColWidth(int width) {
  defaultColWidth_ = width;
  LayoutChanged();
}

void TStringGrid::SetFontName(std::string name) {
  font_.Name = std::move(name);
  LayoutChanged();
}

void TStringGrid::SetFontHeight(int height) {
  font_.Height = height;
  LayoutChanged();
}

void TStringGrid::BeginUpdate() {
  if (updating_++ == 0) ResetBegun();
}

void TStringGrid::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0) ResetEnded();
}

}  // namespace kivrel
