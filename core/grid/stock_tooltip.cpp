#include "core/grid/stock_tooltip.h"

#include "core/lists/split_list.h"
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"
#include "core/text/trim.h"

namespace kivrel {
namespace {

std::string_view ShownPart(std::string_view field) {
  const std::string_view trimmed = TrimView(field);
  return WholeCharacters(trimmed, trimmed.size());
}

std::string MarketAndCategory(const StockRecord& record) {
  static const ISplitStrListPtr tables[] = {NewSplitStrList(kListedCategoriesText),
                                            NewSplitStrList(kOtcCategoriesText)};
  const bool listed = record.Market() == 0;
  std::string words(listed ? kListedMarketName : kOtcMarketName);
  const TStringList& table = tables[listed ? 0 : 1]->GetList();
  if (record.Category() >= table.Count()) return words;
  std::string category = table.Strings(record.Category());
  for (std::size_t at = category.find("&c="); at != std::string::npos; at = category.find("&c=", at)) {
    category.replace(at, 3, kEnumerationComma);
  }
  return words + " " + category;
}

}  // namespace

std::string StockToolTip(const StockRecord& record) {
  std::string tip(ShownPart(record.Name()));
  tip += "  ";
  tip += ShownPart(record.Code());
  tip += '\n';
  return tip + MarketAndCategory(record);
}

}  // namespace kivrel
