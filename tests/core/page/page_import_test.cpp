#include "core/page/page_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "core/lists/split_list.h"
#include "core/page/text_conversion.h"
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

// The quote-file bytes of a store that takes the rows of `pages` one by one.
std::string Expected(const std::vector<GeneratedPage>& pages) {
  const TStockListPtr store = NewStockList();
  for (const GeneratedPage& page : pages) {
    for (const auto& row : page.Rows) StoreStock(*store, std::make_unique<TStock>(ExpectedRecord(page, row, kToday)));
  }
  return StockFileBytes(*store);
}

// Pages are read in table order, also under their raw Big5 name. A path that
// holds no regular file is skipped and reported; a regular page that cannot be
// read (/proc/self/mem fails with EIO) stops the import after the pages before it.
TEST(PageImport, ReadsPagesInOrderSkipsNonFilesAndStopsAtAnUnreadablePage) {
  const testing::TempDir dir;
  const std::string source = dir / "SOURCE";
  pages::WritePages(source, kOptions);
  const ISplitStrListPtr listed = NewSplitStrList(kListedCategoriesText), otc = NewSplitStrList(kOtcCategoriesText);
  const auto path = [&](int market, int index) {
    return source + "/" + Big5ToUtf8((market == 0 ? listed : otc)->GetList().Strings(index)) + ".html";
  };
  for (int index = 0; index < 3; ++index) fs::remove(path(0, index));
  fs::create_directory(path(0, 0));
  ASSERT_EQ(::mkfifo(path(0, 1).c_str(), 0600), 0);
  fs::create_symlink(dir / "gone", path(0, 2));
  fs::rename(path(1, 25), source + "/" + otc->GetList().Strings(25) + ".html");
  fs::remove(path(1, 26));
  fs::create_symlink("/proc/self/mem", path(1, 26));
  const TStockListPtr store = NewStockList();
  std::vector<std::string> skipped;
  EXPECT_THROW(ImportSourcePages(*store, listed->GetList(), otc->GetList(), source, kToday,
                                 [&](const FileError& e) { skipped.push_back(e.Path()); }),
               FileError);
  std::vector<GeneratedPage> read;
  for (int page = 3; page < 28 + 26; ++page) read.push_back(pages::GeneratePage(kOptions, page / 28, page % 28));
  EXPECT_EQ(skipped, (std::vector<std::string>{path(0, 0), path(0, 1), path(0, 2)}));
  EXPECT_EQ(StockFileBytes(*store), Expected(read));
}

// Rows in descending, then random code order, with codes that come again
// (once in the other letter case), store as storing them one by one. A page of
// part rows stores nothing; a row that does not convert ends the rows stored.
TEST(PageImport, RowsInAnyOrderStoreAsStoringThemOneByOne) {
  GeneratedPage page = pages::GeneratePage({.Seed = 9, .ShareRows = 12}, 0, 4);
  std::reverse(page.Rows.begin(), page.Rows.end());
  for (const std::size_t i : {1u, 4u, 7u}) {
    page.Rows[i].Code += "x";
    page.Rows.push_back(page.Rows[i]);
    page.Rows.back().Code.back() = i == 4 ? 'X' : 'x';
    page.Rows.back().Volume = 999999;
  }
  for (const bool shuffle : {false, true}) {
    if (shuffle) std::shuffle(page.Rows.begin(), page.Rows.end(), std::mt19937(3));
    const TStockListPtr batch = NewStockList();
    ImportPageText(*batch, pages::PageText(page), {0, 4}, kToday);
    EXPECT_EQ(StockFileBytes(*batch), Expected({page})) << shuffle;
  }
  const TStockListPtr store = NewStockList();
  EXPECT_THROW(ImportPageText(*store, pages::PageText(page) + pages::DataCellLine("1"), {0, 4}, kToday),
               PageFormatError);
  page.Rows[5].Minutes = 25 * 60;  // "25:00" is no time
  EXPECT_THROW(ImportPageText(*store, pages::PageText(page), {0, 4}, kToday), ConvertError);
  page.Rows.resize(5);
  EXPECT_EQ(StockFileBytes(*store), Expected({page}));
}

}  // namespace kivrel
