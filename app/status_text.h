#pragma once
// What the status bar and the empty board say, in the user's language.

#include <QCoreApplication>
#include <QString>

#include <string>

#include "core/grid/board_summary.h"
#include "core/page/page_import.h"
#include "core/store/stock_store.h"

namespace kivrel {

class TStatusText {
  Q_DECLARE_TR_FUNCTIONS(Kivrel)

 public:
  // The figures of the view shown, named first.
  static QString Summary(const TBoardSummary& summary, const QString& viewName);
  static QString NotAWatchCode(const QString& code);
  static QString NoMatch();
  // The board without a stock: where the pages go and how to get samples.
  static QString EmptyBoard(const QString& sourceFolder);
  static QString EmptyPages(std::size_t count);
  // After the pages were read into the open store, at `time` ("10:31:05").
  static QString PagesRead(const QString& time, const TStoreChanges& changes, const TImportReport& report);
};

}  // namespace kivrel
