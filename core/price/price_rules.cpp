#include "core/price/price_rules.h"

#include <cmath>
#include <cstdint>

namespace kivrel {
namespace {

// Every operand below is widened to long double before the operation, so each
// sum, product and quotient is one x87 extended operation, rounded once.
using Extended = long double;

// The signed 64-bit range as extended bounds. -2^63 - 1 needs all 64
// significand bits and is exact; it bounds quotients that truncate to -2^63.
constexpr Extended kInt64Limit = 0x1p63L;
constexpr Extended kTruncLowerBound = -kInt64Limit - 1.0L;

float ToSingle(Extended x) { return static_cast<float>(x); }

}  // namespace

float TickSizes(float price) {
  // Tested from the top band down so that NaN, failing every comparison,
  // lands in the first band just like zero and negative prices.
  if (price >= 1000.0F) return 5.0F;
  if (price >= 500.0F) return 1.0F;
  if (price >= 100.0F) return 0.5F;
  if (price >= 50.0F) return 0.1F;
  if (price >= 10.0F) return 0.05F;
  return 0.01F;
}

float RoundToStep(bool rounding, float value, float step) {
  if (!(step > 0.0F)) return 0.0F;
  const Extended s = step;
  std::int64_t n = 0;
  if (rounding) {
    // Half the step plus the value, then the sum divided by the step; the
    // quotient is rounded half to even (the program never leaves the default
    // rounding mode). A value of exactly k steps makes the quotient k + 0.5.
    const Extended q = (s / 2.0L + static_cast<Extended>(value)) / s;
    const Extended r = std::rint(q);
    if (!(r >= -kInt64Limit && r < kInt64Limit)) return value;  // NaN, infinite or beyond int64
    n = static_cast<std::int64_t>(r);
  } else {
    const Extended q = static_cast<Extended>(value) / s;
    if (!(q > kTruncLowerBound && q < kInt64Limit)) return value;  // NaN, infinite or beyond int64
    n = static_cast<std::int64_t>(q);                              // truncates toward zero
  }
  return ToSingle(static_cast<Extended>(n) * s);
}

float SnapToTick(bool rounding, float price) { return RoundToStep(rounding, price, TickSizes(price)); }

float LimitUpPrice(const TStock& stock) {
  // The single nearest PrevClose x 1.07 chooses the band and is truncated.
  const float p = ToSingle(static_cast<Extended>(stock.Payload.PrevClose()) * LimitUpFactor);
  return SnapToTick(false, p);
}

float LimitDownPrice(const TStock& stock) {
  // The single nearest PrevClose x 0.93 chooses the band and is rounded up.
  const float p = ToSingle(static_cast<Extended>(stock.Payload.PrevClose()) * LimitDownFactor);
  return SnapToTick(true, p);
}

float ChangePercent(const TStock& stock) {
  const float prev = stock.Payload.PrevClose();
  if (!(prev > 0.0F)) return 0.0F;
  return ToSingle(static_cast<Extended>(stock.Payload.Change()) / prev * 100.0L);
}

float Amplitude(const TStock& stock) {
  const float high = stock.Payload.High();
  const float low = stock.Payload.Low();
  if (!(low > 0.0F && high > low)) return 0.0F;
  return ToSingle(static_cast<Extended>(high) / low * 100.0L - 100.0L);
}

}  // namespace kivrel
