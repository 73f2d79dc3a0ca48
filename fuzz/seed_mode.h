#pragma once
// Seed mode of the fuzz targets: with KIVREL_FUZZ_SEEDS=<folder> set, a
// target writes its generated seed inputs into the folder and exits instead
// of fuzzing (scripts/fuzz fills each corpus this way).

#include <cstdlib>
#include <string>
#include <vector>

#include "core/io/file_io.h"

namespace kivrel::fuzzing {

// Call from LLVMFuzzerInitialize; returns only when not in seed mode. The
// seeds go to <folder>/seed-<n>.
template <class MakeSeeds>
void WriteSeedsWhenAsked(MakeSeeds makeSeeds) {
  const char* folder = std::getenv("KIVREL_FUZZ_SEEDS");
  if (folder == nullptr) return;
  const std::vector<std::string> seeds = makeSeeds();
  for (std::size_t i = 0; i < seeds.size(); ++i) {
    WriteFileAtomically(std::string(folder) + "/seed-" + std::to_string(i), seeds[i]);
  }
  std::exit(0);
}

}  // namespace kivrel::fuzzing
