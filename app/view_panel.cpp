#include "app/view_panel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

#include "app/big5_qt.h"
#include "app/qt_canvas.h"
#include "core/price/price_state.h"

namespace kivrel {
namespace {

QString NameText(const TViewName& name) {
  return name.Encoding == TTextEncoding::teUtf8 ? QString::fromStdString(name.Text) : ToQString(name.Text);
}

}  // namespace

TViewPanel::TViewPanel(TWatchLists& lists, QWidget* parent) : QTreeWidget(parent), lists_(lists) {
  setColumnCount(colCount);
  setHeaderLabels({tr("View"), tr("Stocks"), tr("Up"), tr("Down"), tr("Avg %")});
  // Long entries (權證一、權證二、...) are cut to the panel's width; their
  // tooltip shows them whole.
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setSectionResizeMode(colName, QHeaderView::Stretch);
  setTextElideMode(Qt::ElideRight);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { Choose(ViewOf(item)); });
  Rebuild();
}

QSize TViewPanel::sizeHint() const {
  constexpr int kNameCharacters = 6;
  // A category's name starts two steps in: its market's branch, then its own.
  int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width() + 2 * indentation() +
              fontMetrics().horizontalAdvance(QString(kNameCharacters, QChar(0x6C34)));  // 水
  for (const int col : {colStocks, colUp, colDown, colAverage}) {
    width += std::max(sizeHintForColumn(col), header()->sectionSizeHint(col));
  }
  return {width, QTreeWidget::sizeHint().height()};
}

void TViewPanel::Refresh(const std::vector<TViewSummary>& summaries) {
  summaries_ = summaries;
  Rebuild();
}

void TViewPanel::Rebuild() {
  std::vector<TView> views = ViewCatalogue(lists_);
  if (views != views_ || topLevelItemCount() == 0) {
    clear();
    views_ = std::move(views);
    QTreeWidgetItem* market = nullptr;
    for (std::size_t i = 0; i < views_.size(); ++i) {
      const bool category = views_[i].Kind == TViewKind::vkCategory;
      auto* item = category ? new QTreeWidgetItem(market) : new QTreeWidgetItem(this);
      if (views_[i].Kind == TViewKind::vkMarket) market = item;
      item->setData(colName, Qt::UserRole, static_cast<int>(i));
      for (const int col : {colStocks, colUp, colDown, colAverage}) item->setTextAlignment(col, Qt::AlignRight);
    }
    expandAll();
  }
  const bool figures = summaries_.size() == views_.size();
  for (QTreeWidgetItemIterator it(this); *it != nullptr; ++it) {
    const auto i = static_cast<std::size_t>((*it)->data(colName, Qt::UserRole).toInt());
    const QString name = NameText(ViewName(views_[i], lists_));
    (*it)->setText(colName, name);
    (*it)->setToolTip(colName, name);
    ShowFigures(*it, figures ? &summaries_[i] : nullptr);
  }
  MarkChosen();
}

void TViewPanel::ShowFigures(QTreeWidgetItem* item, const TViewSummary* summary) {
  for (const int col : {colStocks, colUp, colDown, colAverage}) item->setText(col, {});
  if (summary == nullptr) return;
  item->setText(colStocks, QString::number(summary->Counts.Stocks));
  item->setText(colUp, QString::number(summary->Counts.Up));
  item->setText(colDown, QString::number(summary->Counts.Down));
  item->setForeground(colUp, TQtCanvas::ToQColor(StateFontColors[psUp]));
  item->setForeground(colDown, TQtCanvas::ToQColor(StateFontColors[psDown]));
  const std::optional<double> average = summary->AverageChange();
  if (ViewOf(item).Kind != TViewKind::vkCategory || !average) return;
  const double shown = std::round(*average * 100) / 100;  // the sign and colour of what the text shows
  const PriceState state = shown > 0 ? psUp : shown < 0 ? psDown : psFlat;
  item->setText(colAverage, (shown > 0 ? "+" : "") + QString::number(shown == 0 ? 0.0 : shown, 'f', 2));
  item->setForeground(colAverage, TQtCanvas::ToQColor(StateFontColors[state]));
}

void TViewPanel::MarkChosen() {
  for (QTreeWidgetItemIterator it(this); *it != nullptr; ++it) {
    QFont font = (*it)->font(colName);
    font.setBold(ViewOf(*it) == chosen_);
    (*it)->setFont(colName, font);
  }
}

