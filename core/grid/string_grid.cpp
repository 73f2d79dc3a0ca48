#include "core/grid/string_grid.h"

namespace kivrel {
namespace {
const std::string kEmpty;
}

TStringGrid::TStringGrid(int colCount, int rowCount) : colCount_(colCount) { SetRowCount(rowCount); }

void TStringGrid::SetRowCount(int rowCount) {
  if (rowCount < 0) rowCount = 0;
  const auto cols = static_cast<std::size_t>(colCount_);
  rows_.resize(static_cast<std::size_t>(rowCount), Row{std::vector<std::string>(cols), std::vector<TObject*>(cols)});
  RowCountChanged();
}

bool TStringGrid::InRange(int col, int row) const {
  return col >= 0 && col < colCount_ && row >= 0 && row < RowCount();
}

const std::string& TStringGrid::Cells(int col, int row) const {
  if (!InRange(col, row)) return kEmpty;
  return rows_[static_cast<std::size_t>(row)].texts[static_cast<std::size_t>(col)];
}

void TStringGrid::SetCells(int col, int row, std::string text) {
  if (!InRange(col, row)) return;
  rows_[static_cast<std::size_t>(row)].texts[static_cast<std::size_t>(col)] = std::move(text);
  CellChanged(col, row);
}

TObject* TStringGrid::Objects(int col, int row) const {
  if (!InRange(col, row)) return nullptr;
  return rows_[static_cast<std::size_t>(row)].objects[static_cast<std::size_t>(col)];
}

void TStringGrid::SetObjects(int col, int row, TObject* object) {
  if (!InRange(col, row)) return;
  rows_[static_cast<std::size_t>(row)].objects[static_cast<std::size_t>(col)] = object;
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

}  // namespace kivrel
