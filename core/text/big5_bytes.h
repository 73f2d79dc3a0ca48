#pragma once
// Big5 (code page 950) texts byte by byte. A byte of 0x81 to 0xFE starts a
// double-byte character and takes the byte after it, whatever that byte is;
// every other byte is a character of its own. A second byte may look like an
// ASCII letter (櫃 is C2 64, "d"), so letter case is folded only in bytes
// that start a character.

#include <cstddef>
#include <string_view>

namespace kivrel {

constexpr bool IsLeadByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x81 && u <= 0xFE;
}

// An ASCII capital as its small letter; every other byte as it is.
constexpr char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// True when `needle` stands at byte `at` of `text` as whole characters: byte
// for byte, ASCII letters that start a character in either case, and a
// needle that ends inside a character matches nothing. `at` is taken as the
// start of a character.
constexpr bool MatchesAt(std::string_view text, std::size_t at, std::string_view needle) {
  if (at > text.size() || text.size() - at < needle.size()) return false;
  bool second = false;  // the byte is the second byte of a character
  for (std::size_t i = 0; i < needle.size(); ++i) {
    const char a = text[at + i];
    const char b = needle[i];
    if (second ? a != b : FoldAscii(a) != FoldAscii(b)) return false;
    second = !second && IsLeadByte(b);
  }
  return !second;
}

// The first character start at or after `from` where `needle` matches
// (MatchesAt), or npos. `from` is taken as the start of a character; an empty
// needle matches nothing.
constexpr std::size_t FindWholeCharacters(std::string_view text, std::string_view needle, std::size_t from = 0) {
  if (needle.empty()) return std::string_view::npos;
  for (std::size_t at = from; at + needle.size() <= text.size(); at += IsLeadByte(text[at]) ? 2 : 1) {
    if (MatchesAt(text, at, needle)) return at;
  }
  return std::string_view::npos;
}

}  // namespace kivrel
