#include "core/store/stock_store.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/text/fixed_texts.h"

namespace kivrel {

void StoreStock(TStringList& stockList, std::vector<std::unique_ptr<TStock>> stocks, TStoreChanges* changes) {
  const auto less = [](std::string_view a, std::string_view b) { return TStringList::CompareText(a, b) < 0; };
  // Keys in order and all beyond the store's last one (a quote file into an
  // empty store, a page after the pages before it) go in as they are.
  std::vector<TStringEntry> entries;
  entries.reserve(stocks.size());
  const std::string* last = stockList.Count() > 0 ? &stockList.Entries().back().Text : nullptr;
  for (const std::unique_ptr<TStock>& stock : stocks) {
    std::string key = stock->GetKey();
    if (last != nullptr && !less(*last, key)) break;
    last = &entries.emplace_back(TStringEntry{std::move(key), stock.get()}).Text;  // reserved: stays put
  }
  if (entries.size() == stocks.size()) {
    for (std::unique_ptr<TStock>& stock : stocks) {
      if (changes != nullptr) changes->Added.push_back(stock.get());
      stock.release();
    }
    stockList.MergeSorted(std::move(entries));
    return;
  }

  // Each stock's key with its place in `stocks`, the order of storing.
  struct Keyed {
    std::string Key;
    std::size_t Index;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(stocks.size());
  for (std::size_t i = 0; i < stocks.size(); ++i) keyed.push_back({stocks[i]->GetKey(), i});
  std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) { return less(a.Key, b.Key); });
  std::vector<TStringEntry> added;
  added.reserve(keyed.size());
  for (std::size_t run = 0; run < keyed.size();) {
    std::size_t end = run + 1;
    while (end < keyed.size() && !less(keyed[run].Key, keyed[end].Key)) ++end;
    // Within a run of equal keys the first stock stored gives key text and
    // object, the last one the payload.
    const StockRecord& payload = stocks[keyed[end - 1].Index]->Payload;
    int found = 0;
    if (stockList.Count() > 0 && stockList.Find(keyed[run].Key, found)) {
      TStock& stored = StockAt(stockList, found);
      if (changes != nullptr && !(stored.Payload == payload)) changes->Updated.push_back({&stored, stored.Payload});
      stored.Payload = payload;
    } else {
      std::unique_ptr<TStock>& first = stocks[keyed[run].Index];
      first->Payload = payload;
      if (changes != nullptr) changes->Added.push_back(first.get());
      added.push_back({std::move(keyed[run].Key), first.release()});
    }
    run = end;
  }
  stockList.MergeSorted(std::move(added));
  // Stocks not taken into the store are freed with `stocks`.
}

namespace {

// Entries of a comma-separated category table.
constexpr std::size_t TableSize(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1;
}
constexpr std::size_t kCategoryCounts[] = {TableSize(kListedCategoriesText), TableSize(kOtcCategoriesText)};
static_assert(kCategoryCounts[0] == 28 && kCategoryCounts[1] == 27);
// A category's group: its index in the table, 25 to a group.
constexpr std::size_t kCategoriesPerGroup = 25;

// The short string's stored length fits its field and its text has no control byte.
bool IsCleanShortString(std::uint8_t length, std::size_t capacity, std::string_view text) {
  return length <= capacity && std::none_of(text.begin(), text.end(),
                                            [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

}  // namespace

bool IsQuoteRecord(const StockRecord& r) {
  const std::uint8_t* bytes = r.Bytes();
  if (!IsCleanShortString(bytes[0], StockRecord::kCodeCapacity, r.Code())) return false;
  if (bytes[8] > StockRecord::kNameCapacity) return false;
  if (r.Market() > 1 || r.Category() >= kCategoryCounts[r.Market()] ||
      r.CategoryGroup() != r.Category() / kCategoriesPerGroup)
    return false;
  const float values[] = {r.PrevClose(), r.Bid(),  r.Ask(), r.Last(),  r.Change(),
                          r.Open(),      r.High(), r.Low(), r.Volume()};
  return std::isfinite(r.QuoteTime()) &&
         std::all_of(std::begin(values), std::end(values), [](float v) { return std::isfinite(v); });
}

TQuoteFileRead LoadStockFile(TStringList& stockList, const std::string& fileName) {
  TQuoteFileRead read;
  if (!PathExists(fileName)) return read;
  if (KindOf(fileName) == FileKind::DanglingLink)
    throw FileError(FileError::Op::Open, fileName, FileError::kDanglingLink);
  const std::string data = ReadWholeFile(fileName, &read.Stamp);
  read.Records = data.size() / StockRecord::kSize;
  std::vector<std::unique_ptr<TStock>> stocks;
  stocks.reserve(read.Records);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
  for (std::size_t i = 0; i < read.Records; ++i) {
    auto& stock = stocks.emplace_back(std::make_unique<TStock>(StockRecord(bytes + i * StockRecord::kSize)));
    if (!IsQuoteRecord(stock->Payload)) ++read.NotQuotes;
  }
  StoreStock(stockList, std::move(stocks));
  return read;
}

std::string StockFileBytes(const TStringList& stockList) {
  std::string buffer(static_cast<std::size_t>(stockList.Count()) * StockRecord::kSize, '\0');
  char* out = buffer.data();
  for (const TStringEntry& entry : stockList.Entries()) {
    std::memcpy(out, static_cast<const TStock*>(entry.Object)->Payload.Bytes(), StockRecord::kSize);
    out += StockRecord::kSize;
  }
  return buffer;
}

void SaveStockFile(const TStringList& stockList, const std::string& fileName, TFileSystem& fs,
                   const FileStamp* expected) {
  WriteFileAtomically(fileName, StockFileBytes(stockList), fs, expected);
}

}  // namespace kivrel
