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

// What storing did to the store, for whoever shows it.
struct TStoreChanges {
  struct TUpdated {
    TStock* Stock;
    StockRecord Before;  // the payload it had
  };
  std::vector<TUpdated> Updated;  // stocks present before whose payload changed
  std::vector<TStock*> Added;     // stocks new to the store, in key order
};

// The one rule by which stocks enter the store, for a batch of new stocks in
// the order they are stored: a stock whose key is present overwrites the
// payload of the stored stock (which keeps its key text, its object and its
// place) and is freed; otherwise it is inserted in key order. Of several
// stocks with one key, the first gives the key text and object, the last the
// payload. Takes O(n log n + size of the store); a batch whose keys all come
// in order after the store's last key is appended without a lookup.
void StoreStock(TStringList& stockList, std::vector<std::unique_ptr<TStock>> stocks, TStoreChanges* changes = nullptr);

// A record that the board cannot have made: a code holding control bytes, a
// text longer than its field, a market or category outside the category
// tables, a group that does not follow from its category, or a value or quote
// time that is not a finite number. Such records still load and show as the
// format allows.
bool IsQuoteRecord(const StockRecord& record);

// What reading a quote file found.
struct TQuoteFileRead {
  std::size_t Records = 0;    // whole 66-byte records
  std::size_t NotQuotes = 0;  // of them, records that fail IsQuoteRecord
  FileStamp Stamp;            // the file as read; Exists is false when there was none
};

// Stores every complete 66-byte record of the file (read whole, in one read);
// a trailing partial record is ignored. A missing file leaves the store as it
// is; an unreadable one (a link to nothing included) throws FileError and
// leaves it unchanged too.
TQuoteFileRead LoadStockFile(TStringList& stockList, const std::string& fileName);

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
