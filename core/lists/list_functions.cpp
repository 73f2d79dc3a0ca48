#include "core/lists/list_functions.h"

namespace kivrel {

TStringListPtr NewStringList(bool sorted) {
  auto list = std::make_unique<TStringList>();
  if (sorted) {
    list->SetDuplicates(TDuplicates::dupIgnore);
    list->SetSorted(true);
  }
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

}  // namespace kivrel
