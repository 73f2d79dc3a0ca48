#include "core/history/quote_codec.h"

#include <bit>
#include <cmath>

namespace kivrel {
namespace {

// Prices in hundredths, the volume in units.
constexpr std::array<double, kQuoteValues> kScale{100, 100, 100, 100, 1, 100, 100, 100, 100};

float Unscale(std::int64_t units, double scale) { return static_cast<float>(static_cast<double>(units) / scale); }

std::uint64_t ZigZag(std::int64_t v) { return (static_cast<std::uint64_t>(v) << 1) ^ (v < 0 ? ~0ULL : 0ULL); }
std::int64_t UnZigZag(std::uint64_t v) { return static_cast<std::int64_t>(v >> 1) ^ -static_cast<std::int64_t>(v & 1); }

}  // namespace

bool operator==(const TStoredQuote& a, const TStoredQuote& b) {
  if (a.Second != b.Second) return false;
  for (std::size_t i = 0; i < kQuoteValues; ++i)
    if (std::bit_cast<std::uint32_t>(a.Values[i]) != std::bit_cast<std::uint32_t>(b.Values[i])) return false;
  return true;
}

TQuoteValues QuoteValuesOf(const StockRecord& r) {
  return {r.Last(), r.Change(), r.Bid(), r.Ask(), r.Volume(), r.Open(), r.High(), r.Low(), r.PrevClose()};
}

void AppendVarint(std::string& out, std::uint64_t value) {
  while (value >= 0x80) {
    out += static_cast<char>((value & 0x7F) | 0x80);
    value >>= 7;
  }
  out += static_cast<char>(value);
}

bool ReadVarint(std::string_view& in, std::uint64_t& value) {
  value = 0;
  for (int shift = 0; shift < 70; shift += 7) {
    if (in.empty()) return false;
    const auto byte = static_cast<unsigned char>(in.front());
    in.remove_prefix(1);
    value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return true;
  }
  return false;
}

void AppendQuote(std::string& out, const TStoredQuote& quote) {
  std::array<std::int64_t, kQuoteValues> units{};
  std::uint64_t raw = 0;
  for (std::size_t i = 0; i < kQuoteValues; ++i) {
    const float v = quote.Values[i];
    const double scaled = static_cast<double>(v) * kScale[i];  // exact: 24 + 7 bits
    bool exact = std::fabs(scaled) < 0x1p52;                   // also false for NaN
    if (exact) {
      units[i] = std::llround(scaled);
      exact = std::bit_cast<std::uint32_t>(Unscale(units[i], kScale[i])) == std::bit_cast<std::uint32_t>(v);
    }
    if (!exact) raw |= 1U << i;
  }
  AppendVarint(out, static_cast<std::uint64_t>(quote.Second));
  AppendVarint(out, raw);
  for (std::size_t i = 0; i < kQuoteValues; ++i) {
    if ((raw >> i) & 1) {
      const auto bits = std::bit_cast<std::uint32_t>(quote.Values[i]);
      for (unsigned b = 0; b < 4; ++b) out += static_cast<char>(bits >> (8 * b));
    } else {
      AppendVarint(out, ZigZag(units[i]));
    }
  }
}

bool ReadQuote(std::string_view& in, TStoredQuote& quote) {
  std::uint64_t second = 0, raw = 0;
  if (!ReadVarint(in, second) || second >= 86400 || !ReadVarint(in, raw) || raw >> kQuoteValues != 0) return false;
  quote.Second = static_cast<std::int32_t>(second);
  for (std::size_t i = 0; i < kQuoteValues; ++i) {
    if ((raw >> i) & 1) {
      if (in.size() < 4) return false;
      std::uint32_t bits = 0;
      for (unsigned b = 0; b < 4; ++b) bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[b])) << (8 * b);
      in.remove_prefix(4);
      quote.Values[i] = std::bit_cast<float>(bits);
    } else {
      std::uint64_t units = 0;
      if (!ReadVarint(in, units)) return false;
      quote.Values[i] = Unscale(UnZigZag(units), kScale[i]);
    }
  }
  return true;
}

}  // namespace kivrel
