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

  // The StockKey: Market, CategoryGroup and Category in decimal, each with
  // at least two digits (zero-filled on the left), then the code trimmed of
  // blanks and right-aligned in six characters, never cut ("000003  1101").
  std::string GetKey() const;

  StockRecord Payload;
};

}  // namespace kivrel
