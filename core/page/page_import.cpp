#include "core/page/page_import.h"

#include <cerrno>
#include <memory>

#include "core/io/file_io.h"
#include "core/lists/text_lines.h"
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

std::vector<std::string_view> CellLineViews(std::string_view text) {
  std::vector<std::string_view> lines;
  ForEachLine(text, [&lines](std::string_view line) {
    if (IsCellLine(line)) lines.push_back(line);
  });
  return lines;
}

void ReadPageRows(std::vector<std::unique_ptr<TStock>>& stocks, std::span<const std::string_view> cellLines,
                  PageCategory category, double today) {
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
        stocks.push_back(std::make_unique<TStock>(record));
        current = false;
        break;
    }
  }
}

void ImportPageText(TStringList& stockList, std::string_view pageText, PageCategory category, double today,
                    const std::string& fileName) {
  const std::vector<std::string_view> lines = CellLineViews(pageText);
  if (lines.size() % CellsPerRow != 0) throw PageFormatError(fileName);
  // The page's rows go into the store in one batch, with the outcome of
  // storing them one by one, also when a row fails to convert.
  std::vector<std::unique_ptr<TStock>> stocks;
  try {
    ReadPageRows(stocks, lines, category, today);
  } catch (const ConvertError& e) {
    StoreStocks(stockList, std::move(stocks));
    if (fileName.empty()) throw;
    throw e.InFile(fileName);
  }
  StoreStocks(stockList, std::move(stocks));
}

void ImportSourcePages(TStringList& stockList, const TStringList& listedCategories, const TStringList& otcCategories,
                       const std::string& sourceDir, double today, const SkippedPage& skipped) {
  const TStringList* const tables[] = {&listedCategories, &otcCategories};
  for (std::uint8_t market = 0; market < 2; ++market) {
    const TStringList& table = *tables[market];
    for (int index = 0; index < table.Count(); ++index) {
      const std::string fileName = PageFileName(sourceDir, table.Strings(index));
      const FileKind kind = KindOf(fileName);
      if (kind == FileKind::Missing) continue;
      if (kind != FileKind::Regular) {
        const int reason = kind == FileKind::DanglingLink ? ENOENT : FileError::kNotRegularFile;
        if (skipped) skipped(FileError(FileError::Op::Open, fileName, reason));
        continue;
      }
      const std::string page = ReadWholeFile(fileName);
      ImportPageText(stockList, page, PageCategory{market, static_cast<std::uint8_t>(index)}, today, fileName);
    }
  }
}

}  // namespace kivrel
