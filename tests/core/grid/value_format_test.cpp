#include "core/grid/value_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "support/temp_dir.h"

namespace kivrel {

// Plus sign, value and its text with two decimals: an exact half goes away
// from zero; a value rounding to zero keeps its sign, and so do infinities.
TEST(FormatValue, HalvesAndSignsOfZerosAndInfinities) {
  const std::tuple<bool, long double, const char*> rows[] = {
      {false, -0.125L, "-0.13"}, {false, -0.004L, "-0.00"}, {true, -INFINITY, "-inf"}, {true, INFINITY, "+inf"}};
  for (const auto& [plus, value, text] : rows) EXPECT_EQ(FormatValue(2, false, plus, value), text);
}

// In a locale whose decimal point is ",", made here by localedef, where it can.
TEST(FormatValue, PointWhateverTheLocale) {
  testing::TempDir dir;
  if (std::system(("localedef -i de_DE -f UTF-8 " + (dir / "de_DE.UTF-8") + " >/dev/null 2>&1").c_str()) != 0)
    GTEST_SKIP() << "localedef cannot make a de_DE locale here";
  ::setenv("LOCPATH", dir.path().c_str(), 1);
  const bool loaded = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  ::unsetenv("LOCPATH");  // a locale once loaded stays
  if (!loaded) GTEST_SKIP() << "the de_DE locale made does not load";
  // The locale is in force, and the board ignores it.
  EXPECT_EQ(std::localeconv()->decimal_point + FormatValue(2, false, true, 1.5L), ",+1.50");
  std::setlocale(LC_ALL, "C");
}

}  // namespace kivrel
