#pragma once
// The messages the board shows, written from what the core reports: the
// text in the user's language, and details where there are any (the page a
// faulty page error comes from).

#include <QCoreApplication>
#include <QString>

#include <exception>

#include "core/grid/board_summary.h"
#include "core/io/file_io.h"

namespace kivrel {

struct TMessage {
  QString Text;
  QString Details;
  // Text and details on one line, for standard error.
  QString OneLine() const { return Details.isEmpty() ? Text : Text + " (" + Details + ")"; }
};

class TMessages {
  Q_DECLARE_TR_FUNCTIONS(Kivrel)

 public:
  static TMessage Of(const std::exception_ptr& error);
  static QString Of(const FileError& error);
  static QString SecondBoard();
  static QString SkippedPage(const FileError& error);
  static QString NoBig5Converter();
  static QString NoQuitSignals(int error);
  static QString Summary(const TBoardSummary& summary);
  static QString NoMatch();
};

}  // namespace kivrel
