// Any bytes as the quote file: the store loaded from them equals the one
// that storing its records one by one gives, is in strict key order, each
// key that of its stock, and its bytes (what a save writes) load into the
// same store again. The file is a memfd, so that no input waits for a disk.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "core/store/stock_store.h"
#include "seed_mode.h"
#include "tools/pages/page_generator.h"

using namespace kivrel;

static void Check(bool condition) {
  if (!condition) __builtin_trap();
}

static TStockListPtr Load(std::string_view bytes) {
  static const int fd = ::memfd_create("STOCK.LST", 0);
  Check(::ftruncate(fd, 0) == 0 && ::pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
  TStockListPtr store = NewStockList();
  LoadStockFile(*store, "/proc/self/fd/" + std::to_string(fd));
  return store;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::WriteSeedsWhenAsked("fuzz_quote_file", [](const std::string& folder) {
    const TStockListPtr store = NewStockList();  // pages of both markets, codes once in lower case
    for (const auto& [market, index] : {std::pair{1, 26}, {0, 0}, {0, 26}}) {
      pages::GeneratedPage page = pages::GeneratePage({.Seed = 1, .ShareRows = 3}, market, index);
      page.Rows[0].Code = "ab1", page.Rows[1].Code = "AB1 ";
      for (const auto& row : page.Rows) StoreStock(*store, std::make_unique<TStock>(ExpectedRecord(page, row, 0)));
    }
    const std::string saved = StockFileBytes(*store);
    const std::vector<std::string> seeds = {"", saved, saved.substr(600) + saved.substr(0, 640)};
    fuzzing::WriteNumberedSeeds(folder, seeds, [](const std::string& s) { return s; });
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TStockListPtr store = Load({reinterpret_cast<const char*>(data), size});
  const std::string saved = StockFileBytes(*store);
  const TStockListPtr again = Load(saved), oneByOne = NewStockList();
  for (std::size_t at = 0; at + StockRecord::kSize <= size; at += StockRecord::kSize) {
    StoreStock(*oneByOne, std::make_unique<TStock>(StockRecord(data + at)));
  }
  Check(again->Count() == store->Count() && StockFileBytes(*again) == saved && StockFileBytes(*oneByOne) == saved);
  for (int i = 0; i < store->Count(); ++i) {
    Check(store->Strings(i) == oneByOne->Strings(i));  // again: the key of the last record, equal but for case
    Check(TStringList::CompareText(again->Strings(i), store->Strings(i)) == 0);
    Check(TStringList::CompareText(store->Strings(i), StockAt(*store, i).GetKey()) == 0);
    Check(i == 0 || TStringList::CompareText(store->Strings(i - 1), store->Strings(i)) < 0);
  }
  return 0;
}
