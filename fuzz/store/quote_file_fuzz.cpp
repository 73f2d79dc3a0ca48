// Any bytes as quote-file records: a store that takes the first few of them
// one by one and the rest in one batch holds the same bytes as one that takes
// them all one by one.
#include "core/store/stock_store.h"
#include "seed_mode.h"
#include "tools/pages/page_generator.h"

using namespace kivrel;

namespace {

void StoreOne(TStringList& store, const StockRecord& record) {
  std::vector<std::unique_ptr<TStock>> one;
  one.push_back(std::make_unique<TStock>(record));
  StoreStock(store, std::move(one));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::WriteSeedsWhenAsked([] {
    const pages::GeneratedPage page = pages::GeneratePage({.Seed = 1, .ShareRows = 3}, 1, 26);
    const TStockListPtr store = NewStockList();
    for (const auto& row : page.Rows) StoreOne(*store, ExpectedRecord(page, row, 0));
    const std::string saved = StockFileBytes(*store);  // then out of order, a key twice and a part record
    return std::vector{saved.substr(66) + saved + "part"};
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TStockListPtr batch = NewStockList(), oneByOne = NewStockList();
  std::vector<std::unique_ptr<TStock>> later;  // all but the first data[0] % 4 records
  for (std::size_t at = 0; at + StockRecord::kSize <= size; at += StockRecord::kSize) {
    StoreOne(*oneByOne, StockRecord(data + at));
    if (at < data[0] % 4 * StockRecord::kSize) StoreOne(*batch, StockRecord(data + at));
    if (at >= data[0] % 4 * StockRecord::kSize) later.push_back(std::make_unique<TStock>(StockRecord(data + at)));
  }
  StoreStock(*batch, std::move(later));
  if (StockFileBytes(*batch) != StockFileBytes(*oneByOne)) __builtin_trap();
  return 0;
}
