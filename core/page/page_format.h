#pragma once
// The saved listing pages as the import reads them: a page is a list of Big5
// lines; a line holding one of the two cell markers is a cell line, every
// other line is dropped, and each run of CellsPerRow cell lines is one stock
// row. Values are cut out of a line between fixed start and end texts.
//
// The markers are matched byte for byte and case-sensitively. The code-cell
// marker writes its attribute values without quotes, the data-cell marker
// with them; the bold and change markers begin with the data-cell marker, so
// bold and change cells are data cells too.

#include <cstddef>
#include <string_view>

namespace kivrel {

// Cell 0 of a row: the link to the stock's quote page, "<a href=/q/q_1101.html>1101 台泥</a>".
inline constexpr std::string_view CodeCellMark = "<td align=center bgcolor=#FFFfff nowrap><a href=/q/q_";
// Every other cell; start text of the time cell and of plain number cells.
inline constexpr std::string_view DataCellMark = "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap>";
inline constexpr std::string_view DataCellEnd = "</td>";
// The last price, in bold.
inline constexpr std::string_view BoldCellMark = "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap><b>";
inline constexpr std::string_view BoldCellEnd = "</b></td>";
// The change, coloured: the font tag's value ("#ff0000", 7 bytes) and its
// closing ">" come before the arrow and the number.
inline constexpr std::string_view ChangeCellMark = "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap><font color=";
inline constexpr std::string_view ChangeCellEnd = "</font></td>";
// The link text of a code cell lies between ".html" plus one byte (the ">"
// closing the link tag) and "</a>".
inline constexpr std::string_view LinkTextStart = ".html";
inline constexpr std::string_view LinkTextEnd = "</a>";

// Signs inside cells, one Big5 character each.
// －: the cell has no value; it reads as 0.
inline constexpr std::string_view NoDataSign = "\xA1\xD0";
// △ and ▲: change upward.
inline constexpr std::string_view HollowUpArrow = "\xA1\xB5";
inline constexpr std::string_view FilledUpArrow = "\xA1\xB6";
// ▽ and ▼: change downward.
inline constexpr std::string_view HollowDownArrow = "\xA1\xBE";
inline constexpr std::string_view FilledDownArrow = "\xA1\xBF";

// Cells of one stock row: code and name, time, last, bid, ask, change,
// volume, previous close, open, high, low.
inline constexpr std::size_t CellsPerRow = 11;

// Category table entries per group: group 0 holds the shares (entries 0 to
// 24), group 1 certificates, warrants and corporate bonds.
inline constexpr std::size_t CategoriesPerGroup = 25;

}  // namespace kivrel
