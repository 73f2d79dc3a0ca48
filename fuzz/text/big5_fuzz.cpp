// Any bytes through both Big5 conversions, which must never crash: a text
// that converts cleanly converts back without a "?" it did not have, and
// WholeCharacters cuts as much as fits, where the two halves of it convert
// to the whole.
#include <algorithm>
#include <cstdint>

#include "core/text/big5.h"
#include "seed_mode.h"

using namespace kivrel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::WriteSeedsWhenAsked([] {
    // 台泥 and ASCII; bad Big5 bytes and a cut character; UTF-8 not in Big5, overlong, surrogate and cut.
    return std::vector<std::string>{"\xA5\x78\xAA\x64 1101", "ab\xFF\x80\xA4 \xA4",
                                    "\xF0\x9F\x98\x80 \xC0\xAF \xED\xA0\x80 \xE5\x8F"};
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string utf8 = Big5ToUtf8(bytes);
  Utf8ToBig5(bytes);
  const std::size_t limit = size == 0 ? 0 : data[0] % (size + 1);
  const std::string_view cut = WholeCharacters(bytes, limit);
  if (cut.size() > limit || cut.size() + 1 < limit) __builtin_trap();
  if (utf8.find("\xEF\xBF\xBD") != std::string::npos) return 0;
  if (std::ranges::count(Utf8ToBig5(utf8), '?') != std::ranges::count(bytes, '?')) __builtin_trap();
  if (Big5ToUtf8(cut) + Big5ToUtf8(bytes.substr(cut.size())) != utf8) __builtin_trap();
  return 0;
}
