#include "core/lists/string_list.h"

#include <gtest/gtest.h>

#include "core/lists/split_list.h"

namespace kivrel {

using Lines = std::vector<std::string>;

Lines Texts(const TStringList& list) {
  Lines out;
  for (const TStringEntry& e : list.Entries()) out.push_back(e.Text);
  return out;
}

// The text ends at its first NUL; CR, LF and CR LF each end a line, LF CR
// two. A split separator's letters match either case, never the second byte
// of a Big5 character (櫃 is C2 64, "d").
TEST(StringList, LineBreaksAndSplitSeparators) {
  const std::pair<std::string, Lines> rows[] = {{"", {}},
                                                {"a\r\nb\rc\n", {"a", "b", "c"}},
                                                {"a\n\rb", {"a", "", "b"}},
                                                {"\n", {""}},
                                                {std::string("a\nb\0c\nd", 7), {"a", "b"}}};
  for (const auto& [text, lines] : rows) {
    TStringList list;
    list.SetText(text);
    EXPECT_EQ(Texts(list), lines) << ::testing::PrintToString(text);
  }
  EXPECT_EQ(Texts(*SplitToStringList("aXbxc", "x")), (Lines{"a", "b", "c"}));
  EXPECT_EQ(Texts(*SplitToStringList("\xC2\x64xD", "d")), (Lines{"\xC2\x64x"}));
}

// 鮭 is C2 44 and 櫃 C2 64: a second byte is never folded; a letter after a whole character is.
TEST(StringList, CompareTextFoldsAsciiLettersOfWholeCharactersOnly) {
  const auto sign = [](const std::string& a, const std::string& b) {
    return (TStringList::CompareText(a, b) > 0) - (TStringList::CompareText(a, b) < 0);
  };
  const std::tuple<std::string, std::string, int> rows[] = {
      {"ab", "abc", -1}, {"z", "\xA4\x40", -1}, {"\xC2\x44", "\xC2\x64", -1}, {"x\xC2\x44Z", "X\xC2\x44z", 0}};
  for (const auto& [a, b, expected] : rows)
    EXPECT_EQ(std::pair(sign(a, b), sign(b, a)), std::pair(expected, -expected)) << a << " vs " << b;
}

TEST(StringList, SortedListInsertsInOrderAndKeepsTheFirstOfEqualTexts) {
  const TStringListPtr list = NewStringList(true);
  const std::vector<int> at = {list->Add("b"), list->Add("A"), list->Add("B")};
  EXPECT_EQ(at, (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(Texts(*list), (Lines{"A", "b"}));
}

}  // namespace kivrel
