#pragma once
// The 15 cell texts of a stock's grid row; the window and the quote export
// both take their texts from here.

#include <array>
#include <string>

#include "core/store/stock.h"

namespace kivrel {

inline constexpr int kGridColumns = 15;

// Text of column `col` (0..14) of the stock's row; empty for other columns.
std::string StockCellText(const TStock& stock, int col);

std::array<std::string, kGridColumns> StockRowTexts(const TStock& stock);

}  // namespace kivrel
