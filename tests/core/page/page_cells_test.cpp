#include "core/page/page_cells.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/lists/list_functions.h"
#include "core/page/page_format.h"
#include "core/page/text_conversion.h"
#include "tools/pages/page_generator.h"

namespace kivrel {

using pages::BoldCellLine;
using pages::ChangeCellLine;
using pages::CodeCellLine;
using pages::DataCellLine;

TEST(PageCells, ExtractorsCutLinkTextCodeAndName) {
  const std::string name = "\xA5x\xAA\x64";  // 台泥
  const std::tuple<std::string, std::string, std::string, std::string> rows[] = {
      // link text, link, code, name
      {"1101 ABC", "1101 ABC<", "1101", "ABC"},
      {"  1101 ABC ", "1101 ABC <", "1101", "ABC"},
      {"1101 AB CD", "1101 AB CD<", "1101", "AB CD"},
      {"1101  " + name + " ", "1101  " + name + " <", "1101", name},
      {"1101 A", "1101 A<", "1101", "A"},
      {"1101 ", "1101 <", "1101", ""},
      {"1101", "1101<", "", ""},
      {" X", "X<", "", ""},
      {"", "<", "", ""}};
  for (const auto& [text, link, code, nameText] : rows) {
    const std::string line = CodeCellLine("1101", text);
    EXPECT_EQ(std::tuple(ExtractLinkText(line), ExtractCode(line), ExtractName(line)), std::tie(link, code, nameText));
  }
  for (const std::string line : {"<a href=/q/q_1101.htm>1101 A</a>", "x</a>.html>1 A"}) {
    EXPECT_EQ(ExtractLinkText(line) + ExtractCode(line) + ExtractName(line), "") << line;
  }
}

TEST(PageCells, ParsersReadTheirCellsOrRaiseConvertError) {
  EXPECT_EQ(ParseQuoteTime(DataCellLine("13:30"), 45000), 45000.5625);
  EXPECT_EQ(ParseQuoteTime(DataCellLine(std::string(NoDataSign)), 45000), 0.0);
  EXPECT_THROW(ParseQuoteTime(DataCellLine("24:00"), 45000), ConvertError);
  const std::string noData(NoDataSign), up = "\xA1\xB5", filledUp = "\xA1\xB6", down = "\xA1\xBE";
  const auto change = [](const std::string& text) { return ChangeCellLine("#ff0000", text); };
  const std::tuple<std::string, float (*)(std::string_view), std::optional<float>> rows[] = {
      // none: ConvertError
      {BoldCellLine("45.60"), ParseBoldPrice, 45.6f},
      {BoldCellLine(noData), ParseBoldPrice, 0.0f},
      {DataCellLine("45.60"), ParseBoldPrice, 0.0f},
      {DataCellLine("12,345"), ParseCellNumber, 12345.0f},
      {DataCellLine("-1.5"), ParseCellNumber, 1.5f},
      {DataCellLine(noData), ParseCellNumber, 0.0f},
      {"</td>" + DataCellLine("7"), ParseCellNumber, 0.0f},
      {DataCellLine("1.2.3"), ParseCellNumber, std::nullopt},
      {DataCellLine("12:30"), ParseCellNumber, std::nullopt},
      {change(up + "0.50"), ParseChangeCell, 0.5f},
      {change(filledUp + "1.50"), ParseChangeCell, 1.5f},
      {change(down + "0.30"), ParseChangeCell, -0.3f},
      {change("\xA1\xBF"
              "2.10"),
       ParseChangeCell, -2.1f},
      {change("-1.25"), ParseChangeCell, -1.25f},
      {change(noData), ParseChangeCell, 0.0f},
      {ChangeCellLine("#00000", "1"), ParseChangeCell, 0.0f},  // 8 bytes
      {change(up), ParseChangeCell, std::nullopt},
      {change(down), ParseChangeCell, std::nullopt},
      {change("1.00" + filledUp), ParseChangeCell, std::nullopt}};  // the arrow anywhere, the first two bytes go
  for (const auto& [line, parse, value] : rows) {
    std::optional<float> read;
    try {
      read = parse(line);
    } catch (const ConvertError&) {
    }
    EXPECT_EQ(read, value) << line;
  }
}

TEST(PageCells, FilterCellLinesKeepsCellLinesInOrderAndTellsWholeRows) {
  for (const int cells : {22, 12}) {
    const TStringListPtr lines = NewStringList(false), kept = NewStringList(false);
    for (int i = 0; i < cells; ++i) kept->Add(i % 11 ? DataCellLine(std::to_string(i)) : CodeCellLine("1", "1 A"));
    for (const TStringEntry& cell : kept->Entries()) lines->Add("<tr>"), lines->Add(cell.Text);
    EXPECT_EQ(FilterCellLines(*lines), cells == 22);
    EXPECT_TRUE(std::ranges::equal(lines->Entries(), kept->Entries(), {}, &TStringEntry::Text, &TStringEntry::Text));
  }
}

}  // namespace kivrel
