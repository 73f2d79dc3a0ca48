#include "app/grid_delegate.h"

#include "app/grid_model.h"

namespace kivrel {

void TGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  // The selected row is marked by the view, over the grid lines.
  painter_.Paint(*painter, index.column(), index.data(TGridModel::GridRowRole).toInt(), option.rect);
}

QSize TGridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& /*index*/) const {
  return option.rect.size();
}

}  // namespace kivrel
