#include "core/lists/string_list.h"

#include <gtest/gtest.h>

#include "core/lists/list_functions.h"
#include "core/lists/split_list.h"

namespace kivrel {

using Lines = std::vector<std::string>;

Lines Texts(const TStringList& list) {
  Lines out;
  for (const TStringEntry& e : list.Entries()) out.push_back(e.Text);
  return out;
}

TEST(StringList, LineBreaks) {
  const std::pair<std::string, Lines> rows[] = {{"", {}},
                                                {"a\r\nb\r\n", {"a", "b"}},
                                                {"a\nb", {"a", "b"}},
                                                {"a\rb\r", {"a", "b"}},
                                                {"a\n\rb", {"a", "", "b"}},
                                                {"a\r\r\nb", {"a", "", "b"}},
                                                {"\n", {""}},
                                                {std::string("a\nb\0c\nd", 7), {"a", "b"}}};
  for (const auto& [text, lines] : rows) {
    TStringList list;
    list.Add("stale");
    list.SetText(text);
    EXPECT_EQ(Texts(list), lines) << ::testing::PrintToString(text);
  }
}

TEST(StringList, CompareTextFoldsAsciiLettersOfWholeCharactersOnly) {
  const auto sign = [](const std::string& a, const std::string& b) {
    return (TStringList::CompareText(a, b) > 0) - (TStringList::CompareText(a, b) < 0);
  };
  // 鮭 is C2 44 and 櫃 C2 64: a second byte is never folded; a letter after a whole character is.
  const std::tuple<std::string, std::string, int> rows[] = {{"abc", "ABC", 0},
                                                            {" ", "0", -1},
                                                            {"9", "A", -1},
                                                            {"Z", "a", 1},
                                                            {"ab", "abc", -1},
                                                            {"z", "\xA4\x40", -1},
                                                            {"\xC2\x44", "\xC2\x64", -1},
                                                            {"\xA4\xA4Z", "\xA4\xA4z", 0},
                                                            {"x\xC2\x44Q", "X\xC2\x44q", 0}};
  for (const auto& [a, b, expected] : rows)
    EXPECT_EQ(std::pair(sign(a, b), sign(b, a)), std::pair(expected, -expected)) << a << " vs " << b;
}

TEST(StringList, SortedListInsertsInOrderKeepsTheFirstOfEqualTextsAndFinds) {
  const TStringListPtr list = NewStringList(true);
  TObject a, b, c, d;
  const std::vector<int> at = {list->AddObject("000003  1101", &a), list->AddObject("000003    50", &b),
                               list->AddObject("000003 1101A", &c), list->AddObject("000003 1101a", &d)};
  EXPECT_EQ(at, (std::vector<int>{0, 0, 2, 2}));
  EXPECT_EQ(Texts(*list), (Lines{"000003    50", "000003  1101", "000003 1101A"}));
  EXPECT_EQ(list->Objects(2), &c);
  int i = -1;
  EXPECT_TRUE(list->Find("000003  1101", i) && i == 1);
  EXPECT_TRUE(!list->Find("000003  1102", i) && i == 2);
  EXPECT_TRUE(!list->Find("", i) && i == 0);
  EXPECT_TRUE(!list->Find("zz", i) && i == 3);
}

TEST(SplitList, Pieces) {
  const std::pair<std::string, Lines> rows[] = {{"a,,b", {"a", "", "b"}},
                                                {"a,b,", {"a", "b"}},
                                                {",a", {"", "a"}},
                                                {",", {""}},
                                                {"", {}},
                                                {"\xAA\xF7&c=\xAA\xF7,x", {"\xAA\xF7&c=\xAA\xF7", "x"}}};
  for (const auto& [text, pieces] : rows) EXPECT_EQ(Texts(NewSplitStrList(text)->GetList()), pieces) << text;
}

}  // namespace kivrel
