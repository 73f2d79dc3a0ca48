#pragma once
// Creating and freeing string lists. Lists are owned through std::unique_ptr;
// attached objects are freed only when the owner asks.

#include <memory>

#include "core/lists/string_list.h"

namespace kivrel {

using TStringListPtr = std::unique_ptr<TStringList>;

// sorted: duplicates ignored, then the sorted flag on; otherwise a plain list.
TStringListPtr NewStringList(bool sorted);

// Frees every attached object, in index order, then clears the list.
void FreeListObjects(TStringList* list);

// FreeListObjects when freeObjects is true, then frees the list itself.
void FreeStringList(TStringListPtr list, bool freeObjects);

}  // namespace kivrel
