#include "core/page/page_cells.h"

#include "core/page/current_date.h"
#include "core/page/page_format.h"
#include "core/page/text_conversion.h"
#include "core/text/trim.h"

namespace kivrel {
namespace {

// Empty results still point at a text, so that they can go wherever a
// pointer must not be null (memcpy of zero bytes, for one).
constexpr std::string_view kEmpty = "";

bool Contains(std::string_view line, std::string_view mark) { return line.find(mark) != std::string_view::npos; }

// The trimmed bytes between the first startMark and the first endMark.
std::string_view BetweenView(std::string_view line, std::string_view startMark, std::string_view endMark) {
  const std::size_t p = line.find(startMark);
  if (p == std::string_view::npos) return kEmpty;
  const std::size_t q = line.find(endMark);
  if (q == std::string_view::npos) return kEmpty;
  const std::size_t from = p + startMark.size();
  if (q <= from) return kEmpty;
  return TrimView(line.substr(from, q - from));
}

bool IsNumberByte(char c) { return c == '.' || (c >= '0' && c <= ':'); }

std::string DigitsOf(std::string_view text) {
  std::string digits;
  for (const char c : text) {
    if (IsNumberByte(c)) digits += c;
  }
  return digits;
}

float ParseDigitsBetween(std::string_view line, std::string_view startMark, std::string_view endMark) {
  const std::string digits = DigitsOf(BetweenView(line, startMark, endMark));
  if (digits.empty()) return 0.0f;
  return TextToSingle(digits);
}

}  // namespace

bool IsCodeCell(std::string_view line) { return Contains(line, CodeCellMark); }

bool IsDataCell(std::string_view line) { return Contains(line, DataCellMark); }

bool IsCellLine(std::string_view line) {
  // Both markers begin with this text, so one search finds the places where
  // either may stand.
  constexpr std::string_view kCellMarkStart = "<td align=";
  static_assert(CodeCellMark.starts_with(kCellMarkStart) && DataCellMark.starts_with(kCellMarkStart));
  for (std::size_t at = line.find(kCellMarkStart); at != std::string_view::npos;
       at = line.find(kCellMarkStart, at + 1)) {
    const std::string_view rest = line.substr(at);
    if (rest.starts_with(DataCellMark) || rest.starts_with(CodeCellMark)) return true;
  }
  return false;
}

std::string ExtractBetween(std::string_view line, std::string_view startMark, std::string_view endMark,
                           bool digitsOnly) {
  const std::string_view between = BetweenView(line, startMark, endMark);
  if (digitsOnly) return DigitsOf(between);
  return std::string(between);
}

std::string_view LinkTextView(std::string_view line) {
  const std::size_t p = line.find(LinkTextStart);
  if (p == std::string_view::npos) return kEmpty;
  const std::size_t q = line.find(LinkTextEnd);
  if (q == std::string_view::npos) return kEmpty;
  // Skip ".html" and the byte after it; take up to and including the "<"
  // of "</a>".
  const std::size_t from = p + LinkTextStart.size() + 1;
  if (q + 1 <= from) return kEmpty;
  return TrimView(line.substr(from, q + 1 - from));
}

std::string_view CodeView(std::string_view line) {
  const std::string_view link = LinkTextView(line);
  const std::size_t space = link.find(' ');
  if (space == std::string_view::npos) return kEmpty;
  return TrimView(link.substr(0, space));
}

std::string_view NameView(std::string_view line) {
  const std::string_view link = LinkTextView(line);
  const std::size_t space = link.find(' ');
  if (space == std::string_view::npos) return kEmpty;
  // Everything after the space but the final "<" (the link text is never
  // empty here, and ends in "<").
  const std::size_t from = space + 1;
  if (link.size() <= from + 1) return kEmpty;
  return TrimView(link.substr(from, link.size() - 1 - from));
}

std::string ExtractLinkText(std::string_view line) { return std::string(LinkTextView(line)); }

std::string ExtractCode(std::string_view line) { return std::string(CodeView(line)); }

std::string ExtractName(std::string_view line) { return std::string(NameView(line)); }

double ParseQuoteTime(std::string_view line, double today) {
  std::string time = DigitsOf(BetweenView(line, DataCellMark, DataCellEnd));
  if (time.empty()) return 0.0;
  time += ":00";
  return today + TextToTimeFraction(time);
}

double ParseQuoteTime(std::string_view line) { return ParseQuoteTime(line, CurrentDate()); }

float ParseBoldPrice(std::string_view line) { return ParseDigitsBetween(line, BoldCellMark, BoldCellEnd); }

float ParseCellNumber(std::string_view line) { return ParseDigitsBetween(line, DataCellMark, DataCellEnd); }

float ParseChangeCell(std::string_view line) {
  // The font colour ("#ff0000") and the ">" closing the font tag.
  constexpr std::size_t kColourBytes = 8;
  std::string_view text = BetweenView(line, ChangeCellMark, ChangeCellEnd);
  if (text.size() <= kColourBytes) return 0.0f;
  text.remove_prefix(kColourBytes);
  if (text == NoDataSign) return 0.0f;
  // The arrow may stand anywhere, but it is the first character that goes.
  if (Contains(text, HollowUpArrow) || Contains(text, FilledUpArrow)) {
    return TextToSingle(text.substr(2));
  }
  if (Contains(text, HollowDownArrow) || Contains(text, FilledDownArrow)) {
    std::string negated = "-";
    negated += text.substr(2);
    return TextToSingle(negated);
  }
  return TextToSingle(text);
}

bool FilterCellLines(TStringList& lines) {
  lines.KeepIf([](const std::string& line) { return IsCellLine(line); });
  return static_cast<std::size_t>(lines.Count()) % CellsPerRow == 0;
}

}  // namespace kivrel
