#pragma once

#include <string>

#include "core/lists/object.h"
#include "core/store/stock_record.h"

namespace kivrel {

// The object that carries one quote record. The store owns it; grid rows and
// painting only point to it.
class TStock final : public TObject {
 public:
  explicit TStock(const StockRecord& record) : Payload(record) {}

  // The StockKey: Market, CategoryGroup and Category as "%2.2d" each, then
  // the code trimmed of blanks and right-aligned by "%6s" ("000003  1101").
  std::string GetKey() const;

  StockRecord Payload;
};

}  // namespace kivrel
