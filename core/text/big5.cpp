#include "core/text/big5.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace kivrel {
namespace {

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// One iconv descriptor per thread and direction, opened on first use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; an invalid or cut sequence is replaced by `replacement` and
  // conversion goes on after it (one byte, or one whole UTF-8 sequence).
  std::string Convert(std::string_view in, std::string_view replacement, bool utf8Input) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
    std::string out;
    out.resize(in.size() * 3 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    while (srcLeft > 0) {
      if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        const size_t used = static_cast<size_t>(dst - out.data());
        out.resize(out.size() * 2);
        dst = out.data() + used;
        dstLeft = out.size() - used;
        continue;
      }
      // EILSEQ (invalid) or EINVAL (cut at the end): replace one byte, go on.
      const size_t used = static_cast<size_t>(dst - out.data());
      out.resize(std::max(out.size(), used + replacement.size() + srcLeft * 3 + 16));
      std::copy(replacement.begin(), replacement.end(), out.data() + used);
      dst = out.data() + used + replacement.size();
      dstLeft = out.size() - (used + replacement.size());
      do {
        ++src;
        --srcLeft;
      } while (utf8Input && srcLeft > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80);
    }
    out.resize(static_cast<size_t>(dst - out.data()));
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string Big5ToUtf8(std::string_view big5) {
  if (IsAscii(big5)) return std::string(big5);
  thread_local Converter converter("UTF-8", "CP950");
  return converter.Convert(big5, "\xEF\xBF\xBD", false);
}

std::string Utf8ToBig5(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  thread_local Converter converter("CP950", "UTF-8");
  return converter.Convert(utf8, "?", true);
}

}  // namespace kivrel
