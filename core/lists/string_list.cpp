#include "core/lists/string_list.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "core/lists/text_lines.h"
#include "core/text/big5_bytes.h"

namespace kivrel {

int TStringList::CompareText(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  // Up to the first difference both texts hold the same characters, so
  // whether a byte is the second byte of a Big5 character is known for both.
  bool second = false;
  for (std::size_t i = 0; i < n; ++i) {
    char x = a[i];
    char y = b[i];
    if (x != y && !second) {
      x = FoldAscii(x);
      y = FoldAscii(y);
    }
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    second = !second && IsLeadByte(x);
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::size_t TStringList::Checked(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= entries_.size()) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
  return static_cast<std::size_t>(index);
}

void TStringList::SetSorted(bool sorted) {
  if (sorted && !sorted_) {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const TStringEntry& a, const TStringEntry& b) { return CompareText(a.Text, b.Text) < 0; });
    if (duplicates_ == TDuplicates::dupIgnore) {
      auto last = std::unique(entries_.begin(), entries_.end(), [](const TStringEntry& a, const TStringEntry& b) {
        return CompareText(a.Text, b.Text) == 0;
      });
      entries_.erase(last, entries_.end());
    }
  }
  sorted_ = sorted;
}

bool TStringList::Find(std::string_view text, int& index) const {
  size_t lo = 0;
  size_t hi = entries_.size();
  while (lo < hi) {
    const size_t mid = lo + (hi - lo) / 2;
    const int c = CompareText(entries_[mid].Text, text);
    if (c < 0) {
      lo = mid + 1;
    } else if (c > 0) {
      hi = mid;
    } else {
      // Equal texts may stand side by side when duplicates are accepted:
      // report the first of them.
      size_t first = mid;
      while (first > lo && CompareText(entries_[first - 1].Text, text) == 0) --first;
      index = static_cast<int>(first);
      return true;
    }
  }
  index = static_cast<int>(lo);
  return false;
}

int TStringList::AddObject(std::string text, TObject* object) {
  if (!sorted_) {
    entries_.push_back({std::move(text), object});
    return Count() - 1;
  }
  // Appending in order is the common case (a quote file is in key order).
  if (entries_.empty() || CompareText(entries_.back().Text, text) < 0) {
    entries_.push_back({std::move(text), object});
    return Count() - 1;
  }
  int index = 0;
  if (Find(text, index) && duplicates_ == TDuplicates::dupIgnore) return index;
  entries_.insert(entries_.begin() + index, TStringEntry{std::move(text), object});
  return index;
}

void TStringList::MergeSorted(std::vector<TStringEntry> entries) {
  if (entries.empty()) return;
  if (entries_.empty()) {
    entries_ = std::move(entries);
    return;
  }
  if (CompareText(entries_.back().Text, entries.front().Text) < 0) {
    entries_.insert(entries_.end(), std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
    return;
  }
  std::vector<TStringEntry> merged;
  merged.reserve(entries_.size() + entries.size());
  std::merge(std::make_move_iterator(entries_.begin()), std::make_move_iterator(entries_.end()),
             std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()),
             std::back_inserter(merged),
             [](const TStringEntry& a, const TStringEntry& b) { return CompareText(a.Text, b.Text) < 0; });
  entries_ = std::move(merged);
}

void TStringList::SetText(std::string_view text) {
  Clear();
  ForEachLine(text, [this](std::string_view line) { AddObject(std::string(line), nullptr); });
}

}  // namespace kivrel
