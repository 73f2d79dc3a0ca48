#include "core/page/current_date.h"

#include <chrono>
#include <ctime>

namespace kivrel {

double CurrentDate() {
  using namespace std::chrono;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  const year_month_day date{year{local.tm_year + 1900}, month{static_cast<unsigned>(local.tm_mon + 1)},
                            day{static_cast<unsigned>(local.tm_mday)}};
  constexpr sys_days kEpoch = year{1899} / December / 30;
  return static_cast<double>((sys_days{date} - kEpoch).count());
}

}  // namespace kivrel
