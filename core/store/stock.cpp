#include "core/store/stock.h"

#include "core/text/text_utils.h"

namespace kivrel {
namespace {

// "%2.2d" of a byte: at least two digits, zero-filled.
void AppendTwoDigits(std::string& out, unsigned v) {
  if (v >= 100) out += static_cast<char>('0' + v / 100);
  out += static_cast<char>('0' + (v / 10) % 10);
  out += static_cast<char>('0' + v % 10);
}

}  // namespace

std::string TStock::GetKey() const {
  const std::string_view code = TrimView(Payload.Code());
  std::string key;
  key.reserve(16);
  AppendTwoDigits(key, Payload.Market());
  AppendTwoDigits(key, Payload.CategoryGroup());
  AppendTwoDigits(key, Payload.Category());
  if (code.size() < 6) key.append(6 - code.size(), ' ');  // "%6s" pads, never cuts
  key += code;
  return key;
}

}  // namespace kivrel
