#pragma once
// Texts of the grid's cells: numbers, stock names.

#include <string>
#include <string_view>

namespace kivrel {

// Empty for a zero value unless forced; otherwise fixed notation with
// `decimals` digits after a "." (whatever the locale), halves of the last
// shown digit rounded away from zero on the exact value, "-" for negative
// values (also one that rounds to zero: -0.004 gives "-0.00", and its cell
// is coloured as falling) and, with plusSign, "+" for positive ones.
std::string FormatValue(int decimals, bool force, bool plusSign, long double value);

// Without its ASCII spaces (the ideographic space stays).
std::string RemoveSpaces(std::string_view s);

// A name of exactly 4 bytes once spaces are removed (two Big5 characters) is
// spread to the width of three with an ideographic space in the middle.
std::string FormatStockName(std::string_view s);

}  // namespace kivrel
