// Arbitrary bytes as the quote file, loaded through a real file by
// LoadStockFile. The store must hold, in key order, one entry per key of the
// file's complete records, with the key text of the first record of that key
// and the payload of the last. Saving it and loading the saved bytes again
// must give an equal store, which saves to the same bytes.
//
// The save goes through StockFileBytes and a plain write: SaveStockFile adds
// only the atomic replacement (fsync and rename), which has tests of its own
// and would slow every input down by a disk flush.
//
// With KIVREL_FUZZ_SEEDS=<folder> in the environment the target writes its
// seed files into that folder and exits without fuzzing.

#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/file_io.h"
#include "core/lists/list_functions.h"
#include "core/store/stock_store.h"
#include "tools/pages/page_generator.h"
#include "fuzz/seed_mode.h"

namespace {

using namespace kivrel;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// A folder of its own for the quote file of this process, removed at exit.
class TempQuoteFile {
 public:
  TempQuoteFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kivrel-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("fuzz_quote_file: mkdtemp");
      std::abort();
    }
    folder_ = pattern;
    path_ = folder_ + "/STOCK.LST";
  }
  ~TempQuoteFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TempQuoteFile(const TempQuoteFile&) = delete;
  TempQuoteFile& operator=(const TempQuoteFile&) = delete;

  const std::string& Path() const { return path_; }

  // A new file each time: truncating the old one would make the file system
  // flush it on close, which costs more than all the rest of an input.
  void Write(std::string_view bytes) const {
    Check(::unlink(path_.c_str()) == 0 || errno == ENOENT);
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    Check(f != nullptr);
    Check(bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
    Check(std::fclose(f) == 0);
  }

 private:
  std::string folder_;
  std::string path_;
};

const TempQuoteFile& QuoteFile() {
  static const TempQuoteFile file;
  return file;
}

TStringListPtr Load(std::string_view bytes) {
  QuoteFile().Write(bytes);
  TStringListPtr store = NewStringList(true);
  LoadStockFile(*store, QuoteFile().Path());
  return store;
}

struct KeyLess {
  bool operator()(const std::string& a, const std::string& b) const { return TStringList::CompareText(a, b) < 0; }
};

// What the store has to hold: assigning to an equal key keeps the map's first
// key text and takes the new record.
std::map<std::string, StockRecord, KeyLess> ExpectedStore(std::string_view bytes) {
  std::map<std::string, StockRecord, KeyLess> expected;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  for (std::size_t at = 0; at + StockRecord::kSize <= bytes.size(); at += StockRecord::kSize) {
    const TStock stock{StockRecord(data + at)};
    expected.insert_or_assign(stock.GetKey(), stock.Payload);
  }
  return expected;
}

// Seeds ----------------------------------------------------------------------

constexpr double kToday = 45000;

std::string BytesOf(const std::vector<StockRecord>& records) {
  std::string bytes;
  for (const StockRecord& r : records) bytes.append(reinterpret_cast<const char*>(r.Bytes()), StockRecord::kSize);
  return bytes;
}

// The records of a few generated pages of both markets, share, warrant and
// bond pages among them, as the page import makes them.
std::vector<StockRecord> GeneratedRecords(std::uint64_t seed) {
  const pages::GeneratorOptions options{seed, 3};
  const struct { int market, index; } picked[] = {{0, 0}, {0, 1}, {0, 25}, {0, 26}, {0, 27}, {1, 0}, {1, 25}, {1, 26}};
  std::vector<StockRecord> records;
  for (const auto& p : picked) {
    const pages::GeneratedPage page = pages::GeneratePage(options, p.market, p.index);
    for (const pages::GeneratedRow& row : page.Rows) records.push_back(pages::ExpectedRecord(page, row, kToday));
  }
  return records;
}

// The quote file SaveStockFile writes for these records.
std::string SavedFile(const std::vector<StockRecord>& records) {
  TStringListPtr store = NewStringList(true);
  for (const StockRecord& r : records) StoreStock(*store, std::make_unique<TStock>(r));
  std::string bytes = StockFileBytes(*store);
  FreeStringList(std::move(store), true);
  return bytes;
}

