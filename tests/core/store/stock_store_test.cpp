#include "core/store/stock_store.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/io/file_io.h"
#include "core/lists/list_functions.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

StockRecord MakeRecord(std::string_view code, int market, int group, int category, float last = 1.0F) {
  StockRecord r;
  r.SetCode(code);
  r.SetName("NAME");
  r.SetMarket(static_cast<std::uint8_t>(market));
  r.SetCategoryGroup(static_cast<std::uint8_t>(group));
  r.SetCategory(static_cast<std::uint8_t>(category));
  r.SetLast(last);
  return r;
}

std::string Bytes(const StockRecord& r) { return {reinterpret_cast<const char*>(r.Bytes()), StockRecord::kSize}; }

// A store that frees its stocks when the test ends.
struct Store {
  TStringListPtr list = NewStringList(true);
  ~Store() { FreeStringList(std::move(list), true); }
  TStringList& operator*() { return *list; }
  TStringList* operator->() { return list.get(); }
};

TEST(StockRecordLayout, FieldsSitAtTheirOffsets) {
  StockRecord r;
  r.SetCode("1101");
  r.SetName("\xA5x\xAA" "d");
  r.SetMarket(1);
  r.SetCategoryGroup(1);
  r.SetCategory(26);
  r.SetQuoteTime(1.5);
  r.SetPrevClose(10.0F);
  r.SetVolume(12345.0F);
  const std::uint8_t* b = r.Bytes();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(b), 5), "\x04" "1101");
  EXPECT_EQ(b[8], 4);
  EXPECT_EQ(b[19], 1);
  EXPECT_EQ(b[21], 26);
  double t;
  std::memcpy(&t, b + 22, 8);
  EXPECT_EQ(t, 1.5);
  float v;
  std::memcpy(&v, b + 62, 4);
  EXPECT_EQ(v, 12345.0F);
  EXPECT_EQ(r.PrevClose(), 10.0F);
}

TEST(StockRecordLayout, ShortStringsAreCutAndClamped) {
  StockRecord r;
  r.SetCode("12345678");
  r.SetName("ABCDEFGHIJKL");
  EXPECT_EQ(r.Code(), "1234567");
  EXPECT_EQ(r.Name(), "ABCDEFGHIJ");
  // Length bytes beyond the room never read past the field.
  r.Bytes()[0] = 255;
  r.Bytes()[8] = 11;
  EXPECT_EQ(r.Code(), "1234567");
  EXPECT_EQ(r.Name(), "ABCDEFGHIJ");
  r.SetCode(std::string_view());  // a null, empty view
  EXPECT_EQ(r.Code(), "");
}

TEST(StockKey, Layout) {
  const struct {
    std::string code;
    int market, group, category;
    std::string key;
  } cases[] = {
      {"1101", 0, 0, 3, "000003  1101"},
      {"5483", 1, 1, 26, "010126  5483"},
      {" 1101 ", 0, 0, 3, "000003  1101"},
      {"", 0, 0, 3, "000003      "},
      {"1234567", 0, 0, 3, "0000031234567"},
      {"ab12", 1, 0, 7, "010007  ab12"},
      {"\t50", 0, 0, 0, "000000    50"},
      {"1101", 200, 0, 0, "2000000  1101"},  // "%2.2d" never cuts
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TStock(MakeRecord(c.code, c.market, c.group, c.category)).GetKey(), c.key) << c.code;
  }
}

TEST(StockStore, OrdersByMarketCategoryThenCodeLength) {
  Store store;
  for (auto [code, market, category] : {std::tuple{"11011", 0, 3}, {"1101", 0, 3}, {"50", 0, 3}, {"1101", 1, 0},
                                        {"2330", 0, 1}}) {
    StoreStock(*store, std::make_unique<TStock>(MakeRecord(code, market, 0, category)));
  }
  std::vector<std::string> keys;
  for (int i = 0; i < store->Count(); ++i) keys.push_back(store->Strings(i));
  EXPECT_EQ(keys, (std::vector<std::string>{"000001  2330", "000003    50", "000003  1101", "000003 11011",
                                            "010000  1101"}));
}

TEST(StockStore, DuplicateKeepsFirstKeyAndObjectTakesLastPayload) {
  Store store;
  StoreStock(*store, std::make_unique<TStock>(MakeRecord("ab1", 0, 0, 3, 1.0F)));
  TObject* first = store->Objects(0);
  StoreStock(*store, std::make_unique<TStock>(MakeRecord("AB1", 0, 0, 3, 2.0F)));
  StoreStock(*store, std::make_unique<TStock>(MakeRecord(" ab1", 0, 0, 3, 3.0F)));
  ASSERT_EQ(store->Count(), 1);
  EXPECT_EQ(store->Strings(0), "000003   ab1");
  EXPECT_EQ(store->Objects(0), first);
  EXPECT_EQ(StockAt(*store, 0).Payload.Last(), 3.0F);
  EXPECT_EQ(StockAt(*store, 0).Payload.Code(), " ab1");
}

