#pragma once
// The board's 15 columns, each described once: its title, the text of its
// cells, the value whose price state colours them (or the fixed colours of a
// column that has none) and its alignment. The cell texts, the cell drawing,
// the title row and the CSV export all read this table.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/draw/alignment.h"
#include "core/price/price_rules.h"
#include "core/price/price_state.h"
#include "core/store/stock.h"
#include "core/text/fixed_texts.h"

namespace kivrel {

// What a row shows of its stock: the record, and the values derived from it,
// each computed once for the row.
struct TRowValues {
  explicit TRowValues(const TStock& stock)
      : Record(stock.Payload),
        Limits(stock),
        ChangePercent(kivrel::ChangePercent(stock)),
        Amplitude(kivrel::Amplitude(stock)) {}

  const StockRecord& Record;
  TPriceLimits Limits;
  float ChangePercent;
  float Amplitude;
};

enum class TColumnKind : std::uint8_t { Code, Name, Number };

// Colours of a data cell whose row has a stock.
enum class TColumnColors : std::uint8_t {
  ByState,  // by the price state of the deciding value, when it is positive
  Market,   // blue (listed) or olive (over the counter), on button face
  Teal,     // the volume
  Navy,     // the amplitude
};

struct TGridColumn {
  std::string_view Title;  // Big5
  TColumnKind Kind;
  // Number columns: the value shown, with its decimals and whether a
  // positive value shows "+".
  long double (*Number)(const TRowValues&);
  int Decimals;
  bool PlusSign;
  TColumnColors Colors;
  // ByState columns: the value whose price state colours the cell and
  // decides its limit mark.
  float (*Deciding)(const TRowValues&);
  std::uint8_t HAlign;
};

inline constexpr int kGridColumnCount = 15;

namespace columns {

// Title `index` of the comma-separated column titles.
constexpr std::string_view Title(std::size_t index) {
  std::string_view rest = kColumnTitlesText;
  for (; index > 0; --index) rest.remove_prefix(rest.find(',') + 1);
  return rest.substr(0, rest.find(','));
}

using V = const TRowValues&;
constexpr TGridColumn Price(std::size_t i, long double (*number)(V), float (*deciding)(V), bool plusSign = false) {
  return {Title(i), TColumnKind::Number, number, 2, plusSign, TColumnColors::ByState, deciding, haRight};
}
inline float Last(V v) { return v.Record.Last(); }

}  // namespace columns

// Columns 5 and 10 (the change and its percentage) take their colours from
// the last price, not from their own sign; column 14 shows the limit-down
// price negated but is coloured by the price itself.
inline constexpr std::array<TGridColumn, kGridColumnCount> kGridColumns{{
    {columns::Title(0), TColumnKind::Code, nullptr, 0, false, TColumnColors::Market, nullptr, haLeft},
    {columns::Title(1), TColumnKind::Name, nullptr, 0, false, TColumnColors::Market, nullptr, haLeft},
    columns::Price(
        2, [](columns::V v) -> long double { return v.Record.Bid(); }, [](columns::V v) { return v.Record.Bid(); }),
    columns::Price(
        3, [](columns::V v) -> long double { return v.Record.Ask(); }, [](columns::V v) { return v.Record.Ask(); }),
    columns::Price(
        4, [](columns::V v) -> long double { return v.Record.Last(); }, columns::Last),
    columns::Price(
        5, [](columns::V v) -> long double { return v.Record.Change(); }, columns::Last, true),
    {columns::Title(6), TColumnKind::Number, [](columns::V v) -> long double { return v.Record.Volume(); }, 0, false,
     TColumnColors::Teal, nullptr, haRight},
    columns::Price(
        7, [](columns::V v) -> long double { return v.Record.Open(); }, [](columns::V v) { return v.Record.Open(); }),
    columns::Price(
        8, [](columns::V v) -> long double { return v.Record.High(); }, [](columns::V v) { return v.Record.High(); }),
    columns::Price(
        9, [](columns::V v) -> long double { return v.Record.Low(); }, [](columns::V v) { return v.Record.Low(); }),
    columns::Price(
        10, [](columns::V v) -> long double { return v.ChangePercent; }, columns::Last, true),
    {columns::Title(11), TColumnKind::Number, [](columns::V v) -> long double { return v.Amplitude; }, 2, false,
     TColumnColors::Navy, nullptr, haRight},
    columns::Price(
        12, [](columns::V v) -> long double { return v.Record.PrevClose(); },
        [](columns::V v) { return v.Record.PrevClose(); }),
    columns::Price(
        13, [](columns::V v) -> long double { return v.Limits.LimitUp(); },
        [](columns::V v) { return v.Limits.LimitUp(); }, true),
    columns::Price(
        14, [](columns::V v) -> long double { return -static_cast<long double>(v.Limits.LimitDown()); },
        [](columns::V v) { return v.Limits.LimitDown(); }, true),
}};

static_assert(columns::Title(14).size() == 6 && kColumnTitlesText.size() == 15 * 6 + 14,
              "15 titles of three Big5 characters each");

// The column of index `col`, or nullptr beyond the board.
constexpr const TGridColumn* ColumnAt(int col) {
  return col >= 0 && col < kGridColumnCount ? &kGridColumns[static_cast<std::size_t>(col)] : nullptr;
}

// The text a row shows in the column: the code trimmed; the name trimmed and
// spread by FormatStockName; a number by FormatValue (empty for 0).
std::string ColumnText(const TGridColumn& column, const TRowValues& values);

// The text of column `col` for a TStock (the grid's object text); empty for
// another object or a column beyond the board.
std::string StockColumnText(const TObject& stock, int col);

}  // namespace kivrel
