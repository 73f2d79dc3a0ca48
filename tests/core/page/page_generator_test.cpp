#include "tools/pages/page_generator.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/page/page_format.h"
#include "core/price/price_rules.h"
#include "core/store/stock.h"

namespace kivrel {
namespace {

using pages::GeneratorOptions;

TEST(PageGenerator, IsDeterministicPerSeed) {
  const GeneratorOptions one{.Seed = 11, .ShareRows = 5};
  const GeneratorOptions other{.Seed = 12, .ShareRows = 5};
  EXPECT_EQ(pages::PageText(pages::GeneratePage(one, 1, 7)), pages::PageText(pages::GeneratePage(one, 1, 7)));
  EXPECT_NE(pages::PageText(pages::GeneratePage(one, 1, 7)), pages::PageText(pages::GeneratePage(other, 1, 7)));
}

TEST(PageGenerator, RowCountsScaleToAFullMarket) {
  const struct {
    int rows;
    std::size_t total;
  } cases[] = {{0, 0}, {20, 1555}, {386, 30012}};
  for (const auto& c : cases) {
    std::size_t total = 0;
    for (int market = 0; market < 2; ++market) {
      for (int index = 0; index < (market == 0 ? 28 : 27); ++index) {
        total += static_cast<std::size_t>(pages::PageRowCount({.Seed = 1, .ShareRows = c.rows}, market, index));
      }
    }
    EXPECT_EQ(total, c.total) << c.rows;
  }
}

// The default pages hold every cell form the reader must handle.
TEST(PageGenerator, WritesEveryCellForm) {
  std::set<std::string> forms;
  for (int market = 0; market < 2; ++market) {
    for (int index = 0; index < (market == 0 ? 28 : 27); ++index) {
      const pages::GeneratedPage page = pages::GeneratePage(GeneratorOptions{}, market, index);
      for (const pages::GeneratedRow& row : page.Rows) {
        const std::string change = pages::RowCellLines(row)[5];
        for (const std::string_view sign : {HollowUpArrow, FilledUpArrow, HollowDownArrow, FilledDownArrow}) {
          if (change.find(sign) != std::string::npos) forms.insert(std::string(sign));
        }
        if (change.find(">0.00<") != std::string::npos) forms.insert("flat");
        if (!row.Last) forms.insert("no trade");
        if (!row.Minutes) forms.insert("no time");
        if (row.Volume && *row.Volume >= 1000) forms.insert("thousands");
        if (row.Name.find(' ') != std::string::npos) forms.insert("space in name");
        if (row.Name.size() > 10) forms.insert("long name");
        StockRecord record;
        record.SetPrevClose(*row.PrevClose / 100.0f);
        const TStock stock(record);
        if (row.Last && row.Last != row.PrevClose) {
          const float last = pages::ExpectedRecord(page, row, 0).Last();
          if (last == LimitUpPrice(stock)) forms.insert("limit up");
          if (last == LimitDownPrice(stock)) forms.insert("limit down");
        }
      }
    }
  }
  EXPECT_EQ(forms, (std::set<std::string>{std::string(HollowUpArrow), std::string(FilledUpArrow),
                                          std::string(HollowDownArrow), std::string(FilledDownArrow), "flat",
                                          "no trade", "no time", "thousands", "space in name", "long name",
                                          "limit up", "limit down"}));
}

}  // namespace
}  // namespace kivrel
