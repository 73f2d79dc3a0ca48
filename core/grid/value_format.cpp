#include "core/grid/value_format.h"

#include <charconv>
#include <cmath>

#include "core/text/fixed_texts.h"

namespace kivrel {
namespace {

// Fixed notation rounds an exact tie to the even digit; a value exactly
// halfway at the last shown digit must go away from zero instead. Returns
// true and the rounded, scaled integer when `value` is such a tie.
bool ExactTie(int decimals, long double value, long double& rounded) {
  if (decimals > 18 || !std::isfinite(value)) return false;
  long double scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;  // exact up to 10^27
  const long double p = value * scale;
  if (std::fabs(p - std::trunc(p)) != 0.5L) return false;
  if (std::fmal(value, scale, -p) != 0) return false;  // the product was rounded
  rounded = p + std::copysign(0.5L, p);
  return true;
}

// Fixed notation with "." as the decimal point whatever the locale (the C
// library's formatted output takes the point from the numeric locale, which
// the toolkit sets from the user's environment). Rounds to nearest, an exact
// tie to even.
std::string Fixed(int decimals, long double value) {
  std::string text(64, '\0');
  for (;;) {
    const auto [end, error] =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    if (error == std::errc()) {
      text.resize(static_cast<size_t>(end - text.data()));
      return text;
    }
    text.resize(text.size() * 4);  // a huge value has thousands of digits
  }
}

}  // namespace

std::string FormatValue(int decimals, bool force, bool plusSign, long double value) {
  if (value == 0 && !force) return {};
  if (decimals < 0) decimals = 0;
  std::string text;
  long double rounded = 0;
  if (ExactTie(decimals, value, rounded)) {
    text = Fixed(0, rounded);
    if (decimals > 0) {
      const bool negative = text[0] == '-';
      std::string digits = negative ? text.substr(1) : text;
      if (digits.size() <= static_cast<size_t>(decimals))
        digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
      digits.insert(digits.size() - static_cast<size_t>(decimals), ".");
      text = (negative ? "-" : "") + digits;
    }
  } else {
    text = Fixed(decimals, value);
  }
  // A NaN has no sign worth showing (the x87 default NaN has its sign bit set).
  if (std::isnan(value)) text = "nan";
  if (plusSign && value > 0) text.insert(0, "+");
  return text;
}

std::string RemoveSpaces(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c != ' ') out += c;
  }
  return out;
}

std::string FormatStockName(std::string_view s) {
  std::string name = s.find(' ') != std::string_view::npos ? RemoveSpaces(s) : std::string(s);
  if (name.size() != 4) return name;
  std::string spread = name.substr(0, 2);
  spread += kIdeographicSpace;
  spread += name.substr(2, 2);
  return spread;
}

}  // namespace kivrel
