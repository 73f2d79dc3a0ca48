#include "core/page/text_conversion.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include <locale.h>

#include "core/text/big5.h"

namespace kivrel {
namespace {

// Longer texts are cut in messages so that a garbage line cannot fill the
// message box; the cut never splits a Big5 character.
constexpr std::size_t kQuotedLimit = 80;

std::string Quoted(std::string_view text) {
  if (text.size() <= kQuotedLimit) return std::string(text);
  return std::string(WholeCharacters(text, kQuotedLimit)) + "...";
}

[[noreturn]] void NotANumber(std::string_view text) { throw ConvertError(ConvertError::TKind::Number, text); }

// 10^0 to 10^27: every one of them is exact in the 64-bit significand
// (5^27 < 2^63).
constexpr int kExactPowers = 28;
constexpr std::array<long double, kExactPowers> MakePowers() {
  std::array<long double, kExactPowers> p{};
  long double v = 1.0L;
  for (int i = 0; i < kExactPowers; ++i) {
    p[static_cast<std::size_t>(i)] = v;
    v *= 10.0L;
  }
  return p;
}
constexpr std::array<long double, kExactPowers> kPowersOfTen = MakePowers();

// Up to 19 digits fit a 64-bit integer, which the extended format holds exactly.
constexpr int kExactDigits = 19;

locale_t CLocale() {
  static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

ConvertError::ConvertError(TKind kind, std::string_view text)
    : std::runtime_error(Big5ToUtf8(Quoted(text))), kind_(kind), text_(Quoted(text)) {}

namespace {

// A decimal text read as far as it is exact: its leading significant digits
// (up to kExactDigits of them) and the power of ten they stand at.
struct TDecimalDigits {
  bool Negative = false;
  std::uint64_t Mantissa = 0;
  std::int64_t Scale = 0;  // digits taken after the point, counted down: a text may hold billions
  bool Fits = true;        // no significant digit was left out
};

// Checks the syntax (an optional sign, digits and at most one point, at
// least one digit) and takes the digits; anything else throws.
TDecimalDigits ReadDecimalDigits(std::string_view s, std::string_view text) {
  TDecimalDigits d;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    d.Negative = s[i] == '-';
    ++i;
  }
  int digits = 0;
  bool anyDigit = false;
  bool point = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(c)) NotANumber(text);
    anyDigit = true;
    if (d.Mantissa == 0 && c == '0') {
      if (point) --d.Scale;
      continue;
    }
    if (digits == kExactDigits) {
      d.Fits = false;
      continue;
    }
    d.Mantissa = d.Mantissa * 10 + static_cast<std::uint64_t>(c - '0');
    ++digits;
    if (point) --d.Scale;
  }
  if (!anyDigit) NotANumber(text);
  return d;
}

}  // namespace

long double TextToExtended(std::string_view text) {
  const std::string_view s = TrimSpaces(text);
  const TDecimalDigits d = ReadDecimalDigits(s, text);
  if (d.Mantissa == 0) return d.Negative ? -0.0L : 0.0L;
  if (d.Fits && -d.Scale < kExactPowers) {
    // Both operands are exact, so the one rounding of the division gives the
    // extended number nearest to the decimal text.
    const long double value = static_cast<long double>(d.Mantissa) / kPowersOfTen[static_cast<std::size_t>(-d.Scale)];
    return d.Negative ? -value : value;
  }
  // Long digit strings: the C library's correctly rounded reading, with the
  // "C" locale's decimal point. The syntax is already checked.
  const std::string copy(s);
  char* end = nullptr;
  const long double value = ::strtold_l(copy.c_str(), &end, CLocale());
  if (end != copy.c_str() + copy.size()) NotANumber(text);
  return value;  // the sign was read by strtold_l
}

float TextToSingle(std::string_view text) {
  const long double value = TextToExtended(text);
  // Halfway between the largest single and 2^128: from there on the value
  // would round to infinity.
  constexpr long double kOverflow = 0x1.ffffffp127L;
  if (std::fabs(value) >= kOverflow) {
    throw ConvertError(ConvertError::TKind::Range, text);
  }
  return static_cast<float>(value);
}

double TextToTimeFraction(std::string_view text) {
  int fields[3] = {0, 0, 0};
  int count = 0;
  std::size_t i = 0;
  const auto invalid = [&] { return ConvertError(ConvertError::TKind::Time, text); };
  for (;;) {
    if (count == 3) throw invalid();
    const std::size_t start = i;
    int v = 0;
    while (i < text.size() && IsDigit(text[i]) && i - start < 2) v = v * 10 + (text[i++] - '0');
    if (i == start) throw invalid();
    fields[count++] = v;
    if (i == text.size()) break;
    if (text[i] != ':') throw invalid();
    ++i;
  }
  if (count < 2 || fields[0] > 23 || fields[1] > 59 || fields[2] > 59) throw invalid();
  const long double seconds = fields[0] * 3600 + fields[1] * 60 + fields[2];
  return static_cast<double>(seconds / 86400.0L);
}

}  // namespace kivrel
