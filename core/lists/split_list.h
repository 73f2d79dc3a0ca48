#pragma once
// Split lists: fixed comma-separated texts (category tables, column titles)
// turned into lists, shared by reference count.

#include <memory>
#include <string_view>

#include "core/lists/list_functions.h"

namespace kivrel {

class ISplitStrList {
 public:
  virtual ~ISplitStrList() = default;
  // The held list; use it while holding the reference, never free it.
  virtual TStringList& GetList() = 0;
};

using ISplitStrListPtr = std::shared_ptr<ISplitStrList>;

class TSplitStrList final : public ISplitStrList {
 public:
  TSplitStrList(std::string_view text, bool sorted, bool ownsObjects);
  ~TSplitStrList() override;
  TSplitStrList(const TSplitStrList&) = delete;
  TSplitStrList& operator=(const TSplitStrList&) = delete;

  TStringList& GetList() override { return *List; }

 private:
  TStringListPtr List;
  bool OwnsObjects;
};

// A split list over `text` at ",", neither sorted nor owning objects.
ISplitStrListPtr NewSplitStrList(std::string_view text);

}  // namespace kivrel
