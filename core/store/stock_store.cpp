#include "core/store/stock_store.h"

#include <algorithm>
#include <cstring>

#include "core/io/file_io.h"

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
  // Each stock's key, with its position in `stocks` (the order of storing)
  // held in the entry's object field until the stock is taken.
  std::vector<TStringEntry> entries;
  entries.reserve(stocks.size());
  for (std::size_t i = 0; i < stocks.size(); ++i) {
    entries.push_back({stocks[i]->GetKey(), reinterpret_cast<TObject*>(i)});
  }
  const auto less = [](const TStringEntry& a, const TStringEntry& b) {
    return TStringList::CompareText(a.Text, b.Text) < 0;
  };
  const auto indexOf = [](const TStringEntry& e) { return reinterpret_cast<std::size_t>(e.Object); };

  // A quote file written by the program is in strict key order: into an
  // empty store it goes as it is.
  const bool strictlyAscending =
      std::adjacent_find(entries.begin(), entries.end(), [&](const auto& a, const auto& b) { return !less(a, b); }) ==
      entries.end();
  if (strictlyAscending && stockList.Count() == 0) {
    for (TStringEntry& e : entries) e.Object = stocks[indexOf(e)].release();
    stockList.MergeSorted(std::move(entries));
    return;
  }
  if (!strictlyAscending) std::stable_sort(entries.begin(), entries.end(), less);

  std::size_t kept = 0;
  for (std::size_t run = 0; run < entries.size();) {
    std::size_t end = run + 1;
    while (end < entries.size() && !less(entries[run], entries[end])) ++end;
    // Within a run of equal keys the first stock stored gives key text and
    // object, the last one the payload.
    const StockRecord& payload = stocks[indexOf(entries[end - 1])]->Payload;
    int found = 0;
    if (stockList.Count() > 0 && stockList.Find(entries[run].Text, found)) {
      StockAt(stockList, found).Payload = payload;
    } else {
      std::unique_ptr<TStock>& first = stocks[indexOf(entries[run])];
      first->Payload = payload;
      if (kept != run) entries[kept].Text = std::move(entries[run].Text);
      entries[kept].Object = first.release();
      ++kept;
    }
    run = end;
  }
  entries.resize(kept);
  stockList.MergeSorted(std::move(entries));
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

void SaveStockFile(const TStringList& stockList, const std::string& fileName) {
  WriteFileAtomically(fileName, StockFileBytes(stockList));
}

}  // namespace kivrel
