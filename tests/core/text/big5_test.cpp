#include "core/text/big5.h"

#include <gtest/gtest.h>

#include "core/text/fixed_texts.h"

namespace kivrel {

// A character cut at the end shows only the whole ones before it; a bad byte shows U+FFFD.
TEST(Big5, ConvertsBothWaysShowingWholeCharactersOnly) {
  const std::pair<std::string, std::string> rows[] = {
      {"ab\xA4", "ab"}, {"\xA4\xA4\xA4", "中"}, {"\xFFz", "\uFFFDz"}, {"\xA4 x", "\uFFFD x"}};
  for (const auto& [big5, utf8] : rows) EXPECT_EQ(Big5ToUtf8(big5), utf8) << utf8;
  EXPECT_EQ(Utf8ToBig5(Big5ToUtf8(kOtcCategoriesText)), kOtcCategoriesText);
  EXPECT_EQ(Utf8ToBig5("\xF0\x9F\x98\x80x\xE5\x8F"), "?x?");  // not in Big5; a cut sequence
  const std::tuple<std::string, std::size_t, std::string> cuts[] = {
      {"\xFE\xA4x", 1, ""}, {"a\xA4\xA4", 2, "a"}, {"\x80\xA4\xA4", 2, "\x80"}, {"\xA4\xA4\xA4\xA4", 3, "\xA4\xA4"}};
  for (const auto& [text, limit, kept] : cuts) EXPECT_EQ(WholeCharacters(text, limit), kept) << text << " " << limit;
}

}  // namespace kivrel
