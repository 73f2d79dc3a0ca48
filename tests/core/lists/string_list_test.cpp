#include "core/lists/string_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lists/list_functions.h"
#include "core/draw/rect.h"
#include "core/lists/split_list.h"
#include "core/text/fixed_texts.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

std::vector<std::string> Texts(const TStringList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
  return out;
}

using Lines = std::vector<std::string>;

TEST(StringListText, LineBreakRules) {
  const struct {
    std::string text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR ends two lines
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\n", {""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {std::string("a\nb\0c\nd", 7), {"a", "b"}},  // NUL ends the text
      {std::string("\0a", 2), {}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.Add("stale");
    list.SetText(c.text);
    EXPECT_EQ(Texts(list), c.lines) << "text of " << c.text.size() << " bytes";
  }
}

TEST(StringListText, LoadsFilesWithAnyLineEndAlike) {
  testing::TempDir dir;
  const Lines expected = {"one", "\xA4\xF4\xAA" "d", "three"};
  for (const std::string body : {"one\r\n\xA4\xF4\xAA" "d\r\nthree\r\n", "one\n\xA4\xF4\xAA" "d\nthree",
                                 "one\r\xA4\xF4\xAA" "d\rthree\r"}) {
    const std::string file = dir / "page.html";
    testing::WriteBytes(file, body);
    EXPECT_EQ(Texts(*LoadStringList(false, file)), expected);
  }
  EXPECT_EQ(LoadStringList(false, dir / "missing.html")->Count(), 0);
}

TEST(StringListSorted, CompareIgnoresCaseAndOrdersSpaceDigitsLetters) {
  EXPECT_EQ(TStringList::CompareText("abc", "ABC"), 0);
  EXPECT_LT(TStringList::CompareText(" ", "0"), 0);
  EXPECT_LT(TStringList::CompareText("9", "A"), 0);
  EXPECT_LT(TStringList::CompareText("9", "a"), 0);
  EXPECT_LT(TStringList::CompareText("a", "B"), 0);
  EXPECT_LT(TStringList::CompareText("ab", "abc"), 0);
  EXPECT_LT(TStringList::CompareText("z", "\xA4\x40"), 0);
}

TEST(StringListSorted, InsertsInOrderAndIgnoresDuplicates) {
  auto list = NewStringList(true);
  TObject a, b, c, d;
  EXPECT_EQ(list->AddObject("000003  1101", &a), 0);
  EXPECT_EQ(list->AddObject("000003    50", &b), 0);
  EXPECT_EQ(list->AddObject("000003 11011", &c), 2);
  // A text equal without regard to case adds nothing and yields the entry.
  EXPECT_EQ(list->AddObject("000003    50", &d), 0);
  EXPECT_EQ(Texts(*list), (Lines{"000003    50", "000003  1101", "000003 11011"}));
  EXPECT_EQ(list->Objects(0), &b);

  int index = -1;
  EXPECT_TRUE(list->Find("000003  1101", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list->Find("000003  1102", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list->Find("", index));
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(list->Find("zz", index));
  EXPECT_EQ(index, 3);
}

TEST(StringListSorted, SwitchingSortedOnSortsPresentEntries) {
  auto list = NewStringList(false);
  list->SetText("c\nA\nb\na");
  list->SetDuplicates(TDuplicates::dupIgnore);
  list->SetSorted(true);
  EXPECT_EQ(Texts(*list), (Lines{"A", "b", "c"}));
}

TEST(StringListSorted, MergeKeepsOrder) {
  auto list = NewStringList(true);
  list->Add("b");
  list->Add("d");
  list->MergeSorted({{"a", nullptr}, {"c", nullptr}, {"e", nullptr}});
  EXPECT_EQ(Texts(*list), (Lines{"a", "b", "c", "d", "e"}));
}

TEST(StringListPlain, DeleteKeepIfAndBounds) {
  auto list = NewStringList(false);
  list->SetText("x\ny\nz\ny");
  list->Delete(0);
  EXPECT_EQ(Texts(*list), (Lines{"y", "z", "y"}));
  list->KeepIf([](const std::string& s) { return s == "y"; });
  EXPECT_EQ(Texts(*list), (Lines{"y", "y"}));
  EXPECT_THROW(list->Strings(2), std::out_of_range);
  EXPECT_THROW(list->Delete(-1), std::out_of_range);
}

// Objects attached to lists are freed only when asked; the counter tells.
struct Counted : TObject {
  explicit Counted(int& frees) : frees_(frees) {}
  ~Counted() override { ++frees_; }
  int& frees_;
};

TEST(ListOwnership, ObjectsAreFreedOnlyWhenAsked) {
  int frees = 0;
  {
    auto list = NewStringList(false);
    list->AddObject("a", new Counted(frees));
    list->AddObject("b", nullptr);
    list->AddObject("c", new Counted(frees));
    FreeListObjects(list.get());
    EXPECT_EQ(frees, 2);
    EXPECT_EQ(list->Count(), 0);
  }
  Counted kept(frees);
  {
    auto list = NewStringList(false);
    list->AddObject("a", &kept);
    FreeStringList(std::move(list), false);
  }
  EXPECT_EQ(frees, 2);
  FreeListObjects(nullptr);
  FreeStringList(nullptr, true);

  auto temp = std::make_unique<Counted>(frees);
  FreeAndNilObject(temp);
  EXPECT_EQ(temp, nullptr);
  Counted* raw = new Counted(frees);
  FreeAndNilObject(raw);
  EXPECT_EQ(raw, nullptr);
  EXPECT_EQ(frees, 4);
}

TEST(Split, PiecesAndSeparators) {
  const struct {
    std::string text;
    std::string separator;
    Lines pieces;
  } cases[] = {
      {"a,,b", ",", {"a", "", "b"}},
      {"a,b,", ",", {"a", "b"}},
      {",a", ",", {"", "a"}},
      {",", ",", {""}},
      {"", ",", {}},
      {"\xAA\xF7\xBF\xC4\xA4@&c=\xAA\xF7\xBF\xC4\xA4G", ",", {"\xAA\xF7\xBF\xC4\xA4@&c=\xAA\xF7\xBF\xC4\xA4G"}},
      {"aXbxc", "x", {"a", "b", "c"}},  // letters of the separator match either case
  };
  for (const auto& c : cases) EXPECT_EQ(Texts(*SplitToStringList(c.text, c.separator)), c.pieces) << c.text;
}

TEST(Split, ProgramTablesHaveTheirEntryCounts) {
  EXPECT_EQ(NewSplitStrList(kListedCategoriesText)->GetList().Count(), 28);
  EXPECT_EQ(NewSplitStrList(kOtcCategoriesText)->GetList().Count(), 27);
  const ISplitStrListPtr titles = NewSplitStrList(kColumnTitlesText);
  ASSERT_EQ(titles->GetList().Count(), 15);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(titles->GetList().Strings(i).size(), 6u);
  EXPECT_EQ(titles->GetList().Strings(0), "\xA5N\xA1@\xBDX");
}

TEST(Split, OwningSplitListFreesItsObjectsWithTheLastReference) {
  int frees = 0;
  ISplitStrListPtr owning = std::make_shared<TSplitStrList>("b,a", /*sorted=*/true, /*ownsObjects=*/true);
  EXPECT_EQ(Texts(owning->GetList()), (Lines{"a", "b"}));
  owning->GetList().SetObject(0, new Counted(frees));
  ISplitStrListPtr second = owning;
  owning.reset();
  EXPECT_EQ(frees, 0);
  second.reset();
  EXPECT_EQ(frees, 1);
}

TEST(SmallUtils, IfThenAndRectWidth) {
  EXPECT_EQ(IfThenInt(true, 1, 2), 1);
  EXPECT_EQ(IfThenInt(false, 1, 2), 2);
  EXPECT_EQ(IfThenStr(false, "a", "b"), "b");
  EXPECT_EQ(RectWidth({10, 0, 30, 5}), 20);
  EXPECT_EQ(RectWidth({30, 0, 10, 5}), 0);
  EXPECT_EQ(RectWidth({INT32_MIN, 0, INT32_MAX, 5}), INT32_MAX);
}

}  // namespace
}  // namespace kivrel
