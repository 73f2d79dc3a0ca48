#pragma once
// The board as CSV: a title row of the 15 column titles, then one row per
// stock in store order with the texts the grid shows as a spreadsheet takes
// them (ColumnValueText: the limit-down price positive); UTF-8, RFC 4180.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/stock.h"

namespace kivrel {

// One field, quoted when it holds a comma, a double quote, CR or LF.
std::string CsvField(std::string_view utf8);

// A text cell (code, name) as a spreadsheet may take it: control bytes
// dropped, and a text that a spreadsheet would read as a formula (starting
// with "=", "+", "-" or "@") led by "'".
std::string CsvTextCell(std::string_view utf8);

// The title row, then a row for each stock, in the order given.
void WriteBoardCsv(std::ostream& out, const std::vector<TStock*>& stocks);

}  // namespace kivrel
