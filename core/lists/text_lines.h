#pragma once
// The lines of a text, as a string list takes them: the text ends at its
// first NUL byte; CR, LF and the pair CR LF each end one line (so LF CR ends
// two, with an empty one between); a break at the very end adds no empty
// line. Big5 never uses NUL, CR or LF as the second byte of a character, so
// the byte scan never splits one.

#include <cstring>
#include <string_view>

namespace kivrel {

// Calls `line(std::string_view)` for every line, in order, in time linear in
// the text whatever breaks it uses.
template <class LineFn>
void ForEachLine(std::string_view text, LineFn&& line) {
  const auto next = [&text](std::size_t from, char c) {
    const void* hit = std::memchr(text.data() + from, c, text.size() - from);
    return hit != nullptr ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : text.size();
  };
  text = text.substr(0, next(0, '\0'));
  // The next CR and LF are each looked up once and kept until passed.
  std::size_t cr = next(0, '\r');
  std::size_t lf = next(0, '\n');
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (cr < pos) cr = next(pos, '\r');
    if (lf < pos) lf = next(pos, '\n');
    const std::size_t end = cr < lf ? cr : lf;
    line(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
}

}  // namespace kivrel
