// Any bytes as singles (a previous close, a value, a change) and a decimal
// count through the price rules and FormatValue. Nothing may be undefined
// (float-cast-overflow is on); the limit prices lie on the tick grid of their
// band, the state is one of the six and agrees with the close, and a number
// reads back from its text within half a unit of its last digit.

#include <cmath>
#include <cstring>
#include <vector>

#include "core/grid/value_format.h"
#include "core/price/price_rules.h"
#include "core/price/price_state.h"
#include "seed_mode.h"

using namespace kivrel;

static void Check(bool ok) {
  if (!ok) __builtin_trap();
}

static bool OnGrid(float price, long double step) { return float(std::rint(price / step) * step) == price; }

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  fuzzing::WriteSeedsWhenAsked("fuzz_price", [](const std::string& folder) {
    std::vector<std::string> seeds;
    for (const float close : {0.0F, 0.14F, 0.15F, 9.99F, 10.0F, 49.9F, 150.0F, 512.0F, 1000.0F}) {
      const float in[] = {close, close * 1.07F, close * 0.05F};
      seeds.push_back(std::string(reinterpret_cast<const char*>(in), sizeof in) + '\x02');
    }
    fuzzing::WriteNumberedSeeds(folder, seeds, [](const std::string& seed) { return seed; });
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  float in[3] = {};  // close, value, change; then the decimal count
  std::memcpy(in, data, size < sizeof in ? size : sizeof in);
  const int decimals = size > sizeof in ? data[sizeof in] % 10 : 2;
  TStock stock{StockRecord()};
  stock.Payload.SetPrevClose(in[0]), stock.Payload.SetChange(in[2]);
  const TPriceLimits limits(stock);
  const float close = in[0], value = in[1], up = limits.LimitUp(), down = limits.LimitDown();
  Check(!(close > 0 && close < 1e6F) || (OnGrid(up, TickSizes(static_cast<float>(close * LimitUpFactor))) &&
                                         OnGrid(down, TickSizes(static_cast<float>(close * LimitDownFactor)))));
  const PriceState state = limits.StateOf(value);
  Check(state <= psNone && (state != psUp || value > close) && (state != psFlat || value == close));
  for (const float x : {value, in[2], up, -down, ChangePercent(stock), Amplitude(stock)}) {
    const std::string text = FormatValue(decimals, true, true, x);
    const long double error = std::fabs(std::strtold(text.c_str(), nullptr) - x);
    Check(!std::isfinite(x) || error <= 0.5L * std::pow(10.0L, -decimals) * (1 + 1e-12L) + std::fabs(x) * 1e-18L);
    Check(std::isfinite(x) || text == (std::isnan(x) ? "nan" : x > 0 ? "+inf" : "-inf"));
  }
  return 0;
}
