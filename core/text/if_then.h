#pragma once
// Choosing one of two values by a flag, as the cell drawing does for its
// font name and font height.

#include <string>
#include <utility>

namespace kivrel {

inline int IfThenInt(bool flag, int a, int b) { return flag ? a : b; }
inline std::string IfThenStr(bool flag, std::string a, std::string b) { return flag ? std::move(a) : std::move(b); }

}  // namespace kivrel
