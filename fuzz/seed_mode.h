#pragma once
// Seed mode of the fuzz targets: with KIVREL_FUZZ_SEEDS=<folder> set, a
// target writes its generated seed inputs into the folder and exits instead
// of fuzzing (scripts/fuzz fills each corpus this way).

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

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

}  // namespace kivrel::fuzzing
