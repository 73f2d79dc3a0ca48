#include "core/store/stock_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/stocks.h"
#include "support/temp_dir.h"

namespace kivrel {

using testing::FileBytes;
using testing::Record;

TEST(StockKey, Layout) {
  const std::tuple<std::string_view, int, int, std::string> rows[] = {
      // code, market, category, key
      {"1101", 0, 3, "000003  1101"},      {"5483", 1, 26, "010126  5483"}, {" 1101\t", 0, 3, "000003  1101"},
      {"12345678", 0, 3, "0000031234567"}, {"", 0, 0, "000000      "},      {"50", 200, 255, "20010255    50"}};
  for (const auto& [code, market, category, key] : rows) {
    EXPECT_EQ(TStock(Record({.Code = code, .Market = market, .Category = category})).GetKey(), key);
  }
}

// Keys, objects (told by their place in `records`) and bytes of a store that
// takes the first `present` records one by one, the others one by one or in one batch.
using Outcome = std::tuple<std::vector<std::string>, std::vector<long>, std::string>;
Outcome StoreAll(const std::vector<StockRecord>& records, long present, bool batch) {
  std::vector<std::unique_ptr<TStock>> stocks;
  std::vector<const TObject*> made;  // all made before any is freed, so no address comes twice
  for (const StockRecord& r : records) made.push_back(stocks.emplace_back(std::make_unique<TStock>(r)).get());
  const TStockListPtr store = NewStockList();
  const auto later = stocks.begin() + present;
  for (auto it = stocks.begin(); it != (batch ? later : stocks.end()); ++it) StoreStock(*store, std::move(*it));
  if (batch) StoreStocks(*store, {std::make_move_iterator(later), std::make_move_iterator(stocks.end())});
  Outcome out{{}, {}, StockFileBytes(*store)};
  for (int i = 0; i < store->Count(); ++i) {
    std::get<0>(out).push_back(store->Strings(i));
    std::get<1>(out).push_back(std::find(made.begin(), made.end(), store->Objects(i)) - made.begin());
  }
  return out;
}

// A stock whose key is present keeps the stored key text and object and
// gives its payload, in an empty store, one of one stock, or of many.
TEST(StockStore, BatchStoringEqualsStoringOneByOne) {
  std::mt19937 rng(7);
  std::vector<StockRecord> records;
  for (int i = 0; i < 520; ++i) {
    const std::string code = (rng() % 2 ? "c" : "C") + std::to_string(rng() % 30) + (rng() % 4 ? "" : " ");
    const int market = static_cast<int>(rng() % 2), category = static_cast<int>(rng() % 3);
    records.push_back(Record({code, "N", market, category, 10, static_cast<float>(i)}));
  }
  for (const long present : {0, 1, 20}) {
    EXPECT_EQ(StoreAll(records, present, true), StoreAll(records, present, false)) << present;
  }
}

// Out of key order, a key twice, odd bytes after the short strings' texts and
// a partial record at the end: saved in key order, one record per key, the
// last one's bytes, and read back the same.
TEST(QuoteFile, CraftedFileSavesInKeyOrderOneRecordPerKeyByteForByte) {
  const testing::TempDir dir;
  const std::string file = dir / "STOCK.LST";
  StockRecord a = Record({.Code = "2330", .Category = 13, .Last = 1}), b = Record({.Code = "1101", .Last = 2}),
              b2 = Record({.Code = " 1101", .Last = 3}), c = Record({.Code = "5483", .Market = 1, .Last = 4});
  for (StockRecord* r : {&a, &b, &b2, &c}) {
    for (const std::size_t i : {6u, 7u, 13u, 18u}) r->Bytes()[i] = static_cast<std::uint8_t>(0xC0 + i);
  }
  testing::WriteBytes(file, FileBytes({c, a, b, b2}) + "partial");
  const TStockListPtr store = NewStockList(), again = NewStockList();
  LoadStockFile(*store, file);
  SaveStockFile(*store, file);
  EXPECT_EQ(testing::ReadBytes(file), FileBytes({b2, a, c}));
  LoadStockFile(*again, file);
  EXPECT_EQ(StockFileBytes(*again), FileBytes({b2, a, c}));
}

}  // namespace kivrel
