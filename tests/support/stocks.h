#pragma once
// Quote records for tests, and quote-file bytes made of them.

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/store/stock_record.h"

namespace kivrel::testing {

struct Quote {
  std::string_view Code = "1101";
  std::string_view Name = "\xA5x\xAA\x64";  // 台泥
  int Market = 0;
  int Category = 0;
  float PrevClose = 10.0F;
  float Last = 0.0F;
  double QuoteTime = 0;
};

inline StockRecord Record(const Quote& q) {
  StockRecord r;
  r.SetCode(q.Code);
  r.SetName(q.Name);
  r.SetMarket(static_cast<std::uint8_t>(q.Market));
  r.SetCategoryGroup(static_cast<std::uint8_t>(q.Category / 25));
  r.SetCategory(static_cast<std::uint8_t>(q.Category));
  r.SetPrevClose(q.PrevClose);
  r.SetLast(q.Last);
  r.SetChange(q.Last != 0.0F ? q.Last - q.PrevClose : 0.0F);
  r.SetQuoteTime(q.QuoteTime);
  return r;
}

inline std::string FileBytes(std::initializer_list<StockRecord> records) {
  std::string bytes;
  for (const StockRecord& r : records) bytes.append(reinterpret_cast<const char*>(r.Bytes()), StockRecord::kSize);
  return bytes;
}

}  // namespace kivrel::testing
