#include "tools/export/csv_export.h"

#include "core/grid/stock_cells.h"
#include "core/lists/split_list.h"
#include "core/store/stock_store.h"
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"

namespace kivrel {
namespace {

void WriteRow(std::ostream& out, const auto& big5Texts) {
  bool first = true;
  for (const std::string& text : big5Texts) {
    if (!first) out << ',';
    first = false;
    out << CsvField(Big5ToUtf8(text));
  }
  out << "\r\n";
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

void WriteBoardCsv(std::ostream& out, const TStringList& stockList) {
  const ISplitStrListPtr titles = NewSplitStrList(kColumnTitlesText);
  std::vector<std::string> titleTexts;
  for (int i = 0; i < titles->GetList().Count(); ++i) titleTexts.push_back(titles->GetList().Strings(i));
  WriteRow(out, titleTexts);
  for (int i = 0; i < stockList.Count(); ++i) WriteRow(out, StockRowTexts(StockAt(stockList, i)));
}

}  // namespace kivrel
