#include "core/page/page_cells.h"

#include "core/lists/text_lines.h"
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
  const std::string digits = ExtractBetween(line, startMark, endMark, /*digitsOnly=*/true);
  if (digits.empty()) return 0.0f;
  return TextToSingle(digits);
}

}  // namespace

bool IsCodeCell(std::string_view line) { return Contains(line, CodeCellMark); }

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

std::vector<std::string_view> FilterCellLines(std::string_view pageText) {
  std::vector<std::string_view> lines;
  ForEachLine(pageText, [&lines](std::string_view line) {
    if (IsCellLine(line)) lines.push_back(line);
  });
  return lines;
}

std::string_view ExtractLinkText(std::string_view line) {
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

std::string_view ExtractCode(std::string_view line) {
  const std::string_view link = ExtractLinkText(line);
  const std::size_t space = link.find(' ');
  if (space == std::string_view::npos) return kEmpty;
  return TrimView(link.substr(0, space));
}

std::string_view ExtractName(std::string_view line) {
  const std::string_view link = ExtractLinkText(line);
  const std::size_t space = link.find(' ');
  if (space == std::string_view::npos) return kEmpty;
  // Everything after the space but the final "<" (the link text is never
  // empty here, and ends in "<").
  const std::size_t from = space + 1;
  if (link.size() <= from + 1) return kEmpty;
  return TrimView(link.substr(from, link.size() - 1 - from));
}

double ParseQuoteTime(std::string_view line, double today) {
  std::string time = ExtractBetween(line, DataCellMark, DataCellEnd, /*digitsOnly=*/true);
  if (time.empty()) return 0.0;
  time += ":00";
  return today + TextToTimeFraction(time);
}

float ParseBoldPrice(std::string_view line) { return ParseDigitsBetween(line, BoldCellMark, BoldCellEnd); }

float ParseCellNumber(std::string_view line) { return ParseDigitsBetween(line, DataCellMark, DataCellEnd); }

float ParseChangeCell(std::string_view line) {
  // The font colour ("#ff0000") and the ">" closing the font tag.
  constexpr std::size_t kColourBytes = 8;
  const std::string cell = ExtractBetween(line, ChangeCellMark, ChangeCellEnd, /*digitsOnly=*/false);
  std::string_view text = cell;
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

}  // namespace kivrel
