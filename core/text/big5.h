#pragma once
// Conversion between the program's Big5 (code page 950) byte strings and UTF-8,
// which is what Qt, the file system and the terminal take.

#include <string>
#include <string_view>

namespace kivrel {

// Big5 to UTF-8. A byte sequence that is not valid Big5, or a double-byte
// character cut at the end of the text, becomes U+FFFD; this never throws.
std::string Big5ToUtf8(std::string_view big5);

// UTF-8 to Big5. A character that Big5 cannot hold, or bytes that are not
// valid UTF-8, become "?"; this never throws.
std::string Utf8ToBig5(std::string_view utf8);

}  // namespace kivrel
