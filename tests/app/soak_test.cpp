// Starts and closes the real program 200 times over one working folder: the
// quote file survives every run byte for byte, and the last run needs no
// more memory than the first.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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
  int status = 0;
  long peakKiB = 0;
};

// One run of the program in the working folder, told to quit by SIGTERM as
// soon as it starts (the program holds the signal until it can close).
ProgramRun RunOnce() {
  // The child starts with SIGTERM blocked, as it inherits the mask.
  sigset_t set;
  sigset_t old;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigprocmask(SIG_BLOCK, &set, &old);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_RUNTIME_DIR", "runtime", 1);
    ::execl(KIVREL_BINARY, KIVREL_BINARY, static_cast<char*>(nullptr));
    ::_exit(127);
  }
  sigprocmask(SIG_SETMASK, &old, nullptr);
  ::kill(pid, SIGTERM);
  ProgramRun run;
  struct rusage usage {};
  ::wait4(pid, &run.status, 0, &usage);
  run.peakKiB = usage.ru_maxrss;
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
    ASSERT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0) << "run " << i << " status " << run.status;
    ASSERT_EQ(testing::ReadBytes("DATA/STOCK.LST"), quotes) << "run " << i;
    if (i == 0) first = run.peakKiB;
    last = run.peakKiB;
  }
  std::cout << "peak memory: first run " << first << " KiB, last run " << last << " KiB\n";
  EXPECT_LE(last, first + first / 20);
}

}  // namespace
}  // namespace kivrel
