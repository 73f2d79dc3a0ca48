#include "core/draw/subtract_rect.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "support/recording_canvas.h"

namespace kivrel {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(SubtractRect, CutsFullHeightBandsAtTheSidesAndKeepsEverythingElse) {
  struct Case {
    const char* what;
    TRect a, b, result;
  };
  const TRect cell{0, 0, 80, 24};
  const Case cases[] = {
      {"a without width", {5, 0, 5, 10}, {0, 0, 100, 100}, {0, 0, 0, 0}},
      {"a turned inside out", {10, 0, 5, 10}, {0, 0, 1, 1}, {0, 0, 0, 0}},
      {"a without height", {0, 7, 80, 7}, {90, 0, 99, 9}, {0, 0, 0, 0}},
      {"b empty inside a", cell, {20, 0, 20, 24}, cell},
      {"b right of a", cell, {90, 0, 100, 24}, cell},
      {"b touching a's right edge", cell, {80, 0, 100, 24}, cell},
      {"b below a", cell, {0, 24, 80, 40}, cell},
      {"b equal to a", cell, cell, {0, 0, 0, 0}},
      {"b covering a", cell, {-5, -5, 85, 29}, {0, 0, 0, 0}},
      {"left band", cell, {0, 0, 16, 24}, {16, 0, 80, 24}},
      {"left band taller than a", cell, {-9, -3, 16, 30}, {16, 0, 80, 24}},
      {"right band", cell, {66, 0, 80, 24}, {0, 0, 66, 24}},
      {"right band reaching beyond a", cell, {66, -1, 200, 25}, {0, 0, 66, 24}},
      {"band in the middle", cell, {20, 0, 30, 24}, cell},
      {"top band", cell, {0, 0, 80, 10}, cell},
      {"bottom band", cell, {-1, 20, 81, 24}, cell},
      {"left band of part of the height", cell, {0, 0, 16, 10}, cell},
      {"corner", cell, {70, 20, 90, 30}, cell},
      {"extreme a, left half", {kMin, kMin, kMax, kMax}, {kMin, kMin, 0, kMax}, {0, kMin, kMax, kMax}},
      {"extreme a, right half", {kMin, kMin, kMax, kMax}, {0, kMin, kMax, kMax}, {kMin, kMin, 0, kMax}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SubtractRect(c.a, c.b), c.result) << c.what;
  }
}

}  // namespace
}  // namespace kivrel
