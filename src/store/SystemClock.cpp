#include <ctime>

#include "platform/Clock.h"

namespace tarvolen {

DateTime SystemClock::now() const {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  DateTime d;
  d.date = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  d.hour = local.tm_hour;
  d.minute = local.tm_min;
  d.second = local.tm_sec;
  return d;
}

}  // namespace tarvolen
