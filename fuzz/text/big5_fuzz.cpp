// Arbitrary bytes through both Big5 conversions, read once as Big5 and once
// as UTF-8. Neither may throw (an escaping exception ends the run as a
// crash). Big5ToUtf8 always gives valid UTF-8; Utf8ToBig5 always gives whole
// Big5 characters, which read back without a U+FFFD.
//
// Round trip: a few Big5 codes are duplicates that read as the same
// character (A2CC and A451 are both 十, F9F9 and A2A4 both ═), and writing
// that character back gives the other code. So Big5 bytes that read cleanly
// need not come back byte for byte; what holds is that they come back as
// many bytes that read as the same text.
//
// With KIVREL_FUZZ_SEEDS=<folder> in the environment the target writes its
// seed inputs into that folder and exits without fuzzing.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/io/file_io.h"
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"
#include "fuzz/seed_mode.h"

namespace {

using namespace kivrel;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the well-formed UTF-8 sequence at the start of `s` (shortest
// form, no surrogates, at most U+10FFFF), or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view s) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const auto between = [&](std::size_t i, unsigned lo, unsigned hi) {
    return i < s.size() && byte(i) >= lo && byte(i) <= hi;
  };
  const unsigned lead = byte(0);
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return between(1, 0x80, 0xBF) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned lo = lead == 0xE0 ? 0xA0 : 0x80;
    const unsigned hi = lead == 0xED ? 0x9F : 0xBF;
    return between(1, lo, hi) && between(2, 0x80, 0xBF) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned lo = lead == 0xF0 ? 0x90 : 0x80;
    const unsigned hi = lead == 0xF4 ? 0x8F : 0xBF;
    return between(1, lo, hi) && between(2, 0x80, 0xBF) && between(3, 0x80, 0xBF) ? 4 : 0;
  }
  return 0;
}

// The number of code points of valid UTF-8, or -1 for anything else.
long CodePoints(std::string_view s) {
  long count = 0;
  while (!s.empty()) {
    const std::size_t n = Utf8SequenceLength(s);
    if (n == 0) return -1;
    s.remove_prefix(n);
    ++count;
  }
  return count;
}

bool IsAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

void WriteSeeds(const std::string& folder) {
  const std::vector<std::pair<std::string, std::string>> seeds = {
      {"caption", std::string(kCaption)},
      {"column-titles", std::string(kColumnTitlesText)},
      {"listed-categories", std::string(kListedCategoriesText)},
      {"format-error", std::string(kPageFormatError)},
      {"caption-utf8", Big5ToUtf8(kCaption)},
      {"otc-categories-utf8", Big5ToUtf8(kOtcCategoriesText)},
      // The duplicate codes, each beside the code it writes back as.
      {"duplicates", "\xA2\xCC\xA4\x51\xA2\xCE\xA4\xCA\xF9\xF9\xA2\xA4\xF9\xE9\xA2\xA5"},
      // A lead byte cut off at the end, bytes that lead nothing, a bad trail.
      {"broken-big5", "ab\xFF\x80\xA4\x20\xA4"},
      // Characters Big5 lacks (an emoji, a tag letter), a lone continuation
      // byte, an overlong "/", a surrogate and a cut sequence.
      {"broken-utf8", "\xF0\x9F\x98\x80 \xF3\xA0\x81\x81 \x80 \xC0\xAF \xED\xA0\x80 \xE5\x8F"},
      {"ascii", "1101 12.35 +0.70"},
  };
  for (const auto& [name, bytes] : seeds) WriteFileAtomically(folder + "/" + name, bytes);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  kivrel::fuzzing::WriteSeedsWhenAsked("fuzz_big5", [](const std::string& folder) { WriteSeeds(folder); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // As Big5: valid UTF-8, one code point at most per byte, ASCII unchanged.
  const std::string utf8 = Big5ToUtf8(bytes);
  const long points = CodePoints(utf8);
  Check(points >= 0 && static_cast<std::size_t>(points) <= size);
  if (IsAscii(bytes)) Check(utf8 == bytes);

  // As UTF-8: whole Big5 characters, no more characters than went in.
  const std::string big5 = Utf8ToBig5(bytes);
  const std::string big5Read = Big5ToUtf8(big5);
  Check(big5Read.find(kReplacement) == std::string::npos);
  if (IsAscii(bytes)) Check(big5 == bytes);
  const long inPoints = CodePoints(bytes);
  if (inPoints >= 0) Check(CodePoints(big5Read) <= inPoints);

  // Big5 that reads cleanly writes back to as many bytes reading the same.
  if (utf8.find(kReplacement) == std::string::npos) {
    const std::string back = Utf8ToBig5(utf8);
    Check(back.size() == size);
    Check(Big5ToUtf8(back) == utf8);
  }
  return 0;
}
