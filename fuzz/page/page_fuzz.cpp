// Arbitrary bytes as one saved listing page: line loading, the cell-line
// filter and the row reader of the import, then every extractor and parser
// on every line. Only the program's own errors may leave them; the two ways
// of finding the cell lines must agree, and the store may only hold what the
// page can give.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/lists/list_functions.h"
#include "core/page/page_cells.h"
#include "core/page/page_format.h"
#include "core/page/page_import.h"
#include "core/page/text_conversion.h"
#include "core/store/stock_store.h"

namespace {

using namespace kivrel;

constexpr double kToday = 45000;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

template <class Parse>
void TryParse(Parse parse) {
  try {
    parse();
  } catch (const ConvertError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const TStringListPtr lines = NewStringList(false);
  lines->SetText(text);
  const bool wholeRows = FilterCellLines(*lines);
  const std::vector<std::string_view> views = CellLineViews(text);
  Check(views.size() == static_cast<std::size_t>(lines->Count()));
  for (std::size_t i = 0; i < views.size(); ++i) Check(views[i] == lines->Strings(static_cast<int>(i)));
  Check(wholeRows == (views.size() % CellsPerRow == 0));

  // The first byte picks the page's place in the tables.
  const PageCategory category{static_cast<std::uint8_t>(size > 0 ? data[0] & 1 : 0),
                              static_cast<std::uint8_t>(size > 0 ? (data[0] >> 1) % 28 : 0)};
  const TStringListPtr store = NewStringList(true);
  bool formatError = false;
  try {
    ImportPageText(*store, text, category, kToday, "fuzz.html");
  } catch (const PageFormatError&) {
    formatError = true;
  } catch (const ConvertError&) {
  }
  Check(formatError == !wholeRows);
  Check(static_cast<std::size_t>(store->Count()) <= views.size() / CellsPerRow);
  for (int i = 0; i < store->Count(); ++i) {
    const StockRecord& record = StockAt(*store, i).Payload;
    Check(record.Market() == category.Market && record.Category() == category.Index);
    Check(record.CategoryGroup() == category.Index / CategoriesPerGroup);
    Check(record.Code().size() <= StockRecord::kCodeCapacity && record.Name().size() <= StockRecord::kNameCapacity);
  }
  FreeListObjects(store.get());

  for (const std::string_view line : views) {
    Check(IsCodeCell(line) || IsDataCell(line));
    Check(ExtractCode(line).size() <= ExtractLinkText(line).size());
    Check(ExtractName(line).size() <= ExtractLinkText(line).size());
    TryParse([&] { ParseQuoteTime(line, kToday); });
    TryParse([&] { ParseBoldPrice(line); });
    TryParse([&] { ParseCellNumber(line); });
    TryParse([&] { ParseChangeCell(line); });
  }
  return 0;
}
