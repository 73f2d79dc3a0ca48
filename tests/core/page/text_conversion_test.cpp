#include "core/page/text_conversion.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <cfloat>
#include <random>

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

// Beyond the single range means from halfway between the largest single and 2^128 on.
TEST(TextToSingle, ReadsDecimalFormsAndRejectsTheRest) {
  const std::pair<std::string, float> read[] = {{"45.60", 45.6f},
                                                {"-0.30", -0.3f},
                                                {"+.5", 0.5f},
                                                {"7.", 7.0f},
                                                {"007", 7.0f},
                                                {"  1.5 ", 1.5f},
                                                {"0.0000000000000000000000000000001", 1e-31f},
                                                {"340282356779733600000000000000000000000", FLT_MAX}};
  for (const auto& [text, value] : read) EXPECT_EQ(TextToSingle(text), value) << text;
  for (const std::string text :
       {"1.2.3", "12:30", "", " ", "-", ".", "+-1", "1 2", "1,234", "1e5", "inf", "nan", "0x1p3", "\t1", "12a",
        "340282356779733661637539395458142568448", "-1000000000000000000000000000000000000000"}) {
    EXPECT_THROW(TextToSingle(text), ConvertError) << text;
  }
}

TEST(ConvertError, MessageCutsLongTextsBetweenCharacters) {
  const std::string x79(79, 'x');
  const std::pair<std::string, std::string> rows[] = {{std::string(200, 'x'), x79 + "x..."},
                                                      {x79 + "\xA1\xB5" + std::string(99, 'y'), x79 + "..."}};
  for (const auto& [text, shown] : rows) {
    EXPECT_STREQ(ConvertError(ConvertError::Kind::Number, text).what(),
                 ("'" + shown + "' is not a valid floating point value").c_str());
  }
}

// Cells of millions of digits: 2^24 zeros is as far as a test can afford (the
// library reading of 2^31 of them takes half a minute and two more copies).
TEST(TextToSingle, HugeCellsReadOrRaiseWithoutCrashing) {
  const std::string zeros(std::size_t{1} << 24, '0');
  EXPECT_EQ(TextToSingle("0." + zeros + "1"), 0.0f);  // below the smallest extended
  EXPECT_EQ(TextToSingle(zeros + "1.5"), 1.5f);
  EXPECT_THROW(TextToSingle("1" + zeros), ConvertError);
  EXPECT_THROW(TextToSingle("0." + zeros + "x"), ConvertError);
}

}  // namespace kivrel
