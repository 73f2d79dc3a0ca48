#include "core/views/watch_lists.h"

#include <gtest/gtest.h>

namespace kivrel {
namespace {

using enum TListNameProblem;

TEST(WatchLists, CodesAndNames) {
  for (const std::string_view code : {"0", "03001P", "aZ9"}) EXPECT_TRUE(IsWatchCode(code)) << code;
  for (const std::string_view code : {"", "1234567", "12 3", "12.", "\xA4@"}) EXPECT_EQ(WatchCodeKey(code), 0u) << code;
  const std::pair<TListNameProblem, std::vector<std::string_view>> names[] = {
      {npNone, {"\xE8\x87\xAA", "\xF0\x9F\x93\x88 A", "\xF4\x8F\xBF\xBF", "\xC2\xA0"}},
      {npBlank, {"", " \xE3\x80\x80 "}},
      {npControl, {"a\nb", "a\x7F", "\xC2\x85"}},
      {npNotUtf8,
       {"\xC0\xAF", "\xE0\x9F\xBF", "\xED\xB0\x80", "\xF4\x90\x80\x80", std::string_view("\xE8\x87\xAA", 2),
        "\xE8\x87\x41", "\x80", "\xF5\x80\x80\x80"}}};
  for (const auto& [problem, list] : names) {
    for (const std::string_view name : list) EXPECT_EQ(ListNameFormProblem(name), problem) << name;
  }
}

// Insert goes to the list last shown while it exists, else the first, and
// makes 自選股 when there is no list; edits keep the user's order.
TEST(WatchLists, EditsAndTheCurrentList) {
  TWatchLists lists;
  int list = -1;
  EXPECT_EQ(lists.AddToCurrent("12.", list), TAddCode::acNotACode);
  EXPECT_EQ(lists.Count(), 0);
  EXPECT_EQ(lists.AddToCurrent("2330", list), TAddCode::acAdded);
  lists.AddCode(list, "abc");
  EXPECT_EQ(lists.AddCode(list, "ABC"), TAddCode::acAlreadyListed);
  lists.AddCode(list, "1101");
  EXPECT_FALSE(lists.MoveCode(list, "2330", TMoveDirection::mdUp));
  EXPECT_FALSE(lists.MoveCode(list, "1101", TMoveDirection::mdDown));
  EXPECT_TRUE(lists.MoveCode(list, "Abc", TMoveDirection::mdUp));
  EXPECT_TRUE(lists.MoveCode(list, "2330", TMoveDirection::mdDown));
  EXPECT_EQ(lists.List(list).Codes, (std::vector<std::string>{"abc", "1101", "2330"}));
  EXPECT_TRUE(lists.RemoveCode(list, "ABC"));

  const int b = lists.Create("B"), c = lists.Create("C");
  EXPECT_EQ(lists.NameProblem("B"), npTaken);
  EXPECT_EQ(lists.NameProblem("B", b), npNone);  // renamed to itself
  EXPECT_EQ(lists.Current(), 0);
  lists.SetShown(c);
  lists.Keep(b, "# note of B");
  lists.Delete(b);  // the shown list moves up one place and stays current
  EXPECT_EQ(lists.Current(), 1);
  EXPECT_EQ(lists.List(0).KeptLines, std::vector<std::string>{"# note of B"});
  lists.AddToCurrent("5483", list);
  EXPECT_EQ(lists.List(list).Codes, std::vector<std::string>{"5483"});  // C's
  lists.Delete(1);
  EXPECT_EQ(lists.Current(), 0);
  lists.Delete(0);
  EXPECT_EQ(lists.Current(), -1);
  EXPECT_EQ(lists.Preamble(), std::vector<std::string>{"# note of B"});
}

}  // namespace
}  // namespace kivrel
