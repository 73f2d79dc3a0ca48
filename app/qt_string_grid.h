#pragma once
// GRID as the window uses it: the core string grid (every grid operation
// applies to it), a table model presenting it and the view showing the
// model. The model and the view follow the grid through its change hooks;
// the client width and the repainting come from the view.

#include "app/grid_model.h"
#include "app/grid_view.h"
#include "core/grid/string_grid.h"

namespace kivrel {

class TQtStringGrid final : public TStringGrid {
 public:
  TQtStringGrid(int colCount, int rowCount, QWidget* parent);
  ~TQtStringGrid() override;

  TGridView* View() const { return view_; }
  TGridModel& Model() const { return *model_; }

  int ClientWidth() const override;
  void Invalidate() override;

 protected:
  void RowCountChanging(int oldCount, int newCount) override { model_->RowCountChanging(oldCount, newCount); }
  void RowCountChanged() override { model_->RowCountChanged(); }
  void RowsInserting(int firstRow, int count) override { model_->RowsInserting(firstRow, count); }
  void RowsInserted(int firstRow, int count) override { model_->RowsInserted(firstRow, count); }
  void CellsChanged(int firstCol, int lastCol, int firstRow, int lastRow) override {
    model_->CellsChanged(firstCol, lastCol, firstRow, lastRow);
  }
  void LayoutChanged() override;
  void ResetBegun() override { model_->ResetBegun(); }
  void ResetEnded() override { model_->ResetEnded(); }

 private:
  TGridView* view_;    // deleted with the grid
  TGridModel* model_;  // a child of the view
};

}  // namespace kivrel
