// The local clock and the general date and time text.
#include <cstdio>
#include <ctime>
#include <string>

#include "platform/text/text.h"

namespace morvane::text {

DateTime DateTime::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string GeneralDateTime(const DateTime& t) {
  const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
  char text[64];
  const int n = std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d %s", t.month, t.day,
                              t.year, hour12, t.minute, t.second, t.hour < 12 ? "AM" : "PM");
  return std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
}

}  // namespace morvane::text
