#include "app/find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>

namespace kivrel {

TFindBar::TFindBar(QWidget* parent) : QWidget(parent), query_(new QLineEdit(this)), note_(new QLabel(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  auto* label = new QLabel(tr("Find:"), this);
  label->setBuddy(query_);
  layout->addWidget(label);
  layout->addWidget(query_, 1);
  layout->addWidget(note_);
  query_->setPlaceholderText(tr("Code or part of a name"));
  connect(query_, &QLineEdit::returnPressed, this, &TFindBar::FindNext);
  connect(query_, &QLineEdit::textEdited, note_, &QLabel::clear);
  hide();
}

void TFindBar::Open() {
  show();
  query_->setFocus();
  query_->selectAll();
}

void TFindBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape) {
    QWidget::keyPressEvent(event);
    return;
  }
  hide();
  note_->clear();
  emit Closed();
}

}  // namespace kivrel
