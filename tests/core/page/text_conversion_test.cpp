#include "core/page/text_conversion.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <locale.h>

namespace kivrel {
namespace {

struct NumberCase {
  const char* text;
  float expected;
};

TEST(TextToSingle, ReadsDecimalForms) {
  const NumberCase cases[] = {
      {"45.60", 45.6f},
      {"12345", 12345.0f},
      {"-0.30", -0.3f},
      {"+.5", 0.5f},
      {"7.", 7.0f},
      {"007", 7.0f},
      {"  1.5 ", 1.5f},
      {"0.00", 0.0f},
      {"0.0000000000000000000000000000001", 1e-31f},
      {"123456789012345678901234567890", 1.2345679e29f},
      {"0.1000000000000000000000000000001", 0.1f},
      {"340282356779733600000000000000000000000", FLT_MAX},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToSingle(c.text), c.expected) << c.text;
  }
  EXPECT_TRUE(std::signbit(TextToSingle("-0.00")));
}

// The fast reading of short texts must give what the C library's correctly
// rounded strtold gives, for every digit count and point position.
TEST(TextToExtended, MatchesCorrectlyRoundedLibraryReading) {
  const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  std::uint64_t state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    std::string digits = std::to_string(state >> (state % 40));
    const std::size_t point = static_cast<std::size_t>(state >> 58) % (digits.size() + 1);
    digits.insert(point, ".");
    const long double expected = ::strtold_l(digits.c_str(), nullptr, c);
    EXPECT_EQ(TextToExtended(digits), expected) << digits;
    EXPECT_EQ(TextToExtended("-" + digits), -expected) << digits;
  }
  ::freelocale(c);
}

TEST(TextToSingle, RejectsWhatIsNotADecimalNumber) {
  const char* const texts[] = {"1.2.3", "12:30", "", " ", "-", ".", "+-1", "1 2", "1,234", "1e5", "inf", "nan",
                               "0x1p3", "\xA1\xB5", "12a", "--1"};
  for (const char* text : texts) {
    try {
      TextToSingle(text);
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const ConvertError& e) {
      EXPECT_EQ(e.what(), "'" + std::string(text) + "' is not a valid floating point value");
    }
  }
}

TEST(TextToSingle, RejectsValuesBeyondTheSingleRange) {
  // Halfway between the largest single and 2^128 rounds to infinity.
  for (const char* text : {"340282356779733661637539395458142568448", "-1000000000000000000000000000000000000000"}) {
    try {
      TextToSingle(text);
      ADD_FAILURE() << "no error for " << text;
    } catch (const ConvertError& e) {
      EXPECT_EQ(e.what(), "'" + std::string(text) + "' is out of the single-precision range");
    }
  }
}

TEST(TextToSingle, CutsLongTextsInMessagesBetweenCharacters) {
  const std::string ascii(200, 'x');
  const std::string big5 = std::string(79, 'x') + "\xA1\xB5" + "yyyy";  // the 80th byte begins a character
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {ascii, "'" + std::string(80, 'x') + "...' is not a valid floating point value"},
      {big5 + std::string(100, 'y'), "'" + std::string(79, 'x') + "...' is not a valid floating point value"},
  };
  for (const auto& c : cases) {
    try {
      TextToSingle(c.text);
      ADD_FAILURE();
    } catch (const ConvertError& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
}

TEST(TextToTimeFraction, ReadsHoursMinutesAndSeconds) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"13:30:00", 0.5625}, {"12:00", 0.5}, {"0:0:0", 0.0}, {"09:05:00", (9 * 3600 + 5 * 60) / 86400.0L},
      {"23:59:59", 86399 / 86400.0L},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToTimeFraction(c.text), c.expected) << c.text;
}

TEST(TextToTimeFraction, RejectsInvalidTimes) {
  const char* const texts[] = {"25:00:00", "24:00:00", "12:60:00", "12:30:60", "12:30:00:00", "12", "",  ":",
                               "1:2:",     "123:00:00", "12.5:00",  "-1:00",    "12::00",      ":00:00", " 1:00"};
  for (const char* text : texts) {
    try {
      TextToTimeFraction(text);
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const ConvertError& e) {
      EXPECT_EQ(e.what(), "'" + std::string(text) + "' is not a valid time");
    }
  }
}

}  // namespace
}  // namespace kivrel
