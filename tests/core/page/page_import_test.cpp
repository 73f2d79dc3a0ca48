#include "core/page/page_import.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/io/file_io.h"
#include "core/lists/list_functions.h"
#include "core/lists/split_list.h"
#include "core/page/page_cells.h"
#include "core/page/page_format.h"
#include "core/page/text_conversion.h"
#include "core/store/stock_store.h"
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "tools/pages/page_generator.h"

namespace kivrel {
namespace {

using pages::DataCellLine;
using pages::GeneratedPage;
using pages::GeneratedRow;
using testing::ReadBytes;
using testing::WriteBytes;

constexpr double kToday = 45000;  // 2023-03-15

GeneratedRow Row(std::string code, std::string name, std::int64_t last) {
  GeneratedRow row;
  row.Code = std::move(code);
  row.Name = std::move(name);
  row.Minutes = 13 * 60 + 30;
  row.Last = last;
  row.Bid = last - 5;
  row.Ask = last;
  row.Change = 10;
  row.Arrow = pages::ArrowKind::Hollow;
  row.Volume = 1234;
  row.PrevClose = last - 10;
  row.Open = last - 5;
  row.High = last;
  row.Low = last - 10;
  return row;
}

std::vector<std::string> CellLines(const std::vector<GeneratedRow>& rows) {
  std::vector<std::string> lines;
  for (const GeneratedRow& row : rows) {
    for (std::string& line : pages::RowCellLines(row)) lines.push_back(std::move(line));
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines, std::string_view lineEnd = "\r\n") {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += lineEnd;
  }
  return text;
}

class PageImport : public ::testing::Test {
 protected:
  void TearDown() override { FreeListObjects(store_.get()); }

  std::string Entry(int market, int index) const {
    return (market == 0 ? listed_ : otc_)->GetList().Strings(index);
  }
  std::string PagePath(int market, int index) const { return source_ + "/" + Big5ToUtf8(Entry(market, index)) + ".html"; }
  std::string MessageName(int market, int index) const {
    return Utf8ToBig5(source_) + "/" + Entry(market, index) + ".html";
  }
  void Import() { ImportSourcePages(*store_, listed_->GetList(), otc_->GetList(), source_, kToday); }
  void ImportText(const std::string& text, int market = 0, int index = 0) {
    ImportPageText(*store_, text, PageCategory{static_cast<std::uint8_t>(market), static_cast<std::uint8_t>(index)},
                   kToday);
  }
  const StockRecord& At(int i) const { return StockAt(*store_, i).Payload; }
  StockRecord Expected(const GeneratedRow& row, int market = 0, int index = 0) const {
    GeneratedPage page;
    page.Market = static_cast<std::uint8_t>(market);
    page.Index = static_cast<std::uint8_t>(index);
    return pages::ExpectedRecord(page, row, kToday);
  }
  // Stocks of one page in the store, in store order.
  int CountOf(int market, int index) const {
    int n = 0;
    for (int i = 0; i < store_->Count(); ++i) n += At(i).Market() == market && At(i).Category() == index;
    return n;
  }

