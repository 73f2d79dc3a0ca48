#include "core/store/stock.h"

#include <algorithm>

#include "core/text/trim.h"

namespace kivrel {
namespace {

// A byte in decimal with at least two digits, zero-filled on the left.
char* PutTwoDigits(char* out, unsigned v) {
  if (v >= 100) *out++ = static_cast<char>('0' + v / 100);
  *out++ = static_cast<char>('0' + (v / 10) % 10);
  *out++ = static_cast<char>('0' + v % 10);
  return out;
}

}  // namespace

std::string TStock::GetKey() const {
  const std::string_view code = TrimView(Payload.Code());
  char key[3 * 3 + 6 + StockRecord::kCodeCapacity];
  char* out = PutTwoDigits(key, Payload.Market());
  out = PutTwoDigits(out, Payload.CategoryGroup());
  out = PutTwoDigits(out, Payload.Category());
  for (size_t pad = code.size(); pad < 6; ++pad) *out++ = ' ';  // right-aligned in six, never cut
  out = std::copy(code.begin(), code.end(), out);
  return std::string(key, static_cast<size_t>(out - key));
}

}  // namespace kivrel
