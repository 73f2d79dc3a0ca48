#pragma once
// Quotes packed into bytes, as the history stores runs of them in one blob.
//
// A quote is its second of the day (a varint), a varint mask of the values
// kept as raw singles, then its nine values in TQuoteValues order: each
// either the zigzag varint of its whole units (hundredths for prices, units
// for the volume), used whenever those units give back the identical single,
// or the single's four bytes, little-endian. A page quote takes some 25
// bytes; every single, NaN payloads and signed zeros included, comes back
// bit for bit.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/store/stock_record.h"

namespace kivrel {

// Last, Change, Bid, Ask, Volume, Open, High, Low, PrevClose.
inline constexpr std::size_t kQuoteValues = 9;
using TQuoteValues = std::array<float, kQuoteValues>;

struct TStoredQuote {
  std::int32_t Second = 0;  // of the day, 0 to 86399
  TQuoteValues Values{};
  // Bit for bit, so a NaN equals the same NaN.
  friend bool operator==(const TStoredQuote&, const TStoredQuote&);
};

TQuoteValues QuoteValuesOf(const StockRecord& record);

void AppendVarint(std::string& out, std::uint64_t value);
// Takes a varint off the front of `in`; false when it is cut short or longer
// than ten bytes.
bool ReadVarint(std::string_view& in, std::uint64_t& value);

void AppendQuote(std::string& out, const TStoredQuote& quote);
// Takes one quote off the front of `in`; false, with `in` in no defined
// place, when the bytes do not hold one.
bool ReadQuote(std::string_view& in, TStoredQuote& quote);

}  // namespace kivrel
