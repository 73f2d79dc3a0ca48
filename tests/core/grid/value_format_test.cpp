#include "core/grid/value_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "support/temp_dir.h"

namespace kivrel {
namespace {

TEST(FormatValue, ExamplesZerosSignsAndHalves) {
  const struct {
    int decimals;
    bool force, plus;
    long double value;
    const char* text;
  } cases[] = {
      {2, false, false, 12.5L, "12.50"},
      {2, false, true, 0.7L, "+0.70"},
      {2, false, true, -0.3L, "-0.30"},
      {0, false, false, 1234, "1234"},
      {2, false, true, 0, ""},
      {2, true, false, 0, "0.00"},
      {2, true, true, 0, "0.00"},
      // Exact halves go away from zero...
      {2, false, false, 0.125L, "0.13"},
      {2, false, false, -0.125L, "-0.13"},
      {0, false, false, 2.5L, "3"},
      {0, false, false, 3.5L, "4"},
      {0, false, false, 0.5L, "1"},
      {1, false, false, 0.25L, "0.3"},
      // ...while values merely near a half round to the nearest.
      {2, false, false, 12.345F, "12.35"},  // the single lies above 12.345
      {2, false, false, 1.005F, "1.00"},    // the single lies below 1.005
      {2, false, false, -0.001L, "0.00"},   // no "-0.00"
      {2, false, true, 0.001L, "+0.00"},
      {0, false, false, 123456789.0F, "123456792"},
      {1, false, false, 9.95L, "9.9"},      // the long double 9.95 lies below the half
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatValue(c.decimals, c.force, c.plus, c.value), c.text)
        << c.decimals << " decimals of " << static_cast<double>(c.value);
  }
}

// A locale whose decimal point is ",", made for the test with localedef.
class CommaLocale {
 public:
  CommaLocale() {
    if (std::system(("localedef -i de_DE -f UTF-8 " + (dir_ / "de_DE.UTF-8") + " >/dev/null 2>&1").c_str()) != 0) return;
    ::setenv("LOCPATH", dir_.path().c_str(), 1);
    active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  }
  ~CommaLocale() {
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LOCPATH");
  }
  bool Active() const { return active_; }

 private:
  testing::TempDir dir_;
  bool active_ = false;
};

TEST(FormatValue, IgnoresTheLocaleAndSurvivesNonNumbers) {
  {
    CommaLocale comma;
    if (comma.Active()) {
      char printed[16];
      std::snprintf(printed, sizeof printed, "%.2f", 1.5);
      EXPECT_STREQ(printed, "1,50");  // the locale is in force...
      EXPECT_EQ(FormatValue(2, false, false, 1.5L), "1.50");  // ...and the board ignores it
      EXPECT_EQ(FormatValue(2, false, false, 0.125L), "0.13");
    } else {
      ADD_FAILURE() << "localedef could not make a de_DE locale";
    }
  }
  EXPECT_EQ(FormatValue(2, false, false, std::numeric_limits<long double>::quiet_NaN()), "nan");
  EXPECT_EQ(FormatValue(2, false, true, std::numeric_limits<long double>::infinity()), "+inf");
  EXPECT_EQ(FormatValue(2, false, false, 1e30L).size(), 34u);
  EXPECT_EQ(FloatFormatText(2), "%.2f");
  EXPECT_EQ(FloatFormatText(0), "%.0f");
}

TEST(FormatValue, InfinitiesKeepTheirSignAndNaNShowsNone) {
  // A quote file may hold any bit pattern, so a change or a negated limit
  // price can be infinite. The x87 default NaN (0/0, inf/inf) has its sign
  // bit set.
  constexpr long double inf = std::numeric_limits<long double>::infinity();
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const struct {
    int decimals;
    bool plus;
    long double value;
    const char* text;
  } cases[] = {
      {2, true, -inf, "-inf"}, {0, false, -inf, "-inf"}, {2, true, inf, "+inf"},
      {2, true, -nan, "nan"},  {0, false, nan, "nan"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatValue(c.decimals, false, c.plus, c.value), c.text) << static_cast<double>(c.value);
  }
}

TEST(FormatStockName, SpreadsTwoCharacterNames) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"\xA5x\xAA" "d", "\xA5x\xA1@\xAA" "d"},          // 台泥 -> 台　泥
      {"\xA5x \xAA" "d", "\xA5x\xA1@\xAA" "d"},         // 台 泥 -> 台　泥
      {"ABCD", "AB\xA1@" "CD"},
      {"AB CD", "AB\xA1@" "CD"},
      {"\xA5x\xC6W\xB9q", "\xA5x\xC6W\xB9q"},           // six bytes stay
      {"ABC", "ABC"},
      {"", ""},
      {"\xA5x\xA1@\xAA" "d", "\xA5x\xA1@\xAA" "d"},     // an ideographic space is not removed
  };
  for (const auto& c : cases) EXPECT_EQ(FormatStockName(c.in), c.out) << c.in;
  EXPECT_EQ(RemoveSpaces(" a b\xA1@ "), "ab\xA1@");
}

}  // namespace
}  // namespace kivrel
