#pragma once
// The string list: ordered entries of a Big5 text and an attached object.
//
// A sorted list keeps its entries in ascending order of CompareText and inserts
// every addition at its sorted position; in the ignore-duplicates mode an
// addition whose text compares equal to an entry present is dropped. The list
// never owns its objects.

#include <string>
#include <string_view>
#include <vector>

#include "core/lists/object.h"

namespace kivrel {

enum class TDuplicates { dupAccept, dupIgnore };

struct TStringEntry {
  std::string Text;
  TObject* Object = nullptr;
};

class TStringList {
 public:
  // Case-insensitive comparison, character by character: a single-byte ASCII
  // letter compares without regard to case, every other byte by its unsigned
  // value, and both bytes of a Big5 character as they are (its second byte
  // may look like a letter: 鮭 is C2 44, 櫃 C2 64). So a space sorts before
  // the digits, the digits before the letters, and Big5 characters last.
  static int CompareText(std::string_view a, std::string_view b);

  int Count() const { return static_cast<int>(entries_.size()); }
  const std::string& Strings(int index) const { return entries_.at(Checked(index)).Text; }
  TObject* Objects(int index) const { return entries_.at(Checked(index)).Object; }
  const std::vector<TStringEntry>& Entries() const { return entries_; }

  // Switching the flag on sorts the entries present (and, when duplicates are
  // ignored, keeps only the first of each run of equal texts).
  void SetSorted(bool sorted);
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }

  // Binary search of a sorted list: true and the index of the equal entry, or
  // false and the index at which `text` would be inserted.
  bool Find(std::string_view text, int& index) const;

  // Sorted list: inserts at the sorted position and yields its index (or, when
  // an equal text is present and duplicates are ignored, adds nothing and
  // yields the index of that entry). Unsorted list: appends.
  int AddObject(std::string text, TObject* object);
  int Add(std::string text) { return AddObject(std::move(text), nullptr); }

  void Clear() { entries_.clear(); }

  // Keeps the entries for which `keep` is true, in their order, in one pass.
  template <class Pred>
  void KeepIf(Pred keep) {
    std::erase_if(entries_, [&](const TStringEntry& e) { return !keep(e.Text); });
  }

  // Merges entries that are sorted, free of equal texts among themselves and
  // absent from this sorted list, in linear time.
  void MergeSorted(std::vector<TStringEntry> entries);

  // Replaces all entries by the lines of `text` (ForEachLine).
  void SetText(std::string_view text);

 private:
  std::size_t Checked(int index) const;

  std::vector<TStringEntry> entries_;
  bool sorted_ = false;
  TDuplicates duplicates_ = TDuplicates::dupAccept;
};

}  // namespace kivrel
