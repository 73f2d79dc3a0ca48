#include "tools/export/csv_export.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/grid/grid_columns.h"
#include "core/store/stock_store.h"
#include "support/stocks.h"

namespace kivrel {

// Text cells drop control bytes and never start a formula; a field is quoted only when it must be.
TEST(CsvExport, TextCellsAndFields) {
  const std::pair<std::string, std::string> cells[] = {{"=1+1", "'=1+1"},
                                                       {"+5", "'+5"},
                                                       {"-5", "'-5"},
                                                       {"@A", "'@A"},
                                                       {"a=b-c", "a=b-c"},
                                                       {" =x", " =x"},
                                                       {std::string("\0\t=x", 4), "'=x"},
                                                       {"a\tb\r\nc\x7F"
                                                        "d\x01\x1F",
                                                        "abcd"},
                                                       {"台　泥", "台　泥"}};
  const std::pair<std::string, std::string> fields[] = {{"10.50", "10.50"},
                                                        {"", ""},
                                                        {"a b;c'", "a b;c'"},
                                                        {"A,B", "\"A,B\""},
                                                        {"a\nb", "\"a\nb\""},
                                                        {"a\rb", "\"a\rb\""},
                                                        {"say \"hi\"", "\"say \"\"hi\"\"\""}};
  for (const auto& [in, out] : cells) EXPECT_EQ(CsvTextCell(in), out) << in;
  for (const auto& [in, out] : fields) EXPECT_EQ(CsvField(in), out) << in;
}

TEST(CsvExport, WritesTheTitleRowThenTheGridTextsOfEveryStock) {
  const TStockListPtr store = NewStockList();
  StoreStock(*store, std::make_unique<TStock>(testing::Record({.Code = "1101", .Last = 10.65F})));
  StoreStock(*store,
             std::make_unique<TStock>(testing::Record({.Code = "=2", .Name = "-A,\x01Z", .Market = 1, .Last = 9.5F})));
  std::ostringstream out;
  WriteBoardCsv(out, *store);
  std::string expected =
      "代　碼,名　稱,買進價,賣出價,成交價,漲跌價,成交量,開盤價,最高價,最低價,漲跌幅,震盪幅,昨收價,漲停價,跌停價\r\n";
  for (const int i : {0, 1}) {
    expected += i == 0 ? "1101,台　泥" : "'=2,\"'-A,Z\"";
    for (int col = 2; col < kGridColumnCount; ++col) expected += "," + StockColumnText(StockAt(*store, i), col);
    expected += "\r\n";
  }
  EXPECT_EQ(out.str(), expected);
  EXPECT_NE(out.str().find(",-0.50,"), std::string::npos);  // a number keeps its minus sign
}

}  // namespace kivrel
