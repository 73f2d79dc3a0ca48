#include "core/views/watch_list_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace kivrel {
namespace {

using enum TWatchLineProblem;

// "[name]code,code" per list, the preamble's and each list's kept lines after "#".
std::string Shape(const TWatchLists& lists) {
  std::string shape;
  for (const std::string& line : lists.Preamble()) shape += "#" + line;
  for (const TWatchList& list : lists.Lists()) {
    shape += "[" + list.Name + "]";
    for (const std::string& code : list.Codes) shape += code + (&code == &list.Codes.back() ? "" : ",");
    for (const std::string& line : list.KeptLines) shape += "#" + line;
  }
  return shape;
}

// Hand-edited and damaged files: what is taken, what is named, and what is
// kept to be written back.
TEST(WatchListFile, HandEditedAndDamagedLines) {
  const struct {
    std::string_view Text;
    std::string_view Shape;
    std::vector<TWatchFileProblem> Problems;
  } rows[] = {
      {"\xEF\xBB\xBF[A]\r\n 2330 \r\n\r\n\t# note\n1101", "[A]2330,1101#\t# note", {}},
      {"2330\n[A]\n0050\n[]\n1101\n[B]\n12",
       "#2330[A]0050#[]#1101[B]12",
       {{1, wlCodeOutsideList}, {4, wlBadListName}, {5, wlCodeOutsideList}}},
      {"[A]\nabc\n[B]\n1\n[A]\nABC\n2\n", "[A]abc,2[B]1", {{5, wlRepeatedList}, {6, wlRepeatedCode}}},
      {"[A]\n2330.TW\n1234567\n\xFF\x41\n[a\tb]\n[ x ]]\n#\n",
       "[A]#2330.TW#1234567#\xFF\x41#[a\tb][ x ]]##",
       {{2, wlNotACode}, {3, wlNotACode}, {4, wlNotUtf8}, {5, wlBadListName}}},
      {"\xEF\xBB\xBF\xEF\xBB\xBF#x\n[\xE3\x80\x80]\n[\xF0\x9F\x93\x88]\n[",
       "#\xEF\xBB\xBF#x#[\xE3\x80\x80][\xF0\x9F\x93\x88]#[",
       {{1, wlNotACode}, {2, wlBadListName}, {4, wlNotACode}}},
  };
  for (const auto& row : rows) {
    const TWatchListsRead read = ParseWatchLists(row.Text);
    EXPECT_EQ(Shape(read.Lists), row.Shape) << row.Text;
    EXPECT_EQ(read.Problems, row.Problems) << row.Text;
    // Written and read again: the same lists, names byte for byte.
    const std::string text = WatchListsText(read.Lists);
    EXPECT_EQ(Shape(ParseWatchLists(text).Lists), row.Shape) << text;
  }
  EXPECT_EQ(WatchListsText(ParseWatchLists("#top\n[A]\n1\n[B]\n").Lists), "#top\n\n[A]\n1\n\n[B]\n");
  EXPECT_EQ(WatchFileProblemText("DATA/watchlists.txt", {12, wlNotUtf8}),
            "DATA/watchlists.txt:12: skipped: not UTF-8 text");
}

// The file is saved over what was read or last saved, and never over a file
// someone else changed, or one that could not be read.
TEST(WatchListFile, SavesOnlyOverTheFileItRead) {
  const testing::TempDir dir;
  TWatchListFile file(dir / "watchlists.txt");
  TWatchListsRead read = file.Load();
  int list = -1;
  read.Lists.AddToCurrent("2330", list);
  file.Save(read.Lists);
  read.Lists.AddCode(list, "1101");
  file.Save(read.Lists);  // over its own save

  testing::WriteBytes(file.Path(), "[edited elsewhere]\n");
  read.Lists.RemoveCode(list, "2330");
  EXPECT_THROW(file.Save(read.Lists), FileError);
  EXPECT_EQ(testing::ReadBytes(file.Path()), "[edited elsewhere]\n");

  std::filesystem::remove(file.Path());
  ASSERT_EQ(::mkfifo(file.Path().c_str(), 0600), 0);  // no regular file: not read, so not written
  TWatchListFile unreadable(file.Path());
  EXPECT_THROW(unreadable.Load(), FileError);
  EXPECT_THROW(unreadable.Save(read.Lists), FileError);
  EXPECT_TRUE(std::filesystem::is_fifo(file.Path()));
}

}  // namespace
}  // namespace kivrel
