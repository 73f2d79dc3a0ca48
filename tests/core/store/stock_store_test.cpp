#include "core/store/stock_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "support/stocks.h"
#include "support/temp_dir.h"

namespace kivrel {

using testing::FileBytes;
using testing::Record;

std::unique_ptr<TStock> Stock(const testing::Quote& q) { return std::make_unique<TStock>(Record(q)); }

// Code and name are cut to 7 and 10 bytes, and read as no more than that.
TEST(StockRecord, FieldsSitAtTheirOffsets) {
  StockRecord r = Record({"1101", "ABCDEFGHIJKL", 1, 27, 30, 42});  // market, category, previous close, last
  r.SetQuoteTime(45000.5);
  r.SetBid(34), r.SetAsk(38), r.SetChange(46), r.SetOpen(50), r.SetHigh(54), r.SetLow(58), r.SetVolume(62);
  const std::string bytes = FileBytes({r});
  EXPECT_EQ(bytes.substr(0, 22), std::string("\0041101\0\0\0\012ABCDEFGHIJ\001\001\033", 22));
  double time = 0;
  std::memcpy(&time, bytes.data() + 22, sizeof time);
  EXPECT_EQ(time, 45000.5);
  const float read[] = {r.PrevClose(), r.Bid(), r.Ask(), r.Last(), r.Change(), r.Open(), r.High(), r.Low(), r.Volume()};
  for (std::size_t at = 30; at < StockRecord::kSize; at += 4) {
    float stored = 0;
    std::memcpy(&stored, bytes.data() + at, sizeof stored);
    EXPECT_EQ(std::pair(stored, read[(at - 30) / 4]), std::pair(static_cast<float>(at), static_cast<float>(at)));
  }
  r.Bytes()[0] = 255, r.Bytes()[8] = 11;
  EXPECT_EQ(r.Code(), std::string_view("1101\0\0\0", 7));
  EXPECT_EQ(r.Name(), "ABCDEFGHIJ");
}

TEST(StockKey, Layout) {
  const std::tuple<std::string_view, int, int, std::string> rows[] = {
      // code, market, category, key
      {"1101", 0, 3, "000003  1101"},      {"5483", 1, 26, "010126  5483"}, {" 1101\t", 0, 3, "000003  1101"},
      {"12345678", 0, 3, "0000031234567"}, {"", 0, 0, "000000      "},      {"50", 200, 255, "20010255    50"}};
  for (const auto& [code, market, category, key] : rows) {
    EXPECT_EQ(TStock(Record({.Code = code, .Market = market, .Category = category})).GetKey(), key);
  }
}

TEST(StockStore, SameKeyKeepsTheFirstKeyTextAndObjectAndTakesTheLastPayload) {
  const TStockListPtr store = NewStockList();
  StoreStock(*store, Stock({.Code = "ab1", .Last = 1}));
  const TObject* first = store->Objects(0);
  for (const std::string_view code : {"AB1", "ab2", " ab1"}) StoreStock(*store, Stock({.Code = code, .Last = 3}));
  ASSERT_EQ(store->Count(), 2);
  EXPECT_EQ(store->Strings(0), "000000   ab1");
  EXPECT_EQ(store->Objects(0), first);
  EXPECT_EQ(StockAt(*store, 0).Payload, Record({.Code = " ab1", .Last = 3}));
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

TEST(StockStore, BatchStoringEqualsStoringOneByOne) {
  std::mt19937 rng(7);
  std::vector<StockRecord> records;
  for (int i = 0; i < 520; ++i) {
    const std::string code = (rng() % 2 ? "c" : "C") + std::to_string(rng() % 30) + (rng() % 4 ? "" : " ");
    const int market = static_cast<int>(rng() % 2), category = static_cast<int>(rng() % 3);
    records.push_back(Record({code, "N", market, category, 10, static_cast<float>(i)}));
  }
  EXPECT_EQ(StoreAll(records, 20, true), StoreAll(records, 20, false));
}

class QuoteFile : public ::testing::Test {
 protected:
  testing::TempDir dir;
  const std::string file = dir / "STOCK.LST";
  const TStockListPtr store = NewStockList();
};

TEST_F(QuoteFile, LengthDecidesTheRecordCountAndAnEmptyStoreSavesAnEmptyFile) {
  const std::string two = FileBytes({Record({.Code = "1101"}), Record({.Code = "1102"})});
  for (const std::size_t size : {0, 65, 66, 131, 132}) {
    testing::WriteBytes(file, two.substr(0, size));
    const TStockListPtr loaded = NewStockList();
    LoadStockFile(*loaded, file);
    EXPECT_EQ(StockFileBytes(*loaded), two.substr(0, size / 66 * 66)) << size;
  }
  SaveStockFile(*store, file);
  EXPECT_TRUE(std::filesystem::is_regular_file(file) && testing::ReadBytes(file).empty());
}

TEST_F(QuoteFile, MissingOrUnreadableFileLeavesTheStoreAlone) {
  StoreStock(*store, Stock({}));
  LoadStockFile(*store, dir / "missing");
  std::filesystem::create_directory(file);
  EXPECT_THROW(LoadStockFile(*store, file), FileError);
  EXPECT_EQ(StockFileBytes(*store), FileBytes({Record({})}));
}

// Out of key order, a key twice, odd bytes after the short strings' texts.
TEST_F(QuoteFile, CraftedFileSavesInKeyOrderOneRecordPerKeyByteForByte) {
  StockRecord a = Record({.Code = "2330", .Category = 13, .Last = 1}), b = Record({.Code = "1101", .Last = 2}),
              b2 = Record({.Code = " 1101", .Last = 3}), c = Record({.Code = "5483", .Market = 1, .Last = 4});
  for (StockRecord* r : {&a, &b, &b2, &c}) {
    for (const std::size_t i : {6u, 7u, 13u, 18u}) r->Bytes()[i] = static_cast<std::uint8_t>(0xC0 + i);
  }
  testing::WriteBytes(file, FileBytes({c, a, b, b2}) + "partial");
  LoadStockFile(*store, file);
  SaveStockFile(*store, file);
  EXPECT_EQ(testing::ReadBytes(file), FileBytes({b2, a, c}));
  const TStockListPtr again = NewStockList();
  LoadStockFile(*again, file);
  EXPECT_EQ(StockFileBytes(*again), FileBytes({b2, a, c}));
}

}  // namespace kivrel
