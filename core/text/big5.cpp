#include "core/text/big5.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "core/text/big5_bytes.h"

namespace kivrel {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// One iconv descriptor per thread and direction, opened on first use; a
// converter the system lacks stays closed and every call says so.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Available()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Available() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in`; an invalid sequence is replaced by `replacement` and
  // conversion goes on after it (one byte, or one whole UTF-8 sequence).
  std::string Convert(std::string_view in, std::string_view replacement, bool utf8Input) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
    std::string out(in.size() * 3 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::size_t used = 0;
    while (srcLeft > 0) {
      char* dst = out.data() + used;
      std::size_t dstLeft = out.size() - used;
      const std::size_t done = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      const int err = errno;
      used = static_cast<std::size_t>(dst - out.data());
      if (done != static_cast<std::size_t>(-1)) break;
      if (err == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      // EILSEQ (invalid) or EINVAL (cut at the end): replace one byte, go on.
      out.resize(std::max(out.size(), used + replacement.size() + srcLeft * 3 + 16));
      std::copy(replacement.begin(), replacement.end(), out.data() + used);
      used += replacement.size();
      do {
        ++src;
        --srcLeft;
      } while (utf8Input && srcLeft > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80);
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

Converter& FromBig5() {
  thread_local Converter converter("UTF-8", "CP950");
  return converter;
}

Converter& ToBig5() {
  thread_local Converter converter("CP950", "UTF-8");
  return converter;
}

// Without a converter: ASCII stays, every other character becomes one
// replacement (a Big5 character is two bytes, a UTF-8 one up to four).
std::string AsciiOnly(std::string_view in, std::string_view replacement, bool utf8Input) {
  std::string out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (static_cast<unsigned char>(in[i]) < 0x80) {
      out += in[i];
      continue;
    }
    out += replacement;
    if (!utf8Input && IsLeadByte(in[i])) ++i;
    while (utf8Input && i + 1 < in.size() && (static_cast<unsigned char>(in[i + 1]) & 0xC0) == 0x80) ++i;
  }
  return out;
}

}  // namespace

std::string_view WholeCharacters(std::string_view big5, std::size_t limit) {
  std::size_t cut = 0;
  while (cut < big5.size()) {
    const std::size_t width = IsLeadByte(big5[cut]) ? 2 : 1;
    if (cut + width > limit || cut + width > big5.size()) break;
    cut += width;
  }
  return big5.substr(0, cut);
}

std::string Big5ToUtf8(std::string_view big5) {
  if (IsAscii(big5)) return std::string(big5);
  // A lead byte alone at the very end is half a character: it is dropped.
  if (IsLeadByte(big5.back()) && WholeCharacters(big5, big5.size()).size() < big5.size()) big5.remove_suffix(1);
  Converter& converter = FromBig5();
  if (!converter.Available()) return AsciiOnly(big5, kReplacementCharacter, false);
  return converter.Convert(big5, kReplacementCharacter, false);
}

std::string Utf8ToBig5(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  Converter& converter = ToBig5();
  if (!converter.Available()) return AsciiOnly(utf8, "?", true);
  return converter.Convert(utf8, "?", true);
}

bool Big5ConverterMissing() { return !FromBig5().Available(); }

}  // namespace kivrel
