// kivrel-export [QUOTE_FILE]: the board of a quote file as CSV on standard
// output, for spreadsheets.
#include <cstring>
#include <iostream>
#include <string>

#include "core/io/file_io.h"
#include "core/lists/list_functions.h"
#include "core/store/stock_store.h"
#include "core/text/big5.h"
#include "tools/export/csv_export.h"

namespace {

constexpr const char* kUsage =
    "Usage: kivrel-export [QUOTE_FILE]\n"
    "Writes the board of a Kivrel quote file (default DATA/STOCK.LST) as CSV\n"
    "on standard output: UTF-8, a title row of the 15 column titles, then one\n"
    "row per stock with the texts the board shows.\n"
    "\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n";

}  // namespace

int main(int argc, char* argv[]) {
  std::string file = "DATA/STOCK.LST";
  bool fileGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if (arg == "--version") {
      std::cout << "kivrel-export " KIVREL_VERSION "\n";
      return 0;
    }
    if ((arg.size() > 1 && arg[0] == '-') || fileGiven) {
      std::cerr << "kivrel-export: unexpected argument '" << arg << "' (see --help)\n";
      return 2;
    }
    file = arg;
    fileGiven = true;
  }
  if (!kivrel::PathExists(file)) {
    std::cerr << "kivrel-export: " << file << ": no such quote file\n";
    return 1;
  }
  kivrel::TStringListPtr store = kivrel::NewStringList(true);
  try {
    kivrel::LoadStockFile(*store, file);
  } catch (const std::exception& e) {
    std::cerr << "kivrel-export: " << kivrel::Big5ToUtf8(e.what()) << '\n';
    kivrel::FreeStringList(std::move(store), true);
    return 1;
  }
  kivrel::WriteBoardCsv(std::cout, *store);
  kivrel::FreeStringList(std::move(store), true);
  std::cout.flush();
  return std::cout ? 0 : 1;
}
