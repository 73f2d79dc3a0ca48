// kivrel-export [QUOTE_FILE]: the board of a quote file as CSV on standard
// output, for spreadsheets.
#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <string>

#include "app/command_line/command_line.h"
#include "core/store/stock_store.h"
#include "tools/export/csv_export.h"

int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit fails the write instead of ending the process
  QCoreApplication app(argc, argv);
  kivrel::InstallTranslations(app);
  kivrel::TCommandLine commandLine(
      "kivrel-export",
      QCoreApplication::translate("Kivrel",
                                  "Writes the board of a Kivrel quote file (default DATA/STOCK.LST) as CSV on "
                                  "standard output: UTF-8, a title row of the 15 column titles, then one row per "
                                  "stock with the texts the board shows."));
  commandLine.Parser().addPositionalArgument("QUOTE_FILE", QCoreApplication::translate("Kivrel", "The quote file."),
                                             "[QUOTE_FILE]");
  if (const int status = commandLine.Parse(app.arguments(), 1); status >= 0) return status;
  const QStringList files = commandLine.Parser().positionalArguments();
  const std::string file = files.isEmpty() ? "DATA/STOCK.LST" : files.front().toStdString();

  if (!kivrel::PathExists(file)) {
    std::cerr << "kivrel-export: " << file << ": no such quote file\n";
    return 1;
  }
  const kivrel::TStockListPtr store = kivrel::NewStockList();
  try {
    kivrel::LoadStockFile(*store, file);
  } catch (const std::exception& e) {
    std::cerr << "kivrel-export: " << e.what() << '\n';
    return 1;
  }
  kivrel::WriteBoardCsv(std::cout, *store);
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "kivrel-export: cannot write the CSV to standard output: " << std::strerror(errno) << '\n';
    return 1;
  }
  return 0;
}
