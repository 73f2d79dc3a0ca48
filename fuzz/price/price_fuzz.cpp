// Any bytes as two singles (a previous close and a value) and a decimal count
// through the limit prices and FormatValue. Nothing may be undefined
// (float-cast-overflow is on); a finite number reads back from its text within
// half a unit of its last digit, and NaN and the infinities show as "nan",
// "+inf" and "-inf".
#include <cmath>
#include <cstring>

#include "core/grid/value_format.h"
#include "core/price/price_rules.h"
#include "seed_mode.h"

using namespace kivrel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::WriteSeedsWhenAsked([] {
    // A close of 10 and its limit-up price 10.65 as little-endian singles; then two decimals.
    return std::vector{std::string("\0\0 Aff*A\2", 9)};
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  float in[2] = {};  // close, value; then the decimal count
  std::memcpy(in, data, size < sizeof in ? size : sizeof in);
  const int decimals = size > sizeof in ? data[sizeof in] % 10 : 2;
  TStock stock{StockRecord()};
  stock.Payload.SetPrevClose(in[0]);
  for (const float x : {in[1], LimitUpPrice(stock), -LimitDownPrice(stock)}) {
    const std::string text = FormatValue(decimals, true, true, x);
    const long double error = std::fabs(std::strtold(text.c_str(), nullptr) - x);
    if (std::isfinite(x) && error > 0.5L * std::pow(10.0L, -decimals) + std::fabs(x) * 1e-18L) __builtin_trap();
    if (!std::isfinite(x) && text != (std::isnan(x) ? "nan" : x > 0 ? "+inf" : "-inf")) __builtin_trap();
  }
  return 0;
}
