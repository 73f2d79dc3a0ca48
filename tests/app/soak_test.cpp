// Starts and closes the real program 200 times over one working folder: the
// quote file survives every run byte for byte, and the last run needs no
// more memory than the first.
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "core/store/stock_record.h"
#include "working_folder.h"

namespace kivrel {
namespace {

constexpr int kRuns = 200;

std::string QuoteFile() {
  std::string bytes;
  for (int i = 0; i < 2000; ++i) {
    StockRecord r;
    r.SetMarket(static_cast<std::uint8_t>(i / 1000));
    r.SetCategory(static_cast<std::uint8_t>((i % 1000) / 40));  // written in key order
    r.SetCode(std::to_string(1000 + i));
    r.SetName("\xA5x\xAA" "d");
    r.SetPrevClose(10.0F);
    r.SetLast(10.0F + static_cast<float>(i % 13) / 20.0F);
    bytes.append(reinterpret_cast<const char*>(r.Bytes()), StockRecord::kSize);
  }
  return bytes;
}

struct ProgramRun {
  int exitCode = -1;
  long peakKiB = 0;
};

// One run of the program in the working folder, told to quit by SIGTERM as
// soon as it starts (the program holds the signal until it can close).
ProgramRun RunOnce() {
  ProgramRun run;
  FILE* out = ::popen("QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=runtime " KIVREL_MEASURED_RUN " " KIVREL_BINARY, "r");
  if (out == nullptr) return run;
  if (std::fscanf(out, "%d %ld", &run.exitCode, &run.peakKiB) != 2) run.exitCode = -1;
  ::pclose(out);
  return run;
}

TEST(Soak, TwoHundredRunsKeepTheQuoteFileAndTheirMemory) {
  testing::WorkingFolder folder;
  std::filesystem::create_directories("DATA/SOURCE");
  std::filesystem::create_directory("runtime");
  std::filesystem::permissions("runtime", std::filesystem::perms::owner_all);
  const std::string quotes = QuoteFile();
  testing::WriteBytes("DATA/STOCK.LST", quotes);
  long first = 0;
  long last = 0;
  for (int i = 0; i < kRuns; ++i) {
    const ProgramRun run = RunOnce();
    ASSERT_EQ(run.exitCode, 0) << "run " << i;
    ASSERT_EQ(testing::ReadBytes("DATA/STOCK.LST"), quotes) << "run " << i;
    if (std::getenv("KIVREL_SOAK_TRACE") != nullptr) std::cout << run.peakKiB << (i % 20 == 19 ? "\n" : " ");
    if (i == 0) first = run.peakKiB;
    last = run.peakKiB;
  }
  std::cout << "peak memory: first run " << first << " KiB, last run " << last << " KiB\n";
  EXPECT_LE(last, first + first / 20);
}

}  // namespace
}  // namespace kivrel
