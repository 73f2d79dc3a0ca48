#include "core/page/text_conversion.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <cfloat>
#include <optional>
#include <random>

#include "core/page/page_cells.h"
#include "tools/pages/page_generator.h"

namespace kivrel {

// The fast reading of short texts must give what the C library's correctly
// rounded strtold gives, for any digit count and point position.
TEST(TextToExtended, EqualsTheCorrectlyRoundedLibraryReading) {
  const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  std::mt19937_64 rng(12345);
  for (int i = 0; i < 30000; ++i) {
    std::string digits = std::to_string(rng() >> (rng() % 64));
    if (i % 4 == 0) digits += std::to_string(rng());  // up to 40 digits
    if (i % 3 == 0) digits.insert(0, std::string(rng() % 30, '0'));
    digits.insert(rng() % (digits.size() + 1), ".");
    const long double expected = ::strtold_l(digits.c_str(), nullptr, c);
    ASSERT_EQ(TextToExtended(digits), expected) << digits;
    ASSERT_EQ(TextToExtended("-" + digits), -expected) << digits;
  }
  ::freelocale(c);
}

// Cells keep only the digits, points and colons of their text; the change
// cell drops 8 bytes of font colour and, when an arrow stands anywhere, its
// first two bytes. Beyond the single range means from halfway between the
// largest single and 2^128 on. Cells of 2^24 digits read or raise without
// crashing (the library reading of 2^31 of them takes half a minute).
TEST(TextToSingle, CellsAndTextsReadOrRaise) {
  const std::string zeros(std::size_t{1} << 24, '0');
  const auto time = [](std::string_view line) { return static_cast<float>(ParseQuoteTime(line, 0)); };
  const auto change = [](const std::string& text) { return pages::ChangeCellLine("#ff0000", text); };
  const std::tuple<std::string, float (*)(std::string_view), std::optional<float>> rows[] = {
      // none: ConvertError
      {pages::DataCellLine("13:30"), time, 0.5625f},
      {pages::DataCellLine("24:00"), time, std::nullopt},
      {pages::DataCellLine("-1.5"), ParseCellNumber, 1.5f},
      {pages::DataCellLine("12:30"), ParseCellNumber, std::nullopt},
      {"</td>" + pages::DataCellLine("7"), ParseCellNumber, 0.0f},
      {change("-1.25"), ParseChangeCell, -1.25f},
      {change("1.00\xA1\xB6"), ParseChangeCell, std::nullopt},
      {pages::ChangeCellLine("#00000", "1"), ParseChangeCell, 0.0f},
      {"+.5", TextToSingle, 0.5f},
      {"340282356779733600000000000000000000000", TextToSingle, FLT_MAX},
      {"340282356779733661637539395458142568448", TextToSingle, std::nullopt},
      {"0." + zeros + "1", TextToSingle, 0.0f},
      {zeros + "1.5", TextToSingle, 1.5f},
      {"1" + zeros, TextToSingle, std::nullopt}};
  for (const auto& [text, read, value] : rows) {
    std::optional<float> got;
    try {
      got = read(text);
    } catch (const ConvertError&) {
    }
    EXPECT_EQ(got, value) << text.substr(0, 80);
  }
  for (const std::string text : {"1.2.3", "", "-", ".", "+-1", "1 2", "1,234", "1e5", "inf", "0x1p3", "\t1"}) {
    EXPECT_THROW(TextToSingle(text), ConvertError) << text;
  }
}

}  // namespace kivrel
