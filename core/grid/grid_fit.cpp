#include "core/grid/grid_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace kivrel {
namespace {

// The grid's non-client width as the board lays it out: the pixels of the
// client width left over beside the columns (borders and grid lines).
constexpr int kNonClientWidth = 14;

}  // namespace

void FitColumnWidths(TStringGrid& grid) {
  if (grid.ColCount() <= 0) return;
  grid.SetDefaultColWidth((grid.ClientWidth() - kNonClientWidth) / grid.ColCount());
}

void FitGridFont(TStringGrid& grid, float ratio) {
  const long double quotient = static_cast<long double>(grid.DefaultColWidth()) / ratio;
  // Out-of-range quotients (a zero ratio) are clamped rather than converted.
  const long double clamped = std::clamp(std::isnan(quotient) ? 0.0L : quotient, -1e15L, 1e15L);
  const std::int64_t a = static_cast<std::int64_t>(std::nearbyint(clamped)) - 1;  // half to even
  const std::int64_t b = static_cast<std::int64_t>(grid.DefaultRowHeight()) - 2;
  const std::int64_t height = std::llabs(std::min(a, b));
  grid.SetFontHeight(static_cast<int>(std::min<std::int64_t>(height, INT32_MAX)));
}

}  // namespace kivrel
