// Cost of one price classification and of one pair of limit prices. Painting
// a cell classifies its value several times, and every classification works
// out both limit prices afresh, so these run many times per repaint.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "core/price/price_rules.h"
#include "core/price/price_state.h"

namespace kivrel {
namespace {

constexpr std::size_t kStocks = 1024;
constexpr std::size_t kProbes = 8192;  // a power of two: the index wraps with a mask

// Two-decimal previous closes spread evenly over the logarithm of the price,
// from 0.10 to 1999.99, so every tick band is well represented.
std::vector<TStock> MakeStocks() {
  std::mt19937 rng(20240611);
  std::uniform_real_distribution<double> log_price(std::log(0.10), std::log(1999.99));
  std::vector<TStock> stocks;
  stocks.reserve(kStocks);
  for (std::size_t i = 0; i < kStocks; ++i) {
    StockRecord r;
    const auto cents = std::llround(std::exp(log_price(rng)) * 100.0);
    r.SetPrevClose(static_cast<float>(static_cast<long double>(cents) / 100.0L));
    stocks.emplace_back(r);
  }
  return stocks;
}

struct Probe {
  const TStock* stock;
  float value;
};

// Values aimed at each of the six states in turn, in a shuffled order so
// that the branch predictor cannot learn the sequence.
std::vector<Probe> MakeProbes(const std::vector<TStock>& stocks) {
  std::mt19937 rng(7);
  std::vector<Probe> probes;
  probes.reserve(kProbes);
  for (std::size_t i = 0; i < kProbes; ++i) {
    const TStock& s = stocks[rng() % stocks.size()];
    const float prev = s.Payload.PrevClose();
    float value = 0.0F;
    switch (i % 6) {
      case 0: value = LimitUpPrice(s); break;
      case 1: value = prev * 1.03F; break;
      case 2: value = prev; break;
      case 3: value = prev * 0.97F; break;
      case 4: value = LimitDownPrice(s); break;
      default: value = 0.0F; break;
    }
    probes.push_back({&s, value});
  }
  std::shuffle(probes.begin(), probes.end(), rng);
  return probes;
}

void BM_GetPriceState(benchmark::State& state) {
  const std::vector<TStock> stocks = MakeStocks();
  const std::vector<Probe> probes = MakeProbes(stocks);
  std::size_t i = 0;
  for (auto _ : state) {
    const Probe& p = probes[i++ & (kProbes - 1)];
    benchmark::DoNotOptimize(GetPriceState(*p.stock, p.value));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetPriceState);

void BM_LimitPrices(benchmark::State& state) {
  const std::vector<TStock> stocks = MakeStocks();
  std::size_t i = 0;
  for (auto _ : state) {
    const TStock& s = stocks[i++ & (kStocks - 1)];
    benchmark::DoNotOptimize(LimitUpPrice(s));
    benchmark::DoNotOptimize(LimitDownPrice(s));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LimitPrices);

}  // namespace
}  // namespace kivrel

BENCHMARK_MAIN();
