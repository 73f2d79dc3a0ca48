// Any bytes as one saved listing page, read and stored: nothing leaves as an
// exception, a fault names a line of the page, and the store stays in strict
// key order whatever codes the rows hold.
#include "core/page/page_import.h"
#include "core/store/stock_store.h"
#include "seed_mode.h"
#include "tools/pages/page_generator.h"

using namespace kivrel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::WriteSeedsWhenAsked([] {
    const std::string page = pages::PageText(pages::GeneratePage({.Seed = 2, .ShareRows = 2}, 0, 26));
    const std::string twice = page + pages::DataCellLine("1") + "\r\n" + page;  // a part row; every code twice
    return std::vector{page, twice};
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TStockListPtr store = NewStockList();
  std::vector<TPageRead> pages;
  pages.push_back(ReadPageText({reinterpret_cast<const char*>(data), size}, {1, 26}, 45000, "fuzz.html"));
  if (pages[0].Fault && pages[0].Fault->Line == 0) __builtin_trap();
  StorePages(*store, std::move(pages), TFaultyPageRows::Keep);
  for (int i = 1; i < store->Count(); ++i) {
    if (TStringList::CompareText(store->Strings(i - 1), store->Strings(i)) >= 0) __builtin_trap();
  }
  return 0;
}
