#pragma once
// The tooltip over a stock's code or name.

#include <string>

#include "core/store/stock_record.h"

namespace kivrel {

// Big5, two lines: the name and the code, trimmed, two spaces apart (a
// character cut at the end of the name left out), then the market in words,
// 上市 or 上櫃, and the category table's entry with its joined names separated
// by "、" ("上市 水泥"); the market alone for a category the tables lack.
std::string StockToolTip(const StockRecord& record);

}  // namespace kivrel
