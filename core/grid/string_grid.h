#pragma once
// The string grid: row and column counts with the title row counted, one
// object per row (that of its column-0 cell), the default column width and
// row height, the grid's font and colour. Rows and columns are 0-based; row 0
// is the title row.
//
// A row can show its object: its cell texts are then made by the grid's
// object-text function when they are read, so a board of a million stocks
// holds no copy of their texts.
//
// The grid is abstract: a view (Qt's model/view in the program, a plain
// subclass in tests) gives the client width and the repainting, and follows
// every change through the protected hooks.

#include <string>
#include <vector>

#include "core/draw/canvas.h"
#include "core/lists/object.h"

namespace kivrel {

class TStringGrid {
 public:
  // The text of cell (col, row) of a row that shows its object.
  using TObjectText = std::string (*)(const TStringGrid& grid, int col, int row);

  // `color` is the grid's own colour, the background of its data cells; the
  // board's grid has the button face.
  TStringGrid(int colCount, int rowCount, TColor color = clBtnFace);
  TStringGrid(const TStringGrid&) = delete;
  TStringGrid& operator=(const TStringGrid&) = delete;
  virtual ~TStringGrid() = default;

  int ColCount() const { return colCount_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Rows beyond the new count are dropped; added rows start empty, no object.
  void SetRowCount(int rowCount);

  // The cell's text: the object text of a row that shows its object, else
  // empty (also out of range).
  std::string Cells(int col, int row) const;
  // The row's object in column 0; nullptr in every other column and out of
  // range, where setting one is ignored.
  TObject* Objects(int col, int row) const;
  void SetObjects(int col, int row, TObject* object);

  // Inserts rows before `row` (1 to RowCount), one per object, each showing
  // its object's texts; the rows from `row` on move down.
  void InsertRows(int row, const std::vector<TObject*>& objects);
  // The rows' objects changed their values: the view shows them again.
  void RowsChanged(int firstRow, int lastRow);

  void SetObjectText(TObjectText objectText) { objectText_ = objectText; }
  // From now on the row's cells show the texts of its object.
  void ShowObjectTexts(int row);
  bool ShowsObjectTexts(int row) const;

  int DefaultColWidth() const { return defaultColWidth_; }
  // Every column gets this width.
  void SetDefaultColWidth(int width);
  int DefaultRowHeight() const { return defaultRowHeight_; }

  const TFont& Font() const { return font_; }
  void SetFontName(std::string name);
  void SetFontHeight(int height);

  TColor Color() const { return color_; }

  // Width of the area that shows the cells, in pixels.
  virtual int ClientWidth() const = 0;
  // Every visible cell is painted again.
  virtual void Invalidate() = 0;

  // Changes between BeginUpdate and the matching EndUpdate reach the view
  // as one reset, announced at the outermost BeginUpdate and done at its
  // EndUpdate.
  void BeginUpdate();
  void EndUpdate();

 protected:
  // Outside an update, the view hears of each change: of the row count
  // before and after it, of texts and objects after they changed.
  virtual void RowCountChanging(int /*oldCount*/, int /*newCount*/) {}
  virtual void RowCountChanged() {}
  virtual void RowsInserting(int /*firstRow*/, int /*count*/) {}
  virtual void RowsInserted(int /*firstRow*/, int /*count*/) {}
  virtual void CellsChanged(int /*firstCol*/, int /*lastCol*/, int /*firstRow*/, int /*lastRow*/) {}
  // The column width or the font changed (updates or not).
  virtual void LayoutChanged() {}
  virtual void ResetBegun() {}
  virtual void ResetEnded() {}

 private:
  struct Row {
    TObject* Object = nullptr;
    bool ObjectTexts = false;
  };
  bool InRange(int col, int row) const;
  void RowChanged(int row);

  int colCount_;
  std::vector<Row> rows_;
  TObjectText objectText_ = nullptr;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  TFont font_;
  TColor color_;
  int updating_ = 0;
};

}  // namespace kivrel
