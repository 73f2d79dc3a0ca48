// Any bytes as packed quotes, as a damaged history file may hold them:
// reading never runs past the bytes, and every quote read is written back
// as bytes that read as the same quote. The first 40 bytes also make a
// quote (a second, nine singles' bits) that comes back bit for bit.
#include <cstring>

#include "core/history/quote_codec.h"
#include "seed_mode.h"

using namespace kivrel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::WriteSeedsWhenAsked([] {
    std::string seed;
    AppendQuote(seed, {32400, {10.5F, 0.5F, 10.45F, 10.5F, 1234.0F, 10.0F, 10.6F, 9.9F, 10.0F}});
    AppendQuote(seed, {86399, {0.1F + 0.2F, -0.0F, 1e30F, -3.25F, 123456789.0F, 0.0F, 0.0F, 0.0F, 0.0F}});
    return std::vector{seed};
  });
  return 0;
}

namespace {

bool ComesBack(const TStoredQuote& quote) {
  std::string bytes;
  AppendQuote(bytes, quote);
  std::string_view in = bytes;
  TStoredQuote back;
  return ReadQuote(in, back) && in.empty() && back == quote;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size >= 40) {
    std::uint32_t second = 0;
    TStoredQuote quote;
    std::memcpy(&second, data, 4);
    std::memcpy(quote.Values.data(), data + 4, 36);
    quote.Second = static_cast<std::int32_t>(second % 86400);
    if (!ComesBack(quote)) __builtin_trap();
  }
  std::string_view in(reinterpret_cast<const char*>(data), size);
  TStoredQuote quote;
  while (!in.empty() && ReadQuote(in, quote))
    if (!ComesBack(quote)) __builtin_trap();
  return 0;
}
