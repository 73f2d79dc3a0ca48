#pragma once
// Synthetic saved listing pages, as a browser saves them from the quote
// service: Big5, CR LF, the page's surrounding HTML and one 11-line row per
// stock. Everything follows from the seed, page by page, so a test, a
// benchmark or a fuzz seed can build any one page alone and knows the stock
// record the import has to make of each row.
//
// The HTML is written out here in full (not from the reader's marker
// constants), so that reading the generated pages checks the markers too.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/file_io.h"
#include "core/store/stock_record.h"

namespace kivrel::pages {

struct GeneratorOptions {
  std::uint64_t Seed = 1;
  // Rows of each share category page (entries 0 to 24 of either table); the
  // certificate, warrant and bond pages scale with it.
  int ShareRows = 20;
  // Replace pages that the generator did not write.
  bool Force = false;
};

// The line in the head of every generated page that tells it apart from a
// page someone saved.
inline constexpr std::string_view kGeneratorMark = "<meta name=\"generator\" content=\"kivrel-pages\">";

// Largest ShareRows the generator accepts.
inline constexpr int kMaxShareRows = 10000;

// Hundredths of the page's unit; empty where the page shows the no-data sign.
using Cents = std::optional<std::int64_t>;

enum class ArrowKind { None, Hollow, Filled };

struct GeneratedRow {
  std::string Code;            // Big5 as on the page, also in the link target
  std::string Name;            // Big5, may hold spaces; may be longer than a record holds
  std::optional<int> Minutes;  // time of the quote, minutes after midnight
  Cents Last, Bid, Ask;
  Cents Change;  // signed; the arrow gives the sign on the page
  ArrowKind Arrow = ArrowKind::None;
  std::optional<std::int64_t> Volume;  // lots, written with thousands commas
  Cents PrevClose, Open, High, Low;
};

struct GeneratedPage {
  std::uint8_t Market = 0;         // 0 listed, 1 over-the-counter
  std::uint8_t Index = 0;          // entry index in the market's category table
  std::string Entry;               // the Big5 table entry naming the page
  std::vector<GeneratedRow> Rows;  // in ascending code order
};

// The category table entries of a market (28 listed, 27 over-the-counter).
std::vector<std::string> CategoryEntries(int market);

int PageRowCount(const GeneratorOptions& options, int market, int index);
GeneratedPage GeneratePage(const GeneratorOptions& options, int market, int index);

// The cell lines of one row, without line breaks.
std::vector<std::string> RowCellLines(const GeneratedRow& row);
// The whole page file: Big5, lines ended by CR LF.
std::string PageText(const GeneratedPage& page);

// Single cells as the pages write them; for tests that build odd rows.
std::string CodeCellLine(std::string_view code, std::string_view linkText);
std::string TimeCellLine(std::string_view text);
std::string BoldCellLine(std::string_view text);
std::string DataCellLine(std::string_view text);
std::string ChangeCellLine(std::string_view colour, std::string_view text);

// The record the import makes of a row, computed from the row's numbers:
// "12.34" is 1234 hundredths, read as the single nearest to 1234 / 100.
StockRecord ExpectedRecord(const GeneratedPage& page, const GeneratedRow& row, double today);

struct WriteSummary {
  int Pages = 0;
  std::size_t Stocks = 0;
  std::size_t Bytes = 0;
};

// A trading day of the sample pages, minute by minute from the opening at
// 09:00 to the close at 13:30: every stock that trades opens near its
// previous close; each minute about half of them trade, the last price
// stepping on the tick grid of its band inside the day's limits (a few
// stocks drift until they reach a limit), with the high, the low, the
// volume, the change, the bid and the ask following, and the quote time of a
// trade being the minute. Stocks without trades keep their quotes.
class TMarketDay {
 public:
  static constexpr int kOpening = 9 * 60;
  static constexpr int kClosing = 13 * 60 + 30;

  explicit TMarketDay(const GeneratorOptions& options);
  ~TMarketDay();
  TMarketDay(const TMarketDay&) = delete;
  TMarketDay& operator=(const TMarketDay&) = delete;

  // Minutes after midnight of the quotes now.
  int Minutes() const;
  // One minute further; false (and nothing changes) after the close.
  bool Step();
  const std::vector<GeneratedPage>& Pages() const;

 private:
  struct TState;
  std::unique_ptr<TState> state_;
};

// Writes the day's pages as they stand into `outDir`, each atomically.
void WriteMarketPages(const std::string& outDir, const TMarketDay& day, TFileSystem& fs = RealFileSystem());

// A page in the way that the generator did not write (someone's saved page).
class ForeignPageError : public std::runtime_error {
 public:
  explicit ForeignPageError(std::string path);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// True when `path` is a regular file holding kGeneratorMark in its head.
bool WrittenByGenerator(const std::string& path);
// Throws ForeignPageError for the first page of `outDir` in table order that
// is in the way and was not written by the generator.
void RefuseForeignPages(const std::string& outDir);

// Writes the pages of both tables into `outDir` (created when missing),
// named by the UTF-8 form of their entry plus ".html", each atomically.
// Unless options.Force, a page in the way that the generator did not write
// stops it before anything is written (ForeignPageError). Throws FileError.
WriteSummary WritePages(const std::string& outDir, const GeneratorOptions& options, TFileSystem& fs = RealFileSystem());

}  // namespace kivrel::pages
