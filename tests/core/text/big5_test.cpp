#include "core/text/big5.h"

#include <gtest/gtest.h>

#include "core/text/fixed_texts.h"

namespace kivrel {

TEST(Big5, ConvertsBothWaysShowingWholeCharactersOnly) {
  const std::string bad = "\xEF\xBF\xBD";  // U+FFFD
  const std::pair<std::string, std::string> rows[] = {
      {std::string(kCaption), "Kivrel\u3000v0.01 (資料來源: YAHOO 奇摩股市)"},
      {"", ""},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
      {"\xA4\xA4", "中"},
      {"ab\xA4", "ab"},
      {"\xA4\xA4\xA4", "中"},
      {"\xFFz", bad + "z"},
      {"\xA4 x", bad + " x"}};
  for (const auto& [big5, utf8] : rows) EXPECT_EQ(Big5ToUtf8(big5), utf8) << utf8;
  EXPECT_EQ(Utf8ToBig5(Big5ToUtf8(kOtcCategoriesText)), kOtcCategoriesText);
  EXPECT_EQ(Utf8ToBig5("\xF0\x9F\x98\x80x\xE5\x8F"), "?x?");  // not in Big5; a cut sequence
}

TEST(Big5, WholeCharactersNeverSplitsOne) {
  const std::tuple<std::string, std::size_t, std::string> rows[] = {
      {"abc", 2, "ab"},  {"\xA4\xA4x", 1, ""},        {"\xA4\xA4x", 2, "\xA4\xA4"},       {"a\xA4\xA4", 2, "a"},
      {"a\xA4", 9, "a"}, {"\x80\xA4\xA4", 2, "\x80"}, {"\xA4\xA4\xA4\xA4", 3, "\xA4\xA4"}};
  for (const auto& [text, limit, kept] : rows) EXPECT_EQ(WholeCharacters(text, limit), kept) << text << " " << limit;
}

}  // namespace kivrel
