// Quote file load and save on 100,000 records beside the raw file read and
// write of the same size.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>

#include "core/io/file_io.h"
#include "core/store/stock_store.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

constexpr int kRecords = 100000;

std::string RecordBytes(bool shuffled) {
  std::vector<StockRecord> records;
  records.reserve(kRecords);
  for (int i = 0; i < kRecords; ++i) {
    StockRecord r;
    r.SetMarket(static_cast<std::uint8_t>(i * 2 / kRecords));
    r.SetCategoryGroup(0);
    r.SetCategory(static_cast<std::uint8_t>((i / 2000) % 25));
    r.SetCode(std::to_string(100000 + i));
    r.SetName("NAME");
    r.SetLast(static_cast<float>(i % 1000) / 10.0F);
    records.push_back(r);
  }
  // Keys must come out in ascending order for the in-order file.
  std::sort(records.begin(), records.end(), [](const StockRecord& a, const StockRecord& b) {
    return TStringList::CompareText(TStock(a).GetKey(), TStock(b).GetKey()) < 0;
  });
  if (shuffled) std::shuffle(records.begin(), records.end(), std::mt19937(42));
  std::string bytes;
  for (const auto& r : records) bytes.append(reinterpret_cast<const char*>(r.Bytes()), StockRecord::kSize);
  return bytes;
}

void BM_LoadQuoteFile(benchmark::State& state) {
  testing::TempDir dir;
  const std::string file = dir / "STOCK.LST";
  testing::WriteBytes(file, RecordBytes(state.range(0) != 0));
  for (auto _ : state) {
    TStockListPtr store = NewStockList();
    LoadStockFile(*store, file);
    benchmark::DoNotOptimize(store->Count());
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * kRecords * 66);
  state.SetLabel(state.range(0) ? "shuffled" : "in key order");
}
BENCHMARK(BM_LoadQuoteFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ReadFileBytes(benchmark::State& state) {
  testing::TempDir dir;
  const std::string file = dir / "STOCK.LST";
  testing::WriteBytes(file, RecordBytes(false));
  for (auto _ : state) benchmark::DoNotOptimize(ReadWholeFile(file).size());
  state.SetBytesProcessed(state.iterations() * kRecords * 66);
}
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond);

void BM_SaveQuoteFile(benchmark::State& state) {
  testing::TempDir dir;
  const std::string file = dir / "STOCK.LST";
  testing::WriteBytes(file, RecordBytes(false));
  const TStockListPtr store = NewStockList();
  LoadStockFile(*store, file);
  for (auto _ : state) SaveStockFile(*store, file);
  state.SetBytesProcessed(state.iterations() * kRecords * 66);
}
BENCHMARK(BM_SaveQuoteFile)->Unit(benchmark::kMillisecond);

// The raw floor: one write of the same bytes, with and without flushing them
// to disk (the quote file is always flushed before it replaces the old one).
void BM_WriteFileBytes(benchmark::State& state) {
  testing::TempDir dir;
  const std::string file = dir / "STOCK.LST";
  const std::string bytes = RecordBytes(false);
  const bool flush = state.range(0) != 0;
  for (auto _ : state) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
    if (flush) ::fsync(fd);
    ::close(fd);
  }
  state.SetBytesProcessed(state.iterations() * kRecords * 66);
  state.SetLabel(flush ? "flushed" : "page cache only");
}
BENCHMARK(BM_WriteFileBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kivrel

// Fresh memory costs a page fault per page, and on a virtual machine a page
// fault can cost tens of microseconds: with glibc's defaults every iteration
// returns the store's memory to the system and faults it in again, so the
// figures would measure the machine. Keeping freed memory in the process
// measures the work itself, as the raw read (whose buffer is reused) does.
int main(int argc, char** argv) {
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
