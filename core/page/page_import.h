#pragma once
// Filling the quote store from the saved listing pages: one page per entry of
// the two category tables, "<sourceDir>/<entry>.html", read in table order
// (all listed-market pages, then all over-the-counter pages) and rows in
// page order. Each row whose cell 0 is a code cell becomes one StockRecord
// with the entry's market, group (index / CategoriesPerGroup, rounded down) and category
// (the index), and goes into the store as StoreStock would put it there.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/file_io.h"
#include "core/lists/string_list.h"
#include "core/page/current_date.h"
#include "core/store/stock.h"

namespace kivrel {

// A page whose cell lines do not make whole rows. The message is exactly
// kPageFormatError (原始檔案格式有誤!!!); FileName() tells which page.
class PageFormatError : public std::runtime_error {
 public:
  explicit PageFormatError(std::string fileName);
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
};

// Where the category of one page goes in its records.
struct PageCategory {
  std::uint8_t Market = 0;  // 0 listed, 1 over-the-counter
  std::uint8_t Index = 0;   // entry index in the market's table
};

// The file of a table entry (a Big5 text). File names on disk are UTF-8, so the
// UTF-8 form of the entry is tried first, then the raw Big5 bytes; when
// neither exists the UTF-8 name is given.
std::string PageFileName(const std::string& sourceDir, std::string_view entry);

// The cell lines of a page as views into `text`, split and chosen exactly as
// TStringList::SetText and FilterCellLines do it.
std::vector<std::string_view> CellLineViews(std::string_view text);

// Reads the rows of one page's cell lines (whole rows of CellsPerRow lines)
// into `stocks`, in page order. `today` dates the quote times. A conversion
// error leaves with the rows before the failing one in `stocks`.
void ReadPageRows(std::vector<std::unique_ptr<TStock>>& stocks, std::span<const std::string_view> cellLines,
                  PageCategory category, double today);

// One page's bytes: split into lines, filtered and read into the store.
// `fileName` names the page in errors. Throws PageFormatError when the cell
// lines do not make whole rows, and nothing of the page is stored then; a
// ConvertError leaves with the rows before the failing one stored.
void ImportPageText(TStringList& stockList, std::string_view pageText, PageCategory category, double today,
                    const std::string& fileName = {});

// Called for a page path that holds something other than a readable
// regular file (a folder, a FIFO, a device, a dangling link): the page is
// skipped like a missing one. The error names the path and why.
using SkippedPage = std::function<void(const FileError&)>;

// Every page of both tables into the store; a missing page contributes
// nothing, and a path that is not a regular file is skipped (reported to
// `skipped`). Stops at the first page that fails (PageFormatError,
// ConvertError, or FileError for a regular file that cannot be read); the
// stocks of the pages before it, and of its rows before a failing row, stay
// in the store.
void ImportSourcePages(TStringList& stockList, const TStringList& listedCategories, const TStringList& otcCategories,
                       const std::string& sourceDir, double today = CurrentDate(), const SkippedPage& skipped = {});

}  // namespace kivrel
