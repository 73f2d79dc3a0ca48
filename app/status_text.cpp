#include "app/status_text.h"

#include "app/error_text.h"

namespace kivrel {

QString TStatusText::Summary(const TBoardSummary& summary, const QString& viewName) {
  QString text = viewName + "   " + tr("Stocks: %1").arg(summary.Stocks) + "   " +
                 tr("up %1, down %2, unchanged %3").arg(summary.Up).arg(summary.Down).arg(summary.Unchanged) + "   " +
                 tr("limit-up %1, limit-down %2").arg(summary.LimitUp).arg(summary.LimitDown);
  if (const std::string time = QuoteTimeText(summary.LatestQuoteTime); !time.empty()) {
    text += "   " + tr("quotes of %1").arg(QString::fromStdString(time));
  }
  return text;
}

QString TStatusText::NoMatch() { return tr("No match"); }

QString TStatusText::NotAWatchCode(const QString& code) {
  return tr("\"%1\" cannot go into a watch list: a listed code is 1 to 6 letters and digits").arg(code);
}

QString TStatusText::EmptyBoard(const QString& sourceFolder) {
  return tr("No quotes yet.\n\nSave the category pages of the quote service into\n%1\nand press F5.\n\n"
            "To try the board on sample pages, write them there with\nkivrel-pages \"%1\"")
      .arg(sourceFolder);
}

QString TStatusText::EmptyPages(std::size_t count) {
  return tr("%n page(s) gave no stock", nullptr, static_cast<int>(count));
}

QString TStatusText::PagesRead(const QString& time, const TStoreChanges& changes, const TImportReport& report) {
  QString text =
      tr("Pages read at %1: %2 stocks changed, %3 new").arg(time).arg(changes.Updated.size()).arg(changes.Added.size());
  for (const auto& [page, fault] : report.Faulty) text += "; " + TErrorText::PageFault(page, fault);
  if (!report.EmptyPages.empty()) text += "; " + EmptyPages(report.EmptyPages.size());
  return text;
}

}  // namespace kivrel
