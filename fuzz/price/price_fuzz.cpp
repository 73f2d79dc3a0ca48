// Arbitrary singles through the price rules and arbitrary extended values
// through FormatValue: nothing may be undefined (float-cast-overflow is on),
// every state is one of the six, and each rule keeps the promises a caller
// relies on: a step rounding stays within one step on its side of the value,
// the ratios keep their signs, the limit prices classify as the limits, and
// a formatted number is exactly the digits, sign and point it should be.
//
// Input, little-endian, missing bytes read as 0:
//   0  PrevClose, Change, High, Low, Value, Step   six singles
//  24  decimals: byte % 24 - 3 (-3..20)
//  25  flags: 1 rounding, 2 force, 4 plus sign
//  26  mantissa (u64) and 34 exponent (i16) of the extended value
//  36  kind of the extended value: & 3 picks mantissa x 2^exponent, an
//      infinity, a NaN or the widened Value; & 4 makes it negative
//
// With KIVREL_FUZZ_SEEDS=<folder> in the environment the target writes its
// seed inputs into that folder and exits without fuzzing.

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "core/grid/value_format.h"
#include "core/io/file_io.h"
#include "core/price/price_rules.h"
#include "core/price/price_state.h"
#include "fuzz/seed_mode.h"

namespace {

using namespace kivrel;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

struct PriceInput {
  float PrevClose = 0, Change = 0, High = 0, Low = 0, Value = 0, Step = 0;
  std::uint8_t Decimals = 5;  // 2 decimals
  std::uint8_t Flags = 0;
  std::uint64_t Mantissa = 0;
  std::int16_t Exponent = 0;
  std::uint8_t Kind = 0;

  int DecimalCount() const { return Decimals % 24 - 3; }
  bool Rounding() const { return (Flags & 1) != 0; }
  bool Force() const { return (Flags & 2) != 0; }
  bool PlusSign() const { return (Flags & 4) != 0; }

  long double Extended() const {
    const bool negative = (Kind & 4) != 0;
    long double x = 0;
    switch (Kind & 3) {
      case 0: x = std::ldexp(static_cast<long double>(Mantissa), Exponent); break;
      case 1: x = HUGE_VALL; break;
      case 2: x = std::nanl(""); break;
      default: x = Value; break;
    }
    return negative ? -x : x;
  }
};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  template <class T>
  T Take() {
    unsigned char raw[sizeof(T)] = {};
    const std::size_t n = bytes_.size() < sizeof raw ? bytes_.size() : sizeof raw;
    std::memcpy(raw, bytes_.data(), n);
    bytes_.remove_prefix(n);
    T v;
    std::memcpy(&v, raw, sizeof v);
    return v;
  }

 private:
  std::string_view bytes_;
};

