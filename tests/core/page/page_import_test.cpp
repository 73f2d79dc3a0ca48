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
#include "support/child_process.h"
#include "support/stocks.h"
#include "support/temp_dir.h"
#include "tools/pages/page_generator.h"

namespace kivrel {

namespace fs = std::filesystem;
using pages::GeneratedPage;
constexpr double kToday = 45000;

// The quote-file bytes of the records that the rows of `pages` make.
std::string Expected(const std::vector<GeneratedPage>& pages) {
  std::string bytes;
  for (const GeneratedPage& page : pages) {
    for (const auto& row : page.Rows) bytes += testing::FileBytes({ExpectedRecord(page, row, kToday)});
  }
  return bytes;
}

class PageImport : public ::testing::Test {
 protected:
  std::string PagePath(int market, int index) const {
    return source + "/" + Big5ToUtf8((market == 0 ? listed : otc)->GetList().Strings(index)) + ".html";
  }
  // Page `index` of `market` (three rows to a share page), written where the import looks.
  GeneratedPage Write(int market, int index) const {
    const GeneratedPage page = pages::GeneratePage({.Seed = 9, .ShareRows = 3}, market, index);
    fs::create_directories(source);
    testing::WriteBytes(PagePath(market, index), pages::PageText(page));
    return page;
  }
  void Import() {
    ImportSourcePages(*store, listed->GetList(), otc->GetList(), source, kToday,
                      [this](const FileError& e) { skipped.push_back(e.Path()); });
  }

  testing::TempDir dir;
  const std::string source = dir / "SOURCE";
  const ISplitStrListPtr listed = NewSplitStrList(kListedCategoriesText), otc = NewSplitStrList(kOtcCategoriesText);
  const TStockListPtr store = NewStockList();
  std::vector<std::string> skipped;
};

TEST_F(PageImport, GeneratedMarketGivesExactlyTheExpectedRecords) {
  const pages::GeneratorOptions options{.Seed = 3, .ShareRows = 4};
  pages::WritePages(source, options);
  Import();
  std::vector<GeneratedPage> all;
  for (int page = 0; page < 28 + 27; ++page) all.push_back(pages::GeneratePage(options, page / 28, page % 28));
  EXPECT_EQ(StockFileBytes(*store), Expected(all));
  EXPECT_EQ(std::pair(listed->GetList().Count(), otc->GetList().Count()), std::pair(28, 27));
  EXPECT_TRUE(skipped.empty());
}

TEST_F(PageImport, PageOfPartRowsStopsTheImportAndKeepsEarlierPages) {
  const std::vector<GeneratedPage> earlier = {Write(0, 0), Write(0, 1)};
  Write(0, 3);
  testing::WriteBytes(PagePath(0, 2), pages::PageText(Write(0, 2)) + pages::DataCellLine("1"));
  try {
    Import();
    ADD_FAILURE() << "no error";
  } catch (const PageFormatError& e) {
    EXPECT_EQ(e.FileName(), PagePath(0, 2));
  }
  EXPECT_EQ(StockFileBytes(*store), Expected(earlier));
}

TEST_F(PageImport, ConversionErrorKeepsTheRowsBeforeIt) {
  GeneratedPage page = pages::GeneratePage({.Seed = 9, .ShareRows = 4}, 0, 5);
  page.Rows[2].Minutes = 25 * 60;  // "25:00" is no time
  EXPECT_THROW(ImportPageText(*store, pages::PageText(page), {0, 5}, kToday), ConvertError);
  page.Rows.resize(2);
  EXPECT_EQ(StockFileBytes(*store), Expected({page}));
}

TEST_F(PageImport, PagePathHoldingNoRegularFileIsSkippedAndReported) {
  const std::vector<GeneratedPage> read = {Write(0, 3), Write(1, 26)};
  fs::create_directory(PagePath(0, 0));
  ASSERT_EQ(::mkfifo(PagePath(0, 1).c_str(), 0600), 0);
  fs::create_symlink(dir / "gone", PagePath(0, 2));
  Import();
  EXPECT_EQ(skipped, (std::vector<std::string>{PagePath(0, 0), PagePath(0, 1), PagePath(0, 2)}));
  EXPECT_EQ(StockFileBytes(*store), Expected(read));
}

TEST_F(PageImport, UnreadablePageStopsTheImportWithAFileError) {
  const GeneratedPage first = Write(0, 0);
  Write(0, 1);
  ::chmod(PagePath(0, 1).c_str(), 0200);
  fs::permissions(dir.path(), fs::perms::all);
  const int status = testing::RunInChild([&] {
    if (!testing::DropRoot()) return 2;
    try {
      Import();
    } catch (const FileError& e) {
      return e.Path() == PagePath(0, 1) && e.Error() == EACCES && StockFileBytes(*store) == Expected({first}) ? 0 : 3;
    }
    return 4;
  });
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// Rows in descending, then random code order, with codes that come again
// (once in the other letter case).
TEST_F(PageImport, RowsInAnyOrderStoreAsStoringThemOneByOne) {
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
    const TStockListPtr batch = NewStockList(), oneByOne = NewStockList();
    ImportPageText(*batch, pages::PageText(page), {0, 4}, kToday);
    for (const auto& row : page.Rows)
      StoreStock(*oneByOne, std::make_unique<TStock>(ExpectedRecord(page, row, kToday)));
    ASSERT_EQ(batch->Count(), oneByOne->Count());
    for (int i = 0; i < batch->Count(); ++i) EXPECT_EQ(batch->Strings(i), oneByOne->Strings(i));
    EXPECT_EQ(StockFileBytes(*batch), StockFileBytes(*oneByOne));
  }
}

}  // namespace kivrel
