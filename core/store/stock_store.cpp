#include "core/store/stock_store.h"

#include <algorithm>
#include <cstring>

namespace kivrel {

void StoreStock(TStringList& stockList, std::unique_ptr<TStock> stock) {
  std::string key = stock->GetKey();
  int index = 0;
  if (stockList.Find(key, index)) {
    StockAt(stockList, index).Payload = stock->Payload;
    return;  // the new stock is freed here
  }
  stockList.AddObject(std::move(key), stock.release());
}

void StoreStocks(TStringList& stockList, std::vector<std::unique_ptr<TStock>> stocks) {
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
    for (std::unique_ptr<TStock>& stock : stocks) stock.release();
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
      StockAt(stockList, found).Payload = payload;
    } else {
      std::unique_ptr<TStock>& first = stocks[keyed[run].Index];
      first->Payload = payload;
      added.push_back({std::move(keyed[run].Key), first.release()});
    }
    run = end;
  }
  stockList.MergeSorted(std::move(added));
  // Stocks not taken into the store are freed with `stocks`.
}

void LoadStockFile(TStringList& stockList, const std::string& fileName) {
  if (!PathExists(fileName)) return;
  const std::string data = ReadWholeFile(fileName);
  const std::size_t n = data.size() / StockRecord::kSize;
  std::vector<std::unique_ptr<TStock>> stocks;
  stocks.reserve(n);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
  for (std::size_t i = 0; i < n; ++i) {
    stocks.push_back(std::make_unique<TStock>(StockRecord(bytes + i * StockRecord::kSize)));
  }
  StoreStocks(stockList, std::move(stocks));
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
