#pragma once
// Byte-string helpers with the program's conventions: positions are 1-based,
// 0 means "not found"; trimming removes bytes of 0x20 or less at both ends and
// never a byte of 0x80 or more (so Big5 characters are never cut).

#include <string>
#include <string_view>

namespace kivrel {

inline bool IsBlankByte(char c) { return static_cast<unsigned char>(c) <= 0x20; }

inline std::string_view TrimView(std::string_view s) {
  size_t first = 0;
  size_t last = s.size();
  while (first < last && IsBlankByte(s[first])) ++first;
  while (last > first && IsBlankByte(s[last - 1])) --last;
  return s.substr(first, last - first);
}

inline std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

// 1-based position of the first occurrence of `what` in `s`, 0 when absent
// (an empty `what` is never found).
inline size_t Pos(std::string_view what, std::string_view s) {
  if (what.empty()) return 0;
  const size_t at = s.find(what);
  return at == std::string_view::npos ? 0 : at + 1;
}

}  // namespace kivrel
