#pragma once
// Creating, loading and freeing string lists. Lists are owned through
// std::unique_ptr; attached objects are freed only when the owner asks.

#include <memory>
#include <string>
#include <string_view>

#include "core/lists/string_list.h"

namespace kivrel {

using TStringListPtr = std::unique_ptr<TStringList>;

// sorted: duplicates ignored, then the sorted flag on; otherwise a plain list.
TStringListPtr NewStringList(bool sorted);

// NewStringList, then the lines of the file when anything of that name exists
// (a missing file gives an empty list; an unreadable one throws FileError).
TStringListPtr LoadStringList(bool sorted, const std::string& fileName);

// Frees every attached object, in index order, then clears the list.
void FreeListObjects(TStringList* list);

// FreeListObjects when freeObjects is true, then frees the list itself.
void FreeStringList(TStringListPtr list, bool freeObjects);

// Frees the object, if any, and leaves the reference empty.
template <class T>
void FreeAndNilObject(std::unique_ptr<T>& object) {
  object.reset();
}
template <class T>
void FreeAndNilObject(T*& object) {
  delete object;
  object = nullptr;
}

// One entry per piece of `text` between separators (letters of the separator
// match either case); a separator at the very end adds no empty entry.
TStringListPtr SplitToStringList(std::string_view text, std::string_view separator);

inline int IfThenInt(bool flag, int a, int b) { return flag ? a : b; }
inline std::string IfThenStr(bool flag, std::string a, std::string b) { return flag ? std::move(a) : std::move(b); }

}  // namespace kivrel
