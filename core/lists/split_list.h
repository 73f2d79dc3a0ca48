#pragma once
// Split lists: fixed comma-separated texts (the category tables) turned into
// lists, shared by reference count.

#include <memory>
#include <string_view>

#include "core/lists/list_functions.h"

namespace kivrel {

// One entry per piece of `text` between separators, which match whole
// characters only, their ASCII letters in either case; a separator at the
// very end adds no empty entry.
TStringListPtr SplitToStringList(std::string_view text, std::string_view separator);

class ISplitStrList {
 public:
  virtual ~ISplitStrList() = default;
  // The held list; use it while holding the reference, never free it.
  virtual TStringList& GetList() = 0;
};

using ISplitStrListPtr = std::shared_ptr<ISplitStrList>;

// The text split at every ",", neither sorted nor owning objects.
class TSplitStrList final : public ISplitStrList {
 public:
  explicit TSplitStrList(std::string_view text) : List(SplitToStringList(text, ",")) {}
  TStringList& GetList() override { return *List; }

 private:
  TStringListPtr List;
};

inline ISplitStrListPtr NewSplitStrList(std::string_view text) { return std::make_shared<TSplitStrList>(text); }

}  // namespace kivrel
