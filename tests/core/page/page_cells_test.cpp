#include "core/page/page_cells.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lists/list_functions.h"
#include "core/page/current_date.h"
#include "core/page/page_format.h"
#include "core/page/text_conversion.h"
#include "core/text/big5.h"
#include "tools/pages/page_generator.h"

namespace kivrel {
namespace {

using pages::BoldCellLine;
using pages::ChangeCellLine;
using pages::CodeCellLine;
using pages::DataCellLine;

const std::string kNoData(NoDataSign);

TEST(PageCells, LineTestsFindTheMarkersAnywhere) {
  const struct {
    std::string line;
    bool code;
    bool data;
  } cases[] = {
      {CodeCellLine("1101", "1101 ABC"), true, false},
      {DataCellLine("13:30"), false, true},
      {BoldCellLine("45.60"), false, true},
      {ChangeCellLine("#ff0000", "\xA1\xB5" "0.50"), false, true},
      {"  x" + std::string(DataCellMark) + std::string(CodeCellMark), true, true},
      // The quoted form of the code marker and the unquoted form of the data
      // marker are not markers; neither is a change of case.
      {"<td align=\"center\" bgcolor=\"#FFFfff\" nowrap><a href=/q/q_1101.html>1101 A</a>", false, true},
      {"<td align=center bgcolor=#FFFfff nowrap>12</td>", false, false},
      {"<td align=\"center\" bgcolor=\"#FFFFFF\" nowrap>12</td>", false, false},
      {"<th align=center nowrap>x</th>", false, false},
      {"", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsCodeCell(c.line), c.code) << c.line;
    EXPECT_EQ(IsDataCell(c.line), c.data) << c.line;
  }
}

TEST(PageCells, ExtractBetweenCutsTrimsAndFilters) {
  const struct {
    std::string line;
    bool digitsOnly;
    std::string expected;
  } cases[] = {
      {"[ 12,345 ]", false, "12,345"},
      {"[ 12,345 ]", true, "12345"},
      {"[-1.5]", true, "1.5"},
      {"[13:30]", true, "13:30"},
      {"[<b>4/5.6</b>]", true, "45.6"},
      {"[\xA1\xD0]", true, ""},
      {"[\xA1\xB5" "0.50 x\tA]", true, "0.50"},
      {"[]", false, ""},
      {"] [x]", false, ""},   // the first end text comes before the start text
      {"[x", false, ""},
      {"x]", false, ""},
      {"[a]b]", false, "a"},  // first occurrences
  };
  for (const auto& c : cases) EXPECT_EQ(ExtractBetween(c.line, "[", "]", c.digitsOnly), c.expected) << c.line;
  EXPECT_EQ(ExtractBetween("<<a>>", "<<", ">>", false), "a");
  EXPECT_EQ(ExtractBetween("<<>>", "<<", ">>", false), "");
}

TEST(PageCells, LinkTextGivesCodeAndName) {
  const struct {
    std::string linkText;
    std::string link, code, name;
  } cases[] = {
      {"1101 ABC", "1101 ABC<", "1101", "ABC"},
      {"  1101 ABC ", "1101 ABC <", "1101", "ABC"},
      {"1101 AB CD", "1101 AB CD<", "1101", "AB CD"},
      {"1101 ", "1101 <", "1101", ""},
      {"1101", "1101<", "", ""},
      {"", "<", "", ""},
      {"1101  " + Utf8ToBig5("台泥") + " ", "1101  " + Utf8ToBig5("台泥") + " <", "1101", Utf8ToBig5("台泥")},
      {" X", "X<", "", ""},
  };
  for (const auto& c : cases) {
    const std::string line = CodeCellLine("1101", c.linkText);
    EXPECT_EQ(ExtractLinkText(line), c.link) << c.linkText;
    EXPECT_EQ(ExtractCode(line), c.code) << c.linkText;
    EXPECT_EQ(ExtractName(line), c.name) << c.linkText;
  }
  for (const std::string line : {"<a href=/q/q_1101.htm>1101 A</a>", "<a href=/q/q_1101.html>1101 A", "</a>.html>1 A",
                                 "x.html</a>"}) {
    EXPECT_EQ(ExtractLinkText(line), "") << line;
    EXPECT_EQ(ExtractCode(line), "") << line;
    EXPECT_EQ(ExtractName(line), "") << line;
  }
}

TEST(PageCells, ParsersReadTheirCells) {
  constexpr double kToday = 45000;
  EXPECT_EQ(ParseQuoteTime(DataCellLine("13:30"), kToday), kToday + 0.5625);
  EXPECT_EQ(ParseQuoteTime(DataCellLine(kNoData), kToday), 0.0);
  EXPECT_EQ(ParseQuoteTime(DataCellLine(""), kToday), 0.0);
  EXPECT_EQ(ParseQuoteTime("<td>13:30</td>", kToday), 0.0);

  const struct {
    std::string line;
    float (*parse)(std::string_view);
    float expected;
  } cases[] = {
      {BoldCellLine("45.60"), ParseBoldPrice, 45.6f},
      {BoldCellLine(""), ParseBoldPrice, 0.0f},
      {BoldCellLine(kNoData), ParseBoldPrice, 0.0f},
      {DataCellLine("45.60"), ParseBoldPrice, 0.0f},  // no bold start text
      {BoldCellLine("45.60"), ParseCellNumber, 45.6f},  // the tags' bytes are no digits
      {DataCellLine("12,345"), ParseCellNumber, 12345.0f},
      {DataCellLine("-1.5"), ParseCellNumber, 1.5f},
      {DataCellLine(kNoData), ParseCellNumber, 0.0f},
      {DataCellLine(" 0.01 "), ParseCellNumber, 0.01f},
      {"</td>" + DataCellLine("7"), ParseCellNumber, 0.0f},  // the end text comes first
      {ChangeCellLine("#ff0000", "\xA1\xB5" "0.50"), ParseChangeCell, 0.5f},
      {ChangeCellLine("#ff0000", "\xA1\xB6" "1.50"), ParseChangeCell, 1.5f},
      {ChangeCellLine("#008000", "\xA1\xBE" "0.30"), ParseChangeCell, -0.3f},
      {ChangeCellLine("#008000", "\xA1\xBF" "2.10"), ParseChangeCell, -2.1f},
      {ChangeCellLine("#000000", "0.00"), ParseChangeCell, 0.0f},
      {ChangeCellLine("#000000", kNoData), ParseChangeCell, 0.0f},
      {ChangeCellLine("#000000", ""), ParseChangeCell, 0.0f},  // 8 bytes
      {ChangeCellLine("#00000", "1"), ParseChangeCell, 0.0f},  // 8 bytes
      {ChangeCellLine("#000000", "-1.25"), ParseChangeCell, -1.25f},
  };
  for (const auto& c : cases) EXPECT_EQ(c.parse(c.line), c.expected) << c.line;
}

TEST(PageCells, ParsersRaiseConversionErrors) {
  const struct {
    std::string line;
    float (*parse)(std::string_view);
    std::string message;
  } cases[] = {
      {DataCellLine("1.2.3"), ParseCellNumber, "'1.2.3' is not a valid floating point value"},
      {DataCellLine("12:30"), ParseCellNumber, "'12:30' is not a valid floating point value"},
      {DataCellLine("."), ParseCellNumber, "'.' is not a valid floating point value"},
      {BoldCellLine("4.5.6"), ParseBoldPrice, "'4.5.6' is not a valid floating point value"},
      {ChangeCellLine("#ff0000", "\xA1\xB5"), ParseChangeCell, "'' is not a valid floating point value"},
      {ChangeCellLine("#008000", "\xA1\xBE"), ParseChangeCell, "'-' is not a valid floating point value"},
      {ChangeCellLine("#ff0000", "1,234"), ParseChangeCell, "'1,234' is not a valid floating point value"},
      // The arrow is found anywhere, but the first two bytes are the ones that go.
      {ChangeCellLine("#ff0000", "1.00\xA1\xB6"), ParseChangeCell, "'00\xA1\xB6' is not a valid floating point value"},
      // Up arrows are looked for first.
      {ChangeCellLine("#ff0000", "\xA1\xBE\xA1\xB6" "1"), ParseChangeCell, "'\xA1\xB6" "1' is not a valid floating point value"},
      {ChangeCellLine("#000000", " " + kNoData), ParseChangeCell, "' \xA1\xD0' is not a valid floating point value"},
  };
  for (const auto& c : cases) {
    try {
      c.parse(c.line);
      ADD_FAILURE() << "no error for " << c.line;
    } catch (const ConvertError& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
  try {
    ParseQuoteTime(DataCellLine("25:00"), 0);
    ADD_FAILURE();
  } catch (const ConvertError& e) {
    EXPECT_STREQ(e.what(), "'25:00:00' is not a valid time");
  }
}

TEST(PageCells, QuoteTimeTakesTodaysDate) {
  const double before = CurrentDate();
  const double time = ParseQuoteTime(DataCellLine("13:30"));
  const double after = CurrentDate();
  EXPECT_TRUE(time == before + 0.5625 || time == after + 0.5625) << time;
  // 1970-01-01 is day 25569.
  const double days = static_cast<double>(std::time(nullptr)) / 86400 + 25569;
  EXPECT_NEAR(before, days, 1.0);
}

TEST(FilterCellLines, KeepsCellLinesInOrder) {
  std::vector<std::string> cells;
  for (int i = 0; i < 22; ++i) cells.push_back(i % 11 == 0 ? CodeCellLine("1101", "1101 A") : DataCellLine(std::to_string(i)));
  const struct {
    int cellCount;
    bool whole;
  } cases[] = {{0, true}, {11, true}, {22, true}, {12, false}, {1, false}};
  for (const auto& c : cases) {
    const TStringListPtr lines = NewStringList(false);
    std::vector<std::string> kept;
    for (int i = 0; i < c.cellCount; ++i) {
      lines->Add("<tr>");
      lines->Add(cells[static_cast<std::size_t>(i)]);
      kept.push_back(cells[static_cast<std::size_t>(i)]);
      lines->Add("");
    }
    lines->Add("</table>");
    EXPECT_EQ(FilterCellLines(*lines), c.whole) << c.cellCount;
    ASSERT_EQ(lines->Count(), c.cellCount);
    for (int i = 0; i < c.cellCount; ++i) EXPECT_EQ(lines->Strings(i), kept[static_cast<std::size_t>(i)]);
  }
}

}  // namespace
}  // namespace kivrel