StockRecord Record(std::string_view code, std::uint8_t market, std::uint8_t category, float last) {
  StockRecord r;
  r.SetCode(code);
  r.SetName("\xA5x\xAA\x64");  // 台泥
  r.SetMarket(market);
  r.SetCategoryGroup(static_cast<std::uint8_t>(category / 25));
  r.SetCategory(category);
  r.SetQuoteTime(kToday + 0.5);
  r.SetPrevClose(10.0F);
  r.SetLast(last);
  return r;
}

// Records whose keys meet: equal after trimming, equal but for letter case,
// empty codes, a seven-byte code, length bytes beyond the fields' room,
// three-digit key fields; each pair stored in both orders.
std::vector<StockRecord> KeyEdgeRecords() {
  std::vector<StockRecord> records{
      Record("1101", 0, 3, 1.0F),    Record(" 1101\t", 0, 3, 2.0F), Record("ab12", 1, 26, 3.0F),
      Record("AB12", 1, 26, 4.0F),   Record("", 0, 0, 5.0F),        Record("", 0, 0, 6.0F),
      Record("1234567", 0, 1, 7.0F), Record("50", 0, 1, 8.0F),      Record("11011", 0, 1, 9.0F),
  };
  StockRecord wide = Record("9999", 255, 255, 10.0F);
  wide.SetCategoryGroup(255);
  wide.Bytes()[0] = 255;  // code length beyond its 7 bytes of room
  wide.Bytes()[8] = 200;  // name length beyond its 10 bytes of room
  records.push_back(wide);
  std::vector<StockRecord> both = records;
  both.insert(both.end(), records.rbegin(), records.rend());
  return both;
}

void WriteSeeds(const std::string& folder) {
  std::vector<std::pair<std::string, std::string>> seeds;
  for (std::uint64_t seed : {1, 2}) {
    const std::vector<StockRecord> records = GeneratedRecords(seed);
    const std::string saved = SavedFile(records);
    seeds.emplace_back("saved-" + std::to_string(seed), saved);
    // Page order rather than key order, and a trailing partial record.
    seeds.emplace_back("unsorted-" + std::to_string(seed), BytesOf(records) + saved.substr(0, 40));
  }
  seeds.emplace_back("key-edges", BytesOf(KeyEdgeRecords()));
  seeds.emplace_back("empty", "");
  seeds.emplace_back("one-short", BytesOf({Record("2330", 0, 13, 500.0F)}).substr(0, StockRecord::kSize - 1));
  for (const auto& [name, bytes] : seeds) WriteFileAtomically(folder + "/" + name, bytes);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  kivrel::fuzzing::WriteSeedsWhenAsked("fuzz_quote_file", [](const std::string& folder) { WriteSeeds(folder); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  TStringListPtr store = Load(bytes);
  const auto expected = ExpectedStore(bytes);
  Check(static_cast<std::size_t>(store->Count()) == expected.size());
  int i = 0;
  for (const auto& [key, record] : expected) {
    Check(store->Strings(i) == key);
    Check(StockAt(*store, i).Payload == record);
    ++i;
  }

  const std::string saved = StockFileBytes(*store);
  Check(saved.size() == expected.size() * StockRecord::kSize);
  TStringListPtr reloaded = Load(saved);
  Check(reloaded->Count() == store->Count());
  for (int j = 0; j < store->Count(); ++j) {
    // The key text is the first record's and the payload the last one's, so
    // the two keys may differ in letter case and blanks but compare equal.
    Check(TStringList::CompareText(reloaded->Strings(j), store->Strings(j)) == 0);
    Check(reloaded->Strings(j) == StockAt(*reloaded, j).GetKey());
    Check(StockAt(*reloaded, j).Payload == StockAt(*store, j).Payload);
  }
  Check(StockFileBytes(*reloaded) == saved);

  FreeStringList(std::move(reloaded), true);
  FreeStringList(std::move(store), true);
  return 0;
}
