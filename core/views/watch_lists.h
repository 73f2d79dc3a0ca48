#pragma once
// The user's watch lists: named lists of stock codes in the user's order,
// and the edits the board makes to them.
//
// List names are held as UTF-8, byte for byte as the watch list file gives
// them or the user typed them. They are the one kind of name the program
// does not hold in Big5: Big5 cannot hold every character a user may type,
// and a name must come back from the file exactly as it went in. Codes are
// ASCII, which both encodings share.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kivrel {

// A code of a watch list: 1 to 6 ASCII letters and digits.
bool IsWatchCode(std::string_view code);

// The code folded for matching: ASCII letters in upper case, six bytes and
// a length packed into one number, so that "2330" and a stock's code " 2330"
// (trimmed first) or "abc" and "ABC" give the same. 0 for a text that is no
// watch code.
std::uint64_t WatchCodeKey(std::string_view code);

// True for well-formed UTF-8: no overlong form, no surrogate, nothing above
// U+10FFFF.
bool IsUtf8(std::string_view text);

// Why a text cannot name a list; npNone when it can.
enum class TListNameProblem : std::uint8_t {
  npNone,
  npBlank,     // empty or only blanks
  npNotUtf8,   // not well-formed UTF-8
  npControl,   // holds a line break or another control character
  npTaken,     // another list has this name
  npViewName,  // the name of another view (全部, a market, a category)
};

// The problems a name has on its own, whatever lists there are.
TListNameProblem ListNameFormProblem(std::string_view name);

// What adding a code to a list gave.
enum class TAddCode : std::uint8_t { acAdded, acAlreadyListed, acNotACode };

enum class TMoveDirection : std::uint8_t { mdUp, mdDown };

struct TWatchList {
  std::string Name;  // UTF-8
  std::vector<std::string> Codes;
  // Lines of the file that belong to no code: comments and lines that could
  // not be read, kept to be written back after the codes.
  std::vector<std::string> KeptLines;
};

class TWatchLists {
 public:
  // The list's name as it is first made when none exists, 自選股 in UTF-8.
  static constexpr std::string_view kFirstListName = "\xE8\x87\xAA\xE9\x81\xB8\xE8\x82\xA1";

  int Count() const { return static_cast<int>(lists_.size()); }
  const TWatchList& List(int list) const { return lists_.at(Checked(list)); }
  const std::vector<TWatchList>& Lists() const { return lists_; }
  // Lines before the first list (comments, unreadable lines), kept too.
  const std::vector<std::string>& Preamble() const { return preamble_; }
  // Keeps a line after the list's codes, or in the preamble for list -1.
  void Keep(int list, std::string line);

  // The list of that name (byte for byte), or -1.
  int Find(std::string_view name) const;
  // The place of the code in the list (matched as WatchCodeKey), or -1.
  int FindCode(int list, std::string_view code) const;

  // ListNameFormProblem, then npTaken when a list other than `renaming`
  // has the name.
  TListNameProblem NameProblem(std::string_view name, int renaming = -1) const;

  // A new, empty list at the end; its index. The name must have no problem.
  int Create(std::string name);
  void Rename(int list, std::string name);
  // The list goes with its codes; its kept lines stay, after the list
  // before it, so that nothing the user did not see is lost.
  void Delete(int list);

  // Adds the code at the end of the list, unless it is there already.
  TAddCode AddCode(int list, std::string_view code);
  // False when the list does not hold the code.
  bool RemoveCode(int list, std::string_view code);
  // Swaps the code with its neighbour; false at the list's edge or when the
  // list does not hold the code.
  bool MoveCode(int list, std::string_view code, TMoveDirection direction);

  // The current list, which Insert adds to: the one last shown while it
  // exists, else the first list; -1 when there is none.
  int Current() const;
  void SetShown(int list) { current_ = list; }
  // Adds the code to the current list, making a first list named
  // kFirstListName when there is none; the list used goes in `list`.
  TAddCode AddToCurrent(std::string_view code, int& list);

 private:
  std::size_t Checked(int list) const;

  std::vector<TWatchList> lists_;
  std::vector<std::string> preamble_;
  int current_ = -1;
};

}  // namespace kivrel
