#pragma once
// Reading the cells of a saved listing page: the two line tests, the
// extractors that cut texts out of a line, the four cell parsers and the
// filter that keeps a page's cell lines. The markers are in page_format.h.
//
// Positions and lengths count bytes; every search finds the first exact,
// case-sensitive occurrence. A missing marker never fails: extractors give an
// empty text and parsers give 0. A number or time that does not convert
// throws ConvertError (text_conversion.h).

#include <string>
#include <string_view>
#include <vector>

namespace kivrel {

// The line holds CodeCellMark: cell 0 of a row.
bool IsCodeCell(std::string_view line);
// The line holds CodeCellMark or DataCellMark (bold and change cells
// included), in one pass over the line.
bool IsCellLine(std::string_view line);

// The cell lines of a page, in page order, as views into `pageText`: the
// page is split into lines (CR, LF or CR LF; the text ends at a NUL byte)
// and every line that is not a cell line is left out. They make whole rows
// when their count is a multiple of CellsPerRow (0 included).
std::vector<std::string_view> FilterCellLines(std::string_view pageText);

// The trimmed bytes strictly between the first StartMark and the first
// EndMark (each searched from the start of the line); empty when either is
// missing or the EndMark starts before the StartMark ends. With digitsOnly
// only "." and the bytes "0" to ":" are kept: signs, thousands commas, tags
// and both bytes of every Big5 character are dropped.
std::string ExtractBetween(std::string_view line, std::string_view startMark, std::string_view endMark,
                           bool digitsOnly);

// The link text of a code cell, trimmed: the bytes from the second byte after
// ".html" (skipping the ">" that closes the link tag) up to and including the
// "<" that begins "</a>". So "…1101.html>1101 ABC</a>" gives "1101 ABC<".
// The three extractors give views into `line`.
std::string_view ExtractLinkText(std::string_view line);
// The link text up to its first space, trimmed; empty when it has no space.
std::string_view ExtractCode(std::string_view line);
// The link text after its first space without its final "<", trimmed (a
// name may hold spaces); empty when the link text has no space.
std::string_view ExtractName(std::string_view line);

// The time cell "13:30" as `today` (whole days since 1899-12-30) plus the
// fraction of the day; 0 when the cell has no digit (NoDataSign). Seconds
// are always 0: the pages give hours and minutes.
double ParseQuoteTime(std::string_view line, double today);

// The bold last-price cell, digits only, as a single; 0 when empty.
float ParseBoldPrice(std::string_view line);
// A plain number cell, digits only ("12,345" reads 12345 and a minus sign is
// lost), as a single; 0 when empty.
float ParseCellNumber(std::string_view line);
// The change cell: the 8 bytes of font colour and ">" are dropped, then an
// up arrow (△ ▲) or a down arrow (▽ ▼) anywhere in the rest makes the
// first two bytes go, with a "-" in front for a down arrow. 0 for an empty
// cell or NoDataSign.
float ParseChangeCell(std::string_view line);

}  // namespace kivrel
