#include "core/grid/value_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "support/temp_dir.h"

namespace kivrel {

// Decimals, plus sign, value and text: exact halves go away from zero, values
// near a half to the nearest; a value rounding to zero keeps its sign, and so
// do infinities; NaN has none.
TEST(FormatValue, ZerosSignsHalvesAndNonNumbers) {
  constexpr long double inf = INFINITY, nan = NAN;
  const std::tuple<int, bool, long double, const char*> rows[] = {
      {2, false, 12.5L, "12.50"},     {2, true, 0.7L, "+0.70"},
      {0, false, 1234, "1234"},       {2, true, 0, ""},
      {2, true, -0.3L, "-0.30"},      {2, false, 0.125L, "0.13"},
      {2, false, -0.125L, "-0.13"},   {0, false, 2.5L, "3"},
      {4, false, 0.03125L, "0.0313"}, {4, true, -0.03125L, "-0.0313"},
      {2, false, 12.345F, "12.35"},   {2, false, 1.005F, "1.00"},
      {1, false, 9.95L, "9.9"},       {0, false, 123456789.0F, "123456792"},
      {2, false, -0.004L, "-0.00"},   {2, true, 0.004L, "+0.00"},
      {2, true, -inf, "-inf"},        {0, false, -inf, "-inf"},
      {2, true, inf, "+inf"},         {2, true, -nan, "nan"},
      {0, false, nan, "nan"}};
  for (const auto& [decimals, plus, value, text] : rows) {
    EXPECT_EQ(FormatValue(decimals, false, plus, value), text) << decimals << " of " << static_cast<double>(value);
  }
  EXPECT_EQ(FormatValue(2, true, true, 0), "0.00");
  EXPECT_EQ(FormatValue(2, false, false, 1e300L).size(), 304U);  // longer than any first guess of a buffer
}

// In a locale whose decimal point is ",", made here by localedef, where it can.
TEST(FormatValue, PointWhateverTheLocale) {
  testing::TempDir dir;
  if (std::system(("localedef -i de_DE -f UTF-8 " + (dir / "de_DE.UTF-8") + " >/dev/null 2>&1").c_str()) != 0) {
    GTEST_SKIP() << "localedef cannot make a de_DE locale here";
  }
  ::setenv("LOCPATH", dir.path().c_str(), 1);
  const bool loaded = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  ::unsetenv("LOCPATH");  // a locale once loaded stays
  if (!loaded) GTEST_SKIP() << "the de_DE locale made does not load";
  const std::string shown = std::localeconv()->decimal_point + (" " + FormatValue(2, false, true, 1.5L)) + " " +
                            FormatValue(2, true, false, -0.125L);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(shown, ", +1.50 -0.13");  // the locale was in force, and the board ignores it
}

// Spaces go first; then 台泥 becomes 台　泥, while six bytes stay.
TEST(FormatStockName, SpreadsFourByteNames) {
  EXPECT_EQ(FormatStockName("\245x \252d "), "\245x\241@\252d");
  EXPECT_EQ(FormatStockName("\245x\306W \271q") + FormatStockName("A B C"), "\245x\306W\271qABC");
}

}  // namespace kivrel
