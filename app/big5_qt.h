#pragma once
// The one place where the program's Big5 texts become Qt's Unicode.

#include <QString>

#include <string_view>

#include "core/text/big5.h"

namespace kivrel {

inline QString ToQString(std::string_view big5) {
  const std::string utf8 = Big5ToUtf8(big5);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace kivrel
