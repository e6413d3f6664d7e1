#include "output/HeaderTime.h"

#include <cstdio>

namespace tarnwick {

std::string FormatHeaderTime(const std::tm& localTime) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", localTime.tm_year + 1900,
                localTime.tm_mon + 1, localTime.tm_mday, localTime.tm_hour, localTime.tm_min);
  return text;
}

std::string CurrentHeaderTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return FormatHeaderTime(local);
}

}  // namespace tarnwick
