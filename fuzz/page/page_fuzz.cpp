// Any bytes as one saved listing page through ImportPageText: only
// PageFormatError and ConvertError may leave, the import's own line split
// keeps the lines that the string list's filter keeps, and the store stays
// in strict key order, each stock with the page's market and category.
#include <cstdint>

#include "core/lists/list_functions.h"
#include "core/page/page_cells.h"
#include "core/page/page_import.h"
#include "core/page/text_conversion.h"
#include "core/store/stock_store.h"
#include "seed_mode.h"
#include "tools/pages/page_generator.h"

using namespace kivrel;

static void Check(bool condition) {
  if (!condition) __builtin_trap();
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::WriteSeedsWhenAsked("fuzz_page", [](const std::string& folder) {
    std::vector<std::string> seeds;
    for (const auto& [market, index] : {std::pair{0, 0}, {0, 26}, {1, 26}}) {
      seeds.push_back(pages::PageText(pages::GeneratePage({.Seed = 2, .ShareRows = 2}, market, index)));
    }
    seeds.push_back(seeds[0] + pages::DataCellLine("1") + "\r\n" + seeds[1]);  // a part row; codes twice
    fuzzing::WriteNumberedSeeds(folder, seeds, [](const std::string& s) { return s; });
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TStringListPtr lines = NewStringList(false);
  lines->SetText(text);
  FilterCellLines(*lines);
  const std::vector<std::string_view> views = CellLineViews(text);
  Check(views.size() == static_cast<std::size_t>(lines->Count()));
  for (std::size_t i = 0; i < views.size(); ++i) Check(views[i] == lines->Strings(static_cast<int>(i)));

  const PageCategory category{static_cast<std::uint8_t>(size % 2), static_cast<std::uint8_t>(size % 28)};
  const TStockListPtr store = NewStockList();
  try {
    ImportPageText(*store, text, category, 45000, "fuzz.html");
  } catch (const PageFormatError&) {
  } catch (const ConvertError&) {
  }
  for (int i = 0; i < store->Count(); ++i) {
    const StockRecord& record = StockAt(*store, i).Payload;
    Check(TStringList::CompareText(store->Strings(i), StockAt(*store, i).GetKey()) == 0);
    Check(i == 0 || TStringList::CompareText(store->Strings(i - 1), store->Strings(i)) < 0);
    Check(record.Market() == category.Market && record.Category() == category.Index);
  }
  return 0;
}
