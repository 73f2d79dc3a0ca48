#pragma once
// Trimming with the program's rule: bytes of 0x20 or less (space and the
// control characters) go at both ends, never a byte of 0x80 or more, so a
// Big5 character is never cut.

#include <string>
#include <string_view>

namespace kivrel {

inline bool IsBlankByte(char c) { return static_cast<unsigned char>(c) <= 0x20; }

inline std::string_view TrimView(std::string_view s) {
  std::size_t first = 0;
  std::size_t last = s.size();
  while (first < last && IsBlankByte(s[first])) ++first;
  while (last > first && IsBlankByte(s[last - 1])) --last;
  return s.substr(first, last - first);
}

inline std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

}  // namespace kivrel
