#include "core/page/page_import.h"

#include <memory>

#include "core/io/file_io.h"
#include "core/lists/list_functions.h"
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

void ReadPageRows(TStringList& stockList, const TStringList& cellLines, PageCategory category, double today) {
  StockRecord record;
  bool current = false;  // a row whose cell 0 is a code cell is being read
  const auto& lines = cellLines.Entries();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i].Text;
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
  const TStringListPtr lines = NewStringList(false);
  lines->SetText(pageText);
  if (!FilterCellLines(*lines)) throw PageFormatError(fileName);
  try {
    ReadPageRows(stockList, *lines, category, today);
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