  testing::TempDir dir_;
  std::string source_ = dir_ / "SOURCE";
  ISplitStrListPtr listed_ = NewSplitStrList(kListedCategoriesText);
  ISplitStrListPtr otc_ = NewSplitStrList(kOtcCategoriesText);
  TStringListPtr store_ = NewStringList(true);
};

TEST_F(PageImport, RowsStartAtCodeCells) {
  const GeneratedRow a = Row("1101", Utf8ToBig5("台泥"), 4560);
  const GeneratedRow b = Row("1102", "ABC", 1234);
  std::vector<std::string> both = CellLines({a, b});

  ImportText(Join(both));
  ASSERT_EQ(store_->Count(), 2);
  EXPECT_EQ(At(0), Expected(a));
  EXPECT_EQ(At(1), Expected(b));
  FreeListObjects(store_.get());

  std::vector<std::string> firstNotCode = both;
  firstNotCode[0] = DataCellLine("1101 X");
  ImportText(Join(firstNotCode));
  ASSERT_EQ(store_->Count(), 1);
  EXPECT_EQ(At(0), Expected(b));
  FreeListObjects(store_.get());

  // Cells of a row without a code cell are not read, so they cannot fail.
  std::vector<std::string> secondNotCode = both;
  secondNotCode[11] = DataCellLine("1102 X");
  for (std::size_t i = 12; i < 22; ++i) secondNotCode[i] = DataCellLine("1.2.3");
  ImportText(Join(secondNotCode));
  ASSERT_EQ(store_->Count(), 1);
  EXPECT_EQ(At(0), Expected(a));
}

TEST_F(PageImport, RecordsCutCodeAndNameAndKeepTheLaterOfTwoEqualCodes) {
  std::vector<GeneratedRow> rows = {Row("11011011", Utf8ToBig5("台泥公司名稱"), 100),  // 8 and 12 bytes
                                    Row("2201", "X", 200), Row("2201", "Y", 300)};
  std::vector<std::string> lines = CellLines(rows);
  lines.insert(lines.end(), {pages::CodeCellLine("9999", "9999"), DataCellLine("")});  // link text without space
  for (int i = 0; i < 9; ++i) lines.push_back(DataCellLine("1"));
  ImportText(Join(lines), 1, 26);

  ASSERT_EQ(store_->Count(), 3);
  EXPECT_EQ(At(0).Code(), "");  // empty codes sort first
  EXPECT_EQ(At(0).Name(), "");
  EXPECT_EQ(At(0).Bid(), 1.0f);
  EXPECT_EQ(At(1), Expected(rows[2], 1, 26));
  EXPECT_EQ(At(2).Code(), "1101101");
  EXPECT_EQ(At(2).Name(), Utf8ToBig5("台泥公司名"));
  EXPECT_EQ(StockAt(*store_, 1).GetKey(), "010126  2201");
}

TEST_F(PageImport, LineBreaksAndNulReadAlike) {
  const std::vector<GeneratedRow> rows = {Row("1101", "A", 100), Row("1102", "B", 200)};
  const std::vector<std::string> lines = CellLines(rows);
  ImportText(Join(lines));
  const std::string expected = StockFileBytes(*store_);
  ASSERT_EQ(store_->Count(), 2);

  std::string mixed;
  for (std::size_t i = 0; i < lines.size(); ++i) mixed += lines[i] + (i % 3 == 0 ? "\r" : i % 3 == 1 ? "\n" : "\r\n");
  const std::string withNul = Join({lines.begin(), lines.begin() + 11}) + '\0' + Join(lines);
  for (const std::string& text : {Join(lines, "\r"), Join(lines, "\n"), mixed}) {
    FreeListObjects(store_.get());
    ImportText(text);
    EXPECT_EQ(StockFileBytes(*store_), expected);
  }
  FreeListObjects(store_.get());
  ImportText(withNul);  // the page ends at the NUL
  ASSERT_EQ(store_->Count(), 1);
  EXPECT_EQ(At(0), Expected(rows[0]));
}

// The import splits and filters a page without copying its lines; it must
// keep the same lines as the string list and FilterCellLines.
TEST(CellLineViews, KeepTheLinesOfTheStringListFilter) {
  const std::string code = pages::CodeCellLine("1101", "1101 A");
  const std::string data = DataCellLine("1");
  const std::string both = "x" + data + code;
  const std::string nearMiss = "<td align=\"center\" bgcolor=\"#FFFfff\" nowra<td align=";
  const std::string texts[] = {
      "",
      "\r\n\r\n",
      code + "\r\n" + data + "\n\r" + both + "\r" + data,
      code + "\n\n" + nearMiss + "\r\r\n" + data + "\r\n",
      data + std::string(1, '\0') + code + "\r\n",
      std::string(1, '\0') + data,
      "<tr>\r\n" + code + "<td align=" + data + "\n</tr>",
  };
  for (const std::string& text : texts) {
    const TStringListPtr list = NewStringList(false);
    list->SetText(text);
    FilterCellLines(*list);
    const std::vector<std::string_view> views = CellLineViews(text);
    ASSERT_EQ(views.size(), static_cast<std::size_t>(list->Count())) << text;
    for (int i = 0; i < list->Count(); ++i) EXPECT_EQ(views[static_cast<std::size_t>(i)], list->Strings(i));
  }
}

TEST_F(PageImport, NoPageGivesAnEmptyStore) {
  Import();
  EXPECT_EQ(store_->Count(), 0);
  CreateDirectory(source_);
  Import();
  EXPECT_EQ(store_->Count(), 0);
}

// A start without a quote file on generated pages: every stock with its
// market, group, category and values, appended in key order, and a quote
// file that reads back the same.
TEST_F(PageImport, ImportsAGeneratedMarket) {
  const pages::GeneratorOptions options{.Seed = 3, .ShareRows = 12};
  const auto summary = pages::WritePages(source_, options);
  Import();
  ASSERT_EQ(static_cast<std::size_t>(store_->Count()), summary.Stocks);

  int next = 0;
  for (int market = 0; market < 2; ++market) {
    const int entries = market == 0 ? 28 : 27;
    for (int index = 0; index < entries; ++index) {
      const GeneratedPage page = pages::GeneratePage(options, market, index);
      for (const GeneratedRow& row : page.Rows) {
        ASSERT_EQ(At(next), pages::ExpectedRecord(page, row, kToday)) << market << " " << index << " " << row.Code;
        ++next;
      }
    }
  }
  const struct {
    int market, index, group;
  } categories[] = {{0, 0, 0}, {0, 24, 0}, {0, 25, 1}, {0, 27, 1}, {1, 24, 0}, {1, 25, 1}, {1, 26, 1}};
  for (const auto& c : categories) {
    int found = 0;
    for (int i = 0; i < store_->Count(); ++i) {
      if (At(i).Market() == c.market && At(i).Category() == c.index) {
        EXPECT_EQ(At(i).CategoryGroup(), c.group);
        ++found;
      }
    }
    EXPECT_EQ(found, pages::PageRowCount(options, c.market, c.index)) << c.market << " " << c.index;
  }

  const std::string file = dir_ / "STOCK.LST";
  SaveStockFile(*store_, file);
  TStringListPtr loaded = NewStringList(true);
  LoadStockFile(*loaded, file);
  EXPECT_EQ(StockFileBytes(*loaded), StockFileBytes(*store_));
  FreeListObjects(loaded.get());
}

TEST_F(PageImport, FaultyThirdPageStopsTheImport) {
  const pages::GeneratorOptions options{.Seed = 5, .ShareRows = 4};
  pages::WritePages(source_, options);
  WriteBytes(PagePath(0, 2), ReadBytes(PagePath(0, 2)) + DataCellLine("1") + "\r\n");  // 12 cell lines too many
  try {
    Import();
    ADD_FAILURE() << "no error";
  } catch (const PageFormatError& e) {
    EXPECT_EQ(e.what(), kPageFormatError);
    EXPECT_EQ(e.FileName(), MessageName(0, 2));
  }
  EXPECT_EQ(store_->Count(), 8);
  EXPECT_EQ(CountOf(0, 0), 4);
  EXPECT_EQ(CountOf(0, 1), 4);
}

TEST_F(PageImport, ConversionErrorKeepsTheRowsBeforeIt) {
  CreateDirectory(source_);
  const std::vector<GeneratedRow> rows = {Row("1101", "A", 100), Row("1102", "B", 200), Row("1103", "C", 300),
                                          Row("1104", "D", 400)};
  std::vector<std::string> lines = CellLines(rows);
  lines[2 * 11 + 6] = DataCellLine("1.2.3");  // volume of the third row
  WriteBytes(PagePath(0, 0), Join(CellLines({rows[0]})));
  WriteBytes(PagePath(0, 1), Join(lines));
  WriteBytes(PagePath(1, 0), Join(CellLines({rows[0]})));
  try {
    Import();
    ADD_FAILURE() << "no error";
  } catch (const ConvertError& e) {
    EXPECT_EQ(e.what(), "'1.2.3' is not a valid floating point value in " + MessageName(0, 1));
  }
  ASSERT_EQ(store_->Count(), 3);
  EXPECT_EQ(At(0), Expected(rows[0], 0, 0));
  EXPECT_EQ(At(1), Expected(rows[0], 0, 1));
  EXPECT_EQ(At(2), Expected(rows[1], 0, 1));
}

TEST_F(PageImport, ReadsOnlyThePagesPresentUnderEitherName) {
  CreateDirectory(source_);
  const std::string raw = source_ + "/" + Entry(1, 26) + ".html";  // Big5 bytes as the name
  WriteBytes(PagePath(0, 5), Join(CellLines({Row("1501", "A", 100)})));
  WriteBytes(raw, Join(CellLines({Row("5483", "B", 200)})));
  EXPECT_EQ(PageFileName(source_, Entry(1, 26)), raw);
  EXPECT_EQ(PageFileName(source_, Entry(0, 5)), PagePath(0, 5));
  EXPECT_EQ(PageFileName(source_, Entry(0, 6)), PagePath(0, 6));  // neither exists
  Import();
  ASSERT_EQ(store_->Count(), 2);
  EXPECT_EQ(StockAt(*store_, 0).GetKey(), "000005  1501");
  EXPECT_EQ(StockAt(*store_, 1).GetKey(), "010126  5483");

  WriteBytes(PagePath(1, 26), "");  // the UTF-8 name wins
  EXPECT_EQ(PageFileName(source_, Entry(1, 26)), PagePath(1, 26));
}

TEST_F(PageImport, PagePathThatIsAFolderFails) {
  CreateDirectory(source_);
  WriteBytes(PagePath(0, 0), Join(CellLines({Row("1101", "A", 100)})));
  CreateDirectory(PagePath(0, 1));
  try {
    Import();
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(e.what(), "Cannot read file \"" + Utf8ToBig5(PagePath(0, 1)) + "\": Is a directory");
  }
  EXPECT_EQ(store_->Count(), 1);
}

TEST_F(PageImport, UnreadablePageFailsAndKeepsEarlierPages) {
  CreateDirectory(source_);
  WriteBytes(PagePath(0, 0), Join(CellLines({Row("1101", "A", 100)})));
  WriteBytes(PagePath(0, 1), Join(CellLines({Row("1201", "B", 100)})));
  ::chmod(PagePath(0, 1).c_str(), 0200);
  std::filesystem::permissions(std::filesystem::path(source_).parent_path(), std::filesystem::perms::all);
  std::filesystem::permissions(source_, std::filesystem::perms::all);
  const int status = testing::RunInChild([&] {
    if (!testing::DropRoot()) return 3;
    try {
      Import();
    } catch (const FileError& e) {
      const bool named = std::string(e.what()) == "Cannot open file \"" + Utf8ToBig5(PagePath(0, 1)) +
                                                      "\": Permission denied";
      return named && store_->Count() == 1 ? 0 : 4;
    }
    return 5;  // the page was skipped or read
  });
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace kivrel
