#include "core/text/big5.h"

#include <gtest/gtest.h>

#include "core/text/fixed_texts.h"
#include "core/text/text_utils.h"

namespace kivrel {
namespace {

TEST(Big5, FixedTextsConvertToTheirUnicodeForms) {
  EXPECT_EQ(Big5ToUtf8(kCaption), "Kivrel\u3000v0.01 (\u8cc7\u6599\u4f86\u6e90: YAHOO \u5947\u6469\u80a1\u5e02)");
  EXPECT_EQ(Big5ToUtf8(kPageFormatError), "\u539f\u59cb\u6a94\u6848\u683c\u5f0f\u6709\u8aa4!!!");
  EXPECT_EQ(kPageFormatError.size(), 19u);
  EXPECT_EQ(kColumnTitlesText.size(), 104u);
  EXPECT_EQ(kListedCategoriesText.size(), 247u);
  EXPECT_EQ(kOtcCategoriesText.size(), 267u);
  EXPECT_EQ(Utf8ToBig5(Big5ToUtf8(kOtcCategoriesText)), kOtcCategoriesText);
}

TEST(Big5, BadBytesBecomeReplacementCharacters) {
  const std::string fffd = "\xEF\xBF\xBD";
  EXPECT_EQ(Big5ToUtf8("ab\xA4"), "ab" + fffd);             // cut at the end
  EXPECT_EQ(Big5ToUtf8("\xFF" "a"), fffd + "a");            // not a lead byte
  EXPECT_EQ(Big5ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(Big5ToUtf8(""), "");
  EXPECT_EQ(Utf8ToBig5("\xF0\x9F\x98\x80x"), "?x");         // not in Big5
}

TEST(TextUtils, TrimAndPos) {
  EXPECT_EQ(Trim(" \t\r\nab c\x01 "), "ab c");
  EXPECT_EQ(Trim("\xA1@x\xA1@"), "\xA1@x\xA1@");  // Big5 bytes are never trimmed
  EXPECT_EQ(Pos("b", "abcb"), 2u);
  EXPECT_EQ(Pos("z", "abc"), 0u);
  EXPECT_EQ(Pos("", "abc"), 0u);
}

}  // namespace
}  // namespace kivrel