TEST(StockStore, BatchStoringMatchesOneByOne) {
  std::mt19937 rng(7);
  std::vector<StockRecord> records;
  for (int i = 0; i < 500; ++i) {
    const int n = static_cast<int>(rng() % 60);
    records.push_back(MakeRecord((rng() % 2 ? "c" : "C") + std::to_string(n), static_cast<int>(rng() % 2), 0,
                                 static_cast<int>(rng() % 3), static_cast<float>(i)));
  }
  Store one, batch;
  StoreStock(*one, std::make_unique<TStock>(MakeRecord("C7", 0, 0, 1, -1.0F)));
  StoreStock(*batch, std::make_unique<TStock>(MakeRecord("C7", 0, 0, 1, -1.0F)));
  std::vector<std::unique_ptr<TStock>> stocks;
  for (const auto& r : records) {
    StoreStock(*one, std::make_unique<TStock>(r));
    stocks.push_back(std::make_unique<TStock>(r));
  }
  StoreStocks(*batch, std::move(stocks));
  ASSERT_EQ(one->Count(), batch->Count());
  for (int i = 0; i < one->Count(); ++i) {
    EXPECT_EQ(one->Strings(i), batch->Strings(i));
    EXPECT_EQ(StockAt(*one, i).Payload, StockAt(*batch, i).Payload);
  }
}

class QuoteFile : public ::testing::Test {
 protected:
  testing::TempDir dir;
  std::string file = dir / "STOCK.LST";
};

TEST_F(QuoteFile, LengthDecidesTheRecordCount) {
  const std::string record = Bytes(MakeRecord("1101", 0, 0, 3));
  const std::string second = Bytes(MakeRecord("1102", 0, 0, 3));
  const struct {
    std::string bytes;
    int stocks;
  } cases[] = {
      {"", 0},
      {record.substr(0, 65), 0},
      {record, 1},
      {record + second.substr(0, 65), 1},
      {record + second, 2},
  };
  for (const auto& c : cases) {
    testing::WriteBytes(file, c.bytes);
    Store store;
    LoadStockFile(*store, file);
    EXPECT_EQ(store->Count(), c.stocks) << c.bytes.size() << " bytes";
  }
}

TEST_F(QuoteFile, MissingFileLeavesStoreAlone) {
  Store store;
  LoadStockFile(*store, dir / "none.LST");
  EXPECT_EQ(store->Count(), 0);
}

TEST_F(QuoteFile, CraftedFileComesBackInKeyOrderMergedByteForByte) {
  StockRecord a = MakeRecord("2330", 0, 0, 13, 1.0F);
  StockRecord b = MakeRecord("1101", 0, 0, 0, 2.0F);
  StockRecord b2 = MakeRecord("1101", 0, 0, 0, 3.0F);
  StockRecord c = MakeRecord("5483", 1, 0, 12, 4.0F);
  // Junk after the short strings' text travels unchanged.
  for (StockRecord* r : {&a, &b, &b2, &c}) {
    for (int i = 5; i < 8; ++i) r->Bytes()[i] = static_cast<std::uint8_t>(0xE0 + i);
    for (int i = 13; i < 19; ++i) r->Bytes()[i] = static_cast<std::uint8_t>(0xA0 + i);
  }
  testing::WriteBytes(file, Bytes(c) + Bytes(a) + Bytes(b) + Bytes(b2) + "partial");
  Store store;
  LoadStockFile(*store, file);
  SaveStockFile(*store, file);
  EXPECT_EQ(testing::ReadBytes(file), Bytes(b2) + Bytes(a) + Bytes(c));

  Store again;
  LoadStockFile(*again, file);
  SaveStockFile(*again, file);
  EXPECT_EQ(testing::ReadBytes(file), Bytes(b2) + Bytes(a) + Bytes(c));
}

TEST_F(QuoteFile, EmptyStoreSavesZeroLengthFile) {
  testing::WriteBytes(file, "old content");
  Store store;
  SaveStockFile(*store, file);
  EXPECT_TRUE(FileExists(file));
  EXPECT_EQ(testing::ReadBytes(file), "");
}

TEST_F(QuoteFile, UnreadableFileThrowsAndStoresNothing) {
  std::filesystem::create_directory(file);  // a folder where the file should be
  Store store;
  EXPECT_THROW(LoadStockFile(*store, file), FileError);
  EXPECT_EQ(store->Count(), 0);
}

TEST_F(QuoteFile, FailedSaveLeavesTheOldFileWhole) {
  const std::string old = Bytes(MakeRecord("1101", 0, 0, 3));
  testing::WriteBytes(file, old);
  Store store;
  StoreStock(*store, std::make_unique<TStock>(MakeRecord("2330", 0, 0, 13)));
  SetSaveFaultHook([](SaveStage stage) {
    return stage == SaveStage::MidWrite ? ENOSPC : 0;
  });
  EXPECT_THROW(SaveStockFile(*store, file), FileError);
  SetSaveFaultHook(nullptr);
  EXPECT_EQ(testing::ReadBytes(file), old);
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace kivrel
