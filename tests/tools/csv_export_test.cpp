#include "tools/export/csv_export.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/lists/list_functions.h"
#include "core/store/stock_store.h"

namespace kivrel {
namespace {

TEST(CsvExport, FieldsAreQuotedOnlyWhenNeeded) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"10.50", "10.50"},
      {"", ""},
      {"A,B", "\"A,B\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"a\nb", "\"a\nb\""},
      {"a\rb", "\"a\rb\""},
  };
  for (const auto& c : cases) EXPECT_EQ(CsvField(c.in), c.out) << c.in;
}

TEST(CsvExport, TitleRowThenTheGridTextsOfEveryStock) {
  TStringListPtr store = NewStringList(true);
  StockRecord r;
  r.SetCode("1101");
  r.SetName("\xA5x\xAA" "d");  // 台泥
  r.SetPrevClose(10.0F);
  r.SetLast(10.65F);
  r.SetChange(0.65F);
  r.SetVolume(1234.0F);
  StoreStock(*store, std::make_unique<TStock>(r));
  r.SetCode("A,1");
  r.SetName("X\"Y");
  r.SetMarket(1);
  StoreStock(*store, std::make_unique<TStock>(r));

  std::ostringstream out;
  WriteBoardCsv(out, *store);
  FreeStringList(std::move(store), true);
  EXPECT_EQ(out.str(),
            "\u4ee3\u3000\u78bc,\u540d\u3000\u7a31,\u8cb7\u9032\u50f9,\u8ce3\u51fa\u50f9,\u6210\u4ea4\u50f9,"
            "\u6f32\u8dcc\u50f9,\u6210\u4ea4\u91cf,\u958b\u76e4\u50f9,\u6700\u9ad8\u50f9,\u6700\u4f4e\u50f9,"
            "\u6f32\u8dcc\u5e45,\u9707\u76ea\u5e45,\u6628\u6536\u50f9,\u6f32\u505c\u50f9,\u8dcc\u505c\u50f9\r\n"
            "1101,\u53f0\u3000\u6ce5,,,10.65,+0.65,1234,,,,+6.50,,10.00,+10.65,-9.31\r\n"
            "\"A,1\",\"X\"\"Y\",,,10.65,+0.65,1234,,,,+6.50,,10.00,+10.65,-9.31\r\n");
}

}  // namespace
}  // namespace kivrel
