#include "core/page/page_import.h"

#include <cerrno>
#include <memory>

#include "core/io/file_io.h"
#include "core/lists/text_lines.h"
#include "core/page/page_cells.h"
#include "core/page/page_format.h"
#include "core/store/stock_store.h"
#include "core/text/big5.h"

namespace kivrel {
namespace {

// Texts in faults are cut so that a garbage line cannot fill a message box.
constexpr std::size_t kFaultTextLimit = 80;

std::string FaultText(std::string_view text) {
  if (text.size() <= kFaultTextLimit) return std::string(text);
  return std::string(WholeCharacters(text, kFaultTextLimit)) + "...";
}

// The 1-based number of the line of `text` that begins at `at`, counted as
// the lines are split.
std::size_t LineNumberAt(std::string_view text, const char* at) {
  std::size_t number = 0;
  ForEachLine(text, [&](std::string_view line) {
    if (line.data() <= at) ++number;
  });
  return number;
}

TPageFault::TKind FaultKindOf(ConvertError::TKind kind) {
  switch (kind) {
    case ConvertError::TKind::Number: return TPageFault::TKind::Number;
    case ConvertError::TKind::Time: return TPageFault::TKind::Time;
    case ConvertError::TKind::Range: break;
  }
  return TPageFault::TKind::Range;
}

TPageRead ReadPageFile(const std::string& sourceDir, std::string_view entry, PageCategory category, double today) {
  TPageRead page;
  page.Category = category;
  page.FileName = PageFileName(sourceDir, entry);
  try {
    const FileKind kind = KindOf(page.FileName);
    if (kind == FileKind::Missing) return page;
    if (kind != FileKind::Regular) {
      page.State = TPageRead::TState::Skipped;
      page.SkipReason = kind == FileKind::DanglingLink ? ENOENT : FileError::kNotRegularFile;
      return page;
    }
    const std::string text = ReadWholeFile(page.FileName);
    return ReadPageText(text, category, today, std::move(page.FileName));
  } catch (const FileError& e) {
    page.State = TPageRead::TState::Read;
    page.Fault = TPageFault{TPageFault::TKind::Unreadable, 0, {}, e.Error()};
    return page;
  }
}

}  // namespace

std::string PageFileName(const std::string& sourceDir, std::string_view entry) {
  const std::string prefix = sourceDir + "/";
  std::string utf8 = prefix + Big5ToUtf8(entry) + ".html";
  if (PathExists(utf8)) return utf8;
  std::string raw = prefix + std::string(entry) + ".html";
  if (PathExists(raw)) return raw;
  return utf8;
}

std::optional<TCellFault> ReadPageRows(std::vector<std::unique_ptr<TStock>>& stocks,
                                       std::span<const std::string_view> cellLines, PageCategory category,
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
      record.SetCode(ExtractCode(line));
      record.SetName(ExtractName(line));
      record.SetMarket(category.Market);
      record.SetCategoryGroup(static_cast<std::uint8_t>(category.Index / CategoriesPerGroup));
      record.SetCategory(category.Index);
      continue;
    }
    if (!current) continue;
    try {
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
    } catch (const ConvertError& e) {
      return TCellFault{i, e};
    }
  }
  return std::nullopt;
}

TPageRead ReadPageText(std::string_view pageText, PageCategory category, double today, std::string fileName) {
  TPageRead page;
  page.Category = category;
  page.FileName = std::move(fileName);
  page.State = TPageRead::TState::Read;
  const std::vector<std::string_view> lines = FilterCellLines(pageText);
  if (const std::size_t partRow = lines.size() % CellsPerRow; partRow != 0) {
    const std::string_view first = lines[lines.size() - partRow];
    page.Fault = TPageFault{TPageFault::TKind::PartRow, LineNumberAt(pageText, first.data()), FaultText(first), 0};
    return page;
  }
  if (const std::optional<TCellFault> fault = ReadPageRows(page.Stocks, lines, category, today)) {
    page.Fault = TPageFault{FaultKindOf(fault->Error.Kind()), LineNumberAt(pageText, lines[fault->Cell].data()),
                            fault->Error.Text(), 0};
  }
  return page;
}

std::vector<TPageRead> ReadSourcePages(const TStringList& listedCategories, const TStringList& otcCategories,
                                       const std::string& sourceDir, double today, const WantedPage& wanted) {
  std::vector<TPageRead> pages;
  const TStringList* const tables[] = {&listedCategories, &otcCategories};
  for (std::uint8_t market = 0; market < 2; ++market) {
    const TStringList& table = *tables[market];
    for (int index = 0; index < table.Count(); ++index) {
      const PageCategory category{market, static_cast<std::uint8_t>(index)};
      if (wanted && !wanted(category)) continue;
      pages.push_back(ReadPageFile(sourceDir, table.Strings(index), category, today));
    }
  }
  return pages;
}

TImportReport StorePages(TStringList& stockList, std::vector<TPageRead> pages, TFaultyPageRows faultyRows,
                         TStoreChanges* changes) {
  TImportReport report;
  std::vector<std::unique_ptr<TStock>> stocks;
  for (TPageRead& page : pages) {
    if (page.State == TPageRead::TState::Missing) continue;
    ++report.PagesFound;
    if (page.State == TPageRead::TState::Skipped) {
      report.Skipped.emplace_back(page.FileName, page.SkipReason);
      continue;
    }
    if (page.Fault) {
      report.Faulty.emplace_back(page.FileName, *page.Fault);
      if (faultyRows == TFaultyPageRows::Drop) continue;
    } else {
      report.ReadWhole.push_back(page.FileName);
      if (page.Stocks.empty()) report.EmptyPages.push_back(page.FileName);
    }
    report.Stocks += static_cast<int>(page.Stocks.size());
    std::move(page.Stocks.begin(), page.Stocks.end(), std::back_inserter(stocks));
  }
  StoreStock(stockList, std::move(stocks), changes);
  return report;
}

TImportReport ImportSourcePages(TStringList& stockList, const TStringList& listedCategories,
                                const TStringList& otcCategories, const std::string& sourceDir, double today,
                                TStoreChanges* changes) {
  return StorePages(stockList, ReadSourcePages(listedCategories, otcCategories, sourceDir, today),
                    TFaultyPageRows::Keep, changes);
}

}  // namespace kivrel
