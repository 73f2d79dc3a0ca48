// kivrel-export [QUOTE_FILE] [--view NAME]: the board of a quote file (or one
// of its views) as CSV on standard output, for spreadsheets.
// kivrel-export --history CODE [--date YYYY-MM-DD] | --daily CODE: a stock's
// kept quotes of a day, or its daily rows, from the history beside the file.
#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <string>

#include "app/command_line/command_line.h"
#include "app/error_text.h"
#include "app/view_option.h"
#include "core/folder/data_folder.h"
#include "core/store/stock_store.h"
#include "core/views/view_stocks.h"
#include "tools/export/csv_export.h"
#include "tools/export/history_csv.h"

namespace {

int Fail(const QString& text) {
  std::cerr << "kivrel-export: " << text.toStdString() << '\n';
  return 1;
}

// The file of the data folder named like `name` (a path of TDataPaths) in
// the folder of the quote file.
std::string Beside(const std::string& quoteFile, const std::string& name) {
  const std::size_t slash = quoteFile.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : quoteFile.substr(0, slash);
  return folder + "/" + name.substr(name.rfind('/') + 1);
}

QString HistoryCsvProblem(const kivrel::THistoryCsvError& e) {
  const QString text = QString::fromStdString(e.Text());
  switch (e.Kind()) {
    case kivrel::THistoryCsvError::TKind::NotADate:
      return QCoreApplication::translate("Kivrel", "'%1' is not a date (YYYY-MM-DD)").arg(text);
    case kivrel::THistoryCsvError::TKind::NoDailyRows:
      return QCoreApplication::translate("Kivrel", "no daily rows of %1 are kept").arg(text);
    case kivrel::THistoryCsvError::TKind::NoQuotes: break;
  }
  if (!e.Day()) return QCoreApplication::translate("Kivrel", "no quotes of %1 are kept").arg(text);
  return QCoreApplication::translate("Kivrel", "no quotes of %1 are kept for %2")
      .arg(text, QString::fromStdString(kivrel::CsvDateText(*e.Day())));
}

// The history's CSV of --history or --daily.
int WriteHistory(const QCommandLineParser& parser, const std::string& quoteFile, std::ostream& out) {
  const std::string path = Beside(quoteFile, kivrel::TDataPaths().History);
  try {
    const kivrel::THistory history(path, kivrel::THistory::TAccess::ReadOnly);
    if (parser.isSet("daily")) {
      kivrel::WriteDailyCsv(out, history, parser.value("daily").toStdString());
      return 0;
    }
    std::optional<std::int32_t> day;
    if (parser.isSet("date")) day = kivrel::ParseCsvDate(parser.value("date").toStdString());
    kivrel::WriteHistoryCsv(out, history, parser.value("history").toStdString(), day);
    return 0;
  } catch (const kivrel::THistoryCsvError& e) {
    return Fail(HistoryCsvProblem(e));
  } catch (const kivrel::THistoryError& e) {
    return Fail(QCoreApplication::translate("Kivrel", "cannot read the history \"%1\": %2")
                    .arg(kivrel::PathText(path), QString::fromStdString(e.Text())));
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit fails the write instead of ending the process
  QCoreApplication app(argc, argv);
  kivrel::InstallTranslations(app);
  kivrel::TCommandLine commandLine(
      "kivrel-export", QCoreApplication::translate(
                           "Kivrel",
                           "Writes the board of a Kivrel quote file (default DATA/STOCK.LST) as CSV on standard "
                           "output: UTF-8, a title row of the 15 column titles, then one row per stock with the texts "
                           "the board shows. With --history or --daily it writes a stock's kept quotes from the "
                           "history beside the quote file instead."));
  QCommandLineParser& parser = commandLine.Parser();
  parser.addPositionalArgument("QUOTE_FILE", QCoreApplication::translate("Kivrel", "The quote file."), "[QUOTE_FILE]");
  parser.addOption({"view",
                    QCoreApplication::translate(
                        "Kivrel",
                        "Only the rows of a view, in its order: 全部, a watch list's name (from watchlists.txt "
                        "beside the quote file), 上市, 上櫃 or a category such as 水泥."),
                    "NAME"});
  parser.addOption(
      {"history",
       QCoreApplication::translate("Kivrel", "The kept quotes of the stock CODE on one day, from history.db."),
       "CODE"});
  parser.addOption({"date",
                    QCoreApplication::translate("Kivrel", "The day of --history (default: the latest day kept)."),
                    "YYYY-MM-DD"});
  parser.addOption(
      {"daily", QCoreApplication::translate("Kivrel", "The daily rows of the stock CODE, from history.db."), "CODE"});
  if (const int status = commandLine.Parse(app.arguments(), 1); status >= 0) return status;
  if (int(parser.isSet("view")) + int(parser.isSet("history")) + int(parser.isSet("daily")) > 1)
    return commandLine.Fail(QCoreApplication::translate("Kivrel", "--view, --history and --daily go one at a time."));
  if (parser.isSet("date") && !parser.isSet("history"))
    return commandLine.Fail(QCoreApplication::translate("Kivrel", "--date goes with --history."));
  const QStringList files = parser.positionalArguments();
  const std::string file = files.isEmpty() ? kivrel::TDataPaths().QuoteFile : files.front().toStdString();

  std::optional<kivrel::TView> view;
  const kivrel::TWatchLists lists = kivrel::WatchListsOf(Beside(file, kivrel::TDataPaths().WatchLists));
  if (parser.isSet("view")) {
    int status = 0;
    view = kivrel::ViewOption(commandLine, parser.value("view").toStdString(), lists, status);
    if (!view) return status;
  }
  if (parser.isSet("history") || parser.isSet("daily")) {
    if (const int status = WriteHistory(parser, file, std::cout); status != 0) return status;
  } else {
    if (!kivrel::PathExists(file))
      return Fail(QCoreApplication::translate("Kivrel", "%1: no such quote file").arg(kivrel::PathText(file)));
    const kivrel::TStockListPtr store = kivrel::NewStockList();
    try {
      kivrel::LoadStockFile(*store, file);
    } catch (...) {
      return Fail(kivrel::TErrorText::Describe(std::current_exception()).OneLine());
    }
    kivrel::WriteBoardCsv(std::cout, kivrel::ViewStocks(*store, view.value_or(kivrel::AllView()), lists).Stocks);
  }
  std::cout.flush();
  if (!std::cout)
    return Fail(
        QCoreApplication::translate("Kivrel", "cannot write the CSV to standard output: %1").arg(std::strerror(errno)));
  return 0;
}
