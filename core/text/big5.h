#pragma once
// Conversion between the program's Big5 (code page 950) byte strings and UTF-8,
// which is what Qt, the file system and the terminal take. Neither direction
// throws: a byte sequence that does not convert becomes a replacement, and a
// system without the CP950 converter gets ASCII through and a replacement
// for every other character (Big5ConverterMissing says so once, at start-up).

#include <string>
#include <string_view>

namespace kivrel {

// Big5 to UTF-8. A byte sequence that is not valid Big5 becomes U+FFFD. A
// double-byte character cut at the end of the text (a name stored cut at
// its byte limit) is left out: only whole characters show.
std::string Big5ToUtf8(std::string_view big5);

// UTF-8 to Big5. A character that Big5 cannot hold, or bytes that are not
// valid UTF-8, become "?".
std::string Utf8ToBig5(std::string_view utf8);

// True when glibc's iconv has no CP950 converter on this system.
bool Big5ConverterMissing();

// The text cut to its first `limit` bytes without splitting a double-byte
// character (a lead byte is 0x81 to 0xFE and takes the byte after it).
std::string_view WholeCharacters(std::string_view big5, std::size_t limit);

}  // namespace kivrel
