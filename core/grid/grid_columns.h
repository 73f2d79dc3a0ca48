#pragma once
// The board's 15 columns, each described once: its title, the text of its
// cells, the value whose price state colours them (or the fixed colours of a
// column that has none) and its alignment. The cell texts, the cell drawing,
// the title row, sorting, copied rows and the CSV export all read this
// table.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/draw/alignment.h"
#include "core/grid/string_grid.h"
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
  ByState,    // by the price state of the deciding value, when it is positive
  Market,     // blue (listed) or olive (over the counter), on button face
  Volume,     // teal
  Amplitude,  // navy
};

struct TGridColumn {
  std::string_view Title;  // Big5
  TColumnKind Kind;
  // Number columns: the column's value, with its decimals and whether a
  // positive value shows "+".
  float (*Number)(const TRowValues&);
  int Decimals;
  bool PlusSign;
  // The grid shows the value negated, as the board shows the limit-down
  // price ("-9.31"); sorting, copying and the CSV take the value itself.
  bool Negated;
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

// The values the columns show and are coloured by.
using Row = const TRowValues&;
inline float Bid(Row r) { return r.Record.Bid(); }
inline float Ask(Row r) { return r.Record.Ask(); }
inline float Last(Row r) { return r.Record.Last(); }
inline float Change(Row r) { return r.Record.Change(); }
inline float Volume(Row r) { return r.Record.Volume(); }
inline float Open(Row r) { return r.Record.Open(); }
inline float High(Row r) { return r.Record.High(); }
inline float Low(Row r) { return r.Record.Low(); }
inline float ChangePercent(Row r) { return r.ChangePercent; }
inline float Amplitude(Row r) { return r.Amplitude; }
inline float PrevClose(Row r) { return r.Record.PrevClose(); }
inline float LimitUp(Row r) { return r.Limits.LimitUp(); }
inline float LimitDown(Row r) { return r.Limits.LimitDown(); }

// Two decimals, coloured by the price state of `deciding`.
constexpr TGridColumn Price(std::size_t i, float (*number)(Row), float (*deciding)(Row), bool plusSign = false,
                            bool negated = false) {
  return {Title(i), TColumnKind::Number, number, 2, plusSign, negated, TColumnColors::ByState, deciding, haRight};
}
// Fixed colours.
constexpr TGridColumn Fixed(std::size_t i, TColumnKind kind, float (*number)(Row), int decimals, TColumnColors colors,
                            std::uint8_t hAlign) {
  return {Title(i), kind, number, decimals, false, false, colors, nullptr, hAlign};
}

}  // namespace columns

// Columns 5 and 10 (the change and its percentage) take their colours from
// the last price, not from their own sign; column 14's value is the
// limit-down price, which the grid shows negated.
inline constexpr std::array<TGridColumn, kGridColumnCount> kGridColumns{{
    columns::Fixed(0, TColumnKind::Code, nullptr, 0, TColumnColors::Market, haLeft),
    columns::Fixed(1, TColumnKind::Name, nullptr, 0, TColumnColors::Market, haLeft),
    columns::Price(2, columns::Bid, columns::Bid),
    columns::Price(3, columns::Ask, columns::Ask),
    columns::Price(4, columns::Last, columns::Last),
    columns::Price(5, columns::Change, columns::Last, /*plusSign=*/true),
    columns::Fixed(6, TColumnKind::Number, columns::Volume, 0, TColumnColors::Volume, haRight),
    columns::Price(7, columns::Open, columns::Open),
    columns::Price(8, columns::High, columns::High),
    columns::Price(9, columns::Low, columns::Low),
    columns::Price(10, columns::ChangePercent, columns::Last, /*plusSign=*/true),
    columns::Fixed(11, TColumnKind::Number, columns::Amplitude, 2, TColumnColors::Amplitude, haRight),
    columns::Price(12, columns::PrevClose, columns::PrevClose),
    columns::Price(13, columns::LimitUp, columns::LimitUp, /*plusSign=*/true),
    columns::Price(14, columns::LimitDown, columns::LimitDown, /*plusSign=*/true, /*negated=*/true),
}};

static_assert(columns::Title(14).size() == 6 && kColumnTitlesText.size() == 15 * 6 + 14,
              "15 titles of three Big5 characters each");

// The column of index `col`, or nullptr beyond the board.
constexpr const TGridColumn* ColumnAt(int col) {
  return col >= 0 && col < kGridColumnCount ? &kGridColumns[static_cast<std::size_t>(col)] : nullptr;
}

// The text a row shows in the column: the code trimmed; the name trimmed and
// spread by FormatStockName; a number by FormatValue (empty for 0), negated
// in a Negated column.
std::string ColumnText(const TGridColumn& column, const TRowValues& values);

// The text a spreadsheet takes from the cell (copied rows, the CSV): the
// text shown, except that a Negated column gives its value as it is, without
// "+" ("9.31" where the grid shows "-9.31").
std::string ColumnValueText(const TGridColumn& column, const TRowValues& values);

// The grid's object text: column `col` for the stock of row `row`; empty for
// a row without a stock or a column beyond the board.
std::string StockColumnText(const TStringGrid& grid, int col, int row);

}  // namespace kivrel
