#pragma once
// Filling the quote store from the saved listing pages: one page per entry of
// the two category tables, "<sourceDir>/<entry>.html", read in table order
// (all listed-market pages, then all over-the-counter pages) and rows in
// page order. Each row whose cell 0 is a code cell becomes one StockRecord
// with the entry's market, group (index / CategoriesPerGroup, rounded down)
// and category (the index), and goes into the store by StoreStock.
//
// Reading a page and storing it are two steps: pages are read anywhere (a
// worker thread) into TPageRead values that touch no store, and stored on
// the store's own thread. A page that cannot be read whole is a fault of
// that page only: the import goes on with the next one.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/lists/string_list.h"
#include "core/page/current_date.h"
#include "core/page/text_conversion.h"
#include "core/store/stock.h"
#include "core/store/stock_store.h"

namespace kivrel {

// Where the category of one page goes in its records.
struct PageCategory {
  std::uint8_t Market = 0;  // 0 listed, 1 over-the-counter
  std::uint8_t Index = 0;   // entry index in the market's table
  friend bool operator==(const PageCategory&, const PageCategory&) = default;
};

// Why a page could not be read whole, with what a message needs.
struct TPageFault {
  enum class TKind : std::uint8_t {
    PartRow,     // its cell lines do not make whole rows (原始檔案格式有誤!!!)
    Number,      // a number cell does not convert
    Time,        // a time cell is not a time of day
    Range,       // a number beyond the single-precision range
    Unreadable,  // the file could not be read (Error says why)
  };
  TKind Kind = TKind::PartRow;
  // The page's line (1-based) of the cell that did not convert, or of the
  // first cell line of the part row; 0 for an unreadable page.
  std::size_t Line = 0;
  // Big5: the text that did not convert, or the line that begins the part
  // row, cut after 80 bytes between characters.
  std::string Text;
  int Error = 0;  // Unreadable: the FileError's error number or kind
  friend bool operator==(const TPageFault&, const TPageFault&) = default;
};

// One page as read from the folder, before any of it is stored.
struct TPageRead {
  enum class TState : std::uint8_t {
    Missing,  // no file of that name: contributes nothing, no message
    Skipped,  // the path holds no regular file (a folder, a FIFO, a link to nothing)
    Read,     // read; Fault tells whether whole
  };
  PageCategory Category;
  std::string FileName;
  TState State = TState::Missing;
  int SkipReason = 0;  // Skipped: ENOENT for a link to nothing, else FileError::kNotRegularFile
  // The rows read, in page order; of a faulty page, the rows before its fault.
  std::vector<std::unique_ptr<TStock>> Stocks;
  std::optional<TPageFault> Fault;
};

// The file of a table entry (a Big5 text). File names on disk are UTF-8, so the
// UTF-8 form of the entry is tried first, then the raw Big5 bytes; when
// neither exists the UTF-8 name is given.
std::string PageFileName(const std::string& sourceDir, std::string_view entry);

// Reads the rows of one page's cell lines (whole rows of CellsPerRow lines)
// into `stocks`, in page order. `today` dates the quote times. A cell that
// does not convert ends the reading: the index of its cell line and the error
// are given back, with the rows before it in `stocks`.
struct TCellFault {
  std::size_t Cell;
  ConvertError Error;
};
std::optional<TCellFault> ReadPageRows(std::vector<std::unique_ptr<TStock>>& stocks,
                                       std::span<const std::string_view> cellLines, PageCategory category,
                                       double today);

// One page's bytes read into a TPageRead (State Read): its rows, or its
// fault. A page whose cell lines do not make whole rows gives no row at all.
TPageRead ReadPageText(std::string_view pageText, PageCategory category, double today, std::string fileName);

// Reads the page files of the tables' entries from `sourceDir` (all of
// them, or those `wanted` names), in table order. Touches no store, so it may
// run on any thread.
using WantedPage = std::function<bool(PageCategory)>;
std::vector<TPageRead> ReadSourcePages(const TStringList& listedCategories, const TStringList& otcCategories,
                                       const std::string& sourceDir, double today, const WantedPage& wanted = {});

// What storing a set of pages did.
struct TImportReport {
  int PagesFound = 0;                   // pages that exist (read, faulty or skipped)
  std::vector<std::string> ReadWhole;   // pages read without a fault
  std::vector<std::string> EmptyPages;  // of these, pages that gave no row (a saved error page)
  std::vector<std::pair<std::string, TPageFault>> Faulty;
  std::vector<std::pair<std::string, int>> Skipped;  // path and reason, as TPageRead::SkipReason
  int Stocks = 0;                                    // rows stored
};

// What becomes of the rows a faulty page gave before its fault: a store
// built from the pages keeps them; a store that already holds the page's
// stocks keeps their previous quotes instead.
enum class TFaultyPageRows : std::uint8_t { Keep, Drop };

// Stores the rows of `pages` into the store in one batch, in page order, and
// reports. Stocks that the pages no longer list keep their quotes: nothing
// leaves the store.
TImportReport StorePages(TStringList& stockList, std::vector<TPageRead> pages, TFaultyPageRows faultyRows,
                         TStoreChanges* changes = nullptr);

// Every page of both tables into the store, a faulty page's rows before its
// fault included; the import goes on past faulty, unreadable and skipped
// pages and reports them.
TImportReport ImportSourcePages(TStringList& stockList, const TStringList& listedCategories,
                                const TStringList& otcCategories, const std::string& sourceDir,
                                double today = CurrentDate(), TStoreChanges* changes = nullptr);

}  // namespace kivrel
