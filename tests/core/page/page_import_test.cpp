#include "core/page/page_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/lists/split_list.h"
#include "core/store/stock_store.h"
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"
#include "support/temp_dir.h"
#include "tools/pages/page_generator.h"

namespace kivrel {

namespace fs = std::filesystem;
using pages::GeneratedPage;
constexpr double kToday = 45000;
constexpr pages::GeneratorOptions kOptions{.Seed = 3, .ShareRows = 4};

// The quote-file bytes of a store that takes the rows of `pages` in order.
std::string Expected(const std::vector<GeneratedPage>& pages) {
  const TStockListPtr store = NewStockList();
  std::vector<std::unique_ptr<TStock>> stocks;
  for (const GeneratedPage& page : pages) {
    for (const auto& row : page.Rows) stocks.push_back(std::make_unique<TStock>(ExpectedRecord(page, row, kToday)));
  }
  StoreStock(*store, std::move(stocks));
  return StockFileBytes(*store);
}

// Pages are read in table order, also under their raw Big5 name. A path that
// holds no regular file is skipped; a page that cannot be read (/proc/self/mem
// fails with EIO), whose cells make a part row, or whose cell does not
// convert is a fault of that page alone, named with its line; a saved error
// page gives no row.
TEST(PageImport, GoesOnPastSkippedUnreadableAndFaultyPages) {
  const testing::TempDir dir;
  const std::string source = dir / "SOURCE";
  pages::WritePages(source, kOptions);
  const ISplitStrListPtr listed = NewSplitStrList(kListedCategoriesText), otc = NewSplitStrList(kOtcCategoriesText);
  const auto path = [&](int market, int index) {
    return source + "/" + Big5ToUtf8((market == 0 ? listed : otc)->GetList().Strings(index)) + ".html";
  };
  fs::remove(path(0, 0));
  ASSERT_EQ(::mkfifo(path(0, 0).c_str(), 0600), 0);
  fs::rename(path(1, 25), source + "/" + otc->GetList().Strings(25) + ".html");
  fs::remove(path(1, 26));
  fs::create_symlink("/proc/self/mem", path(1, 26));
  GeneratedPage partRow = pages::GeneratePage(kOptions, 0, 5), badTime = pages::GeneratePage(kOptions, 0, 6);
  const std::string partRowText = pages::PageText(partRow) + pages::DataCellLine("1") + "\r\n";
  testing::WriteBytes(path(0, 5), partRowText);
  badTime.Rows[2].Minutes = 25 * 60;  // "25:00" is no time
  const std::string badTimeText = pages::PageText(badTime);
  testing::WriteBytes(path(0, 6), badTimeText);
  testing::WriteBytes(path(0, 7), "<html><body>Service unavailable</body></html>\r\n");
  const TStockListPtr store = NewStockList();
  const TImportReport report = ImportSourcePages(*store, listed->GetList(), otc->GetList(), source, kToday);

  std::vector<GeneratedPage> read;
  for (int page = 1; page < 28 + 26; ++page) {
    if (page == 5 || page == 7) continue;
    read.push_back(pages::GeneratePage(kOptions, page / 28, page % 28));
    if (page == 6) read.back().Rows.resize(2);  // the rows before the faulty one
  }
  EXPECT_EQ(StockFileBytes(*store), Expected(read));
  EXPECT_EQ(report.Skipped, (std::vector<std::pair<std::string, int>>{{path(0, 0), FileError::kNotRegularFile}}));
  // The line, counted from 1, on which the last occurrence of `cell` begins.
  const auto lineOf = [](const std::string& text, const std::string& cell) {
    return static_cast<std::size_t>(std::count(text.begin(), text.begin() + text.rfind(cell), '\n')) + 1;
  };
  ASSERT_EQ(report.Faulty.size(), 3u);
  const std::string partCell = pages::DataCellLine("1"), timeCell = pages::TimeCellLine("25:00");
  EXPECT_EQ(report.Faulty[0],
            std::pair(path(0, 5), TPageFault{TPageFault::TKind::PartRow, lineOf(partRowText, partCell), partCell, 0}));
  EXPECT_EQ(report.Faulty[1],
            std::pair(path(0, 6), TPageFault{TPageFault::TKind::Time, lineOf(badTimeText, timeCell), "25:00:00", 0}));
  EXPECT_EQ(report.Faulty[2], std::pair(path(1, 26), TPageFault{TPageFault::TKind::Unreadable, 0, "", EIO}));
  EXPECT_EQ(report.EmptyPages, std::vector<std::string>{path(0, 7)});
  EXPECT_EQ(report.PagesFound, 28 + 27 - 3 + 3);
}

}  // namespace kivrel
