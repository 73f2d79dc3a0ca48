#pragma once
// A quote time as the status bar writes it. Quote times count days since
// 1899-12-30, the time of day as the fraction.

#include <string>

namespace kivrel {

// True when the time, rounded to the nearest minute (half a minute up),
// falls in the years 1900 to 9999; 0, the time of a stock without one, does
// not.
bool HasQuoteTimeText(double quoteTime);

// "2026-12-06 13:30", the time rounded to the nearest minute; empty when
// HasQuoteTimeText is false.
std::string QuoteTimeText(double quoteTime);

}  // namespace kivrel
