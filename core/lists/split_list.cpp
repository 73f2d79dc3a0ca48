#include "core/lists/split_list.h"

#include <string>

#include "core/text/big5_bytes.h"

namespace kivrel {

TStringListPtr SplitToStringList(std::string_view text, std::string_view separator) {
  std::string replaced;
  replaced.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at; (at = FindWholeCharacters(text, separator, from)) != std::string_view::npos;
       from = at + separator.size()) {
    replaced.append(text.substr(from, at - from));
    replaced += '\r';
  }
  replaced.append(text.substr(from));
  auto list = NewStringList(false);
  list->SetText(replaced);
  return list;
}

}  // namespace kivrel
