#include "app/qt_string_grid.h"

#include <QHeaderView>

namespace kivrel {

TQtStringGrid::TQtStringGrid(int colCount, int rowCount, QWidget* parent)
    : TStringGrid(colCount, rowCount), view_(new TGridView(*this, parent)), model_(new TGridModel(*this, view_)) {
  view_->setModel(model_);
  LayoutChanged();
}

TQtStringGrid::~TQtStringGrid() { delete view_; }

int TQtStringGrid::ClientWidth() const { return view_->viewport()->width(); }

void TQtStringGrid::Invalidate() {
  view_->viewport()->update();
  view_->horizontalHeader()->viewport()->update();
}

void TQtStringGrid::LayoutChanged() { view_->ApplyLayout(DefaultColWidth(), DefaultRowHeight()); }

}  // namespace kivrel
