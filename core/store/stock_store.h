#pragma once
// The quote store (a sorted string list of StockKey to TStock, duplicates
// ignored) and the quote file, a bare sequence of 66-byte records in key order.

#include <memory>
#include <string>
#include <vector>

#include "core/io/file_io.h"
#include "core/lists/list_functions.h"
#include "core/store/stock.h"

namespace kivrel {

// Frees the store with every stock attached to it.
struct TStockListDeleter {
  void operator()(TStringList* list) const { FreeStringList(TStringListPtr(list), /*freeObjects=*/true); }
};
// The quote store's owner: the stocks go with the list.
using TStockListPtr = std::unique_ptr<TStringList, TStockListDeleter>;

// A new, empty store: sorted, duplicates ignored.
inline TStockListPtr NewStockList() { return TStockListPtr(NewStringList(/*sorted=*/true).release()); }

// The one rule by which stocks enter the store: a stock whose key is present
// overwrites the payload of the stored stock (which keeps its key text, its
// object and its place) and is freed; otherwise it is inserted in key order.
void StoreStock(TStringList& stockList, std::unique_ptr<TStock> stock);

// StoreStock for each stock in order, with the same outcome, in
// O(n log n + size of the store) instead of one insertion at a time.
void StoreStocks(TStringList& stockList, std::vector<std::unique_ptr<TStock>> stocks);

// Stores every complete 66-byte record of the file (read whole, in one read);
// a trailing partial record is ignored. A missing file leaves the store as it
// is; an unreadable one throws FileError and leaves it unchanged too.
void LoadStockFile(TStringList& stockList, const std::string& fileName);

// The payloads of the store in list order, 66 bytes each.
std::string StockFileBytes(const TStringList& stockList);

// Writes StockFileBytes in one write, replacing the file atomically; with
// `expected`, only when the file still matches it.
void SaveStockFile(const TStringList& stockList, const std::string& fileName, TFileSystem& fs = RealFileSystem(),
                   const FileStamp* expected = nullptr);

// The stock attached to entry `index` of the store.
inline TStock& StockAt(const TStringList& stockList, int index) {
  return *static_cast<TStock*>(stockList.Objects(index));
}

}  // namespace kivrel
