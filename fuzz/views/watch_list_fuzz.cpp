// Any bytes as a watch list file: the text written from the lists reads
// back to itself, with no problem but those of the lines it kept.
#include <cstdint>

#include "core/views/watch_list_file.h"
#include "seed_mode.h"

using namespace kivrel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::WriteSeedsWhenAsked([] {
    return std::vector<std::string>{"\xEF\xBB\xBF# mine\r\n[\xE8\x87\xAA\xE9\x81\xB8\xE8\x82\xA1]\r\n2330\r\n0050\n",
                                    "1101\n[A]\nabc\n[]\n9\n[A]\nABC\n2330.TW\n\xFF\n[ x ]]\n[\xF0\x9F\x93\x88]"};
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TWatchListsRead read = ParseWatchLists(bytes);
  const std::string text = WatchListsText(read.Lists);
  const TWatchListsRead again = ParseWatchLists(text);
  if (WatchListsText(again.Lists) != text || again.Lists.Count() != read.Lists.Count()) __builtin_trap();
  for (const TWatchFileProblem& p : again.Problems) {
    if (p.Problem == TWatchLineProblem::wlRepeatedCode || p.Problem == TWatchLineProblem::wlRepeatedList) {
      __builtin_trap();
    }
  }
  return 0;
}
