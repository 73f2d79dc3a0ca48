#pragma once
// The watch list file, DATA/watchlists.txt: UTF-8 text, a line "[name]"
// starting each list, then one code per line in the list's order. Blank
// lines and lines starting with "#" are ignored.
//
//   # comments stay where they are
//   [自選股]
//   2330
//   0050
//
// The file may be edited by hand, so reading never fails on its content: a
// line that cannot be read is named (line number and reason) and skipped.
// Comments and skipped lines are kept and written back after the codes of
// their list, so a save never holds less than the file did.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/file_io.h"
#include "core/views/watch_lists.h"

namespace kivrel {

inline constexpr const char* kWatchListFile = "DATA/watchlists.txt";

// Why a line of the file was not taken.
enum class TWatchLineProblem : std::uint8_t {
  wlNotUtf8,          // not UTF-8 (kept)
  wlBadListName,      // "[...]" whose name cannot name a list; the codes up to the next list go with it (kept)
  wlRepeatedList,     // a second "[name]" of one list: its codes join the first
  wlCodeOutsideList,  // a code before the first list, or after a bad list name (kept)
  wlRepeatedCode,     // the list holds the code already (dropped: nothing is lost)
  wlNotACode,         // none of the above: not 1 to 6 ASCII letters and digits (kept)
};

struct TWatchFileProblem {
  int Line = 0;  // 1-based
  TWatchLineProblem Problem = TWatchLineProblem::wlNotACode;
  friend bool operator==(const TWatchFileProblem&, const TWatchFileProblem&) = default;
};

struct TWatchListsRead {
  TWatchLists Lists;
  std::vector<TWatchFileProblem> Problems;
};

// Reads the text of a watch list file. A UTF-8 byte order mark at the start
// and a CR before a line break are allowed; blanks around a line are not
// part of a code or of the brackets (but are of a name inside them).
TWatchListsRead ParseWatchLists(std::string_view text);

// The text of the file: the preamble, then each list's "[name]", codes and
// kept lines, a blank line between lists. Parsed again it gives the same
// lists, names byte for byte.
std::string WatchListsText(const TWatchLists& lists);

// For standard error: "DATA/watchlists.txt:12: skipped: not UTF-8".
std::string WatchFileProblemText(const std::string& fileName, const TWatchFileProblem& problem);

// The file of one board: read once, then saved after every change, but
// only over the file it read. A file changed by someone else since is left
// alone (FileError kChangedOnDisk), and so is one that could not be read.
class TWatchListFile {
 public:
  explicit TWatchListFile(std::string path = kWatchListFile) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }

  // The lists of the file; none when it does not exist. A file that cannot
  // be read throws FileError, and Save then throws the same error.
  TWatchListsRead Load();

  // Writes WatchListsText atomically over the file as Load found it (or as
  // the last Save left it).
  void Save(const TWatchLists& lists, TFileSystem& fs = RealFileSystem());

 private:
  std::string path_;
  FileStamp stamp_;
  std::exception_ptr loadError_;
  bool loaded_ = false;
};

}  // namespace kivrel
