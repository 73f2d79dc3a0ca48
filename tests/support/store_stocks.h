#pragma once
// Records into a quote store the way the board stores them, for tests.

#include <memory>
#include <vector>

#include "core/store/stock_store.h"

namespace kivrel::testing {

inline void StoreRecord(TStringList& store, const StockRecord& record) {
  std::vector<std::unique_ptr<TStock>> one;
  one.push_back(std::make_unique<TStock>(record));
  StoreStock(store, std::move(one));
}

}  // namespace kivrel::testing
