#pragma once
// Number and time texts of the pages, read the same whatever the user's
// locale: "." is the decimal point and ":" the time separator.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kivrel {

// A text that is not a number or not a time. It keeps what kind of reading
// failed and the text (Big5, cut after 80 bytes between characters); the
// words for a person are composed where it is shown.
class ConvertError : public std::runtime_error {
 public:
  enum class TKind : std::uint8_t { Number, Time, Range };
  ConvertError(TKind kind, std::string_view text);

  TKind Kind() const { return kind_; }
  const std::string& Text() const { return text_; }

 private:
  TKind kind_;
  std::string text_;
};

// A decimal number: spaces around it, an optional sign, at least one digit
// and at most one point ("12", "-0.30", "+.5", "7."). Exponents, "inf",
// "nan", hex forms, commas and everything else throw ConvertError. The value
// is the extended-precision number nearest to the decimal text.
long double TextToExtended(std::string_view text);

// TextToExtended narrowed to single (round to nearest, ties to even). A text
// whose value would round beyond the largest single throws ConvertError.
float TextToSingle(std::string_view text);

// A time of day "H:M" or "H:M:S" (one or two digits each, hours 0 to 23,
// minutes and seconds 0 to 59) as the elapsed fraction of the day. Anything
// else throws ConvertError ("'25:00:00' is not a valid time").
double TextToTimeFraction(std::string_view text);

}  // namespace kivrel
