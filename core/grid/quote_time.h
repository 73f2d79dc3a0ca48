#pragma once
// A quote time as the status bar writes it. Quote times count days since
// 1899-12-30, the time of day as the fraction.

#include <string>

namespace kivrel {

// True for the times of the years 1900 to 9999 (days 2 to 2958465); 0, the
// time of a stock without one, is not among them.
bool HasQuoteTimeText(double quoteTime);

// "2026-12-06 13:30", rounded to the nearest minute (half a minute up);
// empty when HasQuoteTimeText is false.
std::string QuoteTimeText(double quoteTime);

}  // namespace kivrel
