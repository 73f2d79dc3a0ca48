#pragma once
// The find bar under the grid: a line for a code prefix or a part of a name,
// and a note where the search found nothing. Hidden, it takes no room.

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace kivrel {

class TFindBar final : public QWidget {
  Q_OBJECT

 public:
  explicit TFindBar(QWidget* parent = nullptr);

  QLineEdit* Query() const { return query_; }
  // Empty, or the note that nothing matches.
  QLabel* Note() const { return note_; }
  // Shows the bar with its text selected, ready for typing.
  void Open();

 signals:
  // Enter: the next match. Escape closes the bar (Closed).
  void FindNext();
  void Closed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLineEdit* query_;
  QLabel* note_;
};

}  // namespace kivrel
