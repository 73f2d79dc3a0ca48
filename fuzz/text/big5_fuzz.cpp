// Any bytes through both Big5 conversions: Big5ToUtf8 gives well-formed
// UTF-8 (shortest forms, no surrogates, nothing beyond U+10FFFF), Utf8ToBig5
// of anything never crashes, and WholeCharacters cuts as much as fits, where
// the two halves of a cleanly converting text convert to the whole of it.
#include <algorithm>
#include <cstdint>

#include "core/text/big5.h"
#include "core/text/fixed_texts.h"
#include "seed_mode.h"

static void Check(bool condition) {
  if (!condition) __builtin_trap();
}

static bool WellFormedUtf8(std::string_view s) {
  for (std::size_t i = 0, n = 0; i < s.size(); i += n) {
    const auto at = [&](std::size_t k) { return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0u; };
    const unsigned lead = at(0), low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    n = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (n == 0 || (n > 1 && (at(1) < low || at(1) > high)) || (n > 2 && at(2) >> 6 != 2) || (n > 3 && at(3) >> 6 != 2))
      return false;
  }
  return true;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  kivrel::fuzzing::WriteSeedsWhenAsked("fuzz_big5", [](const std::string& folder) {
    const std::vector<std::string> seeds = {std::string(kivrel::kCaption), std::string(kivrel::kListedCategoriesText),
                                            kivrel::Big5ToUtf8(kivrel::kOtcCategoriesText), "ab\xFF\x80\xA4 \xA4",
                                            "\xF0\x9F\x98\x80 \xC0\xAF \xED\xA0\x80 \xE5\x8F"};
    kivrel::fuzzing::WriteNumberedSeeds(folder, seeds, [](const std::string& s) { return s; });
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string utf8 = kivrel::Big5ToUtf8(bytes);
  Check(WellFormedUtf8(utf8));
  kivrel::Utf8ToBig5(bytes);
  const std::size_t limit = size == 0 ? 0 : data[0] % (size + 1);
  const std::string_view cut = kivrel::WholeCharacters(bytes, limit);
  Check(bytes.starts_with(cut) && cut.size() <= limit && cut.size() + 1 >= std::min(limit, size));
  if (utf8.find("\xEF\xBF\xBD") == std::string::npos) {
    Check(kivrel::Big5ToUtf8(cut) + kivrel::Big5ToUtf8(bytes.substr(cut.size())) == utf8);
  }
  return 0;
}