TView TViewPanel::ViewOf(const QTreeWidgetItem* item) const {
  return views_.at(static_cast<std::size_t>(item->data(colName, Qt::UserRole).toInt()));
}

QTreeWidgetItem* TViewPanel::ItemOf(const TView& view) const {
  for (QTreeWidgetItemIterator it(const_cast<TViewPanel*>(this)); *it != nullptr; ++it) {
    if (ViewOf(*it) == view) return *it;
  }
  return nullptr;
}

void TViewPanel::Choose(const TView& view) {
  if (view.Kind == TViewKind::vkWatchList) lists_.SetShown(view.Index);
  chosen_ = view;
  MarkChosen();
  if (QTreeWidgetItem* item = ItemOf(view)) setCurrentItem(item);
  emit ViewChosen(view);
}

void TViewPanel::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem() != nullptr) {
    Choose(ViewOf(currentItem()));
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

std::unique_ptr<QMenu> TViewPanel::ContextMenu(QTreeWidgetItem* item) {
  auto menu = std::make_unique<QMenu>(this);
  menu->addAction(tr("New list..."), this, &TViewPanel::CreateList);
  if (item == nullptr || ViewOf(item).Kind != TViewKind::vkWatchList) return menu;
  const int list = ViewOf(item).Index;
  menu->addAction(tr("Rename..."), this, [this, list] { RenameList(list); });
  menu->addAction(tr("Delete..."), this, [this, list] { DeleteList(list); });
  return menu;
}

void TViewPanel::contextMenuEvent(QContextMenuEvent* event) {
  ContextMenu(itemAt(event->pos()))->exec(event->globalPos());  // viewport coordinates
}

std::optional<std::string> TViewPanel::AskName(const QString& title, int renaming) {
  const std::optional<QString> answer =
      AskListName(title, renaming < 0 ? QString() : QString::fromStdString(lists_.List(renaming).Name));
  if (!answer) return std::nullopt;
  std::string name = answer->toStdString();
  switch (NewListNameProblem(lists_, name, renaming)) {
    case TListNameProblem::npNone: return name;
    case TListNameProblem::npBlank: Warn(tr("A watch list needs a name.")); break;
    case TListNameProblem::npNotUtf8:
    case TListNameProblem::npControl:
      Warn(tr("A watch list's name cannot hold line breaks or other control characters."));
      break;
    case TListNameProblem::npTaken: Warn(tr("There is a watch list named \"%1\" already.").arg(*answer)); break;
    case TListNameProblem::npViewName: Warn(tr("\"%1\" is the name of a view of the board.").arg(*answer)); break;
  }
  return std::nullopt;
}

void TViewPanel::CreateList() {
  const std::optional<std::string> name = AskName(tr("New watch list"), -1);
  if (!name) return;
  const int list = lists_.Create(*name);
  Rebuild();
  emit ListsChanged();
  Choose(WatchListView(list));
}

void TViewPanel::RenameList(int list) {
  const std::optional<std::string> name = AskName(tr("Rename watch list"), list);
  if (!name || *name == lists_.List(list).Name) return;
  lists_.Rename(list, *name);
  Rebuild();
  emit ListsChanged();
}

void TViewPanel::DeleteList(int list) {
  const TWatchList& doomed = lists_.List(list);
  if (!ConfirmDelete(tr("Delete the watch list \"%1\" with its %2 codes?")
                         .arg(QString::fromStdString(doomed.Name))
                         .arg(doomed.Codes.size()))) {
    return;
  }
  lists_.Delete(list);
  const bool wasChosen = chosen_ == WatchListView(list);
  if (chosen_.Kind == TViewKind::vkWatchList && chosen_.Index > list) --chosen_.Index;
  if (wasChosen) chosen_ = AllView();
  Rebuild();
  emit ListsChanged();
  if (wasChosen) Choose(AllView());
}

std::optional<QString> TViewPanel::AskListName(const QString& title, const QString& name) {
  bool ok = false;
  const QString answer = QInputDialog::getText(this, title, tr("Name:"), QLineEdit::Normal, name, &ok);
  if (!ok) return std::nullopt;
  return answer;
}

bool TViewPanel::ConfirmDelete(const QString& question) {
  return QMessageBox::question(this, tr("Delete watch list"), question) == QMessageBox::Yes;
}

void TViewPanel::Warn(const QString& message) { QMessageBox::warning(this, tr("Watch list"), message); }

}  // namespace kivrel
