#include "core/lists/split_list.h"

namespace kivrel {

TSplitStrList::TSplitStrList(std::string_view text, bool sorted, bool ownsObjects)
    : List(SplitToStringList(text, ",")), OwnsObjects(ownsObjects) {
  if (sorted) List->SetSorted(true);
}

TSplitStrList::~TSplitStrList() { FreeStringList(std::move(List), OwnsObjects); }

ISplitStrListPtr NewSplitStrList(std::string_view text) {
  return std::make_shared<TSplitStrList>(text, /*sorted=*/false, /*ownsObjects=*/false);
}

}  // namespace kivrel
