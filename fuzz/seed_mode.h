#pragma once
// Seed mode of the fuzz targets: with KIVREL_FUZZ_SEEDS=<folder> set, a
// target writes its generated seed inputs into the folder and exits instead
// of fuzzing (scripts/fuzz fills each corpus this way).

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "core/io/file_io.h"  // WriteFileAtomically

namespace kivrel::fuzzing {

// Call from LLVMFuzzerInitialize; returns only when not in seed mode.
template <class WriteSeeds>
void WriteSeedsWhenAsked(const char* target, WriteSeeds writeSeeds) {
  const char* folder = std::getenv("KIVREL_FUZZ_SEEDS");
  if (folder == nullptr) return;
  try {
    writeSeeds(std::string(folder));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", target, e.what());
    std::exit(1);
  }
  std::exit(0);
}

// Writes each seed input, encoded as the target reads its bytes, to
// <folder>/seed-<n>.
template <class Input, class Encode>
void WriteNumberedSeeds(const std::string& folder, const std::vector<Input>& seeds, Encode encode) {
  for (std::size_t i = 0; i < seeds.size(); ++i) {
    WriteFileAtomically(folder + "/seed-" + std::to_string(i), encode(seeds[i]));
  }
}

}  // namespace kivrel::fuzzing
