#include "core/page/page_import.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "core/io/file_io.h"
#include "core/page/page_cells.h"
#include "core/page/page_format.h"
#include "core/page/text_conversion.h"
#include "core/store/stock_store.h"
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"

namespace kivrel {

PageFormatError::PageFormatError(std::string fileName)
    : std::runtime_error(std::string(kPageFormatError)), fileName_(std::move(fileName)) {}

std::string PageFileName(const std::string& sourceDir, std::string_view entry) {
  const std::string prefix = sourceDir + "/";
  std::string utf8 = prefix + Big5ToUtf8(entry) + ".html";
  if (PathExists(utf8)) return utf8;
  std::string raw = prefix + std::string(entry) + ".html";
  if (PathExists(raw)) return raw;
  return utf8;
}

namespace {

// Both cell markers begin with this text, so one search finds the places
// where either may stand.
constexpr std::string_view kCellMarkStart = "<td align=";
static_assert(CodeCellMark.starts_with(kCellMarkStart) && DataCellMark.starts_with(kCellMarkStart));

// IsCodeCell(line) || IsDataCell(line), in one pass over the line.
bool IsCellLine(std::string_view line) {
  for (std::size_t at = line.find(kCellMarkStart); at != std::string_view::npos;
       at = line.find(kCellMarkStart, at + 1)) {
    const std::string_view rest = line.substr(at);
    if (rest.starts_with(DataCellMark) || rest.starts_with(CodeCellMark)) return true;
  }
  return false;
}

// Position of the next `c` at or after `from`, or the text's size.
std::size_t Next(std::string_view text, std::size_t from, char c) {
  const void* hit = std::memchr(text.data() + from, c, text.size() - from);
  return hit != nullptr ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : text.size();
}

}  // namespace

std::vector<std::string_view> CellLineViews(std::string_view text) {
  text = text.substr(0, Next(text, 0, '\0'));
  std::vector<std::string_view> lines;
  // The next CR and LF are each looked up once and kept until passed, so
  // the split stays linear whichever breaks the text uses.
  std::size_t cr = Next(text, 0, '\r');
  std::size_t lf = Next(text, 0, '\n');
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (cr < pos) cr = Next(text, pos, '\r');
    if (lf < pos) lf = Next(text, pos, '\n');
    const std::size_t end = std::min(cr, lf);
    const std::string_view line = text.substr(pos, end - pos);
    if (IsCellLine(line)) lines.push_back(line);
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

void ReadPageRows(TStringList& stockList, std::span<const std::string_view> cellLines, PageCategory category,
                  double today) {
  StockRecord record;
  bool current = false;  // a row whose cell 0 is a code cell is being read
  for (std::size_t i = 0; i < cellLines.size(); ++i) {
    const std::string_view line = cellLines[i];
    const std::size_t cell = i % CellsPerRow;
    if (cell == 0) {
      current = IsCodeCell(line);
      if (!current) continue;  // the other 10 cells of this row go unread
      record = StockRecord();
      record.SetCode(CodeView(line));
      record.SetName(NameView(line));
      record.SetMarket(category.Market);
      record.SetCategoryGroup(static_cast<std::uint8_t>(category.Index / CategoriesPerGroup));
      record.SetCategory(category.Index);
      continue;
    }
    if (!current) continue;
    switch (cell) {
      case 1: record.SetQuoteTime(ParseQuoteTime(line, today)); break;
      case 2: record.SetLast(ParseBoldPrice(line)); break;
      case 3: record.SetBid(ParseCellNumber(line)); break;
      case 4: record.SetAsk(ParseCellNumber(line)); break;
      case 5: record.SetChange(ParseChangeCell(line)); break;
      case 6: record.SetVolume(ParseCellNumber(line)); break;
      case 7: record.SetPrevClose(ParseCellNumber(line)); break;
      case 8: record.SetOpen(ParseCellNumber(line)); break;
      case 9: record.SetHigh(ParseCellNumber(line)); break;
      default:
        record.SetLow(ParseCellNumber(line));
        StoreStock(stockList, std::make_unique<TStock>(record));
        current = false;
        break;
    }
  }
}

void ImportPageText(TStringList& stockList, std::string_view pageText, PageCategory category, double today,
                    const std::string& fileName) {
  const std::vector<std::string_view> lines = CellLineViews(pageText);
  if (lines.size() % CellsPerRow != 0) throw PageFormatError(fileName);
  try {
    ReadPageRows(stockList, lines, category, today);
  } catch (const ConvertError& e) {
    if (fileName.empty()) throw;
    throw ConvertError(std::string(e.what()) + " in " + fileName);
  }
}

void ImportSourcePages(TStringList& stockList, const TStringList& listedCategories, const TStringList& otcCategories,
                       const std::string& sourceDir, double today) {
  const TStringList* const tables[] = {&listedCategories, &otcCategories};
  // Messages are Big5: the entry as it stands, the folder converted.
  const std::string sourceDirText = Utf8ToBig5(sourceDir) + "/";
  for (std::uint8_t market = 0; market < 2; ++market) {
    const TStringList& table = *tables[market];
    for (int index = 0; index < table.Count(); ++index) {
      const std::string& entry = table.Strings(index);
      const std::string fileName = PageFileName(sourceDir, entry);
      // A missing page gives no row; anything else under the name must read
      // as a file (ReadWholeFile refuses a folder with a FileError).
      if (!PathExists(fileName)) continue;
      const std::string page = ReadWholeFile(fileName);
      ImportPageText(stockList, page, PageCategory{market, static_cast<std::uint8_t>(index)}, today,
                     sourceDirText + entry + ".html");
    }
  }
}

}  // namespace kivrel
