#include "tools/pages/page_generator.h"

#include <algorithm>
#include <cmath>

#include "core/io/file_io.h"
#include "core/lists/split_list.h"
#include "core/price/price_rules.h"
#include "core/store/stock.h"
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"

namespace kivrel::pages {
namespace {

constexpr std::string_view kCrLf = "\r\n";
// The signs of the pages, Big5: －, △, ▲, ▽, ▼.
constexpr std::string_view kNoData = "\xA1\xD0";
constexpr std::string_view kHollowUp = "\xA1\xB5";
constexpr std::string_view kFilledUp = "\xA1\xB6";
constexpr std::string_view kHollowDown = "\xA1\xBE";
constexpr std::string_view kFilledDown = "\xA1\xBF";

// SplitMix64: small, fast and the same everywhere, unlike the standard
// library's distributions.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [lo, hi] (the modulo bias is irrelevant here).
  std::int64_t Between(std::int64_t lo, std::int64_t hi) {
    return lo + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  bool Chance(int percent) { return Between(1, 100) <= percent; }

 private:
  std::uint64_t state_;
};

std::uint64_t PageSeed(std::uint64_t seed, int market, int index) {
  Random mix(seed ^ (static_cast<std::uint64_t>(market) << 40) ^ (static_cast<std::uint64_t>(index) << 32));
  return mix.Next();
}

enum class PageKind { Shares, Certificates, Warrants, Bonds };

PageKind KindOf(int market, int index) {
  if (index < 25) return PageKind::Shares;
  if (market == 0 && index == 25) return PageKind::Certificates;
  if ((market == 0 && index == 26) || (market == 1 && index == 25)) return PageKind::Warrants;
  return PageKind::Bonds;
}

// Tick of the price band, in hundredths.
std::int64_t TickCents(std::int64_t cents) {
  if (cents < 1000) return 1;
  if (cents < 5000) return 5;
  if (cents < 10000) return 10;
  if (cents < 50000) return 50;
  if (cents < 100000) return 100;
  return 500;
}

std::int64_t FloorToTick(std::int64_t cents) { return cents - cents % TickCents(cents); }

float CentsToSingle(std::int64_t cents) { return static_cast<float>(static_cast<long double>(cents) / 100.0L); }

std::int64_t SingleToCents(float value) { return std::llround(static_cast<long double>(value) * 100.0L); }

// A random Big5 character of the frequently used block A440 to C67E, which
// is assigned without gaps.
std::string ChineseCharacter(Random& random) {
  for (;;) {
    const auto lead = static_cast<unsigned char>(random.Between(0xA4, 0xC6));
    const std::int64_t t = random.Between(0, 0x3E + 0x5E - 1);
    const auto trail = static_cast<unsigned char>(t < 0x3F ? 0x40 + t : 0xA1 + (t - 0x3F));
    if (lead == 0xC6 && trail > 0x7E) continue;
    return {static_cast<char>(lead), static_cast<char>(trail)};
  }
}

std::string ChineseText(Random& random, int characters) {
  std::string text;
  for (int i = 0; i < characters; ++i) text += ChineseCharacter(random);
  return text;
}

std::string AsciiWord(Random& random, int letters) {
  std::string word;
  for (int i = 0; i < letters; ++i) word += static_cast<char>('A' + random.Between(0, 25));
  return word;
}

std::string ShareName(Random& random) {
  const std::int64_t form = random.Between(1, 100);
  if (form <= 75) return ChineseText(random, static_cast<int>(random.Between(2, 4)));
  if (form <= 82) return ChineseText(random, static_cast<int>(random.Between(2, 4))) + "-KY";
  if (form <= 88) return AsciiWord(random, static_cast<int>(random.Between(3, 6)));
  if (form <= 94) return AsciiWord(random, 3) + " " + AsciiWord(random, static_cast<int>(random.Between(2, 4)));
  // A space inside a Chinese name, and a name whose cut at 10 bytes splits
  // a character.
  if (form <= 97) return ChineseText(random, 2) + " " + ChineseText(random, 2);
  return "A" + ChineseText(random, 5);
}

std::string WarrantName(Random& random) {
  // Underlying, issuer, call or put, series: longer than a record holds.
  static const std::string kCall = Utf8ToBig5("購");
  static const std::string kPut = Utf8ToBig5("售");
  std::string name = ChineseText(random, 2) + ChineseText(random, 2) + (random.Chance(70) ? kCall : kPut);
  const auto series = random.Between(1, 99);
  name += static_cast<char>('0' + series / 10);
  name += static_cast<char>('0' + series % 10);
  return name;
}

std::string BondName(Random& random) {
  static const std::string kBond = Utf8ToBig5("債");
  return ChineseText(random, 2) + static_cast<char>('0' + random.Between(1, 9)) + kBond;
}

// `count` ascending distinct codes of `width` digits (more when they do not fit).
std::vector<std::string> Codes(Random& random, PageKind kind, int count) {
  int width = kind == PageKind::Warrants ? 6 : kind == PageKind::Bonds ? 5 : 4;
  std::int64_t lo = 1;
  std::int64_t span = 0;
  for (;; ++width) {
    lo = 1;
    for (int i = 1; i < width; ++i) lo *= 10;
    span = lo * 9;
    if (span >= count) break;
  }
  std::vector<std::string> codes;
  if (count == 0) return codes;
  const std::int64_t gap = span / count;
  for (int k = 0; k < count; ++k) {
    // Certificate and warrant codes run from 0 up (codes like 0050 exist).
    const std::int64_t base = kind == PageKind::Certificates || kind == PageKind::Warrants ? 0 : lo;
    const std::int64_t value = base + k * gap + random.Between(0, gap - 1);
    std::string code = std::to_string(value);
    const auto digits = static_cast<std::size_t>(width);
    code.insert(0, digits - std::min(code.size(), digits), '0');
    codes.push_back(std::move(code));
  }
  return codes;
}

std::int64_t PrevCloseCents(Random& random, PageKind kind) {
  double lo = 500, hi = 120000;  // 5.00 to 1200.00
  switch (kind) {
    case PageKind::Shares: break;
    case PageKind::Certificates: lo = 1000, hi = 6000; break;
    case PageKind::Warrants: lo = 1, hi = 1000; break;
    case PageKind::Bonds: lo = 9500, hi = 13000; break;
  }
  // Log-uniform, so that every band gets its share.
  const double u = static_cast<double>(random.Next() >> 11) / 9007199254740992.0;
  const auto cents = static_cast<std::int64_t>(std::exp(std::log(lo) + u * (std::log(hi) - std::log(lo))));
  return std::max<std::int64_t>(1, FloorToTick(cents));
}

struct Limits {
  std::int64_t Up;
  std::int64_t Down;
};

// The daily limits by the board's own rules.
Limits LimitsOf(std::int64_t prevClose) {
  StockRecord record;
  record.SetPrevClose(CentsToSingle(prevClose));
  const TStock stock(record);
  return {SingleToCents(LimitUpPrice(stock)), SingleToCents(LimitDownPrice(stock))};
}

enum class Form { Up, Down, Flat, LimitUp, LimitDown, NoTrade };

Form PickForm(Random& random) {
  const std::int64_t pick = random.Between(1, 100);
  return pick <= 30   ? Form::Up
         : pick <= 60 ? Form::Down
         : pick <= 74 ? Form::Flat
         : pick <= 81 ? Form::LimitUp
         : pick <= 88 ? Form::LimitDown
                      : Form::NoTrade;
}

// The last price of a stock that traded in `form`. Where a move is impossible
// (the limits of the tiniest prices equal the previous close) it stays flat.
std::int64_t LastOf(Random& random, Form form, std::int64_t prev, const Limits& limits) {
  const std::int64_t tick = TickCents(prev);
  std::int64_t last = prev;
  switch (form) {
    case Form::Up:
      last = FloorToTick(prev + tick * random.Between(1, 6));
      if (last >= limits.Up) last = prev;
      break;
    case Form::Down:
      last = prev - tick * random.Between(1, 6);
      if (last <= limits.Down) last = prev;
      break;
    case Form::LimitUp:
      if (limits.Up > prev) last = limits.Up;
      break;
    case Form::LimitDown:
      if (limits.Down < prev && limits.Down > 0) last = limits.Down;
      break;
    default: break;
  }
  return last;
}

// The best bid and ask around the last price: at a limit only one side stays.
void SetBidAsk(Random& random, GeneratedRow& row, std::int64_t last, bool atLimit) {
  const std::int64_t lastTick = TickCents(last);
  row.Bid.reset();
  row.Ask.reset();
  if (atLimit && last > *row.PrevClose) {
    row.Bid = last;  // nobody sells at the limit-up price
  } else if (atLimit) {
    row.Ask = last;  // nobody buys at the limit-down price
  } else if (random.Chance(50)) {
    row.Bid = last;
    row.Ask = last + lastTick;
  } else {
    row.Bid = last > lastTick ? last - lastTick : last;
    row.Ask = last;
  }
}

// The opening price near the previous close, and the day's high and low
// around the opening and the last price, inside the limits.
void SetDayRange(Random& random, GeneratedRow& row, std::int64_t last, const Limits& limits) {
  const std::int64_t prev = *row.PrevClose;
  const std::int64_t tick = TickCents(prev);
  const std::int64_t lower = std::max<std::int64_t>(1, std::min(limits.Down, prev));
  const std::int64_t upper = std::max(limits.Up, prev);
  const std::int64_t open = std::clamp(prev + tick * random.Between(-2, 2), lower, upper);
  const std::int64_t top = std::max(open, last);
  const std::int64_t bottom = std::min(open, last);
  row.Open = open;
  row.High = std::min(top + TickCents(top) * random.Between(0, 2), std::max(upper, top));
  row.Low = std::max(bottom - TickCents(bottom) * random.Between(0, 2), std::min(lower, bottom));
}

GeneratedRow MakeRow(Random& random, PageKind kind, std::string code) {
  GeneratedRow row;
  row.Code = std::move(code);
  row.Name = kind == PageKind::Warrants ? WarrantName(random)
             : kind == PageKind::Bonds  ? BondName(random)
                                        : ShareName(random);
  const std::int64_t prev = PrevCloseCents(random, kind);
  const std::int64_t tick = TickCents(prev);
  const Limits limits = LimitsOf(prev);
  row.PrevClose = prev;

  const Form form = PickForm(random);
  if (form == Form::NoTrade) {
    if (random.Chance(50)) row.Minutes = static_cast<int>(random.Between(9 * 60, 13 * 60 + 30));
    if (prev > tick && random.Chance(60)) row.Bid = prev - tick;
    if (random.Chance(60)) row.Ask = prev + tick;
    return row;  // last, change, volume, open, high and low show no data
  }
  const std::int64_t last = LastOf(random, form, prev, limits);
  const bool atLimit = last != prev && (form == Form::LimitUp || form == Form::LimitDown);
  row.Last = last;
  row.Change = last - prev;
  if (last != prev) row.Arrow = atLimit ? ArrowKind::Filled : ArrowKind::Hollow;
  row.Minutes = random.Chance(80) ? 13 * 60 + 30 : static_cast<int>(random.Between(9 * 60, 13 * 60 + 29));
  SetBidAsk(random, row, last, atLimit);

  const std::int64_t maxLots = kind == PageKind::Shares ? 60000 : kind == PageKind::Warrants ? 3000 : 1500;
  // Mostly small, sometimes large: commas appear from 1,000 on.
  row.Volume = random.Chance(70) ? random.Between(1, 999) : random.Between(1000, maxLots);
  SetDayRange(random, row, last, limits);
  return row;
}

std::string Decimal(std::int64_t cents) {
  const std::int64_t whole = cents / 100;
  const std::int64_t fraction = cents % 100;
  return std::to_string(whole) + (fraction < 10 ? ".0" : ".") + std::to_string(fraction);
}

std::string WithThousands(std::int64_t value) {
  std::string digits = std::to_string(value);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

std::string ValueText(const Cents& cents) { return cents ? Decimal(*cents) : std::string(kNoData); }

std::string TimeText(const std::optional<int>& minutes) {
  if (!minutes) return std::string(kNoData);
  const int h = *minutes / 60;
  const int m = *minutes % 60;
  return (h < 10 ? "0" : "") + std::to_string(h) + (m < 10 ? ":0" : ":") + std::to_string(m);
}

std::string ChangeCell(const GeneratedRow& row) {
  if (!row.Change) return ChangeCellLine("#000000", kNoData);
  const std::int64_t change = *row.Change;
  if (change == 0) return ChangeCellLine("#000000", Decimal(0));
  const bool up = change > 0;
  const std::string_view arrow = row.Arrow == ArrowKind::Filled   ? (up ? kFilledUp : kFilledDown)
                                 : row.Arrow == ArrowKind::Hollow ? (up ? kHollowUp : kHollowDown)
                                                                  : std::string_view();
  return ChangeCellLine(up ? "#ff0000" : "#008000", std::string(arrow) + Decimal(up ? change : -change));
}

float SingleOf(const Cents& cents) { return cents ? CentsToSingle(*cents) : 0.0f; }

void AddLine(std::string& text, std::string_view line) {
  text += line;
  text += kCrLf;
}

}  // namespace

std::vector<std::string> CategoryEntries(int market) {
  const ISplitStrListPtr table = NewSplitStrList(market == 0 ? kListedCategoriesText : kOtcCategoriesText);
  std::vector<std::string> entries;
  for (int i = 0; i < table->GetList().Count(); ++i) entries.push_back(table->GetList().Strings(i));
  return entries;
}

int PageRowCount(const GeneratorOptions& options, int market, int index) {
  const int rows = options.ShareRows;
  switch (KindOf(market, index)) {
    case PageKind::Shares: return rows;
    case PageKind::Certificates: return (rows + 3) / 4;
    case PageKind::Warrants: return market == 0 ? rows * 15 : rows * 10;
    case PageKind::Bonds: return market == 0 ? rows * 3 / 2 : rows;
  }
  return rows;
}

GeneratedPage GeneratePage(const GeneratorOptions& options, int market, int index) {
  GeneratedPage page;
  page.Market = static_cast<std::uint8_t>(market);
  page.Index = static_cast<std::uint8_t>(index);
  page.Entry = CategoryEntries(market).at(static_cast<std::size_t>(index));
  Random random(PageSeed(options.Seed, market, index));
  const PageKind kind = KindOf(market, index);
  for (std::string& code : Codes(random, kind, PageRowCount(options, market, index))) {
    page.Rows.push_back(MakeRow(random, kind, std::move(code)));
  }
  return page;
}

std::string CodeCellLine(std::string_view code, std::string_view linkText) {
  // The cell also links to the portfolio page: a second ".html" and "</a>".
  static const std::string kPortfolio = Utf8ToBig5("加到投資組合");
  std::string line = "<td align=center bgcolor=#FFFfff nowrap><a href=/q/q_";
  line += code;
  line += ".html>";
  line += linkText;
  line += "</a><br><a href=\"/pf/pf_";
  line += code;
  line += ".html\"><font size=-1>" + kPortfolio + "</font></a></td>";
  return line;
}

std::string TimeCellLine(std::string_view text) { return DataCellLine(text); }

std::string BoldCellLine(std::string_view text) {
  return "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap><b>" + std::string(text) + "</b></td>";
}

std::string DataCellLine(std::string_view text) {
  return "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap>" + std::string(text) + "</td>";
}

std::string ChangeCellLine(std::string_view colour, std::string_view text) {
  return "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap><font color=" + std::string(colour) + ">" +
         std::string(text) + "</font></td>";
}

std::vector<std::string> RowCellLines(const GeneratedRow& row) {
  return {
      CodeCellLine(row.Code, row.Code + " " + row.Name),
      TimeCellLine(TimeText(row.Minutes)),
      BoldCellLine(ValueText(row.Last)),
      DataCellLine(ValueText(row.Bid)),
      DataCellLine(ValueText(row.Ask)),
      ChangeCell(row),
      DataCellLine(row.Volume ? WithThousands(*row.Volume) : std::string(kNoData)),
      DataCellLine(ValueText(row.PrevClose)),
      DataCellLine(ValueText(row.Open)),
      DataCellLine(ValueText(row.High)),
      DataCellLine(ValueText(row.Low)),
  };
}

std::string PageText(const GeneratedPage& page) {
  static const std::string kSite = Utf8ToBig5("Yahoo!奇摩股市");
  static const std::string kHome = Utf8ToBig5("首頁");
  static const std::string kMarket = Utf8ToBig5("大盤");
  static const std::string kCategories = Utf8ToBig5("類股報價");
  static const std::vector<std::string> kTitles = [] {
    std::vector<std::string> titles;
    for (const char* t : {"股票代號", "時間", "成交", "買進", "賣出", "漲跌", "張數", "昨收", "開盤", "最高", "最低"}) {
      titles.push_back(Utf8ToBig5(t));
    }
    return titles;
  }();

  std::string text;
  text.reserve(1024 + page.Rows.size() * 900);
  AddLine(text, "<html>");
  AddLine(text, "<head>");
  AddLine(text, "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=big5\">");
  AddLine(text, std::string(kGeneratorMark));
  AddLine(text, "<title>" + kSite + " - " + kCategories + " - " + page.Entry + "</title>");
  AddLine(text, "</head>");
  AddLine(text, "<body bgcolor=#ffffff>");
  AddLine(text, "");
  AddLine(text, "<table border=0 cellpadding=0 cellspacing=0 width=100%>");
  AddLine(text, "<tr><td><a href=\"/\">" + kHome + "</a> | <a href=\"/h/h1.html\">" + kMarket +
                    "</a> | <a href=\"/c/c" + std::to_string(page.Market) + ".html\">" + kCategories +
                    "</a></td></tr>");
  AddLine(text, "</table>");
  AddLine(text, "");
  AddLine(text, "<table border=0 cellpadding=4 cellspacing=1 width=750>");
  AddLine(text, "<tr bgcolor=#e0e0e0>");
  for (const std::string& title : kTitles) AddLine(text, "<th align=center nowrap>" + title + "</th>");
  AddLine(text, "</tr>");
  for (std::size_t r = 0; r < page.Rows.size(); ++r) {
    AddLine(text, "<tr>");
    for (const std::string& line : RowCellLines(page.Rows[r])) AddLine(text, line);
    AddLine(text, "</tr>");
    if (r % 10 == 9) AddLine(text, "");
  }
  AddLine(text, "</table>");
  AddLine(text, "<p><a href=\"/h/help.html\">?</a></p>");
  AddLine(text, "</body>");
  AddLine(text, "</html>");
  return text;
}

StockRecord ExpectedRecord(const GeneratedPage& page, const GeneratedRow& row, double today) {
  StockRecord record;
  record.SetCode(row.Code);
  record.SetName(row.Name);
  record.SetMarket(page.Market);
  record.SetCategoryGroup(static_cast<std::uint8_t>(page.Index / 25));
  record.SetCategory(page.Index);
  record.SetQuoteTime(row.Minutes ? today + static_cast<double>(*row.Minutes * 60 / 86400.0L) : 0.0);
  record.SetLast(SingleOf(row.Last));
  record.SetBid(SingleOf(row.Bid));
  record.SetAsk(SingleOf(row.Ask));
  record.SetChange(SingleOf(row.Change));
  record.SetVolume(row.Volume ? static_cast<float>(*row.Volume) : 0.0f);
  record.SetPrevClose(SingleOf(row.PrevClose));
  record.SetOpen(SingleOf(row.Open));
  record.SetHigh(SingleOf(row.High));
  record.SetLow(SingleOf(row.Low));
  return record;
}

std::string PageFilePath(const std::string& outDir, const GeneratedPage& page) {
  return outDir + "/" + Big5ToUtf8(page.Entry) + ".html";
}

struct TMarketDay::TState {
  explicit TState(std::uint64_t seed) : random(seed) {}
  Random random;
  std::vector<GeneratedPage> pages;
  // Each row's drift in ticks a minute (0 for most, 1 or -1 for a few) and
  // whether it trades today, in the order of the pages' rows.
  std::vector<int> drift;
  std::vector<bool> trades;
  int minutes = kOpening;
};

namespace {

// A trade of the row at `last`: its change, arrow, day's range and quotes follow.
void Trade(Random& random, GeneratedRow& row, std::int64_t last, std::int64_t lots, int minutes) {
  const std::int64_t prev = *row.PrevClose;
  const Limits limits = LimitsOf(prev);
  const bool atLimit = last != prev && (last == limits.Up || last == limits.Down);
  row.Last = last;
  row.Change = last - prev;
  row.Arrow = last == prev ? ArrowKind::None : atLimit ? ArrowKind::Filled : ArrowKind::Hollow;
  row.High = row.High ? std::max(*row.High, last) : last;
  row.Low = row.Low ? std::min(*row.Low, last) : last;
  row.Volume = row.Volume.value_or(0) + lots;
  row.Minutes = minutes;
  SetBidAsk(random, row, last, atLimit);
}

// The next last price: a step of one or two ticks of its band, or the
// drift's, kept inside the day's limits.
std::int64_t NextLast(Random& random, std::int64_t last, std::int64_t prev, int drift) {
  const Limits limits = LimitsOf(prev);
  const std::int64_t ticks = drift != 0 ? drift * random.Between(0, 2) : random.Between(-2, 2);
  std::int64_t next = last;
  for (std::int64_t i = 0; i < std::abs(ticks); ++i) {
    next = ticks > 0 ? next + TickCents(next) : next - TickCents(next - 1);
  }
  next = FloorToTick(next);
  const std::int64_t lowest = std::max<std::int64_t>(limits.Down, 1);
  return std::clamp(next, lowest, std::max(limits.Up, lowest));
}

}  // namespace

TMarketDay::TMarketDay(const GeneratorOptions& options) : state_(std::make_unique<TState>(options.Seed)) {
  TState& s = *state_;
  for (int market = 0; market < 2; ++market) {
    const int entries = static_cast<int>(CategoryEntries(market).size());
    for (int index = 0; index < entries; ++index) s.pages.push_back(GeneratePage(options, market, index));
  }
  // The opening: every stock that trades today opens near its previous close.
  for (GeneratedPage& page : s.pages) {
    for (GeneratedRow& row : page.Rows) {
      const bool trades = row.Last.has_value();
      s.trades.push_back(trades);
      const std::int64_t pick = s.random.Between(1, 100);
      s.drift.push_back(pick <= 5 ? 1 : pick <= 10 ? -1 : 0);
      if (!trades) continue;
      row.High.reset();
      row.Low.reset();
      row.Volume.reset();
      const std::int64_t open = NextLast(s.random, *row.PrevClose, *row.PrevClose, 0);
      row.Open = open;
      Trade(s.random, row, open, s.random.Between(1, 50), s.minutes);
    }
  }
}

TMarketDay::~TMarketDay() = default;

int TMarketDay::Minutes() const { return state_->minutes; }

const std::vector<GeneratedPage>& TMarketDay::Pages() const { return state_->pages; }

bool TMarketDay::Step() {
  TState& s = *state_;
  if (s.minutes >= kClosing) return false;
  ++s.minutes;
  std::size_t i = 0;
  for (GeneratedPage& page : s.pages) {
    for (GeneratedRow& row : page.Rows) {
      const std::size_t r = i++;
      if (!s.trades[r] || !s.random.Chance(50)) continue;
      Trade(s.random, row, NextLast(s.random, *row.Last, *row.PrevClose, s.drift[r]), s.random.Between(1, 300),
            s.minutes);
    }
  }
  return true;
}

void WriteMarketPages(const std::string& outDir, const TMarketDay& day, TFileSystem& fs) {
  for (const GeneratedPage& page : day.Pages()) WriteFileAtomically(PageFilePath(outDir, page), PageText(page), fs);
}

bool WrittenByGenerator(const std::string& path) {
  if (kivrel::KindOf(path) != FileKind::Regular) return false;
  // The mark stands in the page's head, within its first lines.
  constexpr std::size_t kHead = 4096;
  const std::string text = ReadWholeFile(path);
  return std::string_view(text).substr(0, kHead).find(kGeneratorMark) != std::string_view::npos;
}

ForeignPageError::ForeignPageError(std::string path)
    : std::runtime_error(path + " was not written by kivrel-pages"), path_(std::move(path)) {}

void RefuseForeignPages(const std::string& outDir) {
  for (int market = 0; market < 2; ++market) {
    for (const std::string& entry : CategoryEntries(market)) {
      const std::string path = outDir + "/" + Big5ToUtf8(entry) + ".html";
      if (PathExists(path) && !WrittenByGenerator(path)) throw ForeignPageError(path);
    }
  }
}

WriteSummary WritePages(const std::string& outDir, const GeneratorOptions& options, TFileSystem& fs) {
  CreateDirectories(outDir);
  std::vector<GeneratedPage> pages;
  for (int market = 0; market < 2; ++market) {
    const int entries = static_cast<int>(CategoryEntries(market).size());
    for (int index = 0; index < entries; ++index) pages.push_back(GeneratePage(options, market, index));
  }
  // Nothing is written while any page in the way is someone else's.
  if (!options.Force) RefuseForeignPages(outDir);
  WriteSummary summary;
  for (const GeneratedPage& page : pages) {
    const std::string text = PageText(page);
    WriteFileAtomically(PageFilePath(outDir, page), text, fs);
    ++summary.Pages;
    summary.Stocks += page.Rows.size();
    summary.Bytes += text.size();
  }
  return summary;
}

}  // namespace kivrel::pages
