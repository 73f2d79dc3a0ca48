#include "core/views/watch_lists.h"

#include <stdexcept>
#include <utility>

namespace kivrel {
namespace {

bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The length of the UTF-8 sequence at `at`, 0 when it is not well formed.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  std::size_t size = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the byte after the lead
  if (lead >= 0xC2 && lead <= 0xDF) {
    size = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    size = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    size = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (at + size > text.size() || byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < size; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  }
  return size;
}

}  // namespace

bool IsWatchCode(std::string_view code) {
  if (code.empty() || code.size() > 6) return false;
  for (const char c : code) {
    if (!IsAsciiAlnum(c)) return false;
  }
  return true;
}

std::uint64_t WatchCodeKey(std::string_view code) {
  if (!IsWatchCode(code)) return 0;
  std::uint64_t key = code.size();
  for (const char c : code) {
    const auto folded = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
    key = key << 8 | folded;
  }
  return key;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t size = Utf8SequenceAt(text, at);
    if (size == 0) return false;
    at += size;
  }
  return true;
}

TListNameProblem ListNameFormProblem(std::string_view name) {
  if (!IsUtf8(name)) return TListNameProblem::npNotUtf8;
  bool blank = true;
  for (std::size_t at = 0; at < name.size();) {
    const auto c = static_cast<unsigned char>(name[at]);
    const bool c1 = c == 0xC2 && static_cast<unsigned char>(name[at + 1]) < 0xA0;  // U+0080 to U+009F
    if (c < 0x20 || c == 0x7F || c1) return TListNameProblem::npControl;
    if (name.substr(at, 1) != " " && name.substr(at, 3) != "\xE3\x80\x80") blank = false;  // U+3000
    at += Utf8SequenceAt(name, at);
  }
  return blank ? TListNameProblem::npBlank : TListNameProblem::npNone;
}

std::size_t TWatchLists::Checked(int list) const {
  if (list < 0 || list >= Count()) throw std::out_of_range("watch list index out of range");
  return static_cast<std::size_t>(list);
}

void TWatchLists::Keep(int list, std::string line) {
  (list < 0 ? preamble_ : lists_.at(Checked(list)).KeptLines).push_back(std::move(line));
}

int TWatchLists::Find(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    if (lists_[static_cast<std::size_t>(i)].Name == name) return i;
  }
  return -1;
}

int TWatchLists::FindCode(int list, std::string_view code) const {
  const std::uint64_t key = WatchCodeKey(code);
  const std::vector<std::string>& codes = List(list).Codes;
  for (std::size_t i = 0; key != 0 && i < codes.size(); ++i) {
    if (WatchCodeKey(codes[i]) == key) return static_cast<int>(i);
  }
  return -1;
}

TListNameProblem TWatchLists::NameProblem(std::string_view name, int renaming) const {
  if (const TListNameProblem problem = ListNameFormProblem(name); problem != TListNameProblem::npNone) return problem;
  const int found = Find(name);
  return found >= 0 && found != renaming ? TListNameProblem::npTaken : TListNameProblem::npNone;
}

int TWatchLists::Create(std::string name) {
  if (NameProblem(name) != TListNameProblem::npNone) throw std::invalid_argument("not a name for a new watch list");
  lists_.push_back({std::move(name), {}, {}});
  return Count() - 1;
}

void TWatchLists::Rename(int list, std::string name) {
  if (NameProblem(name, list) != TListNameProblem::npNone) throw std::invalid_argument("not a name for the list");
  lists_.at(Checked(list)).Name = std::move(name);
}

void TWatchLists::Delete(int list) {
  const std::size_t at = Checked(list);
  std::vector<std::string>& before = at == 0 ? preamble_ : lists_[at - 1].KeptLines;
  for (std::string& line : lists_[at].KeptLines) before.push_back(std::move(line));
  lists_.erase(lists_.begin() + list);
  if (current_ == list) current_ = -1;
  if (current_ > list) --current_;
}

TAddCode TWatchLists::AddCode(int list, std::string_view code) {
  if (!IsWatchCode(code)) return TAddCode::acNotACode;
  if (FindCode(list, code) >= 0) return TAddCode::acAlreadyListed;
  lists_[Checked(list)].Codes.emplace_back(code);
  return TAddCode::acAdded;
}

bool TWatchLists::RemoveCode(int list, std::string_view code) {
  const int at = FindCode(list, code);
  if (at < 0) return false;
  std::vector<std::string>& codes = lists_[Checked(list)].Codes;
  codes.erase(codes.begin() + at);
  return true;
}

bool TWatchLists::MoveCode(int list, std::string_view code, TMoveDirection direction) {
  const int at = FindCode(list, code);
  std::vector<std::string>& codes = lists_[Checked(list)].Codes;
  const int to = direction == TMoveDirection::mdUp ? at - 1 : at + 1;
  if (at < 0 || to < 0 || to >= static_cast<int>(codes.size())) return false;
  std::swap(codes[static_cast<std::size_t>(at)], codes[static_cast<std::size_t>(to)]);
  return true;
}

int TWatchLists::Current() const {
  if (current_ >= 0 && current_ < Count()) return current_;
  return lists_.empty() ? -1 : 0;
}

TAddCode TWatchLists::AddToCurrent(std::string_view code, int& list) {
  list = Current();
  if (!IsWatchCode(code)) return TAddCode::acNotACode;  // and no first list made for it
  if (list < 0) list = Create(std::string(kFirstListName));
  return AddCode(list, code);
}

}  // namespace kivrel