template <class T>
void Put(std::string& out, T v) {
  out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

PriceInput Decode(std::string_view bytes) {
  Reader r(bytes);
  PriceInput in;
  in.PrevClose = r.Take<float>();
  in.Change = r.Take<float>();
  in.High = r.Take<float>();
  in.Low = r.Take<float>();
  in.Value = r.Take<float>();
  in.Step = r.Take<float>();
  in.Decimals = r.Take<std::uint8_t>();
  in.Flags = r.Take<std::uint8_t>();
  in.Mantissa = r.Take<std::uint64_t>();
  in.Exponent = r.Take<std::int16_t>();
  in.Kind = r.Take<std::uint8_t>();
  return in;
}

std::string Encode(const PriceInput& in) {
  std::string out;
  for (float f : {in.PrevClose, in.Change, in.High, in.Low, in.Value, in.Step}) Put(out, f);
  Put(out, in.Decimals);
  Put(out, in.Flags);
  Put(out, in.Mantissa);
  Put(out, in.Exponent);
  Put(out, in.Kind);
  return out;
}

TStock MakeStock(const PriceInput& in) {
  StockRecord r;
  r.SetPrevClose(in.PrevClose);
  r.SetChange(in.Change);
  r.SetHigh(in.High);
  r.SetLow(in.Low);
  return TStock(r);
}

// RoundToStep's result lies within one step of the value: truncation moves
// toward zero, rounding upward. Extended quotients and the final rounding to
// single may each add a trace, covered by a relative tolerance.
void CheckStepRounding(bool rounding, float value, float step, float result) {
  if (!(step > 0.0F)) {
    Check(result == 0.0F);
    return;
  }
  if (!std::isfinite(value)) {
    Check(result == value || (std::isnan(value) && std::isnan(result)));
    return;
  }
  // An infinite step is no tick size, and no caller passes one: truncating
  // gives 0 steps of it, which is NaN; rounding hands the value back.
  if (std::isinf(step)) return;
  Check(!std::isnan(result));
  const long double v = value;
  const long double s = step;
  long double lo = v;
  long double hi = v;
  if (rounding || value < 0) {
    hi = v + s;
  } else {
    lo = v - s;
  }
  if (hi > FLT_MAX || lo < -FLT_MAX) return;  // the multiple may lie beyond the singles
  const long double tolerance = (std::fabs(v) + s) * 0x1p-22L;
  Check(result >= lo - tolerance && result <= hi + tolerance);
}

void CheckPriceRules(const PriceInput& in) {
  const TStock stock = MakeStock(in);
  const float prev = in.PrevClose;

  // Tick sizes grow with the price.
  const float tick = TickSizes(in.Value);
  Check(tick == 0.01F || tick == 0.05F || tick == 0.1F || tick == 0.5F || tick == 1.0F || tick == 5.0F);
  if (in.Value <= prev) Check(tick <= TickSizes(prev));

  CheckStepRounding(in.Rounding(), in.Value, in.Step, RoundToStep(in.Rounding(), in.Value, in.Step));
  CheckStepRounding(in.Rounding(), in.Value, tick, SnapToTick(in.Rounding(), in.Value));

  const float up = LimitUpPrice(stock);
  const float down = LimitDownPrice(stock);
  CheckStepRounding(false, static_cast<float>(prev * LimitUpFactor), 5.0F, up);
  CheckStepRounding(true, static_cast<float>(prev * LimitDownFactor), 5.0F, down);

  const float change = ChangePercent(stock);
  if (!(prev > 0.0F)) {
    Check(change == 0.0F);
  } else if (std::isnan(in.Change)) {
    Check(std::isnan(change));
  } else if (!(std::isinf(in.Change) && std::isinf(prev))) {  // inf / inf is NaN
    Check(!std::isnan(change));
    Check(in.Change > 0 ? change >= 0 : (in.Change < 0 ? change <= 0 : change == 0));
  }
  const float amplitude = Amplitude(stock);
  Check(amplitude >= 0.0F);  // never negative, never NaN
  if (!(in.Low > 0.0F && in.High > in.Low)) Check(amplitude == 0.0F);

  const PriceState state = GetPriceState(stock, in.Value);
  Check(state <= psNone);
  Check(StateFontColor(stock, in.Value) == StateFontColors[state]);
  Check(StateBrushColor(stock, in.Value) == StateBrushColors[state]);
  if (in.Value == 0 || prev == 0 || std::isnan(in.Value) || std::isnan(prev) || up == down) Check(state == psNone);
  if (state == psUp) Check(in.Value > prev);
  if (state == psFlat) Check(in.Value == prev);
  if (state == psDown) Check(in.Value < prev);

  // Within prices a single resolves to well below the tolerance, the limit
  // prices themselves are at the limits whenever the band is not empty.
  if (prev > 0.0F && prev < 1e6F && down > 0.0F && down < up) {
    Check(GetPriceState(stock, up) == psLimitUp);
    Check(GetPriceState(stock, down) == psLimitDown);
  }
}

bool AllDigits(std::string_view s) {
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool HasNonZeroDigit(std::string_view s) { return s.find_first_of("123456789") != std::string_view::npos; }

// The text of one value: empty for an unforced zero; otherwise an optional
// "+" (exactly for a positive value with the plus sign), a "-" exactly for a
// negative value that does not round to zero, the digits with the point
// before the last `decimals` of them, and the value back within half a unit
// of the last digit. Non-finite values show as inf, -inf and nan.
void CheckFormatted(int decimals, bool force, bool plusSign, long double value) {
  const std::string text = FormatValue(decimals, force, plusSign, value);
  if (value == 0 && !force) {
    Check(text.empty());
    return;
  }
  Check(!text.empty());
  std::string_view body = text;
  const bool plus = plusSign && value > 0;
  Check((body[0] == '+') == plus);
  if (plus) body.remove_prefix(1);

  if (std::isnan(value)) {
    Check(body == "nan");
    return;
  }
  if (std::isinf(value)) {
    Check(body == (value < 0 ? "-inf" : "inf"));
    return;
  }
  const bool minus = !body.empty() && body[0] == '-';
  if (minus) body.remove_prefix(1);
  Check(minus == (value < 0 && HasNonZeroDigit(body)));
  const std::size_t shown = decimals > 0 ? static_cast<std::size_t>(decimals) : 0;
  if (shown == 0) {
    Check(!body.empty() && AllDigits(body));
  } else {
    Check(body.size() >= shown + 2 && body[body.size() - shown - 1] == '.');
    Check(AllDigits(body.substr(0, body.size() - shown - 1)) && AllDigits(body.substr(body.size() - shown)));
  }
  const long double back = std::strtold(text.c_str(), nullptr);
  const long double halfUnit = 0.5L * std::pow(10.0L, -static_cast<long double>(shown));
  Check(std::fabs(back - value) <= halfUnit * (1 + 0x1p-40L) + std::fabs(value) * 0x1p-60L);
}

void CheckFormatting(const PriceInput& in) {
  const int d = in.DecimalCount();
  CheckFormatted(d, in.Force(), in.PlusSign(), in.Extended());
  // What the grid formats: widened singles and the computed values.
  const TStock stock = MakeStock(in);
  for (float v : {in.Value, in.PrevClose, in.Change, ChangePercent(stock), Amplitude(stock), LimitUpPrice(stock),
                  -LimitDownPrice(stock)}) {
    CheckFormatted(d, in.Force(), in.PlusSign(), v);
  }
}

// Seeds ----------------------------------------------------------------------

std::vector<PriceInput> SeedInputs() {
  std::vector<PriceInput> seeds;
  // The worked limit examples, with the value at the limit-up price.
  for (float prev :
       {0.0F, 0.14F, 0.15F, 1.0F, 9.99F, 10.0F, 49.9F, 50.0F, 100.0F, 150.0F, 200.0F, 250.0F, 512.0F, 1000.0F}) {
    PriceInput in;
    in.PrevClose = prev;
    in.Change = prev * 0.05F;
    in.High = prev * 1.05F;
    in.Low = prev * 0.98F;
    in.Value = LimitUpPrice(MakeStock(in));
    in.Step = TickSizes(prev);
    in.Flags = 4;
    in.Kind = 3;
    seeds.push_back(in);
  }
  // Halves at the last shown digit (0.125 with 2 decimals, 2.5 with none),
  // a huge and a tiny value, infinities and NaN.
  const struct {
    std::uint64_t mantissa;
    std::int16_t exponent;
    std::uint8_t kind, decimals;
  } extended[] = {{1, -3, 0, 5}, {1, -3, 4, 5}, {5, -1, 0, 3}, {1, 16000, 0, 5}, {1, -16440, 4, 23},
                  {0, 0, 1, 5},  {0, 0, 5, 5},  {0, 0, 2, 5},  {0, 0, 6, 5},     {~0ULL, -64, 0, 21}};
  for (const auto& e : extended) {
    PriceInput in;
    in.PrevClose = 10.0F;
    in.Value = 10.65F;
    in.Step = 0.5F;
    in.Flags = 5;
    in.Mantissa = e.mantissa;
    in.Exponent = e.exponent;
    in.Kind = e.kind;
    in.Decimals = e.decimals;
    seeds.push_back(in);
  }
  return seeds;
}

void WriteSeeds(const std::string& folder) {
  kivrel::fuzzing::WriteNumberedSeeds(folder, SeedInputs(), [](const PriceInput& in) { return Encode(in); });
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  kivrel::fuzzing::WriteSeedsWhenAsked("fuzz_price", [](const std::string& folder) { WriteSeeds(folder); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const PriceInput in = Decode(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckPriceRules(in);
  CheckFormatting(in);
  return 0;
}
