#include "core/views/watch_list_file.h"

#include <stdexcept>

namespace kivrel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view TrimSpaces(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

TWatchListsRead ParseWatchLists(std::string_view text) {
  TWatchListsRead read;
  TWatchLists& lists = read.Lists;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  int list = -1;             // the list that codes go to; -1 before the first
  bool badListName = false;  // codes follow a "[...]" that named no list
  int lineNo = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view raw = text.substr(0, end);  // kept lines are kept as they were, CR and all
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNo;
    const std::string_view line = raw.ends_with('\r') ? raw.substr(0, raw.size() - 1) : raw;
    const auto skip = [&](TWatchLineProblem problem, bool keep) {
      read.Problems.push_back({lineNo, problem});
      if (keep) lists.Keep(list, std::string(raw));
    };
    const std::string_view t = TrimSpaces(line);
    if (!IsUtf8(line)) {
      skip(TWatchLineProblem::wlNotUtf8, true);
    } else if (t.empty()) {
      continue;
    } else if (t.front() == '#') {
      lists.Keep(list, std::string(raw));
    } else if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
      const std::string_view name = t.substr(1, t.size() - 2);
      badListName = ListNameFormProblem(name) != TListNameProblem::npNone;
      if (badListName) {
        skip(TWatchLineProblem::wlBadListName, true);
      } else if (const int found = lists.Find(name); found >= 0) {
        skip(TWatchLineProblem::wlRepeatedList, false);
        list = found;
      } else {
        list = lists.Create(std::string(name));
      }
    } else if (!IsWatchCode(t)) {
      skip(TWatchLineProblem::wlNotACode, true);
    } else if (list < 0 || badListName) {
      skip(TWatchLineProblem::wlCodeOutsideList, true);
    } else if (lists.AddCode(list, t) == TAddCode::acAlreadyListed) {
      skip(TWatchLineProblem::wlRepeatedCode, false);
    }
  }
  return read;
}

std::string WatchListsText(const TWatchLists& lists) {
  std::string text;
  const auto put = [&](std::string_view line) { text.append(line).push_back('\n'); };
  for (const std::string& line : lists.Preamble()) put(line);
  // A first line that starts with a byte order mark keeps it behind one of its own.
  if (text.starts_with(kByteOrderMark)) text.insert(0, kByteOrderMark);
  for (const TWatchList& list : lists.Lists()) {
    if (!text.empty()) put("");
    put("[" + list.Name + "]");
    for (const std::string& code : list.Codes) put(code);
    for (const std::string& line : list.KeptLines) put(line);
  }
  return text;
}

std::string WatchFileProblemText(const std::string& fileName, const TWatchFileProblem& problem) {
  std::string why;
  switch (problem.Problem) {
    case TWatchLineProblem::wlNotUtf8: why = "skipped: not UTF-8 text"; break;
    case TWatchLineProblem::wlBadListName:
      why = "skipped: not a list name (empty, or holding control characters), nor the codes after it";
      break;
    case TWatchLineProblem::wlRepeatedList: why = "a list of this name comes before; the codes join it"; break;
    case TWatchLineProblem::wlCodeOutsideList: why = "skipped: a code outside any list"; break;
    case TWatchLineProblem::wlRepeatedCode: why = "skipped: the list holds this code already"; break;
    case TWatchLineProblem::wlNotACode:
      why = "skipped: not a code (1 to 6 letters and digits), a [list name] or a # comment";
      break;
  }
  return fileName + ":" + std::to_string(problem.Line) + ": " + why;
}

TWatchListsRead TWatchListFile::Load() {
  loaded_ = true;
  loadError_ = nullptr;
  try {
    stamp_ = StampOf(path_);
    if (!stamp_.Exists) return {};
    // The stamp of the file read, taken on the open file before its bytes: a
    // change after it makes the save refuse, never overwrite.
    return ParseWatchLists(ReadWholeFile(path_, &stamp_));
  } catch (const FileError&) {
    loadError_ = std::current_exception();
    throw;
  }
}

void TWatchListFile::Save(const TWatchLists& lists, TFileSystem& fs) {
  if (!loaded_) throw std::logic_error("the watch list file is saved before it was loaded");
  if (loadError_) std::rethrow_exception(loadError_);
  const std::string text = WatchListsText(lists);
  WriteFileAtomically(path_, text, fs, &stamp_);
  stamp_ = StampOf(path_);  // the file as this save left it
  if (stamp_.WholeSeconds()) {
    stamp_.HasContentHash = true;
    stamp_.ContentHash = ContentHash(text);
  }
}

}  // namespace kivrel
