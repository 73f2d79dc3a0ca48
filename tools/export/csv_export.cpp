#include "tools/export/csv_export.h"

#include "core/grid/grid_columns.h"
#include "core/text/big5.h"
#include "core/text/big5_bytes.h"
#include "core/text/fixed_texts.h"

namespace kivrel {
namespace {

// A column title without the ideographic spaces that spread the two-character
// titles to the width of three (代　碼 gives 代碼).
std::string CsvTitle(std::string_view big5Title) {
  std::string title(big5Title);
  for (std::size_t at; (at = FindWholeCharacters(title, kIdeographicSpace)) != std::string::npos;) {
    title.erase(at, kIdeographicSpace.size());
  }
  return title;
}

}  // namespace

std::string CsvField(std::string_view utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(utf8);
  std::string quoted = "\"";
  for (char c : utf8) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string CsvTextCell(std::string_view utf8) {
  std::string text;
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F) text += c;
  }
  if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos)
    text.insert(text.begin(), '\'');
  return text;
}

void WriteBoardCsv(std::ostream& out, const std::vector<TStock*>& stocks) {
  const char* separator = "";
  for (const TGridColumn& column : kGridColumns) {
    out << separator << CsvField(Big5ToUtf8(CsvTitle(column.Title)));
    separator = ",";
  }
  out << "\r\n";
  for (const TStock* stock : stocks) {
    const TRowValues values(*stock);
    separator = "";
    for (const TGridColumn& column : kGridColumns) {
      std::string text = Big5ToUtf8(ColumnValueText(column, values));
      if (column.Kind != TColumnKind::Number) text = CsvTextCell(text);
      out << separator << CsvField(text);
      separator = ",";
    }
    out << "\r\n";
  }
}

}  // namespace kivrel
