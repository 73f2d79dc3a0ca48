#include "core/lists/list_functions.h"

#include <cctype>

#include "core/io/file_io.h"

namespace kivrel {

TStringListPtr NewStringList(bool sorted) {
  auto list = std::make_unique<TStringList>();
  if (sorted) {
    list->SetDuplicates(TDuplicates::dupIgnore);
    list->SetSorted(true);
  }
  return list;
}

TStringListPtr LoadStringList(bool sorted, const std::string& fileName) {
  auto list = NewStringList(sorted);
  if (PathExists(fileName)) list->LoadFromFile(fileName);
  return list;
}

void FreeListObjects(TStringList* list) {
  if (list == nullptr) return;
  for (int i = 0; i < list->Count(); ++i) delete list->Objects(i);
  list->Clear();
}

void FreeStringList(TStringListPtr list, bool freeObjects) {
  if (freeObjects) FreeListObjects(list.get());
}

namespace {

bool MatchesAt(std::string_view text, size_t at, std::string_view separator) {
  if (text.size() - at < separator.size()) return false;
  for (size_t i = 0; i < separator.size(); ++i) {
    const auto a = static_cast<unsigned char>(text[at + i]);
    const auto b = static_cast<unsigned char>(separator[i]);
    if (a != b && !(a < 0x80 && b < 0x80 && std::tolower(a) == std::tolower(b))) return false;
  }
  return true;
}

}  // namespace

TStringListPtr SplitToStringList(std::string_view text, std::string_view separator) {
  std::string replaced;
  replaced.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (!separator.empty() && MatchesAt(text, i, separator)) {
      replaced += '\r';
      i += separator.size();
    } else {
      replaced += text[i++];
    }
  }
  auto list = NewStringList(false);
  list->SetText(replaced);
  return list;
}

}  // namespace kivrel
