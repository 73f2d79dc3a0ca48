#include "tools/export/csv_export.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/stocks.h"

namespace kivrel {

// The titles without their spreading spaces. Text cells drop control bytes
// and never start a formula, numbers keep their sign but the limit-down
// price, which the grid shows negated, is the price; a field is quoted only
// when it must be.
TEST(CsvExport, RowsHoldTheGridTexts) {
  const std::pair<std::string, std::string> codes[] = {{"=1+1", "'=1+1"},     {"+5", "'+5"},         {"@A", "'@A"},
                                                       {"a=b-c", "a=b-c"},    {"-\x01x\x7F", "'-x"}, {"A,B", "\"A,B\""},
                                                       {"a\"b", "\"a\"\"b\""}};
  for (const auto& [code, field] : codes) {
    TStock stock(testing::Record({.Code = code, .Last = 9.5F}));
    std::ostringstream out;
    WriteBoardCsv(out, {&stock});
    const std::string row = out.str().substr(out.str().find("\r\n") + 2);
    EXPECT_EQ(row, field + ",台　泥,,,9.50,-0.50,,,,,-5.00,,10.00,+10.65,9.31\r\n");
    EXPECT_TRUE(out.str().starts_with("代碼,名稱,買進價,")) << out.str();
  }
}

}  // namespace kivrel
