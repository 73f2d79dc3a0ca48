#include "core/store/stock_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
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
  const auto later = batch ? stocks.begin() + present : stocks.end();
  for (auto it = stocks.begin(); it != later; ++it)
    StoreStock(*store, {std::move_iterator(it), std::move_iterator(it + 1)});
  StoreStock(*store, {std::move_iterator(later), std::move_iterator(stocks.end())});
  Outcome out{{}, {}, StockFileBytes(*store)};
  for (int i = 0; i < store->Count(); ++i) {
    std::get<0>(out).push_back(store->Strings(i));
    std::get<1>(out).push_back(std::find(made.begin(), made.end(), store->Objects(i)) - made.begin());
  }
  return out;
}

// A stock whose key is present keeps the stored key text and object and
// gives its payload, in an empty store, one of one stock, or of many; also
// when the batch comes in key order with keys repeated.
TEST(StockStore, BatchStoringEqualsStoringOneByOne) {
  std::mt19937 rng(7);
  std::vector<StockRecord> records;
  for (int i = 0; i < 520; ++i) {
    const std::string code = (rng() % 2 ? "c" : "C") + std::to_string(rng() % 30) + (rng() % 4 ? "" : " ");
    const int market = static_cast<int>(rng() % 2), category = static_cast<int>(rng() % 3);
    records.push_back(Record({code, "N", market, category, 10, static_cast<float>(i)}));
  }
  for (const bool inKeyOrder : {false, true}) {
    if (inKeyOrder) {
      std::stable_sort(records.begin(), records.end(), [](const StockRecord& a, const StockRecord& b) {
        return TStringList::CompareText(TStock(a).GetKey(), TStock(b).GetKey()) < 0;
      });
    }
    for (const long present : {0, 1, 20}) {
      EXPECT_EQ(StoreAll(records, present, true), StoreAll(records, present, false)) << present << inKeyOrder;
    }
  }
}

// What storing reports: the stocks that changed with their payload before,
// and the new ones; a stock stored again unchanged is neither.
TEST(StockStore, ReportsChangedAndNewStocks) {
  const TStockListPtr store = NewStockList();
  const auto batch = [](std::initializer_list<StockRecord> records) {
    std::vector<std::unique_ptr<TStock>> stocks;
    for (const StockRecord& r : records) stocks.push_back(std::make_unique<TStock>(r));
    return stocks;
  };
  const StockRecord a = Record({.Code = "1101", .Last = 10}), b = Record({.Code = "1102", .Last = 11});
  TStoreChanges first, second;
  StoreStock(*store, batch({a, b}), &first);
  EXPECT_EQ(first.Added.size(), 2u);
  StoreStock(*store, batch({Record({.Code = "1100"}), Record({.Code = "1102", .Last = 12}), a}), &second);
  ASSERT_EQ(second.Updated.size(), 1u);
  EXPECT_EQ(second.Updated[0].Stock, &StockAt(*store, 2));
  EXPECT_EQ(second.Updated[0].Before, b);
  ASSERT_EQ(second.Added.size(), 1u);
  EXPECT_EQ(second.Added[0], &StockAt(*store, 0));
}

// Records a board cannot have made are counted, never refused.
TEST(QuoteFile, CountsRecordsThatCannotBeQuotes) {
  const testing::TempDir dir;
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<StockRecord> records = {
      Record({}),  // a quote
      Record({.Code = "11\x01"
                      "1"}),                  // a control byte in the code
      Record({.Market = 2}),                  // no such market
      Record({.Market = 1, .Category = 27}),  // beyond the over-the-counter table
      Record({.Market = 0, .Category = 27}),  // the last listed category: a quote
      Record({.PrevClose = inf}),             // not a finite value
  };
  records.push_back(Record({}));
  records.back().SetCategoryGroup(1);  // a group that does not follow from the category
  records.push_back(Record({}));
  records.back().Bytes()[8] = 11;  // a name longer than its field
  std::string bytes;
  for (const StockRecord& r : records) bytes += FileBytes({r});
  testing::WriteBytes(dir / "STOCK.LST", bytes + "x");
  const TStockListPtr store = NewStockList();
  const TQuoteFileRead read = LoadStockFile(*store, dir / "STOCK.LST");
  EXPECT_EQ(std::pair(read.Records, read.NotQuotes), std::pair(records.size(), std::size_t{6}));
}

// Out of key order, a key twice, odd bytes after the short strings' texts and
// a partial record at the end: saved in key order, one record per key, the
// last one's bytes.
TEST(QuoteFile, CraftedFileSavesInKeyOrderOneRecordPerKeyByteForByte) {
  const testing::TempDir dir;
  const std::string file = dir / "STOCK.LST";
  StockRecord a = Record({.Code = "2330", .Category = 13, .Last = 1}), b = Record({.Code = "1101", .Last = 2}),
              b2 = Record({.Code = " 1101", .Last = 3}), c = Record({.Code = "5483", .Market = 1, .Last = 4});
  for (StockRecord* r : {&a, &b, &b2, &c}) {
    for (const std::size_t i : {6u, 7u, 13u, 18u}) r->Bytes()[i] = static_cast<std::uint8_t>(0xC0 + i);
  }
  testing::WriteBytes(file, FileBytes({c, a, b, b2}) + "partial");
  const TStockListPtr store = NewStockList();
  LoadStockFile(*store, file);
  SaveStockFile(*store, file);
  EXPECT_EQ(testing::ReadBytes(file), FileBytes({b2, a, c}));
}

}  // namespace kivrel
