#pragma once
// The string grid as the window and the painting see it: cell texts, one
// object per cell (the program uses column 0 of each row), row and column
// counts with the title row counted, default widths and the grid's font.
// The view over it (Qt's model/view in the program, a plain instance in
// tests) overrides the hooks.

#include <string>
#include <vector>

#include "core/draw/canvas.h"
#include "core/lists/object.h"

namespace kivrel {

class TStringGrid {
 public:
  TStringGrid(int colCount, int rowCount);
  TStringGrid(const TStringGrid&) = delete;
  TStringGrid& operator=(const TStringGrid&) = delete;
  virtual ~TStringGrid() = default;

  int ColCount() const { return colCount_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Rows beyond the new count are dropped; added rows start empty, no object.
  void SetRowCount(int rowCount);

  // Out-of-range cells read as empty / no object; writes to them are ignored.
  const std::string& Cells(int col, int row) const;
  void SetCells(int col, int row, std::string text);
  TObject* Objects(int col, int row) const;
  void SetObjects(int col, int row, TObject* object);

  int DefaultColWidth() const { return defaultColWidth_; }
  // Every column gets this width.
  void SetDefaultColWidth(int width);
  int DefaultRowHeight() const { return defaultRowHeight_; }

  const TFont& Font() const { return font_; }
  void SetFontName(std::string name);
  void SetFontHeight(int height);

  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }

  // Width of the area that shows the cells, in pixels.
  virtual int ClientWidth() const { return clientWidth_; }
  void SetClientWidth(int width) { clientWidth_ = width; }
  // Every visible cell is painted again.
  virtual void Invalidate() { ++invalidations_; }
  int Invalidations() const { return invalidations_; }

 protected:
  // Called after the row count, a cell text, the column width or the font
  // changed, so that a view can follow.
  virtual void RowCountChanged() {}
  virtual void CellChanged(int /*col*/, int /*row*/) {}
  virtual void LayoutChanged() {}

 private:
  struct Row {
    std::vector<std::string> texts;
    std::vector<TObject*> objects;
  };
  bool InRange(int col, int row) const;

  int colCount_;
  std::vector<Row> rows_;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  TFont font_;
  TColor color_ = clBtnFace;
  int clientWidth_ = 0;
  int invalidations_ = 0;
};

}  // namespace kivrel
