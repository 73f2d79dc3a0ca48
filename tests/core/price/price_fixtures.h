#pragma once
// Stocks and number texts shared by the price-rule tests.

#include <cstdio>
#include <string>

#include "core/store/stock.h"

namespace kivrel::testing {

struct Quote {
  float prev_close = 0.0F;
  float change = 0.0F;
  float high = 0.0F;
  float low = 0.0F;
};

inline TStock MakeStock(const Quote& q) {
  StockRecord r;
  r.SetCode("2330");
  r.SetPrevClose(q.prev_close);
  r.SetChange(q.change);
  r.SetHigh(q.high);
  r.SetLow(q.low);
  return TStock(r);
}

inline TStock StockWithPrevClose(float prev_close) { return MakeStock({.prev_close = prev_close}); }

// Two decimals, as the grid shows a price.
inline std::string Fixed2(float v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", static_cast<double>(v));
  return buf;
}

// Nine significant digits tell any two singles apart.
inline std::string Sig9(float v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
  return buf;
}

}  // namespace kivrel::testing
